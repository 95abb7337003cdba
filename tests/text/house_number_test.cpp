// The house-number scanner on addresses the way customers type them.
#include <gtest/gtest.h>

#include "text/house_number.h"

namespace conversor::testing {
namespace {

struct AddressCase {
    const char* address;
    const char* number;
};

// Run in this order on purpose: the flag set by "RUA 10, 230" and
// "RUA A 10, FUNDOS" must not reach the addresses after them.
const AddressCase kAddresses[] = {
    {"RUA A, 100", "100"},
    {"RUA DAS FLORES 45", "45"},
    {"RUA DAS FLORES, 45 - CENTRO", "45"},
    {"RUA A, 230 APTO 5", "230"},
    {"RUA 10, 230", "230"},
    {"RUA 15 DE NOVEMBRO, 230", "15"},
    {"RUA 15 DE NOVEMBRO, 230 ", "230"},
    {"RUA 15 DE NOVEMBRO, 230 APTO 5", "230"},
    {"AV BRASIL 1500 APTO 12", "12"},
    {"RUA A 10, FUNDOS", ""},
    {"AV. 9 DE JULHO, 1200, SALA 3", "1200"},
    {"R. 1, 2, 3, 4", "2"},
    {"RUA A,10,20", "1020"},
    {"RUA A, S/N", ""},
    {"RUA A, 007", "007"},
    {"RUA A, 2147483648", ""},
    {"RUA 1 2 3 4 5 6 7 8 9 10 11 12", "12"},
    // Beyond the worked examples: the limits of the number and of the text.
    {"RUA A, 2147483647", "2147483647"},
    {"RUA A, 00000000000000000042", "00000000000000000042"},
    {"", ""},
    {"RUA 1 2 3 4 5 6 7 8 9 10 11", "2"},
};

TEST(ExtraiNumeroEndereco, PicksTheHouseNumberOfEachAddress) {
    for (const AddressCase& c : kAddresses)
        EXPECT_EQ(ExtraiNumeroEndereco(c.address), c.number) << "address: [" << c.address << "]";
}

}  // namespace
}  // namespace conversor::testing
