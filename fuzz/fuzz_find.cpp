// The find matcher against a second reading: both texts cut into Shift-JIS
// characters up front, letters folded, and compared character list against
// character list. A match must start at a character of the text (never at a
// trail byte), be the first one, and hold the pattern's characters.
#include "app/data/RZFindText.h"
#include "fuzz/FuzzCheck.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <vector>

namespace {

struct Character {
    std::size_t offset;
    std::string bytes;
};

std::vector<Character> characters(const std::string& text) {
    std::vector<Character> out;
    std::size_t i = 0;
    while (i < text.size()) {
        unsigned char b = static_cast<unsigned char>(text[i]);
        bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
        std::size_t n = lead && i + 1 < text.size() ? 2 : 1;
        std::string bytes = text.substr(i, n);
        if (n == 1 && b >= 'A' && b <= 'Z') {
            bytes[0] = static_cast<char>(b + 32);
        }
        out.push_back({i, bytes});
        i += n;
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    std::string pattern = input.ConsumeRandomLengthString(64);
    std::string text = input.ConsumeRemainingBytesAsString();

    std::size_t found = RZFindText::find(text, pattern);
    if (pattern.empty()) {
        FUZZ_CHECK(found == 0);
        return 0;
    }
    std::vector<Character> t = characters(text);
    std::vector<Character> p = characters(pattern);
    std::size_t expected = RZFindText::NOT_FOUND;
    for (std::size_t start = 0; start + p.size() <= t.size(); ++start) {
        bool same = true;
        for (std::size_t k = 0; k < p.size() && same; ++k) {
            same = t[start + k].bytes == p[k].bytes;
        }
        if (same) {
            expected = t[start].offset;
            break;
        }
    }
    FUZZ_CHECK(found == expected);
    if (found != RZFindText::NOT_FOUND) {
        FUZZ_CHECK(found < text.size());
        FUZZ_CHECK(RZFindText::contains(text, pattern));
    }
    return 0;
}
