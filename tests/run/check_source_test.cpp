// The source's health as the check reports it: a damaged data page is found
// before a run reads around it.
#include <gtest/gtest.h>

#include "app/check.h"
#include "support/damage.h"
#include "support/fixture.h"

namespace conversor::testing {
namespace {

TEST(CheckSourceHealth, ADamagedDataPageIsReportedAndASoundSourceIsNot) {
    TestDatabases db;
    db.onSource("INSERT INTO EST002 (GRUPOCONTADOR, DESCGRUPO) VALUES (1, 'BEBIDAS');"
                "INSERT INTO EST002 (GRUPOCONTADOR, DESCGRUPO) VALUES (2, 'LIMPEZA')");
    db.closeConnections();
    RecordingOperator ui;
    Session session(ui);
    session.sourcePath = db.sourcePath();
    EXPECT_TRUE(CheckSourceHealth(session).empty());

    DamageFirstDataPage(db.sourcePath(), 3, "EST002");
    const auto findings = CheckSourceHealth(session);
    ASSERT_FALSE(findings.empty());
    for (const CheckFinding& f : findings) {
        EXPECT_EQ(f.kind, CheckFinding::Kind::DamagedSource);
        EXPECT_FALSE(IsBlocking(f)) << "the run would convert, leaving rows out";
    }
    EXPECT_NE(findings.back().subject.find("(EST002)"), std::string::npos) << findings.back().subject;
    EXPECT_TRUE(ui.boxes.empty());
}

TEST(CheckSourceHealth, ASourceThatCannotBeValidatedIsSaidSo) {
    TestDatabases db;
    RecordingOperator ui;
    Session session(ui);
    session.sourcePath = (db.dir() / "none.fdb").string();
    const auto findings = CheckSourceHealth(session);
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(findings[0].kind, CheckFinding::Kind::SourceNotValidated);
    EXPECT_TRUE(IsBlocking(findings[0]));
    EXPECT_NE(findings[0].reason.find("none.fdb"), std::string::npos) << findings[0].reason;
}

}  // namespace
}  // namespace conversor::testing
