// The print, export and label windows: what they remember, refuse and hand on.
#include "ui/UiTest.h"

#include "tools/BarcodeLabel.h"
#include "tools/ListReport.h"
#include "tools/PrintSettings.h"
#include "ui/tools/BCode.h"
#include "ui/tools/CopyFile.h"
#include "ui/tools/FieldSelection.h"
#include "ui/tools/Preview.h"
#include "ui/tools/PrintOpt.h"
#include "ui/tools/PrtSet.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>

using namespace kv;
using kv::test::ModalScript;

namespace {

// Picks a printer by name, then preview or print, then OK.
ModalScript::Handler choose(const QString& printer, bool preview)
{
    return [=](QWidget* w) {
        auto* d = qobject_cast<ui::TPrintOptF*>(w);
        ASSERT_TRUE(d);
        d->CBPrinters->setCurrentText(printer);
        (preview ? d->RBPreview : d->RBPrint)->setChecked(true);
        d->BBOk->click();
    };
}

tools::Table table(int rows)
{
    tools::Table t;
    t.columns = {{QStringLiteral("رقم الصنف"), tools::ColumnKind::Text, 10},
                 {QStringLiteral("اسم الصنف"), tools::ColumnKind::Text, 30},
                 {QStringLiteral("السعر"), tools::ColumnKind::Money, 10}};
    for (int i = 0; i < rows; ++i)
        t.rows.push_back({QStringLiteral("A-%1").arg(i), QStringLiteral("قلم %1").arg(i), db::Decimal(150 + i, 2)});
    return t;
}

QString sheetXml(const QString& xlsx)
{
    QProcess p;
    p.start(QStringLiteral("unzip"), {QStringLiteral("-p"), xlsx, QStringLiteral("xl/worksheets/sheet1.xml")});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

TEST(PrintOptions, TheChosenPrinterIsPreselectedNextTimeAndCancelPrintsNothing)
{
    test::uiApp();
    qputenv("KV_CONFIG_DIR", test::freshDir(QStringLiteral("cfg")).toUtf8());
    ui::TPrintOptF dlg;
    dlg.setUser(QStringLiteral("ALI"));
    dlg.setPrinterList({QStringLiteral("Office"), QStringLiteral("Labels"), QStringLiteral("Store")});
    {
        ModalScript script;
        script.then(choose(QStringLiteral("Labels"), false));
        const auto c = dlg.ask(nullptr, 2);
        ASSERT_TRUE(c);
        EXPECT_FALSE(c->preview);
        EXPECT_EQ(c->printerName, QStringLiteral("Labels"));
        EXPECT_EQ(c->copies, 2);
    }
    {
        QString preselected;
        ModalScript script;
        script.then([&](QWidget*) {
            preselected = dlg.CBPrinters->currentText();
            dlg.RBPreview->setChecked(true);
            dlg.BBCancel->click();
        });
        EXPECT_FALSE(dlg.ask());
        EXPECT_EQ(preselected, QStringLiteral("Labels"));
    }
    {
        ModalScript script;
        script.then(ModalScript::press(QStringLiteral("BBOk")));
        const auto c = dlg.ask();
        ASSERT_TRUE(c);
        EXPECT_TRUE(c->preview); // the last choice of the kind stays too
    }
    // The next run starts from the user's printer.
    ui::TPrintOptF next;
    next.setUser(QStringLiteral("ALI"));
    next.setPrinterList({QStringLiteral("Office"), QStringLiteral("Labels")});
    EXPECT_EQ(next.rememberedPrinter(), QStringLiteral("Labels"));
    qunsetenv("KV_CONFIG_DIR");
}

class PrinterSettingsScreen : public test::ScreenTest {};

TEST_F(PrinterSettingsScreen, MarginsAboveOneInchAreRefusedAndSavingRefreshesTheSession)
{
    session->UNM = QStringLiteral("ADMIN");
    ui::TPrtSetF f(*session);
    f.show();
    EXPECT_FALSE(f.EdtTop->isEnabled());
    f.edit();
    ASSERT_TRUE(f.EdtTop->isEnabled());
    EXPECT_FALSE(f.EdtTop->text().isEmpty());

    f.EdtTop->setText(QStringLiteral("1.01"));
    {
        ModalScript script;
        script.then(ModalScript::ok());
        EXPECT_FALSE(f.save());
        ASSERT_EQ(script.seen().size(), 1u);
        EXPECT_EQ(script.seen()[0].text, QStringLiteral("حجم الهامش غير صحيح."));
    }
    EXPECT_TRUE(f.editing());
    f.EdtTop->setText(QStringLiteral("1"));
    f.EdtLeft->clear();
    {
        ModalScript script;
        script.then(ModalScript::ok());
        EXPECT_FALSE(f.save());
        ASSERT_EQ(script.seen().size(), 1u);
    }
    f.EdtLeft->setText(QStringLiteral("0.25"));
    f.EdtBCTop->setText(QStringLiteral("40"));
    f.CBType->setCurrentIndex(14);
    f.CBUse->setChecked(true);
    EXPECT_TRUE(f.save());
    EXPECT_FALSE(f.editing());

    const tools::UserMargins m = tools::readUserMargins(*session->FirmDB, QStringLiteral("ADMIN"));
    EXPECT_EQ(m.TMAR, 1.0);
    EXPECT_EQ(m.LMAR, 0.25);
    EXPECT_EQ(session->gTop, 40);
    EXPECT_EQ(session->gType, 14);
    EXPECT_EQ(session->gBCUse, QStringLiteral("T"));
}

TEST_F(PrinterSettingsScreen, DefaultsWithoutEditingAreStoredAtOnce)
{
    session->UNM = QStringLiteral("ADMIN");
    tools::saveInvoiceMargins(*session->FirmDB, QStringLiteral("ADMIN"), 0.9, 0.8);
    tools::BarcodeLayout b;
    b.top = 77;
    tools::saveBarcodeLayout(*session->FirmDB, b);
    ui::TPrtSetF f(*session);
    f.defaults();
    EXPECT_FALSE(f.editing());
    EXPECT_EQ(f.EdtTop->text(), QStringLiteral("0.394"));
    EXPECT_EQ(f.EdtBCTop->text(), QStringLiteral("25"));
    EXPECT_EQ(tools::readUserMargins(*session->FirmDB, QStringLiteral("ADMIN")).LMAR, 0.174);
    EXPECT_EQ(tools::readBarcodeLayout(*session->FirmDB).top, 25);
    EXPECT_EQ(session->gTop, 25);
}

TEST(ExcelExport, TheChosenFieldsAndRowLimitReachTheWorkbook)
{
    test::uiApp();
    const QString file = QDir(test::freshDir(QStringLiteral("xls"))).filePath(QStringLiteral("out.xlsx"));
    QStatusBar status;
    {
        ModalScript script;
        script.then([](QWidget* w) {
            auto* d = qobject_cast<ui::TfrmFieldSelection*>(w);
            ASSERT_TRUE(d);
            EXPECT_EQ(d->limitText(), QStringLiteral("All"));
            EXPECT_EQ(d->checkedFields(), (std::vector<int>{0, 1, 2}));
            d->setChecked(1, false);
            d->setLimitText(QStringLiteral("100"));
            d->BBOk->click();
        });
        const auto written = ui::exportToExcel(nullptr, table(250), &status, false, file);
        ASSERT_TRUE(written);
        EXPECT_EQ(*written, file);
    }
    EXPECT_EQ(status.currentMessage(), QStringLiteral(" Successfully exported 100 records to Excel"));
    const QString sheet = sheetXml(file);
    EXPECT_TRUE(sheet.contains(QStringLiteral("<row r=\"101\"")));
    EXPECT_FALSE(sheet.contains(QStringLiteral("<row r=\"102\"")));
    EXPECT_TRUE(sheet.contains(QStringLiteral("r=\"B101\""))); // the price moved to column B
    EXPECT_FALSE(sheet.contains(QStringLiteral("r=\"C")));
}

TEST(ExcelExport, AnInvalidLimitExportsNothing)
{
    test::uiApp();
    const QString file = QDir(test::freshDir(QStringLiteral("xls"))).filePath(QStringLiteral("bad.xlsx"));
    ModalScript script;
    script
        .then([](QWidget* w) {
            auto* d = qobject_cast<ui::TfrmFieldSelection*>(w);
            ASSERT_TRUE(d);
            d->setLimitText(QStringLiteral("ten"));
            d->BBOk->click();
        })
        .then(ModalScript::ok());
    EXPECT_FALSE(ui::exportToExcel(nullptr, table(5), nullptr, false, file));
    ASSERT_EQ(script.seen().size(), 2u);
    EXPECT_EQ(script.seen()[1].text, QStringLiteral("You specified an invalid number of records to export!"));
    EXPECT_FALSE(QFile::exists(file));
}

TEST(CopyFile, TheFileGoesOnTheClipboardAsAFile)
{
    test::uiApp();
    const QString dir = test::freshDir(QStringLiteral("copy"));
    const QString path = QDir(dir).filePath(QStringLiteral("ExcelFile.xlsx"));
    QFile(path).open(QIODevice::WriteOnly);
    ui::TCopyFileF f(dir, QStringLiteral("ExcelFile.xlsx"));
    f.BBCopy->click();
    EXPECT_EQ(f.result(), QDialog::Accepted);
    const QMimeData* data = QApplication::clipboard()->mimeData();
    ASSERT_TRUE(data);
    ASSERT_EQ(data->urls().size(), 1);
    EXPECT_EQ(data->urls()[0].toLocalFile(), QFileInfo(path).absoluteFilePath());
    EXPECT_EQ(data->data(QStringLiteral("x-special/gnome-copied-files")),
              QByteArray("copy\n") + QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toEncoded());
}

TEST(Preview, PagesAreShownOneAtATimeAndSaveAsPdf)
{
    test::uiApp();
    tools::ListReport r;
    r.title = QStringLiteral("قائمة");
    r.table = table(150);
    const tools::Document doc = tools::layoutList(r);
    ASSERT_GT(doc.pageCount(), 2);
    ui::TPreviewF pv(doc);
    EXPECT_EQ(pv.currentPage(), 0);
    EXPECT_FALSE(pv.shownImage().isNull());
    pv.lastPage();
    EXPECT_EQ(pv.currentPage(), doc.pageCount() - 1);
    pv.nextPage(); // stays on the last page
    EXPECT_EQ(pv.currentPage(), doc.pageCount() - 1);
    EXPECT_TRUE(pv.pageLabel()->text().contains(QString::number(doc.pageCount())));
    const int width = pv.shownImage().width();
    pv.zoomIn();
    EXPECT_GT(pv.shownImage().width(), width);
    const QString pdf = QDir(test::freshDir(QStringLiteral("pv"))).filePath(QStringLiteral("p.pdf"));
    EXPECT_TRUE(pv.saveAsPdf(pdf));
    EXPECT_GT(QFileInfo(pdf).size(), 1000);
}

class LabelWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::uiApp();
        file = QDir(test::freshDir(QStringLiteral("bc"))).filePath(QStringLiteral("BCParam.txt"));
        options = std::make_unique<ui::TPrintOptF>();
        options->setPrinterList({QStringLiteral("Labels")});
        f = std::make_unique<ui::TBCodeF>();
        f->setSettingsFile(file);
        f->setPrintOptions(options.get());
        f->setShowPreviewWindow(false);
        f->setPrintForReal(false);
        f->vItmNo = QStringLiteral("A-1000");
        f->vDescr = QStringLiteral("قلم حبر أزرق");
        f->setSymbology(tools::Symbology::Code128B);
        f->show();
    }
    QString file;
    std::unique_ptr<ui::TPrintOptF> options; // made after the application object
    std::unique_ptr<ui::TBCodeF> f;
};

TEST_F(LabelWindow, FirstPrintWritesTheDefaultsAndPreviewShowsOneLabel)
{
    EXPECT_EQ(f->EdtItmNo->text(), QStringLiteral("A-1000"));
    EXPECT_FALSE(f->symbol().isNull());
    EXPECT_EQ(f->EdtLeft->text(), QStringLiteral("66"));
    f->EdtCopies->setText(QStringLiteral("3"));
    {
        ModalScript script;
        script.then(choose(QStringLiteral("Labels"), true));
        f->print();
    }
    QFile saved(file);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), QByteArray("66\n31\n0.20\n175\n88\n0\n0\n"));
    EXPECT_TRUE(f->lastPrint().previewed);
    EXPECT_EQ(f->lastPrint().printed, 0);
    ASSERT_EQ(f->lastPrint().doc.pageCount(), 1);
    {
        ModalScript script;
        script.then(choose(QStringLiteral("Labels"), false));
        f->print();
    }
    EXPECT_FALSE(f->lastPrint().previewed);
    EXPECT_EQ(f->lastPrint().printed, 3);
}

TEST_F(LabelWindow, BadCopiesAndPlacementStopThePrintAfterTheFileIsWritten)
{
    struct Case {
        QString copies, width, message;
    };
    const Case cases[] = {
        {QStringLiteral("x"), QStringLiteral("175"), QStringLiteral("Invalid number of copies.")},
        {QStringLiteral("1"), QStringLiteral("17a"), QStringLiteral("'17a' is not a valid integer value")},
    };
    for (const Case& c : cases) {
        QFile::remove(file);
        f->EdtCopies->setText(c.copies);
        f->EdtWidth->setText(c.width);
        ModalScript script;
        script.then(ModalScript::ok());
        f->print();
        ASSERT_EQ(script.seen().size(), 1u) << c.message.toStdString(); // no print options shown
        EXPECT_EQ(script.seen()[0].text, c.message);
        EXPECT_TRUE(QFile::exists(file));
        EXPECT_EQ(tools::readLabelSettings(file).width, c.width);
    }
}

TEST_F(LabelWindow, ResetActsOnlyWhileEditingAndShowTextControlsItsOptions)
{
    f->EdtLeft->setText(QStringLiteral("5"));
    f->reset();
    EXPECT_EQ(f->EdtLeft->text(), QStringLiteral("5"));
    f->edit();
    f->EdtModule->setText(QStringLiteral("0.33"));
    f->reset();
    EXPECT_EQ(f->EdtLeft->text(), QStringLiteral("66"));
    EXPECT_EQ(f->EdtModule->text(), QStringLiteral("0.33"));

    const int tall = f->symbol().height();
    f->CBShowText->setChecked(false);
    EXPECT_FALSE(f->CBSmall->isEnabled());
    EXPECT_FALSE(f->CBBold->isEnabled());
    EXPECT_LT(f->symbol().height(), tall);
    f->CBShowText->setChecked(true);
    EXPECT_TRUE(f->CBSmall->isEnabled());
}

TEST_F(LabelWindow, ANumberTheSymbologyCannotHoldShowsTheMessageAndNoSymbol)
{
    f->CBSymbology->setCurrentText(tools::symbologyTitle(tools::Symbology::CodeEAN13));
    EXPECT_TRUE(f->symbol().isNull());
    EXPECT_TRUE(f->LblStatus->text().startsWith(QStringLiteral("EAN-13")));
    ModalScript script;
    script.then(choose(QStringLiteral("Labels"), false));
    f->print(); // the description alone
    ASSERT_EQ(f->lastPrint().doc.pageCount(), 1);
    for (const tools::PageItem& it : f->lastPrint().doc.pages[0].items)
        EXPECT_FALSE(std::holds_alternative<tools::ImageItem>(it));
}
