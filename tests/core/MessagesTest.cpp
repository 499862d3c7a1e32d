#include "core/Messages.h"

#include <QSet>
#include <gtest/gtest.h>

using kv::core::Messages;

namespace {

QStringList all(const Messages& m)
{
    return {m.mNoDel, m.mNoChg, m.mNoEnt, m.mNoDoc, m.mUSave, m.mUDele, m.mNoAct, m.mNoItm,
            m.mInUse, m.mDeltd, m.mDelPs, m.mWInYr, m.mNoDte, m.mNoTrN, m.mNoDta, m.mAdmnP};
}

bool hasArabic(const QString& s)
{
    for (QChar c : s)
        if (c.unicode() >= 0x0600 && c.unicode() <= 0x06FF)
            return true;
    return false;
}

TEST(Messages, EnglishOnlyForLanguageOne)
{
    struct Case { int lang; bool english; };
    const Case cases[] = {{0, false}, {1, true}, {2, false}, {-1, false}};
    for (const Case& c : cases) {
        Messages m;
        m.load(c.lang);
        const QStringList texts = all(m);
        EXPECT_EQ(QSet<QString>(texts.begin(), texts.end()).size(), 16) << c.lang; // sixteen distinct texts
        for (const QString& t : texts)
            EXPECT_EQ(hasArabic(t), !c.english) << c.lang << " " << t.toStdString();
    }
}

TEST(Messages, ReloadSwitchesLanguage)
{
    Messages m;
    m.load(1);
    EXPECT_EQ(m.mInUse, QStringLiteral("File is in use. Try again later"));
    EXPECT_EQ(m.mUSave, QStringLiteral("Do you want ot save?"));
    m.load(0);
    EXPECT_EQ(m.mInUse, QStringLiteral("الملف مشغول الآن. حاول مرة أخرى"));
    EXPECT_EQ(m.mNoDte, QStringLiteral("التاريخ غير صحيح"));
    EXPECT_EQ(m.mAdmnP, QStringLiteral("هذا الخيار من صلاحيات المشرف"));
}

} // namespace
