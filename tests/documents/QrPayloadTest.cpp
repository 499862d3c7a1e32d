// The tax invoice's QR payload: TLV bytes in Base64, and the QR symbol carrying it.
#define ZX_USE_UTF8
#include "documents/QrPayload.h"
#include "tools/QrCode.h"

#include <ZXing/ReadBarcode.h>

#include <QImage>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

using namespace kv;
using namespace kv::documents;

namespace {

using Field = std::pair<int, QByteArray>; // tag, value bytes

// Splits the decoded payload into its fields; a length running past the end fails the test.
std::vector<Field> fields(const QString& payload)
{
    const QByteArray tlv = QByteArray::fromBase64(payload.toLatin1());
    std::vector<Field> out;
    qsizetype i = 0;
    while (i + 2 <= tlv.size()) {
        const int tag = static_cast<unsigned char>(tlv[i]);
        const int len = static_cast<unsigned char>(tlv[i + 1]);
        EXPECT_LE(i + 2 + len, tlv.size()) << "field " << tag << " runs past the end";
        out.emplace_back(tag, tlv.mid(i + 2, len));
        i += 2 + len;
    }
    EXPECT_EQ(i, tlv.size()) << "trailing bytes";
    return out;
}

TaxQrValues acme()
{
    return {QStringLiteral("Acme"), QStringLiteral("300000000000003"), QStringLiteral("2024-03-05T14:07:09Z"),
            QStringLiteral("115.00"), QStringLiteral("15.00")};
}

} // namespace

TEST(QrPayload, AcmeInvoiceByteForByte)
{
    const QString payload = taxQrPayload(acme());

    const QByteArray expected = QByteArray("\x01\x04") + "Acme" + QByteArray("\x02\x0f") + "300000000000003" +
                                QByteArray("\x03\x14") + "2024-03-05T14:07:09Z" + QByteArray("\x04\x06") + "115.00" +
                                QByteArray("\x05\x05") + "15.00";
    EXPECT_EQ(QByteArray::fromBase64(payload.toLatin1()), expected);
    EXPECT_EQ(payload, QStringLiteral("AQRBY21lAg8zMDAwMDAwMDAwMDAwMDMDFDIwMjQtMDMtMDVUMTQ6MDc6MDlaBAYxMTUuMDAFBTE1LjAw"));

    // The same payload from the values as the screen holds them: padded name and VAT number,
    // date, save time and money.
    const QString fromScreen = taxQrPayload({QStringLiteral("  Acme "), QStringLiteral(" 300000000000003  "),
                                             qrTimeStamp(QDate(2024, 3, 5), QTime(14, 7, 9)),
                                             qrAmount(*core::Money::parse(u"115")), qrAmount(core::Money::fromInt(15))});
    EXPECT_EQ(fromScreen, payload);
}

TEST(QrPayload, TimeStampAndAmountsAsShown)
{
    EXPECT_EQ(qrTimeStamp(QStringLiteral("2024/03/05"), QStringLiteral("14:07:09")),
              QStringLiteral("2024-03-05T14:07:09Z"));
    // Only the first eight characters of the shown time count.
    EXPECT_EQ(qrTimeStamp(QStringLiteral("1445/09/01"), QStringLiteral("08:00:05.250")),
              QStringLiteral("1445-09-01T08:00:05Z"));
    EXPECT_EQ(qrTimeStamp(QDate(2025, 12, 31), QTime(0, 0, 0)), QStringLiteral("2025-12-31T00:00:00Z"));

    EXPECT_EQ(qrAmount(*core::Money::parse(u"1150")), QStringLiteral("1150.00"));
    EXPECT_EQ(qrAmount(*core::Money::parse(u"0.5")), QStringLiteral("0.50"));
    EXPECT_EQ(qrAmount(core::Money()), QStringLiteral("0.00"));
}

TEST(QrPayload, ArabicSellerNameTakesTwoBytesPerLetter)
{
    TaxQrValues v = acme();
    v.sellerName = QStringLiteral(" مؤسسة النور ");
    const std::vector<Field> f = fields(taxQrPayload(v));
    ASSERT_EQ(f.size(), 5u);
    EXPECT_EQ(f[0].first, 1);
    // Ten letters and one space.
    EXPECT_EQ(f[0].second.size(), 2 * 10 + 1);
    EXPECT_EQ(QString::fromUtf8(f[0].second), QStringLiteral("مؤسسة النور"));
    EXPECT_EQ(f[1], Field(2, "300000000000003"));
    EXPECT_EQ(f[4], Field(5, "15.00"));
}

TEST(QrPayload, LongValuesAreCutAtACharacterBoundary)
{
    const struct {
        QString value;
        qsizetype kept; // bytes left of the value's UTF-8 form
    } cases[] = {
        {QString(255, QLatin1Char('a')), 255},
        {QString(300, QLatin1Char('a')), 255},
        {QString(150, QChar(0x0645)), 254},                              // 300 bytes; 255 is inside a letter
        {QLatin1Char('A') + QString(150, QChar(0x0645)), 255},           // the limit falls between letters
        {QLatin1Char('A') + QString(100, QChar(0x20AC)), 253},           // three-byte characters
        {QString::fromUtf8("\xF0\x9F\x93\xA6").repeated(64), 252},       // four-byte characters, 256 bytes
    };
    for (const auto& c : cases) {
        const QByteArray field = tlvField(1, c.value);
        ASSERT_GE(field.size(), 2);
        const QByteArray kept = field.mid(2);
        EXPECT_EQ(kept.size(), c.kept);
        EXPECT_EQ(static_cast<unsigned char>(field[1]), c.kept);
        EXPECT_TRUE(c.value.toUtf8().startsWith(kept));
        // A whole number of characters: the kept bytes decode without a replacement character.
        EXPECT_TRUE(c.value.startsWith(QString::fromUtf8(kept)));
    }

    // In the payload: a 300-byte Arabic name keeps 127 letters and the next field follows at once.
    TaxQrValues v = acme();
    v.sellerName = QString(150, QChar(0x0645));
    const std::vector<Field> f = fields(taxQrPayload(v));
    ASSERT_EQ(f.size(), 5u);
    EXPECT_EQ(QString::fromUtf8(f[0].second), QString(127, QChar(0x0645)));
    EXPECT_EQ(f[1], Field(2, "300000000000003"));
    EXPECT_EQ(f[2], Field(3, "2024-03-05T14:07:09Z"));
}

TEST(QrPayload, QrSymbolDecodesToThePayload)
{
    TaxQrValues v = acme();
    v.sellerName = QStringLiteral("شركة الأمل للتجارة والمقاولات المحدودة");
    v.total = QStringLiteral("12500.75");
    v.vat = QStringLiteral("1630.53");
    const QString payload = taxQrPayload(v);

    const QImage img = tools::qrImage(payload.toLatin1(), 4, 4);
    ASSERT_FALSE(img.isNull());
    const QImage gray = img.convertToFormat(QImage::Format_Grayscale8);
    const ZXing::ImageView view(gray.constBits(), gray.width(), gray.height(), ZXing::ImageFormat::Lum,
                                int(gray.bytesPerLine()));
    const ZXing::Result r = ZXing::ReadBarcode(view, ZXing::DecodeHints().setFormats(ZXing::BarcodeFormat::QRCode));
    ASSERT_TRUE(r.isValid());
    EXPECT_EQ(QString::fromStdString(r.text()), payload);
}
