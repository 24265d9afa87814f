#include "import/MpegLayer3Scalefactors.h"

#include "import/MpegLayer3Tables.h"

namespace {

void ReadShortBands(MpegBitReader& bits, int first, int last, int slen, Layer3Scalefactors& sf) {
    for (int band = first; band < last; ++band) {
        for (int w = 0; w < 3; ++w) {
            sf.shortBand[band][w] = static_cast<int>(bits.Read(slen));
        }
    }
}

// Splits the 9-bit scalefac_compress of the lower sampling frequencies into the four
// partition lengths and the partition table (ISO/IEC 13818-3 2.4.3.2).
int SplitLsfCompress(int compress, bool intensityRight, int slen[4], bool& preflag) {
    preflag = false;
    if (intensityRight) {
        const int c = compress >> 1;
        if (c < 180) {
            slen[0] = c / 36;
            slen[1] = (c % 36) / 6;
            slen[2] = c % 6;
            slen[3] = 0;
            return 3;
        }
        if (c < 244) {
            const int d = c - 180;
            slen[0] = (d % 64) >> 4;
            slen[1] = (d % 16) >> 2;
            slen[2] = d % 4;
            slen[3] = 0;
            return 4;
        }
        const int d = c - 244;
        slen[0] = d / 3;
        slen[1] = d % 3;
        slen[2] = slen[3] = 0;
        return 5;
    }
    if (compress < 400) {
        slen[0] = (compress >> 4) / 5;
        slen[1] = (compress >> 4) % 5;
        slen[2] = (compress % 16) >> 2;
        slen[3] = compress % 4;
        return 0;
    }
    if (compress < 500) {
        const int d = compress - 400;
        slen[0] = (d >> 2) / 5;
        slen[1] = (d >> 2) % 5;
        slen[2] = d % 4;
        slen[3] = 0;
        return 1;
    }
    const int d = compress - 500;
    slen[0] = d / 3;
    slen[1] = d % 3;
    slen[2] = slen[3] = 0;
    preflag = true;
    return 2;
}

} // namespace

void MpegLayer3Scalefactors::ReadMpeg1(MpegBitReader& bits, const Layer3GranuleInfo& g,
                                       const int scfsi[4], int granule, Layer3Scalefactors& sf) {
    const int slen1 = kLayer3Slen1[g.scalefacCompress];
    const int slen2 = kLayer3Slen2[g.scalefacCompress];
    for (int band = 0; band < 22; ++band) {
        sf.longIllegal[band] = 7;
    }
    for (int band = 0; band < 13; ++band) {
        sf.shortIllegal[band] = 7;
    }
    if (g.ShortBlocks()) {
        int firstShort = 0;
        if (g.mixedBlock) {
            for (int band = 0; band < 8; ++band) {
                sf.longBand[band] = static_cast<int>(bits.Read(slen1));
            }
            firstShort = 3;
        }
        ReadShortBands(bits, firstShort, 6, slen1, sf);
        ReadShortBands(bits, 6, 12, slen2, sf);
        sf.shortBand[12][0] = sf.shortBand[12][1] = sf.shortBand[12][2] = 0;
        return;
    }
    static const int kGroupStart[5] = {0, 6, 11, 16, 21};
    for (int group = 0; group < 4; ++group) {
        if (granule == 1 && scfsi[group]) {
            continue; // reuse the first granule's values
        }
        const int slen = group < 2 ? slen1 : slen2;
        for (int band = kGroupStart[group]; band < kGroupStart[group + 1]; ++band) {
            sf.longBand[band] = static_cast<int>(bits.Read(slen));
        }
    }
    sf.longBand[21] = 0;
}

void MpegLayer3Scalefactors::ReadLsf(MpegBitReader& bits, Layer3GranuleInfo& g, bool intensityRight,
                                     Layer3Scalefactors& sf) {
    int slen[4];
    bool preflag = false;
    const int table = SplitLsfCompress(g.scalefacCompress, intensityRight, slen, preflag);
    g.preflag = preflag;
    const int kind = g.ShortBlocks() ? (g.mixedBlock ? 2 : 1) : 0;
    const signed char* partitions = kLayer3LsfPartitions[table][kind];

    sf = Layer3Scalefactors{};
    sf.intensityScale = g.scalefacCompress & 1;
    int index = 0; // running count of values read
    for (int p = 0; p < 4; ++p) {
        const int illegal = (1 << slen[p]) - 1;
        for (int n = 0; n < partitions[p]; ++n, ++index) {
            const int value = static_cast<int>(bits.Read(slen[p]));
            if (kind == 0) {
                sf.longBand[index] = value;
                sf.longIllegal[index] = illegal;
            } else if (kind == 2 && index < 6) {
                sf.longBand[index] = value;
                sf.longIllegal[index] = illegal;
            } else {
                const int shortIndex = kind == 2 ? index - 6 + 9 : index;
                sf.shortBand[shortIndex / 3][shortIndex % 3] = value;
                sf.shortIllegal[shortIndex / 3] = illegal;
            }
        }
    }
}
