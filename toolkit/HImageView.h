#pragma once

#include "toolkit/HComponent.h"

class HContainer;
class HEventDisable;
class HImage;
class HImageViewTimerListener;

// A control showing an HImage through a back buffer, either whole or as a
// timer-driven animation of equal frames cut from it. The control id is the
// timer id. The background is never erased, so animation does not flicker.
class HImageView : public HComponent {
  public:
    HImageView(HContainer* parent, int id, const std::string& text);
    ~HImageView() override;

    int create() override;
    void dispose() override;
    void paint() override;
    // Makes the back buffer, or resizes it, to the client area.
    void resize() override;

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
    // Stops the timer, clears the view to the background colour; frame -1.
    virtual void stopTimerAnimation();

    HImage* getImage() const { return picture; }
    HImage* getBackBuffer() const { return backBuffer; }
    int getFrameWidth() const { return frameWidth; }
    int getFrameHeight() const { return frameHeight; }
    int getFrameCount() const { return frameCount; }
    int isVertical() const { return vertical; }
    int getInterval() const { return interval; }
    // -1 while the whole picture is shown.
    int getCurrentFrame() const { return currentFrame; }

  private:
    void startTimer();

    HImage* picture = nullptr;
    HImage* backBuffer = nullptr;
    int sourceX = 0;
    int sourceY = 0;
    int frameWidth = 0;
    int frameHeight = 0;
    int frameCount = 0;
    int vertical = 0;
    int interval = 0;
    int currentFrame = -1;
    HImageViewTimerListener* timerListener = nullptr;
    HEventDisable* eraseDisable = nullptr;
};
