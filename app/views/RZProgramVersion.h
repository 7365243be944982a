#pragma once

// The program's version, kept here only: the resource script's version
// information (numbers and texts), the window's first title and the about box
// take it from this header, which the resource script reads too. The text
// gives the minor number in two digits.
#define RZ_VERSION_MAJOR 1
#define RZ_VERSION_MINOR 2
#define RZ_VERSION_TEXT "1.02"

#ifndef RC_INVOKED
static_assert(sizeof(RZ_VERSION_TEXT) == 5 && RZ_VERSION_TEXT[0] == '0' + RZ_VERSION_MAJOR &&
                  RZ_VERSION_TEXT[1] == '.' && RZ_VERSION_TEXT[2] == '0' + RZ_VERSION_MINOR / 10 &&
                  RZ_VERSION_TEXT[3] == '0' + RZ_VERSION_MINOR % 10,
              "the version text must say what the version numbers say");
#endif // RC_INVOKED
