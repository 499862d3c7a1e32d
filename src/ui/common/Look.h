#pragma once
// The look shared by every screen: right-to-left layout and an Arabic screen font.
#include <QFont>

class QApplication;
class QWidget;

namespace kv::ui {

// Application name and title, right-to-left layout and the screen font for the whole program.
void applyApplicationLook(QApplication& app);

// The screen font: Noto Sans Arabic at the given point size (fontconfig substitutes
// DejaVu Sans when the Noto font is not installed).
QFont screenFont(qreal pointSize = 10);
// A bolder, larger variant of the screen font for titles and banners.
QFont titleFont(qreal pointSize, int weight = QFont::Bold);

} // namespace kv::ui
