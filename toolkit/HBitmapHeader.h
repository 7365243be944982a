#pragma once

#include <cstddef>
#include <cstdint>

// Byte-level reading of a BMP file's headers: the 14-byte file header and the
// information header after it. No platform calls, so it can be built anywhere.
namespace bitmapheader {

constexpr std::size_t FILE_HEADER_SIZE = 14;
constexpr std::uint16_t TYPE_BM = 0x4D42;      // "BM"
constexpr std::uint32_t CORE_HEADER_SIZE = 12; // the OS/2 header
constexpr std::uint32_t INFO_HEADER_SIZE = 40; // the smallest header the loader takes

constexpr std::uint32_t COMPRESSION_RGB = 0;
constexpr std::uint32_t COMPRESSION_RLE8 = 1;
constexpr std::uint32_t COMPRESSION_RLE4 = 2;
constexpr std::uint32_t COMPRESSION_BITFIELDS = 3;

struct FileHeader {
    std::uint16_t type = 0;
    std::uint32_t fileSize = 0;
    std::uint16_t reserved1 = 0;
    std::uint16_t reserved2 = 0;
    std::uint32_t pixelOffset = 0;
};

// The fields of a 40-byte (or larger) information header; for a shorter one
// only headerSize is read.
struct InfoHeader {
    std::uint32_t headerSize = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t planes = 0;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = 0;
    std::uint32_t imageSize = 0;
    std::int32_t xPelsPerMeter = 0;
    std::int32_t yPelsPerMeter = 0;
    std::uint32_t colorsUsed = 0;
    std::uint32_t colorsImportant = 0;
};

// false when the buffer is shorter than the file header.
bool readFileHeader(const unsigned char* data, std::size_t length, FileHeader* out);

// Reads the information header at offset 14. false when not even its size field
// is present, or when a header of 40 bytes or more does not fit in the buffer.
bool readInfoHeader(const unsigned char* data, std::size_t length, InfoHeader* out);

// Bytes of the colour table (and bit-field masks stored after a 40-byte
// header) that follow the information header.
std::uint64_t colorTableBytes(const InfoHeader& info);

// Rows of the picture without the direction sign of a top-down bitmap: a
// height of INT32_MIN has 2^31 rows, more than an int holds.
std::uint64_t rowCount(const InfoHeader& info);

// Bytes of uncompressed pixel rows (each row padded to 4 bytes); 0 for the
// run-length encodings, whose length is not known in advance; UINT64_MAX when
// the size does not fit in 64 bits.
std::uint64_t pixelBytes(const InfoHeader& info);

} // namespace bitmapheader
