// The opening baseline for the editor's benchmark: what opening a data set
// costs the platform, written as plain Win32 calls, without the toolkit, the
// document or the log. In a window of the editor's size, with the editor's
// manifest (current common controls), a report list view of the spell list's
// place, styles and twelve columns; each open reads the files the editor's
// open reads (MagicTable, SoundFileName or the stock one, and every
// CharacterData one level below the data set), splits the table into its
// lines, fields and spell levels (a level is there when its cost is not 0, as
// the demo game writes it), puts the rows into the list with redraw off,
// selects the first row and lets the list paint. As bench_files does for the
// editor, a round opens the second data set and then the first (the game's
// first with a Config entry and both tables, the next with a Config entry
// and a MagicTable), so each open changes what the list shows; one untimed
// round, then RZ_BENCH_ROUNDS rounds (default 7), the median per open.
// Usage: bench_openlist [game directory]   (default RZ_DEMO_DIR)
// Output:
//   BENCH open.plain_ms    <ms per open>
//   BENCH open.plain_rows  <rows of the first data set: 81 for the demo game>
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct ColumnShape {
    int width;
    int format;
};

// The editor's spell list: row, name, level, element, rank, target, cost,
// range, area, efficiency, description, sound.
const ColumnShape COLUMNS[] = {
    {24, LVCFMT_LEFT},  {96, LVCFMT_LEFT},  {36, LVCFMT_LEFT},  {24, LVCFMT_LEFT},
    {24, LVCFMT_LEFT},  {36, LVCFMT_LEFT},  {36, LVCFMT_RIGHT}, {36, LVCFMT_RIGHT},
    {36, LVCFMT_RIGHT}, {36, LVCFMT_RIGHT}, {132, LVCFMT_LEFT}, {96, LVCFMT_LEFT},
};
const int COLUMN_COUNT = sizeof(COLUMNS) / sizeof(COLUMNS[0]);

struct DataSet {
    std::vector<std::string> files; // the table, the sound list, the characters
};

double now() {
    static LARGE_INTEGER frequency = {};
    if (frequency.QuadPart == 0) {
        QueryPerformanceFrequency(&frequency);
    }
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

bool isFile(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
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

bool readWhole(const std::string& path, std::string* bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD size = GetFileSize(file, nullptr);
    bool ok = size != INVALID_FILE_SIZE;
    DWORD read = 0;
    if (ok) {
        bytes->resize(size);
        ok = size == 0 || (ReadFile(file, &(*bytes)[0], size, &read, nullptr) && read == size);
    }
    CloseHandle(file);
    return ok;
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        size_t stop = end > start && text[end - 1] == '\r' ? end - 1 : end;
        if (stop > start) {
            lines.push_back(text.substr(start, stop - start));
        }
        start = end + 1;
    }
    return lines;
}

std::vector<std::string> splitFields(const std::string& line) {
    std::vector<std::string> fields;
    size_t at = 0;
    while (at < line.size()) {
        while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) {
            ++at;
        }
        size_t end = at;
        while (end < line.size() && line[end] != ' ' && line[end] != '\t') {
            ++end;
        }
        if (end > at) {
            fields.push_back(line.substr(at, end - at));
        }
        at = end;
    }
    return fields;
}

// The rows' texts, column by column, from the bytes of a table and its sound list.
std::vector<std::vector<std::string>> makeRows(const std::string& table,
                                               const std::string& sounds) {
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> soundNames = splitLines(sounds);
    std::vector<std::string> lines = splitLines(table);
    for (size_t spell = 0; spell < lines.size(); ++spell) {
        std::vector<std::string> fields = splitFields(lines[spell]);
        if (fields.size() < 15) {
            continue;
        }
        for (int level = 0; level < 3; ++level) {
            const std::string* values = &fields[2 + 4 * level];
            if (std::atoi(values[0].c_str()) == 0) {
                continue;
            }
            std::vector<std::string> row;
            row.reserve(COLUMN_COUNT);
            row.push_back(std::to_string(rows.size() + 1));
            row.push_back(fields[0]);
            row.push_back("Lv" + std::to_string(level + 1));
            row.push_back(std::to_string(spell % 6));
            row.push_back(std::to_string(level + 1));
            row.push_back(fields[1]);
            for (int v = 0; v < 4; ++v) {
                row.push_back(std::to_string(std::atoi(values[v].c_str())));
            }
            row.push_back(fields[14]);
            row.push_back(spell < soundNames.size() ? soundNames[spell] : std::string());
            rows.push_back(std::move(row));
        }
    }
    return rows;
}

void pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// Reads the data set's files, fills the list with its rows and shows the first
// one; the number of rows, or -1 when a file cannot be read.
int open(HWND list, const DataSet& set) {
    std::string table;
    std::string sounds;
    std::string characters;
    if (!readWhole(set.files[0], &table) || !readWhole(set.files[1], &sounds)) {
        return -1;
    }
    for (size_t i = 2; i < set.files.size(); ++i) {
        if (!readWhole(set.files[i], &characters)) {
            return -1;
        }
    }
    std::vector<std::vector<std::string>> rows = makeRows(table, sounds);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    for (size_t r = 0; r < rows.size(); ++r) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = static_cast<int>(r);
        item.pszText = const_cast<char*>(rows[r][0].c_str());
        item.lParam = static_cast<LPARAM>(r);
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        for (int c = 1; c < COLUMN_COUNT; ++c) {
            LVITEMA cell = {};
            cell.iSubItem = c;
            cell.pszText = const_cast<char*>(rows[r][c].c_str());
            SendMessageA(list, LVM_SETITEMTEXTA, r, reinterpret_cast<LPARAM>(&cell));
        }
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    LVITEMA selected = {};
    selected.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    selected.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&selected));
    SendMessageA(list, LVM_ENSUREVISIBLE, 0, FALSE);
    pump();
    return static_cast<int>(rows.size());
}

// The data sets of the game as the editor's File menu lists them: its
// subdirectories holding a Config entry, in the order they are found.
std::vector<DataSet> chooseDataSets(const std::string& game) {
    std::vector<std::string> first;
    std::vector<std::string> other;
    for (const std::string& name : subdirectories(game)) {
        std::string set = game + "\\" + name;
        if (!exists(set + "\\Config") || !isFile(set + "\\Data\\MagicTable")) {
            continue;
        }
        std::string sound = set + "\\Data\\SoundFileName";
        bool complete = isFile(sound);
        std::vector<std::string> files = {
            set + "\\Data\\MagicTable",
            complete ? sound : game + "\\Default\\Data\\SoundFileName",
        };
        for (const std::string& sub : subdirectories(set)) {
            if (isFile(set + "\\" + sub + "\\CharacterData")) {
                files.push_back(set + "\\" + sub + "\\CharacterData");
            }
        }
        if (first.empty() && complete) {
            first = files;
        } else if (other.empty()) {
            other = files;
        }
    }
    std::vector<DataSet> sets;
    if (!first.empty()) {
        sets.push_back(DataSet{first});
        if (!other.empty()) {
            sets.push_back(DataSet{other});
        }
    }
    return sets;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

} // namespace

int main(int argc, char** argv) {
    std::string game = argc > 1 ? argv[1] : "";
    if (game.empty() && std::getenv("RZ_DEMO_DIR") != nullptr) {
        game = std::getenv("RZ_DEMO_DIR");
    }
    std::vector<DataSet> sets = chooseDataSets(game);
    if (sets.empty()) {
        std::printf("no data set with both tables under %s\n", game.c_str());
        return 1;
    }
    const char* roundsText = std::getenv("RZ_BENCH_ROUNDS");
    int rounds = roundsText != nullptr ? std::atoi(roundsText) : 0;
    rounds = rounds > 0 ? rounds : 7;

    INITCOMMONCONTROLSEX init = {sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&init);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "BenchOpenWindow";
    if (!RegisterClassExA(&windowClass)) {
        return 1;
    }
    HWND window = CreateWindowExA(0, windowClass.lpszClassName, "bench",
                                  WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 640, 480, nullptr, nullptr, instance, nullptr);
    HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                                WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | LVS_REPORT |
                                    LVS_SHOWSELALWAYS | LVS_SINGLESEL,
                                0, 0, 632, 144, window, nullptr, instance, nullptr);
    if (window == nullptr || list == nullptr) {
        return 1;
    }
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    for (int c = 0; c < COLUMN_COUNT; ++c) {
        char text[] = "列";
        LVCOLUMNA column = {};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = COLUMNS[c].format;
        column.cx = COLUMNS[c].width;
        column.pszText = text;
        column.iSubItem = c;
        SendMessageA(list, LVM_INSERTCOLUMNA, c, reinterpret_cast<LPARAM>(&column));
    }
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    pump();

    // The first open fills the empty list; then the rounds, each opening the
    // data set that is not shown first.
    int rows = open(list, sets[0]);
    bool ok = rows > 0;
    std::vector<double> perOpen;
    for (int round = 0; ok && round <= rounds; ++round) {
        double start = now();
        for (size_t i = sets.size(); ok && i-- > 0;) {
            ok = open(list, sets[i]) > 0;
        }
        if (round > 0) {
            perOpen.push_back((now() - start) / static_cast<double>(sets.size()));
        }
    }
    DestroyWindow(window);
    if (!ok) {
        std::printf("a data set could not be read\n");
        return 1;
    }
    std::printf("BENCH open.plain_ms %.3f\n", median(perOpen));
    std::printf("BENCH open.plain_rows %d\n", rows);
    return 0;
}
