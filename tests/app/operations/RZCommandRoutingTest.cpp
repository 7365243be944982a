// Command routing: every command id reaches its operation (seen through the
// operations' journal lines), the target is the root of the sending control,
// and the about box's button closes the about box, never the main window.
#include "app/operations/RZCommand.h"
#include "app/operations/RZOperations.h"
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

const Route ROUTES[] = {
    {102, "RZOP0006"},
    {145, "RZOP0006"},
    {103, "RZOP0007"},
    {146, "RZOP0007"},
    {104, "RZOP0014"},
    {150, "RZOP0014"},
    {127, "RZOP0012"},
    {128, "RZOP0004"},
    {130, "RZOP0013"},
    {136, "RZOP0019"},
    {137, "RZOP0005"},
    {138, "RZOP0017"},
    {140, "RZOP0016"},
    {141, "RZOP0015"},
    {143, "RZOP0001"},
    {147, "RZOP0008"},
    {148, "RZOP0009"},
    {152, "RZOP0018"},
    {203, "RZOP0020"},
    // Separators, menu titles, the data-set items and strays: opening a data set.
    {139, "RZOP0002"},
    {142, "RZOP0002"},
    {149, "RZOP0002"},
    {135, "RZOP0002"},
    {501, "RZOP0002"},
    {502, "RZOP0002"},
    {503, "RZOP0002"},
    {600, "RZOP0002"},
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
    HButton ok(&dialog, 203, "OK");
    RZCommand command;

    // The button's root is the dialog.
    EXPECT_TRUE(command.onCommand(nullptr, 203, &ok));
    EXPECT_EQ(1, dialog.getResult());

    // A menu command arrives with the window itself, whose root is null: the
    // window is the target, and a window that is not a dialog is left alone.
    dialog.setResult(-1);
    EXPECT_TRUE(command.onCommand(nullptr, 203, &main));
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
