#pragma once
// The tax invoice's QR payload: five TLV fields (one tag byte, one byte holding the value's UTF-8
// length, the UTF-8 bytes) concatenated and written in standard padded Base64 on one line. It is
// built afresh at every print from the values as shown; nothing of it is stored.
//
//   1  seller name          the firm name, trimmed
//   2  seller VAT number    the firm's tax code, trimmed
//   3  time stamp           "2024-03-05T14:07:09Z"
//   4  total with VAT       as shown, "0.00"
//   5  VAT total            as shown, "0.00"
//
//   QString qr = taxQrPayload({firmName, firmTaxCode, qrTimeStamp(date, savedAt),
//                              qrAmount(invTot), qrAmount(vTax)});
//   QImage img = tools::qrImage(qr.toLatin1());                    // tools/QrCode.h
//
// A value longer than 255 UTF-8 bytes is cut to at most 255 bytes at a character boundary
// (never inside a multi-byte character), so every length fits its byte.
#include "core/Money.h"
#include <QByteArray>
#include <QDate>
#include <QString>
#include <QTime>
#include <cstdint>

namespace kv::documents {

struct TaxQrValues {
    QString sellerName; // trimmed here
    QString vatNumber;  // trimmed here
    QString timeStamp;  // qrTimeStamp()
    QString total;      // as shown, qrAmount()
    QString vat;        // as shown, qrAmount()
};

// The Base64 text for the QR symbol (ASCII only).
QString taxQrPayload(const TaxQrValues& values);

// The time stamp from the date and save time as the screen shows them ("yyyy/mm/dd" and a time
// beginning "hh:mm:ss"): every "/" becomes "-", then "T", the first eight characters of the time
// and "Z".
QString qrTimeStamp(const QString& shownDate, const QString& shownTime);
QString qrTimeStamp(QDate date, QTime time);

// A money value as shown with the pattern "0.00".
QString qrAmount(core::Money amount);

// One field: tag byte, length byte, value bytes; the value's UTF-8 form cut as above.
QByteArray tlvField(std::uint8_t tag, const QString& value);

// The longest prefix of `utf8` of at most `maxBytes` bytes that ends on a character boundary.
QByteArray cutUtf8(const QByteArray& utf8, qsizetype maxBytes);

} // namespace kv::documents
