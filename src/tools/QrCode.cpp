#include "tools/QrCode.h"

#include <QPainter>
#include <qrencode.h>

#include <cerrno>
#include <cstring>

namespace kv::tools {

namespace {

QRecLevel qrLevel(QrLevel l)
{
    switch (l) {
    case QrLevel::L: return QR_ECLEVEL_L;
    case QrLevel::M: return QR_ECLEVEL_M;
    case QrLevel::Q: return QR_ECLEVEL_Q;
    case QrLevel::H: return QR_ECLEVEL_H;
    }
    return QR_ECLEVEL_M;
}

} // namespace

QrResult encodeQr(const QByteArray& bytes, QrLevel level)
{
    QrResult r;
    if (bytes.isEmpty()) {
        r.error = QStringLiteral("لا توجد بيانات لرمز QR");
        return r;
    }
    // Byte mode, smallest version that holds the data.
    QRcode* code = QRcode_encodeData(int(bytes.size()), reinterpret_cast<const unsigned char*>(bytes.constData()), 0,
                                     qrLevel(level));
    if (!code) {
        r.error = QStringLiteral("تعذر إنشاء رمز QR: ") + QString::fromLocal8Bit(std::strerror(errno));
        return r;
    }
    r.matrix.width = code->width;
    r.matrix.height = code->width;
    r.matrix.dark.resize(std::size_t(code->width) * std::size_t(code->width));
    for (std::size_t i = 0; i < r.matrix.dark.size(); ++i)
        r.matrix.dark[i] = code->data[i] & 1; // the low bit is the module's colour
    QRcode_free(code);
    return r;
}

QImage qrImage(const QByteArray& bytes, int moduleSize, int margin, QrLevel level)
{
    const QrResult r = encodeQr(bytes, level);
    if (!r.ok())
        return {};
    moduleSize = std::max(1, moduleSize);
    margin = std::max(0, margin);
    const int side = (r.matrix.width + 2 * margin) * moduleSize;
    QImage img(side, side, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    for (int y = 0; y < r.matrix.height; ++y)
        for (int x = 0; x < r.matrix.width; ++x)
            if (r.matrix.at(x, y))
                p.fillRect((x + margin) * moduleSize, (y + margin) * moduleSize, moduleSize, moduleSize, Qt::black);
    p.end();
    return img;
}

} // namespace kv::tools
