#include "MpegTestSupport.h"

#include "import/MpegLayer3Stereo.h"

#include <gtest/gtest.h>

#include <cmath>

using mpegtest::HeaderWord;

namespace {

struct Spectrum {
    float left[576];
    float right[576];
    int count[2] = {576, 576};
};

MpegFrameHeader JointHeader(int versionBits, int modeExtension) {
    MpegFrameHeader h;
    EXPECT_TRUE(MpegFrameHeader::Parse(
        HeaderWord(versionBits, 3, 9, 0, 1) | static_cast<std::uint32_t>(modeExtension) << 4, h));
    return h;
}

// Left holds 1.0 everywhere; right holds 0.5 up to line `rightEnd`, zero above.
Spectrum Make(int rightEnd) {
    Spectrum s;
    for (int i = 0; i < 576; ++i) {
        s.left[i] = 1.0f;
        s.right[i] = i < rightEnd ? 0.5f : 0.0f;
    }
    return s;
}

} // namespace

TEST(MpegLayer3StereoTest, MidSideGivesSumAndDifferenceOverRootTwo) {
    const MpegFrameHeader h = JointHeader(3, 2);
    Spectrum s = Make(576);
    Layer3GranuleInfo g;
    Layer3Scalefactors sf;
    MpegLayer3Stereo::Process(h, g, sf, BandsFor(h), s.left, s.right, s.count);
    EXPECT_FLOAT_EQ(s.left[100], 1.5f / std::sqrt(2.0f));
    EXPECT_FLOAT_EQ(s.right[100], 0.5f / std::sqrt(2.0f));
}

// MPEG-1 intensity above the right channel's last non-zero band: the ratio left/right is
// tan(position * pi / 12), so position 0 puts the signal in the right channel only, 6 in
// the left only, 3 in both equally; 7 is not an intensity position (mid/side applies).
TEST(MpegLayer3StereoTest, Mpeg1IntensityPositionsSplitTheSignal) {
    const MpegFrameHeader h = JointHeader(3, 3);
    const Layer3Bands& bands = BandsFor(h);
    Spectrum s = Make(bands.longBands[10]); // bands 0..9 coded in both channels
    Layer3GranuleInfo g;
    Layer3Scalefactors sf;
    for (int b = 0; b < 22; ++b) {
        sf.longIllegal[b] = 7;
    }
    sf.longBand[10] = 0;
    sf.longBand[11] = 6;
    sf.longBand[12] = 3;
    sf.longBand[13] = 7;
    MpegLayer3Stereo::Process(h, g, sf, bands, s.left, s.right, s.count);
    const int b10 = bands.longBands[10], b11 = bands.longBands[11];
    const int b12 = bands.longBands[12], b13 = bands.longBands[13];
    EXPECT_FLOAT_EQ(s.left[b10], 0.0f);
    EXPECT_FLOAT_EQ(s.right[b10], 1.0f);
    EXPECT_FLOAT_EQ(s.left[b11], 1.0f);
    EXPECT_NEAR(s.right[b11], 0.0f, 1e-6);
    EXPECT_FLOAT_EQ(s.left[b12], 0.5f);
    EXPECT_FLOAT_EQ(s.right[b12], 0.5f);
    EXPECT_FLOAT_EQ(s.left[b13], 1.0f / std::sqrt(2.0f)); // mid/side with side 0
    EXPECT_FLOAT_EQ(s.right[b13], 1.0f / std::sqrt(2.0f));
    EXPECT_FLOAT_EQ(s.left[0], 1.5f / std::sqrt(2.0f)); // below the bound: mid/side
}

// Lower sampling frequencies: odd positions scale the left channel, even ones the right,
// by powers of 2^-1/4 (intensity_scale 0) or 2^-1/2 (intensity_scale 1).
TEST(MpegLayer3StereoTest, LsfIntensityPositionsScaleOneChannel) {
    const MpegFrameHeader h = JointHeader(2, 1);
    const Layer3Bands& bands = BandsFor(h);
    Spectrum s = Make(bands.longBands[10]);
    Layer3GranuleInfo g;
    Layer3Scalefactors sf;
    sf.intensityScale = 1;
    for (int b = 0; b < 22; ++b) {
        sf.longIllegal[b] = 15;
    }
    sf.longBand[10] = 3;  // left x 2^-1
    sf.longBand[11] = 4;  // right x 2^-1
    sf.longBand[12] = 15; // not intensity, and no mid/side: unchanged
    MpegLayer3Stereo::Process(h, g, sf, bands, s.left, s.right, s.count);
    EXPECT_FLOAT_EQ(s.left[bands.longBands[10]], 0.5f);
    EXPECT_FLOAT_EQ(s.right[bands.longBands[10]], 1.0f);
    EXPECT_FLOAT_EQ(s.left[bands.longBands[11]], 1.0f);
    EXPECT_FLOAT_EQ(s.right[bands.longBands[11]], 0.5f);
    EXPECT_FLOAT_EQ(s.left[bands.longBands[12]], 1.0f);
    EXPECT_FLOAT_EQ(s.right[bands.longBands[12]], 0.0f);
}

// The last long band has no scalefactor. When the band below is intensity coded it takes
// that position; when it is not, MPEG-1 treats the last band as not intensity coded and the
// lower sampling frequencies use equal weights.
TEST(MpegLayer3StereoTest, LastBandFollowsTheBandBelowOrItsOwnRule) {
    for (int versionBits : {3, 2}) {
        const MpegFrameHeader h = JointHeader(versionBits, 3);
        const Layer3Bands& bands = BandsFor(h);
        Layer3GranuleInfo g;
        Layer3Scalefactors sf;
        for (int b = 0; b < 22; ++b) {
            sf.longIllegal[b] = versionBits == 3 ? 7 : 15;
        }
        sf.longBand[20] = versionBits == 3 ? 0 : 1; // all to the left / left x 2^-1/4

        Spectrum below = Make(bands.longBands[20]); // band 20 is intensity coded
        MpegLayer3Stereo::Process(h, g, sf, bands, below.left, below.right, below.count);
        EXPECT_FLOAT_EQ(below.left[575], below.left[bands.longBands[20]]);
        EXPECT_FLOAT_EQ(below.right[575], below.right[bands.longBands[20]]);

        Spectrum alone = Make(bands.longBands[21]); // only band 21 is above the bound
        MpegLayer3Stereo::Process(h, g, sf, bands, alone.left, alone.right, alone.count);
        const float expected = versionBits == 3 ? 1.0f / std::sqrt(2.0f) : 1.0f;
        EXPECT_FLOAT_EQ(alone.left[575], expected) << versionBits;
        EXPECT_FLOAT_EQ(alone.right[575], expected) << versionBits;
    }
}
