#include "app/data/RZTextDecoder.h"

#include "app/data/RZCp932.h"

namespace RZTextDecoder {

Encoding detect(const char* text, std::size_t length, std::size_t& markSize) {
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
    return Encoding::SHIFT_JIS;
}

void decode(const char* text, std::size_t length, Decoded& out) {
    out.converted.clear();
    if (text == nullptr) {
        out.encoding = Encoding::SHIFT_JIS;
        out.text = "";
        out.length = 0;
        return;
    }
    std::size_t mark = 0;
    out.encoding = detect(text, length, mark);
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
