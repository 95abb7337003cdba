// Products: how every source value reaches the product, stock and tax detail
// rows, the units they need and the fiscal class they point to.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "catalogue/source_product.h"
#include "convert/catalogue/catalogue.h"
#include "support/fixture.h"
#include "text/text_ops.h"

namespace conversor::testing {
namespace {

using Values = std::vector<std::pair<std::string, std::string>>;  // column, value

class ProdutosMappingTest : public ConversionTest {
protected:
    // Compares the named columns of one target product with the expected texts.
    void ExpectProduct(const std::string& code, const Values& expected) {
        std::string columns;
        for (const auto& [column, value] : expected) columns += (columns.empty() ? "" : ", ") + column;
        const Rows rows = db.targetRows("SELECT " + columns + " FROM PRODUTO WHERE CODPROD = '" + code + "'");
        ASSERT_EQ(rows.size(), 1u) << "product " << code;
        for (std::size_t i = 0; i < expected.size(); ++i)
            EXPECT_EQ(rows[0][i], expected[i].second) << "product " << code << ", column " << expected[i].first;
    }
};

TEST_F(ProdutosMappingTest, EveryColumnOfAFullProductAndItsStockAndTaxRows) {
    const std::string remark(300, 'o');
    db.onTarget("INSERT INTO PRODUTO (CODPROD) VALUES ('999999');"
                "INSERT INTO COMPPROD (CODPROD, CODEMPRESA, CODGRADE) VALUES ('999999', '01', '0000');"
                "INSERT INTO PRODUTODETALHE (CODPROD) VALUES ('999999');"
                "INSERT INTO UNIDADES (UNIDADE) VALUES ('UN');"
                "INSERT INTO CLASFISC (CODCLASFIS, CODNBM, CODIGONCM) VALUES ('0004', '22030000', '22030000')");
    db.onSource(
        "INSERT INTO EST038 (EMPRESA, TRIBCONTADOR, REDUCAO, CST, CFOPDENTRO, CFOPFORA) VALUES (1, 3, 20, '020', '5102', '6102');"
        "INSERT INTO EST038 (EMPRESA, TRIBCONTADOR, REDUCAO, CST, CFOPDENTRO, CFOPFORA) VALUES (2, 3, 50, '060', '5405', '6404');" +
        SourceProduct(12)
            .set("INATIVO", "'N'").set("REFERENCIA4", "'REF-0123456789-ABCDEFGHIJ'")
            .set("DESCPRODUTO", "'" + std::string(50, 'D') + "cut off here'").set("GRUPO", "4").set("SUBGRUPO", "1002")
            .set("ESTMINIMO", "1.5").set("ESTMAXIMO", "30.25").set("NCM", "'2203000099'").set("IPI", "5.5")
            .set("ALIQSERVICO", "2").set("ALIQSINTEGRA", "'18'").set("TRIBUTACAO", "3").set("TIPOTRIB", "'S'")
            .set("MVA_ST", "40.5").set("COMISSAO1", "3").set("MARCA", "7").set("PESOPROD", "0.75")
            .set("UNIDADE", "'cx'").set("UNID_ROMANEIO", "'un'").set("EMB_QTDE", "12").set("MLUCRO1", "30")
            .set("MLUCRO2", "31").set("MLUCRO3", "32").set("MLUCRO4", "33").set("PVENDA1", "1500.50")
            .set("PVENDA2", "10.1").set("PVENDA3", "10.2").set("PVENDA4", "10.3").set("PRECOPROMO", "9.99")
            .set("BLOQUEAR_DV", "'S'").set("DTCADASTRO", "'2024-03-01'").set("CALCSUBST", "'N'")
            .set("PERCBASEST", "70").set("PERCVLRST", "17").set("VLRCOMISSAO", "1.25").set("DESCMAX", "10")
            .set("OBSPRODUTO", "'" + remark + "'").set("GENERO", "'22'").set("IPIVENDA", "0.5")
            .set("CALCULARCOMISSAO", "'S'").set("ESTOQUE", "100.125").set("PRECOCUSTO", "12.3456")
            .set("DTULTCOMPRA", "'2024-02-10'").set("ULTFORNECEDOR", "42")
            .set("DTULTALTERACAO", "'2024-02-11 15:30:00'").set("ICMS", "12").set("CUSTOMEDIO", "11.1111")
            .set("CSTPIS", "'01'").set("CSTPISENTRADA", "'50'").set("CSTCOFINS", "'02'").set("CSTCOFINSENTRADA", "'51'")
            .sql() +
        SourceProduct(13).set("EMPRESA", "2").sql());

    ConverteProdutos(session);

    EXPECT_TRUE(ui.boxes.empty()) << boxes()[0];
    ExpectProduct("000012", {{"CODPROD", "000012"},
                             {"ATIVO", "S"},
                             {"REFERENCIA", "REF-0123456789-ABCDE"},
                             {"DESCRICAO", std::string(50, 'D')},
                             {"CODGRUPO", "004"},
                             {"CODSUBGRUPO", "002"},
                             {"TIPOPROD", "R"},
                             {"ESTMINIMO", "1.5"},
                             {"ESTMAXIMO", "30.25"},
                             {"CODTIPOPRODUTO", "00"},
                             {"CODCLASFIS", "0004"},
                             {"ALIQIPI", "5.5"},
                             {"ALIQISS", "2"},
                             {"ALIQICMSREG00", "18"},
                             {"BASEICMSREG00", "80"},
                             {"CODTRIBUT00", "020"},
                             {"SUBSTRIB", "S"},
                             {"LUCROSUBSTRIB", "40.5"},
                             {"COMISSAO", "3"},
                             {"CODFABRIC", "00007"},
                             {"PESO", "0.75"},
                             {"UNIDADEENT", "CX"},
                             {"UNIDADESAIDA", "UN"},
                             {"FATORCONVERSAO", "12"},
                             {"LUCRO", "30"},
                             {"PRECO", "1500.5"},
                             {"PRODBLOQUEADO", "S"},
                             {"DT_CADASTRO", "01.03.2024"},
                             {"PRECO2", "10.1"},
                             {"PRECO3", "10.2"},
                             {"LUCRO2", "31"},
                             {"LUCRO3", "32"},
                             {"PRECOPROMO", "9.99"},
                             {"SUBSTRIBSAIDA", "N"},
                             {"PERCBASESUBSTRIBSAIDA", "70"},
                             {"PERCICMSSUBSTRIBSAIDA", "17"},
                             {"COMISSAOVLR", "1.25"},
                             {"ALIQICMSPDV", "18"},
                             {"LUCRO4", "33"},
                             {"PRECO4", "10.3"},
                             {"DESCONTOMAXIMO", "10"},
                             {"OBSERVACAO", remark},
                             {"CODGENEROITEM", "22"},
                             {"PERC_IVA", "40.5"},
                             {"VALORIPI", "0.5"},
                             {"CONSIDERACOMISSAO", "S"},
                             {"CFOPDENTROUF", "5102"},
                             {"CFOPFORAUF", "6102"},
                             {"SUGESTAO", "11.1111"},
                             {"DATA_ULT_ALTERACAO", "10.02.2024"},
                             {"FORNEC_ULT_ENT3", "000042"},
                             {"DATA_ULT_REAJUSTE", "11.02.2024"},
                             {"ALIQICMSDIVERSOS", "12"}});
    EXPECT_EQ(db.targetValue("SELECT COUNT(*) FROM PRODUTO"), "1") << "only company 1 is read; old rows are gone";
    EXPECT_EQ(db.targetRows("SELECT CODPROD, CODEMPRESA, CODGRADE, ESTOQUE, ESTOQUEDISPONIVEL, PRECOCUSTO, "
                            "ESTMINIMO, ESTMAXIMO FROM COMPPROD"),
              (Rows{{"000012", "01", "0000", "100.125", "100.125", "12.3456", "1.5", "30.25"}}));
    EXPECT_EQ(db.targetRows("SELECT CODPROD, PIS_CST, PISENT_CST, COFINS_CST, COFINSENT_CST FROM PRODUTODETALHE"),
              (Rows{{"000012", "01", "50", "02", "51"}}));
    EXPECT_EQ(db.targetRows("SELECT UNIDADE FROM UNIDADES ORDER BY UNIDADE"), (Rows{{"CX"}, {"UN"}}))
        << "a unit already there is not added again";
    EXPECT_EQ(ui.statuses.back(), "Convertendo Produtos...");
    EXPECT_EQ(ui.progress, 1);
    EXPECT_EQ(ui.maximum, 1);
}

TEST_F(ProdutosMappingTest, AProductOfNullsGetsZerosEmptyTextsAndDayZero) {
    db.onSource(SourceProduct(1).sql());

    ConverteProdutos(session);

    EXPECT_TRUE(ui.boxes.empty()) << boxes()[0];
    Values expected;
    for (const char* zero : {"ESTMINIMO", "ESTMAXIMO", "ALIQIPI", "ALIQISS", "ALIQICMSREG00", "LUCROSUBSTRIB",
                             "COMISSAO", "PESO", "FATORCONVERSAO", "LUCRO", "PRECO", "PRECO2", "PRECO3", "LUCRO2",
                             "LUCRO3", "PRECOPROMO", "PERCBASESUBSTRIBSAIDA", "PERCICMSSUBSTRIBSAIDA", "COMISSAOVLR",
                             "ALIQICMSPDV", "LUCRO4", "PRECO4", "DESCONTOMAXIMO", "PERC_IVA", "VALORIPI", "SUGESTAO",
                             "ALIQICMSDIVERSOS"})
        expected.push_back({zero, "0"});
    for (const char* date : {"DT_CADASTRO", "DATA_ULT_ALTERACAO", "DATA_ULT_REAJUSTE"})
        expected.push_back({date, "30.12.1899"});
    expected.insert(expected.end(), {{"ATIVO", "N"},
                                     {"SUBSTRIB", "N"},
                                     {"BASEICMSREG00", "100"},
                                     {"CODGRUPO", "000"},
                                     {"CODSUBGRUPO", "000"},
                                     {"FORNEC_ULT_ENT3", "000000"}});
    ExpectProduct("000001", expected);
    // Empty texts, not nulls, wherever the source had nothing.
    EXPECT_EQ(db.targetValue("SELECT COUNT(*) FROM PRODUTO WHERE REFERENCIA = '' AND CODCLASFIS = '' AND "
                             "CODTRIBUT00 = '' AND CODFABRIC = '' AND UNIDADEENT = '' AND UNIDADESAIDA = '' AND "
                             "PRODBLOQUEADO = '' AND SUBSTRIBSAIDA = '' AND CODGENEROITEM = '' AND "
                             "CONSIDERACOMISSAO = '' AND CFOPDENTROUF = '' AND CFOPFORAUF = ''"),
              "1");
    EXPECT_EQ(db.targetRows("SELECT CODEMPRESA, ESTOQUE, ESTOQUEDISPONIVEL, PRECOCUSTO, ESTMINIMO, ESTMAXIMO FROM COMPPROD"),
              (Rows{{"01", "0", "0", "0", "0", "0"}}));
    EXPECT_EQ(db.targetValue("SELECT COUNT(*) FROM PRODUTODETALHE WHERE PIS_CST = '' AND PISENT_CST = '' AND "
                             "COFINS_CST = '' AND COFINSENT_CST = ''"),
              "1");
    EXPECT_EQ(db.targetRows("SELECT UNIDADE FROM UNIDADES"), (Rows{{""}})) << "the empty unit is added once";
}

struct RuleCase {
    Values source;    // EST004 columns as SQL literals
    Values expected;  // PRODUTO columns as read back
};

TEST_F(ProdutosMappingTest, FlagsRatesCodesUnitsAndFiscalClassesFollowTheirRules) {
    db.onTarget("INSERT INTO CLASFISC (CODCLASFIS, CODNBM, CODIGONCM) VALUES ('0001', '22030000', '22030000');"
                "INSERT INTO CLASFISC (CODCLASFIS, CODNBM, CODIGONCM) VALUES ('0002', '22030000', '22030000');"
                "INSERT INTO CLASFISC (CODCLASFIS, CODNBM, CODIGONCM) VALUES ('0003', '1', '1')");
    // Rule 1 exists for two companies: only company 1's may be joined.
    db.onSource("INSERT INTO EST038 (EMPRESA, TRIBCONTADOR, REDUCAO) VALUES (1, 1, 20);"
                "INSERT INTO EST038 (EMPRESA, TRIBCONTADOR, REDUCAO) VALUES (2, 1, 50);"
                "INSERT INTO EST038 (EMPRESA, TRIBCONTADOR, REDUCAO) VALUES (1, 2, 100);"
                "INSERT INTO EST038 (EMPRESA, TRIBCONTADOR, REDUCAO, CST) VALUES (1, 3, NULL, '040')");
    const std::vector<RuleCase> cases = {
        {{{"INATIVO", "'N'"}}, {{"ATIVO", "S"}}},
        {{{"INATIVO", "'S'"}}, {{"ATIVO", "N"}}},
        {{{"INATIVO", "'n'"}}, {{"ATIVO", "N"}}},
        {{{"INATIVO", "''"}}, {{"ATIVO", "N"}}},
        {{{"TIPOTRIB", "'S'"}}, {{"SUBSTRIB", "S"}}},
        {{{"TIPOTRIB", "'s'"}}, {{"SUBSTRIB", "N"}}},
        {{{"ALIQSINTEGRA", "'17'"}}, {{"ALIQICMSREG00", "17"}, {"ALIQICMSPDV", "17"}}},
        {{{"ALIQSINTEGRA", "'F'"}}, {{"ALIQICMSREG00", "0"}, {"ALIQICMSPDV", "0"}}},
        {{{"ALIQSINTEGRA", "'D'"}}, {{"ALIQICMSREG00", "0"}, {"ALIQICMSPDV", "0"}}},
        {{{"ALIQSINTEGRA", "'Isento'"}}, {{"ALIQICMSREG00", "0"}, {"ALIQICMSPDV", "0"}}},
        {{{"ALIQSINTEGRA", "''"}}, {{"ALIQICMSREG00", "0"}, {"ALIQICMSPDV", "0"}}},
        {{{"ALIQSINTEGRA", "'7'"}}, {{"ALIQICMSREG00", "7"}, {"ALIQICMSPDV", "7"}}},
        {{{"ALIQSINTEGRA", "'12,00'"}}, {{"ALIQICMSREG00", "12"}, {"ALIQICMSPDV", "12"}}},
        {{{"ALIQSINTEGRA", "'7,5'"}}, {{"ALIQICMSREG00", "7"}, {"ALIQICMSPDV", "7"}}},
        {{{"TRIBUTACAO", "1"}}, {{"BASEICMSREG00", "80"}}},
        {{{"TRIBUTACAO", "2"}}, {{"BASEICMSREG00", "0"}}},
        {{{"TRIBUTACAO", "3"}}, {{"BASEICMSREG00", "100"}, {"CODTRIBUT00", "040"}}},
        {{{"TRIBUTACAO", "9"}}, {{"BASEICMSREG00", "100"}, {"CODTRIBUT00", ""}}},
        {{{"MARCA", "7"}}, {{"CODFABRIC", "00007"}}},
        {{{"MARCA", "1234567"}}, {{"CODFABRIC", "34567"}}},
        {{{"ULTFORNECEDOR", "1234567"}}, {{"FORNEC_ULT_ENT3", "123456"}}},
        {{{"ULTFORNECEDOR", "42"}}, {{"FORNEC_ULT_ENT3", "000042"}}},
        {{{"UNIDADE", "'un'"}, {"UNID_ROMANEIO", "'UN'"}}, {{"UNIDADEENT", "UN"}, {"UNIDADESAIDA", "UN"}}},
        {{{"UNIDADE", "'caixa12'"}, {"UNID_ROMANEIO", "'\xE7x'"}}, {{"UNIDADEENT", "CAIXA1"}, {"UNIDADESAIDA", "\xE7X"}}},
        {{{"NCM", "'2203000099'"}}, {{"CODCLASFIS", "0001"}}},
        {{{"NCM", "'22030000'"}}, {{"CODCLASFIS", "0001"}}},
        {{{"NCM", "'1'"}}, {{"CODCLASFIS", "0003"}}},
        {{{"NCM", "'99999999'"}}, {{"CODCLASFIS", ""}}},
        {{{"NCM", "''"}}, {{"CODCLASFIS", ""}}},
    };
    std::string sql;
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SourceProduct product(static_cast<int>(i + 1));
        for (const auto& [column, value] : cases[i].source) product.set(column, value);
        sql += product.sql();
    }
    db.onSource(sql);

    ConverteProdutos(session);

    EXPECT_TRUE(ui.boxes.empty()) << boxes()[0];
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE("case " + std::to_string(i + 1) + ": " + cases[i].source[0].first + " = " + cases[i].source[0].second);
        ExpectProduct(StrZero(static_cast<long long>(i + 1), 6), cases[i].expected);
    }
    EXPECT_EQ(db.targetRows("SELECT UNIDADE FROM UNIDADES ORDER BY UNIDADE"),
              (Rows{{""}, {"CAIXA1"}, {"UN"}, {"\xE7X"}}));
    EXPECT_EQ(ui.progress, static_cast<long long>(cases.size()));
}

}  // namespace
}  // namespace conversor::testing
