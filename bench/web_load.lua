-- wrk's script for bench/web_load.sh: each request takes the next path of a
-- file (one a line; the file is the script's argument), each thread starting
-- at its own place in it, and the run ends with one line the shell reads.

local paths = {}
local at = 1
local threads = 0

function setup(thread)
  thread:set("number", threads)
  threads = threads + 1
end

function init(args)
  for line in io.lines(args[1]) do paths[#paths + 1] = line end
  -- Threads that walked the file in step would ask for the same product at once.
  at = (number * 7919) % #paths + 1
end

function request()
  local path = paths[at]
  at = at % #paths + 1
  return wrk.format(nil, path)
end

function done(summary, latency, requests)
  local e = summary.errors
  io.write(string.format("requests %d, p50 %.1f ms, p95 %.1f ms, p99 %.1f ms, errors %d (of them answers 4xx/5xx %d)\n",
    summary.requests, latency:percentile(50) / 1000, latency:percentile(95) / 1000,
    latency:percentile(99) / 1000, e.connect + e.read + e.write + e.timeout + e.status, e.status))
end
