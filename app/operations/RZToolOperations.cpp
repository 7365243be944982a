// Tool operations that get a table ready for the game: the table check, with
// the chosen sounds copied where the game looks for them, the bulk change of a
// number field, and the spell levels each character may use.
#include "app/data/RZBulkChange.h"
#include "app/data/RZCharacters.h"
#include "app/data/RZEditData.h"
#include "app/data/RZMagic.h"
#include "app/data/RZSpellFields.h"
#include "app/data/RZTableCheck.h"
#include "app/operations/RZOperations.h"
#include "app/operations/RZOperationsCommon.h"
#include "app/views/RZBulkChangeDialog.h"
#include "app/views/RZCharacterSpellsDialog.h"
#include "app/views/RZDisplay.h"
#include "app/views/RZIds.h"
#include "app/views/RZTableCheckDialog.h"
#include "support/HDebug.h"
#include "support/HFile.h"
#include "support/HFileReader.h"
#include "support/HFileReplacement.h"
#include "toolkit/HComponent.h"

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

using namespace rzops;

namespace {

const char CHECK_CAPTION[] = "表のチェック";
const char BULK_CAPTION[] = "一括変更";
const char NOTHING_FOUND[] = "問題は見つかりませんでした。";
// Rows of the range refusal listed at most.
const std::size_t REFUSAL_ROWS = 10;

bool fileExists(const HFile& file) {
    return file.exists();
}

// A cell of an entry as the spell list shows it.
std::string listed(const RZMagic* entry, int column) {
    return RZDisplay::columnText(entry, column);
}

// "入力できる範囲(0～9999)", from the field's own range.
std::string rangeText(int field) {
    const RZSpellFields::Info& info = RZSpellFields::info(field);
    return "入力できる範囲(" + std::to_string(info.low) + "～" + std::to_string(info.high) + ")";
}

std::string problemText(const RZTableCheck::Line& line) {
    switch (line.problem) {
    case RZTableCheck::NO_NAME:
        return "名称がありません";
    case RZTableCheck::OUT_OF_RANGE:
        return rangeText(line.field) + "の外です";
    case RZTableCheck::SOUND_MISSING:
        return "効果音ファイルがありません";
    case RZTableCheck::SOUND_OUTSIDE_GAME:
        return "効果音ファイルがゲームのフォルダにありません";
    }
    return std::string();
}

// The table check as its dialog shows it.
struct Check {
    std::vector<RZListDialog::Row> rows;
    bool copyMends = false;
};

Check checkTable(const RZEditData& document) {
    const std::vector<RZTableCheck::Line> lines = RZTableCheck::check(document, fileExists);
    Check check;
    check.copyMends = RZTableCheck::copiesMend(lines, RZTableCheck::copies(document, fileExists));
    for (const RZTableCheck::Line& line : lines) {
        const RZMagic* entry = document.entryAt(line.position);
        check.rows.push_back(
            {line.position,
             {listed(entry, RZSpellFields::listColumnOf(RZSpellFields::KEY_ROW)),
              listed(entry, RZSpellFields::listColumnOf(RZSpellFields::FIELD_NAME)),
              listed(entry, RZSpellFields::listColumnOf(RZSpellFields::KEY_LEVEL)),
              RZSpellFields::info(line.field).listHeading, problemText(line)}});
    }
    return check;
}

bool sameBytes(const HFileReader& a, const HFileReader& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size()) == 0;
}

// Copies one chosen sound into the game's folder: a file there with the same
// bytes is left alone, one with other bytes only replaced when the user says
// so. The copy is written beside its name and put in place in one step, so
// the game never finds half a file. False when it failed, after the box that
// says so.
bool copySound(HComponent* dialog, const RZTableCheck::Copy& copy) {
    HFileReader source(copy.from);
    bool copied = source.read();
    if (copied && copy.to.exists()) {
        HFileReader present(copy.to);
        if (present.read() && sameBytes(source, present)) {
            return true;
        }
        if (ask(dialog, copy.to.name() + " はすでにあります。上書きしますか？", CHECK_CAPTION,
                MB_YESNO | MB_ICONQUESTION) != IDYES) {
            return true;
        }
    }
    if (copied) {
        const std::string folder = copy.to.directory();
        if (!HFile(folder).exists()) {
            CreateDirectoryA(folder.c_str(), nullptr);
        }
        HFileReplacement replacement(copy.to);
        copied = replacement.write(std::string(source.data(), source.size())) &&
                 replacement.replace() == HFileReplacement::Result::REPLACED;
    }
    if (!copied) {
        HLOG_INFO(SOURCE, 3525, "copyChosenSounds:copy error");
        ask(dialog, "効果音ファイルをコピーできませんでした。\r\n" + copy.to.fullPath(),
            CHECK_CAPTION, MB_OK | MB_ICONWARNING);
    }
    return copied;
}

// The id of the dialog's button that has the focus, or 0.
int focusedButton(HComponent* dialog) {
    HComponent* focused = HComponent::getFocusComponent();
    return focused != nullptr && focused->getKindName() == "Button" && focused->getRoot() == dialog
               ? focused->getId()
               : 0;
}

std::string valueErrorText(RZBulkChange::Operation operation) {
    switch (operation) {
    case RZBulkChange::SET:
        return "値には0以上の整数を入力してください。";
    case RZBulkChange::ADD:
        return "値には整数を入力してください。";
    default:
        return "％には0～" + std::to_string(RZBulkChange::PERCENT_HIGH) +
               "の整数を入力してください。";
    }
}

std::string refusalText(const RZEditData& document, int field, const RZBulkChange::Plan& plan) {
    std::string text = rangeText(field) + "を超える行があるため、変更していません。\r\n";
    for (std::size_t i = 0; i < plan.outside.size() && i < REFUSAL_ROWS; ++i) {
        const RZMagic* entry = document.entryAt(plan.outside[i].position);
        text += "\r\n" + std::to_string(entry->getRow()) + "行目 " + entry->getName() + " Lv" +
                std::to_string(entry->getLevel()) + ": " + std::to_string(plan.outside[i].value);
    }
    return text;
}

// Whether the change can be made as chosen; otherwise a box says why and the
// focus goes where the user mends it.
bool planBulkChange(RZBulkChangeDialog* dialog, const RZEditData& document,
                    const RZBulkChange::Choice& choice) {
    std::int64_t value = 0;
    if (RZBulkChange::parseValue(choice.value, choice.operation, value) !=
        RZBulkChange::ValueError::NONE) {
        ask(dialog, valueErrorText(choice.operation), BULK_CAPTION, MB_OK | MB_ICONWARNING);
        dialog->focusValue();
        return false;
    }
    if (RZBulkChange::needsSelection(choice.target) && document.shownEntry() == nullptr) {
        ask(dialog, "行を選択してください。", BULK_CAPTION, MB_OK | MB_ICONWARNING);
        dialog->focusTarget();
        return false;
    }
    const RZBulkChange::Plan plan = RZBulkChange::plan(document, choice.field, choice.operation,
                                                       value, choice.target, document.shownEntry());
    if (!plan.allowed()) {
        ask(dialog, refusalText(document, choice.field, plan), BULK_CAPTION,
            MB_OK | MB_ICONWARNING);
        dialog->focusValue();
        return false;
    }
    return true;
}

std::vector<RZListDialog::Row> characterRows(const RZEditData& document, std::uint32_t character) {
    std::vector<RZListDialog::Row> rows;
    const RZCharacters* people = document.characters();
    for (std::uint32_t position = 0; people != nullptr && position < document.count(); ++position) {
        const RZMagic* entry = document.entryAt(position);
        if (people->mayUse(character, entry->getElement(), entry->getRank())) {
            rows.push_back({position,
                            {listed(entry, RZSpellFields::listColumnOf(RZSpellFields::KEY_ROW)),
                             listed(entry, RZSpellFields::listColumnOf(RZSpellFields::FIELD_NAME)),
                             listed(entry, RZSpellFields::listColumnOf(RZSpellFields::KEY_LEVEL)),
                             listed(entry, RZSpellFields::listColumnOf(RZSpellFields::KEY_ELEMENT)),
                             listed(entry, RZSpellFields::listColumnOf(RZSpellFields::KEY_RANK)),
                             people->aptitudeText(character, entry->getElement())}});
        }
    }
    return rows;
}

bool hasCharacters(const RZEditData* document) {
    return document != nullptr && document->characters() != nullptr &&
           document->characters()->count() > 0;
}

} // namespace

bool RZOP0034(HComponent* window) {
    HLOG_START(SOURCE, 3500, "RZOP0034");
    bool result = false;
    HWindow* owner = dynamic_cast<HWindow*>(window);
    RZEditData* document = documentOf(window);
    if (owner != nullptr && document != nullptr && document->hasTable()) {
        Check check = checkTable(*document);
        if (check.rows.empty()) {
            ask(window, NOTHING_FOUND, CHECK_CAPTION, MB_OK | MB_ICONINFORMATION);
        } else {
            RZTableCheckDialog dialog(owner, std::move(check.rows), check.copyMends);
            const int ended = showModal(dialog);
            if (ended == IDOK) {
                result = selectPosition(window, document, dialog.chosenPosition());
            } else if (ended == RZTableCheckDialog::ALL_MENDED) {
                ask(window, NOTHING_FOUND, CHECK_CAPTION, MB_OK | MB_ICONINFORMATION);
            }
        }
    }
    HLOG_END(SOURCE, 3510, "RZOP0034");
    return result;
}

bool copyChosenSounds(HComponent* target) {
    HLOG_START(SOURCE, 3520, "copyChosenSounds");
    bool result = false;
    RZTableCheckDialog* dialog = dynamic_cast<RZTableCheckDialog*>(target);
    RZEditData* document = dialog != nullptr ? documentOf(dialog->getOwner()) : nullptr;
    if (document != nullptr) {
        result = true;
        for (const RZTableCheck::Copy& copy : RZTableCheck::copies(*document, fileExists)) {
            if (!copySound(dialog, copy)) {
                result = false;
                break;
            }
        }
        // Whatever was copied, the list shows what is left.
        Check check = checkTable(*document);
        if (check.rows.empty()) {
            dialog->setVisible(false);
            dialog->setResult(RZTableCheckDialog::ALL_MENDED);
        } else {
            dialog->showCheck(std::move(check.rows), check.copyMends);
        }
    }
    HLOG_END(SOURCE, 3530, "copyChosenSounds");
    return result;
}

bool enterInListDialog(HComponent* dialog) {
    const int button = focusedButton(dialog);
    if (button != 0) {
        // Enter on a button presses it, as it does in any dialog.
        SendMessageA(dialog->getHandle(), WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        return true;
    }
    return RZOP0020(dialog);
}

bool bulkChange(HComponent* window, const RZBulkChange::Choice& choice) {
    RZEditData* document = documentOf(window);
    std::int64_t value = 0;
    if (document == nullptr || !document->hasTable() ||
        RZBulkChange::parseValue(choice.value, choice.operation, value) !=
            RZBulkChange::ValueError::NONE) {
        return false;
    }
    const RZMagic* selected = document->shownEntry();
    const RZBulkChange::Plan plan = RZBulkChange::plan(*document, choice.field, choice.operation,
                                                       value, choice.target, selected);
    if (!plan.allowed() || plan.changes.empty()) {
        return false;
    }
    std::vector<std::uint32_t> positions;
    for (const RZBulkChange::Change& change : plan.changes) {
        positions.push_back(change.position);
    }
    // Undo and redo select the row that was selected.
    const std::int64_t focus = RZEditHistory::positionOf(*document, selected);
    document->history().record(
        *document, positions, focus >= 0 ? static_cast<std::uint32_t>(focus) : positions.front(),
        [&] {
            for (const RZBulkChange::Change& change : plan.changes) {
                RZMagic* entry = document->entryAt(change.position);
                RZSpellValues values = entry->values();
                // In the field's range, so within 32 bits.
                RZSpellFields::setNumber(values, choice.field,
                                         static_cast<std::int32_t>(change.value));
                entry->setValues(std::move(values));
            }
            return true;
        });
    // Numbers only: the picture and the characters of the shown row stay.
    RZDisplay display;
    display.refreshRows(window, document);
    display.refreshForm(window, document);
    updateCommandStates(window, document);
    return true;
}

bool RZOP0035(HComponent* window) {
    HLOG_START(SOURCE, 3600, "RZOP0035");
    bool result = false;
    HWindow* owner = dynamic_cast<HWindow*>(window);
    RZEditData* document = documentOf(window);
    if (owner != nullptr && document != nullptr && document->hasTable()) {
        RZBulkChangeDialog dialog(owner, document->bulkChoice());
        if (showModal(dialog) == IDOK) {
            result = bulkChange(window, document->bulkChoice());
        }
    }
    HLOG_END(SOURCE, 3610, "RZOP0035");
    return result;
}

bool runBulkChange(HComponent* target) {
    HLOG_START(SOURCE, 3620, "runBulkChange");
    bool result = false;
    RZBulkChangeDialog* dialog = dynamic_cast<RZBulkChangeDialog*>(target);
    RZEditData* document = dialog != nullptr ? documentOf(dialog->getOwner()) : nullptr;
    if (document != nullptr) {
        if (focusedButton(dialog) == IDC_BULK_CANCEL) {
            // Enter on the cancel button cancels.
            RZOP0029(dialog);
        } else {
            const RZBulkChange::Choice choice = dialog->choice();
            document->setBulkChoice(choice);
            result = planBulkChange(dialog, *document, choice) && RZOP0020(dialog);
        }
    }
    HLOG_END(SOURCE, 3630, "runBulkChange");
    return result;
}

bool RZOP0036(HComponent* window) {
    HLOG_START(SOURCE, 3700, "RZOP0036");
    bool result = false;
    HWindow* owner = dynamic_cast<HWindow*>(window);
    RZEditData* document = documentOf(window);
    if (owner != nullptr && document != nullptr && document->hasTable() &&
        hasCharacters(document)) {
        const RZCharacters* people = document->characters();
        std::vector<std::string> names;
        for (std::uint32_t i = 0; i < people->count(); ++i) {
            names.push_back(people->characterAt(i)->name());
        }
        // The one listed last, while another table may have fewer characters.
        const std::uint32_t chosen =
            document->listedCharacter() < people->count() ? document->listedCharacter() : 0;
        RZCharacterSpellsDialog dialog(owner, names, chosen);
        dialog.setRows(characterRows(*document, chosen));
        if (showModal(dialog) == IDOK) {
            result = selectPosition(window, document, dialog.chosenPosition());
        }
    }
    HLOG_END(SOURCE, 3710, "RZOP0036");
    return result;
}

bool showCharacterSpells(HComponent* target) {
    HLOG_START(SOURCE, 3720, "showCharacterSpells");
    bool result = false;
    RZCharacterSpellsDialog* dialog = dynamic_cast<RZCharacterSpellsDialog*>(target);
    RZEditData* document = dialog != nullptr ? documentOf(dialog->getOwner()) : nullptr;
    if (hasCharacters(document)) {
        const std::uint32_t character = dialog->chosenCharacter();
        document->setListedCharacter(character);
        dialog->setRows(characterRows(*document, character));
        result = true;
    }
    HLOG_END(SOURCE, 3730, "showCharacterSpells");
    return result;
}
