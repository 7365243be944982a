#pragma once

// Helpers for tests that drive real native windows: a plain native child made
// from any window class, real key strokes, and waiting with the messages pumped.

#include "tests/common/TestSupport.h"
#include "toolkit/HComponent.h"
#include "toolkit/HContainer.h"
#include "toolkit/HEventListener.h"

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <vector>

namespace nativetest {

// A child component whose create() makes a native window of the given class
// ("BUTTON", "EDIT", "STATIC") inside the parent's window, then runs the base
// creation step, as every control does.
class NativeChild : public HComponent {
  public:
    NativeChild(HContainer* parent, int id, const char* windowClass, const std::string& text = "",
                DWORD extraStyle = 0)
        : HComponent(parent, id, text), windowClass(windowClass), extraStyle(extraStyle) {
        setClassName("NativeChild");
    }

    int create() override {
        HWND parentWindow = getParent() ? getParent()->getHandle() : nullptr;
        if (!parentWindow) {
            return 0;
        }
        RECT r = requested;
        HWND h = CreateWindowExA(0, windowClass, getStoredText().c_str(),
                                 WS_CHILD | getStyle() | extraStyle, r.left, r.top,
                                 r.right - r.left, r.bottom - r.top, parentWindow,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(getId())),
                                 GetModuleHandleA(nullptr), nullptr);
        setHandle(h);
        return HComponent::create();
    }
    // Like the simple controls: only the handle is forgotten, the window goes
    // with its parent.
    void dispose() override { setHandle(nullptr); }

  private:
    const char* windowClass;
    DWORD extraStyle;
};

// Records each call and answers with a fixed result and continuation.
class RecordingListener : public HEventListener {
  public:
    RecordingListener(UINT msg, std::vector<int>* calls, int mark, bool goOn = true,
                      LRESULT answer = -1)
        : HEventListener(HEventType(static_cast<int>(msg), "TEST")), calls(calls), mark(mark),
          goOn(goOn), answer(answer) {}

    bool handleEvent(HWND, UINT, WPARAM, LPARAM, HComponent* component, LRESULT* result) override {
        calls->push_back(mark);
        lastComponent = component;
        if (answer != -1) {
            *result = answer;
        }
        return goOn;
    }

    HComponent* lastComponent = nullptr;

  private:
    std::vector<int>* calls;
    int mark;
    bool goOn;
    LRESULT answer;
};

using testsupport::bringToFront;
using testsupport::keyEvent;
using testsupport::pressKeys;

// Pumps messages until the condition holds or the time is up.
inline bool waitFor(const std::function<bool()>& condition, unsigned milliseconds = 3000) {
    return testsupport::waitUntil(condition, milliseconds);
}

} // namespace nativetest
