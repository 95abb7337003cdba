// Cities of company 1 into CIDADES, with their municipality codes.
#include <gtest/gtest.h>

#include "convert/parties/parties.h"
#include "support/fixture.h"
#include "text/cp1252.h"

namespace conversor::testing {
namespace {

using CidadesTest = ConversionTest;

TEST_F(CidadesTest, CopiesTheCitiesOfCompanyOneWithTheirMunicipalities) {
    db.onTarget("INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES ('00999', 'VELHA', 'MG');"
                "INSERT INTO MUNICIPIOS VALUES ('3106200', 'BELO HORIZONTE', 'MG');"
                "INSERT INTO MUNICIPIOS VALUES ('3500000', 'UMA CIDADE COM UM NOME BEM LON', 'SP');"
                "INSERT INTO MUNICIPIOS VALUES ('3300000', 'niteroi', 'RJ')");
    db.onSource("INSERT INTO REP004 VALUES (1, 42, 'Belo Horizonte', 'mg');"
                "INSERT INTO REP004 VALUES (1, 1234567, 'Uma cidade com um nome bem longo!!', 'SP');"
                "INSERT INTO REP004 VALUES (1, 7, 'niteroi', 'RJ');"
                "INSERT INTO REP004 VALUES (1, 8, 'Sem estado', '  ');"
                "INSERT INTO REP004 (EMPRESA, CIDCONTADOR, DESCCID) VALUES (1, 9, 'Estado nulo');"
                "INSERT INTO REP004 VALUES (1, 10, 'Fora da tabela', 'BA');"
                "INSERT INTO REP004 VALUES (2, 11, 'Outra empresa', 'SP')");

    ConverteCidades(session);

    EXPECT_EQ(db.targetRows("SELECT CODCIDADE, CIDADE, ESTADO, CODMUNICIPIO FROM CIDADES ORDER BY CODCIDADE"),
              (Rows{{"00007", "niteroi", "RJ", ""},
                    {"00010", "Fora da tabela", "BA", ""},
                    {"00042", "Belo Horizonte", "mg", "3106200"},
                    {"34567", "Uma cidade com um nome bem lon", "SP", "3500000"}}))
        << "the name is stored as read and looked up upper-cased; only upper-case municipalities match";
    EXPECT_TRUE(boxes().empty());
    EXPECT_EQ(ui.statuses.back(), "Convertendo Cidades...");
    EXPECT_EQ(ui.progress, 6) << "rows with a blank state count too";
    EXPECT_EQ(ui.maximum, 6);
}

TEST_F(CidadesTest, AFailingMunicipalityLookupWarnsAndKeepsTheCity) {
    db.onTarget("DROP TABLE MUNICIPIOS");
    db.onSource("INSERT INTO REP004 VALUES (1, 1, 'Ouro Preto', 'MG');"
                "INSERT INTO REP004 VALUES (1, 2, 'Mariana', 'MG')");

    ConverteCidades(session);

    EXPECT_EQ(db.targetRows("SELECT CODCIDADE, CIDADE, CODMUNICIPIO FROM CIDADES ORDER BY CODCIDADE"),
              (Rows{{"00001", "Ouro Preto", ""}, {"00002", "Mariana", ""}}));
    ASSERT_EQ(ui.boxes.size(), 2u) << "one warning per row";
    for (const auto& box : ui.boxes) {
        EXPECT_EQ(box.kind, BoxKind::Warning);
        EXPECT_EQ(box.caption, "Alerta");
        const std::string prefix = W("Erro ao buscar município.") + "\rMotivo: ";
        ASSERT_EQ(box.text.substr(0, prefix.size()), prefix);
        EXPECT_NE(box.text.find("MUNICIPIOS"), std::string::npos) << "the server's reason follows: " << box.text;
    }
}

// The box names the city as read: uncut, trailing blank included.
TEST_F(CidadesTest, TheFirstFailingCityStopsTheRegistry) {
    db.onSource("INSERT INTO REP004 VALUES (1, 1, 'Primeira', 'MG');"
                "INSERT INTO REP004 VALUES (1, 100042, 'Repetida com nome mais longo que trinta ', 'MG');"
                "INSERT INTO REP004 VALUES (1, 200042, 'Depois, outra de nome longo demais ', 'MG');"
                "INSERT INTO REP004 VALUES (1, 300000, 'Nunca', 'MG')");

    ConverteCidades(session);

    EXPECT_EQ(db.targetRows("SELECT CODCIDADE, CIDADE FROM CIDADES ORDER BY CODCIDADE"),
              (Rows{{"00001", "Primeira"}, {"00042", "Repetida com nome mais longo q"}}));
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(ui.boxes[0].caption, "Erro");
    const std::string expected =
        "Ocorreu um erro ao converter o seguinte registro para a tabela CIDADES|"
        "Cidade: Depois, outra de nome longo demais |Erro: ";
    EXPECT_EQ(boxes()[0].substr(0, expected.size()), expected);
    EXPECT_NE(boxes()[0].find("PK_CIDADES"), std::string::npos) << boxes()[0];
    EXPECT_EQ(ui.progress, 2);
}

}  // namespace
}  // namespace conversor::testing
