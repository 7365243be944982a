#include "toolkit/HDpi.h"

#include "toolkit/HGdiScope.h"

namespace {

using DpiForWindow = UINT(WINAPI*)(HWND);
using DpiForSystem = UINT(WINAPI*)();

// A function of user32 that older systems lack; null there.
template <typename Function> Function userFunction(const char* name) {
    HMODULE user = GetModuleHandleA("user32.dll");
    return user ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user, name)))
                : nullptr;
}

} // namespace

RECT HDpi::scale(const RECT& rect, int dpi) {
    RECT scaled = {scale(rect.left, dpi), scale(rect.top, dpi), scale(rect.right, dpi),
                   scale(rect.bottom, dpi)};
    return scaled;
}

int HDpi::ofSystem() {
    static const DpiForSystem forSystem = userFunction<DpiForSystem>("GetDpiForSystem");
    if (forSystem) {
        return static_cast<int>(forSystem());
    }
    HWindowDC screen(nullptr);
    return screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : BASE;
}

int HDpi::ofWindow(HWND window) {
    static const DpiForWindow forWindow = userFunction<DpiForWindow>("GetDpiForWindow");
    const int dpi = forWindow && window ? static_cast<int>(forWindow(window)) : 0;
    return dpi > 0 ? dpi : ofSystem();
}
