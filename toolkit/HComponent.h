#pragma once

#include "support/HObject.h"
#include "toolkit/HColor.h"
#include "toolkit/HGdiScope.h"

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

class HContainer;
class HDefaultKeyListener;
class HDefaultPaintListener;
class HDropTarget;
class HEventListener;
class HFont;

// An object that owns at most one native window: identifier, bounds, colours,
// font, flags and the listeners per message number. Every component with a
// native window is registered by its handle, so the toolkit's window procedure
// finds it.
class HComponent : public HObject {
  public:
    HComponent();
    // Takes the parent's font and adds itself at the end of the parent's children.
    HComponent(HContainer* parent, int id, const std::string& text);
    ~HComponent() override;

    virtual bool isContainer() const;
    virtual bool setVisible(bool visible);
    // The base creation step; 0 when there is no native window.
    virtual int create();
    virtual int recreate();
    virtual void dispose();
    virtual HBRUSH onCtlColor(HDC hdc);
    virtual void paint();
    virtual void repaint();
    virtual void resize();
    virtual LRESULT handleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                  bool useDefault);
    virtual HComponent* findById(int id);
    virtual void focusNext();
    virtual void focusPrevious();
    virtual void requestFocus();
    virtual std::string getText();
    virtual void* getUserObject();
    virtual bool isEnabled();
    virtual void setText(const std::string& text);
    virtual void setUserObject(void* object);
    virtual void setEnabled(bool enabled);
    virtual void setListenersEnabled(bool enabled);
    virtual void setDropTarget(HDropTarget* target);
    virtual DWORD getStyle();
    // IsWindowVisible when the native window exists, else the visible flag.
    virtual bool isVisible();

    int getId() const { return id; }
    void setId(int value) { id = value; }
    HWND getHandle() const { return handle; }
    // Keeps the handle registry in step ("HWND:del[...]", "HWND:new[...]").
    void setHandle(HWND value);
    HContainer* getParent() const { return parent; }
    void setParent(HContainer* value) { parent = value; }
    // The outermost ancestor; null for a component without parent.
    HComponent* getRoot() const;

    const std::string& getKindName() const { return kindName; }
    void setKindName(const std::string& value) { kindName = value; }
    const std::string& getStoredText() const { return text; }
    void setStoredText(const std::string& value) { text = value; }
    int getAlignment() const { return alignment; }
    void setAlignment(int value) { alignment = value; }

    // Bounds are given at 96 DPI (HDpi::BASE): a child's place in its parent's
    // client area and its size, a top-level window's size; a top-level
    // window's place is on the screen, in the screen's pixels. The native
    // window gets them scaled for the resolution of its window (getDpi).
    int getX();
    int getY();
    int getWidth();
    int getHeight();
    SIZE getSize();
    // Screen coordinates once the native window exists, else the requested bounds.
    RECT getBounds();
    void setBounds(int x, int y, int width, int height);
    void setWidth(int width);
    void setHeight(int height);
    // Moves a top-level window to a place on the screen, keeping its size.
    void setLocation(int x, int y);

    // The resolution the native windows are laid out for: that of the
    // top-level window, which follows the screen it is on; before it exists,
    // the system's.
    int getDpi() const;
    // Places the native window for the resolution of its window and gives it
    // its font made for it; done for every control when the window moved to a
    // screen of another resolution.
    virtual void applyDpi();

    HFont* getFont() const { return font; }
    void setFont(HFont* value);
    HColor getBackgroundColor() const { return backgroundColor; }
    void setBackgroundColor(const HColor& color) { backgroundColor = color; }
    HColor getTextColor() const { return textColor; }
    void setTextColor(const HColor& color) { textColor = color; }
    bool isFocusable() const { return focusable; }
    void setFocusable(bool value) { focusable = value; }

    // Returns how many listeners are now registered for the listener's message.
    // The component keeps the listener without owning it: it must outlive the
    // registration.
    int addListener(HEventListener* listener);
    void removeListener(HEventListener* listener);
    // How many listeners are registered for a message number.
    int getListenerCount(unsigned int msg) const;

    WNDPROC getSavedProcedure() const { return savedProcedure; }
    HDropTarget* getDropTarget() const { return dropTarget; }

    static HComponent* findByHandle(HWND handle);
    static HComponent* getFocusComponent();
    static void moveCenter(HComponent* component);
    static void centerOver(HComponent* component, HComponent* other);
    // The procedure that window classes register and controls are subclassed with.
    static LRESULT CALLBACK windowProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

  protected:
    // The native window's place and size as MoveWindow takes them, from the
    // requested bounds at the resolution of its window: scaled in the parent's
    // client area for a child window, at its place on the screen for a
    // top-level one.
    RECT getPlacement();
    // A top-level window's resolution, once it is known.
    void setDpi(int value) { dpi = value; }
    // The size the native window has, or will have when it is made.
    SIZE shownSize();
    // The font the native window is made with, for its resolution; null for
    // the control's own choice, the system's font, at the system's resolution.
    HFONT shownFont();
    // The native child window of a control: the requested bounds, the parent's
    // window, the component's id as child id, the application's instance.
    HWND createChildWindow(DWORD exStyle, const char* windowClass, const char* text, DWORD style);
    // Requested bounds, used while no native window exists.
    RECT requested = {0, 0, 0, 0};
    bool visibleFlag = true;
    bool enabledFlag = true;

  private:
    // Moves the native window, if any, to the requested bounds.
    void place();
    // A top-level window's requested place becomes the one it has on the screen.
    void keepScreenPlace();
    // Passes the focus to the next (step 1) or previous (step -1) sibling that
    // is focusable, enabled and visible.
    void moveFocus(int step);

    int id = 0;
    int dpi = 0; // a top-level window's; 0 before it is known
    HWND handle = nullptr;
    HContainer* parent = nullptr; // borrowed: the parent outlives its children
    std::string kindName;
    std::string text;
    void* userObject = nullptr; // borrowed: whatever the application attaches
    int alignment = 0;
    HFont* font = nullptr; // borrowed: the window or dialog owns its fonts
    HColor textColor;
    HColor backgroundColor;
    // Made at the first WM_CTLCOLOR* answer, kept while the component lives.
    HGdiObject<HBRUSH> backgroundBrush;
    bool focusable = true;
    // Borrowed: the listeners belong to whoever registered them.
    std::map<unsigned int, std::vector<HEventListener*>> listeners;
    WNDPROC savedProcedure = nullptr;
    // Members go in reverse order: the key listener, the paint listener, then
    // the brush.
    std::unique_ptr<HDefaultPaintListener> paintListener;
    std::unique_ptr<HDefaultKeyListener> keyListener;
    HDropTarget* dropTarget = nullptr; // borrowed: the application owns the target
};
