#pragma once
// The words a Brazilian retail store's registries are made of: names,
// streets, districts, company words, the product catalogue, brands, banks,
// entry types and payment plans. Every text is held in Windows-1252, ready to
// be written to the source database.
#include <string>
#include <vector>

namespace conversor::sample {

struct CatalogueItem {
    int group;              // index into Vocabulary::groups
    int subgroup;           // index into Vocabulary::subgroups
    std::string description;
    std::string unit;       // as the store types it ("UN", "Kg", "cx12"...)
    std::string ncm;        // goods code, 8 digits
};

struct SubgroupName {
    int group;              // index into Vocabulary::groups
    std::string name;
};

struct Bank {
    int number;             // the bank's compensation code (001, 237, 341...)
    std::string name;
};

struct PaymentPlan {
    std::string description;
    int instalments;
};

struct EntryType {
    std::string description;
    char movement;          // 'C' credit, 'D' debit
};

class Vocabulary {
public:
    Vocabulary();

    std::vector<std::string> maleNames, femaleNames, surnames, linkWords;
    std::vector<std::string> streets, districts, complements;
    std::vector<std::string> tradeWords, companySuffixes, activities;
    std::vector<std::string> groups;
    std::vector<SubgroupName> subgroups;
    std::vector<CatalogueItem> catalogue;
    std::vector<std::string> variants, brands;
    std::vector<Bank> banks;
    std::vector<PaymentPlan> plans;
    std::vector<EntryType> entryTypes;
    std::vector<std::string> maritalStatus, remarks, emailDomains;
};

}  // namespace conversor::sample
