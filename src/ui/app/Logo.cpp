#include "ui/app/Logo.h"

#include "ui/common/Look.h"

#include <QApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

namespace kv::ui {

namespace {
const QColor deepBlue(0x16, 0x3a, 0x6b);
const QColor amber(0xe8, 0x9a, 0x2c);
const QColor cream(0xf6, 0xf1, 0xe6);

void paintCarton(QPainter& p, const QRectF& r, const QColor& face)
{
    // Front face, then the top and side as a simple isometric box.
    const qreal d = r.height() * 0.28;
    QPainterPath top;
    top.moveTo(r.topLeft());
    top.lineTo(r.topLeft() + QPointF(d, -d * 0.7));
    top.lineTo(r.topRight() + QPointF(d, -d * 0.7));
    top.lineTo(r.topRight());
    top.closeSubpath();
    QPainterPath side;
    side.moveTo(r.topRight());
    side.lineTo(r.topRight() + QPointF(d, -d * 0.7));
    side.lineTo(r.bottomRight() + QPointF(d, -d * 0.7));
    side.lineTo(r.bottomRight());
    side.closeSubpath();
    p.setPen(QPen(deepBlue.darker(140), r.height() * 0.04));
    p.setBrush(face.lighter(125));
    p.drawPath(top);
    p.setBrush(face.darker(120));
    p.drawPath(side);
    p.setBrush(face);
    p.drawRect(r);
    // Tape across the carton.
    p.setPen(QPen(cream, r.height() * 0.08));
    p.drawLine(QPointF(r.center().x(), r.top()), QPointF(r.center().x(), r.top() + r.height() * 0.35));
}
} // namespace

void paintProductLogo(QPainter& p, const QRectF& area)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const qreal side = qMin(area.width(), area.height());
    const QRectF box(area.center().x() - side / 2, area.center().y() - side / 2, side, side);

    // Ring.
    p.setPen(QPen(amber, side * 0.06));
    p.setBrush(cream);
    p.drawEllipse(box.adjusted(side * 0.04, side * 0.04, -side * 0.04, -side * 0.04));

    // Three cartons: two below, one on top.
    const qreal w = side * 0.28, h = side * 0.2;
    const qreal baseY = box.top() + side * 0.62;
    const qreal cx = box.center().x() - side * 0.04;
    paintCarton(p, QRectF(cx - w - side * 0.01, baseY, w, h), deepBlue);
    paintCarton(p, QRectF(cx + side * 0.01, baseY, w, h), deepBlue.lighter(130));
    paintCarton(p, QRectF(cx - w / 2, baseY - h - side * 0.03, w, h), amber);
    p.restore();
}

TBanner::TBanner(const QString& secondLine, QWidget* parent)
    : QWidget(parent)
    , secondLine_(secondLine)
{
    setObjectName(QStringLiteral("TBanner"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize TBanner::sizeHint() const
{
    return {320, 84};
}

void TBanner::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setLayoutDirection(Qt::LeftToRight);
    QLinearGradient bg(0, 0, width(), 0);
    bg.setColorAt(0, deepBlue);
    bg.setColorAt(1, deepBlue.lighter(140));
    p.fillRect(rect(), bg);
    const qreal h = height();
    paintProductLogo(p, QRectF(8, 6, h - 12, h - 12));
    p.setPen(Qt::white);
    p.setFont(titleFont(22));
    const QRectF text(h + 4, 0, width() - h - 12, secondLine_.isEmpty() ? h : h * 0.62);
    p.drawText(text, Qt::AlignAbsolute | Qt::AlignLeft | (secondLine_.isEmpty() ? Qt::AlignVCenter : Qt::AlignBottom),
               QStringLiteral("Kordavan"));
    if (!secondLine_.isEmpty()) {
        p.setPen(amber);
        p.setFont(screenFont(10));
        p.drawText(QRectF(h + 6, h * 0.62, width() - h - 12, h * 0.38), Qt::AlignAbsolute | Qt::AlignLeft | Qt::AlignTop,
                   secondLine_);
    }
}

TLogoF::TLogoF(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("TLogoF"));
    setFixedSize(500, 300);
    setAttribute(Qt::WA_DeleteOnClose, false);
}

void TLogoF::showAndPaint()
{
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect g = screen->availableGeometry();
        move(g.center() - rect().center());
    }
    show();
    repaint();
    QApplication::processEvents();
}

void TLogoF::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setLayoutDirection(Qt::LeftToRight); // every text of the splash is English
    QLinearGradient bg(0, 0, 0, height());
    bg.setColorAt(0, deepBlue);
    bg.setColorAt(1, deepBlue.darker(170));
    p.fillRect(rect(), bg);
    p.setPen(QPen(amber, 3));
    p.drawRect(rect().adjusted(1, 1, -2, -2));

    // Logo on the left, texts on the right: the English texts read left to right.
    paintProductLogo(p, QRectF(28, 60, 180, 180));

    p.setPen(Qt::white);
    p.setFont(titleFont(19));
    const QRectF textArea(220, 90, 270, 60);
    p.drawText(textArea, Qt::AlignAbsolute | Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Kordavan Software"));
    p.setPen(amber);
    p.setFont(screenFont(11));
    p.drawText(QRectF(220, 150, 260, 30), Qt::AlignAbsolute | Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Client/Server Database Applications"));
    p.setPen(QColor(255, 255, 255, 150));
    p.setFont(screenFont(9));
    p.drawText(QRectF(220, 240, 260, 24), Qt::AlignAbsolute | Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Stock Control System - Client/Server Edition"));
}

} // namespace kv::ui
