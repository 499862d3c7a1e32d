#include "core/TextFiles.h"

#include <QFile>
#include <QSaveFile>

namespace kv::core {

namespace {

QString lineAt(const QStringList& lines, int i)
{
    return i < lines.size() ? lines.at(i) : QString();
}

// A print-layout choice: "0" when missing or empty.
QString layoutAt(const QStringList& lines, int i)
{
    const QString v = lineAt(lines, i).trimmed();
    return v.isEmpty() ? QStringLiteral("0") : v;
}

} // namespace

std::optional<QStringList> readLines(const QString& path)
{
    if (path.isEmpty())
        return std::nullopt;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError)
        return std::nullopt;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    const QString text = QString::fromUtf8(bytes);

    // CR LF, LF and a lone CR all end a line; the end of the last line needs no terminator.
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\n') && c != QLatin1Char('\r'))
            continue;
        lines.append(text.mid(start, i - start));
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.append(text.mid(start));
    return lines;
}

bool writeLines(const QString& path, const QStringList& lines)
{
    if (path.isEmpty())
        return false;
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    if (f.write(bytes) != bytes.size()) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}

std::optional<AcDbLines> readAcDb(const QString& path)
{
    const auto lines = readLines(path);
    if (!lines)
        return std::nullopt;
    // Hand-edited files often carry stray blanks; server names and paths never start or end with one.
    AcDbLines v;
    v.mServer = lineAt(*lines, 0).trimmed();
    v.mIBMain = lineAt(*lines, 1).trimmed();
    v.mIBPath = lineAt(*lines, 2).trimmed();
    v.mAppDir = lineAt(*lines, 3).trimmed();
    return v;
}

bool writeAcDb(const QString& path, const AcDbLines& v)
{
    return writeLines(path, {v.mServer, v.mIBMain, v.mIBPath, v.mAppDir});
}

LastUser readLastUser(const QString& path)
{
    LastUser v;
    const auto lines = readLines(path);
    if (!lines)
        return v;
    v.user = lineAt(*lines, 0); // compared exactly with the user names
    v.mRVPFrm = layoutAt(*lines, 1);
    v.mPVPFrm = layoutAt(*lines, 2);
    return v;
}

bool writeLastUser(const QString& path, const LastUser& v)
{
    return writeLines(path, {v.user, v.mRVPFrm, v.mPVPFrm});
}

} // namespace kv::core
