// Crashes at once with an access violation, as a test program with a fault
// would: tests/scripts/crash-test.sh runs it to see that such a program fails
// its run within seconds instead of waiting on Wine's crash dialog.
#include <cstdio>

int main() {
    std::puts("crashprobe: writing through a null pointer");
    std::fflush(stdout);
    volatile int* nowhere = nullptr;
    *nowhere = 1;
    return 0;
}
