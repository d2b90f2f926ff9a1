-- Shared by the wrk scripts here: the figures of a run, and the wrong answers that each thread
-- counted in its global "wrong"; a run with any fails.

function report(what, summary, latency, threads)
  io.write(string.format("%s per second: %.0f\n", what, summary.requests / (summary.duration / 1e6)))
  io.write(string.format("latency p50 %.2f ms, p99 %.2f ms, max %.2f ms\n",
                         latency:percentile(50) / 1000, latency:percentile(99) / 1000, latency.max / 1000))
  io.write(string.format("socket errors: connect %d, read %d, write %d, timeout %d; non-2xx %d\n",
                         summary.errors.connect, summary.errors.read, summary.errors.write,
                         summary.errors.timeout, summary.errors.status))
  local total = 0
  for _, thread in ipairs(threads) do
    total = total + (thread:get("wrong") or 0)
  end
  io.write(string.format("wrong answers: %d\n", total))
  if total > 0 then
    os.exit(1)
  end
end
