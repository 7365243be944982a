#include "toolkit/HComponent.h"

#include "support/HDebug.h"
#include "toolkit/HContainer.h"
#include "toolkit/HWindow.h"
#include "toolkit/HDefaultKeyListener.h"
#include "toolkit/HDefaultPaintListener.h"
#include "toolkit/HDpi.h"
#include "toolkit/HDropTarget.h"
#include "toolkit/HEventListener.h"
#include "toolkit/HFont.h"

#include <algorithm>

namespace {
// Every native window of the program, found by its handle. Never owns the
// components.
std::map<HWND, HComponent*>& registry() {
    static std::map<HWND, HComponent*> components;
    return components;
}

// Each message's list starts with room for 256 listeners.
const std::size_t LISTENER_ROOM = 256;

// The place of a window of the size, moved where needed so that its top left
// corner, and with it the title bar, lies on the work area of its screen: a
// window larger than the screen (a high display scale on a small screen) is
// cut at the right and bottom rather than out of reach above.
POINT keepTitleOnScreen(int x, int y, SIZE size) {
    POINT place = {x, y};
    RECT wanted = {x, y, x + size.cx, y + size.cy};
    MONITORINFO screen = {};
    screen.cbSize = sizeof(screen);
    if (GetMonitorInfoA(MonitorFromRect(&wanted, MONITOR_DEFAULTTONEAREST), &screen)) {
        place.x = std::max(place.x, screen.rcWork.left);
        place.y = std::max(place.y, screen.rcWork.top);
    }
    return place;
}
} // namespace

HComponent::HComponent() : textColor(0, 0, 0), backgroundColor(255, 255, 255) {
    setClassName("HComponent");
    keyListener = std::make_unique<HDefaultKeyListener>();
    paintListener = std::make_unique<HDefaultPaintListener>();
}

HComponent::HComponent(HContainer* parentContainer, int identifier, const std::string& caption)
    : textColor(0, 0, 0), backgroundColor(255, 255, 255) {
    setClassName("HComponent");
    id = identifier;
    text = caption;
    keyListener = std::make_unique<HDefaultKeyListener>();
    paintListener = std::make_unique<HDefaultPaintListener>();
    if (parentContainer) {
        font = parentContainer->getFont();
        parentContainer->add(this);
    }
}

HComponent::~HComponent() {
    // A component that goes while its native window still lives must not stay
    // in the registry: the next message would reach a deleted object.
    if (handle) {
        setHandle(nullptr);
    }
}

bool HComponent::isContainer() const {
    return false;
}

bool HComponent::setVisible(bool visible) {
    visibleFlag = visible;
    if (handle) {
        LONG style = GetWindowLongA(handle, GWL_STYLE);
        if (visible) {
            style |= WS_VISIBLE;
        } else {
            style &= ~WS_VISIBLE;
        }
        SetWindowLongA(handle, GWL_STYLE, style);
    }
    return visible;
}

int HComponent::create() {
    if (!handle) {
        return 0;
    }
    // Registered once, also when the component is created again.
    removeListener(keyListener.get());
    removeListener(paintListener.get());
    addListener(keyListener.get());
    addListener(paintListener.get());
    if (dropTarget) {
        dropTarget->attach(this);
    }
    LONG_PTR previous = SetWindowLongPtrA(handle, GWLP_WNDPROC,
                                          reinterpret_cast<LONG_PTR>(&HComponent::windowProcedure));
    WNDPROC own = reinterpret_cast<WNDPROC>(previous);
    // A window whose class already uses the toolkit's procedure has no own
    // procedure to fall back to (calling it would loop).
    savedProcedure = own == &HComponent::windowProcedure ? nullptr : own;
    if (HFONT fontHandle = shownFont()) {
        // A control not on screen yet is painted in full when it is shown:
        // a redraw now would only be work for the window system.
        BOOL redraw = IsWindowVisible(handle) ? TRUE : FALSE;
        SendMessageA(handle, WM_SETFONT, reinterpret_cast<WPARAM>(fontHandle), redraw);
    }
    return 1;
}

HFONT HComponent::shownFont() {
    if (font) {
        return font->getHandleForDpi(getDpi());
    }
    // At the system's resolution the control makes the system's font itself.
    return getDpi() == HDpi::ofSystem() ? nullptr : HFont::systemFontForDpi(getDpi());
}

void HComponent::applyDpi() {
    if (!handle) {
        return;
    }
    place();
    // Without a font of its own the system's, also at the system's resolution:
    // a control given a font keeps it until it is given another.
    HFONT fontHandle = font ? shownFont() : HFont::systemFontForDpi(getDpi());
    if (fontHandle) {
        SendMessageA(handle, WM_SETFONT, reinterpret_cast<WPARAM>(fontHandle), TRUE);
    }
}

int HComponent::getDpi() const {
    if (parent) {
        return parent->getDpi();
    }
    return dpi > 0 ? dpi : HDpi::ofSystem();
}

int HComponent::recreate() {
    dispose();
    return create();
}

void HComponent::dispose() {
    if (!handle) {
        return;
    }
    if (savedProcedure) {
        SetWindowLongPtrA(handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(savedProcedure));
        savedProcedure = nullptr;
    }
    DestroyWindow(handle);
    setHandle(nullptr);
}

HBRUSH HComponent::onCtlColor(HDC hdc) {
    if (hdc) {
        SetBkMode(hdc, TRANSPARENT);
        SetTextColor(hdc, textColor.getColorRef());
        SetBkColor(hdc, backgroundColor.getColorRef());
    }
    if (!backgroundBrush) {
        backgroundBrush.reset(CreateSolidBrush(backgroundColor.getColorRef()));
    }
    return backgroundBrush.get();
}

void HComponent::paint() {}

void HComponent::repaint() {
    if (handle) {
        InvalidateRect(handle, nullptr, TRUE);
    }
}

void HComponent::resize() {}

LRESULT HComponent::handleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                  bool useDefault) {
    LRESULT result = -1;
    // Taken before the listeners run: one of them may dispose the component.
    WNDPROC own = savedProcedure;
    // Walked by position in the live list, so a listener that removes itself or
    // another one does not leave the walk on freed storage.
    for (std::size_t i = 0;; ++i) {
        auto found = listeners.find(msg);
        if (found == listeners.end() || i >= found->second.size()) {
            break;
        }
        HEventListener* listener = found->second[i];
        if (!listener || !listener->isEnabled()) {
            continue;
        }
        if (!listener->handleEvent(hwnd, msg, wParam, lParam, this, &result)) {
            break;
        }
    }
    if (result != -1) {
        return result;
    }
    if (!own || useDefault) {
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    return CallWindowProcA(own, hwnd, msg, wParam, lParam);
}

HComponent* HComponent::findById(int identifier) {
    return id == identifier ? this : nullptr;
}

namespace {
bool canTakeFocus(HComponent* child) {
    return child && child->isFocusable() && child->isEnabled() && child->isVisible();
}
} // namespace

void HComponent::focusNext() {
    moveFocus(1);
}

void HComponent::focusPrevious() {
    moveFocus(-1);
}

void HComponent::moveFocus(int step) {
    if (!parent || !parent->contains(this)) {
        return;
    }
    int count = parent->getChildCount();
    int self = parent->indexOf(this);
    // Walk the siblings round from this one, until a child can take the focus
    // or the walk comes back here.
    for (int i = (self + step + count) % count; i != self; i = (i + step + count) % count) {
        HComponent* child = parent->getChild(i);
        if (canTakeFocus(child)) {
            child->requestFocus();
            return;
        }
    }
}

HWND HComponent::createChildWindow(DWORD exStyle, const char* windowClass, const char* text,
                                   DWORD style) {
    RECT r = getPlacement();
    return CreateWindowExA(exStyle, windowClass, text, style, r.left, r.top, r.right - r.left,
                           r.bottom - r.top, parent ? parent->getHandle() : nullptr,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           HWindow::instanceHandle(), nullptr);
}

void HComponent::requestFocus() {
    if (handle && focusable) {
        SetFocus(handle);
    }
}

std::string HComponent::getText() {
    if (!handle) {
        return std::string();
    }
    int size = GetWindowTextLengthA(handle) + 2;
    std::string buffer(static_cast<std::size_t>(size), '\0');
    int read = GetWindowTextA(handle, &buffer[0], size);
    if (read <= 0) {
        return std::string();
    }
    buffer.resize(static_cast<std::size_t>(std::min(read, size - 1)));
    return buffer;
}

void* HComponent::getUserObject() {
    return userObject;
}

bool HComponent::isEnabled() {
    return enabledFlag;
}

void HComponent::setText(const std::string& value) {
    if (handle) {
        SetWindowTextA(handle, value.c_str());
    }
}

void HComponent::setUserObject(void* object) {
    userObject = object;
}

void HComponent::setEnabled(bool enabled) {
    enabledFlag = enabled;
    if (handle) {
        EnableWindow(handle, enabled ? TRUE : FALSE);
    }
}

void HComponent::setListenersEnabled(bool enabled) {
    for (auto& entry : listeners) {
        for (HEventListener* listener : entry.second) {
            if (listener) {
                listener->setEnabled(enabled);
            }
        }
    }
}

void HComponent::setDropTarget(HDropTarget* target) {
    if (dropTarget && dropTarget != target) {
        removeListener(dropTarget);
    }
    dropTarget = target;
    if (dropTarget && handle) {
        dropTarget->attach(this);
    }
}

DWORD HComponent::getStyle() {
    DWORD style = 0;
    if (!enabledFlag) {
        style |= WS_DISABLED;
    }
    if (isVisible()) {
        style |= WS_VISIBLE;
    }
    return style;
}

bool HComponent::isVisible() {
    if (handle) {
        return IsWindowVisible(handle) != FALSE;
    }
    return visibleFlag;
}

void HComponent::setHandle(HWND value) {
    if (handle) {
        auto found = registry().find(handle);
        if (found != registry().end() && found->second == this) {
            registry().erase(found);
        }
        printMessage("HWND:del[%llX]", hexOf(handle));
        // A subclassed window that its component forgets gets its own procedure
        // back, so it keeps working (and cleans up) without the component.
        if (savedProcedure && value != handle) {
            if (IsWindow(handle)) {
                SetWindowLongPtrA(handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(savedProcedure));
            }
            savedProcedure = nullptr;
        }
    }
    handle = value;
    if (handle) {
        registry()[handle] = this;
        printMessage("HWND:new[%llX]", hexOf(handle));
    }
}

HComponent* HComponent::getRoot() const {
    if (!parent) {
        return nullptr;
    }
    const HComponent* node = this;
    while (node->parent) {
        node = node->parent;
    }
    return const_cast<HComponent*>(node);
}

RECT HComponent::getBounds() {
    if (handle) {
        RECT rect = {0, 0, 0, 0};
        GetWindowRect(handle, &rect);
        return rect;
    }
    return requested;
}

int HComponent::getX() {
    return getBounds().left;
}

int HComponent::getY() {
    return getBounds().top;
}

int HComponent::getWidth() {
    RECT rect = getBounds();
    return rect.right - rect.left;
}

int HComponent::getHeight() {
    RECT rect = getBounds();
    return rect.bottom - rect.top;
}

SIZE HComponent::getSize() {
    RECT rect = getBounds();
    SIZE size = {rect.right - rect.left, rect.bottom - rect.top};
    return size;
}

void HComponent::setBounds(int x, int y, int width, int height) {
    requested.left = x;
    requested.top = y;
    requested.right = x + width;
    requested.bottom = y + height;
    place();
}

RECT HComponent::getPlacement() {
    const int shownDpi = getDpi();
    if (parent) {
        return HDpi::scale(requested, shownDpi);
    }
    RECT rect = requested;
    rect.right = rect.left + HDpi::scale(requested.right - requested.left, shownDpi);
    rect.bottom = rect.top + HDpi::scale(requested.bottom - requested.top, shownDpi);
    return rect;
}

void HComponent::place() {
    if (handle) {
        RECT rect = getPlacement();
        MoveWindow(handle, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                   TRUE);
    }
}

void HComponent::keepScreenPlace() {
    // A top-level window may have been moved since its bounds were set.
    RECT shown = {0, 0, 0, 0};
    if (handle && !parent && GetWindowRect(handle, &shown)) {
        OffsetRect(&requested, shown.left - requested.left, shown.top - requested.top);
    }
}

void HComponent::setWidth(int width) {
    keepScreenPlace();
    requested.right = requested.left + width;
    place();
}

void HComponent::setHeight(int height) {
    keepScreenPlace();
    requested.bottom = requested.top + height;
    place();
}

void HComponent::setLocation(int x, int y) {
    OffsetRect(&requested, x - requested.left, y - requested.top);
    if (handle && !parent) {
        // The size stays as the window has it (a new screen may have given it another).
        SetWindowPos(handle, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        place();
    }
}

SIZE HComponent::shownSize() {
    if (handle) {
        return getSize();
    }
    const int shownDpi = getDpi();
    SIZE size = {HDpi::scale(requested.right - requested.left, shownDpi),
                 HDpi::scale(requested.bottom - requested.top, shownDpi)};
    return size;
}

void HComponent::setFont(HFont* value) {
    font = value;
    if (font && handle) {
        HFONT fontHandle = shownFont();
        if (fontHandle) {
            SendMessageA(handle, WM_SETFONT, reinterpret_cast<WPARAM>(fontHandle), TRUE);
        }
    }
}

int HComponent::addListener(HEventListener* listener) {
    if (!listener) {
        return 0;
    }
    unsigned int msg = static_cast<unsigned int>(listener->getType().getMessage());
    std::vector<HEventListener*>& list = listeners[msg];
    if (list.capacity() < LISTENER_ROOM) {
        list.reserve(LISTENER_ROOM);
    }
    list.push_back(listener);
    return static_cast<int>(list.size());
}

void HComponent::removeListener(HEventListener* listener) {
    if (!listener) {
        return;
    }
    unsigned int msg = static_cast<unsigned int>(listener->getType().getMessage());
    auto found = listeners.find(msg);
    if (found == listeners.end()) {
        return;
    }
    std::vector<HEventListener*>& list = found->second;
    list.erase(std::remove(list.begin(), list.end(), listener), list.end());
}

int HComponent::getListenerCount(unsigned int msg) const {
    auto found = listeners.find(msg);
    return found == listeners.end() ? 0 : static_cast<int>(found->second.size());
}

HComponent* HComponent::findByHandle(HWND value) {
    if (!value) {
        return nullptr;
    }
    auto found = registry().find(value);
    return found == registry().end() ? nullptr : found->second;
}

HComponent* HComponent::getFocusComponent() {
    return findByHandle(GetFocus());
}

void HComponent::moveCenter(HComponent* component) {
    if (!component) {
        return;
    }
    int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    SIZE size = component->shownSize();
    POINT place =
        keepTitleOnScreen((screenWidth - size.cx) / 2, (screenHeight - size.cy) / 2, size);
    component->setLocation(place.x, place.y);
    HDebug::debug("moveCenter:%d %d %d %d", component->getX(), component->getY(),
                  component->getWidth(), component->getHeight());
}

void HComponent::centerOver(HComponent* component, HComponent* other) {
    if (!component || !other) {
        return;
    }
    RECT area = other->getBounds();
    SIZE size = component->shownSize();
    POINT place = keepTitleOnScreen(area.left + ((area.right - area.left) - size.cx) / 2,
                                    area.top + ((area.bottom - area.top) - size.cy) / 2, size);
    component->setLocation(place.x, place.y);
}

LRESULT CALLBACK HComponent::windowProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    HComponent* component = findByHandle(hwnd);
    if (!component) {
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    LRESULT result = component->handleMessage(hwnd, msg, wParam, lParam, false);
    // The native window is gone: a component still holding it forgets it, so a
    // later window with the same handle value is not taken for it.
    if (msg == WM_NCDESTROY && findByHandle(hwnd) == component) {
        component->setHandle(nullptr);
    }
    return result;
}
