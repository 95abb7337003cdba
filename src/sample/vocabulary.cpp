#include "sample/vocabulary.h"

#include <algorithm>
#include <initializer_list>

#include "text/cp1252.h"

namespace conversor::sample {

namespace {
std::vector<std::string> words(std::initializer_list<const char*> utf8) {
    std::vector<std::string> out;
    out.reserve(utf8.size());
    for (const char* w : utf8) out.push_back(W(w));
    return out;
}

struct RawItem {
    const char* group;
    const char* subgroup;
    const char* description;
    const char* unit;
    const char* ncm;
};

// Groups and subgroups come out in the order they first appear here.
constexpr RawItem kCatalogue[] = {
    {"MERCEARIA", "GRÃOS", "ARROZ BRANCO TIPO 1", "PCT", "10063021"},
    {"MERCEARIA", "GRÃOS", "FEIJÃO CARIOCA TIPO 1", "PCT", "07133319"},
    {"MERCEARIA", "GRÃOS", "FEIJÃO PRETO", "Pct", "07133390"},
    {"MERCEARIA", "AÇÚCARES", "AÇÚCAR CRISTAL", "PCT", "17019900"},
    {"MERCEARIA", "AÇÚCARES", "AÇÚCAR REFINADO", "PCT", "17019900"},
    {"MERCEARIA", "MASSAS", "MACARRÃO ESPAGUETE", "PCT", "19021900"},
    {"MERCEARIA", "ÓLEOS", "ÓLEO DE SOJA", "UN", "15079011"},
    {"MERCEARIA", "CAFÉ", "CAFÉ TORRADO E MOÍDO", "UN", "09012100"},
    {"BEBIDAS", "REFRIGERANTES", "REFRIGERANTE COLA", "un", "22021000"},
    {"BEBIDAS", "REFRIGERANTES", "REFRIGERANTE GUARANÁ", "UN", "22021000"},
    {"BEBIDAS", "CERVEJAS", "CERVEJA PILSEN LATA", "UN", "22030000"},
    {"BEBIDAS", "ÁGUAS", "ÁGUA MINERAL SEM GÁS", "UN", "22011000"},
    {"BEBIDAS", "SUCOS", "SUCO DE LARANJA INTEGRAL", "UN", "20091200"},
    {"LATICÍNIOS", "LEITES", "LEITE UHT INTEGRAL", "CX", "04012010"},
    {"LATICÍNIOS", "QUEIJOS", "QUEIJO MUÇARELA FATIADO", "KG", "04069090"},
    {"LATICÍNIOS", "IOGURTES", "IOGURTE NATURAL", "UN", "04032000"},
    {"LIMPEZA", "SABÕES", "SABÃO EM PÓ", "CX", "34022000"},
    {"LIMPEZA", "DETERGENTES", "DETERGENTE LÍQUIDO NEUTRO", "UN", "34022000"},
    {"LIMPEZA", "DESINFETANTES", "ÁGUA SANITÁRIA", "LT", "28289011"},
    {"HIGIENE PESSOAL", "SABONETES", "SABONETE EM BARRA", "UN", "34011190"},
    {"HIGIENE PESSOAL", "CREMES DENTAIS", "CREME DENTAL", "UN", "33061000"},
    {"HIGIENE PESSOAL", "PAPEL HIGIÊNICO", "PAPEL HIGIÊNICO FOLHA DUPLA", "FD", "48181000"},
    {"FERRAGENS", "FERRAMENTAS", "MARTELO DE UNHA", "PC", "82052000"},
    {"FERRAGENS", "FERRAMENTAS", "CHAVE DE FENDA", "PC", "82054000"},
    {"FERRAGENS", "PARAFUSOS", "PARAFUSO SEXTAVADO", "cx100", "73181500"},
    {"MATERIAL ELÉTRICO", "FIOS E CABOS", "CABO FLEXÍVEL 2,5MM", "MT", "85444900"},
    {"MATERIAL ELÉTRICO", "LÂMPADAS", "LÂMPADA LED 9W", "UN", "85395000"},
    {"MATERIAL ELÉTRICO", "TOMADAS", "TOMADA 2P+T 10A", "PC", "85366910"},
    {"HIDRÁULICA", "TUBOS", "TUBO PVC SOLDÁVEL 25MM", "BARRA", "39172300"},
    {"HIDRÁULICA", "CONEXÕES", "JOELHO PVC 90 GRAUS", "PC", "39174090"},
    {"HIDRÁULICA", "REGISTROS", "REGISTRO DE GAVETA", "PC", "84818093"},
    {"CONSTRUÇÃO", "CIMENTOS", "CIMENTO CP II 50KG", "SC", "25232910"},
    {"CONSTRUÇÃO", "ARGAMASSAS", "ARGAMASSA AC-I 20KG", "SC", "32149000"},
    {"TINTAS", "TINTAS LÁTEX", "TINTA LÁTEX PVA BRANCA", "GL", "32091010"},
    {"TINTAS", "VERNIZES", "VERNIZ MARÍTIMO", "LT", "32081010"},
    {"PAPELARIA", "CADERNOS", "CADERNO ESPIRAL 96 FOLHAS", "UN", "48202000"},
    {"PAPELARIA", "CANETAS", "CANETA ESFEROGRÁFICA AZUL", "caixa12", "96081000"},
    {"UTILIDADES DOMÉSTICAS", "PANELAS", "PANELA DE PRESSÃO 4,5L", "UN", "76151000"},
    {"UTILIDADES DOMÉSTICAS", "TALHERES", "FAQUEIRO INOX 24 PEÇAS", "JG", "82159100"},
    {"HORTIFRUTI", "FRUTAS", "BANANA PRATA", "KG", "08039000"},
    {"HORTIFRUTI", "LEGUMES", "TOMATE ITALIANO", "Kg", "07020000"},
    {"AÇOUGUE", "BOVINOS", "CARNE BOVINA PATINHO", "KG", "02013000"},
    {"AÇOUGUE", "AVES", "PEITO DE FRANGO", "KG", "02071400"},
    {"PADARIA", "PÃES", "PÃO FRANCÊS", "KG", "19059090"},
    {"PET SHOP", "RAÇÕES", "RAÇÃO PARA CÃES ADULTOS", "SC", "23091000"},
};
}  // namespace

Vocabulary::Vocabulary() {
    maleNames = words({"JOSÉ", "JOÃO", "ANTÔNIO", "FRANCISCO", "CARLOS", "PAULO", "PEDRO", "LUCAS", "LUIZ", "MARCOS",
                       "LUÍS", "GABRIEL", "RAFAEL", "DANIEL", "MARCELO", "BRUNO", "EDUARDO", "FELIPE", "RAIMUNDO",
                       "RODRIGO", "SEBASTIÃO", "VINÍCIUS", "GUILHERME", "FÁBIO", "ANDRÉ", "JÚLIO", "SÉRGIO"});
    femaleNames = words({"MARIA", "ANA", "FRANCISCA", "ANTÔNIA", "ADRIANA", "JULIANA", "MÁRCIA", "FERNANDA", "PATRÍCIA",
                         "ALINE", "SANDRA", "CAMILA", "AMANDA", "BRUNA", "JÉSSICA", "LETÍCIA", "JÚLIA", "LUCIANA",
                         "VANESSA", "MARIANA", "GABRIELA", "CONCEIÇÃO", "APARECIDA", "LÚCIA", "BEATRIZ", "INÊS"});
    surnames = words({"SILVA", "SANTOS", "OLIVEIRA", "SOUZA", "RODRIGUES", "FERREIRA", "ALVES", "PEREIRA", "LIMA",
                      "GOMES", "COSTA", "RIBEIRO", "MARTINS", "CARVALHO", "ALMEIDA", "LOPES", "SOARES", "FERNANDES",
                      "VIEIRA", "BARBOSA", "ROCHA", "DIAS", "NASCIMENTO", "ANDRADE", "MOREIRA", "NUNES", "MARQUES",
                      "MACHADO", "MENDES", "FREITAS", "CARDOSO", "RAMOS", "GONÇALVES", "SANTANA", "TEIXEIRA",
                      "ARAÚJO", "CONCEIÇÃO", "FALCÃO", "BRANDÃO", "D'ÁVILA", "MAGALHÃES", "GUIMARÃES", "PAIXÃO"});
    linkWords = words({"DA", "DE", "DOS", "DAS"});
    streets = words({"RUA 15 DE NOVEMBRO", "AV. 9 DE JULHO", "RUA SETE DE SETEMBRO", "AVENIDA BRASIL",
                     "RUA DAS FLORES", "RUA A", "RUA 10", "TRAVESSA SÃO JOSÉ", "ALAMEDA DOS ANJOS",
                     "RUA DOM PEDRO II", "AV. GETÚLIO VARGAS", "RUA TIRADENTES", "RUA SÃO PAULO", "AV. AMAZONAS",
                     "RUA DA BAHIA", "AVENIDA AFONSO PENA", "R. GONÇALVES DIAS", "RUA MARECHAL DEODORO",
                     "AV. JUSCELINO KUBITSCHEK", "RUA JOAQUIM NABUCO", "RUA CEL. JOSÉ BENTO", "RUA 1º DE MAIO",
                     "PRAÇA DA LIBERDADE", "RUA DR. CÂNDIDO MOTA", "ESTRADA DO CAMPO LIMPO", "RUA B",
                     "AVENIDA DOS BANDEIRANTES", "RUA PADRE ANCHIETA", "RUA SANTA CATARINA", "RUA 25 DE MARÇO"});
    districts = words({"CENTRO", "JARDIM AMÉRICA", "VILA NOVA", "CONSOLAÇÃO", "SAVASSI", "BOA VIAGEM", "PARQUE SÃO JORGE",
                       "JARDIM DAS ACÁCIAS", "VILA MARIANA", "SANTA EFIGÊNIA", "BELA VISTA", "CIDADE INDUSTRIAL",
                       "JARDIM PAULISTA", "ALTO DA GLÓRIA", "SÃO CRISTÓVÃO", "VILA SÃO JOSÉ", "BAIRRO DOS ESTADOS",
                       "CONJUNTO HABITACIONAL JOSÉ DE ALENCAR", "ZONA RURAL", "DISTRITO INDUSTRIAL"});
    complements = words({"APTO 5", "APTO 302", "SALA 3", "CASA 2", "FUNDOS", "BLOCO B APTO 104", "LOJA 1", "GALPÃO 4",
                         "2º ANDAR", "LOTE 7 QUADRA 12"});
    tradeWords = words({"COMÉRCIO", "DISTRIBUIDORA", "MATERIAIS DE CONSTRUÇÃO", "SUPERMERCADO", "MERCEARIA",
                        "PAPELARIA", "FERRAGENS", "INDÚSTRIA", "TRANSPORTES", "ATACADÃO", "EMPÓRIO", "AUTO PEÇAS",
                        "CONFECÇÕES", "RESTAURANTE", "PADARIA E CONFEITARIA", "LOGÍSTICA"});
    companySuffixes = words({"LTDA", "LTDA ME", "ME", "EIRELI", "S/A", "LTDA - EPP", "& CIA LTDA"});
    activities = words({"VAREJO", "ATACADO", "SUPERMERCADO", "CONSTRUÇÃO CIVIL", "RESTAURANTE", "PADARIA",
                        "ÓRGÃO PÚBLICO", "INDÚSTRIA", "OFICINA MECÂNICA", "TRANSPORTADORA", "FARMÁCIA",
                        "ESCOLA", "HOSPITAL E CLÍNICA", "CONDOMÍNIO RESIDENCIAL", "REVENDA"});

    for (const RawItem& raw : kCatalogue) {
        const std::string group = W(raw.group), subgroup = W(raw.subgroup);
        auto g = std::find(groups.begin(), groups.end(), group);
        if (g == groups.end()) g = groups.insert(groups.end(), group);
        const int gi = static_cast<int>(g - groups.begin());
        auto s = std::find_if(subgroups.begin(), subgroups.end(),
                              [&](const SubgroupName& x) { return x.group == gi && x.name == subgroup; });
        if (s == subgroups.end()) s = subgroups.insert(subgroups.end(), SubgroupName{gi, subgroup});
        catalogue.push_back({gi, static_cast<int>(s - subgroups.begin()), W(raw.description), raw.unit, raw.ncm});
    }
    variants = words({"", "", "1KG", "5KG", "500G", "2L", "350ML", "CX 12 UN", "PREMIUM", "ECONÔMICO", "TRADICIONAL",
                      "LIGHT", "ZERO AÇÚCAR", "EMBALAGEM FAMÍLIA", "REFIL", "C/ 6", "GRANEL"});
    brands = words({"TRAMONTINA", "TIGRE", "YPÊ", "CAMIL", "SADIA", "ITAMBÉ", "SUVINIL", "VOTORAN", "PHILIPS",
                    "DOIS IRMÃOS", "TIO JOÃO", "PILÃO", "MINUANO", "SÃO BRAZ", "QUATÁ", "AMANCO", "VONDER",
                    "GERDAU", "COLGATE", "SEMPRE LIMPO", "BOM PREÇO", "NATURAL DA TERRA", "PIRACANJUBA",
                    "SOL NASCENTE", "CONDOR", "IRMÃOS GUIMARÃES", "ESTRELA DO SUL", "CASA BRANCA"});
    banks = {{1, W("BANCO DO BRASIL S.A.")}, {237, W("BANCO BRADESCO S.A.")}, {341, W("ITAÚ UNIBANCO S.A.")},
             {104, W("CAIXA ECONÔMICA FEDERAL")}, {33, W("BANCO SANTANDER (BRASIL) S.A.")},
             {756, W("SICOOB")}, {748, W("SICREDI")}, {41, W("BANRISUL")}, {77, W("BANCO INTER")},
             {260, W("NU PAGAMENTOS")}, {422, W("BANCO SAFRA")}, {70, W("BRB - BANCO DE BRASÍLIA")},
             {4, W("BANCO DO NORDESTE")}};
    plans = {{W("À VISTA"), 1},          {W("30 DIAS"), 1},        {W("30/60 DIAS"), 2},
             {W("30/60/90 DIAS"), 3},    {W("ENTRADA + 2X"), 3},   {W("CARTÃO CRÉDITO 3X SEM JUROS"), 3},
             {W("28 DDL"), 1},           {W("CHEQUE PRÉ 30/60"), 2}, {W("BOLETO 10X"), 10},
             {W("CREDIÁRIO PRÓPRIO 6X"), 6}, {W("15 DIAS"), 1},     {W("PIX"), 1}};
    entryTypes = {{W("DEPÓSITO EM DINHEIRO"), 'C'},   {W("DEPÓSITO EM CHEQUE"), 'C'},
                  {W("SAQUE"), 'D'},                  {W("TARIFA BANCÁRIA"), 'D'},
                  {W("PAGAMENTO DE FORNECEDOR"), 'D'}, {W("RECEBIMENTO DE CLIENTE"), 'C'},
                  {W("TRANSFERÊNCIA ENTRE CONTAS"), 'D'}, {W("JUROS SOBRE APLICAÇÃO"), 'C'},
                  {W("PAGAMENTO DE SALÁRIOS"), 'D'},   {W("IMPOSTOS E TAXAS (DARF/GPS)"), 'D'},
                  {W("ESTORNO DE LANÇAMENTO"), 'C'},   {W("COBRANÇA SIMPLES - LIQUIDAÇÃO"), 'C'},
                  {W("ALUGUEL"), 'D'},                 {W("ENERGIA ELÉTRICA"), 'D'},
                  {W("ÁGUA E ESGOTO"), 'D'},           {W("TELEFONE E INTERNET"), 'D'}};
    maritalStatus = words({"SOLTEIRO(A)", "CASADO(A)", "DIVORCIADO(A)", "VIÚVO(A)", "UNIÃO ESTÁVEL"});
    remarks = words({"CLIENTE ANTIGO, ATENDIMENTO PREFERENCIAL.", "Só entregar no período da manhã.",
                     "PAGAMENTO SEMPRE EM DIA", "Não aceita cheque de terceiros.",
                     "COBRANÇA: LIGAR ANTES DE ENVIAR O BOLETO", "Referência: próximo à padaria São João.",
                     "CONTATO PREFERENCIAL POR WHATSAPP"});
    emailDomains = {"gmail.com", "hotmail.com", "yahoo.com.br", "uol.com.br", "bol.com.br", "terra.com.br",
                    "outlook.com"};
}

}  // namespace conversor::sample
