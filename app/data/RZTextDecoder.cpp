#include "app/data/RZTextDecoder.h"

#include "app/data/RZCp932.h"

namespace RZTextDecoder {

bool isUtf8WithoutMark(const char* text, std::size_t length) {
    if (text == nullptr) {
        return false;
    }
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text);
    bool multiByte = false;
    std::size_t at = 0;
    while (at < length) {
        std::uint32_t codePoint = 0;
        const std::size_t taken = RZCp932::utf8Sequence(bytes + at, length - at, codePoint);
        if (codePoint == RZCp932::NO_CODE_POINT) {
            return false;
        }
        multiByte = multiByte || taken > 1;
        at += taken;
    }
    return multiByte;
}

Encoding detect(const char* text, std::size_t length, Unmarked unmarked, std::size_t& markSize) {
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text);
    markSize = 0;
    if (text == nullptr) {
        return Encoding::SHIFT_JIS;
    }
    if (length >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
        markSize = 3;
        return Encoding::UTF8;
    }
    if (length >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        markSize = 2;
        return Encoding::UTF16;
    }
    return unmarked == Unmarked::SHIFT_JIS_OR_UTF8 && isUtf8WithoutMark(text, length)
               ? Encoding::UTF8
               : Encoding::SHIFT_JIS;
}

void decode(const char* text, std::size_t length, Unmarked unmarked, Decoded& out) {
    out.converted.clear();
    if (text == nullptr) {
        out.encoding = Encoding::SHIFT_JIS;
        out.text = "";
        out.length = 0;
        return;
    }
    std::size_t mark = 0;
    out.encoding = detect(text, length, unmarked, mark);
    switch (out.encoding) {
    case Encoding::UTF8:
        out.converted = RZCp932::fromUtf8(text + mark, length - mark);
        break;
    case Encoding::UTF16:
        out.converted = RZCp932::fromUtf16(text + mark, length - mark);
        break;
    case Encoding::SHIFT_JIS:
        out.text = text;
        out.length = length;
        return;
    }
    out.text = out.converted.data();
    out.length = out.converted.size();
}

Problem problemIn(const std::string& field, Encoding encoding) {
    // Shift-JIS text is taken as it is: its own checks come later.
    if (encoding == Encoding::SHIFT_JIS) {
        return Problem::NONE;
    }
    for (char c : field) {
        if (static_cast<unsigned char>(c) == RZCp932::BROKEN) {
            return Problem::BROKEN;
        }
        if (static_cast<unsigned char>(c) == RZCp932::MISSING) {
            return Problem::MISSING;
        }
    }
    return Problem::NONE;
}

} // namespace RZTextDecoder
