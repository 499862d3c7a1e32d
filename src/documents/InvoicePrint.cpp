#include "documents/InvoicePrint.h"
#include "core/Session.h"
#include "db/Connection.h"
#include "documents/AmountInWords.h"
#include "documents/QrPayload.h"
#include "tools/ListReport.h"
#include "tools/PrintSettings.h"
#include "tools/QrCode.h"
#include <QImage>
#include <algorithm>
#include <array>

namespace kv::documents {

using core::Money;
using core::Qty;
using tools::Column;
using tools::ColumnKind;

namespace {

// The firm's logo LOGO3, read only when a layout prints it.
QImage firmLogo(const core::Session& s)
{
    QImage logo;
    if (!s.FirmDB) return logo;
    db::Transaction tr(*s.FirmDB);
    db::Query f(tr, QStringLiteral("select LOGO3 from FIRM"));
    f.execute();
    if (f.next() && !f.isNull(QStringLiteral("LOGO3"))) logo = QImage::fromData(f.blob(QStringLiteral("LOGO3")));
    tr.commit();
    return logo;
}

QString shownDate(const QDate& d) { return d.toString(QStringLiteral("yyyy/MM/dd")); }
QString shownTime(const QTime& t) { return t.toString(QStringLiteral("hh:mm:ss")); }
QString num(const QString& v) { return tools::isolate(v); }

constexpr double kQrMm = 30;
constexpr double kRowMm = 6;

void drawQr(tools::Page& p, const QString& payload, const QRectF& rect)
{
    if (payload.isEmpty()) return;
    const tools::QrResult qr = tools::encodeQr(payload.toLatin1());
    if (qr.ok()) p.symbol(rect, qr.matrix);
}

// A caption and its value side by side, right to left, in `rect`.
void labelPair(tools::Page& p, const QRectF& rect, const QString& caption, const QString& value, double captionMm)
{
    const QFont f = tools::printFont(9, true);
    p.text({rect.right() - captionMm, rect.top(), captionMm, rect.height()}, caption, f);
    p.text({rect.left(), rect.top(), rect.width() - captionMm - 1, rect.height()}, value, tools::printFont(9));
}

// The column header and the rows of `t` through the band writer; `second` gives a second caption
// line (English) per column.
void writeTable(tools::BandWriter& w, const tools::Table& t, const std::vector<double>& widths,
                const QStringList& second = {})
{
    const double headMm = second.isEmpty() ? 7 : 11;
    auto rectsIn = [&](const QRectF& band) {
        return tools::columnRects(t.columns, widths, band.left(), band.right(), band.top(), band.height());
    };
    w.setRepeatedHeader(headMm, [&t, second, rectsIn](tools::Page& p, const QRectF& band) {
        p.rect(band, 0.3, QColor(235, 235, 235));
        const auto rects = rectsIn(band);
        for (std::size_t c = 0; c < rects.size(); ++c) {
            const QRectF r = rects[c].adjusted(0.5, 0, -0.5, 0);
            if (second.isEmpty()) {
                p.text(r, t.columns[c].caption, tools::printFont(8.5, true), Qt::AlignCenter);
            } else {
                p.text({r.left(), r.top(), r.width(), r.height() / 2}, t.columns[c].caption, tools::printFont(8, true),
                       Qt::AlignCenter);
                tools::TextItem& e = p.text({r.left(), r.top() + r.height() / 2, r.width(), r.height() / 2},
                                            second.value(int(c)), tools::printSansFont(7.5), Qt::AlignCenter);
                e.rightToLeft = false;
            }
            if (c > 0) p.line({rects[c].right(), band.top()}, {rects[c].right(), band.bottom()}, 0.2);
        }
    });
    for (const tools::Row& row : t.rows) {
        w.add(kRowMm, [&t, &row, rectsIn](tools::Page& p, const QRectF& band) {
            const auto rects = rectsIn(band);
            for (std::size_t c = 0; c < rects.size(); ++c) {
                const Column& col = t.columns[c];
                const tools::Cell cell = c < row.size() ? row[c] : tools::Cell();
                const bool number = col.kind != ColumnKind::Text;
                const QRectF r = rects[c].adjusted(1, 0, -1, 0);
                const QFont f = number ? tools::printNumberFont(8.5) : tools::printFont(9);
                const QString shown = tools::elidedText(f, tools::formatCell(col, cell), r.width());
                tools::TextItem& it = p.text(r, shown, f, number ? (Qt::AlignLeft | Qt::AlignVCenter) : (Qt::AlignRight | Qt::AlignVCenter));
                if (number) it.rightToLeft = false;
                if (c > 0) p.line({rects[c].right(), band.top()}, {rects[c].right(), band.bottom()}, 0.15);
            }
            p.line({band.left(), band.bottom()}, {band.right(), band.bottom()}, 0.15);
        });
    }
    w.clearRepeatedHeader();
}

QString trimmedJoin(const QString& a, const QString& sep, const QString& b) { return a.trimmed() + sep + b.trimmed(); }

} // namespace

Qty SavedInvoice::unitCount() const
{
    Qty sum;
    for (const PrintedLine& l : lines) sum = sum + l.line.QTYSOLD;
    return sum;
}

std::optional<SavedInvoice> loadSavedInvoice(const core::Session& s, int number)
{
    SavedInvoice inv;
    {
        db::Transaction tr(*s.MainDB);
        db::Query h(tr, QStringLiteral("select T.*, A.ACCTNAME as A_NAME, A.TEL as A_TEL, A.CRLIMIT2 as A_LIMIT, R.NAME as R_NAME"
                                       " from TRANS3 T left join ACCT A on A.ACCTNO = T.ACCTNO"
                                       " left join SALREP R on R.SALRID = T.SALRID where T.INVSEL = :N"));
        h.bind(QStringLiteral("N"), number);
        h.execute();
        if (!h.next()) return std::nullopt;
        auto t = [&](const char* c) { return h.text(QString::fromLatin1(c)); };
        auto m = [&](const char* c) { return Money::fromDecimal(h.decimal(QString::fromLatin1(c), 2)); };
        SalesHeader& H = inv.header;
        H.INVSEL = int(h.integer(QStringLiteral("INVSEL")));
        H.TRDATE = h.date(QStringLiteral("TRDATE"));
        const db::Value tv = h.value(QStringLiteral("TRTIME"));
        if (const auto* tm = std::get_if<QTime>(&tv)) H.TRTIME = *tm;
        H.DELDATE = h.date(QStringLiteral("DELDATE"));
        H.ACCTNO = t("ACCTNO");
        H.CUSTNAME = t("CUSTNAME");
        H.LOCAT = t("LOCAT");
        H.TIRMS = int(h.integer(QStringLiteral("TIRMS")));
        H.REFNO = t("REFNO");
        H.QUOTNO = int(h.integer(QStringLiteral("QUOTNO")));
        H.SALORD = int(h.integer(QStringLiteral("SALORD")));
        H.DAYS = int(h.integer(QStringLiteral("DAYS")));
        H.SUBAMNT = m("SUBAMNT");
        H.DISPER = core::Price::fromDecimal(h.decimal(QStringLiteral("DISPER"), 4));
        H.DISVAL = m("DISVAL");
        H.AMOUNT = m("AMOUNT");
        H.VTAX = m("VTAX");
        H.INVTOT = m("INVTOT");
        H.TOTCOST = m("TOTCOST");
        H.SALRID = t("SALRID");
        H.RVNO = int(h.integer(QStringLiteral("RVNO")));
        H.VATPER = h.real(QStringLiteral("VATPER"));
        H.USERID = t("USERID");
        H.POSTED = int(h.integer(QStringLiteral("POSTED")));
        masters::AccountAddress& a = H.address;
        a.BUILDNO = t("BUILDNO");
        a.STREETNM = t("STREETNM");
        a.STREETNME = t("STREETNME");
        a.DISTRICT = t("DISTRICT");
        a.DISTRICTE = t("DISTRICTE");
        a.CITY = t("CITY");
        a.CITYE = t("CITYE");
        a.COUNTRY = t("COUNTRY");
        a.COUNTRYE = t("COUNTRYE");
        a.PCODE = t("PCODE");
        a.ADDRN2 = t("ADDRN2");
        a.TAXCODE = t("TAXCODE");
        a.OTHERID = t("OTHERID");
        inv.accountName = t("A_NAME");
        inv.telephone = t("A_TEL");
        inv.creditLimit = m("A_LIMIT");
        inv.salesmanName = t("R_NAME");

        db::Query l(tr, QStringLiteral("select D.*, S.DESCR as S_DESCR, S.UNIT as S_UNIT, S.SUBUNIT as S_SUBUNIT"
                                       " from TRANS3D D left join STOCK S on S.ITEMNO = D.ITEMNO"
                                       " where D.INVSEL = :N order by D.LNO"));
        l.bind(QStringLiteral("N"), number);
        l.execute();
        while (l.next()) {
            PrintedLine p;
            SalesLine& L = p.line;
            auto lm = [&](const char* c) { return Money::fromDecimal(l.decimal(QString::fromLatin1(c), 2)); };
            L.LNO = int(l.integer(QStringLiteral("LNO")));
            L.ITEMNO = l.text(QStringLiteral("ITEMNO"));
            L.MFRID = int(l.integer(QStringLiteral("MFRID")));
            L.UINDEX = int(l.integer(QStringLiteral("UINDEX")));
            L.QTYSOLD = Qty::fromDecimal(l.decimal(QStringLiteral("QTYSOLD"), 4));
            L.QSOLD = Qty::fromDecimal(l.decimal(QStringLiteral("QSOLD"), 4));
            L.QTYRET = Qty::fromDecimal(l.decimal(QStringLiteral("QTYRET"), 4));
            L.UPRICE = core::Price::fromDecimal(l.decimal(QStringLiteral("UPRICE"), 4));
            L.UCOST = lm("UCOST");
            L.SUBAMNT = lm("SUBAMNT");
            L.DISVAL = lm("DISVAL");
            L.AMOUNT = lm("AMOUNT");
            L.VATPER = lm("VATPER");
            L.VATAMNT = lm("VATAMNT");
            p.description = l.text(QStringLiteral("S_DESCR"));
            p.unit = l.text(L.UINDEX == 2 ? QStringLiteral("S_SUBUNIT") : QStringLiteral("S_UNIT"));
            inv.lines.push_back(p);
        }
        inv.cashAccount = !H.ACCTNO.trimmed().isEmpty() && H.ACCTNO.trimmed() == s.jAcctNo.trimmed();
        if (!inv.cashAccount && !H.ACCTNO.trimmed().isEmpty())
            inv.balanceAfter = previousBalance(tr, H.ACCTNO); // the saved invoice is among the documents
        tr.commit();
    }
    return inv;
}

QString invoiceTitle(const SalesHeader& h)
{
    return h.address.TAXCODE.trimmed().isEmpty() ? text::simplifiedTaxInvoice() : text::taxInvoice();
}

QStringList buyerAddressLines(const SalesHeader& h)
{
    const masters::AccountAddress& a = h.address;
    if (a.TAXCODE.trimmed().isEmpty()) return {};
    return {trimmedJoin(a.BUILDNO, QStringLiteral(" "), a.STREETNM) + QLatin1Char('/') + a.DISTRICT.trimmed(),
            QStringLiteral("الرمز:") + trimmedJoin(a.PCODE, QStringLiteral(" "), a.CITY) + QLatin1Char('/') + a.COUNTRY.trimmed()};
}

QString buyerName(const SavedInvoice& inv)
{
    return inv.header.TIRMS != 0 ? inv.accountName : inv.header.CUSTNAME;
}

QString termsText(const SalesHeader& h) { return h.TIRMS == 0 ? text::cashTerms() : text::creditTerms(); }

QString invoiceQrPayload(const core::Session& s, const SalesHeader& h)
{
    return taxQrPayload({s.mFirmN, s.cTaxCode, qrTimeStamp(shownDate(h.TRDATE), shownTime(h.TRTIME)), qrAmount(h.INVTOT),
                         qrAmount(h.VTAX)});
}

tools::Document layoutCompactDocument(const CompactDocument& d)
{
    tools::Document doc;
    doc.title = d.title;
    doc.setup.paper = QPageSize(QPageSize::Letter);
    doc.setup.orientation = QPageLayout::Portrait;
    QMarginsF m = d.marginsMm;
    m.setRight(std::max(m.right(), 8.0)); // the paper's edge is not printable
    m.setLeft(std::max(m.left(), 4.0));
    doc.setup.marginsMm = m;
    const QRectF frame = doc.setup.frameMm();

    const int headerRows = int((d.header.size() + 1) / 2);
    const double headerMm = std::max(kQrMm + 12, 20 + headerRows * kRowMm + d.buyerLines.size() * 5.0) + 3;
    const int totalRows = int(d.totals.size());
    const double footerMm = std::max(totalRows * kRowMm, d.words.size() * 6.0) + 6;

    auto start = [d, frame, headerMm, footerMm](tools::Page& p, int) {
        const double top = frame.top();
        if (!d.branch.isEmpty()) p.text({frame.right() - 80, top, 80, 6}, d.branch, tools::printFont(9));
        p.text({frame.left() + kQrMm + 5, top + 5, frame.width() - 2 * (kQrMm + 5), 10}, d.title, tools::printFont(16, true),
               Qt::AlignCenter);
        drawQr(p, d.qrPayload, {frame.left(), top, kQrMm, kQrMm});
        // Header labels in two columns to the right of the QR symbol.
        const double area = frame.width() - kQrMm - 6;
        const double colW = area / 2;
        for (int i = 0; i < d.header.size(); ++i) {
            const int row = i / 2, col = i % 2;
            const QRectF r(frame.right() - (col + 1) * colW, top + 17 + row * kRowMm, colW - 2, kRowMm);
            labelPair(p, r, d.header[i].first, d.header[i].second, 26);
        }
        double y = top + 17 + ((d.header.size() + 1) / 2) * kRowMm;
        for (const QString& b : d.buyerLines) {
            p.text({frame.left() + kQrMm + 6, y, area, 5}, b, tools::printFont(9));
            y += 5;
        }
        // Totals and words at the bottom of every page.
        const double fy = frame.bottom() - footerMm;
        p.line({frame.left(), fy}, {frame.right(), fy}, 0.3);
        const double totW = 80;
        for (int i = 0; i < d.totals.size(); ++i) {
            const QRectF r(frame.left(), fy + 3 + i * kRowMm, totW, kRowMm);
            p.rect(r, 0.15);
            tools::TextItem& v = p.text({r.left() + 1, r.top(), 30, r.height()}, d.totals[i].second,
                                        tools::printNumberFont(9, true), Qt::AlignLeft | Qt::AlignVCenter);
            v.rightToLeft = false;
            p.text({r.left() + 32, r.top(), r.width() - 33, r.height()}, d.totals[i].first, tools::printFont(9, true));
        }
        for (int i = 0; i < d.words.size(); ++i)
            p.text({frame.left() + totW + 4, fy + 3 + i * 6.0, frame.width() - totW - 4, 6}, d.words[i], tools::printFont(9));
        return QRectF(frame.left(), frame.top() + headerMm, frame.width(), frame.height() - headerMm - footerMm - 2);
    };
    tools::BandWriter w(doc, start);
    writeTable(w, d.lines, d.widthsMm);
    w.finish();
    return doc;
}

tools::Document layoutCompactInvoice(const core::Session& s, const SavedInvoice& inv, const QMarginsF& marginsMm,
                                     bool branchNote)
{
    const SalesHeader& h = inv.header;
    CompactDocument d;
    d.title = invoiceTitle(h);
    d.branch = (s.mvBrNo.trimmed() + QLatin1Char(' ') + s.mvBrNm.trimmed()).trimmed();
    d.header = {{QStringLiteral("رقم الفاتورة:"), num(QString::number(h.INVSEL))},
                {QStringLiteral("التاريخ:"), num(shownDate(h.TRDATE))},
                {QStringLiteral("رقم الحساب:"), num(h.ACCTNO)},
                {QStringLiteral("الرقم الضريبي:"), num(h.address.TAXCODE)},
                {QStringLiteral("الاسم:"), buyerName(inv)},
                {QStringLiteral("الهاتف:"), num(inv.telephone)},
                {QStringLiteral("طريقة السداد:"), termsText(h)}};
    d.buyerLines = buyerAddressLines(h);
    d.lines.columns = {Column(QStringLiteral("رقم الصنف"), ColumnKind::Text, 14),
                       Column(QStringLiteral("الوصف"), ColumnKind::Text, 40),
                       Column(QStringLiteral("الوحدة"), ColumnKind::Text, 10),
                       Column(QStringLiteral("الكمية"), ColumnKind::Qty, 12),
                       Column(QStringLiteral("السعر"), ColumnKind::Qty, 12),
                       Column(QStringLiteral("الـمـبــلـغ"), ColumnKind::Money, 14)};
    for (const PrintedLine& l : inv.lines)
        d.lines.rows.push_back({l.line.ITEMNO, l.description, l.unit, l.line.QTYSOLD.toDecimal(), l.line.UPRICE.toDecimal(),
                                l.line.grossValue().toDecimal()});
    d.totals = {{QStringLiteral("الإجمالي"), h.SUBAMNT.toString()},
                {QStringLiteral("الـخـصــم"), h.DISVAL.toString()},
                {QStringLiteral("الـمـجـمــوع قبل الضريبة"), h.AMOUNT.toString()},
                {QStringLiteral("ضريبة القيمة المضافة:"), h.VTAX.toString()},
                {QStringLiteral("الـمـجـمــوع"), h.INVTOT.toString()}};
    const Qty units = inv.unitCount();
    d.words = {amountPhrase(h.INVTOT),
               QStringLiteral("نسبة الضريبة: ") + num(QString::number(h.VATPER, 'f', 2) + QLatin1Char('%')),
               QStringLiteral("العدد: ") + num(units.toString()) + QStringLiteral("  ") + quantityPhrase(units),
               QStringLiteral("المستخدم: ") + h.USERID + QStringLiteral("    المندوب: ") + inv.salesmanName,
               QStringLiteral("الرصيد الحالي: ") + (inv.cashAccount ? QString() : num(inv.balanceAfter.toString()))};
    if (branchNote && !s.mGNote.trimmed().isEmpty()) d.words << s.mGNote.trimmed();
    d.qrPayload = invoiceQrPayload(s, h);
    d.marginsMm = marginsMm;
    return layoutCompactDocument(d);
}

tools::Document layoutElectronicInvoice(const core::Session& s, const SavedInvoice& inv, const QMarginsF& marginsMm)
{
    const SalesHeader& h = inv.header;
    tools::Document doc;
    doc.title = text::taxInvoice();
    doc.setup.paper = QPageSize(QPageSize::A4);
    QMarginsF m = marginsMm;
    m.setRight(std::max(m.right(), 8.0));
    m.setLeft(std::max(m.left(), 4.0));
    doc.setup.marginsMm = m;
    const QRectF frame = doc.setup.frameMm();
    const bool firmHeading = s.gPHeader.trimmed() != QLatin1String("F");
    const QString payload = invoiceQrPayload(s, h);

    auto latin = [](tools::Page& p, const QRectF& r, const QString& t, Qt::Alignment a, const QFont& f) {
        tools::TextItem& it = p.text(r, t, f, a);
        it.rightToLeft = false;
    };
    // Arabic caption on the right, value in the middle, English caption on the left.
    auto bilingual = [&](tools::Page& p, const QRectF& r, const QString& ar, const QString& value, const QString& en,
                         double captionMm) {
        p.text({r.right() - captionMm, r.top(), captionMm, r.height()}, ar, tools::printFont(8.5, true));
        const double valueMm = r.width() - 2 * captionMm;
        p.text({r.left() + captionMm, r.top(), valueMm, r.height()}, tools::elidedText(tools::printFont(9), value, valueMm - 1),
               tools::printFont(9), Qt::AlignHCenter | Qt::AlignVCenter);
        latin(p, {r.left(), r.top(), captionMm, r.height()}, en, Qt::AlignLeft | Qt::AlignVCenter, tools::printSansFont(7.5, true));
    };

    double y = frame.top();
    tools::Page& p = doc.addPage();
    if (firmHeading) {
        if (const QImage logo = firmLogo(s); !logo.isNull()) p.image({frame.left(), y, 30, 20}, logo, true);
        p.text({frame.left() + 32, y, frame.width() - 64, 8}, s.mFirmN, tools::printFont(15, true), Qt::AlignCenter);
        p.text({frame.left() + 32, y + 8, frame.width() - 64, 5.5}, s.mAddrs, tools::printFont(9), Qt::AlignCenter);
        p.text({frame.left() + 32, y + 13.5, frame.width() - 64, 5.5},
               QStringLiteral("هاتف: ") + num(s.mTelNo) + QStringLiteral("    سجل تجاري:") + num(s.mCRReg), tools::printFont(9),
               Qt::AlignCenter);
    }
    y += 21;
    p.line({frame.left(), y}, {frame.right(), y}, 0.4);
    y += 2;
    drawQr(p, payload, {frame.left(), y, kQrMm, kQrMm});
    p.text({frame.left() + kQrMm + 5, y, frame.width() - kQrMm - 10, 8}, QStringLiteral("فاتورة ضريبية"),
           tools::printFont(15, true), Qt::AlignCenter);
    latin(p, {frame.left() + kQrMm + 5, y + 8, frame.width() - kQrMm - 10, 6}, QStringLiteral("Tax Invoice"), Qt::AlignCenter,
          tools::printSansFont(11, true));
    {
        const double x0 = frame.left() + kQrMm + 10, w = frame.right() - x0;
        double ry = y + 15;
        const QList<std::array<QString, 3>> rows = {
            {QStringLiteral("رقم الفاتورة:"), num(QString::number(h.INVSEL)), QStringLiteral("Invoice No.:")},
            {QStringLiteral("طريقة السداد:"), termsText(h), QStringLiteral("Payment Mode:")},
            {QStringLiteral("تاريخ إصدار الفاتورة:"), num(shownDate(h.TRDATE)), QStringLiteral("Invoice Issue Date:")},
            {QStringLiteral("تاريخ التوريد:"), num(shownDate(h.TRDATE)), QStringLiteral("Date of Supply:")}};
        for (const auto& r : rows) {
            bilingual(p, {x0, ry, w, 5.5}, r[0], r[1], r[2], 38);
            ry += 5.5;
        }
        y = std::max(y + kQrMm, ry) + 3;
    }
    // Seller (right) and buyer (left) blocks.
    {
        const double gap = 4, bw = (frame.width() - gap) / 2;
        const QRectF seller(frame.right() - bw, y, bw, 0), buyer(frame.left(), y, bw, 0);
        const masters::AccountAddress& a = h.address;
        auto both = [](const QString& ar, const QString& en) {
            const QString x = ar.trimmed(), e = en.trimmed();
            return e.isEmpty() || e == x ? x : x + QStringLiteral(" / ") + e;
        };
        struct Row { QString ar, en, seller, buyer; };
        const QList<Row> rows = {
            {QStringLiteral("الاسم"), QStringLiteral("Name"), s.mFirmN, buyerName(inv)},
            {QStringLiteral("رقم المبنى"), QStringLiteral("Building No"), num(s.cBuildNo), num(a.BUILDNO)},
            {QStringLiteral("اسم الشارع"), QStringLiteral("Street"), both(s.cStreetNm, s.cStreetNmE), both(a.STREETNM, a.STREETNME)},
            {QStringLiteral("الحي"), QStringLiteral("District"), both(s.cDistrict, s.cDistrictE), both(a.DISTRICT, a.DISTRICTE)},
            {QStringLiteral("المدينة"), QStringLiteral("City"), both(s.cCity, s.cCityE), both(a.CITY, a.CITYE)},
            {QStringLiteral("البلد"), QStringLiteral("Country"), both(s.cCountry, s.cCountryE), both(a.COUNTRY, a.COUNTRYE)},
            {QStringLiteral("الرمز البريدي"), QStringLiteral("Postal Code"), num(s.cPCode), num(a.PCODE)},
            {QStringLiteral("الرقم الإضافي"), QStringLiteral("Additional No"), num(s.cAddrN2), num(a.ADDRN2)},
            {QStringLiteral("الرقم الضريبي"), QStringLiteral("VAT Number"), num(s.cTaxCode), num(a.TAXCODE)},
            {QStringLiteral("معرف آخر"), QStringLiteral("Other ID"), num(s.cOtherID), num(a.OTHERID)},
            {QStringLiteral("الهاتف"), QStringLiteral("Telephone"), num(s.mTelNo), num(inv.telephone)}};
        const double rowH = 5;
        const QList<std::pair<QRectF, std::pair<QString, QString>>> heads = {
            {seller, {QStringLiteral("المورد"), QStringLiteral("Seller")}}, {buyer, {QStringLiteral("العميل"), QStringLiteral("Buyer")}}};
        for (int side = 0; side < 2; ++side) {
            const QRectF b = heads[side].first;
            p.rect({b.left(), y, b.width(), 6}, 0.25, QColor(235, 235, 235));
            bilingual(p, {b.left() + 1, y, b.width() - 2, 6}, heads[side].second.first, QString(), heads[side].second.second, 30);
            double ry = y + 6;
            for (const Row& r : rows) {
                bilingual(p, {b.left() + 1, ry, b.width() - 2, rowH}, r.ar, side == 0 ? r.seller : r.buyer, r.en, 24);
                ry += rowH;
            }
            p.rect({b.left(), y, b.width(), ry - y}, 0.25);
        }
        y += 6 + rows.size() * rowH + 4;
    }

    // Lines, then the totals and words after the last line.
    tools::Table t;
    t.columns = {Column(QStringLiteral("رقم الصنف"), ColumnKind::Text, 12),
                 Column(QStringLiteral("الــبــيــــــــــــــــــــــــــــــــــــان"), ColumnKind::Text, 30),
                 Column(QStringLiteral("سعر الوحدة"), ColumnKind::Qty, 11),
                 Column(QStringLiteral("الكمية"), ColumnKind::Qty, 10),
                 Column(QStringLiteral("مبلغ خاضع للضريبة"), ColumnKind::Money, 12),
                 Column(QStringLiteral("خصومات"), ColumnKind::Money, 10),
                 Column(QStringLiteral("% الضريبة"), ColumnKind::Money, 8),
                 Column(QStringLiteral("مبلغ الضريبة"), ColumnKind::Money, 11),
                 Column(QStringLiteral("المجموع بالضريبة"), ColumnKind::Money, 12)};
    for (const PrintedLine& l : inv.lines)
        t.rows.push_back({l.line.ITEMNO, l.description, l.line.UPRICE.toDecimal(), l.line.QTYSOLD.toDecimal(),
                          l.line.AMOUNT.toDecimal(), l.line.DISVAL.toDecimal(), l.line.VATPER.toDecimal(),
                          l.line.VATAMNT.toDecimal(), l.line.valueWithTax().toDecimal()});
    const QStringList english = {QStringLiteral("Item No."),     QStringLiteral("Description"), QStringLiteral("U. Price"),
                                 QStringLiteral("Qntity"),       QStringLiteral("Taxible Amnt"), QStringLiteral("Discount"),
                                 QStringLiteral("Tax %"),        QStringLiteral("Tax Amnt"),    QStringLiteral("Total w/VAT")};
    const double firstTop = y;
    auto start = [frame, firstTop](tools::Page&, int index) {
        const double top = index == 0 ? firstTop : frame.top();
        return QRectF(frame.left(), top, frame.width(), frame.bottom() - top - 12);
    };
    const QString branchText = QStringLiteral("BR") + s.mvBrNo.trimmed() + QLatin1Char('-');
    auto footer = [frame, branchText, h](tools::Page& pg, int index, int count) {
        tools::TextItem& it = pg.text({frame.left(), frame.bottom() - 6, frame.width(), 6},
                                      QStringLiteral("%1 / %2    %3").arg(index + 1).arg(count).arg(branchText),
                                      tools::printSansFont(8), Qt::AlignLeft | Qt::AlignVCenter);
        it.rightToLeft = false;
        pg.text({frame.left(), frame.bottom() - 6, frame.width(), 6}, QStringLiteral("المستخدم: ") + h.USERID,
                tools::printFont(8));
    };
    // The first page was already started above; the band writer starts its own pages, so the
    // heading drawn so far moves into its first page.
    tools::Page heading = p;
    doc.pages.clear();
    tools::BandWriter w(doc, [start, heading](tools::Page& pg, int index) {
        if (index == 0) pg.items = heading.items;
        return start(pg, index);
    }, footer);
    writeTable(w, t, {}, english);

    const QList<std::array<QString, 3>> totals = {
        {QStringLiteral("الإجمالي (غير شامل ضريبة القيمة المضافة)"), h.SUBAMNT.toString(), QStringLiteral("Total (Excluding VAT)")},
        {QStringLiteral("مجموع الخصومات"), h.DISVAL.toString(), QStringLiteral("Discount")},
        {QStringLiteral("الإجمالي الخاضع للضريبة (غير شامل ضريبة القيمة المضافة))"), h.AMOUNT.toString(),
         QStringLiteral("Taxable Amount (Excl. VAT)")},
        {QStringLiteral("مجموع ضريبة القيمة المضافة"), h.VTAX.toString(), QStringLiteral("Total VAT")},
        {QStringLiteral("إجمالي المبلغ المستحق"), h.INVTOT.toString(), QStringLiteral("Total Amount Due")}};
    w.keepSpace(4 + totals.size() * 6.5 + 20);
    w.add(4, [](tools::Page&, const QRectF&) {});
    for (const auto& r : totals) {
        w.add(6.5, [r, latin](tools::Page& pg, const QRectF& band) {
            const QRectF b(band.right() - 150, band.top(), 150, band.height());
            pg.rect(b, 0.2);
            pg.text({b.right() - 82, b.top(), 81, b.height()}, r[0], tools::printFont(8.5, true));
            latin(pg, {b.left() + 40, b.top(), 26, b.height()}, r[1], Qt::AlignLeft | Qt::AlignVCenter, tools::printNumberFont(9, true));
            latin(pg, {b.left() + 1, b.top(), 39, b.height()}, r[2], Qt::AlignLeft | Qt::AlignVCenter, tools::printSansFont(7.5, true));
        });
    }
    w.add(8, [h](tools::Page& pg, const QRectF& band) { pg.text(band, amountPhrase(h.INVTOT), tools::printFont(10, true)); });
    if (!s.mGNote.trimmed().isEmpty())
        w.add(7, [note = s.mGNote.trimmed()](tools::Page& pg, const QRectF& band) { pg.text(band, note, tools::printFont(9)); });
    w.finish();
    return doc;
}

std::optional<tools::Document> layoutInvoice(const core::Session& s, const SavedInvoice& inv, bool branchNote)
{
    if (s.vSelForm != 0 && s.vSelForm != 1) return std::nullopt;
    QMarginsF margins = tools::UserMargins().invoicePageMarginsMm();
    if (s.FirmDB) margins = tools::readUserMargins(*s.FirmDB, s.UNM).invoicePageMarginsMm();
    return s.vSelForm == 0 ? layoutCompactInvoice(s, inv, margins, branchNote) : layoutElectronicInvoice(s, inv, margins);
}

} // namespace kv::documents
