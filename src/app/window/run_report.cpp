#include "app/window/run_report.h"

#include "app/registries.h"

namespace conversor {

int GaugePercent(long long progress, long long maximum) {
    if (maximum <= 0 || progress <= 0) return 0;
    if (progress >= maximum) return 100;
    // Wide enough that progress * 100 never overflows.
    return static_cast<int>(static_cast<__int128>(progress) * 100 / maximum);
}

std::string SummaryDetail(const RunSummary& summary) {
    if (summary.registries.empty()) return "Nenhum cadastro convertido.";
    std::string detail;
    for (const RegistryResult& r : summary.registries) {
        const Registry* registry = FindRegistry(r.name);
        if (!detail.empty()) detail += '\n';
        detail += registry ? std::string(registry->caption) : r.name;
        detail += ": " + std::to_string(r.read) + (r.read == 1 ? " lido, " : " lidos, ") + std::to_string(r.written) +
                  (r.written == 1 ? " gravado" : " gravados");
        if (r.stopped) detail += " (interrompido no registro com erro)";
    }
    return detail;
}

}  // namespace conversor
