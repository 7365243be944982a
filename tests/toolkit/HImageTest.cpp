// The off-screen image: fill, transparency mask, drawing, pixels, stretching;
// and the byte-level reading of BMP headers it is loaded through.
#include "tests/common/TestSupport.h"
#include "tests/toolkit/HImageTestData.h"
#include "toolkit/HBitmapHeader.h"
#include "toolkit/HImage.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

const COLORREF RED = RGB(255, 0, 0);
const COLORREF GREEN = RGB(0, 255, 0);
const COLORREF BLUE = RGB(0, 0, 255);
const COLORREF BLACK = RGB(0, 0, 0);

void setPixel(HImage& image, int x, int y, COLORREF color) {
    SetPixel(image.getDC(), x, y, color);
}

COLORREF pixel(const HImage& image, int x, int y) {
    return GetPixel(image.getDC(), x, y);
}

const unsigned char* bytesOf(const std::string& s) {
    return reinterpret_cast<const unsigned char*>(s.data());
}

} // namespace

TEST(HBitmapHeaderTest, ReadsTheFileAndInformationHeaders) {
    std::string bytes = mediatest::dataBytes("bmp\\bits24.bmp");
    ASSERT_EQ(438u, bytes.size());
    bitmapheader::FileHeader file;
    ASSERT_TRUE(bitmapheader::readFileHeader(bytesOf(bytes), bytes.size(), &file));
    EXPECT_EQ(0x4D42, file.type);
    EXPECT_EQ(438u, file.fileSize);
    EXPECT_EQ(54u, file.pixelOffset);
    bitmapheader::InfoHeader info;
    ASSERT_TRUE(bitmapheader::readInfoHeader(bytesOf(bytes), bytes.size(), &info));
    EXPECT_EQ(40u, info.headerSize);
    EXPECT_EQ(16, info.width);
    EXPECT_EQ(8, info.height);
    EXPECT_EQ(1, info.planes);
    EXPECT_EQ(24, info.bitCount);
    EXPECT_EQ(0u, bitmapheader::colorTableBytes(info));
    EXPECT_EQ(16u * 3 * 8, bitmapheader::pixelBytes(info));
}

TEST(HBitmapHeaderTest, SizesOfTablesAndRowsAndShortBuffers) {
    bitmapheader::InfoHeader info;
    info.headerSize = 40;
    info.width = 5;
    info.height = -3; // top-down
    info.bitCount = 4;
    EXPECT_EQ(16u * 4, bitmapheader::colorTableBytes(info));
    EXPECT_EQ(4u * 3, bitmapheader::pixelBytes(info)); // 5 nibbles padded to 4 bytes
    info.colorsUsed = 3;
    EXPECT_EQ(12u, bitmapheader::colorTableBytes(info));
    info.bitCount = 16;
    info.colorsUsed = 0;
    info.compression = bitmapheader::COMPRESSION_BITFIELDS;
    EXPECT_EQ(12u, bitmapheader::colorTableBytes(info));
    info.headerSize = 124; // masks inside the header
    EXPECT_EQ(0u, bitmapheader::colorTableBytes(info));
    info.compression = bitmapheader::COMPRESSION_RLE8;
    EXPECT_EQ(0u, bitmapheader::pixelBytes(info));

    std::string bytes = mediatest::dataBytes("bmp\\bits24.bmp");
    bitmapheader::FileHeader file;
    EXPECT_FALSE(bitmapheader::readFileHeader(bytesOf(bytes), 13, &file));
    EXPECT_FALSE(bitmapheader::readInfoHeader(bytesOf(bytes), 17, &info));
    // The size field says 40 but the buffer ends before.
    EXPECT_FALSE(bitmapheader::readInfoHeader(bytesOf(bytes), 40, &info));
    std::string os2 = mediatest::dataBytes("bmp\\os2.bmp");
    ASSERT_TRUE(bitmapheader::readInfoHeader(bytesOf(os2), os2.size(), &info));
    EXPECT_EQ(12u, info.headerSize);
}

TEST(HBitmapHeaderTest, PixelSizesTooLargeToCountAreTheLargestSizeNotAWrappedOne) {
    bitmapheader::InfoHeader info;
    info.headerSize = 40;
    // The largest picture with a real bit count still counts exactly.
    info.width = 0x7FFFFFFF;
    info.height = INT32_MIN;
    info.bitCount = 32;
    EXPECT_EQ((0x7FFFFFFFull * 4) << 31, bitmapheader::pixelBytes(info));
    // A made-up bit count: rows of about 2^45 bytes times 2^31 rows. Wrapped
    // round, the size would look small enough for the bytes of a tiny file.
    info.bitCount = 0xFFFF;
    EXPECT_EQ(UINT64_MAX, bitmapheader::pixelBytes(info));
    info.width = 0x30600000;
    info.height = 0x703C0000;
    info.bitCount = 0x8585;
    EXPECT_EQ(UINT64_MAX, bitmapheader::pixelBytes(info));
}

TEST(HImageTest, IsMadeBlackAndFillsWithOneColour) {
    HImage image(8, 4, nullptr);
    EXPECT_EQ(8, image.getWidth());
    EXPECT_EQ(4, image.getHeight());
    ASSERT_NE(nullptr, image.getDC());
    ASSERT_NE(nullptr, image.getBitmap());
    EXPECT_EQ(BLACK, pixel(image, 0, 0));
    EXPECT_EQ(BLACK, pixel(image, 7, 3));
    EXPECT_TRUE(image.fill(HColor(255, 0, 0)));
    EXPECT_EQ(RED, pixel(image, 0, 0));
    EXPECT_EQ(RED, pixel(image, 7, 3));
}

TEST(HImageTest, MaskedDrawLeavesTheDestinationWhereTheKeyColourWas) {
    HImage sprite(4, 4, nullptr);
    sprite.fill(HColor(255, 0, 0));
    setPixel(sprite, 1, 1, BLUE);
    setPixel(sprite, 2, 3, BLUE);
    ASSERT_TRUE(sprite.setSprite(HColor(0, 0, 255)));
    EXPECT_TRUE(sprite.hasMask());
    // The key-coloured pixels of the image itself are black now.
    EXPECT_EQ(BLACK, pixel(sprite, 1, 1));

    HImage destination(6, 6, nullptr);
    destination.fill(HColor(0, 255, 0));
    setPixel(destination, 3, 4, RGB(10, 20, 30));
    ASSERT_TRUE(sprite.draw(&destination, 1, 1));
    EXPECT_EQ(GREEN, pixel(destination, 0, 0)); // outside the drawn area
    EXPECT_EQ(RED, pixel(destination, 1, 1));
    EXPECT_EQ(GREEN, pixel(destination, 2, 2));           // key at 1, 1
    EXPECT_EQ(RGB(10, 20, 30), pixel(destination, 3, 4)); // key at 2, 3
    EXPECT_EQ(RED, pixel(destination, 4, 4));

    // A fill drops the mask: the next draw is a plain copy.
    sprite.fill(HColor(0, 0, 255));
    EXPECT_FALSE(sprite.hasMask());
    ASSERT_TRUE(sprite.draw(&destination, 1, 1));
    EXPECT_EQ(BLUE, pixel(destination, 2, 2));
}

TEST(HImageTest, SpriteColourFromAPixelAndBlackOutsideTheImage) {
    HImage sprite(3, 3, nullptr);
    sprite.fill(HColor(0, 0, 255));
    setPixel(sprite, 0, 0, RED);
    ASSERT_TRUE(sprite.setSprite(0, 0)); // red is the key
    HImage destination(3, 3, nullptr);
    destination.fill(HColor(0, 255, 0));
    sprite.draw(&destination, 0, 0);
    EXPECT_EQ(GREEN, pixel(destination, 0, 0));
    EXPECT_EQ(BLUE, pixel(destination, 1, 1));

    HImage dark(3, 3, nullptr); // black with one red pixel
    setPixel(dark, 1, 1, RED);
    testsupport::LogTail log;
    ASSERT_TRUE(dark.setSprite(5, -1));
    EXPECT_TRUE(log.contains(mediatest::at("HImage", 209)));
    EXPECT_TRUE(log.contains("setSprite:範囲外の色指定"));
    destination.fill(HColor(0, 255, 0));
    dark.draw(&destination, 0, 0);
    EXPECT_EQ(GREEN, pixel(destination, 0, 0));
    EXPECT_EQ(RED, pixel(destination, 1, 1));
}

TEST(HImageTest, DrawsAPartAndRefusesWithoutADestination) {
    HImage strip(6, 2, nullptr);
    RECT right = {3, 0, 6, 2};
    HBRUSH brush = CreateSolidBrush(BLUE);
    FillRect(strip.getDC(), &right, brush);
    DeleteObject(brush);
    HImage destination(3, 2, nullptr);
    destination.fill(HColor(0, 255, 0));
    ASSERT_TRUE(strip.draw(destination.getDC(), 0, 0, 3, 2, 3, 0));
    EXPECT_EQ(BLUE, pixel(destination, 0, 0));
    EXPECT_EQ(BLUE, pixel(destination, 2, 1));
    EXPECT_FALSE(strip.draw(static_cast<HDC>(nullptr), 0, 0, 3, 2, 0, 0));
    EXPECT_FALSE(strip.draw(static_cast<HImage*>(nullptr), 0, 0));
}

TEST(HImageTest, PixelsReadAndWrittenAs32BitBottomUpRows) {
    HImage image(4, 2, nullptr);
    image.fill(HColor(255, 0, 0));
    setPixel(image, 0, 0, BLUE); // top row
    EXPECT_EQ(nullptr, image.getPixels());
    ASSERT_EQ(2, image.readPixels());
    unsigned char* p = image.getPixels();
    ASSERT_NE(nullptr, p);
    // Row 0 of the buffer is the bottom row: blue, green, red, x.
    EXPECT_EQ(0, p[0]);
    EXPECT_EQ(0, p[1]);
    EXPECT_EQ(255, p[2]);
    unsigned char* top = p + 4 * 4;
    EXPECT_EQ(255, top[0]);
    EXPECT_EQ(0, top[2]);
    p[4] = 0;
    p[5] = 255;
    p[6] = 0; // bottom row, x = 1: green
    testsupport::LogTail log;
    EXPECT_TRUE(image.commitPixels());
    EXPECT_TRUE(log.contains("commitPixels:"));
    EXPECT_EQ(GREEN, pixel(image, 1, 1));
    image.releasePixels();
    EXPECT_EQ(nullptr, image.getPixels());
    EXPECT_FALSE(image.commitPixels());
}

TEST(HImageTest, ResizeMakesANewBitmapAndDropsTheMask) {
    HImage image(2, 2, nullptr);
    image.setSprite(HColor(0, 0, 0));
    ASSERT_TRUE(image.hasMask());
    image.readPixels();
    ASSERT_TRUE(image.resize(10, 5));
    EXPECT_FALSE(image.hasMask());
    EXPECT_EQ(nullptr, image.getPixels());
    EXPECT_EQ(10, image.getWidth());
    EXPECT_EQ(5, image.getHeight());
    image.fill(HColor(0, 0, 255));
    EXPECT_EQ(BLUE, pixel(image, 9, 4));
    // Through a size of nothing and back: still in colour.
    image.resize(0, 0);
    ASSERT_TRUE(image.resize(3, 3));
    image.fill(HColor(0, 255, 0));
    EXPECT_EQ(GREEN, pixel(image, 2, 2));
}

TEST(HImageTest, StretchesOntoTheWholeDestination) {
    HImage source(2, 2, nullptr);
    source.fill(HColor(255, 0, 0));
    setPixel(source, 1, 1, BLUE);
    HImage destination(4, 4, nullptr);
    ASSERT_TRUE(source.stretchTo(&destination));
    EXPECT_EQ(RED, pixel(destination, 0, 0));
    EXPECT_EQ(RED, pixel(destination, 1, 1));
    EXPECT_EQ(BLUE, pixel(destination, 2, 2));
    EXPECT_EQ(BLUE, pixel(destination, 3, 3));
    EXPECT_FALSE(source.stretchTo(nullptr));
    HImage empty(0, 4, nullptr);
    EXPECT_FALSE(source.stretchTo(&empty));
    EXPECT_FALSE(empty.stretchTo(&destination));
}

TEST(HImageTest, AnImageOfNoSizeIsHarmless) {
    HImage image(0, 0, nullptr);
    image.fill(HColor(1, 2, 3));
    EXPECT_FALSE(image.setSprite(HColor(0, 0, 0)));
    EXPECT_EQ(0, image.readPixels());
    HImage destination(2, 2, nullptr);
    image.draw(&destination, 0, 0);
    EXPECT_EQ(BLACK, pixel(destination, 0, 0));
}
