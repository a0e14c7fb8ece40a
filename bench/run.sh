#!/usr/bin/env bash
# Times `s1ordo convert --all` against `cp -r` of the same source tree.
#   bench/run.sh [N R L V] [RUNS]
# Defaults: N=1000 boreholes, R=200 records per file, L=500 list entries,
# V=10000 vocabulary records, 3 runs; prints the medians and their ratio.
# S1ORDO_CONVERT_OPTIONS adds options to the convert command (for example
# "--jobs 1", one borehole after another on one thread).
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
BUILD=${S1ORDO_BUILD_DIR:-$ROOT/build}
N=${1:-1000} R=${2:-200} L=${3:-500} V=${4:-10000} RUNS=${5:-3}
WORK=${S1ORDO_BENCH_DIR:-$BUILD/bench-data}/n$N-r$R-l$L-v$V

[ -x "$BUILD/s1ordo" ] && [ -x "$BUILD/bench/generate_data" ] && [ -x "$BUILD/bench/write_tree" ] ||
  ./dev.sh build >/dev/null
if [ ! -d "$WORK/DIZIVAD" ]; then
  rm -rf "$WORK"
  "$BUILD/bench/generate_data" "$WORK" "$N" "$R" "$L" "$V"
fi
size=$(du -sh "$WORK/DIZIVAD" | cut -f1)

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

# Every run writes new folders; all are removed only after the last run. On a
# file system without a journal (ext4 here) the kernel skips inodes freed in
# the last minutes when it allocates new ones, so a run timed right after
# removing a large tree would pay for that removal.
rm_outputs() {
  rm -rf "$WORK"/copy-* "$WORK"/out-* "$WORK"/run-* "$WORK"/write-*
  sync
  date +%s > "$WORK/removed-at"
}
[ ! -e "$WORK/out-1" ] || rm_outputs  # left by an interrupted run
if [ -e "$WORK/removed-at" ]; then
  wait=$((70 - ($(date +%s) - $(cat "$WORK/removed-at"))))
  if ((wait > 0)); then
    echo "waiting $wait s for the inodes freed by the last removal to be reused" >&2
    sleep "$wait"
  fi
fi

copy_times=() convert_times=() floor_times=() write_times=() peaks=() cpu=()
for ((i = 1; i <= RUNS; i++)); do
  sync
  start=$(date +%s.%N)
  cp -r "$WORK/DIZIVAD" "$WORK/copy-$i"
  end=$(date +%s.%N)
  copy_times+=("$(awk -v a="$start" -v b="$end" 'BEGIN {printf "%.3f", b - a}')")

  # Each run starts from the same pattern data (the run extends it).
  RUN=$WORK/run-$i
  mkdir -p "$RUN/SYS"
  cp -r "$WORK/RIDEVI" "$RUN/RIDEVI"
  cp -r "$WORK/LISTS" "$RUN/LISTS"
  printf '[RIDEVI]\r\n%s/\r\n' "$RUN/RIDEVI" > "$RUN/SYS/DodavoZ5.ini"
  printf '[LISTS]\r\n%s/\r\n' "$RUN/LISTS" > "$RUN/SYS/Ridevi.ini"
  sync
  start=$(date +%s.%N)
  /usr/bin/time -f '%M %U %S' -o "$RUN/resources" \
    "$BUILD/s1ordo" convert "$WORK/DIZIVAD" "$WORK/out-$i" --all --yes --system-folder "$RUN/SYS" ${S1ORDO_CONVERT_OPTIONS:-} \
    >/dev/null 2>"$RUN/stderr" || { cat "$RUN/stderr" >&2; exit 1; }
  end=$(date +%s.%N)
  convert_times+=("$(awk -v a="$start" -v b="$end" 'BEGIN {printf "%.3f", b - a}')")
  # The least any converter must do: write the files the run wrote, which
  # are twice as many as the source's.
  sync
  start=$(date +%s.%N)
  cp -r "$WORK/out-$i" "$WORK/copy-out-$i"
  end=$(date +%s.%N)
  floor_times+=("$(awk -v a="$start" -v b="$end" 'BEGIN {printf "%.3f", b - a}')")
  # Writing those files from memory, without reading anything.
  sync
  write_times+=("$("$BUILD/bench/write_tree" "$WORK/out-$i" "$WORK/write-out-$i")")
  read -r peak user sys < "$RUN/resources"
  peaks+=("$peak")
  cpu+=("${user}u+${sys}s")
done

copy=$(printf '%s\n' "${copy_times[@]}" | median)
convert=$(printf '%s\n' "${convert_times[@]}" | median)
floor=$(printf '%s\n' "${floor_times[@]}" | median)
write=$(printf '%s\n' "${write_times[@]}" | median)
peak=$(printf '%s\n' "${peaks[@]}" | median)
echo "N=$N R=$R L=$L V=$V ($size source, $(nproc) cores, $(findmnt -no FSTYPE -T "$WORK" 2>/dev/null | head -1 || stat -f -c %T "$WORK") file system, median of $RUNS runs)"
printf 'cp -r:          %8.2f s   (runs: %s)\n' "$copy" "${copy_times[*]}"
printf 's1ordo convert: %8.2f s   (runs: %s; cpu: %s)\n' "$convert" "${convert_times[*]}" "${cpu[*]}"
printf 'cp -r of output: %6.2f s   (runs: %s)\n' "$floor" "${floor_times[*]}"
printf 'output written:  %6.2f s   (from memory; runs: %s)\n' "$write" "${write_times[*]}"
awk -v c="$convert" -v p="$copy" -v f="$floor" -v w="$write" -v m="$peak" \
  'BEGIN {printf "ratio:          %8.2f   (against the source copy: output copy %.2f, output written %.2f)\nconvert / output written: %.2f\npeak memory:    %8.1f MiB\n", c / p, f / p, w / p, c / w, m / 1024}'
rm_outputs
