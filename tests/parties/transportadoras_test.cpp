// Carriers, kept among the source's suppliers, into TRANSPT.
#include <gtest/gtest.h>

#include "convert/parties/parties.h"
#include "support/fixture.h"

namespace conversor::testing {
namespace {

using TransportadorasTest = ConversionTest;

TEST_F(TransportadorasTest, CopiesTheMarkedRowsOfEveryCompany) {
    db.onTarget("INSERT INTO TRANSPT (CODTRANSPT, NOME) VALUES ('9999', 'Velha')");
    db.onSource(
        "INSERT INTO CP003 (EMPRESA, FCONTADOR, NOME, ENDERECO, BAIRRO, CIDADE, UF, CEP, CGC, CPF, INSCESTADUAL, "
        "TIPOFORN, FONE, FAX, EMAIL, NOMEREP, TIPOTRANSP) VALUES "
        "(1, 42, 'Transportadora Rapida do Triangulo Mineiro', 'Rua dos Caminhoneiros, 1500, Galpao numero 3, Fundos', "
        "'Distrito Industrial Norte II da Cidade', 17, 'MG', '38.400-000', '11.222.333/0001-44', '123', "
        "'062.307.904/0081-99', 'J', '(34) 3333-4444', '(34) 3333-5555', 'frete@rapida.com.br', "
        "'Roberto Carlos da Silva Sauro Junior', 'S');"
        "INSERT INTO CP003 (EMPRESA, FCONTADOR, NOME, CIDADE, UF, TIPOTRANSP) VALUES (2, 12345, 'Outra empresa', "
        "NULL, NULL, 'S');"
        "INSERT INTO CP003 (EMPRESA, FCONTADOR, NOME, TIPOTRANSP) VALUES (1, 7, 'Fornecedor', 'N');"
        "INSERT INTO CP003 (EMPRESA, FCONTADOR, NOME) VALUES (1, 8, 'Sem marca')");

    ConverteTransportadoras(session);

    EXPECT_EQ(db.targetRows("SELECT CODTRANSPT, NOME, ENDERECO, BAIRRO, CODCIDADE, ESTADO, CEP, CGCCPF, INSCEST, "
                            "PESSOA_FJ, FONE, FAX, EMAIL, CONTATO, CODEMFORNECE FROM TRANSPT ORDER BY CODTRANSPT"),
              (Rows{{"0042", "Transportadora Rapida do Triangulo ",
                     "Rua dos Caminhoneiros, 1500, Galpao numero 3, Fund",
                     "Distrito Industrial Norte II d", "00017", "MG", "38400000", "11222333000144123",
                     "062307904008199", "J", "3433334444", "3433335555", "frete@rapida.com.br",
                     "Roberto Carlos da Silva Sauro ", "000042"},
                    {"2345", "Outra empresa", "", "", "00000", "", "", "", "", "", "", "", "", "", "012345"}}))
        << "a blank city still gets a code; a blank state has no fallback";
    EXPECT_TRUE(boxes().empty());
    EXPECT_EQ(ui.statuses.back(), "Convertendo Transportadoras...");
}

TEST_F(TransportadorasTest, TheFirstFailingCarrierStopsTheRegistry) {
    // 12345 keeps its rightmost four digits and clashes with carrier 2345.
    db.onSource("INSERT INTO CP003 (EMPRESA, FCONTADOR, NOME, TIPOTRANSP) VALUES (1, 2345, 'Primeira', 'S');"
                "INSERT INTO CP003 (EMPRESA, FCONTADOR, NOME, TIPOTRANSP) VALUES (1, 12345, 'Repetida ', 'S');"
                "INSERT INTO CP003 (EMPRESA, FCONTADOR, NOME, TIPOTRANSP) VALUES (1, 20000, 'Nunca', 'S')");

    ConverteTransportadoras(session);

    EXPECT_EQ(db.targetRows("SELECT CODTRANSPT, CODEMFORNECE FROM TRANSPT"), (Rows{{"2345", "002345"}}));
    ASSERT_EQ(boxes().size(), 1u);
    const std::string expected =
        "Ocorreu um erro ao converter o seguinte registro para a tabela TRANSPT|Transportadora: Repetida |Erro: ";
    EXPECT_EQ(boxes()[0].substr(0, expected.size()), expected);
    EXPECT_NE(boxes()[0].find("PK_TRANSPT"), std::string::npos) << boxes()[0];
}

}  // namespace
}  // namespace conversor::testing
