// The picture preview: where the picture is looked for, the four layouts, the
// black last frame, the cluster of seven copies, and the red failure message.
#include "app/data/RZEditData.h"
#include "app/data/RZMagic.h"
#include "app/views/RZIds.h"
#include "app/views/RZImageView.h"
#include "app/views/RZWindow.h"
#include "tests/app/views/EditorHarness.h"
#include "tests/common/TestSupport.h"
#include "toolkit/HImage.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>
#include <vector>

using namespace editortest;

namespace {

// A 24-bit BMP whose 32-pixel cells differ: each its own colour, with black
// (see-through) pixels along a diagonal and in a corner square that moves with
// the cell's number.
std::string patternPicture(int width, int height) {
    int stride = (width * 3 + 3) & ~3;
    std::string s(54 + static_cast<size_t>(stride) * height, '\0');
    auto put = [&s](size_t at, unsigned value, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            s[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
        }
    };
    s[0] = 'B';
    s[1] = 'M';
    put(2, static_cast<unsigned>(s.size()), 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, static_cast<unsigned>(width), 4);
    put(22, static_cast<unsigned>(height), 4);
    put(26, 1, 2);
    put(28, 24, 2);
    for (int row = 0; row < height; ++row) {
        int y = height - 1 - row; // rows are bottom-up
        for (int x = 0; x < width; ++x) {
            int cell = (y / 32) * (width / 32) + x / 32;
            int cx = x % 32;
            int cy = y % 32;
            int corner = cell % 4 * 6;
            bool black = (cx + cy) % 9 == 0 || (cx >= corner && cx < corner + 6 && cy < 6);
            size_t at = 54 + static_cast<size_t>(row) * stride + static_cast<size_t>(x) * 3;
            s[at] = static_cast<char>(black ? 0 : 30 + cell * 11 % 200);
            s[at + 1] = static_cast<char>(black ? 0 : 250 - cell * 7 % 200);
            s[at + 2] = static_cast<char>(black ? 0 : 90 + x % 32 * 5);
        }
    }
    return s;
}

// What the preview's window shows.
std::vector<DWORD> onScreen(HWND view, int width, int height) {
    return testsupport::pixelsOf(width, height, [&](HDC memory) {
        HDC window = GetDC(view);
        BitBlt(memory, 0, 0, width, height, window, 0, 0, SRCCOPY);
        ReleaseDC(view, window);
    });
}

// What a full redraw of the preview showed for a frame: the whole view in the
// background colour, the frame drawn at its top left through the strip's mask.
std::vector<DWORD> fullRedraw(RZImageView* view, int width, int height, int frame) {
    return testsupport::pixelsOf(width, height, [&](HDC memory) {
        RECT whole = {0, 0, width, height};
        HBRUSH face = CreateSolidBrush(RGB(212, 208, 200));
        FillRect(memory, &whole, face);
        DeleteObject(face);
        int w = view->getFrameWidth();
        int h = view->getFrameHeight();
        view->getImage()->draw(memory, 0, 0, w, h, w * frame, 0);
    });
}

// How many pixels differ, and where the first one is.
std::string difference(const std::vector<DWORD>& shown, const std::vector<DWORD>& expected,
                       int width) {
    if (shown.size() != expected.size() || shown.empty()) {
        return "no pixels";
    }
    size_t count = 0;
    size_t first = 0;
    for (size_t i = 0; i < shown.size(); ++i) {
        if (shown[i] != expected[i]) {
            first = count == 0 ? i : first;
            ++count;
        }
    }
    if (count == 0) {
        return "";
    }
    char text[128];
    snprintf(text, sizeof(text), "%zu pixels differ, first at (%zu, %zu): %06lX, not %06lX", count,
             first % width, first / width, shown[first] & 0xFFFFFF, expected[first] & 0xFFFFFF);
    return text;
}

class RZImageViewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        game = freshGame();
        ASSERT_TRUE(setGameDirectory(game));
        editor = new Editor();
        view = static_cast<RZImageView*>(editor->control(IDC_PICTURE));
    }
    void TearDown() override {
        view->setUserObject(nullptr);
        delete editor;
    }
    // An entry of spell k (picture MAGICk.BMP) read from SetA's table.
    RZMagic* make(int spell, int area) {
        ZDMagic record;
        record.setIndex(spell);
        record.setPicture("MAGIC" + std::to_string(spell) + ".BMP");
        record.setArea(area);
        record.setSource(HFile(game + "\\SetA\\Data\\MagicTable"));
        entry = new RZMagic(record);
        return entry;
    }
    void show(RZMagic* shown) {
        view->setUserObject(shown);
        view->restartTimerAnimation();
    }
    COLORREF pixel(int x, int y) { return GetPixel(view->getImage()->getDC(), x, y); }
    void expectStrip(int frameSize, int frames) {
        EXPECT_EQ(view->getFrameWidth(), frameSize);
        EXPECT_EQ(view->getFrameHeight(), frameSize);
        EXPECT_EQ(view->getFrameCount(), frames);
        EXPECT_EQ(view->getImage()->getWidth(), frameSize * frames);
        EXPECT_EQ(view->getImage()->getHeight(), frameSize);
        EXPECT_EQ(view->isVertical(), 0);
        EXPECT_EQ(view->getInterval(), 100);
        EXPECT_EQ(view->getCurrentFrame(), 0);
        // The last frame is black.
        int last = frameSize * (frames - 1);
        EXPECT_EQ(pixel(last + frameSize / 2, frameSize / 2), RGB(0, 0, 0));
        EXPECT_EQ(pixel(last + 3, 3), RGB(0, 0, 0));
    }
    std::string game;
    Editor* editor = nullptr;
    RZImageView* view = nullptr;
    RZMagic* entry = nullptr;
};

} // namespace

TEST_F(RZImageViewTest, LargeCellsGiveOneFramePerCellAndABlackOne) {
    EXPECT_EQ(view->getClassName(), "SPImageView");
    EXPECT_EQ(view->getPeriod(), 100);
    testsupport::LogTail log;
    RZMagic* m = make(0, 1); // 512 x 128
    show(m);
    expectStrip(128, 5);
    EXPECT_NE(pixel(10, 10), RGB(0, 0, 0));
    // The white mark of each source cell lands in its frame.
    EXPECT_EQ(pixel(5, 5), RGB(255, 255, 255));
    EXPECT_EQ(pixel(128 * 3 + 5, 5), RGB(255, 255, 255));
    EXPECT_TRUE(log.contains("RZImageView         :0046 restartTimerAnimation 開始"));
    EXPECT_TRUE(log.contains("RZImageView         :0155 createImage_Large 開始"));
    EXPECT_TRUE(log.contains("RZImageView         :0198 createImage_Large 終了"));
    EXPECT_TRUE(log.contains("RZImageView         :0141 restartTimerAnimation 終了"));
    delete m;

    m = make(1, 0); // 384 x 96: area plays no part with large cells
    show(m);
    expectStrip(96, 5);
    delete m;
}

TEST_F(RZImageViewTest, SmallCellsAreSingleForAreaOneElseAClusterOfSeven) {
    testsupport::LogTail log;
    RZMagic* m = make(2, 1); // 128 x 64: eight 32-pixel cells, row by row
    show(m);
    expectStrip(32, 9);
    EXPECT_EQ(pixel(5, 5), RGB(255, 255, 255));
    EXPECT_EQ(pixel(32 * 7 + 5, 5), RGB(255, 255, 255));
    EXPECT_TRUE(log.contains("RZImageView         :0212 createImage_Normal 開始"));
    EXPECT_TRUE(log.contains("RZImageView         :0266 createImage_Normal 終了"));
    delete m;

    for (int area : {2, 0}) {
        m = make(2, area);
        show(m);
        expectStrip(96, 9);
        // Seven copies in the first block, the corners stay black.
        const int at[7][2] = {{16, 0}, {48, 0}, {0, 32}, {32, 32}, {64, 32}, {16, 64}, {48, 64}};
        for (const auto& p : at) {
            EXPECT_EQ(pixel(p[0] + 5, p[1] + 5), RGB(255, 255, 255)) << p[0] << "," << p[1];
        }
        EXPECT_EQ(pixel(2, 2), RGB(0, 0, 0));
        EXPECT_EQ(pixel(90, 90), RGB(0, 0, 0));
        delete m;
    }
}

TEST_F(RZImageViewTest, OtherSizesAreCutIntoSquaresAsHighAsThePicture) {
    for (const auto& [area, size] : {std::pair{1, 50}, std::pair{2, 150}}) {
        RZMagic* m = make(3, area); // 100 x 50
        show(m);
        expectStrip(size, 3);
        delete m;
    }
}

TEST_F(RZImageViewTest, ReplacementGameFolderAndStockPictures) {
    // A replacement that exists wins.
    std::string other = testsupport::makeScratchDir("pictures");
    testsupport::writeFile(other + "\\mine.bmp", bmpBytes(256, 128, RGB(0, 200, 0)));
    RZMagic* m = make(0, 1);
    m->setPictureReplacement(HFile(other + "\\mine.bmp"));
    show(m);
    expectStrip(128, 3);
    EXPECT_EQ(pixel(64, 64), RGB(0, 200, 0));
    // A vanished replacement: the game's own Picture folder.
    CreateDirectoryA((game + "\\SetA\\Picture").c_str(), nullptr);
    testsupport::writeFile(game + "\\SetA\\Picture\\MAGIC0.BMP",
                           bmpBytes(384, 128, RGB(0, 0, 250)));
    m->setPictureReplacement(HFile(other + "\\gone.bmp"));
    show(m);
    expectStrip(128, 4);
    EXPECT_EQ(pixel(64, 64), RGB(0, 0, 250));
    // No replacement: always the stock picture.
    m->setPictureReplacement(HFile());
    show(m);
    expectStrip(128, 5);
    delete m;
}

TEST_F(RZImageViewTest, UnreadablePicturesShowARedMessageAndNoEntryClears) {
    RZMagic* m = make(5, 1);
    m->setPicture("NOSUCH.BMP");
    show(m);
    EXPECT_EQ(view->getCurrentFrame(), -1);
    EXPECT_EQ(view->getImage()->getWidth(), 372);
    EXPECT_EQ(view->getImage()->getHeight(), 128);
    // The pixels of a colour where the message stands: (4, 4) to (199, 23).
    const auto count = [](HDC dc, COLORREF colour) {
        int found = 0;
        for (int at = 0; at < 196 * 20; ++at) {
            found += GetPixel(dc, 4 + at % 196, 4 + at / 196) == colour ? 1 : 0;
        }
        return found;
    };
    EXPECT_GT(count(view->getImage()->getDC(), RGB(255, 0, 0)), 20);
    EXPECT_EQ(count(view->getImage()->getDC(), RGB(255, 255, 255)), 0); // no text background
    EXPECT_EQ(pixel(300, 100), RGB(212, 208, 200));
    // And it reaches the screen at once, though no animation repaints it.
    pump(50);
    HDC screen = GetDC(view->getHandle());
    EXPECT_GT(count(screen, RGB(255, 0, 0)), 20);
    ReleaseDC(view->getHandle(), screen);
    // A file that is no picture.
    testsupport::writeFile(game + "\\Default\\Picture\\MAGIC5.BMP", "BMnot really a picture");
    m->setPicture("MAGIC5.BMP");
    show(m);
    EXPECT_EQ(view->getCurrentFrame(), -1);
    delete m;

    show(nullptr);
    EXPECT_EQ(view->getCurrentFrame(), -1);
    EXPECT_EQ(view->getImage()->getWidth(), 372);
    EXPECT_EQ(pixel(10, 10), RGB(212, 208, 200));
}

TEST_F(RZImageViewTest, TheAnimationRunsInTheWindow) {
    editor->command(editor->dataSetId("SetA"));
    EXPECT_EQ(view->getUserObject(), static_cast<void*>(editor->document()->entryAt(0)));
    EXPECT_EQ(view->getFrameCount(), 5);
    // Frames advance with the timer (and wrap): several of them show up.
    std::set<int> frames;
    for (int i = 0; i < 40; ++i) {
        pump(20);
        frames.insert(view->getCurrentFrame());
    }
    EXPECT_GE(frames.size(), 3u);
    EXPECT_EQ(frames.count(-1), 0u);
}

// Tick by tick, for every layout, the window shows what the full redraw of each
// tick showed: a frame, the black frame at the end of the strip, the wrap back
// to the first, and a smaller picture after one larger than the view.
TEST_F(RZImageViewTest, EachTickShowsWhatAFullRedrawShowed) {
    std::string folder = testsupport::makeScratchDir("ticks");
    const struct {
        int width, height, area;
        const char* layout;
    } cases[] = {
        {512, 128, 1, "128-pixel cells"},    {384, 96, 0, "96-pixel cells"},
        {128, 64, 2, "clusters of seven"},   {128, 64, 1, "32-pixel cells"},
        {300, 150, 2, "150-pixel clusters"}, {160, 32, 1, "after a frame larger than the view"},
    };
    const int width = 372;
    const int height = 128;
    int n = 0;
    for (const auto& c : cases) {
        std::string path = folder + "\\picture" + std::to_string(n++) + ".bmp";
        ASSERT_TRUE(testsupport::writeFile(path, patternPicture(c.width, c.height)));
        RZMagic* m = make(0, c.area);
        m->setPictureReplacement(HFile(path));
        show(m);
        // The ticks come from here, one at a time, each painted at once.
        KillTimer(view->getHandle(), IDC_PICTURE);
        pump(30);
        ASSERT_GE(view->getFrameCount(), 2) << c.layout;
        for (int tick = 0; tick <= view->getFrameCount() + 1; ++tick) {
            int frame = view->getCurrentFrame();
            EXPECT_EQ(frame, tick % view->getFrameCount()) << c.layout;
            EXPECT_EQ("", difference(onScreen(view->getHandle(), width, height),
                                     fullRedraw(view, width, height, frame), width))
                << c.layout << ", tick " << tick;
            SendMessageA(view->getHandle(), WM_TIMER, IDC_PICTURE, 0);
            UpdateWindow(view->getHandle());
        }
        view->setUserObject(nullptr);
        delete m;
    }
}
