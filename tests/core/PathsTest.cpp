#include "core/Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kv::core;

namespace {

// Sets an environment variable for one test and restores it afterwards.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QString& value) : name_(name), had_(qEnvironmentVariableIsSet(name)),
        old_(qgetenv(name)) { qputenv(name, value.toUtf8()); }
    ~ScopedEnv() { had_ ? qputenv(name_, old_) : qunsetenv(name_); }
private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

TEST(Paths, JoinServerPath)
{
    struct Case { const char* folder; const char* file; const char* joined; };
    const Case cases[] = {
        {"D:\\Data", "AC2024.FDB", "D:\\Data\\AC2024.FDB"},
        {"D:\\Data\\", "AC2024.FDB", "D:\\Data\\AC2024.FDB"},
        {"C:\\", "MAIN.FDB", "C:\\MAIN.FDB"},
        {"/srv/kv", "AC1445.FDB", "/srv/kv/AC1445.FDB"},
        {"/srv/kv/", "AC1445.FDB", "/srv/kv/AC1445.FDB"},
        {"data", "AC.FDB", "data/AC.FDB"},
        {"", "MAIN.FDB", "MAIN.FDB"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(joinServerPath(QString::fromLatin1(c.folder), QString::fromLatin1(c.file)),
                  QString::fromLatin1(c.joined)) << c.folder;
}

TEST(Paths, ProgramFilesFollowConfigOverride)
{
    QTemporaryDir dir;
    ScopedEnv env("KV_CONFIG_DIR", dir.path());
    EXPECT_EQ(appPath(), dir.path() + QLatin1Char('/'));
    EXPECT_EQ(programFile(QStringLiteral("AcDb.txt")), dir.path() + QStringLiteral("/AcDb.txt"));
}

TEST(Paths, PublicFolderIsCreatedOnDemand)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("a/b"));
    ScopedEnv env("KV_PUBLIC_DIR", folder);
    EXPECT_EQ(publicFolder(), folder + QLatin1Char('/'));
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_EQ(lastUserFile(), folder + QStringLiteral("/KVLSTUNM.txt"));
}

TEST(Paths, PublicFolderThatCannotBeCreatedIsEmpty)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("plain"));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    ScopedEnv env("KV_PUBLIC_DIR", file + QStringLiteral("/sub"));
    EXPECT_EQ(publicFolder(), QString());
    EXPECT_EQ(lastUserFile(), QString());
}

TEST(Paths, BackupFolder)
{
    {
        ScopedEnv env("KV_BACKUP_DIR", QStringLiteral("/var/backups/kv/"));
        EXPECT_EQ(backupFolder(), QStringLiteral("/var/backups/kv"));
    }
    ScopedEnv env("KV_BACKUP_DIR", QString());
    EXPECT_EQ(backupFolder(), QDir::homePath() + QStringLiteral("/KVBackup"));
}

} // namespace
