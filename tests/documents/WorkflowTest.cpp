// The document entry cycle on a real year database: browsing over missing numbers, the number
// prompt, insert and cancel, one-transaction saves with their numbers, busy retries against a
// second attachment, voids and holds.
#include "support/TestDb.h"
#include "db/Connection.h"
#include "documents/DocumentKind.h"
#include "documents/Workflow.h"
#include <gtest/gtest.h>
#include <functional>
#include <stdexcept>

using namespace kv;
using documents::Buttons;
using documents::DocumentKind;
using documents::SaveStatus;
using documents::Workflow;

namespace {

// Writes a header and two lines into the kind's tables, optionally touches an item row as a stock
// effect would, and can fail after the lines are written.
class FakeWriter : public documents::DocumentWriter {
public:
    explicit FakeWriter(const DocumentKind& k) : kind(k) {}

    void write(db::Transaction& tr, int number) override
    {
        ++calls;
        if (beforeWrite) beforeWrite(calls);
        tr.execute(QStringLiteral("insert into %1 (%2, TRDATE, AMOUNT) values (:N, :D, 10)").arg(kind.headerTable, kind.numberColumn),
                   {{"N", std::int64_t(number)}, {"D", QDate(2026, 6, 1)}});
        for (int lno = 1; lno <= 2; ++lno)
            tr.execute(QStringLiteral("insert into %1 (%2, LNO, UINDEX) values (:N, :L, 1)").arg(kind.lineTable, kind.numberColumn),
                       {{"N", std::int64_t(number)}, {"L", std::int64_t(lno)}});
        if (!item.isEmpty())
            tr.execute(QStringLiteral("update STOCK set ONHAND = ONHAND - 1 where ITEMNO = :I"), {{"I", item}});
        if (failAfterLines) throw std::runtime_error("refused by the writer");
    }

    void voidDocument(db::Transaction& tr, int number) override
    {
        tr.execute(QStringLiteral("delete from %1 where %2 = :N").arg(kind.lineTable, kind.numberColumn), {{"N", std::int64_t(number)}});
        tr.execute(QStringLiteral("update %1 set AMOUNT = 0 where %2 = :N").arg(kind.headerTable, kind.numberColumn),
                   {{"N", std::int64_t(number)}});
    }

    const DocumentKind& kind;
    QString item;
    bool failAfterLines = false;
    std::function<void(int call)> beforeWrite;
    int calls = 0;
};

documents::SaveOptions quickRetries()
{
    documents::SaveOptions o;
    o.minPauseMs = 1;
    o.maxPauseMs = 5;
    return o;
}

class WorkflowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = test::makeDataFolder();
        s = openClient();
    }

    std::unique_ptr<core::Session> openClient()
    {
        auto c = test::openSession(folder);
        c->msg.load(0);
        c->vAdmin = QStringLiteral("SV");
        return c;
    }

    void exec(const QString& sql)
    {
        db::Transaction tr(*s->MainDB);
        tr.execute(sql);
        tr.commit();
    }

    // Invoices on file without going through the number procedure, as typed numbers leave them.
    void seedInvoices(std::initializer_list<int> numbers)
    {
        for (int n : numbers)
            exec(QStringLiteral("insert into TRANS3 (INVSEL, TRDATE, AMOUNT) values (%1, '2026-01-%2', 5)").arg(n).arg(n % 28 + 1));
    }

    int count(const QString& sql)
    {
        db::Transaction tr(*s->MainDB);
        const db::Value v = db::scalar(tr, sql);
        return int(std::get<std::int64_t>(v));
    }
    int invoiceRows() { return count(QStringLiteral("select count(*) from TRANS3")) + count(QStringLiteral("select count(*) from TRANS3D")); }

    test::DataFolder folder;
    std::unique_ptr<core::Session> s;
};

struct Nav {
    const char* name;
    const char* from;       // number typed into the prompt first ("" stays on the opening document)
    int (Workflow::*move)();
    int expected;
    bool firstPrior, nextLast;
};

TEST_F(WorkflowTest, NavigationStepsOverMissingNumbersAndStopsAtTheEnds)
{
    seedInvoices({2, 3, 7, 12});
    Workflow flow(*s, documents::salesInvoiceKind());
    flow.open();
    EXPECT_EQ(flow.shown(), 12);

    const Nav cases[] = {
        {"first", "", &Workflow::first, 2, false, true},
        {"last", "3", &Workflow::last, 12, true, false},
        {"next", "2", &Workflow::next, 3, true, true},
        {"next over a gap", "3", &Workflow::next, 7, true, true},
        {"prior over a gap", "12", &Workflow::prior, 7, true, true},
        {"prior at the first", "2", &Workflow::prior, 2, false, true},
        {"next at the last", "12", &Workflow::next, 12, true, false},
    };
    for (const Nav& c : cases) {
        SCOPED_TRACE(c.name);
        if (*c.from) {
            ASSERT_TRUE(flow.view(QString::fromLatin1(c.from)).done);
        }
        EXPECT_EQ((flow.*c.move)(), c.expected);
        EXPECT_EQ(s->mInvSel, c.expected);
        const Buttons b = flow.buttons();
        EXPECT_EQ(b.first, c.firstPrior);
        EXPECT_EQ(b.prior, c.firstPrior);
        EXPECT_EQ(b.next, c.nextLast);
        EXPECT_EQ(b.last, c.nextLast);
    }
}

TEST_F(WorkflowTest, NavigationIsDisabledWithoutDocumentsAndWithASingleOne)
{
    for (bool seeded : {false, true}) {
        SCOPED_TRACE(seeded ? "one invoice" : "no invoice");
        if (seeded) seedInvoices({4});
        Workflow flow(*s, documents::salesInvoiceKind());
        flow.open();
        EXPECT_EQ(flow.shown(), seeded ? 4 : 0);
        EXPECT_EQ(flow.next(), seeded ? 4 : 0);
        const Buttons b = flow.buttons();
        EXPECT_FALSE(b.first || b.prior || b.next || b.last);
        EXPECT_TRUE(b.insert);
        EXPECT_EQ(b.print, seeded);
        EXPECT_FALSE(b.remove); // sales invoices are never deleted
    }
}

TEST_F(WorkflowTest, NumberPromptAcceptsOnlyNumbersOfSavedDocuments)
{
    seedInvoices({3, 7});
    Workflow flow(*s, documents::salesInvoiceKind());
    flow.open();
    struct Case {
        QString typed;
        bool done;
        QString message;
        int shown;
    };
    const Case cases[] = {
        {QStringLiteral("abc"), false, documents::text::notANumber(), 7},
        {QStringLiteral("3x"), false, documents::text::notANumber(), 7},
        {QStringLiteral("-3"), false, documents::text::notANumber(), 7},
        {QStringLiteral("5"), false, s->msg.mNoDoc, 7},
        {QStringLiteral("99999999999"), false, s->msg.mNoDoc, 7},
        {QStringLiteral("   "), false, QString(), 7},
        {QStringLiteral(" 3 "), true, QString(), 3},
        {QStringLiteral("٧"), true, QString(), 7}, // Arabic-Indic seven
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        const documents::Reply r = flow.view(c.typed);
        EXPECT_EQ(r.done, c.done);
        EXPECT_EQ(r.message, c.message);
        EXPECT_EQ(flow.shown(), c.shown);
    }
    EXPECT_EQ(s->msg.mNoDoc, QStringLiteral("رقم المعاملة غير موجود"));
}

TEST_F(WorkflowTest, InsertThenCancelLeavesNothingAndReservesNoNumber)
{
    seedInvoices({1, 2});
    exec(QStringLiteral("set generator INVSEL_GEN to 2"));
    Workflow flow(*s, documents::salesInvoiceKind());
    flow.open();
    ASSERT_TRUE(flow.insert().done);
    EXPECT_EQ(flow.state(), documents::State::Entry);
    EXPECT_EQ(flow.entry().provisionalNumber, 3);
    EXPECT_TRUE(flow.entry().date.isValid());
    const Buttons b = flow.buttons();
    EXPECT_TRUE(b.post && b.cancel && b.hold);
    EXPECT_FALSE(b.insert || b.view || b.first || b.next || b.print);
    EXPECT_EQ(flow.prior(), 2); // navigation does nothing during the entry
    EXPECT_FALSE(flow.view(QStringLiteral("1")).done);

    flow.cancel();
    EXPECT_EQ(flow.state(), documents::State::Browse);
    EXPECT_EQ(flow.shown(), 2);
    EXPECT_EQ(invoiceRows(), 2);
    EXPECT_EQ(count(QStringLiteral("select gen_id(INVSEL_GEN, 0) from RDB$DATABASE")), 2);
    ASSERT_TRUE(flow.insert().done);
    EXPECT_EQ(flow.entry().provisionalNumber, 3); // still free
}

TEST_F(WorkflowTest, InsertNeedsTheAddRightOfAnOperator)
{
    s->vAdmin = QStringLiteral("OP");
    Workflow flow(*s, documents::salesInvoiceKind());
    flow.open();
    EXPECT_FALSE(flow.insert().done);
    EXPECT_EQ(flow.state(), documents::State::Browse);
    s->rights[core::Right::T05] = QStringLiteral("T");
    EXPECT_TRUE(flow.insert().done);
}

TEST_F(WorkflowTest, SaveTakesTheNumberAboveEverythingOnFileInOneTransaction)
{
    seedInvoices({2, 3, 7, 12}); // typed numbers: the generator is still at 0
    Workflow flow(*s, documents::salesInvoiceKind());
    flow.open();
    ASSERT_TRUE(flow.insert().done);
    EXPECT_EQ(flow.entry().provisionalNumber, 13);
    flow.entry().date = QDate(2026, 6, 1);
    FakeWriter w(documents::salesInvoiceKind());
    const documents::SaveResult r = flow.save(w);
    ASSERT_TRUE(r.ok()) << r.message.toStdString();
    EXPECT_EQ(r.number, 13);
    EXPECT_EQ(s->mInvSel, 13);
    EXPECT_EQ(flow.shown(), 13);
    EXPECT_EQ(flow.state(), documents::State::Browse);
    EXPECT_EQ(s->LTrDate, QDate(2026, 6, 1));
    EXPECT_EQ(count(QStringLiteral("select count(*) from TRANS3D where INVSEL = 13")), 2);

    ASSERT_TRUE(flow.insert().done); // the next one follows the generator
    EXPECT_EQ(flow.entry().provisionalNumber, 14);
    flow.entry().date = QDate(2026, 6, 1);
    EXPECT_EQ(flow.save(w).number, 14);
}

TEST_F(WorkflowTest, ASecondClientSavingMeanwhileTakesTheProvisionalNumber)
{
    auto other = openClient();
    Workflow mine(*s, documents::salesInvoiceKind());
    Workflow theirs(*other, documents::salesInvoiceKind());
    mine.open();
    theirs.open();
    ASSERT_TRUE(mine.insert().done);
    ASSERT_TRUE(theirs.insert().done);
    EXPECT_EQ(mine.entry().provisionalNumber, 1);
    EXPECT_EQ(theirs.entry().provisionalNumber, 1);
    mine.entry().date = theirs.entry().date = QDate(2026, 6, 1);

    FakeWriter w1(documents::salesInvoiceKind()), w2(documents::salesInvoiceKind());
    EXPECT_EQ(theirs.save(w2).number, 1);
    const documents::SaveResult r = mine.save(w1);
    ASSERT_TRUE(r.ok()) << r.message.toStdString();
    EXPECT_EQ(r.number, 2);
    EXPECT_EQ(s->mInvSel, 2);
    EXPECT_EQ(count(QStringLiteral("select count(distinct INVSEL) from TRANS3D")), 2);
}

TEST_F(WorkflowTest, ARowHeldElsewhereFailsTheSaveAfterItsRetriesWithNothingWritten)
{
    exec(QStringLiteral("insert into STOCK (ITEMNO, DESCR, ONHAND) values ('A1', 'x', 10)"));
    auto elsewhere = db::Connection::open({QString(), folder.yearDb(), {}, {}});
    auto holder = std::make_unique<db::Transaction>(*elsewhere);
    holder->execute(QStringLiteral("update STOCK set ONHAND = 9 where ITEMNO = 'A1'"));

    Workflow flow(*s, documents::salesInvoiceKind());
    flow.open();
    ASSERT_TRUE(flow.insert().done);
    flow.entry().date = QDate(2026, 6, 1);
    FakeWriter w(documents::salesInvoiceKind());
    w.item = QStringLiteral("A1");

    const documents::SaveResult busy = flow.save(w, quickRetries());
    EXPECT_EQ(busy.status, SaveStatus::Busy);
    EXPECT_EQ(busy.message, QStringLiteral("الملف مشغول الآن. حاول مرة أخرى"));
    EXPECT_EQ(busy.attempts, 3);
    EXPECT_EQ(w.calls, 3);
    EXPECT_EQ(invoiceRows(), 0);
    EXPECT_EQ(flow.state(), documents::State::Entry);

    // Released before the second try of the next save: that try goes through.
    w.calls = 0;
    w.beforeWrite = [&](int call) {
        if (call == 2) holder->commit();
    };
    const documents::SaveResult saved = flow.save(w, quickRetries());
    ASSERT_TRUE(saved.ok()) << saved.message.toStdString();
    EXPECT_EQ(saved.attempts, 2);
    EXPECT_EQ(invoiceRows(), 3);
    EXPECT_EQ(count(QStringLiteral("select cast(ONHAND as integer) from STOCK where ITEMNO = 'A1'")), 8);
}

TEST_F(WorkflowTest, AFailureAfterTheLinesLeavesNoHeaderAndNoLines)
{
    Workflow flow(*s, documents::salesInvoiceKind());
    flow.open();
    ASSERT_TRUE(flow.insert().done);
    flow.entry().date = QDate(2026, 6, 1);
    FakeWriter w(documents::salesInvoiceKind());
    w.failAfterLines = true;
    const documents::SaveResult r = flow.save(w, quickRetries());
    EXPECT_EQ(r.status, SaveStatus::Refused);
    EXPECT_EQ(r.message, QStringLiteral("refused by the writer"));
    EXPECT_EQ(w.calls, 1); // a refusal is not retried
    EXPECT_EQ(invoiceRows(), 0);
    EXPECT_EQ(flow.state(), documents::State::Entry);
    EXPECT_EQ(s->mInvSel, 0);
}

TEST_F(WorkflowTest, TypedNumbersAreKeptWhenTheKindAllowsThem)
{
    const DocumentKind& k = documents::issueVoucherKind();
    s->gNQOut = QStringLiteral("T");
    exec(QStringLiteral("insert into TRANS2 (INVOUT, AMOUNT) values (5, 1)"));
    FakeWriter w(k);
    struct Case {
        int typed;
        SaveStatus status;
        QString message;
    };
    const Case cases[] = {
        {0, SaveStatus::Refused, QStringLiteral("السند غير صحيح")},
        {5, SaveStatus::Refused, QStringLiteral("Issue Voucher No. already exists")},
        {40, SaveStatus::Saved, QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        documents::SaveOptions o;
        o.typedNumber = c.typed;
        const documents::SaveResult r = documents::saveDocument(*s, k, w, o);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.message, c.message);
        if (r.ok()) {
            EXPECT_EQ(s->mInvOut, c.typed);
        }
    }
    // The sales invoice ignores a typed number: its number always comes from the procedure.
    s->gNQSld = QStringLiteral("T");
    documents::SaveOptions o;
    o.typedNumber = 77;
    FakeWriter sales(documents::salesInvoiceKind());
    EXPECT_EQ(documents::saveDocument(*s, documents::salesInvoiceKind(), sales, o).number, 1);
}

// The number a save takes is inserted meanwhile by another workstation that has not committed
// yet: an automatic number moves on to the next one; a typed number is busy until the other
// workstation lets go of it.
TEST_F(WorkflowTest, ANumberStoredElsewhereMeanwhileIsRetried)
{
    auto elsewhere = db::Connection::open({QString(), folder.yearDb(), {}, {}});
    auto holder = std::make_unique<db::Transaction>(*elsewhere);
    holder->execute(QStringLiteral("insert into TRANS3 (INVSEL, AMOUNT) values (1, 1)"));
    holder->execute(QStringLiteral("insert into TRANS2 (INVOUT, AMOUNT) values (41, 1)"));

    FakeWriter w(documents::salesInvoiceKind());
    documents::SaveResult r = documents::saveDocument(*s, documents::salesInvoiceKind(), w, quickRetries());
    ASSERT_TRUE(r.ok()) << r.message.toStdString();
    EXPECT_EQ(r.number, 2);
    EXPECT_EQ(r.attempts, 2);

    const DocumentKind& k = documents::issueVoucherKind();
    s->gNQOut = QStringLiteral("T");
    FakeWriter typed(k);
    documents::SaveOptions o = quickRetries();
    o.typedNumber = 41;
    r = documents::saveDocument(*s, k, typed, o);
    EXPECT_EQ(r.status, SaveStatus::Busy);
    EXPECT_EQ(count(QStringLiteral("select count(*) from TRANS2D")), 0);
    holder->rollback();
    r = documents::saveDocument(*s, k, typed, o);
    EXPECT_TRUE(r.ok()) << r.message.toStdString();
    EXPECT_EQ(r.number, 41);
}

TEST_F(WorkflowTest, DateChecks)
{
    s->LTrDate = QDate(2026, 3, 10);
    struct Case {
        const char* name;
        const DocumentKind* kind;
        const char* dateFlag; // gDQSld
        QDate date;
        QString message;
    };
    const Case cases[] = {
        {"in the year", &documents::salesInvoiceKind(), "F", QDate(2026, 3, 10), QString()},
        {"invalid", &documents::salesInvoiceKind(), "F", QDate(), s->msg.mNoDte},
        {"another year", &documents::salesInvoiceKind(), "T", QDate(2025, 12, 31), s->msg.mWInYr},
        {"back-dated", &documents::salesInvoiceKind(), "F", QDate(2026, 3, 9), s->msg.mNoTrN},
        {"back-dated, date editable", &documents::salesInvoiceKind(), "T", QDate(2026, 3, 9), QString()},
        {"back-dated quotation", &documents::quotationKind(), "T", QDate(2026, 3, 9), s->msg.mNoTrN},
        {"back-dated issue", &documents::issueVoucherKind(), "F", QDate(2026, 1, 1), QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        s->gDQSld = QString::fromLatin1(c.dateFlag);
        const documents::Reply r = documents::checkDocumentDate(*s, *c.kind, c.date);
        EXPECT_EQ(r.done, c.message.isEmpty());
        EXPECT_EQ(r.message, c.message);
    }

    Workflow flow(*s, documents::quotationKind());
    flow.open();
    ASSERT_TRUE(flow.insert().done);
    flow.entry().date = QDate(2025, 5, 5);
    FakeWriter w(documents::quotationKind());
    const documents::SaveResult r = flow.save(w);
    EXPECT_EQ(r.message, s->msg.mWInYr);
    EXPECT_EQ(r.field, QStringLiteral("TRDATE"));
    EXPECT_EQ(w.calls, 0);
}

TEST_F(WorkflowTest, DeleteChecksThenVoidsTheShownDocument)
{
    const DocumentKind& k = documents::quotationKind();
    exec(QStringLiteral("insert into QUOT (QUOTNO, TRDATE, AMOUNT) values (1, '2026-02-01', 0)"));
    exec(QStringLiteral("insert into QUOT (QUOTNO, TRDATE, AMOUNT) values (2, '2026-03-01', 10)"));
    exec(QStringLiteral("insert into QUOTD (QUOTNO, LNO, UINDEX) values (2, 1, 1)"));
    s->LTrDate = QDate(2026, 3, 1);
    Workflow flow(*s, k);
    flow.open();
    FakeWriter w(k);

    s->LastYr = QStringLiteral("2027");
    EXPECT_EQ(flow.checkRemove().message, s->msg.mNoChg);
    s->LastYr = s->CurrYr;
    ASSERT_TRUE(flow.view(QStringLiteral("1")).done);
    EXPECT_EQ(flow.checkRemove().message, s->msg.mNoDel);
    s->LTrDate = QDate(2026, 1, 1);
    EXPECT_EQ(flow.checkRemove().message, s->msg.mDeltd);
    ASSERT_TRUE(flow.view(QStringLiteral("2")).done);
    EXPECT_TRUE(flow.checkRemove().done);

    EXPECT_TRUE(flow.remove(w).done);
    EXPECT_EQ(count(QStringLiteral("select count(*) from QUOTD")), 0);
    EXPECT_EQ(count(QStringLiteral("select count(*) from QUOT where AMOUNT = 0")), 2); // kept as void
    EXPECT_EQ(flow.checkRemove().message, s->msg.mDeltd);

    s->vAdmin = QStringLiteral("OP"); // without T29 the command does nothing
    EXPECT_FALSE(flow.checkRemove().done);
    EXPECT_TRUE(flow.checkRemove().message.isEmpty());
}

TEST_F(WorkflowTest, HoldNumbersTheParkedEntriesAndOpeningForgetsThem)
{
    Workflow flow(*s, documents::salesInvoiceKind());
    flow.open();
    const auto park = [](db::Transaction& tr, int n) {
        tr.execute(QStringLiteral("insert into ZGT_TRNS3H (INVSEL, ACCTNO) values (:N, 'x')"), {{"N", std::int64_t(n)}});
    };
    for (int expected : {1, 2}) {
        ASSERT_TRUE(flow.insert().done);
        ASSERT_TRUE(flow.hold(park).done);
        EXPECT_EQ(flow.lastHoldNumber(), expected);
        EXPECT_EQ(flow.state(), documents::State::Browse);
    }
    EXPECT_FALSE(flow.hold(park).done); // only under entry
    EXPECT_EQ(count(QStringLiteral("select count(*) from ZGT_TRNS3H")), 2);
    flow.open();
    EXPECT_EQ(count(QStringLiteral("select count(*) from ZGT_TRNS3H")), 0);
    EXPECT_EQ(invoiceRows(), 0);
}

TEST_F(WorkflowTest, EveryKindNamesTablesAndNumberingOfTheYearDatabase)
{
    for (const DocumentKind* k : documents::allKinds()) {
        SCOPED_TRACE(k->screenClass.toStdString());
        EXPECT_EQ(documents::kindForScreen(k->screenClass), k);
        EXPECT_EQ(count(QStringLiteral("select count(*) from %1 where %2 = 0 and %3 = 0")
                            .arg(k->headerTable, k->numberColumn, k->amountColumn)), 0);
        EXPECT_EQ(count(QStringLiteral("select count(*) from %1 where %2 = 0").arg(k->lineTable, k->numberColumn)), 0);
        EXPECT_EQ(count(QStringLiteral("select count(*) from RDB$PROCEDURE_PARAMETERS where RDB$PROCEDURE_NAME = '%1'"
                                       " and RDB$PARAMETER_NAME = '%2' and RDB$PARAMETER_TYPE = 1")
                            .arg(k->numberProcedure, k->procedureOutput)), 1);
        EXPECT_EQ(count(QStringLiteral("select gen_id(%1, 0) from RDB$DATABASE").arg(k->generator)), 0);
        if (k->offersHold()) {
            EXPECT_EQ(count(QStringLiteral("select count(*) from %1, %2").arg(k->holdHeaderTable, k->holdLineTable)), 0);
        }
        Workflow flow(*s, *k);
        flow.open();
        ASSERT_TRUE(flow.insert().done);
        EXPECT_EQ(flow.entry().provisionalNumber, 1);
    }
}

} // namespace
