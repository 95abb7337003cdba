#include "db/lookup_cache.h"

namespace conversor {

const std::string* LookupCache::find(const std::string& key) const {
    if (auto it = pending_.find(key); it != pending_.end()) return &it->second;
    if (auto it = kept_.find(key); it != kept_.end()) return &it->second;
    return nullptr;
}

void LookupCache::remember(const std::string& key, std::string answer) { pending_.insert_or_assign(key, std::move(answer)); }

void LookupCache::rowDone() {
    if (pending_.empty()) return;
    for (auto& [key, answer] : pending_) kept_.insert_or_assign(key, std::move(answer));
    pending_.clear();
}

void LookupCache::rowUndone() { pending_.clear(); }

void LookupCache::clear() {
    kept_.clear();
    pending_.clear();
}

template <typename F>
static void forEach(Lookups& l, F f) {
    for (LookupCache* c : {&l.sourceCityNames, &l.sourceCityStates, &l.targetCities, &l.units, &l.fiscalClasses}) f(*c);
}

void Lookups::rowDone() { forEach(*this, [](LookupCache& c) { c.rowDone(); }); }
void Lookups::rowUndone() { forEach(*this, [](LookupCache& c) { c.rowUndone(); }); }
void Lookups::clear() { forEach(*this, [](LookupCache& c) { c.clear(); }); }

}  // namespace conversor
