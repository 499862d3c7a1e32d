#include "ui/common/Look.h"

#include <QApplication>

namespace kv::ui {

QFont screenFont(qreal pointSize)
{
    QFont f(QStringLiteral("Noto Sans Arabic"));
    f.setFamilies({QStringLiteral("Noto Sans Arabic"), QStringLiteral("Noto Sans"),
                   QStringLiteral("DejaVu Sans")});
    f.setPointSizeF(pointSize);
    f.setStyleHint(QFont::SansSerif);
    return f;
}

QFont titleFont(qreal pointSize, int weight)
{
    QFont f = screenFont(pointSize);
    f.setWeight(QFont::Weight(weight));
    return f;
}

void applyApplicationLook(QApplication& app)
{
    QApplication::setApplicationName(QStringLiteral("Kordavan Stock Control"));
    // The display name is left unset on purpose: the X11 platform would append it to every
    // window caption, and the captions are fixed texts.
    QApplication::setLayoutDirection(Qt::RightToLeft);
    QApplication::setFont(screenFont());
    Q_UNUSED(app);
}

} // namespace kv::ui
