#pragma once

// What the operation files share: finding the document and the handle of the
// window an operation works on, asking the user, loading tables and showing
// the result. Journal lines of the operations carry fixed line numbers of
// their own, under the one source name SOURCE, whichever file they are in.

#include "app/data/RZEditHistory.h"
#include "support/HFile.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

class HComponent;
class HDialog;
class RZEditData;
class RZMagic;

namespace rzops {

extern const char* const SOURCE;

RZEditData* documentOf(HComponent* window);
HWND handleOf(HComponent* window);
int ask(HComponent* window, const std::string& text, const char* caption, UINT type);

// Loads the tables into the document with a loader made for the one call.
// A failed load logs the note and clears every flag: nothing counts as loaded.
bool loadOrForget(const HFile& table, const HFile& sound, RZEditData* document, int line,
                  const char* note);

// Refills the list and the title after a file operation; the stock table is
// read again first, so the rows' colours compare with what is on disk now.
// The filter stays (a save keeps it) while there is a table to filter.
void showDocument(HComponent* window, RZEditData* document);
// Shows another table, or the same one read again: its undo history and its
// filter start afresh.
void showNewTable(HComponent* window, RZEditData* document);

// Shows the rows the document's filter shows (every row without one) in the
// list's order, the title and the menus, once the filter was set or cleared.
void showFilter(HComponent* window, RZEditData* document);
// Turns the filter off and shows every row, in the list's order.
void clearFilter(HComponent* window, RZEditData* document);
// Turns the filter off when it hides the entry, so that its row can be
// selected: undo and redo, and a dialog's jump to a row, go through here.
void revealEntry(HComponent* window, RZEditData* document, const RZMagic* entry);

// Greys or enables the menu items that depend on the document: undo and redo,
// the stock-table tools (with the check mark of the colour switch) and the
// commands on the whole table. Only items whose state changes are touched, so
// it may run at every keystroke. The window's start-up states are this rule's
// for a null document: everything greyed.
void updateCommandStates(HComponent* window, RZEditData* document);

// Records the change as one undo step over every level of the entry's spell,
// whose undo and redo select the entry's row (RZEditHistory::record).
bool recordSpellStep(RZEditData* document, const RZMagic* entry,
                     const std::function<bool()>& change);

// Shows what a step did to the table: every row rewritten and recoloured, the
// entry to select (null: the selected row) shown in the form, the menus'
// states brought up to date.
void showStep(HComponent* window, RZEditData* document, const RZMagic* select = nullptr);

// Shows a modal dialog over the window and returns its result; the focus goes
// back where it was, as when a message box closes.
int showModal(HDialog& dialog);

// Selects the row of the entry at the document position and shows it in the
// form, the filter turned off first when it hides the row (the jump to the row
// a dialog chose); false when there is no such entry.
bool selectPosition(HComponent* window, RZEditData* document, std::int64_t position);

// Closes the typing step of the form's edit boxes: the selection or the focus
// moved, or another command runs.
void endTyping(HComponent* window);

// A cell of an entry as the spell list shows it.
std::string listed(const RZMagic* entry, int column);

// "入力できる範囲(0～9999)", from the field's own range.
std::string rangeText(int field);

// The id of the dialog's button that has the focus, or 0.
int focusedButton(HComponent* dialog);

} // namespace rzops
