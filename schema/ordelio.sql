-- Ordelio target database: test definition.
--
-- Used by the tests to build an Ordelio database (SQL dialect 1, default
-- character set WIN1252) from scratch. Only the tables and columns the
-- converters write or read are defined. Column types are chosen as far as the
-- converters show them:
--   * codes are VARCHAR of exactly their code width (CODCIDADE 5,
--     CODCLIENTE 8, CODFORNEC 6 and so on)
--   * texts the converters cut are VARCHAR of exactly the cut width, so a
--     value that escaped its cut makes the row fail
--   * texts written as read are as wide as the Talvo column they come from,
--     and texts built without a cut (joined documents, free fields) are wide
--     enough for anything the Talvo test database can hold
--   * amounts are DOUBLE PRECISION and counts INTEGER. Dates are TIMESTAMP,
--     which is what DATE means in dialect 1 (the same stored type, without the
--     warning that DATE raises there)
--   * the remarks bound as blobs (customers, suppliers, products) are
--     BLOB SUB_TYPE TEXT, the cut remarks of the documents plain VARCHAR
-- Every registry table has a primary key on its code, so that two source rows
-- that end up with the same code make the second row fail. There are no
-- foreign keys: the converters write rows that point into registries which
-- may be missing (subgroups without group, agencies without bank and so on).
-- No CHAR columns: nothing depends on fixed-width target text.
-- DDL only. The database itself and its reference rows (ADMIN user,
-- municipalities, operations) are created by the tests.

-- Cities. CIDADE is as wide as the Talvo city name: city resolution appends
-- names uncut.
CREATE TABLE CIDADES (
    CODCIDADE       VARCHAR(5) NOT NULL,
    CIDADE          VARCHAR(40),
    ESTADO          VARCHAR(2),
    CODMUNICIPIO    VARCHAR(7),
    CONSTRAINT PK_CIDADES PRIMARY KEY (CODCIDADE)
);

-- Municipalities (reference table, read only).
CREATE TABLE MUNICIPIOS (
    CODMUNICIPIO    VARCHAR(7) NOT NULL,
    CIDADE          VARCHAR(40),
    ESTADO          VARCHAR(2),
    CONSTRAINT PK_MUNICIPIOS PRIMARY KEY (CODMUNICIPIO)
);

-- Customers.
CREATE TABLE CLIENTE (
    CODCLIENTE          VARCHAR(8) NOT NULL,
    NOME                VARCHAR(60),
    NOMEFANTASIA        VARCHAR(50),
    DT_NASCIMENTO       TIMESTAMP,
    ENDERECO            VARCHAR(60),
    BAIRRO              VARCHAR(30),
    CODCIDADE           VARCHAR(5),
    ESTADO              VARCHAR(2),
    CEP                 VARCHAR(8),
    ENDERECOCOB         VARCHAR(60),
    BAIRROCOB           VARCHAR(30),
    CODCIDADECOB        VARCHAR(5),
    ESTADOCOB           VARCHAR(2),
    CEPCOB              VARCHAR(8),
    ENDERECOENT         VARCHAR(60),
    BAIRROENT           VARCHAR(30),
    CODCIDADEENT        VARCHAR(5),
    ESTADOENT           VARCHAR(2),
    CEPENT              VARCHAR(8),
    CGCCPF              VARCHAR(15),
    INSCEST             VARCHAR(15),
    PESSOA_FJ           VARCHAR(2),
    FONE                VARCHAR(15),
    CELULAR             VARCHAR(20),
    PREFIXCELULAR       VARCHAR(2),
    FAX                 VARCHAR(15),
    EMAIL               VARCHAR(60),
    DT_CADASTRO         TIMESTAMP,
    CONTATO             VARCHAR(40),
    LIMITECREDITO       DOUBLE PRECISION,
    OBSERVACAO          BLOB SUB_TYPE TEXT,
    CAMPOLIVRE1         VARCHAR(60),
    CAMPOLIVRE2         VARCHAR(60),
    CAMPOLIVRE3         VARCHAR(60),
    CAMPOLIVRE4         VARCHAR(60),
    CAMPOLIVRE5         VARCHAR(60),
    CAMPOLIVRE6         VARCHAR(60),
    PROTESTARCLIENTE    VARCHAR(1),
    RETEMISS            VARCHAR(1),
    CLIBLOQUEADO        VARCHAR(1),
    ATIVO               VARCHAR(1),
    CODSEGMENTO         VARCHAR(3),
    CODVENDEND1         VARCHAR(4),
    CONSTRAINT PK_CLIENTE PRIMARY KEY (CODCLIENTE)
);

-- Customer complements, one per customer. No link is enforced: complements are
-- written also for customers that were skipped.
CREATE TABLE COMPCLIE (
    CODCLIENTE      VARCHAR(8) NOT NULL,
    ENDERECONFE     VARCHAR(60),
    NUMERONFE       VARCHAR(5),
    CONSTRAINT PK_COMPCLIE PRIMARY KEY (CODCLIENTE)
);

-- Written by the two COMPCLIE triggers: one row per insert ("I") or update
-- ("U") made while they are active.
CREATE TABLE COMPCLIE_LOG (
    CODCLIENTE      VARCHAR(8),
    OPERACAO        VARCHAR(1)
);

-- Segments. Keyed on the code: the segment counter wraps at 1000 (000, 001,
-- ...), so the 1001st segment repeats code 001 and fails.
CREATE TABLE CADSEGM (
    CODSEGMENTO     VARCHAR(3) NOT NULL,
    DESCRICAO       VARCHAR(20),
    RETEMPISCOFINS  VARCHAR(1),
    CONSTRAINT PK_CADSEGM PRIMARY KEY (CODSEGMENTO)
);

-- Suppliers. CGCCPF holds the digits of both documents, uncut.
CREATE TABLE FORNECE (
    CODFORNEC       VARCHAR(6) NOT NULL,
    NOME            VARCHAR(50),
    NOMEFANTASIA    VARCHAR(40),
    ENDERECO        VARCHAR(50),
    BAIRRO          VARCHAR(30),
    CODCIDADE       VARCHAR(5),
    ESTADO          VARCHAR(2),
    CEP             VARCHAR(8),
    CGCCPF          VARCHAR(45),
    INSCEST         VARCHAR(15),
    PESSOA_FJ       VARCHAR(1),
    FONE            VARCHAR(15),
    CELULAR         VARCHAR(15),
    FAX             VARCHAR(15),
    EMAIL           VARCHAR(100),
    CONTATO         VARCHAR(35),
    ATIVO           VARCHAR(1),
    OBSERVACAO      BLOB SUB_TYPE TEXT,
    CONSTRAINT PK_FORNECE PRIMARY KEY (CODFORNEC)
);

-- Carriers. CODEMFORNECE names the supplier with the same source number.
CREATE TABLE TRANSPT (
    CODTRANSPT      VARCHAR(4) NOT NULL,
    NOME            VARCHAR(35),
    ENDERECO        VARCHAR(50),
    BAIRRO          VARCHAR(30),
    CODCIDADE       VARCHAR(5),
    ESTADO          VARCHAR(2),
    CEP             VARCHAR(8),
    CGCCPF          VARCHAR(45),
    INSCEST         VARCHAR(15),
    PESSOA_FJ       VARCHAR(1),
    FONE            VARCHAR(15),
    FAX             VARCHAR(15),
    EMAIL           VARCHAR(100),
    CONTATO         VARCHAR(30),
    CODEMFORNECE    VARCHAR(6),
    CONSTRAINT PK_TRANSPT PRIMARY KEY (CODTRANSPT)
);

-- Salespeople.
CREATE TABLE VENDEND (
    CODVENDEDOR     VARCHAR(4) NOT NULL,
    NOME            VARCHAR(40),
    ENDERECO        VARCHAR(50),
    BAIRRO          VARCHAR(30),
    CODCIDADE       VARCHAR(5),
    ESTADO          VARCHAR(2),
    CEP             VARCHAR(8),
    TELEFONE        VARCHAR(15),
    COMISSAO        DOUBLE PRECISION,
    EMAIL           VARCHAR(60),
    ATIVO           VARCHAR(1),
    CGCCPF          VARCHAR(45),
    INSCEST         VARCHAR(15),
    RG              VARCHAR(15),
    CODEMPRESA      VARCHAR(2),
    MUDAPRECOPDV    VARCHAR(1),
    TIPOVENDEDOR    VARCHAR(1),
    CONSTRAINT PK_VENDEND PRIMARY KEY (CODVENDEDOR)
);

-- Product groups.
CREATE TABLE GRUPROD (
    CODGRUPO        VARCHAR(3) NOT NULL,
    DESCRICAO       VARCHAR(30),
    CONSTRAINT PK_GRUPROD PRIMARY KEY (CODGRUPO)
);

-- Product subgroups, numbered within their group.
CREATE TABLE SUBGRUP (
    CODGRUPO        VARCHAR(3) NOT NULL,
    CODSUBGRUPO     VARCHAR(3) NOT NULL,
    DESCRICAO       VARCHAR(30),
    CONSTRAINT PK_SUBGRUP PRIMARY KEY (CODGRUPO, CODSUBGRUPO)
);

-- Fiscal classifications.
CREATE TABLE CLASFISC (
    CODCLASFIS      VARCHAR(4) NOT NULL,
    CODNBM          VARCHAR(8),
    CODIGONCM       VARCHAR(8),
    CONSTRAINT PK_CLASFISC PRIMARY KEY (CODCLASFIS)
);

-- Manufacturers.
CREATE TABLE CADFABR (
    CODFABRIC       VARCHAR(5) NOT NULL,
    DESCRICAO       VARCHAR(30),
    CONSTRAINT PK_CADFABR PRIMARY KEY (CODFABRIC)
);

-- Units of measure.
CREATE TABLE UNIDADES (
    UNIDADE         VARCHAR(6) NOT NULL,
    CONSTRAINT PK_UNIDADES PRIMARY KEY (UNIDADE)
);

-- Products.
CREATE TABLE PRODUTO (
    CODPROD                 VARCHAR(6) NOT NULL,
    ATIVO                   VARCHAR(1),
    REFERENCIA              VARCHAR(20),
    DESCRICAO               VARCHAR(50),
    CODGRUPO                VARCHAR(3),
    CODSUBGRUPO             VARCHAR(3),
    TIPOPROD                VARCHAR(1),
    ESTMINIMO               DOUBLE PRECISION,
    ESTMAXIMO               DOUBLE PRECISION,
    CODTIPOPRODUTO          VARCHAR(2),
    CODCLASFIS              VARCHAR(4),
    ALIQIPI                 DOUBLE PRECISION,
    ALIQISS                 DOUBLE PRECISION,
    ALIQICMSREG00           DOUBLE PRECISION,
    BASEICMSREG00           DOUBLE PRECISION,
    CODTRIBUT00             VARCHAR(3),
    SUBSTRIB                VARCHAR(1),
    LUCROSUBSTRIB           DOUBLE PRECISION,
    COMISSAO                DOUBLE PRECISION,
    CODFABRIC               VARCHAR(5),
    PESO                    DOUBLE PRECISION,
    UNIDADEENT              VARCHAR(6),
    UNIDADESAIDA            VARCHAR(6),
    FATORCONVERSAO          DOUBLE PRECISION,
    LUCRO                   DOUBLE PRECISION,
    PRECO                   DOUBLE PRECISION,
    PRODBLOQUEADO           VARCHAR(1),
    DT_CADASTRO             TIMESTAMP,
    PRECO2                  DOUBLE PRECISION,
    PRECO3                  DOUBLE PRECISION,
    LUCRO2                  DOUBLE PRECISION,
    LUCRO3                  DOUBLE PRECISION,
    PRECOPROMO              DOUBLE PRECISION,
    SUBSTRIBSAIDA           VARCHAR(1),
    PERCBASESUBSTRIBSAIDA   DOUBLE PRECISION,
    PERCICMSSUBSTRIBSAIDA   DOUBLE PRECISION,
    COMISSAOVLR             DOUBLE PRECISION,
    ALIQICMSPDV             DOUBLE PRECISION,
    LUCRO4                  DOUBLE PRECISION,
    PRECO4                  DOUBLE PRECISION,
    DESCONTOMAXIMO          DOUBLE PRECISION,
    OBSERVACAO              BLOB SUB_TYPE TEXT,
    CODGENEROITEM           VARCHAR(2),
    PERC_IVA                DOUBLE PRECISION,
    VALORIPI                DOUBLE PRECISION,
    CONSIDERACOMISSAO       VARCHAR(1),
    CFOPDENTROUF            VARCHAR(5),
    CFOPFORAUF              VARCHAR(5),
    SUGESTAO                DOUBLE PRECISION,
    DATA_ULT_ALTERACAO      TIMESTAMP,
    FORNEC_ULT_ENT3         VARCHAR(6),
    DATA_ULT_REAJUSTE       TIMESTAMP,
    ALIQICMSDIVERSOS        DOUBLE PRECISION,
    CONSTRAINT PK_PRODUTO PRIMARY KEY (CODPROD)
);

-- Stock and cost of a product per company and grid.
CREATE TABLE COMPPROD (
    CODPROD             VARCHAR(6) NOT NULL,
    CODEMPRESA          VARCHAR(2) NOT NULL,
    CODGRADE            VARCHAR(4) NOT NULL,
    ESTOQUE             DOUBLE PRECISION,
    ESTOQUEDISPONIVEL   DOUBLE PRECISION,
    PRECOCUSTO          DOUBLE PRECISION,
    ESTMINIMO           DOUBLE PRECISION,
    ESTMAXIMO           DOUBLE PRECISION,
    CONSTRAINT PK_COMPPROD PRIMARY KEY (CODPROD, CODEMPRESA, CODGRADE)
);

-- PIS and COFINS situation codes of a product.
CREATE TABLE PRODUTODETALHE (
    CODPROD         VARCHAR(6) NOT NULL,
    PIS_CST         VARCHAR(2),
    PISENT_CST      VARCHAR(2),
    COFINS_CST      VARCHAR(2),
    COFINSENT_CST   VARCHAR(2),
    CONSTRAINT PK_PRODUTODETALHE PRIMARY KEY (CODPROD)
);

-- Payment terms. The columns after DESCRICAO follow the order of the insert
-- of the standard terms.
CREATE TABLE CONDPAG (
    CODPRAZO            VARCHAR(3) NOT NULL,
    DESCRICAO           VARCHAR(20),
    PRAZO1              INTEGER,
    PRAZO2              INTEGER,
    PRAZO3              INTEGER,
    PRAZO4              INTEGER,
    PRAZO5              INTEGER,
    PRAZO6              INTEGER,
    PRAZO7              INTEGER,
    PERCENT1            DOUBLE PRECISION,
    PERCENT2            DOUBLE PRECISION,
    PERCENT3            DOUBLE PRECISION,
    PERCENT4            DOUBLE PRECISION,
    PERCENT5            DOUBLE PRECISION,
    PERCENT6            DOUBLE PRECISION,
    PERCENT7            DOUBLE PRECISION,
    TIPOPRAZO           VARCHAR(1),
    AUMENTOPRECO1       DOUBLE PRECISION,
    GERARCXATOTAL       VARCHAR(1),
    DESCPRIVENC         VARCHAR(1),
    PRAZO8              INTEGER,
    PRAZO9              INTEGER,
    PRAZO10             INTEGER,
    PRAZO11             INTEGER,
    PRAZO12             INTEGER,
    PRAZO13             INTEGER,
    PERCENT8            DOUBLE PRECISION,
    PERCENT9            DOUBLE PRECISION,
    PERCENT10           DOUBLE PRECISION,
    PERCENT11           DOUBLE PRECISION,
    PERCENT12           DOUBLE PRECISION,
    PERCENT13           DOUBLE PRECISION,
    CODFORMA            VARCHAR(3),
    CARENCIA            INTEGER,
    TIPOVENDA           INTEGER,
    LIBCREDITO          VARCHAR(1),
    TXADMINISTRACAO     DOUBLE PRECISION,
    MUDAPRAZOMEDIO      VARCHAR(1),
    TIPOINTEGRACAO      INTEGER,
    DIASCOMPENSACAO     INTEGER,
    GERALANCCH          VARCHAR(1),
    CODBANCO            VARCHAR(4),
    CODAGEN             VARCHAR(5),
    CONTA               VARCHAR(15),
    CONTACX             VARCHAR(15),
    UTILIZACONVENIO     VARCHAR(1),
    PERCAUTORIZADO      DOUBLE PRECISION,
    PERCPERDA           DOUBLE PRECISION,
    UTILIZADOEM         VARCHAR(1),
    TAXARENTABILIDADE   DOUBLE PRECISION,
    TXEMISSAOBOLETO     DOUBLE PRECISION,
    VENCERNODIA         INTEGER,
    NUMPARCELAS         INTEGER,
    CONSTRAINT PK_CONDPAG PRIMARY KEY (CODPRAZO)
);

-- Branches.
CREATE TABLE FILIAIS (
    CODEMPRESA      VARCHAR(2) NOT NULL,
    NOMEEMPRESA     VARCHAR(30),
    RAZAOSOCIAL     VARCHAR(50),
    CGC             VARCHAR(18),
    INSCEST         VARCHAR(15),
    INSCMUNICIPAL   VARCHAR(15),
    ENDERECO        VARCHAR(50),
    BAIRRO          VARCHAR(30),
    CIDADE          VARCHAR(30),
    ESTADO          VARCHAR(2),
    CEP             VARCHAR(9),
    CODCIDADE       VARCHAR(5),
    TELEFONE        VARCHAR(20),
    FAX             VARCHAR(12),
    EMAIL           VARCHAR(50),
    CODCNAE         VARCHAR(7),
    SERIESINTEGRA   VARCHAR(1),
    ESPECIENF       VARCHAR(2),
    SERIESINTEGRAD  VARCHAR(1),
    FILIALATIVA     VARCHAR(1),
    ABERTOINICIO    TIMESTAMP,
    ABERTOINIFISC   TIMESTAMP,
    ABERTOFIM       TIMESTAMP,
    ABERTOFIMFISC   TIMESTAMP,
    LANCINICIO      TIMESTAMP,
    LANCFIM         TIMESTAMP,
    CONSTRAINT PK_FILIAIS PRIMARY KEY (CODEMPRESA)
);

-- Balances of a branch, one per date.
CREATE TABLE SALDOST (
    CODEMPRESA      VARCHAR(2) NOT NULL,
    DATASALDO       TIMESTAMP NOT NULL,
    DATASDINICIAL   TIMESTAMP,
    SALDO           DOUBLE PRECISION,
    SALDOINICIAL    VARCHAR(1),
    CONSTRAINT PK_SALDOST PRIMARY KEY (CODEMPRESA, DATASALDO)
);

-- Invoice numbering of a branch.
CREATE TABLE NUMERNF (
    CODEMPRESA      VARCHAR(2) NOT NULL,
    NUMNF           INTEGER,
    NUMNFD          INTEGER,
    NUMNFA          INTEGER,
    CONSTRAINT PK_NUMERNF PRIMARY KEY (CODEMPRESA)
);

-- Users.
CREATE TABLE CADUSUA (
    USUARIO         VARCHAR(20) NOT NULL,
    CODEMPRESA      VARCHAR(2),
    CONSTRAINT PK_CADUSUA PRIMARY KEY (USUARIO)
);

-- Banks.
CREATE TABLE BANCOS (
    CODBANCO        VARCHAR(4) NOT NULL,
    NOMEBANCO       VARCHAR(20),
    CONSTRAINT PK_BANCOS PRIMARY KEY (CODBANCO)
);

-- Bank agencies.
CREATE TABLE AGENCIA (
    CODBANCO        VARCHAR(4) NOT NULL,
    CODAGEN         VARCHAR(5) NOT NULL,
    CODCIDADE       VARCHAR(5),
    NOMEAGEN        VARCHAR(20),
    CONSTRAINT PK_AGENCIA PRIMARY KEY (CODBANCO, CODAGEN)
);

-- Bank accounts, keyed by bank, agency, account and company.
CREATE TABLE CONTAS (
    CODBANCO        VARCHAR(4) NOT NULL,
    CODAGEN         VARCHAR(5) NOT NULL,
    CONTA           VARCHAR(15) NOT NULL,
    CODEMPRESA      VARCHAR(2) NOT NULL,
    CONSTRAINT PK_CONTAS PRIMARY KEY (CODBANCO, CODAGEN, CONTA, CODEMPRESA)
);

-- Entry types.
CREATE TABLE TIPOLAN (
    CODIGO          VARCHAR(3) NOT NULL,
    DESCRICAO       VARCHAR(30),
    TIPO            VARCHAR(1),
    TIPOINTEGRACXA  VARCHAR(1),
    REPETIRNUMDOC   VARCHAR(1),
    CONSTRAINT PK_TIPOLAN PRIMARY KEY (CODIGO)
);

-- Document types.
CREATE TABLE TIPODOC (
    TIPODOCTO       VARCHAR(2) NOT NULL,
    DESCTIPO        VARCHAR(30),
    CONSTRAINT PK_TIPODOC PRIMARY KEY (TIPODOCTO)
);

-- Operations. TPOPERACAO "5" files payables, "8" receivables.
CREATE TABLE CDOPERC (
    CODOPER         VARCHAR(3) NOT NULL,
    DESCRICAO       VARCHAR(40),
    TPOPERACAO      VARCHAR(1),
    ATIVO           VARCHAR(1),
    CONSTRAINT PK_CDOPERC PRIMARY KEY (CODOPER)
);

-- Running order number of payable and receivable documents.
CREATE GENERATOR G_NUMORD;

-- Payable documents, keyed by their order number. CODDOCTO holds the 15
-- characters the document code rule makes. A parcel text longer than 14
-- characters makes a longer code, which this column refuses.
CREATE TABLE DOCUPAG (
    NUMORD          VARCHAR(12) NOT NULL,
    CODEMPRESA      VARCHAR(2),
    TIPODOCTO       VARCHAR(2),
    CODDOCTO        VARCHAR(15),
    CODFORNEC       VARCHAR(6),
    CODMOEDA        VARCHAR(2),
    CODOPER         VARCHAR(3),
    VALORDOCTO      DOUBLE PRECISION,
    VALORPAGO       DOUBLE PRECISION,
    JUROSMULTA      DOUBLE PRECISION,
    DT_EMISSAO      TIMESTAMP,
    DT_VENCIMENTO   TIMESTAMP,
    DT_ENTRADA      TIMESTAMP,
    SITUACAO        VARCHAR(1),
    HISTORICO       VARCHAR(250),
    CONSTRAINT PK_DOCUPAG PRIMARY KEY (NUMORD)
);

-- Payments of payable documents (emptied by the conversion, never filled).
CREATE TABLE MOVIPAG (
    NUMORD          VARCHAR(12) NOT NULL,
    SEQUENCIA       INTEGER NOT NULL,
    DT_PAGAMENTO    TIMESTAMP,
    VALORPAGO       DOUBLE PRECISION,
    CONSTRAINT PK_MOVIPAG PRIMARY KEY (NUMORD, SEQUENCIA)
);

-- Receivable documents, keyed by their order number. TIPODOCTO is written as
-- read, so it is as wide as the Talvo document type.
CREATE TABLE DOCUREC (
    NUMORD          VARCHAR(12) NOT NULL,
    CODEMPRESA      VARCHAR(2),
    CODCLIENTE      VARCHAR(8),
    TIPODOCTO       VARCHAR(10),
    CODDOCTO        VARCHAR(15),
    CODMOEDA        VARCHAR(2),
    CODOPER         VARCHAR(3),
    CODVENDEDOR     VARCHAR(5),
    DT_VENDA        TIMESTAMP,
    DT_EMISSAO      TIMESTAMP,
    DT_VENCIMENTO   TIMESTAMP,
    VALORVENDA      DOUBLE PRECISION,
    VALORDOCTO      DOUBLE PRECISION,
    VALORDESC       DOUBLE PRECISION,
    VALORPAGO       DOUBLE PRECISION,
    COMISSAO        DOUBLE PRECISION,
    DESPADIC        DOUBLE PRECISION,
    NUMDOCORIG      VARCHAR(12),
    SITUACAO        VARCHAR(1),
    OBSERVACAO      VARCHAR(60),
    CONSTRAINT PK_DOCUREC PRIMARY KEY (NUMORD)
);

-- Receipts of receivable documents (emptied by the conversion, never filled).
CREATE TABLE MOVIREC (
    NUMORD          VARCHAR(12) NOT NULL,
    SEQUENCIA       INTEGER NOT NULL,
    DT_RECEBIMENTO  TIMESTAMP,
    VALORRECEBIDO   DOUBLE PRECISION,
    CONSTRAINT PK_MOVIREC PRIMARY KEY (NUMORD, SEQUENCIA)
);

-- Triggers on the customer complements. The conversion switches them off while
-- it runs. Each leaves a row in COMPCLIE_LOG, so a test can see whether it fired.
SET TERM ^ ;

CREATE TRIGGER COMPCLIE_AI0 FOR COMPCLIE
ACTIVE AFTER INSERT POSITION 0
AS
BEGIN
    INSERT INTO COMPCLIE_LOG (CODCLIENTE, OPERACAO) VALUES (NEW.CODCLIENTE, 'I');
END^

CREATE TRIGGER COMPCLIE_AU0 FOR COMPCLIE
ACTIVE AFTER UPDATE POSITION 0
AS
BEGIN
    INSERT INTO COMPCLIE_LOG (CODCLIENTE, OPERACAO) VALUES (NEW.CODCLIENTE, 'U');
END^

SET TERM ; ^

-- Lookups the conversion makes for every row.
CREATE INDEX IX_CIDADES_NOME ON CIDADES (CIDADE, ESTADO);
CREATE INDEX IX_MUNICIPIOS_NOME ON MUNICIPIOS (CIDADE, ESTADO);
CREATE INDEX IX_CLASFISC_NCM ON CLASFISC (CODIGONCM);
