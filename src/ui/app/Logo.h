#pragma once
// The splash window and the product logo.
#include <QWidget>

class QPainter;
class QRectF;

namespace kv::ui {

// The product logo: a stack of three cartons inside a ring, drawn to fit `area`.
void paintProductLogo(QPainter& p, const QRectF& area);

// The product banner: the logo and "Kordavan" (and an optional second line) on a dark band.
class TBanner : public QWidget {
    Q_OBJECT
public:
    explicit TBanner(const QString& secondLine = {}, QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString secondLine_;
};

// Splash window shown while the program starts: borderless, 500 x 300, centred on the screen.
class TLogoF : public QWidget {
    Q_OBJECT
public:
    explicit TLogoF(QWidget* parent = nullptr);

    // Shows the window centred and paints it at once (the start-up runs before the event loop).
    void showAndPaint();

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace kv::ui
