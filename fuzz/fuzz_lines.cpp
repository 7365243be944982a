// Cutting a table text into lines: every line lies inside the text before its
// first NUL, holds no line end, and the lines and their line ends cover that
// text in order, each line end being one CR LF, LF or lone CR. The walk line
// by line that the loader uses always moves on.
#include "app/data/RZTableText.h"
#include "fuzz/FuzzCheck.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const char* text = reinterpret_cast<const char*>(data);
    const void* nul = std::memchr(text, 0, size);
    const std::size_t end =
        nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - text) : size;

    std::vector<RZTableText::Line> lines = RZTableText::cutLines(text, size);
    std::size_t next = 0;
    for (const RZTableText::Line& line : lines) {
        FUZZ_CHECK(line.start == next);
        FUZZ_CHECK(line.start <= line.end && line.end <= end);
        FUZZ_CHECK(std::memchr(text + line.start, '\r', line.end - line.start) == nullptr);
        FUZZ_CHECK(std::memchr(text + line.start, '\n', line.end - line.start) == nullptr);
        next = line.end;
        if (next == end) {
            // The last line without a line end is never empty.
            FUZZ_CHECK(line.start < line.end);
            continue;
        }
        if (text[next] == '\r' && next + 1 < end && text[next + 1] == '\n') {
            next += 2;
        } else {
            FUZZ_CHECK(text[next] == '\r' || text[next] == '\n');
            next += 1;
        }
    }
    FUZZ_CHECK(next == end);

    // A shorter length is a shorter text: nothing past it is read or returned.
    if (size > 0) {
        std::size_t shorter = data[0] % size;
        for (const RZTableText::Line& line : RZTableText::cutLines(text, shorter)) {
            FUZZ_CHECK(line.end <= shorter);
        }
    }
    // A walk line by line from any offset moves forward on every step, stays
    // inside the text and ends at its end.
    if (size > 0) {
        std::size_t from = data[size - 1] % size;
        RZTableText::Line line{0, 0};
        while (true) {
            const std::size_t before = from;
            if (!RZTableText::nextLine(text, end, from, line)) {
                FUZZ_CHECK(from == before && before >= end);
                break;
            }
            FUZZ_CHECK(line.start == before && line.end <= end && before < from && from <= end);
        }
    }
    std::size_t from = 0;
    RZTableText::Line line{0, 0};
    FUZZ_CHECK(!RZTableText::nextLine(nullptr, size, from, line) && from == 0);
    FUZZ_CHECK(RZTableText::cutLines(nullptr, size).empty());
    return 0;
}
