#pragma once

#include "toolkit/HColor.h"
#include "toolkit/HComponent.h"

#include <memory>

class HContainer;
class HEventDisable;
class HEventListener;
class HImage;
class HImageViewTimerListener;

// A control showing an HImage through a back buffer, either whole or as a
// timer-driven animation of equal frames cut from it. The control id is the
// timer id. The background is never erased, so animation does not flicker, and
// the view paints every pixel itself: the static control underneath never
// paints over it. A timer tick redraws only the frame's rectangle: a running
// animation keeps its frames drawn over the background (its composed strip),
// read from the picture at the first paint after the animation started, so a
// tick copies one frame. On a screen of twice the base resolution and more the
// frames are drawn at a whole-number scale (each pixel a square of pixels, no
// smoothing), as large as the resolution allows and the view holds, so they
// stay sharp; the whole picture, made for the view's own size, is drawn as it is.
class HImageView : public HComponent {
  public:
    // The most pixels of a composed strip (16 MB at 4 bytes a pixel); a
    // larger strip is composed frame by frame as each is shown.
    static constexpr long long MAX_COMPOSED_PIXELS = 2048LL * 2048LL;

    HImageView(HContainer* parent, int id, const std::string& text);
    ~HImageView() override;

    int create() override;
    void dispose() override;
    // Composes the invalid part and the current frame's rectangle in the back
    // buffer and copies them to the window.
    void paint() override;
    // Makes the back buffer, or resizes it, to the client area.
    void resize() override;
    // Composes the whole view and copies it onto a device context (what
    // PrintWindow gets); false without a picture.
    bool print(HDC dc);
    // Also the back buffer and the scale of the frames, and all is drawn again.
    void applyDpi() override;

    // Stops the animation and replaces the picture by a new one of that size
    // filled with the background colour; returns the fill's result.
    virtual bool createImage(int width, int height);
    // Frames side by side (vertical 0) or top to bottom; starts at frame 0.
    virtual void startTimerAnimation(int frameWidth, int frameHeight, int frameCount, int vertical,
                                     int interval);
    // Restarts the timer; the base version shows the whole picture at each tick.
    virtual void restartTimerAnimation();
    // The next frame, wrapping to 0; nothing while no animation runs.
    virtual void nextFrame();
    // Marks for painting what a timer tick changes: the frame's rectangle, or
    // the whole view while the whole picture is shown.
    void invalidateFrame();
    // Stops the timer, clears the view to the background colour; frame -1.
    virtual void stopTimerAnimation();

    HImage* getImage() const { return picture.get(); }
    HImage* getBackBuffer() const { return backBuffer.get(); }
    int getFrameWidth() const { return frameWidth; }
    int getFrameHeight() const { return frameHeight; }
    int getFrameCount() const { return frameCount; }
    int isVertical() const { return vertical; }
    int getInterval() const { return interval; }
    // -1 while the whole picture is shown.
    int getCurrentFrame() const { return currentFrame; }
    // How many pixels across (and down) each pixel of a frame is drawn as:
    // the view's resolution over the base one, whole (1 below 192 DPI, 2 from
    // it), less where the frame would not fit the view; 1 at least.
    int getFrameScale() const;

  private:
    void startTimer();
    // What the current frame (or the whole picture) covers in the view.
    RECT shownArea() const;
    // The back buffer's pixels of the area as a full redraw makes them: the
    // background, with the frame's part of the picture drawn over it.
    void compose(const RECT& area);
    // Makes the composed strip of the running animation, at the frame scale,
    // if there is none or the background or the scale changed; none over
    // MAX_COMPOSED_PIXELS.
    void prepareComposedStrip();
    // The current frame alone over the background, at the frame scale, into
    // the back buffer: the way without a composed strip.
    void composeFrame();

    std::unique_ptr<HImage> picture;
    std::unique_ptr<HImage> backBuffer;
    int sourceX = 0;
    int sourceY = 0;
    int frameWidth = 0;
    int frameHeight = 0;
    int frameCount = 0;
    int vertical = 0;
    int interval = 0;
    int currentFrame = -1;
    // Made at the first animation.
    std::unique_ptr<HImageViewTimerListener> timerListener;
    std::unique_ptr<HEventDisable> eraseDisable;
    // Answers WM_PAINT when paint draws the view, so the static control's own
    // paint does not follow.
    std::unique_ptr<HEventListener> paintAnswer;
    // Answers WM_PRINTCLIENT with the whole view.
    std::unique_ptr<HEventListener> printAnswer;
    // Every frame of the running animation over the background; null while
    // none runs or before its first paint.
    std::unique_ptr<HImage> composedStrip;
    HColor composedBackground;
    int composedScale = 1;
    // Set by invalidateFrame, taken by the next paint.
    bool tickPending = false;
    bool timerRunning = false;
    // The window shows nothing but the background since the last stop.
    bool shownClear = false;
};
