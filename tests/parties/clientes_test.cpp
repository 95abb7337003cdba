// Customers into CLIENTE: the 43-column mapping, the three addresses with
// their cities, the name and state fallbacks, and the clearing that spares
// the reserved customer.
#include <gtest/gtest.h>

#include "convert/parties/parties.h"
#include "support/fixture.h"

namespace conversor::testing {
namespace {

class ClientesTest : public ConversionTest {
protected:
    Rows customers(const std::string& columns) {
        return db.targetRows("SELECT " + columns + " FROM CLIENTE ORDER BY CODCLIENTE");
    }
    Rows cities() { return db.targetRows("SELECT CODCIDADE, CIDADE, ESTADO FROM CIDADES ORDER BY CODCIDADE"); }
};

TEST_F(ClientesTest, MapsEveryColumnOfACustomer) {
    db.onTarget("INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES ('00005', 'UBERABA', 'MG')");
    db.onSource(
        "INSERT INTO REP004 VALUES (1, 17, 'Uberaba', 'MG');"
        "INSERT INTO REP004 VALUES (1, 18, 'Franca', 'SP');"
        "INSERT INTO CR002 (EMPRESA, CLICONTADOR, NOME, APELIDO, DTNASC, ENDERECOFAT, BAIRROFAT, CIDADEFAT, UFFAT, "
        "CEPFAT, ENDERECOENT, BAIRROENT, CIDADEENT, UFENT, CEPENT, CPF, CGC, INSCESTADUAL, TIPOCLIENTE, FONE, "
        "CELULAR, FAX, EMAIL, DTCADASTRO, CONTATO, LIMITECREDITO, RG, SEXO, NOMEPAI, NOMEMAE, RENDAMENSAL, "
        "ESTADOCIVIL, INADIMPLENTE, RESTRICAO, ADMPUBLICA, BLOQUEADO, INATIVO, RAMOATIVIDADE, VENDEDOR, OBS) "
        "VALUES (1, 123, 'Maria da Silva ', 'Loja da Maria', '1980-05-17', 'Rua A, 10', 'Centro', 17, 'mg', "
        "'38.010-000', 'Rua B, 20', 'Fabricas', 18, 'SP', '14400-000', '123.456.789-01', '11.222.333/0001-44', "
        "'062.307.904/0081', 'F ', '(34) 3333-4444', '(34) 9876-5432', '(34) 3333-5555', 'maria@x.com', "
        "'2020-01-02', 'Joao ', 1500.50, 'MG-12.345', 'F', 'Jose', 'Ana', 3200.75, 'Casada', 'N', 'S', 'N', 'N', "
        "NULL, 'VAREJO', '12', 'Cliente antiga; paga em dia')");

    ConverteClientes(session);

    EXPECT_EQ(customers("CODCLIENTE, NOME, NOMEFANTASIA, DT_NASCIMENTO, ENDERECO, BAIRRO, CODCIDADE, ESTADO, CEP, "
                        "ENDERECOCOB, BAIRROCOB, CODCIDADECOB, ESTADOCOB, CEPCOB, ENDERECOENT, BAIRROENT, "
                        "CODCIDADEENT, ESTADOENT, CEPENT, CGCCPF, INSCEST, PESSOA_FJ, FONE, CELULAR, FAX, EMAIL, "
                        "DT_CADASTRO, CONTATO, LIMITECREDITO, OBSERVACAO, CAMPOLIVRE1, CAMPOLIVRE2, CAMPOLIVRE3, "
                        "CAMPOLIVRE4, CAMPOLIVRE5, CAMPOLIVRE6, PROTESTARCLIENTE, RETEMISS, CLIBLOQUEADO, ATIVO, "
                        "CODSEGMENTO, CODVENDEND1, PREFIXCELULAR"),
              (Rows{{"01000123", "Maria da Silva ", "Loja da Maria", "17.05.1980", "Rua A, 10", "Centro", "00005",
                     "mg", "38010000", "Rua A, 10", "Centro", "00005", "mg", "38010000", "Rua B, 20", "Fabricas",
                     "00006", "SP", "14400000", "12345678901", "0623079040081", "F ", "3433334444", "98765432",
                     "3433335555", "maria@x.com", "02.01.2020", "Joao ", "1500.5", "Cliente antiga; paga em dia",
                     "MG-12.345", "F", "Jose", "Ana", "3200.75", "Casada", "S", "N", "N", "S", "VAR", "0012",
                     "34"}}));
    EXPECT_EQ(cities(), (Rows{{"00005", "UBERABA", "MG"}, {"00006", "FRANCA", "SP"}}))
        << "the delivery city was appended with the customer";
    EXPECT_TRUE(boxes().empty());
    EXPECT_EQ(ui.statuses.back(), "Convertendo Clientes...");
}

TEST_F(ClientesTest, NamesAndAddressesFallBackAndANamelessCustomerIsSkipped) {
    db.onSource(
        "INSERT INTO REP004 VALUES (1, 18, 'Franca', 'SP');"
        "INSERT INTO CR002 (EMPRESA, CLICONTADOR, NOME, APELIDO, ENDERECOFAT, ENDERECOENT) "
        "VALUES (1, 1, '   ', 'LOJA X', NULL, 'RUA B, 10');"
        "INSERT INTO CR002 (EMPRESA, CLICONTADOR, NOME, APELIDO, CIDADEENT, UFENT) VALUES (1, 2, NULL, ' ', 18, 'SP');"
        "INSERT INTO CR002 (EMPRESA, CLICONTADOR, NOME, ENDERECOFAT, ENDERECOENT) "
        "VALUES (1, 3, 'Terceiro', '   ', 'RUA C, 5');"
        "INSERT INTO CR002 (EMPRESA, CLICONTADOR, NOME) VALUES (2, 1234567, 'Sete digitos')");

    ConverteClientes(session);

    EXPECT_EQ(customers("CODCLIENTE, NOME, ENDERECO, ENDERECOCOB, ENDERECOENT"),
              (Rows{{"01000001", "LOJA X", "RUA B, 10", "", "RUA B, 10"},
                    {"01000003", "Terceiro", "RUA C, 5", "   ", "RUA C, 5"},
                    {"02234567", "Sete digitos", "", "", ""}}));
    EXPECT_EQ(cities(), (Rows{{"00001", "FRANCA", "SP"}})) << "the nameless customer's city stays committed";
    EXPECT_TRUE(boxes().empty());
    EXPECT_EQ(ui.progress, 4);
}

TEST_F(ClientesTest, TheMainStateFallsBackToTheSourceCityOfCompanyOne) {
    db.onSource(
        "INSERT INTO REP004 VALUES (1, 17, 'Uberaba', 'MG');"
        "INSERT INTO REP004 VALUES (2, 30, 'Franca', 'SP');"
        // Blank state with a city of company 1: the state comes from the city.
        "INSERT INTO CR002 (EMPRESA, CLICONTADOR, NOME, CIDADEFAT, UFFAT) VALUES (1, 1, 'Um', 17, '  ');"
        // Neither state nor city: nothing to look up, and nothing fails.
        "INSERT INTO CR002 (EMPRESA, CLICONTADOR, NOME, CIDADEFAT, UFFAT) VALUES (1, 2, 'Dois', NULL, NULL);"
        // A city that only company 2 holds: no state, so no main city.
        "INSERT INTO CR002 (EMPRESA, CLICONTADOR, NOME, CIDADEFAT, UFFAT) VALUES (1, 3, 'Tres', 30, NULL)");

    ConverteClientes(session);

    EXPECT_EQ(customers("CODCLIENTE, ESTADO, CODCIDADE, ESTADOCOB, CODCIDADECOB"),
              (Rows{{"01000001", "MG", "00001", "  ", "00002"},
                    {"01000002", "", "", "", ""},
                    {"01000003", "", "", "", "00003"}}));
    EXPECT_EQ(cities(), (Rows{{"00001", "UBERABA", "MG"}, {"00002", "UBERABA", "  "}, {"00003", "FRANCA", ""}}))
        << "the collection city is resolved with the source's own, blank, state";
    EXPECT_TRUE(boxes().empty());
}

TEST_F(ClientesTest, PhonesDocumentsFlagsCodesAndDates) {
    db.onSource(
        "INSERT INTO CR002 (EMPRESA, CLICONTADOR, NOME, CELULAR, TIPOCLIENTE, CPF, CGC, RESTRICAO, INADIMPLENTE, "
        "INATIVO, RAMOATIVIDADE, VENDEDOR, DTNASC, DTCADASTRO) VALUES "
        "(1, 1, 'A', '(31) 9876-5432', 'F ', '111.111.111-11', '22.222.222/0001-22', 's', 'N', NULL, 'VAREJO', '12', "
        "NULL, NULL);"
        "INSERT INTO CR002 (EMPRESA, CLICONTADOR, NOME, CELULAR, TIPOCLIENTE, CPF, CGC, RESTRICAO, INADIMPLENTE, "
        "INATIVO, RAMOATIVIDADE, VENDEDOR) VALUES "
        "(1, 2, 'B', '98765432', 'f', '111.111.111-11', '22.222.222/0001-22', 'N', 'S', 'S', '7', '  ');"
        "INSERT INTO CR002 (EMPRESA, CLICONTADOR, NOME, CELULAR, TIPOCLIENTE, INATIVO, RAMOATIVIDADE, VENDEDOR) "
        "VALUES (1, 3, 'C', '31987654321', 'J', 's', '', NULL);"
        "INSERT INTO CR002 (EMPRESA, CLICONTADOR, NOME, CELULAR, VENDEDOR) VALUES (1, 4, 'D', '319876543', '123456')");

    ConverteClientes(session);

    EXPECT_EQ(customers("PREFIXCELULAR, CELULAR, CGCCPF, PROTESTARCLIENTE, ATIVO, CODSEGMENTO, CODVENDEND1, "
                        "DT_NASCIMENTO, DT_CADASTRO, LIMITECREDITO"),
              (Rows{{"31", "98765432", "11111111111", "N", "S", "VAR", "0012", "", "30.12.1899", "0"},
                    {"", "98765432", "22222222000122", "S", "N", "007", "0000", "", "30.12.1899", "0"},
                    {"31", "98765432", "", "N", "S", "000", "0000", "", "30.12.1899", "0"},
                    {"31", "9876543", "", "N", "S", "000", "1234", "", "30.12.1899", "0"}}))
        << "an eleven-digit cell phone loses its last digit; flags compare exactly";
    EXPECT_EQ(db.targetValue("SELECT COUNT(*) FROM CLIENTE WHERE DT_NASCIMENTO IS NULL"), "4");
}

TEST_F(ClientesTest, ClearingSparesTheReservedCustomer) {
    db.onTarget("INSERT INTO CLIENTE (CODCLIENTE, NOME) VALUES ('00000000', 'Reservado');"
                "INSERT INTO CLIENTE (CODCLIENTE, NOME) VALUES ('00000001', 'Antigo');"
                "INSERT INTO CLIENTE (CODCLIENTE, NOME) VALUES ('01000009', 'Antigo')");
    db.onSource("INSERT INTO CR002 (EMPRESA, CLICONTADOR, NOME) VALUES (1, 5, 'Novo')");

    ConverteClientes(session);

    EXPECT_EQ(customers("CODCLIENTE, NOME"), (Rows{{"00000000", "Reservado"}, {"01000005", "Novo"}}));
}

TEST_F(ClientesTest, TheFirstFailingCustomerStopsTheRegistryAndTakesItsCityAlong) {
    // Company 0, customer 1000000 is coded 00000000: the reserved customer
    // the clearing spares.
    db.onTarget("INSERT INTO CLIENTE (CODCLIENTE, NOME) VALUES ('00000000', 'Reservado')");
    db.onSource(
        "INSERT INTO REP004 VALUES (1, 18, 'Franca', 'SP');"
        "INSERT INTO CR002 (EMPRESA, CLICONTADOR, NOME) VALUES (1, 1, 'Primeiro');"
        "INSERT INTO CR002 (EMPRESA, CLICONTADOR, NOME, CIDADEENT, UFENT) VALUES (0, 1000000, 'Falha ', 18, 'SP');"
        "INSERT INTO CR002 (EMPRESA, CLICONTADOR, NOME) VALUES (1, 2000000, 'Nunca')");

    ConverteClientes(session);

    EXPECT_EQ(customers("CODCLIENTE, NOME"), (Rows{{"00000000", "Reservado"}, {"01000001", "Primeiro"}}));
    EXPECT_TRUE(cities().empty()) << "the city appended for the failing row is rolled back with it";
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(ui.boxes[0].caption, "Erro");
    const std::string expected =
        "Ocorreu um erro ao converter o seguinte registro para a tabela CLIENTE|Cliente: Falha |Erro: ";
    EXPECT_EQ(boxes()[0].substr(0, expected.size()), expected);
    EXPECT_NE(boxes()[0].find("PK_CLIENTE"), std::string::npos) << boxes()[0];
    EXPECT_EQ(ui.progress, 1);
}

// The window may convert again in the same session, after the tables moved
// on: what the first conversion learnt about cities must not leak into it.
TEST_F(ClientesTest, ASecondConversionLooksItsCitiesUpAfresh) {
    db.onSource(
        "INSERT INTO REP004 VALUES (1, 18, 'Franca', 'SP');"
        "INSERT INTO CR002 (EMPRESA, CLICONTADOR, NOME, CIDADEFAT, UFFAT) VALUES (1, 1, 'Primeiro', 18, 'SP');"
        "INSERT INTO CR002 (EMPRESA, CLICONTADOR, NOME, CIDADEFAT, UFFAT) VALUES (1, 2, 'Segundo', 18, 'SP')");
    ConverteClientes(session);
    ASSERT_EQ(cities(), (Rows{{"00001", "FRANCA", "SP"}}));

    db.onTarget("DELETE FROM CIDADES; INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES ('00007', 'X', 'MG')");
    db.onSource("UPDATE REP004 SET DESCCID = 'Restinga' WHERE CIDCONTADOR = 18");
    ConverteClientes(session);

    EXPECT_EQ(cities(), (Rows{{"00007", "X", "MG"}, {"00008", "RESTINGA", "SP"}}));
    EXPECT_EQ(customers("CODCLIENTE, CODCIDADE"), (Rows{{"01000001", "00008"}, {"01000002", "00008"}}));
    EXPECT_TRUE(boxes().empty());
}

}  // namespace
}  // namespace conversor::testing
