#include <gtest/gtest.h>

#include "text/cp1252.h"
#include "text/text_ops.h"

namespace conversor {
namespace {

struct Case {
    const char* what;
    std::string got;
    std::string want;
};

TEST(TextOperations, WorkedCases) {
    const std::string hundredAndTen(110, 'x');
    const Case cases[] = {
        {"StrZero pads", StrZero("42", 5), "00042"},
        {"StrZero trims first", StrZero(" 7 ", 3), "007"},
        {"StrZero keeps the rightmost digits", StrZero("123456", 4), "3456"},
        {"StrZero of empty", StrZero("", 3), "000"},
        {"StrZero keeps letters", StrZero("A1", 4), "00A1"},
        {"StrZero keeps inner blanks", StrZero("1 2", 5), "001 2"},
        {"StrZero width 0 gives the trimmed text", StrZero(" 12 ", 0), "12"},
        {"StrZero trims control bytes", StrZero("\t9\r\n", 2), "09"},
        {"StrZero of a number", StrZero(1000, 3), "000"},
        {"AlinhaDireita pads with blanks", AlinhaDireita("42", 5), "   42"},
        {"AlinhaDireita of empty", AlinhaDireita("", 3), "   "},
        {"AlinhaDireita cuts from the left", AlinhaDireita("12345", 2), "45"},
        {"AlinhaDireita width 0", AlinhaDireita("abc", 0), "abc"},
        {"Espacos", Espacos(3), "   "},
        {"Espacos negative", Espacos(-2), ""},
        {"SoNumeros punctuated", SoNumeros("1.2/3-4"), "1234"},
        {"SoNumeros mixed", SoNumeros("a1-b2"), "12"},
        {"SoNumeros none", SoNumeros("abc"), ""},
        {"SoNumeros high bytes", SoNumeros("\xB9\xB2" "7"), "7"},
        {"TiraPontuacao simple", TiraPontuacao("1.2-3"), "123"},
        {"TiraPontuacao keeps the blank after ')'", TiraPontuacao("(31) 33-44"), "31 3344"},
        {"TiraPontuacao leaves a clean text untrimmed", TiraPontuacao("  ABC  "), "  ABC  "},
        {"TiraPontuacao trims after a removal", TiraPontuacao("  A.B  "), "AB"},
        {"TiraPontuacao apostrophe", TiraPontuacao("D'OESTE"), "DOESTE"},
        {"TiraPontuacao keeps 100 bytes after a removal", TiraPontuacao("A." + hundredAndTen), "A" + std::string(100, 'x')},
        {"Iif true", Iif(true, "1", "2"), "1"},
        {"Iif false", Iif(false, "1", "2"), "2"},
        {"UpperAscii leaves accented letters", UpperAscii("s\xE3o paulo"), "S\xE3O PAULO"},
        {"Trim removes bytes up to 32 only", Trim("\x01 a\xA0 \x1F"), "a\xA0"},
        {"First cuts", First("abcdef", 3), "abc"},
        {"First of a short text", First("ab", 3), "ab"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.got, c.want) << c.what;
}

TEST(Cp1252, RoundTripsEveryAssignedByte) {
    std::string all;
    for (int b = 1; b < 256; ++b)
        if (b != 0x81 && b != 0x8D && b != 0x8F && b != 0x90 && b != 0x9D) all += static_cast<char>(b);
    EXPECT_EQ(W(ToUtf8(all)), all);
    EXPECT_EQ(W("À VISTA"), "\xC0 VISTA");
    EXPECT_EQ(ToUtf8("Opera\xE7\xE3o"), "Operação");
    EXPECT_EQ(W("€"), "\x80");
    EXPECT_EQ(W("日"), "?");
}

}  // namespace
}  // namespace conversor
