#!/usr/bin/env bash
# Converts one hour of IMA ADPCM stereo 44.1 kHz to 16-bit PCM with `earlark-tool wavconvert`
# and with sox, side by side, and prints both times and their ratio (sox time / ours; above
# 1 means faster than sox). The source is made here: pink noise, encoded by ffmpeg (or sox).
#   usage: bench/convert-vs-sox.sh [BUILD_DIR] [SECONDS] [RUNS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
seconds=${2:-3600}
runs=${3:-3}
tool=$build/bin/earlark-tool
[ -x "$tool" ] || { echo "no $tool: build first" >&2; exit 1; }
command -v sox >/dev/null || { echo "sox is not installed" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

echo "making $seconds s of IMA ADPCM stereo 44.1 kHz ..."
sox -n -r 44100 -c 2 -b 16 "$work/minute.wav" synth 60 pinknoise vol 0.3
sox "$work/minute.wav" "$work/pcm.wav" repeat $(( (seconds + 59) / 60 - 1 )) trim 0 "$seconds"
if command -v ffmpeg >/dev/null; then
    ffmpeg -nostdin -loglevel error -y -i "$work/pcm.wav" -c:a adpcm_ima_wav "$work/ima.wav"
else
    sox "$work/pcm.wav" -e ima-adpcm "$work/ima.wav"
fi
rm -f "$work/minute.wav" "$work/pcm.wav"
ls -l "$work/ima.wav" | awk '{printf "source: %.1f MB\n", $5 / 1e6}'

# best_of COMMAND...: the shortest wall time of $runs runs, and that run's CPU time.
best_of() {
    local best="" line
    for _ in $(seq "$runs"); do
        rm -f "$work/out.wav"
        sync
        line=$( { TIMEFORMAT='%R %U %S'; time "$@" >/dev/null 2>&1; } 2>&1 )
        if [ -z "$best" ] || awk -v a="${line%% *}" -v b="${best%% *}" 'BEGIN{exit !(a<b)}'; then
            best=$line
        fi
    done
    echo "$best"
}

ours=$(best_of "$tool" wavconvert "$work/ima.wav" "$work/out.wav")
theirs=$(best_of sox "$work/ima.wav" -e signed-integer -b 16 -D "$work/out.wav")
awk -v o="$ours" -v t="$theirs" 'BEGIN {
    split(o, a, " "); split(t, b, " ");
    printf "earlark-tool wavconvert: %.2f s wall, %.2f s CPU\n", a[1], a[2] + a[3];
    printf "sox:                     %.2f s wall, %.2f s CPU\n", b[1], b[2] + b[3];
    printf "ratio sox/earlark: %.2f (wall), %.2f (CPU)\n", b[1] / a[1], (b[2] + b[3]) / (a[2] + a[3]);
}'
