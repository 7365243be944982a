// Measures what the undo history costs on the demo table, inside one process:
// the main window opens the game's first data set (the registry value naming
// the game is set by scripts/bench.sh), 1,000 steps are made through the form
// as a user makes them (a row selected, a value typed; every other step a name,
// which all levels of a spell share), and then all of them are undone through
// the undo command, each one shown (rows, colours, form) as with Ctrl+Z.
//
//     wine-run.sh bench_undo.exe
//
// Figures, one line each, "BENCH <name> <value>":
//   undo.open_peak_kb   peak working set with the table open, before any step
//   undo.peak_kb        peak working set after the 1,000 steps
//   undo.history_kb     the bytes the history holds for them
//   undo.make_ms        making the 1,000 steps (select a row, type a value)
//   undo.all_ms         undoing all of them; the table is then as loaded
#include "bench/BenchWindow.h"
#include "support/HProcessClock.h"
#include "toolkit/HListView.h"

#include <windows.h>

#include <cstdio>
#include <string>

using namespace BenchWindow;

namespace {

const int STEPS = 1000;

double now() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

} // namespace

int main() {
    RZWindow window;
    RZEditData* document = openFirstDataSet(window);
    if (document == nullptr) {
        return 1;
    }
    HWND main = window.getHandle();
    HListView* list = static_cast<HListView*>(window.findById(IDC_SPELL_LIST));
    const int rows = list->getItemCount();
    pump();
    figure("undo.open_peak_kb", static_cast<double>(HProcessClock::peakWorkingSetKb()));

    HWND cost = GetDlgItem(main, IDC_COST);
    HWND name = GetDlgItem(main, IDC_NAME);
    double start = now();
    for (int step = 0; step < STEPS; ++step) {
        // Another row each time: the selection ends the step.
        list->setSelectedIndex(step % rows);
        std::string text =
            step % 2 == 0 ? std::to_string(step % 9000 + 1000) : "呪文" + std::to_string(step);
        SetWindowTextA(step % 2 == 0 ? cost : name, text.c_str());
        pump();
    }
    double made = now() - start;
    figure("undo.make_ms", made);
    figure("undo.peak_kb", static_cast<double>(HProcessClock::peakWorkingSetKb()));
    figure("undo.history_kb", static_cast<double>(document->history().storedBytes()) / 1024.0);
    std::printf("steps kept: %u\n", static_cast<unsigned>(document->history().undoCount()));

    start = now();
    while (document->history().canUndo()) {
        SendMessageA(main, WM_COMMAND, MAKEWPARAM(IDM_UNDO, 1), 0);
        pump();
    }
    figure("undo.all_ms", now() - start);
    std::printf("changed after undoing all: %s\n", document->hasChanged() ? "yes" : "no");
    DestroyWindow(main);
    pump();
    return 0;
}
