#include "toolkit/HImageLoader.h"

#include "support/HDebug.h"
#include "support/HFileReader.h"
#include "toolkit/HBitmapHeader.h"
#include "toolkit/HImage.h"

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

HImageLoader::HImageLoader() {
    setClassName("HImageLoader");
}

HImageLoader::~HImageLoader() {}

int HImageLoader::loadImageFile(const HFile& path, HImage* image, bool resize) {
    int result = RESULT_LOADED;
    if (!image) {
        HLOG_INFO("HImageLoader", 33, "loadImageFile:image is null");
        result = RESULT_NO_IMAGE;
    }
    if (!path.exists()) {
        HLOG_INFO("HImageLoader", 37, "loadImageFile:file does not exist");
        result = RESULT_NO_FILE;
    }
    if (result != RESULT_LOADED) {
        return result;
    }

    HFileReader reader(path);
    if (!reader.read()) {
        HLOG_INFO("HImageLoader", 45, "loadImageFile:read file error");
        return RESULT_FAILED;
    }
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(reader.data());
    const std::uint32_t length = reader.size();

    bitmapheader::FileHeader file;
    if (!bitmapheader::readFileHeader(bytes, length, &file)) {
        // Too short to be a bitmap at all.
        HLOG_INFO("HImageLoader", 91, "loadImageFile:header error");
        return RESULT_FAILED;
    }
    HDebug::debug("type=%X size=%d rev1=%X rev2=%X bit=%X", file.type,
                  static_cast<int>(file.fileSize), file.reserved1, file.reserved2,
                  file.pixelOffset);
    // Not a bitmap: neither loaded nor reported.
    if (file.type != bitmapheader::TYPE_BM) {
        return RESULT_LOADED;
    }

    bitmapheader::InfoHeader info;
    if (!bitmapheader::readInfoHeader(bytes, length, &info)) {
        HLOG_INFO("HImageLoader", 91, "loadImageFile:header error");
        return RESULT_FAILED;
    }
    if (info.headerSize < bitmapheader::INFO_HEADER_SIZE) {
        if (info.headerSize == bitmapheader::CORE_HEADER_SIZE) {
            HLOG_INFO("HImageLoader", 117, "loadImageFile:not supported bitmap(os2 dib)");
        } else {
            HLOG_INFO("HImageLoader", 120, "loadImageFile:not supported bitmap(unknown)");
        }
        return RESULT_FAILED;
    }
    HDebug::debug("size=%d w=%d h=%d pln=%d bit=%d cp=%d si=%d xm=%d ym=%d color=%d imp=%d",
                  static_cast<int>(info.headerSize), info.width, info.height, info.planes,
                  info.bitCount, static_cast<int>(info.compression),
                  static_cast<int>(info.imageSize), info.xPelsPerMeter, info.yPelsPerMeter,
                  static_cast<int>(info.colorsUsed), static_cast<int>(info.colorsImportant));

    // The image bitmap, and the platform's copy while converting, would take
    // 4 bytes a pixel each: a picture past the limit is refused before either
    // is made (a few header bytes may declare any size). So is one with more
    // rows than that, even without columns: its row count may not fit an int.
    std::int64_t width = info.width;
    std::uint64_t rows = bitmapheader::rowCount(info);
    std::uint64_t pixels = static_cast<std::uint64_t>(width < 0 ? -width : width) * rows;
    if (pixels > MAX_PIXELS || rows > MAX_PIXELS) {
        HLOG_INFO("HImageLoader", 100, "loadImageFile:bitmap too large");
        return RESULT_FAILED;
    }
    // Rows are counted without the direction sign of a top-down bitmap.
    int lines = static_cast<int>(rows);
    if (resize) {
        image->resize(info.width, lines);
    }

    if (length <= file.pixelOffset) {
        HLOG_INFO("HImageLoader", 91, "loadImageFile:header error");
        return RESULT_FAILED;
    }
    // The conversion reads the colour table behind the header and the pixel
    // rows at the offset: both must lie inside the file, else it would read
    // past the buffer.
    std::uint64_t tableEnd =
        bitmapheader::FILE_HEADER_SIZE + info.headerSize + bitmapheader::colorTableBytes(info);
    if (tableEnd > length) {
        HLOG_INFO("HImageLoader", 91, "loadImageFile:header error");
        return RESULT_FAILED;
    }
    const unsigned char* pixelData = bytes + file.pixelOffset;
    std::uint64_t present = length - file.pixelOffset;
    std::uint64_t needed = bitmapheader::pixelBytes(info);
    bool runLength = info.compression == bitmapheader::COMPRESSION_RLE8 ||
                     info.compression == bitmapheader::COMPRESSION_RLE4;
    // Copies owned for this call, zeroed; too large for memory, they stay
    // empty and nothing is drawn.
    std::unique_ptr<unsigned char[]> padded;
    std::unique_ptr<unsigned char[]> headerCopy;
    const BITMAPINFO* header = reinterpret_cast<const BITMAPINFO*>(bytes + 14);
    if (runLength) {
        // Short codes: the decoder stops at the end-of-bitmap code we append
        // and is told how many bytes it may read.
        padded.reset(new (std::nothrow) unsigned char[present + 2]());
        headerCopy.reset(new (std::nothrow) unsigned char[tableEnd - 14]());
        if (padded && headerCopy) {
            std::memcpy(padded.get(), pixelData, present);
            padded[present + 1] = 1;
            std::memcpy(headerCopy.get(), header, tableEnd - 14);
            BITMAPINFO* copied = reinterpret_cast<BITMAPINFO*>(headerCopy.get());
            copied->bmiHeader.biSizeImage = static_cast<DWORD>(present + 2);
            pixelData = padded.get();
            header = copied;
        }
    } else if (present < needed) {
        // Missing rows come out black rather than from beyond the buffer.
        padded.reset(new (std::nothrow) unsigned char[needed]());
        if (padded) {
            std::memcpy(padded.get(), pixelData, present);
            pixelData = padded.get();
        }
    }

    int set = 0;
    if ((!runLength && present >= needed) || (padded && pixelData == padded.get())) {
        set = SetDIBits(image->getDC(), image->getBitmap(), 0, lines, pixelData, header,
                        DIB_RGB_COLORS);
    }
    HDebug::debug("SetDIBits:%d", set);
    if (set == 0) {
        HLOG_INFO("HImageLoader", 109, "loadImageFile:bitmap read error");
        return RESULT_FAILED;
    }
    return RESULT_LOADED;
}
