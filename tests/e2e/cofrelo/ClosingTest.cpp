// Cofrelo ends as Windows asks programs to end: taskkill without /F ("End
// task" alike) sends WM_CLOSE to its windows, the Restart Manager and a
// logoff end the session. Nothing is saved or asked at exit, so each ends it
// with exit code 0, whatever dialog or message box is open.
#include "tests/e2e/cofrelo/CofreloSession.h"

#include <gtest/gtest.h>

using namespace cofrelo;

namespace {

TEST(Closing, TaskkillAndTheEndOfTheSessionEndTheProgramWithZero)
{
    for (const bool insertDialogOpen : {false, true}) {
        SCOPED_TRACE(insertDialogOpen ? "taskkill, the insert dialog open" : "taskkill, idle");
        Session session;
        if (insertDialogOpen) session.Open(InsertCommand, InsertDialogTitle);
        EXPECT_EQ(e2e::RunToEnd(L"taskkill.exe /PID " + std::to_wstring(session.App.ProcessId())), 0u);
        EXPECT_EQ(session.App.WaitForExit(), 0u);
    }
    SCOPED_TRACE("the end of the session, a message box open");
    Session session;
    session.Choose(AboutCommand);
    session.WaitForModal(AboutTitle);
    EXPECT_EQ(e2e::SendBounded(session.Main, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP), TRUE);
    PostMessageW(session.Main, WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP);
    EXPECT_EQ(session.App.WaitForExit(), 0u);
}

}  // namespace
