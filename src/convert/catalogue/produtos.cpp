#include "convert/catalogue/catalogue.h"

#include <string>
#include <vector>

#include "convert/catalogue/product_values.h"
#include "db/copy_loop.h"
#include "db/firebird/error.h"
#include "db/row_mapping.h"
#include "db/session.h"
#include "text/cp1252.h"
#include "text/text_ops.h"

namespace conversor {

namespace {

const char* const kSourceSql =
    "SELECT EST004.EMPRESA, CODPRODUTO AS CODPROD, INATIVO AS ATIVO, REFERENCIA4 AS REFERENCIA, "
    "DESCPRODUTO AS DESCRICAO, GRUPO AS CODGRUPO, SUBGRUPO AS CODSUBGRUPO, 'R' AS TIPOPROD, "
    "ESTMINIMO AS ESTMINIMO, ESTMAXIMO AS ESTMAXIMO, NCM, IPI AS ALIQIPI, ALIQSERVICO AS ALIQISS, "
    "ALIQSINTEGRA AS ALIQICMSREG00, EST038.REDUCAO AS REDUCAOICMS, EST038.CST AS CODTRIBUT00, "
    "TIPOTRIB AS SUBSTRIB, MVA_ST AS LUCROSUBSTRIB, COMISSAO1 AS COMISSAO, MARCA AS CODFABRIC, "
    "PESOPROD AS PESO, UNIDADE AS UNIDADEENT, UNID_ROMANEIO AS UNIDADESAIDA, EMB_QTDE AS FATORCONVERSAO, "
    "MLUCRO1 AS LUCRO, PVENDA1 AS PRECO, BLOQUEAR_DV AS PRODBLOQUEADO, DTCADASTRO AS DT_CADASTRO, "
    "PVENDA2 AS PRECO2, PVENDA3 AS PRECO3, MLUCRO2 AS LUCRO2, MLUCRO3 AS LUCRO3, PRECOPROMO AS PRECOPROMO, "
    "EST004.CALCSUBST AS SUBSTRIBSAIDA, PERCBASEST AS PERCBASESUBSTRIBSAIDA, "
    "PERCVLRST AS PERCICMSSUBSTRIBSAIDA, VLRCOMISSAO AS COMISSAOVLR, MLUCRO4 AS LUCRO4, PVENDA4 AS PRECO4, "
    "DESCMAX AS DESCONTOMAXIMO, OBSPRODUTO AS OBSERVACAO, GENERO AS CODGENEROITEM, MVA_ST AS PERC_IVA, "
    "IPIVENDA AS VALORIPI, CALCULARCOMISSAO AS CONSIDERACOMISSAO, EST038.CFOPDENTRO AS CFOPDENTROUF, "
    "EST038.CFOPFORA AS CFOPFORAUF, ESTOQUE, PRECOCUSTO AS PRECOCUSTO, DTULTCOMPRA AS DATA_ULT_ALTERACAO, "
    "ULTFORNECEDOR AS FORNEC_ULT_ENT3, DTULTALTERACAO AS DATA_ULT_REAJUSTE, ICMS AS ALIQICMSDIVERSOS, "
    "CUSTOMEDIO AS SUGESTAO, EST004.CSTPIS, EST004.CSTPISENTRADA, EST004.CSTCOFINS, EST004.CSTCOFINSENTRADA "
    "FROM EST004 LEFT JOIN EST038 ON EST004.TRIBUTACAO = EST038.TRIBCONTADOR AND EST004.EMPRESA = EST038.EMPRESA "
    "WHERE EST004.EMPRESA = 1 ORDER BY CODPRODUTO";

const std::vector<std::string> kProductColumns = {
    "CODPROD",       "ATIVO",          "REFERENCIA",         "DESCRICAO",
    "CODGRUPO",      "CODSUBGRUPO",    "TIPOPROD",           "ESTMINIMO",
    "ESTMAXIMO",     "CODTIPOPRODUTO", "CODCLASFIS",         "ALIQIPI",
    "ALIQISS",       "ALIQICMSREG00",  "BASEICMSREG00",      "CODTRIBUT00",
    "SUBSTRIB",      "LUCROSUBSTRIB",  "COMISSAO",           "CODFABRIC",
    "PESO",          "UNIDADEENT",     "UNIDADESAIDA",       "FATORCONVERSAO",
    "LUCRO",         "PRECO",          "PRODBLOQUEADO",      "DT_CADASTRO",
    "PRECO2",        "PRECO3",         "LUCRO2",             "LUCRO3",
    "PRECOPROMO",    "SUBSTRIBSAIDA",  "PERCBASESUBSTRIBSAIDA", "PERCICMSSUBSTRIBSAIDA",
    "COMISSAOVLR",   "ALIQICMSPDV",    "LUCRO4",             "PRECO4",
    "DESCONTOMAXIMO", "OBSERVACAO",    "CODGENEROITEM",      "PERC_IVA",
    "VALORIPI",      "CONSIDERACOMISSAO", "CFOPDENTROUF",    "CFOPFORAUF",
    "SUGESTAO",      "DATA_ULT_ALTERACAO", "FORNEC_ULT_ENT3", "DATA_ULT_REAJUSTE",
    "ALIQICMSDIVERSOS",
};

std::string ProductInsert() {
    std::string columns, values;
    for (const std::string& c : kProductColumns) {
        columns += (columns.empty() ? "" : ", ") + c;
        values += (values.empty() ? ":" : ", :") + c;
    }
    return "INSERT INTO PRODUTO (" + columns + ") VALUES (" + values + ")";
}

const char* const kStockInsert =
    "INSERT INTO COMPPROD ( CODPROD, CODEMPRESA, ESTOQUE, PRECOCUSTO, ESTMINIMO, ESTMAXIMO, CODGRADE, "
    "ESTOQUEDISPONIVEL) VALUES ( :CODPROD, :CODEMPRESA, :ESTOQUE, :PRECOCUSTO, :ESTMINIMO, :ESTMAXIMO, "
    ":CODGRADE, :ESTOQUEDISPONIVEL)";

const char* const kTaxDetailInsert =
    "INSERT INTO PRODUTODETALHE ( CODPROD, PIS_CST, PISENT_CST, COFINS_CST, COFINSENT_CST) VALUES ( "
    ":CODPROD,:PIS_CST, :PISENT_CST, :COFINS_CST, :COFINSENT_CST)";

const char* const kFiscalClass = "SELECT CODCLASFIS FROM CLASFISC WHERE CODIGONCM = :CODIGONCM";

std::string Text(Statement& src, const char* column) { return src.field(column).asText(); }

// The class the fiscal-classification converter gave the product's goods code.
std::string BuscaClasseFiscal(Session& s, const std::string& ncm) {
    if (ncm.empty()) return {};
    const std::string code = First(ncm, 8);
    if (const std::string* known = s.lookups.fiscalClasses.find(code)) return *known;
    Statement& q = s.qryAuxOrdelio;
    q.close();
    q.setText(kFiscalClass);
    q.param("CODIGONCM").setText(code);
    q.open();
    std::string fiscalClass = q.isEmpty() ? std::string() : q.field("CODCLASFIS").asText();
    s.lookups.fiscalClasses.remember(code, fiscalClass);
    return fiscalClass;
}

void BindProduct(Session& s, Statement& src, Statement& dst) {
    const RowMapping m(src, dst);

    const std::string icms = m.in("ALIQICMSREG00");
    const std::string brand = m.in("CODFABRIC");

    m.out("CODPROD", StrZero(m.in("CODPROD"), 6));
    m.out("ATIVO", m.in("ATIVO") == "N" ? "S" : "N");
    m.outFirst("REFERENCIA", m.in("REFERENCIA"), 20);
    m.outFirst("DESCRICAO", m.in("DESCRICAO"), 50);
    m.out("CODGRUPO", StrZero(m.in("CODGRUPO"), 3));
    m.out("CODSUBGRUPO", StrZero(m.in("CODSUBGRUPO"), 3));
    m.out("TIPOPROD", "R");
    m.copyNumber("ESTMINIMO", NumeroOuZero);
    m.copyNumber("ESTMAXIMO", NumeroOuZero);
    m.out("CODTIPOPRODUTO", "00");
    m.out("CODCLASFIS", BuscaClasseFiscal(s, m.in("NCM")));
    m.copyNumber("ALIQIPI", NumeroOuZero);
    m.copyNumber("ALIQISS", NumeroOuZero);
    dst.param("ALIQICMSREG00").setDouble(AliquotaIcms(icms));
    dst.param("BASEICMSREG00").setDouble(BaseIcms(src.field("REDUCAOICMS")));
    m.copy("CODTRIBUT00");
    m.out("SUBSTRIB", m.in("SUBSTRIB") == "S" ? "S" : "N");
    m.copyNumber("LUCROSUBSTRIB", NumeroOuZero);
    m.copyNumber("COMISSAO", NumeroOuZero);
    m.out("CODFABRIC", brand.empty() ? std::string() : StrZero(brand, 5));
    m.copyNumber("PESO", NumeroOuZero);
    m.out("UNIDADEENT", GravaUnidade(s, m.in("UNIDADEENT")));
    m.out("UNIDADESAIDA", GravaUnidade(s, m.in("UNIDADESAIDA")));
    m.copyNumber("FATORCONVERSAO", NumeroOuZero);
    m.copyNumber("LUCRO", NumeroOuZero);
    m.copyNumber("PRECO", NumeroOuZero);
    m.copy("PRODBLOQUEADO");
    m.copyDate("DT_CADASTRO");
    m.copyNumber("PRECO2", NumeroOuZero);
    m.copyNumber("PRECO3", NumeroOuZero);
    m.copyNumber("LUCRO2", NumeroOuZero);
    m.copyNumber("LUCRO3", NumeroOuZero);
    m.copyNumber("PRECOPROMO", NumeroOuZero);
    m.copy("SUBSTRIBSAIDA");
    m.copyNumber("PERCBASESUBSTRIBSAIDA", NumeroOuZero);
    m.copyNumber("PERCICMSSUBSTRIBSAIDA", NumeroOuZero);
    m.copyNumber("COMISSAOVLR", NumeroOuZero);
    dst.param("ALIQICMSPDV").setDouble(AliquotaIcms(icms));
    m.copyNumber("LUCRO4", NumeroOuZero);
    m.copyNumber("PRECO4", NumeroOuZero);
    m.copyNumber("DESCONTOMAXIMO", NumeroOuZero);
    dst.param("OBSERVACAO").setBlob(m.in("OBSERVACAO"));
    m.copy("CODGENEROITEM");
    m.copyNumber("PERC_IVA", NumeroOuZero);
    m.copyNumber("VALORIPI", NumeroOuZero);
    m.copy("CONSIDERACOMISSAO");
    m.copy("CFOPDENTROUF");
    m.copy("CFOPFORAUF");
    m.copyNumber("SUGESTAO", NumeroOuZero);
    m.copyDate("DATA_ULT_ALTERACAO");
    m.out("FORNEC_ULT_ENT3", StrZero(First(m.in("FORNEC_ULT_ENT3"), 6), 6));
    m.copyDate("DATA_ULT_REAJUSTE");
    m.copyNumber("ALIQICMSDIVERSOS", NumeroOuZero);
}

void BindStock(Statement& src, Statement& dst) {
    dst.param("CODEMPRESA").setText(StrZero(Text(src, "EMPRESA"), 2));
    dst.param("CODPROD").setText(StrZero(Text(src, "CODPROD"), 6));
    dst.param("ESTOQUE").setDouble(src.field("ESTOQUE").asDouble());
    dst.param("PRECOCUSTO").setDouble(src.field("PRECOCUSTO").asDouble());
    dst.param("ESTMAXIMO").setDouble(src.field("ESTMAXIMO").asDouble());
    dst.param("ESTMINIMO").setDouble(src.field("ESTMINIMO").asDouble());
    dst.param("CODGRADE").setText("0000");
    dst.param("ESTOQUEDISPONIVEL").setDouble(src.field("ESTOQUE").asDouble());
}

void BindTaxDetail(Statement& src, Statement& dst) {
    dst.param("CODPROD").setText(StrZero(Text(src, "CODPROD"), 6));
    dst.param("PIS_CST").setText(Text(src, "CSTPIS"));
    dst.param("PISENT_CST").setText(Text(src, "CSTPISENTRADA"));
    dst.param("COFINS_CST").setText(Text(src, "CSTCOFINS"));
    dst.param("COFINSENT_CST").setText(Text(src, "CSTCOFINSENTRADA"));
}

// A further row of a product, named in its box by the product's padded code.
FurtherRow Complemento(const std::string& table, const char* sql, void (*bind)(Statement&, Statement&)) {
    return {table, sql, bind, [table](Statement& src) {
                return W("Ocorreu um erro ao gravar os dados do produto na tabela ") + table +
                       W(" no banco de dados do Ordelio.\rProduto: ") + StrZero(Text(src, "CODPROD"), 6) + " - " +
                       Text(src, "DESCRICAO") + W("\rErro: ");
            }};
}

}  // namespace

// Each product becomes three rows, each committed on its own: the product
// (whose failure ends the registry), its stock and its PIS/COFINS codes
// (whose failures are reported, the product staying). Going on past failing
// rows, the three are one row, undone together.
void ConverteProdutos(Session& s) {
    CopyLoop loop;
    loop.registry = "produtos";
    loop.statusText = "Convertendo Produtos...";
    loop.sourceSql = kSourceSql;
    loop.clearTables = {"PRODUTO", "COMPPROD", "PRODUTODETALHE"};
    loop.clearBeforeSource = true;
    loop.sourceKey = {"EMPRESA", "CODPROD"};
    loop.targetTable = "PRODUTO";
    loop.insertSql = ProductInsert();
    loop.bind = [&](Statement& src, Statement& dst) {
        BindProduct(s, src, dst);
        return RowDecision::Write();
    };
    loop.rowName = [](Statement& src) {
        return "Codprod: " + Text(src, "CODPROD") + "\r" + "Produto: " + Text(src, "DESCRICAO");
    };
    loop.alsoRuns = StatementPlan{OnTarget(kFiscalClass)} + GravaUnidadeStatements();
    loop.furtherRows = {Complemento("COMPPROD", kStockInsert, BindStock),
                        Complemento("PRODUTODETALHE", kTaxDetailInsert, BindTaxDetail)};
    RunCopyLoop(s, loop);
}

}  // namespace conversor
