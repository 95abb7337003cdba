-- Talvo source database: test definition.
--
-- Used by the tests to build a Talvo database (SQL dialect 3, default character
-- set WIN1252) from scratch. Only the tables and columns the converters read
-- are defined. Column types are chosen as far as the converters show them:
--   * counters and company numbers are INTEGER
--   * amounts NUMERIC(15,2), quantities and costs NUMERIC(15,3) or (15,4),
--     rates and percentages NUMERIC(9,2)
--   * states (UF...) are CHAR(2) and one-letter flags CHAR(1), so they are
--     read back with their trailing blanks like fixed-width columns are
--   * free texts are VARCHAR and clearly wider than every cut the converters
--     apply, so a test can prove each cut. Addresses are VARCHAR so that a
--     trailing blank exists only when a test stores one
--   * remarks are BLOB SUB_TYPE TEXT
-- Columns holding codes that the converters handle as text (activity,
-- salesperson reference on customers, goods code, units, ICMS rate, reference,
-- document status, person type, document type, title, parcel) are VARCHAR.
-- City names are VARCHAR(40), the width of CIDADES.CIDADE in the target,
-- because the target compares them with that column through bound parameters.
-- No primary keys: tests need repeated numbers (cities of several companies,
-- agencies matching one account twice, goods codes shared by products).
-- DDL only. The database itself is created by the test loader.

-- Cities, per company.
CREATE TABLE REP004 (
    EMPRESA         INTEGER,
    CIDCONTADOR     INTEGER,
    DESCCID         VARCHAR(40),
    UFCID           CHAR(2)
);

-- Customers.
CREATE TABLE CR002 (
    EMPRESA         INTEGER,
    CLICONTADOR     INTEGER,
    NOME            VARCHAR(80),
    APELIDO         VARCHAR(80),
    DTNASC          DATE,
    ENDERECOFAT     VARCHAR(120),
    BAIRROFAT       VARCHAR(50),
    CIDADEFAT       INTEGER,
    UFFAT           CHAR(2),
    CEPFAT          VARCHAR(20),
    ENDERECOENT     VARCHAR(120),
    BAIRROENT       VARCHAR(50),
    CIDADEENT       INTEGER,
    UFENT           CHAR(2),
    CEPENT          VARCHAR(20),
    CPF             VARCHAR(20),
    CGC             VARCHAR(25),
    INSCESTADUAL    VARCHAR(30),
    TIPOCLIENTE     VARCHAR(2),
    FONE            VARCHAR(30),
    CELULAR         VARCHAR(30),
    FAX             VARCHAR(30),
    EMAIL           VARCHAR(120),
    DTCADASTRO      DATE,
    CONTATO         VARCHAR(40),
    LIMITECREDITO   NUMERIC(15,2),
    RG              VARCHAR(20),
    SEXO            CHAR(1),
    NOMEPAI         VARCHAR(60),
    NOMEMAE         VARCHAR(60),
    RENDAMENSAL     NUMERIC(15,2),
    ESTADOCIVIL     VARCHAR(20),
    INADIMPLENTE    CHAR(1),
    RESTRICAO       CHAR(1),
    ADMPUBLICA      CHAR(1),
    BLOQUEADO       CHAR(1),
    INATIVO         CHAR(1),
    RAMOATIVIDADE   VARCHAR(40),
    VENDEDOR        VARCHAR(10),
    OBS             BLOB SUB_TYPE TEXT
);

-- Suppliers and carriers (carriers have TIPOTRANSP S).
CREATE TABLE CP003 (
    EMPRESA         INTEGER,
    FCONTADOR       INTEGER,
    NOME            VARCHAR(80),
    APELIDO         VARCHAR(80),
    ENDERECO        VARCHAR(120),
    BAIRRO          VARCHAR(50),
    CIDADE          INTEGER,
    UF              CHAR(2),
    CEP             VARCHAR(20),
    CGC             VARCHAR(25),
    CPF             VARCHAR(20),
    INSCESTADUAL    VARCHAR(30),
    TIPOFORN        CHAR(1),
    FONE            VARCHAR(30),
    CELULARREP      VARCHAR(30),
    FAX             VARCHAR(30),
    EMAIL           VARCHAR(120),
    NOMEREP         VARCHAR(60),
    INATIVO         CHAR(1),
    TIPOTRANSP      CHAR(1),
    OBSERVACAO      BLOB SUB_TYPE TEXT
);

-- Salespeople. CIDADE holds a city name.
CREATE TABLE EST001 (
    EMPRESA         INTEGER,
    VENDCONTADOR    INTEGER,
    NOMEVENDEDOR    VARCHAR(80),
    ENDERECO        VARCHAR(120),
    BAIRRO          VARCHAR(50),
    CIDADE          VARCHAR(40),
    UF              CHAR(2),
    CEP             VARCHAR(20),
    FONE            VARCHAR(30),
    COMISSAO        NUMERIC(9,2),
    EMAIL           VARCHAR(120),
    INATIVO         CHAR(1),
    CGC             VARCHAR(25),
    CPF             VARCHAR(20),
    INSCESTADUAL    VARCHAR(30),
    RG              VARCHAR(30),
    REGIMPORT       CHAR(1)
);

-- Product groups.
CREATE TABLE EST002 (
    GRUPOCONTADOR   INTEGER,
    DESCGRUPO       VARCHAR(60)
);

-- Product subgroups.
CREATE TABLE EST003 (
    GRUPOCONTA      INTEGER,
    SUBGCONTADOR    INTEGER,
    DESCSUBG        VARCHAR(60)
);

-- Products, per company.
CREATE TABLE EST004 (
    EMPRESA             INTEGER,
    CODPRODUTO          INTEGER,
    INATIVO             CHAR(1),
    REFERENCIA4         VARCHAR(40),
    DESCPRODUTO         VARCHAR(100),
    GRUPO               INTEGER,
    SUBGRUPO            INTEGER,
    ESTMINIMO           NUMERIC(15,3),
    ESTMAXIMO           NUMERIC(15,3),
    NCM                 VARCHAR(20),
    IPI                 NUMERIC(9,2),
    ALIQSERVICO         NUMERIC(9,2),
    ALIQSINTEGRA        VARCHAR(10),
    TRIBUTACAO          INTEGER,
    TIPOTRIB            CHAR(1),
    MVA_ST              NUMERIC(9,2),
    COMISSAO1           NUMERIC(9,2),
    MARCA               INTEGER,
    PESOPROD            NUMERIC(15,3),
    UNIDADE             VARCHAR(10),
    UNID_ROMANEIO       VARCHAR(10),
    EMB_QTDE            NUMERIC(15,3),
    MLUCRO1             NUMERIC(9,2),
    MLUCRO2             NUMERIC(9,2),
    MLUCRO3             NUMERIC(9,2),
    MLUCRO4             NUMERIC(9,2),
    PVENDA1             NUMERIC(15,2),
    PVENDA2             NUMERIC(15,2),
    PVENDA3             NUMERIC(15,2),
    PVENDA4             NUMERIC(15,2),
    PRECOPROMO          NUMERIC(15,2),
    BLOQUEAR_DV         CHAR(1),
    DTCADASTRO          DATE,
    CALCSUBST           CHAR(1),
    PERCBASEST          NUMERIC(9,2),
    PERCVLRST           NUMERIC(9,2),
    VLRCOMISSAO         NUMERIC(15,2),
    DESCMAX             NUMERIC(9,2),
    OBSPRODUTO          BLOB SUB_TYPE TEXT,
    GENERO              VARCHAR(2),
    IPIVENDA            NUMERIC(15,2),
    CALCULARCOMISSAO    CHAR(1),
    ESTOQUE             NUMERIC(15,3),
    PRECOCUSTO          NUMERIC(15,4),
    DTULTCOMPRA         DATE,
    ULTFORNECEDOR       INTEGER,
    DTULTALTERACAO      TIMESTAMP,
    ICMS                NUMERIC(9,2),
    CUSTOMEDIO          NUMERIC(15,4),
    CSTPIS              VARCHAR(2),
    CSTPISENTRADA       VARCHAR(2),
    CSTCOFINS           VARCHAR(2),
    CSTCOFINSENTRADA    VARCHAR(2)
);

-- Brands.
CREATE TABLE EST017 (
    MARCACONTADOR   INTEGER,
    DESCMARCA       VARCHAR(60)
);

-- Taxation rules, per company.
CREATE TABLE EST038 (
    EMPRESA         INTEGER,
    TRIBCONTADOR    INTEGER,
    REDUCAO         NUMERIC(9,2),
    CST             VARCHAR(3),
    CFOPDENTRO      VARCHAR(5),
    CFOPFORA        VARCHAR(5)
);

-- Payment plans.
CREATE TABLE REP003 (
    PLANOPAGCONTADOR    INTEGER,
    DESCPLANOPAG        VARCHAR(40),
    NUMPARCELAS         INTEGER
);

-- Companies.
CREATE TABLE EMP001 (
    EMPCONTADOR     INTEGER,
    DESCEMPRESA     VARCHAR(60),
    RAZAOSOCIAL     VARCHAR(80),
    CGC             VARCHAR(25),
    INSC            VARCHAR(30),
    INSCMUNICIPAL   VARCHAR(30),
    ENDERECO        VARCHAR(120),
    BAIRRO          VARCHAR(50),
    CIDADE          VARCHAR(40),
    UF              CHAR(2),
    CEP             VARCHAR(15),
    FONE            VARCHAR(30),
    FAX             VARCHAR(30),
    EMAIL           VARCHAR(120),
    CNAE            VARCHAR(15)
);

-- Quotes.
CREATE TABLE EST024 (
    EMPRESA             INTEGER,
    ORCAMENTOCONTADOR   INTEGER
);

-- Sales.
CREATE TABLE EST007 (
    EMPRESA         INTEGER,
    VENDACONTADOR   INTEGER
);

-- Banks.
CREATE TABLE BNC004 (
    BCCONTADOR      INTEGER,
    DESCBANCO       VARCHAR(40)
);

-- Agencies, per company. CIDADE holds a city name.
CREATE TABLE BNC003 (
    EMPRESA         INTEGER,
    BCCONTADOR      INTEGER,
    BCACONTADOR     INTEGER,
    NOME            VARCHAR(60),
    CIDADE          VARCHAR(40)
);

-- Bank accounts, per company.
CREATE TABLE BNC002 (
    EMPRESA         INTEGER,
    BCACONTADOR     INTEGER,
    NUMERO          VARCHAR(20),
    DESCABREV       VARCHAR(30)
);

-- Entry types.
CREATE TABLE BNC005 (
    ESCONTADOR      INTEGER,
    DESCES          VARCHAR(60),
    TIPOMOV         CHAR(1)
);

-- Payable documents (one row per instalment). STATUS is VARCHAR so that a
-- status AB followed by a blank can be stored: it still matches STATUS = AB.
CREATE TABLE CP001 (
    EMPRESA         INTEGER,
    CPCONTADOR      INTEGER,
    FCONTADOR       INTEGER,
    TIPOCP          VARCHAR(10),
    TITULO          VARCHAR(30),
    PARCELA         VARCHAR(20),
    VLRPARCELA      NUMERIC(15,2),
    VLRPAGO         NUMERIC(15,2),
    VALORJUROS      NUMERIC(15,2),
    DTEMISSAO       DATE,
    DTVENC          DATE,
    DTLANC          TIMESTAMP,
    STATUS          VARCHAR(3),
    OBSERVACAO      BLOB SUB_TYPE TEXT
);

-- Receivable documents (one row per instalment).
CREATE TABLE CR001 (
    EMPRESA         INTEGER,
    CRCONTADOR      INTEGER,
    CLICONTADOR     INTEGER,
    TIPOCR          VARCHAR(10),
    TITULO          VARCHAR(30),
    PARCELA         VARCHAR(20),
    DTVENDA         DATE,
    DTEMISSAO       DATE,
    DTVENC          DATE,
    VALORVENDA      NUMERIC(15,2),
    VLRPARCELA      NUMERIC(15,2),
    VALORDESC       NUMERIC(15,2),
    VLRPAGO         NUMERIC(15,2),
    VLROUTRASDESP   NUMERIC(15,2),
    NUMDOCORIGEM    VARCHAR(20),
    VENDEDOR        INTEGER,
    COMISSAOCR      NUMERIC(15,2),
    STATUS          VARCHAR(3),
    OBSERVACAO      BLOB SUB_TYPE TEXT
);

-- Indexes as a store's database has them: the counters the converters order
-- by and the city lookups. None is unique, so tests can still hold the
-- repeated numbers a real database sometimes has.
CREATE INDEX IX_REP004_CIDADE ON REP004 (CIDCONTADOR);
CREATE INDEX IX_REP004_EMPRESA_CIDADE ON REP004 (EMPRESA, CIDCONTADOR);
CREATE INDEX IX_CR002_CLIENTE ON CR002 (CLICONTADOR);
CREATE INDEX IX_CP003_FORNECEDOR ON CP003 (FCONTADOR);
CREATE INDEX IX_EST001_VENDEDOR ON EST001 (VENDCONTADOR);
CREATE INDEX IX_EST002_GRUPO ON EST002 (GRUPOCONTADOR);
CREATE INDEX IX_EST003_SUBGRUPO ON EST003 (SUBGCONTADOR);
CREATE INDEX IX_EST004_PRODUTO ON EST004 (CODPRODUTO);
CREATE INDEX IX_EST038_TRIBUTACAO ON EST038 (TRIBCONTADOR);
CREATE INDEX IX_REP003_PLANO ON REP003 (PLANOPAGCONTADOR);
CREATE INDEX IX_CP001_STATUS ON CP001 (STATUS);
CREATE INDEX IX_CR001_STATUS ON CR001 (STATUS);
