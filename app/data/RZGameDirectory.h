#pragma once

#include <string>

// Where the game lies: the directory given on the editor's command line, or
// else the one the game's installer wrote into the registry.
class RZGameDirectory {
  public:
    enum class Argument {
        NONE,            // no argument: the registry, as always
        USED,            // an existing directory, used from now on
        NOT_A_DIRECTORY, // refused: the registry is used
    };

    RZGameDirectory() = delete;

    // Reads the one argument of WinMain's command line; *named is set to the
    // argument as given.
    static Argument useArgument(const std::string& commandLine, std::string* named);
    // The game directory: the argument's, else the registry value ("" when
    // there is none).
    static std::string path();
};
