#pragma once
// A fresh year database from the template and a session on it, with the firm settings the
// master-file rules read. Helpers insert rows directly with SQL.
#include "support/TestDb.h"
#include "core/Session.h"
#include "db/Connection.h"
#include <gtest/gtest.h>
#include <memory>

namespace kv::test {

class MastersTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        session = std::make_unique<core::Session>();
        session->MainDB = makeDatabase(QStringLiteral("year.sql"));
        session->vAdmin = QStringLiteral("SV");
        session->gCostPr = QStringLiteral("1");
        session->gSelUnit = QStringLiteral("2");
        session->gLinkArt = QStringLiteral("F");
        session->gArtNum = 2;
        session->gAType = QStringLiteral("12");
        session->gATyp2 = QStringLiteral("20");
        session->msg.load(0);
    }

    // Runs statements in one committed transaction.
    void exec(std::initializer_list<QString> statements)
    {
        db::Transaction tr(*session->MainDB);
        for (const QString& s : statements) tr.execute(s);
        tr.commit();
    }
    void exec(const QString& statement) { exec({statement}); }

    // The single value of a query, as text ("" for NULL or no row; decimals as the column keeps them).
    QString value(const QString& sql) { return test::scalarText(*session->MainDB, sql); }

    std::unique_ptr<core::Session> session;
};

} // namespace kv::test
