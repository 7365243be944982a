#pragma once

// What a benchmark reads of the running process: time since it was created,
// CPU it has used, and its memory. Shared by the editor's bench hook and the
// baseline programs it is compared with, so both are measured alike.
class HProcessClock {
  public:
    // Milliseconds from the process's creation time to now; -1 if unknown.
    static double msSinceCreation();

    // CPU (kernel + user) of the whole process in milliseconds. When the
    // environment variable RZEDIT_BENCH_PIDFILE names a file holding the
    // process's Linux process id, the scheduler's nanosecond counters are
    // used and *precise is set; otherwise GetProcessTimes.
    static double cpuMs(bool* precise);

    // Peak working set, and private (committed) bytes now, in KiB.
    static unsigned long long peakWorkingSetKb();
    static unsigned long long privateKb();
};
