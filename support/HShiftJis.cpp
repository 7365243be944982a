#include "support/HShiftJis.h"

namespace HShiftJis {

std::size_t cutLength(const char* text, std::size_t length, std::size_t limit) {
    if (length <= limit) {
        return length;
    }
    std::size_t whole = 0;
    while (whole < limit) {
        // Measured against the whole text: a lead byte just before the limit
        // takes its second byte with it, past the limit.
        std::size_t step = characterLength(text, length, whole);
        if (whole + step > limit) {
            break;
        }
        whole += step;
    }
    return whole;
}

std::string cut(const std::string& text, std::size_t limit) {
    return text.substr(0, cutLength(text.data(), text.size(), limit));
}

bool isValid(const char* text, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (isSingleByte(c)) {
            continue;
        }
        if (!isLeadByte(c) || i + 1 >= length ||
            !isTrailByte(static_cast<unsigned char>(text[i + 1]))) {
            return false;
        }
        ++i;
    }
    return true;
}

} // namespace HShiftJis
