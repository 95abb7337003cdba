// Suppliers of company 1 into FORNECE.
#include <gtest/gtest.h>

#include "convert/parties/parties.h"
#include "support/fixture.h"

namespace conversor::testing {
namespace {

using FornecedoresTest = ConversionTest;

TEST_F(FornecedoresTest, MapsEveryColumnOfASupplier) {
    db.onTarget("INSERT INTO FORNECE (CODFORNEC, NOME) VALUES ('999999', 'Velho')");
    db.onSource(
        "INSERT INTO CP003 (EMPRESA, FCONTADOR, NOME, APELIDO, ENDERECO, BAIRRO, CIDADE, UF, CEP, CGC, CPF, "
        "INSCESTADUAL, TIPOFORN, FONE, CELULARREP, FAX, EMAIL, NOMEREP, INATIVO, OBSERVACAO) VALUES "
        "(1, 42, 'Distribuidora Central de Alimentos do Triangulo Mineiro', "
        "'Central Alimentos e Bebidas do Triangulo', "
        "'Avenida Getulio Vargas, 1500, Bloco B, Galpao numero 3', 'Distrito Industrial Norte II da Cidade', 17, 'MG', "
        "'38.400-000', '11.222.333/0001-44', NULL, '062.307.904/0081-99', 'J', '(34) 3333-4444 ramal 12345', "
        "'(34) 99876-5432', '(34) 3333-5555', 'compras@central.com.br', 'Roberto Carlos da Silva Sauro Junior Neto', "
        "'N', 'Entrega as tercas; nao aceita boleto')");

    ConverteFornecedores(session);

    EXPECT_EQ(db.targetRows("SELECT CODFORNEC, NOME, NOMEFANTASIA, ENDERECO, BAIRRO, CODCIDADE, ESTADO, CEP, "
                            "CGCCPF, INSCEST, PESSOA_FJ, FONE, CELULAR, FAX, EMAIL, CONTATO, ATIVO, OBSERVACAO "
                            "FROM FORNECE ORDER BY CODFORNEC"),
              (Rows{{"000042", "Distribuidora Central de Alimentos do Triangulo Mi",
                     "Central Alimentos e Bebidas do Triangulo", "Avenida Getulio Vargas, 1500, Bloco B, Galpao nume",
                     "Distrito Industrial Norte II d", "00017", "MG", "38400000", "11222333000144",
                     "062307904008199", "J", "343333444412345", "34998765432", "3433335555", "compras@central.com.br",
                     "Roberto Carlos da Silva Sauro Junio", "S", "Entrega as tercas; nao aceita boleto"}}));
    EXPECT_TRUE(boxes().empty());
    EXPECT_EQ(ui.statuses.back(), "Convertendo Fornecedores...");
}

TEST_F(FornecedoresTest, StatesDocumentsAndTheActiveFlag) {
    db.onSource(
        "INSERT INTO REP004 VALUES (1, 17, 'Uberaba', 'MG');"
        "INSERT INTO REP004 VALUES (2, 18, 'Franca', 'SP');"
        // A blank state falls back to the city's state in company 1.
        "INSERT INTO CP003 (EMPRESA, FCONTADOR, NOME, CIDADE, UF, CGC, CPF, INATIVO) "
        "VALUES (1, 1, 'Um', 17, '  ', NULL, '123.456.789-01', 'S');"
        "INSERT INTO CP003 (EMPRESA, FCONTADOR, NOME, CIDADE, UF, CGC, CPF, INATIVO) "
        "VALUES (1, 2, 'Dois', NULL, NULL, '11.222.333/0001-44', '123.456.789-01', NULL);"
        "INSERT INTO CP003 (EMPRESA, FCONTADOR, NOME, CIDADE, UF, INATIVO) VALUES (1, 3, 'Tres', 18, NULL, ' ');"
        "INSERT INTO CP003 (EMPRESA, FCONTADOR, NOME, INATIVO) VALUES (2, 4, 'Outra empresa', 'N')");

    ConverteFornecedores(session);

    EXPECT_EQ(db.targetRows("SELECT CODFORNEC, CODCIDADE, ESTADO, CGCCPF, ATIVO FROM FORNECE ORDER BY CODFORNEC"),
              (Rows{{"000001", "00017", "MG", "12345678901", "N"},
                    {"000002", "", "", "1122233300014412345678901", "N"},
                    {"000003", "00018", "", "", "N"}}))
        << "only company 1 lends a state; both documents join, the company's first";
}

TEST_F(FornecedoresTest, TheFirstFailingSupplierStopsTheRegistry) {
    db.onSource("INSERT INTO CP003 (EMPRESA, FCONTADOR, NOME) VALUES (1, 5, 'Primeiro');"
                "INSERT INTO CP003 (EMPRESA, FCONTADOR, NOME) VALUES (1, 1000005, 'Repetido ');"
                "INSERT INTO CP003 (EMPRESA, FCONTADOR, NOME) VALUES (1, 2000000, 'Nunca')");

    ConverteFornecedores(session);

    EXPECT_EQ(db.targetRows("SELECT CODFORNEC, NOME FROM FORNECE"), (Rows{{"000005", "Primeiro"}}));
    ASSERT_EQ(boxes().size(), 1u);
    const std::string expected =
        "Ocorreu um erro ao converter o seguinte registro para a tabela FORNECE|Fornecedor: Repetido |Erro: ";
    EXPECT_EQ(boxes()[0].substr(0, expected.size()), expected);
    EXPECT_NE(boxes()[0].find("PK_FORNECE"), std::string::npos) << boxes()[0];
}

}  // namespace
}  // namespace conversor::testing
