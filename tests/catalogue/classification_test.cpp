// Groups, subgroups and manufacturers: three plain copies that differ only in
// their tables, code widths and the word naming a failing row.
#include <gtest/gtest.h>

#include <string>

#include "convert/catalogue/catalogue.h"
#include "support/fixture.h"

namespace conversor::testing {
namespace {

struct Registry {
    const char* name;
    void (*convert)(Session&);
    const char* status;
    const char* table;
    const char* label;
    int width;
    // Source insert with the code and the description still to be filled in.
    std::string (*sourceRow)(long long code, const std::string& description);
    const char* targetRows;   // code and description, ordered by code
    const char* staleRow;     // a row the clearing must remove
};

void PrintTo(const Registry& r, std::ostream* os) { *os << r.name; }

std::string Quoted(const std::string& text) { return "'" + text + "'"; }

const Registry kRegistries[] = {
    {"grupos", ConverteGrupos, "Convertendo Grupos de Produtos...", "GRUPROD", "Grupo", 3,
     [](long long code, const std::string& d) {
         return "INSERT INTO EST002 (GRUPOCONTADOR, DESCGRUPO) VALUES (" + std::to_string(code) + ", " + Quoted(d) + ")";
     },
     "SELECT CODGRUPO, DESCRICAO FROM GRUPROD ORDER BY CODGRUPO",
     "INSERT INTO GRUPROD (CODGRUPO, DESCRICAO) VALUES ('999', 'old')"},
    {"subgrupos", ConverteSubgrupos, "Convertendo Subgrupos de Produtos...", "SUBGRUP", "Subgrupo", 3,
     [](long long code, const std::string& d) {
         return "INSERT INTO EST003 (GRUPOCONTA, SUBGCONTADOR, DESCSUBG) VALUES (1, " + std::to_string(code) + ", " +
                Quoted(d) + ")";
     },
     "SELECT CODSUBGRUPO, DESCRICAO FROM SUBGRUP ORDER BY CODSUBGRUPO",
     "INSERT INTO SUBGRUP (CODGRUPO, CODSUBGRUPO, DESCRICAO) VALUES ('001', '999', 'old')"},
    {"fabricantes", ConverteFabricantes, "Convertendo Fabricantes...", "CADFABR", "Fabricante", 5,
     [](long long code, const std::string& d) {
         return "INSERT INTO EST017 (MARCACONTADOR, DESCMARCA) VALUES (" + std::to_string(code) + ", " + Quoted(d) + ")";
     },
     "SELECT CODFABRIC, DESCRICAO FROM CADFABR ORDER BY CODFABRIC",
     "INSERT INTO CADFABR (CODFABRIC, DESCRICAO) VALUES ('99999', 'old')"},
};

class ClassificationTest : public ConversionTest, public ::testing::WithParamInterface<Registry> {
protected:
    const Registry& r() const { return GetParam(); }
    // A number one digit wider than the code, whose rightmost digits are n.
    long long Overflowing(long long n) const {
        long long power = 1;
        for (int i = 0; i < r().width; ++i) power *= 10;
        return power + n;
    }
    std::string Code(long long n) const {
        std::string digits = std::to_string(n);
        return std::string(static_cast<std::size_t>(r().width) - digits.size(), '0') + digits;
    }
};

// 40 characters, one of them a Windows-1252 byte, so the cut counts bytes.
const std::string kLong = "Descri\xE7\xE3o de exatamente quarenta caracte";

TEST_P(ClassificationTest, ClearsTheTableAndCopiesPaddedCodesAndCutDescriptions) {
    ASSERT_EQ(kLong.size(), 40u);
    db.onTarget(r().staleRow);
    db.onSource(r().sourceRow(7, "Bebidas") + ";" + r().sourceRow(Overflowing(42), kLong));

    r().convert(session);

    EXPECT_EQ(db.targetRows(r().targetRows), (Rows{{Code(7), "Bebidas"}, {Code(42), kLong.substr(0, 30)}}))
        << "a code keeps its rightmost digits and a description its first 30 characters";
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(ui.statuses.back(), r().status);
    EXPECT_EQ(ui.progress, 2);
    EXPECT_EQ(ui.maximum, 2);
    EXPECT_EQ(session.summary.registries.back().name, r().name);
    EXPECT_EQ(session.summary.registries.back().written, 2);
}

TEST_P(ClassificationTest, StopsAtTheFirstFailingRowAndNamesItByItsWholeDescription) {
    // The second row's code collides with the first; the third is never reached.
    db.onSource(r().sourceRow(5, "Primeiro") + ";" + r().sourceRow(Overflowing(5), kLong) + ";" +
                r().sourceRow(Overflowing(6), "Terceiro"));

    r().convert(session);

    EXPECT_EQ(db.targetRows(r().targetRows), (Rows{{Code(5), "Primeiro"}}));
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].kind, BoxKind::Error);
    EXPECT_EQ(ui.boxes[0].caption, "Erro");
    const std::string expected = std::string("Ocorreu um erro ao converter o seguinte registro para a tabela ") +
                                 r().table + "|" + r().label + ": " + kLong + "|Erro: ";
    EXPECT_EQ(boxes()[0].substr(0, expected.size()), expected);
    EXPECT_NE(boxes()[0].find(std::string("PK_") + r().table), std::string::npos) << boxes()[0];
    EXPECT_EQ(ui.progress, 1);
    EXPECT_TRUE(session.summary.registries.back().stopped);
}

INSTANTIATE_TEST_SUITE_P(Catalogue, ClassificationTest, ::testing::ValuesIn(kRegistries),
                         [](const auto& info) { return std::string(info.param.name); });

using SubgruposTest = ConversionTest;

TEST_F(SubgruposTest, KeepTheirGroupCodeEvenWithoutTheGroup) {
    // Group 1009 exists nowhere in the source; its code still keeps three digits.
    db.onSource("INSERT INTO EST003 (GRUPOCONTA, SUBGCONTADOR, DESCSUBG) VALUES (1009, 3, 'Latas');"
                "INSERT INTO EST003 (GRUPOCONTA, SUBGCONTADOR, DESCSUBG) VALUES (NULL, 4, 'Sem grupo')");

    ConverteSubgrupos(session);

    EXPECT_EQ(db.targetRows("SELECT CODGRUPO, CODSUBGRUPO, DESCRICAO FROM SUBGRUP ORDER BY CODSUBGRUPO"),
              (Rows{{"009", "003", "Latas"}, {"000", "004", "Sem grupo"}}));
    EXPECT_TRUE(ui.boxes.empty());
}

}  // namespace
}  // namespace conversor::testing
