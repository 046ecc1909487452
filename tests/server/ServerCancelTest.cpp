// A statement the server is busy with, stopped by the operation running: cancelled through the
// driver, it ends in Cancelled long before the server would have answered, and the connection
// goes on.
#include "data/Recordset.h"
#include "server/ServerConnection.h"
#include "support/StoppingWatch.h"

#include <gtest/gtest.h>

using namespace test::server;

TEST(ServerCancel, StopsAStatementTheServerIsBusyWithAndTheConnectionGoesOn) {
    auto c = connectToServer();
    {
        test::StoppingWatch watch(3);
        data::WatchScope watching(watch);
        // The server would sleep a day: a cancel that did not reach it hangs the test.
        EXPECT_THROW(query(c, "SELECT pg_sleep(86400)"), data::Cancelled);
    }
    EXPECT_EQ(query(c, "SELECT COUNT(1) FROM public.notes")->Fields(0).Value(), 2);

    // A watch that never stops sees a statement through.
    test::StoppingWatch patient;
    data::WatchScope watching(patient);
    EXPECT_EQ(query(c, "SELECT COUNT(1) FROM public.notes")->Fields(0).Value(), 2);
}
