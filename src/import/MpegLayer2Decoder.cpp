#include "import/MpegLayer2Decoder.h"

#include "import/MpegLayer2Tables.h"

#include <algorithm>
#include <cstring>

namespace {

struct Quantizer {
    int levels = 0;
    int bits = 0;         // per codeword
    bool grouped = false; // three samples in one codeword
};

Quantizer QuantizerFor(int levels) {
    Quantizer q;
    q.levels = levels;
    switch (levels) {
    case 3:
        q.bits = 5;
        q.grouped = true;
        break;
    case 5:
        q.bits = 7;
        q.grouped = true;
        break;
    case 9:
        q.bits = 10;
        q.grouped = true;
        break;
    default:
        while ((1 << q.bits) - 1 < levels) {
            ++q.bits;
        }
    }
    return q;
}

// Reads one triple of codes for a quantizer.
void ReadTriple(MpegBitReader& bits, const Quantizer& q, int codes[3]) {
    if (q.grouped) {
        int word = static_cast<int>(bits.Read(q.bits));
        for (int i = 0; i < 3; ++i) {
            codes[i] = word % q.levels;
            word /= q.levels;
        }
        return;
    }
    for (int i = 0; i < 3; ++i) {
        codes[i] = static_cast<int>(bits.Read(q.bits));
    }
}

struct FrameAllocation {
    Quantizer quantizer[2][32];
    float scale[2][32][3];
};

void ReadScalefactors(MpegBitReader& bits, int sblimit, int channels, FrameAllocation& a) {
    int select[2][32] = {};
    for (int sb = 0; sb < sblimit; ++sb) {
        for (int ch = 0; ch < channels; ++ch) {
            if (a.quantizer[ch][sb].levels != 0) {
                select[ch][sb] = static_cast<int>(bits.Read(2));
            }
        }
    }
    for (int sb = 0; sb < sblimit; ++sb) {
        for (int ch = 0; ch < channels; ++ch) {
            if (a.quantizer[ch][sb].levels == 0) {
                continue;
            }
            float* s = a.scale[ch][sb];
            s[0] = Layer12Scalefactor(static_cast<int>(bits.Read(6)));
            switch (select[ch][sb]) {
            case 0:
                s[1] = Layer12Scalefactor(static_cast<int>(bits.Read(6)));
                s[2] = Layer12Scalefactor(static_cast<int>(bits.Read(6)));
                break;
            case 1:
                s[1] = s[0];
                s[2] = Layer12Scalefactor(static_cast<int>(bits.Read(6)));
                break;
            case 2:
                s[1] = s[2] = s[0];
                break;
            default:
                s[1] = s[2] = Layer12Scalefactor(static_cast<int>(bits.Read(6)));
                break;
            }
        }
    }
}

} // namespace

bool MpegLayer2Decoder::Decode(const MpegFrameHeader& header, MpegBitReader& bits,
                               MpegSubbandSamples& out) {
    const Layer2AllocationTable& table = SelectLayer2Table(header);
    const int channels = header.Channels();
    const int sblimit = table.subbandLimit;
    const int bound = channels == 2 ? std::min(header.JointBound(), sblimit) : sblimit;

    FrameAllocation a{};
    for (int sb = 0; sb < sblimit; ++sb) {
        const int width = table.allocationBits[sb];
        for (int ch = 0; ch < channels; ++ch) {
            if (sb >= bound && ch == 1) {
                a.quantizer[1][sb] = a.quantizer[0][sb];
                continue;
            }
            const int levels = table.levels[sb][bits.Read(width)];
            a.quantizer[ch][sb] = levels == 0 ? Quantizer{} : QuantizerFor(levels);
        }
    }
    ReadScalefactors(bits, sblimit, channels, a);

    std::memset(out.value, 0, sizeof out.value);
    out.slots = 36;
    for (int granule = 0; granule < 12; ++granule) {
        const int part = granule / 4;
        for (int sb = 0; sb < sblimit; ++sb) {
            // Above the bound both channels share one coded triple, each with its own scale.
            const int coded = sb < bound ? channels : 1;
            for (int ch = 0; ch < coded; ++ch) {
                const Quantizer& q = a.quantizer[ch][sb];
                if (q.levels == 0) {
                    continue;
                }
                int codes[3];
                ReadTriple(bits, q, codes);
                for (int i = 0; i < 3; ++i) {
                    const float fraction = Layer12Dequantize(codes[i], q.levels);
                    const int slot = granule * 3 + i;
                    out.value[ch][slot][sb] = fraction * a.scale[ch][sb][part];
                    if (coded < channels) {
                        out.value[1][slot][sb] = fraction * a.scale[1][sb][part];
                    }
                }
            }
        }
    }
    return !bits.Overrun();
}
