#pragma once
// QR symbols of a byte payload (the tax invoice's base64 text), encoded in byte mode so that the
// payload is carried exactly as given (no upper-casing, no character-set guessing).
//
//   kv::tools::QrResult qr = kv::tools::encodeQr(payload.toLatin1());
//   if (qr.ok()) page.symbol({150, 20, 35, 35}, qr.matrix);   // Page.h, sharp at any resolution
//   QImage img = kv::tools::qrImage(payload.toLatin1(), 4);  // 4 pixels per module, 4-module margin
#include "tools/Page.h"
#include <QByteArray>
#include <QImage>
#include <QString>

namespace kv::tools {

enum class QrLevel { L, M, Q, H };

struct QrResult {
    ModuleMatrix matrix;  // the symbol without its quiet zone
    QString error;        // empty on success
    bool ok() const { return error.isEmpty() && !matrix.isEmpty(); }
};

QrResult encodeQr(const QByteArray& bytes, QrLevel level = QrLevel::M);

// The symbol as an image: `moduleSize` pixels per module and a quiet zone of `margin` modules on
// each side; a null image when the payload cannot be encoded.
QImage qrImage(const QByteArray& bytes, int moduleSize = 4, int margin = 4, QrLevel level = QrLevel::M);

} // namespace kv::tools
