#include "import/MpegLayer3SideInfo.h"

#include "import/MpegLayer3Tables.h"

#include <algorithm>

namespace {

bool ReadGranule(const MpegFrameHeader& header, MpegBitReader& bits, Layer3GranuleInfo& g) {
    const bool lsf = header.Lsf();
    g.part23Length = static_cast<int>(bits.Read(12));
    g.bigValues = static_cast<int>(bits.Read(9));
    g.globalGain = static_cast<int>(bits.Read(8));
    g.scalefacCompress = static_cast<int>(bits.Read(lsf ? 9 : 4));
    g.windowSwitching = bits.ReadBit();
    const Layer3Bands& bands = BandsFor(header);
    if (g.windowSwitching) {
        g.blockType = static_cast<int>(bits.Read(2));
        g.mixedBlock = bits.ReadBit();
        g.tableSelect[0] = static_cast<int>(bits.Read(5));
        g.tableSelect[1] = static_cast<int>(bits.Read(5));
        g.tableSelect[2] = 0;
        for (int& gain : g.subblockGain) {
            gain = static_cast<int>(bits.Read(3));
        }
        if (g.blockType == 0) {
            return false;
        }
        if (g.blockType == 2) {
            // Region 0 holds the first three short bands of each window (36 lines, 72 at
            // 8 kHz); there is no region 2.
            g.region1Start = bands.shortBands[3] * 3;
        } else {
            g.region1Start = bands.longBands[8];
        }
        g.region2Start = 576;
    } else {
        g.blockType = 0;
        g.mixedBlock = false;
        for (int i = 0; i < 3; ++i) {
            g.tableSelect[i] = static_cast<int>(bits.Read(5));
        }
        const int region0 = static_cast<int>(bits.Read(4));
        const int region1 = static_cast<int>(bits.Read(3));
        g.region1Start = bands.longBands[std::min(region0 + 1, 22)];
        g.region2Start = bands.longBands[std::min(region0 + region1 + 2, 22)];
    }
    g.preflag = lsf ? false : bits.ReadBit();
    g.scalefacScale = static_cast<int>(bits.Read(1));
    g.count1Table = static_cast<int>(bits.Read(1));
    return g.bigValues <= 288;
}

} // namespace

bool MpegLayer3SideInfo::Read(const MpegFrameHeader& header, MpegBitReader& bits) {
    const int channels = header.Channels();
    const int granules = header.Lsf() ? 1 : 2;
    if (header.Lsf()) {
        mainDataBegin = static_cast<int>(bits.Read(8));
        bits.Skip(channels == 1 ? 1 : 2);
    } else {
        mainDataBegin = static_cast<int>(bits.Read(9));
        bits.Skip(channels == 1 ? 5 : 3);
        for (int ch = 0; ch < channels; ++ch) {
            for (int& band : scfsi[ch]) {
                band = static_cast<int>(bits.Read(1));
            }
        }
    }
    for (int gr = 0; gr < granules; ++gr) {
        for (int ch = 0; ch < channels; ++ch) {
            if (!ReadGranule(header, bits, granule[gr][ch])) {
                return false;
            }
        }
    }
    return !bits.Overrun();
}
