#pragma once
// "Copy File": puts a file on the clipboard as a file, so that the user can paste it in a folder
// of the file manager.
//
//   kv::ui::TCopyFileF f(folder, "ExcelFile.xlsx", this);
//   f.exec();
//
// The clipboard gets the file's URL (text/uri-list), the GNOME file managers' form
// ("x-special/gnome-copied-files": "copy\n" + URL) and the KDE one, plus the path as text.
#include <QDialog>
#include <QString>

class QLabel;
class QMimeData;
class QPushButton;

namespace kv::ui {

class TCopyFileF : public QDialog {
    Q_OBJECT
public:
    TCopyFileF(const QString& folder, const QString& fileName, QWidget* parent = nullptr);

    QString filePath() const;
    // "نسـخ الملف   Copy File": the clipboard data, then the window closes (accepted).
    void copyFile();

    QLabel* LblFile = nullptr;
    QPushButton* BBCopy = nullptr;
    QPushButton* BBCancel = nullptr;

private:
    QString folder_, fileName_;
};

// The clipboard data of a file copy (caller owns it).
QMimeData* fileCopyMimeData(const QString& path);

} // namespace kv::ui
