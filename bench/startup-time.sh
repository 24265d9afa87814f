#!/usr/bin/env bash
# Start-up time of the program with a full study: from process start until the main
# window is shown and rendered (earlark --screenshot shows the window, lets it paint,
# grabs it into a PNG and exits), median of RUNS runs. The study has the most sentences a
# study may hold, 2,000, each with an original text. The target: 300 ms.
#
#   bench/startup-time.sh [BUILD_DIR] [RUNS]
#
# The window is drawn on a real X server started by xvfb-run when it is installed (Debian
# packages xvfb and xauth), else on Qt's offscreen platform; set STARTUP_PLATFORM=offscreen
# to choose the latter. hyperfine runs the timing when installed, else a loop of date +%s%N.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
runs=${2:-10}
target_ms=300
sentences=2000
earlark=$build/bin/earlark
tool=$build/bin/earlark-tool
for needed in "$earlark" "$tool" sox timeout; do
    command -v "$needed" >/dev/null || [ -x "$needed" ] || { echo "missing: $needed"; exit 1; }
done

platform=${STARTUP_PLATFORM:-}
if [ -z "$platform" ]; then
    if command -v xvfb-run >/dev/null && command -v xauth >/dev/null; then
        platform=xvfb
    else
        echo "xvfb-run or xauth missing (Debian packages xvfb, xauth): using the offscreen platform"
        platform=offscreen
    fi
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A recording of 2,000 half-second sentences (8 kHz 16-bit mono, 16,000,000 bytes). Its
# content does not matter: start-up opens the study, not the audio.
sox -n -r 8000 -c 1 -b 16 -e signed-integer "$work/lesson.wav" synth $((sentences / 2)) \
    sine 440 vol 0.3
data_size=$("$tool" wav probe "$work/lesson.wav" | grep -o '"dataSize":[0-9]*' | cut -d: -f2)
bytes_per_sentence=$((data_size / sentences))
for ((i = 0; i < sentences; i++)); do
    start=$((i * bytes_per_sentence))
    printf '%d\t%d\tSentence %d: the North Wind and the Sun were disputing which was the stronger.\n' \
        "$start" $((start + bytes_per_sentence - 1)) $((i + 1))
done > "$work/sentences.tsv"
"$tool" study new "$work/lesson.ekd" --audio "$work/lesson.wav" --data-size "$data_size" \
    --sentences "$work/sentences.tsv"
count=$("$tool" study dump "$work/lesson.ekd" | grep -o '"start":' | wc -l)
[ "$count" -eq "$sentences" ] || { echo "the study holds $count sentences, not $sentences"; exit 1; }

# A home of its own: the settings, recent-file list and cache of the user stay untouched,
# and the single-instance name (from USER, in TMPDIR) cannot meet a copy the user runs.
mkdir -p "$work/home" "$work/tmp"
chmod 700 "$work/tmp"
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_CACHE_HOME=$work/home/.cache
export XDG_RUNTIME_DIR=$work/tmp TMPDIR=$work/tmp USER=earlark-bench
[ "$platform" = offscreen ] && export QT_QPA_PLATFORM=offscreen

# The timed command; a dialog that waits for an answer would hang it, hence the timeout.
cat > "$work/start.sh" <<EOF
#!/usr/bin/env bash
exec timeout 30 "$earlark" --no-splash --screenshot "$work/window.png" "$work/lesson.ekd"
EOF
chmod +x "$work/start.sh"

cat > "$work/measure.sh" <<'EOF'
#!/usr/bin/env bash
# Runs inside the display: one untimed start, then the timed runs; prints the median,
# fastest and slowest run in ms and the timer used.
set -euo pipefail
work=$1
runs=$2
"$work/start.sh" 2>/dev/null
[ -s "$work/window.png" ] || { echo "no window picture: the program did not start" >&2; exit 1; }
if command -v hyperfine >/dev/null; then
    hyperfine --style none --warmup 1 --runs "$runs" --export-json "$work/times.json" \
        "$work/start.sh" >/dev/null 2>&1
    for field in median min max; do
        grep -o "\"$field\": *[0-9.e+-]*" "$work/times.json" | awk -F: '{ printf "%.0f ", $2 * 1000 }'
    done
    echo hyperfine
else
    for ((i = 0; i < runs; i++)); do
        begin=$(date +%s%N)
        "$work/start.sh" 2>/dev/null
        end=$(date +%s%N)
        echo $(((end - begin) / 1000000))
    done | sort -n | awk '{ t[NR] = $1 }
        END { m = NR % 2 ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2
              printf "%.0f %d %d date-loop\n", m, t[1], t[NR] }'
fi
EOF
chmod +x "$work/measure.sh"

if [ "$platform" = xvfb ]; then
    result=$(xvfb-run -a -s "-screen 0 1280x1024x24" "$work/measure.sh" "$work" "$runs")
else
    result=$("$work/measure.sh" "$work" "$runs")
fi
read -r median fastest slowest how <<<"$result"
echo "start-up to the rendered window, $sentences sentences, median of $runs runs" \
    "($platform, $how): $median ms (fastest $fastest, slowest $slowest; target $target_ms ms)"
