-- wrk script: POST /vtldb/insert.php of new random hashes for the account named by VTLDB_USER and
-- VTLDB_PASSWORD. Every answer but "1" counts as wrong; done() prints the count and fails on any.
-- VTLDB_DELAY_MS pauses each connection that many milliseconds between its posts (a paced load).

wrong = 0  -- global: done() reads it from each thread with thread:get
local threads = {}
dofile(debug.getinfo(1, "S").source:match("^@?(.*/)") .. "report.lua")
local counter = 0
local pause = tonumber(os.getenv("VTLDB_DELAY_MS") or "0")
local prefix = ""
local body = "&prop=MnxCZW5jaG1hcmsgcmF0aW5n&username=" .. os.getenv("VTLDB_USER") .. "&password=" ..
             os.getenv("VTLDB_PASSWORD")

function setup(thread)
  threads[#threads + 1] = thread
  thread:set("id", #threads)
end

function init(args)
  -- Hashes differ between threads and between runs, so no insert finds its hash stored already.
  prefix = string.format("%04x%012x", id, os.time() * 1000 + math.floor(os.clock() * 1000) % 1000)
end

function request()
  counter = counter + 1
  local hash = prefix .. string.format("%024x", counter)
  return wrk.format("POST", "/vtldb/insert.php", {["Content-Type"] = "application/x-www-form-urlencoded"},
                    "hash=" .. hash .. body)
end

function delay()
  return pause
end

function response(status, headers, answer)
  if status ~= 200 or answer ~= "1" then
    wrong = wrong + 1
  end
end

function done(summary, latency, requests)
  report("inserts", summary, latency, threads)
end
