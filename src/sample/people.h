#pragma once
// Names, addresses, phones and registrations, varied the way a store's staff
// types them over the years.
#include <string>

#include "sample/places.h"
#include "sample/random.h"
#include "sample/vocabulary.h"

namespace conversor::sample {

struct PersonName {
    std::string full;      // "MARIA APARECIDA DA SILVA"
    std::string first;     // "MARIA"
    bool female = false;
};

class People {
public:
    People(SampleRandom& rng, const Vocabulary& words) : rng_(rng), words_(words) {}

    PersonName person();
    // A company's legal name ("SANTOS MATERIAIS DE CONSTRUÇÃO LTDA") and its
    // trade name ("SANTOS MATERIAIS DE CONSTRUÇÃO").
    void company(std::string& legalName, std::string& tradeName);
    // "RUA 15 DE NOVEMBRO, 230 APTO 5", "AV. 9 DE JULHO, 1200, SALA 3",
    // "RUA A, S/N" and the other ways house numbers are written.
    std::string address();
    std::string district() { return rng_.pick(words_.districts); }
    // "30130-010", "30130010" or "30.130-010".
    std::string cep(const Place& place);
    // Landline with or without its area code: "(31) 3222-1111", "3222-1111".
    std::string phone(const Place& place);
    // Cell phone: "(31) 99876-5432", "99876-5432", "31998765432".
    std::string cellPhone(const Place& place);
    std::string email(const std::string& name);
    std::string rg(const Place& place);
    // A state registration, punctuated or not, or "ISENTO".
    std::string stateRegistration(bool exemptAllowed);
    // Upper case as most stores keep names, now and then as typed.
    std::string asTyped(const std::string& upper);

private:
    SampleRandom& rng_;
    const Vocabulary& words_;
};

}  // namespace conversor::sample
