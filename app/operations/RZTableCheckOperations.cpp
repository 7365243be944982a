// The table check, with the chosen sounds copied where the game looks for them.
#include "app/data/RZEditData.h"
#include "app/data/RZMagic.h"
#include "app/data/RZSpellFields.h"
#include "app/data/RZTableCheck.h"
#include "app/operations/RZOperations.h"
#include "app/operations/RZOperationsCommon.h"
#include "app/views/RZTableCheckDialog.h"
#include "support/HDebug.h"
#include "support/HFile.h"
#include "support/HFileReader.h"
#include "support/HFileReplacement.h"
#include "toolkit/HComponent.h"

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

using namespace rzops;

namespace {

const char CHECK_CAPTION[] = "表のチェック";
const char NOTHING_FOUND[] = "問題は見つかりませんでした。";

bool fileExists(const HFile& file) {
    return file.exists();
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
