#include "app/views/RZListViewEvent.h"

#include "app/data/RZEditData.h"
#include "app/data/RZMagic.h"
#include "app/data/RZSpellFields.h"
#include "app/operations/RZOperations.h"
#include "app/views/RZIds.h"
#include "support/HDebug.h"
#include "toolkit/HListView.h"

#include <commctrl.h>

#include <string>

namespace {

// Process-wide: made at the first column click, lives to the end.
std::vector<int>& sortOrder() {
    static std::vector<int> order;
    return order;
}

int compareNumbers(int a, int b) {
    if (a == b) {
        return 0;
    }
    return a < b ? -1 : 1;
}

int compareTexts(const std::string& a, const std::string& b) {
    // Byte-wise, as unsigned bytes (Shift-JIS lead bytes sort after ASCII).
    int r = a.compare(b);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

} // namespace

RZListViewEvent::RZListViewEvent() {
    setClassName("RZListViewEvent");
}

RZListViewEvent::~RZListViewEvent() {}

const std::vector<int>& RZListViewEvent::directions() {
    return sortOrder();
}

bool RZListViewEvent::handleEvent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                  HComponent* component, LRESULT* result) {
    const NMLVKEYDOWN* key = reinterpret_cast<const NMLVKEYDOWN*>(lParam);
    if (msg == WM_NOTIFY && key != nullptr && key->hdr.code == LVN_KEYDOWN &&
        GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_MENU) >= 0 &&
        (key->wVKey == 'C' || key->wVKey == 'V')) {
        HListView* listView = dynamic_cast<HListView*>(component);
        HComponent* window = listView != nullptr ? listView->getRoot() : nullptr;
        if (window != nullptr) {
            const int command = key->wVKey == 'C' ? IDM_COPY_TABLE : IDM_PASTE_TABLE;
            // As the menu item sends it, so the item's greying applies.
            PostMessageA(window->getHandle(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
        }
    }
    return HListViewEventListener::handleEvent(hwnd, msg, wParam, lParam, component, result);
}

bool RZListViewEvent::onSelected(HWND hwnd, HListView* listView, int index) {
    printMessage("onSelected hwnd=%llX, lv=%llX index=%d", hexOf(hwnd), hexOf(listView), index);
    RZOP0003(listView != nullptr ? listView->getRoot() : nullptr);
    return true;
}

bool RZListViewEvent::onRejected(HWND hwnd, HListView* listView, int index) {
    printMessage("onRejected hwnd=%llX, lv=%llX index=%d", hexOf(hwnd), hexOf(listView), index);
    RZOP0011(listView != nullptr ? listView->getRoot() : nullptr, index);
    return true;
}

bool RZListViewEvent::onColumnClick(HWND hwnd, HListView* listView, int index) {
    printMessage("onColumnClick hwnd=%llX, lv=%llX index=%d", hexOf(hwnd), hexOf(listView), index);
    if (listView == nullptr) {
        return true;
    }
    std::vector<int>& order = sortOrder();
    int columns = listView->getColumnCount();
    if (order.empty()) {
        order.assign(static_cast<size_t>(columns), 0);
    } else if (static_cast<int>(order.size()) != columns) {
        HDebug::debug("resize order:%d->%d", 4, 4 * columns);
        order.assign(static_cast<size_t>(columns), 0);
    }
    for (int c = 0; c < static_cast<int>(order.size()); ++c) {
        if (c == index) {
            order[static_cast<size_t>(c)] = order[static_cast<size_t>(c)] == 1 ? -1 : 1;
        } else {
            order[static_cast<size_t>(c)] = 0;
        }
    }
    listView->sortItems(&RZListViewEvent::compare, static_cast<LPARAM>(index));
    // A refill after a filter keeps this order.
    HComponent* window = listView->getRoot();
    RZEditData* document =
        window != nullptr ? RZEditData::getInstance(window->getHandle()) : nullptr;
    if (document != nullptr) {
        document->setSortedColumn(index);
    }
    return true;
}

int CALLBACK RZListViewEvent::compare(LPARAM first, LPARAM second, LPARAM column) {
    const RZMagic* a = reinterpret_cast<const RZMagic*>(first);
    const RZMagic* b = reinterpret_cast<const RZMagic*>(second);
    const std::vector<int>& order = sortOrder();
    if (a == nullptr || b == nullptr || column < 0 || column >= static_cast<LPARAM>(order.size())) {
        return 0;
    }
    int result = 0;
    const RZSpellFields::Column sorted = RZSpellFields::listColumn(static_cast<int>(column));
    if (sorted.field >= 0) {
        // Texts as text, the target and the numbers by value (not by label).
        result = RZSpellFields::info(sorted.field).kind == RZSpellFields::Kind::TEXT
                     ? compareTexts(RZSpellFields::text(a->values(), sorted.field),
                                    RZSpellFields::text(b->values(), sorted.field))
                     : compareNumbers(RZSpellFields::number(a->values(), sorted.field),
                                      RZSpellFields::number(b->values(), sorted.field));
    } else {
        switch (sorted.key) {
        case RZSpellFields::KEY_ROW:
            // Equal row numbers never compare equal.
            result = a->getRow() < b->getRow() ? -1 : 1;
            break;
        case RZSpellFields::KEY_LEVEL:
            result = compareNumbers(a->getLevel(), b->getLevel());
            break;
        case RZSpellFields::KEY_ELEMENT:
            result = compareNumbers(a->getElement(), b->getElement());
            break;
        case RZSpellFields::KEY_RANK:
            result = compareNumbers(a->getRank(), b->getRank());
            break;
        default:
            result = 0;
            break;
        }
    }
    return result * order[static_cast<size_t>(column)];
}
