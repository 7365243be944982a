#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Unicode text to code page 932 (Shift-JIS) bytes, from a table generated at
// build time (scripts/make-cp932-table.py). Calls no platform function, so it
// can be built and fuzzed natively.
namespace RZCp932 {

// Written in place of a character that code page 932 lacks, and of a broken
// UTF-8 or UTF-16 sequence. Never a byte of converted text, nor of a Shift-JIS
// character.
constexpr unsigned char MISSING = 0xFF;
constexpr unsigned char BROKEN = 0xFE;

// The bytes of one character, U+0000..U+FFFF: one or two bytes (the second
// only when the first is a lead byte), or none when code page 932 lacks it.
// Returns how many bytes were stored in out.
std::size_t encode(std::uint32_t codePoint, unsigned char out[2]);

// The UTF-8 sequence that starts the text (length at least 1): the bytes it
// takes, and its code point, or NO_CODE_POINT when it is broken (a stray or
// invalid byte, a sequence cut short, a longer form than the value needs, a
// surrogate or a value past U+10FFFF). A broken sequence takes its lead byte
// and the continuation bytes that follow it.
constexpr std::uint32_t NO_CODE_POINT = 0xFFFFFFFF;
std::size_t utf8Sequence(const unsigned char* bytes, std::size_t length, std::uint32_t& codePoint);

// UTF-8 or UTF-16LE text (without its byte-order mark) as Shift-JIS, with
// MISSING or BROKEN in place of each character that cannot be converted.
std::string fromUtf8(const char* text, std::size_t length);
std::string fromUtf16(const char* text, std::size_t length);

} // namespace RZCp932
