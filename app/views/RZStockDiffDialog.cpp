#include "app/views/RZStockDiffDialog.h"

#include "app/data/RZSpellFields.h"
#include "app/views/RZIds.h"
#include "toolkit/HListView.h"

#include <string>

RZStockDiffDialog::RZStockDiffDialog(HWindow* owner,
                                     const std::vector<RZStockTable::Difference>& differences)
    : RZListDialog(owner, "RZStockDiffDialog", "標準データとの差分",
                   Ids{IDC_DIFF_LIST, IDC_DIFF_CLOSE, IDC_DIFF_JUMP},
                   {{"行", 36, LVCFMT_RIGHT},
                    {"名称", 110, LVCFMT_LEFT},
                    {"Lv", 36, LVCFMT_LEFT},
                    {"項目", 52, LVCFMT_LEFT},
                    {"標準", 116, LVCFMT_LEFT},
                    {"現在", 116, LVCFMT_LEFT}}) {
    setWidth(530);
    setHeight(340);
    std::vector<Row> rows;
    for (const RZStockTable::Difference& difference : differences) {
        rows.push_back(Row{difference.position,
                           {std::to_string(difference.row), difference.name, difference.level,
                            RZSpellFields::isField(difference.field)
                                ? RZSpellFields::info(difference.field).listHeading
                                : "",
                            difference.stock, difference.current}});
    }
    setRows(std::move(rows));
    addList(8, 8, 506, 262);
    addCloseButton(430, 278, 84, 22);
}

RZStockDiffDialog::~RZStockDiffDialog() = default;
