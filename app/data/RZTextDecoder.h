#pragma once

#include <cstddef>
#include <string>

// The text form's bytes as Shift-JIS: Shift-JIS as it is, UTF-8 and UTF-16LE
// text (recognised by their byte-order marks) converted through code page 932.
// Byte-level: calls no platform function.
namespace RZTextDecoder {

enum class Encoding { SHIFT_JIS, UTF8, UTF16 };

struct Decoded {
    Encoding encoding = Encoding::SHIFT_JIS;
    // The Shift-JIS bytes: the caller's text itself, or `converted`.
    const char* text = "";
    std::size_t length = 0;
    std::string converted;

    Decoded() = default;
    Decoded(const Decoded&) = delete; // text may point into converted
    Decoded& operator=(const Decoded&) = delete;
};

// The encoding of a text, by its byte-order mark (none: Shift-JIS), and the
// size of the mark.
Encoding detect(const char* text, std::size_t length, std::size_t& markSize);

// Decodes the text into `out`; null text is empty.
void decode(const char* text, std::size_t length, Decoded& out);

// What a converted field holds that its source could not give.
enum class Problem {
    NONE,
    BROKEN,  // a broken UTF-8 or UTF-16 sequence
    MISSING, // a character code page 932 lacks
};
// The first problem of a field taken from text of this encoding.
Problem problemIn(const std::string& field, Encoding encoding);

} // namespace RZTextDecoder
