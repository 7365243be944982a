#pragma once

#include "toolkit/HDialog.h"

#include <cstdint>
#include <string>
#include <vector>

class HButton;
class HListView;
class RZListJumpEvent;

// A modal dialog around a list whose rows each stand for an entry of the
// table. Enter or a double click on a row ends it with IDOK (chosenPosition
// then names the row's entry); its close button and Escape end it with
// IDCANCEL. A dialog built on it makes the list and the close button in its
// own place of the Tab order and adds controls of its own; one whose list has
// check boxes hears of every change of a check through checkChanged.
class RZListDialog : public HDialog {
  public:
    struct Column {
        const char* heading;
        int width;
        int format; // LVCFMT_...
    };
    struct Row {
        std::uint32_t position; // the entry's, in the document
        std::vector<std::string> cells;
    };
    // The list, the close button, and the command of Enter and of a double click.
    struct Ids {
        int list;
        int close;
        int jump;
    };

    RZListDialog(HWindow* owner, const char* windowClass, const char* title, const Ids& ids,
                 std::vector<Column> columns);

    // Also selects the first row.
    int create() override;
    // Shows these rows instead, the first selected.
    void setRows(std::vector<Row> rows);
    std::size_t rowCount() const { return rows.size(); }
    // The document position of the selected row's entry, or -1.
    std::int64_t chosenPosition();
    // A row's check box was ticked or cleared, by the user or the program.
    virtual void checkChanged() {}

  protected:
    HListView* addList(int x, int y, int width, int height);
    HButton* addCloseButton(int x, int y, int width, int height);
    HListView* listView() const { return list; }

  private:
    void fill();

    Ids controlIds;
    std::vector<Column> listColumns;
    std::vector<Row> rows;
    // Parts of the dialog (HDialog::make); the list is there once addList
    // made it.
    RZListJumpEvent* listListener;
    HListView* list = nullptr;
};
