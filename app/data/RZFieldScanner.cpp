#include "app/data/RZFieldScanner.h"

RZFieldScanner::RZFieldScanner(const char* text, std::size_t length, char separator)
    : text(text != nullptr ? text : ""), length(text != nullptr ? length : 0),
      separator(separator) {}

RZFieldScanner::Field RZFieldScanner::field(bool keep, std::string& value) {
    Field found;
    value.clear();
    if (at < length && text[at] == '"') {
        ++at;
        for (;;) {
            if (at >= length) {
                found.unclosed = true;
                found.last = true;
                return found;
            }
            char c = text[at];
            if (c == '"') {
                if (at + 1 < length && text[at + 1] == '"') {
                    take(keep, value, found, '"');
                    at += 2;
                    continue;
                }
                ++at;
                break;
            }
            if (c == '\n' || (c == '\r' && !(at + 1 < length && text[at + 1] == '\n'))) {
                ++lineNumber;
            }
            take(keep, value, found, c);
            ++at;
        }
    }
    // Unquoted bytes, and whatever follows a closing quote, up to the field's end.
    const std::size_t from = at;
    while (at < length && text[at] != separator && text[at] != '\r' && text[at] != '\n') {
        ++at;
    }
    if (keep) {
        value.append(text + from, at - from);
    }
    found.size += at - from;
    found.last = true;
    if (at >= length) {
        return found;
    }
    char end = text[at++];
    if (end == separator) {
        found.last = false;
    } else {
        if (end == '\r' && at < length && text[at] == '\n') {
            ++at;
        }
        ++lineNumber;
    }
    return found;
}

void RZFieldScanner::take(bool keep, std::string& value, Field& found, char c) {
    if (keep) {
        value += c;
    }
    ++found.size;
}
