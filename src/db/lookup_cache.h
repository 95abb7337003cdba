#pragma once
// Answers of the lookups converters make for every row (a city's code, a
// unit's existence), kept so that a store with thousands of customers in a
// hundred cities asks the database a hundred times, not thousands.
//
// An answer learnt while a row is written may rest on that row's own writes
// (the city it just added), so it is held back until the row is done and
// dropped when the row is undone. The run empties every cache when a registry
// starts: registries before it may have rewritten the tables looked up.
#include <string>
#include <unordered_map>

namespace conversor {

class LookupCache {
public:
    // The answer for key, or null when it is not known.
    const std::string* find(const std::string& key) const;
    void remember(const std::string& key, std::string answer);

    void rowDone();    // the row's answers stand
    void rowUndone();  // the row's answers go with it
    void clear();

private:
    std::unordered_map<std::string, std::string> kept_;
    std::unordered_map<std::string, std::string> pending_;
};

// The caches of one conversion.
struct Lookups {
    LookupCache sourceCityNames;   // source city code -> its name
    LookupCache sourceCityStates;  // source city code -> its state (company 1)
    LookupCache targetCities;      // name and state as given -> the target's city code
    LookupCache units;             // units the target holds
    LookupCache fiscalClasses;     // goods code -> the target's fiscal class

    void rowDone();
    void rowUndone();
    void clear();
};

}  // namespace conversor
