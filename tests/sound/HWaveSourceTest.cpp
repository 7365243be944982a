// Loading sounds: files from an outside encoder, and hand-made files for each
// header check with its log line.
#include "sound/HWaveSource.h"
#include "tests/sound/WaveTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

using wavetest::chunk;
using wavetest::pcmFormat;
using wavetest::riff;

namespace {

std::string scratchWave(const std::string& name, const std::string& bytes) {
    std::string path = testsupport::makeScratchDir("wav") + "\\" + name;
    testsupport::writeFile(path, bytes);
    return path;
}

std::string loadedData(const HWaveSource& source) {
    return std::string(source.getData(), source.getDataSize());
}

} // namespace

TEST(HWaveSourceTest, LoadsTheEncodersFiles) {
    struct Expected {
        const char* name;
        int channels;
        int rate;
        int bits;
    };
    const Expected files[] = {{"pcm8-mono.wav", 1, 8000, 8},   {"pcm8-stereo.wav", 2, 8000, 8},
                              {"pcm16-mono.wav", 1, 8000, 16}, {"pcm16-stereo.wav", 2, 8000, 16},
                              {"float32.wav", 1, 4000, 32},    {"list-after-data.wav", 1, 8000, 8}};
    for (const Expected& e : files) {
        std::string path = mediatest::dataFile(std::string("wav\\") + e.name);
        std::string bytes = testsupport::readFile(path);
        HWaveSource source;
        ASSERT_EQ(0, source.loadFromFile(HFile(path))) << e.name;
        WAVEFORMATEX format = source.getFormat();
        EXPECT_EQ(WAVE_FORMAT_PCM, format.wFormatTag) << e.name; // float too
        EXPECT_EQ(e.channels, format.nChannels) << e.name;
        EXPECT_EQ(static_cast<DWORD>(e.rate), format.nSamplesPerSec) << e.name;
        EXPECT_EQ(e.bits, format.wBitsPerSample) << e.name;
        EXPECT_EQ(static_cast<DWORD>(e.rate * e.channels * e.bits / 8), format.nAvgBytesPerSec);
        EXPECT_EQ(wavetest::dataChunk(bytes), loadedData(source)) << e.name;
    }
}

TEST(HWaveSourceTest, LogsTheHeaders) {
    HWaveSource source;
    testsupport::LogTail log;
    ASSERT_EQ(0, source.loadFromFile(HFile(mediatest::dataFile("wav\\float32.wav"))));
    EXPECT_TRUE(log.contains("[RIFF Header] RIFF 4050 WAVE"));
    EXPECT_TRUE(log.contains("[FMT Header] fmt  18 3 1 4000 16000 4 32 data 4000"));
}

TEST(HWaveSourceTest, EachRefusalHasItsLineAndLeavesTheSourceEmpty) {
    struct Case {
        const char* name;
        std::string bytes;
        int result;
        int line;
        const char* text;
    };
    std::string good = wavetest::simpleWave(wavetest::samples(64));
    std::string shortFile = good.substr(0, 43);
    std::string rifx = good;
    rifx.replace(0, 4, "RIFX");
    std::string lower = good;
    lower.replace(8, 4, "wave");
    std::string noFmt = good;
    noFmt.replace(12, 4, "junk");
    std::string fmtSize = riff(chunk("fmt ", pcmFormat(1, 8000, 8))) + std::string(8, '\0');
    mediatest::putU32(fmtSize, 16, 20);
    std::string list = testsupport::readFile(mediatest::dataFile("wav\\list-before-data.wav"));
    const Case cases[] = {
        {"short.wav", shortFile, 1, 37, "loadFromFile:読込失敗"},
        {"rifx.wav", rifx, 2, 53, "loadFromFile:ヘッダ不正[RIFF]"},
        {"lower.wav", lower, 2, 53, "loadFromFile:ヘッダ不正[RIFF]"},
        {"nofmt.wav", noFmt, 2, 72, "loadFromFile:ヘッダ不正[fmt]"},
        {"fmtsize.wav", fmtSize, 2, 82, "loadFromFile:ヘッダ不正[fmtSize]"},
        {"list.wav", list, 2, 104, "loadFromFile:ヘッダ不正[fmt]"},
    };
    for (const Case& c : cases) {
        HWaveSource source;
        ASSERT_EQ(0, source.loadFromFile(HFile(scratchWave("good.wav", good))));
        testsupport::LogTail log;
        EXPECT_EQ(c.result, source.loadFromFile(HFile(scratchWave(c.name, c.bytes)))) << c.name;
        EXPECT_TRUE(log.contains(mediatest::at("HWaveSource", c.line))) << c.name;
        EXPECT_TRUE(log.contains(c.text)) << c.name;
        EXPECT_EQ(0u, source.getDataSize()) << c.name;
        EXPECT_EQ(nullptr, source.getData()) << c.name;
        // The format of the last good file stays.
        EXPECT_EQ(8000u, source.getFormat().nSamplesPerSec) << c.name;
    }
    HWaveSource source;
    std::string dir = testsupport::makeScratchDir("wav");
    EXPECT_EQ(1, source.loadFromFile(HFile(dir + "\\none.wav")));
    EXPECT_EQ(1, source.loadFromFile(HFile(dir)));
}

TEST(HWaveSourceTest, ATruncatedDataChunkKeepsOnlyTheBytesPresent) {
    std::string bytes = wavetest::simpleWave(wavetest::samples(300));
    mediatest::putU32(bytes, 40, 100000);
    HWaveSource source;
    testsupport::LogTail log;
    ASSERT_EQ(0, source.loadFromFile(HFile(scratchWave("cut.wav", bytes))));
    EXPECT_TRUE(log.contains("data 100000")); // the header as written
    EXPECT_EQ(300u, source.getDataSize());
    EXPECT_EQ(wavetest::samples(300), loadedData(source));
}

TEST(HWaveSourceTest, RefusesToReplaceDataInUse) {
    std::string first = scratchWave("a.wav", wavetest::simpleWave(wavetest::samples(50)));
    std::string second = scratchWave("b.wav", wavetest::simpleWave(std::string(80, 'b')));
    HWaveSource source;
    ASSERT_EQ(0, source.loadFromFile(HFile(first)));
    const char* data = source.getData();
    source.setInUse(true);
    testsupport::LogTail log;
    EXPECT_EQ(3, source.loadFromFile(HFile(second)));
    EXPECT_TRUE(log.contains("loadFromFile:再生中のため読込を中止"));
    EXPECT_EQ(data, source.getData());
    EXPECT_EQ(wavetest::samples(50), loadedData(source));
    source.setInUse(false);
    EXPECT_EQ(0, source.loadFromFile(HFile(second)));
    EXPECT_EQ(80u, source.getDataSize());
}
