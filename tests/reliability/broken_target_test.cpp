// A target that lacks a table, a column or the order-number generator: the
// boxes name the table and the row with the server's reason, that registry
// stops, the run goes on with the next one, and the triggers end active.
#include <gtest/gtest.h>

#include "db/session.h"
#include "reliability/helpers.h"
#include "text/cp1252.h"

namespace conversor::testing {
namespace {

struct Broken {
    const char* name;
    const char* damage;  // run on the target before the run
    const char* registry;
    const char* source;
    std::vector<std::string> boxHeads;  // each box starts with its head ('\r' shown as '|')
    const char* reason;                 // the server's words in the row box, the last of them
    const char* next;                   // the registry after it, which must still run
    const char* nextSource;
    const char* nextCheck;
    Rows nextExpected;
};

// Names the case in test listings.
void PrintTo(const Broken& c, std::ostream* os) { *os << c.name; }

const Broken kCases[] = {
    {"MissingTable", "DROP TABLE CIDADES", "cidades",
     "INSERT INTO REP004 (EMPRESA, CIDCONTADOR, DESCCID, UFCID) VALUES (1, 1, 'NEW', 'MG');"
     "INSERT INTO REP004 (EMPRESA, CIDCONTADOR, DESCCID, UFCID) VALUES (1, 2, 'OTHER', 'MG')",
     {"Ocorreu um erro ao limpar a tabela CIDADES no banco de dados do Ordelio.|"
      "Erro: Dynamic SQL Error\n-SQL error code = -204\n-Table unknown\n-CIDADES",
      "Ocorreu um erro ao converter o seguinte registro para a tabela CIDADES|Cidade: NEW|"
      "Erro: "},
     "Table unknown\n-CIDADES", "grupos", "INSERT INTO EST002 (GRUPOCONTADOR, DESCGRUPO) VALUES (1, 'BEBIDAS')",
     "SELECT COUNT(*) FROM GRUPROD", {{"1"}}},
    {"MissingColumn", "ALTER TABLE CLIENTE DROP CAMPOLIVRE6", "clientes",
     "INSERT INTO CR002 (EMPRESA, CLICONTADOR, NOME) VALUES (1, 1, 'ANA');"
     "INSERT INTO CR002 (EMPRESA, CLICONTADOR, NOME) VALUES (1, 2, 'BIA')",
     {"Ocorreu um erro ao converter o seguinte registro para a tabela CLIENTE|Cliente: ANA|"
      "Erro: "},
     "Column unknown\n-CAMPOLIVRE6", "grupos", "INSERT INTO EST002 (GRUPOCONTADOR, DESCGRUPO) VALUES (1, 'BEBIDAS')",
     "SELECT COUNT(*) FROM GRUPROD", {{"1"}}},
    {"MissingGenerator", "DROP GENERATOR G_NUMORD", "documentospagar",
     "INSERT INTO CP001 (EMPRESA, CPCONTADOR, FCONTADOR, TITULO, PARCELA, STATUS) VALUES (1, 1, 5, 'T1', '1', 'AB');"
     "INSERT INTO CP001 (EMPRESA, CPCONTADOR, FCONTADOR, TITULO, PARCELA, STATUS) VALUES (1, 2, 5, 'T2', '1', 'AB')",
     {"Ocorreu um erro ao converter o seguinte registro para a tabela DOCUPAG|Documento: T1 1|Registro:  0|"
      "Fornecedor: 5|Erro: "},
     "generator G_NUMORD is not defined", "documentosreceber", "", "SELECT TIPODOCTO FROM TIPODOC ORDER BY 1", {{"CP"}, {"CR"}}},
};

std::string CaseName(const ::testing::TestParamInfo<Broken>& info) { return info.param.name; }

class BrokenTargetTest : public ::testing::TestWithParam<Broken> {};

TEST_P(BrokenTargetTest, TheRegistryStopsAtItsFirstRowAndTheRunGoesOn) {
    const Broken& c = GetParam();
    TestDatabases db;
    db.onTarget(c.damage);
    db.onSource(c.source);
    if (*c.nextSource) db.onSource(c.nextSource);

    RecordingOperator ui;
    Session session(ui);
    session.sourcePath = db.sourcePath();
    session.targetPath = db.targetPath();
    EXPECT_EQ(ExecuteRun(session, Only({c.registry, c.next})), RunOutcome::Completed);

    std::vector<std::string> heads = c.boxHeads;
    heads.push_back(W("Conversão de dados finalizada."));
    const auto boxes = ui.boxTexts();
    ASSERT_EQ(boxes.size(), heads.size()) << ::testing::PrintToString(boxes);
    for (std::size_t i = 0; i < boxes.size(); ++i) EXPECT_EQ(boxes[i].rfind(heads[i], 0), 0u) << boxes[i];
    EXPECT_NE(boxes[c.boxHeads.size() - 1].find(c.reason), std::string::npos) << boxes[c.boxHeads.size() - 1];

    ASSERT_EQ(session.summary.registries.size(), 2u);
    const RegistryResult& broken = session.summary.registries[0];
    EXPECT_EQ(broken.name, c.registry);
    EXPECT_TRUE(broken.stopped);
    EXPECT_EQ(broken.read, 1) << "the registry stops at its first row";
    EXPECT_EQ(broken.written, 0);
    EXPECT_EQ(session.summary.registries[1].name, c.next);
    EXPECT_FALSE(session.summary.registries[1].stopped);
    EXPECT_EQ(db.targetRows(c.nextCheck), c.nextExpected);
    EXPECT_EQ(TriggerStates(db.target()), "00");
}

INSTANTIATE_TEST_SUITE_P(Reliability, BrokenTargetTest, ::testing::ValuesIn(kCases), CaseName);

}  // namespace
}  // namespace conversor::testing
