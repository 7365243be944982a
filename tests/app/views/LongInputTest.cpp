// Big pictures in the spell preview, written at test time: a 4,000-pixel square
// picture cut into 32-pixel cells has 15,625 frames, and a 16,000-pixel one is
// refused by the loader.
#include "app/data/RZMagic.h"
#include "app/views/RZImageView.h"
#include "tests/app/views/EditorHarness.h"
#include "tests/common/LongInputSupport.h"
#include "tests/common/TestSupport.h"
#include "toolkit/HImage.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

using namespace editortest;
using namespace longinput;

namespace {

// The picture (4 bytes a pixel), its loading copy, and the strip with its
// mask and the mask's working copies; the strip is held to a fixed size.
constexpr std::uint64_t PREVIEW_MEMORY_SLACK = 64 * MB;
std::uint64_t previewMemoryBound(std::uint64_t fileBytes, std::uint64_t pixels) {
    return fileBytes + 8 * pixels + 4 * RZImageView::MAX_STRIP_PIXELS * 4 + PREVIEW_MEMORY_SLACK;
}

class LongInputPreview : public ::testing::Test {
  protected:
    void SetUp() override {
        editor = new Editor();
        view = static_cast<RZImageView*>(editor->control(131));
    }
    void TearDown() override {
        view->setUserObject(nullptr);
        delete entry;
        delete editor;
    }
    // Shows an entry whose replacement picture is the file at path.
    void show(const std::string& path, int area, std::uint64_t bytes, int side, const char* what) {
        ZDMagic record;
        record.setIndex(0);
        record.setPicture("MAGIC0.BMP");
        record.setArea(area);
        delete entry;
        entry = new RZMagic(record);
        entry->setPictureReplacement(HFile(path));
        MemoryWatch memory;
        Stopwatch clock;
        view->setUserObject(entry);
        view->restartTimerAnimation();
        double elapsed = clock.milliseconds();
        report(what, static_cast<double>(bytes) / MB, elapsed, memory.peakGrowth());
        std::uint64_t pixels = static_cast<std::uint64_t>(side) * static_cast<std::uint64_t>(side);
        EXPECT_LE(memory.peakGrowth(), previewMemoryBound(bytes, pixels)) << what;
    }
    COLORREF pixel(int x, int y) { return GetPixel(view->getImage()->getDC(), x, y); }

    Editor* editor = nullptr;
    RZImageView* view = nullptr;
    RZMagic* entry = nullptr;
};

} // namespace

TEST_F(LongInputPreview, AFourThousandPixelPictureAnimatesTheFramesAStripHolds) {
    std::string path = testsupport::makeScratchDir("preview") + "\\big.bmp";
    std::uint64_t bytes = writeOneBitPicture(path, 4000);
    ASSERT_NE(0u, bytes);

    // Single cells: 32 x 32 frames; the strip ends in its black frame.
    show(path, 1, bytes, 4000, "preview of 4000 x 4000, 32-pixel frames");
    int frames = view->getFrameCount();
    EXPECT_EQ(32, view->getFrameWidth());
    EXPECT_GT(frames, 100);
    EXPECT_LE(static_cast<std::uint64_t>(frames) * 32 * 32, RZImageView::MAX_STRIP_PIXELS);
    EXPECT_EQ(32 * frames, view->getImage()->getWidth());
    EXPECT_EQ(RGB(255, 0, 0), pixel(0, 0));
    EXPECT_EQ(RGB(255, 0, 0), pixel(32 * (frames - 2) + 30, 31));
    EXPECT_EQ(RGB(0, 0, 0), pixel(32 * (frames - 1) + 16, 16));

    // Clusters of seven: 96 x 96 frames, fewer of them in the same room.
    show(path, 2, bytes, 4000, "preview of 4000 x 4000, 96-pixel frames");
    frames = view->getFrameCount();
    EXPECT_EQ(96, view->getFrameWidth());
    EXPECT_GT(frames, 100);
    EXPECT_LE(static_cast<std::uint64_t>(frames) * 96 * 96, RZImageView::MAX_STRIP_PIXELS);
    EXPECT_EQ(96 * frames, view->getImage()->getWidth());
    EXPECT_EQ(RGB(255, 0, 0), pixel(16, 0));
    EXPECT_EQ(RGB(0, 0, 0), pixel(96 * (frames - 1) + 48, 48));
}

TEST_F(LongInputPreview, ASixteenThousandPixelPictureShowsTheFailureMessage) {
    std::string path = testsupport::makeScratchDir("preview") + "\\huge.bmp";
    std::uint64_t bytes = writeOneBitPicture(path, 16000);
    ASSERT_NE(0u, bytes);
    show(path, 2, bytes, 0, "preview of 16000 x 16000");
    EXPECT_EQ(-1, view->getCurrentFrame());
    int red = 0;
    for (int y = 4; y < 24; ++y) {
        for (int x = 4; x < 200; ++x) {
            red += pixel(x, y) == RGB(255, 0, 0) ? 1 : 0;
        }
    }
    EXPECT_GT(red, 20);
}

TEST_F(LongInputPreview, AFrameTooLargeForAnyStripLeavesThePreviewEmpty) {
    // 1,999 square: one frame as high as the picture. Alone it fits a strip;
    // as a cluster of seven (5,997 square) it does not.
    std::string path = testsupport::makeScratchDir("preview") + "\\tall.bmp";
    std::uint64_t bytes = writeOneBitPicture(path, 1999);
    ASSERT_NE(0u, bytes);
    show(path, 1, bytes, 1999, "preview of 1999 x 1999, one frame");
    EXPECT_EQ(2, view->getFrameCount());
    EXPECT_EQ(1999 * 2, view->getImage()->getWidth());
    EXPECT_EQ(RGB(255, 0, 0), pixel(0, 0));
    show(path, 2, bytes, 1999, "preview of 1999 x 1999, one cluster");
    EXPECT_EQ(-1, view->getCurrentFrame());
    EXPECT_EQ(view->getWidth(), view->getImage()->getWidth());
    EXPECT_EQ(view->getHeight(), view->getImage()->getHeight());
}
