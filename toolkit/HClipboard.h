#pragma once

#include <windows.h>

#include <string>

// The clipboard, open for the life of the object: opened when made and closed
// when it goes, on every path. Text goes on it as Shift-JIS and as Unicode,
// and is taken preferably as Unicode.
class HClipboard {
  public:
    // Opens the clipboard for the window (a null one: for the task).
    explicit HClipboard(HWND owner);
    ~HClipboard();
    HClipboard(const HClipboard&) = delete;
    HClipboard& operator=(const HClipboard&) = delete;

    // False when another window holds the clipboard open.
    bool isOpen() const { return open; }
    // Empties the clipboard and puts the Shift-JIS text on it as CF_TEXT and,
    // converted, as CF_UNICODETEXT, each with its terminating NUL. True only
    // when both were taken.
    bool putText(const std::string& text);
    // The clipboard's text as a reader of text files takes it: Unicode text
    // as UTF-16LE after a byte-order mark (a mark of its own is not doubled),
    // else the Shift-JIS text. False when it holds no text that can be read.
    bool takeText(std::string& bytes) const;

    // Whether the clipboard holds text; asked without opening it.
    static bool hasText();

  private:
    bool open;
};
