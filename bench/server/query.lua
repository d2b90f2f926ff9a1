-- wrk script: GET /vtldb/query.php for hashes read from the file named by VTLDB_HASHES, one a line;
-- every tenth request asks for a hash that is not stored. Set VTLDB_HTTP10=1 to send the client's
-- own HTTP/1.0 request, which closes the connection after each answer; set VTLDB_DELAY_MS to pause
-- that many milliseconds between the requests of each connection (a paced load instead of the most
-- the machine can do).

local hashes = {}
local http10 = os.getenv("VTLDB_HTTP10") == "1"
local pause = tonumber(os.getenv("VTLDB_DELAY_MS") or "0")
local counter = 0
wrong = 0  -- global: done() reads it from each thread with thread:get
local threads = {}
dofile(debug.getinfo(1, "S").source:match("^@?(.*/)") .. "report.lua")

-- Each wrk thread counts in a Lua state of its own; done() gathers the counts.
function setup(thread)
  threads[#threads + 1] = thread
end

function init(args)
  for line in io.lines(os.getenv("VTLDB_HASHES")) do
    hashes[#hashes + 1] = line
  end
  counter = math.random(#hashes)
end

function request()
  counter = counter + 1
  local hash = hashes[counter % #hashes + 1]
  if counter % 10 == 0 then
    hash = string.format("%08x", counter) .. string.rep("f", 32)
  end
  local path = "/vtldb/query.php?hash=" .. hash
  if http10 then
    return "GET " .. path .. " HTTP/1.0\r\nHost: bench\r\nUser-Agent: vantreldbgnt\r\n" ..
           "Content-Type: application/x-www-form-urlencoded\r\n\r\n"
  end
  return wrk.format("GET", path)
end

function delay()
  return pause
end

function response(status, headers, body)
  -- A stored hash comes back with its prop, an unknown one as "0".
  if status ~= 200 or (body ~= "0" and #body <= 40) then
    wrong = wrong + 1
  end
end

function done(summary, latency, requests)
  report("requests", summary, latency, threads)
end
