#include "tools/Barcode.h"

#include <ZXing/BitMatrix.h>
#include <ZXing/MultiFormatWriter.h>

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <array>
#include <cmath>

namespace kv::tools {

namespace {

struct SymbologyInfo {
    Symbology id;
    const char* typeName; // the printer settings' list
    const char* title;    // the label window's list
    ZXing::BarcodeFormat format;
};

using ZXing::BarcodeFormat;

// In FIRM.BCTYPE order.
const std::array<SymbologyInfo, symbologyCount> kInfo = {{
    {Symbology::Code_2_5_interleaved, "Code_2_5_interleaved", "Code 2 of 5 Interleaved", BarcodeFormat::ITF},
    {Symbology::Code_2_5_industrial, "Code_2_5_industrial", "Code 2 of 5 Industrial", BarcodeFormat::None},
    {Symbology::Code_2_5_matrix, "Code_2_5_matrix", "Code 2 of 5 Matrix", BarcodeFormat::None},
    {Symbology::Code39, "Code39", "Code 3 of 9 (Code 39)", BarcodeFormat::Code39},
    {Symbology::Code39Extended, "Code39Extended", "Code 3 of 9 Extended (Code 39 Full ASCII)", BarcodeFormat::Code39},
    {Symbology::Code128A, "Code128A", "Code 128 (Subset A)", BarcodeFormat::Code128},
    {Symbology::Code128B, "Code128B", "Code 128 (Subset B)", BarcodeFormat::Code128},
    {Symbology::Code128C, "Code128C", "Code 128 (Subset C)", BarcodeFormat::Code128},
    {Symbology::Code93, "Code93", "Code 93", BarcodeFormat::Code93},
    {Symbology::Code93Extended, "Code93Extended", "Code 93 Extended (Full ASCII)", BarcodeFormat::Code93},
    {Symbology::CodeMSI, "CodeMSI", "MSI Plessey", BarcodeFormat::None},
    {Symbology::CodePostNet, "CodePostNet", "PostNet", BarcodeFormat::None},
    {Symbology::CodeCodabar, "CodeCodabar", "Codabar", BarcodeFormat::Codabar},
    {Symbology::CodeEAN8, "CodeEAN8", "EAN-8", BarcodeFormat::EAN8},
    {Symbology::CodeEAN13, "CodeEAN13", "EAN-13", BarcodeFormat::EAN13},
    {Symbology::CodeUPC_A, "CodeUPC_A", "UPC-A", BarcodeFormat::UPCA},
    {Symbology::CodeUPC_E0, "CodeUPC_E0", "UPC-E (Number System 0)", BarcodeFormat::UPCE},
    {Symbology::CodeUPC_E1, "CodeUPC_E1", "UPC-E (Number System 1)", BarcodeFormat::UPCE},
    {Symbology::CodeUPC_Supp2, "CodeUPC_Supp2", "UPC Supplement 2", BarcodeFormat::None},
    {Symbology::CodeUPC_Supp5, "CodeUPC_Supp5", "UPC Supplement 5", BarcodeFormat::None},
    {Symbology::CodeEAN128A, "CodeEAN128A", "GS1-128 (EAN-128 Subset A)", BarcodeFormat::Code128},
    {Symbology::CodeEAN128B, "CodeEAN128B", "GS1-128 (EAN-128 Subset B)", BarcodeFormat::Code128},
    {Symbology::CodeEAN128C, "CodeEAN128C", "GS1-128 (EAN-128 Subset C)", BarcodeFormat::Code128},
}};

const SymbologyInfo& info(Symbology s)
{
    return kInfo[std::size_t(s)];
}

bool allDigits(const QString& s)
{
    return !s.isEmpty() && std::all_of(s.begin(), s.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// Modulo-10 check digit of GTIN codes (weights 3, 1 from the right).
QChar gtinCheck(const QString& digits)
{
    int sum = 0;
    for (int i = int(digits.size()) - 1, w = 3; i >= 0; --i, w = 4 - w)
        sum += (digits[i].unicode() - u'0') * w;
    return QChar(u'0' + (10 - sum % 10) % 10);
}

// UPC-E (number system, six digits) expanded to the eleven digits of its UPC-A.
QString upcEToA(const QString& e7)
{
    const QString ns = e7.left(1);
    const QString d = e7.mid(1, 6);
    const QChar last = d[5];
    QString body;
    switch (last.unicode()) {
    case u'0':
    case u'1':
    case u'2': body = d.left(2) + last + QStringLiteral("0000") + d.mid(2, 3); break;
    case u'3': body = d.left(3) + QStringLiteral("00000") + d.mid(3, 2); break;
    case u'4': body = d.left(4) + QStringLiteral("00000") + d.mid(4, 1); break;
    default: body = d.left(5) + QStringLiteral("0000") + last; break;
    }
    return ns + body;
}

constexpr const char* kCode39Chars = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";

QChar code39Check(const QString& s)
{
    const QString alphabet = QString::fromLatin1(kCode39Chars);
    int sum = 0;
    for (QChar c : s)
        sum += int(alphabet.indexOf(c));
    return alphabet[sum % 43];
}

bool isAscii(const QString& s)
{
    return std::all_of(s.begin(), s.end(), [](QChar c) { return c.unicode() < 128; });
}

// The data actually handed to the writer and the text printed under the bars, or an error.
struct Prepared {
    QString data, text, error;
};

Prepared prepare(const QString& input, Symbology s, bool checkDigit)
{
    Prepared p;
    const QString title = QString::fromLatin1(info(s).title);
    auto invalid = [&](const QString& why) {
        p.error = QStringLiteral("%1: %2").arg(title, why);
        return p;
    };
    if (info(s).format == BarcodeFormat::None)
        return invalid(QStringLiteral("this symbology is not available"));
    const QString v = input.trimmed();
    if (v.isEmpty())
        return invalid(QStringLiteral("no data to encode"));
    switch (s) {
    case Symbology::Code_2_5_interleaved: {
        if (!allDigits(v))
            return invalid(QStringLiteral("only digits can be encoded"));
        QString d = v;
        if (checkDigit) {
            if (d.size() % 2 == 0)
                d.prepend(QLatin1Char('0'));
            d += gtinCheck(d);
        } else if (d.size() % 2 != 0) {
            d.prepend(QLatin1Char('0')); // pairs of digits
        }
        p.data = p.text = d;
        return p;
    }
    case Symbology::Code39: {
        const QString alphabet = QString::fromLatin1(kCode39Chars);
        const QString up = v;
        for (QChar c : up)
            if (!alphabet.contains(c))
                return invalid(QStringLiteral("invalid character '%1'").arg(c));
        p.data = checkDigit ? up + code39Check(up) : up;
        p.text = p.data;
        return p;
    }
    case Symbology::Code39Extended:
    case Symbology::Code93Extended:
    case Symbology::Code128B:
    case Symbology::CodeEAN128B:
        if (!isAscii(v))
            return invalid(QStringLiteral("only ASCII characters can be encoded"));
        break;
    case Symbology::Code93: {
        const QString alphabet = QString::fromLatin1(kCode39Chars);
        for (QChar c : v)
            if (!alphabet.contains(c))
                return invalid(QStringLiteral("invalid character '%1'").arg(c));
        break;
    }
    case Symbology::Code128A:
    case Symbology::CodeEAN128A:
        for (QChar c : v)
            if (c.unicode() >= 96)
                return invalid(QStringLiteral("invalid character '%1'").arg(c));
        break;
    case Symbology::Code128C:
    case Symbology::CodeEAN128C:
        if (!allDigits(v))
            return invalid(QStringLiteral("only digits can be encoded"));
        break;
    case Symbology::CodeCodabar:
        for (QChar c : v)
            if (!QStringLiteral("0123456789-$:/.+ABCD").contains(c.toUpper()))
                return invalid(QStringLiteral("invalid character '%1'").arg(c));
        break;
    case Symbology::CodeEAN8:
    case Symbology::CodeEAN13:
    case Symbology::CodeUPC_A: {
        const int n = s == Symbology::CodeEAN8 ? 8 : s == Symbology::CodeEAN13 ? 13 : 12;
        if (!allDigits(v) || (v.size() != n && v.size() != n - 1))
            return invalid(QStringLiteral("%1 or %2 digits are needed").arg(n - 1).arg(n));
        QString d = v.size() == n - 1 ? v + gtinCheck(v) : v;
        if (gtinCheck(d.left(n - 1)) != d[n - 1])
            return invalid(QStringLiteral("wrong check digit"));
        p.data = p.text = d;
        return p;
    }
    case Symbology::CodeUPC_E0:
    case Symbology::CodeUPC_E1: {
        const QChar ns = s == Symbology::CodeUPC_E0 ? u'0' : u'1';
        QString d = v;
        if (d.size() == 6)
            d.prepend(ns);
        if (!allDigits(d) || (d.size() != 7 && d.size() != 8) || d[0] != ns)
            return invalid(QStringLiteral("6 digits are needed (number system %1)").arg(ns));
        const QChar check = gtinCheck(upcEToA(d.left(7)));
        if (d.size() == 8 && d[7] != check)
            return invalid(QStringLiteral("wrong check digit"));
        p.data = p.text = d.left(7) + check;
        return p;
    }
    default: break;
    }
    p.data = v;
    p.text = v;
    if (s == Symbology::CodeEAN128A || s == Symbology::CodeEAN128B || s == Symbology::CodeEAN128C)
        p.data.prepend(QChar(0x00F1)); // FNC1 in first position makes it GS1-128
    return p;
}

ModuleMatrix toModules(const ZXing::BitMatrix& m)
{
    ModuleMatrix out;
    out.width = m.width();
    out.height = 1;
    out.dark.resize(std::size_t(out.width));
    for (int x = 0; x < m.width(); ++x)
        out.dark[std::size_t(x)] = m.get(x, 0) ? 1 : 0;
    return out;
}

} // namespace

Symbology symbologyOfType(int type)
{
    if (type < 0 || type >= symbologyCount)
        return Symbology::Code39;
    return Symbology(type);
}

int typeOfSymbology(Symbology s)
{
    return int(s);
}

QStringList symbologyTypeNames()
{
    QStringList out;
    for (const SymbologyInfo& i : kInfo)
        out << QString::fromLatin1(i.typeName);
    return out;
}

QString symbologyTitle(Symbology s)
{
    return QString::fromLatin1(info(s).title);
}

std::optional<Symbology> symbologyFromTitle(const QString& title)
{
    for (const SymbologyInfo& i : kInfo)
        if (title == QLatin1String(i.title))
            return i.id;
    return std::nullopt;
}

bool isDrawable(Symbology s)
{
    return info(s).format != BarcodeFormat::None;
}

QStringList drawableSymbologyTitles()
{
    QStringList out;
    for (const SymbologyInfo& i : kInfo)
        if (i.format != BarcodeFormat::None)
            out << QString::fromLatin1(i.title);
    out.sort(Qt::CaseInsensitive);
    return out;
}

QString humanReadable(const QString& data, Symbology s, bool checkDigit)
{
    const Prepared p = prepare(data, s, checkDigit);
    return p.error.isEmpty() ? p.text : QString();
}

BarcodeImage encodeBarcode(const QString& data, Symbology s, bool checkDigit)
{
    BarcodeImage out;
    const Prepared p = prepare(data, s, checkDigit);
    if (!p.error.isEmpty()) {
        out.error = p.error;
        return out;
    }
    try {
        const ZXing::BitMatrix m =
            ZXing::MultiFormatWriter(info(s).format).setMargin(0).encode(p.data.toStdWString(), 0, 1);
        out.bars = toModules(m);
        out.text = p.text;
    } catch (const std::exception& e) {
        out.error = QStringLiteral("%1: %2").arg(symbologyTitle(s), QString::fromLocal8Bit(e.what()));
    }
    return out;
}

BarcodeImage drawBarcode(const QString& data, const BarcodeStyle& st)
{
    BarcodeImage out = encodeBarcode(data, st.symbology, st.checkDigit);
    if (!out.ok())
        return out;
    const int m = std::max(1, int(std::lround(st.moduleWidth)));
    const int quiet = std::max(0, st.whiteSpace) * m;
    const int border = std::max(0, st.border);
    const int barsW = out.bars.width * m;
    const int barH = std::max(1, st.height);

    QFont font(QStringLiteral("DejaVu Sans"));
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans")});
    font.setPixelSize(std::max(8, int(std::lround((st.smallText ? 4.5 : 6.0) * m)))); // in step with the bars
    font.setBold(st.boldText);
    const QFontMetrics fm(font);
    const int textH = st.showText ? fm.height() + 2 : 0;

    const int w = barsW + 2 * quiet + 2 * border;
    const int h = barH + textH + 2 * border + (st.box ? 2 * m : 0);
    QImage img(std::max(1, w), std::max(1, h), QImage::Format_RGB32);
    img.fill(st.back.isValid() ? st.back : QColor(Qt::white));
    QPainter p(&img);
    const int left = border + quiet;
    const int top = border + (st.box ? m : 0);
    if (st.bars) {
        p.setPen(Qt::NoPen);
        p.setBrush(st.fore);
        if (st.dotty)
            p.setRenderHint(QPainter::Antialiasing, true);
        for (int x = 0; x < out.bars.width; ++x) {
            if (!out.bars.dark[std::size_t(x)])
                continue;
            if (!st.dotty) {
                p.fillRect(left + x * m, top, m, barH, st.fore);
            } else {
                for (int y = top; y + m <= top + barH; y += m + m / 2 + 1)
                    p.drawEllipse(QRectF(left + x * m, y, m, m));
            }
        }
    }
    if (st.showText) {
        p.setFont(font);
        p.setPen(st.fore);
        p.drawText(QRect(border, top + barH, w - 2 * border, textH), Qt::AlignHCenter | Qt::AlignVCenter, out.text);
    }
    if (st.box) {
        QPen pen(st.fore);
        pen.setWidth(m);
        pen.setJoinStyle(Qt::MiterJoin);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        const double half = m / 2.0;
        p.drawRect(QRectF(border + half, border + half, w - 2 * border - m, h - 2 * border - m));
    }
    p.end();
    const int rot = ((st.rotation % 360) + 360) % 360;
    if (rot != 0)
        img = img.transformed(QTransform().rotate(rot));
    out.image = img;
    return out;
}

} // namespace kv::tools
