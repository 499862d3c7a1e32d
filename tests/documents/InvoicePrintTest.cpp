// Printing saved sales invoices of the demo firm: the QR symbol read back from the rendered page
// carries the payload of the invoice, and the PDF's text holds the title and the amount in words.
#include "documents/InvoicePrint.h"
#include "documents/AmountInWords.h"
#include "documents/SalesInvoice.h"
#include "DocumentsFixture.h"
#include "support/TestDb.h"
#include "tools/ReportRenderer.h"
#include "core/Session.h"
#include "db/Connection.h"
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <ZXing/ReadBarcode.h>
#include <gtest/gtest.h>
#include <memory>

using namespace kv;
using core::Qty;
using documents::SalesInvoice;
using documents::SalesLine;

namespace {

void guiApp()
{
    if (QGuiApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "kv_documents_tests";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv); // lives until the process ends
}

QString decodeQr(const QImage& page)
{
    const QImage gray = page.convertToFormat(QImage::Format_Grayscale8);
    const ZXing::ImageView view(gray.constBits(), gray.width(), gray.height(), ZXing::ImageFormat::Lum,
                                int(gray.bytesPerLine()));
    const ZXing::Result r = ZXing::ReadBarcode(view, ZXing::DecodeHints().setFormats(ZXing::BarcodeFormat::QRCode));
    return r.isValid() ? QString::fromStdWString(r.text()) : QString();
}

// Qt's PDFs lose the text of lam-alef ligatures, pdftotext gives Arabic presentation forms and
// direction marks, and the extracted spacing varies: compare normalised, without spaces, marks and
// those letters.
QString comparable(QString s)
{
    s = s.normalized(QString::NormalizationForm_KC);
    s.remove(QStringLiteral("لا")).remove(QStringLiteral("لأ"));
    s.remove(QRegularExpression(QStringLiteral("[\\s\\x{2066}-\\x{2069}\\x{200e}\\x{200f}\\x{202a}-\\x{202e}]")));
    return s;
}

QString pdfText(const QString& pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    EXPECT_TRUE(p.waitForFinished(60000));
    return QString::fromUtf8(p.readAllStandardOutput());
}

class InvoicePrint : public test::DemoFolderTest {
protected:
    static void SetUpTestSuite()
    {
        guiApp();
        makeFolder({
            "update STOCK set QUNITS = 6, UPRICE = 100, UPRICE2 = 20, UPRICEC = 110, UPRICE2C = 22,"
            " UCOST = 12.5, ONHAND = 600 where ITEMNO = '10003'",
            "update ACCT set CRLIMIT2 = 100000, ISACTIVE = 0, TAXCODE = NULL where ACCTNO = '120005'",
            "update ACCT set CRLIMIT2 = 100000, ISACTIVE = 0, TAXCODE = '300000000000003',"
            " BUILDNO = '12', STREETNM = 'شارع الملك', DISTRICT = 'الروضة', PCODE = '23432',"
            " CITY = 'جدة', COUNTRY = 'السعودية' where ACCTNO = '120011'",
        });
    }

    // Saves an invoice of `acctNo` with two lines and returns its number.
    int saveInvoice(const QString& acctNo)
    {
        SalesInvoice inv(*session);
        inv.header.TRDATE = QDate(2026, 3, 15);
        EXPECT_TRUE(inv.selectCustomer(acctNo).ok);
        SalesLine a;
        a.ITEMNO = QStringLiteral("10003");
        a.UINDEX = 1;
        a.QTYSOLD = Qty::fromInt(3);
        SalesLine b = a;
        b.UINDEX = 2;
        b.QTYSOLD = *Qty::parse(u"5");
        b.DISVAL = *core::Money::parse(u"1.10");
        EXPECT_TRUE(inv.postLine(int(inv.lines.size()), a, {}).ok);
        EXPECT_TRUE(inv.postLine(int(inv.lines.size()), b, {}).ok);
        EXPECT_TRUE(inv.checkSave().ok);
        db::Transaction tr(*session->MainDB);
        db::Query q(tr, QStringLiteral("execute procedure SPTRANS3"));
        q.execute();
        const int number = (q.next() ? int(q.integer(QStringLiteral("LINVSEL"))) : 0) + 1;
        documents::SalesInvoiceWriter w(*session, inv);
        w.write(tr, number);
        tr.commit();
        return number;
    }
};

// Both layouts, with and without a buyer VAT number: the QR symbol on the page image decodes to the
// invoice's payload; the PDF holds the title the buyer calls for and the amount in words.
TEST_F(InvoicePrint, QrTitleAndWordsOfBothLayouts)
{
    struct Case {
        const char* account;
        int selForm;
        QString title;
        bool addressLines;
    };
    const Case cases[] = {
        {"120005", 0, documents::text::simplifiedTaxInvoice(), false},
        {"120011", 0, documents::text::taxInvoice(), true},
        {"120011", 1, documents::text::taxInvoice(), true},
    };
    QTemporaryDir tmp;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.account) + " SELFORM " + std::to_string(c.selForm));
        session->vSelForm = c.selForm;
        const int number = saveInvoice(QString::fromLatin1(c.account));
        const auto inv = documents::loadSavedInvoice(*session, number);
        ASSERT_TRUE(inv.has_value());
        ASSERT_EQ(inv->lines.size(), 2);
        EXPECT_EQ(documents::invoiceTitle(inv->header), c.title);
        EXPECT_EQ(documents::buyerAddressLines(inv->header).size(), c.addressLines ? 2 : 0);

        const auto doc = documents::layoutInvoice(*session, *inv);
        ASSERT_TRUE(doc.has_value());
        const QString payload = documents::invoiceQrPayload(*session, inv->header);
        EXPECT_EQ(decodeQr(tools::ReportRenderer::pageImage(*doc, 0, 200)), payload);

        const QString pdf = tmp.filePath(QStringLiteral("inv%1.pdf").arg(number));
        ASSERT_EQ(tools::ReportRenderer::writePdf(*doc, pdf), QString());
        const QString text = comparable(pdfText(pdf));
        EXPECT_TRUE(text.contains(comparable(c.title)));
        EXPECT_EQ(text.contains(comparable(documents::text::simplifiedTaxInvoice())),
                  c.title == documents::text::simplifiedTaxInvoice());
        EXPECT_TRUE(text.contains(comparable(documents::amountPhrase(inv->header.INVTOT))))
            << documents::amountPhrase(inv->header.INVTOT).toStdString();
        if (c.selForm == 0) { // the buyer's address lines of the compact layout
            EXPECT_EQ(text.contains(comparable(QStringLiteral("الروضة"))) && text.contains(comparable(QStringLiteral("جدة/السعودية"))),
                      c.addressLines);
        }
    }
}

TEST_F(InvoicePrint, MissingInvoiceAndOtherLayoutsPrintNothing)
{
    EXPECT_FALSE(documents::loadSavedInvoice(*session, 999999).has_value());
    const auto inv = documents::loadSavedInvoice(*session, saveInvoice(QStringLiteral("120005")));
    ASSERT_TRUE(inv.has_value());
    session->vSelForm = 2;
    EXPECT_FALSE(documents::layoutInvoice(*session, *inv).has_value());
}

// The firm heading of the electronic layout goes when PHEADER is "F" (pre-printed paper).
TEST_F(InvoicePrint, PreprintedPaperLeavesTheFirmHeadingOff)
{
    session->mFirmN = QStringLiteral("Acme Trading");
    const auto inv = documents::loadSavedInvoice(*session, saveInvoice(QStringLiteral("120005")));
    ASSERT_TRUE(inv.has_value());
    auto texts = [&](const QString& pheader) {
        session->gPHeader = pheader;
        const tools::Document d = documents::layoutElectronicInvoice(*session, *inv, {});
        int n = 0;
        for (const auto& item : d.pages.at(0).items)
            if (const auto* t = std::get_if<tools::TextItem>(&item); t && t->text == session->mFirmN) ++n;
        return n;
    };
    EXPECT_EQ(texts(QStringLiteral("T")), 2); // the title and the seller's name
    EXPECT_EQ(texts(QStringLiteral("F")), 1); // the seller's name only
}

} // namespace
