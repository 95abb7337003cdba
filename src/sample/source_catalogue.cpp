// Groups, subgroups, brands, taxation rules and products.
#include "sample/source_writer.h"

namespace conversor::sample {

namespace {
constexpr const char* kIcmsRates[] = {"17", "17", "18", "18", "12", "07", "25", "F", "I", "FF", "12,00"};
constexpr int kPackQuantities[] = {1, 1, 1, 6, 12, 24};
constexpr int kIcmsPercent[] = {17, 18, 12, 7, 0};
constexpr const char* kPisCofins[] = {"01", "01", "04", "06", "49", "50", "70", "73"};

struct TaxRule {
    double reduction;  // < 0: none recorded
    const char* cst;
    const char* cfopInside;
    const char* cfopOutside;
};
constexpr TaxRule kTaxRules[] = {
    {-1, "000", "5102", "6102"}, {0, "000", "5102", "6102"},    {33.33, "020", "5102", "6102"},
    {41.67, "020", "5102", "6102"}, {-1, "060", "5405", "6404"}, {0, "040", "5102", "6102"},
    {61.11, "020", "5102", "6108"}, {-1, "010", "5401", "6401"},
};
}  // namespace

std::string SourceWriter::ean13() {
    std::string d = "789" + rng_.digits(9);
    int sum = 0;
    for (std::size_t i = 0; i < d.size(); ++i) sum += (d[i] - '0') * (i % 2 ? 3 : 1);
    d += static_cast<char>('0' + (10 - sum % 10) % 10);
    return d;
}

void SourceWriter::WriteCatalogueTables() {
    Insert group(cn_, "INSERT INTO EST002 (GRUPOCONTADOR, DESCGRUPO) VALUES (:GRUPOCONTADOR, :DESCGRUPO)", state_.rows);
    for (int g = 0; g < shape_.groups; ++g) {
        group["GRUPOCONTADOR"].setInt(g + 1);
        group.text("DESCGRUPO", words_.groups[static_cast<std::size_t>(g)]);
        group.write();
    }
    Insert subgroup(cn_, "INSERT INTO EST003 (GRUPOCONTA, SUBGCONTADOR, DESCSUBG) VALUES (:GRUPOCONTA, :SUBGCONTADOR, :DESCSUBG)",
                    state_.rows);
    state_.subgroupNumbers.assign(words_.subgroups.size(), 0);
    int next = 0;
    for (std::size_t s = 0; s < words_.subgroups.size(); ++s) {
        const SubgroupName& sub = words_.subgroups[s];
        if (sub.group >= shape_.groups) continue;
        state_.subgroupNumbers[s] = ++next;
        subgroup["GRUPOCONTA"].setInt(sub.group + 1);
        subgroup["SUBGCONTADOR"].setInt(next);
        subgroup.text("DESCSUBG", sub.name);
        subgroup.write();
    }
    Insert brand(cn_, "INSERT INTO EST017 (MARCACONTADOR, DESCMARCA) VALUES (:MARCACONTADOR, :DESCMARCA)", state_.rows);
    for (int b = 0; b < shape_.brands; ++b) {
        brand["MARCACONTADOR"].setInt(b + 1);
        brand.text("DESCMARCA", words_.brands[static_cast<std::size_t>(b)]);
        brand.write();
    }
    Insert rule(cn_,
                "INSERT INTO EST038 (EMPRESA, TRIBCONTADOR, REDUCAO, CST, CFOPDENTRO, CFOPFORA) "
                "VALUES (:EMPRESA, :TRIBCONTADOR, :REDUCAO, :CST, :CFOPDENTRO, :CFOPFORA)",
                state_.rows);
    for (int company = 1; company <= shape_.companies; ++company)
        for (int r = 0; r < shape_.taxRules; ++r) {
            const TaxRule& t = kTaxRules[static_cast<std::size_t>(r) % std::size(kTaxRules)];
            rule["EMPRESA"].setInt(company);
            rule["TRIBCONTADOR"].setInt(r + 1);
            if (t.reduction < 0) rule["REDUCAO"].setNull();
            else rule["REDUCAO"].setDouble(t.reduction);
            rule.text("CST", t.cst);
            rule.text("CFOPDENTRO", t.cfopInside);
            rule.text("CFOPFORA", t.cfopOutside);
            rule.write();
        }
}

void SourceWriter::WriteProducts() {
    Insert row(cn_,
               "INSERT INTO EST004 (EMPRESA, CODPRODUTO, INATIVO, REFERENCIA4, DESCPRODUTO, GRUPO, SUBGRUPO, "
               "ESTMINIMO, ESTMAXIMO, NCM, IPI, ALIQSERVICO, ALIQSINTEGRA, TRIBUTACAO, TIPOTRIB, MVA_ST, COMISSAO1, "
               "MARCA, PESOPROD, UNIDADE, UNID_ROMANEIO, EMB_QTDE, MLUCRO1, MLUCRO2, MLUCRO3, MLUCRO4, PVENDA1, "
               "PVENDA2, PVENDA3, PVENDA4, PRECOPROMO, BLOQUEAR_DV, DTCADASTRO, CALCSUBST, PERCBASEST, PERCVLRST, "
               "VLRCOMISSAO, DESCMAX, OBSPRODUTO, GENERO, IPIVENDA, CALCULARCOMISSAO, ESTOQUE, PRECOCUSTO, "
               "DTULTCOMPRA, ULTFORNECEDOR, DTULTALTERACAO, ICMS, CUSTOMEDIO, CSTPIS, CSTPISENTRADA, CSTCOFINS, "
               "CSTCOFINSENTRADA) VALUES (:EMPRESA, :CODPRODUTO, :INATIVO, :REFERENCIA4, :DESCPRODUTO, :GRUPO, "
               ":SUBGRUPO, :ESTMINIMO, :ESTMAXIMO, :NCM, :IPI, :ALIQSERVICO, :ALIQSINTEGRA, :TRIBUTACAO, :TIPOTRIB, "
               ":MVA_ST, :COMISSAO1, :MARCA, :PESOPROD, :UNIDADE, :UNID_ROMANEIO, :EMB_QTDE, :MLUCRO1, :MLUCRO2, "
               ":MLUCRO3, :MLUCRO4, :PVENDA1, :PVENDA2, :PVENDA3, :PVENDA4, :PRECOPROMO, :BLOQUEAR_DV, :DTCADASTRO, "
               ":CALCSUBST, :PERCBASEST, :PERCVLRST, :VLRCOMISSAO, :DESCMAX, :OBSPRODUTO, :GENERO, :IPIVENDA, "
               ":CALCULARCOMISSAO, :ESTOQUE, :PRECOCUSTO, :DTULTCOMPRA, :ULTFORNECEDOR, :DTULTALTERACAO, :ICMS, "
               ":CUSTOMEDIO, :CSTPIS, :CSTPISENTRADA, :CSTCOFINS, :CSTCOFINSENTRADA)",
               state_.rows);
    std::vector<const CatalogueItem*> items;
    for (const CatalogueItem& item : words_.catalogue)
        if (item.group < shape_.groups) items.push_back(&item);

    auto money = [&](std::string_view name, double value) { row[name].setDouble(value); };
    auto maybe = [&](std::string_view name, int percent, double value) {
        if (rng_.chance(percent)) row[name].setDouble(value);
        else row[name].setNull();
    };
    for (int company : {1, 2}) {
        const int count = company == 1 ? shape_.products : shape_.otherProducts;
        for (int code = 1; code <= count; ++code) {
            const CatalogueItem& item = *rng_.pick(items);
            const std::string& variant = rng_.pick(words_.variants);
            std::string description = item.description;
            if (!variant.empty()) description += " " + variant;
            if (rng_.chance(40)) description += " " + rng_.pick(words_.brands);

            const double cost = rng_.money(50, 150000);
            const double margin = static_cast<double>(rng_.between(15, 120));
            const double price = static_cast<double>(static_cast<long long>(cost * (100 + margin) + 0.5)) / 100.0;

            row["EMPRESA"].setInt(company);
            row["CODPRODUTO"].setInt(code);
            row.optional("INATIVO", rng_.chance(3) ? "" : rng_.chance(5) ? "S" : "N");
            row.optional("REFERENCIA4", rng_.chance(60) ? ean13() : rng_.chance(50) ? "REF-" + rng_.digits(5) : "");
            row.text("DESCPRODUTO", description);
            row["GRUPO"].setInt(item.group + 1);
            row["SUBGRUPO"].setInt(state_.subgroupNumbers[static_cast<std::size_t>(item.subgroup)]);
            maybe("ESTMINIMO", 80, static_cast<double>(rng_.between(0, 50)));
            maybe("ESTMAXIMO", 80, static_cast<double>(rng_.between(50, 500)));
            // Goods codes as the store typed them: plain, punctuated, missing.
            const auto ncmKind = rng_.below(100);
            if (ncmKind < 85) row.text("NCM", item.ncm);
            else if (ncmKind < 91) row.text("NCM", item.ncm.substr(0, 4) + "." + item.ncm.substr(4, 2) + "." + item.ncm.substr(6));
            else if (ncmKind < 95) row.text("NCM", "");
            else row["NCM"].setNull();
            maybe("IPI", 30, rng_.chance(80) ? 0.0 : 5.0);
            maybe("ALIQSERVICO", 20, 0.0);
            row.optional("ALIQSINTEGRA", rng_.chance(3) ? "" : rng_.pick(std::span<const char* const>(kIcmsRates)));
            if (rng_.chance(94)) row["TRIBUTACAO"].setInt(rng_.between(1, shape_.taxRules));
            else if (rng_.chance(50)) row["TRIBUTACAO"].setInt(99);  // a rule deleted long ago
            else row["TRIBUTACAO"].setNull();
            row.text("TIPOTRIB", rng_.chance(25) ? "S" : rng_.chance(90) ? "N" : "T");
            maybe("MVA_ST", 25, static_cast<double>(rng_.between(3500, 7000)) / 100.0);
            maybe("COMISSAO1", 50, static_cast<double>(rng_.between(0, 10)));
            if (rng_.chance(80)) row["MARCA"].setInt(rng_.between(1, shape_.brands));
            else row["MARCA"].setNull();
            maybe("PESOPROD", 60, static_cast<double>(rng_.between(50, 50000)) / 1000.0);
            const std::string& unit = item.unit;
            row.text("UNIDADE", unit);
            row.text("UNID_ROMANEIO", rng_.chance(80) ? unit : rng_.chance(50) ? "UN" : "cx");
            row["EMB_QTDE"].setDouble(rng_.pick(std::span<const int>(kPackQuantities)));
            money("MLUCRO1", margin);
            money("PVENDA1", price);
            maybe("MLUCRO2", 40, margin * 0.9);
            maybe("PVENDA2", 40, price * 0.95);
            maybe("MLUCRO3", 20, margin * 0.8);
            maybe("PVENDA3", 20, price * 0.9);
            maybe("MLUCRO4", 10, margin * 0.7);
            maybe("PVENDA4", 10, price * 0.85);
            maybe("PRECOPROMO", 10, price * 0.8);
            row.text("BLOQUEAR_DV", rng_.chance(3) ? "S" : "N");
            if (rng_.chance(97)) row["DTCADASTRO"].setDate(someDay(2008, 2024));
            else row["DTCADASTRO"].setNull();
            row.optional("CALCSUBST", rng_.chance(20) ? "S" : rng_.chance(90) ? "N" : "");
            maybe("PERCBASEST", 20, 100.0);
            maybe("PERCVLRST", 20, 18.0);
            maybe("VLRCOMISSAO", 10, rng_.money(10, 500));
            maybe("DESCMAX", 50, static_cast<double>(rng_.between(0, 15)));
            if (rng_.chance(5)) row["OBSPRODUTO"].setBlob(rng_.pick(words_.remarks));
            else row["OBSPRODUTO"].setNull();
            row.text("GENERO", item.ncm.substr(0, 2));
            maybe("IPIVENDA", 20, 0.0);
            row.text("CALCULARCOMISSAO", rng_.chance(50) ? "S" : "N");
            row["ESTOQUE"].setDouble(rng_.chance(3) ? -static_cast<double>(rng_.between(1, 20))  // sold before it was received
                                                    : static_cast<double>(rng_.between(0, 2000)) / (unit == "KG" ? 10.0 : 1.0));
            row["PRECOCUSTO"].setDouble(cost);
            if (rng_.chance(85)) row["DTULTCOMPRA"].setDate(someDay(2020, 2024));
            else row["DTULTCOMPRA"].setNull();
            if (rng_.chance(70)) row["ULTFORNECEDOR"].setInt(rng_.between(1, state_.suppliers));
            else row["ULTFORNECEDOR"].setNull();
            if (rng_.chance(90)) row["DTULTALTERACAO"].setDate(someDay(2021, 2024));
            else row["DTULTALTERACAO"].setNull();
            row["ICMS"].setDouble(rng_.pick(std::span<const int>(kIcmsPercent)));
            row["CUSTOMEDIO"].setDouble(cost * (0.95 + static_cast<double>(rng_.below(10)) / 100.0));
            for (const char* cst : {"CSTPIS", "CSTPISENTRADA", "CSTCOFINS", "CSTCOFINSENTRADA"})
                row.optional(cst, rng_.chance(95) ? rng_.pick(std::span<const char* const>(kPisCofins)) : "");
            row.write();
        }
    }
}

}  // namespace conversor::sample
