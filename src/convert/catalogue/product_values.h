#pragma once
// How the product converter turns source values into the target's decimals.
#include <string>

namespace conversor {

class Field;

// 0 when the value's text is blank (null included), otherwise the value itself.
double NumeroOuZero(const Field& field);

// ICMS rate from the source's rate text: 0 for an empty text or one starting
// with F, D or I (exempt, deferred, untaxed); otherwise its first two
// characters read as a number ("12,00" gives 12). A pair that is no number
// raises a DbError naming it.
double AliquotaIcms(const std::string& rate);

// Share of the price the ICMS is charged on: 100 minus the reduction, 100
// when there is none.
double BaseIcms(const Field& reduction);

}  // namespace conversor
