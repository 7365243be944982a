#pragma once

#include "app/data/RZSpellFields.h"
#include "support/HObject.h"
#include "toolkit/HColor.h"

class HComponent;
class HListView;
class RZEditData;
class RZMagic;

// Moves data between the document and the main window's controls: the spell
// list, the form, the character list, the picture preview and the title. Made
// for one call by the operations; it keeps no state of its own.
class RZDisplay : public HObject {
  public:
    static const int DIRECTION_PREVIOUS = 0;
    static const int DIRECTION_NEXT = 1;
    static const int DIRECTION_FIRST = 2;
    static const int DIRECTION_LAST = 3;

    RZDisplay();
    ~RZDisplay() override;

    // Refills the spell list from the document, the rows its filter shows in
    // table order, and selects the first row (the selection then shows the
    // entry); an empty refill clears the form.
    bool showTable(HComponent* window, RZEditData* document);
    // Brings the spell list to the rows the document shows, once its filter
    // was set or cleared: in the list's order (the column it was last sorted
    // by, else table order), the selected row kept selected when it is still
    // shown, else the first row selected.
    bool showShownRows(HComponent* window, RZEditData* document);
    // Shows the selected row's entry in the form, the preview and the
    // character list; clears them when no row is selected.
    bool showEntry(HComponent* window, RZEditData* document);
    // Writes one control's value into the shown entry (shared fields into the
    // spell's other levels too); true when the control is one written back.
    bool storeEntry(HComponent* window, HComponent* control, RZEditData* document);
    // Rewrites a row from its entry and the shared columns of its sibling levels.
    bool refreshRow(HComponent* window, int row);
    // Moves the spell-list selection (DIRECTION_...), wrapping at both ends.
    bool moveSelection(HComponent* window, int direction);
    // Writes the shown entry's values into the form again, as showEntry does,
    // leaving the picture and the character list (for a change of values
    // that touches neither).
    bool refreshForm(HComponent* window, RZEditData* document);
    // Makes the preview reload the picture of the entry it shows.
    bool refreshPicture(HComponent* window);
    // "RZEdit", "新規ファイル - RZEdit" or "<table path> - RZEdit"; with a
    // filter on, " [絞り込み <shown>/<all>行]" after it.
    bool updateTitle(HComponent* window, RZEditData* document);

    // The text of one spell-list column (RZSpellFields::listColumn) for an entry.
    static std::string columnText(const RZMagic* entry, int column);

    // Background of changed rows (the entry differs from what was loaded or
    // saved) and, while the stock comparison is shown, of rows that differ
    // only from the stock table; every other row is white.
    static const HColor CHANGED_COLOR;
    static const HColor STOCK_COLOR;
    // The background of an entry's row; the document may be null.
    static HColor rowColor(const RZMagic* entry, const RZEditData* document);

    // Rewrites every row of the spell list from its entry (only cells whose
    // text changes reach the control) and recolours it.
    bool refreshRows(HComponent* window, RZEditData* document);
    // Selects the row of the entry and shows it in the form, also when that
    // row is selected already; false when no row holds the entry.
    bool selectEntry(HComponent* window, RZEditData* document, const RZMagic* entry);

  private:
    void writeForm(HComponent* window, const RZMagic* entry, bool changedOnly);
    void writeColumns(HListView* list, int row, const RZMagic* entry, bool all);
    static void colorRow(HListView* list, int row, const RZMagic* entry,
                         const RZEditData* document);
};
