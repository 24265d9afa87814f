#include "import/MpegLayer3Decoder.h"

#include "import/MpegBitReader.h"
#include "import/MpegHuffmanDecoder.h"
#include "import/MpegLayer3Requantizer.h"
#include "import/MpegLayer3SideInfo.h"
#include "import/MpegLayer3Stereo.h"
#include "import/MpegLayer3Tables.h"

#include <algorithm>

namespace {

struct GranuleData {
    int values[2][576];
    float xr[2][576];
    int count[2];
};

} // namespace

void MpegLayer3Decoder::Reset() {
    m_reservoir.clear();
    m_hybrid[0].Reset();
    m_hybrid[1].Reset();
    m_scalefactors[0] = m_scalefactors[1] = Layer3Scalefactors{};
    m_channels = 0;
}

void MpegLayer3Decoder::KeepForReservoir(const std::uint8_t* data, std::size_t size) {
    m_reservoir.insert(m_reservoir.end(), data, data + size);
    if (m_reservoir.size() > kReservoirBytes) {
        m_reservoir.erase(m_reservoir.begin(),
                          m_reservoir.end() - static_cast<std::ptrdiff_t>(kReservoirBytes));
    }
}

MpegLayer3Decoder::Result MpegLayer3Decoder::DecodeFrame(const MpegFrameHeader& header,
                                                         const std::uint8_t* frame, int size,
                                                         MpegSubbandSamples& out) {
    if (header.Channels() != m_channels) {
        // A change between mono and stereo: the second channel's history is stale.
        m_hybrid[1].Reset();
        m_channels = header.Channels();
    }
    const int sideStart = 4 + (header.crc ? 2 : 0);
    const int mainStart = sideStart + header.SideInfoBytes();
    if (size < mainStart) {
        return Result::kCorrupt;
    }
    MpegBitReader sideBits(frame + sideStart, static_cast<std::size_t>(header.SideInfoBytes()));
    MpegLayer3SideInfo side;
    const bool sideOk = side.Read(header, sideBits);
    const std::uint8_t* main = frame + mainStart;
    const std::size_t mainSize = static_cast<std::size_t>(size - mainStart);

    const std::size_t begin = static_cast<std::size_t>(side.mainDataBegin);
    const bool haveReservoir = begin <= m_reservoir.size();
    if (sideOk && haveReservoir) {
        m_mainData.assign(m_reservoir.end() - static_cast<std::ptrdiff_t>(begin),
                          m_reservoir.end());
        m_mainData.insert(m_mainData.end(), main, main + mainSize);
    }
    KeepForReservoir(main, mainSize);
    if (!sideOk) {
        return Result::kCorrupt;
    }
    if (!haveReservoir) {
        return Result::kMissingReservoir;
    }
    m_side = side;
    return DecodeMainData(header, out) ? Result::kDecoded : Result::kCorrupt;
}

bool MpegLayer3Decoder::DecodeMainData(const MpegFrameHeader& header, MpegSubbandSamples& out) {
    const int channels = header.Channels();
    const int granules = header.Lsf() ? 1 : 2;
    const Layer3Bands& bands = BandsFor(header);
    const bool intensity =
        header.mode == MpegFrameHeader::kJointStereo && (header.modeExtension & 1) != 0;
    MpegBitReader bits(m_mainData.data(), m_mainData.size());
    GranuleData data;
    std::size_t position = 0;
    out.slots = 18 * granules;
    for (int gr = 0; gr < granules; ++gr) {
        for (int ch = 0; ch < channels; ++ch) {
            Layer3GranuleInfo& g = m_side.granule[gr][ch];
            bits.SetPosition(position);
            if (header.Lsf()) {
                MpegLayer3Scalefactors::ReadLsf(bits, g, intensity && ch == 1, m_scalefactors[ch]);
            } else {
                MpegLayer3Scalefactors::ReadMpeg1(bits, g, m_side.scfsi[ch], gr,
                                                  m_scalefactors[ch]);
            }
            const std::size_t end = position + static_cast<std::size_t>(g.part23Length);
            if (end > bits.SizeBits() || bits.Position() > end) {
                return false;
            }
            data.count[ch] = MpegHuffmanDecoder::DecodeSpectrum(bits, g, end, data.values[ch]);
            MpegLayer3Requantizer::Requantize(g, m_scalefactors[ch], bands, data.values[ch],
                                              data.count[ch], data.xr[ch]);
            position = end;
        }
        if (channels == 2) {
            MpegLayer3Stereo::Process(header, m_side.granule[gr][1], m_scalefactors[1], bands,
                                      data.xr[0], data.xr[1], data.count);
        }
        for (int ch = 0; ch < channels; ++ch) {
            const Layer3GranuleInfo& g = m_side.granule[gr][ch];
            MpegLayer3Requantizer::Reorder(g, bands, data.xr[ch]);
            const int count = g.ShortBlocks() ? 576 : data.count[ch];
            m_hybrid[ch].Process(g, data.xr[ch], count, out.value[ch] + gr * 18);
        }
    }
    return true;
}
