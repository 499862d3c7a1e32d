#include "tools/PrintSettings.h"

#include "core/Session.h"
#include "db/Connection.h"
#include "tools/Page.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QUrl>

namespace kv::tools {

using db::Query;
using db::Transaction;

namespace {

std::optional<double> optReal(const Query& q, const char* col)
{
    const QString name = QString::fromLatin1(col);
    if (q.isNull(name))
        return std::nullopt;
    return q.real(name);
}

QString flag(bool on)
{
    return on ? QStringLiteral("T") : QStringLiteral("F");
}

void upsertMargins(db::Connection& system, const QString& user, const char* topCol, const char* leftCol, double top,
                   double left)
{
    Transaction tr(system);
    const QString set = QStringLiteral("update REPINFO set %1 = :T, %2 = :L where USERNM = :U")
                            .arg(QLatin1String(topCol), QLatin1String(leftCol));
    const int n = tr.execute(set, {{"T", top}, {"L", left}, {"U", user}});
    if (n == 0)
        tr.execute(QStringLiteral("insert into REPINFO (USERNM, %1, %2) values (:U, :T, :L)")
                       .arg(QLatin1String(topCol), QLatin1String(leftCol)),
                   {{"U", user}, {"T", top}, {"L", left}});
    tr.commit();
}

void writeLayout(Transaction& tr, const BarcodeLayout& b)
{
    const std::initializer_list<std::pair<const char*, db::Value>> params = {
        {"BCTOP", std::int64_t(b.top)},       {"BCLEFT", std::int64_t(b.left)},
        {"BCHEIGHT", std::int64_t(b.height)}, {"BCMODULE", std::int64_t(b.module)},
        {"BCTYPE", std::int64_t(b.type)},     {"BCANGEL", b.angle},
        {"BCCHKSUM", flag(b.checkSum)},       {"BCUSE", flag(b.use)},
        {"BCTITLE", b.title},
    };
    const int n = tr.execute(QStringLiteral("update FIRM set BCTOP = :BCTOP, BCLEFT = :BCLEFT, BCHEIGHT = :BCHEIGHT, "
                                            "BCMODULE = :BCMODULE, BCTYPE = :BCTYPE, BCANGEL = :BCANGEL, "
                                            "BCCHKSUM = :BCCHKSUM, BCUSE = :BCUSE, BCTITLE = :BCTITLE"),
                             params);
    if (n == 0)
        tr.execute(QStringLiteral("insert into FIRM (BCTOP, BCLEFT, BCHEIGHT, BCMODULE, BCTYPE, BCANGEL, BCCHKSUM, "
                                  "BCUSE, BCTITLE) values (:BCTOP, :BCLEFT, :BCHEIGHT, :BCMODULE, :BCTYPE, :BCANGEL, "
                                  ":BCCHKSUM, :BCUSE, :BCTITLE)"),
                   params);
}

} // namespace

QMarginsF UserMargins::invoicePageMarginsMm() const
{
    const double top = invoiceTop();
    return QMarginsF(inchToMm(invoiceLeft()), inchToMm(top), 0, inchToMm(std::max(0.0, 2 * defaultTopMargin - top)));
}

QMarginsF UserMargins::voucherPageMarginsMm() const
{
    return QMarginsF(inchToMm(voucherLeft()), inchToMm(voucherTop()), 0, 0);
}

UserMargins readUserMargins(db::Connection& system, const QString& user)
{
    UserMargins m;
    Transaction tr(system);
    Query q(tr, QStringLiteral("select TMAR, LMAR, RVTMAR, RVLMAR from REPINFO where USERNM = :U"));
    q.bind(QStringLiteral("U"), user);
    q.execute();
    if (q.next()) {
        m.TMAR = optReal(q, "TMAR");
        m.LMAR = optReal(q, "LMAR");
        m.RVTMAR = optReal(q, "RVTMAR");
        m.RVLMAR = optReal(q, "RVLMAR");
    }
    tr.commit();
    return m;
}

void saveInvoiceMargins(db::Connection& system, const QString& user, double top, double left)
{
    upsertMargins(system, user, "TMAR", "LMAR", top, left);
}

void saveVoucherMargins(db::Connection& system, const QString& user, double top, double left)
{
    upsertMargins(system, user, "RVTMAR", "RVLMAR", top, left);
}

bool isValidMargin(std::optional<double> inches)
{
    return inches && *inches >= 0 && *inches <= 1.0;
}

std::optional<double> parseMargin(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    bool ok = false;
    const double v = t.toDouble(&ok); // C locale: '.' is the point
    return ok ? std::optional<double>(v) : std::nullopt;
}

BarcodeLayout readBarcodeLayout(db::Connection& system)
{
    BarcodeLayout b;
    Transaction tr(system);
    Query q(tr, QStringLiteral("select first 1 BCTOP, BCLEFT, BCHEIGHT, BCMODULE, BCTYPE, BCANGEL, BCCHKSUM, BCUSE, "
                               "BCTITLE from FIRM"));
    q.execute();
    if (q.next()) {
        auto num = [&](const char* col, int& out) {
            if (!q.isNull(QString::fromLatin1(col)))
                out = int(q.integer(QString::fromLatin1(col)));
        };
        num("BCTOP", b.top);
        num("BCLEFT", b.left);
        num("BCHEIGHT", b.height);
        num("BCMODULE", b.module);
        num("BCTYPE", b.type);
        if (!q.isNull(QStringLiteral("BCANGEL")))
            b.angle = q.real(QStringLiteral("BCANGEL"));
        b.checkSum = q.text(QStringLiteral("BCCHKSUM")) == QLatin1String("T");
        b.use = q.text(QStringLiteral("BCUSE")) == QLatin1String("T");
        b.title = q.text(QStringLiteral("BCTITLE"));
    }
    tr.commit();
    return b;
}

void saveBarcodeLayout(db::Connection& system, const BarcodeLayout& layout)
{
    Transaction tr(system);
    writeLayout(tr, layout);
    tr.commit();
}

void saveDefaults(db::Connection& system, const QString& user)
{
    BarcodeLayout d;
    d.title = readBarcodeLayout(system).title; // the title has no default: it stays
    Transaction tr(system);
    const int n = tr.execute(QStringLiteral("update REPINFO set TMAR = :T, LMAR = :L where USERNM = :U"),
                             {{"T", defaultTopMargin}, {"L", defaultLeftMargin}, {"U", user}});
    if (n == 0)
        tr.execute(QStringLiteral("insert into REPINFO (USERNM, TMAR, LMAR) values (:U, :T, :L)"),
                   {{"U", user}, {"T", defaultTopMargin}, {"L", defaultLeftMargin}});
    writeLayout(tr, d);
    tr.commit();
}

void applyToSession(core::Session& s, const BarcodeLayout& b)
{
    s.gTop = b.top;
    s.gLeft = b.left;
    s.gHeight = b.height;
    s.gModule = b.module;
    s.gType = b.type;
    s.gAngel = b.angle;
    s.gChkSum = flag(b.checkSum);
    s.gTitle = b.title;
    s.gBCUse = flag(b.use);
}

QString printSettingsFile()
{
    QString dir = qEnvironmentVariable("KV_CONFIG_DIR").trimmed();
    if (dir.isEmpty())
        dir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/kordavan");
    QDir().mkpath(dir);
    return QDir(dir).filePath(QStringLiteral("KVPrint.ini"));
}

QString rememberedPrinter(const QString& user)
{
    QSettings st(printSettingsFile(), QSettings::IniFormat);
    return st.value(QStringLiteral("Printers/") + QString::fromLatin1(QUrl::toPercentEncoding(user))).toString();
}

void rememberPrinter(const QString& user, const QString& printerName)
{
    QSettings st(printSettingsFile(), QSettings::IniFormat);
    st.setValue(QStringLiteral("Printers/") + QString::fromLatin1(QUrl::toPercentEncoding(user)), printerName);
    st.sync();
}

} // namespace kv::tools
