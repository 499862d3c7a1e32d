#include "documents/QrPayload.h"

#include <algorithm>

namespace kv::documents {

namespace {

constexpr qsizetype kMaxValueBytes = 255;

bool isContinuation(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

} // namespace

QByteArray cutUtf8(const QByteArray& utf8, qsizetype maxBytes)
{
    if (utf8.size() <= maxBytes)
        return utf8;
    qsizetype end = std::max<qsizetype>(maxBytes, 0);
    // Back off over the continuation bytes of the character the limit falls into.
    while (end > 0 && isContinuation(utf8[end]))
        --end;
    return utf8.left(end);
}

QByteArray tlvField(std::uint8_t tag, const QString& value)
{
    const QByteArray bytes = cutUtf8(value.toUtf8(), kMaxValueBytes);
    QByteArray field;
    field.reserve(bytes.size() + 2);
    field.append(char(tag));
    field.append(char(std::uint8_t(bytes.size())));
    field.append(bytes);
    return field;
}

QString taxQrPayload(const TaxQrValues& v)
{
    QByteArray tlv;
    tlv += tlvField(1, v.sellerName.trimmed());
    tlv += tlvField(2, v.vatNumber.trimmed());
    tlv += tlvField(3, v.timeStamp);
    tlv += tlvField(4, v.total);
    tlv += tlvField(5, v.vat);
    return QString::fromLatin1(tlv.toBase64()); // standard alphabet, padded, one line
}

QString qrTimeStamp(const QString& shownDate, const QString& shownTime)
{
    QString date = shownDate;
    date.replace(QLatin1Char('/'), QLatin1Char('-'));
    return date + QLatin1Char('T') + shownTime.left(8) + QLatin1Char('Z');
}

QString qrTimeStamp(QDate date, QTime time)
{
    return qrTimeStamp(date.toString(QStringLiteral("yyyy/MM/dd")), time.toString(QStringLiteral("HH:mm:ss")));
}

QString qrAmount(core::Money amount)
{
    return amount.toString();
}

} // namespace kv::documents
