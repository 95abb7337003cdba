#pragma once
// Payment terms, branches, banks and documents: one converter a file, each run by the conversion run
// when its registry is ticked.

namespace conversor {

class Session;

void ConverteCondicoesPagamento(Session& s);
void ConverteFiliais(Session& s);
void ConverteBancos(Session& s);
void ConverteAgencias(Session& s);
void ConverteContas(Session& s);
void ConverteTiposLancamento(Session& s);
void ConverteDocumentosPagar(Session& s);
void ConverteDocumentosReceber(Session& s);
// Writes the two standard payment terms; every run calls it.
void GravaPrazosPadrao(Session& s);

}  // namespace conversor
