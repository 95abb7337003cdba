#include "support/json.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace conversor::testing {

namespace {
class Reader {
public:
    explicit Reader(std::string_view t) : t_(t) {}
    Json document() {
        Json v = value();
        space();
        if (i_ != t_.size()) fail("text after the document");
        return v;
    }

private:
    [[noreturn]] void fail(const std::string& what) {
        throw std::runtime_error("JSON: " + what + " at offset " + std::to_string(i_));
    }
    void space() {
        while (i_ < t_.size() && (t_[i_] == ' ' || t_[i_] == '\n' || t_[i_] == '\r' || t_[i_] == '\t')) ++i_;
    }
    bool take(char c) {
        space();
        if (i_ < t_.size() && t_[i_] == c) return ++i_, true;
        return false;
    }
    void expect(char c) {
        if (!take(c)) fail(std::string("expected '") + c + "'");
    }
    void word(std::string_view w) {
        if (t_.substr(i_, w.size()) != w) fail("bad literal");
        i_ += w.size();
    }
    static void utf8(std::string& out, unsigned cp) {
        if (cp < 0x80) out += static_cast<char>(cp);
        else if (cp < 0x800) out += {static_cast<char>(0xC0 | cp >> 6), static_cast<char>(0x80 | (cp & 0x3F))};
        else
            out += {static_cast<char>(0xE0 | cp >> 12), static_cast<char>(0x80 | ((cp >> 6) & 0x3F)),
                    static_cast<char>(0x80 | (cp & 0x3F))};
    }
    std::string text() {
        expect('"');
        std::string out;
        for (;;) {
            if (i_ >= t_.size()) fail("unterminated string");
            const char c = t_[i_++];
            if (c == '"') return out;
            if (static_cast<unsigned char>(c) < 0x20) fail("control character in a string");
            if (c != '\\') {
                out += c;
                continue;
            }
            if (i_ >= t_.size()) fail("bad escape");
            switch (const char e = t_[i_++]) {
                case '"': case '\\': case '/': out += e; break;
                case 'n': out += '\n'; break;
                case 'r': out += '\r'; break;
                case 't': out += '\t'; break;
                case 'b': out += '\b'; break;
                case 'f': out += '\f'; break;
                case 'u': {
                    if (i_ + 4 > t_.size()) fail("bad \\u escape");
                    char* end = nullptr;
                    const std::string hex(t_.substr(i_, 4));
                    const unsigned cp = static_cast<unsigned>(std::strtoul(hex.c_str(), &end, 16));
                    if (end != hex.c_str() + 4) fail("bad \\u escape");
                    i_ += 4;
                    utf8(out, cp);
                    break;
                }
                default: fail("bad escape");
            }
        }
    }
    Json value() {
        space();
        if (i_ >= t_.size()) fail("missing value");
        Json v;
        const char c = t_[i_];
        if (c == '{') {
            ++i_;
            v.type = Json::Type::Object;
            if (take('}')) return v;
            do {
                space();
                std::string key = text();
                expect(':');
                v.object.emplace_back(std::move(key), value());
            } while (take(','));
            expect('}');
        } else if (c == '[') {
            ++i_;
            v.type = Json::Type::Array;
            if (take(']')) return v;
            do v.array.push_back(value());
            while (take(','));
            expect(']');
        } else if (c == '"') {
            v.type = Json::Type::String;
            v.string = text();
        } else if (c == 't') {
            word("true");
            v.type = Json::Type::Bool;
            v.boolean = true;
        } else if (c == 'f') {
            word("false");
            v.type = Json::Type::Bool;
        } else if (c == 'n') {
            word("null");
        } else {
            const std::string rest(t_.substr(i_, 40));
            char* end = nullptr;
            v.number = std::strtod(rest.c_str(), &end);
            if (end == rest.c_str() || !(c == '-' || (c >= '0' && c <= '9'))) fail("bad value");
            i_ += static_cast<std::size_t>(end - rest.c_str());
            v.type = Json::Type::Number;
        }
        return v;
    }
    std::string_view t_;
    std::size_t i_ = 0;
};
}  // namespace

bool Json::has(const std::string& key) const {
    for (const auto& [k, v] : object)
        if (k == key) return true;
    return false;
}

const Json& Json::operator[](const std::string& key) const {
    for (const auto& [k, v] : object)
        if (k == key) return v;
    throw std::out_of_range("JSON: no member '" + key + "'");
}

Json ParseJson(std::string_view text) { return Reader(text).document(); }

Json ReadJsonFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::stringstream ss;
    ss << in.rdbuf();
    return ParseJson(ss.str());
}

}  // namespace conversor::testing
