#pragma once

#include <cstddef>
#include <string>

// The text form's bytes as Shift-JIS: Shift-JIS as it is, UTF-8 and UTF-16LE
// text converted through code page 932. UTF-16 is recognised by its byte-order
// mark, UTF-8 by its mark or, in a file without one, by bytes that are valid
// UTF-8 and hold at least one multi-byte character (Shift-JIS text with any
// Japanese in it is practically never that; text of ASCII only reads the same
// either way). Byte-level: calls no platform function.
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

// What a text without a byte-order mark may be: a file's, Shift-JIS or UTF-8
// as its bytes say; the clipboard's, Shift-JIS (its Unicode text comes as
// UTF-16 with a mark).
enum class Unmarked { SHIFT_JIS_OR_UTF8, SHIFT_JIS };

// The encoding of a text, and the size of its byte-order mark (0 for none).
Encoding detect(const char* text, std::size_t length, Unmarked unmarked, std::size_t& markSize);

// Whether the text is valid UTF-8 (strictly: no broken or cut sequence, no
// longer form than a value needs, no surrogate, nothing past U+10FFFF) with at
// least one multi-byte character.
bool isUtf8WithoutMark(const char* text, std::size_t length);

// Decodes the text into `out`; null text is empty.
void decode(const char* text, std::size_t length, Unmarked unmarked, Decoded& out);

// What a converted field holds that its source could not give.
enum class Problem {
    NONE,
    BROKEN,  // a broken UTF-8 or UTF-16 sequence
    MISSING, // a character code page 932 lacks
};
// The first problem of a field taken from text of this encoding.
Problem problemIn(const std::string& field, Encoding encoding);

} // namespace RZTextDecoder
