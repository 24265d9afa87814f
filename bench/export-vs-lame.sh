#!/usr/bin/env bash
# Exports a 10-minute 44.1 kHz stereo recording to MP3 at 48 kbit/s through the wave engine
# and the TesselConv encoder library (as a study of 3-second sentences, repetition 1,
# interval 0, speed 100), and encodes the same file with `lame -b 48 --resample 44.1 --nores`
# (the same work: the source's rate, no bit reservoir). Reports the CPU time of each, best of
# RUNS interleaved, and ours / lame. The target: at most 1.1.
#
#   bench/export-vs-lame.sh [BUILD_DIR] [SECONDS] [RUNS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
seconds=${2:-600}
runs=${3:-3}
timer=$build/bin/mp3-export-timer
library=$build/bin/libTesselConv.so
for needed in "$timer" "$library" lame sox python3; do
    command -v "$needed" >/dev/null || [ -e "$needed" ] || { echo "missing: $needed"; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Speech-like material: noise bursts over a tone mix, stereo.
sox -n -r 44100 -c 2 -b 16 "$work/source.wav" synth "$seconds" pinknoise vol 0.3 \
    synth "$seconds" sine mix 440 synth "$seconds" sine mix 2500 tremolo 3 60

python3 - "$timer" "$library" "$work" "$seconds" "$runs" <<'PY'
import os, subprocess, sys
timer, library, work, seconds, runs = sys.argv[1:4] + [float(sys.argv[4]), int(sys.argv[5])]
source = os.path.join(work, "source.wav")

def cpu(cmd):
    p = subprocess.Popen(cmd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(p.pid, 0)
    if status != 0:
        raise SystemExit("failed: " + " ".join(cmd))
    return usage.ru_utime + usage.ru_stime

ours, ref = [], []
for _ in range(runs):  # interleaved, best of N: the machine is shared
    ours.append(cpu([timer, library, source, os.path.join(work, "ours.mp3"), "48", "3"]))
    ref.append(cpu(["lame", "--quiet", "-b", "48", "--resample", "44.1", "--nores",
                    source, os.path.join(work, "lame.mp3")]))
o, r = min(ours), min(ref)
sizes = [os.path.getsize(os.path.join(work, n)) for n in ("ours.mp3", "lame.mp3")]
print(f"{'':<8} {'CPU s':>7} {'x real time':>12} {'bytes':>10}")
print(f"{'ours':<8} {o:7.2f} {seconds / o:12.0f} {sizes[0]:10d}")
print(f"{'lame':<8} {r:7.2f} {seconds / r:12.0f} {sizes[1]:10d}")
print(f"ratio ours / lame: {o / r:.3f} (target <= 1.1)")
PY
