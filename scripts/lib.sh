# Shared by scripts/run and scripts/test: install what is missing, configure, build.
# shellcheck shell=bash
set -euo pipefail

EARLARK_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Debian 12 packages: build tools and libraries, a font with Korean, Japanese and Chinese
# characters (the sentence list draws mixed scripts), then the tools the demo study and
# the tests use (speech synthesis, sox, reference decoders and encoders).
EARLARK_PACKAGES=(
    build-essential cmake ninja-build pkg-config clang
    qt6-base-dev libgl-dev portaudio19-dev libmp3lame-dev libgsm1-dev
    fonts-wqy-microhei
    libgtest-dev libgmock-dev libbenchmark-dev
    espeak-ng sox libsox-fmt-all mpg123 lame ffmpeg twolame soundstretch
    jackd2 libsamplerate0-dev
    zlib1g-dev wordnet-base
    libavformat-dev libavcodec-dev libswresample-dev libavutil-dev
)

earlark_sudo() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

earlark_install_packages() {
    local missing=()
    local pkg
    for pkg in "${EARLARK_PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        earlark_sudo env DEBIAN_FRONTEND=noninteractive apt-get update -q
        earlark_sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
    fi
}

# earlark_build DIR [cmake options...]
earlark_build() {
    local dir=$1
    shift
    local launcher=()
    # A compiler cache, where one is installed, makes rebuilds in several checkouts cheap.
    if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache); fi
    cmake -S "$EARLARK_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@"
    cmake --build "$dir" --parallel "$(nproc)"
}
