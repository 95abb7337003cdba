#pragma once
// Builds the INSERT of one source product (EST004), company 1 unless told,
// with only the columns a test cares about.
#include <map>
#include <string>

namespace conversor::testing {

class SourceProduct {
public:
    explicit SourceProduct(int code) {
        set("EMPRESA", "1");
        set("CODPRODUTO", std::to_string(code));
        set("DESCPRODUTO", "'Produto " + std::to_string(code) + "'");
    }
    // value is an SQL literal: 'text', a number or NULL.
    SourceProduct& set(const std::string& column, const std::string& value) {
        columns_[column] = value;
        return *this;
    }
    std::string sql() const {
        std::string names, values;
        for (const auto& [name, value] : columns_) {
            names += (names.empty() ? "" : ", ") + name;
            values += (values.empty() ? "" : ", ") + value;
        }
        return "INSERT INTO EST004 (" + names + ") VALUES (" + values + ");";
    }

private:
    std::map<std::string, std::string> columns_;
};

}  // namespace conversor::testing
