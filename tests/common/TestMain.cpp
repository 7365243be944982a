// The main of every test program: a crash ends it with a failure, a fresh
// temporary working directory with all debug-log markers, logging started, then
// GoogleTest.
#include "support/HDebug.h"
#include "tests/common/CrashExit.h"
#include "tests/common/TestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>

namespace testsupport {
void setRunDirectory(const std::string& dir);
}

namespace {
// Filled in the crash filter itself: no allocation there.
const char* runningTest() {
    static char name[512];
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    if (!test) {
        return nullptr;
    }
    snprintf(name, sizeof(name), "%s.%s", test->test_suite_name(), test->name());
    return name;
}
} // namespace

int main(int argc, char** argv) {
    testsupport::exitOnCrash(runningTest);
    testing::InitGoogleTest(&argc, argv);

    char temp[MAX_PATH];
    GetTempPathA(sizeof(temp), temp);
    char dir[MAX_PATH];
    snprintf(dir, sizeof(dir), "%srztest-%lu-%lu", temp, GetCurrentProcessId(), GetTickCount());
    CreateDirectoryA(dir, nullptr);
    SetCurrentDirectoryA(dir);
    testsupport::setRunDirectory(dir);

    const char* markers[] = {"debug",   "trace", "interface", "journal",
                             "warning", "error", "info",      "fatal"};
    for (const char* marker : markers) {
        testsupport::writeFile(std::string(dir) + "\\" + marker, "");
    }
    HDebug::start();
    int result = RUN_ALL_TESTS();
    HDebug::stop();
    // A passing run leaves nothing behind (some tests write files of hundreds
    // of megabytes); a failing one keeps its files and log to look at.
    if (result == 0) {
        SetCurrentDirectoryA(temp);
        testsupport::removeTree(dir);
    }
    return result;
}
