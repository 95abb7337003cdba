#include "app/run_accounting.h"

namespace conversor {

std::vector<RegistryAccount> AccountRegistries(const Ticked& ticked, const RunSummary& summary) {
    std::vector<RegistryAccount> out;
    const auto& registries = Registries();
    for (std::size_t i = 0; i < registries.size(); ++i) {
        RegistryAccount a{&registries[i], ticked[i] ? RegistryState::NotRun : RegistryState::NotTicked, nullptr};
        for (const RegistryResult& r : summary.registries)
            if (r.name == registries[i].name) {
                a.result = &r;
                a.state = summary.interrupted && r.name == summary.interruptedIn ? RegistryState::Interrupted
                          : r.stopped                                              ? RegistryState::Stopped
                                                                                   : RegistryState::Converted;
            }
        out.push_back(a);
    }
    return out;
}

const char* StateName(RegistryState state) {
    switch (state) {
        case RegistryState::Converted: return "converted";
        case RegistryState::Stopped: return "stopped";
        case RegistryState::Interrupted: return "interrupted";
        case RegistryState::NotTicked: return "not_ticked";
        case RegistryState::NotRun: return "not_run";
    }
    return "";
}

int ExitStatus(RunOutcome outcome, const RunSummary& summary) {
    if (outcome != RunOutcome::Completed && outcome != RunOutcome::Aborted) return 2;
    return summary.errorBoxes == 0 && outcome == RunOutcome::Completed ? 0 : 1;
}

}  // namespace conversor
