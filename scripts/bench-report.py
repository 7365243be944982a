#!/usr/bin/env python3
# Writes docs/benchmarks.md from the BENCH lines of a benchmark run (scripts/bench.sh
# calls it at the end of every run) and prints the table of figures and targets.
# Usage: bench-report.py results document runs command cpu cores memory os wine when
#                        revision load-before load-after ways
# results: lines "<round> <way> BENCH <name> <value>". Exits with status 1 when
# a target is missed.
import statistics
import sys

(results, document, runs, command, cpu, cores, memory, os_name, wine, when, revision,
 load_before, load_after, ways_measured) = sys.argv[1:]

WAYS = [("idle", "idle machine"), ("busy", "one CPU kept busy (`-k`)")]
ways = [way for way, _ in WAYS if way in ways_measured.split()]

# values[way][name] = [one value a round (start-up: a start)]
# by_round[way][name][round] = the values of that round
values = {way: {} for way, _ in WAYS}
by_round = {way: {} for way, _ in WAYS}
for line in open(results, encoding="utf-8", errors="replace"):
    parts = line.split()
    if len(parts) != 5 or parts[2] != "BENCH" or parts[1] not in values:
        continue
    try:
        value = float(parts[4])
    except ValueError:
        continue
    values[parts[1]].setdefault(parts[3], []).append(value)
    by_round[parts[1]].setdefault(parts[3], {}).setdefault(parts[0], []).append(value)


def median(way, name):
    found = values[way].get(name)
    return statistics.median(found) if found else None


def paired_ratio(way, name, base_name):
    """The median over the rounds of the editor's figure over the baseline's, each
    pair measured in the same round: a round's load on the machine reaches both
    programs of the pair alike, while the medians of the two sides may come from
    different rounds."""
    editor_rounds = by_round[way].get(name, {})
    base_rounds = by_round[way].get(base_name, {})
    ratios = []
    for round_name, editor_values in editor_rounds.items():
        base_values = base_rounds.get(round_name)
        if base_values:
            base = statistics.median(base_values)
            if base:
                ratios.append(statistics.median(editor_values) / base)
    return statistics.median(ratios) if ratios else None


def number(value, digits=1):
    return "—" if value is None else f"{value:,.{digits}f}"


def times(way, name, base_name):
    ratio = paired_ratio(way, name, base_name)
    return "—" if ratio is None else number(ratio, 2) + "×"


# figure, editor figure, baseline figure, unit, ratio limit (None: shown, no target),
# absolute limit (ms), baseline[, the pair whose ratio the limit is a multiple of]
rows = [
    ("Start-up to the first paint of the main window", "startup.editor_ms",
     "startup.minwin_ms", "ms", 1.5, None, "minimal window program"),
    ("Start-up, against the same window in plain Win32", "startup.editor_ms",
     "startup.formwin_ms", "ms", None, None,
     "the editor's window, controls and menu built with plain Win32 calls"),
    ("Start-up at 150 % (144 DPI), against the same window in plain Win32 at 150 %",
     "startup144.editor_ms", "startup144.formwin_ms", "ms", 1.15, None,
     "the same plain-Win32 window, laid out for 144 DPI",
     ("startup.editor_ms", "startup.formwin_ms")),
    # Judged against the plain list view: that program alone takes more than
    # 100 times reading the files raw, so that is below the platform's floor.
    ("Opening the demo data set to the first row shown", "open.editor_ms", "open.plain_ms",
     "ms", 1.15, 50.0, "the same files read, split into the same 81 rows and shown in a plain "
     "list view of the same columns, in plain Win32"),
    ("Opening, against reading the same files raw", "open.editor_ms", "open.raw_ms", "ms",
     None, None, "reading the same files raw"),
    ("The plain list view's opening, against reading raw", "open.plain_ms", "open.raw_ms",
     "ms", None, None, "reading the same files raw"),
    ("Save and read-back", "save.editor_ms", "save.raw_ms", "ms", 100.0, 50.0,
     "writing and reading the same bytes raw"),
    ("CPU over 10 s while the preview animates", "anim.editor_cpu_ms", "anim.paint_cpu_ms",
     "ms", 1.25, None, "one-frame animation with a 100 ms timer"),
    ("Peak memory (peak working set) with the demo game open", "memory.editor_peak_kb",
     "memory.minwin_peak_kb", "KiB", 2.0, None, "minimal window program"),
    ("Export of the demo table as TSV", "tsv.export_ms", "tsv.write_raw_ms", "ms", 100.0,
     50.0, "writing the same bytes raw"),
    ("Import of that TSV (every row checked)", "tsv.import_ms", "tsv.read_raw_ms", "ms",
     100.0, 50.0, "reading the same bytes raw"),
    ("Peak memory after 1,000 undo steps on the demo table", "undo.peak_kb",
     "undo.open_peak_kb", "KiB", 1.25, None, "the same process before the steps"),
    ("Undoing those 1,000 steps, each one shown", "undo.all_ms", "undo.make_ms", "ms", 1.5,
     None, "making the same steps in the form"),
    ("Table check on the demo table", "tools.check_ms", "tools.refresh_ms", "ms", 1.5, None,
     "refreshing the list once (every row's cells and colour)"),
    ("Bulk change of every row on the demo table, shown", "tools.bulk_ms", "tools.refresh_ms",
     "ms", 1.5, None, "refreshing the list once (every row's cells and colour)"),
    ("Filter set on the demo table, shown", "tools.filter_ms", "tools.refresh_ms", "ms", 1.5,
     None, "refreshing the list once (every row's cells and colour)"),
    ("Comparing the demo table with a copy changed in every level", "tools.compare_ms",
     "tools.refresh_ms", "ms", 1.5, None,
     "refreshing the list once (every row's cells and colour)"),
]

table = []
failed = []
for title, editor_name, base_name, unit, limit, absolute, base_title, *relative in rows:
    if all(median(w, editor_name) is None and median(w, base_name) is None for w in ways) \
            and editor_name.startswith(("open.", "save.", "undo.", "tsv.", "tools.",
                                        "startup144.")):
        continue  # the file, undo or tools benchmark is not built, or a run without 150 %
    target = "shown" if limit is None else \
        f"≤ {limit:g}×" + (f" and < {absolute:g} ms" if absolute else "") + \
        (" the ratio at 96 DPI" if relative else "")
    cells = []
    for way in ways:
        editor, base = median(way, editor_name), median(way, base_name)
        ratio = paired_ratio(way, editor_name, base_name)
        bound = limit * (paired_ratio(way, *relative[0]) or 0) if relative and limit else limit
        ok = None
        if limit is not None:
            ok = ratio is not None and ratio <= bound and (absolute is None or editor < absolute)
            if not ok:
                failed.append(f"{title} ({way})")
        cells.append((f"{number(editor)} {unit}", f"{number(base)} {unit}",
                      number(ratio, 2) + "×" if ratio is not None else "—",
                      "—" if ok is None else "pass" if ok else "FAIL"))
    table.append((title, base_title, target, cells))

# Where an open's time goes: bench_files takes the opens again with the
# editor's stage clock on; each stage's figure is its median per open.
STAGES = [
    ("read", "reading the table and its sound list"),
    ("parse", "parsing them into the spell levels"),
    ("characters", "reading the characters (CharacterData)"),
    ("stock", "reading the stock table"),
    ("list", "filling the spell list"),
    ("select", "selecting the first row"),
    ("form", "the form's boxes"),
    ("picture", "the picture"),
    ("character-list", "the character list"),
    ("title", "the title and the menu items"),
    ("paint", "painting what changed"),
    ("rest", "the rest (the command, the log's tests)"),
]


def breakdown(way):
    """(stage title, ms, share) for every stage measured, or [] without them."""
    found = [(title, median(way, f"open.stage.{name}_ms")) for name, title in STAGES]
    found = [(title, ms) for title, ms in found if ms is not None]
    whole = sum(max(ms, 0.0) for _, ms in found)
    return [(title, ms, ms / whole if whole else 0.0) for title, ms in found]


# The table on the terminal.
print()
for way in ways:
    print(f"{way:>6}: {'figure':50} {'editor':>14} {'baseline':>14} {'ratio':>8}  target")
    for title, _, target, cells in table:
        editor, base, ratio, verdict = cells[ways.index(way)]
        print(f"{'':8}{title[:50]:50} {editor:>14} {base:>14} {ratio:>8}  {target}  {verdict}")
    print()
for way in ways:
    stages = breakdown(way)
    if not stages:
        continue
    print(f"{way:>6}: opening the demo data set, stage by stage {'ms':>14} {'share':>8}")
    for title, ms, share in stages:
        print(f"{'':8}{title:50} {number(ms, 2):>14} {share * 100:7.1f}%")
    print(f"{'':8}{'whole (the same opens, stages timed)':50}"
          f" {number(median(way, 'open.stage.whole_ms'), 2):>14}")
    print()

lines = []
add = lines.append
add("# RZEdit benchmarks")
add("")
add("Every figure is the median of " + runs + " rounds (start-up: of four starts in each round)")
add("and is set against a baseline program measured in the same rounds, on the same")
add("machine, one program at a time. The ratio is the median over the rounds of the")
add("figure over its baseline in that round, so that the load of a round reaches both")
add("alike. Each round is run both ways: on the otherwise idle machine, then with one")
add("CPU kept busy by a shell loop (`-k`).")
add("")
header = "| Figure | Baseline | Target |"
rule = "|---|---|---|"
for way in ways:
    label = "idle" if way == "idle" else "`-k`"
    header += f" RZEdit, {label} | Baseline, {label} | Ratio, {label} | Result, {label} |"
    rule += "---:|---:|---:|---|"
add(header)
add(rule)
for title, base_title, target, cells in table:
    add(f"| {title} | {base_title} | {target} | " +
        " | ".join(" | ".join(cell) for cell in cells) + " |")
add("")
add("## Reproduce")
add("")
add("    " + command)
add("")
add("On a Debian 12 machine, as root, from a clone of the repository. It installs what")
add("is missing, builds an optimised RZEdit and the benchmark programs into")
add("`build-bench/`, writes the demo game, runs a warm-up round and then the measured")
add("rounds under Wine on a virtual display, each round both ways, prints the table and")
add("rewrites this file. `-n N` sets the number of rounds; `-k` or `-i` measures only")
add("with the CPU kept busy or only idle. It exits with status 1 when a target is missed.")
add("")
add("## Machine")
add("")
add(f"- CPU: {cpu}, {cores} cores")
add(f"- Memory: {memory}")
add(f"- OS: {os_name}")
add(f"- Wine: {wine}")
add(f"- Date: {when}, revision {revision}")
add(f"- Load average (1, 5, 15 min) before and after: {load_before}; {load_after}")
for way in ways:
    load = values[way].get("machine.load1")
    if load:
        add(f"- One-minute load average at the start of each round, {dict(WAYS)[way]}: "
            + ", ".join(f"{v:g}" for v in load))
add("")
add("## What is measured")
add("")
add("All times are taken inside the measured process: a process's whole wall time")
add("under Wine includes Wine's server and helper processes starting and lingering,")
add("which is not the program. An idle Wine program with a hidden window")
add("(`bench_minwin hold`) runs through the whole benchmark, so that Wine's desktop")
add("and services stay up between the measured programs instead of starting again")
add("inside the next program's start-up.")
add("")
add("On this virtual machine an idle CPU is slow to wake, and every Wine server")
add("round trip (a window created, a device context taken, a message sent across")
add("processes) may wait for one: a program that makes many of them, as RZEdit's")
add("start-up with its 33 controls does, takes longer on the idle machine than with a")
add("CPU kept busy, while the minimal window program hardly changes. Users have either")
add("kind of machine, so both ways count.")
add("")
add("- **Start-up**: from the process's creation time (`GetProcessTimes`) to the first")
add("  `WM_PAINT` of the main window. RZEdit reports it through its bench hook (README,")
add("  Benchmarks); the baseline `bench/bench_minwin.cpp` registers a class,")
add("  creates a 640 × 480 window (RZEdit's size), shows it and reports the same span.")
add("  A second baseline, `bench/bench_listwin.cpp`, does the same with one report")
add("  list view in the window where RZEdit's spell list is: what any list-view program")
add("  pays for the common controls. A third, `bench/bench_formwin.cpp`, builds")
add("  RZEdit's window itself with plain Win32 calls (no toolkit, no data, no log): the")
add("  same window style (with `WS_CLIPCHILDREN`), the 33 controls of the same classes,")
add("  styles, places and font, the two lists' columns, a menu bar of the same shape,")
add("  COM and the same manifest (current common controls), then `ShowWindow` and")
add("  `UpdateWindow`: what the window costs the platform, whoever builds it.")
add("- **Start-up at 150 %**: RZEdit and the plain-Win32 window started with the Wine")
add("  prefix's `LogPixels` at 144 (four starts of each a round), both laid out for it.")
add("  Their ratio may be at most 1.15 times the same ratio at 96 DPI: laying the")
add("  window out for the screen costs the editor no more than it costs any program.")
add("- **Animation CPU**: RZEdit opens the demo's first data set through its File menu")
add("  command (502), so that the first row is selected and its picture animates in")
add("  the preview every 100 ms; 3 s later it takes the CPU (kernel + user) of the")
add("  process over 10 s. The baseline, `bench_timer 10 paint`"
    " (`bench/bench_timer.cpp`), is")
add("  the least a painting animation costs: at every tick of a 100 ms window timer it")
add("  invalidates a 128 × 128 child window, which copies one frame from a memory")
add("  bitmap when painted. The same program without painting (`bench_timer 10`, the")
add("  bare timer) is shown next to both. All three measure the same span after the")
add("  same 3 s. Wine counts `GetProcessTimes` in 10 ms ticks, too coarse here, so they")
add("  read the Linux scheduler's nanosecond run time of their threads")
add("  (`/proc/<pid>/task/*/schedstat`, the process id handed over by the script).")
add("  The work Wine's server and the X server do for the process is not counted,")
add("  for any of them.")
precise = [v for way in ways for name in ("anim.editor_cpu_precise", "anim.timer_cpu_precise",
                                          "anim.paint_cpu_precise")
           for v in values[way].get(name, [])]
if precise and min(precise) < 1:
    add(f"  (Only {int(sum(precise))} of {len(precise)} CPU figures came from the nanosecond")
    add("  counters; the others are Wine's 10 ms ticks.)")
add("- **Peak memory**: the peak working set (`PeakWorkingSetSize` of")
add("  `GetProcessMemoryInfo`; under Wine the process's resident-set high-water mark)")
add("  at the end of the message loop: RZEdit after the 13 s with the demo data set")
add("  open and animating, the minimal window program after its first paint.")
add("  Most of either figure is Wine's own libraries.")
if any(median(way, "open.editor_ms") is not None for way in ways):
    add("- **Open and save**: `bench/bench_files.cpp`, inside one process: the")
    add("  editor's own operations next to `CreateFile`/`ReadFile`/`WriteFile` of the same")
    add("  bytes (see the program's header for exactly which files and steps).")
if any(median(way, "open.plain_ms") is not None for way in ways):
    add("- **Opening in plain Win32**: `bench/bench_openlist.cpp`, the floor of an open:")
    add("  in a window of RZEdit's size with the same manifest, a report list view of")
    add("  the spell list's place, styles and twelve columns; each open reads the files")
    add("  the editor's open reads, splits the table into the same 81 rows and puts them")
    add("  into the list with redraw off, selects the first row and lets it paint. It")
    add("  opens the same two data sets in the same order and rounds as the file")
    add("  benchmark, right after it. It has no form, picture, character list or menu.")
    add("  Opening is judged against it, not against reading the files raw: this")
    add("  program alone takes more than 100 times the raw reading (filling and painting")
    add("  a list of 81 rows is the platform's work, whoever does it), so the figure's")
    add("  target is at most 1.15 times this program's, idle and busy, and under 50 ms;")
    add("  the ratios to the raw reading are shown beside it.")
if any(median(way, "tsv.export_ms") is not None for way in ways):
    add("- **TSV**: the same program writes the open demo table as tab-separated text")
    add("  (as the Tools menu's export does once the file is chosen) and reads it back")
    add("  (the import, every row checked; nothing changes), next to writing and reading")
    add("  the same bytes raw.")
if any(median(way, "undo.all_ms") is not None for way in ways):
    add("- **Undo**: `bench/bench_undo.cpp`, inside one process: the demo table")
    add("  open, 1,000 steps typed into the form (a row selected, a cost or a name set),")
    add("  then every step undone through the undo command, each shown. Memory is")
    add("  judged against the same process before the steps; the undo time against")
    add(f"  making the steps. The history held {number(median(ways[0], 'undo.history_kb'))} KiB.")
if any(median(way, "tools.check_ms") is not None for way in ways):
    add("- **Table tools**: `bench/bench_tools.cpp`, inside one process: the demo")
    add("  table open; the baseline rewrites and recolours every row of the list once")
    add("  (each row's efficiency changed beforehand) and paints it. The table check is")
    add("  its rules over every row with the sound files looked for on disk where the")
    add("  play test looks; the bulk change adds 1 to every row's efficiency as the")
    add("  dialog's 実行 does (plan, undo step, rows, form), painted, from the table as")
    add("  loaded with one step to undo (so the menu's undo items keep their states).")
    add("  The filter is set on the whole list (the first row's element) as the")
    add("  dialog's OK sets it (rows matched, list, title, menus), painted, from every")
    add("  row shown under a filter (so the menu's 絞り込みの解除 keeps its state);")
    add("  `tools.filter_on_ms` is the same from no filter, the menu bar repainted.")
    add("  The comparison reads a copy of the table saved with every level changed")
    add("  (cost, efficiency, each spell's description), as 他の表と比較 reads it, and")
    add("  matches it against the table and the stock table.")
add("")


def split(way, program):
    total = median(way, f"startup.{program}_ms")
    entry = median(way, f"startup.{program}_entry_ms")
    if total is None or entry is None:
        return "—", "—", "—"
    return number(entry), number(total - entry), number(total)


add("## Where the time goes")
add("")
add("Start-up, split at the program's entry point (medians, ms; ratios as above):")
add("")
add("| Program | Way | Creation to entry point | Entry point to first paint | Whole |"
    " Against the minimal window | Against the list-view window |"
    " Against the plain Win32 form |")
add("|---|---|---:|---:|---:|---:|---:|---:|")
for way in ways:
    for program, title in (("editor", "RZEdit"),
                           ("formwin", "RZEdit's window in plain Win32"),
                           ("listwin", "list-view window program"),
                           ("minwin", "minimal window program")):
        entry, rest, whole = split(way, program)
        total = f"startup.{program}_ms"
        add(f"| {title} | {way} | {entry} | {rest} | {whole} |"
            f" {times(way, total, 'startup.minwin_ms')} |"
            f" {times(way, total, 'startup.listwin_ms')} |"
            f" {times(way, total, 'startup.formwin_ms')} |")
add("")
add("The first span is Wine mapping the program and initialising the system DLLs it")
add("imports (RZEdit also imports the common controls and COM, and their own")
add("dependencies; wave output is loaded at the first sound and the common dialogs when")
add("a file dialog is first shown); the second is the program's own work: creating the")
add("window with its 33 controls, menu and accelerators, showing it and painting it for")
add("the first time. The list-view window program pays the common controls and one")
add("list view, as every program with a list does. The plain Win32 form is RZEdit's")
add("window without RZEdit: against it, what the toolkit, the data and the log add.")
add("")
add("Most of the window's cost is the platform's. Showing a window with")
add("`WS_CLIPCHILDREN` erases every child control before the window's first")
add("`WM_PAINT`, and in this Wine every device context taken for a visible window")
add("(the erase, a non-client paint, a control measuring its font) checks the display")
add("configuration with three more server requests; the drop-down list alone makes a")
add("pop-up window of its own and lays itself out again when its font is set. Counted")
add("with the server's trace (`wineserver -d1`), the minimal window program makes about")
add("1,900 server requests from its start to its first paint and RZEdit about 3,500,")
add("of which about 800 fall between `ShowWindow` and the first paint and about 1,350")
add("are those display checks (450 of them); the plain Win32 form makes about 3,900.")
add("")
if any(breakdown(way) for way in ways):
    add("Opening the demo data set, stage by stage: the file benchmark takes its opens")
    add("again with RZEdit's stage clock on (`support/HStageClock.h`, idle unless a")
    add("benchmark sets a listener); each stage's time leaves out the stages inside it,")
    add("and each figure is the stage's median per open over the rounds, its share a")
    add("part of their sum. Painting is what the window paints once the command has")
    add("returned; the rest is what no stage holds.")
    add("")
    add("| Stage | " + " | ".join(f"{way} (ms) | {way} (share)" for way in ways) + " |")
    add("|---|" + "---:|---:|" * len(ways))
    rows_by_way = {way: {title: (ms, share) for title, ms, share in breakdown(way)}
                   for way in ways}
    for _, title in STAGES:
        if not any(title in rows_by_way[way] for way in ways):
            continue
        cells = []
        for way in ways:
            ms, share = rows_by_way[way].get(title, (None, None))
            cells.append(f"{number(ms, 2)} | " + ("—" if share is None else f"{share * 100:.1f} %"))
        add(f"| {title} | " + " | ".join(cells) + " |")
    add("| whole, the same opens with the stages timed | " + " | ".join(
        f"{number(median(way, 'open.stage.whole_ms'), 2)} | 100 %" for way in ways) + " |")
    add("| the figure above (stages not timed) | " + " | ".join(
        f"{number(median(way, 'open.editor_ms'), 2)} | " for way in ways) + " |")
    add("| the plain list view's open | " + " | ".join(
        f"{number(median(way, 'open.plain_ms'), 2)} | " for way in ways) + " |")
    add("| reading the same files raw | " + " | ".join(
        f"{number(median(way, 'open.raw_ms'), 2)} | " for way in ways) + " |")
    add("")
    add("Counted with the server's trace (`wineserver -d1`), an open makes about 195")
    add("server requests: painting what changed about 50 (each control painted takes six),")
    add("the picture about 50 (most of them display checks, made as its bitmaps and their")
    add("device contexts are created), the list about 25, the form's changed boxes four")
    add("each, the files three each. The plain list view's open makes about 277, 240 of")
    add("them display checks; reading the files raw about 15.")
    add("")
add("Animation CPU over 10 s (medians, ms; ratios as above):")
add("")
add("| Program | Way | CPU | Against the bare timer | Against the one-frame animation |")
add("|---|---|---:|---:|---:|")
for way in ways:
    for name, title in (("anim.timer_cpu_ms", "bare 100 ms timer"),
                        ("anim.paint_cpu_ms", "one-frame animation"),
                        ("anim.editor_cpu_ms", "RZEdit, preview animating")):
        add(f"| {title} | {way} | {number(median(way, name))} |"
            f" {times(way, name, 'anim.timer_cpu_ms')} | {times(way, name, 'anim.paint_cpu_ms')} |")
add("")
add("Each painted frame costs the process a paint cycle (invalidate, `WM_PAINT`,")
add("`BeginPaint`/`EndPaint`, Wine copying the window's pixels to the X server), several")
add("times what a bare timer tick costs. At each tick the preview invalidates only its")
add("frame's rectangle and, when painted, copies that frame, drawn over the background")
add("once when the animation started, straight to the window; the static control under")
add("it does not paint again.")
add("")

add("## Every figure (median of the runs)")
add("")
add("| Name | Way | Median | Least | Runs |")
add("|---|---|---:|---:|---|")
for name in sorted({n for way in ways for n in values[way]}):
    if name.startswith("scale."):
        continue
    for way in ways:
        found = values[way].get(name)
        if not found:
            continue
        runs_text = ", ".join(f"{v:g}" for v in found)
        add(f"| `{name}` | {way} | {number(median(way, name), 3)} | {number(min(found), 3)} |"
            f" {runs_text} |")
add("")

scale = sorted({n for way in ways for n in values[way] if n.startswith("scale.")})
if scale:
    add("## Long inputs")
    add("")
    add("The loaders alone on generated long inputs (`bench_files.exe`), median of the runs")
    add("of both ways.")
    add("")
    add("| Input | Median | Unit |")
    add("|---|---:|---|")
    for name in scale:
        found = [v for way in ways for v in values[way].get(name, [])]
        unit = "ms" if name.endswith("_ms") else "result code"
        add(f"| `{name}` | {number(statistics.median(found), 1)} | {unit} |")
    add("")

with open(document, "w", encoding="utf-8") as out:
    out.write("\n".join(lines))

if failed:
    print("bench: targets missed: " + "; ".join(failed))
    sys.exit(1)
print("bench: every target met")
