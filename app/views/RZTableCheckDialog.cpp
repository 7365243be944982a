#include "app/views/RZTableCheckDialog.h"

#include "app/views/RZIds.h"
#include "toolkit/HButton.h"
#include "toolkit/HListView.h"

RZTableCheckDialog::RZTableCheckDialog(HWindow* owner, std::vector<Row> rows, bool copyMends)
    : RZListDialog(owner, "RZTableCheckDialog", "表のチェック",
                   Ids{IDC_CHECK_LIST, IDC_CHECK_CLOSE, IDC_CHECK_JUMP},
                   {{"行", 36, LVCFMT_RIGHT},
                    {"名称", 110, LVCFMT_LEFT},
                    {"Lv", 36, LVCFMT_LEFT},
                    {"項目", 52, LVCFMT_LEFT},
                    {"問題", 300, LVCFMT_LEFT}}) {
    setWidth(580);
    setHeight(340);
    setRows(std::move(rows));
    addList(8, 8, 556, 262);
    copyButton = make<HButton>(this, IDC_CHECK_COPY, "効果音をコピー");
    copyButton->setBounds(340, 278, 124, 22);
    copyButton->setEnabled(copyMends);
    addCloseButton(480, 278, 84, 22);
}

void RZTableCheckDialog::showCheck(std::vector<Row> rows, bool copyMends) {
    // A greyed button that had the focus would leave the keyboard nowhere.
    if (!copyMends && copyButton->getHandle() != nullptr && GetFocus() == copyButton->getHandle()) {
        listView()->requestFocus();
    }
    copyButton->setEnabled(copyMends);
    setRows(std::move(rows));
}
