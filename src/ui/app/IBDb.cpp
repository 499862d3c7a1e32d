#include "ui/app/IBDb.h"

#include "ui/common/MessageBox.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QSysInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

namespace kv::ui {

namespace {
const QStringList databaseFilters = {QStringLiteral("*.fdb"), QStringLiteral("*.gdb")};

QLineEdit* readOnlyEdit(QWidget* parent)
{
    auto* e = new QLineEdit(parent);
    e->setReadOnly(true);
    return e;
}
} // namespace

QString TIBDbF::localHostName()
{
    // gethostname(), the same name QHostInfo::localHostName() gives, without the network module.
    return QSysInfo::machineHostName().left(15).toUpper();
}

TIBDbF::TIBDbF(const QString& startFolder, QWidget* parent)
    : QDialog(parent)
    , startFolder_(QDir::cleanPath(startFolder))
{
    setObjectName(QStringLiteral("TIBDbF"));
    setWindowTitle(QStringLiteral("Interbase Database Location"));
    // Every caption and path of this dialog is English / Latin: it reads left to right.
    setLayoutDirection(Qt::LeftToRight);

    auto* top = new QVBoxLayout(this);

    auto* serverRow = new QHBoxLayout;
    serverRow->addWidget(new QLabel(QStringLiteral("Server/Computer Name"), this));
    EdtServer = new QLineEdit(this);
    EdtServer->setObjectName(QStringLiteral("EdtServer"));
    connect(EdtServer, &QLineEdit::textEdited, this, [this](const QString& t) {
        const QString upper = t.toUpper();
        if (upper != t) {
            const int pos = EdtServer->cursorPosition();
            EdtServer->setText(upper);
            EdtServer->setCursorPosition(pos);
        }
    });
    serverRow->addWidget(EdtServer, 1);
    auto* BBHost = new QPushButton(QStringLiteral("&Get Local Host"), this);
    BBHost->setObjectName(QStringLiteral("BBHost"));
    BBHost->setAutoDefault(false);
    connect(BBHost, &QPushButton::clicked, this, [this] { EdtServer->setText(localHostName()); });
    serverRow->addWidget(BBHost);
    top->addLayout(serverRow);

    // Folder list and file list. There is no drive list: the file system has one root.
    auto* browser = new QHBoxLayout;
    folders = new QFileSystemModel(this);
    folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    folders->setRootPath(QDir::rootPath());
    folderList = new QTreeView(this);
    folderList->setObjectName(QStringLiteral("folderList"));
    folderList->setModel(folders);
    for (int c = 1; c < folders->columnCount(); ++c)
        folderList->hideColumn(c);
    folderList->header()->hide();
    folderList->setMinimumSize(260, 220);
    browser->addWidget(folderList, 1);

    auto* fileBox = new QVBoxLayout;
    files = new QFileSystemModel(this);
    files->setFilter(QDir::Files);
    files->setNameFilters(databaseFilters);
    files->setNameFilterDisables(false);
    fileList = new QListView(this);
    fileList->setObjectName(QStringLiteral("fileList"));
    fileList->setModel(files);
    fileList->setMinimumWidth(200);
    fileBox->addWidget(fileList, 1);
    auto* filter = new QLineEdit(QStringLiteral("*.fdb;*.gdb"), this);
    filter->setReadOnly(true);
    filter->setFocusPolicy(Qt::NoFocus);
    fileBox->addWidget(filter);
    browser->addLayout(fileBox, 1);
    top->addLayout(browser, 1);

    connect(folderList->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { folderChanged(current); });
    connect(fileList->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    chooseFile(files->filePath(current));
            });

    auto* form = new QFormLayout;
    edtDatabase = readOnlyEdit(this);
    edtDatabase->setObjectName(QStringLiteral("edtDatabase"));
    EdtDataDir = readOnlyEdit(this);
    EdtDataDir->setObjectName(QStringLiteral("EdtDataDir"));
    EdtAppDir = readOnlyEdit(this);
    EdtAppDir->setObjectName(QStringLiteral("EdtAppDir"));
    form->addRow(QStringLiteral("Main.gdb Database File"), edtDatabase);
    form->addRow(QStringLiteral("Data Directory"), EdtDataDir);
    form->addRow(QStringLiteral("Application Directory"), EdtAppDir);
    top->addLayout(form);

    auto* note = new QFrame(this);
    note->setFrameShape(QFrame::StyledPanel);
    auto* noteLayout = new QVBoxLayout(note);
    auto* important = new QLabel(QStringLiteral("IMPORTANT:"), note);
    QFont bold = important->font();
    bold.setBold(true);
    important->setFont(bold);
    important->setStyleSheet(QStringLiteral("color: #b00000;"));
    noteLayout->addWidget(important);
    noteLayout->addWidget(new QLabel(QStringLiteral("Use Appsolute Path on Server Computer; eg [D:\\Apps,  NOT  \\\\server\\Apps]"), note));
    top->addWidget(note);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    BBOk = new QPushButton(QStringLiteral("&Ok"), this);
    BBOk->setObjectName(QStringLiteral("BBOk"));
    BBOk->setDefault(true);
    connect(BBOk, &QPushButton::clicked, this, &TIBDbF::okClicked);
    auto* BBCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    BBCancel->setObjectName(QStringLiteral("BBCancel"));
    BBCancel->setAutoDefault(false);
    connect(BBCancel, &QPushButton::clicked, this, &TIBDbF::reject);
    buttons->addWidget(BBOk);
    buttons->addWidget(BBCancel);
    top->addLayout(buttons);

    const QModelIndex start = folders->index(startFolder_);
    if (start.isValid()) {
        folderList->setCurrentIndex(start);
        folderList->expand(start);
        // The model reads and sorts folders in the background: keep the start folder in view
        // while it does, until the user picks a folder.
        const auto reveal = [this] {
            if (revealing_)
                QTimer::singleShot(0, this, &TIBDbF::revealCurrentFolder);
        };
        connect(folders, &QFileSystemModel::directoryLoaded, this, reveal);
        connect(folders, &QFileSystemModel::layoutChanged, this, reveal);
        connect(folderList, &QTreeView::pressed, this, [this] { revealing_ = false; });
    }
    folderChanged(start);
    resize(640, 520);
}

void TIBDbF::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (shownOnce_)
        return;
    shownOnce_ = true;
    EdtServer->setText(localHostName());
    const QModelIndex current = folderList->currentIndex();
    EdtAppDir->setText(QDir::toNativeSeparators(current.isValid() ? folders->filePath(current) : startFolder_));
    revealCurrentFolder();
}

void TIBDbF::revealCurrentFolder()
{
    const QModelIndex current = folderList->currentIndex();
    for (QModelIndex p = current.parent(); p.isValid(); p = p.parent())
        folderList->expand(p);
    folderList->scrollTo(current, QAbstractItemView::PositionAtCenter);
}

void TIBDbF::folderChanged(const QModelIndex& index)
{
    const QString path = index.isValid() ? folders->filePath(index) : startFolder_;
    fileList->setRootIndex(files->setRootPath(path));
}

void TIBDbF::chooseFile(const QString& path)
{
    const QFileInfo info(path);
    edtDatabase->setText(QDir::toNativeSeparators(path));
    // The folder part as written, so a server-side path keeps its own separators.
    const QString native = QDir::toNativeSeparators(path);
    const int cut = qMax(native.lastIndexOf(QLatin1Char('\\')), native.lastIndexOf(QLatin1Char('/')));
    EdtDataDir->setText(cut > 0 ? native.left(cut) : QDir::toNativeSeparators(info.absolutePath()));
}

void TIBDbF::okClicked()
{
    const auto startsWithBackslash = [](const QLineEdit* e) { return e->text().startsWith(QLatin1Char('\\')); };
    if (startsWithBackslash(edtDatabase) || startsWithBackslash(EdtDataDir) || startsWithBackslash(EdtAppDir)) {
        showError(this, QStringLiteral("Invalid directory"));
        return;
    }
    accept();
}

void TIBDbF::reject()
{
    edtDatabase->clear();
    QDialog::reject();
}

bool TIBDbF::databaseChosen() const
{
    return result() == QDialog::Accepted && !edtDatabase->text().isEmpty();
}

core::AcDbLines TIBDbF::values() const
{
    core::AcDbLines v;
    v.mServer = EdtServer->text().toUpper();
    v.mIBMain = edtDatabase->text();
    v.mIBPath = EdtDataDir->text();
    v.mAppDir = EdtAppDir->text();
    return v;
}

} // namespace kv::ui
