// Printed lists: pagination, page header and footer in the PDF text, exact totals, right-to-left
// columns, page images.
#include "ToolsTest.h"

#include "support/TestDb.h"
#include "tools/ListReport.h"
#include "tools/ReportRenderer.h"

#include <QDir>
#include <QPrinter>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace kv;
using namespace kv::tools;

namespace {

// pdftotext gives Arabic as presentation forms wrapped in embedding marks: fold it back to plain
// letters and drop the direction controls.
QString plainText(const QByteArray& utf8)
{
    QString s = QString::fromUtf8(utf8).normalized(QString::NormalizationForm_KC);
    s.remove(QRegularExpression(QStringLiteral("[\\x{200E}\\x{200F}\\x{202A}-\\x{202E}\\x{2066}-\\x{2069}]")));
    return s.simplified();
}

QString noSpaces(QString s)
{
    s.remove(QLatin1Char(' '));
    return s;
}

// Dark pixels in a band of the image (rows from y0 to y1).
int inkIn(const QImage& img, int y0, int y1)
{
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qGray(img.pixel(x, y)) < 128)
                ++n;
    return n;
}

QString pdfPageText(const QString& pdf, int page)
{
    bool ok = false;
    const QByteArray out = test::runTool(QStringLiteral("pdftotext"),
                                         {QStringLiteral("-layout"), QStringLiteral("-f"), QString::number(page),
                                          QStringLiteral("-l"), QString::number(page), pdf, QStringLiteral("-")},
                                         &ok);
    EXPECT_TRUE(ok) << "pdftotext failed on " << pdf.toStdString();
    return plainText(out);
}

ListReport sampleReport(int rows)
{
    ListReport r;
    r.firmName = QStringLiteral("مؤسسة النور التجارية");
    r.address = QStringLiteral("الرياض - شارع الملك فهد");
    r.telephone = QStringLiteral("011-4567890");
    r.title = QStringLiteral("جرد المخزون");
    r.parameters = {QStringLiteral("حتى تاريخ ") + isolate(QStringLiteral("2024/12/31"))};
    r.userName = QStringLiteral("ADMIN");
    r.printedAt = QDateTime(QDate(2024, 12, 31), QTime(9, 30));
    r.table = test::itemTable(rows);
    return r;
}

std::vector<QString> textsOf(const Page& p)
{
    std::vector<QString> out;
    for (const PageItem& it : p.items)
        if (const auto* t = std::get_if<TextItem>(&it))
            out.push_back(t->text);
    return out;
}

bool hasText(const Page& p, const QString& s)
{
    const auto all = textsOf(p);
    return std::find(all.begin(), all.end(), s) != all.end();
}

} // namespace

TEST(ListReport, ThreePagePdfCarriesHeadingNamesAndPageFooter)
{
    test::guiApp();
    const ListReport r = sampleReport(90);
    const Document doc = layoutList(r);
    ASSERT_EQ(doc.pageCount(), 3);

    const QString pdf = QDir(test::freshDir(QStringLiteral("pdf"))).filePath(QStringLiteral("list.pdf"));
    ASSERT_EQ(ReportRenderer::writePdf(doc, pdf), QString());

    bool ok = false;
    const QString info = QString::fromUtf8(test::runTool(QStringLiteral("pdfinfo"), {pdf}, &ok));
    ASSERT_TRUE(ok);
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+3\\b")))) << info.toStdString();

    const QString first = pdfPageText(pdf, 1);
    EXPECT_TRUE(first.contains(r.firmName)) << first.toStdString();
    EXPECT_TRUE(first.contains(r.title));
    EXPECT_TRUE(first.contains(QStringLiteral("حتى تاريخ 2024/12/31")));
    EXPECT_TRUE(first.contains(QStringLiteral("قلم حبر أزرق 1")));
    // pdftotext guesses spaces where Arabic meets digits: compare the footer without them.
    EXPECT_TRUE(noSpaces(first).contains(QStringLiteral("صفحة1من3")));
    EXPECT_TRUE(first.contains(QStringLiteral("2024/03/05"))); // a date cell
    const QString last = pdfPageText(pdf, 3);
    EXPECT_TRUE(noSpaces(last).contains(QStringLiteral("صفحة3من3"))) << last.toStdString();
    EXPECT_TRUE(last.contains(r.title)); // the header repeats
    EXPECT_TRUE(last.contains(QStringLiteral("A-1089")));
}

TEST(ListReport, PrinterGetsEveryPageOncePerCopy)
{
    test::guiApp();
    const Document doc = layoutList(sampleReport(40));
    ASSERT_EQ(doc.pageCount(), 2);
    const QString pdf = QDir(test::freshDir(QStringLiteral("prn"))).filePath(QStringLiteral("printed.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    ASSERT_EQ(ReportRenderer::print(doc, printer, 3), QString());
    bool ok = false;
    const QString info = QString::fromUtf8(test::runTool(QStringLiteral("pdfinfo"), {pdf}, &ok));
    ASSERT_TRUE(ok);
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+6\\b")))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Page size:\\s+595 x 842 pts \\(A4\\)")))) << info.toStdString();
    // Collated: page 1 of the second copy follows page 2 of the first.
    EXPECT_TRUE(noSpaces(pdfPageText(pdf, 3)).contains(QStringLiteral("صفحة1من2")));
}

TEST(ListReport, PageImagesHaveOnePerPageAtTheAskedResolution)
{
    test::guiApp();
    const Document doc = layoutList(sampleReport(90));
    const auto images = ReportRenderer::pageImages(doc, 50);
    ASSERT_EQ(int(images.size()), doc.pageCount());
    for (const QImage& img : images) {
        EXPECT_EQ(img.size(), QSize(413, 585)); // A4 at 50 dpi
        // Drawn inside the 10 mm margins only: the header near the top, nothing in the margin.
        EXPECT_GT(inkIn(img, 20, 60), 100);
        EXPECT_EQ(inkIn(img, 0, 15), 0);
    }
    const QImage landscape = [] {
        ListReport r = sampleReport(3);
        r.setup.orientation = QPageLayout::Landscape;
        return ReportRenderer::pageImage(layoutList(r), 0, 50);
    }();
    EXPECT_EQ(landscape.size(), QSize(585, 413));
}

TEST(ListReport, GroupAndGrandTotalsAreExactSums)
{
    test::guiApp();
    ListReport r = sampleReport(0);
    r.table.columns[3].total = true;
    r.table.columns[4].total = true;
    r.groupColumn = 2;
    // Ten times 0.10 must print 1.00 (a double sum would not be exact), in two groups.
    for (int i = 0; i < 10; ++i)
        r.table.rows.push_back({QStringLiteral("B-%1").arg(i), QStringLiteral("صنف"), QString::fromLatin1(i < 4 ? "G1" : "G2"),
                                db::Decimal(3333, 4), db::Decimal(10, 2), QDate(2024, 1, 1)});
    const Document doc = layoutList(r);
    ASSERT_EQ(doc.pageCount(), 1);
    const Page& p = doc.pages[0];
    EXPECT_TRUE(hasText(p, QStringLiteral("0.40")));   // G1 money
    EXPECT_TRUE(hasText(p, QStringLiteral("0.60")));   // G2 money
    EXPECT_TRUE(hasText(p, QStringLiteral("1.00")));   // grand total
    EXPECT_TRUE(hasText(p, QStringLiteral("3.3330"))); // grand total of the quantities
    EXPECT_TRUE(hasText(p, QStringLiteral("الإجمالي")));
    const auto texts = textsOf(p);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), QStringLiteral("المجموع")), 2);
}

TEST(ListReport, EmptyListStillPrintsItsHeaders)
{
    test::guiApp();
    const Document doc = layoutList(sampleReport(0));
    ASSERT_EQ(doc.pageCount(), 1);
    EXPECT_TRUE(hasText(doc.pages[0], QStringLiteral("جرد المخزون")));
    EXPECT_TRUE(hasText(doc.pages[0], QStringLiteral("صفحة ") + isolate(QStringLiteral("1")) + QStringLiteral(" من ") +
                                          isolate(QStringLiteral("1"))));
}

TEST(ListReport, ColumnsRunFromTheRightEdge)
{
    const std::vector<Column> cols = {{QStringLiteral("a"), ColumnKind::Text, 10},
                                      {QStringLiteral("b"), ColumnKind::Text, 30},
                                      {QStringLiteral("c"), ColumnKind::Money, 10}};
    struct Case {
        std::vector<double> widths;
        std::vector<double> expected; // widths of the resulting columns
    };
    const Case cases[] = {
        {{}, {20, 60, 20}},          // shares of the display widths
        {{40}, {40, 45, 15}},        // one fixed, the rest shared
        {{200, 100}, {160.0 / 3, 80.0 / 3, 20}}, // fixed too wide: scaled into 80 %, the rest gets 20 %
        {{10, 10, 10}, {10, 10, 10}} // all fixed and narrower than the frame: kept
    };
    for (const Case& c : cases) {
        const auto rects = columnRects(cols, c.widths, 10, 110, 5, 4);
        ASSERT_EQ(rects.size(), 3u);
        EXPECT_DOUBLE_EQ(rects[0].right(), 110); // first column at the right edge
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_NEAR(rects[i].width(), c.expected[i], 1e-9) << "column " << i;
            if (i > 0) {
                EXPECT_DOUBLE_EQ(rects[i].right(), rects[i - 1].left());
            }
        }
    }
}

TEST(ListReport, BandWriterKeepsBandsInsideTheFrameAndRepeatsTheHeader)
{
    test::guiApp();
    Document doc;
    doc.setup = PageSetup::custom(100, 100, {10, 10, 10, 10}); // frame 80 x 80 mm
    BandWriter w(doc, [](Page&, int) { return QRectF(10, 10, 80, 80); });
    int headers = 0;
    w.setRepeatedHeader(10, [&](Page&, const QRectF&) { ++headers; });
    std::vector<std::pair<int, QRectF>> placed;
    for (int i = 0; i < 15; ++i)
        w.add(10, [&](Page&, const QRectF& rc) { placed.emplace_back(w.pageIndex(), rc); });
    w.finish();
    EXPECT_EQ(doc.pageCount(), 3); // 7 rows under the header on each page
    EXPECT_EQ(headers, 3);
    for (const auto& [page, rc] : placed) {
        EXPECT_GE(rc.top(), 20.0 - 1e-9);
        EXPECT_LE(rc.bottom(), 90.0 + 1e-9);
    }
    EXPECT_EQ(placed[7].first, 1);
    EXPECT_DOUBLE_EQ(placed[7].second.top(), 20);
}
