#include "db/script.h"

#include <cctype>
#include <fstream>
#include <sstream>

#include "db/firebird/connection.h"
#include "db/firebird/error.h"
#include "db/firebird/named_params.h"

namespace conversor {

namespace {
bool startsWithWords(std::string_view text, std::string_view a, std::string_view b) {
    std::size_t i = 0;
    auto skipBlanks = [&] {
        while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    };
    auto word = [&](std::string_view w) {
        skipBlanks();
        if (text.size() - i < w.size() || !SameName(text.substr(i, w.size()), w)) return false;
        i += w.size();
        return i == text.size() || std::isspace(static_cast<unsigned char>(text[i]));
    };
    return word(a) && word(b);
}

std::string trimmedCopy(std::string_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
    return std::string(s.substr(b, e - b));
}
}  // namespace

std::vector<std::string> SplitScript(std::string_view script) {
    std::vector<std::string> out;
    std::string terminator = ";";
    std::string current;
    std::size_t i = 0;
    auto finish = [&] {
        std::string stmt = trimmedCopy(current);
        current.clear();
        if (stmt.empty()) return;
        if (startsWithWords(stmt, "SET", "TERM")) {
            std::string rest = trimmedCopy(std::string_view(stmt).substr(stmt.find_first_of("Tt", 3) + 4));
            terminator = rest.empty() ? ";" : rest;
            return;
        }
        out.push_back(stmt);
    };
    while (i < script.size()) {
        const char c = script[i];
        if (c == '\'' || c == '"') {
            std::size_t j = script.find(c, i + 1);
            j = j == std::string_view::npos ? script.size() : j + 1;
            current.append(script.substr(i, j - i));
            i = j;
        } else if (c == '-' && i + 1 < script.size() && script[i + 1] == '-') {
            std::size_t j = script.find('\n', i);
            i = j == std::string_view::npos ? script.size() : j;
        } else if (c == '/' && i + 1 < script.size() && script[i + 1] == '*') {
            std::size_t j = script.find("*/", i + 2);
            i = j == std::string_view::npos ? script.size() : j + 2;
        } else if (script.substr(i, terminator.size()) == terminator) {
            i += terminator.size();
            finish();
        } else {
            current += c;
            ++i;
        }
    }
    finish();
    return out;
}

void RunScript(Connection& cn, std::string_view script) {
    for (const std::string& stmt : SplitScript(script)) {
        try {
            cn.executeImmediate(stmt);
        } catch (DbError& e) {
            e.setStatement(stmt);
            throw;
        }
    }
}

void RunScriptFile(Connection& cn, const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw DbError("Cannot read " + path);
    std::stringstream text;
    text << in.rdbuf();
    RunScript(cn, text.str());
}

void CreateDatabaseFromScript(const std::string& path, int dialect, const std::string& scriptPath, bool forcedWrites) {
    Connection::CreateDatabase(path, dialect, forcedWrites);
    ConnectionOptions options;
    options.dialect = dialect;
    Connection cn(options);
    cn.setDatabase(path);
    cn.open();
    RunScriptFile(cn, scriptPath);
    cn.close();
}

}  // namespace conversor
