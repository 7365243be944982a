#include "toolkit/HBitmapHeader.h"

#include "support/HBytes.h"

namespace bitmapheader {

bool readFileHeader(const unsigned char* data, std::size_t length, FileHeader* out) {
    if (!data || !out || length < FILE_HEADER_SIZE) {
        return false;
    }
    out->type = HBytes::word(data);
    out->fileSize = HBytes::dword(data + 2);
    out->reserved1 = HBytes::word(data + 6);
    out->reserved2 = HBytes::word(data + 8);
    out->pixelOffset = HBytes::dword(data + 10);
    return true;
}

bool readInfoHeader(const unsigned char* data, std::size_t length, InfoHeader* out) {
    if (!data || !out || length < FILE_HEADER_SIZE + 4) {
        return false;
    }
    const unsigned char* p = data + FILE_HEADER_SIZE;
    *out = InfoHeader();
    out->headerSize = HBytes::dword(p);
    if (out->headerSize < INFO_HEADER_SIZE) {
        return true;
    }
    if (length - FILE_HEADER_SIZE < out->headerSize) {
        return false;
    }
    out->width = static_cast<std::int32_t>(HBytes::dword(p + 4));
    out->height = static_cast<std::int32_t>(HBytes::dword(p + 8));
    out->planes = HBytes::word(p + 12);
    out->bitCount = HBytes::word(p + 14);
    out->compression = HBytes::dword(p + 16);
    out->imageSize = HBytes::dword(p + 20);
    out->xPelsPerMeter = static_cast<std::int32_t>(HBytes::dword(p + 24));
    out->yPelsPerMeter = static_cast<std::int32_t>(HBytes::dword(p + 28));
    out->colorsUsed = HBytes::dword(p + 32);
    out->colorsImportant = HBytes::dword(p + 36);
    return true;
}

std::uint64_t colorTableBytes(const InfoHeader& info) {
    std::uint64_t entries = info.colorsUsed;
    if (entries == 0 && info.bitCount >= 1 && info.bitCount <= 8) {
        entries = 1ULL << info.bitCount;
    }
    std::uint64_t bytes = entries * 4;
    // A 40-byte header keeps its three channel masks after it; the larger
    // headers hold them inside.
    if (info.headerSize == INFO_HEADER_SIZE && info.compression == COMPRESSION_BITFIELDS) {
        bytes += 12;
    }
    return bytes;
}

std::uint64_t rowCount(const InfoHeader& info) {
    std::int64_t h = info.height;
    return static_cast<std::uint64_t>(h < 0 ? -h : h);
}

std::uint64_t pixelBytes(const InfoHeader& info) {
    if (info.compression == COMPRESSION_RLE8 || info.compression == COMPRESSION_RLE4) {
        return 0;
    }
    std::uint64_t width = info.width < 0 ? 0 : static_cast<std::uint64_t>(info.width);
    std::uint64_t height = rowCount(info);
    std::uint64_t rowBytes = ((width * info.bitCount + 31) / 32) * 4;
    // A size too large to count must not wrap round to a small one, which the
    // loader would take for rows that are all there.
    if (height != 0 && rowBytes > UINT64_MAX / height) {
        return UINT64_MAX;
    }
    return rowBytes * height;
}

} // namespace bitmapheader
