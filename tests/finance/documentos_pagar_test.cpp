// Open payable documents: codes, document-code rule, amounts, dates, order
// numbers, the default document type and the error box with its rows done.
#include <gtest/gtest.h>

#include "convert/finance/finance.h"
#include "support/fixture.h"
#include "text/cp1252.h"

namespace conversor::testing {
namespace {

class DocumentosPagarTest : public ConversionTest {
protected:
    void SetUp() override {
        ConversionTest::SetUp();
        db.onTarget("INSERT INTO CDOPERC VALUES ('005', 'PAGAMENTOS', '5', 'S');"
                    "SET GENERATOR G_NUMORD TO 100");
    }
    // EMPRESA, CPCONTADOR, FCONTADOR, TIPOCP, TITULO, PARCELA and STATUS; the rest null.
    void addDocument(const std::string& values) {
        db.onSource("INSERT INTO CP001 (EMPRESA, CPCONTADOR, FCONTADOR, TIPOCP, TITULO, PARCELA, STATUS) VALUES (" +
                    values + ")");
    }
};

TEST_F(DocumentosPagarTest, OpenDocumentsAreWrittenUnderTheChosenOperation) {
    db.onTarget("INSERT INTO TIPODOC VALUES ('CP', 'ANTIGO');"
                "INSERT INTO DOCUPAG (NUMORD) VALUES ('X');"
                "INSERT INTO MOVIPAG (NUMORD, SEQUENCIA) VALUES ('X', 1)");
    db.onSource("INSERT INTO CP001 VALUES (1, 10, 1234567, 'DP', '123', '2', 1500.50, 100, 5.25, '2024-03-01', "
                "'2024-04-01', '2024-02-28 10:30:00', 'AB', RPAD('', 300, 'h'))");
    addDocument("1, 11, 5, 'DUPLICATA', 'NOTAFISCALABCD', '1', 'AB'");
    addDocument("2, 123, 5, 'DP', NULL, '3', 'AB'");
    addDocument("2, 123, 5, 'BOLETO', NULL, NULL, 'AB'");
    addDocument("3, 14, 5, 'DP', 'X', 'ABCDEFGHIJKLMN', 'AB'");
    addDocument("3, 15, 5, 'DP', 'ABCDEFGHIJKL', '12', 'AB'");
    addDocument("3, 16, 5, 'DP', 'ABCDEFGHIJK', '12', 'AB'");
    addDocument("4, 17, 5, 'DP', 'BRANCO', '1', 'AB '");
    addDocument("4, 18, 5, 'DP', 'PAGO', '1', 'PG'");
    session.codOperPagar = "005";
    session.resetGauge(50);  // what an earlier registry left
    ConverteDocumentosPagar(session);

    EXPECT_TRUE(boxes().empty()) << boxes()[0];
    EXPECT_EQ(db.targetRows("SELECT CODDOCTO, CODEMPRESA, TIPODOCTO, CODFORNEC, CODMOEDA, CODOPER, SITUACAO, "
                            "VALORDOCTO, VALORPAGO, JUROSMULTA, DT_EMISSAO, DT_VENCIMENTO, DT_ENTRADA, "
                            "CHAR_LENGTH(HISTORICO) FROM DOCUPAG ORDER BY CODDOCTO"),
              (Rows{{" ABCDEFGHIJKLMN", "03", "DP", "000005", "01", "005", "1", "0", "0", "0", "30.12.1899",
                     "30.12.1899", "30.12.1899", "0"},
                    {"123 2", "01", "DP", "234567", "01", "005", "1", "1500.5", "100", "5.25", "01.03.2024",
                     "01.04.2024", "28.02.2024", "250"},
                    {"ABCDEFGHIJK 12", "03", "DP", "000005", "01", "005", "1", "0", "0", "0", "30.12.1899",
                     "30.12.1899", "30.12.1899", "0"},
                    {"ABCDEFGHIJKL 12", "03", "DP", "000005", "01", "005", "1", "0", "0", "0", "30.12.1899",
                     "30.12.1899", "30.12.1899", "0"},
                    {"BOLETO000000012", "02", "BO", "000005", "01", "005", "1", "0", "0", "0", "30.12.1899",
                     "30.12.1899", "30.12.1899", "0"},
                    {"DP0000000123", "02", "DP", "000005", "01", "005", "1", "0", "0", "0", "30.12.1899",
                     "30.12.1899", "30.12.1899", "0"},
                    {"NOTAFISCALABC 1", "01", "DU", "000005", "01", "005", "1", "0", "0", "0", "30.12.1899",
                     "30.12.1899", "30.12.1899", "0"}}))
        << "\"AB \" with a trailing blank is selected but not written; a null remark is an empty text";
    EXPECT_EQ(db.targetRows("SELECT MIN(NUMORD), MAX(NUMORD), COUNT(DISTINCT NUMORD) FROM DOCUPAG"),
              (Rows{{"000000000101", "000000000107", "7"}}));
    EXPECT_EQ(db.targetValue("SELECT GEN_ID(G_NUMORD, 0) FROM RDB$DATABASE"), "107")
        << "the row not written takes no number";
    EXPECT_EQ(db.targetValue("SELECT COUNT(*) FROM MOVIPAG"), "0");
    EXPECT_EQ(db.targetRows("SELECT * FROM TIPODOC"), (Rows{{"CP", "CT PAGAR IMPORT"}}));
    EXPECT_EQ(ui.statuses.back(), "Convertendo Contas a Pagar...");
    EXPECT_EQ(ui.maximum, 8) << "the gauge follows this registry's own selection";
    EXPECT_EQ(ui.progress, 8);
}

TEST_F(DocumentosPagarTest, WithoutAnOperationTheCodeIsAnEmptyText) {
    addDocument("1, 1, 1, 'DP', 'T', '1', 'AB'");
    ConverteDocumentosPagar(session);

    EXPECT_TRUE(boxes().empty()) << boxes()[0];
    EXPECT_EQ(db.targetValue("SELECT COUNT(*) FROM DOCUPAG WHERE CODOPER = ''"), "1");
}

TEST_F(DocumentosPagarTest, AFailingDocumentShowsItsLabelTheRowsDoneAndTheSupplier) {
    addDocument("1, 1, 7, 'DP', 'A', '1', 'AB'");
    addDocument("1, 2, 8, 'DP', 'B', '1', 'AB'");
    addDocument("1, 3, 1234567, 'DP', 'X', 'ABCDEFGHIJKLMNO', 'AB'");  // a 16-character code
    addDocument("1, 4, 9, 'DP', 'D', '1', 'AB'");
    ConverteDocumentosPagar(session);

    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].rfind("Ocorreu um erro ao converter o seguinte registro para a tabela DOCUPAG|"
                               "Documento: X ABCDEFGHIJKLMNO|Registro:  2|Fornecedor: 1234567|Erro: ",
                               0),
              0u)
        << boxes()[0];
    EXPECT_EQ(db.targetRows("SELECT CODDOCTO FROM DOCUPAG ORDER BY CODDOCTO"), (Rows{{"A 1"}, {"B 1"}}));
    EXPECT_EQ(db.targetValue("SELECT GEN_ID(G_NUMORD, 0) FROM RDB$DATABASE"), "103")
        << "the failing row's number is not given back";
    EXPECT_EQ(ui.progress, 2);
    EXPECT_FALSE(session.CnOrdelio.inTransaction());
}

TEST_F(DocumentosPagarTest, AFailingFirstDocumentShowsNoRowsDoneAndLeavesNothing) {
    db.onTarget("INSERT INTO DOCUPAG (NUMORD) VALUES ('X')");
    addDocument("1, 3, 5, 'DP', NULL, NULL, 'AB'");
    db.onTarget("ALTER TABLE DOCUPAG ADD CONSTRAINT CK_DOCUPAG_TESTE CHECK (CODFORNEC <> '000005')");
    ConverteDocumentosPagar(session);

    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].rfind("Ocorreu um erro ao converter o seguinte registro para a tabela DOCUPAG|"
                               "Documento:  |Registro:  0|Fornecedor: 5|Erro: ",
                               0),
              0u)
        << boxes()[0];
    EXPECT_EQ(db.targetValue("SELECT COUNT(*) FROM DOCUPAG"), "0");
}

TEST_F(DocumentosPagarTest, AFailingDefaultTypeIsReportedAndTheDocumentsStillFollow) {
    db.onTarget("DROP TABLE TIPODOC");
    addDocument("1, 1, 1, 'DP', 'T', '1', 'AB'");
    ConverteDocumentosPagar(session);

    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].rfind(W("Ocorreu um erro ao inserir o tipo de documento padrão para contas a pagar no "
                                 "banco de dados do Ordelio.|Erro: "),
                               0),
              0u)
        << boxes()[0];
    EXPECT_NE(boxes()[0].find("TIPODOC"), std::string::npos) << "the server's own reason";
    EXPECT_EQ(db.targetValue("SELECT COUNT(*) FROM DOCUPAG"), "1");
}

}  // namespace
}  // namespace conversor::testing
