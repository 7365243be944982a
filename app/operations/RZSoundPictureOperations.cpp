// Sound and picture operations: playing the spell's sound, choosing another
// sound file and replacing the spell's picture.
#include "app/data/RZEditData.h"
#include "app/data/RZMagic.h"
#include "app/operations/RZOperations.h"
#include "app/operations/RZOperationsCommon.h"
#include "app/views/RZDisplay.h"
#include "app/views/RZIds.h"
#include "app/views/RZWindow.h"
#include "sound/HWavePlayer.h"
#include "sound/HWaveSource.h"
#include "support/HDebug.h"
#include "support/HFile.h"
#include "toolkit/HComponent.h"
#include "toolkit/HFileChooser.h"

#include <windows.h>

#include <string>
#include <vector>

using namespace rzops;

namespace {

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
    HFileChooser chooser;
    chooser.setOwner(window->getHandle());
    chooser.setInitialDirectory(folder);
    chooser.setFilter(filter, length);
    HFile chosen;
    if (chooser.chooseOpenFile()) {
        chosen = chooser.getFile();
    }
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
    HComponent* soundEdit = window != nullptr ? window->findById(IDC_SOUND) : nullptr;
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
        RZWindow* editor = dynamic_cast<RZWindow*>(window);
        HWavePlayer* player = editor != nullptr ? editor->getWavePlayer() : nullptr;
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
            // The chosen file and the name it puts in every level are one step.
            recordSpellStep(document, entry, [&] {
                entry->setSoundReplacement(chosen);
                document->shareSpellFields(entry, RZEditData::SHARE_SOUND_FILE);
                // The table keeps the name only, up to its first ".". The
                // listeners are on, so the edit box's change stores it in
                // every level, inside this step.
                std::string name = chosen.name();
                std::string::size_type dot = name.find('.');
                if (dot != std::string::npos) {
                    name.erase(dot);
                }
                HComponent* soundEdit = window->findById(IDC_SOUND);
                if (soundEdit != nullptr) {
                    soundEdit->setText(name);
                }
                return true;
            });
            updateCommandStates(window, document);
        }
        focusControl(window, IDC_SOUND_CHOOSE);
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
            recordSpellStep(document, entry, [document, entry, &chosen] {
                entry->setPictureReplacement(chosen);
                document->shareSpellFields(entry, RZEditData::SHARE_PICTURE_FILE);
                return true;
            });
            updateCommandStates(window, document);
            RZDisplay display;
            display.refreshPicture(window);
        }
        focusControl(window, IDC_PICTURE_REPLACE);
    }
    HLOG_END(SOURCE, 1360, "RZOP0013");
    return false;
}
