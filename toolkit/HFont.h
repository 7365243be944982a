#pragma once

#include "support/HObject.h"
#include "toolkit/HGdiScope.h"

#include <windows.h>

#include <string>

// A font described by face name, style bits and point size; the native font is
// made on the first getHandle and kept until the object goes, or until it is
// asked for at another resolution (a window moved to another screen).
class HFont : public HObject {
  public:
    static constexpr int PLAIN = 0;
    static constexpr int BOLD = 1;
    static constexpr int ITALIC = 2;
    static constexpr int UNDERLINE = 4;
    static constexpr int STRIKEOUT = 8;

    HFont(const std::string& faceName, int style, int size);
    ~HFont() override;

    // The native font, made for the given device context (the screen's when
    // none) on the first call; null when it cannot be made (the next call
    // tries again).
    HFONT getHandle(HDC hdc = nullptr);
    // The native font made for a resolution (pixels an inch). A font made for
    // another one is replaced, but stays valid until the next replacement, so
    // that the windows showing it can be given the new one first.
    HFONT getHandleForDpi(int dpi);

    // The font controls show when given none (the icon titles' font, which the
    // system gives for its own resolution) made for a resolution, kept until
    // the program ends.
    static HFONT systemFontForDpi(int dpi);

    const std::string& getFaceName() const { return faceName; }
    int getStyle() const { return style; }
    int getSize() const { return size; }
    // The height the font was made with (0 before it exists).
    int getHeight() const { return height; }

  private:
    HFONT make(int dpi);

    HGdiObject<HFONT> handle;
    HGdiObject<HFONT> replaced; // the font made before the current one
    std::string faceName;
    int style;
    int size; // points
    int height = 0;
    int madeForDpi = 0;
};
