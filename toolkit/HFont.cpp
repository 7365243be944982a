#include "toolkit/HFont.h"

#include "toolkit/HDpi.h"

#include <map>

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
    return make(pixelsPerInch(hdc));
}

HFONT HFont::getHandleForDpi(int dpi) {
    if (handle && madeForDpi == dpi) {
        return handle.get();
    }
    if (handle) {
        replaced.reset(handle.release());
    }
    return make(dpi);
}

HFONT HFont::make(int dpi) {
    // Points to pixels at the resolution; negative asks for the character
    // height rather than the cell height.
    height = -MulDiv(size, dpi, 72);
    madeForDpi = dpi;
    handle.reset(CreateFontA(height, 0, 0, 0, (style & BOLD) ? FW_BOLD : FW_DONTCARE,
                             (style & ITALIC) ? TRUE : FALSE, (style & UNDERLINE) ? TRUE : FALSE,
                             (style & STRIKEOUT) ? TRUE : FALSE, SHIFTJIS_CHARSET, 0, 0, 0, 0,
                             faceName.c_str()));
    return handle.get();
}

HFONT HFont::systemFontForDpi(int dpi) {
    const int system = HDpi::ofSystem();
    if (dpi <= 0) {
        return nullptr;
    }
    static std::map<int, HGdiObject<HFONT>> fonts;
    HGdiObject<HFONT>& font = fonts[dpi];
    if (!font) {
        // The system gives the font for its own resolution.
        LOGFONTA description = {};
        if (!SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof(description), &description, 0)) {
            return nullptr;
        }
        description.lfHeight = MulDiv(description.lfHeight, dpi, system);
        font.reset(CreateFontIndirectA(&description));
    }
    return font.get();
}
