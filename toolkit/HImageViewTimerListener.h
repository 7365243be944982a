#pragma once

#include "toolkit/HEventListener.h"

class HImageView;

// Advances an image view's animation at each WM_TIMER: the frame's rectangle is
// marked for painting, then the next frame is taken.
class HImageViewTimerListener : public HEventListener {
  public:
    explicit HImageViewTimerListener(HImageView* view);
    ~HImageViewTimerListener() override;

    bool handleEvent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, HComponent* component,
                     LRESULT* result) override;

  private:
    HImageView* view;
};
