// One workstation saving sales invoices: connects to a data folder on a server, saves COUNT
// invoices for one customer, one line per item (a carton on even invoices, two pieces on odd
// ones), each through saveDocument, and prints every saved number on a line of its own.
//
//   kv_invoice_client SERVER MAINDB ACCTNO COUNT ITEMNO...
//
// Exit status: 0 all saved, 1 bad arguments or no connection, 2 a line or the save was refused.
#include "core/Session.h"
#include "core/Startup.h"
#include "documents/DocumentKind.h"
#include "documents/SalesInvoice.h"
#include "documents/Workflow.h"
#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>
#include <cstdio>

using namespace kv;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 6) {
        std::fprintf(stderr, "usage: kv_invoice_client SERVER MAINDB ACCTNO COUNT ITEMNO...\n");
        return 1;
    }
    core::Session s;
    s.mServer = args[1];
    s.mIBMain = args[2];
    const QString main = args[2];
    s.mIBPath = main.left(std::max(main.lastIndexOf(QLatin1Char('/')), main.lastIndexOf(QLatin1Char('\\'))));
    const QString acctNo = args[3];
    const int count = args[4].toInt();
    const QStringList items = args.mid(5);

    core::Startup st(s);
    if (auto e = st.openDatabases()) {
        std::fprintf(stderr, "%s\n", qPrintable(e->message));
        return 1;
    }
    if (auto e = st.finish()) {
        std::fprintf(stderr, "%s\n", qPrintable(e->message));
        return 1;
    }
    s.msg.load(0);
    s.vAdmin = QStringLiteral("SV");
    s.UNM = QStringLiteral("client");
    s.gXQSel = QStringLiteral("F");

    // Four workstations on the same three item rows collide often: keep trying.
    documents::SaveOptions options;
    options.attempts = 200;
    options.minPauseMs = 1;
    options.maxPauseMs = 20;

    QDate date(s.CurrYr.trimmed().toInt(), 6, 15);
    if (s.LTrDate.isValid() && s.LTrDate.year() == date.year() && s.LTrDate > date) date = s.LTrDate;
    for (int n = 0; n < count; ++n) {
        documents::SalesInvoice inv(s);
        inv.header.TRDATE = date;
        if (auto o = inv.selectCustomer(acctNo); !o.ok) {
            std::fprintf(stderr, "customer %s: %s\n", qPrintable(acctNo), qPrintable(o.message));
            return 2;
        }
        for (const QString& itemNo : items) {
            documents::SalesLine l;
            l.ITEMNO = itemNo;
            l.UINDEX = n % 2 == 0 ? 1 : 2;
            l.QTYSOLD = core::Qty::fromInt(n % 2 == 0 ? 1 : 2);
            const documents::Outcome o = inv.postLine(int(inv.lines.size()), l, {});
            if (!o.ok) {
                std::fprintf(stderr, "item %s: %s\n", qPrintable(itemNo), qPrintable(o.message));
                return 2;
            }
        }
        documents::Outcome c = inv.checkSave();
        if (!c.ok && c.message.isEmpty()) c = inv.checkSave(); // the cash customer's name was filled in
        if (!c.ok) {
            std::fprintf(stderr, "check: %s\n", qPrintable(c.message));
            return 2;
        }
        documents::SalesInvoiceWriter w(s, inv);
        const documents::SaveResult r = documents::saveDocument(s, documents::salesInvoiceKind(), w, options);
        if (!r.ok()) {
            std::fprintf(stderr, "save: %s (after %d tries)\n", qPrintable(r.message), r.attempts);
            return 2;
        }
        std::printf("%d\n", r.number);
        std::fflush(stdout);
    }
    return 0;
}
