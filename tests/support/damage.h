#pragma once
// A database file with one data page of a table overwritten, as a failing
// disk or an interrupted copy leaves it.
#include <string>

namespace conversor::testing {

// Overwrites the record index of the first data page of table (which must
// hold rows) in the closed database file at path; returns that page's number.
long DamageFirstDataPage(const std::string& path, int dialect, const std::string& table);

}  // namespace conversor::testing
