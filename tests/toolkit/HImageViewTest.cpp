// The picture view: frames of a strip shown through its back buffer, the
// timer animation, and no background erase.
#include "tests/common/TestSupport.h"
#include "tests/toolkit/NativeTestSupport.h"
#include "toolkit/HContainer.h"
#include "toolkit/HDpi.h"
#include "toolkit/HImage.h"
#include "toolkit/HImageView.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A plain top-level window to hold the view.
class Frame : public HContainer {
  public:
    Frame() {
        setClassName("ImageViewTestFrame");
        WNDCLASSA wc = {};
        wc.lpfnWndProc = &HComponent::windowProcedure;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "RZImageViewTestFrame";
        RegisterClassA(&wc);
        setHandle(CreateWindowExA(0, "RZImageViewTestFrame", "frame", WS_POPUP | WS_VISIBLE, 0, 0,
                                  200, 150, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
    }
    // The resolution its views are made for.
    void useDpi(int dpi) { setDpi(dpi); }
    ~Frame() override {
        HWND h = getHandle();
        setHandle(nullptr);
        DestroyWindow(h);
    }
};

void paintRect(HImage* image, int left, int top, int right, int bottom, COLORREF color) {
    RECT r = {left, top, right, bottom};
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(image->getDC(), &r, brush);
    DeleteObject(brush);
}

const COLORREF FRAME_COLOURS[4] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255),
                                   RGB(255, 255, 0)};

} // namespace

TEST(HImageViewTest, IsAnUnfocusableImageViewThatDoesNotEraseItsBackground) {
    HImageView view(nullptr, 131, "");
    EXPECT_EQ("ImageView", view.getKindName());
    EXPECT_EQ("HImageView", view.getClassName());
    EXPECT_FALSE(view.isFocusable());
    EXPECT_EQ(-1, view.getCurrentFrame());
    EXPECT_EQ(nullptr, view.getImage());
    EXPECT_EQ(0, view.handleMessage(nullptr, WM_ERASEBKGND, 0, 0, true));
}

TEST(HImageViewTest, NextFrameCountsAroundTheStrip) {
    HImageView view(nullptr, 131, "");
    view.nextFrame();
    EXPECT_EQ(-1, view.getCurrentFrame());
    view.startTimerAnimation(32, 32, 4, 0, 100);
    EXPECT_EQ(0, view.getCurrentFrame());
    std::vector<int> seen;
    for (int i = 0; i < 4; i++) {
        view.nextFrame();
        seen.push_back(view.getCurrentFrame());
    }
    EXPECT_EQ((std::vector<int>{1, 2, 3, 0}), seen);
    // Before creation stopping only forgets the frame.
    view.stopTimerAnimation();
    EXPECT_EQ(-1, view.getCurrentFrame());
    EXPECT_EQ(4, view.getFrameCount());

    // No frames at all: the counter stays at 0 rather than running away.
    view.startTimerAnimation(0, 0, 0, 0, 100);
    view.nextFrame();
    view.nextFrame();
    EXPECT_EQ(0, view.getCurrentFrame());
}

TEST(HImageViewTest, PaintShowsTheCurrentFrameThroughTheBackBuffer) {
    Frame frame;
    HImageView view(&frame, 131, "");
    view.setBounds(10, 10, 32, 32);
    view.setBackgroundColor(HColor(212, 208, 200));
    view.create();
    ASSERT_NE(nullptr, view.getHandle());
    ASSERT_NE(nullptr, view.getBackBuffer());
    EXPECT_EQ(32, view.getBackBuffer()->getWidth());

    ASSERT_TRUE(view.createImage(128, 32));
    EXPECT_EQ(RGB(212, 208, 200), GetPixel(view.getImage()->getDC(), 0, 0));
    for (int i = 0; i < 4; i++) {
        paintRect(view.getImage(), 32 * i, 0, 32 * i + 32, 32, FRAME_COLOURS[i]);
    }
    // The whole picture from its left edge.
    view.paint();
    EXPECT_EQ(FRAME_COLOURS[0], GetPixel(view.getBackBuffer()->getDC(), 31, 31));

    view.startTimerAnimation(32, 32, 4, 0, 60000);
    for (int i = 0; i < 6; i++) {
        view.paint();
        EXPECT_EQ(FRAME_COLOURS[i % 4], GetPixel(view.getBackBuffer()->getDC(), 5, 5)) << i;
        view.nextFrame();
    }
    view.dispose();
    EXPECT_EQ(nullptr, view.getHandle());
    EXPECT_EQ(nullptr, view.getImage());
}

TEST(HImageViewTest, FramesTopToBottom) {
    Frame frame;
    HImageView view(&frame, 131, "");
    view.setBounds(0, 0, 16, 16);
    view.create();
    view.createImage(16, 64);
    for (int i = 0; i < 4; i++) {
        paintRect(view.getImage(), 0, 16 * i, 16, 16 * i + 16, FRAME_COLOURS[i]);
    }
    view.startTimerAnimation(16, 16, 4, 1, 60000);
    view.nextFrame();
    view.nextFrame();
    view.paint();
    EXPECT_EQ(FRAME_COLOURS[2], GetPixel(view.getBackBuffer()->getDC(), 8, 8));
}

TEST(HImageViewTest, TimerTicksAdvanceTheFramesUntilStopped) {
    Frame frame;
    HImageView view(&frame, 131, "");
    view.setBounds(0, 0, 32, 32);
    view.create();
    view.createImage(128, 32);
    std::vector<int> ticks;
    nativetest::RecordingListener counter(WM_TIMER, &ticks, 1);
    view.addListener(&counter);

    view.startTimerAnimation(32, 32, 4, 0, 20);
    EXPECT_TRUE(nativetest::waitFor([&] { return ticks.size() >= 5; }, 5000));
    EXPECT_GE(view.getCurrentFrame(), 0);
    EXPECT_LT(view.getCurrentFrame(), 4);

    view.stopTimerAnimation();
    EXPECT_EQ(-1, view.getCurrentFrame());
    testsupport::pumpMessages(50);
    size_t after = ticks.size();
    testsupport::pumpMessages(150);
    EXPECT_EQ(after, ticks.size());

    // The base restart ticks on with the whole picture.
    view.restartTimerAnimation();
    EXPECT_TRUE(nativetest::waitFor([&] { return ticks.size() >= after + 3; }, 5000));
    EXPECT_EQ(-1, view.getCurrentFrame());
    view.removeListener(&counter);
}

TEST(HImageViewTest, AnimationStartedBeforeCreationRunsOnceCreated) {
    Frame frame;
    HImageView view(&frame, 131, "");
    view.setBounds(0, 0, 32, 32);
    std::vector<int> ticks;
    nativetest::RecordingListener counter(WM_TIMER, &ticks, 1);
    view.addListener(&counter);
    view.createImage(64, 32);
    view.startTimerAnimation(32, 32, 2, 0, 20);
    view.create();
    EXPECT_TRUE(nativetest::waitFor([&] { return ticks.size() >= 3; }, 5000));
    view.removeListener(&counter);
}

TEST(HImageViewTest, APictureOfNoSizeGivesABlankView) {
    Frame frame;
    HImageView view(&frame, 131, "");
    view.setBounds(0, 0, 40, 20);
    view.setBackgroundColor(HColor(0, 0, 255));
    view.create();
    view.createImage(100, 0);
    view.startTimerAnimation(0, 0, 0, 0, 20);
    testsupport::pumpMessages(150);
    view.paint();
    EXPECT_EQ(RGB(0, 0, 255), GetPixel(view.getBackBuffer()->getDC(), 10, 10));
    view.createImage(0, 0);
    view.paint();
    EXPECT_EQ(RGB(0, 0, 255), GetPixel(view.getBackBuffer()->getDC(), 39, 19));
}

TEST(HImageViewTest, TheWindowShowsTheFrameAfterEachPaintMessage) {
    Frame frame;
    HImageView view(&frame, 131, "");
    view.setBounds(20, 20, 32, 32);
    view.create();
    view.createImage(128, 32);
    for (int i = 0; i < 4; i++) {
        paintRect(view.getImage(), 32 * i, 0, 32 * i + 32, 32, FRAME_COLOURS[i]);
    }
    view.getImage()->setSprite(HColor(0, 0, 0));
    view.startTimerAnimation(32, 32, 4, 0, 60000);
    for (int i = 0; i < 5; i++) {
        view.repaint();
        UpdateWindow(view.getHandle());
        HDC dc = GetDC(view.getHandle());
        EXPECT_EQ(FRAME_COLOURS[i % 4], GetPixel(dc, 16, 16)) << i;
        ReleaseDC(view.getHandle(), dc);
        view.nextFrame();
    }
    // Erasing is answered without painting.
    HDC dc = GetDC(view.getHandle());
    EXPECT_EQ(0, SendMessageA(view.getHandle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0));
    EXPECT_EQ(FRAME_COLOURS[0], GetPixel(dc, 16, 16)); // the last frame painted
    ReleaseDC(view.getHandle(), dc);
}

// At twice the resolution, a strip too large to be scaled whole (over
// MAX_COMPOSED_PIXELS once doubled) has each frame scaled on its own, filling
// the doubled view from its corner.
TEST(HImageViewTest, AFrameOfAStripTooLargeToScaleWholeIsScaledOnItsOwn) {
    Frame frame;
    frame.useDpi(2 * HDpi::BASE);
    HImageView view(&frame, 131, "");
    view.setBounds(0, 0, 16, 16);
    view.setBackgroundColor(HColor(212, 208, 200));
    view.create();
    const int frames = 4200; // 16 x 67,200 pixels, 4 times that doubled
    ASSERT_TRUE(view.createImage(16, 16 * frames));
    for (int i = 0; i < 4; i++) {
        paintRect(view.getImage(), 0, 16 * i, 16, 16 * i + 16, FRAME_COLOURS[i]);
    }
    view.startTimerAnimation(16, 16, frames, 1, 60000);
    ASSERT_EQ(2, view.getFrameScale());
    std::vector<COLORREF> corners;
    for (int i = 0; i < 2; i++) {
        view.paint();
        for (POINT at : {POINT{0, 0}, POINT{31, 31}, POINT{32, 32}}) {
            corners.push_back(GetPixel(view.getBackBuffer()->getDC(), at.x, at.y));
        }
        view.nextFrame();
    }
    EXPECT_EQ(corners, (std::vector<COLORREF>{FRAME_COLOURS[0], FRAME_COLOURS[0], CLR_INVALID,
                                              FRAME_COLOURS[1], FRAME_COLOURS[1], CLR_INVALID}));
}
