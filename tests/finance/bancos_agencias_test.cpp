// Banks and agencies: fixed-width codes, name cuts and the agency's city.
#include <gtest/gtest.h>

#include "convert/finance/finance.h"
#include "support/fixture.h"
#include "text/cp1252.h"

namespace conversor::testing {
namespace {

using BancosAgenciasTest = ConversionTest;

TEST_F(BancosAgenciasTest, BanksGetFourDigitCodesAndCutNames) {
    db.onTarget("INSERT INTO BANCOS VALUES ('9999', 'ANTIGO')");
    db.onSource("INSERT INTO BNC004 VALUES (1, 'BANCO DO BRASIL S.A. AGENCIA CENTRAL');"
                "INSERT INTO BNC004 VALUES (123456, 'CAIXA')");
    ConverteBancos(session);

    EXPECT_TRUE(boxes().empty()) << boxes()[0];
    EXPECT_EQ(db.targetRows("SELECT CODBANCO, NOMEBANCO FROM BANCOS ORDER BY CODBANCO"),
              (Rows{{"0001", "BANCO DO BRASIL S.A."}, {"3456", "CAIXA"}}));
    EXPECT_EQ(ui.statuses.back(), "Convertendo Bancos...");
}

TEST_F(BancosAgenciasTest, AFailingBankIsNamedInTheBox) {
    db.onSource("INSERT INTO BNC004 VALUES (1, 'PRIMEIRO');"
                "INSERT INTO BNC004 VALUES (10001, 'REPETIDO NO CODIGO DO BANCO');"
                "INSERT INTO BNC004 VALUES (2, 'DEPOIS')");
    ConverteBancos(session);

    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].rfind("Ocorreu um erro ao converter o seguinte registro para a tabela BANCOS|"
                               "Banco: REPETIDO NO CODIGO DO BANCO|Erro: ",
                               0),
              0u)
        << boxes()[0];
    EXPECT_EQ(db.targetRows("SELECT CODBANCO FROM BANCOS"), (Rows{{"0001"}}));
}

TEST_F(BancosAgenciasTest, AgenciesFindTheirCityByExactNameAndNeedNoBank) {
    db.onTarget("INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES ('00001', 'CAMPINAS', 'MG');"
                "INSERT INTO AGENCIA VALUES ('0001', '00001', NULL, 'ANTIGA')");
    db.onSource("INSERT INTO BNC003 VALUES (1, 237, 1234, 'AGENCIA CENTRO DE CAMPINAS', 'CAMPINAS');"
                "INSERT INTO BNC003 VALUES (1, 1, 7, 'NORTE', 'Campinas');"
                "INSERT INTO BNC003 VALUES (1, 1, 8, 'SUL', NULL)");
    ConverteAgencias(session);

    EXPECT_TRUE(boxes().empty()) << boxes()[0];
    EXPECT_EQ(db.targetRows("SELECT CODBANCO, CODAGEN, CODCIDADE, NOMEAGEN FROM AGENCIA ORDER BY CODBANCO, CODAGEN"),
              (Rows{{"0001", "00007", "", "NORTE"}, {"0001", "00008", "", "SUL"}, {"0237", "01234", "00001", "AGENCIA CENTRO DE CA"}}))
        << "the state is not compared; a name differing in case or missing gives an empty code";
    EXPECT_EQ(db.targetValue("SELECT COUNT(*) FROM AGENCIA WHERE CODCIDADE IS NULL"), "0");
    EXPECT_EQ(db.targetValue("SELECT COUNT(*) FROM CIDADES"), "1") << "no city is created";
    EXPECT_EQ(ui.statuses.back(), W("Convertendo Agências..."));
}

TEST_F(BancosAgenciasTest, AFailingAgencyIsNamedInTheBox) {
    db.onSource("INSERT INTO BNC003 VALUES (1, 1, 1, 'PRIMEIRA', NULL);"
                "INSERT INTO BNC003 VALUES (2, 1, 100001, 'MESMO CODIGO', NULL)");
    ConverteAgencias(session);

    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].rfind(W("Ocorreu um erro ao converter o seguinte registro para a tabela AGENCIA|"
                                 "Agência: MESMO CODIGO|Erro: "),
                               0),
              0u)
        << boxes()[0];
    EXPECT_EQ(db.targetValue("SELECT COUNT(*) FROM AGENCIA"), "1");
}

}  // namespace
}  // namespace conversor::testing
