#include "app/views/RZListDialog.h"

#include "app/operations/RZCommand.h"
#include "app/views/RZListJumpEvent.h"
#include "toolkit/HButton.h"
#include "toolkit/HListView.h"

RZListDialog::RZListDialog(HWindow* owner, const char* windowClass, const char* title,
                           const Ids& ids, std::vector<Column> columns)
    : HDialog(owner), controlIds(ids), listColumns(std::move(columns)) {
    setClassName(windowClass);
    setWindowClassName(windowClass);
    setStoredText(title);
    setModal(true);

    useFont();

    listen(std::make_unique<RZCommand>());
    listListener = make<RZListJumpEvent>(ids.jump);
    setKeyCommands(static_cast<WORD>(ids.jump), static_cast<WORD>(ids.close));
}

HListView* RZListDialog::addList(int x, int y, int width, int height) {
    list = make<HListView>(this, controlIds.list, "");
    list->setBounds(x, y, width, height);
    list->setSingleSelection(true);
    // A cell cut short shows its whole text while the mouse rests on it.
    list->setCellTips(true);
    for (const Column& column : listColumns) {
        list->addColumn(column.heading, column.width, column.format);
    }
    list->addListener(listListener);
    fill();
    return list;
}

HButton* RZListDialog::addCloseButton(int x, int y, int width, int height) {
    HButton* closeButton = make<HButton>(this, controlIds.close, "閉じる");
    closeButton->setBounds(x, y, width, height);
    return closeButton;
}

int RZListDialog::create() {
    int created = HDialog::create();
    if (list && !rows.empty()) {
        list->setSelectedIndex(0);
    }
    return created;
}

void RZListDialog::setRows(std::vector<Row> shown) {
    rows = std::move(shown);
    fill();
    if (list && list->getHandle() != nullptr && !rows.empty()) {
        list->setSelectedIndex(0);
    }
}

void RZListDialog::fill() {
    if (!list) {
        return;
    }
    list->beginUpdate();
    list->removeAllItems();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int row = static_cast<int>(i);
        const std::vector<std::string>& cells = rows[i].cells;
        list->insertItem(row, cells.empty() ? std::string() : cells[0]);
        for (std::size_t column = 1; column < cells.size(); ++column) {
            list->setItemText(row, static_cast<int>(column), cells[column]);
        }
        list->setItemParam(row, 0, static_cast<LPARAM>(i));
    }
    list->endUpdate();
}

std::int64_t RZListDialog::chosenPosition() {
    const int selected = list ? list->getSelectedIndex() : -1;
    if (selected < 0) {
        return -1;
    }
    LPARAM index = list->getItemParam(selected, 0);
    if (index < 0 || static_cast<std::size_t>(index) >= rows.size()) {
        return -1;
    }
    return rows[static_cast<std::size_t>(index)].position;
}
