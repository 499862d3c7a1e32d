// Margins per user, the firm's barcode layout and the remembered printer.
#include "support/TestDb.h"
#include "tools/PrintSettings.h"

#include "db/Connection.h"

#include <gtest/gtest.h>

using namespace kv;
using namespace kv::tools;

namespace {

class PrintSettingsDb : public ::testing::Test {
protected:
    static void SetUpTestSuite() { folder = test::makeDataFolder(); }
    void SetUp() override
    {
        session = test::openSession(folder);
        ASSERT_TRUE(session && session->FirmDB);
    }
    static inline test::DataFolder folder;
    std::unique_ptr<core::Session> session;
};

} // namespace

TEST_F(PrintSettingsDb, MarginsArePerUser)
{
    db::Connection& sys = *session->FirmDB;
    const UserMargins none = readUserMargins(sys, QStringLiteral("NOBODY"));
    EXPECT_FALSE(none.TMAR);
    EXPECT_DOUBLE_EQ(none.invoiceTop(), 0.394);
    EXPECT_DOUBLE_EQ(none.invoiceLeft(), 0.174);
    EXPECT_DOUBLE_EQ(none.voucherTop(), 0.394);

    saveInvoiceMargins(sys, QStringLiteral("ALI"), 0.5, 0.25);   // creates the row
    saveInvoiceMargins(sys, QStringLiteral("OMAR"), 0.3, 0.1);
    saveInvoiceMargins(sys, QStringLiteral("ALI"), 1.0, 0.2);    // updates it
    saveVoucherMargins(sys, QStringLiteral("ALI"), 0.7, 0.6);
    const UserMargins ali = readUserMargins(sys, QStringLiteral("ALI"));
    const UserMargins omar = readUserMargins(sys, QStringLiteral("OMAR"));
    EXPECT_EQ(ali.TMAR, 1.0);
    EXPECT_EQ(ali.LMAR, 0.2);
    EXPECT_EQ(ali.RVTMAR, 0.7);
    EXPECT_EQ(ali.RVLMAR, 0.6);
    EXPECT_EQ(omar.TMAR, 0.3);
    EXPECT_EQ(omar.LMAR, 0.1);
    EXPECT_FALSE(omar.RVTMAR);

    // Invoice pages: top TMAR, bottom 0.788 - TMAR, in millimetres.
    UserMargins m;
    m.TMAR = 0.5;
    m.LMAR = 0.2;
    const QMarginsF mm = m.invoicePageMarginsMm();
    EXPECT_NEAR(mm.top(), 12.7, 1e-9);
    EXPECT_NEAR(mm.bottom(), (0.788 - 0.5) * 25.4, 1e-9);
    EXPECT_NEAR(mm.left(), 5.08, 1e-9);
}

TEST_F(PrintSettingsDb, BarcodeLayoutRoundTripAndDefaults)
{
    db::Connection& sys = *session->FirmDB;
    BarcodeLayout b;
    b.top = 30;
    b.left = 7;
    b.height = 44;
    b.module = 3;
    b.type = 14;
    b.angle = 90;
    b.checkSum = true;
    b.use = true;
    b.title = QStringLiteral("مؤسسة النور");
    saveBarcodeLayout(sys, b);
    EXPECT_EQ(readBarcodeLayout(sys), b);

    saveInvoiceMargins(sys, QStringLiteral("SAMI"), 0.9, 0.9);
    saveDefaults(sys, QStringLiteral("SAMI"));
    BarcodeLayout d;
    d.title = b.title; // the title has no default
    EXPECT_EQ(readBarcodeLayout(sys), d);
    const UserMargins m = readUserMargins(sys, QStringLiteral("SAMI"));
    EXPECT_EQ(m.TMAR, 0.394);
    EXPECT_EQ(m.LMAR, 0.174);

    applyToSession(*session, b);
    EXPECT_EQ(session->gTop, 30);
    EXPECT_EQ(session->gType, 14);
    EXPECT_EQ(session->gChkSum, QStringLiteral("T"));
    EXPECT_EQ(session->gBCUse, QStringLiteral("T"));
    EXPECT_EQ(session->gTitle, b.title);
}

TEST(PrintSettings, MarginTextAndLimits)
{
    const std::pair<QString, bool> cases[] = {
        {QStringLiteral("1"), true},     {QStringLiteral("1.01"), false}, {QStringLiteral(" 0.394 "), true},
        {QStringLiteral("0"), true},     {QStringLiteral("-0.1"), false}, {QString(), false},
        {QStringLiteral("abc"), false},  {QStringLiteral("0,5"), false},
    };
    for (const auto& [text, valid] : cases)
        EXPECT_EQ(isValidMargin(parseMargin(text)), valid) << text.toStdString();
}

TEST(PrintSettings, RememberedPrinterIsPerUser)
{
    qputenv("KV_CONFIG_DIR", test::freshDir(QStringLiteral("cfg")).toUtf8());
    EXPECT_EQ(rememberedPrinter(QStringLiteral("ALI")), QString());
    rememberPrinter(QStringLiteral("ALI"), QStringLiteral("HP-LaserJet"));
    rememberPrinter(QStringLiteral("علي/2"), QStringLiteral("Canon"));
    EXPECT_EQ(rememberedPrinter(QStringLiteral("ALI")), QStringLiteral("HP-LaserJet"));
    EXPECT_EQ(rememberedPrinter(QStringLiteral("علي/2")), QStringLiteral("Canon"));
    EXPECT_EQ(rememberedPrinter(QStringLiteral("OMAR")), QString());
    qunsetenv("KV_CONFIG_DIR");
}
