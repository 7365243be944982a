// Measures the Tools menu's table check and bulk change, and the spell list's
// filter, on the demo table against refreshing the spell list once, inside one
// process: the main window opens the game's first data set (the registry value
// naming the game is set by scripts/bench.sh), then each figure is taken in
// rounds and the median printed, one line each, "BENCH <name> <value>":
//   tools.refresh_ms  every row of the list rewritten and recoloured once (each
//                     row's efficiency changed beforehand, outside the timing)
//                     and the list painted: what any change of every row costs
//   tools.check_ms    the table check: its rules over every row, with the
//                     sound files looked for where the play test looks, and the
//                     copies it could make
//   tools.bulk_ms     the bulk change of every row (efficiency + 1): the plan,
//                     the undo step, the list rewritten and recoloured and the
//                     form shown, painted; undone outside the timing
//   tools.filter_ms   a filter set on the whole list (the first row's element)
//                     as the dialog's OK sets it: the rows matched, the list
//                     brought to them, the title and the menus, painted; from
//                     every row shown under a filter (set outside the timing)
//   tools.filter_on_ms  the same from no filter, turned off outside the timing
//   tools.compare_ms  comparing the table with a copy changed in every level
//                     (cost and efficiency of each level, each spell's
//                     description), saved beside the run beforehand: the copy
//                     read as the compare command reads it and matched against
//                     the table and the stock table
//
//     wine-run.sh bench_tools.exe
#include "app/data/RZMagicLoader.h"
#include "app/data/RZTableCheck.h"
#include "app/data/RZTableCompare.h"
#include "app/operations/RZOperations.h"
#include "app/operations/RZOperationsCommon.h"
#include "app/views/RZDisplay.h"
#include "bench/BenchWindow.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

using namespace BenchWindow;

namespace {

const int ROUNDS = 9;

// The median of ROUNDS timed runs of `timed`, each after an untimed `prepare`.
double medianMs(const std::function<void()>& prepare, const std::function<void()>& timed) {
    std::vector<double> times;
    for (int round = 0; round < ROUNDS; ++round) {
        prepare();
        const auto start = std::chrono::steady_clock::now();
        timed();
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::nth_element(times.begin(), times.begin() + ROUNDS / 2, times.end());
    return times[ROUNDS / 2];
}

} // namespace

int main() {
    RZWindow window;
    RZEditData* document = openFirstDataSet(window);
    if (document == nullptr) {
        return 1;
    }
    HWND main = window.getHandle();
    std::printf("rows: %u\n", static_cast<unsigned>(document->count()));
    const auto paint = [main] {
        RedrawWindow(main, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        pump();
    };
    const auto undoAll = [&] {
        while (document->history().canUndo()) {
            SendMessageA(main, WM_COMMAND, MAKEWPARAM(IDM_UNDO, 1), 0);
        }
        paint();
    };

    int step = 0;
    const auto eachRowChanged = [&] {
        ++step;
        for (std::uint32_t i = 0; i < document->count(); ++i) {
            RZMagic* entry = document->entryAt(i);
            entry->setEfficiency(entry->baseline().getEfficiency() + step % 2);
        }
    };
    const double refresh = medianMs(eachRowChanged, [&] {
        RZDisplay().refreshRows(&window, document);
        paint();
    });
    figure("tools.refresh_ms", refresh, 3);
    for (std::uint32_t i = 0; i < document->count(); ++i) {
        document->entryAt(i)->setValues(document->entryAt(i)->baseline().values());
    }
    RZDisplay().refreshRows(&window, document);
    paint();

    std::size_t problems = 0;
    const RZTableCheck::Exists exists = [](const HFile& file) { return file.exists(); };
    const double check = medianMs([] {},
                                  [&] {
                                      problems = RZTableCheck::check(*document, exists).size() +
                                                 RZTableCheck::copies(*document, exists).size();
                                  });
    figure("tools.check_ms", check, 3);
    std::printf("problems and copies: %u\n", static_cast<unsigned>(problems));

    RZBulkChange::Choice choice;
    choice.field = RZSpellFields::FIELD_EFFICIENCY;
    choice.operation = RZBulkChange::ADD;
    choice.value = "1";
    // Before each round the table is as loaded, with one step that changed
    // nothing to undo: the menu's undo and redo items then keep their states,
    // whose repainting is the menu bar's cost, paid once by a table's first change.
    const auto loadedWithOneStep = [&] {
        undoAll();
        document->history().record(*document, {0}, 0, [] { return true; });
        rzops::updateCommandStates(&window, document);
        paint();
    };
    const double bulk = medianMs(loadedWithOneStep, [&] {
        bulkChange(&window, choice);
        paint();
    });
    figure("tools.bulk_ms", bulk, 3);
    undoAll();

    RZRowFilter::Conditions filter;
    filter.element = document->entryAt(0)->getElement();
    const auto applied = [&] {
        applyFilter(&window, filter);
        paint();
    };
    // From every row shown under a filter, so that the menu's 絞り込みの解除
    // keeps its state, whose repainting is the menu bar's cost, paid once when
    // a filter goes on (tools.filter_on_ms: from no filter, with that cost).
    std::vector<std::uint32_t> everyRow;
    for (std::uint32_t i = 0; i < document->count(); ++i) {
        everyRow.push_back(i);
    }
    const double filtering = medianMs(
        [&] {
            document->setFilter(filter, everyRow);
            rzops::showFilter(&window, document);
            paint();
        },
        applied);
    figure("tools.filter_ms", filtering, 3);
    const double filteringOn = medianMs(
        [&] {
            SendMessageA(main, WM_COMMAND, MAKEWPARAM(IDM_CLEAR_FILTER, 1), 0);
            paint();
        },
        applied);
    figure("tools.filter_on_ms", filteringOn, 3);
    std::printf("rows shown: %u of %u\n", static_cast<unsigned>(document->shownCount()),
                static_cast<unsigned>(document->count()));
    std::printf("changed after undoing: %s\n", document->hasChanged() ? "yes" : "no");

    // The copy: the table saved elsewhere with every level changed, then put back.
    CreateDirectoryA("compare-copy", nullptr);
    const HFile copy("compare-copy\\MagicTable");
    const HFile copySound("compare-copy\\SoundFileName");
    const HFile table = document->tablePath();
    const HFile sound = document->soundPath();
    for (std::uint32_t i = 0; i < document->count(); ++i) {
        RZMagic* entry = document->entryAt(i);
        entry->setCost(entry->getCost() + 1);
        entry->setEfficiency(entry->getEfficiency() + 1);
        entry->setDescription(entry->getDescription() + "改");
    }
    const bool copied = RZMagicLoader().save(copy, copySound, document);
    for (std::uint32_t i = 0; i < document->count(); ++i) {
        document->entryAt(i)->setValues(document->entryAt(i)->baseline().values());
    }
    document->setTablePath(table);
    document->setSoundPath(sound);
    std::size_t lines = 0;
    const double compare =
        medianMs([] {},
                 [&] {
                     std::vector<ZDMagic> records;
                     RZMagicLoader().readRecords(copy, copySound, &records);
                     lines =
                         RZTableCompare::compare(
                             RZTableCompare::levelsOf(*document), RZTableCompare::levelsOf(records),
                             RZTableCompare::levelsOf(document->stockTable().levels()))
                             .size();
                 });
    if (copied) {
        figure("tools.compare_ms", compare, 3);
    }
    std::printf("compared lines: %u\n", static_cast<unsigned>(lines));
    DestroyWindow(main);
    pump();
    return 0;
}
