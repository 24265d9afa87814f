#include "import/ConvertWaveToPcm.h"

#include "import/ConversionCodecs.h"
#include "import/PcmConversion.h"

bool ConvertWaveToPcm(const std::string& sourcePath, const std::string& destinationPath) {
    return ConvertWaveToPcm(sourcePath, destinationPath, ConversionCodecs(), nullptr);
}

bool ConvertWaveToPcm(const std::string& sourcePath, const std::string& destinationPath,
                      const CodecService& codecs, PcmConversionReport* report) {
    PcmConversion conversion(codecs);
    bool ok = conversion.Run(sourcePath, destinationPath);
    if (report) {
        report->format = conversion.DestinationFormat();
        report->sampleCount = conversion.SampleCount();
        report->error = conversion.Error();
    }
    return ok;
}
