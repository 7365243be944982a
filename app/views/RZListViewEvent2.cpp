#include "app/views/RZListViewEvent2.h"

#include "support/HDebug.h"
#include "toolkit/HListView.h"

#include <map>
#include <string>

namespace {

struct SortState {
    std::vector<int> order;
    HListView* list = nullptr;
    // The clicked column's text of each row, by the row's item parameter; taken
    // just before the sort, because the parameters (row numbers at insertion)
    // no longer match the row positions after an earlier sort.
    std::map<LPARAM, std::string> texts;
};

SortState& state() {
    static SortState sortState;
    return sortState;
}

} // namespace

RZListViewEvent2::RZListViewEvent2() {
    setClassName("RZListViewEvent2");
}

RZListViewEvent2::~RZListViewEvent2() {}

const std::vector<int>& RZListViewEvent2::directions() {
    return state().order;
}

bool RZListViewEvent2::onColumnClick(HWND hwnd, HListView* listView, int index) {
    printMessage("onColumnClick hwnd=%llX, lv=%llX index=%d", hexOf(hwnd), hexOf(listView), index);
    if (listView == nullptr) {
        return true;
    }
    SortState& s = state();
    s.list = listView;
    int columns = listView->getColumnCount();
    if (s.order.empty()) {
        s.order.assign(static_cast<size_t>(columns), 0);
    } else if (static_cast<int>(s.order.size()) != columns) {
        HDebug::debug("resize order:%d->%d", 4, 4 * columns);
        s.order.assign(static_cast<size_t>(columns), 0);
    }
    for (int c = 0; c < static_cast<int>(s.order.size()); ++c) {
        if (c == index) {
            s.order[static_cast<size_t>(c)] = s.order[static_cast<size_t>(c)] == 1 ? -1 : 1;
        } else {
            s.order[static_cast<size_t>(c)] = 0;
        }
    }
    s.texts.clear();
    if (index >= 0 && index < columns) {
        for (int row = 0; row < listView->getItemCount(); ++row) {
            s.texts[listView->getItemParam(row, 0)] = listView->getItemText(row, index);
        }
    }
    listView->sortItems(&RZListViewEvent2::compare, static_cast<LPARAM>(index));
    s.texts.clear();
    return true;
}

int CALLBACK RZListViewEvent2::compare(LPARAM first, LPARAM second, LPARAM column) {
    SortState& s = state();
    if (s.list == nullptr || column < 0 || column >= static_cast<LPARAM>(s.order.size())) {
        return 0;
    }
    auto a = s.texts.find(first);
    auto b = s.texts.find(second);
    if (a == s.texts.end() || b == s.texts.end()) {
        return 0;
    }
    int r = a->second.compare(b->second);
    r = r < 0 ? -1 : (r > 0 ? 1 : 0);
    return r * s.order[static_cast<size_t>(column)];
}
