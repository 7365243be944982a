#pragma once

#include "support/HObject.h"
#include "toolkit/HGdiScope.h"

#include <windows.h>

#include <string>

// A font described by face name, style bits and point size; the native font is
// made on the first getHandle and kept until the object goes.
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

    const std::string& getFaceName() const { return faceName; }
    int getStyle() const { return style; }
    int getSize() const { return size; }
    // The height the font was made with (0 before it exists).
    int getHeight() const { return height; }

  private:
    HGdiObject<HFONT> handle;
    std::string faceName;
    int style;
    int size; // points
    int height = 0;
};
