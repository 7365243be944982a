#pragma once

#include "support/HFile.h"

#include <string>

// Keeps the versions of a table's files that a save replaces: each save that
// replaces a file moves the old one into its own folder
// Backup\<YYYYMMDD-HHMMSS>[-N] beside the table, made when the first file goes
// in. The newest KEPT such folders stay; older ones go, but only folders whose
// name has exactly that form and that hold nothing but the table's two files.
class RZTableBackup {
  public:
    static constexpr int KEPT = 20;
    static const char* const FOLDER;

    // For the table at tablePath; nothing is made yet.
    explicit RZTableBackup(const HFile& tablePath);

    // Moves the file into the backup folder under `name` and returns where it
    // now lies. An empty path when it could not (the file is where it was; the
    // backup counts as failed).
    HFile moveAside(const HFile& file, const char* name);
    // Puts a second name for the file into the backup folder, so that the file
    // can then be replaced in one step and nobody sees it missing; where the
    // file system has no such names, moves it there instead. Sets `moved` to
    // tell which; an empty path as for moveAside.
    HFile linkAside(const HFile& file, const char* name, bool& moved);
    // After a failed save, once the files were put back: removes the folders
    // this backup made (when they are empty).
    void discard();
    // After a successful save: removes the oldest backup folders past KEPT.
    void prune() const;

    bool failed() const { return failure; }

    // Whether a folder name has the backup form; its time and number (1 when
    // it has none) order the folders.
    static bool parseName(const std::string& name, std::string& stamp, unsigned long& number);

  private:
    bool makeFolder();

    std::string root;   // the Backup folder
    std::string folder; // this save's folder, once made
    bool madeRoot = false;
    bool failure = false;
};
