// Measures how long the editor takes, inside the process, to open a data set up
// to its first row shown, to show another row, and to store a typed value.
// Usage: bench_open [game directory]   (default: RZ_DEMO_DIR, else a generated game)
#include "app/data/RZEditData.h"
#include "app/operations/RZOperations.h"
#include "app/views/RZWindow.h"
#include "support/HDebug.h"
#include "toolkit/HListView.h"
#include "toolkit/HMenuItem.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

double now() {
    static LARGE_INTEGER frequency = {};
    if (frequency.QuadPart == 0) {
        QueryPerformanceFrequency(&frequency);
    }
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void writeFile(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

// A game of 48 spells with one data set, "Bench", and 512 x 128 pictures.
std::string makeGame() {
    char temp[MAX_PATH];
    GetTempPathA(sizeof(temp), temp);
    std::string root = std::string(temp) + "rzbench-game";
    const char* dirs[] = {"",        "\\Default",    "\\Default\\Data", "\\Default\\Picture",
                          "\\Bench", "\\Bench\\Data"};
    for (const char* d : dirs) {
        CreateDirectoryA((root + d).c_str(), nullptr);
    }
    std::string table;
    std::string sounds;
    for (int k = 0; k < 48; ++k) {
        char line[256];
        snprintf(line, sizeof(line),
                 "%-18s %d %03d %d %d %03d  %03d %d %d %03d  %03d %d %d %03d  %s\r\n", "呪文",
                 k % 3, k, 1, k % 3, 10, k + 1, 2, 1, 11, k + 2, 3, 2, 12, "説明");
        table += line;
        sounds += "sound" + std::to_string(k) + "\r\n";
    }
    writeFile(root + "\\Bench\\Config", "");
    writeFile(root + "\\Bench\\Data\\MagicTable", table);
    writeFile(root + "\\Bench\\Data\\SoundFileName", sounds + "End");
    writeFile(root + "\\Default\\Data\\MagicTable", table);
    writeFile(root + "\\Default\\Data\\SoundFileName", sounds + "End");
    int w = 512, h = 128;
    std::string bmp(54 + static_cast<size_t>(w) * h * 3, '\x40');
    unsigned header[] = {0, 0, 54, 40, static_cast<unsigned>(w), static_cast<unsigned>(h)};
    bmp[0] = 'B';
    bmp[1] = 'M';
    for (int i = 0; i < 6; ++i) {
        for (int b = 0; b < 4; ++b) {
            bmp[static_cast<size_t>(2 + 4 * i + b)] =
                static_cast<char>((header[i] >> (8 * b)) & 0xFF);
        }
    }
    bmp[26] = 1;
    bmp[27] = 0;
    bmp[28] = 24;
    bmp[29] = 0;
    for (int i = 30; i < 54; ++i) {
        bmp[static_cast<size_t>(i)] = 0;
    }
    for (int k = 0; k < 48; ++k) {
        writeFile(root + "\\Default\\Picture\\MAGIC" + std::to_string(k) + ".BMP", bmp);
    }
    return root;
}

bool setGameDirectory(const std::string& directory) {
    HKEY key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Brix\\Kolden", 0, nullptr, 0, KEY_ALL_ACCESS,
                        nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    RegSetValueExA(key, "Directory", 0, REG_SZ, reinterpret_cast<const BYTE*>(directory.c_str()),
                   static_cast<DWORD>(directory.size() + 1));
    RegCloseKey(key);
    return true;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    std::string game;
    if (argc > 1) {
        game = argv[1];
    } else if (std::getenv("RZ_DEMO_DIR") != nullptr) {
        game = std::getenv("RZ_DEMO_DIR");
    } else {
        game = makeGame();
    }
    setGameDirectory(game);
    // The log stays off (no marker files needed), as for a user.
    HDebug::start();
    RZWindow* window = new RZWindow();
    window->create();
    ShowWindow(window->getHandle(), SW_SHOW);
    UpdateWindow(window->getHandle());
    pump();

    HMenuItem* first = dynamic_cast<HMenuItem*>(window->findById(502));
    if (first == nullptr) {
        std::printf("no data set found under %s\n", game.c_str());
        return 1;
    }
    HListView* list = static_cast<HListView*>(window->findById(101));
    RZEditData* document = RZEditData::getInstance(window->getHandle());

    std::vector<double> open, select, type;
    const int rounds =
        std::getenv("RZ_BENCH_ROUNDS") != nullptr ? std::atoi(std::getenv("RZ_BENCH_ROUNDS")) : 20;
    for (int i = 0; i < rounds; ++i) {
        double t0 = now();
        RZOP0002(window, 502);
        double t1 = now();
        if (list->getSelectedIndex() != 0 || document->shownEntry() == nullptr) {
            std::printf("first row not shown\n");
            return 1;
        }
        open.push_back(t1 - t0);
        pump();

        t0 = now();
        list->setSelectedIndex((i * 7 + 5) % list->getItemCount());
        select.push_back(now() - t0);
        pump();

        t0 = now();
        SetWindowTextA(GetDlgItem(window->getHandle(), 116), std::to_string(i).c_str());
        type.push_back(now() - t0);
        // Back to the loaded state, so the next open asks nothing.
        RZOP0014(window);
        pump();
    }
    if (std::getenv("RZ_BENCH_VERBOSE") != nullptr) {
        for (double t : open) {
            std::printf("%.1f ", t);
        }
        std::printf("\n");
    }
    std::printf("data set: %s (%s)\n", first->getStoredText().c_str(), game.c_str());
    std::printf("rows: %d\n", list->getItemCount());
    std::printf("open to first row shown: first %.1f ms, median %.1f ms, max %.1f ms\n", open[0],
                median(open), *std::max_element(open.begin(), open.end()));
    std::printf("select another row:      median %.1f ms, max %.1f ms\n", median(select),
                *std::max_element(select.begin(), select.end()));
    std::printf("type into the cost box:  median %.2f ms, max %.2f ms\n", median(type),
                *std::max_element(type.begin(), type.end()));

    HWND handle = window->getHandle();
    DestroyWindow(handle);
    pump();
    RZEditData::release(handle);
    delete window;
    HDebug::stop();
    return 0;
}
