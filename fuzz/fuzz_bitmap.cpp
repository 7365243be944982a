// BMP headers: each header value is read from its place, the colour table and
// pixel sizes agree with a second computation in 128 bits (a size too large
// to count is reported as the largest size, never a wrapped small one), and
// the ranges the picture loader reads after its own checks lie inside the
// buffer.
#include "fuzz/FuzzCheck.h"
#include "toolkit/HBitmapHeader.h"

#include <cstdint>

namespace {

using u128 = unsigned __int128;

std::uint64_t saturated(u128 value) {
    return value > UINT64_MAX ? UINT64_MAX : static_cast<std::uint64_t>(value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace bitmapheader;
    using fuzzcheck::le;
    FileHeader file;
    const bool haveFile = readFileHeader(data, size, &file);
    FUZZ_CHECK(haveFile == (size >= FILE_HEADER_SIZE));
    if (!haveFile) {
        return 0;
    }
    FUZZ_CHECK(file.type == le(data, size, 0, 2) && file.fileSize == le(data, size, 2, 4));
    FUZZ_CHECK(file.reserved1 == le(data, size, 6, 2) && file.reserved2 == le(data, size, 8, 2));
    FUZZ_CHECK(file.pixelOffset == le(data, size, 10, 4));

    InfoHeader info;
    const bool haveInfo = readInfoHeader(data, size, &info);
    const std::uint32_t headerSize = le(data, size, 14, 4);
    FUZZ_CHECK(haveInfo == (size >= 18 && (headerSize < INFO_HEADER_SIZE ||
                                           size - FILE_HEADER_SIZE >= headerSize)));
    if (!haveInfo) {
        return 0;
    }
    FUZZ_CHECK(info.headerSize == headerSize);
    if (headerSize >= INFO_HEADER_SIZE) {
        FUZZ_CHECK(static_cast<std::uint32_t>(info.width) == le(data, size, 18, 4));
        FUZZ_CHECK(static_cast<std::uint32_t>(info.height) == le(data, size, 22, 4));
        FUZZ_CHECK(info.planes == le(data, size, 26, 2) && info.bitCount == le(data, size, 28, 2));
        FUZZ_CHECK(info.compression == le(data, size, 30, 4));
        FUZZ_CHECK(info.imageSize == le(data, size, 34, 4));
        FUZZ_CHECK(info.colorsUsed == le(data, size, 46, 4));
        FUZZ_CHECK(info.colorsImportant == le(data, size, 50, 4));
    } else {
        FUZZ_CHECK(info.width == 0 && info.height == 0 && info.bitCount == 0);
    }

    // Colour table: the entries used, or all of them for 1 to 8 bits, plus the
    // three masks after a 40-byte header with bit fields.
    u128 entries = info.colorsUsed;
    if (entries == 0 && info.bitCount >= 1 && info.bitCount <= 8) {
        entries = u128(1) << info.bitCount;
    }
    u128 table = entries * 4;
    if (info.headerSize == INFO_HEADER_SIZE && info.compression == COMPRESSION_BITFIELDS) {
        table += 12;
    }
    FUZZ_CHECK(colorTableBytes(info) == saturated(table));

    // Pixel rows: 4-byte aligned rows times the rows without the direction sign.
    const bool runLength =
        info.compression == COMPRESSION_RLE8 || info.compression == COMPRESSION_RLE4;
    u128 width = info.width < 0 ? 0 : static_cast<u128>(info.width);
    std::int64_t h = info.height;
    u128 rows = static_cast<u128>(h < 0 ? -h : h);
    FUZZ_CHECK(rowCount(info) == rows);
    u128 pixels = runLength ? 0 : ((width * info.bitCount + 31) / 32) * 4 * rows;
    const std::uint64_t needed = pixelBytes(info);
    FUZZ_CHECK(needed == saturated(pixels));

    // What the picture loader reads once its checks passed: the header and
    // colour table, and the pixel bytes present from the offset on.
    if (file.type != TYPE_BM || info.headerSize < INFO_HEADER_SIZE || size <= file.pixelOffset) {
        return 0;
    }
    const std::uint64_t tableEnd = FILE_HEADER_SIZE + info.headerSize + colorTableBytes(info);
    if (tableEnd > size) {
        return 0;
    }
    volatile std::uint8_t touch = data[tableEnd - 1] ^ data[size - 1] ^ data[file.pixelOffset];
    (void)touch;
    const std::uint64_t present = size - file.pixelOffset;
    if (!runLength && present >= needed) {
        // The loader hands these rows over as they are: they must be there.
        FUZZ_CHECK(static_cast<u128>(file.pixelOffset) + pixels <= size);
    }
    return 0;
}
