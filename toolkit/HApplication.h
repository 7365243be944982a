#pragma once

#include <windows.h>

#include <string>

// The process-wide data the entry point receives, and the registry read.
class HApplication {
  public:
    HApplication() = delete;

    static void init(HINSTANCE instance, HINSTANCE previous, const std::string& commandLine,
                     int showCommand);
    static HINSTANCE getInstanceHandle();
    static HINSTANCE getPreviousInstanceHandle();
    static std::string getCommandLine();
    static int getShowCommand();

    // The registry read of HRegistry, kept here for the toolkit's callers:
    // reads the value named by "ROOT\key\path\value" into buffer; size is the
    // buffer's size in and the value's size out. True when the value was read.
    static bool readRegistry(const std::string& path, BYTE* buffer, DWORD* size);
    // The text of the value up to its first NUL; "" when it cannot be read.
    static std::string readRegistryString(const std::string& path);
};
