#pragma once
// The modal message boxes of every screen, with Arabic buttons. Each box is an ordinary
// QMessageBox run with exec(), so a test can answer it through QApplication::activeModalWidget().
#include <QString>

class QWidget;

namespace kv::ui {

enum class BoxKind { Error, Warning, Information, Question };

void showError(QWidget* parent, const QString& text);
void showWarning(QWidget* parent, const QString& text);
void showInformation(QWidget* parent, const QString& text);
// Yes / No, Yes the default. True for Yes.
bool askYesNo(QWidget* parent, const QString& text);

// The information shown by a command whose screen is not part of the program yet; the
// box's caption names the command.
void showNotAvailableYet(QWidget* parent, const QString& commandCaption);

// Captions of the boxes and their buttons.
QString boxTitle(BoxKind kind);
inline QString okText() { return QStringLiteral("موافق"); }
inline QString yesText() { return QStringLiteral("نعم"); }
inline QString noText() { return QStringLiteral("لا"); }

} // namespace kv::ui
