#pragma once
// A label that acts as a button when clicked (the year caption of the main window).
#include <QLabel>

namespace kv::ui {

class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickableLabel(const QString& text, QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace kv::ui
