#include "ui/tools/CopyFile.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace kv::ui {

QMimeData* fileCopyMimeData(const QString& path)
{
    auto* data = new QMimeData;
    const QUrl url = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    data->setUrls({url});
    const QByteArray encoded = url.toEncoded();
    // GNOME-based file managers (Nautilus, Nemo, Caja) paste a copy from this form.
    data->setData(QStringLiteral("x-special/gnome-copied-files"), QByteArray("copy\n") + encoded);
    // Dolphin: the same URL list, marked as a copy rather than a cut.
    data->setData(QStringLiteral("application/x-kde-cutselection"), QByteArray("0"));
    data->setText(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()));
    return data;
}

TCopyFileF::TCopyFileF(const QString& folder, const QString& fileName, QWidget* parent)
    : QDialog(parent), folder_(folder), fileName_(fileName)
{
    setObjectName(QStringLiteral("TCopyFileF"));
    setWindowTitle(QStringLiteral("Copy File"));
    setLayoutDirection(Qt::RightToLeft);

    auto* top = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    auto* cap = new QLabel(QStringLiteral("File Name       إسـم المـلـف"), this);
    LblFile = new QLabel(QDir::toNativeSeparators(filePath()), this);
    LblFile->setObjectName(QStringLiteral("LblFile"));
    LblFile->setLayoutDirection(Qt::LeftToRight);
    LblFile->setTextInteractionFlags(Qt::TextSelectableByMouse);
    LblFile->setFrameShape(QFrame::StyledPanel);
    grid->addWidget(cap, 0, 0);
    grid->addWidget(LblFile, 1, 0);
    top->addLayout(grid);
    auto* hint = new QLabel(QStringLiteral(" Paste file after copy                   إلصق الملف بعد نسخة"), this);
    top->addWidget(hint);

    auto* buttons = new QHBoxLayout;
    BBCopy = new QPushButton(QStringLiteral("نسـخ الملف   Copy File"), this);
    BBCopy->setObjectName(QStringLiteral("BBCopy"));
    BBCancel = new QPushButton(QStringLiteral("  إلغاء الأمر    Cancel"), this);
    BBCancel->setObjectName(QStringLiteral("BBCancel"));
    BBCopy->setDefault(true);
    buttons->addStretch();
    buttons->addWidget(BBCopy);
    buttons->addWidget(BBCancel);
    top->addLayout(buttons);
    connect(BBCopy, &QPushButton::clicked, this, &TCopyFileF::copyFile);
    connect(BBCancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString TCopyFileF::filePath() const
{
    return QDir(folder_).filePath(fileName_);
}

void TCopyFileF::copyFile()
{
    QApplication::clipboard()->setMimeData(fileCopyMimeData(filePath()));
    accept();
}

} // namespace kv::ui
