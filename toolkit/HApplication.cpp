#include "toolkit/HApplication.h"

#include "support/HRegistry.h"

namespace {

HINSTANCE instanceHandle = nullptr;
HINSTANCE previousHandle = nullptr;
std::string commandLineText;
int showCommandValue = 0;

} // namespace

void HApplication::init(HINSTANCE instance, HINSTANCE previous, const std::string& commandLine,
                        int showCommand) {
    instanceHandle = instance;
    previousHandle = previous;
    commandLineText = commandLine;
    showCommandValue = showCommand;
}

HINSTANCE HApplication::getInstanceHandle() {
    return instanceHandle;
}

HINSTANCE HApplication::getPreviousInstanceHandle() {
    return previousHandle;
}

std::string HApplication::getCommandLine() {
    return commandLineText;
}

int HApplication::getShowCommand() {
    return showCommandValue;
}

bool HApplication::readRegistry(const std::string& path, BYTE* buffer, DWORD* size) {
    return HRegistry::read(path, buffer, size);
}

std::string HApplication::readRegistryString(const std::string& path) {
    return HRegistry::readString(path);
}
