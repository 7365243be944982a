#pragma once

#include "toolkit/HColor.h"
#include "support/HObject.h"
#include "toolkit/HGdiScope.h"

#include <windows.h>

#include <optional>

// An off-screen picture: a bitmap in the screen's colour format selected into
// its own memory device context. It can be filled, given a transparent colour
// (a precomputed mask), drawn, stretched, and read or written as 32-bit pixels.
class HImage : public HObject {
  public:
    // The surface is made compatible with the window's device context (the
    // screen's when window is null) and filled black.
    HImage(int width, int height, HWND window);
    ~HImage() override;

    // Frees the pixel buffer, if any.
    virtual void releasePixels();
    // Copies the bitmap into a new pixel buffer (32-bit, blue-green-red-x, rows
    // bottom-up); returns the number of rows copied.
    virtual int readPixels();
    // Writes the pixel buffer back into the bitmap; true when a row was set.
    virtual bool commitPixels();
    // A new bitmap of the new size; the content is undefined until filled or
    // drawn. false when the new bitmap could not be made.
    virtual bool resize(int width, int height);
    // Paints the whole image in one colour and drops the mask.
    virtual bool fill(const HColor& color);
    // Paints a rectangle of the image in one colour; the mask stays.
    bool fillRect(const HColor& color, const RECT& area);
    // The colour of the pixel at x, y (black when outside) becomes transparent.
    virtual bool setSprite(int x, int y);
    // The colour becomes transparent: key-coloured pixels are set to black and
    // a mask (key white, others black) is kept for draw.
    virtual bool setSprite(const HColor& color);
    // The whole image onto the destination's surface at x, y.
    virtual bool draw(HImage* destination, int x, int y);
    // A part of the image onto a device context; with a mask the key-coloured
    // parts leave the destination as it was.
    virtual bool draw(HDC destination, int x, int y, int width, int height, int sourceX,
                      int sourceY);
    // The whole image stretched onto the whole destination.
    virtual bool stretchTo(HImage* destination);

    int getWidth() const { return width; }
    int getHeight() const { return height; }
    HDC getDC() const { return surface ? surface->get() : nullptr; }
    HBITMAP getBitmap() const { return bitmap.get(); }
    // The pixel buffer between readPixels and releasePixels, else null.
    unsigned char* getPixels() const { return pixels; }
    bool hasMask() const { return static_cast<bool>(maskBitmap); }

  private:
    HDC maskDC() const { return maskSurface ? maskSurface->get() : nullptr; }
    void dropMask();

    int width;
    int height;
    // Each bitmap is selected into its surface for as long as both exist: the
    // selection ends first, then the bitmap goes, then the surface.
    std::optional<HMemoryDC> surface;
    HGdiObject<HBITMAP> bitmap;
    std::optional<HSelection> bitmapSelected;
    std::optional<HMemoryDC> maskSurface;
    HGdiObject<HBITMAP> maskBitmap;
    std::optional<HSelection> maskSelected;
    unsigned char* pixels = nullptr;
};
