#include "sample/people.h"

#include <cctype>

#include "text/cp1252.h"

namespace conversor::sample {

namespace {
// Windows-1252 letters reduced to a..z for e-mail addresses.
std::string mailbox(const std::string& name) {
    static const std::string from = W("ÁÀÂÃÉÊÍÓÔÕÚÜÇáàâãéêíóôõúüç");
    static const std::string to = "aaaaeeiooouucaaaaeeiooouuc";
    std::string out;
    for (char c : name) {
        const std::size_t at = from.find(c);
        if (at != std::string::npos) out += to[at];
        else if (std::isalpha(static_cast<unsigned char>(c))) out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        else if (c == ' ' && !out.empty() && out.back() != '.') out += '.';
    }
    while (!out.empty() && out.back() == '.') out.pop_back();
    return out;
}

// Title case for Windows-1252 text: the first letter of each word stays.
std::string titleCase(const std::string& upper) {
    std::string out = upper;
    bool first = true;
    for (char& c : out) {
        const auto u = static_cast<unsigned char>(c);
        if (c == ' ') {
            first = true;
            continue;
        }
        if (!first) {
            if (u >= 'A' && u <= 'Z') c = static_cast<char>(u + 32);
            else if (u >= 0xC0 && u <= 0xDE && u != 0xD7) c = static_cast<char>(u + 32);
        }
        first = false;
    }
    return out;
}
}  // namespace

std::string People::asTyped(const std::string& upper) { return rng_.chance(12) ? titleCase(upper) : upper; }

PersonName People::person() {
    PersonName p;
    p.female = rng_.chance(50);
    p.first = rng_.pick(p.female ? words_.femaleNames : words_.maleNames);
    std::string full = p.first;
    if (rng_.chance(45)) full += " " + rng_.pick(p.female ? words_.femaleNames : words_.maleNames);
    if (rng_.chance(40)) full += " " + rng_.pick(words_.linkWords);
    full += " " + rng_.pick(words_.surnames);
    if (rng_.chance(55)) full += " " + rng_.pick(words_.surnames);
    p.full = full;
    return p;
}

void People::company(std::string& legalName, std::string& tradeName) {
    const std::string& surname = rng_.pick(words_.surnames);
    const std::string& trade = rng_.pick(words_.tradeWords);
    switch (rng_.below(4)) {
        case 0: tradeName = trade + " " + surname; break;
        case 1: tradeName = surname + " " + trade; break;
        case 2: tradeName = trade + " " + rng_.pick(words_.maleNames) + " " + surname; break;
        default: tradeName = surname + " & " + rng_.pick(words_.surnames); break;
    }
    legalName = tradeName + " " + rng_.pick(words_.companySuffixes);
}

std::string People::address() {
    const std::string& street = rng_.pick(words_.streets);
    const std::string n = std::to_string(rng_.chance(70) ? rng_.between(1, 999) : rng_.between(1000, 9999));
    switch (rng_.below(12)) {
        case 0: return street + " " + n;
        case 1: return street + ", " + n + " " + rng_.pick(words_.complements);
        case 2: return street + ", " + n + ", " + rng_.pick(words_.complements);
        case 3: return street + ", " + n + " - " + rng_.pick(words_.districts);
        case 4: return street + ", S/N";
        case 5: return street + W(" Nº ") + n;
        case 6: return street + "," + n;
        case 7: return street + ", " + n + " ";  // a trailing blank left by the typist
        case 8: return street + ", KM " + std::to_string(rng_.between(1, 120));
        default: return street + ", " + n;
    }
}

std::string People::cep(const Place& place) {
    const std::string d = place.cep + rng_.digits(5);
    switch (rng_.below(5)) {
        case 0: return d;
        case 1: return d.substr(0, 2) + "." + d.substr(2, 3) + "-" + d.substr(5);
        default: return d.substr(0, 5) + "-" + d.substr(5);
    }
}

std::string People::phone(const Place& place) {
    const std::string local = std::to_string(rng_.between(2, 5)) + rng_.digits(3);
    const std::string rest = rng_.digits(4);
    switch (rng_.below(5)) {
        case 0: return local + "-" + rest;
        case 1: return std::string(place.areaCode) + " " + local + rest;
        case 2: return std::string("(0") + place.areaCode + ")" + local + "-" + rest;
        default: return std::string("(") + place.areaCode + ") " + local + "-" + rest;
    }
}

std::string People::cellPhone(const Place& place) {
    const std::string number = "9" + std::to_string(rng_.between(6, 9)) + rng_.digits(3);
    const std::string rest = rng_.digits(4);
    switch (rng_.below(5)) {
        case 0: return number + "-" + rest;
        case 1: return std::string(place.areaCode) + number + rest;
        default: return std::string("(") + place.areaCode + ") " + number + "-" + rest;
    }
}

std::string People::email(const std::string& name) {
    std::string box = mailbox(name);
    if (box.size() > 30) box.resize(30);
    while (!box.empty() && box.back() == '.') box.pop_back();
    if (rng_.chance(30)) box += std::to_string(rng_.between(1, 99));
    return box + "@" + rng_.pick(words_.emailDomains);
}

std::string People::rg(const Place& place) {
    const std::string d = rng_.digits(8);
    switch (rng_.below(3)) {
        case 0: return std::string(place.state) + "-" + d.substr(0, 2) + "." + d.substr(2, 3) + "." + d.substr(5);
        case 1: return d + "-" + rng_.digits(1);
        default: return d.substr(0, 2) + "." + d.substr(2, 3) + "." + d.substr(5) + "-" + rng_.digits(1);
    }
}

std::string People::stateRegistration(bool exemptAllowed) {
    if (exemptAllowed && rng_.chance(60)) return "ISENTO";
    const std::string d = rng_.digits(12);
    if (rng_.chance(50)) return d;
    return d.substr(0, 3) + "." + d.substr(3, 3) + "." + d.substr(6, 3) + "." + d.substr(9);
}

}  // namespace conversor::sample
