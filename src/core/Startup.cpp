#include "core/Startup.h"
#include "core/Dates.h"
#include "core/Paths.h"
#include "core/SchemaUpgrade.h"
#include "core/StartupRules.h"
#include "db/Connection.h"

namespace kv::core {

using db::DbError;
using db::Query;
using db::Transaction;

namespace {
QString reachError() { return QString::fromUtf8(text::dbUnreachable()); }
} // namespace

QString Startup::yearDatabasePath(const QString& year) const {
    return joinServerPath(s_.mIBPath, QStringLiteral("AC") + year + QStringLiteral(".FDB"));
}

std::optional<StartupError> Startup::openDatabases() {
    if (isLocalhostName(s_.mServer)) return StartupError{QStringLiteral("Invalid Server name"), false, true};
    s_.mPWord = db::defaultDbPassword();
    try {
        s_.FirmDB = db::Connection::open({s_.mServer, s_.mIBMain, QString(), s_.mPWord});
    } catch (const DbError& e) {
        return StartupError{e.text()};
    }
    try {
        loadFirmSettings();
    } catch (const DbError&) {
        s_.FirmDB.reset();
        return StartupError{reachError()};
    }
    try {
        const QStringList ys = years();
        if (ys.isEmpty()) {
            s_.FirmDB.reset();
            return StartupError{QStringLiteral("لا توجد سنة مالية في جدول السنوات")};
        }
        s_.LastYr = s_.CurrYr = ys.last();
        s_.MainDB = db::Connection::open({s_.mServer, yearDatabasePath(s_.CurrYr), QString(), s_.mPWord});
        Transaction tr(*s_.MainDB);
        Query q(tr, QStringLiteral("select coalesce(max(TRNO), 0) as N from TRANS"));
        q.execute();
        s_.mTrNo = q.next() ? int(q.integer("N")) : 0;
    } catch (const DbError& e) {
        s_.MainDB.reset();
        s_.FirmDB.reset();
        return StartupError{e.text()};
    }
    return std::nullopt;
}

std::optional<StartupError> Startup::finish() {
    try {
        upgradeYearDatabase(*s_.MainDB);
        computeLTrDate();
    } catch (const DbError& e) {
        return StartupError{e.text()};
    }
    return std::nullopt;
}

QStringList Startup::years() const {
    QStringList out;
    Transaction tr(*s_.FirmDB);
    Query q(tr, QStringLiteral("select CYEAR from YEARS order by CYEAR"));
    q.execute();
    while (q.next()) out << QString::number(q.integer("CYEAR"));
    return out;
}

void Startup::openYear(const QString& year) {
    auto next = db::Connection::open({s_.mServer, yearDatabasePath(year), QString(), s_.mPWord});
    if (s_.MainDB) s_.MainDB->close();
    s_.MainDB = std::move(next);
    s_.CurrYr = year;
    upgradeYearDatabase(*s_.MainDB);
}

void Startup::loadFirmSettings() {
    Transaction tr(*s_.FirmDB);
    Query f(tr, QStringLiteral("select * from FIRM"));
    f.execute();
    if (f.next()) {
        auto t = [&](const char* c) { return f.text(QString::fromLatin1(c)); };
        s_.mFirmN = t("FIRMNAME");
        s_.mAddrs = t("ADDR");
        s_.mTelNo = t("TEL");
        s_.mCRReg = t("REGTELNO");
        s_.mTaxCd = QStringLiteral("الرقم الضريبي للمنشأة: ") + t("TAXCODE");
        s_.mVatTx = f.real(QStringLiteral("VATPER"));
        s_.cBuildNo = t("BUILDNO");
        s_.cStreetNm = t("STREETNM");
        s_.cStreetNmE = t("STREETNME");
        s_.cDistrict = t("DISTRICT");
        s_.cDistrictE = t("DISTRICTE");
        s_.cCity = t("CITY");
        s_.cCityE = t("CITYE");
        s_.cCountry = t("COUNTRY");
        s_.cCountryE = t("COUNTRYE");
        s_.cPCode = t("PCODE");
        s_.cAddrN2 = t("ADDRN2");
        s_.cTaxCode = t("TAXCODE");
        s_.cOtherID = t("OTHERID");
        s_.mvSysBak = t("SYSBAK").trimmed().mid(1, 9);
        s_.jAcctNo = t("ACCTNO1");
        s_.gAcct2 = t("ACCTNO2");
        s_.gAcct3 = t("ACCTNO3");
        s_.gAcct4 = t("ACCTNO4");
        s_.gAcct5 = t("ACCTNO5");
        s_.vtAcNo6 = t("ACCTNO6");
        s_.vtAcNo7 = t("ACCTNO7");
        s_.gAType = t("ACCTTYPE");
        s_.gATyp2 = t("ACCTTYP2");
        s_.aAcct1 = t("ACCT1");
        s_.aAcct2 = t("ACCT2");
        s_.aAcct3 = t("ACCT3");
        s_.aTRNSEQ = t("TRNSEQ");
        s_.aISSALR = t("ISSALR");
        s_.gAuPost = t("AUPOST");
        s_.gQRetInv = t("QRETINV");
        s_.gHideDis = t("HIDEDIS");
        s_.gXQSel = t("XQSEL");
        s_.gXQIss = t("XQISS");
        s_.gNQin = t("NQIN");
        s_.gNQOut = t("NQOUT");
        s_.gNQSld = t("NQSLD");
        s_.gNQRet = t("NQRET");
        s_.gNRvNo = t("NRVNO");
        s_.gNPvNo = t("NPVNO");
        s_.gNNotc = t("NNOTC");
        s_.gDQin = t("DQIN");
        s_.gDQOut = t("DQOUT");
        s_.gDQSld = t("DQSLD");
        s_.gDQRet = t("DQRET");
        s_.gDRvNo = t("DRVNO");
        s_.gDPvNo = t("DPVNO");
        s_.gDNotc = t("DNOTC");
        s_.gCostPr = t("COSTPR");
        s_.gSelUnit = t("SELUNIT");
        s_.gLinkArt = t("LINKART");
        s_.gPHeader = t("PHEADER");
        s_.gArtNum = int(f.integer(QStringLiteral("ARTNUM")));
        s_.vSelForm = int(f.integer(QStringLiteral("SELFORM")));
        s_.gTop = int(f.integer(QStringLiteral("BCTOP")));
        s_.gLeft = int(f.integer(QStringLiteral("BCLEFT")));
        s_.gHeight = int(f.integer(QStringLiteral("BCHEIGHT")));
        s_.gModule = int(f.integer(QStringLiteral("BCMODULE")));
        s_.gType = int(f.integer(QStringLiteral("BCTYPE")));
        s_.gAngel = f.real(QStringLiteral("BCANGEL"));
        s_.gChkSum = t("BCCHKSUM");
        s_.gTitle = t("BCTITLE");
        s_.gBCUse = t("BCUSE");
    }
    Query b(tr, QStringLiteral("select BRNO, BRNAME, NOTES from BRANCH"));
    b.execute();
    if (b.next()) {
        s_.mvBrNo = b.text(QStringLiteral("BRNO"));
        s_.mvBrNm = b.text(QStringLiteral("BRNAME"));
        s_.mGNote = b.text(QStringLiteral("NOTES"));
    }
}

void Startup::computeLTrDate() {
    std::array<std::optional<QDate>, 6> found;
    Transaction tr(*s_.MainDB);
    for (size_t i = 0; i < latestDateTables.size(); ++i) {
        try {
            Query q(tr, QStringLiteral("select max(TRDATE) as D from ") + QString::fromLatin1(latestDateTables[i]));
            q.execute();
            if (q.next()) found[i] = q.date(QStringLiteral("D"));
        } catch (const DbError&) {
            // A table this year database does not have yet counts as empty.
        }
    }
    s_.LTrDate = latestDocumentDate(found, s_.mcHDate);
}

HijriProposal beginHijriConfirmation(Session& s, const QDate& today) {
    Transaction tr(*s.FirmDB);
    Query q(tr, QStringLiteral("select GDATE, HDATE from FIRM"));
    q.execute();
    HijriProposal p;
    p.gdate = today;
    if (!q.next()) return p;
    const QDate g = q.date(QStringLiteral("GDATE"));
    const QDate h = q.date(QStringLiteral("HDATE"));
    if (g.isValid()) {
        p.hdate = h.isValid() ? addHijriDays(h, int(g.daysTo(today))) : QDate();
    } else {
        // First confirmation: the Gregorian date is recorded at once, the Hijri one is typed.
        tr.execute(QStringLiteral("update FIRM set GDATE = :G, HDATE = null"), {{"G", today}});
        tr.commit();
    }
    return p;
}

bool confirmHijriDate(Session& s, const QDate& gdate, const QDate& hdate, QString* error) {
    if (!hdate.isValid() || !storableHijri(hdate.year(), hdate.month(), hdate.day())) {
        if (error) *error = s.msg.mNoDte.isEmpty() ? QStringLiteral("التاريخ غير صحيح") : s.msg.mNoDte;
        return false;
    }
    Transaction tr(*s.FirmDB);
    tr.execute(QStringLiteral("update FIRM set GDATE = :G, HDATE = :H"), {{"G", gdate}, {"H", hdate}});
    tr.commit();
    s.mcHDate = hdate;
    return true;
}

} // namespace kv::core
