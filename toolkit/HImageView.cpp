#include "toolkit/HImageView.h"

#include "toolkit/HLabel.h"

#include "support/HDebug.h"
#include "toolkit/HContainer.h"
#include "toolkit/HDpi.h"
#include "toolkit/HEventDisable.h"
#include "toolkit/HGdiScope.h"
#include "toolkit/HImage.h"
#include "toolkit/HImageViewTimerListener.h"

#include <algorithm>

namespace {

// Answers WM_PAINT with 0 while the view has a picture, which its paint then
// draws over every invalid pixel; without a picture the static control paints.
class PaintAnswer : public HEventListener {
  public:
    explicit PaintAnswer(HImageView* imageView)
        : HEventListener(HEventType::byName("WM_PAINT")), view(imageView) {
        setClassName("PaintAnswer");
    }
    bool handleEvent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, HComponent* component,
                     LRESULT* result) override {
        HEventListener::handleEvent(hwnd, msg, wParam, lParam, component, result);
        if (view->getHandle() != nullptr && view->getImage() != nullptr) {
            *result = 0;
        }
        return true;
    }

  private:
    HImageView* view;
};

// Answers WM_PRINTCLIENT (PrintWindow, WM_PRINT) with the whole view drawn on
// the context given, as a paint draws it, also where the view is off the screen.
class PrintAnswer : public HEventListener {
  public:
    explicit PrintAnswer(HImageView* imageView)
        : HEventListener(HEventType(WM_PRINTCLIENT, "WM_PRINTCLIENT")), view(imageView) {
        setClassName("PrintAnswer");
    }
    bool handleEvent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, HComponent* component,
                     LRESULT* result) override {
        HEventListener::handleEvent(hwnd, msg, wParam, lParam, component, result);
        if (view->print(reinterpret_cast<HDC>(wParam))) {
            *result = 0;
        }
        return true;
    }

  private:
    HImageView* view;
};

// BeginPaint and EndPaint around one paint.
class PaintScope {
  public:
    explicit PaintScope(HWND window) : hwnd(window), dc(BeginPaint(window, &ps)) {}
    ~PaintScope() { EndPaint(hwnd, &ps); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC get() const { return dc; }
    const RECT& invalid() const { return ps.rcPaint; }

  private:
    HWND hwnd;
    PAINTSTRUCT ps = {};
    HDC dc;
};

} // namespace

HImageView::HImageView(HContainer* parent, int id, const std::string& text)
    : HComponent(parent, id, text) {
    setClassName("HImageView");
    setKindName("ImageView");
    // The back buffer covers every pixel: erasing first would only flicker.
    eraseDisable = std::make_unique<HEventDisable>(HEventType::byName("WM_ERASEBKGND"), 0);
    addListener(eraseDisable.get());
    paintAnswer = std::make_unique<PaintAnswer>(this);
    addListener(paintAnswer.get());
    printAnswer = std::make_unique<PrintAnswer>(this);
    addListener(printAnswer.get());
    setFocusable(false);
}

HImageView::~HImageView() {
    dispose();
    if (timerListener) {
        removeListener(timerListener.get());
    }
    removeListener(eraseDisable.get());
    removeListener(paintAnswer.get());
    removeListener(printAnswer.get());
    // The pictures of a view never created go with the members.
}

int HImageView::create() {
    HLOG_START("HImageView", 66, "create");
    HContainer* parent = getParent();
    if (getHandle() == nullptr && parent != nullptr && parent->getHandle() != nullptr) {
        // Always shown: the component's own style bits are not used.
        HWND hwnd =
            createChildWindow(0, "STATIC", getStoredText().c_str(),
                              WS_CHILD | WS_VISIBLE | HLabel::alignmentStyle(getAlignment()));
        setHandle(hwnd);
        resize();
        if (currentFrame >= 0) {
            startTimer();
        }
        HComponent::create();
    }
    HLOG_END("HImageView", 109, "create");
    return 0;
}

void HImageView::startTimer() {
    timerRunning = SetTimer(getHandle(), static_cast<UINT_PTR>(getId()),
                            static_cast<UINT>(interval), nullptr) != 0;
}

void HImageView::resize() {
    if (getHandle() == nullptr) {
        return;
    }
    shownClear = false;
    RECT client;
    GetClientRect(getHandle(), &client);
    int width = client.right - client.left;
    int height = client.bottom - client.top;
    if (!backBuffer) {
        backBuffer = std::make_unique<HImage>(width, height, getHandle());
    } else {
        backBuffer->resize(width, height);
    }
}

void HImageView::applyDpi() {
    HComponent::applyDpi();
    if (getHandle() == nullptr) {
        return;
    }
    resize();
    InvalidateRect(getHandle(), nullptr, FALSE);
}

int HImageView::getFrameScale() const {
    int scale = std::max(1, getDpi() / HDpi::BASE);
    if (backBuffer && frameWidth > 0 && frameHeight > 0) {
        while (scale > 1 && (frameWidth * scale > backBuffer->getWidth() ||
                             frameHeight * scale > backBuffer->getHeight())) {
            --scale;
        }
    }
    return scale;
}

RECT HImageView::shownArea() const {
    RECT area = {0, 0, 0, 0};
    if (backBuffer == nullptr) {
        return area;
    }
    if (currentFrame < 0) {
        // Where both the view and the picture are: a picture made for a
        // smaller view (before a change of screen) leaves the background.
        SetRect(&area, 0, 0, backBuffer->getWidth(), backBuffer->getHeight());
        if (picture) {
            area.right = std::min<LONG>(area.right, picture->getWidth());
            area.bottom = std::min<LONG>(area.bottom, picture->getHeight());
        }
    } else if (frameWidth > 0 && frameHeight > 0) {
        // A frame of no size shows nothing: the background stays.
        const int scale = getFrameScale();
        SetRect(&area, 0, 0, frameWidth * scale, frameHeight * scale);
    }
    return area;
}

void HImageView::compose(const RECT& area) {
    if (IsRectEmpty(&area)) {
        return;
    }
    RECT shown = shownArea();
    RECT part;
    bool inFrame = IntersectRect(&part, &area, &shown) != FALSE;
    if (currentFrame >= 0) {
        prepareComposedStrip();
    }
    bool composed = currentFrame >= 0 && composedStrip != nullptr;
    // A tick's area is the frame's, which the composed strip covers whole.
    if (!inFrame || !composed || !EqualRect(&part, &area)) {
        backBuffer->fillRect(getBackgroundColor(), area);
    }
    if (!inFrame) {
        return;
    }
    int width = part.right - part.left;
    int height = part.bottom - part.top;
    if (composed) {
        int x = (vertical ? 0 : frameWidth * currentFrame) * composedScale;
        int y = (vertical ? frameHeight * currentFrame : 0) * composedScale;
        if (!composedStrip->draw(backBuffer->getDC(), part.left, part.top, width, height,
                                 x + part.left, y + part.top)) {
            HLOG_INFO("HImageView", 175, "イメージバッファの転送に失敗");
        }
    } else if (currentFrame < 0) {
        if (!picture->draw(backBuffer->getDC(), part.left, part.top, width, height,
                           sourceX + part.left, sourceY + part.top)) {
            HLOG_INFO("HImageView", 156, "イメージバッファの転送に失敗");
        }
    } else if (getFrameScale() > 1) {
        composeFrame();
    } else {
        int x = vertical ? 0 : frameWidth * currentFrame;
        int y = vertical ? frameHeight * currentFrame : 0;
        if (!picture->draw(backBuffer->getDC(), part.left, part.top, width, height, x + part.left,
                           y + part.top)) {
            HLOG_INFO("HImageView", 175, "イメージバッファの転送に失敗");
        }
    }
}

void HImageView::composeFrame() {
    const int scale = getFrameScale();
    HImage frame(frameWidth, frameHeight, getHandle());
    HImage scaled(frameWidth * scale, frameHeight * scale, getHandle());
    RECT whole = {0, 0, frameWidth, frameHeight};
    int x = vertical ? 0 : frameWidth * currentFrame;
    int y = vertical ? frameHeight * currentFrame : 0;
    if (!frame.fillRect(getBackgroundColor(), whole) ||
        !picture->draw(frame.getDC(), 0, 0, frameWidth, frameHeight, x, y) ||
        !frame.stretchTo(&scaled) || !scaled.draw(backBuffer.get(), 0, 0)) {
        HLOG_INFO("HImageView", 212, "拡大したフレームの転送に失敗");
    }
}

void HImageView::prepareComposedStrip() {
    const int scale = getFrameScale();
    if (composedStrip && composedBackground == getBackgroundColor() && composedScale == scale) {
        return;
    }
    composedStrip.reset();
    if (picture == nullptr || frameWidth <= 0 || frameHeight <= 0 || frameCount <= 0) {
        return;
    }
    long long width = vertical ? frameWidth : static_cast<long long>(frameWidth) * frameCount;
    long long height = vertical ? static_cast<long long>(frameHeight) * frameCount : frameHeight;
    if (width * height * scale * scale > MAX_COMPOSED_PIXELS) {
        return;
    }
    auto made =
        std::make_unique<HImage>(static_cast<int>(width), static_cast<int>(height), getHandle());
    if (made->getDC() == nullptr || made->getBitmap() == nullptr) {
        return;
    }
    // Where the picture does not reach, the background stays, as when each
    // frame is drawn on its own.
    RECT whole = {0, 0, made->getWidth(), made->getHeight()};
    if (!made->fillRect(getBackgroundColor(), whole) ||
        !picture->draw(made->getDC(), 0, 0, std::min(made->getWidth(), picture->getWidth()),
                       std::min(made->getHeight(), picture->getHeight()), 0, 0)) {
        return;
    }
    if (scale > 1) {
        // Each pixel becomes a square of scale x scale pixels, never a blend.
        auto scaled = std::make_unique<HImage>(made->getWidth() * scale, made->getHeight() * scale,
                                               getHandle());
        if (scaled->getDC() == nullptr || scaled->getBitmap() == nullptr ||
            !made->stretchTo(scaled.get())) {
            return;
        }
        made = std::move(scaled);
    }
    composedStrip = std::move(made);
    composedBackground = getBackgroundColor();
    composedScale = scale;
}

void HImageView::paint() {
    if (getHandle() == nullptr || picture == nullptr) {
        return;
    }
    if (!backBuffer) {
        resize();
    }
    bool tick = tickPending;
    tickPending = false;
    PaintScope scope(getHandle());
    if (!backBuffer) {
        return;
    }
    RECT area = scope.invalid();
    RECT shown = shownArea();
    // A tick's paint, with exactly the frame invalid and the composed strip
    // holding it over the background, goes to the window in one copy. The back
    // buffer is composed afresh wherever it is copied from, so it may lag here.
    if (tick && scope.get() && currentFrame >= 0 && EqualRect(&area, &shown)) {
        prepareComposedStrip();
        if (composedStrip) {
            shownClear = false;
            int x = (vertical ? 0 : frameWidth * currentFrame) * composedScale;
            int y = (vertical ? frameHeight * currentFrame : 0) * composedScale;
            if (!composedStrip->draw(scope.get(), 0, 0, frameWidth * composedScale,
                                     frameHeight * composedScale, x, y)) {
                HLOG_INFO("HImageView", 175, "イメージバッファの転送に失敗");
            }
            return;
        }
    }
    // What is invalid, and the current frame also when nothing is (a direct
    // call after the frame moved on); never more than the view.
    UnionRect(&area, &area, &shown);
    RECT whole = {0, 0, backBuffer->getWidth(), backBuffer->getHeight()};
    if (!IntersectRect(&area, &area, &whole)) {
        return;
    }
    compose(area);
    if (scope.get()) {
        shownClear = false;
        backBuffer->draw(scope.get(), area.left, area.top, area.right - area.left,
                         area.bottom - area.top, area.left, area.top);
    }
}

bool HImageView::print(HDC dc) {
    if (getHandle() == nullptr || picture == nullptr || dc == nullptr) {
        return false;
    }
    if (!backBuffer) {
        resize();
    }
    if (!backBuffer) {
        return false;
    }
    RECT whole = {0, 0, backBuffer->getWidth(), backBuffer->getHeight()};
    compose(whole);
    return backBuffer->draw(dc, 0, 0, whole.right, whole.bottom, 0, 0);
}

bool HImageView::createImage(int width, int height) {
    stopTimerAnimation();
    composedStrip.reset();
    // The old picture goes before the new one is made.
    picture.reset();
    picture = std::make_unique<HImage>(width, height, getHandle());
    return picture->fill(getBackgroundColor());
}

void HImageView::startTimerAnimation(int fw, int fh, int count, int strip, int period) {
    stopTimerAnimation();
    frameWidth = fw;
    frameHeight = fh;
    frameCount = count;
    vertical = strip;
    interval = period;
    currentFrame = 0;
    if (!timerListener) {
        timerListener = std::make_unique<HImageViewTimerListener>(this);
        addListener(timerListener.get());
    }
    if (getHandle() != nullptr) {
        startTimer();
    }
}

void HImageView::restartTimerAnimation() {
    stopTimerAnimation();
    if (!timerListener) {
        timerListener = std::make_unique<HImageViewTimerListener>(this);
        addListener(timerListener.get());
    }
    if (getHandle() != nullptr) {
        startTimer();
    }
}

void HImageView::invalidateFrame() {
    if (getHandle() == nullptr) {
        return;
    }
    // Every frame lies at the view's top left, so the frame's rectangle covers
    // both the frame shown and the next one.
    RECT area = shownArea();
    InvalidateRect(getHandle(), currentFrame < 0 ? nullptr : &area, FALSE);
    tickPending = currentFrame >= 0;
}

void HImageView::nextFrame() {
    if (currentFrame < 0) {
        return;
    }
    currentFrame++;
    // ">=" rather than "==": a count of 0 or less must not run away.
    if (currentFrame >= frameCount) {
        currentFrame = 0;
    }
}

void HImageView::stopTimerAnimation() {
    // A restart stops the animation several times over (picture, buffer,
    // start): the timer is killed and the view cleared only the first time.
    if (getHandle() != nullptr && timerRunning) {
        KillTimer(getHandle(), static_cast<UINT_PTR>(getId()));
        timerRunning = false;
    }
    if (getHandle() != nullptr && !shownClear) {
        HWindowDC dc(getHandle());
        if (dc.get() && backBuffer) {
            RECT whole = {0, 0, backBuffer->getWidth(), backBuffer->getHeight()};
            backBuffer->fillRect(getBackgroundColor(), whole);
            shownClear = backBuffer->draw(dc.get(), 0, 0, whole.right, whole.bottom, 0, 0);
        }
    }
    currentFrame = -1;
    composedStrip.reset();
}

void HImageView::dispose() {
    if (getHandle() == nullptr) {
        return;
    }
    stopTimerAnimation();
    // The pictures go while the window they were made for still exists.
    picture.reset();
    backBuffer.reset();
    composedStrip.reset();
    timerRunning = false;
    shownClear = false;
    HComponent::dispose();
}
