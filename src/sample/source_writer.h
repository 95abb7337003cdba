#pragma once
// Fills the Talvo tables of a sample store. Each Write... function inserts
// one registry's rows through one prepared statement inside the connection's
// open transaction; the caller commits.
#include <string>
#include <string_view>
#include <vector>

#include "db/firebird/connection.h"
#include "db/firebird/date_time.h"
#include "db/firebird/statement.h"
#include "sample/people.h"
#include "sample/places.h"
#include "sample/random.h"
#include "sample/shape.h"
#include "sample/vocabulary.h"

namespace conversor::sample {

struct SourceCity {
    int number;            // CIDCONTADOR
    std::string name;      // as stored in REP004 (Windows-1252)
    const Place* place;
};

struct SourceCompany {
    int number;
    const SourceCity* city;
};

// What the registries written so far offer to the ones written next.
struct SourceState {
    std::vector<SourceCity> cities;
    std::vector<SourceCompany> companies;
    std::vector<int> customersPerCompany;  // index = company number
    int suppliers = 0;                      // numbered 1..suppliers
    std::vector<int> salespeople;           // numbers
    std::vector<int> subgroupNumbers;       // per vocabulary subgroup; 0 when not written
    long long rows = 0;
};

class SourceWriter {
public:
    SourceWriter(Connection& cn, SampleRandom& rng, const Vocabulary& words, const SampleShape& shape);

    void WriteCities();
    void WriteCustomers();
    void WriteSuppliers();
    void WriteSalespeople();
    void WriteCatalogueTables();  // groups, subgroups, brands, taxation rules
    void WriteProducts();
    void WriteCompanies();        // with their quote and sale counters
    void WriteBanking();          // banks, agencies, accounts, entry types
    void WritePaymentPlans();
    void WritePayables();
    void WriteReceivables();

    const SourceState& state() const { return state_; }

private:
    // A statement for one table, counting the rows it writes.
    class Insert {
    public:
        Insert(Connection& cn, std::string_view sql, long long& rows) : st_(cn), rows_(rows) { st_.setText(sql); }
        Parameter& operator[](std::string_view name) { return st_.param(name); }
        void text(std::string_view name, const std::string& value) { st_.param(name).setText(value); }
        // Null when the value is empty: optional columns stay null, as stores leave them.
        void optional(std::string_view name, const std::string& value) {
            if (value.empty()) st_.param(name).setNull();
            else st_.param(name).setText(value);
        }
        void write() {
            st_.execute();
            ++rows_;
        }

    private:
        Statement st_;
        long long& rows_;
    };

    const SourceCity& someCity();
    DateTime someDay(int fromYear, int toYear);
    std::string ean13();

    Connection& cn_;
    SampleRandom& rng_;
    const Vocabulary& words_;
    const SampleShape& shape_;
    People people_;
    SourceState state_;
    DateTime today_;
};

}  // namespace conversor::sample
