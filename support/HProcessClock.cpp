#include "support/HProcessClock.h"

#include "support/HFindFiles.h"

#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

ULONGLONG fileTimeValue(const FILETIME& t) {
    return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

// Windows 8 and later have a precise clock; Wine and Windows 7 use the ordinary one.
ULONGLONG systemTime100ns() {
    using PreciseClock = VOID(WINAPI*)(LPFILETIME);
    static PreciseClock precise = reinterpret_cast<PreciseClock>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetSystemTimePreciseAsFileTime")));
    FILETIME now;
    if (precise != nullptr) {
        precise(&now);
    } else {
        GetSystemTimeAsFileTime(&now);
    }
    return fileTimeValue(now);
}

unsigned long linuxProcessId() {
    const char* pidFile = std::getenv("RZEDIT_BENCH_PIDFILE");
    unsigned long pid = 0;
    if (pidFile != nullptr) {
        if (FILE* in = std::fopen(pidFile, "r")) {
            if (std::fscanf(in, "%lu", &pid) != 1) {
                pid = 0;
            }
            std::fclose(in);
        }
    }
    return pid;
}

// Sums the run time of the process's threads from /proc, read through Wine's
// drive Z: (the process id is needed: Wine opens files in its server, so
// "self" would be the server). False when nothing could be read.
bool schedulerNanoseconds(unsigned long pid, double* nanoseconds) {
    const std::string tasks = "Z:\\proc\\" + std::to_string(pid) + "\\task\\";
    HFindFiles threads(tasks + "*");
    if (!threads.isOpen()) {
        return false;
    }
    bool read = false;
    *nanoseconds = 0.0;
    while (threads.next()) {
        const std::string thread = threads.name();
        if (thread[0] == '.') {
            continue;
        }
        FILE* in = std::fopen((tasks + thread + "\\schedstat").c_str(), "r");
        if (in != nullptr) {
            unsigned long long running = 0;
            if (std::fscanf(in, "%llu", &running) == 1) {
                *nanoseconds += static_cast<double>(running);
                read = true;
            }
            std::fclose(in);
        }
    }
    return read;
}

PROCESS_MEMORY_COUNTERS_EX memoryCounters() {
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof(memory);
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                         sizeof(memory));
    return memory;
}

} // namespace

double HProcessClock::msSinceCreation() {
    FILETIME creation, exitTime, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &creation, &exitTime, &kernel, &user)) {
        return -1.0;
    }
    return static_cast<double>(systemTime100ns() - fileTimeValue(creation)) / 10000.0;
}

// Wine counts GetProcessTimes in 10 ms clock ticks, too coarse for a program
// that uses a few ms a second: hence the scheduler's counters when available.
double HProcessClock::cpuMs(bool* precise) {
    *precise = false;
    unsigned long pid = linuxProcessId();
    double nanoseconds = 0.0;
    if (pid != 0 && schedulerNanoseconds(pid, &nanoseconds)) {
        *precise = true;
        return nanoseconds / 1e6;
    }
    FILETIME creation, exitTime, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &creation, &exitTime, &kernel, &user)) {
        return 0.0;
    }
    return static_cast<double>(fileTimeValue(kernel) + fileTimeValue(user)) / 10000.0;
}

unsigned long long HProcessClock::peakWorkingSetKb() {
    return memoryCounters().PeakWorkingSetSize / 1024;
}

unsigned long long HProcessClock::privateKb() {
    return memoryCounters().PagefileUsage / 1024;
}
