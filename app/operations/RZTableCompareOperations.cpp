// Comparing the open table with another table, against the stock table, and
// taking the changes the user checks.
#include "app/data/RZEditData.h"
#include "app/data/RZGameDirectory.h"
#include "app/data/RZMagic.h"
#include "app/data/RZMagicLoader.h"
#include "app/data/RZSpellFields.h"
#include "app/data/RZTableCompare.h"
#include "app/data/RZTableFileNames.h"
#include "app/operations/RZOperations.h"
#include "app/operations/RZOperationsCommon.h"
#include "app/views/RZDisplay.h"
#include "app/views/RZTableCompareDialog.h"
#include "support/HDebug.h"
#include "support/HFile.h"
#include "toolkit/HComponent.h"
#include "toolkit/HFileChooser.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

using namespace rzops;

namespace {

const char COMPARE_CAPTION[] = "他の表と比較";
const char COMPARE_FILTER[] = "MagicTable\0MagicTable\0"
                              "すべてのファイル (*.*)\0*.*\0";
// Rows of the length refusal listed at most.
const std::size_t REFUSAL_ROWS = 10;

const char* stateText(RZTableCompare::State state) {
    switch (state) {
    case RZTableCompare::State::OTHER_CHANGED:
        return "他の表で変更";
    case RZTableCompare::State::THIS_CHANGED:
        return "この表で変更";
    case RZTableCompare::State::BOTH_CHANGED:
        return "両方で変更";
    case RZTableCompare::State::NO_STOCK:
        break;
    }
    return "違い";
}

std::vector<RZTableCompare::Level> stockLevels(const RZEditData& document) {
    return RZTableCompare::levelsOf(document.stockTable().levels());
}

// The comparison as the dialog shows it: the lines and their rows.
struct Comparison {
    std::vector<RZTableCompare::Line> lines;
    std::vector<RZListDialog::Row> rows;
};

Comparison compareTables(const RZEditData& document,
                         const std::vector<RZTableCompare::Level>& other) {
    const std::vector<RZTableCompare::Level> stock = stockLevels(document);
    Comparison comparison;
    comparison.lines = RZTableCompare::compare(RZTableCompare::levelsOf(document), other, stock);
    comparison.rows.reserve(comparison.lines.size());
    for (const RZTableCompare::Line& line : comparison.lines) {
        const RZMagic* entry = document.entryAt(line.position);
        comparison.rows.push_back(
            {line.position,
             {listed(entry, RZSpellFields::listColumnOf(RZSpellFields::KEY_ROW)),
              listed(entry, RZSpellFields::listColumnOf(RZSpellFields::FIELD_NAME)),
              listed(entry, RZSpellFields::listColumnOf(RZSpellFields::KEY_LEVEL)),
              RZSpellFields::info(line.field).listHeading, entry->valueText(line.field),
              ZDMagic::valueText(other[line.other].values, line.field),
              line.stock >= 0 ? ZDMagic::valueText(
                                    stock[static_cast<std::size_t>(line.stock)].values, line.field)
                              : std::string(),
              stateText(line.state)}});
    }
    return comparison;
}

// The other table read as opening reads a table: with the SoundFileName beside
// it, else the game's stock sound list. False when it cannot be read or holds
// no spell level.
bool readOtherTable(const HFile& table, const RZEditData& document,
                    std::vector<RZTableCompare::Level>* levels) {
    HFile sound(table.parent().fullPath() + "\\" + SOUND_FILE_NAME);
    if (!sound.exists()) {
        sound = document.defaultSoundPath();
    }
    std::vector<ZDMagic> records;
    RZMagicLoader loader;
    if (!loader.readRecords(table, sound, &records) || records.empty()) {
        return false;
    }
    *levels = RZTableCompare::levelsOf(records);
    return true;
}

// An open-file chooser over the window for the other table, in the game's
// folder; the chosen file, or an empty path.
HFile chooseOtherTable(HComponent* window, const RZEditData& document) {
    HFileChooser chooser;
    chooser.setOwner(handleOf(window));
    chooser.setTitle("比較する表を開く");
    chooser.setFilter(COMPARE_FILTER, static_cast<int>(sizeof COMPARE_FILTER));
    chooser.setFilterIndex(1);
    std::string folder = RZGameDirectory::path();
    if (folder.empty() || !HFile(folder).exists()) {
        folder = document.tablePath().directory();
    }
    chooser.setInitialDirectory(folder.empty() ? "." : folder);
    HFile chosen;
    if (chooser.chooseOpenFile()) {
        chosen = chooser.getFile();
    }
    return chosen;
}

std::string refusalText(const RZEditData& document, const RZTableCompare::Taking& taking) {
    std::string text = "保存できない長さになる行があるため、取り込んでいません。\r\n";
    for (std::size_t i = 0; i < taking.tooLong.size() && i < REFUSAL_ROWS; ++i) {
        const RZMagic* entry = document.entryAt(taking.tooLong[i]);
        text += "\r\n" + std::to_string(entry->getRow()) + "行目 " + entry->getName();
    }
    return text;
}

// The taken values as one undo step, whose undo and redo select the first row
// it changed; shown with the selection kept.
void takeValues(HComponent* window, RZEditData* document, const RZTableCompare::Taking& taking) {
    if (taking.positions.empty()) {
        return;
    }
    document->history().record(*document, taking.positions, taking.positions.front(), [&] {
        for (std::size_t i = 0; i < taking.positions.size(); ++i) {
            document->entryAt(taking.positions[i])->setValues(taking.values[i]);
        }
        return true;
    });
    // Values only: the picture and the characters of the shown row stay.
    RZDisplay display;
    display.refreshRows(window, document);
    display.refreshForm(window, document);
    updateCommandStates(window, document);
}

} // namespace

bool compareWithTable(HComponent* window, const HFile& file) {
    HWindow* owner = dynamic_cast<HWindow*>(window);
    RZEditData* document = documentOf(window);
    if (owner == nullptr || document == nullptr || !document->hasTable()) {
        return false;
    }
    std::vector<RZTableCompare::Level> other;
    if (!readOtherTable(file, *document, &other)) {
        HLOG_INFO(SOURCE, 3805, "compareWithTable:read error");
        ask(window, "比較する表を読み込めませんでした。\r\n" + file.fullPath(), COMPARE_CAPTION,
            MB_OK | MB_ICONWARNING);
        return false;
    }
    Comparison comparison = compareTables(*document, other);
    if (comparison.lines.empty()) {
        ask(window, "違いはありません。", COMPARE_CAPTION, MB_OK | MB_ICONINFORMATION);
        return true;
    }
    RZTableCompareDialog dialog(owner, std::move(other));
    dialog.showLines(std::move(comparison.lines), std::move(comparison.rows));
    if (showModal(dialog) == IDOK) {
        selectPosition(window, document, dialog.chosenPosition());
    }
    return true;
}

bool RZOP0037(HComponent* window) {
    HLOG_START(SOURCE, 3800, "RZOP0037");
    bool result = false;
    RZEditData* document = documentOf(window);
    if (document != nullptr && document->hasTable()) {
        const HFile chosen = chooseOtherTable(window, *document);
        result = !chosen.isEmpty() && compareWithTable(window, chosen);
    }
    HLOG_END(SOURCE, 3810, "RZOP0037");
    return result;
}

bool takeCheckedChanges(HComponent* target) {
    HLOG_START(SOURCE, 3820, "takeCheckedChanges");
    bool result = false;
    RZTableCompareDialog* dialog = dynamic_cast<RZTableCompareDialog*>(target);
    HComponent* window = dialog != nullptr ? dialog->getOwner() : nullptr;
    RZEditData* document = documentOf(window);
    const std::vector<RZTableCompare::Line> chosen =
        dialog != nullptr ? dialog->checkedLines() : std::vector<RZTableCompare::Line>();
    if (document != nullptr && !chosen.empty()) {
        const RZTableCompare::Taking taking =
            RZTableCompare::take(RZTableCompare::levelsOf(*document), dialog->otherTable(), chosen);
        if (!taking.allowed()) {
            ask(dialog, refusalText(*document, taking), COMPARE_CAPTION, MB_OK | MB_ICONWARNING);
        } else {
            takeValues(window, document, taking);
            result = true;
            // What is left to take; the lines kept keep their checks.
            Comparison left = compareTables(*document, dialog->otherTable());
            if (left.lines.empty()) {
                RZOP0029(dialog);
            } else {
                dialog->showLines(std::move(left.lines), std::move(left.rows));
            }
        }
    }
    HLOG_END(SOURCE, 3830, "takeCheckedChanges");
    return result;
}

bool checkAllChanges(HComponent* target, bool checked) {
    RZTableCompareDialog* dialog = dynamic_cast<RZTableCompareDialog*>(target);
    if (dialog == nullptr) {
        return false;
    }
    dialog->checkAll(checked);
    return true;
}
