#pragma once
// The product catalogue: one converter a file, each run by the conversion run
// when its registry is ticked.

namespace conversor {

class Session;

void ConverteGrupos(Session& s);
void ConverteSubgrupos(Session& s);
void ConverteClasFisc(Session& s);
void ConverteFabricantes(Session& s);
void ConverteProdutos(Session& s);

}  // namespace conversor
