// Barcode and QR symbols decoded back with zxing-cpp.
#define ZX_USE_UTF8
#include "ToolsTest.h"

#include "tools/Barcode.h"
#include "tools/QrCode.h"

#include <ZXing/ReadBarcode.h>

#include <QImage>
#include <gtest/gtest.h>

using namespace kv;
using namespace kv::tools;

namespace {

struct Decoded {
    QString text;
    ZXing::BarcodeFormat format = ZXing::BarcodeFormat::None;
};

Decoded decode(const QImage& image)
{
    const QImage gray = image.convertToFormat(QImage::Format_Grayscale8);
    ZXing::DecodeHints hints;
    hints.setTryHarder(true).setTryRotate(true);
    const ZXing::ImageView view(gray.constBits(), gray.width(), gray.height(), ZXing::ImageFormat::Lum,
                                int(gray.bytesPerLine()));
    const ZXing::Result r = ZXing::ReadBarcode(view, hints);
    if (!r.isValid())
        return {};
    return {QString::fromStdString(r.text()), r.format()};
}

} // namespace

TEST(Barcode, SymbolsDecodeBackToTheItemNumber)
{
    test::guiApp();
    struct Case {
        Symbology s;
        QString data;
        QString expected; // decoded and printed under the bars
        ZXing::BarcodeFormat format;
        int rotation;
    };
    const Case cases[] = {
        {Symbology::Code128B, QStringLiteral("A-1000/x"), QStringLiteral("A-1000/x"), ZXing::BarcodeFormat::Code128, 0},
        {Symbology::Code128C, QStringLiteral("12345678"), QStringLiteral("12345678"), ZXing::BarcodeFormat::Code128, 0},
        {Symbology::CodeEAN13, QStringLiteral("590123412345"), QStringLiteral("5901234123457"),
         ZXing::BarcodeFormat::EAN13, 0},
        {Symbology::CodeEAN13, QStringLiteral("5901234123457"), QStringLiteral("5901234123457"),
         ZXing::BarcodeFormat::EAN13, 90},
        {Symbology::Code39, QStringLiteral("ITEM-42"), QStringLiteral("ITEM-42"), ZXing::BarcodeFormat::Code39, 0},
        {Symbology::CodeEAN8, QStringLiteral("9638507"), QStringLiteral("96385074"), ZXing::BarcodeFormat::EAN8, 0},
        {Symbology::CodeUPC_E0, QStringLiteral("123456"), QStringLiteral("01234565"), ZXing::BarcodeFormat::UPCE, 0},
        {Symbology::Code_2_5_interleaved, QStringLiteral("12345"), QStringLiteral("012345"), ZXing::BarcodeFormat::ITF,
         0},
    };
    for (const Case& c : cases) {
        BarcodeStyle st;
        st.symbology = c.s;
        st.rotation = c.rotation;
        const BarcodeImage b = drawBarcode(c.data, st);
        ASSERT_TRUE(b.ok()) << b.error.toStdString();
        EXPECT_EQ(b.text, c.expected);
        const Decoded d = decode(b.image);
        EXPECT_EQ(d.text, c.expected) << symbologyTitle(c.s).toStdString();
        EXPECT_EQ(d.format, c.format) << symbologyTitle(c.s).toStdString();
    }
}

TEST(Barcode, TextUnderTheBarsFollowsShowText)
{
    test::guiApp();
    BarcodeStyle st;
    st.symbology = Symbology::Code128B;
    const BarcodeImage with = drawBarcode(QStringLiteral("A-1000"), st);
    st.showText = false;
    const BarcodeImage without = drawBarcode(QStringLiteral("A-1000"), st);
    ASSERT_TRUE(with.ok() && without.ok());
    EXPECT_EQ(without.image.height(), st.height);
    EXPECT_GT(with.image.height(), st.height);
    EXPECT_EQ(with.image.width(), without.image.width());
}

TEST(Barcode, DataASymbologyCannotHoldIsAnError)
{
    test::guiApp();
    const std::pair<Symbology, QString> cases[] = {
        {Symbology::CodeEAN13, QStringLiteral("A-1000")},        // letters
        {Symbology::CodeEAN13, QStringLiteral("5901234123458")}, // wrong check digit
        {Symbology::Code39, QStringLiteral("abc")},              // lower case needs Code 39 Extended
        {Symbology::Code128B, QStringLiteral("قلم")},            // not ASCII
        {Symbology::CodeMSI, QStringLiteral("1234")},            // no writer here
        {Symbology::Code128B, QStringLiteral("  ")},
    };
    for (const auto& [s, data] : cases) {
        BarcodeStyle st;
        st.symbology = s;
        const BarcodeImage b = drawBarcode(data, st);
        EXPECT_FALSE(b.ok()) << symbologyTitle(s).toStdString() << " " << data.toStdString();
        EXPECT_TRUE(b.image.isNull());
        EXPECT_TRUE(b.error.startsWith(symbologyTitle(s))) << b.error.toStdString();
    }
}

TEST(Barcode, StoredTypePositionsMapToTheList)
{
    const QStringList names = symbologyTypeNames();
    ASSERT_EQ(names.size(), symbologyCount);
    EXPECT_EQ(names[3], QStringLiteral("Code39"));
    EXPECT_EQ(names[14], QStringLiteral("CodeEAN13"));
    EXPECT_EQ(names[22], QStringLiteral("CodeEAN128C"));
    EXPECT_EQ(symbologyOfType(14), Symbology::CodeEAN13);
    EXPECT_EQ(symbologyOfType(99), Symbology::Code39);
    EXPECT_EQ(symbologyOfType(-1), Symbology::Code39);
    const QStringList titles = drawableSymbologyTitles();
    EXPECT_TRUE(titles.contains(QStringLiteral("Code 3 of 9 (Code 39)")));
    EXPECT_FALSE(titles.contains(symbologyTitle(Symbology::CodeMSI)));
    QStringList sorted = titles;
    sorted.sort(Qt::CaseInsensitive);
    EXPECT_EQ(titles, sorted);
}

TEST(QrCode, Base64PayloadDecodesByteForByte)
{
    test::guiApp();
    // A tax-invoice style payload: binary TLV fields in base64 (upper and lower case, '+', '/', '=').
    QByteArray tlv;
    auto field = [&](char tag, const QByteArray& v) {
        tlv.append(tag);
        tlv.append(char(v.size()));
        tlv.append(v);
    };
    field(1, QStringLiteral("مؤسسة النور التجارية").toUtf8());
    field(2, "310122393500003");
    field(3, "2024-03-05T10:15:00Z");
    field(4, "1150.00");
    field(5, "150.00");
    field(6, QByteArray("\xfb\xff\xfe\x3e", 4));
    const QByteArray payload = tlv.toBase64();
    ASSERT_TRUE(payload.contains('+') || payload.contains('/'));

    const QImage img = qrImage(payload, 4, 4);
    ASSERT_FALSE(img.isNull());
    const Decoded d = decode(img);
    EXPECT_EQ(d.format, ZXing::BarcodeFormat::QRCode);
    EXPECT_EQ(d.text.toLatin1(), payload);
    EXPECT_EQ(QByteArray::fromBase64(d.text.toLatin1()), tlv);

    const QrResult r = encodeQr(payload);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.matrix.width, r.matrix.height);
    EXPECT_EQ(img.width(), (r.matrix.width + 8) * 4);
    EXPECT_FALSE(encodeQr(QByteArray()).ok());
}
