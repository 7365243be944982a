// A test program with one test that crashes, built on the main every test
// program has: tests/scripts/crash-test.sh runs it to see that a crashing test
// program fails its run within seconds, every time.
#include <gtest/gtest.h>

#include <cstdio>

TEST(CrashProbe, WritesThroughANullPointer) {
    std::puts("crashprobe: writing through a null pointer");
    std::fflush(stdout);
    volatile int* nowhere = nullptr;
    *nowhere = 1;
}
