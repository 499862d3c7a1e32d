#include "admin/DataFolder.h"
#include "admin/DemoDocuments.h"
#include "core/Paths.h"
#include "core/Rights.h"
#include "db/Connection.h"
#include "db/Script.h"
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <set>

namespace kv::admin {

namespace {

using db::Connection;
using db::Transaction;
using db::Value;

bool validYear(const QString& year) {
    bool ok = false;
    const int y = year.toInt(&ok);
    return ok && year.size() == 4 && y >= 1000 && y <= 9999;
}

QString stripTrailingSeparator(QString path) {
    while (path.size() > 1 && (path.endsWith(QLatin1Char('/')) || path.endsWith(QLatin1Char('\\'))) &&
           !path.endsWith(QLatin1String(":\\")))
        path.chop(1);
    return path;
}

// The program folder written as the fourth line of AcDb.txt.
QString programFolder() {
    if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

// The column list "A, B, C" and the matching ":A, :B, :C".
QString columnList(const QStringList& cols) { return cols.join(QStringLiteral(", ")); }
QString parameterList(const QStringList& cols) {
    QStringList p;
    for (const QString& c : cols) p << QLatin1Char(':') + c;
    return p.join(QStringLiteral(", "));
}

// Inserts one user with every right flag set to `flag`, except those listed in `granted`
// which are "T" (the list is ignored when `flag` is already "T").
void insertUser(Transaction& tr, const QString& name, const QString& password, const QString& flag,
                const std::set<core::Right>& granted = {}) {
    QStringList cols{QStringLiteral("USERNM"), QStringLiteral("USERID")};
    for (int i = 0; i < core::RightCount; ++i) cols << core::rightColumn(core::rightAt(i));
    db::Query q(tr, QStringLiteral("insert into SUSERS (%1) values (%2)").arg(columnList(cols), parameterList(cols)));
    q.bind(QStringLiteral("USERNM"), name);
    q.bind(QStringLiteral("USERID"), password);
    for (int i = 0; i < core::RightCount; ++i) {
        const core::Right r = core::rightAt(i);
        q.bind(core::rightColumn(r), granted.count(r) ? QStringLiteral("T") : flag);
    }
    q.execute();
    // Print settings row with the default invoice margins (inches).
    tr.execute(QStringLiteral("insert into REPINFO (USERNM, TMAR, LMAR, RVTMAR, RVLMAR) "
                              "values (:USERNM, 0.394, 0.174, 0, 0)"),
               {{"USERNM", name}});
}

// The FIRM row of a new firm: no names yet, the usual settings.
void insertFirm(Transaction& tr) {
    static const char* const noFlags[] = {
        "TRNSEQ", "NQIN", "NQOUT", "NQSLD", "NQRET", "DQIN", "DQOUT", "DQSLD", "DQRET",
        "NRVNO", "NPVNO", "NNOTC", "DRVNO", "DPVNO", "DNOTC", "RVPOST", "PVPOST", "AUPOST",
        "QRETINV", "HIDEDIS", "XQSEL", "XQISS", "LINKART", "BCCHKSUM", "BCUSE",
        "OPT01", "OPT02", "OPT03", "OPT04", "OPT05"};
    QStringList cols, values;
    for (const char* c : noFlags) {
        cols << QString::fromLatin1(c);
        values << QStringLiteral("'F'");
    }
    // Yes-flags, cost method (average), selling unit (both units), two-digit item groups,
    // classic invoice layout, VAT percentage, and the barcode label defaults.
    const std::pair<const char*, const char*> fixed[] = {
        {"ISSALR", "'T'"}, {"PHEADER", "'T'"},
        {"ACCTTYPE", "'12'"}, {"ACCTTYP2", "'20'"}, {"COSTPR", "1"}, {"SELUNIT", "2"}, {"ARTNUM", "2"}, {"SELFORM", "0"}, {"VATPER", "15"},
        {"BCTOP", "25"}, {"BCLEFT", "5"}, {"BCHEIGHT", "50"}, {"BCMODULE", "2"}, {"BCTYPE", "3"},
        {"BCANGEL", "0"},
        {"FIRMNAME", "''"}, {"ADDR", "''"}, {"TEL", "''"}, {"TEL1", "''"}, {"REGTELNO", "''"},
        {"TAXCODE", "''"}, {"SYSBAK", "''"}, {"BCTITLE", "''"}};
    for (const auto& [c, v] : fixed) {
        cols << QString::fromLatin1(c);
        values << QString::fromLatin1(v);
    }
    tr.execute(QStringLiteral("insert into FIRM (%1) values (%2)").arg(columnList(cols), values.join(QStringLiteral(", "))));
}

void fillMain(Connection& main, const InitOptions& o) {
    Transaction tr(main);
    insertFirm(tr);
    tr.execute(QStringLiteral("insert into BRANCH (BRNO, BRNAME, NOTES, INVSNO, SALESV) "
                              "values ('01', '', '', 'F', 'F')"));
    tr.execute(QStringLiteral("insert into YEARS (CYEAR) values (:CYEAR)"), {{"CYEAR", Value(std::int64_t(o.year.toInt()))}});
    insertUser(tr, core::adminName(), o.adminPassword, QStringLiteral("T"));
    tr.commit();
}

// Creates an empty database and records it in `created` before anything can fail on it.
std::unique_ptr<Connection> createDatabase(const QString& server, const QString& path, QStringList& created) {
    auto c = Connection::create({server, path, QString(), QString()});
    created << path;
    return c;
}

void runSchema(Connection& c, const QString& script) {
    const QString text = db::schemaScript(script);
    if (text.trimmed().isEmpty()) throw db::DbError(QStringLiteral("the schema script %1 is missing").arg(script));
    db::runScript(c, text);
}

// Does a database answer at `path` on the server?
bool serverFileExists(const QString& server, const QString& path) {
    try {
        auto c = Connection::open({server, path, QString(), QString()});
        return true;
    } catch (const db::DbError&) {
        return false;
    }
}

} // namespace

InitResult createDataFolder(const InitOptions& options) {
    InitResult r;
    InitOptions o = options;
    o.server = o.server.trimmed();
    o.year = o.year.trimmed();
    if (o.dir.trimmed().isEmpty()) {
        r.error = QStringLiteral("no data folder given");
        return r;
    }
    if (!validYear(o.year)) {
        r.error = QStringLiteral("invalid year \"%1\": four digits, e.g. 2026 or 1447").arg(o.year);
        return r;
    }
    if (o.adminPassword.isEmpty() || o.adminPassword.size() > 6) {
        r.error = QStringLiteral("the administrator password must have 1 to 6 characters");
        return r;
    }

    const bool local = o.server.isEmpty();
    // A local folder is made absolute; a server folder is taken as the server writes it.
    const QString dir = local ? QDir::cleanPath(QDir(o.dir).absolutePath()) : stripTrailingSeparator(o.dir.trimmed());
    const QString mainPath = core::joinServerPath(dir, QStringLiteral("MAIN.FDB"));
    const QString templatePath = core::joinServerPath(dir, QStringLiteral("AC.FDB"));
    const QString yearPath = core::joinServerPath(dir, QStringLiteral("AC%1.FDB").arg(o.year));
    const QStringList targets{mainPath, templatePath, yearPath};

    // The server may be this machine: then its folder is visible here too.
    const bool visibleHere = local || QFileInfo(dir).isDir();
    for (const QString& t : targets) {
        if ((visibleHere && QFileInfo::exists(t)) || (!local && serverFileExists(o.server, t))) {
            r.error = QStringLiteral("%1 already exists; nothing was changed").arg(t);
            return r;
        }
    }

    bool madeDir = false;
    if (local && !QFileInfo(dir).isDir()) {
        if (!QDir().mkpath(dir)) {
            r.error = QStringLiteral("cannot create the folder %1").arg(dir);
            return r;
        }
        madeDir = true;
    }

    QStringList created;
    try {
        {
            auto main = createDatabase(o.server, mainPath, created);
            runSchema(*main, QStringLiteral("system.sql"));
            fillMain(*main, o);
        }
        {
            auto tmpl = createDatabase(o.server, templatePath, created);
            runSchema(*tmpl, QStringLiteral("year.sql"));
        }
        // The first year starts as a copy of the template, as every later year does; a
        // folder only the server can reach gets its own run of the script.
        if (local) {
            if (!QFile::copy(templatePath, yearPath)) throw db::DbError(QStringLiteral("cannot write %1").arg(yearPath));
            created << yearPath;
            QFile(yearPath).setPermissions(QFile(templatePath).permissions());
        } else {
            auto year = createDatabase(o.server, yearPath, created);
            runSchema(*year, QStringLiteral("year.sql"));
        }
        if (o.demo) fillDemo(mainPath, yearPath, o.server);
    } catch (const db::DbError& e) {
        r.error = e.text();
    } catch (const std::exception& e) {
        r.error = QString::fromLocal8Bit(e.what());
    }

    if (!r.error.isEmpty()) {
        // Leave the folder as it was: remove what this run created.
        QStringList left;
        for (const QString& f : created)
            if (!(visibleHere && QFile::remove(f))) left << f;
        if (madeDir) QDir().rmdir(dir);
        if (!left.isEmpty()) r.error += QStringLiteral("\nleft behind on the server: ") + left.join(QStringLiteral(", "));
        return r;
    }

    r.ok = true;
    r.acDbLines = QStringList{o.server, mainPath, dir, programFolder()};
    return r;
}

namespace {

db::Decimal money(std::int64_t cents) { return db::Decimal(cents, 2); }

// The demo year's master files: ledger links, item groups with a few hundred items in two units,
// customers under the customers' main account, suppliers, salesmen.
void fillDemoYear(Connection& year) {
    Transaction tr(year);
    struct Main { const char* no; const char* name; const char* type; };
    const Main mains[] = {
        {"11", "الصندوق والبنوك", "11"}, {"12", "العملاء", "12"},        {"13", "المخزون", "13"},
        {"20", "الموردون", "20"},        {"22", "ضريبة القيمة المضافة", "22"}, {"41", "المبيعات", "600"},
        {"51", "تكلفة المبيعات", "600"}, {"61", "المصروفات العمومية", "700"},
    };
    for (const Main& m : mains)
        tr.execute(QStringLiteral("insert into MACT (MACTNO, MACTNM, ACCTTYPE) values (:N, :M, :T)"),
                   {{"N", QString::fromUtf8(m.no)}, {"M", QString::fromUtf8(m.name)}, {"T", QString::fromUtf8(m.type)}});

    struct Salesman { const char* id; const char* name; std::int64_t perc; };
    const Salesman salesmen[] = {{"01", "عبدالله الحربي", 200}, {"02", "فهد القحطاني", 150}, {"03", "ماجد العتيبي", 250}};
    for (const Salesman& m : salesmen)
        tr.execute(QStringLiteral("insert into SALREP (SALRID, NAME, PERC, PERCB) values (:I, :N, :P, :P)"),
                   {{"I", QString::fromUtf8(m.id)}, {"N", QString::fromUtf8(m.name)}, {"P", money(m.perc)}});

    db::Query acct(tr, QStringLiteral(
        "insert into ACCT (ACCTNO, ACCTNAME, ACCTTYPE, MACTNO, TEL, SALRID, CRLIMIT1, CRLIMIT2, SPRICE, ISACTIVE,"
        " CITY, TAXCODE) values (:NO, :NAME, :TYPE, :MACT, :TEL, :SALRID, :DAYS, :LIMIT, 0, 0, :CITY, :TAX)"));
    auto addAccount = [&](const QString& mact, int serial, const QString& name, const QString& type, const QString& tel,
                          const QString& salesman, std::int64_t days, std::int64_t limitCents, const QString& tax) {
        acct.bind("NO", mact + QStringLiteral("%1").arg(serial, 4, 10, QLatin1Char('0')))
            .bind("NAME", name).bind("TYPE", type).bind("MACT", mact)
            .bind("TEL", tel.isEmpty() ? db::Value(db::Null{}) : db::Value(tel))
            .bind("SALRID", salesman.isEmpty() ? db::Value(db::Null{}) : db::Value(salesman))
            .bind("DAYS", money(days * 100)).bind("LIMIT", money(limitCents))
            .bind("CITY", QStringLiteral("الرياض"))
            .bind("TAX", tax.isEmpty() ? db::Value(db::Null{}) : db::Value(tax));
        acct.execute();
    };
    addAccount(QStringLiteral("11"), 1, QStringLiteral("الصندوق الرئيسي"), QStringLiteral("11"), {}, {}, 0, 0, {});
    addAccount(QStringLiteral("11"), 2, QStringLiteral("البنك الأهلي - الحساب الجاري"), QStringLiteral("11"), {}, {}, 0, 0, {});
    addAccount(QStringLiteral("13"), 1, QStringLiteral("المشتريات"), QStringLiteral("13"), {}, {}, 0, 0, {});
    addAccount(QStringLiteral("13"), 2, QStringLiteral("مخزون البضاعة"), QStringLiteral("13"), {}, {}, 0, 0, {});
    addAccount(QStringLiteral("22"), 1, QStringLiteral("ضريبة القيمة المضافة - المخرجات"), QStringLiteral("22"), {}, {}, 0, 0, {});
    addAccount(QStringLiteral("22"), 2, QStringLiteral("ضريبة القيمة المضافة - المدخلات"), QStringLiteral("22"), {}, {}, 0, 0, {});
    addAccount(QStringLiteral("41"), 1, QStringLiteral("مبيعات البضاعة"), QStringLiteral("600"), {}, {}, 0, 0, {});
    addAccount(QStringLiteral("51"), 1, QStringLiteral("تكلفة البضاعة المباعة"), QStringLiteral("600"), {}, {}, 0, 0, {});
    addAccount(QStringLiteral("61"), 1, QStringLiteral("مصروفات النقل"), QStringLiteral("700"), {}, {}, 0, 0, {});

    const char* customers[] = {"عميل نقدي", "مؤسسة الأمل التجارية", "شركة النور للتموين", "بقالة الريان", "سوبرماركت الفيصل",
                               "مطعم الديوان", "مؤسسة السلام", "تموينات البركة", "شركة الخليج للأغذية", "أسواق المدينة",
                               "مخبز الصباح", "مؤسسة الهدى", "مقهى الشرفة", "فندق الروضة", "تموينات الجزيرة",
                               "شركة الفجر", "بقالة النخيل", "مؤسسة الوفاء", "مطاعم السنابل", "أسواق الياسمين"};
    int serial = 0;
    for (const char* c : customers) {
        ++serial;
        const bool cash = serial == 1;
        addAccount(QStringLiteral("12"), serial, QString::fromUtf8(c), QStringLiteral("12"),
                   QStringLiteral("05%1").arg(50000000 + serial * 137731), cash ? QString() : QString::fromUtf8(salesmen[serial % 3].id),
                   cash ? 0 : 30, cash ? 0 : (serial % 4 == 0 ? 0 : 2000000 + serial * 50000),
                   serial % 3 == 0 ? QStringLiteral("3%1").arg(qint64(1000000000000) + serial * 7919, 13, 10, QLatin1Char('0')) + QStringLiteral("3")
                                   : QString());
    }
    const char* suppliers[] = {"شركة المراعي للتوزيع", "مصنع الصافي للمنظفات", "الشركة الوطنية للأرز", "مؤسسة الشرق للمعلبات",
                               "شركة الواحات للمياه", "مصنع الحلويات الحديثة"};
    serial = 0;
    for (const char* c : suppliers) {
        // The VAT number is made from the serial before this supplier's: the demo's numbers stay as they were.
        const QString taxCode =
            QStringLiteral("3%1").arg(qint64(2000000000000) + serial * 104729, 13, 10, QLatin1Char('0')) + QStringLiteral("3");
        addAccount(QStringLiteral("20"), ++serial, QString::fromUtf8(c), QStringLiteral("20"), {}, {}, 60, 0, taxCode);
    }

    struct Group { const char* no; const char* name; const char* sub; std::vector<const char*> items; };
    const Group groups[] = {
        {"10", "مواد غذائية", "كيس", {"سكر", "أرز بسمتي", "دقيق", "عدس", "معكرونة", "ملح", "شاي", "قهوة عربية"}},
        {"11", "ألبان وأجبان", "علبة", {"حليب طويل الأجل", "لبن", "جبن شرائح", "زبدة", "قشطة"}},
        {"12", "مشروبات", "عبوة", {"مياه معدنية", "عصير برتقال", "عصير مانجو", "مشروب غازي", "زيت ذرة", "زيت زيتون"}},
        {"13", "منظفات", "عبوة", {"صابون سائل", "منظف أرضيات", "مسحوق غسيل", "معطر جو", "مناديل ورقية"}},
        {"14", "معلبات", "علبة", {"تونة", "فول مدمس", "حمص", "ذرة حلوة", "فاصوليا"}},
        {"15", "حلويات وتمور", "علبة", {"شوكولاتة", "بسكويت", "حلاوة طحينية", "تمر سكري"}},
    };
    const char* sizes[] = {"صغير", "وسط", "كبير", "عائلي", "اقتصادي", "ممتاز", "عضوي", "مستورد", "محلي"};
    const int packs[] = {6, 12, 24};
    db::Query item(tr, QStringLiteral(
        "insert into STOCK (ITEMNO, DESCR, UNIT, SUBUNIT, QUNITS, ARTNO, UPRICE, UPRICE2, UPRICEC, UPRICE2C, UCOST,"
        " MINSTOCK, LOCATION) values (:NO, :DESCR, :UNIT, :SUB, :Q, :ART, :P1, :P2, :P1C, :P2C, :COST, :MIN, :LOC)"));
    int n = 0;
    for (const Group& g : groups) {
        tr.execute(QStringLiteral("insert into MSTOCK (ARTNO, ARTNM) values (:A, :N)"),
                   {{"A", QString::fromUtf8(g.no)}, {"N", QString::fromUtf8(g.name)}});
        int k = 0;
        for (const char* base : g.items) {
            for (const char* size : sizes) {
                ++n;
                ++k;
                const int q = packs[n % 3];
                const std::int64_t piece = 150 + (n * 37) % 2350;     // price of one small unit, in cents
                const std::int64_t carton = piece * q * 95 / 100;      // a little less per piece by the carton
                item.bind("NO", QString::fromUtf8(g.no) + QStringLiteral("%1").arg(k, 3, 10, QLatin1Char('0')))
                    .bind("DESCR", QString::fromUtf8(base) + QLatin1Char(' ') + QString::fromUtf8(size))
                    .bind("UNIT", QStringLiteral("كرتون")).bind("SUB", QString::fromUtf8(g.sub))
                    .bind("Q", money(q * 100)).bind("ART", QString::fromUtf8(g.no))
                    .bind("P1", money(carton)).bind("P2", money(piece))
                    .bind("P1C", money(carton * 105 / 100)).bind("P2C", money(piece * 105 / 100))
                    .bind("COST", money(piece * 75 / 100)).bind("MIN", 2)
                    .bind("LOC", QStringLiteral("%1-%2").arg(QString::fromUtf8(g.no)).arg(k % 12 + 1));
                item.execute();
            }
        }
    }
    tr.commit();
}

} // namespace

void fillDemo(const QString& mainDb, const QString& yearDb, const QString& server) {
    {
        auto year = Connection::open({server, yearDb, QString(), QString()});
        fillDemoYear(*year);
    }
    auto main = Connection::open({server, mainDb, QString(), QString()});
    Transaction tr(*main);
    tr.execute(QStringLiteral(
                   "update FIRM set FIRMNAME = :FIRMNAME, ADDR = :ADDR, TEL = :TEL, TEL1 = :TEL1, "
                   "REGTELNO = :REGTELNO, TAXCODE = :TAXCODE, BUILDNO = :BUILDNO, STREETNM = :STREETNM, "
                   "STREETNME = :STREETNME, DISTRICT = :DISTRICT, DISTRICTE = :DISTRICTE, CITY = :CITY, "
                   "CITYE = :CITYE, COUNTRY = :COUNTRY, COUNTRYE = :COUNTRYE, PCODE = :PCODE, "
                   "ADDRN2 = :ADDRN2, SYSBAK = :SYSBAK, BCTITLE = :BCTITLE"),
               {{"FIRMNAME", QStringLiteral("مؤسسة الواحة للتجارة")},
                {"ADDR", QStringLiteral("الرياض - حي العليا - شارع التحلية")},
                {"TEL", QStringLiteral("011-4651234")},
                {"TEL1", QStringLiteral("0551234567")},
                {"REGTELNO", QStringLiteral("1010456789")},
                {"TAXCODE", QStringLiteral("310123456700003")},
                {"BUILDNO", QStringLiteral("7421")},
                {"STREETNM", QStringLiteral("شارع التحلية")},
                {"STREETNME", QStringLiteral("Tahlia Street")},
                {"DISTRICT", QStringLiteral("حي العليا")},
                {"DISTRICTE", QStringLiteral("Al Olaya")},
                {"CITY", QStringLiteral("الرياض")},
                {"CITYE", QStringLiteral("Riyadh")},
                {"COUNTRY", QStringLiteral("المملكة العربية السعودية")},
                {"COUNTRYE", QStringLiteral("Saudi Arabia")},
                {"PCODE", QStringLiteral("12241")},
                {"ADDRN2", QStringLiteral("3344")},
                {"SYSBAK", QStringLiteral("\\WAHA")},
                {"BCTITLE", QStringLiteral("مؤسسة الواحة")}});
    // The demo year's ledger classes and link accounts.
    tr.execute(QStringLiteral(
        "update FIRM set ACCTTYPE = '12', ACCTTYP2 = '20', ACCTNO1 = '110001', ACCTNO2 = '130001', ACCTNO3 = '410001',"
        " ACCTNO4 = '130002', ACCTNO5 = '510001', ACCTNO6 = '220001', ACCTNO7 = '220002'"));
    tr.execute(QStringLiteral("update BRANCH set BRNAME = :BRNAME, NOTES = :NOTES"),
               {{"BRNAME", QStringLiteral("الفرع الرئيسي")},
                {"NOTES", QStringLiteral("البضاعة المباعة لا ترد ولا تستبدل بعد سبعة أيام من تاريخ الشراء")}});
    using core::Right;
    insertUser(tr, QStringLiteral("سالم"), QStringLiteral("1111"), QStringLiteral("F"),
               {Right::T05, Right::T07, Right::T16, Right::R04, Right::R14});
    tr.commit();
    fillDemoDocuments(mainDb, yearDb, server);
}

} // namespace kv::admin
