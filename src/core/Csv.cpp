#include "core/Csv.h"

namespace kv::core {

CsvParse parseCsv(const QString& input) {
    CsvParse out;
    QString text = input;
    if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
    const int n = int(text.size());
    int line = 1;
    int i = 0;
    while (i < n) {
        CsvRecord rec;
        rec.line = line;
        QString field;
        bool any = false;
        for (;;) {
            if (i < n && text[i] == QLatin1Char('"')) {
                const int startLine = line;
                ++i;
                bool closed = false;
                while (i < n) {
                    const QChar c = text[i];
                    if (c == QLatin1Char('"')) {
                        if (i + 1 < n && text[i + 1] == QLatin1Char('"')) {
                            field += QLatin1Char('"');
                            i += 2;
                            continue;
                        }
                        ++i;
                        closed = true;
                        break;
                    }
                    if (c == QLatin1Char('\n')) ++line;
                    if (!(c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n'))) field += c;
                    ++i;
                }
                if (!closed) {
                    out.error = QStringLiteral("unterminated quoted field");
                    out.errorLine = startLine;
                    return out;
                }
                any = true;
            }
            while (i < n && text[i] != QLatin1Char(',') && text[i] != QLatin1Char('\n') && text[i] != QLatin1Char('\r')) {
                field += text[i++];
                any = true;
            }
            if (i < n && text[i] == QLatin1Char(',')) {
                rec.fields << field;
                field.clear();
                any = true;
                ++i;
                continue;
            }
            break; // end of line or of text
        }
        rec.fields << field;
        if (i < n && text[i] == QLatin1Char('\r')) ++i;
        if (i < n && text[i] == QLatin1Char('\n')) ++i;
        ++line;
        if (any) out.records.push_back(std::move(rec));
    }
    return out;
}

QString csvLine(const QStringList& fields) {
    QStringList parts;
    for (const QString& f : fields) {
        if (f.contains(QLatin1Char(',')) || f.contains(QLatin1Char('"')) || f.contains(QLatin1Char('\n')) ||
            f.contains(QLatin1Char('\r')) || f != f.trimmed()) {
            QString q = f;
            q.replace(QLatin1String("\""), QLatin1String("\"\""));
            parts << QLatin1Char('"') + q + QLatin1Char('"');
        } else {
            parts << f;
        }
    }
    return parts.join(QLatin1Char(','));
}

} // namespace kv::core
