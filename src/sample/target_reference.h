#pragma once
// The rows an Ordelio database ships with before any conversion: the
// operation table, the municipalities and the ADMIN user.
namespace conversor {
class Connection;
}

namespace conversor::sample {

// Writes them inside the connection's open transaction; returns the rows written.
long long WriteTargetReference(Connection& cn);

}  // namespace conversor::sample
