// The program file as Windows shows it: the version in its properties, the
// manifest that asks for the current common controls and declares the program
// aware of each screen's resolution, and its own icon in the title bar of the
// running editor.
#include "app/views/RZIds.h"
#include "tests/app/views/RZProcessSupport.h"
#include "tests/common/TestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

using namespace rzprocess;

namespace {

std::string versionString(const std::string& info, const char* name) {
    void* value = nullptr;
    UINT length = 0;
    std::string query = std::string("\\StringFileInfo\\041103A4\\") + name;
    if (!VerQueryValueA(info.data(), query.c_str(), &value, &length) || length == 0) {
        return "";
    }
    return std::string(static_cast<const char*>(value));
}

std::string manifestOf(const std::string& program) {
    HMODULE file = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (file == nullptr) {
        return "";
    }
    std::string text;
    HRSRC found = FindResourceA(file, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)); // RT_MANIFEST
    if (HGLOBAL loaded = found ? LoadResource(file, found) : nullptr) {
        text.assign(static_cast<const char*>(LockResource(loaded)), SizeofResource(file, found));
    }
    FreeLibrary(file);
    return text;
}

// Pixels of the star on the icon: a strong yellow.
bool isStarYellow(COLORREF c) {
    return GetRValue(c) > 200 && GetGValue(c) > 160 && GetBValue(c) < 110;
}

} // namespace

TEST(RZProgramFileTest, CarriesVersionManifestAndItsIconShowsInTheTitleBar) {
    std::string program = programPath();
    if (program.empty()) {
        GTEST_SKIP() << "needs RZEdit.exe (RZ_BUILD_DIR)";
    }

    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(program.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::string info(size, '\0');
    ASSERT_TRUE(GetFileVersionInfoA(program.c_str(), 0, size, &info[0]));
    EXPECT_EQ("RZEdit", versionString(info, "ProductName"));
    EXPECT_EQ("1.02", versionString(info, "FileVersion"));
    EXPECT_EQ("Copyright (c) 2026 RZEdit contributors", versionString(info, "LegalCopyright"));
    EXPECT_EQ("1.02", versionString(info, "ProductVersion"));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(MAKELONG(2, 1), fixed->dwFileVersionMS);
    EXPECT_EQ(MAKELONG(2, 1), fixed->dwProductVersionMS);

    std::string manifest = manifestOf(program);
    EXPECT_NE(std::string::npos, manifest.find("name=\"Microsoft.Windows.Common-Controls\" "
                                               "version=\"6.0.0.0\""))
        << manifest;
    // The program lays itself out for each screen's resolution: Windows must
    // not stretch its windows as pictures.
    EXPECT_NE(std::string::npos, manifest.find(">PerMonitorV2, PerMonitor</dpiAwareness>"))
        << manifest;
    EXPECT_NE(std::string::npos, manifest.find(">true/pm</dpiAware>")) << manifest;

    EditorProcess editor;
    ASSERT_TRUE(editor.start(program, testsupport::makeScratchDir("icon")));
    HWND main = editor.mainWindow();
    bringToFront(main);
    editor.settle();
    // The small icon sits at the left end of the caption.
    RECT window = {};
    GetWindowRect(main, &window);
    POINT client = {0, 0};
    ClientToScreen(main, &client);
    int captionBottom = client.y - GetSystemMetrics(SM_CYMENU);
    HDC screen = GetDC(nullptr);
    int yellow = 0;
    for (int y = window.top; y < captionBottom; ++y) {
        for (int x = window.left; x < window.left + 2 * GetSystemMetrics(SM_CXSMICON); ++x) {
            yellow += isStarYellow(GetPixel(screen, x, y)) ? 1 : 0;
        }
    }
    ReleaseDC(nullptr, screen);
    EXPECT_GT(yellow, 10) << "the caption shows no star icon";

    PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDM_EXIT, 0), 0);
    EXPECT_EQ(0, editor.waitExit());
}
