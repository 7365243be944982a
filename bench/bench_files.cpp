// Measures, inside the process, what the editor's file work costs next to plain
// file I/O of the same bytes, and how the loaders scale with long inputs.
//
// How scripts/bench.sh calls it: one run per invocation, under Wine with the
// project's prefix (scripts/wine-run.sh), several invocations whose figures the
// script takes the median of:
//     RZ_DEMO_DIR='Z:\...\demo' wine-run.sh bench_files.exe [game directory] [only]
// The game directory defaults to RZ_DEMO_DIR; "only" is open, save or scale
// (default: all three). Every figure is printed on stdout as one line
//     BENCH <name> <value>
// in milliseconds unless the name says otherwise; any other line is a remark.
//   open.editor_ms  the main window opening a data set from its File menu item
//                   (RZOP0002) until the first row is selected and painted. A
//                   round switches to a second data set (the next one listed
//                   with a MagicTable) and back to the first (the first with
//                   both tables), as a user going from one scenario to another
//                   does, so every open changes what the list and the form
//                   show; the figure is per open, half a round (with one data
//                   set, a round opens it again)
//   open.raw_ms     CreateFile/ReadFile of the files that the opens of a round
//                   read, per open: of each data set MagicTable, SoundFileName
//                   (the stock one when the set has none) and every CharacterData
//                   one level below the data set's directory, which the table
//                   load reads for the character list (the first row's picture,
//                   which the open reads too, is left out)
//   save.editor_ms  Ctrl+S (RZOP0016): both files written beside the old ones and
//                   moved over them, then read back and shown again
//   save.raw_ms     CreateFile/WriteFile/CloseHandle of the same bytes, then
//                   reading them and the CharacterData files back
//   open.ratio, save.ratio   editor / raw of this invocation
//   open.first_ms   the first open of the process, into the empty list (one run)
//   open.part.load_ms     RZMagicLoader::load alone (tables and characters)
//   open.part.show_ms     the list refilled and its first row shown in the form,
//                         painted (the same table every round)
//   open.part.entry_ms    the form, picture and character list of a row alone
//   open.part.repaint_ms  painting the whole window once
//   open.stage.<stage>_ms where the time of an open goes, from the same rounds
//                   taken again with the editor's stage clock (HStageClock) on:
//                   read (the two table files), parse, characters (reading
//                   the CharacterData files), stock (the stock table), list
//                   (refilling the spell list), select (selecting the first
//                   row, its event), form, picture, character-list, title (the
//                   title and the menu items' states), paint (what is painted
//                   after the command returns) and rest (what no stage holds);
//                   each the median over the rounds, per open
//   open.stage.whole_ms   the whole open in those rounds
//   save.part.write_ms    RZMagicLoader::save alone (no read-back, no refill)
//   tsv.export_ms   the table written as tab-separated text (what 175 does once
//                   the file is chosen: beside the file first, then moved)
//   tsv.write_raw_ms  CreateFile/WriteFile/CloseHandle of the same bytes
//   tsv.import_ms   that text read back (what 176 does: every row checked; the
//                   values are the table's own, so nothing changes)
//   tsv.read_raw_ms   CreateFile/ReadFile of the same bytes
//   scale.<input>.<size>_ms  the loader alone on a generated long input:
//                   magictable 10mb/100mb (RZMagicLoader::load), characterdata
//                   10k/100k (RZCharacters::readFile and a walk over all),
//                   wave 5mb/50mb (HWaveSource::loadFromFile), bmp 4000/16000
//                   (HImageLoader::loadImageFile of a 1-bit picture, resized;
//                   also bmp 1000, since the loader refuses sides past 4096)
//   scale.<input>.<size>_result  only when the loader failed or refused: its code
// Each operation runs once untimed (so the files are in the system's cache for
// editor and raw alike), then RZ_BENCH_ROUNDS times (default 7; at most 3 for
// the long inputs); the figure is the median of those rounds. With
// RZ_BENCH_VERBOSE set, every round's time is printed before each figure.
//
// The editor works on a copy of the game made under the bench folder
// (RZ_BENCH_DIR, default %TEMP%\rzbench-files), so saving never touches the demo
// game; the registry value naming the game directory is put back afterwards.
// The generated long inputs stay in that folder and are reused by later runs
// when their size matches. The debug log stays off: the process works in the
// bench folder, where no marker file lies.
#include "app/data/RZCharacters.h"
#include "app/data/RZEditData.h"
#include "app/data/RZMagicLoader.h"
#include "app/operations/RZOperations.h"
#include "app/views/RZDisplay.h"
#include "app/views/RZIds.h"
#include "app/views/RZWindow.h"
#include "sound/HWaveSource.h"
#include "support/HDebug.h"
#include "support/HFile.h"
#include "support/HStageClock.h"
#include "toolkit/HImage.h"
#include "toolkit/HImageLoader.h"
#include "toolkit/HListView.h"
#include "toolkit/HMenuItem.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

const char* const GAME_KEY = "SOFTWARE\\Brix\\Kolden";

double now() {
    static LARGE_INTEGER frequency = {};
    if (frequency.QuadPart == 0) {
        QueryPerformanceFrequency(&frequency);
    }
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double median(std::vector<double> v) {
    if (v.empty()) {
        return 0;
    }
    std::sort(v.begin(), v.end());
    size_t middle = v.size() / 2;
    return v.size() % 2 == 1 ? v[middle] : (v[middle - 1] + v[middle]) / 2;
}

int roundsFromEnvironment(int fallback) {
    const char* text = std::getenv("RZ_BENCH_ROUNDS");
    int rounds = text != nullptr ? std::atoi(text) : 0;
    return rounds > 0 ? rounds : fallback;
}

// One untimed round, then the median of the timed ones. A round that returns
// false stops the measurement and gives a negative figure.
double measure(int rounds, const std::function<bool()>& round) {
    if (!round()) {
        return -1;
    }
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        double start = now();
        bool ok = round();
        double end = now();
        if (!ok) {
            return -1;
        }
        times.push_back(end - start);
    }
    if (std::getenv("RZ_BENCH_VERBOSE") != nullptr) {
        std::string all = "rounds:";
        for (double t : times) {
            char text[32];
            std::snprintf(text, sizeof(text), " %.2f", t);
            all += text;
        }
        std::printf("%s\n", all.c_str());
    }
    return median(times);
}

void report(const std::string& name, double value) {
    std::printf("BENCH %s %.3f\n", name.c_str(), value);
    std::fflush(stdout);
}

void reportCode(const std::string& name, int code) {
    std::printf("BENCH %s %d\n", name.c_str(), code);
    std::fflush(stdout);
}

void remark(const std::string& text) {
    std::printf("%s\n", text.c_str());
    std::fflush(stdout);
}

void pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// ---- where the open's time goes -----------------------------------------------

// Each stage's time in a round (over the round's opens), its median over the
// rounds; "rest" is what no stage holds (the menu command's own work, the log's
// tests, the selection's messages). whole is negative when a round failed.
struct OpenBreakdown {
    std::map<std::string, double> stages;
    double whole = -1;
};

std::map<std::string, double>& stageTimes() {
    static std::map<std::string, double> times;
    return times;
}

void noteStage(const char* stage, double ms) {
    stageTimes()[stage] += ms;
}

// One untimed round, then the rounds with the stages' clock on; each stage's
// figure is its median over the rounds, as the whole's is.
OpenBreakdown measureBreakdown(int rounds, const std::function<bool()>& round) {
    OpenBreakdown breakdown;
    if (!round()) {
        return breakdown;
    }
    std::map<std::string, std::vector<double>> perRound;
    std::vector<double> wholes;
    HStageClock::setListener(noteStage);
    for (int i = 0; i < rounds; ++i) {
        stageTimes().clear();
        double start = now();
        bool ok = round();
        double whole = now() - start;
        if (!ok) {
            HStageClock::setListener(nullptr);
            return breakdown;
        }
        double staged = 0;
        for (const auto& stage : stageTimes()) {
            perRound[stage.first].push_back(stage.second);
            staged += stage.second;
        }
        perRound["rest"].push_back(whole - staged);
        wholes.push_back(whole);
    }
    HStageClock::setListener(nullptr);
    for (const auto& stage : perRound) {
        breakdown.stages[stage.first] = median(stage.second);
    }
    breakdown.whole = median(wholes);
    return breakdown;
}

// ---- plain file I/O, the baseline -------------------------------------------

bool rawRead(const std::string& path, std::string* bytes = nullptr) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD size = GetFileSize(file, nullptr);
    bool ok = size != INVALID_FILE_SIZE;
    char* buffer = ok ? static_cast<char*>(std::malloc(size + 1)) : nullptr;
    DWORD read = 0;
    ok = buffer != nullptr && ReadFile(file, buffer, size, &read, nullptr) && read == size;
    CloseHandle(file);
    if (ok && bytes != nullptr) {
        bytes->assign(buffer, size);
    }
    std::free(buffer);
    return ok;
}

bool rawWrite(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
              written == bytes.size();
    return CloseHandle(file) && ok;
}

bool isFile(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::int64_t fileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
        return -1;
    }
    return (static_cast<std::int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

void makeDirectories(const std::string& path) {
    for (size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1)) {
        CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
    }
    CreateDirectoryA(path.c_str(), nullptr);
}

std::vector<std::string> subdirectories(const std::string& directory) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((directory + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        std::string name = found.cFileName;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 && name != "." &&
            name != "..") {
            names.push_back(name);
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

// Copies a directory tree, overwriting what is there.
bool copyTree(const std::string& from, const std::string& to) {
    makeDirectories(to);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((from + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return false;
    }
    bool ok = true;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..") {
            continue;
        }
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            ok = copyTree(from + "\\" + name, to + "\\" + name) && ok;
        } else {
            std::string target = to + "\\" + name;
            SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
            ok = CopyFileA((from + "\\" + name).c_str(), target.c_str(), FALSE) && ok;
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return ok;
}

// ---- the registry value naming the game directory ---------------------------

// Written where the game's installer writes it, the registry's 32-bit view,
// which the editor reads first (bench.sh puts the demo game there).
struct GameKey {
    bool hadValue = false;
    std::string oldValue;

    bool set(const std::string& directory) {
        HKEY key;
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, GAME_KEY, 0, nullptr, 0,
                            KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr, &key,
                            nullptr) != ERROR_SUCCESS) {
            return false;
        }
        char old[MAX_PATH * 2] = {};
        DWORD size = sizeof(old) - 1;
        DWORD type = 0;
        hadValue = RegQueryValueExA(key, "Directory", nullptr, &type, reinterpret_cast<BYTE*>(old),
                                    &size) == ERROR_SUCCESS &&
                   type == REG_SZ;
        oldValue = hadValue ? std::string(old) : std::string();
        bool ok = RegSetValueExA(key, "Directory", 0, REG_SZ,
                                 reinterpret_cast<const BYTE*>(directory.c_str()),
                                 static_cast<DWORD>(directory.size() + 1)) == ERROR_SUCCESS;
        RegCloseKey(key);
        return ok;
    }

    void restore() const {
        HKEY key;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, GAME_KEY, 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY,
                          &key) != ERROR_SUCCESS) {
            return;
        }
        if (hadValue) {
            RegSetValueExA(key, "Directory", 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(oldValue.c_str()),
                           static_cast<DWORD>(oldValue.size() + 1));
        } else {
            RegDeleteValueA(key, "Directory");
        }
        RegCloseKey(key);
    }
};

// ---- message boxes -----------------------------------------------------------

// Opening an unchanged table and saving an opened one ask nothing. Should a
// question still come up, it is cancelled, so the run ends instead of waiting,
// and the figures of that run are marked as failed.
int questionsCancelled = 0;

BOOL CALLBACK cancelQuestion(HWND window, LPARAM) {
    char className[16] = {};
    GetClassNameA(window, className, sizeof(className));
    if (IsWindowVisible(window) && std::strcmp(className, "#32770") == 0) {
        ++questionsCancelled;
        PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    }
    return TRUE;
}

void CALLBACK watchQuestions(HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(GetCurrentThreadId(), cancelQuestion, 0);
}

// ---- open and save -----------------------------------------------------------

std::string dataSetDirectory(HComponent* item) {
    const std::string* directory =
        item != nullptr ? static_cast<const std::string*>(item->getUserObject()) : nullptr;
    return directory != nullptr ? *directory : std::string();
}

// A data set the open benchmark opens: its File menu item, its directory and
// the files its open reads, besides the picture of the first row.
struct DataSet {
    int item = 0;
    std::string directory;
    std::vector<std::string> files;
};

std::vector<std::string> filesReadByOpen(const std::string& set, RZEditData* document) {
    std::vector<std::string> files = {set + "\\Data\\MagicTable"};
    std::string sound = set + "\\Data\\SoundFileName";
    files.push_back(isFile(sound) ? sound : document->defaultSoundPath().fullPath());
    for (const std::string& sub : subdirectories(set)) {
        if (isFile(set + "\\" + sub + "\\CharacterData")) {
            files.push_back(set + "\\" + sub + "\\CharacterData");
        }
    }
    return files;
}

// The File menu item of a second data set to switch to: the first other one
// listed whose MagicTable is there (so opening it asks nothing), or 0.
int chooseOtherDataSet(RZWindow* window, int first, std::string* directory) {
    for (int id = IDM_FIRST_DATA_SET; id < IDM_FIRST_DATA_SET + 98; ++id) {
        std::string candidate = dataSetDirectory(window->findById(id));
        if (candidate.empty()) {
            break;
        }
        if (id != first && isFile(candidate + "\\Data\\MagicTable")) {
            *directory = candidate;
            return id;
        }
    }
    return 0;
}

// The File menu item of the data set to open: the first whose Data folder holds
// both tables, else the first one listed.
int chooseDataSet(RZWindow* window, std::string* directory) {
    int chosen = 0;
    for (int id = IDM_FIRST_DATA_SET; id < IDM_FIRST_DATA_SET + 98; ++id) {
        std::string candidate = dataSetDirectory(window->findById(id));
        if (candidate.empty()) {
            break;
        }
        bool complete =
            isFile(candidate + "\\Data\\MagicTable") && isFile(candidate + "\\Data\\SoundFileName");
        if (chosen == 0 || complete) {
            chosen = id;
            *directory = candidate;
        }
        if (complete) {
            break;
        }
    }
    return chosen;
}

bool benchOpenAndSave(const std::string& game, bool doOpen, bool doSave) {
    HDebug::start();
    RZWindow* window = new RZWindow();
    window->create();
    ShowWindow(window->getHandle(), SW_SHOW);
    UpdateWindow(window->getHandle());
    pump();

    bool ok = true;
    std::string set;
    int item = chooseDataSet(window, &set);
    HListView* list = static_cast<HListView*>(window->findById(IDC_SPELL_LIST));
    RZEditData* document = RZEditData::getInstance(window->getHandle());
    UINT_PTR watcher = SetTimer(nullptr, 0, 250, watchQuestions);
    if (item == 0 || list == nullptr || document == nullptr) {
        remark("no data set found under " + game);
        ok = false;
    } else {
        remark("data set: " + set);
        std::vector<DataSet> sets(1);
        sets[0].item = item;
        sets[0].directory = set;
        sets[0].files = filesReadByOpen(set, document);
        std::string other;
        int otherItem = chooseOtherDataSet(window, item, &other);
        if (otherItem != 0) {
            remark("switching with: " + other);
            sets.push_back(DataSet{otherItem, other, filesReadByOpen(other, document)});
        } else {
            remark("no second data set: the same one is opened again");
        }
        const std::vector<std::string>& readByOpen = sets[0].files;
        const std::vector<std::string> characterFiles(readByOpen.begin() + 2, readByOpen.end());

        auto openSet = [&](const DataSet& dataSet) {
            bool opened = RZOP0002(window, static_cast<unsigned>(dataSet.item));
            {
                HStageClock::Scope stage("paint");
                pump(); // the selection's form, list and picture are painted
            }
            return opened && list->getSelectedIndex() == 0 && document->shownEntry() != nullptr &&
                   questionsCancelled == 0;
        };
        // A round opens every data set once, the one that is not open first,
        // so that each open changes what is shown; figures are per open.
        auto openRound = [&]() {
            for (size_t i = sets.size(); i-- > 0;) {
                if (!openSet(sets[i])) {
                    return false;
                }
            }
            return true;
        };
        const double opensPerRound = static_cast<double>(sets.size());
        // The first open fills an empty list; later ones refill it.
        double firstStart = now();
        if (!openSet(sets[0])) {
            remark("the data set did not open to its first row");
            ok = false;
        }
        const double first = now() - firstStart;
        const int rounds = roundsFromEnvironment(7);
        if (ok && doOpen) {
            double editor = measure(rounds, openRound) / opensPerRound;
            // The breakdown: the same opens again at once, with the stages'
            // clock on; the figure above is taken with it off, as users run
            // the editor.
            const OpenBreakdown breakdown = measureBreakdown(rounds, openRound);
            double raw = measure(rounds,
                                 [&]() {
                                     for (const DataSet& dataSet : sets) {
                                         for (const std::string& path : dataSet.files) {
                                             if (!rawRead(path)) {
                                                 return false;
                                             }
                                         }
                                     }
                                     return true;
                                 }) /
                         opensPerRound;
            // Where the open's time goes: the table load (with the character
            // read), the refill of the list (with the form of the first row),
            // the form alone, and painting the whole window. The load leaves
            // the list's rows naming deleted entries until the next refill, as
            // inside RZOP0002; nothing reads them in between.
            HFile table(set + "\\Data\\MagicTable");
            HFile soundFile(readByOpen[1]);
            double load = measure(rounds, [&]() {
                RZMagicLoader loader;
                return loader.load(table, soundFile, document);
            });
            // Painted before the next round, as between two opens: a refill that
            // finds the last one still unpainted takes the slower way.
            double show = measure(rounds, [&]() {
                RZDisplay display;
                bool shown = display.showTable(window, document);
                display.updateTitle(window, document);
                pump();
                return shown;
            });
            double entry = measure(rounds, [&]() {
                RZDisplay display;
                return display.showEntry(window, document);
            });
            double paint = measure(rounds, [&]() {
                InvalidateRect(window->getHandle(), nullptr, TRUE);
                RedrawWindow(window->getHandle(), nullptr, nullptr,
                             RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
                pump();
                return true;
            });
            remark("rows: " + std::to_string(list->getItemCount()));
            report("open.first_ms", first);
            if (breakdown.whole >= 0) {
                for (const auto& stage : breakdown.stages) {
                    report("open.stage." + stage.first + "_ms", stage.second / opensPerRound);
                }
                report("open.stage.whole_ms", breakdown.whole / opensPerRound);
            }
            report("open.part.load_ms", load);
            report("open.part.show_ms", show);
            report("open.part.entry_ms", entry);
            report("open.part.repaint_ms", paint);
            report("open.editor_ms", editor);
            report("open.raw_ms", raw);
            if (editor > 0 && raw > 0) {
                report("open.ratio", editor / raw);
            }
            ok = editor >= 0 && raw >= 0;
        }
        if (ok && doSave) {
            // Nothing is changed, so Ctrl+S asks nothing: an opened table with
            // both files is written where it came from.
            auto saveOnce = [&]() {
                bool saved = RZOP0016(window);
                pump();
                return saved && questionsCancelled == 0;
            };
            double editor = measure(rounds, saveOnce);
            // The same bytes, as the editor left them on disk.
            std::string tableBytes;
            std::string soundBytes;
            rawRead(document->tablePath().fullPath(), &tableBytes);
            bool hasSound = rawRead(set + "\\Data\\SoundFileName", &soundBytes);
            std::string rawTable = set + "\\Data\\MagicTable.rawbench";
            std::string rawSound = set + "\\Data\\SoundFileName.rawbench";
            double raw = measure(rounds, [&]() {
                bool written =
                    rawWrite(rawTable, tableBytes) && (!hasSound || rawWrite(rawSound, soundBytes));
                bool readBack = rawRead(rawTable) && (!hasSound || rawRead(rawSound));
                for (const std::string& path : characterFiles) {
                    readBack = rawRead(path) && readBack;
                }
                return written && readBack;
            });
            DeleteFileA(rawTable.c_str());
            DeleteFileA(rawSound.c_str());
            // The writing alone: both files beside the old ones, then moved.
            HFile table = document->tablePath();
            HFile soundFile = document->soundPath();
            double write = measure(rounds, [&]() {
                RZMagicLoader loader;
                return loader.save(table, soundFile, document);
            });
            // The table as text, next to plain I/O of the same bytes: export
            // (written beside the file, then moved over it) and import of the
            // unchanged text (read, every row checked, nothing to change).
            HFile tsv(set + "\\Data\\MagicTable.tsv");
            std::string tsvRaw = set + "\\Data\\MagicTable.tsv.rawbench";
            double exportTime = measure(rounds, [&]() { return exportTableText(window, tsv); });
            std::string tsvBytes;
            rawRead(tsv.fullPath(), &tsvBytes);
            double exportRaw = measure(rounds, [&]() { return rawWrite(tsvRaw, tsvBytes); });
            double importTime = measure(rounds, [&]() {
                return importTableText(window, tsv) && !document->hasChanged() &&
                       questionsCancelled == 0;
            });
            double importRaw = measure(rounds, [&]() { return rawRead(tsvRaw); });
            DeleteFileA(tsvRaw.c_str());
            DeleteFileA(tsv.fullPath().c_str());
            remark("table text: " + std::to_string(tsvBytes.size()) + " bytes");
            report("tsv.export_ms", exportTime);
            report("tsv.write_raw_ms", exportRaw);
            report("tsv.import_ms", importTime);
            report("tsv.read_raw_ms", importRaw);
            report("save.part.write_ms", write);
            report("save.editor_ms", editor);
            report("save.raw_ms", raw);
            if (editor > 0 && raw > 0) {
                report("save.ratio", editor / raw);
            }
            ok = editor >= 0 && raw >= 0;
        }
    }
    KillTimer(nullptr, watcher);
    if (questionsCancelled > 0) {
        remark("a question came up and was cancelled");
        ok = false;
    }

    HWND handle = window->getHandle();
    DestroyWindow(handle);
    pump();
    RZEditData::release(handle);
    delete window;
    HDebug::stop();
    return ok;
}

// ---- long inputs -------------------------------------------------------------

void put16(std::string& bytes, size_t at, unsigned value) {
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>((value >> 8) & 0xFF);
}

void put32(std::string& bytes, size_t at, std::uint32_t value) {
    for (int b = 0; b < 4; ++b) {
        bytes[at + b] = static_cast<char>((value >> (8 * b)) & 0xFF);
    }
}

// Writes a generated file unless one of the expected size is already there.
bool ensureFile(const std::string& path, std::int64_t size,
                const std::function<bool(HANDLE)>& writeContent) {
    if (fileSize(path) == size) {
        return true;
    }
    makeDirectories(path.substr(0, path.rfind('\\')));
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    bool ok = writeContent(file);
    CloseHandle(file);
    if (!ok || fileSize(path) != size) {
        DeleteFileA(path.c_str());
        return false;
    }
    return true;
}

bool writeAll(HANDLE file, const std::string& bytes) {
    DWORD written = 0;
    return WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

// Repeats a block until size bytes are written (the last copy cut short).
bool writeRepeated(HANDLE file, const std::string& block, std::int64_t size) {
    std::string chunk;
    while (chunk.size() < (1u << 20)) {
        chunk += block;
    }
    for (std::int64_t left = size; left > 0;) {
        std::int64_t part = std::min<std::int64_t>(left, static_cast<std::int64_t>(chunk.size()));
        if (!writeAll(file, chunk.substr(0, static_cast<size_t>(part)))) {
            return false;
        }
        left -= part;
    }
    return true;
}

// A table as the editor writes it, line after line, far past the 48 spells.
bool makeMagicTable(const std::string& path, std::int64_t size) {
    return ensureFile(path, size, [&](HANDLE file) {
        std::string block;
        for (int k = 0; k < 48; ++k) {
            char line[256];
            std::snprintf(line, sizeof(line),
                          "%-18s %d %03d %d %d %03d  %03d %d %d %03d  %03d %d %d %03d  %s\r\n",
                          "長い表の呪文", k % 3, 10 + k, 2, 1, 40 + k, 20 + k, 3, 2, 60 + k, 30 + k,
                          4, 3, 80 + k, "長い表の説明文");
            block += line;
        }
        return writeRepeated(file, block, size);
    });
}

std::int64_t characterFileSize(std::uint32_t characters) {
    return 1348 + 324LL * characters;
}

// Every character has aptitude 1..5 in every element and a name of its own.
bool makeCharacterData(const std::string& path, std::uint32_t characters) {
    return ensureFile(path, characterFileSize(characters), [&](HANDLE file) {
        std::string header(1348, '\0');
        put32(header, 0, 140);
        put32(header, 4, characters + 1);
        if (!writeAll(file, header)) {
            return false;
        }
        std::string records;
        for (std::uint32_t i = 0; i < characters; ++i) {
            std::string record(324, '\x11');
            for (int e = 0; e < 6; ++e) {
                record[21 + e] = static_cast<char>(1 + (i + e) % 5);
            }
            char name[32];
            std::snprintf(name, sizeof(name), "キャラ%u", i);
            std::memset(&record[164], 0, 160);
            std::memcpy(&record[164], name, std::strlen(name));
            records += record;
            if (records.size() >= (1u << 20) || i + 1 == characters) {
                if (!writeAll(file, records)) {
                    return false;
                }
                records.clear();
            }
        }
        return true;
    });
}

// 16-bit stereo PCM at 44,100 Hz: a 16-byte fmt chunk, then data to the end.
bool makeWave(const std::string& path, std::int64_t size) {
    return ensureFile(path, size, [&](HANDLE file) {
        std::string header(44, '\0');
        std::memcpy(&header[0], "RIFF", 4);
        put32(header, 4, static_cast<std::uint32_t>(size - 8));
        std::memcpy(&header[8], "WAVEfmt ", 8);
        put32(header, 16, 16);
        put16(header, 20, 1);
        put16(header, 22, 2);
        put32(header, 24, 44100);
        put32(header, 28, 44100 * 4);
        put16(header, 32, 4);
        put16(header, 34, 16);
        std::memcpy(&header[36], "data", 4);
        put32(header, 40, static_cast<std::uint32_t>(size - 44));
        std::string samples;
        for (int i = 0; i < 4096; ++i) {
            int value = (i % 200) * 300 - 30000;
            samples.push_back(static_cast<char>(value & 0xFF));
            samples.push_back(static_cast<char>((value >> 8) & 0xFF));
        }
        return writeAll(file, header) && writeRepeated(file, samples, size - 44);
    });
}

// A 1-bit picture (two-colour table), rows padded to four bytes, stripes.
std::int64_t bitmapFileSize(int side) {
    return 62 + static_cast<std::int64_t>((side + 31) / 32 * 4) * side;
}

bool makeBitmap(const std::string& path, int side) {
    return ensureFile(path, bitmapFileSize(side), [&](HANDLE file) {
        const std::uint32_t rowBytes = static_cast<std::uint32_t>((side + 31) / 32 * 4);
        std::string header(62, '\0');
        header[0] = 'B';
        header[1] = 'M';
        put32(header, 2, static_cast<std::uint32_t>(bitmapFileSize(side)));
        put32(header, 10, 62);
        put32(header, 14, 40);
        put32(header, 18, static_cast<std::uint32_t>(side));
        put32(header, 22, static_cast<std::uint32_t>(side));
        put16(header, 26, 1);
        put16(header, 28, 1);
        put32(header, 34, rowBytes * static_cast<std::uint32_t>(side));
        put32(header, 46, 2);
        put32(header, 58, 0x00FFCC66); // colour 1; colour 0 stays black
        std::string row(rowBytes, '\x0F');
        return writeAll(file, header) &&
               writeRepeated(file, row, static_cast<std::int64_t>(rowBytes) * side);
    });
}

// Runs one long-input measurement: the figure, or the failure code.
void scaleFigure(const std::string& name, bool made, int rounds,
                 const std::function<int()>& operation) {
    if (!made) {
        remark("could not write the input of " + name);
        reportCode("scale." + name + "_result", -1);
        return;
    }
    int code = 0;
    double figure = measure(rounds, [&]() {
        code = operation();
        return code == 0;
    });
    if (code != 0) {
        reportCode("scale." + name + "_result", code);
    } else {
        report("scale." + name + "_ms", figure);
    }
}

void benchLongInputs(const std::string& folder) {
    const int rounds = std::min(roundsFromEnvironment(3), 3);
    HDebug::start();

    // The table lies in a game of its own, so the load's character read finds
    // nothing beside it; no sound list, the table alone is the input.
    const struct {
        const char* name;
        std::int64_t size;
    } tables[] = {{"magictable.10mb", 10LL << 20}, {"magictable.100mb", 100LL << 20}};
    for (const auto& table : tables) {
        std::string game = folder + "\\" + table.name;
        std::string path = game + "\\Data\\MagicTable";
        bool made = makeMagicTable(path, table.size);
        scaleFigure(table.name, made, rounds, [&]() {
            RZEditData document;
            RZMagicLoader loader;
            if (!loader.load(HFile(path), HFile(game + "\\Data\\SoundFileName"), &document)) {
                return 1;
            }
            return document.count() > 0 ? 0 : 2; // 2: nothing was read
        });
    }

    const struct {
        const char* name;
        std::uint32_t characters;
    } casts[] = {{"characterdata.10k", 10000}, {"characterdata.100k", 100000}};
    for (const auto& cast : casts) {
        std::string path = folder + "\\" + cast.name + "\\CharacterData";
        bool made = makeCharacterData(path, cast.characters);
        scaleFigure(cast.name, made, rounds, [&]() {
            RZCharacters characters;
            if (!characters.readFile(HFile(path))) {
                return 1;
            }
            std::uint32_t walked = 0;
            std::string name;
            std::string aptitude;
            for (characters.start(0, 1); characters.hasNext(); characters.next(name, aptitude)) {
                ++walked;
            }
            return walked == cast.characters ? 0 : 2; // 2: the walk missed some
        });
    }

    const struct {
        const char* name;
        std::int64_t size;
    } waves[] = {{"wave.5mb", 5LL << 20}, {"wave.50mb", 50LL << 20}};
    for (const auto& wave : waves) {
        std::string path = folder + "\\" + wave.name + ".wav";
        bool made = makeWave(path, wave.size);
        scaleFigure(wave.name, made, rounds, [&]() {
            HWaveSource source;
            int code = source.loadFromFile(HFile(path));
            if (code == 0 && source.getDataSize() != wave.size - 44) {
                code = 9; // loaded, but not all of the samples
            }
            return code;
        });
    }

    const struct {
        const char* name;
        int side;
    } pictures[] = {{"bmp.1000", 1000}, {"bmp.4000", 4000}, {"bmp.16000", 16000}};
    for (const auto& picture : pictures) {
        std::string path = folder + "\\" + picture.name + ".bmp";
        bool made = makeBitmap(path, picture.side);
        scaleFigure(picture.name, made, rounds, [&]() {
            HImage image(1, 1, nullptr);
            HImageLoader loader;
            int code = loader.loadImageFile(HFile(path), &image, true);
            if (code == 0 && (image.getWidth() != picture.side || image.getBitmap() == nullptr)) {
                code = 9; // loaded, but not at its size
            }
            return code;
        });
    }
    HDebug::stop();
}

std::string benchFolder() {
    const char* chosen = std::getenv("RZ_BENCH_DIR");
    if (chosen != nullptr && *chosen != '\0') {
        return chosen;
    }
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof(temp), temp);
    std::string folder = temp;
    if (!folder.empty() && folder.back() == '\\') {
        folder.pop_back();
    }
    return folder + "\\rzbench-files";
}

} // namespace

int main(int argc, char** argv) {
    std::string game;
    std::string only;
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        if (argument == "open" || argument == "save" || argument == "scale") {
            only = argument;
        } else {
            game = argument;
        }
    }
    if (game.empty() && std::getenv("RZ_DEMO_DIR") != nullptr) {
        game = std::getenv("RZ_DEMO_DIR");
    }
    const bool doOpen = only.empty() || only == "open";
    const bool doSave = only.empty() || only == "save";
    const bool doScale = only.empty() || only == "scale";

    std::string folder = benchFolder();
    makeDirectories(folder);
    // No debug-log marker lies here: the log stays off, as for a user.
    SetCurrentDirectoryA(folder.c_str());

    bool ok = true;
    if (doOpen || doSave) {
        std::string copy = folder + "\\game";
        if (game.empty() || !copyTree(game, copy)) {
            remark("no game to copy: give its directory or set RZ_DEMO_DIR (" + game + ")");
            ok = false;
        } else {
            GameKey key;
            if (!key.set(copy)) {
                remark("the game directory could not be put into the registry");
                ok = false;
            } else {
                ok = benchOpenAndSave(copy, doOpen, doSave);
                key.restore();
            }
        }
    }
    if (doScale) {
        benchLongInputs(folder + "\\long");
    }
    return ok ? 0 : 1;
}
