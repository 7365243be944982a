#pragma once

// The numbered operations of the editor. Each is a free function given the main
// window (commands find it from the control that sent them); it fetches the
// window's document, works through a display and a table codec made for the one
// call, and keeps no state of its own between calls.

#include "app/data/RZBulkChange.h"
#include "app/data/RZRowFilter.h"
#include "app/data/RZTableTsv.h"

class HComponent;
class HFile;
class RZEditData;

// Exit: asks whether to save, then destroys the window and releases the document.
bool RZOP0001(HComponent* window);
// Opens the data set whose directory the component with the command id carries.
bool RZOP0002(HComponent* window, unsigned id);
// Shows the entry of the selected spell-list row in the form.
bool RZOP0003(HComponent* window);
// Plays the sound named in the sound box.
bool RZOP0004(HComponent* window);
// Opens a table through a file chooser.
bool RZOP0005(HComponent* window);
// Moves the spell-list selection: previous, next, first, last.
int RZOP0006(HComponent* window);
int RZOP0007(HComponent* window);
int RZOP0008(HComponent* window);
int RZOP0009(HComponent* window);
// Stores the value of a changed form control in the shown entry.
int RZOP0010(HComponent* window, HComponent* control);
// Rewrites a spell-list row (and the shared columns of its sibling levels).
int RZOP0011(HComponent* window, int row);
// Chooses a sound file for the shown spell.
bool RZOP0012(HComponent* window);
// Chooses a replacement picture for the shown spell.
bool RZOP0013(HComponent* window);
// Puts the shown entry back as it was loaded (all levels of its spell share
// name, target, description and sound).
bool RZOP0014(HComponent* window);
// Save as / save / reload.
bool RZOP0015(HComponent* window);
bool RZOP0016(HComponent* window);
bool RZOP0017(HComponent* window);
// About box.
bool RZOP0018(HComponent* window);
// New table from the built-in defaults.
bool RZOP0019(HComponent* window);
// Closes the dialog that the target is.
bool RZOP0020(HComponent* window);

// Offers to save a changed document before it is given up. Returns IDCANCEL when
// the caller must stop, any other message-box answer when it may go on.
int saveHasEdited(HComponent* window, RZEditData* document, const char* caption);

// Undo and redo of the last table step (the history of the document).
bool RZOP0021(HComponent* window);
bool RZOP0022(HComponent* window);
// Find: the find box, then the next match; the next and the previous match of
// the last search text (the find box when there is none).
bool RZOP0023(HComponent* window);
bool RZOP0024(HComponent* window);
bool RZOP0025(HComponent* window);
// The stock table: the list of differences, the selected spell level put back
// to stock (one undo step), and the colouring of rows that differ from it.
bool RZOP0026(HComponent* window);
bool RZOP0027(HComponent* window);
bool RZOP0028(HComponent* window);
// Closes the dialog that the target is, as cancelled.
bool RZOP0029(HComponent* window);
// The table as text: written to a chosen TSV or CSV file, read from one (one
// undo step, or a box listing the errors and nothing changed), put on the
// clipboard tab-separated, and read from it (rows without the header are taken
// as written).
bool RZOP0030(HComponent* window);
bool RZOP0031(HComponent* window);
bool RZOP0032(HComponent* window);
bool RZOP0033(HComponent* window);
// What 175 and 176 do once a file is chosen (also the benchmark's way in):
// false on failure, after the box that tells the user.
bool exportTableText(HComponent* window, const HFile& file,
                     RZTableTsv::Separator separator = RZTableTsv::Separator::TAB);
bool importTableText(HComponent* window, const HFile& file);

// Getting a table ready for the game: the table check (a list of problems, or
// a box saying there are none), the bulk change of a number field over many
// rows (one undo step, or a box listing the rows it would put out of range and
// nothing changed), and the spell levels each character may use.
bool RZOP0034(HComponent* window);
bool RZOP0035(HComponent* window);
bool RZOP0036(HComponent* window);
// The buttons and keys inside those dialogs, each given the dialog: the chosen
// sounds copied into the game's sounds folder and the check made again; the
// bulk change's choices checked (the dialog ends only when they may be made);
// another character's spells listed; Enter in a list dialog (the focused
// button's command, else the selected row chosen).
bool copyChosenSounds(HComponent* dialog);
bool runBulkChange(HComponent* dialog);
bool showCharacterSpells(HComponent* dialog);
bool enterInListDialog(HComponent* dialog);
// Comparing the open table with another table against the stock table: a
// chooser, then the differences with a check box each (or a box when there
// are none or the file cannot be read). Inside the dialog: the checked lines'
// values taken (one undo step, or a box listing the rows too long to save and
// nothing changed), the list compared again; every line checked or cleared.
bool RZOP0037(HComponent* window);
bool takeCheckedChanges(HComponent* dialog);
bool checkAllChanges(HComponent* dialog, bool checked);
// What 183 does once a file is chosen: false when the file cannot be read or
// no table is open.
bool compareWithTable(HComponent* window, const HFile& file);
// What 181 does once the choices are made (also the benchmark's way in): one
// undo step, shown; false when the choices cannot be made.
bool bulkChange(HComponent* window, const RZBulkChange::Choice& choice);

// The filter of the spell list: its dialog (the rows that match every
// condition shown, in the list's order), and turning it off; OK in the dialog
// (the dialog ends only when some row matches).
bool RZOP0040(HComponent* window);
bool RZOP0041(HComponent* window);
bool runFilter(HComponent* dialog);
// What 167 does once the conditions are chosen (also the benchmark's way in):
// no condition turns the filter off; false when no row matches (nothing changes).
bool applyFilter(HComponent* window, const RZRowFilter::Conditions& conditions);
