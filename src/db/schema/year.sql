/*
  Year database template AC.FDB, copied to AC<year>.FDB for each fiscal year.
  Creates the shared small tables (cost centres and their groups, salesmen,
  manufacturers, main-client groups, customer prices), the item file (STOCK,
  MSTOCK, ITEMBC), the chart of accounts (BSFILE with its standard ledger
  classes, BSSECT, MACT, ACCT, ACTDEP), the general journal TRANS, the document
  tables (purchase, issue, sales, return, quotation, delivery note, purchase
  order, receipt and payment), the per-connection ZGT_ work tables, the
  document-number generators with their procedures, SPCDATE and SPLEDTOT.

  Types: money is NUMERIC(18,2). Unit prices and costs, line quantities and
  percentages are NUMERIC(18,4) unless the column is known to carry two
  decimals. Flags are VARCHAR(1) holding "T" / "F".
  Documents have no foreign keys: a voided document keeps its header row.
*/

/* ---------------------------------------------------------------------------
   Shared small tables
   --------------------------------------------------------------------------- */

-- Cost centres.
-- CENTGNO names the cost-centre group: the schema upgrade adds it to older databases.
CREATE TABLE CCENT (
  CENTNO     SMALLINT NOT NULL,
  CENTNM     VARCHAR(40),
  CENTGNO    INTEGER,
  CONSTRAINT PK_CCENT PRIMARY KEY (CENTNO)
);

-- Cost-centre groups.
CREATE TABLE CCENTG (
  CENTGNO    INTEGER NOT NULL,
  CENTGNM    VARCHAR(50),
  CONSTRAINT PK_CCENTG PRIMARY KEY (CENTGNO)
);

-- Salesmen and their commission rates; DATE1 / DATE2 (and MNTH1 / MNTH2) hold a report period.
CREATE TABLE SALREP (
  SALRID     VARCHAR(2) NOT NULL,
  NAME       VARCHAR(25),
  CMSN       NUMERIC(18,2),
  DATE1      DATE,
  DATE2      DATE,
  MNTH1      VARCHAR(7),
  MNTH2      VARCHAR(7),
  DEPRTYPE   SMALLINT,
  CMSNB      NUMERIC(18,2),
  PERC       NUMERIC(18,2),
  PERCB      NUMERIC(18,2),
  CONSTRAINT PK_SALREP PRIMARY KEY (SALRID)
);

-- Manufacturers, item rows and document lines carry MFRID.
CREATE TABLE MFR (
  MFRID      SMALLINT NOT NULL,
  MFRNM      VARCHAR(30),
  CONSTRAINT PK_MFR PRIMARY KEY (MFRID)
);

-- Main-client groups (ACCT.MCLNT, TRANS.MCLNT).
CREATE TABLE MCLNT (
  MCLNTNO    SMALLINT NOT NULL,
  MCLNTNM    VARCHAR(50),
  CONSTRAINT PK_MCLNT PRIMARY KEY (MCLNTNO)
);

-- Customer-specific selling prices: one price per account and item.
CREATE TABLE PRICES (
  ACCTNO     VARCHAR(9) NOT NULL,
  ITEMNO     VARCHAR(14) NOT NULL,
  UPRICE     NUMERIC(18,4),
  CONSTRAINT PK_PRICES PRIMARY KEY (ACCTNO, ITEMNO)
);

/* ---------------------------------------------------------------------------
   Item file
   Quantities are kept in the item's small unit; QUNITS small units make one
   large unit. Every document changes the running columns (QTYIN ... ONHAND,
   TOTCOST, OUTCOST, UCOST) by increments in one UPDATE, so that
   ONHAND = QTYIN - QTYOUT - QTYSOLD + QTYRET holds after every line.
   --------------------------------------------------------------------------- */

-- Item groups. Group numbers have two or three characters (the firm's ARTNUM).
CREATE TABLE MSTOCK (
  ARTNO      VARCHAR(3) NOT NULL,
  ARTNM      VARCHAR(30),
  CONSTRAINT PK_MSTOCK PRIMARY KEY (ARTNO)
);

-- Items with their running quantities of the year, costs and prices.
-- UCOST is the cost of one small unit, UPRICE / UPRICEC the cash / credit price
-- of the large unit, UPRICE2 / UPRICE2C those of the small unit. FSTOCK is the
-- counted quantity of the physical count (0: not counted), MINSTOCK the re-order
-- level in large units. Items of group "LB" are not stock-tracked by sales.
CREATE TABLE STOCK (
  ITEMNO     VARCHAR(14) NOT NULL,
  DESCR      VARCHAR(40),
  DESCE      VARCHAR(40),
  PARTNO     VARCHAR(14),
  UNIT       VARCHAR(10),
  UNITE      VARCHAR(10),
  SUBUNIT    VARCHAR(10),
  SUBUNITE   VARCHAR(10),
  QUNITS     NUMERIC(18,2) DEFAULT 1,
  ARTNO      VARCHAR(3),
  QTYIN      NUMERIC(18,2) DEFAULT 0,
  QTYOUT     NUMERIC(18,2) DEFAULT 0,
  QTYSOLD    NUMERIC(18,2) DEFAULT 0,
  QTYRET     NUMERIC(18,2) DEFAULT 0,
  ONHAND     NUMERIC(18,2) DEFAULT 0,
  UPRICE     NUMERIC(18,2) DEFAULT 0,
  UPRICE2    NUMERIC(18,2) DEFAULT 0,
  UPRICEC    NUMERIC(18,2) DEFAULT 0,
  UPRICE2C   NUMERIC(18,2) DEFAULT 0,
  UCOST      NUMERIC(18,2) DEFAULT 0,
  TOTCOST    NUMERIC(18,2) DEFAULT 0,
  OUTCOST    NUMERIC(18,2) DEFAULT 0,
  FSTOCK     NUMERIC(18,2) DEFAULT 0,
  MINSTOCK   SMALLINT DEFAULT 0,
  LOCATION   VARCHAR(8),
  LQTYIN     DATE,
  LQTYSOLD   DATE,
  EDATE      DATE,
  SLDATE     DATE,
  MFRID      SMALLINT,
  MARKUP     NUMERIC(18,2),
  CONSTRAINT PK_STOCK PRIMARY KEY (ITEMNO)
);
-- Item lists and reports in description order (ITEMNO breaks ties).
CREATE INDEX IX_STOCK_DESCR ON STOCK (DESCR, ITEMNO);
CREATE INDEX IX_STOCK_ARTNO ON STOCK (ARTNO);
CREATE INDEX IX_STOCK_LOCATION ON STOCK (LOCATION);

-- The item search's narrow copy of STOCK, kept by the trigger STOCK_ITEMSRCH: one row
-- per item with its description (the sort key) and SRCH, the upper-cased description as
-- bytes. A description search compares bytes over these short rows instead of comparing
-- case-insensitive text over the wide item rows, picks its page here and reads STOCK only
-- for the rows of the page.
-- The schema upgrade adds and fills it in older databases.
CREATE TABLE ITEMSRCH (
  ITEMNO     VARCHAR(14) NOT NULL,
  DESCR      VARCHAR(40),
  SRCH       VARCHAR(160) CHARACTER SET OCTETS,
  CONSTRAINT PK_ITEMSRCH PRIMARY KEY (ITEMNO)
);
CREATE INDEX IX_ITEMSRCH_DESCR ON ITEMSRCH (DESCR, ITEMNO);

SET TERM ^ ;

-- New, renumbered, re-described and deleted items reach ITEMSRCH in the same transaction;
-- the running quantities and prices, changed by every document, leave it alone. The
-- lengths tell "abc" from "abc ", which compare equal.
CREATE TRIGGER STOCK_ITEMSRCH FOR STOCK
ACTIVE AFTER INSERT OR UPDATE OR DELETE POSITION 0
AS
BEGIN
  IF (DELETING) THEN
    DELETE FROM ITEMSRCH WHERE ITEMNO = OLD.ITEMNO;
  ELSE IF (INSERTING
           OR NEW.ITEMNO <> OLD.ITEMNO
           OR NEW.DESCR IS DISTINCT FROM OLD.DESCR
           OR OCTET_LENGTH(NEW.DESCR) IS DISTINCT FROM OCTET_LENGTH(OLD.DESCR)) THEN
  BEGIN
    IF (UPDATING AND NEW.ITEMNO <> OLD.ITEMNO) THEN
      DELETE FROM ITEMSRCH WHERE ITEMNO = OLD.ITEMNO;
    UPDATE OR INSERT INTO ITEMSRCH (ITEMNO, DESCR, SRCH)
      VALUES (NEW.ITEMNO, NEW.DESCR, UPPER(NEW.DESCR)) MATCHING (ITEMNO);
  END
END^

SET TERM ; ^

-- Extra barcodes: each stands for one item; a barcode belongs to one item only.
CREATE TABLE ITEMBC (
  BCODE      VARCHAR(30) NOT NULL,
  ITEMNO     VARCHAR(14) NOT NULL,
  CONSTRAINT PK_ITEMBC PRIMARY KEY (BCODE)
);
CREATE INDEX IX_ITEMBC_ITEMNO ON ITEMBC (ITEMNO);

/* ---------------------------------------------------------------------------
   Chart of accounts
   --------------------------------------------------------------------------- */

-- Balance-sheet items (ledger classes), "600" trading, "700" profit and loss.
CREATE TABLE BSFILE (
  ACCTTYPE   VARCHAR(3) NOT NULL,
  NAME       VARCHAR(30),
  CAT        VARCHAR(1),
  DR         NUMERIC(18,2),
  CR         NUMERIC(18,2),
  BAL        NUMERIC(18,2),
  CONSTRAINT PK_BSFILE PRIMARY KEY (ACCTTYPE)
);

-- Standard ledger classes of a new firm. Balance-sheet items have two-digit codes,
-- so that the customers' item "12" can also name the customers' main account 12
-- (and the suppliers' "20" theirs). CAT: A assets, L liabilities and capital,
-- T trading and operating, P profit and loss.
INSERT INTO BSFILE (ACCTTYPE, NAME, CAT, DR, CR, BAL) VALUES ('10', 'الأصول الثابتة', 'A', 0, 0, 0);
INSERT INTO BSFILE (ACCTTYPE, NAME, CAT, DR, CR, BAL) VALUES ('11', 'الصندوق والبنوك', 'A', 0, 0, 0);
INSERT INTO BSFILE (ACCTTYPE, NAME, CAT, DR, CR, BAL) VALUES ('12', 'العملاء', 'A', 0, 0, 0);
INSERT INTO BSFILE (ACCTTYPE, NAME, CAT, DR, CR, BAL) VALUES ('13', 'المخزون', 'A', 0, 0, 0);
INSERT INTO BSFILE (ACCTTYPE, NAME, CAT, DR, CR, BAL) VALUES ('14', 'أرصدة مدينة أخرى', 'A', 0, 0, 0);
INSERT INTO BSFILE (ACCTTYPE, NAME, CAT, DR, CR, BAL) VALUES ('20', 'الموردون', 'L', 0, 0, 0);
INSERT INTO BSFILE (ACCTTYPE, NAME, CAT, DR, CR, BAL) VALUES ('21', 'الخصوم المتداولة', 'L', 0, 0, 0);
INSERT INTO BSFILE (ACCTTYPE, NAME, CAT, DR, CR, BAL) VALUES ('22', 'ضريبة القيمة المضافة', 'L', 0, 0, 0);
INSERT INTO BSFILE (ACCTTYPE, NAME, CAT, DR, CR, BAL) VALUES ('30', 'رأس المال', 'L', 0, 0, 0);
INSERT INTO BSFILE (ACCTTYPE, NAME, CAT, DR, CR, BAL) VALUES ('31', 'جاري الشركاء', 'L', 0, 0, 0);
INSERT INTO BSFILE (ACCTTYPE, NAME, CAT, DR, CR, BAL) VALUES ('600', 'المتاجرة والتشـغيـل', 'T', 0, 0, 0);
INSERT INTO BSFILE (ACCTTYPE, NAME, CAT, DR, CR, BAL) VALUES ('700', 'الأربـاح والخـسـائـر', 'P', 0, 0, 0);

-- Section captions of the balance sheet.
CREATE TABLE BSSECT (
  SECT1      VARCHAR(30),
  SECT2      VARCHAR(30),
  SECT3      VARCHAR(30),
  SECT4      VARCHAR(30),
  SECT5      VARCHAR(30),
  SECT6      VARCHAR(30),
  SECT7      VARCHAR(30),
  SECT8      VARCHAR(30)
);

-- Main accounts ("00".."99") with the default ledger class of their sub-accounts.
CREATE TABLE MACT (
  MACTNO     VARCHAR(5) NOT NULL,
  MACTNM     VARCHAR(40) NOT NULL,
  ACCTTYPE   VARCHAR(3),
  CONSTRAINT PK_MACT PRIMARY KEY (MACTNO)
);

-- Sub-accounts (customers, suppliers, cash, sales, stock, tax ...) with their
-- running debit / credit totals of the year and the address data of the customer.
-- TEL2 is the 6th and ISSMS the 21st column: the schema upgrade puts them there in older databases.
CREATE TABLE ACCT (
  ACCTNO     VARCHAR(9) NOT NULL,
  ACCTNAME   VARCHAR(40),
  ACCTNAM2   VARCHAR(40),
  ACCTTYPE   VARCHAR(3) NOT NULL,
  TEL        VARCHAR(22),
  TEL2       VARCHAR(22),
  FAX        VARCHAR(8),
  MACTNO     VARCHAR(5),
  DR         NUMERIC(18,2) DEFAULT 0,
  CR         NUMERIC(18,2) DEFAULT 0,
  ATTN       VARCHAR(25),
  LOCAT      VARCHAR(20),
  LOCAT2     VARCHAR(20),
  LOCATNO    VARCHAR(8),
  POBOX      VARCHAR(5),
  CRLIMIT1   NUMERIC(18,2),
  CRLIMIT2   NUMERIC(18,2),
  SALRID     VARCHAR(2),
  SPRICE     SMALLINT,
  ISACTIVE   SMALLINT DEFAULT 0,
  ISSMS      VARCHAR(1),
  NDATE      DATE,
  MCLNT      SMALLINT,
  BUILDNO    VARCHAR(10),
  STREETNM   VARCHAR(40),
  STREETNME  VARCHAR(40),
  DISTRICT   VARCHAR(40),
  DISTRICTE  VARCHAR(40),
  CITY       VARCHAR(20),
  CITYE      VARCHAR(20),
  COUNTRY    VARCHAR(40),
  COUNTRYE   VARCHAR(40),
  PCODE      VARCHAR(5),
  ADDRN2     VARCHAR(10),
  TAXCODE    VARCHAR(20),
  OTHERID    VARCHAR(40),
  CONSTRAINT PK_ACCT PRIMARY KEY (ACCTNO)
);
CREATE INDEX IX_ACCT_ACCTNAME ON ACCT (ACCTNAME);
CREATE INDEX IX_ACCT_MACTNO ON ACCT (MACTNO);
CREATE INDEX IX_ACCT_SALRID ON ACCT (SALRID);

-- Fixed assets attached to accounts, with their depreciation figures.
CREATE TABLE ACTDEP (
  ACCTNO     VARCHAR(9) NOT NULL,
  ASITNO     VARCHAR(12) NOT NULL,
  FDATE      DATE,
  LDATE      DATE,
  DESC1      VARCHAR(40),
  DESC2      VARCHAR(40),
  PRCNT      NUMERIC(18,2),
  COST1      NUMERIC(18,2),
  ADDASIT    NUMERIC(18,2),
  REMASIT    NUMERIC(18,2),
  ADDTRNO    INTEGER,
  REMTRNO    INTEGER,
  REMDATE    DATE,
  COST2      NUMERIC(18,2),
  INITDEPR   NUMERIC(18,2),
  CURDEPR    NUMERIC(18,2),
  REMDEPR    NUMERIC(18,2),
  ENDDEPR    NUMERIC(18,2),
  BALANCE    NUMERIC(18,2),
  CONSTRAINT PK_ACTDEP PRIMARY KEY (ACCTNO, ASITNO)
);

/* ---------------------------------------------------------------------------
   General journal
   --------------------------------------------------------------------------- */

-- Journal lines. A voucher is the set of lines sharing TRNO. Voucher 1 holds the opening balances.
-- CENTGNO is the 13th column: the schema upgrade puts it there in older databases.
CREATE TABLE TRANS (
  TRNO       INTEGER NOT NULL,
  LNO        SMALLINT NOT NULL,
  TRDATE     DATE,
  ACCTNO     VARCHAR(9),
  ACCTTYPE   VARCHAR(3),
  DR         NUMERIC(18,2),
  CR         NUMERIC(18,2),
  DESC1      VARCHAR(85),
  DESC2      VARCHAR(40),
  SALRID     VARCHAR(3),
  MNTH       SMALLINT,
  CENTNO     SMALLINT,
  CENTGNO    INTEGER,
  MCLNT      SMALLINT,
  USERID     VARCHAR(12),
  LOCKED     VARCHAR(1),
  CONSTRAINT PK_TRANS PRIMARY KEY (TRNO, LNO)
);
CREATE INDEX IX_TRANS_TRDATE ON TRANS (TRDATE);
CREATE INDEX IX_TRANS_ACCTNO ON TRANS (ACCTNO);

/* ---------------------------------------------------------------------------
   Purchase invoices
   --------------------------------------------------------------------------- */

-- Purchase invoice headers, invoice 1 is the opening stock balance.
CREATE TABLE TRANS1 (
  INVIN      INTEGER NOT NULL,
  TRDATE     DATE,
  ACCTNO     VARCHAR(9),
  ACCTNO2    VARCHAR(9),
  SUPPNAME   VARCHAR(40),
  TAXCODE    VARCHAR(20),
  REFNO      VARCHAR(12),
  TIRMS      SMALLINT,
  PORDNO     INTEGER,
  SUBAMNT    NUMERIC(18,2),
  DISVAL     NUMERIC(18,2),
  AMOUNT     NUMERIC(18,2),
  VTAX       NUMERIC(18,2),
  INVTOT     NUMERIC(18,2),
  CENTNO     SMALLINT,
  TFCOST     NUMERIC(18,2),
  XRATE      NUMERIC(18,4),
  FRGHT      NUMERIC(18,2),
  CUSTM      NUMERIC(18,2),
  CLRNC      NUMERIC(18,2),
  DLVRY      NUMERIC(18,2),
  OTHRS      NUMERIC(18,2),
  NOTES      VARCHAR(80),
  SALRID     VARCHAR(2),
  DELREQ     VARCHAR(1),
  VATPER     DOUBLE PRECISION,
  POSTED     SMALLINT,
  USERID     VARCHAR(12),
  CONSTRAINT PK_TRANS1 PRIMARY KEY (INVIN)
);
CREATE INDEX IX_TRANS1_TRDATE ON TRANS1 (TRDATE);
CREATE INDEX IX_TRANS1_ACCTNO ON TRANS1 (ACCTNO);

-- Purchase invoice lines, UCOST being the landed unit cost in local currency.
CREATE TABLE TRANS1D (
  INVIN      INTEGER NOT NULL,
  LNO        SMALLINT NOT NULL,
  TRDATE     DATE,
  ITEMNO     VARCHAR(14),
  MFRID      SMALLINT,
  UINDEX     SMALLINT,
  QTYIN      NUMERIC(18,4),
  QIN        NUMERIC(18,4),
  UCOST      NUMERIC(18,4),
  ACCTNO     VARCHAR(9),
  EDATE      DATE,
  CONSTRAINT PK_TRANS1D PRIMARY KEY (INVIN, LNO)
);
CREATE INDEX IX_TRANS1D_ITEMNO ON TRANS1D (ITEMNO);
CREATE INDEX IX_TRANS1D_TRDATE ON TRANS1D (TRDATE);

/* ---------------------------------------------------------------------------
   Issue vouchers
   --------------------------------------------------------------------------- */

-- Issue voucher headers: goods out at cost, ACCTNO debited, ACCTNO2 credited.
CREATE TABLE TRANS2 (
  INVOUT     INTEGER NOT NULL,
  TRDATE     DATE,
  ACCTNO     VARCHAR(9),
  ACCTNO2    VARCHAR(9),
  REFNO      VARCHAR(12),
  TIRMS      SMALLINT,
  DESCR      VARCHAR(40),
  SUBAMNT    NUMERIC(18,2),
  DISPER     NUMERIC(18,4),
  DISVAL     NUMERIC(18,2),
  AMOUNT     NUMERIC(18,2),
  VTAX       NUMERIC(18,2),
  INVTOT     NUMERIC(18,2),
  CENTNO     SMALLINT,
  USERID     VARCHAR(12),
  DELREQ     VARCHAR(1),
  POSTED     SMALLINT,
  CONSTRAINT PK_TRANS2 PRIMARY KEY (INVOUT)
);
CREATE INDEX IX_TRANS2_TRDATE ON TRANS2 (TRDATE);
CREATE INDEX IX_TRANS2_ACCTNO ON TRANS2 (ACCTNO);

-- Issue voucher lines.
CREATE TABLE TRANS2D (
  INVOUT     INTEGER NOT NULL,
  LNO        SMALLINT NOT NULL,
  TRDATE     DATE,
  ITEMNO     VARCHAR(14),
  MFRID      SMALLINT,
  UINDEX     SMALLINT NOT NULL,
  QTYOUT     NUMERIC(18,4),
  QOUT       NUMERIC(18,4),
  UCOST      NUMERIC(18,4),
  ACCTNO     VARCHAR(9),
  CONSTRAINT PK_TRANS2D PRIMARY KEY (INVOUT, LNO)
);
CREATE INDEX IX_TRANS2D_ITEMNO ON TRANS2D (ITEMNO);
CREATE INDEX IX_TRANS2D_TRDATE ON TRANS2D (TRDATE);

/* ---------------------------------------------------------------------------
   Sales invoices
   --------------------------------------------------------------------------- */

-- Sales invoice headers with the national address of the buyer for the tax invoice.
CREATE TABLE TRANS3 (
  INVSEL     INTEGER NOT NULL,
  TRDATE     DATE,
  TRTIME     TIME,
  DELDATE    DATE,
  ACCTNO     VARCHAR(9),
  ACCTNO2    VARCHAR(9),
  CUSTNAME   VARCHAR(40),
  LOCAT      VARCHAR(30),
  TIRMS      SMALLINT,
  REFNO      VARCHAR(12),
  QUOTNO     INTEGER,
  SALORD     INTEGER,
  DAYS       SMALLINT,
  SUBAMNT    NUMERIC(18,2),
  DISPER     NUMERIC(18,4),
  DISVAL     NUMERIC(18,2),
  AMOUNT     NUMERIC(18,2),
  VTAX       NUMERIC(18,2),
  INVTOT     NUMERIC(18,2),
  CENTNO     SMALLINT,
  TOTCOST    NUMERIC(18,2),
  DISFLG     SMALLINT,
  SALRID     VARCHAR(2),
  PAID       NUMERIC(18,2),
  RVNO       INTEGER,
  VATPER     DOUBLE PRECISION,
  USERID     VARCHAR(12),
  POSTED     SMALLINT,
  BUILDNO    VARCHAR(10),
  STREETNM   VARCHAR(40),
  STREETNME  VARCHAR(40),
  DISTRICT   VARCHAR(40),
  DISTRICTE  VARCHAR(40),
  CITY       VARCHAR(20),
  CITYE      VARCHAR(20),
  COUNTRY    VARCHAR(40),
  COUNTRYE   VARCHAR(40),
  PCODE      VARCHAR(10),
  ADDRN2     VARCHAR(10),
  TAXCODE    VARCHAR(20),
  OTHERID    VARCHAR(40),
  DESCR      VARCHAR(40),
  CONSTRAINT PK_TRANS3 PRIMARY KEY (INVSEL)
);
CREATE INDEX IX_TRANS3_TRDATE ON TRANS3 (TRDATE);
CREATE INDEX IX_TRANS3_ACCTNO ON TRANS3 (ACCTNO);

-- Sales invoice lines, QTYRET is kept up to date by return vouchers.
CREATE TABLE TRANS3D (
  INVSEL     INTEGER NOT NULL,
  LNO        SMALLINT NOT NULL,
  TRDATE     DATE,
  ITEMNO     VARCHAR(14),
  MFRID      SMALLINT,
  UINDEX     SMALLINT NOT NULL,
  QTYSOLD    NUMERIC(18,4),
  QSOLD      NUMERIC(18,4),
  QTYRET     NUMERIC(18,4),
  UPRICE     NUMERIC(18,4),
  UCOST      NUMERIC(18,2),
  SUBAMNT    NUMERIC(18,2),
  DISVAL     NUMERIC(18,2),
  DISPER     DOUBLE PRECISION,
  AMOUNT     NUMERIC(18,2),
  VATPER     NUMERIC(18,2),
  VATAMNT    NUMERIC(18,2),
  ACCTNO     VARCHAR(9),
  SALRID     VARCHAR(2),
  CONSTRAINT PK_TRANS3D PRIMARY KEY (INVSEL, LNO)
);
CREATE INDEX IX_TRANS3D_ITEMNO ON TRANS3D (ITEMNO);
CREATE INDEX IX_TRANS3D_TRDATE ON TRANS3D (TRDATE);

/* ---------------------------------------------------------------------------
   Return vouchers
   --------------------------------------------------------------------------- */

-- Return voucher headers (sales returns), optionally linked to a sales invoice.
CREATE TABLE TRANS4 (
  INVRET     INTEGER NOT NULL,
  TRDATE     DATE,
  TRTIME     TIME,
  INVSEL     INTEGER,
  TIRMS      SMALLINT,
  ACCTNO     VARCHAR(9),
  CUSTNAME   VARCHAR(40),
  REFNO      VARCHAR(12),
  PREVYR     VARCHAR(1),
  SUBAMNT    NUMERIC(18,2),
  DISPER     NUMERIC(18,4),
  DISVAL     NUMERIC(18,2),
  AMOUNT     NUMERIC(18,2),
  VTAX       NUMERIC(18,2),
  INVTOT     NUMERIC(18,2),
  TOTCOST    NUMERIC(18,2),
  CENTNO     SMALLINT,
  DISFLG     SMALLINT,
  SALRID     VARCHAR(2),
  TAXCODE    VARCHAR(20),
  VATPER     NUMERIC(18,4),
  USERID     VARCHAR(12),
  POSTED     SMALLINT,
  BUILDNO    VARCHAR(10),
  STREETNM   VARCHAR(40),
  STREETNME  VARCHAR(40),
  DISTRICT   VARCHAR(40),
  DISTRICTE  VARCHAR(40),
  CITY       VARCHAR(20),
  CITYE      VARCHAR(20),
  COUNTRY    VARCHAR(40),
  COUNTRYE   VARCHAR(40),
  PCODE      VARCHAR(10),
  ADDRN2     VARCHAR(10),
  OTHERID    VARCHAR(40),
  CONSTRAINT PK_TRANS4 PRIMARY KEY (INVRET)
);
CREATE INDEX IX_TRANS4_TRDATE ON TRANS4 (TRDATE);
CREATE INDEX IX_TRANS4_ACCTNO ON TRANS4 (ACCTNO);

-- Return voucher lines, with the sold and earlier-returned quantities of the invoice line.
CREATE TABLE TRANS4D (
  INVRET     INTEGER NOT NULL,
  LNO        SMALLINT NOT NULL,
  TRDATE     DATE,
  ITEMNO     VARCHAR(14),
  MFRID      SMALLINT,
  UINDEX     SMALLINT NOT NULL,
  QTYRET     NUMERIC(18,4),
  QRET       NUMERIC(18,4),
  QTYSOLD    NUMERIC(18,4),
  QTYXRET    NUMERIC(18,4),
  UPRICE     NUMERIC(18,4),
  UCOST      NUMERIC(18,4),
  ACCTNO     VARCHAR(9),
  SALRID     VARCHAR(2),
  SUBAMNT    NUMERIC(18,2),
  DISPER     DOUBLE PRECISION,
  DISVAL     NUMERIC(18,2),
  AMOUNT     NUMERIC(18,2),
  VATPER     NUMERIC(18,4),
  VATAMNT    NUMERIC(18,2),
  CONSTRAINT PK_TRANS4D PRIMARY KEY (INVRET, LNO)
);
CREATE INDEX IX_TRANS4D_ITEMNO ON TRANS4D (ITEMNO);
CREATE INDEX IX_TRANS4D_TRDATE ON TRANS4D (TRDATE);

/* ---------------------------------------------------------------------------
   Quotations, delivery notes, purchase orders (no stock or balance effect)
   --------------------------------------------------------------------------- */

-- Quotation headers, POSTED = 1 once a sales invoice was made from it.
CREATE TABLE QUOT (
  QUOTNO     INTEGER NOT NULL,
  TRDATE     DATE,
  TIRMS      SMALLINT,
  ACCTNO     VARCHAR(9),
  CUSTNAME   VARCHAR(40),
  REFNO      VARCHAR(8),
  SUBAMNT    NUMERIC(18,2),
  DISPER     NUMERIC(18,4),
  DISVAL     NUMERIC(18,2),
  AMOUNT     NUMERIC(18,2),
  VTAX       NUMERIC(18,2),
  INVTOT     NUMERIC(18,2),
  VATPER     DOUBLE PRECISION,
  DISFLG     SMALLINT,
  USERID     VARCHAR(12),
  POSTED     SMALLINT,
  CONSTRAINT PK_QUOT PRIMARY KEY (QUOTNO)
);
CREATE INDEX IX_QUOT_TRDATE ON QUOT (TRDATE);

-- Quotation lines.
CREATE TABLE QUOTD (
  QUOTNO     INTEGER NOT NULL,
  LNO        SMALLINT NOT NULL,
  TRDATE     DATE,
  ITEMNO     VARCHAR(14),
  MFRID      SMALLINT,
  UINDEX     SMALLINT NOT NULL,
  QTYREQ     NUMERIC(18,4),
  UPRICE     NUMERIC(18,4),
  CONSTRAINT PK_QUOTD PRIMARY KEY (QUOTNO, LNO)
);
CREATE INDEX IX_QUOTD_ITEMNO ON QUOTD (ITEMNO);

-- Delivery note headers, POSTED = 1 once a sales invoice was made from it.
CREATE TABLE QREQ (
  QREQNO     INTEGER NOT NULL,
  TRDATE     DATE,
  TIRMS      SMALLINT,
  ACCTNO     VARCHAR(9),
  CUSTNAME   VARCHAR(30),
  LOCAT      VARCHAR(15),
  REFNO      VARCHAR(8),
  SUBAMNT    NUMERIC(18,2),
  DISPER     NUMERIC(18,4),
  DISVAL     NUMERIC(18,2),
  AMOUNT     NUMERIC(18,2),
  DISFLG     SMALLINT,
  USERID     VARCHAR(12),
  POSTED     SMALLINT,
  CONSTRAINT PK_QREQ PRIMARY KEY (QREQNO)
);
CREATE INDEX IX_QREQ_TRDATE ON QREQ (TRDATE);

-- Delivery note lines.
CREATE TABLE QREQD (
  QREQNO     INTEGER NOT NULL,
  LNO        SMALLINT NOT NULL,
  TRDATE     DATE,
  ACCTNO     VARCHAR(9),
  ITEMNO     VARCHAR(14),
  MFRID      SMALLINT,
  UINDEX     SMALLINT NOT NULL,
  QTYREQ     NUMERIC(18,4),
  UPRICE     NUMERIC(18,4),
  CONSTRAINT PK_QREQD PRIMARY KEY (QREQNO, LNO)
);
CREATE INDEX IX_QREQD_ITEMNO ON QREQD (ITEMNO);

-- Purchase order headers, POSTED = 1 once a purchase invoice was built from it.
CREATE TABLE PORDER (
  PORDNO     INTEGER NOT NULL,
  TRDATE     DATE,
  ACCTNO     VARCHAR(9),
  ATTN       VARCHAR(40),
  SALRID     VARCHAR(2),
  SUBAMNT    NUMERIC(18,2),
  DISPER     NUMERIC(18,4),
  DISVAL     NUMERIC(18,2),
  AMOUNT     NUMERIC(18,2),
  NOTES      VARCHAR(70),
  USERID     VARCHAR(12),
  POSTED     SMALLINT,
  CONSTRAINT PK_PORDER PRIMARY KEY (PORDNO)
);
CREATE INDEX IX_PORDER_TRDATE ON PORDER (TRDATE);

-- Purchase order lines.
CREATE TABLE PORDERD (
  PORDNO     INTEGER NOT NULL,
  LNO        SMALLINT NOT NULL,
  TRDATE     DATE,
  ITEMNO     VARCHAR(14),
  MFRID      SMALLINT,
  UINDEX     SMALLINT NOT NULL,
  QTYREQ     NUMERIC(18,4),
  UPRICE     NUMERIC(18,4),
  CONSTRAINT PK_PORDERD PRIMARY KEY (PORDNO, LNO)
);
CREATE INDEX IX_PORDERD_ITEMNO ON PORDERD (ITEMNO);

/* ---------------------------------------------------------------------------
   Receipt and payment vouchers
   --------------------------------------------------------------------------- */

-- Receipt vouchers: CR received from ACCTNO into ACCTNO2, POSTED = journal voucher.
CREATE TABLE RECPT (
  RVNO       INTEGER NOT NULL,
  TRDATE     DATE,
  ACCTNO     VARCHAR(9),
  ACCTNO2    VARCHAR(9),
  CR         NUMERIC(18,2),
  TIRMS      VARCHAR(8),
  CHKNO      VARCHAR(10),
  CHKBANK    VARCHAR(20),
  CHKDATE    DATE,
  DESCR      VARCHAR(75),
  DESC2      VARCHAR(75),
  SALRID     VARCHAR(3),
  CENTNO     INTEGER,
  USERID     VARCHAR(12),
  POSTED     INTEGER,
  CONSTRAINT PK_RECPT PRIMARY KEY (RVNO)
);
CREATE INDEX IX_RECPT_TRDATE ON RECPT (TRDATE);
CREATE INDEX IX_RECPT_ACCTNO ON RECPT (ACCTNO);

-- Payment voucher headers: DR paid out of ACCTNO2, POSTED = journal voucher.
CREATE TABLE PAID (
  PVNO       INTEGER NOT NULL,
  TRDATE     DATE,
  ACCTNO     VARCHAR(9),
  ACCTNO2    VARCHAR(9),
  DR         NUMERIC(18,2),
  TIRMS      VARCHAR(8),
  CHKNO      VARCHAR(10),
  CHKBANK    VARCHAR(20),
  CHKDATE    DATE,
  DESCR      VARCHAR(40),
  DESC2      VARCHAR(40),
  USERID     VARCHAR(12),
  POSTED     INTEGER,
  CONSTRAINT PK_PAID PRIMARY KEY (PVNO)
);
CREATE INDEX IX_PAID_TRDATE ON PAID (TRDATE);
CREATE INDEX IX_PAID_ACCTNO ON PAID (ACCTNO);

-- Payment voucher lines: one debited account each.
CREATE TABLE PAIDD (
  PVNO       INTEGER NOT NULL,
  LNO        SMALLINT NOT NULL,
  ACCTNO     VARCHAR(9),
  DR         NUMERIC(18,2),
  DESCR      VARCHAR(40),
  CENTNO     INTEGER,
  CONSTRAINT PK_PAIDD PRIMARY KEY (PVNO, LNO)
);
CREATE INDEX IX_PAIDD_ACCTNO ON PAIDD (ACCTNO);

-- Document numbers downwards: the last number, and the step back over a gap, read one
-- index entry instead of scanning the year. The schema upgrade adds them to older databases.
CREATE DESCENDING INDEX IXD_TRANS1_INVIN ON TRANS1 (INVIN);
CREATE DESCENDING INDEX IXD_TRANS2_INVOUT ON TRANS2 (INVOUT);
CREATE DESCENDING INDEX IXD_TRANS3_INVSEL ON TRANS3 (INVSEL);
CREATE DESCENDING INDEX IXD_TRANS4_INVRET ON TRANS4 (INVRET);
CREATE DESCENDING INDEX IXD_QREQ_QREQNO ON QREQ (QREQNO);
CREATE DESCENDING INDEX IXD_QUOT_QUOTNO ON QUOT (QUOTNO);
CREATE DESCENDING INDEX IXD_PORDER_PORDNO ON PORDER (PORDNO);
-- The latest sales invoice date, read when the sales screen opens.
CREATE DESCENDING INDEX IXD_TRANS3_TRDATE ON TRANS3 (TRDATE);

/* ---------------------------------------------------------------------------
   Work tables: private to a connection, kept across commits, gone on disconnect
   --------------------------------------------------------------------------- */

-- Journal lines being prepared by posting, TRNO is the sequence of the line in the set.
CREATE GLOBAL TEMPORARY TABLE ZGT_TRANS (
  TRNO       INTEGER,
  ACCTNO     VARCHAR(9),
  DR         NUMERIC(18,2),
  CR         NUMERIC(18,2),
  DESC1      VARCHAR(85),
  DESC2      VARCHAR(40),
  MNTH       SMALLINT,
  CENTNO     SMALLINT,
  CENTGNO    INTEGER
) ON COMMIT PRESERVE ROWS;

-- Lines of the sales invoice under entry.
CREATE GLOBAL TEMPORARY TABLE ZGT_TRANS3D (
  LNO        INTEGER NOT NULL,
  ITEMNO     VARCHAR(14),
  MFRID      SMALLINT,
  UINDEX     SMALLINT,
  QTYSOLD    NUMERIC(18,4),
  QSOLD      NUMERIC(18,4),
  UPRICE     NUMERIC(18,4),
  QTYRET     NUMERIC(18,4),
  UCOST      NUMERIC(18,2),
  SUBAMNT    NUMERIC(18,2),
  DISVAL     NUMERIC(18,2),
  DISPER     DOUBLE PRECISION,
  AMOUNT     NUMERIC(18,2),
  VATPER     NUMERIC(18,2),
  VATAMNT    NUMERIC(18,2),
  CONSTRAINT PK_ZGT_TRANS3D PRIMARY KEY (LNO)
) ON COMMIT PRESERVE ROWS;

-- Held sales invoices: headers, under their hold number in INVSEL.
CREATE GLOBAL TEMPORARY TABLE ZGT_TRNS3H (
  INVSEL     INTEGER,
  ACCTNO     VARCHAR(9),
  CUSTNAME   VARCHAR(40),
  LOCAT      VARCHAR(30),
  TIRMS      SMALLINT,
  REFNO      VARCHAR(12),
  QUOTNO     INTEGER,
  SALORD     INTEGER,
  DAYS       SMALLINT,
  DISFLG     SMALLINT,
  SALRID     VARCHAR(2)
) ON COMMIT PRESERVE ROWS;

-- Held sales invoices: lines, under the hold number of their header,
-- LNO keeps the order in which they were held.
CREATE GLOBAL TEMPORARY TABLE ZGT_TRNS3D (
  INVSEL     INTEGER,
  LNO        INTEGER,
  ITEMNO     VARCHAR(14),
  MFRID      SMALLINT,
  UCOST      NUMERIC(18,2),
  UINDEX     SMALLINT,
  QTYSOLD    NUMERIC(18,4),
  QSOLD      NUMERIC(18,4),
  UPRICE     NUMERIC(18,4),
  SUBAMNT    NUMERIC(18,2),
  DISVAL     NUMERIC(18,2),
  DISPER     DOUBLE PRECISION,
  AMOUNT     NUMERIC(18,2),
  VATPER     NUMERIC(18,2),
  VATAMNT    NUMERIC(18,2)
) ON COMMIT PRESERVE ROWS;

-- Header of the purchase invoice under entry (or prepared for re-entry),
-- FCOSTSR holds XRATE x TFCOST as of the last totals pass.
CREATE GLOBAL TEMPORARY TABLE ZGT_TRNS1H (
  INVIN      INTEGER,
  TRDATE     DATE,
  ACCTNO     VARCHAR(9),
  ACCTNO2    VARCHAR(9),
  SUPPNAME   VARCHAR(40),
  TAXCODE    VARCHAR(20),
  TIRMS      SMALLINT,
  REFNO      VARCHAR(12),
  PORDNO     INTEGER,
  NOTES      VARCHAR(80),
  SUBAMNT    NUMERIC(18,2),
  DISVAL     NUMERIC(18,2),
  AMOUNT     NUMERIC(18,2),
  VTAX       NUMERIC(18,2),
  VATPER     DOUBLE PRECISION,
  INVTOT     NUMERIC(18,2),
  SALRID     VARCHAR(2),
  USERID     VARCHAR(12),
  TFCOST     NUMERIC(18,2),
  XRATE      NUMERIC(18,4),
  FCOSTSR    NUMERIC(18,2),
  FRGHT      NUMERIC(18,2),
  CUSTM      NUMERIC(18,2),
  CLRNC      NUMERIC(18,2),
  DLVRY      NUMERIC(18,2),
  OTHRS      NUMERIC(18,2)
) ON COMMIT PRESERVE ROWS;

-- Lines of the purchase invoice under entry, UCOST in the currency of the supplier,
-- LNO keeps the entry order.
CREATE GLOBAL TEMPORARY TABLE ZGT_TRNS1D (
  INVIN      INTEGER,
  LNO        INTEGER,
  ITEMNO     VARCHAR(14),
  UINDEX     SMALLINT NOT NULL,
  MFRID      SMALLINT,
  QTYIN      NUMERIC(18,4),
  UCOST      NUMERIC(18,4),
  EDATE      DATE
) ON COMMIT PRESERVE ROWS;

-- Issue voucher prepared for re-entry after a delete: header.
CREATE GLOBAL TEMPORARY TABLE ZGT_TRNS2H (
  INVOUT     INTEGER,
  TRDATE     DATE,
  ACCTNO     VARCHAR(9),
  ACCTNO2    VARCHAR(9),
  TIRMS      SMALLINT,
  REFNO      VARCHAR(12),
  SUBAMNT    NUMERIC(18,2),
  DISPER     NUMERIC(18,4),
  DISVAL     NUMERIC(18,2),
  AMOUNT     NUMERIC(18,2),
  DESCR      VARCHAR(32),
  USERID     VARCHAR(12)
) ON COMMIT PRESERVE ROWS;

-- Issue voucher prepared for re-entry after a delete: lines, in LNO order.
CREATE GLOBAL TEMPORARY TABLE ZGT_TRNS2D (
  INVOUT     INTEGER,
  LNO        INTEGER,
  ITEMNO     VARCHAR(14),
  MFRID      SMALLINT,
  UINDEX     SMALLINT,
  QTYOUT     NUMERIC(18,4),
  QOUT       NUMERIC(18,4),
  UCOST      NUMERIC(18,4)
) ON COMMIT PRESERVE ROWS;

-- Lines of the payment voucher under entry.
CREATE GLOBAL TEMPORARY TABLE ZGT_PAIDD (
  LNO        SMALLINT NOT NULL,
  ACCTNO     VARCHAR(9),
  DR         NUMERIC(18,2),
  DESCR      VARCHAR(40),
  CENTNO     INTEGER,
  PRIMARY KEY (LNO)
) ON COMMIT PRESERVE ROWS;

-- Report rows summed per item, per customer or per salesman: items sold to a
-- customer, sales of an item by customer, quantities sold, fastest- and
-- non-moving items, items bought from a supplier, salesman sales by item.
CREATE GLOBAL TEMPORARY TABLE ZGT_SALESR (
  LNO        INTEGER,
  ITEMNO     VARCHAR(14),
  DESCR      VARCHAR(40),
  ACCTNO     VARCHAR(9),
  ACCTNAME   VARCHAR(40),
  SALRID     VARCHAR(3),
  TRDATE     DATE,
  QTY        NUMERIC(18,4),
  QSOLD      NUMERIC(18,4),
  QTYSOLD    NUMERIC(18,4),
  QTYRET     NUMERIC(18,4),
  NETQTY     NUMERIC(18,4),
  ONHAND     NUMERIC(18,4),
  UCOST      NUMERIC(18,4),
  UPRICE     NUMERIC(18,4),
  LTOTAL     NUMERIC(18,2),
  TOTCOST    NUMERIC(18,2),
  GPROFIT    NUMERIC(18,2),
  STKVAL     NUMERIC(18,2),
  STIMES     INTEGER,
  LDATE      DATE
) ON COMMIT PRESERVE ROWS;

-- Report rows per account: debit / credit balances by salesman or of customers,
-- collections (TOTCOL) and commission (PERC, TOTCOM) per account.
CREATE GLOBAL TEMPORARY TABLE ZGT_SALR (
  LNO        INTEGER,
  ACCTNO     VARCHAR(9),
  ACCTNAME   VARCHAR(40),
  TEL        VARCHAR(22),
  SALRID     VARCHAR(3),
  DR         NUMERIC(18,2),
  CR         NUMERIC(18,2),
  TOTCOL     NUMERIC(18,2),
  PERC       NUMERIC(18,4),
  TOTCOM     NUMERIC(18,2)
) ON COMMIT PRESERVE ROWS;

-- Daily income list: one row per sales invoice of the day (CASH / CREDIT with
-- their VAT, DIS the discount mark), then one row per receipt of the day.
CREATE GLOBAL TEMPORARY TABLE ZGT_DAILY1 (
  LNO        INTEGER,
  INVSEL     INTEGER,
  RVNO       INTEGER,
  TRDATE     DATE,
  TIRMS      SMALLINT,
  ACCTNO     VARCHAR(9),
  ACCTNAME   VARCHAR(40),
  CUSTNAME   VARCHAR(40),
  AMOUNT     NUMERIC(18,2),
  VTAX       NUMERIC(18,2),
  INVTOT     NUMERIC(18,2),
  DISFLG     SMALLINT,
  DISVAL     NUMERIC(18,2),
  DIS        VARCHAR(1),
  CASH       NUMERIC(18,2),
  CASHVT     NUMERIC(18,2),
  CREDIT     NUMERIC(18,2),
  CREDITVT   NUMERIC(18,2),
  CR         NUMERIC(18,2)
) ON COMMIT PRESERVE ROWS;

-- Income list for a period and cash movement: one row per day, TRDATE holding
-- the day as text.
CREATE GLOBAL TEMPORARY TABLE ZGT_DAILYR (
  LNO        INTEGER,
  TRDATE     VARCHAR(10),
  CASH       NUMERIC(18,2),
  CREDIT     NUMERIC(18,2),
  TOTSAL     NUMERIC(18,2),
  CASHRET    NUMERIC(18,2),
  CREDITRET  NUMERIC(18,2),
  TOTRET     NUMERIC(18,2),
  CASHSAL    NUMERIC(18,2),
  CASHPUR    NUMERIC(18,2),
  CR         NUMERIC(18,2),
  DR         NUMERIC(18,2),
  DAYBAL     NUMERIC(18,2)
) ON COMMIT PRESERVE ROWS;

-- Account statement lines (customer and comprehensive statements).
CREATE GLOBAL TEMPORARY TABLE ZGT_ACSTAT (
  TRDATE     DATE,
  LNO        INTEGER,
  DOCTYPE    VARCHAR(30),
  REFNO      VARCHAR(12),
  DOCNO      INTEGER,
  DR         NUMERIC(18,2),
  CR         NUMERIC(18,2),
  INVSEL     INTEGER,
  RVNO       INTEGER,
  INVRET     INTEGER,
  ACNOTE     INTEGER
) ON COMMIT PRESERVE ROWS;

-- Movement of one item (document number TRNO, one quantity column per kind),
-- also the list of counted items of the physical stock count (QTYIN = count).
CREATE GLOBAL TEMPORARY TABLE ZGT_ITMMOV (
  LNO        INTEGER,
  TRDATE     DATE,
  ITEMNO     VARCHAR(14),
  TRNO       INTEGER,
  REFNO      VARCHAR(12),
  QTYIN      NUMERIC(18,4),
  QTYOUT     NUMERIC(18,4),
  QTYSOLD    NUMERIC(18,4),
  QTYRET     NUMERIC(18,4)
) ON COMMIT PRESERVE ROWS;

-- Cumulative movement of one item: one row per month (MNTH), ONHAND the
-- running balance at the end of the month.
CREATE GLOBAL TEMPORARY TABLE ZGT_ITMMON (
  LNO        INTEGER,
  MNTH       SMALLINT,
  QTYIN      NUMERIC(18,4),
  QTYOUT     NUMERIC(18,4),
  QTYSOLD    NUMERIC(18,4),
  QTYRET     NUMERIC(18,4),
  ONHAND     NUMERIC(18,4)
) ON COMMIT PRESERVE ROWS;

-- Warehouse report for a period: one row per item.
CREATE GLOBAL TEMPORARY TABLE ZGT_FINREP (
  ITEMNO     VARCHAR(14) NOT NULL,
  PREBAL     NUMERIC(18,3),
  QTYIN      NUMERIC(18,2),
  QTYOUT     NUMERIC(18,2),
  QTYSOLD    NUMERIC(18,4),
  QTYRET     NUMERIC(18,4),
  UCOST      NUMERIC(18,4),
  CONSTRAINT PK_ZGT_FINREP PRIMARY KEY (ITEMNO)
) ON COMMIT PRESERVE ROWS;

/* ---------------------------------------------------------------------------
   Document numbers
   Each procedure reserves a number: it returns the last number issued and
   advances the generator, so the number "last + 1" a caller saves is given to
   no other workstation. After SET GENERATOR X_GEN TO N the next call returns N
   (the caller saves N + 1). After a document K was saved the next call returns K.
   --------------------------------------------------------------------------- */

CREATE GENERATOR INVIN_GEN;
CREATE GENERATOR INVOUT_GEN;
CREATE GENERATOR INVSEL_GEN;
CREATE GENERATOR INVRET_GEN;
CREATE GENERATOR QUOTNO_GEN;
CREATE GENERATOR QREQNO_GEN;
CREATE GENERATOR PORDNO_GEN;
CREATE GENERATOR TRNO_GEN;

SET TERM ^ ;

-- Purchase invoices.
CREATE PROCEDURE SPTRANS1
RETURNS (LINVIN INTEGER)
AS
BEGIN
  LINVIN = GEN_ID(INVIN_GEN, 1) - 1;
END^

-- Issue vouchers.
CREATE PROCEDURE SPTRANS2
RETURNS (LINVOUT INTEGER)
AS
BEGIN
  LINVOUT = GEN_ID(INVOUT_GEN, 1) - 1;
END^

-- Sales invoices.
CREATE PROCEDURE SPTRANS3
RETURNS (LINVSEL INTEGER)
AS
BEGIN
  LINVSEL = GEN_ID(INVSEL_GEN, 1) - 1;
END^

-- Return vouchers.
CREATE PROCEDURE SPTRANS4
RETURNS (LINVRET INTEGER)
AS
BEGIN
  LINVRET = GEN_ID(INVRET_GEN, 1) - 1;
END^

-- Quotations.
CREATE PROCEDURE SPQUOT
RETURNS (LQUOTNO INTEGER)
AS
BEGIN
  LQUOTNO = GEN_ID(QUOTNO_GEN, 1) - 1;
END^

-- Delivery notes.
CREATE PROCEDURE SPQREQ
RETURNS (LQREQNO INTEGER)
AS
BEGIN
  LQREQNO = GEN_ID(QREQNO_GEN, 1) - 1;
END^

-- Purchase orders.
CREATE PROCEDURE SPPORDER
RETURNS (LPORDNO INTEGER)
AS
BEGIN
  LPORDNO = GEN_ID(PORDNO_GEN, 1) - 1;
END^

-- Journal vouchers.
CREATE PROCEDURE SPTRANS
RETURNS (LTRNO INTEGER)
AS
BEGIN
  LTRNO = GEN_ID(TRNO_GEN, 1) - 1;
END^

/* ---------------------------------------------------------------------------
   Server date and journal voucher totals
   --------------------------------------------------------------------------- */

-- The current date of the server (first output) and time.
CREATE PROCEDURE SPCDATE
RETURNS (CDATE DATE, CTIME TIME)
AS
BEGIN
  CDATE = CURRENT_DATE;
  CTIME = CURRENT_TIME;
END^

-- Debit and credit totals of journal voucher MLEDTRNO (0 when it has no lines).
CREATE PROCEDURE SPLEDTOT (MLEDTRNO INTEGER)
RETURNS (MDBTDR NUMERIC(18,2), MCRTCR NUMERIC(18,2))
AS
BEGIN
  SELECT COALESCE(SUM(DR), 0), COALESCE(SUM(CR), 0)
    FROM TRANS
   WHERE TRNO = :MLEDTRNO
    INTO :MDBTDR, :MCRTCR;
END^

SET TERM ; ^
