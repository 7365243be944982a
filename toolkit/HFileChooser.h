#pragma once

#include "support/HFile.h"
#include "support/HObject.h"

#include <windows.h>

#include <commdlg.h>

#include <string>

// The settings of the platform's common open and save dialogs and their buffers.
// One chooser is made per dialog; its buffers keep the last choice.
class HFileChooser : public HObject {
  public:
    static constexpr int FILE_SIZE = 260;
    static constexpr int FILE_TITLE_SIZE = 256;
    static constexpr int DIRECTORY_SIZE = 260;
    static constexpr int TITLE_SIZE = 260;
    static constexpr int FILTER_SIZE = 1024;
    static constexpr int CUSTOM_FILTER_SIZE = 256;

    HFileChooser();
    ~HFileChooser() override;

    void setOwner(HWND owner);
    // Both copy at most 259 bytes.
    void setInitialDirectory(const std::string& directory);
    void setTitle(const std::string& title);
    // The name the dialog's file name box starts with (at most 259 bytes).
    void setFileName(const std::string& name);
    // Pairs of display text and pattern, each ended by a zero byte, the list by
    // a second one; at most 1,023 bytes are kept, so a final zero always stays.
    void setFilter(const char* bytes, int length);
    // Added to a typed name without one (at most 15 bytes, no dot). The dialog
    // adds the chosen filter's extension instead where the filter has one.
    void setDefaultExtension(const std::string& extension);
    // The filter shown first, counting pairs from 1; after a dialog, the one
    // the user left chosen.
    void setFilterIndex(int index);
    int getFilterIndex() const { return static_cast<int>(description.nFilterIndex); }

    // True when the user picked an existing file.
    bool chooseOpenFile();
    // True when the user picked a name; no overwrite question.
    bool chooseSaveFile();
    // The chosen path, split into directory and name.
    HFile getFile() const;

    HWND getOwner() const { return description.hwndOwner; }
    const char* getFileName() const { return fileName; }
    const char* getFileTitle() const { return fileTitle; }
    const char* getInitialDirectory() const { return initialDirectory; }
    const char* getTitle() const { return title; }
    const char* getFilter() const { return filter; }
    const OPENFILENAMEA& getDescription() const { return description; }

  private:
    void prepare(DWORD flags);

    OPENFILENAMEA description;
    char fileName[FILE_SIZE];
    char fileTitle[FILE_TITLE_SIZE];
    char initialDirectory[DIRECTORY_SIZE];
    char title[TITLE_SIZE];
    // One guard byte past the list's 1,024, always zero: a list cut in the middle
    // of a string still ends with two zero bytes.
    char filter[FILTER_SIZE + 1];
    char customFilter[CUSTOM_FILTER_SIZE];
    char defaultExtension[16];
};
