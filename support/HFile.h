#pragma once

#include <string>

// A file path held as a directory part and a name part; copied by value.
class HFile {
  public:
    HFile() = default;
    // Splits the path at its last backslash (Shift-JIS aware).
    HFile(const std::string& path);
    HFile(const char* path);
    HFile(const HFile&) = default;
    HFile& operator=(const HFile&) = default;
    HFile(HFile&&) = default;
    HFile& operator=(HFile&&) = default;
    virtual ~HFile() = default;

    std::string directory() const { return dir; }
    std::string name() const { return fileName; }
    void setDirectory(const std::string& s) { dir = s; }
    void setName(const std::string& s) { fileName = s; }

    // directory + "\" + name; empty when both parts are empty.
    std::string fullPath() const;
    // The full path made absolute against the current directory.
    std::string absolutePath() const;
    // 0 missing (or a part empty), 1 file, 2 directory.
    int kind() const;
    bool exists() const { return kind() != 0; }
    // The path one level up; the default path when there is none.
    HFile parent() const;

    bool isEmpty() const { return dir.empty() && fileName.empty(); }

  private:
    std::string dir;
    std::string fileName;
};
