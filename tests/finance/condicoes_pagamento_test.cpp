// Standard payment terms and the conversion of the source's payment plans.
#include <gtest/gtest.h>

#include "convert/finance/finance.h"
#include "support/fixture.h"
#include "text/cp1252.h"

namespace conversor::testing {
namespace {

using CondicoesPagamentoTest = ConversionTest;

const char* kAllTermColumns =
    "CODPRAZO, DESCRICAO, PRAZO1, PRAZO2, PRAZO3, PRAZO4, PRAZO5, PRAZO6, PRAZO7, PERCENT1, PERCENT2, PERCENT3, "
    "PERCENT4, PERCENT5, PERCENT6, PERCENT7, TIPOPRAZO, AUMENTOPRECO1, GERARCXATOTAL, DESCPRIVENC, PRAZO8, PRAZO9, "
    "PRAZO10, PRAZO11, PRAZO12, PRAZO13, PERCENT8, PERCENT9, PERCENT10, PERCENT11, PERCENT12, PERCENT13, CODFORMA, "
    "CARENCIA, TIPOVENDA, LIBCREDITO, TXADMINISTRACAO, MUDAPRAZOMEDIO, TIPOINTEGRACAO, DIASCOMPENSACAO, GERALANCCH, "
    "CODBANCO, CODAGEN, CONTA, CONTACX, UTILIZACONVENIO, PERCAUTORIZADO, PERCPERDA, UTILIZADOEM, TAXARENTABILIDADE, "
    "TXEMISSAOBOLETO, VENCERNODIA, NUMPARCELAS";

TEST_F(CondicoesPagamentoTest, StandardTermsAreWrittenColumnByColumnAndReplacedOnEveryRun) {
    db.onTarget("INSERT INTO CONDPAG (CODPRAZO, DESCRICAO) VALUES ('000', 'OLD');"
                "INSERT INTO CONDPAG (CODPRAZO, DESCRICAO) VALUES ('005', 'KEPT')");
    GravaPrazosPadrao(session);
    GravaPrazosPadrao(session);

    EXPECT_TRUE(boxes().empty());
    EXPECT_EQ(ui.statuses.back(), W("Gravando Prazos de Pagamento Padrão..."));
    // Nulls read as empty texts here; the query below tells them apart.
    const std::vector<std::string> cash{
        "000", "\xC0 VISTA", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "", "0",
        "",    "",           "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "",  "0", "0", "N",
        "",    "N",          "0", "0", "N", "",  "",  "",  "",  "N", "0", "0", "",  "0", "0", "0", "0"};
    std::vector<std::string> deferred = cash;
    deferred[0] = "001";
    deferred[1] = "\xC0 PRAZO";
    deferred[2] = "30";     // PRAZO1
    deferred[18] = "N";     // GERARCXATOTAL
    deferred[34] = "1";     // TIPOVENDA
    deferred[38] = "1";     // TIPOINTEGRACAO
    EXPECT_EQ(db.targetRows(std::string("SELECT ") + kAllTermColumns +
                            " FROM CONDPAG WHERE CODPRAZO IN ('000', '001') ORDER BY CODPRAZO"),
              (Rows{cash, deferred}));
    EXPECT_EQ(db.targetValue("SELECT DESCRICAO FROM CONDPAG WHERE CODPRAZO = '005'"), "KEPT");
    EXPECT_EQ(db.targetRows("SELECT CODPRAZO FROM CONDPAG WHERE GERARCXATOTAL IS NULL AND DESCPRIVENC IS NULL AND "
                            "CODFORMA IS NULL AND TIPOPRAZO IS NULL AND TXADMINISTRACAO IS NULL AND CODBANCO IS NULL "
                            "AND CODAGEN IS NULL AND CONTA IS NULL AND CONTACX IS NULL AND UTILIZADOEM IS NULL "
                            "ORDER BY CODPRAZO"),
              (Rows{{"000"}, {"005"}}));
    EXPECT_EQ(db.targetValue("SELECT COUNT(*) FROM CONDPAG WHERE CODPRAZO = '001' AND DESCPRIVENC = '' AND CODFORMA = ''"),
              "1")
        << "term 001 writes empty texts where term 000 writes nulls";
}

TEST_F(CondicoesPagamentoTest, AFailingStandardTermStopsTheRestAndKeepsWhatWasCommitted) {
    db.onTarget("INSERT INTO CONDPAG (CODPRAZO, DESCRICAO) VALUES ('000', 'OLD');"
                "INSERT INTO CONDPAG (CODPRAZO, DESCRICAO) VALUES ('001', 'OLD');"
                "ALTER TABLE CONDPAG ADD CONSTRAINT CK_CONDPAG_PRAZO1 CHECK (PRAZO1 > 0)");
    GravaPrazosPadrao(session);

    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(ui.boxes[0].caption, "Erro");
    EXPECT_EQ(boxes()[0].rfind(W("Ocorreu um erro ao gravar os prazos de pagamento padrão no banco de dados do "
                                 "Ordelio.|Erro: "),
                               0),
              0u)
        << boxes()[0];
    EXPECT_NE(boxes()[0].find("CK_CONDPAG_PRAZO1"), std::string::npos) << "the reason is the server's own text";
    EXPECT_EQ(db.targetValue("SELECT COUNT(*) FROM CONDPAG"), "0")
        << "the delete stays committed; term 001 is not attempted after term 000 failed";
    EXPECT_FALSE(session.CnOrdelio.inTransaction());
}

TEST_F(CondicoesPagamentoTest, PlansReplaceTheWholeTableWithTheirLeadingDigitsAsCode) {
    db.onSource("INSERT INTO REP003 VALUES (1, 'DINHEIRO', 1);"
                "INSERT INTO REP003 VALUES (12, 'TRINTA SESSENTA NOVENTA DIAS', NULL);"
                "INSERT INTO REP003 VALUES (1234, 'LONGO', 4);"
                "INSERT INTO REP003 VALUES (NULL, 'SEM NUMERO', 2);"
                "INSERT INTO REP003 VALUES (7, NULL, 3)");
    GravaPrazosPadrao(session);
    db.onTarget("INSERT INTO CONDPAG (CODPRAZO, DESCRICAO) VALUES ('999', 'OLD')");
    ConverteCondicoesPagamento(session);

    EXPECT_TRUE(boxes().empty()) << boxes()[0];
    EXPECT_EQ(db.targetRows("SELECT CODPRAZO, DESCRICAO, NUMPARCELAS, PRAZO1 FROM CONDPAG ORDER BY CODPRAZO"),
              (Rows{{"001", "DINHEIRO", "1", ""},
                    {"007", "", "3", ""},
                    {"012", "TRINTA SESSENTA NOVE", "0", ""},
                    {"123", "LONGO", "4", ""}}))
        << "standard terms and earlier rows are gone; a plan without number is skipped";
    EXPECT_EQ(ui.statuses.back(), W("Convertendo Condições de Pagamento..."));
    EXPECT_EQ(ui.progress, 5) << "the skipped plan still moves the gauge";
    EXPECT_EQ(ui.maximum, 5);
}

TEST_F(CondicoesPagamentoTest, TheFirstFailingPlanStopsTheRegistryAndIsNamedInTheBox) {
    db.onSource("INSERT INTO REP003 VALUES (123, 'PRIMEIRO', 1);"
                "INSERT INTO REP003 VALUES (1234, 'REPETIDO', 2);"
                "INSERT INTO REP003 VALUES (5000, 'DEPOIS', 3)");
    ConverteCondicoesPagamento(session);

    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].rfind(W("Ocorreu um erro ao converter o seguinte registro para a tabela CONDPAG|"
                                 "Condição de Pagamento: 1234 - REPETIDO|Erro: "),
                               0),
              0u)
        << boxes()[0];
    EXPECT_EQ(db.targetRows("SELECT CODPRAZO FROM CONDPAG"), (Rows{{"123"}}));
    EXPECT_EQ(ui.progress, 1);
}

}  // namespace
}  // namespace conversor::testing
