#!/usr/bin/env bash
# Makes the bundled demo lesson: each sentence of sentences.txt spoken with espeak-ng,
# resampled to 22,050 Hz 16-bit mono with sox and joined with pauses of 0.6 to 1.2 s;
# then a study with one sentence per spoken sentence at its exact byte range.
# usage: make-demo-study.sh SENTENCES OUT_DIR EARLARK_TOOL [KEEP_DIR]
# KEEP_DIR receives the sentence ranges (sentences.tsv) and the other options of
# "earlark-tool study new" (options, one word a line), so that the study can be written
# again naming the recording's installed place.
set -euo pipefail
sentences=$1
out=$2
tool=$3
keep=${4:-}
name="North Wind and Sun"
rate=22050

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"

silence() { # silence FILE SAMPLES
    sox -r $rate -c 1 -n -r $rate -c 1 -b 16 -e signed-integer "$1" trim 0 "${2}s"
}

pieces=()
offset=0 # bytes of PCM data so far
lead=$((rate / 2))
silence "$work/lead.wav" $lead
pieces+=("$work/lead.wav")
offset=$((lead * 2))
: > "$work/sentences.tsv"

i=0
while IFS= read -r text || [ -n "$text" ]; do
    [ -n "$text" ] || continue
    i=$((i + 1))
    espeak-ng -v en-gb -s 145 -w "$work/raw$i.wav" "$text"
    sox "$work/raw$i.wav" -r $rate -c 1 -b 16 -e signed-integer "$work/s$i.wav"
    samples=$(soxi -s "$work/s$i.wav")
    start=$offset
    end=$((offset + samples * 2 - 1))
    printf '%d\t%d\t%s\n' "$start" "$end" "$text" >> "$work/sentences.tsv"
    offset=$((end + 1))
    # Pauses of 0.6, 0.8, 1.0 and 1.2 s in turn.
    pause=$((rate * (6 + 2 * ((i - 1) % 4)) / 10))
    silence "$work/pause$i.wav" $pause
    pieces+=("$work/s$i.wav" "$work/pause$i.wav")
    offset=$((offset + pause * 2))
done < "$sentences"

sox "${pieces[@]}" "$work/joined.wav"
# A plain 44-byte header: sox writes WAVE_FORMAT_PCM for 16-bit mono.
mv "$work/joined.wav" "$out/$name.wav"
datasize=$(( $(soxi -s "$out/$name.wav") * 2 ))
if [ "$datasize" -ne "$offset" ]; then
    echo "demo: joined audio holds $datasize bytes, expected $offset" >&2
    exit 1
fi
audio=$(cd "$out" && pwd)/$name.wav
options=(--data-size "$datasize" --volume 57343)
"$tool" study new "$out/$name.ekd" --audio "$audio" --sentences "$work/sentences.tsv" \
    "${options[@]}"
if [ -n "$keep" ]; then
    mkdir -p "$keep"
    cp "$work/sentences.tsv" "$keep/sentences.tsv"
    printf '%s\n' "${options[@]}" > "$keep/options"
fi
echo "demo: $i sentences, $datasize bytes of audio in $out"
