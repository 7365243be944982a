#include "tests/common/TestSupport.h"
#include "tests/toolkit/NativeTestSupport.h"
#include "toolkit/HDialog.h"
#include "toolkit/HWindow.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace testsupport;
using namespace nativetest;

namespace {
// Steps run from a thread timer, which the dialog's own loop dispatches.
std::function<void(int)> timerStep;
int timerTick = 0;

void CALLBACK onTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (timerStep) {
        timerStep(timerTick++);
    }
}

class TimerRun {
  public:
    explicit TimerRun(std::function<void(int)> step) {
        timerTick = 0;
        timerStep = std::move(step);
        id = SetTimer(nullptr, 0, 80, &onTimer);
    }
    ~TimerRun() {
        KillTimer(nullptr, id);
        timerStep = nullptr;
    }

  private:
    UINT_PTR id;
};

// A point of the window's close box in screen coordinates, found by hit-testing
// along the caption.
bool findCloseBox(HWND window, POINT* point) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    for (int y = rect.top + 2; y < rect.top + 40 && y < rect.bottom; y += 2) {
        for (int x = rect.right - 2; x > rect.left; --x) {
            LRESULT hit = SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(x, y));
            if (hit == HTCLOSE) {
                point->x = x;
                point->y = y;
                return true;
            }
        }
    }
    return false;
}

void clickAt(POINT point) {
    INPUT inputs[3] = {};
    int screenW = GetSystemMetrics(SM_CXSCREEN);
    int screenH = GetSystemMetrics(SM_CYSCREEN);
    inputs[0].type = INPUT_MOUSE;
    inputs[0].mi.dx = (point.x * 65535 + screenW / 2) / (screenW - 1);
    inputs[0].mi.dy = (point.y * 65535 + screenH / 2) / (screenH - 1);
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[1].type = INPUT_MOUSE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[2].type = INPUT_MOUSE;
    inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(3, inputs, sizeof(INPUT));
}

std::unique_ptr<HWindow> makeOwner() {
    std::unique_ptr<HWindow> owner(new HWindow());
    owner->setBounds(100, 80, 500, 400);
    owner->create();
    ShowWindow(owner->getHandle(), SW_SHOW);
    bringToFront(owner->getHandle());
    return owner;
}

bool classRegistered(const char* name) {
    WNDCLASSEXA info = {};
    info.cbSize = sizeof(info);
    return GetClassInfoExA(GetModuleHandleA(nullptr), name, &info) != FALSE;
}

bool quitPending(WPARAM* code = nullptr) {
    MSG msg = {};
    if (!PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        return false;
    }
    if (code) {
        *code = msg.wParam;
    }
    return true;
}
} // namespace

TEST(HDialog, DefaultsOfANewDialog) {
    HDialog dialog(nullptr);
    EXPECT_EQ("HDialog", dialog.getClassName());
    EXPECT_EQ("HDialog", dialog.getWindowClassName());
    EXPECT_EQ("Dialog", dialog.getKindName());
    EXPECT_EQ(0x80C80000u, dialog.getWindowStyle());
    EXPECT_EQ(static_cast<DWORD>(WS_EX_DLGMODALFRAME), dialog.getExStyle());
    EXPECT_TRUE(dialog.isModal());
    EXPECT_EQ(-1, dialog.getResult());
    EXPECT_EQ(1, dialog.getListenerCount(WM_CLOSE));
    EXPECT_EQ(1, dialog.getListenerCount(WM_CHAR));
}

TEST(HDialog, EscapeEndsTheModalLoopWith4AndTheOwnerComesBackEnabledInFront) {
    auto owner = makeOwner();
    ASSERT_EQ(owner->getHandle(), GetForegroundWindow());
    std::unique_ptr<HDialog> dialog(new HDialog(owner.get()));
    dialog->setBounds(0, 0, 240, 120);
    bool ownerDisabledMeanwhile = false;
    bool dialogInFront = false;
    RECT shown = {};
    {
        TimerRun run([&](int tick) {
            HWND handle = dialog->getHandle();
            if (tick == 0) {
                SetForegroundWindow(handle);
            } else if (tick == 1) {
                ownerDisabledMeanwhile = !IsWindowEnabled(owner->getHandle());
                dialogInFront = GetForegroundWindow() == handle;
                GetWindowRect(handle, &shown);
                pressKeys({VK_ESCAPE});
            } else if (tick > 40) {
                dialog->setResult(99); // the keys never arrived
            }
        });
        EXPECT_EQ(4, dialog->showDialog());
    }
    EXPECT_TRUE(ownerDisabledMeanwhile);
    EXPECT_TRUE(dialogInFront);
    // Centred over the owner: (500 - 240) / 2 and (400 - 120) / 2.
    EXPECT_EQ(100 + 130, shown.left);
    EXPECT_EQ(80 + 140, shown.top);
    EXPECT_EQ(4, dialog->getResult());
    EXPECT_FALSE(IsWindowVisible(dialog->getHandle()));
    EXPECT_TRUE(IsWindowEnabled(owner->getHandle()));
    EXPECT_EQ(owner->getHandle(), GetForegroundWindow());
    EXPECT_EQ(owner->getHandle(), GetActiveWindow());

    // Deleting the dialog destroys it and frees its class; the program goes on.
    HWND gone = dialog->getHandle();
    dialog.reset();
    EXPECT_FALSE(IsWindow(gone));
    EXPECT_FALSE(classRegistered("HDialog"));
    EXPECT_EQ(nullptr, HComponent::findByHandle(gone));
    waitFor([] { return false; }, 50);
    EXPECT_FALSE(quitPending());
    EXPECT_TRUE(IsWindow(owner->getHandle()));
}

TEST(HDialog, TheCloseBoxGives4AndTheDialogCanBeShownAgainAtOnce) {
    auto owner = makeOwner();
    std::unique_ptr<HDialog> dialog(new HDialog(owner.get()));
    dialog->setBounds(0, 0, 260, 140);
    bool clicked = false;
    {
        TimerRun run([&](int tick) {
            HWND handle = dialog->getHandle();
            if (tick == 0) {
                SetForegroundWindow(handle);
            } else if (tick == 1) {
                POINT point = {};
                clicked = findCloseBox(handle, &point);
                if (clicked) {
                    clickAt(point);
                }
            } else if (tick > 40) {
                dialog->setResult(99);
            }
        });
        EXPECT_EQ(4, dialog->showDialog());
    }
    EXPECT_TRUE(clicked);
    EXPECT_TRUE(IsWindowEnabled(owner->getHandle()));
    EXPECT_EQ(owner->getHandle(), GetForegroundWindow());

    // The same dialog again, closed through its system menu's close command.
    {
        TimerRun run([&](int tick) {
            if (tick == 1) {
                PostMessageA(dialog->getHandle(), WM_SYSCOMMAND, SC_CLOSE, 0);
            } else if (tick > 40) {
                dialog->setResult(99);
            }
        });
        EXPECT_EQ(4, dialog->showDialog());
    }
    dialog.reset();

    // A new dialog of the same class right after the old one was deleted.
    std::unique_ptr<HDialog> again(new HDialog(owner.get()));
    again->setBounds(0, 0, 200, 100);
    {
        TimerRun run([&](int tick) {
            if (tick == 0) {
                SetForegroundWindow(again->getHandle());
            } else if (tick == 1) {
                pressKeys({VK_ESCAPE});
            } else if (tick > 40) {
                again->setResult(99);
            }
        });
        EXPECT_EQ(4, again->showDialog());
    }
    EXPECT_NE(nullptr, again->getHandle());
    again.reset();
    EXPECT_TRUE(IsWindowEnabled(owner->getHandle()));
    waitFor([] { return false; }, 50);
    EXPECT_FALSE(quitPending());
}

TEST(HDialog, EscapeTypedInOneOfItsControlsClosesTheDialogToo) {
    auto owner = makeOwner();
    std::unique_ptr<HDialog> dialog(new HDialog(owner.get()));
    dialog->setBounds(0, 0, 240, 140);
    NativeChild* edit = new NativeChild(dialog.get(), 201, "EDIT", "", WS_BORDER);
    edit->setBounds(10, 10, 200, 24);
    NativeChild* button = new NativeChild(dialog.get(), 203, "BUTTON", "OK");
    button->setBounds(80, 50, 80, 24);
    HWND focused = nullptr;
    HWND focusedAfterTab = nullptr;
    {
        TimerRun run([&](int tick) {
            if (tick == 0) {
                SetForegroundWindow(dialog->getHandle());
            } else if (tick == 1) {
                focused = GetFocus();
                pressKeys({'A'});
                pressKeys({VK_TAB});
            } else if (tick == 2) {
                focusedAfterTab = GetFocus();
                pressKeys({VK_ESCAPE});
            } else if (tick > 40) {
                dialog->setResult(99);
            }
        });
        EXPECT_EQ(4, dialog->showDialog());
    }
    EXPECT_EQ(edit->getHandle(), focused);
    EXPECT_EQ("a", edit->getText());
    EXPECT_EQ(button->getHandle(), focusedAfterTab);
    EXPECT_TRUE(IsWindowEnabled(owner->getHandle()));
    dialog.reset();
    delete button;
    delete edit;
}

TEST(HDialog, AResultSetByTheProgramEndsTheLoop) {
    auto owner = makeOwner();
    HDialog dialog(owner.get());
    dialog.setBounds(0, 0, 200, 100);
    TimerRun run([&](int tick) {
        if (tick == 1) {
            dialog.setVisible(false);
            dialog.setResult(1);
        }
    });
    EXPECT_EQ(1, dialog.showDialog());
    EXPECT_TRUE(IsWindowEnabled(owner->getHandle()));
}

TEST(HDialog, QuittingDuringTheModalLoopEndsItAndReachesTheOuterLoop) {
    auto owner = makeOwner();
    HDialog dialog(owner.get());
    dialog.setBounds(0, 0, 200, 100);
    {
        TimerRun run([&](int tick) {
            if (tick == 1) {
                PostQuitMessage(3);
            } else if (tick > 40) {
                dialog.setResult(99);
            }
        });
        EXPECT_EQ(-1, dialog.showDialog());
    }
    EXPECT_TRUE(IsWindowEnabled(owner->getHandle()));
    WPARAM code = 0;
    EXPECT_TRUE(quitPending(&code));
    EXPECT_EQ(3u, code);
}

TEST(HDialog, AModelessDialogReturns0AtOnce) {
    auto owner = makeOwner();
    HDialog dialog(owner.get());
    dialog.setModal(false);
    dialog.setBounds(0, 0, 200, 100);
    EXPECT_EQ(0, dialog.showDialog());
    EXPECT_TRUE(IsWindowVisible(dialog.getHandle()));
    EXPECT_TRUE(IsWindowEnabled(owner->getHandle()));
    EXPECT_EQ(owner->getHandle(), GetWindow(dialog.getHandle(), GW_OWNER));

    // Without an owner window it is shown where it was put.
    HDialog alone(nullptr);
    alone.setModal(false);
    alone.setBounds(7, 9, 150, 80);
    EXPECT_EQ(0, alone.showDialog());
    EXPECT_EQ(7, alone.getX());
    EXPECT_EQ(9, alone.getY());
}

TEST(HDialog, AFailedCreationReturnsMinusOne) {
    HWindow owner;
    owner.setBounds(0, 0, 100, 100);
    HDialog dialog(&owner);
    dialog.setWindowStyle(WS_CHILD); // a child window needs a parent: none exists
    EXPECT_EQ(-1, dialog.showDialog());
    EXPECT_EQ(nullptr, dialog.getHandle());
}
