#pragma once

#include "toolkit/HComponent.h"

#include <memory>

class HDefaultButtonListener;
class HDefaultButtonListener2;

// A push button ("BUTTON"). Enter pressed and released on it while it has the
// focus sends WM_COMMAND with its id to the top-level window, through the two
// default button listeners it registers on itself.
class HButton : public HComponent {
  public:
    HButton(HContainer* parent, int id, const std::string& text);
    ~HButton() override;

    int create() override;
    // Forgets the handle; the native button goes with its parent window.
    void dispose() override;

    // The button Enter stands for in its window: drawn with the heavier
    // border. Takes effect at the next create.
    void setDefaultButton(bool value) { defaultButton = value; }
    bool isDefaultButton() const { return defaultButton; }

    // The Enter-key pressed mark, set on key-down and cleared on key-up.
    void setEnterPressed(bool pressed) { enterPressed = pressed; }
    bool isEnterPressed() const { return enterPressed; }

  private:
    bool enterPressed = false;
    bool defaultButton = false;
    // Declared in reverse so that they go in the order they were made.
    std::unique_ptr<HDefaultButtonListener2> keyUpListener;
    std::unique_ptr<HDefaultButtonListener> keyDownListener;
};
