#!/usr/bin/env bash
# Decodes the same MPEG files with `earlark-tool decode` and with `mpg123 -w`, side by side,
# and reports CPU time, speed as a multiple of real time, and our speed relative to mpg123.
# The target: at least 0.8 x mpg123's speed on 128 kbit/s 44.1 kHz stereo layer III.
#
#   bench/decode-vs-mpg123.sh [BUILD_DIR] [SECONDS] [RUNS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
seconds=${2:-120}
runs=${3:-7}
tool=$build/bin/earlark-tool
for needed in "$tool" mpg123 lame sox python3; do
    command -v "$needed" >/dev/null || [ -x "$needed" ] || { echo "missing: $needed"; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Test material: speech-like noise bursts over a tone mix (all subbands busy), stereo.
sox -n -r 44100 -c 2 -b 16 "$work/source.wav" synth "$seconds" pinknoise vol 0.3 \
    synth "$seconds" sine mix 440 synth "$seconds" sine mix 2500 tremolo 3 60
lame --quiet -b 128 "$work/source.wav" "$work/cbr128.mp3"
lame --quiet -V 2 "$work/source.wav" "$work/vbr.mp3"
lame --quiet -m m --resample 22.05 -b 48 "$work/source.wav" "$work/lsf22.mp3"
twolame --quiet -b 192 "$work/source.wav" "$work/layer2.mp2" 2>/dev/null || true

python3 - "$tool" "$work" "$seconds" "$runs" <<'PY'
import os, subprocess, sys
tool, work, seconds, runs = sys.argv[1], sys.argv[2], float(sys.argv[3]), int(sys.argv[4])

def cpu(cmd):
    p = subprocess.Popen(cmd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(p.pid, 0)
    if status != 0:
        raise SystemExit("failed: " + " ".join(cmd))
    return usage.ru_utime + usage.ru_stime

print(f"{'file':<12} {'ours s':>8} {'mpg123 s':>9} {'ours xRT':>9} {'mpg123 xRT':>11} {'ratio':>6}")
for name in ("cbr128.mp3", "vbr.mp3", "lsf22.mp3", "layer2.mp2"):
    path = os.path.join(work, name)
    if not os.path.exists(path):
        continue
    ours, ref = [], []
    for _ in range(runs):  # interleaved, best of N: the machine is shared
        ours.append(cpu([tool, "decode", path, os.path.join(work, "ours.wav")]))
        ref.append(cpu(["mpg123", "-q", "-w", os.path.join(work, "ref.wav"), path]))
    o, r = min(ours), min(ref)
    print(f"{name:<12} {o:8.3f} {r:9.3f} {seconds / o:9.0f} {seconds / r:11.0f} {r / o:6.2f}")
PY
