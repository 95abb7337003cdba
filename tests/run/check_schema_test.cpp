// The schema part of the check: every statement of the ticked registries
// prepared on its database before anything runs, the objects the run relies
// on, the operation codes.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/check.h"
#include "app/registries.h"
#include "support/fixture.h"

namespace conversor::testing {
namespace {

using Kind = CheckFinding::Kind;

Ticked all() {
    Ticked t;
    t.fill(true);
    return t;
}

Ticked only(std::initializer_list<std::string_view> names) {
    Ticked t{};
    for (std::string_view n : names) t[static_cast<std::size_t>(FindRegistry(n) - Registries().data())] = true;
    return t;
}

std::string Describe(const std::vector<CheckFinding>& findings) {
    std::string out;
    for (const CheckFinding& f : findings)
        out += "[" + std::to_string(static_cast<int>(f.kind)) + "] " + f.registry + ": " + f.subject + " -> " +
               f.reason + "\n";
    return out;
}

class CheckSchemaTest : public ConversionTest {};

TEST_F(CheckSchemaTest, DatabasesBuiltFromTheSchemasHoldEverythingTheRunNeeds) {
    const auto findings = CheckSchema(session, all());
    EXPECT_TRUE(findings.empty()) << Describe(findings);
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(CheckSchemaTest, MissingTablesOnBothSidesAreListedAtOnceWithTheirRegistries) {
    db.onTarget("DROP TABLE TRANSPT");
    db.onSource("DROP TABLE EST038");
    db.closeConnections();
    ASSERT_TRUE(session.ConectaOrdelio());
    ASSERT_TRUE(session.ConectaTalvo());

    const auto findings = CheckSchema(session, all());
    std::vector<std::string> seen;
    for (const CheckFinding& f : findings) {
        EXPECT_EQ(f.kind, Kind::Statement) << Describe(findings);
        seen.push_back(f.registry + (f.on == Database::Source ? " source " : " target ") + f.subject.substr(0, 20));
        EXPECT_NE(f.reason.find("Table unknown"), std::string::npos) << f.reason;
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"produtos source SELECT EST004.EMPRES",
                                              "transportadoras target DELETE FROM TRANSPT",
                                              "transportadoras target INSERT INTO TRANSPT "}))
        << Describe(findings);
    EXPECT_NE(findings[0].reason.find("EST038"), std::string::npos) << findings[0].reason;
    EXPECT_TRUE(ui.boxes.empty()) << "nothing ran, so nothing failed in a box";
    EXPECT_EQ(db.targetValue("SELECT COUNT(*) FROM CONDPAG"), "0") << "the standard terms were only prepared";
}

TEST_F(CheckSchemaTest, OnlyTheTickedRegistriesAreChecked) {
    db.onTarget("DROP TABLE TRANSPT");
    const auto findings = CheckSchema(session, only({"cidades", "clientes"}));
    EXPECT_TRUE(findings.empty()) << Describe(findings);
}

TEST_F(CheckSchemaTest, ALookupMadeForEveryRowIsPreparedToo) {
    // MUNICIPIOS is read only by the cities' per-row lookup.
    db.onTarget("DROP TABLE MUNICIPIOS");
    const auto findings = CheckSchema(session, only({"cidades"}));
    ASSERT_EQ(findings.size(), 1u) << Describe(findings);
    EXPECT_EQ(findings[0].registry, "cidades");
    EXPECT_NE(findings[0].subject.find("FROM MUNICIPIOS"), std::string::npos);
}

TEST_F(CheckSchemaTest, TriggersGeneratorAndOperationCodesMustExist) {
    db.onTarget("DROP TRIGGER COMPCLIE_AU0; DROP GENERATOR G_NUMORD;"
                "INSERT INTO CDOPERC (CODOPER, DESCRICAO, TPOPERACAO) VALUES ('007', 'COMPRAS', '5');"
                "INSERT INTO CDOPERC (CODOPER, DESCRICAO, TPOPERACAO) VALUES ('009', 'COMPRAS', '5')");
    session.codOperPagar = "7";
    session.codOperReceber = "9";  // of type 5, not a receivables operation
    const auto findings = CheckSchema(session, only({"documentospagar", "documentosreceber"}));

    std::vector<std::string> seen;
    for (const CheckFinding& f : findings)
        seen.push_back(std::to_string(static_cast<int>(f.kind)) + " " + f.registry + " " + f.subject.substr(0, 20));
    EXPECT_EQ(seen, (std::vector<std::string>{
                        "0 documentospagar SELECT GEN_ID(G_NUMO",
                        "0 documentosreceber SELECT GEN_ID(G_NUMO",
                        "1  COMPCLIE_AU0",
                        "2 documentospagar G_NUMORD",
                        "3 documentosreceber 9",
                    }))
        << Describe(findings);
    EXPECT_EQ(session.codOperPagar, "007") << "the code as the selectors validate it";
}

}  // namespace
}  // namespace conversor::testing
