#include "ui/masters/Transfers.h"

#include "db/Error.h"
#include "masters/Accounts.h"
#include "ui/common/EnterMovesNext.h"
#include "ui/common/Format.h"
#include "ui/common/MessageBox.h"
#include "ui/masters/MasterUi.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kv::ui {

namespace mt = masters::text;

TMovCustF::TMovCustF(core::Session& session, QWidget* parent)
    : QDialog(parent)
    , s_(session)
{
    setObjectName(QStringLiteral("TMovCustF"));
    setWindowTitle(QStringLiteral("تحويل عملاء مندوب إلى مندوب آخر"));
    try {
        reps_ = masters::SalesmanRepository(session).list();
    } catch (const db::DbError& e) {
        masters_ui::showDbError(this, s_, e);
    }

    auto* top = new QVBoxLayout(this);
    fields_ = new QWidget(this);
    auto* grid = new QGridLayout(fields_);
    const auto numberBox = [this](const QString& name) {
        auto* e = new QLineEdit(fields_);
        e->setObjectName(name);
        e->setMaxLength(2);
        e->setMaximumWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16);
        return e;
    };
    const auto namesList = [this](const QString& name) {
        auto* c = new QComboBox(fields_);
        c->setObjectName(name);
        c->setMinimumContentsLength(22);
        for (const masters::Salesman& r : reps_)
            c->addItem(r.NAME, r.SALRID);
        c->setCurrentIndex(-1);
        return c;
    };
    EdtFrom = numberBox(QStringLiteral("EdtFrom"));
    DBLCFrom = namesList(QStringLiteral("DBLCFrom"));
    EdtTo = numberBox(QStringLiteral("EdtTo"));
    DBLCTo = namesList(QStringLiteral("DBLCTo"));
    grid->addWidget(new QLabel(QStringLiteral("تحويل عملاء المندوب رقم"), fields_), 0, 0);
    grid->addWidget(EdtFrom, 0, 1);
    grid->addWidget(DBLCFrom, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("إلى المـنــــــــــدوب رقــم"), fields_), 1, 0);
    grid->addWidget(EdtTo, 1, 1);
    grid->addWidget(DBLCTo, 1, 2);
    grid->setColumnStretch(2, 1);
    top->addWidget(fields_);
    auto* note = new QLabel(mt::transferNote(), this);
    note->setWordWrap(true);
    top->addWidget(note);

    auto* buttons = new QHBoxLayout;
    const auto button = [this, buttons](const QString& caption, const QString& name, const QKeySequence& key) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        if (!key.isEmpty())
            b->setShortcut(key);
        buttons->addWidget(b);
        return b;
    };
    BBEdit = button(QStringLiteral("تعديل F3"), QStringLiteral("BBEdit"), QKeySequence(Qt::Key_F3));
    BBSave = button(QStringLiteral("حفـظ F10"), QStringLiteral("BBSave"), QKeySequence(Qt::Key_F10));
    BBCancel = button(QStringLiteral("إلغاء التعديل Ctrl+Q"), QStringLiteral("BBCancel"), QKeySequence(Qt::CTRL | Qt::Key_Q));
    buttons->addStretch(1);
    BBExit = button(QStringLiteral("خروج"), QStringLiteral("BBExit"), {});
    top->addLayout(buttons);

    connect(BBEdit, &QPushButton::clicked, this, &TMovCustF::edit);
    connect(BBSave, &QPushButton::clicked, this, &TMovCustF::save);
    connect(BBCancel, &QPushButton::clicked, this, &TMovCustF::cancelEdit);
    connect(BBExit, &QPushButton::clicked, this, &TMovCustF::reject);
    connect(EdtFrom, &QLineEdit::editingFinished, this, [this] { numberLeft(EdtFrom, DBLCFrom); });
    connect(EdtTo, &QLineEdit::editingFinished, this, [this] { numberLeft(EdtTo, DBLCTo); });
    connect(DBLCFrom, &QComboBox::activated, this, [this](int i) { EdtFrom->setText(DBLCFrom->itemData(i).toString()); });
    connect(DBLCTo, &QComboBox::activated, this, [this](int i) { EdtTo->setText(DBLCTo->itemData(i).toString()); });

    EnterMovesNext::install(this);
    setEditing(false);
    resize(560, 220);
}

void TMovCustF::setEditing(bool on)
{
    editing_ = on;
    fields_->setEnabled(on);
    BBSave->setEnabled(on);
    BBCancel->setEnabled(on);
    BBEdit->setEnabled(!on);
}

int TMovCustF::indexOf(const QString& salrId) const
{
    for (int i = 0; i < reps_.size(); ++i)
        if (reps_[i].SALRID == salrId.trimmed())
            return i;
    return -1;
}

void TMovCustF::numberLeft(QLineEdit* box, QComboBox* list)
{
    if (!editing_ || checking_)
        return;
    checking_ = true;
    const int i = indexOf(box->text());
    if (i >= 0) {
        list->setCurrentIndex(i);
    } else {
        showError(this, mt::salesmanNotFoundDot());
        list->setFocus();
    }
    checking_ = false;
}

void TMovCustF::edit()
{
    if (editing_)
        return;
    try {
        if (masters::AccountRepository(s_).lastAccountNo().isEmpty())
            return;
    } catch (const db::DbError& e) {
        masters_ui::showDbError(this, s_, e);
        return;
    }
    setEditing(true);
    EdtFrom->setFocus();
}

bool TMovCustF::save()
{
    if (!editing_)
        return false;
    const QString from = EdtFrom->text().trimmed();
    const QString to = EdtTo->text().trimmed();
    if (indexOf(from) < 0) {
        showError(this, mt::firstSalesmanNotFound());
        DBLCFrom->setFocus();
        return false;
    }
    if (indexOf(to) < 0) {
        showError(this, mt::secondSalesmanNotFound());
        DBLCTo->setFocus();
        return false;
    }
    if (from == to) {
        showError(this, mt::sameSalesman());
        return false;
    }
    if (!askYesNo(this, mt::confirmTransfer()))
        return false;
    try {
        const masters::TransferResult r = masters::SalesmanRepository(s_).transferCustomers(from, to);
        if (!r.ok()) {
            masters_ui::showCheck(this, r.check);
            return false;
        }
    } catch (const db::DbError& e) {
        masters_ui::showDbError(this, s_, e);
        return false;
    }
    setEditing(false);
    return true;
}

void TMovCustF::cancelEdit()
{
    setEditing(false);
}

// ---------------------------------------------------------------------------------------------

TMovTrnF::TMovTrnF(core::Session& session, const QString& acctNo, const QString& salrId, const QString& salesmanName,
                   QWidget* parent)
    : QDialog(parent)
    , s_(session)
    , acctNo_(acctNo)
    , salrId_(salrId)
{
    setObjectName(QStringLiteral("TMovTrnF"));
    setWindowTitle(QStringLiteral("تحويل معاملات مندوب من تاريخ محدد"));
    auto* top = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    auto* number = new QLineEdit(salrId, this);
    number->setObjectName(QStringLiteral("EdtSalrId"));
    number->setReadOnly(true);
    number->setFocusPolicy(Qt::NoFocus);
    auto* name = new QLineEdit(salesmanName, this);
    name->setObjectName(QStringLiteral("EdtSalName"));
    name->setReadOnly(true);
    name->setFocusPolicy(Qt::NoFocus);
    EdtDate = new QLineEdit(this);
    EdtDate->setObjectName(QStringLiteral("EdtDate"));
    EdtDate->setMaxLength(10);
    EdtDate->setPlaceholderText(QStringLiteral("dd/mm/yyyy"));
    EdtDate->setLayoutDirection(Qt::LeftToRight);
    EdtDate->setFixedWidth(EdtDate->fontMetrics().horizontalAdvance(QStringLiteral("dd/mm/yyyy00")) + 24);
    number->setFixedWidth(EdtDate->width());
    grid->addWidget(new QLabel(QStringLiteral("تحويل معاملات المندوب رقم"), this), 0, 0);
    grid->addWidget(number, 0, 1);
    grid->addWidget(name, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("إبــتـــــداء مــــن يـــــــــــــوم"), this), 1, 0);
    grid->addWidget(EdtDate, 1, 1);
    grid->setColumnStretch(2, 1);
    top->addLayout(grid);
    auto* buttons = new QHBoxLayout;
    BBOk = new QPushButton(QStringLiteral("&مـوافـق"), this);
    BBOk->setObjectName(QStringLiteral("BBOk"));
    BBCancel = new QPushButton(QStringLiteral("إل&غاء الأمـر"), this);
    BBCancel->setObjectName(QStringLiteral("BBCancel"));
    buttons->addStretch(1);
    buttons->addWidget(BBOk);
    buttons->addWidget(BBCancel);
    top->addLayout(buttons);
    connect(BBOk, &QPushButton::clicked, this, &TMovTrnF::transfer);
    connect(BBCancel, &QPushButton::clicked, this, &TMovTrnF::reject);
    EnterMovesNext::install(this);
    EdtDate->setFocus();
    resize(520, 150);
}

bool TMovTrnF::transfer()
{
    const QDate from = parseTypedDate(EdtDate->text());
    if (!from.isValid()) {
        showError(this, mt::badDate());
        EdtDate->setFocus();
        return false;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    masters::Check c;
    bool failed = false;
    try {
        c = masters::SalesmanRepository(s_).transferTransactions(acctNo_, salrId_, from);
    } catch (const db::DbError&) {
        failed = true;
    }
    QApplication::restoreOverrideCursor();
    if (failed) {
        showError(this, mt::transferFailed());
        reject();
        return false;
    }
    if (!c.ok()) {
        masters_ui::showCheck(this, c);
        EdtDate->setFocus();
        return false;
    }
    accept();
    return true;
}

} // namespace kv::ui
