#pragma once
#include <QString>
#include <QStringList>

namespace kv::db {
class Connection;

// Splits a schema script into statements: honours string literals, quoted names, -- and /* */
// comments, and SET TERM; drops COMMIT / COMMIT WORK lines and SET statements of isql.
QStringList splitScript(const QString& script);

// Runs every statement of the script, committing after each one. Throws DbError naming the statement.
void runScript(Connection& connection, const QString& script);

// Text of a checked-in script: "system.sql", "year.sql" (compiled into the program as resources).
QString schemaScript(const QString& name);

} // namespace kv::db
