#include "app/views/RZTableCompareDialog.h"

#include "app/views/RZIds.h"
#include "toolkit/HButton.h"
#include "toolkit/HListView.h"

#include <set>
#include <utility>

namespace {

// A line's level and field: what stays the same line when the list is made again.
std::pair<std::uint32_t, int> keyOf(const RZTableCompare::Line& line) {
    return {line.position, line.field};
}

} // namespace

RZTableCompareDialog::RZTableCompareDialog(HWindow* owner,
                                           std::vector<RZTableCompare::Level> otherLevels)
    : RZListDialog(owner, "RZTableCompareDialog", "他の表と比較",
                   Ids{IDC_COMPARE_LIST, IDC_COMPARE_CLOSE, IDC_COMPARE_JUMP},
                   {{"行", 56, LVCFMT_RIGHT},
                    {"名称", 110, LVCFMT_LEFT},
                    {"Lv", 36, LVCFMT_LEFT},
                    {"項目", 52, LVCFMT_LEFT},
                    {"この表", 112, LVCFMT_LEFT},
                    {"他の表", 112, LVCFMT_LEFT},
                    {"標準", 112, LVCFMT_LEFT},
                    {"状態", 84, LVCFMT_LEFT}}),
      other(std::move(otherLevels)) {
    setWidth(720);
    setHeight(380);
    addList(8, 8, 696, 302)->setCheckBoxes(true);
    takeButton = make<HButton>(this, IDC_COMPARE_TAKE, "チェックした変更を取り込む");
    takeButton->setBounds(430, 318, 180, 22);
    HButton* checkButton = make<HButton>(this, IDC_COMPARE_CHECK_ALL, "すべてチェック");
    checkButton->setBounds(8, 318, 104, 22);
    HButton* clearButton = make<HButton>(this, IDC_COMPARE_UNCHECK_ALL, "チェックを外す");
    clearButton->setBounds(118, 318, 104, 22);
    addCloseButton(620, 318, 84, 22);
}

void RZTableCompareDialog::showLines(std::vector<RZTableCompare::Line> shown,
                                     std::vector<Row> rows) {
    std::set<std::pair<std::uint32_t, int>> known;
    std::set<std::pair<std::uint32_t, int>> checked;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        known.insert(keyOf(lines[i]));
        if (listView()->isItemChecked(static_cast<int>(i))) {
            checked.insert(keyOf(lines[i]));
        }
    }
    lines = std::move(shown);
    setRows(std::move(rows));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const bool wasShown = known.count(keyOf(lines[i])) != 0;
        listView()->setItemChecked(static_cast<int>(i),
                                   wasShown ? checked.count(keyOf(lines[i])) != 0
                                            : RZTableCompare::chosenAtFirst(lines[i].state));
    }
    checkChanged();
}

std::vector<RZTableCompare::Line> RZTableCompareDialog::checkedLines() const {
    std::vector<RZTableCompare::Line> chosen;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (listView()->isItemChecked(static_cast<int>(i))) {
            chosen.push_back(lines[i]);
        }
    }
    return chosen;
}

void RZTableCompareDialog::checkAll(bool checked) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        listView()->setItemChecked(static_cast<int>(i), checked);
    }
    checkChanged();
}

void RZTableCompareDialog::checkChanged() {
    bool any = false;
    for (std::size_t i = 0; i < lines.size() && !any; ++i) {
        any = listView()->isItemChecked(static_cast<int>(i));
    }
    // A greyed button that had the focus would leave the keyboard nowhere.
    if (!any && takeButton->getHandle() != nullptr && GetFocus() == takeButton->getHandle()) {
        listView()->requestFocus();
    }
    if (takeButton->isEnabled() != any) {
        takeButton->setEnabled(any);
    }
}
