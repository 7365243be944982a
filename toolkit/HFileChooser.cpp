#include "toolkit/HFileChooser.h"

#include <cstring>

namespace {
// Copies at most size - 1 bytes and always ends the buffer.
void copyText(char* buffer, size_t size, const std::string& text) {
    size_t length = text.size() < size - 1 ? text.size() : size - 1;
    memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
}

const char DEFAULT_FILTER[] = "全てのファイル {*.*}\0*.*\0";

// The common dialog library, with all it loads in turn, took about a sixth of
// the program's start-up; it is loaded when a dialog is first shown instead,
// and kept for the rest of the process as a linked library would be.
using ChooseFileFunction = BOOL(WINAPI*)(LPOPENFILENAMEA);

ChooseFileFunction dialogFunction(const char* name) {
    static HMODULE library = LoadLibraryA("comdlg32.dll");
    if (library == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<ChooseFileFunction>(
        reinterpret_cast<void*>(GetProcAddress(library, name)));
}
} // namespace

HFileChooser::HFileChooser() {
    setClassName("HFileChooser");
    memset(&description, 0, sizeof(description));
    memset(fileName, 0, sizeof(fileName));
    memset(fileTitle, 0, sizeof(fileTitle));
    memset(initialDirectory, 0, sizeof(initialDirectory));
    memset(title, 0, sizeof(title));
    memset(filter, 0, sizeof(filter));
    memset(customFilter, 0, sizeof(customFilter));
    memset(defaultExtension, 0, sizeof(defaultExtension));

    copyText(initialDirectory, sizeof(initialDirectory), ".");
    copyText(title, sizeof(title), "ファイルを開く");
    // The literal's own terminator is the list's second zero byte.
    memcpy(filter, DEFAULT_FILTER, sizeof(DEFAULT_FILTER));

    description.lStructSize = sizeof(OPENFILENAMEA);
    description.hwndOwner = nullptr;
    description.hInstance = GetModuleHandleA(nullptr);
    description.lpstrFilter = filter;
    description.lpstrCustomFilter = customFilter;
    description.nMaxCustFilter = sizeof(customFilter);
    description.nFilterIndex = 0;
    description.lpstrFile = fileName;
    description.nMaxFile = sizeof(fileName);
    description.lpstrFileTitle = fileTitle;
    description.nMaxFileTitle = sizeof(fileTitle);
    description.lpstrInitialDir = initialDirectory;
    description.lpstrTitle = title;
}

HFileChooser::~HFileChooser() {}

void HFileChooser::setOwner(HWND owner) {
    description.hwndOwner = owner;
}

void HFileChooser::setInitialDirectory(const std::string& directory) {
    copyText(initialDirectory, sizeof(initialDirectory), directory);
}

void HFileChooser::setTitle(const std::string& text) {
    copyText(title, sizeof(title), text);
}

void HFileChooser::setFileName(const std::string& name) {
    copyText(fileName, sizeof(fileName), name);
}

void HFileChooser::setFilter(const char* bytes, int length) {
    memset(filter, 0, sizeof(filter));
    if (bytes == nullptr || length <= 0) {
        return;
    }
    size_t count = static_cast<size_t>(length);
    if (count > static_cast<size_t>(FILTER_SIZE - 1)) {
        count = FILTER_SIZE - 1;
    }
    memcpy(filter, bytes, count);
}

void HFileChooser::setDefaultExtension(const std::string& extension) {
    copyText(defaultExtension, sizeof(defaultExtension), extension);
    description.lpstrDefExt = defaultExtension[0] != '\0' ? defaultExtension : nullptr;
}

void HFileChooser::setFilterIndex(int index) {
    description.nFilterIndex = index > 0 ? static_cast<DWORD>(index) : 0;
}

void HFileChooser::prepare(DWORD flags) {
    description.Flags = flags;
    // An empty custom filter is handed over as none: some dialog versions take
    // an empty one for a broken pair and then show no file types at all.
    description.lpstrCustomFilter = customFilter[0] != '\0' ? customFilter : nullptr;
}

bool HFileChooser::chooseOpenFile() {
    prepare(OFN_FILEMUSTEXIST);
    ChooseFileFunction choose = dialogFunction("GetOpenFileNameA");
    return choose != nullptr && choose(&description) != FALSE;
}

bool HFileChooser::chooseSaveFile() {
    prepare(OFN_CREATEPROMPT);
    ChooseFileFunction choose = dialogFunction("GetSaveFileNameA");
    return choose != nullptr && choose(&description) != FALSE;
}

HFile HFileChooser::getFile() const {
    return HFile(std::string(fileName, strnlen(fileName, sizeof(fileName))));
}
