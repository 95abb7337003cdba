// Bank accounts (through their agency's bank) and entry types.
#include <gtest/gtest.h>

#include "convert/finance/finance.h"
#include "support/fixture.h"
#include "text/cp1252.h"

namespace conversor::testing {
namespace {

using ContasTiposLancamentoTest = ConversionTest;

TEST_F(ContasTiposLancamentoTest, AccountsTakeTheBankOfEachMatchingAgencyOfTheirCompany) {
    db.onTarget("INSERT INTO CONTAS VALUES ('9999', '99999', 'ANTIGA', '99')");
    db.onSource("INSERT INTO BNC003 (EMPRESA, BCCONTADOR, BCACONTADOR) VALUES (1, 1, 42);"
                "INSERT INTO BNC003 (EMPRESA, BCCONTADOR, BCACONTADOR) VALUES (1, 237, 42);"
                "INSERT INTO BNC003 (EMPRESA, BCCONTADOR, BCACONTADOR) VALUES (2, 341, 50);"
                "INSERT INTO BNC002 VALUES (1, 42, '123-4', 'MOVIMENTO LIVRE');"
                "INSERT INTO BNC002 VALUES (2, 42, '555', 'OUTRA EMPRESA');"
                "INSERT INTO BNC002 VALUES (2, 50, '777', NULL)");
    ConverteContas(session);

    EXPECT_TRUE(boxes().empty()) << boxes()[0];
    EXPECT_EQ(db.targetRows("SELECT CODBANCO, CODAGEN, CONTA, CODEMPRESA FROM CONTAS ORDER BY CODBANCO"),
              (Rows{{"0001", "00042", "123-4 - MOVIMEN", "01"},
                    {"0237", "00042", "123-4 - MOVIMEN", "01"},
                    {"0341", "00050", "", "02"}}))
        << "an account without agency in its company is not taken; one without description is empty";
    EXPECT_EQ(ui.statuses.back(), "Convertendo Contas...");
    EXPECT_EQ(ui.maximum, 3);
}

TEST_F(ContasTiposLancamentoTest, AFailingAccountNamesTheWholeAccountAndItsBank) {
    db.onSource("INSERT INTO BNC003 (EMPRESA, BCCONTADOR, BCACONTADOR) VALUES (1, 1, 42);"
                "INSERT INTO BNC002 VALUES (1, 42, '123-4', 'MOVIMENTO LIVRE');"
                "INSERT INTO BNC002 VALUES (1, 42, '123-4', 'MOVIMENTO LIVRE E OUTRO')");
    ConverteContas(session);

    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].rfind("Ocorreu um erro ao converter o seguinte registro para a tabela CONTAS|"
                               "Conta: 123-4 - MOVIMENTO LIVRE E OUTRO|Banco: 0001|Erro: ",
                               0),
              0u)
        << boxes()[0];
    EXPECT_EQ(db.targetValue("SELECT COUNT(*) FROM CONTAS"), "1");
}

TEST_F(ContasTiposLancamentoTest, EntryTypesGetThreeDigitCodesAndFixedFlags) {
    db.onTarget("INSERT INTO TIPOLAN (CODIGO, DESCRICAO) VALUES ('999', 'ANTIGO')");
    db.onSource("INSERT INTO BNC005 VALUES (7, 'DEPOSITO EM DINHEIRO NA CONTA CORRENTE', 'C');"
                "INSERT INTO BNC005 VALUES (1234, 'TARIFA', NULL)");
    ConverteTiposLancamento(session);

    EXPECT_TRUE(boxes().empty()) << boxes()[0];
    EXPECT_EQ(db.targetRows("SELECT CODIGO, DESCRICAO, TIPO, TIPOINTEGRACXA, REPETIRNUMDOC FROM TIPOLAN ORDER BY CODIGO"),
              (Rows{{"007", "DEPOSITO EM DINHEIRO NA CONTA ", "C", "0", "S"}, {"234", "TARIFA", "", "0", "S"}}));
    EXPECT_EQ(ui.statuses.back(), W("Convertendo Tipos de Lançamentos..."));
}

TEST_F(ContasTiposLancamentoTest, AFailingEntryTypeIsNamedInTheBox) {
    db.onSource("INSERT INTO BNC005 VALUES (1, 'PRIMEIRO', 'D');"
                "INSERT INTO BNC005 VALUES (1001, 'REPETIDO', 'D')");
    ConverteTiposLancamento(session);

    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].rfind(W("Ocorreu um erro ao converter o seguinte registro para a tabela TIPOLAN|"
                                 "Tipo de Lançamento: REPETIDO|Erro: "),
                               0),
              0u)
        << boxes()[0];
}

}  // namespace
}  // namespace conversor::testing
