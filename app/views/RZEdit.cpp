// The program's entry point: logging, the application data, the main window
// and its message loop, then the tear-down.
#include "app/data/RZGameDirectory.h"
#include "app/views/RZBenchHook.h"
#include "app/views/RZWindow.h"
#include "support/HDebug.h"
#include "toolkit/HApplication.h"

#include <windows.h>

#include <objbase.h>

#include <string>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand) {
    // Before anything else, for the bench hook's split of the start-up.
    double enteredMs = RZBenchHook::entryTime();
    HDebug::start();
    HLOG_START("RZEdit", 15, "winmain");

    char path[260] = {};
    GetModuleFileNameA(nullptr, path, sizeof(path));
    path[sizeof(path) - 1] = '\0'; // a cut-off path is not terminated on older systems
    HDebug::debug("exec   : %s", path);

    HApplication::init(instance, previous, commandLine, showCommand);

    // "RZEdit.exe <game-directory>" uses that game instead of the registry's.
    std::string named;
    if (RZGameDirectory::useArgument(commandLine, &named) ==
        RZGameDirectory::Argument::NOT_A_DIRECTORY) {
        // Before the window exists, so the box has no owner.
        std::string text = "ゲームのフォルダではありません：\n" + named +
                           "\n\nレジストリに登録されたゲームのフォルダを使います。";
        MessageBoxA(nullptr, text.c_str(), "RZEdit", MB_OK | MB_ICONWARNING);
    }

    {
        RZWindow window;
        RZBenchHook::start(&window, enteredMs);
        CoInitialize(nullptr);
        // Creates every native window and runs the message loop until WM_QUIT.
        window.setVisible(true);
        CoUninitialize();
        RZBenchHook::finish();
    }
    // The window has let go of the bench listeners with its components.
    RZBenchHook::release();

    HLOG_END("RZEdit", 31, "winmain");
    HDebug::stop();
    return 0;
}
