#pragma once
// Document tests over a demo data folder made once per test suite: the suite's statements
// prepare its rows, and every test gets a fresh supervisor's session on it with the settings
// the sales rules read (VAT 15%, no stock or barcode checks, 2026/01/01 as the latest date).
#include "support/TestDb.h"
#include "core/Money.h"
#include "core/Session.h"
#include "db/Connection.h"
#include "documents/SalesInvoice.h"
#include <gtest/gtest.h>
#include <initializer_list>
#include <memory>

namespace kv::test {

inline core::Money money(const char* t) { return *core::Money::parse(QString::fromLatin1(t)); }
inline core::Price price(const char* t) { return *core::Price::parse(QString::fromLatin1(t)); }
inline core::Qty qty(const char* t) { return *core::Qty::parse(QString::fromLatin1(t)); }

// The date the tests' invoices are typed with.
inline const QDate kInvoiceDate(2026, 3, 15);

class DemoFolderTest : public ::testing::Test {
protected:
    // From the suite's SetUpTestSuite: the 2026 demo folder, with `statements` run on its year
    // database in one transaction.
    static void makeFolder(std::initializer_list<const char*> statements)
    {
        folder_ = new DataFolder(makeDataFolder(QStringLiteral("2026"), true));
        auto s = openSession(*folder_);
        db::Transaction tr(*s->MainDB);
        for (const char* sql : statements) tr.execute(QString::fromUtf8(sql));
        tr.commit();
    }
    static void TearDownTestSuite()
    {
        delete folder_;
        folder_ = nullptr;
    }

    void SetUp() override
    {
        session = openSession(*folder_);
        session->msg.load(0);
        session->vAdmin = QStringLiteral("SV");
        session->UNM = QStringLiteral("tester");
        session->LTrDate = QDate(2026, 1, 1);
        session->gXQSel = QStringLiteral("F");
        session->gBCUse = QStringLiteral("F");
        session->mVatTx = 15;
    }

    void exec(const QString& sql)
    {
        db::Transaction tr(*session->MainDB);
        tr.execute(sql);
        tr.commit();
    }
    void exec(const char* sql) { exec(QString::fromUtf8(sql)); }
    // One value as text ("" for NULL or no row).
    QString value(const QString& sql) { return scalarText(*session->MainDB, sql); }

    // A new invoice dated kInvoiceDate with `acctNo` selected.
    std::unique_ptr<documents::SalesInvoice> invoiceFor(const QString& acctNo)
    {
        auto inv = std::make_unique<documents::SalesInvoice>(*session);
        inv->header.TRDATE = kInvoiceDate;
        EXPECT_TRUE(inv->selectCustomer(acctNo).ok);
        return inv;
    }
    // A new line typed at the end (nothing was remembered before the edit).
    static documents::Outcome add(documents::SalesInvoice& inv, const documents::SalesLine& l)
    {
        return inv.postLine(int(inv.lines.size()), l, {});
    }

    std::unique_ptr<core::Session> session;
    static inline DataFolder* folder_ = nullptr;
};

} // namespace kv::test
