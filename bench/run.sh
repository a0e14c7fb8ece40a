#!/usr/bin/env bash
# Times `s1ordo convert --all` against `cp -r` of the same source tree.
#   bench/run.sh [N R L V] [RUNS]
# Defaults: N=1000 boreholes, R=200 records per file, L=500 list entries,
# V=10000 vocabulary records, 3 runs; prints the medians and their ratio.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
BUILD=${S1ORDO_BUILD_DIR:-$ROOT/build}
N=${1:-1000} R=${2:-200} L=${3:-500} V=${4:-10000} RUNS=${5:-3}
WORK=${S1ORDO_BENCH_DIR:-$BUILD/bench-data}/n$N-r$R-l$L-v$V

[ -x "$BUILD/s1ordo" ] && [ -x "$BUILD/bench/generate_data" ] || ./dev.sh build >/dev/null
if [ ! -d "$WORK/DIZIVAD" ]; then
  rm -rf "$WORK"
  "$BUILD/bench/generate_data" "$WORK" "$N" "$R" "$L" "$V"
fi
size=$(du -sh "$WORK/DIZIVAD" | cut -f1)

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

copy_times=() convert_times=() peaks=()
for ((i = 1; i <= RUNS; i++)); do
  rm -rf "$WORK/copy" "$WORK/out" "$WORK/run"
  sync
  start=$(date +%s.%N)
  cp -r "$WORK/DIZIVAD" "$WORK/copy"
  end=$(date +%s.%N)
  copy_times+=("$(awk -v a="$start" -v b="$end" 'BEGIN {printf "%.3f", b - a}')")
  rm -rf "$WORK/copy"

  # Each run starts from the same pattern data (the run extends it).
  mkdir -p "$WORK/run/SYS"
  cp -r "$WORK/RIDEVI" "$WORK/run/RIDEVI"
  cp -r "$WORK/LISTS" "$WORK/run/LISTS"
  printf '[RIDEVI]\r\n%s/\r\n' "$WORK/run/RIDEVI" > "$WORK/run/SYS/DodavoZ5.ini"
  printf '[LISTS]\r\n%s/\r\n' "$WORK/run/LISTS" > "$WORK/run/SYS/Ridevi.ini"
  sync
  start=$(date +%s.%N)
  /usr/bin/time -f '%M' -o "$WORK/run/peak" \
    "$BUILD/s1ordo" convert "$WORK/DIZIVAD" "$WORK/out" --all --yes --system-folder "$WORK/run/SYS" \
    >/dev/null 2>"$WORK/run/stderr" || { cat "$WORK/run/stderr" >&2; exit 1; }
  end=$(date +%s.%N)
  convert_times+=("$(awk -v a="$start" -v b="$end" 'BEGIN {printf "%.3f", b - a}')")
  peaks+=("$(cat "$WORK/run/peak")")
done

copy=$(printf '%s\n' "${copy_times[@]}" | median)
convert=$(printf '%s\n' "${convert_times[@]}" | median)
peak=$(printf '%s\n' "${peaks[@]}" | median)
echo "N=$N R=$R L=$L V=$V ($size source, $(nproc) cores, median of $RUNS runs)"
printf 'cp -r:          %8.2f s   (runs: %s)\n' "$copy" "${copy_times[*]}"
printf 's1ordo convert: %8.2f s   (runs: %s)\n' "$convert" "${convert_times[*]}"
awk -v c="$convert" -v p="$copy" -v m="$peak" \
  'BEGIN {printf "ratio:          %8.2f\npeak memory:    %8.1f MiB\n", c / p, m / 1024}'
rm -rf "$WORK/out" "$WORK/run"
