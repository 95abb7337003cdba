#include <gtest/gtest.h>

#include "db/firebird/named_params.h"

namespace conversor {
namespace {

TEST(NamedParameters, MarksOnlyRealParameters) {
    struct Case {
        const char* text;
        const char* sql;
        std::vector<std::string> names;
        std::vector<std::size_t> positions;
    };
    const Case cases[] = {
        {"INSERT INTO T (A, B) VALUES (:A, :B)", "INSERT INTO T (A, B) VALUES (?, ?)", {"A", "B"}, {0, 1}},
        {"SELECT * FROM T WHERE X = ':NOT' AND Y = :Y", "SELECT * FROM T WHERE X = ':NOT' AND Y = ?", {"Y"}, {0}},
        {"SELECT 'it''s :NOT' FROM T WHERE A = :A", "SELECT 'it''s :NOT' FROM T WHERE A = ?", {"A"}, {0}},
        {"SELECT \":NOT\" FROM T WHERE A = :a", "SELECT \":NOT\" FROM T WHERE A = ?", {"a"}, {0}},
        {"SELECT A -- :NOT\nFROM T WHERE A = :A", "SELECT A -- :NOT\nFROM T WHERE A = ?", {"A"}, {0}},
        {"SELECT /* :NOT */ A FROM T WHERE A = :A", "SELECT /* :NOT */ A FROM T WHERE A = ?", {"A"}, {0}},
        {"SELECT * FROM T WHERE A = :P OR B = :p", "SELECT * FROM T WHERE A = ? OR B = ?", {"P"}, {0, 0}},
        {"SELECT * FROM T WHERE A = :P_1$X", "SELECT * FROM T WHERE A = ?", {"P_1$X"}, {0}},
        {"SELECT A FROM T WHERE B = :1 OR C = ':'", "SELECT A FROM T WHERE B = :1 OR C = ':'", {}, {}},
        {"DELETE FROM NUMERNF WHERE CODEMPRESA = :CODEMPRESA; ", "DELETE FROM NUMERNF WHERE CODEMPRESA = ?", {"CODEMPRESA"}, {0}},
        {"INSERT INTO X VALUES(:A,:B,:A)", "INSERT INTO X VALUES(?,?,?)", {"A", "B"}, {0, 1, 0}},
    };
    for (const Case& c : cases) {
        ParsedStatement p = ParseNamedParameters(c.text);
        EXPECT_EQ(p.sql, c.sql) << c.text;
        EXPECT_EQ(p.names, c.names) << c.text;
        EXPECT_EQ(p.positions, c.positions) << c.text;
    }
}

}  // namespace
}  // namespace conversor
