#include "toolkit/HImage.h"

#include "support/HDebug.h"
#include "toolkit/HGdiScope.h"

namespace {
// The 32-bit, bottom-up layout of the pixel buffer.
BITMAPINFO pixelLayout(int width, int height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}
} // namespace

HImage::HImage(int w, int h, HWND window) : width(w), height(h) {
    setClassName("HImage");
    HWindowDC windowDC(window);
    if (!windowDC) {
        HLOG_INFO("HImage", 429, "デバイスコンテキストの取得に失敗");
        return;
    }
    bitmap.reset(CreateCompatibleBitmap(windowDC.get(), width, height));
    surface.emplace(windowDC.get());
    if (getDC() && bitmap) {
        bitmapSelected.emplace(getDC(), bitmap.get());
    }
    if (getDC()) {
        SetBkMode(getDC(), TRANSPARENT);
    }
    if (!fill(HColor(0, 0, 0))) {
        HLOG_INFO("HImage", 425, "イメージバッファの色初期化に失敗");
    }
}

HImage::~HImage() {
    // The GDI objects go with their owners.
    releasePixels();
}

void HImage::dropMask() {
    // A bitmap still selected into a device context cannot be deleted.
    maskSelected.reset();
    maskBitmap.reset();
    maskSurface.reset();
}

void HImage::releasePixels() {
    if (pixels) {
        HeapFree(GetProcessHeap(), 0, pixels);
        pixels = nullptr;
    }
}

int HImage::readPixels() {
    releasePixels();
    if (!getDC() || !bitmap || width <= 0 || height <= 0) {
        return 0;
    }
    SIZE_T bytes = static_cast<SIZE_T>(width) * static_cast<SIZE_T>(height) * 4;
    pixels = static_cast<unsigned char*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, bytes));
    if (!pixels) {
        return 0;
    }
    BITMAPINFO info = pixelLayout(width, height);
    return GetDIBits(getDC(), bitmap.get(), 0, height, pixels, &info, DIB_RGB_COLORS);
}

bool HImage::commitPixels() {
    printMessage("commitPixels:%llX, %llX, %llX", hexOf(pixels), hexOf(getDC()),
                 hexOf(bitmap.get()));
    if (!pixels || !getDC() || !bitmap) {
        return false;
    }
    BITMAPINFO info = pixelLayout(width, height);
    return SetDIBits(getDC(), bitmap.get(), 0, height, pixels, &info, DIB_RGB_COLORS) > 0;
}

bool HImage::resize(int w, int h) {
    width = w;
    height = h;
    releasePixels();
    // A bitmap lost to an earlier failed resize is made anew.
    if (!getDC()) {
        return false;
    }
    dropMask();
    bitmapSelected.reset();
    bitmap.reset();
    // Made for the screen rather than the surface: with no colour bitmap
    // selected (a 0-sized one is the stock 1 x 1) the surface would give a
    // monochrome bitmap.
    {
        HWindowDC screen(nullptr);
        bitmap.reset(screen ? CreateCompatibleBitmap(screen.get(), width, height) : nullptr);
    }
    if (!bitmap) {
        HLOG_INFO("HImage", 149, "resize:error");
        return false;
    }
    bitmapSelected.emplace(getDC(), bitmap.get());
    return true;
}

bool HImage::fill(const HColor& color) {
    RECT whole = {0, 0, width, height};
    bool drawn = fillRect(color, whole);
    dropMask();
    return drawn;
}

bool HImage::fillRect(const HColor& color, const RECT& area) {
    if (!getDC()) {
        return false;
    }
    HGdiObject<HBRUSH> brush(CreateSolidBrush(color.getColorRef()));
    // A solid brush gives the same pixels as a rectangle outlined in the same
    // colour, in one operation and without a pen.
    return brush.get() && FillRect(getDC(), &area, brush.get()) != 0;
}

bool HImage::setSprite(int x, int y) {
    if (!getDC() || !bitmap) {
        return false;
    }
    HColor key(0, 0, 0);
    if (x < 0 || y < 0 || x >= width || y >= height) {
        HLOG_INFO("HImage", 209, "setSprite:範囲外の色指定");
    } else {
        COLORREF pixel = GetPixel(getDC(), x, y);
        if (pixel != CLR_INVALID) {
            key = HColor(pixel);
        }
    }
    return setSprite(key);
}

bool HImage::setSprite(const HColor& color) {
    dropMask();
    HDC dc = getDC();
    if (!dc || !bitmap || width <= 0 || height <= 0) {
        return false;
    }
    COLORREF oldBackground = SetBkColor(dc, color.getColorRef());
    bool made = false;
    {
        // Monochrome copy: the key colour becomes white, everything else black.
        HMemoryDC monoDC(dc);
        HGdiObject<HBITMAP> mono(CreateBitmap(width, height, 1, 1, nullptr));
        HSelection monoSelected(monoDC.get(), mono.get());
        made = BitBlt(monoDC.get(), 0, 0, width, height, dc, 0, 0, SRCCOPY) != 0;

        // Its inverse in colour: the key black, everything else white.
        HMemoryDC inverseDC(dc);
        HGdiObject<HBITMAP> inverse(CreateCompatibleBitmap(dc, width, height));
        HSelection inverseSelected(inverseDC.get(), inverse.get());
        made = made &&
               BitBlt(inverseDC.get(), 0, 0, width, height, monoDC.get(), 0, 0, NOTSRCCOPY) != 0;
        SetBkColor(dc, oldBackground);

        // Key-coloured pixels of the image become black, so OR-ing leaves the
        // destination there.
        made = made && BitBlt(dc, 0, 0, width, height, inverseDC.get(), 0, 0, SRCAND) != 0;

        // The mask: key white, others black. Kept by the image until dropMask.
        maskSurface.emplace(dc);
        maskBitmap.reset(CreateCompatibleBitmap(dc, width, height));
        if (maskDC() && maskBitmap) {
            maskSelected.emplace(maskDC(), maskBitmap.get());
            made = made && BitBlt(maskDC(), 0, 0, width, height, monoDC.get(), 0, 0, SRCCOPY) != 0;
        } else {
            made = false;
        }
    }
    if (!made) {
        dropMask();
    }
    return made;
}

bool HImage::draw(HImage* destination, int x, int y) {
    if (!destination) {
        return false;
    }
    return draw(destination->getDC(), x, y, width, height, 0, 0);
}

bool HImage::draw(HDC destination, int x, int y, int w, int h, int sourceX, int sourceY) {
    HDC dc = getDC();
    if (!destination || !dc) {
        return false;
    }
    if (HDC mask = maskDC()) {
        if (!BitBlt(destination, x, y, w, h, mask, sourceX, sourceY, SRCAND)) {
            return false;
        }
        return BitBlt(destination, x, y, w, h, dc, sourceX, sourceY, SRCPAINT) != 0;
    }
    return BitBlt(destination, x, y, w, h, dc, sourceX, sourceY, SRCCOPY) != 0;
}

bool HImage::stretchTo(HImage* destination) {
    if (!destination || !getDC() || !destination->getDC() || width == 0 || height == 0 ||
        destination->getWidth() == 0 || destination->getHeight() == 0) {
        return false;
    }
    HDC target = destination->getDC();
    int oldMode = SetStretchBltMode(target, COLORONCOLOR);
    bool done = StretchBlt(target, 0, 0, destination->getWidth(), destination->getHeight(), getDC(),
                           0, 0, width, height, SRCCOPY) != 0;
    SetStretchBltMode(target, oldMode);
    return done;
}
