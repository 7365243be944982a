#pragma once

// A real top-level window for control tests: created and shown without its
// message loop (the tests pump messages themselves). Objects made through
// `make` are deleted after the window is gone, as the program's main window
// does with its controls and listeners.
#include "tests/common/TestSupport.h"
#include "toolkit/HEventListener.h"
#include "toolkit/HWindow.h"

#include <windows.h>

#include <memory>
#include <utility>
#include <vector>

namespace controltest {

class Window {
  public:
    explicit Window(int width = 640, int height = 480) {
        window.reset(new HWindow());
        window->setWindowClassName("HControlsTestWindow");
        window->setStoredText("controls");
        window->setBounds(20, 20, width, height);
    }
    ~Window() {
        window.reset();
        testsupport::pumpMessages(20);
        owned.clear();
    }

    HWindow* get() { return window.get(); }
    HWND handle() { return window->getHandle(); }

    template <typename T, typename... Args> T* make(Args&&... args) {
        T* object = new T(std::forward<Args>(args)...);
        owned.emplace_back(object);
        return object;
    }

    // Creates the window and its children and brings it to the front.
    void show() {
        window->create();
        ShowWindow(window->getHandle(), SW_SHOW);
        UpdateWindow(window->getHandle());
        SetForegroundWindow(window->getHandle());
        testsupport::pumpMessages(150);
    }

  private:
    // Declared first, so they are deleted after the window.
    std::vector<std::unique_ptr<HObject>> owned;
    std::unique_ptr<HWindow> window;
};

// Records every message of one type that reaches the component it sits on.
class Recorder : public HEventListener {
  public:
    struct Seen {
        HWND hwnd;
        WPARAM wParam;
        LPARAM lParam;
    };
    explicit Recorder(const char* type) : HEventListener(HEventType::byName(type)) {}
    bool handleEvent(HWND hwnd, UINT, WPARAM wParam, LPARAM lParam, HComponent*,
                     LRESULT*) override {
        seen.push_back(Seen{hwnd, wParam, lParam});
        return true;
    }
    std::vector<Seen> seen;
};

inline void pressKey(WORD key, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof(INPUT));
}

inline void typeKey(WORD key) {
    pressKey(key, false);
    pressKey(key, true);
}

// A real left click at a point of the window's client area.
inline void clickAt(HWND hwnd, POINT client) {
    ClientToScreen(hwnd, &client);
    SetCursorPos(client.x, client.y);
    testsupport::pumpMessages(30);
    INPUT input[2] = {};
    input[0].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].type = INPUT_MOUSE;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, input, sizeof(INPUT));
}

} // namespace controltest
