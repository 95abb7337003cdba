#include "app/registries.h"

#include "convert/catalogue/catalogue.h"
#include "convert/finance/finance.h"
#include "convert/parties/parties.h"

namespace conversor {

const std::array<Registry, 20>& Registries() {
    static const std::array<Registry, 20> table{{
        {"ckCidades", "Cidades", "cidades", ConverteCidades},
        {"ckClientes", "Clientes", "clientes", ConverteClientes},
        {"ckGrupos", "Grupos", "grupos", ConverteGrupos},
        {"ckSubgrupos", "Subgrupos", "subgrupos", ConverteSubgrupos},
        {"ckClasfisc", "Classif. Fiscal", "clasfisc", ConverteClasFisc},
        {"ckFabricantes", "Fabricantes", "fabricantes", ConverteFabricantes},
        {"ckProdutos", "Produtos", "produtos", ConverteProdutos},
        {"ckFornecedores", "Fornecedores", "fornecedores", ConverteFornecedores},
        {"ckVendedores", "Vendedores", "vendedores", ConverteVendedores},
        {"ckFiliais", "Filiais", "filiais", ConverteFiliais},
        {"ckBancos", "Bancos", "bancos", ConverteBancos},
        {"ckAgencias", "Agências", "agencias", ConverteAgencias},
        {"ckContas", "Contas", "contas", ConverteContas},
        {"ckTipoLancamentos", "Tp. Lançamentos", "tipolancamentos", ConverteTiposLancamento},
        {"ckTransportadoras", "Transportadoras", "transportadoras", ConverteTransportadoras},
        {"chkSegmentos", "Segmentos", "segmentos", ConverteSegmentos},
        {"chkCompClientes", "Complementos Clientes", "compclientes", ConverteComplementosClientes},
        {"chkCondicoesPagamento", "Condições de Pagamento", "condicoespagamento", ConverteCondicoesPagamento},
        {"chkDocumentosPagar", "Documentos à Pagar", "documentospagar", ConverteDocumentosPagar},
        {"chkDocumentosReceber", "Documentos à Receber", "documentosreceber", ConverteDocumentosReceber},
    }};
    return table;
}

const Registry* FindRegistry(std::string_view name) {
    for (const Registry& r : Registries())
        if (r.name == name) return &r;
    return nullptr;
}

}  // namespace conversor
