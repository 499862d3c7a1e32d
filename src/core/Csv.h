#pragma once
// Comma-separated text as spreadsheets write it: fields in double quotes may hold commas,
// quotes (doubled) and line breaks; a UTF-8 byte-order mark and CRLF line ends are accepted.
#include <QString>
#include <QStringList>
#include <vector>

namespace kv::core {

struct CsvRecord {
    int line = 0;       // line of the file where the record starts, counted from 1
    QStringList fields;
};

struct CsvParse {
    std::vector<CsvRecord> records; // blank lines are skipped
    QString error;                   // set for an unterminated quoted field
    int errorLine = 0;
};

CsvParse parseCsv(const QString& text);

// One record as a line (without the line end); fields are quoted when they need it.
QString csvLine(const QStringList& fields);

} // namespace kv::core
