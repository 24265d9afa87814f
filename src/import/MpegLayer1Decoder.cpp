#include "import/MpegLayer1Decoder.h"

#include "import/MpegLayer2Tables.h"

#include <cstring>

bool MpegLayer1Decoder::Decode(const MpegFrameHeader& header, MpegBitReader& bits,
                               MpegSubbandSamples& out) {
    const int channels = header.Channels();
    const int bound = channels == 2 ? header.JointBound() : 32;
    int allocation[2][32] = {};
    float scale[2][32] = {};
    for (int sb = 0; sb < 32; ++sb) {
        for (int ch = 0; ch < channels; ++ch) {
            if (sb < bound || ch == 0) {
                allocation[ch][sb] = static_cast<int>(bits.Read(4));
            } else {
                allocation[ch][sb] = allocation[0][sb];
            }
            if (allocation[ch][sb] == 15) {
                return false;
            }
        }
    }
    for (int sb = 0; sb < 32; ++sb) {
        for (int ch = 0; ch < channels; ++ch) {
            if (allocation[ch][sb] != 0) {
                scale[ch][sb] = Layer12Scalefactor(static_cast<int>(bits.Read(6)));
            }
        }
    }
    std::memset(out.value, 0, sizeof out.value);
    out.slots = 12;
    for (int s = 0; s < 12; ++s) {
        for (int sb = 0; sb < 32; ++sb) {
            // Above the bound both channels share one coded sample, each with its own scale.
            const int coded = sb < bound ? channels : 1;
            for (int ch = 0; ch < coded; ++ch) {
                const int nb = allocation[ch][sb];
                if (nb == 0) {
                    continue;
                }
                const int code = static_cast<int>(bits.Read(nb + 1));
                const float fraction = Layer12Dequantize(code, (1 << (nb + 1)) - 1);
                out.value[ch][s][sb] = fraction * scale[ch][sb];
                if (coded < channels) {
                    out.value[1][s][sb] = fraction * scale[1][sb];
                }
            }
        }
    }
    return !bits.Overrun();
}
