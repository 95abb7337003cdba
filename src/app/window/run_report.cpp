#include "app/window/run_report.h"

#include "app/registries.h"

namespace conversor {

int GaugePercent(long long progress, long long maximum) {
    if (maximum <= 0 || progress <= 0) return 0;
    if (progress >= maximum) return 100;
    // Wide enough that progress * 100 never overflows.
    return static_cast<int>(static_cast<__int128>(progress) * 100 / maximum);
}

namespace {
std::string Count(long long n, const char* one, const char* many) { return std::to_string(n) + " " + (n == 1 ? one : many); }
}  // namespace

std::string SummaryDetail(const RunSummary& summary) {
    if (summary.registries.empty()) return "Nenhum cadastro convertido.";
    std::string detail;
    for (const RegistryResult& r : summary.registries) {
        const Registry* registry = FindRegistry(r.name);
        if (!detail.empty()) detail += '\n';
        detail += registry ? std::string(registry->caption) : r.name;
        detail += ": " + Count(r.read, "lido", "lidos") + ", " + Count(r.written, "gravado", "gravados");
        if (r.skipped) detail += ", " + Count(r.skipped, "ignorado", "ignorados");
        if (r.failed) detail += ", " + Count(r.failed, "com erro", "com erro");
        if (r.notTried) detail += ", " + Count(r.notTried, "não tentado", "não tentados");
        long long cut = 0;
        for (const auto& [column, n] : r.cut) cut += n;
        if (cut) detail += ", " + Count(cut, "valor cortado", "valores cortados");
        if (r.stopped) detail += " (interrompido no registro com erro)";
    }
    return detail;
}

}  // namespace conversor
