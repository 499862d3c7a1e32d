#pragma once
// The small text files: AcDb.txt (server and paths) and KVLSTUNM.txt (last user).
#include <QString>
#include <QStringList>
#include <optional>

namespace kv::core {

// Reads a text file as lines: UTF-8, an optional byte-order mark, LF or CRLF.
// nullopt when the file cannot be read.
std::optional<QStringList> readLines(const QString& path);
// Writes lines with CRLF line ends (the files are shared with the Windows installations). False on failure.
bool writeLines(const QString& path, const QStringList& lines);

struct AcDbLines {
    QString mServer, mIBMain, mIBPath, mAppDir; // a missing line reads as empty
};
std::optional<AcDbLines> readAcDb(const QString& path);
bool writeAcDb(const QString& path, const AcDbLines& v);

struct LastUser {
    QString user;
    QString mRVPFrm = QStringLiteral("0");
    QString mPVPFrm = QStringLiteral("0");
};
LastUser readLastUser(const QString& path); // missing file: empty user, "0", "0"
bool writeLastUser(const QString& path, const LastUser& v);

} // namespace kv::core
