#include "toolkit/HFont.h"

namespace {
// The vertical resolution of the context, or of the screen when there is none
// (96 when the screen's context cannot be had).
int pixelsPerInch(HDC hdc) {
    if (hdc != nullptr) {
        return GetDeviceCaps(hdc, LOGPIXELSY);
    }
    HWindowDC screen(nullptr);
    return screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
}
} // namespace

HFont::HFont(const std::string& faceName, int style, int size)
    : faceName(faceName), style(style), size(size) {
    setClassName("HFont");
}

HFont::~HFont() = default;

HFONT HFont::getHandle(HDC hdc) {
    if (handle) {
        return handle.get();
    }
    // Points to pixels at the context's vertical resolution; negative asks for
    // the character height rather than the cell height.
    height = -MulDiv(size, pixelsPerInch(hdc), 72);
    handle.reset(CreateFontA(height, 0, 0, 0, (style & BOLD) ? FW_BOLD : FW_DONTCARE,
                             (style & ITALIC) ? TRUE : FALSE, (style & UNDERLINE) ? TRUE : FALSE,
                             (style & STRIKEOUT) ? TRUE : FALSE, SHIFTJIS_CHARSET, 0, 0, 0, 0,
                             faceName.c_str()));
    return handle.get();
}
