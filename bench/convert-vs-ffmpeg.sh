#!/usr/bin/env bash
# Decodes a 10-minute M4A (AAC) and a 10-minute Opus file with `earlark-tool convert` and
# with the ffmpeg command line writing the same 16-bit wave file, side by side, and reports
# the median of the pairs' time ratios (ours / ffmpeg). The target: 1.2 at most.
#
#   bench/convert-vs-ffmpeg.sh [BUILD_DIR] [SECONDS] [PAIRS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
seconds=${2:-600}
pairs=${3:-3}
tool=$build/bin/earlark-tool
for needed in "$tool" ffmpeg python3; do
    command -v "$needed" >/dev/null || [ -x "$needed" ] || { echo "missing: $needed"; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Test material: pink noise under a tremolo tone mix, stereo, like speech over music.
ffmpeg -nostdin -loglevel error -f lavfi -i "anoisesrc=color=pink:amplitude=0.2:duration=$seconds" \
    -f lavfi -i "sine=frequency=440:duration=$seconds" \
    -filter_complex "[1]tremolo=f=3:d=0.6[t];[0][t]amix=inputs=2,aformat=channel_layouts=stereo" \
    -ar 44100 "$work/source.wav"
ffmpeg -nostdin -loglevel error -i "$work/source.wav" -c:a aac -b:a 128k "$work/talk.m4a"
ffmpeg -nostdin -loglevel error -i "$work/source.wav" -c:a libopus -b:a 64k "$work/talk.opus"

python3 - "$tool" "$work" "$pairs" <<'PY'
import os, statistics, subprocess, sys, time
tool, work, pairs = sys.argv[1], sys.argv[2], int(sys.argv[3])

def timed(cmd):
    start = time.perf_counter()
    subprocess.run(cmd, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return time.perf_counter() - start

print(f"{'file':<10} {'pair':>4} {'ours s':>8} {'ffmpeg s':>9} {'ratio':>6}")
for name in ("talk.m4a", "talk.opus"):
    path = os.path.join(work, name)
    ratios = []
    for pair in range(pairs):
        ours = timed([tool, "convert", path, os.path.join(work, "ours.wav")])
        ref = timed(["ffmpeg", "-nostdin", "-loglevel", "error", "-y", "-i", path,
                     "-c:a", "pcm_s16le", os.path.join(work, "ref.wav")])
        ratios.append(ours / ref)
        print(f"{name:<10} {pair + 1:>4} {ours:8.3f} {ref:9.3f} {ours / ref:6.2f}")
    print(f"{name:<10} median ratio {statistics.median(ratios):.2f} (target <= 1.2)")
PY
