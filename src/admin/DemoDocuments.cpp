#include "admin/DemoDocuments.h"
#include "core/Money.h"
#include "core/Session.h"
#include "core/Startup.h"
#include "db/Connection.h"
#include "db/Error.h"
#include "documents/DocumentKind.h"
#include "documents/SalesInvoice.h"
#include "documents/Workflow.h"
#include <QRegularExpression>
#include <algorithm>

namespace kv::admin {

void fillDemoDocuments(const QString& mainDb, const QString& yearDb, const QString& server)
{
    // A session as start-up leaves it, on exactly these two databases.
    core::Session s;
    s.mServer = server;
    s.mIBMain = mainDb;
    s.FirmDB = db::Connection::open({server, mainDb, QString(), QString()});
    s.MainDB = db::Connection::open({server, yearDb, QString(), QString()});
    core::Startup(s).loadFirmSettings();
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("AC(\\d{4})\\.FDB$"),
                                                         QRegularExpression::CaseInsensitiveOption).match(yearDb);
    s.LastYr = s.CurrYr = m.hasMatch() ? m.captured(1) : QString::number(QDate::currentDate().year());
    s.msg.load(0);
    s.vAdmin = QStringLiteral("SV");
    s.UNM = QStringLiteral("<المشرف>");
    s.gXQSel = QStringLiteral("F"); // the demo has no purchases yet: sales may take stock below zero
    s.LTrDate = QDate();

    QStringList items;
    {
        db::Transaction tr(*s.MainDB);
        db::Query q(tr, QStringLiteral("select ITEMNO from STOCK order by ITEMNO"));
        q.execute();
        while (q.next()) items << q.text(QStringLiteral("ITEMNO")).trimmed();
    }
    // The first items and the customers 120005..120012 are left without sales, so that the demo
    // also shows fresh records; the customers with sales include three with a VAT number
    // (120003, 120015, 120018).
    items = items.mid(10);
    if (items.isEmpty()) return;
    QStringList customers;
    for (int serial : {2, 3, 4, 13, 14, 15, 16, 17, 18, 19, 20})
        customers << QStringLiteral("12%1").arg(serial, 4, 10, QLatin1Char('0'));

    const int year = s.CurrYr.toInt();
    const char* cashNames[] = {"محمد العمري", "خالد الزهراني", "", "سعد الشمري"};
    constexpr int kInvoices = 36;
    // Spread over the year up to today, so that today's first invoice is not back-dated.
    const QDate first(year, 1, 2);
    const QDate today = QDate::currentDate();
    const QDate last = year == today.year() ? today : QDate(year, 12, 31);
    const qint64 span = std::max<qint64>(0, first.daysTo(last));
    for (int n = 0; n < kInvoices; ++n) {
        documents::SalesInvoice inv(s);
        inv.header.TRDATE = first.addDays(span * n / kInvoices); // in order, none after today
        if (n % 3 == 0) {
            // Every third invoice is a cash sale, mostly with the buyer's name.
            inv.chooseCash();
            inv.header.CUSTNAME = QString::fromUtf8(cashNames[(n / 3) % 4]);
        } else {
            const QString acct = customers[(n * 7) % customers.size()];
            if (!inv.selectCustomer(acct).ok) continue;
        }
        const int lineCount = 1 + n % 4;
        for (int k = 0; k < lineCount; ++k) {
            documents::SalesLine l;
            l.ITEMNO = items[(n * 13 + k * 41) % items.size()];
            l.UINDEX = (n + k) % 2 == 0 ? 1 : 2; // cartons and pieces
            l.QTYSOLD = core::Qty::fromInt(l.UINDEX == 1 ? 1 + (n + k) % 3 : 2 + (n * k) % 10);
            inv.postLine(int(inv.lines.size()), l, {});
        }
        documents::Outcome c = inv.checkSave();
        if (!c.ok && c.message.isEmpty()) c = inv.checkSave(); // the cash buyer's name was filled in
        if (!c.ok) continue;
        documents::SalesInvoiceWriter w(s, inv);
        const documents::SaveResult r = documents::saveDocument(s, documents::salesInvoiceKind(), w);
        if (r.status == documents::SaveStatus::Busy) throw db::DbError(r.message);
    }
}

} // namespace kv::admin
