# Sourced by the benchmarks. With --busy as a benchmark's first argument, one core is kept
# busy for the whole run, as on a desktop where another conversion or a compiler is at work:
# processor time a program spends beside ffmpeg then costs wall time, as it does there.
#   . bench/busy.sh "$@"; set -- "${args[@]}"      (args: the arguments without --busy)
args=("$@")
busy=
if [ "${1:-}" = --busy ]; then
  busy=1
  args=("${@:2}")
  # Ends by itself soon after the benchmark does, whichever way that ends.
  (
    trap '' INT
    while kill -0 $$ 2>/dev/null; do
      for ((i = 0; i < 200000; ++i)); do :; done
    done
  ) &
fi
busy_note() {
  if [ -n "$busy" ]; then
    echo "busy: one core kept busy by a loop beside the run"
  else
    echo "busy: no (--busy keeps one core busy)"
  fi
}
