#include "core/SchemaUpgrade.h"
#include "db/Connection.h"

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

} // namespace

void upgradeYearDatabase(db::Connection& year) {
    addColumn(year, "CCENT", "CENTGNO", "Integer", 0);
    addColumn(year, "ACCT", "TEL2", "Varchar(22)", 6);
    addColumn(year, "ACCT", "ISSMS", "Varchar(1)", 21);
    addColumn(year, "TRANS", "CENTGNO", "Integer", 13);
    addColumn(year, "ZGT_TRANS", "CENTGNO", "Integer", 0);
    if (!hasTable(year, "CCENTG"))
        year.executeImmediate(QStringLiteral("CREATE TABLE CCENTG (CENTGNO Integer NOT NULL, CENTGNM Varchar(50), PRIMARY KEY (CENTGNO))"));
}

} // namespace kv::core
