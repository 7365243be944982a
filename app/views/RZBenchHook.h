#pragma once

class RZWindow;

// The benchmark hook (scripts/bench.sh). It does nothing unless the environment
// variable RZEDIT_BENCH_FILE names a file; then "BENCH <name> <value>" lines are
// appended to it:
//   startup.editor_ms   process creation to the main window's first WM_PAINT,
//   startup.editor_entry_ms   process creation to WinMain (Wine loading the
//   program and the system DLLs it imports);
//   with RZEDIT_BENCH_OPEN=<id> the File menu command <id> (a data set,
//   IDM_FIRST_DATA_SET upward) is sent after that paint; with
//   RZEDIT_BENCH_SECONDS=<s>, 3 s later the CPU
//   (kernel + user) over the next <s> seconds is taken, anim.editor_cpu_ms, with
//   the preview's paints over that time, anim.editor_preview_paints (and
//   anim.editor_cpu_precise, 1 when the nanosecond clock was used), and the
//   program quits through its exit command (RZEDIT_BENCH_SECONDS=0: right after
//   the first paint);
//   memory.editor_peak_kb / memory.editor_private_kb   at the end of the loop.
class RZBenchHook {
  public:
    // Process creation to now in ms when the hook is asked for, else 0: taken
    // first thing in WinMain, for the split of the start-up.
    static double entryTime();
    // Starts listening to the window's paints, when the hook is asked for.
    static void start(RZWindow* window, double enteredMs);
    // Writes the memory figures at the end of the message loop.
    static void finish();
    // Frees the hook's listeners, once the window that held them is gone.
    static void release();
};
