// Big pictures, written at test time in the formats that keep them small on
// disk: a 1-bit and a run-length 8-bit BMP of 4,000 and of 16,000 pixels square.
#include "support/HDebug.h"
#include "tests/common/LongInputSupport.h"
#include "tests/common/TestSupport.h"
#include "tests/toolkit/HImageTestData.h"
#include "toolkit/HImage.h"
#include "toolkit/HImageLoader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

using namespace longinput;

namespace {

const COLORREF RED = RGB(255, 0, 0);
const COLORREF LIME = RGB(0, 255, 0);

// What a load may hold at most: the file, the image bitmap and the platform's
// converted copy of it, 4 bytes a pixel each, and room for the allocator.
std::uint64_t pictureMemoryBound(std::uint64_t fileBytes, std::uint64_t pixels) {
    return fileBytes + 8 * pixels + 24 * MB;
}

struct Case {
    const char* what;
    std::uint64_t (*write)(const std::string&, int);
    COLORREF first;
    COLORREF last;
};

int measuredLoad(const std::string& path, HImage& image, const std::string& what,
                 std::uint64_t bytes, std::uint64_t boundPixels) {
    HImageLoader loader;
    MemoryWatch memory;
    Stopwatch clock;
    int result = loader.loadImageFile(HFile(path), &image, true);
    double elapsed = clock.milliseconds();
    report(what.c_str(), static_cast<double>(bytes) / MB, elapsed, memory.peakGrowth());
    EXPECT_LE(memory.peakGrowth(), pictureMemoryBound(bytes, boundPixels)) << what;
    return result;
}

} // namespace

TEST(LongInput, SixteenThousandPixelsSquare) {
    const Case cases[] = {{"1-bit BMP", writeOneBitPicture, RED, RGB(0, 0, 0)},
                          {"RLE8 BMP", writeRunLengthPicture, LIME, LIME}};
    for (const Case& c : cases) {
        // 4,000 square is within the limit and loads.
        BigFile file(testsupport::makeScratchDir("bmp") + "\\big.bmp");
        const std::string& path = file.name();
        std::uint64_t bytes = c.write(path, 4000);
        ASSERT_NE(0u, bytes);
        HImage image(1, 1, nullptr);
        std::string what = std::string(c.what) + " 4000 x 4000";
        ASSERT_EQ(0, measuredLoad(path, image, what, bytes, 4000ULL * 4000ULL)) << what;
        EXPECT_EQ(4000, image.getWidth());
        EXPECT_EQ(4000, image.getHeight());
        EXPECT_EQ(c.first, GetPixel(image.getDC(), 0, 0)) << what;
        EXPECT_EQ(c.last, GetPixel(image.getDC(), 3999, 3999)) << what;
    }
    for (const Case& c : cases) {
        // 16,000 square would need a gigabyte for the image alone: refused
        // before any of it is made, the image left as it was.
        BigFile file(testsupport::makeScratchDir("bmp") + "\\huge.bmp");
        const std::string& path = file.name();
        std::uint64_t bytes = c.write(path, 16000);
        ASSERT_NE(0u, bytes);
        HImage image(1, 1, nullptr);
        testsupport::LogTail log;
        std::string what = std::string(c.what) + " 16000 x 16000";
        EXPECT_EQ(1, measuredLoad(path, image, what, bytes, 0)) << what;
        EXPECT_TRUE(log.contains(mediatest::at("HImageLoader", 100) +
                                 " 情報：loadImageFile:bitmap too large"));
        EXPECT_EQ(1, image.getWidth());
        EXPECT_EQ(1, image.getHeight());
    }
}

TEST(LongInput, SizeDeclaredByAFewHeaderBytes) {
    std::string directory = testsupport::makeScratchDir("bmp");
    // 30,000 square at 24 bits, its rows missing: refused, neither the image
    // nor black rows for the missing ones are made.
    std::string huge = directory + "\\declared.bmp";
    std::string head = bitmapHead(30000, 30000, 24, 0, std::string(), 30000ULL * 90000ULL);
    ASSERT_TRUE(testsupport::writeFile(huge, head + std::string(64, '\x11')));
    HImage image(1, 1, nullptr);
    EXPECT_EQ(1, measuredLoad(huge, image, "declared 30000 x 30000", head.size() + 64, 0));
}
