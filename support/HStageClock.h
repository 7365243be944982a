#pragma once

// Where the time of an operation goes, for the benchmark programs. The code
// marks its stages with a Scope; while a listener is set, the time spent in
// each stage, without the stages marked inside it, is handed to the listener
// as the stage ends or another one begins inside it. Without a listener a
// Scope tests one pointer and reads no clock. One thread: the window's.
class HStageClock {
  public:
    // `stage` is the name the Scope was given (a literal: it lives on).
    using Listener = void (*)(const char* stage, double ms);

    // Null stops listening.
    static void setListener(Listener listener) { current().listener = listener; }

    class Scope {
      public:
        explicit Scope(const char* name) : stage(current().listener != nullptr ? name : nullptr) {
            if (stage != nullptr) {
                enter();
            }
        }
        ~Scope() {
            if (stage != nullptr) {
                leave();
            }
        }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

      private:
        void enter();
        void leave();

        const char* stage;
        const char* outer = nullptr;
    };

  private:
    struct State {
        Listener listener = nullptr;
        const char* stage = nullptr; // the innermost stage running
        double since = 0.0;          // when its time was last handed over, ms
    };
    static State& current() {
        static State state;
        return state;
    }
    // Hands the running stage's time since the last hand-over to the listener.
    static void charge(State& state, double now);
    static double nowMs();
};
