// Open receivable documents, and the order numbers both document registries share.
#include <gtest/gtest.h>

#include "convert/finance/finance.h"
#include "support/fixture.h"

namespace conversor::testing {
namespace {

class DocumentosReceberTest : public ConversionTest {
protected:
    void SetUp() override {
        ConversionTest::SetUp();
        db.onTarget("INSERT INTO CDOPERC VALUES ('008', 'RECEBIMENTOS', '8', 'S');"
                    "SET GENERATOR G_NUMORD TO 100");
    }
    // EMPRESA, CRCONTADOR, CLICONTADOR, TIPOCR, TITULO, PARCELA and STATUS; the rest null.
    void addDocument(const std::string& values) {
        db.onSource("INSERT INTO CR001 (EMPRESA, CRCONTADOR, CLICONTADOR, TIPOCR, TITULO, PARCELA, STATUS) VALUES (" +
                    values + ")");
    }
};

TEST_F(DocumentosReceberTest, OpenDocumentsAreWrittenWithCustomerAndCounterCodes) {
    db.onTarget("INSERT INTO TIPODOC VALUES ('CR', 'ANTIGO');"
                "INSERT INTO DOCUREC (NUMORD) VALUES ('X');"
                "INSERT INTO MOVIREC (NUMORD, SEQUENCIA) VALUES ('X', 1)");
    db.onSource("INSERT INTO CR001 VALUES (1, 45, 42, 'DUPLICATA', 'A1', '2', '2024-01-10', '2024-01-11', "
                "'2024-02-10', 200, 100, 5, 50, 3.5, 'NF0000012345678', 7, 2.5, 'AB', RPAD('', 70, 'o'))");
    addDocument("1, 12345, 1, 'DP', 'A1', '3', 'AB'");
    addDocument("2, 123, 1, 'DP', 'T', NULL, 'AB'");
    addDocument("2, 46, 1234567, 'DP', 'ABCDEFGHIJKLMNOPQRST', '1', 'AB'");
    addDocument("3, 47, 1, 'DP', 'BRANCO', '1', 'AB '");
    addDocument("3, 48, 1, 'DP', 'PAGO', '1', 'PG'");
    session.resetGauge(50);
    ConverteDocumentosReceber(session);

    EXPECT_TRUE(boxes().empty()) << boxes()[0];
    EXPECT_EQ(db.targetRows("SELECT CODDOCTO, CODEMPRESA, CODCLIENTE, TIPODOCTO, CODMOEDA, CODOPER, SITUACAO, "
                            "CODVENDEDOR, NUMDOCORIG, CHAR_LENGTH(OBSERVACAO), VALORVENDA, VALORDOCTO, VALORDESC, "
                            "VALORPAGO, DESPADIC, COMISSAO, DT_VENDA, DT_EMISSAO, DT_VENCIMENTO FROM DOCUREC "
                            "ORDER BY CODDOCTO"),
              (Rows{{"045 A1 2", "01", "01000042", "DUPLICATA", "01", "", "1", "00007", "NF0000012345", "60", "200",
                     "100", "5", "50", "3.5", "2.5", "10.01.2024", "11.01.2024", "10.02.2024"},
                    {"046 ABCDEFGHIJK", "02", "02234567", "DP", "01", "", "1", "00000", "", "0", "0", "0", "0", "0",
                     "0", "0", "30.12.1899", "30.12.1899", "30.12.1899"},
                    {"345 A1 3", "01", "01000001", "DP", "01", "", "1", "00000", "", "0", "0", "0", "0", "0", "0",
                     "0", "30.12.1899", "30.12.1899", "30.12.1899"},
                    {"DP0000000123", "02", "02000001", "DP", "01", "", "1", "00000", "", "0", "0", "0", "0", "0",
                     "0", "0", "30.12.1899", "30.12.1899", "30.12.1899"}}))
        << "\"AB \" with a trailing blank is selected but not written";
    EXPECT_EQ(db.targetValue("SELECT COUNT(*) FROM DOCUREC WHERE CODOPER = ''"), "4")
        << "no operation chosen: an empty text, not a null";
    EXPECT_EQ(db.targetRows("SELECT MIN(NUMORD), MAX(NUMORD) FROM DOCUREC"),
              (Rows{{"000000000101", "000000000104"}}));
    EXPECT_EQ(db.targetValue("SELECT COUNT(*) FROM MOVIREC"), "0");
    EXPECT_EQ(db.targetRows("SELECT * FROM TIPODOC"), (Rows{{"CR", "CTA REC IMPORT"}}));
    EXPECT_EQ(ui.statuses.back(), "Convertendo Contas a Receber...");
    EXPECT_EQ(ui.maximum, 5) << "the gauge follows this registry's own selection";
    EXPECT_EQ(ui.progress, 5);
}

TEST_F(DocumentosReceberTest, TheChosenOperationIsWritten) {
    addDocument("1, 1, 1, 'DP', 'T', '1', 'AB'");
    session.codOperReceber = "008";
    ConverteDocumentosReceber(session);

    EXPECT_EQ(db.targetRows("SELECT CODOPER FROM DOCUREC"), (Rows{{"008"}}));
}

TEST_F(DocumentosReceberTest, AFailingDocumentNamesItsTitleAndCustomerWithoutRowsDone) {
    db.onTarget("ALTER TABLE DOCUREC ADD CONSTRAINT CK_DOCUREC_TESTE CHECK (VALORDOCTO >= 0)");
    addDocument("1, 1, 1, 'DP', 'T', '1', 'AB'");
    db.onSource("INSERT INTO CR001 (EMPRESA, CRCONTADOR, CLICONTADOR, TIPOCR, TITULO, PARCELA, STATUS, VLRPARCELA) "
                "VALUES (1, 2, 42, 'DP', 'T', '2', 'AB', -1)");
    addDocument("1, 3, 1, 'DP', 'T', '3', 'AB'");
    ConverteDocumentosReceber(session);

    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].rfind("Ocorreu um erro ao converter o seguinte registro para a tabela DOCUREC|"
                               "Documento: T 2|Cliente: 42|Erro: ",
                               0),
              0u)
        << boxes()[0];
    EXPECT_NE(boxes()[0].find("CK_DOCUREC_TESTE"), std::string::npos);
    EXPECT_EQ(db.targetRows("SELECT CODDOCTO FROM DOCUREC"), (Rows{{"001 T 1"}}));
    EXPECT_EQ(ui.progress, 1);
}

TEST_F(DocumentosReceberTest, OrderNumbersContinueFromThePayablesAndEmptySourcesStillClear) {
    db.onSource("INSERT INTO CP001 (EMPRESA, CPCONTADOR, FCONTADOR, TITULO, PARCELA, STATUS) VALUES (1, 1, 1, 'P', '1', 'AB');"
                "INSERT INTO CP001 (EMPRESA, CPCONTADOR, FCONTADOR, TITULO, PARCELA, STATUS) VALUES (1, 2, 1, 'P', '2', 'AB')");
    addDocument("1, 1, 1, 'DP', 'R', '1', 'AB'");
    addDocument("1, 2, 1, 'DP', 'R', '2', 'AB'");
    ConverteDocumentosPagar(session);
    ConverteDocumentosReceber(session);

    EXPECT_EQ(db.targetRows("SELECT NUMORD, CODDOCTO FROM DOCUPAG ORDER BY NUMORD"),
              (Rows{{"000000000101", "P 1"}, {"000000000102", "P 2"}}));
    EXPECT_EQ(db.targetRows("SELECT NUMORD, CODDOCTO FROM DOCUREC ORDER BY NUMORD"),
              (Rows{{"000000000103", "001 R 1"}, {"000000000104", "002 R 2"}}));

    // A second run over sources without open documents.
    db.onSource("DELETE FROM CP001; DELETE FROM CR001");
    db.onTarget("DELETE FROM TIPODOC;"
                "INSERT INTO MOVIPAG (NUMORD, SEQUENCIA) VALUES ('X', 1);"
                "INSERT INTO MOVIREC (NUMORD, SEQUENCIA) VALUES ('X', 1)");
    ConverteDocumentosPagar(session);
    ConverteDocumentosReceber(session);

    EXPECT_TRUE(boxes().empty()) << boxes()[0];
    EXPECT_EQ(db.targetRows("SELECT (SELECT COUNT(*) FROM DOCUPAG) + (SELECT COUNT(*) FROM MOVIPAG) + "
                            "(SELECT COUNT(*) FROM DOCUREC) + (SELECT COUNT(*) FROM MOVIREC) FROM RDB$DATABASE"),
              (Rows{{"0"}}));
    EXPECT_EQ(db.targetRows("SELECT TIPODOCTO FROM TIPODOC ORDER BY 1"), (Rows{{"CP"}, {"CR"}}));
    EXPECT_EQ(ui.maximum, 0);
    EXPECT_EQ(db.targetValue("SELECT GEN_ID(G_NUMORD, 0) FROM RDB$DATABASE"), "104") << "never reset";
}

}  // namespace
}  // namespace conversor::testing
