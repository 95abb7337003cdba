#pragma once
// What the conversion core needs from whoever is watching it: the window, the
// command line or a test. Every text is Windows-1252, as the databases hold
// it; a '\r' in a message is a line break.
#include <string>

#include "db/run_summary.h"

namespace conversor {

enum class BoxKind { Information, Warning, Error, Exclamation };

// The caption each kind of box is shown with (Windows-1252); an exclamation
// is captioned as an information.
inline const char* Caption(BoxKind kind) {
    switch (kind) {
        case BoxKind::Warning: return "Alerta";
        case BoxKind::Error: return "Erro";
        default: return "Informa\xE7\xE3o";
    }
}

class Operator {
public:
    virtual ~Operator() = default;
    virtual void setStatus(const std::string& text) = 0;
    virtual void setGauge(long long progress, long long maximum) = 0;
    // Lets the front end serve pending events (repaint, input, the close box).
    virtual void processEvents() = 0;
    virtual void message(BoxKind kind, const std::string& caption, const std::string& text) = 0;
    // Yes/No question, No being the default answer.
    virtual bool confirm(const std::string& caption, const std::string& text) = 0;
    // The end-of-run announcement; front ends may offer the per-registry
    // counts as detail.
    virtual void finished(const std::string& text, const RunSummary& summary) {
        (void)summary;
        message(BoxKind::Information, Caption(BoxKind::Information), text);
    }
};

}  // namespace conversor
