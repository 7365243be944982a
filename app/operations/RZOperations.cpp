#include "app/operations/RZOperations.h"

#include "app/data/RZEditData.h"
#include "app/data/RZMagic.h"
#include "app/data/RZMagicLoader.h"
#include "app/views/RZDisplay.h"
#include "app/views/RZVersion.h"
#include "sound/HWavePlayer.h"
#include "sound/HWaveSource.h"
#include "support/HDebug.h"
#include "support/HFile.h"
#include "toolkit/HComponent.h"
#include "toolkit/HDialog.h"
#include "toolkit/HFileChooser.h"
#include "toolkit/HMenuItem.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// Journal lines of the operations carry fixed line numbers of their own, so the
// log reads the same whatever this file looks like.

namespace {

const char* const SOURCE = "RZOperations";

RZEditData* documentOf(HComponent* window) {
    return window != nullptr ? RZEditData::getInstance(window->getHandle()) : nullptr;
}

HWND handleOf(HComponent* window) {
    return window != nullptr ? window->getHandle() : nullptr;
}

int ask(HComponent* window, const std::string& text, const char* caption, UINT type) {
    return MessageBoxA(handleOf(window), text.c_str(), caption, type);
}

// The sound list always lies beside the table, named "SoundFileName"; a table
// chosen under that very name is written as "MagicTable" instead, so the two
// files never coincide.
HFile soundBeside(HFile& table) {
    HFile sound;
    sound.setDirectory(table.directory());
    sound.setName("SoundFileName");
    if (table.name() == "SoundFileName") {
        table.setName("MagicTable");
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

// A save-file chooser shown without an owner; true with the chosen path.
bool chooseSavePath(const std::string& initialDirectory, HFile* chosen) {
    HFileChooser* chooser = new HFileChooser();
    chooser->setInitialDirectory(initialDirectory);
    bool picked = chooser->chooseSaveFile();
    if (picked) {
        *chosen = chooser->getFile();
    }
    delete chooser;
    return picked;
}

// Loads the tables into the document with a loader made for the one call.
// A failed load logs the note and clears every flag: nothing counts as loaded.
bool loadOrForget(const HFile& table, const HFile& sound, RZEditData* document, int line,
                  const char* note) {
    RZMagicLoader* loader = new RZMagicLoader();
    bool loaded = loader->load(table, sound, document);
    delete loader;
    if (!loaded) {
        HLOG_INFO(SOURCE, line, note);
        document->setFlags(0);
    }
    return loaded;
}

// Refills the list and the title after a file operation.
void showDocument(HComponent* window, RZEditData* document) {
    RZDisplay* display = new RZDisplay();
    display->showTable(window, document);
    display->updateTitle(window, document);
    delete display;
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
    HFile table;
    HFile sound;
    if (document->testFlags(RZEditData::FLAG_NEW)) {
        if (!chooseSavePath(document->tablePath().directory(), &table)) {
            answer = IDCANCEL;
        } else {
            sound = soundBeside(table);
            answer = ask(window,
                         tableLine(table) + "\r\n" + soundLine(sound) + "\r\n\r\n" +
                             "以上の通りファイルを保存します。",
                         caption, MB_OKCANCEL | MB_ICONQUESTION);
        }
    } else if (document->testFlags(RZEditData::FLAG_STOCK_SOUND)) {
        table = document->tablePath();
        if (anySoundChanged(document)) {
            sound = soundBeside(table);
            answer = ask(window,
                         tableLine(table) + "\r\n" + soundLine(sound) + "\r\n\r\n" +
                             "SoundFileNameファイルを作成しますか？\r\n",
                         caption, MB_YESNOCANCEL | MB_ICONQUESTION);
            if (answer == IDNO) {
                sound = HFile();
            }
        }
    } else {
        table = document->tablePath();
        sound = document->soundPath();
    }
    if (answer != IDCANCEL) {
        RZMagicLoader* loader = new RZMagicLoader();
        if (!loader->save(table, sound, document)) {
            HLOG_INFO(SOURCE, 2160, "RZOP0002:save error");
            ask(window, "ファイルの保存に失敗しました。", caption, MB_OK | MB_ICONEXCLAMATION);
            // The caller must not throw the unsaved data away.
            answer = IDCANCEL;
        }
        if (sound.fullPath().empty()) {
            document->setSoundPath(document->defaultSoundPath());
        }
        delete loader;
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

bool RZOP0002(HComponent* window, unsigned id) {
    HLOG_START(SOURCE, 200, "RZOP0002");
    bool result = false;
    // Only the data-set items of the File menu carry a directory.
    HMenuItem* item = window != nullptr
                          ? dynamic_cast<HMenuItem*>(window->findById(static_cast<int>(id)))
                          : nullptr;
    const std::string* directory =
        item != nullptr ? static_cast<const std::string*>(item->getUserObject()) : nullptr;
    RZEditData* document = directory != nullptr ? documentOf(window) : nullptr;
    if (document != nullptr && saveHasEdited(window, document, "開く") != IDCANCEL) {
        HFile table(*directory + "\\Data\\MagicTable");
        HFile sound(*directory + "\\Data\\SoundFileName");
        std::uint32_t flags = RZEditData::FLAG_OPENED;
        int answer = IDOK;
        RZMagicLoader* loader = new RZMagicLoader();
        if (table.exists()) {
            if (!sound.exists()) {
                flags |= RZEditData::FLAG_STOCK_SOUND;
                sound = document->defaultSoundPath();
            }
            if (loader->load(table, sound, document)) {
                result = true;
            } else {
                HLOG_INFO(SOURCE, 240, "RZOP0002:load error");
                flags = 0;
            }
        } else {
            answer = ask(window, "MagicTableがありません。作成しますか？", "開く",
                         MB_OKCANCEL | MB_ICONEXCLAMATION);
            if (answer == IDOK) {
                // Nothing is written now; the next save writes both files here.
                loader->createDefault(document);
                document->setTablePath(table);
                document->setSoundPath(sound);
                result = true;
            }
        }
        delete loader;
        if (answer != IDCANCEL) {
            document->setFlags(0);
            document->setFlags(flags);
            showDocument(window, document);
        }
    }
    HLOG_END(SOURCE, 280, "RZOP0002");
    return result;
}

bool RZOP0003(HComponent* window) {
    HLOG_START(SOURCE, 300, "RZOP0003");
    bool result = false;
    if (window != nullptr) {
        RZDisplay* display = new RZDisplay();
        display->showEntry(window, documentOf(window));
        delete display;
        result = true;
    }
    HLOG_END(SOURCE, 310, "RZOP0003");
    return result;
}

bool RZOP0005(HComponent* window) {
    HLOG_START(SOURCE, 500, "RZOP0005");
    bool result = false;
    RZEditData* document = documentOf(window);
    if (document != nullptr && saveHasEdited(window, document, "開く") != IDCANCEL) {
        HFileChooser* chooser = new HFileChooser();
        chooser->setOwner(window->getHandle());
        HFile current = document->tablePath();
        HFile folder = current.exists() ? current.parent() : document->defaultTablePath().parent();
        chooser->setInitialDirectory(folder.fullPath());
        if (chooser->chooseOpenFile()) {
            HFile table = chooser->getFile();
            HFile sound(table.parent().fullPath() + "\\SoundFileName");
            std::uint32_t flags = RZEditData::FLAG_OPENED;
            if (!sound.exists()) {
                flags |= RZEditData::FLAG_STOCK_SOUND;
                sound = document->defaultSoundPath();
            }
            if (loadOrForget(table, sound, document, 530, "_RZOP0002_OpenFileById:load error")) {
                document->setFlags(0);
                document->setFlags(flags);
                result = true;
            }
            showDocument(window, document);
        }
        delete chooser;
    }
    HLOG_END(SOURCE, 560, "RZOP0005");
    return result;
}

namespace {

int navigate(HComponent* window, int direction) {
    if (window != nullptr) {
        RZDisplay* display = new RZDisplay();
        display->moveSelection(window, direction);
        delete display;
    }
    return 0;
}

} // namespace

int RZOP0006(HComponent* window) {
    HLOG_START(SOURCE, 600, "RZOP0006");
    int result = navigate(window, RZDisplay::DIRECTION_PREVIOUS);
    HLOG_END(SOURCE, 610, "RZOP0006");
    return result;
}

int RZOP0007(HComponent* window) {
    HLOG_START(SOURCE, 700, "RZOP0007");
    int result = navigate(window, RZDisplay::DIRECTION_NEXT);
    HLOG_END(SOURCE, 710, "RZOP0007");
    return result;
}

int RZOP0008(HComponent* window) {
    HLOG_START(SOURCE, 800, "RZOP0008");
    int result = navigate(window, RZDisplay::DIRECTION_FIRST);
    HLOG_END(SOURCE, 810, "RZOP0008");
    return result;
}

int RZOP0009(HComponent* window) {
    HLOG_START(SOURCE, 900, "RZOP0009");
    int result = navigate(window, RZDisplay::DIRECTION_LAST);
    HLOG_END(SOURCE, 910, "RZOP0009");
    return result;
}

int RZOP0010(HComponent* window, HComponent* control) {
    HLOG_START(SOURCE, 1000, "RZOP0010");
    if (window != nullptr && control != nullptr) {
        RZDisplay* display = new RZDisplay();
        display->storeEntry(window, control, documentOf(window));
        delete display;
    }
    HLOG_END(SOURCE, 1010, "RZOP0010");
    return 0;
}

int RZOP0011(HComponent* window, int row) {
    HLOG_START(SOURCE, 1100, "RZOP0011");
    if (window != nullptr && row >= 0) {
        RZDisplay* display = new RZDisplay();
        display->refreshRow(window, row);
        delete display;
    }
    HLOG_END(SOURCE, 1110, "RZOP0011");
    return 0;
}

bool RZOP0014(HComponent* window) {
    HLOG_START(SOURCE, 1400, "RZOP0014");
    bool result = false;
    RZEditData* document = documentOf(window);
    RZMagic* entry = document != nullptr ? document->shownEntry() : nullptr;
    if (entry != nullptr) {
        entry->revert();
        // The spell's other levels share these; their own numbers stay.
        for (std::uint32_t i = 0; i < document->count(); ++i) {
            RZMagic* other = document->entryAt(i);
            if (other == entry || other->getIndex() != entry->getIndex()) {
                continue;
            }
            other->setName(entry->getName());
            other->setTarget(entry->getTarget());
            other->setDescription(entry->getDescription());
            other->setSound(entry->getSound());
            other->setSoundReplacement(entry->getSoundReplacement());
            other->setPictureReplacement(entry->getPictureReplacement());
        }
        RZDisplay* display = new RZDisplay();
        display->showEntry(window, document);
        delete display;
        result = true;
    }
    HLOG_END(SOURCE, 1430, "RZOP0014");
    return result;
}

bool RZOP0015(HComponent* window) {
    HLOG_START(SOURCE, 1500, "RZOP0015");
    bool result = false;
    RZEditData* document = documentOf(window);
    HFile table;
    if (document != nullptr && chooseSavePath(document->tablePath().directory(), &table)) {
        HFile sound = soundBeside(table);
        int answer = ask(window,
                         tableLine(table) + "\r\n" + soundLine(sound) + "\r\n" +
                             "以上の通りファイルを保存します。よろしいですか？",
                         "名前をつけて保存", MB_OKCANCEL | MB_ICONQUESTION);
        if (answer == IDOK) {
            RZMagicLoader* loader = new RZMagicLoader();
            bool saved = loader->save(table, sound, document);
            delete loader;
            if (!saved) {
                HLOG_INFO(SOURCE, 1530, "RZOP0015:save error");
            } else if (loadOrForget(table, sound, document, 1540, "RZOP0015:reload error")) {
                document->setFlags(0);
                document->setFlags(RZEditData::FLAG_OPENED);
                result = true;
            }
            showDocument(window, document);
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
        int answer = IDOK;
        HFile table;
        HFile sound;
        if (document->testFlags(RZEditData::FLAG_NEW)) {
            if (!chooseSavePath(document->tablePath().directory(), &table)) {
                answer = IDCANCEL;
            } else {
                sound = soundBeside(table);
                answer = ask(window,
                             tableLine(table) + "\r\n" + soundLine(sound) + "\r\n" +
                                 "以上の通りファイルを保存します。よろしいですか？",
                             "新規作成ファイルの保存", MB_OKCANCEL | MB_ICONQUESTION);
                if (answer == IDOK) {
                    document->clearFlags(RZEditData::FLAG_NEW);
                    document->setFlags(RZEditData::FLAG_OPENED);
                }
            }
        } else if (document->testFlags(RZEditData::FLAG_STOCK_SOUND)) {
            table = document->tablePath();
            if (anySoundChanged(document)) {
                sound = soundBeside(table);
                answer = ask(window,
                             tableLine(table) + "\r\n" + soundLine(sound) + "\r\n\r\n" +
                                 "SoundFileNameファイルを作成しますか？\r\n",
                             "SoundFileNameファイルの新規作成", MB_YESNOCANCEL | MB_ICONQUESTION);
                if (answer == IDNO) {
                    sound = HFile();
                } else if (answer == IDYES) {
                    document->clearFlags(RZEditData::FLAG_STOCK_SOUND);
                }
            }
        } else {
            table = document->tablePath();
            sound = document->soundPath();
        }
        if (answer == IDCANCEL) {
            document->setFlags(0);
            document->setFlags(remembered);
        } else {
            RZMagicLoader* loader = new RZMagicLoader();
            bool saved = loader->save(table, sound, document);
            delete loader;
            if (!saved) {
                HLOG_INFO(SOURCE, 1650, "RZOP0016:save error");
                document->setFlags(0);
                document->setFlags(remembered);
            } else {
                if (sound.fullPath().empty()) {
                    sound = document->defaultSoundPath();
                }
                // Read back, so the list shows what is on disk and every
                // entry's baseline equals it.
                result = loadOrForget(table, sound, document, 1660, "RZOP0016:reload error");
            }
            showDocument(window, document);
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
        showDocument(window, document);
    }
    HLOG_END(SOURCE, 1740, "RZOP0017");
    return result;
}

bool RZOP0019(HComponent* window) {
    HLOG_START(SOURCE, 1900, "RZOP0019");
    bool result = false;
    RZEditData* document = documentOf(window);
    if (document != nullptr && saveHasEdited(window, document, "新規作成") != IDCANCEL) {
        RZMagicLoader* loader = new RZMagicLoader();
        loader->createDefault(document);
        delete loader;
        document->setFlags(0);
        document->setFlags(RZEditData::FLAG_NEW);
        showDocument(window, document);
        result = true;
    }
    HLOG_END(SOURCE, 1920, "RZOP0019");
    return result;
}

// Sound, picture and dialog operations.

namespace {

const int ID_SOUND_EDIT = 126;
const int ID_SOUND_CHOOSE = 127;
const int ID_PLAY_TEST = 128;
const int ID_PICTURE_REPLACE = 130;

// Description and pattern pairs, each ended by a zero byte, the list by a second
// one (the literal's own terminator): 47 bytes each.
const char SOUND_FILTER[] = "wave音源 {*.wav}\0*.wav\0すべてのﾌｧｲﾙ {*.*}\0*.*\0";
const char PICTURE_FILTER[] = "ﾋﾞｯﾄﾏｯﾌﾟ {*.bmp}\0*.bmp\0すべてのﾌｧｲﾙ {*.*}\0*.*\0";
static_assert(sizeof(SOUND_FILTER) == 47 && sizeof(PICTURE_FILTER) == 47,
              "the choosers' filters are 47 bytes of Shift-JIS");

// How long the play test waits for a stopped sound to release the device.
const DWORD STOP_WAIT_MS = 3000;

// G: the folder two levels above a file, as a full path ("" when there is none).
std::string gameFolderOf(const HFile& file) {
    if (file.isEmpty()) {
        return std::string();
    }
    return file.parent().parent().fullPath();
}

// The folder named name inside the game folder G of file, or an empty path.
HFile gameSubfolder(const HFile& file, const char* name) {
    std::string game = gameFolderOf(file);
    return game.empty() ? HFile() : HFile(game + "\\" + name);
}

// Where a chooser for the entry's sound or picture opens: the folder of the
// file chosen last time, the game's folder, the stock folder, else ".".
std::string chooserFolder(const HFile& replacement, const HFile& source, const HFile& stockTable,
                          const char* folderName) {
    if (!replacement.isEmpty()) {
        HFile last = replacement.parent();
        if (last.exists()) {
            return last.fullPath();
        }
    }
    if (source.exists()) {
        HFile game = gameSubfolder(source, folderName);
        if (game.exists()) {
            return game.fullPath();
        }
    }
    HFile stockGame = stockTable.isEmpty() ? HFile() : stockTable.parent().parent();
    if (stockGame.exists()) {
        HFile stock = HFile(stockGame.fullPath() + "\\" + folderName);
        if (stock.exists()) {
            return stock.fullPath();
        }
    }
    return ".";
}

// Runs an open-file chooser owned by the window; the chosen file, or an empty path.
HFile chooseFile(HComponent* window, const std::string& folder, const char* filter, int length) {
    HFileChooser* chooser = new HFileChooser();
    chooser->setOwner(window->getHandle());
    chooser->setInitialDirectory(folder);
    chooser->setFilter(filter, length);
    HFile chosen;
    if (chooser->chooseOpenFile()) {
        chosen = chooser->getFile();
    }
    delete chooser;
    return chosen;
}

void focusControl(HComponent* window, int id) {
    HComponent* control = window->findById(id);
    if (control != nullptr) {
        control->requestFocus();
    }
}

// A running sound keeps its device (and the source's data) until the device has
// reported its close: stop it and let only the wave-out messages through, so
// the source can take the next file.
void stopAndWait(HWavePlayer* player, HWND owner) {
    if (!player->isPlaying()) {
        return;
    }
    player->stopPlay();
    DWORD start = GetTickCount();
    while (player->isPlaying() && GetTickCount() - start < STOP_WAIT_MS) {
        MSG msg;
        if (PeekMessageA(&msg, owner, MM_WOM_OPEN, MM_WOM_DONE, PM_REMOVE)) {
            DispatchMessageA(&msg);
        } else {
            Sleep(10);
        }
    }
}

} // namespace

bool RZOP0004(HComponent* window) {
    HLOG_START(SOURCE, 400, "RZOP0004");
    bool result = false;
    RZEditData* document = documentOf(window);
    HComponent* soundEdit = window != nullptr ? window->findById(ID_SOUND_EDIT) : nullptr;
    if (document != nullptr && soundEdit != nullptr) {
        std::string name = soundEdit->getText();
        std::string fileName = name + ".wav";
        // The folder of the sound last chosen for this spell, the game's sounds,
        // the stock sounds; a place that is not known is not tried.
        std::vector<HFile> candidates;
        RZMagic* entry = document->shownEntry();
        if (entry != nullptr && !entry->getSoundReplacement().isEmpty()) {
            candidates.push_back(HFile(entry->getSoundReplacement().directory() + "\\" + fileName));
        }
        std::string game = gameFolderOf(document->tablePath());
        if (!game.empty()) {
            candidates.push_back(HFile(game + "\\Music&Sound\\" + fileName));
        }
        std::string stock = gameFolderOf(document->defaultTablePath());
        if (!stock.empty()) {
            candidates.push_back(HFile(stock + "\\Music&Sound\\" + fileName));
        }
        HFile found;
        for (const HFile& candidate : candidates) {
            if (candidate.exists()) {
                found = candidate;
                break;
            }
        }
        HComponent* button = window->findById(ID_PLAY_TEST);
        HWavePlayer* player =
            button != nullptr ? static_cast<HWavePlayer*>(button->getUserObject()) : nullptr;
        if (found.isEmpty()) {
            std::string last = candidates.empty() ? fileName : candidates.back().fullPath();
            HDebug::debug("file not exist path=%s", last.c_str());
        } else if (player != nullptr) {
            stopAndWait(player, window->getHandle());
            player->getSource()->loadFromFile(found);
            player->startPlay();
            result = true;
        }
    }
    HLOG_END(SOURCE, 440, "RZOP0004");
    return result;
}

bool RZOP0012(HComponent* window) {
    HLOG_START(SOURCE, 1200, "RZOP0012");
    RZEditData* document = documentOf(window);
    RZMagic* entry = document != nullptr ? document->shownEntry() : nullptr;
    if (entry != nullptr) {
        std::string folder = chooserFolder(entry->getSoundReplacement(), entry->getSource(),
                                           document->defaultTablePath(), "Music&Sound");
        HFile chosen = chooseFile(window, folder, SOUND_FILTER, sizeof(SOUND_FILTER));
        if (!chosen.isEmpty()) {
            for (std::uint32_t i = 0; i < document->count(); ++i) {
                RZMagic* other = document->entryAt(i);
                if (other == entry || other->getIndex() == entry->getIndex()) {
                    other->setSoundReplacement(chosen);
                }
            }
            // The table keeps the name only, up to its first ".". The listeners
            // are on, so the edit box's change stores it in every level.
            std::string name = chosen.name();
            std::string::size_type dot = name.find('.');
            if (dot != std::string::npos) {
                name.erase(dot);
            }
            HComponent* soundEdit = window->findById(ID_SOUND_EDIT);
            if (soundEdit != nullptr) {
                soundEdit->setText(name);
            }
        }
        focusControl(window, ID_SOUND_CHOOSE);
    }
    HLOG_END(SOURCE, 1260, "RZOP0012");
    return false;
}

bool RZOP0013(HComponent* window) {
    HLOG_START(SOURCE, 1300, "RZOP0013");
    RZEditData* document = documentOf(window);
    RZMagic* entry = document != nullptr ? document->shownEntry() : nullptr;
    if (entry != nullptr) {
        HDebug::debug("path:%s", entry->getPictureReplacement().parent().fullPath().c_str());
        std::string folder = chooserFolder(entry->getPictureReplacement(), entry->getSource(),
                                           document->defaultTablePath(), "Picture");
        HFile chosen = chooseFile(window, folder, PICTURE_FILTER, sizeof(PICTURE_FILTER));
        if (!chosen.isEmpty()) {
            for (std::uint32_t i = 0; i < document->count(); ++i) {
                RZMagic* other = document->entryAt(i);
                if (other == entry || other->getIndex() == entry->getIndex()) {
                    other->setPictureReplacement(chosen);
                }
            }
            RZDisplay* display = new RZDisplay();
            display->refreshPicture(window);
            delete display;
        }
        focusControl(window, ID_PICTURE_REPLACE);
    }
    HLOG_END(SOURCE, 1360, "RZOP0013");
    return false;
}

bool RZOP0018(HComponent* window) {
    HLOG_START(SOURCE, 1800, "RZOP0018");
    // Only a window can own the box.
    HWindow* owner = dynamic_cast<HWindow*>(window);
    if (owner != nullptr) {
        RZVersion* dialog = new RZVersion(owner);
        dialog->showDialog();
        delete dialog;
    }
    HLOG_END(SOURCE, 1810, "RZOP0018");
    return false;
}

bool RZOP0020(HComponent* window) {
    HLOG_START(SOURCE, 2000, "RZOP0020");
    bool result = false;
    if (window != nullptr && window->getKindName() == "Dialog") {
        HDialog* dialog = dynamic_cast<HDialog*>(window);
        if (dialog != nullptr) {
            dialog->setVisible(false);
            // Ends the modal loop of showDialog.
            dialog->setResult(1);
            result = true;
        }
    }
    HLOG_END(SOURCE, 2010, "RZOP0020");
    return result;
}
