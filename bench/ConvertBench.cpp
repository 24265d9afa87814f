// Throughput of the PCM conversion: the IMA ADPCM codec alone, and ConvertWaveToPcm over a
// file of IMA ADPCM stereo 44.1 kHz (the side-by-side run against sox is convert-vs-sox.sh).
#include "import/ConversionCodecs.h"
#include "import/ConvertWaveToPcm.h"
#include "platform/ImaAdpcmCodec.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <random>
#include <vector>

namespace {

constexpr int kRate = 44100;
constexpr std::uint16_t kBlockAlign = 2048; // stereo: 2041 frames per block
constexpr std::size_t kFramesPerBlock = 2041;

WaveFormatEx ImaStereo() {
    WaveFormatEx f;
    f.formatTag = WaveFormatEx::kImaAdpcm;
    f.channels = 2;
    f.samplesPerSec = kRate;
    f.blockAlign = kBlockAlign;
    f.avgBytesPerSec = kRate * kBlockAlign / kFramesPerBlock;
    f.bitsPerSample = 4;
    f.extra = {kFramesPerBlock & 0xFF, kFramesPerBlock >> 8};
    return f;
}

// Any bytes are valid IMA ADPCM; keep the step indices in the header in range.
std::vector<std::uint8_t> ImaBlocks(std::size_t blocks) {
    std::mt19937 random(7);
    std::vector<std::uint8_t> data(blocks * kBlockAlign);
    for (auto& b : data) {
        b = static_cast<std::uint8_t>(random());
    }
    for (std::size_t i = 0; i < blocks; ++i) {
        data[i * kBlockAlign + 2] = 40;
        data[i * kBlockAlign + 6] = 40;
    }
    return data;
}

void PutLe(std::vector<std::uint8_t>& out, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
}

std::string WriteImaFile(double seconds) {
    std::size_t blocks = static_cast<std::size_t>(seconds * kRate / kFramesPerBlock) + 1;
    std::vector<std::uint8_t> data = ImaBlocks(blocks);
    std::vector<std::uint8_t> fmt = ImaStereo().ToBytes();
    std::vector<std::uint8_t> file = {'R', 'I', 'F', 'F'};
    PutLe(file, static_cast<std::uint32_t>(4 + 8 + fmt.size() + 12 + 8 + data.size()), 4);
    file.insert(file.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    PutLe(file, static_cast<std::uint32_t>(fmt.size()), 4);
    file.insert(file.end(), fmt.begin(), fmt.end());
    file.insert(file.end(), {'f', 'a', 'c', 't'});
    PutLe(file, 4, 4);
    PutLe(file, static_cast<std::uint32_t>(blocks * kFramesPerBlock), 4);
    file.insert(file.end(), {'d', 'a', 't', 'a'});
    PutLe(file, static_cast<std::uint32_t>(data.size()), 4);
    file.insert(file.end(), data.begin(), data.end());
    std::string path = (std::filesystem::temp_directory_path() / "earlark-bench-ima.wav").string();
    std::FILE* out = std::fopen(path.c_str(), "wb");
    std::fwrite(file.data(), 1, file.size(), out);
    std::fclose(out);
    return path;
}

void BM_ImaAdpcmStereoCodec(benchmark::State& state) {
    std::unique_ptr<AudioCodec> codec = ImaAdpcmCodec::Create(ImaStereo());
    std::vector<std::uint8_t> source = ImaBlocks(22); // about one second, one conversion cycle
    std::vector<std::uint8_t> out(codec->EstimateOutputSize(source.size()));
    for (auto _ : state) {
        CodecConversion done;
        codec->Convert(source, out, AudioCodec::kBlockAlign, &done);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * 22 * kFramesPerBlock);
    state.counters["audio_x_realtime"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * 22 * kFramesPerBlock / kRate,
                           benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ImaAdpcmStereoCodec);

void BM_ConvertWaveToPcmImaStereoMinute(benchmark::State& state) {
    std::string source = WriteImaFile(60);
    std::string destination = source + ".pcm.wav";
    for (auto _ : state) {
        if (!ConvertWaveToPcm(source, destination)) {
            state.SkipWithError("conversion failed");
            break;
        }
    }
    state.counters["audio_x_realtime"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * 60, benchmark::Counter::kIsRate);
    std::filesystem::remove(source);
    std::filesystem::remove(destination);
}
BENCHMARK(BM_ConvertWaveToPcmImaStereoMinute)->Unit(benchmark::kMillisecond);

} // namespace
