#include "db/SqlParams.h"
#include <QRegularExpression>

namespace kv::db {

namespace {
bool isIdentChar(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$'); }

QString firstWords(const QString& sql, int count) {
    static const QRegularExpression comments(QStringLiteral(R"(--[^\n]*|/\*.*?\*/)"),
                                             QRegularExpression::DotMatchesEverythingOption);
    QString s = sql;
    s.remove(comments);
    const QStringList words = s.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return words.mid(0, count).join(QLatin1Char(' ')).toUpper();
}
} // namespace

ParsedSql parseNamedParameters(const QString& sql) {
    ParsedSql out;
    const QString head = firstWords(sql, 2);
    static const QStringList ddl = {QStringLiteral("CREATE"), QStringLiteral("ALTER"), QStringLiteral("RECREATE"),
                                    QStringLiteral("DROP"), QStringLiteral("DECLARE"), QStringLiteral("COMMENT"),
                                    QStringLiteral("GRANT"), QStringLiteral("REVOKE"), QStringLiteral("SET")};
    const QString first = head.section(QLatin1Char(' '), 0, 0);
    if (ddl.contains(first)) {
        out.sql = sql;
        return out;
    }
    const bool block = head == QLatin1String("EXECUTE BLOCK");

    const int n = int(sql.size());
    out.sql.reserve(n);
    int depth = 0;
    for (int i = 0; i < n;) {
        const QChar c = sql[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) { // literal or quoted name, '' escapes
            int j = i + 1;
            while (j < n) {
                if (sql[j] == c) {
                    if (j + 1 < n && sql[j + 1] == c) { j += 2; continue; }
                    break;
                }
                ++j;
            }
            out.sql += sql.mid(i, j + 1 - i);
            i = j + 1;
            continue;
        }
        if (c == QLatin1Char('-') && i + 1 < n && sql[i + 1] == QLatin1Char('-')) {
            const int j = sql.indexOf(QLatin1Char('\n'), i);
            const int end = j < 0 ? n : j;
            out.sql += sql.mid(i, end - i);
            i = end;
            continue;
        }
        if (c == QLatin1Char('/') && i + 1 < n && sql[i + 1] == QLatin1Char('*')) {
            const int j = sql.indexOf(QStringLiteral("*/"), i + 2);
            const int end = j < 0 ? n : j + 2;
            out.sql += sql.mid(i, end - i);
            i = end;
            continue;
        }
        if (c == QLatin1Char('(')) ++depth;
        if (c == QLatin1Char(')')) --depth;
        if (c == QLatin1Char(':') && i + 1 < n && (sql[i + 1].isLetter() || sql[i + 1] == QLatin1Char('_'))) {
            int j = i + 1;
            while (j < n && isIdentChar(sql[j])) ++j;
            out.positions.push_back(sql.mid(i + 1, j - i - 1).toUpper());
            out.sql += QLatin1Char('?');
            i = j;
            continue;
        }
        if (isIdentChar(c)) { // copy a whole word so that "AS" is found only as a word
            int j = i;
            while (j < n && isIdentChar(sql[j])) ++j;
            if (block && depth == 0 && j - i == 2 && sql.mid(i, 2).compare(QLatin1String("AS"), Qt::CaseInsensitive) == 0) {
                out.sql += sql.mid(i);
                break;
            }
            out.sql += sql.mid(i, j - i);
            i = j;
            continue;
        }
        out.sql += c;
        ++i;
    }
    return out;
}

} // namespace kv::db
