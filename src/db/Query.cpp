#include "db/Connection.h"
#include "db/FbApi.h"
#include "db/SqlParams.h"
#include <ibase.h>
#include <QHash>
#include <cmath>
#include <cstring>

using namespace Firebird;

namespace kv::db {

namespace {

constexpr unsigned CS_OCTETS = 1;
constexpr unsigned CS_UTF8 = 4;

QDate decodeDate(ISC_DATE d) {
    unsigned y = 0, m = 0, day = 0;
    fb::util()->decodeDate(d, &y, &m, &day);
    return QDate(int(y), int(m), int(day));
}
QTime decodeTime(ISC_TIME t) {
    unsigned h = 0, mi = 0, s = 0, frac = 0;
    fb::util()->decodeTime(t, &h, &mi, &s, &frac);
    return QTime(int(h), int(mi), int(s), int(frac / 10));
}
ISC_DATE encodeDate(const QDate& d) { return fb::util()->encodeDate(unsigned(d.year()), unsigned(d.month()), unsigned(d.day())); }
ISC_TIME encodeTime(const QTime& t) {
    return fb::util()->encodeTime(unsigned(t.hour()), unsigned(t.minute()), unsigned(t.second()), unsigned(t.msec() * 10));
}

} // namespace

struct QueryImpl {
    Transaction* tr = nullptr;
    IStatement* stmt = nullptr;
    IResultSet* cursor = nullptr;
    IMessageMetadata* outMeta = nullptr;
    std::vector<unsigned char> outBuf;
    std::vector<QString> paramAt;      // name of each '?' in order
    QStringList names;                 // distinct names
    QHash<QString, Value> bound;
    std::vector<Value> row;
    QStringList columns;
    bool hasCursor = false;
    bool pendingRow = false;           // one row from a singleton execute waiting for next()
    bool onRow = false;
    int affected = 0;

    ~QueryImpl() {
        closeCursor();
        if (outMeta) outMeta->release();
        if (stmt) {
            fb::Status st;
            stmt->free(&st);
            if (st.failed()) stmt->release();
        }
    }

    void closeCursor() {
        if (!cursor) return;
        fb::Status st;
        cursor->close(&st);
        if (st.failed()) cursor->release();
        cursor = nullptr;
    }

    IAttachment* att() const { return tr->connection().impl()->att; }
    ITransaction* tra() const {
        if (!tr->isActive()) throw DbError(QStringLiteral("no active transaction"));
        return tr->impl()->tra;
    }

    QByteArray readBlob(const ISC_QUAD& id) {
        fb::Status st;
        ISC_QUAD q = id;
        IBlob* blob = att()->openBlob(&st, tra(), &q, 0, nullptr);
        st.check();
        QByteArray data;
        char chunk[32768];
        for (;;) {
            unsigned got = 0;
            const int r = blob->getSegment(&st, sizeof chunk, chunk, &got);
            if (r == IStatus::RESULT_OK || r == IStatus::RESULT_SEGMENT) {
                data.append(chunk, int(got));
                continue;
            }
            if (r == IStatus::RESULT_NO_DATA) break;
            blob->close(&st);
            st.raise();
        }
        blob->close(&st);
        st.check();
        return data;
    }

    ISC_QUAD writeBlob(const QByteArray& data) {
        fb::Status st;
        ISC_QUAD q{};
        IBlob* blob = att()->createBlob(&st, tra(), &q, 0, nullptr);
        st.check();
        for (qsizetype pos = 0; pos < data.size(); pos += 32768) {
            const unsigned n = unsigned(std::min<qsizetype>(32768, data.size() - pos));
            blob->putSegment(&st, n, data.constData() + pos);
            if (st.failed()) {
                blob->cancel(&st);
                st.raise();
            }
        }
        blob->close(&st);
        st.check();
        return q;
    }

    void decodeRow() {
        fb::Status st;
        const unsigned n = outMeta->getCount(&st);
        row.assign(n, Null{});
        const unsigned char* buf = outBuf.data();
        for (unsigned i = 0; i < n; ++i) {
            const unsigned nullOff = outMeta->getNullOffset(&st, i);
            if (*reinterpret_cast<const short*>(buf + nullOff)) continue;
            const unsigned off = outMeta->getOffset(&st, i);
            const unsigned type = outMeta->getType(&st, i) & ~1u;
            const int scale = outMeta->getScale(&st, i);
            const unsigned char* p = buf + off;
            auto numeric = [&](std::int64_t v) -> Value {
                if (scale < 0) return Decimal(v, -scale);
                return v;
            };
            switch (type) {
            case SQL_TEXT: {
                const unsigned len = outMeta->getLength(&st, i);
                if (outMeta->getCharSet(&st, i) == CS_OCTETS) {
                    row[i] = QByteArray(reinterpret_cast<const char*>(p), int(len));
                } else {
                    int end = int(len);
                    while (end > 0 && p[end - 1] == ' ') --end;
                    row[i] = QString::fromUtf8(reinterpret_cast<const char*>(p), end);
                }
                break;
            }
            case SQL_VARYING: {
                const unsigned short len = *reinterpret_cast<const unsigned short*>(p);
                const char* s = reinterpret_cast<const char*>(p + 2);
                if (outMeta->getCharSet(&st, i) == CS_OCTETS) row[i] = QByteArray(s, len);
                else row[i] = QString::fromUtf8(s, len);
                break;
            }
            case SQL_SHORT: row[i] = numeric(*reinterpret_cast<const std::int16_t*>(p)); break;
            case SQL_LONG: row[i] = numeric(*reinterpret_cast<const std::int32_t*>(p)); break;
            case SQL_INT64: row[i] = numeric(*reinterpret_cast<const std::int64_t*>(p)); break;
            case SQL_BOOLEAN: row[i] = std::int64_t(*p ? 1 : 0); break;
            case SQL_FLOAT: row[i] = double(*reinterpret_cast<const float*>(p)); break;
            case SQL_DOUBLE:
            case SQL_D_FLOAT: row[i] = *reinterpret_cast<const double*>(p); break;
            case SQL_TYPE_DATE: row[i] = decodeDate(*reinterpret_cast<const ISC_DATE*>(p)); break;
            case SQL_TYPE_TIME: row[i] = decodeTime(*reinterpret_cast<const ISC_TIME*>(p)); break;
            case SQL_TIMESTAMP: {
                const auto* ts = reinterpret_cast<const ISC_TIMESTAMP*>(p);
                row[i] = QDateTime(decodeDate(ts->timestamp_date), decodeTime(ts->timestamp_time));
                break;
            }
            case SQL_BLOB: {
                const QByteArray data = readBlob(*reinterpret_cast<const ISC_QUAD*>(p));
                if (outMeta->getSubType(&st, i) == 1) row[i] = QString::fromUtf8(data);
                else row[i] = data;
                break;
            }
            default: row[i] = Null{}; break;
            }
        }
        st.check();
    }
};

Query::Query(Transaction& transaction, const QString& sql) : d(std::make_unique<QueryImpl>()) {
    d->tr = &transaction;
    ParsedSql parsed = parseNamedParameters(sql);
    d->paramAt = std::move(parsed.positions);
    for (const auto& n : d->paramAt)
        if (!d->names.contains(n)) d->names << n;

    fb::Status st;
    const QByteArray text = parsed.sql.toUtf8();
    d->stmt = d->att()->prepare(&st, d->tra(), unsigned(text.size()), text.constData(), SQL_DIALECT_V6,
                                IStatement::PREPARE_PREFETCH_METADATA);
    st.check();
    d->hasCursor = (d->stmt->getFlags(&st) & IStatement::FLAG_HAS_CURSOR) != 0;
    IMessageMetadata* out = d->stmt->getOutputMetadata(&st);
    st.check();
    const unsigned n = out->getCount(&st);
    if (n > 0) {
        // Every column gets a null indicator so that one decoder serves all statements.
        IMetadataBuilder* b = out->getBuilder(&st);
        st.check();
        for (unsigned i = 0; i < n; ++i) {
            b->setType(&st, i, out->getType(&st, i) | 1u);
            d->columns << QString::fromUtf8(out->getAlias(&st, i)).toUpper();
        }
        d->outMeta = b->getMetadata(&st);
        b->release();
        st.check();
        d->outBuf.assign(d->outMeta->getMessageLength(&st), 0);
    }
    out->release();
}

Query::~Query() = default;

QStringList Query::parameterNames() const { return d->names; }

Query& Query::bind(const QString& name, const Value& value) {
    const QString key = name.toUpper();
    if (!d->names.contains(key)) throw DbError(QStringLiteral("unknown parameter :%1").arg(name));
    d->bound.insert(key, value);
    return *this;
}

void Query::execute() {
    d->closeCursor();
    d->pendingRow = d->onRow = false;
    d->affected = 0;
    fb::Status st;

    IMessageMetadata* inMeta = nullptr;
    std::vector<unsigned char> inBuf;
    if (!d->paramAt.empty()) {
        IMessageMetadata* orig = d->stmt->getInputMetadata(&st);
        st.check();
        IMetadataBuilder* b = orig->getBuilder(&st);
        st.check();
        std::vector<QByteArray> texts(d->paramAt.size());
        for (unsigned i = 0; i < d->paramAt.size(); ++i) {
            const auto it = d->bound.constFind(d->paramAt[i]);
            if (it == d->bound.constEnd()) {
                b->release();
                orig->release();
                throw DbError(QStringLiteral("parameter :%1 has no value").arg(d->paramAt[i]));
            }
            const unsigned origType = orig->getType(&st, i) & ~1u;
            const Value& v = *it;
            if (std::holds_alternative<Null>(v) || origType == SQL_BLOB) {
                b->setType(&st, i, origType | 1u);
                if (std::holds_alternative<QString>(v)) texts[i] = std::get<QString>(v).toUtf8();
                else if (std::holds_alternative<QByteArray>(v)) texts[i] = std::get<QByteArray>(v);
            } else if (std::holds_alternative<std::int64_t>(v)) {
                b->setType(&st, i, SQL_INT64 | 1u); b->setScale(&st, i, 0); b->setLength(&st, i, 8);
            } else if (std::holds_alternative<Decimal>(v)) {
                b->setType(&st, i, SQL_INT64 | 1u); b->setScale(&st, i, -std::get<Decimal>(v).scale); b->setLength(&st, i, 8);
            } else if (std::holds_alternative<double>(v)) {
                b->setType(&st, i, SQL_DOUBLE | 1u); b->setScale(&st, i, 0); b->setLength(&st, i, 8);
            } else if (std::holds_alternative<QString>(v) || std::holds_alternative<QByteArray>(v)) {
                const bool octets = std::holds_alternative<QByteArray>(v);
                texts[i] = octets ? std::get<QByteArray>(v) : std::get<QString>(v).toUtf8();
                b->setType(&st, i, SQL_VARYING | 1u);
                b->setCharSet(&st, i, octets ? CS_OCTETS : CS_UTF8);
                b->setLength(&st, i, unsigned(std::max<qsizetype>(1, texts[i].size())));
                b->setScale(&st, i, 0);
            } else if (std::holds_alternative<QDate>(v)) {
                b->setType(&st, i, SQL_TYPE_DATE | 1u); b->setScale(&st, i, 0); b->setLength(&st, i, 4);
            } else if (std::holds_alternative<QTime>(v)) {
                b->setType(&st, i, SQL_TYPE_TIME | 1u); b->setScale(&st, i, 0); b->setLength(&st, i, 4);
            } else if (std::holds_alternative<QDateTime>(v)) {
                b->setType(&st, i, SQL_TIMESTAMP | 1u); b->setScale(&st, i, 0); b->setLength(&st, i, 8);
            }
        }
        inMeta = b->getMetadata(&st);
        b->release();
        orig->release();
        st.check();
        inBuf.assign(inMeta->getMessageLength(&st), 0);
        unsigned char* buf = inBuf.data();
        try {
            for (unsigned i = 0; i < d->paramAt.size(); ++i) {
                const Value& v = d->bound.value(d->paramAt[i]);
                short* nul = reinterpret_cast<short*>(buf + inMeta->getNullOffset(&st, i));
                unsigned char* p = buf + inMeta->getOffset(&st, i);
                const unsigned type = inMeta->getType(&st, i) & ~1u;
                if (std::holds_alternative<Null>(v)) { *nul = -1; continue; }
                *nul = 0;
                if (type == SQL_BLOB) {
                    ISC_QUAD q = d->writeBlob(texts[i]);
                    std::memcpy(p, &q, sizeof q);
                } else if (auto iv = std::get_if<std::int64_t>(&v)) {
                    std::memcpy(p, iv, 8);
                } else if (auto dv = std::get_if<Decimal>(&v)) {
                    std::memcpy(p, &dv->units, 8);
                } else if (auto fv = std::get_if<double>(&v)) {
                    std::memcpy(p, fv, 8);
                } else if (std::holds_alternative<QString>(v) || std::holds_alternative<QByteArray>(v)) {
                    const unsigned short len = static_cast<unsigned short>(texts[i].size());
                    std::memcpy(p, &len, 2);
                    std::memcpy(p + 2, texts[i].constData(), len);
                } else if (auto date = std::get_if<QDate>(&v)) {
                    ISC_DATE x = encodeDate(*date); std::memcpy(p, &x, sizeof x);
                } else if (auto time = std::get_if<QTime>(&v)) {
                    ISC_TIME x = encodeTime(*time); std::memcpy(p, &x, sizeof x);
                } else if (auto ts = std::get_if<QDateTime>(&v)) {
                    ISC_TIMESTAMP x{encodeDate(ts->date()), encodeTime(ts->time())};
                    std::memcpy(p, &x, sizeof x);
                }
            }
        } catch (...) {
            inMeta->release();
            throw;
        }
    }

    if (d->hasCursor) {
        d->cursor = d->stmt->openCursor(&st, d->tra(), inMeta, inMeta ? inBuf.data() : nullptr, d->outMeta, 0);
    } else {
        d->stmt->execute(&st, d->tra(), inMeta, inMeta ? inBuf.data() : nullptr, d->outMeta,
                         d->outMeta ? d->outBuf.data() : nullptr);
        if (!st.failed()) {
            d->affected = int(d->stmt->getAffectedRecords(&st));
            d->pendingRow = d->outMeta != nullptr;
        }
    }
    if (inMeta) inMeta->release();
    st.check();
}

bool Query::next() {
    d->onRow = false;
    if (d->pendingRow) {
        d->pendingRow = false;
        d->decodeRow();
        d->onRow = true;
        return true;
    }
    if (!d->cursor) return false;
    fb::Status st;
    const int r = d->cursor->fetchNext(&st, d->outBuf.data());
    if (st.failed()) st.raise();
    if (r != IStatus::RESULT_OK) {
        d->closeCursor();
        return false;
    }
    d->decodeRow();
    d->onRow = true;
    return true;
}

int Query::rowsAffected() const { return d->affected; }

int Query::executeUpdate(const QString& table, const QString& where) {
    execute();
    if (d->affected > 0) return d->affected;
    Query lock(*d->tr, QStringLiteral("SELECT 1 FROM %1 WHERE %2 WITH LOCK").arg(table, where));
    for (const QString& name : lock.parameterNames())
        if (const auto it = d->bound.constFind(name); it != d->bound.constEnd()) lock.bind(name, *it);
    lock.execute(); // reports a parameter left without a value
    if (lock.next())
        throw DbError(QStringLiteral("update conflicts with concurrent update (a row of %1 was passed over)").arg(table),
                      {gds::deadlock, gds::update_conflict}, QStringLiteral("40001"));
    return 0;
}
int Query::columnCount() const { return int(d->columns.size()); }
QString Query::columnName(int i) const { return d->columns.value(i); }
int Query::columnIndex(const QString& name) const { return int(d->columns.indexOf(name.toUpper())); }

namespace {
int requireColumn(const Query& q, const QString& name) {
    const int i = q.columnIndex(name);
    if (i < 0) throw DbError(QStringLiteral("unknown column %1").arg(name));
    return i;
}
} // namespace

Value Query::value(int i) const {
    if (!d->onRow) throw DbError(QStringLiteral("no current row"));
    if (i < 0 || i >= int(d->row.size())) throw DbError(QStringLiteral("column index out of range"));
    return d->row[size_t(i)];
}
Value Query::value(const QString& name) const { return value(requireColumn(*this, name)); }
bool Query::isNull(int i) const { return std::holds_alternative<Null>(value(i)); }
bool Query::isNull(const QString& name) const { return isNull(requireColumn(*this, name)); }

QString Query::text(const QString& name) const {
    const Value v = value(name);
    if (auto s = std::get_if<QString>(&v)) return *s;
    if (auto i = std::get_if<std::int64_t>(&v)) return QString::number(*i);
    if (auto dec = std::get_if<Decimal>(&v)) return dec->toString();
    if (auto f = std::get_if<double>(&v)) return QString::number(*f, 'g', 15);
    if (auto dt = std::get_if<QDate>(&v)) return dt->toString(Qt::ISODate);
    if (auto b = std::get_if<QByteArray>(&v)) return QString::fromUtf8(*b);
    return {};
}

std::int64_t Query::integer(const QString& name) const {
    const Value v = value(name);
    if (auto i = std::get_if<std::int64_t>(&v)) return *i;
    if (auto dec = std::get_if<Decimal>(&v)) return dec->rescaled(0).units;
    if (auto f = std::get_if<double>(&v)) return std::llround(*f);
    if (auto s = std::get_if<QString>(&v)) return s->trimmed().toLongLong();
    return 0;
}

double Query::real(const QString& name) const {
    const Value v = value(name);
    if (auto f = std::get_if<double>(&v)) return *f;
    if (auto i = std::get_if<std::int64_t>(&v)) return double(*i);
    if (auto dec = std::get_if<Decimal>(&v)) return dec->toDouble();
    if (auto s = std::get_if<QString>(&v)) return s->trimmed().toDouble();
    return 0;
}

Decimal Query::decimal(const QString& name, int scale) const {
    const Value v = value(name);
    if (auto dec = std::get_if<Decimal>(&v)) return dec->rescaled(scale);
    if (auto i = std::get_if<std::int64_t>(&v)) return Decimal(*i, 0).rescaled(scale);
    if (auto f = std::get_if<double>(&v)) return Decimal(std::llround(*f * double(pow10i(scale))), scale);
    if (auto s = std::get_if<QString>(&v)) return Decimal::parse(*s, scale).value_or(Decimal(0, scale));
    return Decimal(0, scale);
}

QDate Query::date(const QString& name) const {
    const Value v = value(name);
    if (auto dt = std::get_if<QDate>(&v)) return *dt;
    if (auto ts = std::get_if<QDateTime>(&v)) return ts->date();
    return {};
}

QDateTime Query::timestamp(const QString& name) const {
    const Value v = value(name);
    if (auto ts = std::get_if<QDateTime>(&v)) return *ts;
    if (auto dt = std::get_if<QDate>(&v)) return QDateTime(*dt, QTime(0, 0));
    return {};
}

QByteArray Query::blob(const QString& name) const {
    const Value v = value(name);
    if (auto b = std::get_if<QByteArray>(&v)) return *b;
    if (auto s = std::get_if<QString>(&v)) return s->toUtf8();
    return {};
}

} // namespace kv::db
