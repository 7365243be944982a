#pragma once

#include "support/HFile.h"

#include <string>

// Keeps the versions of a table's files that a save replaces: each save that
// replaces a file keeps the old one in its own folder
// Backup\<YYYYMMDD-HHMMSS>[-N] beside the table, made when the first file goes
// in. The newest KEPT such folders stay; older ones go, but only folders whose
// name has exactly that form and that hold nothing but the table's two files.
class RZTableBackup {
  public:
    static constexpr int KEPT = 20;
    static const char* const FOLDER;

    // For the table at tablePath; nothing is made yet.
    explicit RZTableBackup(const HFile& tablePath);

    // Where this save keeps the old version of one of the table's files (the
    // folder is made at the first call). An empty path when the folder cannot
    // be made: the backup then counts as failed.
    HFile place(const char* name);
    // An old version that could not be kept (also where place() gave no
    // path): the backup counts as failed.
    void notKept();
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
