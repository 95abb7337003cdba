#include "app/window/run_report.h"

#include "app/registries.h"
#include "text/cp1252.h"

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

namespace {

using Kind = CheckFinding::Kind;

std::string Caption(const std::string& registry) {
    if (registry.empty()) return "Início da conversão";
    const Registry* r = FindRegistry(registry);
    return r ? std::string(r->caption) : registry;
}

std::string DatabaseName(const CheckFinding& f) { return f.on == Database::Source ? "Talvo" : "Ordelio"; }

// A server's message or a box, its lines indented under the item.
std::string Indented(const std::string& utf8) {
    std::string out = "  ";
    for (char c : utf8) {
        if (c == '\r' || c == '\n') out += "\n  ";
        else out += c;
    }
    return out;
}

std::string Shortened(const std::string& sql) {
    constexpr std::size_t kWidth = 100;
    return sql.size() <= kWidth ? sql : sql.substr(0, kWidth) + "...";
}

std::string Item(const CheckFinding& f) {
    const std::string where = "- " + Caption(f.registry);
    switch (f.kind) {
        case Kind::Statement:
            return where + ", banco " + DatabaseName(f) + ": " + ToUtf8(Shortened(f.subject)) + "\n" + Indented(ToUtf8(f.reason));
        case Kind::MissingTrigger: return where + ": a trigger " + f.subject + " não existe no banco do Ordelio.";
        case Kind::MissingGenerator: return where + ": o generator " + f.subject + " não existe no banco do Ordelio.";
        case Kind::UnknownOperation: return where + ": a operação " + ToUtf8(f.subject) + " não está cadastrada.";
        case Kind::NoOperation:
            return where + ": nenhuma operação escolhida; os documentos seriam gravados com a operação vazia.";
        case Kind::DamagedSource: return "- " + ToUtf8(f.subject);
        case Kind::SourceNotValidated:
            return "- Não foi possível validar o banco de dados Talvo:\n" + Indented(ToUtf8(f.reason));
        case Kind::StopsRun: return where + ": a conversão terminaria aqui:\n" + Indented(ToUtf8(f.reason));
    }
    return {};
}

// The rows listed in the dialog; the report holds them all.
constexpr std::size_t kRowsShown = 200;

std::string RowItem(const CheckedRow& row) {
    const std::string reason = ToUtf8(row.record.reason);
    const bool oneLine = reason.find_first_of("\r\n") == std::string::npos;
    return "- " + Caption(row.registry) + ", registro " + std::to_string(row.record.position) + " (" + KeyText(row) + "): " +
           (row.record.outcome == RowOutcome::Skipped ? "ignorado" : "com erro") +
           (oneLine ? ": " + reason : "\n" + Indented(reason));
}

}  // namespace

std::string CheckVerdictText(CheckVerdict verdict) {
    const std::string unchanged = " Nada foi alterado nos bancos de dados.";
    switch (verdict) {
        case CheckVerdict::Clean: return "Verificação concluída: a conversão pode ser feita sem erros." + unchanged;
        case CheckVerdict::WouldShowBoxes:
            return "Verificação concluída: a conversão mostraria avisos ou erros (veja os detalhes)." + unchanged;
        case CheckVerdict::CannotConvert: break;
    }
    return "Verificação concluída: corrija os problemas encontrados antes de converter (veja os detalhes)." + unchanged;
}

std::string CheckDetail(const CheckResult& result, const std::vector<std::string>& boxes) {
    const struct {
        const char* title;
        bool (*holds)(Kind);
    } parts[] = {
        {"Problemas de estrutura:",
         [](Kind k) {
             return k == Kind::Statement || k == Kind::MissingTrigger || k == Kind::MissingGenerator ||
                    k == Kind::UnknownOperation;
         }},
        {"Avisos:", [](Kind k) { return k == Kind::NoOperation; }},
        {"Banco de dados Talvo:", [](Kind k) { return k == Kind::DamagedSource || k == Kind::SourceNotValidated; }},
        {"Erros que encerrariam a conversão:", [](Kind k) { return k == Kind::StopsRun; }},
    };
    std::string detail;
    for (const auto& part : parts) {
        std::string items;
        for (const CheckFinding& f : result.findings)
            if (part.holds(f.kind)) items += Item(f) + "\n";
        if (!items.empty()) detail += std::string(part.title) + "\n" + items + "\n";
    }
    if (!boxes.empty()) {
        detail += "Mensagens que a conversão mostraria:\n";
        for (const std::string& box : boxes) detail += "- " + Indented(box).substr(2) + "\n";
        detail += "\n";
    }
    if (!result.rows.empty()) {
        detail += "Registros que a conversão ignoraria ou não gravaria:\n";
        for (std::size_t i = 0; i < result.rows.size() && i < kRowsShown; ++i) detail += RowItem(result.rows[i]) + "\n";
        if (result.rows.size() > kRowsShown)
            detail += "- e mais " + std::to_string(result.rows.size() - kRowsShown) +
                      " (todos no relatório: \"Salvar relatório...\")\n";
        detail += "\n";
    }
    detail += "Conversão simulada (desfeita ao final):\n" + SummaryDetail(result.summary);
    for (const std::string& name : result.notRehearsed)
        detail += "\n" + Caption(name) + ": não simulado (problemas de estrutura)";
    return detail;
}

}  // namespace conversor
