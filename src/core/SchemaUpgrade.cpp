#include "core/SchemaUpgrade.h"
#include "db/Connection.h"
#include "db/Script.h"
#include <QRegularExpression>

namespace kv::core {

using db::Query;
using db::Transaction;

namespace {

bool hasTable(db::Connection& c, const char* table) {
    Transaction tr(c);
    Query q(tr, QStringLiteral("select 1 from RDB$RELATIONS where RDB$RELATION_NAME = :T"));
    q.bind("T", QString::fromLatin1(table)).execute();
    return q.next();
}

bool hasColumn(db::Connection& c, const char* table, const char* column) {
    Transaction tr(c);
    Query q(tr, QStringLiteral("select 1 from RDB$RELATION_FIELDS where RDB$RELATION_NAME = :T and RDB$FIELD_NAME = :C"));
    q.bind("T", QString::fromLatin1(table)).bind("C", QString::fromLatin1(column)).execute();
    return q.next();
}

bool hasIndex(db::Connection& c, const char* index) {
    Transaction tr(c);
    Query q(tr, QStringLiteral("select 1 from RDB$INDICES where RDB$INDEX_NAME = :I"));
    q.bind("I", QString::fromLatin1(index)).execute();
    return q.next();
}

bool hasTrigger(db::Connection& c, const char* trigger) {
    Transaction tr(c);
    Query q(tr, QStringLiteral("select 1 from RDB$TRIGGERS where RDB$TRIGGER_NAME = :T"));
    q.bind("T", QString::fromLatin1(trigger)).execute();
    return q.next();
}

int columnCount(db::Connection& c, const char* table) {
    Transaction tr(c);
    Query q(tr, QStringLiteral("select count(*) as N from RDB$RELATION_FIELDS where RDB$RELATION_NAME = :T"));
    q.bind("T", QString::fromLatin1(table)).execute();
    return q.next() ? int(q.integer(QStringLiteral("N"))) : 0;
}

// Adds a column when it is missing and moves it to its place (when the table is wide enough).
void addColumn(db::Connection& c, const char* table, const char* column, const char* type, int position) {
    if (!hasTable(c, table) || hasColumn(c, table, column)) return;
    const QString t = QString::fromLatin1(table), col = QString::fromLatin1(column);
    c.executeImmediate(QStringLiteral("ALTER TABLE %1 ADD %2 %3").arg(t, col, QString::fromLatin1(type)));
    if (position > 0 && position <= columnCount(c, table))
        c.executeImmediate(QStringLiteral("ALTER TABLE %1 ALTER %2 POSITION %3").arg(t, col).arg(position));
}

// The statement of the year template that creates `object` ("TABLE ITEMSRCH", "TRIGGER ..."),
// so that an upgraded database gets exactly what a new one has.
QString templateStatement(const QString& object) {
    const QRegularExpression comments(QStringLiteral(R"(--[^\n]*|/\*.*?\*/)"),
                                      QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpression creates(QStringLiteral(R"(^CREATE\s+%1\b)").arg(object),
                                     QRegularExpression::CaseInsensitiveOption);
    for (const QString& s : db::splitScript(db::schemaScript(QStringLiteral("year.sql")))) {
        const QString bare = QString(s).remove(comments).trimmed();
        if (creates.match(bare).hasMatch()) return bare;
    }
    throw db::DbError(QStringLiteral("the year template has no ") + object);
}

// The item search's table ITEMSRCH and the trigger on STOCK that keeps it. The index, built
// last over the filled table, marks the step as done: until it exists the table is refilled
// from STOCK (MERGE, so rows the trigger wrote meanwhile are only brought up to date).
void addItemSearchTable(db::Connection& c) {
    if (!hasTable(c, "STOCK")) return;
    if (!hasTable(c, "ITEMSRCH")) c.executeImmediate(templateStatement(QStringLiteral("TABLE ITEMSRCH")));
    if (!hasTrigger(c, "STOCK_ITEMSRCH")) c.executeImmediate(templateStatement(QStringLiteral("TRIGGER STOCK_ITEMSRCH")));
    if (hasIndex(c, "IX_ITEMSRCH_DESCR")) return;
    {
        Transaction tr(c);
        tr.execute(QStringLiteral("DELETE FROM ITEMSRCH X WHERE NOT EXISTS (SELECT 1 FROM STOCK S WHERE S.ITEMNO = X.ITEMNO)"));
        tr.execute(QStringLiteral("MERGE INTO ITEMSRCH X USING STOCK S ON X.ITEMNO = S.ITEMNO "
                                  "WHEN MATCHED THEN UPDATE SET X.DESCR = S.DESCR, X.SRCH = UPPER(S.DESCR) "
                                  "WHEN NOT MATCHED THEN INSERT (ITEMNO, DESCR, SRCH) VALUES (S.ITEMNO, S.DESCR, UPPER(S.DESCR))"));
        tr.commit();
    }
    c.executeImmediate(templateStatement(QStringLiteral("INDEX IX_ITEMSRCH_DESCR")));
}

} // namespace

void upgradeYearDatabase(db::Connection& year) {
    addColumn(year, "CCENT", "CENTGNO", "Integer", 0);
    addColumn(year, "ACCT", "TEL2", "Varchar(22)", 6);
    addColumn(year, "ACCT", "ISSMS", "Varchar(1)", 21);
    addColumn(year, "TRANS", "CENTGNO", "Integer", 13);
    addColumn(year, "ZGT_TRANS", "CENTGNO", "Integer", 0);
    if (!hasTable(year, "CCENTG"))
        year.executeImmediate(QStringLiteral("CREATE TABLE CCENTG (CENTGNO Integer NOT NULL, CENTGNM Varchar(50), PRIMARY KEY (CENTGNO))"));
    addItemSearchTable(year);
    for (const char* index : {"IXD_TRANS1_INVIN", "IXD_TRANS2_INVOUT", "IXD_TRANS3_INVSEL", "IXD_TRANS4_INVRET",
                              "IXD_QREQ_QREQNO", "IXD_QUOT_QUOTNO", "IXD_PORDER_PORDNO", "IXD_TRANS3_TRDATE"})
        if (!hasIndex(year, index))
            year.executeImmediate(templateStatement(QStringLiteral("DESCENDING INDEX ") + QString::fromLatin1(index)));
}

} // namespace kv::core
