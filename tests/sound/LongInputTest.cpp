// A long sound: a WAVE file of 5 and then 50 megabytes, written at test time,
// loaded and played for a moment. The player streams from the source's file
// buffer, so the samples must be held once, not twice.
#include "sound/HWavePlayer.h"
#include "sound/HWaveSource.h"
#include "tests/common/LongInputSupport.h"
#include "tests/sound/WaveTestSupport.h"
#include "tests/toolkit/NativeTestSupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

using namespace longinput;

namespace {

// The file once, the player's two one-second buffers and the device's own.
constexpr std::uint64_t WAVE_MEMORY_FACTOR = 1;
constexpr std::uint64_t WAVE_MEMORY_SLACK = 24 * MB;

// 16-bit stereo at 44.1 kHz: 176,400 bytes a second.
const unsigned long RATE = 44100;

// Sample bytes that differ along a 997-byte period (a prime, so no frame of
// the sound lines up with it).
std::string pattern() {
    std::string piece(997, '\0');
    for (std::size_t i = 0; i < piece.size(); ++i) {
        piece[i] = static_cast<char>((i * 7 + 3) & 0xFF);
    }
    return piece;
}

} // namespace

TEST(LongInput, FiftyMegabyteWave) {
    const std::string piece = pattern();
    for (std::uint64_t size : {5 * MB, 50 * MB}) {
        const std::uint64_t dataBytes = size - 44;
        std::string head =
            wavetest::riff(wavetest::chunk("fmt ", wavetest::pcmFormat(2, RATE, 16)));
        head += "data" + wavetest::u32(static_cast<unsigned long>(dataBytes));
        mediatest::putU32(head, 4, static_cast<unsigned long>(size - 8));
        ASSERT_EQ(44u, head.size());
        BigFile file(testsupport::makeScratchDir("wave") + "\\long.wav");
        const std::string& path = file.name();
        ASSERT_TRUE(writeRepeated(path, head, piece, dataBytes));

        wavetest::OwnerWindow owner;
        {
            HWavePlayer player(&owner);
            HWaveSource* source = player.getSource();
            MemoryWatch memory;
            Stopwatch clock;
            ASSERT_EQ(static_cast<int>(HWaveSource::RESULT_LOADED),
                      source->loadFromFile(HFile(path)));
            double loading = clock.milliseconds();
            ASSERT_EQ(dataBytes, source->getDataSize());
            const char* data = source->getData();
            for (std::uint64_t at : {std::uint64_t(0), dataBytes / 2, dataBytes - 1}) {
                ASSERT_EQ(piece[at % piece.size()], data[at]) << at;
            }

            ASSERT_EQ(0, player.startPlay());
            testsupport::pumpMessages(300);
            EXPECT_TRUE(player.isPlaying());
            EXPECT_EQ(0, player.stopPlay());
            EXPECT_TRUE(nativetest::waitFor([&] { return !player.isPlaying(); }, 10000));
            report("WAVE loaded", static_cast<double>(size) / MB, loading, memory.peakGrowth());
            EXPECT_LE(memory.peakGrowth(), WAVE_MEMORY_FACTOR * size + WAVE_MEMORY_SLACK);
            // Stopped, the source keeps its sound for the next start.
            EXPECT_EQ(dataBytes, source->getDataSize());
        }
    }
}

TEST(LongInput, AByteRateOfFourGigabytesDoesNotSizeThePlayersBuffers) {
    // A 5 MB sound whose header says it plays 4 GB a second: one buffer of
    // that size would be reserved and zeroed.
    const std::uint64_t size = 5 * MB;
    std::string format = wavetest::pcmFormat(2, RATE, 16);
    mediatest::putU32(format, 8, 0xFFFFFFFFul);
    std::string head = wavetest::riff(wavetest::chunk("fmt ", format));
    head += "data" + wavetest::u32(static_cast<unsigned long>(size - 44));
    BigFile file(testsupport::makeScratchDir("wave") + "\\rate.wav");
    const std::string& path = file.name();
    ASSERT_TRUE(writeRepeated(path, head, pattern(), size - 44));

    wavetest::OwnerWindow owner;
    HWavePlayer player(&owner);
    ASSERT_EQ(0, player.getSource()->loadFromFile(HFile(path)));
    MemoryWatch memory;
    if (player.startPlay() == 0) {
        testsupport::pumpMessages(300);
        player.stopPlay();
        EXPECT_TRUE(nativetest::waitFor([&] { return !player.isPlaying(); }, 10000));
    }
    report("WAVE claiming 4 GB a second", static_cast<double>(size) / MB, 0, memory.peakGrowth());
    EXPECT_LE(memory.peakGrowth(), WAVE_MEMORY_FACTOR * size + WAVE_MEMORY_SLACK);
}
