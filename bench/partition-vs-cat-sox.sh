#!/usr/bin/env bash
# Auto-partitions one hour of 44.1 kHz stereo 16-bit speech-like audio (bursts of noise
# between silences) with `earlark-tool partition`, beside a plain warm-cache read of the file
# (`cat FILE > /dev/null`) and a silence split by sox, each the median of RUNS runs taken in
# turn. sox runs `silence 1 0.1 1% -1 0.3 1%`, which cuts every silence of the file (with 1
# instead of -1 it would stop at the first one and read almost nothing). Prints the three times and two ratios: partition / cat (target at most 1.5) and
# sox / partition (target at least 5).
#   usage: bench/partition-vs-cat-sox.sh [BUILD_DIR] [SECONDS] [RUNS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
seconds=${2:-3600}
runs=${3:-5}
tool=$build/bin/earlark-tool
[ -x "$tool" ] || { echo "no $tool: build first" >&2; exit 1; }
command -v sox >/dev/null || { echo "sox is not installed" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

echo "making $seconds s of 44.1 kHz stereo 16-bit ..."
# One minute: eight sentences of 2 to 5 s of pink noise (28 s in all), each followed by 4 s
# of silence, long enough to end a sentence at the default 2 s.
pieces=()
for i in $(seq 8); do
    sox -n -r 44100 -c 2 -b 16 "$work/s$i.wav" synth $(( 2 + i % 4 )) pinknoise vol 0.3
    sox -n -r 44100 -c 2 -b 16 "$work/z$i.wav" trim 0 4
    pieces+=("$work/s$i.wav" "$work/z$i.wav")
done
sox "${pieces[@]}" "$work/minute.wav"
sox "$work/minute.wav" "$work/hour.wav" repeat $(( (seconds + 59) / 60 - 1 )) trim 0 "$seconds"
rm -f "$work"/s*.wav "$work"/z*.wav "$work/minute.wav"
file=$work/hour.wav
ls -l "$file" | awk '{printf "source: %.1f MB\n", $5 / 1e6}'
cat "$file" >/dev/null

# seconds COMMAND...: the wall time of one run.
seconds_of() {
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s%N)
    awk -v a="$start" -v b="$end" 'BEGIN { printf "%.4f\n", (b - a) / 1e9 }'
}
median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

cat_times=() ours_times=() sox_times=()
for _ in $(seq "$runs"); do
    cat_times+=("$(seconds_of sh -c "cat '$file' > /dev/null")")
    ours_times+=("$(seconds_of "$tool" partition "$file")")
    sox_times+=("$(seconds_of sox "$file" -n silence 1 0.1 1% -1 0.3 1%)")
done
cat_s=$(printf '%s\n' "${cat_times[@]}" | median)
ours_s=$(printf '%s\n' "${ours_times[@]}" | median)
sox_s=$(printf '%s\n' "${sox_times[@]}" | median)
echo "sentences found: $("$tool" partition "$file" | wc -l)"
awk -v c="$cat_s" -v o="$ours_s" -v s="$sox_s" 'BEGIN {
    printf "cat:                     %.3f s (median of runs)\n", c;
    printf "earlark-tool partition:  %.3f s\n", o;
    printf "sox silence:             %.3f s\n", s;
    printf "ratio partition/cat: %.2f (target <= 1.5)\n", o / c;
    printf "ratio sox/partition: %.2f (target >= 5)\n", s / o;
}'
