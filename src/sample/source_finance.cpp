// Companies with their quote and sale counters, banking registries, payment
// plans, and payable and receivable documents.
#include "sample/documents.h"
#include "sample/source_writer.h"
#include "text/cp1252.h"

namespace conversor::sample {

namespace {
constexpr const char* kPayableTypes[] = {"DP", "DP", "NF", "BOLETO", "DUP"};
constexpr const char* kReceivableTypes[] = {"DP", "CH", "CT", "BOLETO", "CARTAO", "CREDIARIO"};
constexpr int kPayableInstalments[] = {1, 1, 2, 3, 4, 6};
constexpr int kReceivableInstalments[] = {1, 1, 2, 3, 4, 5, 10};
constexpr const char* kAccountKinds[] = {"MOVIMENTO", "COBRANÇA", "APLICAÇÃO", "POUPANÇA", "CONTA GARANTIDA"};

// Open documents are "AB"; settled ones "PG", cancelled "CA". Now and then
// the status was saved with a trailing blank.
std::string documentStatus(SampleRandom& rng) {
    const auto r = rng.below(1000);
    if (r < 600) return "AB";
    if (r < 605) return "AB ";
    if (r < 960) return "PG";
    return "CA";
}
}  // namespace

void SourceWriter::WriteCompanies() {
    Insert row(cn_,
               "INSERT INTO EMP001 (EMPCONTADOR, DESCEMPRESA, RAZAOSOCIAL, CGC, INSC, INSCMUNICIPAL, ENDERECO, BAIRRO, "
               "CIDADE, UF, CEP, FONE, FAX, EMAIL, CNAE) VALUES (:EMPCONTADOR, :DESCEMPRESA, :RAZAOSOCIAL, :CGC, "
               ":INSC, :INSCMUNICIPAL, :ENDERECO, :BAIRRO, :CIDADE, :UF, :CEP, :FONE, :FAX, :EMAIL, :CNAE)",
               state_.rows);
    std::string legal, trade;
    people_.company(legal, trade);
    const std::string root = rng_.digits(8);
    for (int number = 1; number <= shape_.companies; ++number) {
        const SourceCity& city = number == 1 ? state_.cities.front() : someCity();
        state_.companies.push_back({number, &city});
        row["EMPCONTADOR"].setInt(number);
        row.text("DESCEMPRESA", number == 1 ? trade + " - MATRIZ" : trade + " - FILIAL " + std::to_string(number - 1));
        row.text("RAZAOSOCIAL", legal);
        row.text("CGC", CnpjOf(root, number, true));
        row.text("INSC", people_.stateRegistration(false));
        row.optional("INSCMUNICIPAL", rng_.chance(80) ? rng_.digits(7) + "-" + rng_.digits(1) : "");
        row.text("ENDERECO", people_.address());
        row.text("BAIRRO", people_.district());
        row.text("CIDADE", city.name);
        row.text("UF", city.place->state);
        row.text("CEP", people_.cep(*city.place));
        row.text("FONE", people_.phone(*city.place));
        row.optional("FAX", rng_.chance(40) ? people_.phone(*city.place) : "");
        row.text("EMAIL", "contato" + std::to_string(number) + "@" + "lojas.com.br");
        row.text("CNAE", rng_.chance(70) ? "4711-3/02" : "4744-0/99");
        row.write();
    }
    // Only the highest quote and sale numbers matter to the conversion.
    Insert quote(cn_, "INSERT INTO EST024 (EMPRESA, ORCAMENTOCONTADOR) VALUES (:EMPRESA, :ORCAMENTOCONTADOR)", state_.rows);
    for (int n = 1; n <= shape_.quotes; ++n) {
        quote["EMPRESA"].setInt(rng_.between(1, shape_.companies));
        quote["ORCAMENTOCONTADOR"].setInt(n);
        quote.write();
    }
    Insert sale(cn_, "INSERT INTO EST007 (EMPRESA, VENDACONTADOR) VALUES (:EMPRESA, :VENDACONTADOR)", state_.rows);
    for (int n = 1; n <= shape_.sales; ++n) {
        sale["EMPRESA"].setInt(rng_.between(1, shape_.companies));
        sale["VENDACONTADOR"].setInt(n);
        sale.write();
    }
}

void SourceWriter::WriteBanking() {
    Insert bank(cn_, "INSERT INTO BNC004 (BCCONTADOR, DESCBANCO) VALUES (:BCCONTADOR, :DESCBANCO)", state_.rows);
    for (int b = 0; b < shape_.banks; ++b) {
        bank["BCCONTADOR"].setInt(words_.banks[static_cast<std::size_t>(b)].number);
        bank.text("DESCBANCO", words_.banks[static_cast<std::size_t>(b)].name);
        bank.write();
    }
    Insert agency(cn_,
                  "INSERT INTO BNC003 (EMPRESA, BCCONTADOR, BCACONTADOR, NOME, CIDADE) "
                  "VALUES (:EMPRESA, :BCCONTADOR, :BCACONTADOR, :NOME, :CIDADE)",
                  state_.rows);
    Insert account(cn_, "INSERT INTO BNC002 (EMPRESA, BCACONTADOR, NUMERO, DESCABREV) VALUES (:EMPRESA, :BCACONTADOR, :NUMERO, :DESCABREV)",
                   state_.rows);
    int agencies = 0;
    for (const SourceCompany& company : state_.companies)
        for (int b = 0; b < shape_.banks; ++b) {
            // Every company banks with the first bank, and with some others.
            if (b > 0 && !rng_.chance(60)) continue;
            const int agencyNumber = 1000 + 37 * ++agencies + static_cast<int>(rng_.below(30));
            agency["EMPRESA"].setInt(company.number);
            agency["BCCONTADOR"].setInt(words_.banks[static_cast<std::size_t>(b)].number);
            agency["BCACONTADOR"].setInt(agencyNumber);
            agency.text("NOME", "AG. " + rng_.pick(words_.districts));
            agency.optional("CIDADE", rng_.chance(90) ? company.city->name : "");
            agency.write();
            const int accounts = rng_.chance(40) ? 2 : 1;
            for (int a = 0; a < accounts; ++a) {
                account["EMPRESA"].setInt(company.number);
                account["BCACONTADOR"].setInt(agencyNumber);
                account.text("NUMERO", rng_.digits(static_cast<int>(rng_.between(4, 6))) + std::to_string(a) + "-" + rng_.digits(1));
                account.text("DESCABREV", W(kAccountKinds[a == 0 ? 0 : 1 + rng_.below(std::size(kAccountKinds) - 1)]));
                account.write();
            }
        }
    Insert type(cn_, "INSERT INTO BNC005 (ESCONTADOR, DESCES, TIPOMOV) VALUES (:ESCONTADOR, :DESCES, :TIPOMOV)", state_.rows);
    for (int e = 0; e < shape_.entryTypes; ++e) {
        const EntryType& t = words_.entryTypes[static_cast<std::size_t>(e)];
        type["ESCONTADOR"].setInt(e + 1);
        type.text("DESCES", t.description);
        type.text("TIPOMOV", std::string(1, t.movement));
        type.write();
    }
}

void SourceWriter::WritePaymentPlans() {
    Insert plan(cn_, "INSERT INTO REP003 (PLANOPAGCONTADOR, DESCPLANOPAG, NUMPARCELAS) VALUES (:PLANOPAGCONTADOR, :DESCPLANOPAG, :NUMPARCELAS)",
                state_.rows);
    for (int p = 0; p < shape_.plans; ++p) {
        const PaymentPlan& pp = words_.plans[static_cast<std::size_t>(p)];
        plan["PLANOPAGCONTADOR"].setInt(p + 1);
        plan.text("DESCPLANOPAG", pp.description);
        if (p == 0) plan["NUMPARCELAS"].setNull();  // cash: nobody filled it in
        else plan["NUMPARCELAS"].setInt(pp.instalments);
        plan.write();
    }
}

void SourceWriter::WritePayables() {
    Insert row(cn_,
               "INSERT INTO CP001 (EMPRESA, CPCONTADOR, FCONTADOR, TIPOCP, TITULO, PARCELA, VLRPARCELA, VLRPAGO, "
               "VALORJUROS, DTEMISSAO, DTVENC, DTLANC, STATUS, OBSERVACAO) VALUES (:EMPRESA, :CPCONTADOR, "
               ":FCONTADOR, :TIPOCP, :TITULO, :PARCELA, :VLRPARCELA, :VLRPAGO, :VALORJUROS, :DTEMISSAO, :DTVENC, "
               ":DTLANC, :STATUS, :OBSERVACAO)",
               state_.rows);
    int counter = 0;
    while (counter < shape_.payables) {
        // One bill, paid in one or more instalments.
        const int company = rng_.chance(85) ? 1 : static_cast<int>(rng_.between(1, shape_.companies));
        const int supplier = static_cast<int>(rng_.between(1, state_.suppliers));
        const std::string type = rng_.pick(std::span<const char* const>(kPayableTypes));
        std::string title;
        switch (rng_.below(10)) {
            case 0: title = ""; break;
            case 1: title = "NF-" + rng_.digits(6); break;
            case 2: title = rng_.digits(5) + "/A"; break;
            case 3: title = "FATURA" + rng_.digits(8); break;  // long: cut to fit with its parcel
            default: title = std::to_string(rng_.between(100, 999999)); break;
        }
        const int instalments = rng_.pick(std::span<const int>(kPayableInstalments));
        const DateTime issued = someDay(2023, 2024);
        const double total = rng_.money(5000, 5000000);
        for (int p = 1; p <= instalments && counter < shape_.payables; ++p) {
            const std::string status = documentStatus(rng_);
            const double value = static_cast<double>(static_cast<long long>(total / instalments * 100)) / 100.0;
            row["EMPRESA"].setInt(company);
            row["CPCONTADOR"].setInt(++counter);
            row["FCONTADOR"].setInt(supplier);
            row.text("TIPOCP", type);
            if (title.empty() && rng_.chance(50)) row["TITULO"].setNull();
            else row.text("TITULO", title);
            if (instalments == 1 && rng_.chance(30)) row["PARCELA"].setNull();
            else row.text("PARCELA", rng_.chance(70) ? std::to_string(p) : std::to_string(p) + "/" + std::to_string(instalments));
            row["VLRPARCELA"].setDouble(value);
            if (status == "PG") row["VLRPAGO"].setDouble(value);
            else if (rng_.chance(10)) row["VLRPAGO"].setDouble(value / 2);
            else if (rng_.chance(50)) row["VLRPAGO"].setDouble(0);
            else row["VLRPAGO"].setNull();
            if (rng_.chance(15)) row["VALORJUROS"].setDouble(rng_.money(100, 5000));
            else row["VALORJUROS"].setNull();
            row["DTEMISSAO"].setDate(issued);
            row["DTVENC"].setDate(DateTime{issued.days + 30 * p, 0});
            if (rng_.chance(97)) row["DTLANC"].setDate(DateTime{issued.days + static_cast<int>(rng_.below(5)), 0});
            else row["DTLANC"].setNull();
            row.text("STATUS", status);
            if (rng_.chance(20)) row["OBSERVACAO"].setBlob(rng_.pick(words_.remarks));
            else row["OBSERVACAO"].setNull();
            row.write();
        }
    }
}

void SourceWriter::WriteReceivables() {
    Insert row(cn_,
               "INSERT INTO CR001 (EMPRESA, CRCONTADOR, CLICONTADOR, TIPOCR, TITULO, PARCELA, DTVENDA, DTEMISSAO, "
               "DTVENC, VALORVENDA, VLRPARCELA, VALORDESC, VLRPAGO, VLROUTRASDESP, NUMDOCORIGEM, VENDEDOR, "
               "COMISSAOCR, STATUS, OBSERVACAO) VALUES (:EMPRESA, :CRCONTADOR, :CLICONTADOR, :TIPOCR, :TITULO, "
               ":PARCELA, :DTVENDA, :DTEMISSAO, :DTVENC, :VALORVENDA, :VLRPARCELA, :VALORDESC, :VLRPAGO, "
               ":VLROUTRASDESP, :NUMDOCORIGEM, :VENDEDOR, :COMISSAOCR, :STATUS, :OBSERVACAO)",
               state_.rows);
    int counter = 0;
    while (counter < shape_.receivables) {
        // One sale on credit, in one or more instalments.
        int company = rng_.chance(90) ? 1 : 2;
        if (state_.customersPerCompany[static_cast<std::size_t>(company)] == 0) company = 1;
        const int customer = static_cast<int>(rng_.between(1, state_.customersPerCompany[static_cast<std::size_t>(company)]));
        const std::string type = rng_.pick(std::span<const char* const>(kReceivableTypes));
        const std::string title = rng_.chance(8) ? "" : rng_.chance(60) ? std::to_string(rng_.between(1, 999999)) : "NF" + rng_.digits(6);
        const int instalments = rng_.pick(std::span<const int>(kReceivableInstalments));
        const DateTime sold = someDay(2023, 2024);
        const double total = rng_.money(1000, 800000);
        const std::string origin = rng_.chance(60) ? "PDV" + rng_.digits(3) + "-" + rng_.digits(8) : rng_.digits(6);
        const bool bySalesperson = rng_.chance(70);
        const int salesperson = bySalesperson ? rng_.pick(state_.salespeople) : 0;
        for (int p = 1; p <= instalments && counter < shape_.receivables; ++p) {
            const std::string status = documentStatus(rng_);
            const double value = static_cast<double>(static_cast<long long>(total / instalments * 100)) / 100.0;
            row["EMPRESA"].setInt(company);
            row["CRCONTADOR"].setInt(++counter);
            row["CLICONTADOR"].setInt(customer);
            row.text("TIPOCR", type);
            row.optional("TITULO", title);
            if (rng_.chance(3)) row["PARCELA"].setNull();
            else row.text("PARCELA", std::to_string(p));
            row["DTVENDA"].setDate(sold);
            row["DTEMISSAO"].setDate(sold);
            row["DTVENC"].setDate(DateTime{sold.days + 30 * p, 0});
            row["VALORVENDA"].setDouble(total);
            row["VLRPARCELA"].setDouble(value);
            if (rng_.chance(10)) row["VALORDESC"].setDouble(rng_.money(100, 2000));
            else row["VALORDESC"].setNull();
            if (status == "PG") row["VLRPAGO"].setDouble(value);
            else if (rng_.chance(60)) row["VLRPAGO"].setDouble(0);
            else row["VLRPAGO"].setNull();
            if (rng_.chance(5)) row["VLROUTRASDESP"].setDouble(rng_.money(100, 1500));
            else row["VLROUTRASDESP"].setNull();
            row.text("NUMDOCORIGEM", origin);
            if (bySalesperson) row["VENDEDOR"].setInt(salesperson);
            else row["VENDEDOR"].setNull();
            if (bySalesperson) row["COMISSAOCR"].setDouble(static_cast<double>(static_cast<long long>(value * 3)) / 100.0);
            else row["COMISSAOCR"].setNull();
            row.text("STATUS", status);
            if (rng_.chance(10)) row["OBSERVACAO"].setBlob(rng_.pick(words_.remarks));
            else row["OBSERVACAO"].setNull();
            row.write();
        }
    }
}

}  // namespace conversor::sample
