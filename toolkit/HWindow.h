#pragma once

#include "toolkit/HContainer.h"
#include "toolkit/HGdiScope.h"

#include <memory>
#include <string>

class HMenuBar;
class HDefaultDestroyListener;
class HDefaultCtlColorEListener;
class HDefaultCtlColorSListener;
class HDefaultNotifyListener;

// A top-level window: registers its own class, creates its children, menu bar
// and accelerator table, and runs the message loop while it is visible.
class HWindow : public HContainer {
  public:
    static const int MAX_ACCELERATORS = 64;

    HWindow();
    ~HWindow() override;

    // true: creates everything and runs the message loop until WM_QUIT.
    bool setVisible(bool visible) override;
    int create() override;
    void dispose() override;
    HComponent* findById(int id) override;
    void setResizable(bool resizable) override;
    bool isVisible() override;
    // WM_DPICHANGED: the window was moved to a screen of another resolution.
    LRESULT handleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                          bool useDefault) override;
    // Takes the rectangle the system suggests for the new resolution (none:
    // keeps its own), lays every control out again from its bounds and gives
    // it its font made for the resolution. What the controls hold (texts,
    // rows, the selection) stays as it is.
    void changeDpi(int dpi, const RECT* suggested);

    // The new number of entries, or -1.
    int addAccelerator(BYTE fVirt, WORD key, WORD cmd);
    // The window keeps the bar without owning it.
    void setMenuBar(HMenuBar* bar);
    HMenuBar* getMenuBar() const { return menuBar; }

    // The native window class name (the log class name is HObject's).
    const std::string& getWindowClassName() const { return windowClassName; }
    void setWindowClassName(const std::string& name) { windowClassName = name; }
    DWORD getWindowStyle() const { return windowStyle; }
    void setWindowStyle(DWORD style) { windowStyle = style; }
    DWORD getExStyle() const { return exStyle; }
    void setExStyle(DWORD style) { exStyle = style; }
    // The icons of the window class (title bar and task bar, and the small one);
    // null keeps the system's application icon. Borrowed: shared icons, which
    // nobody destroys, such as LoadImage(..., LR_SHARED) gives.
    void setClassIcons(HICON largeIcon, HICON smallIcon) {
        classIcon = largeIcon;
        classSmallIcon = smallIcon;
    }
    HWND getParentHandle() const { return parentHandle; }
    void setParentHandle(HWND value) { parentHandle = value; }
    HACCEL getAccelerator() const { return accelerator; }
    int getAcceleratorCount() const { return acceleratorCount; }

    // The instance windows register their class and are created with: the
    // application's, or the program module's when none was stored.
    static HINSTANCE instanceHandle();

  protected:
    // The native creation shared with dialogs.
    int createWindow();
    MSG message = {};

  private:
    std::string windowClassName = "HWindow";
    WNDCLASSEXA classInfo = {};
    ATOM classAtom = 0;
    HMenuBar* menuBar = nullptr; // borrowed: whoever set it owns it
    DWORD windowStyle = WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    DWORD exStyle = 0;
    // The default listeners, declared in reverse so that they go in the order
    // they were made: destroy, edit colour, static colour, notify.
    std::unique_ptr<HDefaultNotifyListener> notifyListener;
    std::unique_ptr<HDefaultCtlColorSListener> ctlColorSListener;
    std::unique_ptr<HDefaultCtlColorEListener> ctlColorEListener;
    std::unique_ptr<HDefaultDestroyListener> destroyListener;
    // The class background, freed once the class is unregistered.
    HGdiObject<HBRUSH> classBrush;
    HICON classIcon = nullptr;      // borrowed
    HICON classSmallIcon = nullptr; // borrowed
    HACCEL accelerator = nullptr;
    ACCEL accelerators[MAX_ACCELERATORS] = {};
    int acceleratorCount = 0;
    HWND parentHandle = nullptr;
};
