#pragma once
// Printing a saved sales invoice: the compact layout on pre-printed stationery (SELFORM 0) and the
// bilingual electronic-invoice layout (SELFORM 1), both as tools pages (tools/Page.h) with the
// tax-invoice QR symbol. The compact layout is also the shared compact document layout the other
// document prints fill with their own header, lines and totals.
//
//   auto inv = documents::loadSavedInvoice(session, 125);            // nullopt: no such invoice
//   std::optional<tools::Document> doc = documents::layoutInvoice(session, *inv);
//   if (doc) tools::ReportRenderer::writePdf(*doc, "/tmp/inv.pdf");  // nullopt: SELFORM prints nothing
//
// Needs a QGuiApplication (fonts).
#include "core/Money.h"
#include "documents/SalesInvoice.h"
#include "tools/Page.h"
#include "tools/Table.h"
#include <QList>
#include <QMarginsF>
#include <QPair>
#include <QString>
#include <QStringList>
#include <optional>

namespace kv::core { struct Session; }

namespace kv::documents {

// One saved line with what the print shows beside it.
struct PrintedLine {
    SalesLine line;
    QString description; // STOCK.DESCR
    QString unit;        // UNIT for the large unit, SUBUNIT for the small one
};

// A saved invoice as the print reads it: TRANS3, its TRANS3D lines and the names it shows.
struct SavedInvoice {
    SalesHeader header;
    QList<PrintedLine> lines;
    QString accountName;  // ACCT.ACCTNAME
    QString telephone;    // ACCT.TEL
    QString salesmanName; // SALREP.NAME
    bool cashAccount = false;
    core::Money balanceAfter; // the customer's balance with this invoice
    core::Money creditLimit;  // ACCT.CRLIMIT2

    core::Qty unitCount() const; // sum of the lines' QTYSOLD
};

// Reads invoice `number` of the open year; nullopt when there is none.
std::optional<SavedInvoice> loadSavedInvoice(const core::Session& s, int number);

// "فاتورة ضريبية" when the buyer has a VAT number, else "فاتورة ضريبية مبسطة".
QString invoiceTitle(const SalesHeader& h);
// The buyer's two address lines (only with a buyer VAT number; empty otherwise):
// "BUILDNO STREETNM/DISTRICT" and "الرمز:PCODE CITY/COUNTRY", each part trimmed.
QStringList buyerAddressLines(const SalesHeader& h);
// The name printed for the buyer: the account name on a credit invoice, else the customer name.
QString buyerName(const SavedInvoice& inv);
QString termsText(const SalesHeader& h);
// The QR payload from the invoice as shown and the firm's name and VAT number.
QString invoiceQrPayload(const core::Session& s, const SalesHeader& h);

// The shared compact document layout: a page header with the branch, the title, the QR symbol
// and the caller's header labels; the line table; a page footer with the totals and the words.
// Letter paper, portrait; header and footer repeat on every page.
struct CompactDocument {
    QString title;
    QString branch;                          // "BRNO BRNAME"
    QList<QPair<QString, QString>> header;   // caption, value (an empty value prints empty)
    QStringList buyerLines;                  // under the header labels
    tools::Table lines;                      // first column rightmost
    std::vector<double> widthsMm;            // per column, 0 = share
    QList<QPair<QString, QString>> totals;   // caption, value
    QStringList words;                       // amount in words and the other footer lines
    QString qrPayload;                       // empty: no QR symbol
    QMarginsF marginsMm;                     // paper margins (top, bottom, left from the user)
};
tools::Document layoutCompactDocument(const CompactDocument& d);

// The two invoice layouts, margins in millimetres (tools::UserMargins::invoicePageMarginsMm()).
// `branchNote`: the small check box beside the grid, printing the branch note mGNote.
tools::Document layoutCompactInvoice(const core::Session& s, const SavedInvoice& inv, const QMarginsF& marginsMm,
                                     bool branchNote = false);
tools::Document layoutElectronicInvoice(const core::Session& s, const SavedInvoice& inv, const QMarginsF& marginsMm);

// The layout the firm's SELFORM chooses, with the user's margins (REPINFO of s.UNM); nullopt for
// a SELFORM other than 0 or 1. `branchNote` as for the compact layout (the electronic one always
// prints the note).
std::optional<tools::Document> layoutInvoice(const core::Session& s, const SavedInvoice& inv, bool branchNote = false);

namespace text {
inline QString taxInvoice() { return QStringLiteral("فاتورة ضريبية"); }
inline QString simplifiedTaxInvoice() { return QStringLiteral("فاتورة ضريبية مبسطة"); }
inline QString cashTerms() { return QStringLiteral("فـاتـورة نـقـديــة"); }
inline QString creditTerms() { return QStringLiteral("فـاتـورة آجـلــــة"); }
} // namespace text

} // namespace kv::documents
