#pragma once
#include <QString>
#include <vector>

namespace kv::db {

struct ParsedSql {
    QString sql;                      // the statement with every :NAME replaced by ?
    std::vector<QString> positions;   // the (upper-case) name of each ? in order
};

// Finds :NAME parameters outside string literals, quoted names and comments. DDL statements
// (CREATE, ALTER, RECREATE, DROP, ...) are left alone, since their PSQL bodies use :variables;
// in EXECUTE BLOCK only the part before the body's AS is scanned.
ParsedSql parseNamedParameters(const QString& sql);

} // namespace kv::db
