#include "MpegTestSupport.h"

#include "import/MpegDecoder.h"
#include "import/MpegFileInput.h"
#include "import/MpegFrameHeader.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace mpegtest {

std::string ScratchDir(const std::string& name) {
    // CTest runs every test in a process of its own, in parallel: each test gets its own
    // folder, named after the test, so no test empties another's.
    std::string owner = "shared";
    if (const auto* test = ::testing::UnitTest::GetInstance()->current_test_info()) {
        owner = std::string(test->test_suite_name()) + "." + test->name();
        std::replace(owner.begin(), owner.end(), '/', '_');
    }
    const std::filesystem::path dir =
        std::filesystem::path(EARLARK_BINARY_DIR) / "test-scratch" / "mpeg" / owner / name;
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir.string();
}

std::vector<std::uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

bool RunQuietly(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

bool HaveTool(const std::string& name) {
    return RunQuietly("command -v " + name);
}

RawDecode DecodeRaw(const std::string& path, int maxFrames) {
    RawDecode raw;
    std::unique_ptr<MpegDecoder> decoder;
    if (MpegDecoderCreate(&decoder) != kMpegSuccess ||
        MpegDecoderRegisterInputModule(*decoder, MpegFileInputModule()) < 0 ||
        MpegDecoderAttachInput(*decoder, path.c_str(), -1) != kMpegSuccess ||
        MpegDecoderOpenInput(*decoder) != kMpegSuccess) {
        return raw;
    }
    while (maxFrames < 0 || static_cast<int>(raw.frameChannels.size()) < maxFrames) {
        const int result = MpegDecoderDecodeFrame(*decoder);
        if (result == kMpegErrorInvalidFrame) {
            ++raw.invalidFrames;
            continue;
        }
        if (result != kMpegSuccess) {
            break;
        }
        const MpegOutputBuffer& out = decoder->OutputBuffer();
        const auto* s = reinterpret_cast<const std::int16_t*>(out.samples);
        raw.samples.insert(raw.samples.end(), s, s + out.size / 2);
        raw.frameChannels.push_back(out.stereo == 1 ? 2 : 1);
    }
    return raw;
}

std::vector<std::int16_t> WaveSamples(const std::vector<std::uint8_t>& wave) {
    std::vector<std::int16_t> samples;
    for (std::size_t i = 44; i + 1 < wave.size(); i += 2) {
        samples.push_back(static_cast<std::int16_t>(wave[i] | wave[i + 1] << 8));
    }
    return samples;
}

namespace {

Accuracy CompareAt(const std::vector<std::int16_t>& ours, const std::vector<std::int16_t>& ref,
                   long shift) {
    Accuracy a;
    a.shift = shift;
    const std::size_t oursStart = shift > 0 ? static_cast<std::size_t>(shift) : 0;
    const std::size_t refStart = shift < 0 ? static_cast<std::size_t>(-shift) : 0;
    if (oursStart >= ours.size() || refStart >= ref.size()) {
        a.rms = 1e9;
        return a;
    }
    a.compared = std::min(ours.size() - oursStart, ref.size() - refStart);
    double sum = 0;
    for (std::size_t i = 0; i < a.compared; ++i) {
        const int d = ours[oursStart + i] - ref[refStart + i];
        sum += static_cast<double>(d) * d;
        a.maxError = std::max(a.maxError, std::abs(d));
    }
    a.rms = a.compared ? std::sqrt(sum / static_cast<double>(a.compared)) : 1e9;
    return a;
}

} // namespace

Accuracy Compare(const std::vector<std::int16_t>& ours, const std::vector<std::int16_t>& ref,
                 std::size_t unit, int maxShiftUnits) {
    Accuracy best;
    best.rms = 1e18;
    for (int k = -maxShiftUnits; k <= maxShiftUnits; ++k) {
        const Accuracy a = CompareAt(ours, ref, k * static_cast<long>(unit));
        if (a.compared > 0 && a.rms < best.rms) {
            best = a;
        }
    }
    return best;
}

const char* AccuracyClass(const Accuracy& a) {
    const double full = std::pow(2.0, -15) / std::sqrt(12.0) * 32768.0;
    const double limited = std::pow(2.0, -11) / std::sqrt(12.0) * 32768.0;
    if (a.compared == 0) {
        return "none";
    }
    if (a.rms < full && a.maxError <= 2) {
        return "full";
    }
    return a.rms < limited ? "limited" : "none";
}

std::uint32_t HeaderWord(int versionBits, int layer, int bitrateIndex, int rateIndex, int mode,
                         bool padding, bool crc) {
    return 0xFFE00000u | static_cast<std::uint32_t>(versionBits) << 19 |
           static_cast<std::uint32_t>(4 - layer) << 17 | (crc ? 0u : 1u) << 16 |
           static_cast<std::uint32_t>(bitrateIndex) << 12 |
           static_cast<std::uint32_t>(rateIndex) << 10 | (padding ? 1u : 0u) << 9 |
           static_cast<std::uint32_t>(mode) << 6;
}

std::vector<std::uint8_t> SilentFrame(std::uint32_t headerWord) {
    MpegFrameHeader header;
    if (!MpegFrameHeader::Parse(headerWord, header)) {
        return {};
    }
    std::vector<std::uint8_t> frame(static_cast<std::size_t>(header.FrameBytes()), 0);
    for (int i = 0; i < 4; ++i) {
        frame[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(headerWord >> (24 - 8 * i));
    }
    return frame;
}

void Append(std::vector<std::uint8_t>& to, const std::vector<std::uint8_t>& bytes, int times) {
    for (int i = 0; i < times; ++i) {
        to.insert(to.end(), bytes.begin(), bytes.end());
    }
}

} // namespace mpegtest
