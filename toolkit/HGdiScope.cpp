#include "toolkit/HGdiScope.h"

HWindowDC::HWindowDC(HWND owner) : window(owner), dc(GetDC(owner)) {}

HWindowDC::~HWindowDC() {
    if (dc != nullptr) {
        ReleaseDC(window, dc);
    }
}

HMemoryDC::HMemoryDC(HDC compatibleWith) : dc(CreateCompatibleDC(compatibleWith)) {}

HMemoryDC::~HMemoryDC() {
    if (dc != nullptr) {
        DeleteDC(dc);
    }
}

HSelection::HSelection(HDC target, HGDIOBJ object)
    : dc(target), previous(SelectObject(target, object)) {}

HSelection::~HSelection() {
    if (previous != nullptr) {
        SelectObject(dc, previous);
    }
}
