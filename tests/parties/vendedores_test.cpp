// Salespeople into VENDEND, their city looked up by name.
#include <gtest/gtest.h>

#include "convert/parties/parties.h"
#include "support/fixture.h"

namespace conversor::testing {
namespace {

using VendedoresTest = ConversionTest;

TEST_F(VendedoresTest, MapsEveryColumnOfASalesperson) {
    db.onTarget("INSERT INTO VENDEND (CODVENDEDOR, NOME) VALUES ('9999', 'Velho');"
                "INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES ('00042', 'BELO HORIZONTE', 'MG')");
    db.onSource(
        "INSERT INTO EST001 (EMPRESA, VENDCONTADOR, NOMEVENDEDOR, ENDERECO, BAIRRO, CIDADE, UF, CEP, FONE, COMISSAO, "
        "EMAIL, INATIVO, CGC, CPF, INSCESTADUAL, RG, REGIMPORT) VALUES "
        "(3, 7, 'Joaquim Jose da Silva Xavier Tiradentes Neto', "
        "'Rua da Inconfidencia Mineira, 1792, Apto 101, Bloco A', "
        "'Distrito Industrial Norte II da Cidade', 'BELO HORIZONTE', 'MG', '30.100-000', '(31) 3333-4444 r. 123456', "
        "2.5, 'joaquim.jose.da.silva.xavier@vendas.exemplo.com.br', 'N', '11.222.333/0001-44', '123.456.789-01', "
        "'123.456.789-0/0001', 'MG-12.345.678/SSP', 'S')");

    ConverteVendedores(session);

    EXPECT_EQ(db.targetRows("SELECT CODVENDEDOR, NOME, ENDERECO, BAIRRO, CODCIDADE, ESTADO, CEP, TELEFONE, COMISSAO, "
                            "EMAIL, ATIVO, CGCCPF, INSCEST, RG, CODEMPRESA, MUDAPRECOPDV, TIPOVENDEDOR FROM VENDEND"),
              (Rows{{"0007", "Joaquim Jose da Silva Xavier Tiradentes ",
                     "Rua da Inconfidencia Mineira, 1792, Apto 101, Bloc", "Distrito Industrial Norte II d", "00042",
                     "MG", "30100000", "313333444412345", "2.5",
                     "joaquim.jose.da.silva.xavier@vendas.exemplo.com.br", "S", "1122233300014412345678901",
                     "123.456.789-0/0", "MG-12.345.678/S", "03", "S", "V"}}))
        << "the state registration keeps its punctuation";
    EXPECT_TRUE(boxes().empty());
    EXPECT_EQ(ui.statuses.back(), "Convertendo Vendedores...");
}

TEST_F(VendedoresTest, CitiesAreFoundByTheExactNameAndNeverAppended) {
    db.onTarget("INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES ('00042', 'BELO HORIZONTE', 'MG')");
    db.onSource("INSERT INTO EST001 (VENDCONTADOR, NOMEVENDEDOR, CIDADE, INATIVO) VALUES (1, 'A', 'Belo Horizonte', "
                "'S');"
                "INSERT INTO EST001 (VENDCONTADOR, NOMEVENDEDOR, CIDADE, INATIVO) VALUES (2, 'B', 'Contagem', NULL);"
                "INSERT INTO EST001 (VENDCONTADOR, NOMEVENDEDOR, CIDADE, INATIVO) VALUES (3, 'C', '', 's');"
                "INSERT INTO EST001 (VENDCONTADOR, NOMEVENDEDOR, CIDADE, INATIVO) VALUES (12345, 'D', "
                "'BELO HORIZONTE', 'N')");

    ConverteVendedores(session);

    EXPECT_EQ(db.targetRows("SELECT CODVENDEDOR, CODCIDADE, ATIVO, COMISSAO, CODEMPRESA FROM VENDEND "
                            "ORDER BY CODVENDEDOR"),
              (Rows{{"0001", "", "N", "0", "00"},
                    {"0002", "", "S", "0", "00"},
                    {"0003", "", "S", "0", "00"},
                    {"2345", "00042", "S", "0", "00"}}));
    EXPECT_EQ(db.targetValue("SELECT COUNT(*) FROM CIDADES"), "1");
}

TEST_F(VendedoresTest, TheFirstFailingSalespersonStopsTheRegistry) {
    db.onSource("INSERT INTO EST001 (VENDCONTADOR, NOMEVENDEDOR) VALUES (2345, 'Primeiro');"
                "INSERT INTO EST001 (VENDCONTADOR, NOMEVENDEDOR) VALUES (12345, 'Repetido ');"
                "INSERT INTO EST001 (VENDCONTADOR, NOMEVENDEDOR) VALUES (20000, 'Nunca')");

    ConverteVendedores(session);

    EXPECT_EQ(db.targetRows("SELECT CODVENDEDOR FROM VENDEND"), (Rows{{"2345"}}));
    ASSERT_EQ(boxes().size(), 1u);
    const std::string expected =
        "Ocorreu um erro ao converter o seguinte registro para a tabela VENDEND|Vendedor: Repetido |Erro: ";
    EXPECT_EQ(boxes()[0].substr(0, expected.size()), expected);
    EXPECT_NE(boxes()[0].find("PK_VENDEND"), std::string::npos) << boxes()[0];
}

}  // namespace
}  // namespace conversor::testing
