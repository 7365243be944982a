// Playback through the real wave-out device. The test run sends the default
// sound device to a raw file (RZ_WAVE_OUT), so what the device received can be
// compared with the data chunk.
#include "sound/HWavePlayer.h"
#include "sound/HWaveSource.h"
#include "tests/sound/WaveTestSupport.h"
#include "tests/toolkit/NativeTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// Where the device's bytes end up, as a Windows path.
std::string captureFile() {
    return testsupport::waveOutFile();
}

std::string scratchWave(const std::string& name, const std::string& bytes) {
    std::string path = testsupport::makeScratchDir("play") + "\\" + name;
    testsupport::writeFile(path, bytes);
    return path;
}

class HWavePlayerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(captureFile().empty()) << "RZ_WAVE_OUT is not set";
        testsupport::removeFile(captureFile());
        player = std::make_unique<HWavePlayer>(&owner);
        // Registered after the player, as the window's own handling is.
        opens = std::make_unique<nativetest::RecordingListener>(MM_WOM_OPEN, &calls, 1);
        dones = std::make_unique<nativetest::RecordingListener>(MM_WOM_DONE, &calls, 2);
        closes = std::make_unique<nativetest::RecordingListener>(MM_WOM_CLOSE, &calls, 3);
        owner.addListener(opens.get());
        owner.addListener(dones.get());
        owner.addListener(closes.get());
    }
    void TearDown() override {
        owner.removeListener(opens.get());
        owner.removeListener(dones.get());
        owner.removeListener(closes.get());
        player.reset();
    }

    int count(int mark) const {
        int n = 0;
        for (int c : calls) {
            n += c == mark;
        }
        return n;
    }

    // Plays the file to its end; the captured device bytes.
    std::string playToEnd(const std::string& path) {
        EXPECT_EQ(0, player->getSource()->loadFromFile(HFile(path)));
        EXPECT_EQ(0, player->startPlay());
        EXPECT_TRUE(player->isPlaying());
        EXPECT_TRUE(nativetest::waitFor([&] { return !player->isPlaying(); }, 15000));
        return testsupport::readFile(captureFile());
    }

    // The device got exactly these bytes, then at most silence.
    void expectPlayed(const std::string& data, const std::string& captured, char silence,
                      const char* what) {
        ASSERT_GE(captured.size(), data.size()) << what;
        EXPECT_TRUE(captured.compare(0, data.size(), data) == 0) << what;
        EXPECT_EQ(std::string::npos, captured.find_first_not_of(silence, data.size())) << what;
    }

    wavetest::OwnerWindow owner;
    std::unique_ptr<HWavePlayer> player;
    std::vector<int> calls;
    std::unique_ptr<nativetest::RecordingListener> opens, dones, closes;
};

} // namespace

TEST_F(HWavePlayerTest, TheDeviceReceivesTheDataChunkOfEachEncoderFile) {
    struct File {
        const char* name;
        char silence;
    };
    const File files[] = {{"pcm8-mono.wav", '\x80'}, {"pcm8-stereo.wav", '\x80'},
                          {"pcm16-mono.wav", '\0'},  {"pcm16-stereo.wav", '\0'},
                          {"float32.wav", '\0'},     {"list-after-data.wav", '\x80'}};
    for (const File& f : files) {
        std::string path = mediatest::dataFile(std::string("wav\\") + f.name);
        testsupport::removeFile(captureFile());
        std::string captured = playToEnd(path);
        ASSERT_NO_FATAL_FAILURE(expectPlayed(wavetest::dataChunk(testsupport::readFile(path)),
                                             captured, f.silence, f.name));
    }
}

TEST_F(HWavePlayerTest, AShortSoundUsesOneShortenedBuffer) {
    std::string data = wavetest::samples(3000); // under one second at 8000 bytes a second
    std::string captured = playToEnd(scratchWave("short.wav", wavetest::simpleWave(data)));
    ASSERT_NO_FATAL_FAILURE(expectPlayed(data, captured, '\x80', "short"));
    EXPECT_EQ(1, count(1));
    EXPECT_EQ(1, count(2)); // the second header was never written
    EXPECT_EQ(1, count(3));
    EXPECT_EQ(3000u, player->getPosition());
}

TEST_F(HWavePlayerTest, ATwoSecondSoundClosesAfterTheSecondDoneMessage) {
    std::string data = wavetest::samples(16000);
    std::string captured = playToEnd(scratchWave("two.wav", wavetest::simpleWave(data)));
    ASSERT_NO_FATAL_FAILURE(expectPlayed(data, captured, '\x80', "two seconds"));
    EXPECT_EQ(2, count(2));
    EXPECT_EQ(1, count(3));
    EXPECT_EQ((std::vector<int>{1, 2, 2, 3}), calls);
}

TEST_F(HWavePlayerTest, LongerSoundsRefillTheBuffers) {
    std::string data = wavetest::samples(8000 * 2 + 3500);
    std::string captured = playToEnd(scratchWave("long.wav", wavetest::simpleWave(data)));
    ASSERT_NO_FATAL_FAILURE(expectPlayed(data, captured, '\x80', "two and a half seconds"));
    EXPECT_EQ(3, count(2));
}

TEST_F(HWavePlayerTest, ATruncatedDataChunkPlaysOnlyTheBytesPresent) {
    std::string data = wavetest::samples(1200);
    std::string file = wavetest::simpleWave(data);
    mediatest::putU32(file, 40, 60000);
    std::string captured = playToEnd(scratchWave("cut.wav", file));
    ASSERT_NO_FATAL_FAILURE(expectPlayed(data, captured, '\x80', "truncated"));
}

TEST_F(HWavePlayerTest, StartWhilePlayingNeitherRestartsNorOverlaps) {
    std::string data = wavetest::samples(6000);
    ASSERT_EQ(0, player->getSource()->loadFromFile(
                     HFile(scratchWave("once.wav", wavetest::simpleWave(data)))));
    ASSERT_EQ(0, player->startPlay());
    testsupport::pumpMessages(100);
    EXPECT_EQ(0, player->startPlay());
    EXPECT_TRUE(player->isPlaying());
    ASSERT_TRUE(nativetest::waitFor([&] { return !player->isPlaying(); }, 15000));
    ASSERT_NO_FATAL_FAILURE(
        expectPlayed(data, testsupport::readFile(captureFile()), '\x80', "once"));
    EXPECT_EQ(1, count(1));
}

TEST_F(HWavePlayerTest, LoadingWhilePlayingIsRefusedAndTheSoundGoesOn) {
    std::string data = wavetest::samples(12000);
    ASSERT_EQ(0, player->getSource()->loadFromFile(
                     HFile(scratchWave("first.wav", wavetest::simpleWave(data)))));
    ASSERT_EQ(0, player->startPlay());
    testsupport::pumpMessages(200);
    std::string other = scratchWave("other.wav", wavetest::simpleWave(std::string(100, 'z')));
    EXPECT_EQ(3, player->getSource()->loadFromFile(HFile(other)));
    ASSERT_TRUE(nativetest::waitFor([&] { return !player->isPlaying(); }, 15000));
    ASSERT_NO_FATAL_FAILURE(
        expectPlayed(data, testsupport::readFile(captureFile()), '\x80', "first"));
    // Once the device is closed the source takes new files again.
    EXPECT_EQ(0, player->getSource()->loadFromFile(HFile(other)));
}

TEST_F(HWavePlayerTest, StopPlayEndsTheSoundEarly) {
    EXPECT_EQ(1, player->stopPlay());
    std::string data = wavetest::samples(40000); // five seconds
    ASSERT_EQ(0, player->getSource()->loadFromFile(
                     HFile(scratchWave("stop.wav", wavetest::simpleWave(data)))));
    ASSERT_EQ(0, player->startPlay());
    ASSERT_TRUE(nativetest::waitFor([&] { return count(2) >= 1; }, 5000));
    EXPECT_EQ(0, player->stopPlay());
    std::uint32_t stoppedAt = player->getPosition();
    ASSERT_TRUE(nativetest::waitFor([&] { return !player->isPlaying(); }, 5000));
    EXPECT_EQ(stoppedAt, player->getPosition()); // no buffer queued after the stop
    EXPECT_LT(stoppedAt, data.size());
    EXPECT_EQ(1, player->stopPlay());
    std::string captured = testsupport::readFile(captureFile());
    EXPECT_LT(captured.size(), data.size());
}

TEST_F(HWavePlayerTest, CloseIsHeldBackUntilTheDeviceHasClosed) {
    struct CloseWatch : HEventListener {
        CloseWatch(HWavePlayer* p) : HEventListener(HEventType::byName("WM_CLOSE")), player(p) {}
        bool handleEvent(HWND, UINT, WPARAM, LPARAM, HComponent*, LRESULT*) override {
            seen++;
            playingWhenSeen = player->isPlaying();
            return true;
        }
        HWavePlayer* player;
        int seen = 0;
        bool playingWhenSeen = true;
    } watch(player.get());
    owner.addListener(&watch);

    std::string data = wavetest::samples(24000);
    ASSERT_EQ(0, player->getSource()->loadFromFile(
                     HFile(scratchWave("close.wav", wavetest::simpleWave(data)))));
    ASSERT_EQ(0, player->startPlay());
    testsupport::pumpMessages(200);
    SendMessageA(owner.getHandle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(0, watch.seen); // held back
    EXPECT_TRUE(IsWindow(owner.native));
    ASSERT_TRUE(nativetest::waitFor([&] { return !IsWindow(owner.native); }, 5000));
    EXPECT_FALSE(player->isPlaying());
    EXPECT_EQ(1, watch.seen);
    EXPECT_FALSE(watch.playingWhenSeen);
    EXPECT_LT(testsupport::readFile(captureFile()).size(), data.size());
    owner.removeListener(&watch);
}

TEST_F(HWavePlayerTest, WithoutADeviceCloseIsNotTouched) {
    LRESULT result = owner.handleMessage(owner.getHandle(), WM_CLOSE, 0, 0, false);
    EXPECT_EQ(0, result); // answered by the default procedure, which closes
    EXPECT_FALSE(IsWindow(owner.native));
}

TEST_F(HWavePlayerTest, NothingToPlay) {
    testsupport::LogTail log;
    EXPECT_EQ(1, player->startPlay());
    EXPECT_TRUE(log.contains(mediatest::at("HWavePlayer", 63)));
    EXPECT_TRUE(log.contains("startPlay:Wave音源未設定"));
    EXPECT_FALSE(player->isPlaying());

    // Without an owner window the device could never report back.
    HWavePlayer orphan(nullptr);
    ASSERT_EQ(0, orphan.getSource()->loadFromFile(HFile(
                     scratchWave("orphan.wav", wavetest::simpleWave(wavetest::samples(100))))));
    EXPECT_EQ(1, orphan.startPlay());
    EXPECT_FALSE(orphan.isPlaying());

    // After a failed load, too.
    std::string bad = scratchWave("bad.wav", std::string(50, 'x'));
    EXPECT_EQ(2, player->getSource()->loadFromFile(HFile(bad)));
    EXPECT_EQ(1, player->startPlay());
}

TEST_F(HWavePlayerTest, AFormatTheDeviceRefusesIsLoggedAndReported) {
    // 64-bit integer samples: nothing a device takes.
    std::string format = wavetest::u16(1) + wavetest::u16(1) + wavetest::u32(8000) +
                         wavetest::u32(64000) + wavetest::u16(8) + wavetest::u16(64);
    std::string file = wavetest::riff(wavetest::chunk("fmt ", format) +
                                      wavetest::chunk("data", wavetest::samples(300)));
    ASSERT_EQ(0, player->getSource()->loadFromFile(HFile(scratchWave("odd.wav", file))));
    testsupport::LogTail log;
    EXPECT_EQ(1, player->startPlay());
    EXPECT_TRUE(log.contains(mediatest::at("HWavePlayer", 104)));
    EXPECT_TRUE(log.contains("startPlay error:サポートされていない形式"));
    EXPECT_FALSE(player->isPlaying());

    // A refusal outside the listed ones is not logged, nor reported as started.
    std::string noRate = wavetest::riff(wavetest::chunk("fmt ", wavetest::pcmFormat(1, 0, 8)) +
                                        wavetest::chunk("data", wavetest::samples(300)));
    mediatest::putU32(noRate, 28, 8000);
    ASSERT_EQ(0, player->getSource()->loadFromFile(HFile(scratchWave("norate.wav", noRate))));
    testsupport::LogTail log2;
    EXPECT_EQ(1, player->startPlay());
    EXPECT_FALSE(log2.contains("startPlay error:"));
    EXPECT_FALSE(player->isPlaying());
}

TEST_F(HWavePlayerTest, DeletingAPlayingPlayerClosesTheDevice) {
    ASSERT_EQ(0, player->getSource()->loadFromFile(HFile(
                     scratchWave("gone.wav", wavetest::simpleWave(wavetest::samples(16000))))));
    ASSERT_EQ(0, player->startPlay());
    testsupport::pumpMessages(200);
    player.reset();
    // Messages the device had already posted find no player.
    testsupport::pumpMessages(300);
    HWavePlayer next(&owner);
    ASSERT_EQ(0, next.getSource()->loadFromFile(
                     HFile(scratchWave("next.wav", wavetest::simpleWave(wavetest::samples(100))))));
    EXPECT_EQ(0, next.startPlay());
    EXPECT_TRUE(nativetest::waitFor([&] { return !next.isPlaying(); }, 5000));
}
