#include "core/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace kv::core {

namespace {

QString withSlash(QString dir)
{
    dir = QDir::fromNativeSeparators(dir);
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir;
}

QString envDir(const char* name)
{
    return qEnvironmentVariable(name).trimmed();
}

bool isWritableDir(const QString& dir)
{
    const QFileInfo fi(dir);
    return fi.isDir() && fi.isWritable();
}

} // namespace

QString appPath()
{
    const QString env = envDir("KV_CONFIG_DIR");
    if (!env.isEmpty())
        return withSlash(env);
    if (QCoreApplication::instance()) {
        const QString exeDir = QCoreApplication::applicationDirPath();
        if (!exeDir.isEmpty() && isWritableDir(exeDir))
            return withSlash(exeDir);
    }
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/kordavan");
    QDir().mkpath(config);
    return withSlash(config);
}

QString programFile(const QString& fileName)
{
    return appPath() + fileName;
}

QString publicFolder()
{
    QString dir = envDir("KV_PUBLIC_DIR");
    if (dir.isEmpty())
        dir = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
            + QStringLiteral("/kordavan/public");
    if (!QDir().mkpath(dir) || !QFileInfo(dir).isDir())
        return {};
    return withSlash(dir);
}

QString lastUserFile()
{
    const QString dir = publicFolder();
    return dir.isEmpty() ? QString() : dir + QStringLiteral("KVLSTUNM.txt");
}

QString backupFolder()
{
    const QString env = envDir("KV_BACKUP_DIR");
    QString dir = env.isEmpty() ? QDir::homePath() + QStringLiteral("/KVBackup") : QDir::fromNativeSeparators(env);
    while (dir.size() > 1 && dir.endsWith(QLatin1Char('/')))
        dir.chop(1);
    return dir;
}

QString joinServerPath(const QString& folder, const QString& fileName)
{
    if (folder.isEmpty())
        return fileName;
    if (folder.endsWith(QLatin1Char('\\')) || folder.endsWith(QLatin1Char('/')))
        return folder + fileName;
    const QChar sep = folder.contains(QLatin1Char('\\')) ? QLatin1Char('\\') : QLatin1Char('/');
    return folder + sep + fileName;
}

} // namespace kv::core
