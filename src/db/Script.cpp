#include "db/Script.h"
#include "db/Connection.h"
#include <QFile>
#include <QRegularExpression>

namespace kv::db {

QStringList splitScript(const QString& script) {
    QStringList out;
    QString term = QStringLiteral(";");
    QString cur;
    const int n = int(script.size());
    static const QRegularExpression setTerm(QStringLiteral(R"(^\s*SET\s+TERM\s+(\S+)\s*$)"),
                                            QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression skip(
        QStringLiteral(R"(^\s*(COMMIT(\s+WORK)?|SET\s+(SQL\s+DIALECT|NAMES|AUTODDL|ECHO|LIST|BAIL|PLAN|STATS)\b.*)\s*$)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    auto flush = [&] {
        const QString stmt = cur.trimmed();
        cur.clear();
        if (stmt.isEmpty()) return;
        // Comments alone make no statement.
        QString bare = stmt;
        bare.remove(QRegularExpression(QStringLiteral(R"(--[^\n]*|/\*.*?\*/)"),
                                       QRegularExpression::DotMatchesEverythingOption));
        if (bare.trimmed().isEmpty()) return;
        const auto m = setTerm.match(bare.trimmed());
        if (m.hasMatch()) {
            term = m.captured(1);
            return;
        }
        if (skip.match(bare.trimmed()).hasMatch()) return;
        out << stmt;
    };
    for (int i = 0; i < n;) {
        const QChar c = script[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            int j = i + 1;
            while (j < n) {
                if (script[j] == c) {
                    if (j + 1 < n && script[j + 1] == c) { j += 2; continue; }
                    break;
                }
                ++j;
            }
            cur += script.mid(i, j + 1 - i);
            i = j + 1;
            continue;
        }
        if (c == QLatin1Char('-') && i + 1 < n && script[i + 1] == QLatin1Char('-')) {
            const int j = script.indexOf(QLatin1Char('\n'), i);
            const int end = j < 0 ? n : j;
            cur += script.mid(i, end - i);
            i = end;
            continue;
        }
        if (c == QLatin1Char('/') && i + 1 < n && script[i + 1] == QLatin1Char('*')) {
            const int j = script.indexOf(QStringLiteral("*/"), i + 2);
            const int end = j < 0 ? n : j + 2;
            cur += script.mid(i, end - i);
            i = end;
            continue;
        }
        if (script.mid(i, term.size()) == term) {
            flush();
            i += int(term.size());
            continue;
        }
        // "SET TERM x ;" ends with the old terminator; handled by flush() above.
        cur += c;
        ++i;
    }
    flush();
    return out;
}

void runScript(Connection& connection, const QString& script) {
    const QStringList statements = splitScript(script);
    for (const QString& s : statements) {
        try {
            Transaction tr(connection);
            {
                Query q(tr, s);
                q.execute();
            }
            tr.commit();
        } catch (const DbError& e) {
            throw DbError(e.text() + QStringLiteral("\nin statement:\n") + s.left(400), e.gdsCodes(), e.sqlState());
        }
    }
}

QString schemaScript(const QString& name) {
    QFile f(QStringLiteral(":/schema/") + name);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll());
}

} // namespace kv::db
