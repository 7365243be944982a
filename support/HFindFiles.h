#pragma once

#include "support/HFile.h"

#include <windows.h>

#include <string>
#include <vector>

// One listing of a directory's entries (FindFirstFile ... FindClose): the
// search handle is closed when the enumerator goes, on every path. Also lists
// the subdirectories of a directory.
class HFindFiles {
  public:
    // Starts the listing of what matches the pattern (a directory and "\*",
    // say); the first entry comes with the first next().
    explicit HFindFiles(const std::string& pattern);
    ~HFindFiles();
    HFindFiles(const HFindFiles&) = delete;
    HFindFiles& operator=(const HFindFiles&) = delete;

    // False when nothing matched or the directory could not be searched.
    bool isOpen() const { return search != INVALID_HANDLE_VALUE; }
    // Moves to the next entry; false when there is none left.
    bool next();
    // The current entry, after next() gave true.
    std::string name() const { return entry.cFileName; }
    bool isDirectory() const { return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
    // After next() gave false: the listing broke off with an error instead of
    // reaching its end, so entries may be missing.
    bool failed() const { return broken; }

    // Appends every directory entry of the directory (including "." and ".."
    // where the file system lists them) and returns how many; -1 when the
    // directory cannot be entered or searched. The current directory is the
    // same afterwards in every case.
    static int getDirectories(const HFile& directory, std::vector<HFile>& result);

  private:
    // Before the handle: the search fills it as it starts.
    WIN32_FIND_DATAA entry = {};
    HANDLE search;
    // The entry FindFirstFile gave is still to be handed out.
    bool firstPending;
    bool broken = false;
};
