#include "ui/masters/SAcct.h"

#include "db/Error.h"
#include "ui/common/EnterMovesNext.h"
#include "ui/masters/CardFlow.h"
#include "ui/common/Format.h"
#include "ui/common/MessageBox.h"
#include "ui/masters/Searches.h"
#include "ui/masters/Transfers.h"
#include "ui/tools/Printing.h"

#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

namespace kv::ui {

using core::Right;
namespace mt = masters::text;

namespace {

QString money(const core::Money& m) { return format2(m.toDecimal()); }
QString days(const core::Money& m) { return formatFixed(m.toDecimal(), 0); }

QLineEdit* lineEdit(QWidget* parent, const QString& name, int maxLength)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setMaxLength(maxLength);
    return e;
}

void narrow(QLineEdit* e, int chars)
{
    e->setMaximumWidth(e->fontMetrics().horizontalAdvance(QString(chars, QLatin1Char('0'))) + 18);
}

} // namespace

TSAcctF::TSAcctF(core::Session& session, QWidget* parent)
    : QDialog(parent)
    , s_(session)
    , repo_(session)
{
    setObjectName(QStringLiteral("TSAcctF"));
    setWindowTitle(QStringLiteral("ملـف حسابات العملاء"));
    auto* top = new QVBoxLayout(this);
    pages = new QTabWidget(this);
    pages->setObjectName(QStringLiteral("PageControl"));
    auto* card = new QWidget(pages);
    auto* list = new QWidget(pages);
    pages->addTab(card, QStringLiteral("حسابات العملاء"));
    pages->addTab(list, QStringLiteral(" سرد وطباعة"));
    top->addWidget(pages, 1);
    loadLookups();
    buildCard(card);
    buildList(list);
    EnterMovesNext::install(this);
    connect(pages, &QTabWidget::currentChanged, this, &TSAcctF::pageChanged);

    reload();
    nav_.last(); // the card opens on the last account
    setMode(Mode::Browse);
    resize(1100, 620);
}

void TSAcctF::loadLookups()
{
    try {
        mains_ = masters::MainAccountRepository(s_).list();
        items_ = masters::balanceSheetItems(s_);
        reps_ = masters::SalesmanRepository(s_).list();
    } catch (const db::DbError& e) {
        masters_ui::showDbError(this, s_, e);
    }
}

void TSAcctF::buildCard(QWidget* page)
{
    auto* layout = new QVBoxLayout(page);
    QToolBar* bar = masters_ui::commandBar(page);
    std::tie(SBInsert, SBDelete, SBEdit, SBSave, SBCancel) =
        addCardCommands(bar, this, {[this] { insertAccount(); }, [this] { deleteAccount(); }, [this] { editAccount(); },
                                    [this] { saveAccount(); }, [this] { cancelEdit(); }});
    using masters_ui::addCommand;
    SBAbout = addCommand(bar, QStringLiteral("حول البرنامج"), QStringLiteral("SBAbout"), {}, [this] { about(); });
    SBSearch = addCommand(bar, QStringLiteral("استعلام F7"), QStringLiteral("SBSearch"), QKeySequence(Qt::Key_F7),
                          [this] { searchAccount(); });
    SBAddress = addCommand(bar, QStringLiteral("العنوان F9"), QStringLiteral("SBAddress"), QKeySequence(Qt::Key_F9),
                           [this] { openAddress(); });
    SBAddress->setToolTip(QStringLiteral("بيانات العملاء F8"));
    std::tie(SBFirst, SBPrior, SBNext, SBLast) = nav_.addCommands(bar, Qt::Key_F5, Qt::Key_F6);
    layout->addWidget(bar);
    setMinimumWidth(bar->sizeHint().width() + 60); // every command stays on the bar

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    int row = 0;
    const auto field = [this](QWidget* w, const QString& column) {
        if (!column.isEmpty())
            fieldOf_.insert(column, w);
        fields_ << w;
        return w;
    };
    const auto label = [page](const QString& caption) { return masters_ui::fieldLabel(caption, page); };
    const auto withList = [&](const QString& caption, QLineEdit* box, QComboBox* list) {
        auto* h = new QHBoxLayout;
        h->addWidget(box);
        h->addWidget(list, 1);
        grid->addWidget(label(caption), row, 0);
        grid->addLayout(h, row++, 1, 1, 3);
    };
    const auto single = [&](const QString& caption, QWidget* w) {
        grid->addWidget(label(caption), row, 0);
        grid->addWidget(w, row++, 1, 1, 3);
    };
    const auto pair = [&](const QString& c1, QWidget* w1, const QString& c2, QWidget* w2) {
        grid->addWidget(label(c1), row, 0);
        grid->addWidget(w1, row, 1);
        grid->addWidget(label(c2), row, 2);
        grid->addWidget(w2, row++, 3);
    };

    // Item code of the account (copied from the main account), read only.
    DBEAcctType = lineEdit(page, QStringLiteral("DBEAcctType"), 3);
    DBEAcctType->setReadOnly(true);
    DBEAcctType->setFocusPolicy(Qt::NoFocus);
    narrow(DBEAcctType, 4);
    DBLCAcctType = new QComboBox(page);
    DBLCAcctType->setObjectName(QStringLiteral("DBLCAcctType"));
    for (const masters::BalanceSheetItem& b : items_)
        DBLCAcctType->addItem(b.NAME, b.ACCTTYPE);
    DBLCAcctType->setEnabled(false);
    DBLCAcctType->setFocusPolicy(Qt::NoFocus);
    withList(QStringLiteral("رقـــــــم الــبــنـــــــــــــد"), DBEAcctType, DBLCAcctType);

    DBEMactNo = static_cast<QLineEdit*>(field(lineEdit(page, QStringLiteral("DBEMactNo"), 5), QStringLiteral("MACTNO")));
    narrow(DBEMactNo, 5);
    DBLCMact = new QComboBox(page);
    DBLCMact->setObjectName(QStringLiteral("DBLCMact"));
    for (const masters::MainAccount& m : mains_)
        DBLCMact->addItem(m.MACTNM, m.MACTNO);
    field(DBLCMact, {});
    withList(QStringLiteral("الحساب الرئيسي للعملاء"), DBEMactNo, DBLCMact);

    DBEAcctNo = static_cast<QLineEdit*>(field(lineEdit(page, QStringLiteral("DBEAcctNo"), 9), QStringLiteral("ACCTNO")));
    narrow(DBEAcctNo, 10);
    single(QStringLiteral("رقـم حـســاب  الـعـمـيــل"), DBEAcctNo);
    DBEName = static_cast<QLineEdit*>(field(lineEdit(page, QStringLiteral("DBEName"), 40), QStringLiteral("ACCTNAME")));
    single(QStringLiteral("إســـــــم الـعــمــيـــــــــل"), DBEName);
    DBETel = static_cast<QLineEdit*>(field(lineEdit(page, QStringLiteral("DBETel"), 14), QStringLiteral("TEL")));
    DBETaxCode = static_cast<QLineEdit*>(field(lineEdit(page, QStringLiteral("DBETaxCode"), 20), QStringLiteral("TAXCODE")));
    pair(QStringLiteral("رقـــــم الــهــــــــــاتــــف"), DBETel, QStringLiteral("الرقم الضريبي"), DBETaxCode);
    DBELocat = static_cast<QLineEdit*>(field(lineEdit(page, QStringLiteral("DBELocat"), 20), QStringLiteral("LOCAT")));
    DBEAttn = static_cast<QLineEdit*>(field(lineEdit(page, QStringLiteral("DBEAttn"), 25), QStringLiteral("ATTN")));
    pair(QStringLiteral("عــنــــــوان الـعــمــيـــــل"), DBELocat, QStringLiteral("الجهة / الموظف المسئول"), DBEAttn);

    DBESalrId = static_cast<QLineEdit*>(field(lineEdit(page, QStringLiteral("DBESalrId"), 2), QStringLiteral("SALRID")));
    narrow(DBESalrId, 4);
    DBLCSalRep = new QComboBox(page);
    DBLCSalRep->setObjectName(QStringLiteral("DBLCSalRep"));
    for (const masters::Salesman& r : reps_)
        DBLCSalRep->addItem(r.NAME, r.SALRID);
    field(DBLCSalRep, {});
    withList(QStringLiteral("رقـــــم الــمــنــــــــــدوب"), DBESalrId, DBLCSalRep);

    DBECrLimit1 = static_cast<QLineEdit*>(field(lineEdit(page, QStringLiteral("DBECrLimit1"), 6), QStringLiteral("CRLIMIT1")));
    DBECrLimit2 = static_cast<QLineEdit*>(field(lineEdit(page, QStringLiteral("DBECrLimit2"), 18), QStringLiteral("CRLIMIT2")));
    pair(QStringLiteral("مهـلة سـداد فاتورة آجلة"), DBECrLimit1, QStringLiteral("أقـصى رصـــيـد مـديـــن"), DBECrLimit2);
    DBEPOBox = static_cast<QLineEdit*>(field(lineEdit(page, QStringLiteral("DBEPOBox"), 5), QStringLiteral("POBOX")));
    DBEPCode = static_cast<QLineEdit*>(field(lineEdit(page, QStringLiteral("DBEPCode"), 5), QStringLiteral("PCODE")));
    pair(QStringLiteral("صندوق البريـد"), DBEPOBox, QStringLiteral("الرمز البريـدي"), DBEPCode);
    DBENDate = static_cast<QLineEdit*>(field(lineEdit(page, QStringLiteral("DBENDate"), 10), QStringLiteral("NDATE")));
    DBENDate->setLayoutDirection(Qt::LeftToRight);
    DBENDate->setAlignment(Qt::AlignRight);

    // Status and special prices: shown here, changed from the list page.
    auto* status = new QGroupBox(QStringLiteral("حـالة الحساب"), page);
    auto* sl = new QHBoxLayout(status);
    RBActive = new QRadioButton(QStringLiteral("متحرك"), status);
    RBActive->setObjectName(QStringLiteral("RBActive"));
    RBSuspended = new QRadioButton(QStringLiteral("معطـل"), status);
    RBSuspended->setObjectName(QStringLiteral("RBSuspended"));
    sl->addWidget(RBActive);
    sl->addWidget(RBSuspended);
    status->setEnabled(false);
    auto* sprice = new QGroupBox(QStringLiteral("للعـميـل أســعار خـاصـة"), page);
    auto* pl = new QHBoxLayout(sprice);
    RBSPriceYes = new QRadioButton(QStringLiteral("نـعــم"), sprice);
    RBSPriceYes->setObjectName(QStringLiteral("RBSPriceYes"));
    RBSPriceNo = new QRadioButton(QStringLiteral("لا"), sprice);
    RBSPriceNo->setObjectName(QStringLiteral("RBSPriceNo"));
    pl->addWidget(RBSPriceYes);
    pl->addWidget(RBSPriceNo);
    sprice->setEnabled(false);
    grid->addWidget(label(QStringLiteral("بـداية الحساب")), row, 0);
    grid->addWidget(DBENDate, row, 1);
    ++row;
    auto* selectors = new QHBoxLayout;
    selectors->addWidget(status);
    selectors->addWidget(sprice);
    selectors->addStretch(1);
    grid->addLayout(selectors, row++, 0, 1, 4);
    grid->setRowStretch(row, 1);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    layout->addLayout(grid, 1);

    masters_ui::onLeave(DBEMactNo, [this] { mainAccountLeft(); });
    masters_ui::onLeave(DBEAcctNo, [this] { accountNumberLeft(); });
    connect(DBLCMact, &QComboBox::activated, this, [this](int i) {
        if (mode_ == Mode::Browse || i < 0 || i >= mains_.size())
            return;
        DBEMactNo->setText(mains_[i].MACTNO);
        mainAccountLeft();
    });
    connect(DBLCSalRep, &QComboBox::activated, this, [this](int i) {
        if (mode_ != Mode::Browse && i >= 0 && i < reps_.size())
            DBESalrId->setText(reps_[i].SALRID);
    });
    masters_ui::onLeave(DBESalrId, [this] {
        if (mode_ == Mode::Browse)
            return;
        int found = -1;
        for (int i = 0; i < reps_.size(); ++i)
            if (reps_[i].SALRID == DBESalrId->text().trimmed())
                found = i;
        DBLCSalRep->setCurrentIndex(found);
    });
}

void TSAcctF::buildList(QWidget* page)
{
    auto* layout = new QVBoxLayout(page);
    auto* choice = new QHBoxLayout;
    RBAll = new QRadioButton(QStringLiteral("  سـرد جميع الحسابات الفرعيـة"), page);
    RBAll->setObjectName(QStringLiteral("RBAll"));
    RBByMain = new QRadioButton(QStringLiteral("  سـرد حسـب الحساب االرئيسي"), page);
    RBByMain->setObjectName(QStringLiteral("RBByMain"));
    RBByMain->setChecked(true);
    DBLCListMact = new QComboBox(page);
    DBLCListMact->setObjectName(QStringLiteral("DBLCListMact"));
    DBLCListMact->setMinimumContentsLength(22);
    for (const masters::MainAccount& m : mains_)
        DBLCListMact->addItem(m.MACTNM, m.MACTNO);
    choice->addWidget(RBAll);
    choice->addSpacing(16);
    choice->addWidget(RBByMain);
    choice->addWidget(DBLCListMact, 1);
    choice->addStretch(1);
    auto* print = new QPushButton(QStringLiteral("طباعة"), page);
    print->setObjectName(QStringLiteral("BBPrint"));
    auto* suspend = new QPushButton(QStringLiteral("تعطيل الحساب"), page);
    suspend->setObjectName(QStringLiteral("BBSuspend"));
    auto* exit = new QPushButton(QStringLiteral("خروج"), page);
    exit->setObjectName(QStringLiteral("BBExit"));
    choice->addWidget(print);
    choice->addWidget(suspend);
    choice->addWidget(exit);
    layout->addLayout(choice);

    listModel_ = new masters_ui::TextTableModel({QStringLiteral("رقم الحساب"), QStringLiteral("إســم الـعـمـيـل / المـورد"),
                                                 QStringLiteral("رقم الهاتـف"), QStringLiteral("؟")},
                                                this);
    DBGList = masters_ui::listGrid(listModel_, page, QStringLiteral("DBGList"), 1);
    const int cw = DBGList->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    DBGList->setColumnWidth(0, 12 * cw);
    DBGList->setColumnWidth(1, 44 * cw);
    DBGList->setColumnWidth(2, 18 * cw);
    DBGList->setColumnWidth(3, 4 * cw + 16);
    layout->addWidget(DBGList, 1);

    connect(RBAll, &QRadioButton::toggled, this, [this] { refreshList(); });
    connect(DBLCListMact, &QComboBox::activated, this, [this] { refreshList(); });
    connect(print, &QPushButton::clicked, this, &TSAcctF::printList);
    connect(suspend, &QPushButton::clicked, this, &TSAcctF::toggleSuspension);
    connect(exit, &QPushButton::clicked, this, &TSAcctF::reject);
}

int TSAcctF::mainIndex(const QString& mactNo) const
{
    for (int i = 0; i < mains_.size(); ++i)
        if (mains_[i].MACTNO == mactNo.trimmed())
            return i;
    return -1;
}

const masters::Account* TSAcctF::currentAccount() const
{
    return shown_ ? &*shown_ : nullptr;
}

void TSAcctF::reload(const QString& positionOn)
{
    const QString keep = !positionOn.isEmpty() ? positionOn : (shown_ ? shown_->ACCTNO : QString());
    QStringList numbers;
    try {
        for (const masters::AccountListRow& r : repo_.list())
            numbers << r.ACCTNO;
    } catch (const db::DbError& e) {
        masters_ui::showDbError(this, s_, e);
    }
    nav_.setKeys(numbers, keep);
    showCurrent();
}

void TSAcctF::showCurrent()
{
    shown_.reset();
    if (nav_.position() >= 0) {
        try {
            shown_ = repo_.find(nav_.key());
        } catch (const db::DbError& e) {
            masters_ui::showDbError(this, s_, e);
        }
    }
    showAccount(shown_ ? *shown_ : masters::Account{});
    nav_.updateCommands();
}

void TSAcctF::showAccount(const masters::Account& a)
{
    DBEAcctType->setText(a.ACCTTYPE);
    int item = -1;
    for (int i = 0; i < items_.size(); ++i)
        if (items_[i].ACCTTYPE == a.ACCTTYPE)
            item = i;
    DBLCAcctType->setCurrentIndex(item);
    DBEMactNo->setText(a.MACTNO);
    DBLCMact->setCurrentIndex(mainIndex(a.MACTNO));
    DBEAcctNo->setText(a.ACCTNO);
    DBEName->setText(a.ACCTNAME);
    DBETel->setText(a.TEL);
    DBELocat->setText(a.LOCAT);
    DBETaxCode->setText(a.address.TAXCODE);
    DBEAttn->setText(a.ATTN);
    DBESalrId->setText(a.SALRID);
    int rep = -1;
    for (int i = 0; i < reps_.size(); ++i)
        if (reps_[i].SALRID == a.SALRID)
            rep = i;
    DBLCSalRep->setCurrentIndex(rep);
    DBECrLimit1->setText(days(a.CRLIMIT1));
    DBECrLimit2->setText(money(a.CRLIMIT2));
    DBEPOBox->setText(a.POBOX);
    DBEPCode->setText(a.address.PCODE);
    DBENDate->setText(formatTypedDate(a.NDATE));
    RBActive->setChecked(a.ISACTIVE == 0);
    RBSuspended->setChecked(a.ISACTIVE != 0);
    RBSPriceYes->setChecked(a.SPRICE == 0);
    RBSPriceNo->setChecked(a.SPRICE != 0);
}

void TSAcctF::setMode(Mode m)
{
    mode_ = m;
    const bool entry = m != Mode::Browse;
    for (QWidget* w : fields_)
        w->setEnabled(entry);
    // The number of an existing account never changes.
    DBEMactNo->setEnabled(m == Mode::Insert);
    DBLCMact->setEnabled(m == Mode::Insert);
    DBEAcctNo->setEnabled(m == Mode::Insert);
    DBEAcctNo->setMaxLength(m == Mode::Insert ? 4 : 9);
    DBENDate->setPlaceholderText(entry ? QStringLiteral("dd/mm/yyyy") : QString());
    enableForEntry(entry, {SBSave, SBCancel}, {SBInsert, SBDelete, SBEdit, SBSearch, SBAddress});
    pages->setTabEnabled(1, !entry);
    nav_.updateCommands();
}

void TSAcctF::focusColumn(const QString& column)
{
    if (QWidget* w = fieldOf_.value(column)) {
        pages->setCurrentIndex(0);
        w->setFocus();
    }
}

// ---- Card commands ---------------------------------------------------------------------------

void TSAcctF::insertAccount()
{
    if (mode_ != Mode::Browse || !s_.allowed(Right::T19))
        return;
    pages->setCurrentIndex(0);
    const QString mact = shown_ ? shown_->MACTNO : QString();
    loadLookups();
    try {
        pending_ = repo_.newAccount(mact);
    } catch (const db::DbError& e) {
        masters_ui::showDbError(this, s_, e);
        return;
    }
    if (shown_ && pending_->ACCTTYPE.isEmpty())
        pending_->ACCTTYPE = shown_->ACCTTYPE;
    setMode(Mode::Insert);
    showAccount(*pending_);
    DBEMactNo->setFocus();
    DBEMactNo->selectAll();
}

void TSAcctF::mainAccountLeft()
{
    if (mode_ == Mode::Browse || checking_)
        return;
    checking_ = true;
    const int i = mainIndex(DBEMactNo->text());
    if (i < 0) {
        showError(this, mt::mainAccountNotFound());
        DBLCMact->setFocus();
        checking_ = false;
        return;
    }
    DBLCMact->setCurrentIndex(i);
    if (mode_ == Mode::Insert) {
        try {
            DBEAcctNo->setText(repo_.proposeSerial(mains_[i].MACTNO));
        } catch (const db::DbError& e) {
            masters_ui::showDbError(this, s_, e);
        }
        DBEAcctType->setText(mains_[i].ACCTTYPE);
        int item = -1;
        for (int k = 0; k < items_.size(); ++k)
            if (items_[k].ACCTTYPE == mains_[i].ACCTTYPE)
                item = k;
        DBLCAcctType->setCurrentIndex(item);
    }
    checking_ = false;
}

void TSAcctF::accountNumberLeft()
{
    if (mode_ != Mode::Insert || checking_)
        return;
    checking_ = true;
    if (auto padded = masters::paddedSerial(DBEAcctNo->text())) {
        DBEAcctNo->setText(*padded);
    } else {
        showError(this, mt::badAccountNumber());
        DBEAcctNo->setFocus();
    }
    checking_ = false;
}

std::optional<masters::Account> TSAcctF::collect()
{
    masters::Account a = pending_ ? *pending_ : masters::Account{};
    const auto amount = [this](QLineEdit* e, core::Money* out) {
        const QString t = e->text().trimmed();
        if (t.isEmpty()) {
            *out = core::Money();
            return true;
        }
        if (auto m = core::Money::parse(t)) {
            *out = *m;
            return true;
        }
        showError(this, QStringLiteral("القيمة '%1' ليست رقما صحيحا").arg(t));
        e->setFocus();
        return false;
    };
    if (!amount(DBECrLimit1, &a.CRLIMIT1) || !amount(DBECrLimit2, &a.CRLIMIT2))
        return std::nullopt;
    const QString date = DBENDate->text().trimmed();
    a.NDATE = date.isEmpty() ? QDate() : parseTypedDate(date);
    if (!date.isEmpty() && !a.NDATE.isValid()) {
        showError(this, mt::badDate());
        DBENDate->setFocus();
        return std::nullopt;
    }
    a.MACTNO = DBEMactNo->text().trimmed();
    a.ACCTNAME = DBEName->text();
    a.TEL = DBETel->text();
    a.LOCAT = DBELocat->text();
    a.address.TAXCODE = DBETaxCode->text();
    a.ATTN = DBEAttn->text();
    a.SALRID = DBESalrId->text().trimmed();
    a.POBOX = DBEPOBox->text();
    a.address.PCODE = DBEPCode->text();
    return a;
}

bool TSAcctF::saveAccount()
{
    if (mode_ == Mode::Browse)
        return false;
    // Completes the field being typed, as leaving it would.
    DBETel->setFocus();
    std::optional<masters::Account> a = collect();
    if (!a)
        return false;
    bool askTransfer = false;
    try {
        if (mode_ == Mode::Insert) {
            const masters::Check c = repo_.insert(*a, DBEAcctNo->text());
            if (!c.ok()) {
                masters_ui::showCheck(this, c);
                focusColumn(c.field.isEmpty() ? QStringLiteral("ACCTNO") : c.field);
                return false;
            }
        } else {
            const masters::AccountUpdate u = repo_.update(*a);
            if (!u.ok()) {
                masters_ui::showCheck(this, u.check);
                focusColumn(u.check.field.isEmpty() ? QStringLiteral("ACCTNAME") : u.check.field);
                return false;
            }
            askTransfer = u.salesmanChanged || a->SALRID != salesmanAtEdit_;
        }
    } catch (const db::DbError& e) {
        if (e.isBusy())
            masters_ui::showDbError(this, s_, e);
        else
            showError(this, mt::accountExists());
        focusColumn(QStringLiteral("ACCTNO"));
        return false;
    }
    const QString saved = a->ACCTNO;
    pending_.reset();
    setMode(Mode::Browse);
    reload(saved);
    if (askTransfer && askYesNo(this, mt::salesmanChangedAsk())) {
        QString name;
        for (const masters::Salesman& r : reps_)
            if (r.SALRID == a->SALRID)
                name = r.NAME;
        TMovTrnF f(s_, saved, a->SALRID, name, this);
        f.exec();
        loadLookups();
        reload(saved);
    }
    return true;
}

void TSAcctF::cancelEdit()
{
    if (mode_ == Mode::Browse)
        return;
    pending_.reset();
    setMode(Mode::Browse);
    showCurrent();
}

void TSAcctF::editAccount()
{
    if (mode_ != Mode::Browse || !s_.allowed(Right::T24))
        return;
    if (!shown_) {
        showInformation(this, mt::noRecords());
        return;
    }
    pages->setCurrentIndex(0);
    pending_ = *shown_;
    salesmanAtEdit_ = shown_->SALRID;
    setMode(Mode::Edit);
    DBEName->setFocus();
    showError(this, mt::accountNumberLocked());
    DBEName->setFocus();
}

void TSAcctF::deleteAccount()
{
    if (mode_ != Mode::Browse || !s_.allowed(Right::T20))
        return;
    if (!shown_) {
        showInformation(this, mt::noRecords());
        return;
    }
    const QString acctNo = shown_->ACCTNO;
    if (masters_ui::removeCard(this, s_, [&] { return repo_.canRemove(acctNo); }, mt::confirmDeleteRecord(),
                               [&] { return repo_.remove(acctNo); }))
        reload();
}

void TSAcctF::searchAccount()
{
    if (mode_ != Mode::Browse)
        return;
    TAcSrchF search(s_, this);
    search.exec();
    if (s_.mFound) {
        reload();
        positionOn(search.chosenKey());
    }
}

void TSAcctF::openAddress()
{
    if (mode_ != Mode::Browse || !shown_)
        return;
    TAcct3F f(s_, shown_->ACCTNO, this);
    f.exec();
    showCurrent();
}

void TSAcctF::about()
{
    showInformation(this, mt::otherAccountsNeedAdmin());
}

void TSAcctF::reject()
{
    cancelEdit();
    QDialog::reject();
}

// ---- List page -------------------------------------------------------------------------------

void TSAcctF::pageChanged(int index)
{
    if (index == 1) {
        const int i = mainIndex(s_.gAType);
        if (i >= 0) {
            DBLCListMact->setCurrentIndex(i);
            RBByMain->setChecked(true);
        }
        refreshList();
        DBGList->setFocus();
    } else if (shownPage_ == 1) {
        const int row = DBGList->currentIndex().row();
        if (row >= 0 && row < listRows_.size()) {
            reload(listRows_[row].ACCTNO);
        }
    }
    shownPage_ = index;
}

void TSAcctF::showListPage()
{
    pages->setCurrentIndex(1);
}

void TSAcctF::refreshList()
{
    const QString keep = listModel_->cell(DBGList->currentIndex().row(), 0);
    try {
        if (RBAll->isChecked())
            listRows_ = repo_.list();
        else
            listRows_ = repo_.listByMainAccount(DBLCListMact->currentData().toString());
    } catch (const db::DbError& e) {
        masters_ui::showDbError(this, s_, e);
    }
    QList<QStringList> rows;
    for (const masters::AccountListRow& r : listRows_)
        rows << QStringList{r.ACCTNO, r.ACCTNAME, r.TEL, r.statusMark()};
    listModel_->setRows(rows);
    const int k = masters_ui::rowOfKey(*listModel_, keep);
    if (!rows.isEmpty())
        DBGList->setCurrentIndex(listModel_->index(k >= 0 ? k : 0, 0));
}

QStringList TSAcctF::listedAccounts() const
{
    QStringList r;
    for (const masters::AccountListRow& a : listRows_)
        r << a.ACCTNO;
    return r;
}

void TSAcctF::toggleSuspension()
{
    const int row = DBGList->currentIndex().row();
    if (!s_.isAdmin()) {
        showInformation(this, mt::adminOnly());
        return;
    }
    if (row < 0 || row >= listRows_.size())
        return;
    try {
        const masters::Check c = repo_.toggleSuspension(listRows_[row].ACCTNO);
        if (!c.ok()) {
            masters_ui::showCheck(this, c);
            return;
        }
    } catch (const db::DbError& e) {
        masters_ui::showDbError(this, s_, e);
        return;
    }
    refreshList();
}

tools::ListReport TSAcctF::listReport() const
{
    using tools::ColumnKind;
    tools::ListReport r;
    r.firmName = s_.mFirmN;
    r.address = s_.mAddrs;
    r.telephone = s_.mTelNo;
    r.userName = s_.UNM;
    r.title = QStringLiteral("قـائـمـة بأرقــام الحـســابات الـفـرعـيــة");
    r.parameters << QStringLiteral("للحـسـاب الرئيسـي رقم:  ") + tools::isolate(shown_ ? shown_->MACTNO : QString());
    r.table.columns = {{QStringLiteral("رقم الحساب"), ColumnKind::Text, 10},
                       {QStringLiteral("اســم الحـســـاب الـفـرعــي"), ColumnKind::Text, 40},
                       {QStringLiteral("رقم الهاتـف"), ColumnKind::Text, 16},
                       {QStringLiteral("حد الائتمان"), ColumnKind::Money, 12}};
    for (const masters::AccountListRow& row : masters::AccountRepository(s_).list())
        r.table.rows.push_back({row.ACCTNO, row.ACCTNAME, row.TEL, row.CRLIMIT2.toDecimal()});
    return r;
}

void TSAcctF::printList()
{
    try {
        const QString error = printOn(tools::layoutList(listReport()), QString());
        if (!error.isEmpty())
            showError(this, error);
    } catch (const db::DbError& e) {
        masters_ui::showDbError(this, s_, e);
    }
}

// ---- Address window --------------------------------------------------------------------------

TAcct3F::TAcct3F(core::Session& session, const QString& acctNo, QWidget* parent)
    : QDialog(parent)
    , s_(session)
    , acctNo_(acctNo)
{
    setObjectName(QStringLiteral("TAcct3F"));
    setWindowTitle(QStringLiteral("بيانات العملاء"));
    auto* top = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    fields = std::make_unique<AddressFields>(this, grid, 5);
    top->addLayout(grid);

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
    BBCancel = button(QStringLiteral("Ctrl+Q"), QStringLiteral("BBCancel"), QKeySequence(Qt::CTRL | Qt::Key_Q));
    buttons->addStretch(1);
    BBExit = button(QStringLiteral("Exit"), QStringLiteral("BBExit"), {});
    top->addLayout(buttons);
    connect(BBEdit, &QPushButton::clicked, this, &TAcct3F::edit);
    connect(BBSave, &QPushButton::clicked, this, &TAcct3F::save);
    connect(BBCancel, &QPushButton::clicked, this, &TAcct3F::cancelEdit);
    connect(BBExit, &QPushButton::clicked, this, &TAcct3F::reject);

    EnterMovesNext::install(this);
    try {
        account_ = masters::AccountRepository(s_).find(acctNo_);
    } catch (const db::DbError& e) {
        masters_ui::showDbError(this, s_, e);
    }
    showAddress();
    setEditing(false);
    resize(760, 420);
}

void TAcct3F::showAddress()
{
    fields->set(account_ ? account_->address : masters::AccountAddress{});
}

void TAcct3F::setEditing(bool on)
{
    editing_ = on;
    for (QLineEdit* e : fields->edits())
        e->setEnabled(on);
    BBSave->setEnabled(on);
    BBCancel->setEnabled(on);
    BBEdit->setEnabled(!on);
}

void TAcct3F::edit()
{
    if (editing_ || !s_.allowed(Right::T06) || !account_)
        return;
    setEditing(true);
    fields->BuildNo->setFocus();
}

bool TAcct3F::save()
{
    if (!editing_ || !account_)
        return false;
    const masters::AccountAddress a = fields->get();
    try {
        const masters::Check c = masters::AccountRepository(s_).updateAddress(acctNo_, a);
        if (!c.ok()) {
            masters_ui::showCheck(this, c);
            return false;
        }
    } catch (const db::DbError& e) {
        masters_ui::showDbError(this, s_, e);
        return false;
    }
    account_->address = a;
    setEditing(false);
    return true;
}

void TAcct3F::cancelEdit()
{
    if (!editing_)
        return;
    showAddress();
    setEditing(false);
}

void TAcct3F::reject()
{
    cancelEdit();
    QDialog::reject();
}

} // namespace kv::ui
