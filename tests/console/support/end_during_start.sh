#!/bin/sh
# end_during_start.sh KORVO HOST OUT: runs `start` over HOST (whose state file makes start-up
# long), sends SIGTERM once the first frames are made, and checks that the run ends by it within
# two seconds (a second of grace, and the time a loaded machine takes to notice).
set -u
korvo=$1 host=$2 out=$3
printf 'start\nidle\nquit\n' | "$korvo" --host "$host" >"$out" 2>"$out.err" &
pid=$!
tries=0
until [ "$(grep -c '^window created' "$out" 2>/dev/null)" -gt 3 ]; do
  tries=$((tries + 1))
  if [ $tries -gt 600 ]; then echo "start-up never made its frames"; kill -9 $pid; exit 1; fi
  sleep 0.05
done
kill -s TERM $pid
signalled=$(date +%s%N)
wait $pid
code=$?
elapsed=$(( ($(date +%s%N) - signalled) / 1000000 ))
status=0
if [ $code -ne 143 ]; then echo "exit $code, expected 143 (ended by TERM)"; cat "$out.err"; status=1; fi
if [ $elapsed -gt 2000 ]; then echo "the run took $elapsed ms to end after SIGTERM"; status=1; fi
exit $status
