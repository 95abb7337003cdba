// Scaled numbers (NUMERIC and DECIMAL, stored as 16-, 32- or 64-bit integers)
// read as floating-point numbers must be the double the engine's own cast
// gives: the one nearest the exact decimal value, bit for bit.
#include <gtest/gtest.h>

#include <bit>
#include <cctype>
#include <cctype>
#include <cstdint>

#include "db/firebird/statement.h"
#include "support/fixture.h"

namespace conversor::testing {
namespace {

struct ScaledCase {
    const char* type;   // the column's declared type
    const char* value;  // a literal the column holds exactly
};

void PrintTo(const ScaledCase& c, std::ostream* os) { *os << c.type << " " << c.value; }

class ScaledNumberTest : public ConversionTest, public ::testing::WithParamInterface<std::vector<ScaledCase>> {};

TEST_P(ScaledNumberTest, ReadsAsTheEnginesOwnCastToDouble) {
    const auto& cases = GetParam();
    const std::string type = cases.front().type;
    db.onSource("CREATE TABLE S_SCALED (ID INTEGER, X " + type + ")");
    std::string inserts;
    for (std::size_t i = 0; i < cases.size(); ++i)
        inserts += "INSERT INTO S_SCALED VALUES (" + std::to_string(i) + ", " + cases[i].value + ");";
    db.onSource(inserts);
    ASSERT_TRUE(session.ConectaTalvo());

    Statement& q = session.qryTalvo;
    q.setText("SELECT ID, X, CAST(X AS DOUBLE PRECISION) AS ENGINE FROM S_SCALED ORDER BY ID");
    q.open();
    std::size_t seen = 0;
    for (; !q.eof(); q.next(), ++seen) {
        const ScaledCase& c = cases.at(static_cast<std::size_t>(q.field("ID").asInt()));
        const double ours = q.field("X").asDouble();
        const double engine = q.field("ENGINE").asDouble();
        EXPECT_EQ(std::bit_cast<std::uint64_t>(ours), std::bit_cast<std::uint64_t>(engine))
            << c.type << " " << c.value << ": read " << ours << ", the engine casts to " << engine;
    }
    EXPECT_EQ(seen, cases.size());
}

// One list per storage kind and scale; the values are the ones that came out
// one step off when a scaled integer was multiplied by a power of ten.
INSTANTIATE_TEST_SUITE_P(
    StorageKinds, ScaledNumberTest,
    ::testing::Values(
        std::vector<ScaledCase>{{"NUMERIC(4,2)", "99.60"}, {"NUMERIC(4,2)", "0.94"}, {"NUMERIC(4,2)", "8.04"},
                                {"NUMERIC(4,2)", "-99.60"}, {"NUMERIC(4,2)", "327.67"}, {"NUMERIC(4,2)", "-327.68"},
                                {"NUMERIC(4,2)", "0.01"}, {"NUMERIC(4,2)", "0"}},
        std::vector<ScaledCase>{{"NUMERIC(4,1)", "0.3"}, {"NUMERIC(4,1)", "-3276.8"}, {"NUMERIC(4,1)", "3276.7"}},
        std::vector<ScaledCase>{{"NUMERIC(9,2)", "99.60"}, {"NUMERIC(9,2)", "76999.04"},
                                {"NUMERIC(9,2)", "7596.61"}, {"NUMERIC(9,2)", "8.04"}, {"NUMERIC(9,2)", "0.94"},
                                {"NUMERIC(9,2)", "-7596.61"}, {"NUMERIC(9,2)", "21474836.47"},
                                {"NUMERIC(9,2)", "-21474836.48"}, {"NUMERIC(9,2)", "0.07"}},
        std::vector<ScaledCase>{{"NUMERIC(9,4)", "0.0003"}, {"NUMERIC(9,4)", "214748.3647"},
                                {"NUMERIC(9,4)", "-1.1111"}},
        std::vector<ScaledCase>{{"DECIMAL(9,3)", "1.001"}, {"DECIMAL(9,3)", "-76999.041"},
                                {"DECIMAL(9,3)", "2147483.647"}},
        std::vector<ScaledCase>{{"NUMERIC(15,2)", "99.60"}, {"NUMERIC(15,2)", "76999.04"},
                                {"NUMERIC(15,2)", "-7596.61"}, {"NUMERIC(15,2)", "9999999999999.99"}},
        std::vector<ScaledCase>{{"NUMERIC(18,2)", "92233720368547758.07"}, {"NUMERIC(18,2)", "-92233720368547758.08"},
                                {"NUMERIC(18,2)", "45035996273704.97"}},
        std::vector<ScaledCase>{{"NUMERIC(18,6)", "0.000001"}, {"NUMERIC(18,6)", "9223372036854.775807"},
                                {"NUMERIC(18,6)", "-123.456789"}},
        std::vector<ScaledCase>{{"DECIMAL(18,4)", "7596.6100"}, {"DECIMAL(18,4)", "-922337203685477.5808"}},
        std::vector<ScaledCase>{{"NUMERIC(18,18)", "0.999999999999999999"}, {"NUMERIC(18,18)", "-0.000000000000000001"}}),
    [](const ::testing::TestParamInfo<std::vector<ScaledCase>>& info) {
        std::string name;
        for (char c : std::string(info.param.front().type))
            if (std::isalnum(static_cast<unsigned char>(c))) name += c;
            else if (c == ',') name += '_';
        return name;
    });

}  // namespace
}  // namespace conversor::testing
