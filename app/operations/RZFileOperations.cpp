// File operations: new, open through a chooser, reload, save, save as, exit,
// and the question asked before a changed table is given up.
#include "app/data/RZEditData.h"
#include "app/data/RZMagic.h"
#include "app/data/RZMagicLoader.h"
#include "app/data/RZTableFileNames.h"
#include "app/operations/RZOperations.h"
#include "app/operations/RZOperationsCommon.h"
#include "support/HDebug.h"
#include "support/HFile.h"
#include "toolkit/HComponent.h"
#include "toolkit/HFileChooser.h"

#include <windows.h>

#include <cstdint>
#include <string>

using namespace rzops;

namespace {

// Every save that fails says so with this text, whichever command started it.
const char SAVE_FAILED[] = "ファイルの保存に失敗しました。";

// The sound list always lies beside the table, named "SoundFileName"; a table
// chosen under that very name is written as "MagicTable" instead, so the two
// files never coincide.
HFile soundBeside(HFile& table) {
    HFile sound;
    sound.setDirectory(table.directory());
    sound.setName(SOUND_FILE_NAME);
    if (table.name() == SOUND_FILE_NAME) {
        table.setName(TABLE_FILE_NAME);
    }
    return sound;
}

std::string tableLine(const HFile& table) {
    return "MagicTableファイル ->\r\n    " + table.fullPath();
}

std::string soundLine(const HFile& sound) {
    return "SoundFileNameファイル ->\r\n    " + sound.fullPath();
}

bool anySoundChanged(RZEditData* document) {
    for (std::uint32_t i = 0; i < document->count(); ++i) {
        RZMagic* entry = document->entryAt(i);
        if (entry->getSound() != entry->baseline().getSound()) {
            return true;
        }
    }
    return false;
}

// A save-file chooser over the window (which it keeps disabled while open),
// offering the table's usual name; true with the chosen path.
bool chooseSavePath(HComponent* window, const std::string& initialDirectory, HFile* chosen) {
    HFileChooser chooser;
    chooser.setOwner(handleOf(window));
    chooser.setTitle("名前を付けて保存");
    chooser.setFileName(TABLE_FILE_NAME);
    chooser.setInitialDirectory(initialDirectory);
    bool picked = chooser.chooseSaveFile();
    if (picked) {
        *chosen = chooser.getFile();
    }
    return picked;
}

// Where a save of the document writes, and the user's answer to the question
// its state asks (IDOK when none was asked, IDCANCEL to stop).
struct SavePlan {
    int answer = IDOK;
    HFile table;
    // Empty: the sound list is not written (the table keeps the stock one).
    HFile sound;
};

// The questions of a save differ between the save inside another operation
// and Save itself; the decision does not.
struct SaveQuestions {
    // Follows the two paths of a new table's files.
    const char* newConfirm;
    const char* newCaption;
    const char* stockSoundCaption;
};

// A new table asks for its path and confirms both files; a table that uses the
// stock sound list asks whether to create its own when a sound changed (no:
// only the table is written); any other table is written where it came from.
SavePlan planSave(HComponent* window, RZEditData* document, const SaveQuestions& questions) {
    SavePlan plan;
    if (document->testFlags(RZEditData::FLAG_NEW)) {
        if (!chooseSavePath(window, document->tablePath().directory(), &plan.table)) {
            plan.answer = IDCANCEL;
        } else {
            plan.sound = soundBeside(plan.table);
            plan.answer = ask(window,
                              tableLine(plan.table) + "\r\n" + soundLine(plan.sound) + "\r\n" +
                                  questions.newConfirm,
                              questions.newCaption, MB_OKCANCEL | MB_ICONQUESTION);
        }
    } else if (document->testFlags(RZEditData::FLAG_STOCK_SOUND)) {
        plan.table = document->tablePath();
        if (anySoundChanged(document)) {
            plan.sound = soundBeside(plan.table);
            plan.answer = ask(window,
                              tableLine(plan.table) + "\r\n" + soundLine(plan.sound) + "\r\n\r\n" +
                                  "SoundFileNameファイルを作成しますか？\r\n",
                              questions.stockSoundCaption, MB_YESNOCANCEL | MB_ICONQUESTION);
            if (plan.answer == IDNO) {
                plan.sound = HFile();
            }
        }
    } else {
        plan.table = document->tablePath();
        plan.sound = document->soundPath();
    }
    return plan;
}

// A save that could not keep the files it replaced still saved: the user is
// told once, after it.
void reportBackup(HComponent* window, const RZMagicLoader& loader) {
    if (loader.backupFailed()) {
        ask(window, "バックアップを作成できませんでした。", "上書き保存",
            MB_OK | MB_ICONINFORMATION);
    }
}

} // namespace

int saveHasEdited(HComponent* window, RZEditData* document, const char* caption) {
    HLOG_START(SOURCE, 2100, "saveHasEdited");
    if (document == nullptr) {
        HLOG_INFO(SOURCE, 2105, "saveHasEdited:error param");
        HLOG_END(SOURCE, 2190, "saveHasEdited");
        return IDCANCEL;
    }
    if (!document->hasChanged()) {
        HLOG_END(SOURCE, 2190, "saveHasEdited");
        return IDOK;
    }
    int answer = ask(window, "現在のデータは更新されています。保存しますか？", caption,
                     MB_YESNOCANCEL | MB_ICONEXCLAMATION);
    if (answer == IDNO || answer == IDCANCEL) {
        HLOG_END(SOURCE, 2190, "saveHasEdited");
        return answer;
    }
    const SaveQuestions questions = {"\r\n以上の通りファイルを保存します。", caption, caption};
    SavePlan plan = planSave(window, document, questions);
    answer = plan.answer;
    if (answer != IDCANCEL) {
        RZMagicLoader loader;
        if (!loader.save(plan.table, plan.sound, document)) {
            HLOG_INFO(SOURCE, 2160, "RZOP0002:save error");
            ask(window, SAVE_FAILED, caption, MB_OK | MB_ICONEXCLAMATION);
            // The caller must not throw the unsaved data away.
            answer = IDCANCEL;
        } else {
            reportBackup(window, loader);
        }
        if (plan.sound.fullPath().empty()) {
            document->setSoundPath(document->defaultSoundPath());
        }
    }
    HLOG_END(SOURCE, 2190, "saveHasEdited");
    return answer;
}

bool RZOP0001(HComponent* window) {
    HLOG_START(SOURCE, 100, "RZOP0001");
    bool result = false;
    if (window != nullptr) {
        RZEditData* document = documentOf(window);
        if (saveHasEdited(window, document, "プログラムの終了") != IDCANCEL) {
            HWND handle = window->getHandle();
            if (DestroyWindow(handle)) {
                RZEditData::release(handle);
                result = true;
            }
        }
    }
    HLOG_END(SOURCE, 120, "RZOP0001");
    return result;
}

bool RZOP0005(HComponent* window) {
    HLOG_START(SOURCE, 500, "RZOP0005");
    bool result = false;
    RZEditData* document = documentOf(window);
    if (document != nullptr && saveHasEdited(window, document, "開く") != IDCANCEL) {
        HFileChooser chooser;
        chooser.setOwner(window->getHandle());
        HFile current = document->tablePath();
        HFile folder = current.exists() ? current.parent() : document->defaultTablePath().parent();
        chooser.setInitialDirectory(folder.fullPath());
        if (chooser.chooseOpenFile()) {
            HFile table = chooser.getFile();
            HFile sound(table.parent().fullPath() + "\\" + SOUND_FILE_NAME);
            std::uint32_t flags = RZEditData::FLAG_OPENED;
            if (!sound.exists()) {
                flags |= RZEditData::FLAG_STOCK_SOUND;
                sound = document->defaultSoundPath();
            }
            if (loadOrForget(table, sound, document, 530, "_RZOP0002_OpenFileById:load error")) {
                document->replaceFlags(flags);
                result = true;
            }
            showNewTable(window, document);
        }
    }
    HLOG_END(SOURCE, 560, "RZOP0005");
    return result;
}

bool RZOP0015(HComponent* window) {
    HLOG_START(SOURCE, 1500, "RZOP0015");
    bool result = false;
    RZEditData* document = documentOf(window);
    HFile table;
    if (document != nullptr && chooseSavePath(window, document->tablePath().directory(), &table)) {
        HFile sound = soundBeside(table);
        int answer = ask(window,
                         tableLine(table) + "\r\n" + soundLine(sound) + "\r\n" +
                             "以上の通りファイルを保存します。よろしいですか？",
                         "名前をつけて保存", MB_OKCANCEL | MB_ICONQUESTION);
        if (answer == IDOK) {
            RZMagicLoader loader;
            bool saved = loader.save(table, sound, document);
            if (!saved) {
                HLOG_INFO(SOURCE, 1530, "RZOP0015:save error");
            } else if (loadOrForget(table, sound, document, 1540, "RZOP0015:reload error")) {
                document->replaceFlags(RZEditData::FLAG_OPENED);
                result = true;
            }
            showDocument(window, document);
            if (saved) {
                reportBackup(window, loader);
            } else {
                // Told, as a failed save inside the questions is: the edits
                // stay and the table keeps its old place.
                ask(window, SAVE_FAILED, "名前をつけて保存", MB_OK | MB_ICONEXCLAMATION);
            }
        }
    }
    HLOG_END(SOURCE, 1560, "RZOP0015");
    return result;
}

bool RZOP0016(HComponent* window) {
    HLOG_START(SOURCE, 1600, "RZOP0016");
    bool result = false;
    RZEditData* document = documentOf(window);
    if (document != nullptr) {
        std::uint32_t remembered = document->flags();
        const SaveQuestions questions = {"以上の通りファイルを保存します。よろしいですか？",
                                         "新規作成ファイルの保存",
                                         "SoundFileNameファイルの新規作成"};
        const bool wasNew = document->testFlags(RZEditData::FLAG_NEW);
        const bool wasStockSound = !wasNew && document->testFlags(RZEditData::FLAG_STOCK_SOUND);
        SavePlan plan = planSave(window, document, questions);
        // The state the save leaves, once the user agreed: a new table is an
        // opened one, and a created sound list replaces the stock one.
        if (wasNew && plan.answer == IDOK) {
            document->clearFlags(RZEditData::FLAG_NEW);
            document->setFlags(RZEditData::FLAG_OPENED);
        } else if (wasStockSound && plan.answer == IDYES) {
            document->clearFlags(RZEditData::FLAG_STOCK_SOUND);
        }
        if (plan.answer == IDCANCEL) {
            document->replaceFlags(remembered);
        } else {
            RZMagicLoader loader;
            bool saved = loader.save(plan.table, plan.sound, document);
            if (!saved) {
                HLOG_INFO(SOURCE, 1650, "RZOP0016:save error");
                document->replaceFlags(remembered);
            } else {
                HFile sound = plan.sound;
                if (sound.fullPath().empty()) {
                    sound = document->defaultSoundPath();
                }
                // Read back, so the list shows what is on disk and every
                // entry's baseline equals it.
                result = loadOrForget(plan.table, sound, document, 1660, "RZOP0016:reload error");
            }
            showDocument(window, document);
            if (saved) {
                reportBackup(window, loader);
            } else {
                ask(window, SAVE_FAILED, "上書き保存", MB_OK | MB_ICONEXCLAMATION);
            }
        }
    }
    HLOG_END(SOURCE, 1680, "RZOP0016");
    return result;
}

bool RZOP0017(HComponent* window) {
    HLOG_START(SOURCE, 1700, "RZOP0017");
    bool result = false;
    RZEditData* document = documentOf(window);
    bool go = document != nullptr && !document->testFlags(RZEditData::FLAG_NEW);
    if (go && document->hasChanged()) {
        go = ask(window, "編集中のデータを破棄してファイルを読み込みます。", "再読込",
                 MB_OKCANCEL | MB_ICONEXCLAMATION) == IDOK;
    }
    if (go) {
        result = loadOrForget(document->tablePath(), document->soundPath(), document, 1720,
                              "RZOP0017:reload error");
        showNewTable(window, document);
    }
    HLOG_END(SOURCE, 1740, "RZOP0017");
    return result;
}

bool RZOP0019(HComponent* window) {
    HLOG_START(SOURCE, 1900, "RZOP0019");
    bool result = false;
    RZEditData* document = documentOf(window);
    if (document != nullptr && saveHasEdited(window, document, "新規作成") != IDCANCEL) {
        RZMagicLoader loader;
        loader.createDefault(document);
        document->replaceFlags(RZEditData::FLAG_NEW);
        showNewTable(window, document);
        result = true;
    }
    HLOG_END(SOURCE, 1920, "RZOP0019");
    return result;
}
