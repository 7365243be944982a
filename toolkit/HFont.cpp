#include "toolkit/HFont.h"

HFont::HFont(const std::string& faceName, int style, int size)
    : faceName(faceName), style(style), size(size) {
    setClassName("HFont");
}

HFont::~HFont() {
    if (handle != nullptr) {
        DeleteObject(handle);
        handle = nullptr;
    }
}

HFONT HFont::getHandle(HDC hdc) {
    if (handle != nullptr) {
        return handle;
    }
    HDC context = hdc;
    if (context == nullptr) {
        context = GetDC(nullptr);
    }
    // Points to pixels at the context's vertical resolution; negative asks for
    // the character height rather than the cell height.
    int logPixelsY = context != nullptr ? GetDeviceCaps(context, LOGPIXELSY) : 96;
    height = -MulDiv(size, logPixelsY, 72);
    if (hdc == nullptr && context != nullptr) {
        ReleaseDC(nullptr, context);
    }
    handle = CreateFontA(height, 0, 0, 0, (style & BOLD) ? FW_BOLD : FW_DONTCARE,
                         (style & ITALIC) ? TRUE : FALSE, (style & UNDERLINE) ? TRUE : FALSE,
                         (style & STRIKEOUT) ? TRUE : FALSE, SHIFTJIS_CHARSET, 0, 0, 0, 0,
                         faceName.c_str());
    return handle;
}
