#pragma once

#include <cstddef>
#include <string>

// Reads the fields of records one after another, as a spreadsheet program
// writes them: fields split by one separator byte, records ended by CR LF, LF
// or CR or the end of the text, a field starting with a quote quoted (a doubled
// quote stands for one, and separators and line ends inside belong to the
// field). Byte-level: calls no platform function.
class RZFieldScanner {
  public:
    static constexpr char TAB = '\t';

    RZFieldScanner(const char* text, std::size_t length, char separator = TAB);

    bool atEnd() const { return at >= length; }
    // The line the next field starts on, counting from 1 (a line end inside
    // a quoted field counts).
    std::size_t line() const { return lineNumber; }

    // What field() found.
    struct Field {
        std::size_t size = 0;  // bytes of the value, also when it is not kept
        bool last = false;     // the record ends after it
        bool unclosed = false; // its quote never ends (the rest of the text is taken)
    };

    // The next field of the record into value; `keep` false only measures it,
    // so that a record of a million fields costs no memory.
    Field field(bool keep, std::string& value);

  private:
    void take(bool keep, std::string& value, Field& found, char c);

    const char* text;
    std::size_t length;
    char separator;
    std::size_t at = 0;
    std::size_t lineNumber = 1;
};
