#include "ui/documents/DocumentWindow.h"

#include "ui/common/MessageBox.h"
#include "ui/masters/MasterUi.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>

namespace kv::ui {

TTrnSrchF::TTrnSrchF(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TTrnSrchF"));
    setWindowTitle(QStringLiteral("   بـحــث    Search"));
    auto* l = new QVBoxLayout(this);
    EditTrNo = new QLineEdit(this);
    EditTrNo->setObjectName(QStringLiteral("EditTrNo"));
    l->addWidget(EditTrNo);
    auto* ok = new QPushButton(QStringLiteral("موافق - Ok"), this);
    ok->setObjectName(QStringLiteral("BBOk"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("إلغاء الأمر - Cancel"), this);
    cancel->setObjectName(QStringLiteral("BBCancel"));
    auto* row = new QHBoxLayout;
    row->addWidget(ok);
    row->addWidget(cancel);
    l->addLayout(row);
    connect(ok, &QPushButton::clicked, this, [this] { done(1); });
    connect(cancel, &QPushButton::clicked, this, [this] { done(2); });
}

QString TTrnSrchF::text() const { return EditTrNo->text().trimmed(); }

DocumentWindow::DocumentWindow(core::Session& session, const documents::DocumentKind& kind, QWidget* parent)
    : QDialog(parent)
    , s_(session)
    , flow_(session, kind)
{
    setLayoutDirection(Qt::RightToLeft);
    setObjectName(kind.screenClass);
    body = new QVBoxLayout(this);
    bar_ = masters_ui::commandBar(this);
    using masters_ui::addCommand;
    SBExit = addCommand(bar_, QStringLiteral("خروج"), QStringLiteral("SBExit"), {}, [this] { reject(); });
    bar_->addSeparator();
    SBInsert = addCommand(bar_, QStringLiteral("جديد Ins"), QStringLiteral("SBInsert"), QKeySequence(Qt::Key_Insert),
                          [this] { insertDocument(); });
    SBPost = addCommand(bar_, QStringLiteral("حفـظ F10"), QStringLiteral("SBPost"), QKeySequence(Qt::Key_F10),
                        [this] { postDocument(); });
    SBCancel = addCommand(bar_, QStringLiteral("إلغاء Ctrl+Q"), QStringLiteral("SBCancel"),
                          QKeySequence(Qt::CTRL | Qt::Key_Q), [this] { cancelDocument(); });
    bar_->addSeparator();
    SBFirst = addCommand(bar_, QStringLiteral("الأول"), QStringLiteral("SBFirst"), {}, [this] { flow_.first(); refresh(); });
    SBPrior = addCommand(bar_, QStringLiteral("السابق F5"), QStringLiteral("SBPrior"), QKeySequence(Qt::Key_F5),
                         [this] { flow_.prior(); refresh(); });
    SBNext = addCommand(bar_, QStringLiteral("التالي F6"), QStringLiteral("SBNext"), QKeySequence(Qt::Key_F6),
                        [this] { nextDocument(); });
    SBLast = addCommand(bar_, QStringLiteral("الأخير"), QStringLiteral("SBLast"), {}, [this] { flow_.last(); refresh(); });
    SBView = addCommand(bar_, QStringLiteral("بحث F7"), QStringLiteral("SBView"), QKeySequence(Qt::Key_F7),
                        [this] { viewDocument(); });
    bar_->addSeparator();
    SBPrint = addCommand(bar_, QStringLiteral("طباعة Ctrl+P"), QStringLiteral("SBPrint"), QKeySequence(Qt::CTRL | Qt::Key_P),
                         [this] { printDocument(); });
    if (kind.offersHold()) {
        bar_->addSeparator();
        SBSusp = addCommand(bar_, QStringLiteral("تعليق"), QStringLiteral("SBSusp"), {}, [this] { holdDocument(); });
    }
    body->addWidget(bar_);
}

void DocumentWindow::openWorkflow()
{
    flow_.open();
    setEditable(false);
    refresh();
}

void DocumentWindow::refresh()
{
    const documents::Buttons b = flow_.buttons();
    SBFirst->setEnabled(b.first);
    SBPrior->setEnabled(b.prior);
    SBNext->setEnabled(b.next);
    SBLast->setEnabled(b.last);
    SBView->setEnabled(b.view);
    SBInsert->setEnabled(b.insert);
    SBPrint->setEnabled(b.print);
    SBPost->setEnabled(b.post);
    SBCancel->setEnabled(b.cancel);
    if (SBSusp) SBSusp->setEnabled(b.hold);
    if (flow_.state() == documents::State::Browse) showDocument(flow_.shown());
}

void DocumentWindow::insertDocument()
{
    if (flow_.state() != documents::State::Browse) return;
    const documents::Reply r = flow_.insert();
    if (!r.done) {
        if (!r.message.isEmpty()) showError(this, r.message);
        return;
    }
    refresh();
    setEditable(true);
    startEntry();
}

void DocumentWindow::postDocument()
{
    if (flow_.state() != documents::State::Entry) return;
    if (!saveEntry()) return;
    setEditable(false);
    endEntry();
    refresh();
    afterSave();
}

void DocumentWindow::cancelDocument()
{
    if (flow_.state() != documents::State::Entry) return;
    flow_.cancel();
    setEditable(false);
    endEntry();
    refresh();
}

void DocumentWindow::holdDocument()
{
    if (flow_.state() != documents::State::Entry) return;
    const documents::Reply r = flow_.hold([this](db::Transaction& tr, int number) { parkEntry(tr, number); });
    if (!r.done) {
        if (!r.message.isEmpty()) showError(this, r.message);
        return;
    }
    SBSusp->setText(QStringLiteral("?"));
    setEditable(false);
    endEntry();
    refresh();
}

void DocumentWindow::nextDocument()
{
    if (flow_.state() != documents::State::Browse) return;
    beforeNext();
    flow_.next();
    refresh();
}

void DocumentWindow::viewDocument()
{
    if (flow_.state() != documents::State::Browse) return;
    TTrnSrchF prompt(this);
    prompt.exec();
    const QString typed = prompt.text();
    if (typed.isEmpty()) return;
    const documents::Reply r = flow_.view(typed);
    if (!r.done && !r.message.isEmpty()) showError(this, r.message);
    refresh();
}

void DocumentWindow::printDocument()
{
    showNotAvailableYet(this, QStringLiteral("طباعة"));
}

void DocumentWindow::reject()
{
    flow_.close();
    QDialog::reject();
}

} // namespace kv::ui
