// Tax numbers of the sample store: valid check digits in every form written.
#include <gtest/gtest.h>

#include "sample/documents.h"
#include "text/text_ops.h"

namespace conversor::sample {
namespace {

TEST(SampleDocuments, KnownNumbersAndSingleDigitChanges) {
    EXPECT_TRUE(IsValidCpf("529.982.247-25"));
    EXPECT_TRUE(IsValidCpf("52998224725"));
    EXPECT_FALSE(IsValidCpf("529.982.247-24"));
    EXPECT_FALSE(IsValidCpf("111.111.111-11"));  // right digits, refused all the same
    EXPECT_FALSE(IsValidCpf("5299822472"));
    EXPECT_TRUE(IsValidCnpj("11.222.333/0001-81"));
    EXPECT_FALSE(IsValidCnpj("11.222.333/0001-18"));
    EXPECT_FALSE(IsValidCnpj("11.222.333/0002-81"));
    EXPECT_EQ(CpfCheckDigits("529982247"), "25");
    EXPECT_EQ(CnpjCheckDigits("112223330001"), "81");
}

TEST(SampleDocuments, GeneratedNumbersAreValidPunctuatedOrNot) {
    SampleRandom rng(42);
    for (int i = 0; i < 500; ++i) {
        const std::string cpf = MakeCpf(rng, i % 2 == 0);
        const std::string cnpj = MakeCnpj(rng, 1 + i % 4, i % 2 == 0);
        ASSERT_TRUE(IsValidCpf(cpf)) << cpf;
        ASSERT_TRUE(IsValidCnpj(cnpj)) << cnpj;
        ASSERT_EQ(SoNumeros(cpf).size(), 11u);
        if (i % 2 == 0) {
            ASSERT_EQ(cpf.size(), 14u) << cpf;  // 000.000.000-00
            ASSERT_EQ(cnpj.size(), 18u) << cnpj;  // 00.000.000/0000-00
        } else {
            ASSERT_EQ(cnpj, SoNumeros(cnpj));
        }
    }
    EXPECT_EQ(CnpjOf("11222333", 1, true), "11.222.333/0001-81");
}

}  // namespace
}  // namespace conversor::sample
