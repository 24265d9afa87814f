#!/usr/bin/env bash
# Stretches the same 44.1 kHz stereo 16-bit WAV with `earlark-tool render` and with
# soundstretch at each speed, side by side, and prints both CPU times, the seconds of audio
# produced per CPU second and the ratio (soundstretch CPU time / ours; above 1 means faster
# than soundstretch). Both read the file and write a WAV file of the result.
#   usage: bench/stretch-vs-soundstretch.sh [BUILD_DIR] [SECONDS] [RUNS] [INPUT.wav]
# Without INPUT the source is made here: synthetic speech (espeak-ng) repeated to SECONDS,
# or, without espeak-ng, a gliding tone with harmonics and a little noise (sox).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
seconds=${2:-120}
runs=${3:-3}
input=${4:-}
tool=$build/bin/earlark-tool
[ -x "$tool" ] || { echo "no $tool: build first" >&2; exit 1; }
command -v soundstretch >/dev/null || { echo "soundstretch is not installed" >&2; exit 1; }
command -v sox >/dev/null || { echo "sox is not installed" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if [ -z "$input" ]; then
    input=$work/source.wav
    if command -v espeak-ng >/dev/null; then
        espeak-ng -w "$work/speech.wav" -s 150 \
            "The quick brown fox jumps over the lazy dog. Listening comprehension improves \
with practice: play each sentence, write what you hear, and compare it with the text."
        sox "$work/speech.wav" -r 44100 -c 2 -b 16 "$work/one.wav"
    else
        sox -n -r 44100 -c 2 -b 16 "$work/one.wav" synth 10 sine 120-240 vol 0.5
    fi
    length=$(soxi -D "$work/one.wav")
    repeats=$(awk -v s="$seconds" -v l="$length" 'BEGIN { print int(s / l) + 1 }')
    sox "$work/one.wav" "$input" repeat "$repeats" trim 0 "$seconds"
fi
probe=$("$tool" wav probe "$input")
size=$(sed -n 's/.*"dataSize":\([0-9]*\).*/\1/p' <<<"$probe")
byterate=$(sed -n 's/.*"avgBytesPerSec":\([0-9]*\).*/\1/p' <<<"$probe")
[ -n "$size" ] && [ -n "$byterate" ] || { echo "cannot probe $input: $probe" >&2; exit 1; }
awk -v s="$size" -v b="$byterate" 'BEGIN { printf "source: %.1f s, %s\n", s / b, ARGV[1] }' "$input"

# cpu_of COMMAND...: the smallest user + system time of $runs runs, in seconds.
cpu_of() {
    local best="" line
    for _ in $(seq "$runs"); do
        rm -f "$work/out.wav"
        line=$( { TIMEFORMAT='%U %S'; time "$@" >/dev/null 2>&1; } 2>&1 )
        line=$(awk -v l="$line" 'BEGIN { split(l, a, " "); printf "%.3f", a[1] + a[2] }')
        if [ -z "$best" ] || awk -v a="$line" -v b="$best" 'BEGIN { exit !(a < b) }'; then
            best=$line
        fi
    done
    echo "$best"
}

printf "%5s  %12s %14s  %12s %14s  %6s\n" rate "earlark CPU" "audio/CPU s" \
    "sstretch CPU" "audio/CPU s" ratio
for rate in 33 50 75 125 150 200; do
    ours=$(cpu_of "$tool" render "$input" 0 "$size" 0 "$rate" "$work/out.wav")
    produced=$(soxi -D "$work/out.wav")
    theirs=$(cpu_of soundstretch "$input" "$work/out.wav" -tempo=$((rate - 100)))
    theirsProduced=$(soxi -D "$work/out.wav")
    awk -v r="$rate" -v o="$ours" -v t="$theirs" -v p="$produced" -v q="$theirsProduced" 'BEGIN {
        if (o <= 0) o = 0.001; if (t <= 0) t = 0.001;
        printf "%4d%%  %11.3fs %13.0fx  %11.3fs %13.0fx  %6.2f\n", r, o, p / o, t, q / t, t / o
    }'
done
