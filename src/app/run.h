#pragma once
// The conversion run behind "&Converter": check the paths, connect both
// databases (target first), ask for confirmation, switch the target's
// triggers off, write the standard payment terms, convert every ticked
// registry in the fixed order, announce the end, and switch the triggers on
// again whatever happened after the connection step. A run refuses to start
// while another conversion runs on the same target; when the session names
// a backup file, the target is backed up after the confirmation, before
// anything is changed.
#include <array>
#include <functional>

namespace conversor {

class Session;

enum class RunOutcome {
    EmptySourcePath,    // nothing done; the source path edit gets the focus
    EmptyTargetPath,    // nothing done; the target path edit gets the focus
    ConnectionFailed,   // reported by the connection; nothing converted
    AlreadyRunning,     // another conversion runs on the target; nothing done, the triggers left alone
    Refused,            // the operator did not confirm; nothing converted
    BackupFailed,       // reported; nothing converted
    Completed,          // every ticked registry ran and the end was announced
    Aborted,            // an error no converter handles ended the run
    Interrupted,        // a request to stop ended the run at a row boundary (see RunSummary)
};

// What the window does around the run; both may stay empty (command line, tests).
struct RunScreen {
    std::function<void(bool)> enable;  // HabilitaTela
    std::function<void()> reset;       // LimpaTela
};

using Ticked = std::array<bool, 20>;  // in the order of Registries()

RunOutcome ExecuteRun(Session& s, const Ticked& ticked, const RunScreen& screen = {});

// Converts the registry at that position of Registries(), timing it into its
// line of the session's summary.
void ConvertRegistry(Session& s, std::size_t index);

// Caption of the general error report: the program's title.
inline constexpr const char* kProgramTitle = "Conversor";

}  // namespace conversor
