// The finance converters under the run's batched commits: the fixed writes
// beside the copy loops (start-up rows, generators, default document types)
// must still be committed in order, since later statements depend on them.
#include <gtest/gtest.h>

#include <algorithm>

#include "convert/finance/filiais.h"
#include "convert/finance/finance.h"
#include "support/fixture.h"

namespace conversor::testing {
namespace {

class BatchedCommitsTest : public ConversionTest {
protected:
    void SetUp() override {
        ConversionTest::SetUp();
        session.setCommitInterval(50);
    }
};

TEST_F(BatchedCommitsTest, BranchesCreateAndStartTheirGenerators) {
    db.onTarget("INSERT INTO CADUSUA (USUARIO, CODEMPRESA) VALUES ('ADMIN', '01')");
    db.onSource("INSERT INTO EMP001 (EMPCONTADOR, DESCEMPRESA) VALUES (1, 'MATRIZ');"
                "INSERT INTO EMP001 (EMPCONTADOR, DESCEMPRESA) VALUES (2, 'FILIAL');"
                "INSERT INTO EST024 VALUES (1, 150); INSERT INTO EST007 VALUES (1, 60)");
    ConverteFiliais(session);

    EXPECT_TRUE(boxes().empty()) << boxes()[0];
    EXPECT_FALSE(session.CnOrdelio.inTransaction());
    EXPECT_EQ(db.targetValue("SELECT GEN_ID(GENORC02, 0) + GEN_ID(GENPDV01, 0) FROM RDB$DATABASE"), "210");
    EXPECT_EQ(db.targetValue("SELECT (SELECT COUNT(*) FROM SALDOST) + (SELECT COUNT(*) FROM NUMERNF) FROM RDB$DATABASE"),
              "4");
}

TEST_F(BatchedCommitsTest, StandardTermsAndDocumentsAreAllCommitted) {
    db.onSource("INSERT INTO CP001 (EMPRESA, CPCONTADOR, FCONTADOR, TITULO, PARCELA, STATUS) VALUES (1, 1, 1, 'P', '1', 'AB');"
                "INSERT INTO CR001 (EMPRESA, CRCONTADOR, CLICONTADOR, TITULO, PARCELA, STATUS) VALUES (1, 1, 1, 'R', '1', 'AB')");
    GravaPrazosPadrao(session);
    ConverteDocumentosPagar(session);
    ConverteDocumentosReceber(session);

    EXPECT_TRUE(boxes().empty()) << boxes()[0];
    EXPECT_FALSE(session.CnOrdelio.inTransaction());
    EXPECT_EQ(db.targetValue("SELECT COUNT(*) FROM CONDPAG"), "2");
    EXPECT_EQ(db.targetValue("SELECT COUNT(*) FROM TIPODOC"), "2");
    EXPECT_EQ(db.targetRows("SELECT NUMORD FROM DOCUPAG UNION ALL SELECT NUMORD FROM DOCUREC"),
              (Rows{{"000000000001"}, {"000000000002"}}));
}

// A fixed write rides in the batch: one that fails is undone alone, and the
// writes before and after it are committed as when each commits on its own.
TEST_F(BatchedCommitsTest, AFailingFixedWriteIsUndoneAloneAndTheOthersAreCommitted) {
    db.onTarget("INSERT INTO CADUSUA (USUARIO, CODEMPRESA) VALUES ('ADMIN', '01');"
                "INSERT INTO CONDPAG (CODPRAZO, DESCRICAO) VALUES ('001', 'VELHO');"
                "ALTER TABLE NUMERNF ADD CONSTRAINT CK_NUMERNF_TESTE CHECK (NUMNF > 0);"
                "ALTER TABLE CONDPAG ADD CONSTRAINT CK_CONDPAG_TESTE CHECK (CODPRAZO <> '001')");
    db.onSource("INSERT INTO EMP001 (EMPCONTADOR, DESCEMPRESA) VALUES (1, 'MATRIZ');"
                "INSERT INTO EMP001 (EMPCONTADOR, DESCEMPRESA) VALUES (2, 'FILIAL')");
    GravaPrazosPadrao(session);
    session.flushBatch();  // as the run does after the standard terms
    ConverteFiliais(session);

    // One box for the refused term, one for each branch's numbering.
    ASSERT_EQ(boxes().size(), 3u) << boxes()[0];
    EXPECT_FALSE(session.CnOrdelio.inTransaction());
    EXPECT_EQ(db.targetRows("SELECT CODPRAZO FROM CONDPAG"), (Rows{{"000"}}));
    EXPECT_EQ(db.targetRows("SELECT CODEMPRESA FROM FILIAIS ORDER BY 1"), (Rows{{"01"}, {"02"}}));
    EXPECT_EQ(db.targetRows("SELECT CODEMPRESA FROM SALDOST ORDER BY 1"), (Rows{{"01"}, {"02"}}));
    EXPECT_EQ(db.targetValue("SELECT COUNT(*) FROM NUMERNF"), "0");
    EXPECT_EQ(db.targetValue("SELECT CODEMPRESA FROM CADUSUA WHERE USUARIO = 'ADMIN'"), "");
    EXPECT_EQ(db.targetValue("SELECT COUNT(*) FROM RDB$GENERATORS WHERE RDB$GENERATOR_NAME STARTING WITH 'GEN'"), "4");
}

// The generators of every branch are committed together; one refused is left
// out alone and one that exists keeps its value.
TEST_F(BatchedCommitsTest, GeneratorsAreDefinedTogetherAndARefusedOneIsLeftOutAlone) {
    db.onTarget("INSERT INTO FILIAIS (CODEMPRESA) VALUES ('X;');"
                "INSERT INTO FILIAIS (CODEMPRESA) VALUES ('A1');"
                "INSERT INTO FILIAIS (CODEMPRESA) VALUES ('B2');"
                "CREATE SEQUENCE GENPDVB2 START WITH 7");
    db.onSource("INSERT INTO EST024 VALUES (1, 12); INSERT INTO EST007 VALUES (1, 60)");
    GravaGenerators(session);

    std::vector<std::string> shown = boxes();
    std::sort(shown.begin(), shown.end());
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_NE(shown[0].find("GENORCX;"), std::string::npos) << shown[0];
    EXPECT_NE(shown[1].find("GENPDVX;"), std::string::npos) << shown[1];
    EXPECT_FALSE(session.CnOrdelio.inTransaction());
    EXPECT_EQ(db.targetRows("SELECT TRIM(RDB$GENERATOR_NAME) FROM RDB$GENERATORS WHERE RDB$GENERATOR_NAME "
                            "STARTING WITH 'GEN' ORDER BY 1"),
              (Rows{{"GENORCA1"}, {"GENORCB2"}, {"GENPDVA1"}, {"GENPDVB2"}}));
    EXPECT_EQ(db.targetValue("SELECT GEN_ID(GENORCA1, 0) + GEN_ID(GENPDVA1, 0) FROM RDB$DATABASE"), "72");
    EXPECT_EQ(db.targetValue("SELECT GEN_ID(GENPDVB2, 0) FROM RDB$DATABASE"), "7");
}

// A start the engine refuses (dialect 1 keeps generators to 32 bits) fails
// its own definition only: the branch's other generator is still committed
// with the shared commit.
TEST_F(BatchedCommitsTest, AGeneratorTheEngineRefusesIsLeftOutAlone) {
    db.onSource("DROP TABLE EST024;"
                "CREATE TABLE EST024 (EMPRESA INTEGER, ORCAMENTOCONTADOR BIGINT);"
                "INSERT INTO EST024 VALUES (1, 2147483648)");
    db.onTarget("INSERT INTO FILIAIS (CODEMPRESA) VALUES ('01')");
    GravaGenerators(session);

    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_NE(boxes()[0].find("GENORC01"), std::string::npos) << boxes()[0];
    EXPECT_FALSE(session.CnOrdelio.inTransaction());
    EXPECT_EQ(db.targetRows("SELECT TRIM(RDB$GENERATOR_NAME) FROM RDB$GENERATORS WHERE RDB$GENERATOR_NAME "
                            "STARTING WITH 'GEN'"),
              (Rows{{"GENPDV01"}}));
    EXPECT_EQ(db.targetValue("SELECT GEN_ID(GENPDV01, 0) FROM RDB$DATABASE"), "0");
}

}  // namespace
}  // namespace conversor::testing
