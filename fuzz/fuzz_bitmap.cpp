#include "toolkit/HBitmapHeader.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    bitmapheader::FileHeader file;
    bitmapheader::InfoHeader info;
    if (!bitmapheader::readFileHeader(data, size, &file)) {
        return 0;
    }
    if (bitmapheader::readInfoHeader(data, size, &info)) {
        bitmapheader::colorTableBytes(info);
        bitmapheader::pixelBytes(info);
    }
    return 0;
}
