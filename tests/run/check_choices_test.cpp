// Choices the run would take without a word: documents filed under an empty
// operation.
#include <gtest/gtest.h>

#include "app/check.h"
#include "app/registries.h"
#include "db/session.h"
#include "support/recording_operator.h"

namespace conversor::testing {
namespace {

TEST(CheckChoices, DocumentsTickedWithoutAnOperationAreWarnedOf) {
    const std::size_t pagar = FindRegistry("documentospagar") - Registries().data();
    const std::size_t receber = FindRegistry("documentosreceber") - Registries().data();
    struct Case {
        bool tickPagar, tickReceber;
        const char *opPagar, *opReceber;
        std::vector<std::string> warned;
    };
    const Case cases[] = {
        {true, true, "", "", {"documentospagar", "documentosreceber"}},
        {true, true, "101", "", {"documentosreceber"}},
        {true, false, "", "", {"documentospagar"}},
        {false, false, "", "", {}},
        {true, true, "101", "201", {}},
    };
    for (const Case& c : cases) {
        RecordingOperator ui;
        Session s(ui);
        s.codOperPagar = c.opPagar;
        s.codOperReceber = c.opReceber;
        Ticked ticked{};
        ticked[pagar] = c.tickPagar;
        ticked[receber] = c.tickReceber;
        std::vector<std::string> warned;
        for (const CheckFinding& f : CheckChoices(s, ticked)) {
            EXPECT_EQ(f.kind, CheckFinding::Kind::NoOperation);
            EXPECT_FALSE(IsBlocking(f)) << "the run would still convert";
            warned.push_back(f.registry);
        }
        EXPECT_EQ(warned, c.warned) << c.tickPagar << c.tickReceber << " '" << c.opPagar << "' '" << c.opReceber << "'";
    }
}

}  // namespace
}  // namespace conversor::testing
