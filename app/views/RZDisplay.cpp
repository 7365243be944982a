#include "app/views/RZDisplay.h"

#include "app/data/RZEditData.h"
#include "app/data/RZMagic.h"
#include "app/data/RZMagicLoader.h"
#include "app/data/RZMagicTables.h"
#include "app/data/RZTableText.h"
#include "app/views/RZFormBoxes.h"
#include "app/views/RZIds.h"
#include "app/views/RZImageView.h"
#include "app/views/RZListViewEvent.h"
#include "support/HDebug.h"
#include "support/HStageClock.h"
#include "toolkit/HComponent.h"
#include "toolkit/HDropDown.h"
#include "toolkit/HEdit.h"
#include "toolkit/HListView.h"

#include <windows.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

// Rows of the character list shown at most.
const int CHARACTER_ROWS = 1001;

std::string decimal(int value) {
    char text[16];
    wsprintfA(text, "%d", value);
    return text;
}

template <typename T> T* control(HComponent* window, int id) {
    return dynamic_cast<T*>(window->findById(id));
}

void setText(HComponent* window, int id, const std::string& text) {
    HComponent* c = window->findById(id);
    if (c != nullptr) {
        c->setText(text);
    }
}

// A list is refilled with one redraw at the end instead of one (with its
// scroll-bar update) per row, which made a visible pause; its rows are also
// deselected first, since removing selected rows gets slower with every refill
// on some platforms. `empty` false keeps the rows, to be rewritten in place;
// `deselect` false keeps the selection, for a selected row that stays.
void beginRefill(HListView* list, bool empty = true, bool deselect = true) {
    list->beginUpdate();
    HWND native = list->getHandle();
    if (native != nullptr && deselect) {
        LVITEMA none = {};
        none.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(native, LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(&none));
    }
    if (empty) {
        list->removeAllItems();
    }
}

void endRefill(HListView* list) {
    list->endUpdate();
}

// True when the drop-down already lists exactly these items, in this order.
bool holdsItems(HDropDown<int>* dropDown, const std::map<int, std::string>& items) {
    if (dropDown->getItemCount() != static_cast<int>(items.size())) {
        return false;
    }
    int index = 0;
    for (const auto& item : items) {
        if (dropDown->getItemValue(index) != item.first ||
            dropDown->getItemText(index) != item.second) {
            return false;
        }
        ++index;
    }
    return true;
}

RZMagic* rowEntry(HListView* list, int row) {
    return reinterpret_cast<RZMagic*>(list->getItemParam(row, 0));
}

} // namespace

const HColor RZDisplay::CHANGED_COLOR(255, 255, 192);
const HColor RZDisplay::STOCK_COLOR(220, 235, 255);

RZDisplay::RZDisplay() {
    setClassName("RZDisplay");
}

RZDisplay::~RZDisplay() {}

std::string RZDisplay::columnText(const RZMagic* entry, int column) {
    if (entry == nullptr) {
        return std::string();
    }
    const RZSpellFields::Column shown = RZSpellFields::listColumn(column);
    if (shown.field >= 0) {
        return entry->valueText(shown.field);
    }
    switch (shown.key) {
    case RZSpellFields::KEY_ROW:
        return decimal(entry->getRow());
    case RZSpellFields::KEY_LEVEL:
        return entry->fieldText(ZDMagic::TEXT_LEVEL);
    case RZSpellFields::KEY_ELEMENT:
        return entry->fieldText(ZDMagic::TEXT_ELEMENT);
    case RZSpellFields::KEY_RANK:
        return entry->fieldText(ZDMagic::TEXT_RANK);
    default:
        return std::string();
    }
}

HColor RZDisplay::rowColor(const RZMagic* entry, const RZEditData* document) {
    if (entry == nullptr) {
        return HColor::WHITE;
    }
    if (RZEditData::differsFromBaseline(*entry)) {
        return CHANGED_COLOR;
    }
    if (document != nullptr && document->showsStockDifferences() &&
        document->stockTable().isReadable() && document->stockTable().differs(*entry)) {
        return STOCK_COLOR;
    }
    return HColor::WHITE;
}

void RZDisplay::colorRow(HListView* list, int row, const RZMagic* entry,
                         const RZEditData* document) {
    HColor color = rowColor(entry, document);
    // Only a colour that changes repaints the row.
    if (!(list->getItemColor(row) == color)) {
        list->setItemColor(row, color);
    }
}

void RZDisplay::writeColumns(HListView* list, int row, const RZMagic* entry, bool all) {
    // Without `all`, the first column came with the row's insertion.
    for (int column = all ? 0 : 1; column < RZSpellFields::LIST_COLUMN_COUNT; ++column) {
        list->setItemText(row, column, columnText(entry, column));
    }
}

bool RZDisplay::showTable(HComponent* window, RZEditData* document) {
    if (window == nullptr || document == nullptr) {
        return false;
    }
    HListView* list = control<HListView>(window, IDC_SPELL_LIST);
    if (list == nullptr) {
        return false;
    }
    window->setListenersEnabled(false);
    HStageClock::Scope stage("list");
    // The rows the filter shows (every row without one), in table order.
    std::vector<RZMagic*> shown;
    for (std::uint32_t i = 0; i < document->count(); ++i) {
        if (document->isShown(i)) {
            shown.push_back(document->entryAt(i));
        }
    }
    document->setSortedColumn(-1);
    // As many rows as the list has: they are rewritten in place, which ends as
    // emptying and refilling the list would (table order, white rows).
    const bool inPlace = list->getItemCount() == static_cast<int>(shown.size());
    beginRefill(list, !inPlace);
    for (std::size_t i = 0; i < shown.size(); ++i) {
        RZMagic* entry = shown[i];
        int row = static_cast<int>(i);
        if (inPlace) {
            // Only the cells whose text changes reach the control: another data
            // set of the same size shares many (row numbers, levels, table
            // values), and reopening one changes none.
            writeColumns(list, row, entry, true);
        } else {
            list->insertItem(row, columnText(entry, 0));
            writeColumns(list, row, entry, false);
        }
        colorRow(list, row, entry, document);
        list->setItemParam(row, 0, reinterpret_cast<LPARAM>(entry));
    }
    endRefill(list);
    window->setListenersEnabled(true);
    HStageClock::Scope selection("select");
    if (list->getItemCount() > 0) {
        list->setSelectedIndex(0);
    } else {
        // Nothing to select, so no selection event clears the form: do it here,
        // and forget the shown entry, whose record the refill may have deleted.
        showEntry(window, document);
    }
    return true;
}

bool RZDisplay::showShownRows(HComponent* window, RZEditData* document) {
    if (window == nullptr || document == nullptr) {
        return false;
    }
    HListView* list = control<HListView>(window, IDC_SPELL_LIST);
    if (list == nullptr) {
        return false;
    }
    std::vector<RZMagic*> present;
    for (int row = 0; row < list->getItemCount(); ++row) {
        present.push_back(rowEntry(list, row));
    }
    const int selectedRow = list->getSelectedIndex();
    const RZMagic* selected =
        selectedRow >= 0 ? present[static_cast<size_t>(selectedRow)] : nullptr;

    // The rows to show in the list's order: those listed now where they are,
    // the others after them in table order, then sorted again as the list was
    // (a stable sort, so rows the sort finds equal keep their order).
    std::map<const RZMagic*, std::uint32_t> positions;
    for (std::uint32_t i = 0; i < document->count(); ++i) {
        positions[document->entryAt(i)] = i;
    }
    const auto shown = [&](const RZMagic* entry) {
        auto found = positions.find(entry);
        return found != positions.end() && document->isShown(found->second);
    };
    std::vector<RZMagic*> wanted;
    std::set<const RZMagic*> listed;
    for (RZMagic* entry : present) {
        if (shown(entry) && listed.insert(entry).second) {
            wanted.push_back(entry);
        }
    }
    for (std::uint32_t i = 0; i < document->count(); ++i) {
        RZMagic* entry = document->entryAt(i);
        if (document->isShown(i) && listed.count(entry) == 0) {
            wanted.push_back(entry);
        }
    }
    const int column = document->sortedColumn();
    std::stable_sort(wanted.begin(), wanted.end(), [&](const RZMagic* a, const RZMagic* b) {
        if (a == b) {
            return false;
        }
        return column >= 0 ? RZListViewEvent::compare(reinterpret_cast<LPARAM>(a),
                                                      reinterpret_cast<LPARAM>(b), column) < 0
                           : positions[a] < positions[b];
    });

    const bool selectionStays =
        selected != nullptr && std::find(wanted.begin(), wanted.end(), selected) != wanted.end();
    window->setListenersEnabled(false);
    beginRefill(list, false, !selectionStays);
    // Rows that stay in the same order are kept and only the others removed
    // and inserted, which spares rewriting every row below a change;
    // otherwise every row is rewritten in place.
    std::vector<const RZMagic*> staying;
    for (const RZMagic* entry : present) {
        if (shown(entry)) {
            staying.push_back(entry);
        }
    }
    std::vector<const RZMagic*> kept;
    for (const RZMagic* entry : wanted) {
        if (listed.count(entry) != 0) {
            kept.push_back(entry);
        }
    }
    if (staying == kept) {
        for (int row = list->getItemCount() - 1; row >= 0; --row) {
            if (!shown(present[static_cast<size_t>(row)])) {
                list->removeItem(row);
            }
        }
        for (std::size_t i = 0; i < wanted.size(); ++i) {
            const int row = static_cast<int>(i);
            if (row >= list->getItemCount() || rowEntry(list, row) != wanted[i]) {
                list->insertItem(row, columnText(wanted[i], 0));
                list->setItemParam(row, 0, reinterpret_cast<LPARAM>(wanted[i]));
            }
        }
    } else {
        while (list->getItemCount() > static_cast<int>(wanted.size())) {
            list->removeItem(list->getItemCount() - 1);
        }
        while (list->getItemCount() < static_cast<int>(wanted.size())) {
            list->insertItem(list->getItemCount(), std::string());
        }
        for (std::size_t i = 0; i < wanted.size(); ++i) {
            list->setItemParam(static_cast<int>(i), 0, reinterpret_cast<LPARAM>(wanted[i]));
        }
    }
    // Every row written from its entry: only cells whose text changes reach
    // the control.
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        writeColumns(list, static_cast<int>(i), wanted[i], true);
        colorRow(list, static_cast<int>(i), wanted[i], document);
    }
    endRefill(list);
    window->setListenersEnabled(true);
    if (selectionStays) {
        // Still selected where it went: the form shows it already.
        const int row =
            static_cast<int>(std::find(wanted.begin(), wanted.end(), selected) - wanted.begin());
        SendMessageA(list->getHandle(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
    } else if (!wanted.empty()) {
        list->setSelectedIndex(0);
    } else {
        showEntry(window, document);
    }
    return true;
}

bool RZDisplay::showEntry(HComponent* window, RZEditData* document) {
    if (window == nullptr || document == nullptr) {
        return false;
    }
    window->setListenersEnabled(false);
    HListView* list = control<HListView>(window, IDC_SPELL_LIST);
    HDropDown<int>* target = control<HDropDown<int>>(window, IDC_TARGET);
    RZImageView* preview = control<RZImageView>(window, IDC_PICTURE);
    HListView* characters = control<HListView>(window, IDC_CHARACTERS);

    RZMagic* entry = nullptr;
    if (list != nullptr) {
        int selected = list->getSelectedIndex();
        if (selected >= 0) {
            entry = rowEntry(list, selected);
        }
    }
    if (entry != nullptr) {
        {
            HStageClock::Scope stage("form");
            writeForm(window, entry, false);
        }
        document->setShownEntry(entry);
        if (preview != nullptr) {
            HStageClock::Scope stage("picture");
            preview->setUserObject(entry);
            preview->restartTimerAnimation();
        }
        if (characters != nullptr) {
            HStageClock::Scope stage("character-list");
            beginRefill(characters);
            RZCharacters* people = document->characters();
            if (people != nullptr) {
                people->start(entry->getElement(), entry->getRank());
                for (int row = 0; row < CHARACTER_ROWS && people->hasNext(); ++row) {
                    std::string name;
                    std::string aptitude;
                    people->next(&name, &aptitude);
                    characters->insertItem(row, name);
                    characters->setItemParam(row, 0, static_cast<LPARAM>(row));
                    characters->setItemText(row, 1, aptitude);
                }
            }
            endRefill(characters);
        }
    } else {
        for (int id : {IDC_LEVEL, IDC_ELEMENT, IDC_RANK}) {
            setText(window, id, std::string());
        }
        for (const RZSpellFields::Info& field : RZSpellFields::FIELDS) {
            if (field.kind != RZSpellFields::Kind::CHOICE) {
                setText(window, RZFormBoxes::controlOf(field.field), std::string());
            }
        }
        if (target != nullptr) {
            target->clearSelection();
        }
        document->setShownEntry(nullptr);
        if (preview != nullptr) {
            preview->setUserObject(nullptr);
            preview->restartTimerAnimation();
        }
        if (characters != nullptr) {
            characters->removeAllItems();
        }
    }
    // Browsing from a field with the keyboard leaves the new value selected.
    HComponent* focus = HComponent::getFocusComponent();
    if (focus != nullptr && focus->getKindName() == "Edit") {
        HEdit* edit = dynamic_cast<HEdit*>(focus);
        if (edit != nullptr) {
            edit->selectText(0, 65535);
        }
    }
    window->setListenersEnabled(true);
    return true;
}

bool RZDisplay::storeEntry(HComponent* window, HComponent* control, RZEditData* document) {
    if (window == nullptr || control == nullptr || document == nullptr) {
        return false;
    }
    RZMagic* entry = document->shownEntry();
    if (entry == nullptr) {
        return false;
    }
    window->setListenersEnabled(false);
    // Only the form's boxes of the table's fields are written back.
    const int field = RZFormBoxes::fieldOfControl(control->getId());
    bool result = field >= 0;
    RZSpellValues values = entry->values();
    if (result) {
        switch (RZSpellFields::info(field).kind) {
        case RZSpellFields::Kind::TEXT:
            // A text of the table line is cut at blanks: stored as full-width spaces.
            RZSpellFields::setText(values, field,
                                   RZSpellFields::info(field).lineText
                                       ? RZTableText::withFullWidthBlanks(control->getText())
                                       : control->getText());
            break;
        case RZSpellFields::Kind::CHOICE: {
            HDropDown<int>* choice = dynamic_cast<HDropDown<int>*>(control);
            result = choice != nullptr;
            if (result) {
                RZSpellFields::setNumber(values, field, choice->getSelectedValue());
            }
            break;
        }
        case RZSpellFields::Kind::NUMBER:
            RZSpellFields::setNumber(values, field, RZMagicLoader::parseNumber(control->getText()));
            break;
        }
    }
    std::uint32_t shared = 0;
    if (result) {
        entry->setValues(std::move(values));
        if (RZSpellFields::isShared(field)) {
            shared = RZEditData::shareField(field);
        }
    }
    if (shared != 0) {
        // The debug journal lists the records a shared change goes through.
        for (std::uint32_t i = 0; i < document->count(); ++i) {
            RZMagic* other = document->entryAt(i);
            HDebug::debug("rec[%u]:%s(%d)", i, other->getName().c_str(), other->getIndex());
        }
        document->shareSpellFields(entry, shared);
    }
    window->setListenersEnabled(true);
    return result;
}

bool RZDisplay::refreshRow(HComponent* window, int row) {
    if (window == nullptr) {
        return false;
    }
    HListView* list = control<HListView>(window, IDC_SPELL_LIST);
    if (list == nullptr || row < 0 || row >= list->getItemCount()) {
        return false;
    }
    RZMagic* entry = rowEntry(list, row);
    if (entry == nullptr) {
        return false;
    }
    RZEditData* document = RZEditData::getInstance(window->getHandle());
    writeColumns(list, row, entry, true);
    colorRow(list, row, entry, document);
    for (int other = 0; other < list->getItemCount(); ++other) {
        if (other == row) {
            continue;
        }
        RZMagic* sibling = rowEntry(list, other);
        if (sibling == nullptr || sibling->getIndex() != entry->getIndex()) {
            continue;
        }
        for (const RZSpellFields::Info& field : RZSpellFields::FIELDS) {
            if (field.shared) {
                list->setItemText(other, field.listColumn, columnText(sibling, field.listColumn));
            }
        }
        colorRow(list, other, sibling, document);
    }
    return true;
}

bool RZDisplay::refreshRows(HComponent* window, RZEditData* document) {
    if (window == nullptr || document == nullptr) {
        return false;
    }
    HListView* list = control<HListView>(window, IDC_SPELL_LIST);
    if (list == nullptr) {
        return false;
    }
    for (int row = 0; row < list->getItemCount(); ++row) {
        RZMagic* entry = rowEntry(list, row);
        if (entry != nullptr) {
            writeColumns(list, row, entry, true);
            colorRow(list, row, entry, document);
        }
    }
    return true;
}

bool RZDisplay::selectEntry(HComponent* window, RZEditData* document, const RZMagic* entry) {
    if (window == nullptr || document == nullptr || entry == nullptr) {
        return false;
    }
    HListView* list = control<HListView>(window, IDC_SPELL_LIST);
    if (list == nullptr) {
        return false;
    }
    int row = list->findItemByParam(reinterpret_cast<LPARAM>(entry));
    if (row < 0) {
        return false;
    }
    if (list->getSelectedIndex() == row) {
        // No selection change, so no event shows it: the form is refilled here.
        showEntry(window, document);
    } else {
        list->setSelectedIndex(row);
    }
    return true;
}

bool RZDisplay::moveSelection(HComponent* window, int direction) {
    if (window == nullptr) {
        return false;
    }
    HListView* list = control<HListView>(window, IDC_SPELL_LIST);
    if (list == nullptr) {
        return false;
    }
    int n = list->getItemCount();
    if (n <= 0) {
        return false;
    }
    int s = list->getSelectedIndex();
    int last = n - 1;
    int row;
    switch (direction) {
    case DIRECTION_PREVIOUS:
        row = s > 0 ? s - 1 : last;
        break;
    case DIRECTION_NEXT:
        row = (s < 0 || s >= last) ? 0 : s + 1;
        break;
    case DIRECTION_FIRST:
        row = 0;
        break;
    case DIRECTION_LAST:
        row = last;
        break;
    default:
        return false;
    }
    list->setSelectedIndex(row);
    return true;
}

void RZDisplay::writeForm(HComponent* window, const RZMagic* entry, bool changedOnly) {
    HDropDown<int>* target = control<HDropDown<int>>(window, IDC_TARGET);
    // Only a box whose text changes is written (and repainted), when asked.
    // Otherwise every box is left as setting its text leaves it (the caret and
    // the view at the start, nothing to undo), and one that already is, with
    // that text, is not set again: it is neither invalidated nor repainted.
    const auto write = [window, changedOnly](int id, const std::string& text) {
        HComponent* box = window->findById(id);
        if (box == nullptr || (changedOnly && box->getText() == text)) {
            return;
        }
        HEdit* edit = changedOnly ? nullptr : dynamic_cast<HEdit*>(box);
        if (edit != nullptr) {
            edit->showText(text);
        } else {
            box->setText(text);
        }
    };
    write(IDC_LEVEL, decimal(entry->getLevel()));
    write(IDC_ELEMENT, entry->fieldText(ZDMagic::TEXT_ELEMENT));
    write(IDC_RANK, entry->fieldText(ZDMagic::TEXT_RANK));
    for (const RZSpellFields::Info& field : RZSpellFields::FIELDS) {
        switch (field.kind) {
        case RZSpellFields::Kind::TEXT:
            write(RZFormBoxes::controlOf(field.field),
                  RZSpellFields::text(entry->values(), field.field));
            break;
        case RZSpellFields::Kind::NUMBER:
            write(RZFormBoxes::controlOf(field.field),
                  decimal(RZSpellFields::number(entry->values(), field.field)));
            break;
        case RZSpellFields::Kind::CHOICE:
            if (target != nullptr &&
                !(changedOnly && target->getSelectedValue() ==
                                     RZSpellFields::number(entry->values(), field.field))) {
                // The same table every time: refilled only when it is not there.
                std::map<int, std::string> targets =
                    RZMagicTables::copyTable(RZMagicTables::TABLE_TARGETS);
                if (!holdsItems(target, targets)) {
                    target->setItems(targets);
                }
                target->setSelectedValue(RZSpellFields::number(entry->values(), field.field));
            }
            break;
        }
    }
}

bool RZDisplay::refreshForm(HComponent* window, RZEditData* document) {
    if (window == nullptr || document == nullptr || document->shownEntry() == nullptr) {
        return false;
    }
    window->setListenersEnabled(false);
    writeForm(window, document->shownEntry(), true);
    window->setListenersEnabled(true);
    return true;
}

bool RZDisplay::refreshPicture(HComponent* window) {
    if (window == nullptr) {
        return false;
    }
    RZImageView* preview = control<RZImageView>(window, IDC_PICTURE);
    if (preview == nullptr) {
        return false;
    }
    preview->restartTimerAnimation();
    return true;
}

bool RZDisplay::updateTitle(HComponent* window, RZEditData* document) {
    if (window == nullptr || document == nullptr) {
        return false;
    }
    std::string title;
    if (document->testFlags(0)) {
        title = "RZEdit";
    } else if (document->testFlags(RZEditData::FLAG_NEW)) {
        title = "新規ファイル - RZEdit";
    } else {
        title = document->tablePath().fullPath() + " - RZEdit";
    }
    if (document->isFiltered()) {
        title += " [絞り込み " + decimal(static_cast<int>(document->shownCount())) + "/" +
                 decimal(static_cast<int>(document->count())) + "行]";
    }
    window->setText(title);
    return true;
}
