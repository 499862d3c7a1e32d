// Printing through a real print queue: an item list and a sales invoice of the demo firm sent with
// printOn to the queue named in KV_TEST_PRINTER must arrive in the file that queue writes
// (KV_TEST_PRINTER_OUT) with every page, on their paper, with their Arabic text, once per copy.
// Skipped unless both are set; scripts/printer-check.sh sets up such a queue on a private CUPS
// scheduler and runs this test against it.
#include "ui/UiTest.h"

#include "core/Session.h"
#include "db/Connection.h"
#include "documents/AmountInWords.h"
#include "documents/InvoicePrint.h"
#include "tools/ListReport.h"
#include "ui/tools/Printing.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageSize>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <optional>

using namespace kv;

namespace {

struct Output {
    int status = -1;
    QString out;
};

Output run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return {};
    }
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput())};
}

bool haveTool(const QString& name) { return !QStandardPaths::findExecutable(name).isEmpty(); }

// Same normalisation as the PDF checks of the invoice print: pdftotext gives presentation forms
// and direction marks, loses lam-alef ligatures and varies the spacing.
QString comparable(QString s)
{
    s = s.normalized(QString::NormalizationForm_KC);
    s.remove(QStringLiteral("لا")).remove(QStringLiteral("لأ"));
    s.remove(QRegularExpression(QStringLiteral("[\\s\\x{2066}-\\x{2069}\\x{200e}\\x{200f}\\x{202a}-\\x{202e}]")));
    return s;
}

// Jobs of `queue` not yet done ("" when none, or when lpstat is not there to ask).
QString pendingJobs(const QString& queue)
{
    if (!haveTool(QStringLiteral("lpstat")))
        return {};
    return run(QStringLiteral("lpstat"), {QStringLiteral("-o"), queue}).out.trimmed();
}

// Waits (about 20 s at most) until the queue has no job left and the file it writes is there.
bool waitForJob(const QString& queue, const QString& out)
{
    for (int i = 0; i < 100; ++i) {
        const QFileInfo f(out);
        if (f.exists() && f.size() > 0 && pendingJobs(queue).isEmpty()) {
            // The scheduler writes the file while the last filter runs: wait for it to settle.
            const qint64 size = f.size();
            QTest::qWait(300);
            if (QFileInfo(out).size() == size)
                return true;
            continue;
        }
        QTest::qWait(200);
    }
    return false;
}

QString queueState(const QString& queue)
{
    if (!haveTool(QStringLiteral("lpstat")))
        return QStringLiteral("(no lpstat)");
    return run(QStringLiteral("lpstat"), {QStringLiteral("-l"), QStringLiteral("-p"), queue}).out +
           run(QStringLiteral("lpstat"), {QStringLiteral("-W"), QStringLiteral("all"), QStringLiteral("-o"), queue}).out;
}

// What the queue wrote, as a PDF to inspect: a PDF as it is, PostScript through ps2pdf. A job
// header in front of either (PJL) is cut off.
struct Arrival {
    QString kind;       // "PDF" or "PostScript"
    QString pdf;        // empty when a PostScript job could not be converted
    int psPageComments = -1; // the "%%Page:" comments of a PostScript job
    QString error;
};

Arrival readArrival(const QString& out, const QString& workDir, const QString& tag)
{
    Arrival a;
    QFile f(out);
    if (!f.open(QIODevice::ReadOnly)) {
        a.error = QStringLiteral("cannot read ") + out;
        return a;
    }
    const QByteArray data = f.readAll();
    const qsizetype pdfAt = data.indexOf("%PDF-");
    const qsizetype psAt = data.indexOf("%!PS");
    const bool isPdf = pdfAt >= 0 && (psAt < 0 || pdfAt < psAt);
    const qsizetype start = isPdf ? pdfAt : psAt;
    if (start < 0 || start > 4096) {
        a.error = QStringLiteral("neither PDF nor PostScript: ") + QString::fromLatin1(data.left(40).toHex());
        return a;
    }
    const QString clean = QDir(workDir).filePath(tag + (isPdf ? QStringLiteral(".pdf") : QStringLiteral(".ps")));
    QFile c(clean);
    if (!c.open(QIODevice::WriteOnly) || c.write(data.mid(start)) < 0) {
        a.error = QStringLiteral("cannot write ") + clean;
        return a;
    }
    c.close();
    if (isPdf) {
        a.kind = QStringLiteral("PDF");
        a.pdf = clean;
        return a;
    }
    a.kind = QStringLiteral("PostScript");
    a.psPageComments = int(data.mid(start).count("\n%%Page:"));
    if (haveTool(QStringLiteral("ps2pdf"))) {
        const QString pdf = QDir(workDir).filePath(tag + QStringLiteral("-ps.pdf"));
        if (run(QStringLiteral("ps2pdf"), {clean, pdf}).status == 0)
            a.pdf = pdf;
    }
    return a;
}

// One page of a PDF: its size in points as it is seen (the media box turned by the page's
// rotation), its text, and whether the text runs up the page (a landscape page printed turned on
// portrait paper, as printers do).
struct PdfPage {
    QSizeF points;
    QString text;
    bool verticalText = false;
};

// Most words of three letters or more are taller than wide.
bool textRunsVertically(const QString& pdf, int page)
{
    const Output box = run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-f"), QString::number(page),
                                                         QStringLiteral("-l"), QString::number(page), pdf, QStringLiteral("-")});
    const QRegularExpression wordRe(QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                                                   "yMax=\"([\\d.]+)\">([^<]{3,})</word>"));
    int vertical = 0, horizontal = 0;
    for (auto it = wordRe.globalMatch(box.out); it.hasNext();) {
        const auto m = it.next();
        const double w = m.captured(3).toDouble() - m.captured(1).toDouble();
        const double h = m.captured(4).toDouble() - m.captured(2).toDouble();
        ++(h > w ? vertical : horizontal);
    }
    return vertical > horizontal;
}

std::vector<PdfPage> pdfPages(const QString& pdf)
{
    std::vector<PdfPage> pages;
    const Output info = run(QStringLiteral("pdfinfo"), {pdf});
    const QRegularExpressionMatch n = QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"),
                                                         QRegularExpression::MultilineOption).match(info.out);
    if (info.status != 0 || !n.hasMatch())
        return pages;
    const int count = n.captured(1).toInt();
    const Output sizes = run(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                                                         QString::number(count), pdf});
    const QRegularExpression sizeRe(QStringLiteral("^Page\\s+(\\d+) size:\\s+([\\d.]+) x ([\\d.]+) pts"),
                                    QRegularExpression::MultilineOption);
    const QRegularExpression rotRe(QStringLiteral("^Page\\s+(\\d+) rot:\\s+(\\d+)"), QRegularExpression::MultilineOption);
    pages.resize(std::size_t(count));
    for (auto it = sizeRe.globalMatch(sizes.out); it.hasNext();) {
        const auto m = it.next();
        const int i = m.captured(1).toInt() - 1;
        if (i >= 0 && i < count)
            pages[std::size_t(i)].points = QSizeF(m.captured(2).toDouble(), m.captured(3).toDouble());
    }
    for (auto it = rotRe.globalMatch(sizes.out); it.hasNext();) {
        const auto m = it.next();
        const int i = m.captured(1).toInt() - 1;
        if (i >= 0 && i < count && (m.captured(2).toInt() % 180) == 90)
            pages[std::size_t(i)].points.transpose();
    }
    for (int i = 0; i < count; ++i) {
        PdfPage& p = pages[std::size_t(i)];
        p.text = comparable(run(QStringLiteral("pdftotext"), {QStringLiteral("-f"), QString::number(i + 1), QStringLiteral("-l"),
                                                              QString::number(i + 1), pdf, QStringLiteral("-")})
                                .out);
        p.verticalText = textRunsVertically(pdf, i + 1);
    }
    return pages;
}

QString sizeText(const QSizeF& s) { return QStringLiteral("%1 x %2 pt").arg(s.width(), 0, 'f', 1).arg(s.height(), 0, 'f', 1); }

const QString kListTitle = QStringLiteral("جرد أقلام المخزن");

// An item list of exactly three pages.
tools::Document threePageList(QPageLayout::Orientation orientation)
{
    tools::ListReport r;
    r.setup.orientation = orientation;
    r.firmName = QStringLiteral("مؤسسة التجربة التجارية");
    r.title = kListTitle;
    r.userName = QStringLiteral("tester");
    r.table.columns = {{QStringLiteral("رقم الصنف"), tools::ColumnKind::Text, 10},
                       {QStringLiteral("اسم الصنف"), tools::ColumnKind::Text, 30},
                       {QStringLiteral("السعر"), tools::ColumnKind::Money, 10}};
    r.table.columns[2].total = true;
    tools::Document doc;
    for (int i = 0; i < 1000; ++i) {
        r.table.rows.push_back({QStringLiteral("A-%1").arg(i), QStringLiteral("قلم حبر %1").arg(i), db::Decimal(150 + i, 2)});
        doc = tools::layoutList(r);
        if (doc.pageCount() >= 3)
            break;
    }
    return doc;
}

class PrinterQueue : public ::testing::Test {
protected:
    void SetUp() override
    {
        queue = qEnvironmentVariable("KV_TEST_PRINTER");
        out = qEnvironmentVariable("KV_TEST_PRINTER_OUT");
        if (queue.isEmpty() || out.isEmpty())
            GTEST_SKIP() << "set KV_TEST_PRINTER (a print queue) and KV_TEST_PRINTER_OUT (the file it writes)";
        ASSERT_TRUE(haveTool(QStringLiteral("pdfinfo")) && haveTool(QStringLiteral("pdftotext"))) << "needs poppler-utils";
        test::uiApp();
        ASSERT_TRUE(QPrinterInfo::availablePrinterNames().contains(queue))
            << "queue not installed: " << queue.toStdString() << "; installed: "
            << QPrinterInfo::availablePrinterNames().join(QLatin1Char(' ')).toStdString();
        if (!folder_)
            folder_ = new test::DataFolder(test::makeDataFolder(QStringLiteral("2026"), true)); // lives for the run
    }

    struct Job {
        const char* what;
        tools::Document doc;
        int copies;
        QString word;   // on every page
        QString phrase; // somewhere in every copy (may be empty)
    };

    // Prints the job on the queue and checks what the queue wrote.
    void printAndCheck(const Job& job)
    {
        SCOPED_TRACE(job.what);
        ASSERT_GT(job.doc.pageCount(), 0);
        QFile::remove(out);
        ASSERT_FALSE(QFileInfo::exists(out)) << "cannot remove " << out.toStdString();
        ASSERT_EQ(ui::printOn(job.doc, queue, job.copies), QString());
        ASSERT_TRUE(waitForJob(queue, out)) << "no job file at " << out.toStdString() << "\n" << queueState(queue).toStdString();

        const QString tag = QString::fromLatin1(job.what).replace(QRegularExpression(QStringLiteral("\\W+")), QStringLiteral("-"));
        const Arrival a = readArrival(out, work.path(), tag);
        ASSERT_TRUE(a.error.isEmpty()) << a.error.toStdString();
        const int perCopy = job.doc.pageCount();
        const int expected = perCopy * job.copies;
        if (a.kind == QLatin1String("PostScript") && a.psPageComments >= 0) {
            EXPECT_EQ(a.psPageComments, expected) << "page comments of the PostScript job";
        }
        if (a.pdf.isEmpty()) {
            std::printf("[ printer  ] %s: PostScript, %d page comments (no ps2pdf: sizes and text not checked)\n", job.what,
                        a.psPageComments);
            return;
        }
        const std::vector<PdfPage> pages = pdfPages(a.pdf);
        ASSERT_EQ(int(pages.size()), expected) << a.kind.toStdString() << " job, " << job.copies << " copies of " << perCopy;

        // PostScript from the CUPS filters keeps the glyphs but not their letters (ps2pdf gives
        // no text back): only its pages and sheets are checked.
        const bool readable = a.kind == QLatin1String("PDF");
        const QSizeF paper = job.doc.setup.paper.size(QPageSize::Point);
        const bool landscape = job.doc.setup.orientation == QPageLayout::Landscape;
        const QString word = comparable(job.word);
        for (std::size_t i = 0; i < pages.size(); ++i) {
            SCOPED_TRACE("page " + std::to_string(i + 1));
            // The sheet is the document's paper, either way round; landscape content may come
            // turned on a portrait sheet.
            const QSizeF sheet = pages[i].points;
            EXPECT_NEAR(std::min(sheet.width(), sheet.height()), std::min(paper.width(), paper.height()), 1.5)
                << sizeText(sheet).toStdString() << ", wanted " << sizeText(paper).toStdString();
            EXPECT_NEAR(std::max(sheet.width(), sheet.height()), std::max(paper.width(), paper.height()), 1.5)
                << sizeText(sheet).toStdString() << ", wanted " << sizeText(paper).toStdString();
            if (!readable)
                continue;
            EXPECT_EQ((sheet.width() > sheet.height()) != pages[i].verticalText, landscape)
                << "landscape content wanted: " << landscape << "; sheet " << sizeText(sheet).toStdString()
                << (pages[i].verticalText ? ", text turned" : ", text upright");
            EXPECT_TRUE(pages[i].text.contains(word)) << pages[i].text.left(300).toStdString();
            // Copies are collated and alike: page k of a later copy is page k of the first.
            if (i >= std::size_t(perCopy)) {
                EXPECT_EQ(pages[i].text, pages[i % std::size_t(perCopy)].text);
            }
        }
        if (readable && !job.phrase.isEmpty()) {
            const QString phrase = comparable(job.phrase);
            for (int c = 0; c < job.copies; ++c) {
                QString copyText;
                for (int k = 0; k < perCopy; ++k)
                    copyText += pages[std::size_t(c * perCopy + k)].text;
                EXPECT_TRUE(copyText.contains(phrase)) << "copy " << c + 1 << " lacks " << job.phrase.toStdString();
            }
        }
        if (readable)
            std::printf("[ printer  ] %s: PDF, %d pages, sheet %s, text %s, \"%s\" on every page\n", job.what,
                        int(pages.size()), qPrintable(sizeText(pages.front().points)),
                        pages.front().verticalText ? "turned" : "upright", qPrintable(job.word));
        else
            std::printf("[ printer  ] %s: PostScript, %d pages (%d page comments), sheet %s, text not readable\n", job.what,
                        int(pages.size()), a.psPageComments, qPrintable(sizeText(pages.front().points)));
    }

    QString queue, out;
    QTemporaryDir work;
    static inline test::DataFolder* folder_ = nullptr;
};

TEST_F(PrinterQueue, ItemListArrivesWithEveryPageOnItsPaper)
{
    const Job jobs[] = {
        {"list A4 portrait", threePageList(QPageLayout::Portrait), 1, kListTitle, QStringLiteral("قلم حبر 0")},
        {"list A4 landscape, two copies", threePageList(QPageLayout::Landscape), 2, kListTitle, QStringLiteral("قلم حبر 0")},
    };
    for (const Job& job : jobs) {
        ASSERT_EQ(job.doc.pageCount(), 3) << job.what;
        printAndCheck(job);
    }
}

TEST_F(PrinterQueue, SalesInvoiceArrivesOnLetterPaperOncePerCopy)
{
    auto session = test::openSession(*folder_);
    ASSERT_TRUE(session);
    session->msg.load(0);
    session->UNM = QStringLiteral("tester");
    session->vSelForm = 0; // the compact layout, on Letter paper
    const auto inv = documents::loadSavedInvoice(*session, 1);
    ASSERT_TRUE(inv.has_value()) << "the demo firm has no invoice 1";
    const auto doc = documents::layoutInvoice(*session, *inv);
    ASSERT_TRUE(doc.has_value());
    ASSERT_EQ(doc->setup.paper.id(), QPageSize::Letter);
    const QString title = documents::invoiceTitle(inv->header);
    const QString words = documents::amountPhrase(inv->header.INVTOT);
    const Job jobs[] = {
        {"invoice", *doc, 1, title, words},
        {"invoice, two copies", *doc, 2, title, words},
    };
    for (const Job& job : jobs)
        printAndCheck(job);
}

} // namespace
