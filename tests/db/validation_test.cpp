// The engine's validation of a database through its service manager: a
// damaged data page is reported, a sound database reports nothing, and the
// validation runs while the database is open elsewhere.
#include <gtest/gtest.h>

#include <cstdlib>

#include "db/firebird/error.h"
#include "db/firebird/validation.h"
#include "support/damage.h"
#include "support/fixture.h"

namespace conversor::testing {
namespace {

TEST(ServiceFor, ALocalPathUsesTheEmbeddedServiceManagerAndHostPathTheServers) {
    const struct {
        const char* database;
        const char* service;
        const char* file;
    } cases[] = {
        {"/data/loja/TALVO.FDB", "service_mgr", "/data/loja/TALVO.FDB"},
        {"/data/a:b.fdb", "service_mgr", "/data/a:b.fdb"},
        {"C:\\Loja\\TALVO.FDB", "service_mgr", "C:\\Loja\\TALVO.FDB"},
        {"talvo.fdb", "service_mgr", "talvo.fdb"},
        {"servidor:/data/loja/TALVO.FDB", "servidor:service_mgr", "/data/loja/TALVO.FDB"},
        {"servidor/3051:/data/TALVO.FDB", "servidor/3051:service_mgr", "/data/TALVO.FDB"},
        {"servidor:C:\\Loja\\TALVO.FDB", "servidor:service_mgr", "C:\\Loja\\TALVO.FDB"},
    };
    for (const auto& c : cases) {
        const ServiceAddress a = ServiceFor(c.database);
        EXPECT_EQ(a.service, c.service) << c.database;
        EXPECT_EQ(a.database, c.file) << c.database;
    }
}

// A source whose 2,000 customers fill several data pages.
void FillCustomers(TestDatabases& db) {
    std::string digits = "(SELECT 0 AS D FROM RDB$DATABASE";
    for (int d = 1; d <= 9; ++d) digits += " UNION ALL SELECT " + std::to_string(d) + " FROM RDB$DATABASE";
    digits += ")";
    db.source().executeImmediate(
        "INSERT INTO CR002 (EMPRESA, CLICONTADOR, NOME, ENDERECOFAT) SELECT 1, N, 'CLIENTE ' || N, "
        "'RUA DAS FLORES ' || N FROM (SELECT A.D * 1000 + B.D * 100 + C.D * 10 + E.D + 1 AS N FROM " +
        digits + " A CROSS JOIN " + digits + " B CROSS JOIN " + digits + " C CROSS JOIN " + digits +
        " E) WHERE N <= 2000");
    db.closeConnections();
}

TEST(Validation, ASoundDatabaseReportsNothingAndADamagedPageIsReported) {
    TestDatabases db;
    FillCustomers(db);
    EXPECT_EQ(ValidateDatabase(db.sourcePath(), {}), std::vector<std::string>{});

    const long page = DamageFirstDataPage(db.sourcePath(), 3, "CR002");
    // Open elsewhere in this process, as the run's own connection holds it.
    auto open = OpenDatabase(db.sourcePath(), 3);
    const std::vector<std::string> damage = ValidateDatabase(db.sourcePath(), {});
    ASSERT_FALSE(damage.empty());
    EXPECT_EQ(damage[0].rfind("Error: Data page " + std::to_string(page), 0), 0u) << damage[0];
    bool namesTheTable = false;
    for (const std::string& line : damage) namesTheTable |= line.find("(CR002)") != std::string::npos;
    EXPECT_TRUE(namesTheTable) << ::testing::PrintToString(damage);
}

TEST(Validation, ADatabaseThatCannotBeReachedIsAnErrorWithTheServersText) {
    TestDatabases db;
    try {
        ValidateDatabase((db.dir() / "none.fdb").string(), {});
        FAIL() << "no error";
    } catch (const DbError& e) {
        EXPECT_NE(std::string(e.what()).find("none.fdb"), std::string::npos) << e.what();
    }
}

TEST(Validation, ThroughAServer) {
    const char* host = std::getenv("CONVERSOR_SERVER");
    if (!host || !*host) GTEST_SKIP() << "no Firebird server (CONVERSOR_SERVER is not set)";
    TestDatabases db;
    FillCustomers(db);
    DamageFirstDataPage(db.sourcePath(), 3, "CR002");
    ShareWithServer(db);
    EXPECT_FALSE(ValidateDatabase(std::string(host) + ":" + db.sourcePath(), {}).empty());
}

}  // namespace
}  // namespace conversor::testing
