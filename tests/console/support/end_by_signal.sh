#!/bin/sh
# end_by_signal.sh KORVO WORK SIGNAL NUMBER: starts korvo without --host reading a pipe that stays
# open, waits until the program runs, sends SIGNAL, and checks that korvo closed the program,
# removed its temporary host folder and ended by that signal.
set -u
korvo=$1 work=$2 signal=$3 number=$4
tmp=$work/tmp-$signal
rm -rf "$tmp" && mkdir -p "$tmp"
fifo=$work/input-$signal
rm -f "$fifo" && mkfifo "$fifo"
out=$work/out-$signal err=$work/err-$signal

TMPDIR=$tmp "$korvo" <"$fifo" >"$out" 2>"$err" &
pid=$!
exec 3>"$fifo"
printf 'start\nidle\n' >&3

tries=0
until grep -q "Initialized in" "$out" 2>/dev/null; do
  tries=$((tries + 1))
  if [ $tries -gt 600 ]; then echo "the program never finished its start-up"; kill -9 $pid; exit 1; fi
  sleep 0.1
done
if ! ls "$tmp" | grep -q '^korvo-host-'; then echo "no temporary host folder in $tmp while running"; exit 1; fi

kill -s "$signal" $pid
tries=0
while kill -0 $pid 2>/dev/null && ! grep -q "program exit" "$out"; do
  tries=$((tries + 1))
  if [ $tries -gt 300 ]; then echo "SIG$signal did not end the run"; kill -9 $pid; exit 1; fi
  sleep 0.1
done
wait $pid
code=$?
exec 3>&-

status=0
if [ -n "$(ls -A "$tmp")" ]; then echo "left behind in $tmp:"; ls -A "$tmp"; status=1; fi
expected=$((128 + number))
if [ $code -ne $expected ]; then echo "exit $code, expected $expected (ended by $signal)"; status=1; fi
if ! grep -q "program exit 0" "$out"; then echo "the program was not closed:"; cat "$out"; status=1; fi
if ! grep -q "korvo: SIG$signal: the program is closed" "$err"; then echo "no word of the signal:"; cat "$err"; status=1; fi
exit $status
