#include "app/views/RZStockDiffDialog.h"

#include "app/data/RZSpellFields.h"
#include "app/operations/RZCommand.h"
#include "app/views/RZStockDiffListEvent.h"
#include "toolkit/HButton.h"
#include "toolkit/HFont.h"
#include "toolkit/HListView.h"

#include <cstdio>

namespace {

struct ColumnRow {
    const char* text;
    int width;
    int format;
};

const ColumnRow COLUMNS[] = {
    {"行", 36, LVCFMT_RIGHT},  {"名称", 110, LVCFMT_LEFT}, {"Lv", 36, LVCFMT_LEFT},
    {"項目", 52, LVCFMT_LEFT}, {"標準", 116, LVCFMT_LEFT}, {"現在", 116, LVCFMT_LEFT},
};

} // namespace

RZStockDiffDialog::RZStockDiffDialog(HWindow* owner,
                                     std::vector<RZStockTable::Difference> differences)
    : HDialog(owner), rows(std::move(differences)) {
    setClassName("RZStockDiffDialog");
    setWindowClassName("RZStockDiffDialog");
    setStoredText("標準データとの差分");
    setWidth(530);
    setHeight(340);
    setModal(true);

    font = std::make_unique<HFont>("ＭＳ ゴシック", HFont::PLAIN, 9);
    setFont(font.get());

    list = std::make_unique<HListView>(this, IDC_DIFF_LIST, "");
    closeButton = std::make_unique<HButton>(this, IDC_DIFF_CLOSE, "閉じる");
    list->setBounds(8, 8, 506, 262);
    closeButton->setBounds(430, 278, 84, 22);
    list->setSingleSelection(true);
    for (const ColumnRow& column : COLUMNS) {
        list->addColumn(column.text, column.width, column.format);
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const RZStockTable::Difference& difference = rows[i];
        int row = static_cast<int>(i);
        char number[16];
        std::snprintf(number, sizeof number, "%d", static_cast<int>(difference.row));
        list->insertItem(row, number);
        list->setItemText(row, 1, difference.name);
        list->setItemText(row, 2, difference.level);
        list->setItemText(row, 3,
                          RZSpellFields::isField(difference.field)
                              ? RZSpellFields::info(difference.field).listHeading
                              : "");
        list->setItemText(row, 4, difference.stock);
        list->setItemText(row, 5, difference.current);
        list->setItemParam(row, 0, static_cast<LPARAM>(i));
    }

    commandListener = std::make_unique<RZCommand>();
    addListener(commandListener.get());
    listListener = std::make_unique<RZStockDiffListEvent>();
    list->addListener(listListener.get());

    addAccelerator(FVIRTKEY | FNOINVERT, VK_RETURN, IDC_DIFF_JUMP);
    addAccelerator(FVIRTKEY | FNOINVERT, VK_ESCAPE, IDC_DIFF_CLOSE);
}

RZStockDiffDialog::~RZStockDiffDialog() {
    // The native windows go first, so no message reaches a deleted control.
    dispose();
    list->removeListener(listListener.get());
    removeListener(commandListener.get());
}

int RZStockDiffDialog::create() {
    int created = HDialog::create();
    if (!rows.empty()) {
        list->setSelectedIndex(0);
    }
    return created;
}

std::int64_t RZStockDiffDialog::chosenPosition() {
    int selected = list->getSelectedIndex();
    if (selected < 0) {
        return -1;
    }
    LPARAM index = list->getItemParam(selected, 0);
    if (index < 0 || static_cast<std::size_t>(index) >= rows.size()) {
        return -1;
    }
    return rows[static_cast<std::size_t>(index)].position;
}
