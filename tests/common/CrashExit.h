// A test program that crashes must fail its run, and at once. Under Wine an
// unhandled exception starts the debugger, and the program's exit status then
// races the debugger's own exit: now and then it is 0, as if every test had
// passed. This filter runs before the debugger would start, says where the
// program crashed and ends it with its own failure status.
#pragma once

#include <windows.h>

#include <cstdio>

namespace testsupport {

constexpr UINT CRASH_EXIT_STATUS = 70;

// What the program was doing (the running test's name), or null.
using CrashContext = const char* (*)();

inline CrashContext& crashContext() {
    static CrashContext context = nullptr;
    return context;
}

inline LONG WINAPI exitOnCrashFilter(EXCEPTION_POINTERS* info) {
    const EXCEPTION_RECORD* record = info->ExceptionRecord;
    const char* during = crashContext() ? crashContext()() : nullptr;
    std::fflush(stdout);
    std::fprintf(stderr, "CRASH: exception 0x%08lx at %p%s%s\n",
                 static_cast<unsigned long>(record->ExceptionCode), record->ExceptionAddress,
                 during ? " in " : "", during ? during : "");
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), CRASH_EXIT_STATUS);
    return EXCEPTION_EXECUTE_HANDLER;
}

inline void exitOnCrash(CrashContext context) {
    crashContext() = context;
    SetUnhandledExceptionFilter(exitOnCrashFilter);
}

} // namespace testsupport
