#pragma once
// Database location dialog: where the database server and the system database are.
#include "core/TextFiles.h"
#include <QDialog>

class QFileSystemModel;
class QLineEdit;
class QListView;
class QPushButton;
class QTreeView;
class QModelIndex;

namespace kv::ui {

class TIBDbF : public QDialog {
    Q_OBJECT
public:
    // `startFolder` is the folder the browser shows first (the program's folder).
    explicit TIBDbF(const QString& startFolder, QWidget* parent = nullptr);

    // True when a database file was chosen and the dialog closed with Ok.
    bool databaseChosen() const;
    // The four AcDb.txt values as chosen: server (upper case), database file, data folder,
    // program folder.
    core::AcDbLines values() const;

    // This computer's network name as the dialog uses it: upper case, at most 15 characters.
    static QString localHostName();

public slots:
    // A database file was picked in the file list: its path and its folder go to the edits.
    void chooseFile(const QString& path);

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;

private:
    void okClicked();
    void folderChanged(const QModelIndex& index);
    void revealCurrentFolder();

    QLineEdit* EdtServer = nullptr;
    QLineEdit* edtDatabase = nullptr;
    QLineEdit* EdtDataDir = nullptr;
    QLineEdit* EdtAppDir = nullptr;
    QTreeView* folderList = nullptr;
    QListView* fileList = nullptr;
    QFileSystemModel* folders = nullptr;
    QFileSystemModel* files = nullptr;
    QPushButton* BBOk = nullptr;
    QString startFolder_;
    bool shownOnce_ = false;
    bool revealing_ = true;
};

} // namespace kv::ui
