#include "toolkit/HImageView.h"

#include "toolkit/HLabel.h"

#include "support/HDebug.h"
#include "toolkit/HContainer.h"
#include "toolkit/HEventDisable.h"
#include "toolkit/HImage.h"
#include "toolkit/HImageViewTimerListener.h"

HImageView::HImageView(HContainer* parent, int id, const std::string& text)
    : HComponent(parent, id, text) {
    setClassName("HImageView");
    setKindName("ImageView");
    // The back buffer covers every pixel: erasing first would only flicker.
    eraseDisable = new HEventDisable(HEventType::byName("WM_ERASEBKGND"), 0);
    addListener(eraseDisable);
    setFocusable(false);
}

HImageView::~HImageView() {
    dispose();
    if (timerListener) {
        removeListener(timerListener);
        delete timerListener;
    }
    removeListener(eraseDisable);
    delete eraseDisable;
    // A view destroyed before it was created still owns its picture.
    delete picture;
    delete backBuffer;
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
    SetTimer(getHandle(), static_cast<UINT_PTR>(getId()), static_cast<UINT>(interval), nullptr);
}

void HImageView::resize() {
    if (getHandle() == nullptr) {
        return;
    }
    RECT client;
    GetClientRect(getHandle(), &client);
    int width = client.right - client.left;
    int height = client.bottom - client.top;
    if (!backBuffer) {
        backBuffer = new HImage(width, height, getHandle());
    } else {
        backBuffer->resize(width, height);
    }
}

void HImageView::paint() {
    if (getHandle() == nullptr || picture == nullptr) {
        return;
    }
    if (!backBuffer) {
        resize();
    }
    backBuffer->fill(getBackgroundColor());
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(getHandle(), &ps);
    if (currentFrame < 0) {
        if (!picture->draw(backBuffer->getDC(), 0, 0, getWidth(), getHeight(), sourceX, sourceY)) {
            HLOG_INFO("HImageView", 156, "イメージバッファの転送に失敗");
        }
    } else if (frameWidth > 0 && frameHeight > 0) {
        // A frame of no size shows nothing: the background stays.
        int x = vertical ? 0 : frameWidth * currentFrame;
        int y = vertical ? frameHeight * currentFrame : 0;
        if (!picture->draw(backBuffer->getDC(), 0, 0, frameWidth, frameHeight, x, y)) {
            HLOG_INFO("HImageView", 175, "イメージバッファの転送に失敗");
        }
    }
    if (dc) {
        backBuffer->draw(dc, 0, 0, getWidth(), getHeight(), 0, 0);
    }
    EndPaint(getHandle(), &ps);
}

bool HImageView::createImage(int width, int height) {
    stopTimerAnimation();
    delete picture;
    picture = new HImage(width, height, getHandle());
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
        timerListener = new HImageViewTimerListener(this);
        addListener(timerListener);
    }
    if (getHandle() != nullptr) {
        startTimer();
    }
}

void HImageView::restartTimerAnimation() {
    stopTimerAnimation();
    if (!timerListener) {
        timerListener = new HImageViewTimerListener(this);
        addListener(timerListener);
    }
    if (getHandle() != nullptr) {
        startTimer();
    }
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
    if (getHandle() != nullptr) {
        KillTimer(getHandle(), static_cast<UINT_PTR>(getId()));
        HDC dc = GetDC(getHandle());
        if (dc) {
            HColor background = getBackgroundColor();
            HPEN pen = CreatePen(PS_SOLID, 1, background.getColorRef());
            HBRUSH brush = CreateSolidBrush(background.getColorRef());
            HGDIOBJ oldPen = SelectObject(dc, pen);
            HGDIOBJ oldBrush = SelectObject(dc, brush);
            Rectangle(dc, 0, 0, getWidth(), getHeight());
            SelectObject(dc, oldPen);
            SelectObject(dc, oldBrush);
            DeleteObject(pen);
            DeleteObject(brush);
            ReleaseDC(getHandle(), dc);
        }
    }
    currentFrame = -1;
}

void HImageView::dispose() {
    if (getHandle() == nullptr) {
        return;
    }
    stopTimerAnimation();
    delete picture;
    picture = nullptr;
    delete backBuffer;
    backBuffer = nullptr;
    HComponent::dispose();
}
