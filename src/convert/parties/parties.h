#pragma once
// Cities, customers and the other parties: one converter a file, each run by the conversion run
// when its registry is ticked.
#include <string>

namespace conversor {

class Session;

void ConverteCidades(Session& s);
void ConverteClientes(Session& s);
void ConverteComplementosClientes(Session& s);
void ConverteSegmentos(Session& s);
void ConverteFornecedores(Session& s);
void ConverteTransportadoras(Session& s);
void ConverteVendedores(Session& s);

// Municipality code the target's reference table gives for a city name and
// state, inside the transaction of the row being converted; empty when there
// is none. A failing lookup is shown as a warning and yields an empty code.
std::string BuscaCodigoMunicipio(Session& s, const std::string& cidade, const std::string& estado);

// Empties the target customers, sparing the reserved code "00000000".
void LimpaClientes(Session& s);

}  // namespace conversor
