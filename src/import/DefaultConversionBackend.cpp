#include "import/DefaultConversionBackend.h"

#include "audio/CWaveEngine.h"
#include "import/ConvertWaveToPcm.h"
#include "import/DecodeMpegToWave.h"

ConversionBackend DefaultConversionBackend(CWaveEngine& player) {
    ConversionBackend backend;
    backend.probeWave = [&player](const std::string& path) {
        int result = player.OpenWaveFile(path);
        player.CloseWaveFile();
        return result;
    };
    backend.convertWave = [](const std::string& source, const std::string& target) {
        return ConvertWaveToPcm(source, target);
    };
    backend.decodeMpeg = [](const std::string& source, const std::string& target) {
        return DecodeMpegToWave(source, target);
    };
    backend.decodeMedia = [](const std::string& source, const std::string& target,
                             const FfmpegAudioDecoder::Progress& progress) {
        return FfmpegAudioDecoder::Decode(source, target, progress);
    };
    return backend;
}
