#pragma once
#include "db/Decimal.h"
#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <variant>

namespace kv::db {

struct Null {};
inline bool operator==(Null, Null) { return true; }

// A parameter or column value. Text is Unicode (the connection speaks UTF8), BLOBs are bytes.
using Value = std::variant<Null, std::int64_t, double, Decimal, QString, QDate, QTime, QDateTime, QByteArray>;

inline Value toValue(int v) { return std::int64_t(v); }
inline Value toValue(std::int64_t v) { return v; }
inline Value toValue(double v) { return v; }
inline Value toValue(const Decimal& v) { return v; }
inline Value toValue(const QString& v) { return v; }
inline Value toValue(const char* v) { return QString::fromUtf8(v); }
inline Value toValue(const QDate& v) { return v.isValid() ? Value(v) : Value(Null{}); }
inline Value toValue(const QTime& v) { return v.isValid() ? Value(v) : Value(Null{}); }
inline Value toValue(const QDateTime& v) { return v.isValid() ? Value(v) : Value(Null{}); }
inline Value toValue(const QByteArray& v) { return v; }
inline Value toValue(Null) { return Null{}; }

} // namespace kv::db
