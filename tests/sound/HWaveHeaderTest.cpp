// The byte-level reading of RIFF WAVE headers.
#include "sound/HWaveHeader.h"
#include "tests/sound/WaveTestSupport.h"

#include <gtest/gtest.h>

using wavetest::chunk;
using wavetest::pcmFormat;
using wavetest::riff;

namespace {

waveheader::Result readBytes(const std::string& bytes, waveheader::Info* info) {
    return waveheader::read(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(),
                            info);
}

} // namespace

TEST(HWaveHeaderTest, ReadsFormatAndFindsTheData) {
    std::string file = wavetest::simpleWave(std::string(100, 'x'));
    waveheader::Info info;
    ASSERT_EQ(waveheader::OK, readBytes(file, &info));
    EXPECT_STREQ("RIFF", info.riffId);
    EXPECT_EQ(file.size() - 8, info.riffSize);
    EXPECT_STREQ("WAVE", info.formType);
    EXPECT_STREQ("fmt ", info.fmtId);
    EXPECT_EQ(16u, info.fmtSize);
    EXPECT_EQ(1, info.formatTag);
    EXPECT_EQ(1, info.channels);
    EXPECT_EQ(8000u, info.samplesPerSec);
    EXPECT_EQ(8000u, info.avgBytesPerSec);
    EXPECT_EQ(1, info.blockAlign);
    EXPECT_EQ(8, info.bitsPerSample);
    EXPECT_STREQ("data", info.dataId);
    EXPECT_EQ(44u, info.dataOffset);
    EXPECT_EQ(100u, info.dataSize);
    EXPECT_EQ(100u, info.dataSizeField);
}

TEST(HWaveHeaderTest, LongerFormatChunkAndFactChunk) {
    std::string fmt18 = pcmFormat(2, 22050, 16) + wavetest::u16(0);
    waveheader::Info info;
    ASSERT_EQ(waveheader::OK, readBytes(riff(chunk("fmt ", fmt18) + chunk("data", "abcd")), &info));
    EXPECT_EQ(46u, info.dataOffset);
    EXPECT_EQ(4u, info.dataSize);

    std::string withFact =
        riff(chunk("fmt ", fmt18) + chunk("fact", wavetest::u32(2)) + chunk("data", "abcdefgh"));
    ASSERT_EQ(waveheader::OK, readBytes(withFact, &info));
    EXPECT_EQ(46u + 12, info.dataOffset); // after the 12-byte "fact" chunk
    EXPECT_EQ(8u, info.dataSize);

    // A "fact" chunk said to reach the end is left as the current chunk.
    std::string longFact = riff(chunk("fmt ", pcmFormat(1, 8000, 8)) + "fact" +
                                wavetest::u32(0xFFFFFFF0u) + std::string(20, '\0'));
    EXPECT_EQ(waveheader::BAD_DATA, readBytes(longFact, &info));
}

TEST(HWaveHeaderTest, RefusesWhatItCannotPlay) {
    waveheader::Info info;
    std::string good = wavetest::simpleWave("abc");
    EXPECT_EQ(waveheader::TOO_SHORT, readBytes(good.substr(0, 43), &info));

    std::string bigEndian = good;
    bigEndian.replace(0, 4, "RIFX");
    EXPECT_EQ(waveheader::BAD_RIFF, readBytes(bigEndian, &info));
    std::string lower = good;
    lower.replace(8, 4, "wave");
    EXPECT_EQ(waveheader::BAD_RIFF, readBytes(lower, &info));

    std::string noFmt = good;
    noFmt.replace(12, 4, "FMT ");
    EXPECT_EQ(waveheader::BAD_FMT, readBytes(noFmt, &info));

    // Nothing after "fmt ": a header of exactly 44 bytes with no data left.
    EXPECT_EQ(waveheader::BAD_FMT_SIZE,
              readBytes(riff(chunk("fmt ", pcmFormat(1, 8000, 8)) + chunk("data", "")), &info));
    // A "fmt " size that points far beyond the file.
    std::string hugeFmt = good;
    mediatest::putU32(hugeFmt, 16, 0xFFFFFFF8u);
    EXPECT_EQ(waveheader::BAD_FMT_SIZE, readBytes(hugeFmt, &info));

    // Any other chunk between "fmt " and "data" is refused.
    std::string list = riff(chunk("fmt ", pcmFormat(1, 8000, 8)) + chunk("LIST", "INFOabcd") +
                            chunk("data", "abcd"));
    EXPECT_EQ(waveheader::BAD_DATA, readBytes(list, &info));
    EXPECT_STREQ("LIST", info.dataId);
}

TEST(HWaveHeaderTest, DataSizeIsClampedToTheBytesPresent) {
    std::string file = wavetest::simpleWave(std::string(10, 'x'));
    mediatest::putU32(file, 40, 5000);
    waveheader::Info info;
    ASSERT_EQ(waveheader::OK, readBytes(file, &info));
    EXPECT_EQ(5000u, info.dataSizeField);
    EXPECT_EQ(10u, info.dataSize);
    mediatest::putU32(file, 40, 0xFFFFFFFFu);
    ASSERT_EQ(waveheader::OK, readBytes(file, &info));
    EXPECT_EQ(10u, info.dataSize);
}
