#include "toolkit/HListView.h"

#include "support/HDebug.h"
#include "support/HShiftJis.h"
#include "toolkit/HContainer.h"
#include "toolkit/HDpi.h"
#include "toolkit/HListViewCustomDraw.h"
#include "toolkit/HListViewTips.h"

#include <utility>

namespace {

// What the frame of a list view shows: its scroll bars, and where its rows and
// its column header lie.
struct FrameState {
    LONG_PTR bars;
    SCROLLINFO horizontal;
    SCROLLINFO vertical;
    RECT client;
    RECT header;
};

FrameState frameState(HWND hwnd, HWND header) {
    FrameState state = {};
    state.bars = GetWindowLongPtrA(hwnd, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL);
    state.horizontal.cbSize = sizeof(SCROLLINFO);
    state.horizontal.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    state.vertical = state.horizontal;
    GetScrollInfo(hwnd, SB_HORZ, &state.horizontal);
    GetScrollInfo(hwnd, SB_VERT, &state.vertical);
    GetClientRect(hwnd, &state.client);
    if (header != nullptr) {
        GetWindowRect(header, &state.header);
    }
    return state;
}

bool sameBar(const SCROLLINFO& a, const SCROLLINFO& b) {
    return a.nMin == b.nMin && a.nMax == b.nMax && a.nPage == b.nPage && a.nPos == b.nPos;
}

bool sameLayout(const FrameState& a, const FrameState& b) {
    return a.bars == b.bars && EqualRect(&a.client, &b.client) && EqualRect(&a.header, &b.header);
}

// The state image of a check box: 1 cleared, 2 ticked.
UINT checkState(bool checked) {
    return INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
}

void initCommonControlsOnce() {
    static bool done = false;
    if (!done) {
        INITCOMMONCONTROLSEX init = {sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&init);
        done = true;
    }
}
} // namespace

HListView::HListView(HContainer* parent, int id, const std::string& text)
    : HComponent(parent, id, text) {
    setClassName("HListView");
    setKindName("ListView");
    customDraw = std::make_unique<HListViewCustomDraw>(this);
    addListener(customDraw.get());
}

HListView::~HListView() {
    if (tips) {
        for (const auto& companion : tips->getCompanions()) {
            removeListener(companion.get());
        }
        removeListener(tips.get());
    }
    removeListener(customDraw.get());
    customDraw.reset();
}

int HListView::create() {
    HContainer* parent = getParent();
    if (getHandle() != nullptr || parent == nullptr || parent->getHandle() == nullptr) {
        HLOG_INFO("HListView", 144, "既に初期化されている、または親コンポーネントに問題あり");
        return 0;
    }
    initCommonControlsOnce();
    // Clipping the header out means repainting the rows leaves the (themed,
    // and slow to paint) header alone; it repaints itself when it changes.
    DWORD style = getStyle() | WS_CHILD | WS_CLIPCHILDREN | LVS_REPORT | LVS_SHOWSELALWAYS;
    if (singleSelection) {
        style |= LVS_SINGLESEL;
    }
    HWND hwnd = createChildWindow(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "", style);
    setHandle(hwnd);
    if (hwnd == nullptr) {
        return 0;
    }
    // With redraw on, every column inserted lays out the scroll bars and the
    // header again, each a round of window moves; off, they are laid out once
    // when it comes back on. Only for a shown list: turning redraw on shows it.
    bool shown = (style & WS_VISIBLE) != 0;
    if (shown) {
        SendMessageA(hwnd, WM_SETREDRAW, FALSE, 0);
    }
    SendMessageA(hwnd, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | (checkBoxes ? LVS_EX_CHECKBOXES : 0));
    for (size_t i = 0; i < columns.size(); ++i) {
        LVCOLUMNA column = {};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = columns[i].format;
        column.cx = HDpi::scale(columns[i].width, getDpi());
        column.pszText = const_cast<char*>(columns[i].text.c_str());
        column.iSubItem = static_cast<int>(i);
        SendMessageA(hwnd, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
    for (size_t row = 0; row < rows.size(); ++row) {
        const std::vector<Cell>& cells = rows[row];
        for (size_t i = 0; i < cells.size(); ++i) {
            if (i == 0) {
                insertNativeItem(static_cast<int>(row), cells[i]);
            } else {
                setNativeText(cells[i]);
            }
        }
    }
    if (shown) {
        SendMessageA(hwnd, WM_SETREDRAW, TRUE, 0);
    }
    const int created = HComponent::create();
    if (cellTips) {
        if (!tips) {
            tips = std::make_unique<HListViewTips>(this);
            addListener(tips.get());
            for (const auto& companion : tips->getCompanions()) {
                addListener(companion.get());
            }
        }
        // After the list has its font, which the tips take.
        tips->attach();
    }
    return created;
}

void HListView::applyDpi() {
    HWND hwnd = getHandle();
    if (hwnd == nullptr) {
        return;
    }
    HComponent::applyDpi();
    const int shownDpi = getDpi();
    for (size_t i = 0; i < columns.size(); ++i) {
        SendMessageA(hwnd, LVM_SETCOLUMNWIDTH, i, HDpi::scale(columns[i].width, shownDpi));
    }
    if (tips) {
        // Made again with the list's new font and width.
        tips->detach();
        tips->attach();
    }
}

void HListView::dispose() {
    if (tips) {
        tips->detach();
    }
    // The user's checks outlive the control, as the rest of the copy does.
    if (checkBoxes && getHandle() != nullptr) {
        for (int row = 0; row < getItemCount(); ++row) {
            rowChecks[static_cast<size_t>(row)] = isItemChecked(row);
        }
    }
    if (getHandle() != nullptr) {
        setHandle(nullptr);
    }
}

int HListView::addColumn(const std::string& text, int width, int format) {
    columns.push_back(Column{format, width, HShiftJis::cut(text, MAX_HEADER)});
    HWND hwnd = getHandle();
    if (hwnd == nullptr) {
        return 1;
    }
    const Column& stored = columns.back();
    int position = static_cast<int>(columns.size()) - 1;
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = stored.format;
    column.cx = HDpi::scale(stored.width, getDpi());
    column.pszText = const_cast<char*>(stored.text.c_str());
    column.iSubItem = position;
    LRESULT inserted =
        SendMessageA(hwnd, LVM_INSERTCOLUMNA, position, reinterpret_cast<LPARAM>(&column));
    return inserted >= 0 ? 0 : -1;
}

int HListView::insertItem(int row, const std::string& text) {
    int count = getItemCount();
    if (row < 0 || row > count) {
        row = count;
    }
    Cell cell{row, 0, HShiftJis::cut(text, MAX_TEXT), 0};
    if (row == count) {
        rows.push_back(std::vector<Cell>{cell});
        rowColors.push_back(HColor::WHITE);
        rowChecks.push_back(false);
    } else {
        rows.insert(rows.begin() + row, std::vector<Cell>{cell});
        rowColors.insert(rowColors.begin() + row, HColor::WHITE);
        rowChecks.insert(rowChecks.begin() + row, false);
        renumberFrom(static_cast<size_t>(row) + 1);
    }
    if (getHandle() == nullptr) {
        return 1;
    }
    return insertNativeItem(row, cell) >= 0 ? 0 : -1;
}

int HListView::setItemText(int row, int column, const std::string& text) {
    if (!inRange(row, column)) {
        return 2;
    }
    std::vector<Cell>& cells = rows[static_cast<size_t>(row)];
    Cell* target = nullptr;
    for (Cell& cell : cells) {
        if (cell.row == row && cell.column == column) {
            target = &cell;
            break;
        }
    }
    if (target != nullptr) {
        std::string cut = HShiftJis::cut(text, MAX_TEXT);
        // The control shows the copy: an unchanged text needs no message.
        if (target->text == cut && getHandle() != nullptr) {
            return 0;
        }
        target->text = std::move(cut);
    } else {
        cells.push_back(Cell{row, column, HShiftJis::cut(text, MAX_TEXT), 0});
        target = &cells.back();
    }
    if (getHandle() == nullptr) {
        return 1;
    }
    return setNativeText(*target) ? 0 : 1;
}

std::string HListView::getItemText(int row, int column) const {
    if (inRange(row, column)) {
        // Found by column, so a row whose cells were set out of column order
        // still answers for the column asked.
        for (const Cell& cell : rows[static_cast<size_t>(row)]) {
            if (cell.column == column) {
                return cell.text;
            }
        }
    }
    HLOG_INFO("HListView", 394, "getItemText 範囲外アクセス");
    return std::string();
}

int HListView::setItemParam(int row, int column, LPARAM param) {
    if (!inRange(row, column)) {
        return 2;
    }
    Cell* target = nullptr;
    for (Cell& cell : rows[static_cast<size_t>(row)]) {
        if (cell.column == column) {
            target = &cell;
            break;
        }
    }
    if (target == nullptr) {
        return 2;
    }
    target->param = param;
    // The control keeps one parameter per row: that of the column-0 cell.
    if (getHandle() == nullptr || column != 0) {
        return 0;
    }
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    item.iSubItem = 0;
    item.lParam = param;
    if (!SendMessageA(getHandle(), LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item))) {
        HLOG_INFO("HListView", 740, "setItemParam エラー発生");
        printMessage("error:%u", static_cast<unsigned>(GetLastError()));
        return 1;
    }
    return 0;
}

LPARAM HListView::getItemParam(int row, int column) const {
    if (!inRange(row, column)) {
        return 0;
    }
    const Cell* found = nullptr;
    for (const Cell& cell : rows[static_cast<size_t>(row)]) {
        if (cell.column == column) {
            found = &cell;
            break;
        }
    }
    if (found == nullptr) {
        return 0;
    }
    if (getHandle() == nullptr || column != 0) {
        return found->param;
    }
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    item.iSubItem = 0;
    if (!SendMessageA(getHandle(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) {
        HLOG_INFO("HListView", 683, "getItemParam エラー発生");
        HDebug::debug("error:%u", static_cast<unsigned>(GetLastError()));
        return 0;
    }
    return item.lParam;
}

int HListView::removeAllItems() {
    int refused = 0;
    if (rows.empty()) {
        return 0;
    }
    HWND hwnd = getHandle();
    // All rows in one message; one by one, to count the rows the control
    // keeps, only when it refuses that.
    if (hwnd != nullptr && !SendMessageA(hwnd, LVM_DELETEALLITEMS, 0, 0)) {
        for (int row = getItemCount() - 1; row >= 0; --row) {
            if (!SendMessageA(hwnd, LVM_DELETEITEM, row, 0)) {
                refused += row;
            }
        }
    }
    rows.clear();
    rowColors.clear();
    rowChecks.clear();
    return refused;
}

bool HListView::removeItem(int row) {
    if (row < 0 || row >= getItemCount()) {
        return false;
    }
    if (getHandle() != nullptr && !SendMessageA(getHandle(), LVM_DELETEITEM, row, 0)) {
        return false;
    }
    rows.erase(rows.begin() + row);
    rowColors.erase(rowColors.begin() + row);
    rowChecks.erase(rowChecks.begin() + row);
    renumberFrom(static_cast<size_t>(row));
    return true;
}

void HListView::beginUpdate() {
    if (getHandle() != nullptr) {
        SendMessageA(getHandle(), WM_SETREDRAW, FALSE, 0);
    }
}

void HListView::endUpdate() {
    HWND hwnd = getHandle();
    if (hwnd != nullptr && !redrawQuietly(hwnd)) {
        SendMessageA(hwnd, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(hwnd, nullptr, TRUE);
    }
}

// Turning redraw back on makes the list view set both scroll bars, twice, and
// every SetScrollInfo paints its bar at once, whether it changed or not; with
// a themed look that is most of what a refill costs. So redraw is turned on
// while the window is marked not visible (WM_SETREDRAW of the window manager
// only clears and sets WS_VISIBLE; nothing is hidden or painted over), which
// leaves the bars unpainted, and then what changed is repainted once: the
// rows always, a scroll bar that moved (set again, which paints it alone),
// everything when the bars or the header moved. Marking the window visible again makes it all
// invalid, though it was never painted over, so that is validated first. Only done when nothing
// else was waiting to be painted, which the validation would lose, and when there are scroll bars;
// otherwise, and where the list view itself clears WS_VISIBLE, false.
bool HListView::redrawQuietly(HWND hwnd) {
    HWND header = reinterpret_cast<HWND>(SendMessageA(hwnd, LVM_GETHEADER, 0, 0));
    // Without scroll bars nothing is painted needlessly, and the plain way is quicker.
    if ((GetWindowLongPtrA(hwnd, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL)) == 0 ||
        !IsWindowVisible(hwnd) || GetUpdateRect(hwnd, nullptr, FALSE) ||
        (header != nullptr && GetUpdateRect(header, nullptr, FALSE))) {
        return false;
    }
    FrameState before = frameState(hwnd, header);
    DefWindowProcA(hwnd, WM_SETREDRAW, FALSE, 0);
    SendMessageA(hwnd, WM_SETREDRAW, TRUE, 0);
    DefWindowProcA(hwnd, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(hwnd, nullptr, nullptr, RDW_VALIDATE | RDW_NOFRAME | RDW_ALLCHILDREN);
    FrameState after = frameState(hwnd, header);
    UINT flags = RDW_INVALIDATE | RDW_ERASE;
    if (!sameLayout(before, after)) {
        flags |= RDW_FRAME | RDW_ALLCHILDREN;
    } else {
        // The whole frame (both bars and the border) costs twice as much.
        const std::pair<int, SCROLLINFO> bars[] = {{SB_HORZ, after.horizontal},
                                                   {SB_VERT, after.vertical}};
        for (const auto& bar : bars) {
            const SCROLLINFO& was = bar.first == SB_HORZ ? before.horizontal : before.vertical;
            if (!sameBar(was, bar.second)) {
                SetScrollInfo(hwnd, bar.first, &bar.second, TRUE);
            }
        }
    }
    RedrawWindow(hwnd, nullptr, nullptr, flags);
    return true;
}

int HListView::getSelectedIndex() const {
    if (getHandle() == nullptr || rows.empty()) {
        return -1;
    }
    return static_cast<int>(
        SendMessageA(getHandle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

int HListView::setSelectedIndex(int row) {
    if (getHandle() == nullptr || row < 0 || row >= getItemCount()) {
        return -1;
    }
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(getHandle(), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    SendMessageA(getHandle(), LVM_ENSUREVISIBLE, row, TRUE);
    return row;
}

bool HListView::isItemChecked(int row) const {
    if (row < 0 || row >= getItemCount()) {
        return false;
    }
    if (!checkBoxes || getHandle() == nullptr) {
        return rowChecks[static_cast<size_t>(row)];
    }
    const LRESULT state =
        SendMessageA(getHandle(), LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK);
    return (static_cast<UINT>(state) & LVIS_STATEIMAGEMASK) == checkState(true);
}

bool HListView::setItemChecked(int row, bool checked) {
    if (row < 0 || row >= getItemCount()) {
        return false;
    }
    rowChecks[static_cast<size_t>(row)] = checked;
    if (checkBoxes && getHandle() != nullptr) {
        LVITEMA item = {};
        item.stateMask = LVIS_STATEIMAGEMASK;
        item.state = checkState(checked);
        SendMessageA(getHandle(), LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(&item));
    }
    return true;
}

HColor HListView::getItemColor(int row) const {
    if (row < 0 || row >= getItemCount()) {
        return HColor::WHITE;
    }
    return rowColors[static_cast<size_t>(row)];
}

bool HListView::setItemColor(int row, const HColor& color) {
    if (row < 0 || row >= getItemCount()) {
        return false;
    }
    rowColors[static_cast<size_t>(row)] = color;
    if (getHandle() != nullptr) {
        InvalidateRect(getHandle(), nullptr, FALSE);
    }
    return true;
}

bool HListView::sortItems(PFNLVCOMPARE compare, LPARAM param) {
    HWND hwnd = getHandle();
    if (hwnd == nullptr || compare == nullptr) {
        return false;
    }
    if (!SendMessageA(hwnd, LVM_SORTITEMS, param, reinterpret_cast<LPARAM>(compare))) {
        return false;
    }
    // Put the copy in the control's new order: each control row is matched to
    // an unused copy row by its item parameter (and, among rows sharing one,
    // by its first text).
    size_t count = rows.size();
    if (static_cast<size_t>(SendMessageA(hwnd, LVM_GETITEMCOUNT, 0, 0)) != count) {
        return true;
    }
    std::vector<bool> used(count, false);
    std::vector<size_t> order;
    order.reserve(count);
    char buffer[MAX_TEXT + 1];
    for (size_t i = 0; i < count; ++i) {
        LVITEMA item = {};
        item.mask = LVIF_PARAM | LVIF_TEXT;
        item.iItem = static_cast<int>(i);
        item.pszText = buffer;
        item.cchTextMax = sizeof(buffer);
        buffer[0] = '\0';
        if (!SendMessageA(hwnd, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) {
            return true;
        }
        size_t match = count;
        for (size_t j = 0; j < count; ++j) {
            if (used[j] || rows[j].front().param != item.lParam) {
                continue;
            }
            if (match == count) {
                match = j;
            }
            if (rows[j].front().text == item.pszText) {
                match = j;
                break;
            }
        }
        if (match == count) {
            printMessage("sortItems: no row for param %lld", static_cast<long long>(item.lParam));
            return true;
        }
        used[match] = true;
        order.push_back(match);
    }
    std::vector<std::vector<Cell>> sortedRows;
    std::vector<HColor> sortedColors;
    std::vector<bool> sortedChecks;
    sortedRows.reserve(count);
    sortedColors.reserve(count);
    sortedChecks.reserve(count);
    for (size_t from : order) {
        sortedRows.push_back(std::move(rows[from]));
        sortedColors.push_back(rowColors[from]);
        sortedChecks.push_back(rowChecks[from]);
    }
    rows.swap(sortedRows);
    rowColors.swap(sortedColors);
    rowChecks.swap(sortedChecks);
    renumberFrom(0);
    return true;
}

int HListView::findItemByParam(LPARAM param) const {
    for (size_t row = 0; row < rows.size(); ++row) {
        if (rows[row].front().param == param) {
            return static_cast<int>(row);
        }
    }
    return -1;
}

const HListView::Column* HListView::getColumn(int column) const {
    if (column < 0 || column >= getColumnCount()) {
        return nullptr;
    }
    return &columns[static_cast<size_t>(column)];
}

bool HListView::inRange(int row, int column) const {
    return row >= 0 && row < getItemCount() && column >= 0 && column < getColumnCount();
}

void HListView::renumberFrom(size_t row) {
    for (size_t i = row; i < rows.size(); ++i) {
        for (Cell& cell : rows[i]) {
            cell.row = static_cast<int>(i);
        }
    }
}

int HListView::insertNativeItem(int row, const Cell& cell) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = row;
    item.iSubItem = 0;
    item.pszText = const_cast<char*>(cell.text.c_str());
    item.lParam = cell.param;
    const int inserted = static_cast<int>(
        SendMessageA(getHandle(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    // The control gives every new row a cleared check box, whatever the
    // insertion asks: a ticked one is ticked afterwards.
    if (checkBoxes && inserted >= 0 && rowChecks[static_cast<size_t>(row)]) {
        setItemChecked(row, true);
    }
    return inserted;
}

bool HListView::setNativeText(const Cell& cell) {
    LVITEMA item = {};
    item.iSubItem = cell.column;
    item.pszText = const_cast<char*>(cell.text.c_str());
    return SendMessageA(getHandle(), LVM_SETITEMTEXTA, cell.row, reinterpret_cast<LPARAM>(&item)) !=
           FALSE;
}
