#include "toolkit/HWindow.h"

#include "support/HDebug.h"
#include "toolkit/HApplication.h"
#include "toolkit/HDefaultCtlColorEListener.h"
#include "toolkit/HDefaultCtlColorSListener.h"
#include "toolkit/HDefaultDestroyListener.h"
#include "toolkit/HDefaultNotifyListener.h"
#include "toolkit/HDpi.h"
#include "toolkit/HDropTarget.h"
#include "toolkit/HMenuBar.h"

HINSTANCE HWindow::instanceHandle() {
    HINSTANCE instance = HApplication::getInstanceHandle();
    // The program's own module when the entry point stored no instance (tests,
    // tools).
    return instance ? instance : GetModuleHandleA(nullptr);
}

HWindow::HWindow() {
    setClassName("HWindow");
    setStoredText("Data:Default(HWindow)");
    setKindName("Window");
    setBackgroundColor(HColor(212, 208, 200));
    destroyListener = std::make_unique<HDefaultDestroyListener>();
    ctlColorEListener = std::make_unique<HDefaultCtlColorEListener>();
    ctlColorSListener = std::make_unique<HDefaultCtlColorSListener>();
    notifyListener = std::make_unique<HDefaultNotifyListener>();
    addListener(destroyListener.get());
    addListener(ctlColorEListener.get());
    addListener(ctlColorSListener.get());
    addListener(notifyListener.get());
}

HWindow::~HWindow() {
    HWND alive = getHandle();
    dispose();
    // A window object that goes while its native window still lives takes the
    // window with it; unregistered first, so no quit message is posted.
    if (alive && IsWindow(alive)) {
        DestroyWindow(alive);
    }
    if (classBrush) {
        // Fails harmlessly while other windows of the class exist.
        UnregisterClassA(windowClassName.c_str(), instanceHandle());
        classBrush.reset();
    }
    removeListener(destroyListener.get());
    removeListener(ctlColorEListener.get());
    removeListener(ctlColorSListener.get());
    removeListener(notifyListener.get());
}

bool HWindow::setVisible(bool visible) {
    visibleFlag = visible;
    if (!visible) {
        if (getHandle()) {
            ShowWindow(getHandle(), SW_HIDE);
        }
        return false;
    }
    create();
    if (!getHandle()) {
        HLOG_INFO("HWindow", 98, "ウィンドウの表示に失敗");
        return false;
    }
    ShowWindow(getHandle(), SW_SHOW);
    UpdateWindow(getHandle());
    focusFirst();
    // GetMessageA gives 0 for WM_QUIT and -1 on failure; either ends the loop.
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (accelerator && TranslateAcceleratorA(getHandle(), accelerator, &message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return true;
}

int HWindow::create() {
    HDebug::print(HDebug::LEVEL_JOURNAL, HDebug::FORMAT_START, "HWindow", 133, "HWindow.create");
    if (!getHandle()) {
        createWindow();
    }
    HDebug::print(HDebug::LEVEL_JOURNAL, HDebug::FORMAT_END, "HWindow", 202, "HWindow.create");
    return getHandle() ? 1 : 0;
}

int HWindow::createWindow() {
    HINSTANCE instance = instanceHandle();
    if (!classBrush) {
        classBrush.reset(CreateSolidBrush(getBackgroundColor().getColorRef()));
    }
    WNDCLASSEXA existing = {};
    existing.cbSize = sizeof(existing);
    bool registered = GetClassInfoExA(instance, windowClassName.c_str(), &existing) != FALSE;
    if (!registered) {
        classInfo = WNDCLASSEXA{};
        classInfo.cbSize = sizeof(WNDCLASSEXA);
        classInfo.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
        classInfo.lpfnWndProc = &HComponent::windowProcedure;
        classInfo.cbClsExtra = 0;
        classInfo.cbWndExtra = 0;
        classInfo.hInstance = instance;
        classInfo.hIcon = classIcon ? classIcon : LoadIconA(nullptr, IDI_APPLICATION);
        classInfo.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        classInfo.hbrBackground = classBrush.get();
        classInfo.lpszMenuName = nullptr;
        classInfo.lpszClassName = windowClassName.c_str();
        classInfo.hIconSm = classSmallIcon;
        classAtom = RegisterClassExA(&classInfo);
        registered = classAtom != 0;
    }
    if (registered) {
        // Sized for the resolution of the owner's screen, or the system's.
        setDpi(parentHandle ? HDpi::ofWindow(parentHandle) : HDpi::ofSystem());
        RECT bounds = getPlacement();
        HWND created =
            CreateWindowExA(exStyle, windowClassName.c_str(), getStoredText().c_str(), windowStyle,
                            bounds.left, bounds.top, bounds.right - bounds.left,
                            bounds.bottom - bounds.top, parentHandle, nullptr, instance, nullptr);
        setHandle(created);
    }
    if (!getHandle()) {
        HLOG_INFO("HWindow", 177, "HWindow:create error");
        return 0;
    }
    // A window that came up on a screen of another resolution is sized for
    // that one before its controls are made.
    const int shownDpi = HDpi::ofWindow(getHandle());
    if (shownDpi != getDpi()) {
        setDpi(shownDpi);
        RECT bounds = getPlacement();
        SetWindowPos(getHandle(), nullptr, 0, 0, bounds.right - bounds.left,
                     bounds.bottom - bounds.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (getDropTarget()) {
        getDropTarget()->attach(this);
    }
    HContainer::create();
    if (menuBar) {
        menuBar->create();
    }
    if (acceleratorCount > 0) {
        accelerator = CreateAcceleratorTableA(accelerators, acceleratorCount);
        printMessage("accelerator:%llX", hexOf(accelerator));
    }
    resize();
    return 1;
}

void HWindow::dispose() {
    if (!getHandle()) {
        return;
    }
    HDebug::print(HDebug::LEVEL_JOURNAL, HDebug::FORMAT_START, "HWindow", 212, "HWindow.dispose");
    if (accelerator) {
        DestroyAcceleratorTable(accelerator);
        accelerator = nullptr;
    }
    HContainer::dispose();
    // The menu goes with the native window; its components forget their handles.
    if (menuBar) {
        menuBar->dispose();
    }
    setHandle(nullptr);
    HDebug::print(HDebug::LEVEL_JOURNAL, HDebug::FORMAT_END, "HWindow", 234, "HWindow.dispose");
}

LRESULT HWindow::handleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, bool useDefault) {
    if (msg == WM_DPICHANGED && hwnd == getHandle()) {
        // Both halves of wParam hold the new resolution (across and down).
        changeDpi(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        return 0;
    }
    return HContainer::handleMessage(hwnd, msg, wParam, lParam, useDefault);
}

void HWindow::changeDpi(int dpi, const RECT* suggested) {
    HWND window = getHandle();
    if (!window || dpi <= 0) {
        return;
    }
    setDpi(dpi);
    if (suggested) {
        SetWindowPos(window, nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    applyDpiToChildren();
    if (menuBar) {
        DrawMenuBar(window);
    }
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

HComponent* HWindow::findById(int id) {
    if (getId() == id) {
        return this;
    }
    if (menuBar) {
        HComponent* item = menuBar->findById(id);
        if (item) {
            return item;
        }
    }
    return HContainer::findById(id);
}

void HWindow::setResizable(bool value) {
    resizable = value;
    const DWORD frame = WS_THICKFRAME | WS_MAXIMIZEBOX;
    if (value) {
        windowStyle |= frame;
    } else {
        windowStyle &= ~frame;
    }
}

bool HWindow::isVisible() {
    return getHandle() && IsWindowVisible(getHandle());
}

int HWindow::addAccelerator(BYTE fVirt, WORD key, WORD cmd) {
    if (acceleratorCount >= MAX_ACCELERATORS) {
        return -1;
    }
    ACCEL& entry = accelerators[acceleratorCount];
    entry.fVirt = fVirt;
    entry.key = key;
    entry.cmd = cmd;
    ++acceleratorCount;
    if (getHandle() && accelerator) {
        DestroyAcceleratorTable(accelerator);
        accelerator = CreateAcceleratorTableA(accelerators, acceleratorCount);
        if (!accelerator) {
            return -1;
        }
    }
    return acceleratorCount;
}

void HWindow::setMenuBar(HMenuBar* bar) {
    if (menuBar && menuBar != bar) {
        menuBar->setParent(nullptr);
    }
    menuBar = bar;
    if (menuBar) {
        menuBar->setParent(this);
    }
}
