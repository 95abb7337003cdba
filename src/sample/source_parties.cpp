// Cities, customers, suppliers (carriers among them) and salespeople.
#include <algorithm>

#include "sample/documents.h"
#include "sample/source_writer.h"
#include "text/cp1252.h"

namespace conversor::sample {

SourceWriter::SourceWriter(Connection& cn, SampleRandom& rng, const Vocabulary& words, const SampleShape& shape)
    : cn_(cn), rng_(rng), words_(words), shape_(shape), people_(rng, words),
      // A fixed "today" keeps the store the same for the same seed.
      today_(DateTime::FromYmd(2024, 6, 28)) {}

DateTime SourceWriter::someDay(int fromYear, int toYear) {
    const int from = DateTime::FromYmd(fromYear, 1, 1).days;
    const int to = std::min(DateTime::FromYmd(toYear, 12, 31).days, today_.days);
    return DateTime{static_cast<int>(rng_.between(from, to)), 0};
}

// Most customers live in the first few cities, as around a real store.
const SourceCity& SourceWriter::someCity() {
    const auto n = state_.cities.size();
    return state_.cities[std::min(rng_.below(n), rng_.below(n))];
}

void SourceWriter::WriteCities() {
    Insert city(cn_, "INSERT INTO REP004 (EMPRESA, CIDCONTADOR, DESCCID, UFCID) VALUES (:EMPRESA, :CIDCONTADOR, :DESCCID, :UFCID)",
                state_.rows);
    const auto places = Places();
    for (int i = 0; i < shape_.cities; ++i) {
        const Place& place = places[static_cast<std::size_t>(i)];
        // Numbers with gaps, as left by cities deleted over the years; a few
        // names typed in mixed case.
        const int number = 1 + i * 3 + static_cast<int>(rng_.below(3));
        std::string name = W(place.city);
        if (i >= 8 && rng_.chance(10)) name = people_.asTyped(name);
        state_.cities.push_back({number, name, &place});
    }
    for (int company = 1; company <= 2; ++company)
        for (const SourceCity& c : state_.cities) {
            // The second company registered only the cities it sells to.
            if (company == 2 && !rng_.chance(30)) continue;
            city["EMPRESA"].setInt(company);
            city["CIDCONTADOR"].setInt(c.number);
            city.text("DESCCID", c.name);
            city.text("UFCID", c.place->state);
            city.write();
        }
}

void SourceWriter::WriteCustomers() {
    Insert row(cn_,
               "INSERT INTO CR002 (EMPRESA, CLICONTADOR, NOME, APELIDO, DTNASC, ENDERECOFAT, BAIRROFAT, CIDADEFAT, "
               "UFFAT, CEPFAT, ENDERECOENT, BAIRROENT, CIDADEENT, UFENT, CEPENT, CPF, CGC, INSCESTADUAL, TIPOCLIENTE, "
               "FONE, CELULAR, FAX, EMAIL, DTCADASTRO, CONTATO, LIMITECREDITO, RG, SEXO, NOMEPAI, NOMEMAE, "
               "RENDAMENSAL, ESTADOCIVIL, INADIMPLENTE, RESTRICAO, ADMPUBLICA, BLOQUEADO, INATIVO, RAMOATIVIDADE, "
               "VENDEDOR, OBS) VALUES (:EMPRESA, :CLICONTADOR, :NOME, :APELIDO, :DTNASC, :ENDERECOFAT, :BAIRROFAT, "
               ":CIDADEFAT, :UFFAT, :CEPFAT, :ENDERECOENT, :BAIRROENT, :CIDADEENT, :UFENT, :CEPENT, :CPF, :CGC, "
               ":INSCESTADUAL, :TIPOCLIENTE, :FONE, :CELULAR, :FAX, :EMAIL, :DTCADASTRO, :CONTATO, :LIMITECREDITO, "
               ":RG, :SEXO, :NOMEPAI, :NOMEMAE, :RENDAMENSAL, :ESTADOCIVIL, :INADIMPLENTE, :RESTRICAO, :ADMPUBLICA, "
               ":BLOQUEADO, :INATIVO, :RAMOATIVIDADE, :VENDEDOR, :OBS)",
               state_.rows);
    state_.customersPerCompany.assign(3, 0);
    int activities = 0;
    for (int i = 0; i < shape_.customers; ++i) {
        // A tenth of the customers were registered by the second company.
        const int company = rng_.chance(90) ? 1 : 2;
        const int number = ++state_.customersPerCompany[static_cast<std::size_t>(company)];
        const bool person = rng_.chance(75);
        const SourceCity& city = someCity();
        const Place& place = *city.place;

        std::string name, nickname, contact;
        PersonName who = people_.person();
        if (person) {
            name = people_.asTyped(who.full);
            if (rng_.chance(20)) nickname = who.first;
        } else {
            people_.company(name, nickname);
            name = people_.asTyped(name);
            contact = people_.person().full.substr(0, 40);
        }
        if (rng_.chance(1)) name = rng_.chance(80) ? "" : "   ";        // only the trade name was typed
        if (name.empty() && nickname.empty() && rng_.chance(85)) nickname = who.first;

        row["EMPRESA"].setInt(company);
        row["CLICONTADOR"].setInt(number);
        row.optional("NOME", name);
        row.optional("APELIDO", nickname);
        if (person && rng_.chance(80)) row["DTNASC"].setDate(someDay(1940, 2005));
        else row["DTNASC"].setNull();

        const bool noBilling = rng_.chance(2);
        const bool delivery = noBilling || rng_.chance(15);
        row.text("ENDERECOFAT", noBilling ? "" : people_.address());
        row.text("BAIRROFAT", people_.district());
        if (rng_.chance(98)) row["CIDADEFAT"].setInt(city.number);
        else row["CIDADEFAT"].setNull();
        row.text("UFFAT", rng_.chance(95) ? place.state : "");  // a blank state falls back to the city's
        row.text("CEPFAT", people_.cep(place));
        if (delivery) {
            const SourceCity& other = rng_.chance(70) ? city : someCity();
            row.text("ENDERECOENT", people_.address());
            row.text("BAIRROENT", people_.district());
            row["CIDADEENT"].setInt(other.number);
            row.text("UFENT", other.place->state);
            row.text("CEPENT", people_.cep(*other.place));
        } else {
            for (const char* p : {"ENDERECOENT", "BAIRROENT", "CIDADEENT", "UFENT", "CEPENT"}) row[p].setNull();
        }

        row.optional("CPF", person && rng_.chance(92) ? MakeCpf(rng_, rng_.chance(80)) : "");
        row.optional("CGC", person ? "" : MakeCnpj(rng_, 1 + static_cast<int>(rng_.below(3)) / 2, rng_.chance(85)));
        row.optional("INSCESTADUAL", person ? (rng_.chance(30) ? "ISENTO" : "") : people_.stateRegistration(true));
        row.text("TIPOCLIENTE", person ? (rng_.chance(3) ? "F " : "F") : "J");
        row.optional("FONE", rng_.chance(80) ? people_.phone(place) : "");
        row.optional("CELULAR", rng_.chance(70) ? people_.cellPhone(place) : "");
        row.optional("FAX", !person && rng_.chance(20) ? people_.phone(place) : "");
        row.optional("EMAIL", rng_.chance(60) ? people_.email(person ? who.full : nickname) : "");
        if (rng_.chance(99)) row["DTCADASTRO"].setDate(someDay(2005, 2024));
        else row["DTCADASTRO"].setNull();
        row.optional("CONTATO", contact);
        if (rng_.chance(80)) row["LIMITECREDITO"].setDouble(static_cast<double>(rng_.between(0, 500) * 100));
        else row["LIMITECREDITO"].setNull();
        row.optional("RG", person && rng_.chance(70) ? people_.rg(place) : "");
        row.optional("SEXO", person ? (who.female ? "F" : "M") : "");
        row.optional("NOMEPAI", person && rng_.chance(30) ? people_.person().full : "");
        row.optional("NOMEMAE", person && rng_.chance(35) ? people_.person().full : "");
        if (person && rng_.chance(40)) row["RENDAMENSAL"].setDouble(rng_.money(141200, 2000000));
        else row["RENDAMENSAL"].setNull();
        row.optional("ESTADOCIVIL", person && rng_.chance(50) ? rng_.pick(words_.maritalStatus) : "");
        row.text("INADIMPLENTE", rng_.chance(5) ? "S" : "N");
        row.text("RESTRICAO", rng_.chance(3) ? "S" : rng_.chance(1) ? "s" : "N");
        row.text("ADMPUBLICA", !person && rng_.chance(2) ? "S" : "N");
        row.text("BLOQUEADO", rng_.chance(2) ? "S" : "N");
        row.optional("INATIVO", rng_.chance(5) ? "" : rng_.chance(6) ? "S" : "N");
        std::string activity;
        if (!person && activities < shape_.maxActivities && rng_.chance(70)) {
            activity = rng_.pick(words_.activities);
            ++activities;
        }
        row.optional("RAMOATIVIDADE", activity);
        row.optional("VENDEDOR", !state_.salespeople.empty() && rng_.chance(60)
                                     ? std::to_string(rng_.pick(state_.salespeople))
                                     : "");
        if (rng_.chance(10)) row["OBS"].setBlob(rng_.pick(words_.remarks));
        else row["OBS"].setNull();
        row.write();
    }
}

void SourceWriter::WriteSuppliers() {
    Insert row(cn_,
               "INSERT INTO CP003 (EMPRESA, FCONTADOR, NOME, APELIDO, ENDERECO, BAIRRO, CIDADE, UF, CEP, CGC, CPF, "
               "INSCESTADUAL, TIPOFORN, FONE, CELULARREP, FAX, EMAIL, NOMEREP, INATIVO, TIPOTRANSP, OBSERVACAO) "
               "VALUES (:EMPRESA, :FCONTADOR, :NOME, :APELIDO, :ENDERECO, :BAIRRO, :CIDADE, :UF, :CEP, :CGC, :CPF, "
               ":INSCESTADUAL, :TIPOFORN, :FONE, :CELULARREP, :FAX, :EMAIL, :NOMEREP, :INATIVO, :TIPOTRANSP, "
               ":OBSERVACAO)",
               state_.rows);
    for (int number = 1; number <= shape_.suppliers; ++number) {
        const bool carrier = number % 7 == 3;
        const bool person = !carrier && rng_.chance(8);
        const SourceCity& city = someCity();
        const Place& place = *city.place;
        std::string legal, trade;
        if (person) legal = trade = people_.person().full;
        else people_.company(legal, trade);
        if (carrier && rng_.chance(60)) legal = W("TRANSPORTADORA ") + legal;

        row["EMPRESA"].setInt(rng_.chance(90) ? 1 : 2);
        row["FCONTADOR"].setInt(number);
        row.text("NOME", people_.asTyped(legal));
        row.optional("APELIDO", trade);
        row.text("ENDERECO", people_.address());
        row.text("BAIRRO", people_.district());
        if (rng_.chance(97)) row["CIDADE"].setInt(city.number);
        else row["CIDADE"].setNull();
        row.text("UF", rng_.chance(95) ? place.state : "");
        row.text("CEP", people_.cep(place));
        row.optional("CGC", person ? "" : MakeCnpj(rng_, 1, rng_.chance(85)));
        row.optional("CPF", person ? MakeCpf(rng_, true) : "");
        row.optional("INSCESTADUAL", people_.stateRegistration(person));
        row.text("TIPOFORN", person ? "F" : "J");
        row.optional("FONE", rng_.chance(95) ? people_.phone(place) : "");
        row.optional("CELULARREP", rng_.chance(50) ? people_.cellPhone(place) : "");
        row.optional("FAX", rng_.chance(25) ? people_.phone(place) : "");
        row.optional("EMAIL", rng_.chance(80) ? people_.email(trade) : "");
        row.optional("NOMEREP", rng_.chance(70) ? people_.person().full : "");
        row.optional("INATIVO", rng_.chance(4) ? "" : rng_.chance(8) ? "S" : "N");
        row.text("TIPOTRANSP", carrier ? "S" : "N");
        if (rng_.chance(15)) row["OBSERVACAO"].setBlob(rng_.pick(words_.remarks));
        else row["OBSERVACAO"].setNull();
        row.write();
    }
    state_.suppliers = shape_.suppliers;
}

void SourceWriter::WriteSalespeople() {
    Insert row(cn_,
               "INSERT INTO EST001 (EMPRESA, VENDCONTADOR, NOMEVENDEDOR, ENDERECO, BAIRRO, CIDADE, UF, CEP, FONE, "
               "COMISSAO, EMAIL, INATIVO, CGC, CPF, INSCESTADUAL, RG, REGIMPORT) VALUES (:EMPRESA, :VENDCONTADOR, "
               ":NOMEVENDEDOR, :ENDERECO, :BAIRRO, :CIDADE, :UF, :CEP, :FONE, :COMISSAO, :EMAIL, :INATIVO, :CGC, "
               ":CPF, :INSCESTADUAL, :RG, :REGIMPORT)",
               state_.rows);
    for (int number = 1; number <= shape_.salespeople; ++number) {
        const SourceCity& city = someCity();
        const PersonName who = people_.person();
        const bool representative = rng_.chance(15);  // an outside agent with a company of his own
        row["EMPRESA"].setInt(number % 5 == 0 ? 2 : 1);
        row["VENDCONTADOR"].setInt(number);
        row.text("NOMEVENDEDOR", people_.asTyped(who.full));
        row.text("ENDERECO", people_.address());
        row.text("BAIRRO", people_.district());
        // A city name, matched by name in the target; now and then typed differently.
        row.optional("CIDADE", rng_.chance(90) ? city.name : rng_.chance(50) ? people_.asTyped(city.name) : "");
        row.text("UF", city.place->state);
        row.text("CEP", people_.cep(*city.place));
        row.optional("FONE", people_.cellPhone(*city.place));
        row["COMISSAO"].setDouble(rng_.money(100, 500));
        row.optional("EMAIL", rng_.chance(70) ? people_.email(who.full) : "");
        row.optional("INATIVO", rng_.chance(10) ? "S" : rng_.chance(10) ? "" : "N");
        row.optional("CGC", representative ? MakeCnpj(rng_, 1, true) : "");
        row.optional("CPF", MakeCpf(rng_, rng_.chance(70)));
        row.optional("INSCESTADUAL", representative ? people_.stateRegistration(false) : "");
        row.optional("RG", people_.rg(*city.place));
        row.text("REGIMPORT", rng_.chance(30) ? "S" : "N");
        row.write();
        state_.salespeople.push_back(number);
    }
}

}  // namespace conversor::sample
