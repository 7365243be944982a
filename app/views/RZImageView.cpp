#include "app/views/RZImageView.h"

#include "app/data/RZGameDirectory.h"
#include "app/data/RZMagic.h"
#include "support/HDebug.h"
#include "support/HFile.h"
#include "toolkit/HImage.h"
#include "toolkit/HImageLoader.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

namespace {

const HColor BLACK(0, 0, 0);

// Where the seven copies of a cell go inside a 96 x 96 block: two on top, three
// in the middle, two at the bottom. Fixed pixel offsets, fit for 32-pixel cells.
const int CLUSTER[7][2] = {{16, 0}, {48, 0}, {0, 32}, {32, 32}, {64, 32}, {16, 64}, {48, 64}};

const char* const LOAD_FAILED = "画像ファイルの読込に失敗しました。";

// How many frames of block x block pixels a strip holds besides its black
// one: a picture of thousands of cells would otherwise make a strip (and its
// mask) of gigabytes.
int framesThatFit(long long block) {
    unsigned long long pixels = static_cast<unsigned long long>(block) * block;
    unsigned long long fit = RZImageView::MAX_STRIP_PIXELS / pixels;
    return fit > 1 ? static_cast<int>(std::min(fit - 1, 0x7FFFFFFFULL)) : 0;
}

} // namespace

RZImageView::RZImageView(HContainer* parent, int id, const std::string& text)
    : HImageView(parent, id, text) {
    setClassName("SPImageView");
}

RZImageView::~RZImageView() {}

void RZImageView::clearToBackground() {
    // createImage fills the new buffer with the background colour.
    createImage(getWidth(), getHeight());
}

void RZImageView::restartTimerAnimation() {
    HLOG_START("RZImageView", 46, "restartTimerAnimation");
    stopTimerAnimation();
    RZMagic* entry = static_cast<RZMagic*>(getUserObject());
    if (entry == nullptr) {
        clearToBackground();
    } else {
        // A chosen replacement first; if it has vanished, the game's own
        // Picture folder; otherwise the stock picture.
        HFile path = entry->getPictureReplacement();
        if (!path.fullPath().empty() && !path.exists()) {
            HFile game = entry->getSource().parent().parent();
            path.setDirectory(game.fullPath() + "\\Picture");
            path.setName(entry->getPicture());
        }
        if (!path.exists()) {
            HFile game(RZGameDirectory::path());
            path.setDirectory(game.fullPath() + "\\Default\\Picture");
            path.setName(entry->getPicture());
        }
        HImage picture(1, 1, getHandle());
        HImageLoader loader;
        int loaded = loader.loadImageFile(path, &picture, true);
        int w = picture.getWidth();
        int h = picture.getHeight();
        if (loaded != HImageLoader::RESULT_LOADED) {
            clearToBackground();
            HImage* buffer = getImage();
            if (buffer != nullptr && buffer->getDC() != nullptr) {
                COLORREF previous = SetTextColor(buffer->getDC(), RGB(255, 0, 0));
                TextOutA(buffer->getDC(), 4, 4, LOAD_FAILED,
                         static_cast<int>(std::strlen(LOAD_FAILED)));
                SetTextColor(buffer->getDC(), previous);
            }
        } else if (w <= 0 || h <= 0) {
            // The last rule would divide by the height: a blank preview instead.
            clearToBackground();
        } else if (w % 128 == 0 && h % 128 == 0) {
            createImage_Large(&picture, 128, (w / 128) * (h / 128));
        } else if (w % 96 == 0 && h % 96 == 0) {
            createImage_Large(&picture, 96, (w / 96) * (h / 96));
        } else if (w % 32 == 0 && h % 32 == 0) {
            createImage_Normal(&picture, entry->getArea(), 32, (w / 32) * (h / 32));
        } else {
            createImage_Normal(&picture, entry->getArea(), h, w / h);
        }
    }
    // Painting draws only what is invalid: without this a still picture (the
    // failure message) would not show until the window happened to be redrawn.
    repaint();
    paint();
    HLOG_END("RZImageView", 141, "restartTimerAnimation");
}

void RZImageView::createImage_Large(HImage* picture, int cell, int count) {
    HLOG_START("RZImageView", 155, "createImage_Large");
    int n = 0;
    if (picture != nullptr && cell >= 1 && count >= 1) {
        n = std::min(count, framesThatFit(cell));
    }
    if (n < 1) {
        clearToBackground();
    } else {
        int columns = picture->getWidth() / cell;
        int frames = columns * (picture->getHeight() / cell);
        n = std::min(n, frames);
        createImage(cell * (n + 1), cell);
        HImage* buffer = getImage();
        buffer->fill(BLACK);
        for (int i = 0; i < n; ++i) {
            BitBlt(buffer->getDC(), cell * i, 0, cell, cell, picture->getDC(), cell * (i % columns),
                   cell * (i / columns), SRCCOPY);
        }
        buffer->setSprite(BLACK);
        startTimerAnimation(cell, cell, n + 1, 0, period);
    }
    HLOG_END("RZImageView", 198, "createImage_Large");
}

void RZImageView::createImage_Normal(HImage* picture, int area, int cell, int count) {
    HLOG_START("RZImageView", 212, "createImage_Normal");
    bool single = area == 1;
    int n = 0;
    if (picture != nullptr && area >= 0 && cell >= 1 && count >= 1) {
        n = std::min(count, framesThatFit(single ? cell : 3LL * cell));
    }
    if (n < 1) {
        clearToBackground();
    } else {
        int block = single ? cell : 3 * cell;
        int columns = picture->getWidth() / cell;
        int frames = columns * (picture->getHeight() / cell);
        n = std::min(n, frames);
        createImage(block * (n + 1), block);
        HImage* buffer = getImage();
        buffer->fill(BLACK);
        for (int i = 0; i < n; ++i) {
            int sx = cell * (i % columns);
            int sy = cell * (i / columns);
            if (single) {
                BitBlt(buffer->getDC(), cell * i, 0, cell, cell, picture->getDC(), sx, sy, SRCCOPY);
            } else {
                int bx = 3 * cell * i;
                for (const auto& offset : CLUSTER) {
                    BitBlt(buffer->getDC(), bx + offset[0], offset[1], cell, cell, picture->getDC(),
                           sx, sy, SRCCOPY);
                }
            }
        }
        buffer->setSprite(BLACK);
        startTimerAnimation(block, block, n + 1, 0, period);
    }
    HLOG_END("RZImageView", 266, "createImage_Normal");
}
