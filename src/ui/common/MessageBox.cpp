#include "ui/common/MessageBox.h"

#include "core/Messages.h"

#include <QMessageBox>
#include <QPushButton>

namespace kv::ui {

namespace {

int run(QWidget* parent, BoxKind kind, const QString& title, const QString& text)
{
    QMessageBox box(parent);
    box.setObjectName(QStringLiteral("kvMessageBox"));
    box.setWindowTitle(title);
    box.setText(text);
    box.setTextFormat(Qt::PlainText);
    switch (kind) {
    case BoxKind::Error: box.setIcon(QMessageBox::Critical); break;
    case BoxKind::Warning: box.setIcon(QMessageBox::Warning); break;
    case BoxKind::Information: box.setIcon(QMessageBox::Information); break;
    case BoxKind::Question: box.setIcon(QMessageBox::Question); break;
    }
    if (kind == BoxKind::Question) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.button(QMessageBox::Yes)->setText(yesText());
        box.button(QMessageBox::No)->setText(noText());
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
        box.button(QMessageBox::Ok)->setText(okText());
    }
    for (QAbstractButton* b : box.buttons())
        b->setIcon(QIcon()); // plain captions, as on every other button of the program
    return box.exec();
}

} // namespace

QString boxTitle(BoxKind kind)
{
    switch (kind) {
    case BoxKind::Error: return QStringLiteral("خطأ");
    case BoxKind::Warning: return QStringLiteral("تحذير");
    case BoxKind::Information: return QStringLiteral("معلومات");
    case BoxKind::Question: return QStringLiteral("تأكيد");
    }
    return {};
}

void showError(QWidget* parent, const QString& text) { run(parent, BoxKind::Error, boxTitle(BoxKind::Error), text); }
void showWarning(QWidget* parent, const QString& text) { run(parent, BoxKind::Warning, boxTitle(BoxKind::Warning), text); }
void showInformation(QWidget* parent, const QString& text)
{
    run(parent, BoxKind::Information, boxTitle(BoxKind::Information), text);
}

bool askYesNo(QWidget* parent, const QString& text)
{
    return run(parent, BoxKind::Question, boxTitle(BoxKind::Question), text) == QMessageBox::Yes;
}

void showNotAvailableYet(QWidget* parent, const QString& commandCaption)
{
    run(parent, BoxKind::Information, commandCaption.simplified(), QString::fromUtf8(core::text::notAvailableYet()));
}

} // namespace kv::ui
