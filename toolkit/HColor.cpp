#include "toolkit/HColor.h"

namespace {
int clampPart(int value) {
    return value < 0 ? 0 : (value > 255 ? 255 : value);
}
} // namespace

const HColor HColor::WHITE(255, 255, 255);
const HColor HColor::SILVER(192, 192, 192);
const HColor HColor::FACE(212, 208, 200);
const HColor HColor::BLACK(0, 0, 0);

HColor::HColor() : red(0), green(0), blue(0), alpha(255) {}

HColor::HColor(int r, int g, int b)
    : red(clampPart(r)), green(clampPart(g)), blue(clampPart(b)), alpha(255) {}

HColor::HColor(COLORREF value)
    : red(static_cast<int>(value & 0xFF)), green(static_cast<int>((value >> 8) & 0xFF)),
      blue(static_cast<int>((value >> 16) & 0xFF)), alpha(255) {}

COLORREF HColor::getColorRef() const {
    return static_cast<COLORREF>(red | (green << 8) | (blue << 16));
}
