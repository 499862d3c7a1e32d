#include "core/TextFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kv::core;

namespace {

class TextFiles : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QString write(const char* name, const QByteArray& bytes) const
    {
        const QString p = path(name);
        QFile f(p);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return p;
    }
    QByteArray bytesOf(const QString& p) const
    {
        QFile f(p);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll();
    }
};

TEST_F(TextFiles, ReadLinesToleratesLineEndsAndBom)
{
    struct Case { QByteArray bytes; QStringList lines; };
    const Case cases[] = {
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"\xEF\xBB\xBF" "a\r\nb", {"a", "b"}},
        {"a\r\n\r\nc\r\n", {"a", "", "c"}},
        {"a\r\nb\r\n\r\n", {"a", "b", ""}},
        {"a\rb", {"a", "b"}},
        {"", {}},
        {"\xEF\xBB\xBF", {}},
        {" x \r\n", {" x "}},
        {"\xD8\xA7\xD9\x84\xD9\x85\xD8\xB4\xD8\xB1\xD9\x81\r\n", {QStringLiteral("المشرف")}},
    };
    for (const Case& c : cases) {
        const auto lines = readLines(write("f.txt", c.bytes));
        ASSERT_TRUE(lines) << c.bytes.toStdString();
        EXPECT_EQ(*lines, c.lines) << c.bytes.toStdString();
    }
    EXPECT_FALSE(readLines(path("missing.txt")));
    EXPECT_FALSE(readLines(dir.path()));
}

TEST_F(TextFiles, WriteLinesUsesCrLfWithoutBom)
{
    const QString p = path("out.txt");
    ASSERT_TRUE(writeLines(p, {QStringLiteral("SRV"), QString(), QStringLiteral("المشرف")}));
    EXPECT_EQ(bytesOf(p), QByteArray("SRV\r\n\r\n\xD8\xA7\xD9\x84\xD9\x85\xD8\xB4\xD8\xB1\xD9\x81\r\n"));
    EXPECT_EQ(*readLines(p), (QStringList{"SRV", "", QStringLiteral("المشرف")}));
    EXPECT_FALSE(writeLines(path("no-such-folder/out.txt"), {QStringLiteral("x")}));
}

TEST_F(TextFiles, AcDbMissingLinesReadEmpty)
{
    const auto full = readAcDb(write("AcDb.txt", "SERVER1\r\nD:\\Data\\MAIN.FDB\r\nD:\\Data\r\nC:\\Apps \r\n"));
    ASSERT_TRUE(full);
    EXPECT_EQ(full->mServer, QStringLiteral("SERVER1"));
    EXPECT_EQ(full->mIBMain, QStringLiteral("D:\\Data\\MAIN.FDB"));
    EXPECT_EQ(full->mIBPath, QStringLiteral("D:\\Data"));
    EXPECT_EQ(full->mAppDir, QStringLiteral("C:\\Apps"));

    const auto partial = readAcDb(write("AcDb2.txt", "\n/srv/data/MAIN.FDB\n"));
    ASSERT_TRUE(partial);
    EXPECT_EQ(partial->mServer, QString());
    EXPECT_EQ(partial->mIBMain, QStringLiteral("/srv/data/MAIN.FDB"));
    EXPECT_EQ(partial->mIBPath, QString());
    EXPECT_EQ(partial->mAppDir, QString());

    EXPECT_FALSE(readAcDb(path("none.txt")));
}

TEST_F(TextFiles, AcDbRoundTrip)
{
    const AcDbLines v{QStringLiteral("HOST"), QStringLiteral("/d/MAIN.FDB"), QStringLiteral("/d"), QStringLiteral("/app")};
    const QString p = path("AcDb.txt");
    ASSERT_TRUE(writeAcDb(p, v));
    EXPECT_EQ(bytesOf(p), QByteArray("HOST\r\n/d/MAIN.FDB\r\n/d\r\n/app\r\n"));
    const auto back = readAcDb(p);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->mServer, v.mServer);
    EXPECT_EQ(back->mIBMain, v.mIBMain);
    EXPECT_EQ(back->mIBPath, v.mIBPath);
    EXPECT_EQ(back->mAppDir, v.mAppDir);
}

TEST_F(TextFiles, LastUser)
{
    struct Case { QByteArray bytes; QString user, rv, pv; };
    const Case cases[] = {
        {"ahmad\r\n2\r\n1\r\n", "ahmad", "2", "1"},
        {"ahmad\r\n\r\n", "ahmad", "0", "0"},
        {"ahmad", "ahmad", "0", "0"},
        {"\r\n3\r\n", "", "3", "0"},
    };
    for (const Case& c : cases) {
        const LastUser v = readLastUser(write("KVLSTUNM.txt", c.bytes));
        EXPECT_EQ(v.user, c.user) << c.bytes.toStdString();
        EXPECT_EQ(v.mRVPFrm, c.rv) << c.bytes.toStdString();
        EXPECT_EQ(v.mPVPFrm, c.pv) << c.bytes.toStdString();
    }
    const LastUser missing = readLastUser(path("absent.txt"));
    EXPECT_EQ(missing.user, QString());
    EXPECT_EQ(missing.mRVPFrm, QStringLiteral("0"));
    EXPECT_EQ(missing.mPVPFrm, QStringLiteral("0"));

    const QString p = path("KVLSTUNM.txt");
    ASSERT_TRUE(writeLastUser(p, {QStringLiteral("<المشرف>"), QStringLiteral("1"), QStringLiteral("0")}));
    const LastUser back = readLastUser(p);
    EXPECT_EQ(back.user, QStringLiteral("<المشرف>"));
    EXPECT_EQ(back.mRVPFrm, QStringLiteral("1"));
    EXPECT_EQ(back.mPVPFrm, QStringLiteral("0"));
    EXPECT_EQ(readLines(p)->size(), 3);
}

} // namespace
