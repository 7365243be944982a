#pragma once

#include <windows.h>

// An RGB colour; each part clamped to 0..255, alpha always 255.
class HColor {
  public:
    HColor();
    HColor(int red, int green, int blue);
    explicit HColor(COLORREF value);
    HColor(const HColor&) = default;
    HColor& operator=(const HColor&) = default;
    virtual ~HColor() = default;

    int getRed() const { return red; }
    int getGreen() const { return green; }
    int getBlue() const { return blue; }
    int getAlpha() const { return alpha; }
    // red | green << 8 | blue << 16
    COLORREF getColorRef() const;

    bool operator==(const HColor& other) const {
        return red == other.red && green == other.green && blue == other.blue;
    }

    static const HColor WHITE;  // 255, 255, 255
    static const HColor SILVER; // 192, 192, 192
    static const HColor FACE;   // 212, 208, 200
    static const HColor BLACK;  // 0, 0, 0

  private:
    int red;
    int green;
    int blue;
    int alpha;
};
