// The sales invoice screen over the demo firm: an invoice typed for a customer with two lines
// is saved with its lines and takes the quantities out of stock; a cancelled one leaves nothing;
// hold and resume, the line prompts, the address window of a saved invoice, print.
#include "../UiTest.h"

#include "db/Connection.h"
#include "ui/documents/QtySold.h"
#include "ui/tools/Preview.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>

using namespace kv;
using kv::test::ModalScript;

namespace {

// Answers a number prompt (TTrnSrchF): types the text and presses the given button.
ModalScript::Handler answerPrompt(const QString& text, const char* button = "BBOk")
{
    return [text, button](QWidget* w) {
        if (auto* e = w->findChild<QLineEdit*>(QStringLiteral("EditTrNo"))) e->setText(text);
        ModalScript::press(QString::fromLatin1(button))(w);
    };
}

class SalesInvoiceScreen : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        test::uiApp();
        folder_ = new test::DataFolder(test::makeDataFolder(QStringLiteral("2026"), true));
        auto s = test::openSession(*folder_);
        db::Transaction tr(*s->MainDB);
        tr.execute(QStringLiteral("update STOCK set QUNITS = 1, UPRICE = 10, UPRICEC = 0, UPRICE2 = 10,"
                                  " UPRICE2C = 0, ARTNO = '10', ONHAND = 50 where ITEMNO in ('10002', '10003')"));
        tr.execute(QStringLiteral("update ACCT set ISACTIVE = 0, CRLIMIT2 = 0 where ACCTNO = '120005'"));
        tr.commit();
    }
    void SetUp() override
    {
        session = test::openSession(*folder_);
        session->UNM = QStringLiteral("ADMIN");
        session->vAdmin = QStringLiteral("SV");
    }
    QString value(const QString& sql) { return test::scalarText(*session->MainDB, sql); }
    // Types an invoice for 120005: 3 of 10002 and 2 of 10003 at the list price 10.
    void typeInvoice(ui::TQtySoldF& w)
    {
        w.SBInsert->trigger();
        ASSERT_NE(w.invoice(), nullptr);
        w.DBEAcctNo->setText(QStringLiteral("120005"));
        w.accountEntered();
        ASSERT_EQ(w.invoice()->header.ACCTNO, QStringLiteral("120005"));
        const std::pair<const char*, const char*> lines[] = {{"10002", "3"}, {"10003", "2"}};
        int row = 0;
        for (const auto& [item, qty] : lines) {
            w.Grid->item(row, ui::TQtySoldF::ColItem)->setText(QString::fromLatin1(item));
            w.Grid->item(row, ui::TQtySoldF::ColQty)->setText(QString::fromLatin1(qty));
            ++row;
        }
        ASSERT_EQ(w.Grid->rowCount(), 3); // a fresh line waits below the two typed ones
    }

    static inline test::DataFolder* folder_ = nullptr;
    std::unique_ptr<core::Session> session;
};

TEST_F(SalesInvoiceScreen, SavesATypedInvoiceAndTakesItOutOfStock)
{
    const QString before = value(QStringLiteral("select count(*) from TRANS3"));
    ui::TQtySoldF w(*session);
    ASSERT_NO_FATAL_FAILURE(typeInvoice(w));
    EXPECT_EQ(w.LblSubAmnt->text(), QStringLiteral("50.00"));

    ModalScript script;
    script.then(ModalScript::ok()).then(ModalScript::no()); // "هل تريد الحفظ؟", then no print
    w.SBPost->trigger();
    ASSERT_EQ(script.seen().size(), 2u);
    EXPECT_EQ(script.seen()[0].text, session->msg.mUSave);
    EXPECT_EQ(script.seen()[1].text, documents::text::askPrintInvoice());

    const int saved = w.workflow().shown();
    EXPECT_EQ(w.workflow().state(), documents::State::Browse);
    EXPECT_EQ(value(QStringLiteral("select count(*) from TRANS3")), QString::number(before.toInt() + 1));
    EXPECT_EQ(value(QStringLiteral("select ACCTNO from TRANS3 where INVSEL = %1").arg(saved)), QStringLiteral("120005"));
    EXPECT_EQ(value(QStringLiteral("select AMOUNT from TRANS3 where INVSEL = %1").arg(saved)), QStringLiteral("50.00"));
    EXPECT_EQ(value(QStringLiteral("select count(*) from TRANS3D where INVSEL = %1").arg(saved)), QStringLiteral("2"));
    EXPECT_EQ(value(QStringLiteral("select ONHAND from STOCK where ITEMNO = '10002'")), QStringLiteral("47.00"));
    EXPECT_EQ(value(QStringLiteral("select ONHAND from STOCK where ITEMNO = '10003'")), QStringLiteral("48.00"));
    // The browse state shows the saved invoice, read-only.
    EXPECT_EQ(w.DBEInvSel->text(), QString::number(saved));
    EXPECT_EQ(w.Grid->rowCount(), 2);
    EXPECT_TRUE(w.DBEAcctNo->isReadOnly());

    w.resize(1200, 560);
    w.grab().save(QStringLiteral("/tmp/kv_sales_invoice.png"));
}

TEST_F(SalesInvoiceScreen, CancelLeavesNothing)
{
    const QString headers = value(QStringLiteral("select count(*) from TRANS3"));
    const QString lines = value(QStringLiteral("select count(*) from TRANS3D"));
    const QString onHand = value(QStringLiteral("select ONHAND from STOCK where ITEMNO = '10002'"));
    ui::TQtySoldF w(*session);
    ASSERT_NO_FATAL_FAILURE(typeInvoice(w));
    w.SBCancel->trigger();
    EXPECT_EQ(w.workflow().state(), documents::State::Browse);
    EXPECT_EQ(w.invoice(), nullptr);
    EXPECT_EQ(value(QStringLiteral("select count(*) from TRANS3")), headers);
    EXPECT_EQ(value(QStringLiteral("select count(*) from TRANS3D")), lines);
    EXPECT_EQ(value(QStringLiteral("select ONHAND from STOCK where ITEMNO = '10002'")), onHand);
}

TEST_F(SalesInvoiceScreen, HeldInvoiceComesBackIntoTheNextEntry)
{
    const QString headers = value(QStringLiteral("select count(*) from TRANS3"));
    ui::TQtySoldF w(*session);
    ASSERT_NO_FATAL_FAILURE(typeInvoice(w));
    w.DBECustName->setText(QStringLiteral("مؤسسة النور"));
    w.invoice()->header.address.CITY = QStringLiteral("الدمام"); // as typed into the address window
    w.invoice()->header.address.TAXCODE = QStringLiteral("310000000000003");
    w.SBSusp->trigger();
    EXPECT_EQ(w.workflow().state(), documents::State::Browse);
    EXPECT_EQ(w.SBSusp->text(), QStringLiteral("?"));
    EXPECT_EQ(value(QStringLiteral("select count(*) from TRANS3")), headers); // nothing saved

    w.SBInsert->trigger();
    ASSERT_EQ(w.CBHeld->count(), 2); // the caption row and the held invoice
    EXPECT_TRUE(w.CBHeld->isEnabled());
    EXPECT_EQ(w.CBHeld->itemText(1), QStringLiteral("مؤسسة النور"));
    w.resumeHeld(1);
    EXPECT_EQ(w.DBEAcctNo->text(), QStringLiteral("120005"));
    EXPECT_EQ(w.DBECustName->text(), QStringLiteral("مؤسسة النور"));
    EXPECT_EQ(w.invoice()->header.address.CITY, QStringLiteral("الدمام"));
    EXPECT_EQ(w.invoice()->header.address.TAXCODE, QStringLiteral("310000000000003"));
    EXPECT_EQ(w.LblSubAmnt->text(), QStringLiteral("50.00"));
    EXPECT_EQ(w.Grid->item(0, ui::TQtySoldF::ColItem)->text(), QStringLiteral("10002"));
    EXPECT_FALSE(w.CBHeld->isEnabled());
    w.SBCancel->trigger();
    w.SBInsert->trigger();
    EXPECT_EQ(w.CBHeld->count(), 1); // taken back: no longer held
    w.SBCancel->trigger();
}

TEST_F(SalesInvoiceScreen, LinePromptsAndLineDelete)
{
    ui::TQtySoldF w(*session);
    ASSERT_NO_FATAL_FAILURE(typeInvoice(w));
    w.Grid->setCurrentCell(0, ui::TQtySoldF::ColQty);

    // F3: 100 for 3 pieces.
    {
        ModalScript script;
        script.then(answerPrompt(QStringLiteral("100")));
        w.enterLineTotal();
        ASSERT_EQ(script.seen().size(), 1u);
        EXPECT_EQ(script.seen()[0].title, documents::text::enterLineTotal());
    }
    EXPECT_EQ(w.Grid->item(0, ui::TQtySoldF::ColPrice)->text(), QStringLiteral("33.3333"));
    EXPECT_EQ(w.LblSubAmnt->text(), QStringLiteral("120.00"));

    // A prompt closed with Cancel still acts on its text: not a number.
    {
        ModalScript script;
        script.then(answerPrompt(QStringLiteral("abc"), "BBCancel")).then(ModalScript::ok());
        w.enterLineTotal();
        ASSERT_EQ(script.seen().size(), 2u);
        EXPECT_EQ(script.seen()[1].text, documents::text::badAmount());
    }

    // Ctrl+Delete takes the current line out and the totals follow.
    w.Grid->setCurrentCell(1, ui::TQtySoldF::ColItem);
    w.deleteLine();
    EXPECT_EQ(w.Grid->rowCount(), 2);
    EXPECT_EQ(w.LblSubAmnt->text(), QStringLiteral("100.00"));
    w.SBCancel->trigger();
}

TEST_F(SalesInvoiceScreen, AddressOfASavedInvoiceChangesForThePrintOnly)
{
    ui::TQtySoldF w(*session);
    ASSERT_NO_FATAL_FAILURE(typeInvoice(w));
    {
        ModalScript script;
        script.then(ModalScript::ok()).then(ModalScript::no());
        w.SBPost->trigger();
    }
    const int saved = w.workflow().shown();
    ASSERT_TRUE(w.shownInvoice());
    {
        ModalScript script;
        script.then([](QWidget* d) {
            ModalScript::press(QStringLiteral("BBEdit"))(d);
            d->findChild<QLineEdit*>(QStringLiteral("DBECity"))->setText(QStringLiteral("الدمام"));
            d->findChild<QLineEdit*>(QStringLiteral("DBETaxCode"))->setText(QStringLiteral("310000000000003"));
            ModalScript::press(QStringLiteral("BBOk"))(d);
        });
        w.clientInfo();
        ASSERT_EQ(script.seen().size(), 1u);
        EXPECT_EQ(script.seen()[0].title, QStringLiteral("Client Info"));
    }
    EXPECT_EQ(w.shownInvoice()->header.address.CITY, QStringLiteral("الدمام"));
    EXPECT_EQ(documents::invoiceTitle(w.shownInvoice()->header), documents::text::taxInvoice());
    EXPECT_EQ(value(QStringLiteral("select coalesce(CITY, '') from TRANS3 where INVSEL = %1").arg(saved)), QString());

    // Print goes through the print options; cancelling them prints nothing.
    {
        ModalScript script;
        script.then(ModalScript::press(QStringLiteral("BBCancel")));
        w.SBPrint->trigger();
        ASSERT_EQ(script.seen().size(), 1u);
        EXPECT_EQ(script.seen()[0].objectName, QStringLiteral("TPrintOptF"));
    }
    // Preview: the page of the shown invoice, with the address typed above.
    {
        ModalScript script;
        int pages = 0;
        script.then([](QWidget* d) {
                  d->findChild<QAbstractButton*>(QStringLiteral("RBPreview"))->click();
                  ModalScript::press(QStringLiteral("BBOk"))(d);
              })
            .then([&pages](QWidget* d) {
                auto* pv = qobject_cast<ui::TPreviewF*>(d);
                if (pv) {
                    pages = pv->pageCount();
                    pv->shownImage().save(QStringLiteral("/tmp/kv_sales_invoice_preview.png"));
                }
                d->close();
            });
        w.SBPrint->trigger();
        ASSERT_EQ(script.seen().size(), 2u);
        EXPECT_EQ(script.seen()[1].objectName, QStringLiteral("TPreviewF"));
        EXPECT_EQ(pages, 1);
    }

    // Showing the invoice again shows the stored address.
    w.SBFirst->trigger();
    w.SBLast->trigger();
    EXPECT_EQ(w.workflow().shown(), saved);
    EXPECT_TRUE(w.shownInvoice()->header.address.CITY.isEmpty());
}

TEST_F(SalesInvoiceScreen, PreviousBalanceBlinksWhileEntering)
{
    {
        db::Transaction tr(*session->MainDB);
        tr.execute(QStringLiteral("insert into TRANS (TRNO, LNO, ACCTNO, DR, CR) values (1, 99, '120007', 75, 0)"));
        tr.execute(QStringLiteral("update ACCT set ISACTIVE = 0, CRLIMIT2 = 5000 where ACCTNO = '120007'"));
        tr.commit();
    }
    ui::TQtySoldF w(*session);
    w.SBInsert->trigger();
    EXPECT_FALSE(w.blinking());
    w.DBEAcctNo->setText(QStringLiteral("120007"));
    w.accountEntered();
    EXPECT_TRUE(w.blinking());
    EXPECT_EQ(w.LblCrLimit->text(), QStringLiteral("حد إئتمان:5000"));
    w.SBCancel->trigger();
    EXPECT_FALSE(w.blinking());
}

} // namespace

namespace {

// Typing into the grid's cell editors: Enter posts the cell and moves along the line (item,
// unit, quantity, price), then to the item of a new line.
TEST_F(SalesInvoiceScreen, EnterInTheGridPostsAndMovesAlongTheLine)
{
    ui::TQtySoldF w(*session);
    w.show();
    w.SBInsert->trigger();
    w.DBEAcctNo->setText(QStringLiteral("120005"));
    w.accountEntered();
    const auto typeCell = [&](const QString& text) {
        w.Grid->editItem(w.Grid->item(w.Grid->currentRow(), w.Grid->currentColumn()));
        QLineEdit* editor = nullptr;
        for (QLineEdit* e : w.Grid->viewport()->findChildren<QLineEdit*>())
            if (e->isVisible()) editor = e;
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();
    };
    w.Grid->setFocus();
    w.Grid->setCurrentCell(0, ui::TQtySoldF::ColItem);
    typeCell(QStringLiteral("10002"));
    EXPECT_EQ(w.Grid->item(0, ui::TQtySoldF::ColDescr)->text().isEmpty(), false);
    const int afterItem = w.Grid->isColumnHidden(ui::TQtySoldF::ColUIndex) ? ui::TQtySoldF::ColQty : ui::TQtySoldF::ColUIndex;
    EXPECT_EQ(w.Grid->currentColumn(), afterItem);
    w.Grid->setCurrentCell(0, ui::TQtySoldF::ColQty);
    typeCell(QStringLiteral("4"));
    EXPECT_EQ(w.Grid->currentColumn(), int(ui::TQtySoldF::ColPrice));
    EXPECT_EQ(w.LblSubAmnt->text(), QStringLiteral("40.00"));
    typeCell(QStringLiteral("12"));
    EXPECT_EQ(w.Grid->currentRow(), 1);
    EXPECT_EQ(w.Grid->currentColumn(), int(ui::TQtySoldF::ColItem));
    EXPECT_EQ(w.LblSubAmnt->text(), QStringLiteral("48.00"));
    w.SBCancel->trigger();
}

} // namespace
