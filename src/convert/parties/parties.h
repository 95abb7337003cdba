#pragma once
// Cities, customers and the other parties: one converter a file, each run by the conversion run
// when its registry is ticked.

namespace conversor {

class Session;

void ConverteCidades(Session& s);
void ConverteClientes(Session& s);
void ConverteComplementosClientes(Session& s);
void ConverteSegmentos(Session& s);
void ConverteFornecedores(Session& s);
void ConverteTransportadoras(Session& s);
void ConverteVendedores(Session& s);

}  // namespace conversor
