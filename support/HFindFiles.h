#pragma once

#include "support/HFile.h"

#include <vector>

// Lists the subdirectories of a directory.
class HFindFiles {
  public:
    // Appends every directory entry of the directory (including "." and ".."
    // where the file system lists them) and returns how many; -1 when the
    // directory cannot be entered or searched. The current directory is the
    // same afterwards in every case.
    static int getDirectories(const HFile& directory, std::vector<HFile>& result);
};
