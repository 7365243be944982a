#include "support/HStageClock.h"

#include <windows.h>

double HStageClock::nowMs() {
    static LARGE_INTEGER frequency = {};
    if (frequency.QuadPart == 0) {
        QueryPerformanceFrequency(&frequency);
    }
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void HStageClock::charge(State& state, double now) {
    if (state.stage != nullptr && state.listener != nullptr) {
        state.listener(state.stage, now - state.since);
    }
    state.since = now;
}

void HStageClock::Scope::enter() {
    State& state = current();
    charge(state, nowMs());
    outer = state.stage;
    state.stage = stage;
}

void HStageClock::Scope::leave() {
    State& state = current();
    charge(state, nowMs());
    state.stage = outer;
}
