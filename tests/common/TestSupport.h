#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

// Helpers shared by the test programs. Each test program runs in a fresh
// temporary working directory (made by the common main), with every debug-log
// marker present, so log lines can be checked by reading ".\debug.log".
namespace testsupport {

// The working directory the program was started in by the common main.
std::string runDirectory();

// A new empty directory under the run directory, as an absolute path.
std::string makeScratchDir(const std::string& hint = "scratch");

bool writeFile(const std::string& path, const std::string& bytes);
std::string readFile(const std::string& path);
// The text as UTF-16LE bytes after the byte-order mark, as a Unicode text file.
std::string utf16WithMark(const std::u16string& text);
bool fileExists(const std::string& path);
bool removeFile(const std::string& path);
// Copies a directory tree; false when anything could not be copied.
bool copyTree(const std::string& from, const std::string& to);

// The directory holding the running test program (tool programs lie beside it).
std::string programDirectory();

// Runs a program and waits for it; returns its exit code, or -1.
int runProcess(const std::string& commandLine, const std::string& workingDirectory,
               unsigned timeoutMs = 60000);

// The log lines written since the object was made.
class LogTail {
  public:
    LogTail();
    std::string text() const;
    bool contains(const std::string& fragment) const;

  private:
    unsigned long long start;
};

// A real key press or release (SendInput), as the keyboard would give it.
void keyEvent(WORD vk, bool up);
// Real key strokes, pressed in order and released in reverse order, as a user
// types a combination.
void pressKeys(std::initializer_list<WORD> keys);

// Pumps the thread's messages for the given time.
void pumpMessages(unsigned milliseconds);

// The pixels (0x00RRGGBB, rows top down) of a 32-bit surface of the given size,
// drawn by a function given its device context.
std::vector<DWORD> pixelsOf(int width, int height, const std::function<void(HDC)>& draw);

} // namespace testsupport
