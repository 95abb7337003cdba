#include "app/check.h"
#include "app/registries.h"
#include "db/session.h"

namespace conversor {

std::vector<CheckFinding> CheckChoices(const Session& s, const Ticked& ticked) {
    std::vector<CheckFinding> findings;
    const struct {
        const char* registry;
        const std::string& keyValue;
    } choices[] = {{"documentospagar", s.codOperPagar}, {"documentosreceber", s.codOperReceber}};
    for (const auto& c : choices) {
        const Registry* r = FindRegistry(c.registry);
        if (ticked[static_cast<std::size_t>(r - Registries().data())] && c.keyValue.empty())
            findings.push_back({CheckFinding::Kind::NoOperation, c.registry, {}, {}});
    }
    return findings;
}

}  // namespace conversor
