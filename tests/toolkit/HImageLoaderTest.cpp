// BMP files from an outside encoder, every variant it writes, and hand-made
// files for each of the loader's checks.
#include "tests/common/TestSupport.h"
#include "tests/toolkit/HImageTestData.h"
#include "toolkit/HImage.h"
#include "toolkit/HImageLoader.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

const COLORREF RED = RGB(255, 0, 0);
const COLORREF LIME = RGB(0, 255, 0);
const COLORREF BLUE = RGB(0, 0, 255);

int load(const std::string& path, HImage* image, bool resize = true) {
    HImageLoader loader;
    return loader.loadImageFile(HFile(path), image, resize);
}

// A changed copy of a committed file in a scratch directory.
std::string scratchCopy(const std::string& name, const std::string& bytes) {
    std::string path = testsupport::makeScratchDir("bmp") + "\\" + name;
    testsupport::writeFile(path, bytes);
    return path;
}

} // namespace

// 16 x 8: red, the right half blue, the top-left pixel lime.
class HImageLoaderThreeColours : public ::testing::TestWithParam<const char*> {};

TEST_P(HImageLoaderThreeColours, LoadsWithItsColours) {
    HImage image(1, 1, nullptr);
    ASSERT_EQ(0, load(mediatest::dataFile(std::string("bmp\\") + GetParam()), &image));
    EXPECT_EQ(16, image.getWidth());
    EXPECT_EQ(8, image.getHeight());
    HDC dc = image.getDC();
    EXPECT_EQ(LIME, GetPixel(dc, 0, 0));
    EXPECT_EQ(RED, GetPixel(dc, 1, 0));
    EXPECT_EQ(RED, GetPixel(dc, 7, 7));
    EXPECT_EQ(BLUE, GetPixel(dc, 8, 0));
    EXPECT_EQ(BLUE, GetPixel(dc, 15, 7));
}

INSTANTIATE_TEST_SUITE_P(Variants, HImageLoaderThreeColours,
                         ::testing::Values("bits4.bmp", "bits24.bmp", "bits32.bmp",
                                           "bitfields16.bmp", "bitfields16-v5.bmp", "v4-24.bmp",
                                           "v5-24.bmp", "v5-32.bmp"));

TEST(HImageLoaderTest, OneBitPicture) {
    HImage image(1, 1, nullptr);
    ASSERT_EQ(0, load(mediatest::dataFile("bmp\\bits1.bmp"), &image));
    EXPECT_EQ(RGB(0, 0, 0), GetPixel(image.getDC(), 0, 0));
    EXPECT_EQ(RGB(0, 0, 0), GetPixel(image.getDC(), 7, 7));
    EXPECT_EQ(RGB(255, 255, 255), GetPixel(image.getDC(), 8, 0));
}

TEST(HImageLoaderTest, PaletteAndRunLengthPicturesEqualTheTrueColourOne) {
    HImage reference(1, 1, nullptr);
    ASSERT_EQ(0, load(mediatest::dataFile("bmp\\many24.bmp"), &reference));
    for (const char* name : {"bmp\\bits8.bmp", "bmp\\rle8.bmp"}) {
        HImage image(1, 1, nullptr);
        ASSERT_EQ(0, load(mediatest::dataFile(name), &image)) << name;
        ASSERT_EQ(16, image.getWidth());
        ASSERT_EQ(16, image.getHeight());
        int differences = 0;
        for (int y = 0; y < 16; y++) {
            for (int x = 0; x < 16; x++) {
                differences += GetPixel(image.getDC(), x, y) != GetPixel(reference.getDC(), x, y);
            }
        }
        EXPECT_EQ(0, differences) << name;
    }
}

TEST(HImageLoaderTest, LogsTheHeadersAndTheConvertedLines) {
    HImage image(1, 1, nullptr);
    testsupport::LogTail log;
    ASSERT_EQ(0, load(mediatest::dataFile("bmp\\bits24.bmp"), &image));
    EXPECT_TRUE(log.contains("type=4D42 size=438 rev1=0 rev2=0 bit=36"));
    EXPECT_TRUE(log.contains("size=40 w=16 h=8 pln=1 bit=24 cp=0 si=384"));
    EXPECT_TRUE(log.contains("SetDIBits:8"));
}

TEST(HImageLoaderTest, TheOs2HeaderAndOtherShortHeadersAreRefused) {
    HImage image(1, 1, nullptr);
    testsupport::LogTail log;
    EXPECT_EQ(1, load(mediatest::dataFile("bmp\\os2.bmp"), &image));
    EXPECT_TRUE(log.contains(mediatest::at("HImageLoader", 117)));
    EXPECT_TRUE(log.contains("loadImageFile:not supported bitmap(os2 dib)"));

    std::string bytes = mediatest::dataBytes("bmp\\bits24.bmp");
    mediatest::putU32(bytes, 14, 20);
    testsupport::LogTail log2;
    EXPECT_EQ(1, load(scratchCopy("short.bmp", bytes), &image));
    EXPECT_TRUE(log2.contains(mediatest::at("HImageLoader", 120)));
    EXPECT_TRUE(log2.contains("loadImageFile:not supported bitmap(unknown)"));
}

TEST(HImageLoaderTest, A64ByteHeaderLoads) {
    std::string bytes = mediatest::dataBytes("bmp\\bits24.bmp");
    std::string longer = bytes.substr(0, 54) + std::string(24, '\0') + bytes.substr(54);
    mediatest::putU32(longer, 2, static_cast<unsigned long>(longer.size()));
    mediatest::putU32(longer, 10, 54 + 24);
    mediatest::putU32(longer, 14, 64);
    HImage image(1, 1, nullptr);
    ASSERT_EQ(0, load(scratchCopy("long.bmp", longer), &image));
    EXPECT_EQ(BLUE, GetPixel(image.getDC(), 15, 7));
}

TEST(HImageLoaderTest, PixelOffsetAtTheEndIsAHeaderErrorAfterTheResize) {
    std::string bytes = mediatest::dataBytes("bmp\\bits24.bmp");
    mediatest::putU32(bytes, 10, static_cast<unsigned long>(bytes.size()));
    HImage image(1, 1, nullptr);
    testsupport::LogTail log;
    EXPECT_EQ(1, load(scratchCopy("offset.bmp", bytes), &image));
    EXPECT_TRUE(log.contains(mediatest::at("HImageLoader", 91)));
    EXPECT_TRUE(log.contains("loadImageFile:header error"));
    EXPECT_EQ(16, image.getWidth());
    EXPECT_EQ(8, image.getHeight());
}

TEST(HImageLoaderTest, MissingFileMissingImageAndOtherTypes) {
    HImage image(1, 1, nullptr);
    std::string dir = testsupport::makeScratchDir("bmp");
    testsupport::LogTail log;
    EXPECT_EQ(2, load(dir + "\\none.bmp", &image));
    EXPECT_TRUE(log.contains(mediatest::at("HImageLoader", 37)));
    EXPECT_TRUE(log.contains("loadImageFile:file does not exist"));

    // A directory exists but cannot be read as a file.
    testsupport::LogTail logDir;
    EXPECT_EQ(1, load(dir, &image));
    EXPECT_TRUE(logDir.contains(mediatest::at("HImageLoader", 45)));
    EXPECT_TRUE(logDir.contains("loadImageFile:read file error"));

    testsupport::LogTail log2;
    EXPECT_EQ(3, load(mediatest::dataFile("bmp\\bits24.bmp"), nullptr));
    EXPECT_TRUE(log2.contains("loadImageFile:image is null"));
    // The existence check runs even without an image.
    EXPECT_EQ(2, load(dir + "\\none.bmp", nullptr));

    // Not "BM": neither loaded nor reported.
    std::string bytes = mediatest::dataBytes("bmp\\bits24.bmp");
    bytes[0] = 'B';
    bytes[1] = 'A';
    HImage untouched(2, 2, nullptr);
    untouched.fill(HColor(1, 2, 3));
    testsupport::LogTail log3;
    EXPECT_EQ(0, load(scratchCopy("array.bmp", bytes), &untouched));
    EXPECT_FALSE(log3.contains("SetDIBits:"));
    EXPECT_EQ(2, untouched.getWidth());
    EXPECT_EQ(RGB(1, 2, 3), GetPixel(untouched.getDC(), 1, 1));
}

TEST(HImageLoaderTest, WithoutResizeTheImageKeepsItsSize) {
    HImage image(32, 32, nullptr);
    image.fill(HColor(255, 255, 255));
    ASSERT_EQ(0, load(mediatest::dataFile("bmp\\bits24.bmp"), &image, false));
    EXPECT_EQ(32, image.getWidth());
    EXPECT_EQ(32, image.getHeight());
    int converted = 0;
    for (int y = 0; y < 32; y++) {
        for (int x = 0; x < 32; x++) {
            COLORREF c = GetPixel(image.getDC(), x, y);
            converted += c == RED || c == BLUE || c == LIME;
        }
    }
    EXPECT_EQ(16 * 8, converted);
}

TEST(HImageLoaderTest, TruncatedFilesNeverReadPastTheirEnd) {
    // Pixel rows cut short: what is there is converted, the rest is black.
    std::string bytes = mediatest::dataBytes("bmp\\bits24.bmp");
    HImage image(1, 1, nullptr);
    ASSERT_EQ(0, load(scratchCopy("rows.bmp", bytes.substr(0, 54 + 48 * 2)), &image));
    EXPECT_EQ(16, image.getWidth());

    // A colour table said to be longer than the file.
    std::string palette = mediatest::dataBytes("bmp\\bits4.bmp");
    mediatest::putU32(palette, 46, 100000);
    testsupport::LogTail log;
    EXPECT_EQ(1, load(scratchCopy("table.bmp", palette), &image));
    EXPECT_TRUE(log.contains("loadImageFile:header error"));

    // Run-length codes cut off in the middle.
    std::string rle = mediatest::dataBytes("bmp\\rle8.bmp");
    EXPECT_NE(3, load(scratchCopy("rle.bmp", rle.substr(0, 1078 + 41)), &image));

    // An information header cut off by the end of the file.
    EXPECT_EQ(1, load(scratchCopy("info.bmp", bytes.substr(0, 30)), &image));
    EXPECT_EQ(1, load(scratchCopy("tiny.bmp", bytes.substr(0, 5)), &image));
}

TEST(HImageLoaderTest, AZeroHeightPictureIsNotLoaded) {
    std::string bytes = mediatest::dataBytes("bmp\\bits24.bmp");
    mediatest::putU32(bytes, 22, 0);
    HImage image(1, 1, nullptr);
    testsupport::LogTail log;
    EXPECT_EQ(1, load(scratchCopy("flat.bmp", bytes), &image));
    EXPECT_TRUE(log.contains("loadImageFile:bitmap read error"));
}

TEST(HImageLoaderTest, AHeightOfTheSmallestIntIsTooManyRowsEvenWithoutColumns) {
    // -INT32_MIN rows fit no int; with width 0 the picture has no pixels, so
    // only the row count can tell it is too large.
    for (unsigned long width : {0ul, 16ul}) {
        std::string bytes = mediatest::dataBytes("bmp\\bits24.bmp");
        mediatest::putU32(bytes, 18, width);
        mediatest::putU32(bytes, 22, 0x80000000ul);
        HImage image(3, 2, nullptr);
        testsupport::LogTail log;
        EXPECT_EQ(1, load(scratchCopy("tall.bmp", bytes), &image));
        EXPECT_TRUE(log.contains(mediatest::at("HImageLoader", 100) +
                                 " 情報：loadImageFile:bitmap too large"));
        EXPECT_EQ(3, image.getWidth());
        EXPECT_EQ(2, image.getHeight());
    }
}

TEST(HImageLoaderTest, ATopDownPictureTakesItsRowCount) {
    std::string bytes = mediatest::dataBytes("bmp\\bits24.bmp");
    const size_t stride = 48;
    std::string flipped = bytes.substr(0, 54);
    for (int row = 7; row >= 0; row--) {
        flipped += bytes.substr(54 + row * stride, stride);
    }
    mediatest::putU32(flipped, 22, static_cast<unsigned long>(-8));
    HImage image(1, 1, nullptr);
    ASSERT_EQ(0, load(scratchCopy("topdown.bmp", flipped), &image));
    EXPECT_EQ(8, image.getHeight());
    EXPECT_EQ(LIME, GetPixel(image.getDC(), 0, 0));
    EXPECT_EQ(BLUE, GetPixel(image.getDC(), 15, 7));
}
