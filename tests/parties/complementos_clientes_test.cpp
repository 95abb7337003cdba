// Customer complements: the billing address again and its house number.
#include <gtest/gtest.h>

#include "convert/parties/parties.h"
#include "support/fixture.h"

namespace conversor::testing {
namespace {

using ComplementosClientesTest = ConversionTest;

TEST_F(ComplementosClientesTest, WritesTheAddressAndItsHouseNumber) {
    // The number sits after the 60th character: still found, though the
    // stored address is cut there.
    const std::string longAddress = "RUA DOUTOR JOAQUIM DE ALMEIDA PRADO E SILVA, BAIRRO ALTO XX, 1234 FUNDOS";
    ASSERT_GT(longAddress.find("1234"), 60u);
    db.onTarget("INSERT INTO COMPCLIE (CODCLIENTE, ENDERECONFE) VALUES ('09999999', 'velho')");
    db.onSource("INSERT INTO CR002 (EMPRESA, CLICONTADOR, ENDERECOFAT) VALUES (1, 123, 'RUA A, 123456');"
                "INSERT INTO CR002 (EMPRESA, CLICONTADOR, ENDERECOFAT) VALUES (1, 124, '" + longAddress + "');"
                "INSERT INTO CR002 (EMPRESA, CLICONTADOR, ENDERECOFAT) VALUES (2, 125, '   ');"
                "INSERT INTO CR002 (EMPRESA, CLICONTADOR, ENDERECOFAT) VALUES (1, 126, NULL);"
                "INSERT INTO CR002 (EMPRESA, CLICONTADOR, ENDERECOFAT) VALUES (1, 127, 'RUA 10, 230')");

    ConverteComplementosClientes(session);

    EXPECT_EQ(db.targetRows("SELECT CODCLIENTE, ENDERECONFE, NUMERONFE FROM COMPCLIE ORDER BY CODCLIENTE"),
              (Rows{{"01000123", "RUA A, 123456", "12345"},
                    {"01000124", longAddress.substr(0, 60), "1234"},
                    {"01000126", "", ""},
                    {"01000127", "RUA 10, 230", "230"},
                    {"02000125", "   ", ""}}));
    EXPECT_TRUE(boxes().empty());
    EXPECT_EQ(ui.statuses.back(), "Convertendo Complementos de Clientes...");
}

TEST_F(ComplementosClientesTest, TheFirstFailingRowNamesTheCustomerNumberAlone) {
    // Customer 5000123 keeps its rightmost six digits in the code and clashes
    // with customer 123; the box shows its own number, without the company.
    db.onSource("INSERT INTO CR002 (EMPRESA, CLICONTADOR, ENDERECOFAT) VALUES (1, 5, 'RUA A, 1');"
                "INSERT INTO CR002 (EMPRESA, CLICONTADOR, ENDERECOFAT) VALUES (1, 123, 'RUA B, 2');"
                "INSERT INTO CR002 (EMPRESA, CLICONTADOR, ENDERECOFAT) VALUES (1, 5000123, 'RUA C, 3');"
                "INSERT INTO CR002 (EMPRESA, CLICONTADOR, ENDERECOFAT) VALUES (1, 6000000, 'RUA D, 4')");

    ConverteComplementosClientes(session);

    EXPECT_EQ(db.targetRows("SELECT CODCLIENTE FROM COMPCLIE ORDER BY CODCLIENTE"), (Rows{{"01000005"}, {"01000123"}}));
    ASSERT_EQ(boxes().size(), 1u);
    const std::string expected =
        "Ocorreu um erro ao converter o seguinte registro para a tabela COMPCLIE|Cliente: 05000123|Erro: ";
    EXPECT_EQ(boxes()[0].substr(0, expected.size()), expected);
    EXPECT_NE(boxes()[0].find("PK_COMPCLIE"), std::string::npos) << boxes()[0];
}

}  // namespace
}  // namespace conversor::testing
