#pragma once

// What the operation files share: finding the document and the handle of the
// window an operation works on, asking the user, loading tables and showing
// the result. Journal lines of the operations carry fixed line numbers of
// their own, under the one source name SOURCE, whichever file they are in.

#include "support/HFile.h"

#include <windows.h>

#include <string>

class HComponent;
class RZEditData;

namespace rzops {

extern const char* const SOURCE;

RZEditData* documentOf(HComponent* window);
HWND handleOf(HComponent* window);
int ask(HComponent* window, const std::string& text, const char* caption, UINT type);

// Loads the tables into the document with a loader made for the one call.
// A failed load logs the note and clears every flag: nothing counts as loaded.
bool loadOrForget(const HFile& table, const HFile& sound, RZEditData* document, int line,
                  const char* note);

// Refills the list and the title after a file operation.
void showDocument(HComponent* window, RZEditData* document);

} // namespace rzops
