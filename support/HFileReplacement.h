#pragma once

#include "support/HFile.h"

#include <string>

// A new version of a file, written in full under a free name beside it and
// then moved over it in one step: at every instant the file's name holds the
// old version or the new one, whole. Before the move the old version can get a
// second name of its own, to keep it (a backup) or to put it back when a later
// step fails. The file written beside is removed again unless it took the
// target's place.
class HFileReplacement {
  public:
    enum class Result {
        REPLACED,     // the new version is in place
        NOT_KEPT,     // no second name could be made; nothing changed
        NOT_REPLACED, // the target could not be replaced; nothing changed
    };
    // The steps a test can make fail, as a file system or another program would.
    enum class Step {
        NONE,
        LINK,        // no second names on this file system: a copy is made instead
        SECOND_NAME, // neither a second name nor a copy
        MOVE,        // the move over the target
    };

    explicit HFileReplacement(HFile target);
    ~HFileReplacement();
    HFileReplacement(const HFileReplacement&) = delete;
    HFileReplacement& operator=(const HFileReplacement&) = delete;

    // Writes the whole new version beside the target; false when it is not
    // complete there. A target that is a folder or read-only counts as a file
    // that cannot be opened, as it would be if it were written in place.
    bool write(const std::string& bytes);
    // Whether the last write could not make its file at all (rather than
    // failing partway).
    bool openFailed() const { return notOpened; }

    // Puts the written version in place. With `keep` given and the target
    // there, the target's present version first gets `keep` as its second
    // name; when the move then fails that name is removed again.
    Result replace(const HFile& keep = HFile());

    // A name beside the file that names nothing yet: its name and the suffix,
    // or with a number before the suffix while that is taken (a user's file,
    // or one left by an earlier run, is never written over and then deleted).
    // Empty when none is free.
    static HFile freeNameBeside(const HFile& file, const char* suffix);
    // Gives the file the second name `keep`: a hard link, or where the file
    // system has none, a copy.
    static bool keepAs(const HFile& file, const HFile& keep);
    // Moves `from` over `to` in one step, as a kept version is put back.
    static bool moveOver(const HFile& from, const HFile& to);

    // For tests only: every call of the step from the `nth` on (counted from
    // now, 1 the next) fails. Step::NONE makes every step work again.
    static void failForTests(Step step, int nth);

  private:
    HFile path;
    HFile written; // beside the target, until it took the target's place
    bool notOpened = false;
};
