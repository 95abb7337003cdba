// The same copy through a Firebird server ("host:path"), as stores with a
// central server run it. Needs a server on loopback: scripts/test starts one
// and sets CONVERSOR_SERVER.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "db/copy_loop.h"
#include "items_registry.h"
#include "support/fixture.h"

namespace conversor::testing {
namespace {

namespace fs = std::filesystem;

TEST(ServerRoad, CopiesRowsThroughAHostPathString) {
    const char* host = std::getenv("CONVERSOR_SERVER");
    if (!host || !*host) GTEST_SKIP() << "no Firebird server (CONVERSOR_SERVER is not set)";

    TestDatabases db;
    ShareWithServer(db);

    RecordingOperator ui;
    Session session(ui);
    session.sourcePath = std::string(host) + ":" + db.sourcePath();
    session.targetPath = std::string(host) + ":" + db.targetPath();
    ASSERT_TRUE(session.ConectaOrdelio()) << ui.boxTexts().back();
    ASSERT_TRUE(session.ConectaTalvo()) << ui.boxTexts().back();

    // Through the server too, while it holds the files, a plain path works:
    // the client library reaches the file through the server.
    db.onSource("CREATE TABLE S_ITEMS (ID INTEGER, NAME VARCHAR(20));"
                "INSERT INTO S_ITEMS VALUES (1, 'S\xE3o Jos\xE9 ');"
                "INSERT INTO S_ITEMS VALUES (2, 'two')");
    db.onTarget("CREATE TABLE T_ITEMS (CODE VARCHAR(5), NAME VARCHAR(20))");

    RegistryResult r = RunCopyLoop(session, ItemsRegistry());

    EXPECT_EQ(r.written, 2);
    EXPECT_TRUE(ui.boxes.empty()) << ui.boxTexts().front();
    EXPECT_EQ(db.targetRows("SELECT CODE, NAME FROM T_ITEMS ORDER BY CODE"),
              (Rows{{"00001", "S\xE3o Jos\xE9 "}, {"00002", "two"}}));
}

}  // namespace
}  // namespace conversor::testing
