// Command routing: every command id reaches its operation (seen through the
// operations' journal lines), the target is the root of the sending control,
// and the about box's button closes the about box, never the main window.
#include "app/operations/RZCommand.h"
#include "app/operations/RZOperations.h"
#include "app/views/RZIds.h"
#include "tests/common/TestSupport.h"
#include "toolkit/HButton.h"
#include "toolkit/HDialog.h"
#include "toolkit/HWindow.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>

namespace {

// The operations whose journal start lines appear in a piece of the log.
std::set<std::string> operationsStarted(const std::string& log) {
    std::set<std::string> started;
    std::string::size_type at = 0;
    while ((at = log.find("RZOP", at)) != std::string::npos) {
        std::string name = log.substr(at, 8);
        if (log.compare(at + 8, std::string(" 開始").size(), " 開始") == 0) {
            started.insert(name);
        }
        at += 4;
    }
    return started;
}

struct Route {
    unsigned id;
    const char* operation;
};

// An id past the data sets of any game: no item has it.
const unsigned STRAY_COMMAND = IDM_FIRST_DATA_SET + 98;

const Route ROUTES[] = {
    {IDC_PREVIOUS, "RZOP0006"},
    {IDM_PREVIOUS, "RZOP0006"},
    {IDC_NEXT, "RZOP0007"},
    {IDM_NEXT, "RZOP0007"},
    {IDC_REVERT, "RZOP0014"},
    {IDM_REVERT, "RZOP0014"},
    {IDC_SOUND_CHOOSE, "RZOP0012"},
    {IDC_PLAY_TEST, "RZOP0004"},
    {IDC_PICTURE_REPLACE, "RZOP0013"},
    {IDM_NEW, "RZOP0019"},
    {IDM_OPEN, "RZOP0005"},
    {IDM_RELOAD, "RZOP0017"},
    {IDM_SAVE, "RZOP0016"},
    {IDM_SAVE_AS, "RZOP0015"},
    {IDM_EXIT, "RZOP0001"},
    {IDM_FIRST, "RZOP0008"},
    {IDM_LAST, "RZOP0009"},
    {IDM_ABOUT, "RZOP0018"},
    {IDC_ABOUT_OK, "RZOP0020"},
    {IDM_FILTER, "RZOP0040"},
    {IDM_CLEAR_FILTER, "RZOP0041"},
    // Separators, menu titles, the data-set items and strays: opening a data set.
    {IDM_FILE_SEPARATOR_1, "RZOP0002"},
    {IDM_FILE_SEPARATOR_2, "RZOP0002"},
    {IDM_EDIT_SEPARATOR_1, "RZOP0002"},
    {IDM_FILE, "RZOP0002"},
    {IDM_DATA_SET_SEPARATOR, "RZOP0002"},
    {IDM_FIRST_DATA_SET, "RZOP0002"},
    {IDM_FIRST_DATA_SET + 1, "RZOP0002"},
    {STRAY_COMMAND, "RZOP0002"},
    {0, "RZOP0002"},
};

TEST(RZCommandRoutingTest, EveryCommandIdReachesItsOperationAndOnlyThat) {
    RZCommand command;
    for (const Route& route : ROUTES) {
        testsupport::LogTail log;
        // Without a component the target is null: each operation only logs.
        EXPECT_TRUE(command.onCommand(nullptr, route.id, nullptr));
        std::string text = log.text();
        EXPECT_EQ(std::set<std::string>{route.operation}, operationsStarted(text))
            << "command " << route.id;
        EXPECT_NE(std::string::npos, text.find(std::string(route.operation) + " 終了"))
            << "command " << route.id;
        EXPECT_NE(std::string::npos,
                  text.find("[RZ]onCommand handle=0 id=" + std::to_string(route.id)))
            << text;
    }
}

TEST(RZCommandRoutingTest, TheAboutBoxButtonClosesItsOwnDialogOnly) {
    HWindow main;
    HDialog dialog(&main);
    HButton ok(&dialog, IDC_ABOUT_OK, "OK");
    RZCommand command;

    // The button's root is the dialog.
    EXPECT_TRUE(command.onCommand(nullptr, IDC_ABOUT_OK, &ok));
    EXPECT_EQ(1, dialog.getResult());

    // A menu command arrives with the window itself, whose root is null: the
    // window is the target, and a window that is not a dialog is left alone.
    dialog.setResult(-1);
    EXPECT_TRUE(command.onCommand(nullptr, IDC_ABOUT_OK, &main));
    EXPECT_EQ(-1, dialog.getResult());
    EXPECT_FALSE(RZOP0020(&main));
    EXPECT_FALSE(RZOP0020(nullptr));
    EXPECT_TRUE(RZOP0020(&dialog));
    EXPECT_EQ(1, dialog.getResult());
}

TEST(RZCommandRoutingTest, OperationsWithoutTargetOrWindowDoNothingButLog) {
    testsupport::LogTail log;
    EXPECT_FALSE(RZOP0004(nullptr));
    EXPECT_FALSE(RZOP0012(nullptr));
    EXPECT_FALSE(RZOP0013(nullptr));
    EXPECT_FALSE(RZOP0018(nullptr));
    // A window without a native window has no document.
    HWindow unshown;
    EXPECT_FALSE(RZOP0004(&unshown));
    EXPECT_FALSE(RZOP0012(&unshown));
    EXPECT_FALSE(RZOP0013(&unshown));
    for (const char* operation : {"RZOP0004", "RZOP0012", "RZOP0013", "RZOP0018"}) {
        EXPECT_TRUE(log.contains(std::string(operation) + " 終了")) << operation;
    }
}

} // namespace
