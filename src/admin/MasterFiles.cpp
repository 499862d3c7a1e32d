#include "admin/MasterFiles.h"
#include "core/Csv.h"
#include "db/Connection.h"
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSet>

namespace kv::admin {

using db::Query;
using db::Transaction;

namespace {

struct ColumnType {
    enum Kind { Text, Integer, Numeric, Real, Date } kind = Text;
    int scale = 0;  // decimals of a NUMERIC
    int length = 0; // characters of a text
    bool small = false; // SMALLINT
};

QHash<QString, ColumnType> tableColumns(Transaction& tr, const QString& table) {
    QHash<QString, ColumnType> out;
    Query q(tr, QStringLiteral(
        "select trim(rf.RDB$FIELD_NAME) as NAME, f.RDB$FIELD_TYPE as FTYPE, f.RDB$FIELD_SCALE as FSCALE,"
        " coalesce(f.RDB$CHARACTER_LENGTH, f.RDB$FIELD_LENGTH) as CLEN"
        " from RDB$RELATION_FIELDS rf join RDB$FIELDS f on f.RDB$FIELD_NAME = rf.RDB$FIELD_SOURCE"
        " where rf.RDB$RELATION_NAME = :T"));
    q.bind("T", table).execute();
    while (q.next()) {
        ColumnType t;
        const int type = int(q.integer(QStringLiteral("FTYPE")));
        const int scale = -int(q.integer(QStringLiteral("FSCALE")));
        switch (type) {
        case 7: case 8: case 16:
            t.kind = scale > 0 ? ColumnType::Numeric : ColumnType::Integer;
            t.scale = scale;
            t.small = type == 7;
            break;
        case 10: case 27: t.kind = ColumnType::Real; break;
        case 12: t.kind = ColumnType::Date; break;
        default: t.kind = ColumnType::Text; t.length = int(q.integer(QStringLiteral("CLEN"))); break;
        }
        out.insert(q.text(QStringLiteral("NAME")), t);
    }
    return out;
}

QString tableOf(MasterFile kind) { return kind == MasterFile::Items ? QStringLiteral("STOCK") : QStringLiteral("ACCT"); }
QString keyOf(MasterFile kind) { return kind == MasterFile::Items ? QStringLiteral("ITEMNO") : QStringLiteral("ACCTNO"); }

QDate parseDateField(const QString& s) {
    QDate d = QDate::fromString(s, QStringLiteral("yyyy-MM-dd"));
    if (!d.isValid()) d = QDate::fromString(s, QStringLiteral("d/M/yyyy"));
    return d;
}

// Converts one field to the value its column stores; an empty field is NULL.
db::Value convert(const QString& column, const QString& raw, const ColumnType& t, QString* why) {
    const QString s = raw.trimmed();
    if (s.isEmpty()) return db::Null{};
    switch (t.kind) {
    case ColumnType::Text:
        if (s.size() > t.length) *why = QStringLiteral("%1 is longer than %2 characters").arg(column).arg(t.length);
        return s;
    case ColumnType::Integer: {
        bool ok = false;
        const qlonglong v = s.toLongLong(&ok);
        const qlonglong lo = t.small ? -32768 : -2147483647LL - 1, hi = t.small ? 32767 : 2147483647LL;
        if (!ok || v < lo || v > hi) *why = QStringLiteral("%1 is not a whole number: %2").arg(column, s);
        return std::int64_t(v);
    }
    case ColumnType::Numeric: {
        const int dot = int(s.indexOf(QLatin1Char('.')));
        const int decimals = dot < 0 ? 0 : int(s.size()) - dot - 1;
        const auto d = db::Decimal::parse(s, t.scale);
        if (!d) *why = QStringLiteral("%1 is not a number: %2").arg(column, s);
        else if (decimals > t.scale) *why = QStringLiteral("%1 has more than %2 decimals: %3").arg(column).arg(t.scale).arg(s);
        return d ? db::Value(*d) : db::Value(db::Null{});
    }
    case ColumnType::Real: {
        bool ok = false;
        const double v = s.toDouble(&ok);
        if (!ok) *why = QStringLiteral("%1 is not a number: %2").arg(column, s);
        return v;
    }
    case ColumnType::Date: {
        const QDate d = parseDateField(s);
        if (!d.isValid()) *why = QStringLiteral("%1 is not a date (yyyy-mm-dd or dd/mm/yyyy): %2").arg(column, s);
        return d;
    }
    }
    return db::Null{};
}

QSet<QString> keysOf(Transaction& tr, const QString& sql) {
    QSet<QString> out;
    Query q(tr, sql);
    q.execute();
    while (q.next()) out.insert(q.text(q.columnName(0)));
    return out;
}

bool isPositive(const db::Value& v) {
    if (auto d = std::get_if<db::Decimal>(&v)) return d->units > 0;
    if (auto i = std::get_if<std::int64_t>(&v)) return *i > 0;
    return false;
}

bool isOne(const db::Value& v) {
    if (auto d = std::get_if<db::Decimal>(&v)) return d->units == db::pow10i(d->scale);
    if (auto i = std::get_if<std::int64_t>(&v)) return *i == 1;
    return false;
}

} // namespace

QStringList importableColumns(MasterFile kind) {
    if (kind == MasterFile::Items)
        return {"ITEMNO", "DESCR", "DESCE", "PARTNO", "UNIT", "UNITE", "SUBUNIT", "SUBUNITE", "QUNITS", "ARTNO",
                "UPRICE", "UPRICE2", "UPRICEC", "UPRICE2C", "UCOST", "MINSTOCK", "LOCATION", "EDATE", "MFRID", "MARKUP"};
    return {"ACCTNO", "ACCTNAME", "ACCTNAM2", "MACTNO", "TEL", "TEL2", "FAX", "ATTN", "LOCAT", "LOCAT2", "LOCATNO",
            "POBOX", "CRLIMIT1", "CRLIMIT2", "SALRID", "SPRICE", "ISACTIVE", "ISSMS", "NDATE", "MCLNT", "BUILDNO",
            "STREETNM", "STREETNME", "DISTRICT", "DISTRICTE", "CITY", "CITYE", "COUNTRY", "COUNTRYE", "PCODE",
            "ADDRN2", "TAXCODE", "OTHERID"};
}

QStringList requiredColumns(MasterFile kind) {
    if (kind == MasterFile::Items) return {"ITEMNO", "DESCR"};
    return {"ACCTNAME", "MACTNO"};
}

ImportResult importCsv(db::Connection& year, MasterFile kind, const QString& csvText, const ImportSettings& settings) {
    ImportResult r;
    const core::CsvParse csv = core::parseCsv(csvText);
    if (!csv.error.isEmpty()) {
        r.problems.push_back({csv.errorLine, csv.error});
        return r;
    }
    if (csv.records.empty()) {
        r.error = QStringLiteral("the file is empty: it needs a header row naming the columns");
        return r;
    }
    // The header.
    QStringList header;
    for (const QString& h : csv.records.front().fields) header << h.trimmed().toUpper();
    const QStringList allowed = importableColumns(kind);
    for (int i = 0; i < header.size(); ++i) {
        if (!allowed.contains(header[i]))
            r.problems.push_back({csv.records.front().line, QStringLiteral("unknown column \"%1\"; the columns are %2")
                                                                 .arg(header[i], allowed.join(QLatin1Char(',')))});
        else if (header.indexOf(header[i]) != i)
            r.problems.push_back({csv.records.front().line, QStringLiteral("column %1 is named twice").arg(header[i])});
    }
    for (const QString& c : requiredColumns(kind))
        if (!header.contains(c)) r.problems.push_back({csv.records.front().line, QStringLiteral("the column %1 is required").arg(c)});
    if (!r.problems.empty()) return r;

    const QString key = keyOf(kind);
    try {
        Transaction tr(year);
        const QHash<QString, ColumnType> types = tableColumns(tr, tableOf(kind));
        QSet<QString> existing = keysOf(tr, QStringLiteral("select %1 from %2").arg(key, tableOf(kind)));
        const QSet<QString> groups = keysOf(tr, QStringLiteral("select ARTNO from MSTOCK"));
        const QSet<QString> makers = keysOf(tr, QStringLiteral("select MFRID from MFR"));
        const QSet<QString> salesmen = keysOf(tr, QStringLiteral("select SALRID from SALREP"));
        QHash<QString, QString> mainTypes; // MACTNO -> ACCTTYPE
        {
            Query q(tr, QStringLiteral("select MACTNO, ACCTTYPE from MACT"));
            q.execute();
            while (q.next()) mainTypes.insert(q.text(QStringLiteral("MACTNO")), q.text(QStringLiteral("ACCTTYPE")));
        }
        QHash<QString, int> lastSerial; // MACTNO -> highest 4-digit serial in use
        if (kind == MasterFile::Accounts) {
            for (const QString& no : existing) {
                for (auto it = mainTypes.cbegin(); it != mainTypes.cend(); ++it) {
                    const QString& m = it.key();
                    if (no.size() == m.size() + 4 && no.startsWith(m)) {
                        bool ok = false;
                        const int serial = no.mid(m.size()).toInt(&ok);
                        if (ok) lastSerial[m] = std::max(lastSerial.value(m), serial);
                    }
                }
            }
        }
        static const QRegularExpression fourDigits(QStringLiteral("^[0-9]{4}$"));

        // Check every row; keep the converted values for the insert.
        struct Row { std::vector<db::Value> values; QString acctType; };
        std::vector<Row> rows;
        rows.reserve(csv.records.size());
        QHash<QString, int> seenAt; // key -> line
        const int keyCol = int(header.indexOf(key));
        for (size_t k = 1; k < csv.records.size(); ++k) {
            const core::CsvRecord& rec = csv.records[k];
            auto problem = [&](const QString& why) { r.problems.push_back({rec.line, why}); };
            if (rec.fields.size() != header.size()) {
                problem(QStringLiteral("%1 fields where the header names %2").arg(rec.fields.size()).arg(header.size()));
                continue;
            }
            Row row;
            QString why;
            for (int c = 0; c < header.size(); ++c) {
                row.values.push_back(convert(header[c], rec.fields[c], types.value(header[c]), &why));
                if (!why.isEmpty()) break;
            }
            if (!why.isEmpty()) {
                problem(why);
                continue;
            }
            auto field = [&](const char* name) {
                const int i = int(header.indexOf(QString::fromLatin1(name)));
                return i < 0 ? QString() : rec.fields[i].trimmed();
            };
            bool bad = false;
            for (const QString& c : requiredColumns(kind))
                if (field(c.toLatin1().constData()).isEmpty()) {
                    problem(QStringLiteral("%1 is empty").arg(c));
                    bad = true;
                    break;
                }
            if (bad) continue;
            if (kind == MasterFile::Items) {
                const int q = int(header.indexOf(QStringLiteral("QUNITS")));
                if (q >= 0 && !std::holds_alternative<db::Null>(row.values[size_t(q)])) {
                    if (!isPositive(row.values[size_t(q)])) { problem(QStringLiteral("QUNITS must be at least 1")); continue; }
                    if (settings.largeUnitOnly && !isOne(row.values[size_t(q)])) {
                        problem(QStringLiteral("QUNITS must be 1: the firm sells by the large unit only"));
                        continue;
                    }
                }
                if (!field("ARTNO").isEmpty() && !groups.contains(field("ARTNO"))) { problem(QStringLiteral("unknown item group %1").arg(field("ARTNO"))); continue; }
                if (!field("MFRID").isEmpty() && !makers.contains(field("MFRID"))) { problem(QStringLiteral("unknown manufacturer %1").arg(field("MFRID"))); continue; }
            } else {
                const QString m = field("MACTNO");
                if (!mainTypes.contains(m)) { problem(QStringLiteral("unknown main account %1").arg(m)); continue; }
                if (!field("SALRID").isEmpty() && !salesmen.contains(field("SALRID"))) { problem(QStringLiteral("unknown salesman %1").arg(field("SALRID"))); continue; }
                row.acctType = mainTypes.value(m);
                QString no = keyCol >= 0 ? rec.fields[keyCol].trimmed() : QString();
                if (no.isEmpty()) {
                    const int next = lastSerial.value(m) + 1;
                    if (next > 9999) { problem(QStringLiteral("main account %1 has no free account number left").arg(m)); continue; }
                    lastSerial[m] = next;
                    no = m + QStringLiteral("%1").arg(next, 4, 10, QLatin1Char('0'));
                } else if (!(no.startsWith(m) && fourDigits.match(no.mid(m.size())).hasMatch())) {
                    problem(QStringLiteral("ACCTNO %1 is not the main account %2 followed by four digits").arg(no, m));
                    continue;
                } else {
                    lastSerial[m] = std::max(lastSerial.value(m), no.mid(m.size()).toInt());
                }
                if (keyCol >= 0) row.values[size_t(keyCol)] = no;
                else row.values.push_back(no);
            }
            const QString k2 = keyCol >= 0 ? std::get<QString>(row.values[size_t(keyCol)]) : std::get<QString>(row.values.back());
            if (seenAt.contains(k2)) { problem(QStringLiteral("%1 %2 is already on line %3").arg(key, k2).arg(seenAt.value(k2))); continue; }
            if (existing.contains(k2)) { problem(QStringLiteral("%1 %2 is already in the %3 table").arg(key, k2, tableOf(kind))); continue; }
            seenAt.insert(k2, rec.line);
            rows.push_back(std::move(row));
        }
        if (!r.problems.empty()) return r; // the transaction rolls back: nothing was written

        // Write all rows in one transaction.
        QStringList cols = header;
        if (kind == MasterFile::Accounts && keyCol < 0) cols << key;
        QStringList params;
        for (const QString& c : cols) params << QLatin1Char(':') + c;
        if (kind == MasterFile::Accounts) {
            cols << QStringLiteral("ACCTTYPE");
            params << QStringLiteral(":ACCTTYPE");
        }
        Query ins(tr, QStringLiteral("insert into %1 (%2) values (%3)").arg(tableOf(kind), cols.join(QLatin1Char(',')), params.join(QLatin1Char(','))));
        for (const Row& row : rows) {
            for (size_t c = 0; c < row.values.size(); ++c) ins.bind(cols[int(c)], row.values[c]);
            if (kind == MasterFile::Accounts) ins.bind("ACCTTYPE", row.acctType);
            ins.execute();
        }
        tr.commit();
        r.ok = true;
        r.imported = int(rows.size());
    } catch (const db::DbError& e) {
        r.error = e.text();
    }
    return r;
}

QString exportCsv(db::Connection& year, MasterFile kind, const QString& path, int* rowsOut) {
    const QStringList cols = importableColumns(kind);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
    int rows = 0;
    try {
        Transaction tr(year);
        Query q(tr, QStringLiteral("select %1 from %2 order by %3").arg(cols.join(QLatin1Char(',')), tableOf(kind), keyOf(kind)));
        q.execute();
        file.write(core::csvLine(cols).toUtf8() + "\r\n");
        QStringList fields;
        while (q.next()) {
            fields.clear();
            for (int i = 0; i < cols.size(); ++i) {
                const db::Value v = q.value(i);
                if (auto d = std::get_if<QDate>(&v)) fields << d->toString(QStringLiteral("yyyy-MM-dd"));
                else if (auto f = std::get_if<double>(&v)) fields << QString::number(*f, 'g', 15);
                else fields << q.text(cols[i]);
            }
            file.write(core::csvLine(fields).toUtf8() + "\r\n");
            ++rows;
        }
    } catch (const db::DbError& e) {
        file.cancelWriting();
        return e.text();
    }
    if (!file.commit()) return QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
    if (rowsOut) *rowsOut = rows;
    return {};
}

} // namespace kv::admin
