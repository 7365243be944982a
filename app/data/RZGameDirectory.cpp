#include "app/data/RZGameDirectory.h"

#include "support/HCommandLine.h"
#include "support/HDebug.h"
#include "support/HPathText.h"
#include "support/HRegistry.h"

#include <windows.h>

namespace {

// Where the game's installer keeps the game directory.
const char* const REGISTRY_PATH = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Brix\\Kolden\\Directory";

// The directory given on the command line; "" when none was.
std::string& givenDirectory() {
    static std::string directory;
    return directory;
}

} // namespace

RZGameDirectory::Argument RZGameDirectory::useArgument(const std::string& commandLine,
                                                       std::string* named) {
    std::string argument = HCommandLine::singleArgument(commandLine.data(), commandLine.size());
    if (named != nullptr) {
        *named = argument;
    }
    if (argument.empty()) {
        return Argument::NONE;
    }
    // "C:\Games\Kolden\" names the same folder as "C:\Games\Kolden"; the paths
    // built on it take one backslash. A trail byte 0x5C is not a backslash, and
    // a drive's root ("C:\") keeps its own.
    std::string directory = argument;
    while (directory.size() > 1 && !(directory.size() == 3 && directory[1] == ':') &&
           HPathText::lastBackslash(directory.data(), directory.size()) == directory.size() - 1) {
        directory.pop_back();
    }
    // A relative path is taken from the working directory the editor starts in.
    char absolute[MAX_PATH];
    DWORD length = GetFullPathNameA(directory.c_str(), sizeof(absolute), absolute, nullptr);
    DWORD attributes = length > 0 && length < sizeof(absolute) ? GetFileAttributesA(absolute)
                                                               : INVALID_FILE_ATTRIBUTES;
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        HLOG_INFO("RZGameDirectory", 44, "ゲームフォルダ指定：フォルダではない");
        return Argument::NOT_A_DIRECTORY;
    }
    givenDirectory().assign(absolute, length);
    HDebug::debug("game   : %s", givenDirectory().c_str());
    return Argument::USED;
}

std::string RZGameDirectory::path() {
    if (!givenDirectory().empty()) {
        return givenDirectory();
    }
    return HRegistry::readString(REGISTRY_PATH);
}
