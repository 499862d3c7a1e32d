#include "ui/masters/Chart.h"

#include "db/Error.h"
#include "ui/common/EnterMovesNext.h"
#include "ui/common/MessageBox.h"
#include "ui/masters/CardFlow.h"

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
#include <QToolButton>
#include <QVBoxLayout>

namespace kv::ui {

using masters::ItemCategory;
namespace mt = masters::text;

namespace {
const ItemCategory categoryOrder[] = {ItemCategory::None, ItemCategory::BalanceSheet, ItemCategory::Trading,
                                      ItemCategory::ProfitLoss};
} // namespace

TChartF::TChartF(core::Session& session, QWidget* parent)
    : QDialog(parent)
    , s_(session)
    , repo_(session)
{
    setObjectName(QStringLiteral("TChartF"));
    setWindowTitle(QStringLiteral("ملـف الحسابات الرئيسـيـة"));
    try {
        items_ = masters::balanceSheetItems(session);
    } catch (const db::DbError& e) {
        masters_ui::showDbError(this, s_, e);
    }
    auto* top = new QVBoxLayout(this);
    pages = new QTabWidget(this);
    pages->setObjectName(QStringLiteral("PageControl"));
    auto* card = new QWidget(pages);
    auto* list = new QWidget(pages);
    pages->addTab(card, QStringLiteral("الحسابات الرئيسـية"));
    pages->addTab(list, QStringLiteral(" سرد وطباعة"));
    top->addWidget(pages, 1);

    auto* cl = new QVBoxLayout(card);
    QToolBar* bar = masters_ui::commandBar(card);
    std::tie(SBInsert, SBDelete, SBEdit, SBSave, SBCancel) =
        addCardCommands(bar, this, {[this] { insertMain(); }, [this] { deleteMain(); }, [this] { editMain(); },
                                    [this] { saveMain(); }, [this] { cancelEdit(); }});
    std::tie(SBFirst, SBPrior, SBNext, SBLast) = nav_.addCommands(bar, Qt::Key_F6, Qt::Key_F5);
    cl->addWidget(bar);
    setMinimumWidth(bar->sizeHint().width() + 60); // every command stays on the bar

    auto* grid = new QGridLayout;
    DBEMactNo = new QLineEdit(card);
    DBEMactNo->setObjectName(QStringLiteral("DBEMactNo"));
    DBEMactNo->setMaxLength(5);
    DBEMactNo->setMaximumWidth(DBEMactNo->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 16);
    DBEMactNm = new QLineEdit(card);
    DBEMactNm->setObjectName(QStringLiteral("DBEMactNm"));
    DBEMactNm->setMaxLength(40);
    DBEAcctType = new QLineEdit(card);
    DBEAcctType->setObjectName(QStringLiteral("DBEAcctType"));
    DBEAcctType->setMaxLength(3);
    DBEAcctType->setReadOnly(true);
    DBEAcctType->setFocusPolicy(Qt::NoFocus);
    DBEAcctType->setMaximumWidth(DBEAcctType->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16);
    auto* hint = new QToolButton(card);
    hint->setObjectName(QStringLiteral("SBHint"));
    hint->setText(QStringLiteral("؟"));
    hint->setToolTip(QStringLiteral("تحديد رقم البند الإفتراضي للحساب الرئيسي يساعد في إعداد الحسابات الفرعية"));
    hint->setFocusPolicy(Qt::NoFocus);
    DBLCItem = new QComboBox(card);
    DBLCItem->setObjectName(QStringLiteral("DBLCItem"));
    DBLCItem->setMinimumContentsLength(24);
    for (const masters::BalanceSheetItem& b : items_)
        DBLCItem->addItem(b.NAME, b.ACCTTYPE);

    auto* category = new QGroupBox(card);
    category->setObjectName(QStringLiteral("RGCategory"));
    auto* catLayout = new QVBoxLayout(category);
    categories_ = new QButtonGroup(this);
    int id = 0;
    for (ItemCategory c : categoryOrder) {
        auto* rb = new QRadioButton(c == ItemCategory::None ? QStringLiteral(".") : masters::categoryCaption(c), category);
        rb->setObjectName(QStringLiteral("RBCategory%1").arg(id));
        categories_->addButton(rb, id++);
        catLayout->addWidget(rb);
        RGCategory << rb;
    }

    int row = 0;
    grid->addWidget(new QLabel(QStringLiteral("رقـم الحـسـاب الرئيسي"), card), row, 0);
    grid->addWidget(DBEMactNo, row++, 1, Qt::AlignLeading);
    grid->addWidget(new QLabel(QStringLiteral("إسـم الحـسـاب الرئيسي"), card), row, 0);
    grid->addWidget(DBEMactNm, row++, 1, 1, 2);
    {
        auto* h = new QHBoxLayout;
        h->addWidget(DBEAcctType);
        h->addWidget(hint);
        h->addStretch(1);
        grid->addWidget(new QLabel(QStringLiteral("رقـم البـنــد الافتراضي"), card), row, 0);
        grid->addLayout(h, row++, 1);
    }
    grid->addWidget(new QLabel(QStringLiteral("إســم البنـد بالميزانـيــة"), card), row, 0);
    grid->addWidget(DBLCItem, row++, 1, 1, 2);
    grid->addWidget(category, 0, 3, row, 1);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(row, 1);
    cl->addLayout(grid, 1);

    auto* ll = new QVBoxLayout(list);
    listModel_ = new masters_ui::TextTableModel(
        {QStringLiteral("الرقـم"), QStringLiteral("اسـم الحساب الرئيسـي"), QStringLiteral("بند إفتراضي")}, this);
    DBGList = masters_ui::listGrid(listModel_, list, QStringLiteral("DBGList"), 1);
    DBGList->setColumnWidth(1, DBGList->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 26);
    ll->addWidget(DBGList, 1);
    auto* buttons = new QHBoxLayout;
    auto* print = new QPushButton(QStringLiteral("طباعة"), list); // prints nothing
    print->setObjectName(QStringLiteral("BBPrint"));
    auto* exit = new QPushButton(QStringLiteral("خروج"), list);
    exit->setObjectName(QStringLiteral("BBExit"));
    buttons->addStretch(1);
    buttons->addWidget(print);
    buttons->addWidget(exit);
    ll->addLayout(buttons);
    connect(exit, &QPushButton::clicked, this, &TChartF::reject);
    connect(pages, &QTabWidget::currentChanged, this, [this](int p) {
        if (p == 1) {
            DBGList->setFocus();
        } else {
            nav_.showRow(DBGList->currentIndex().row());
        }
    });

    connect(categories_, &QButtonGroup::idClicked, this, [this](int i) { chooseCategory(categoryOrder[i]); });
    connect(DBLCItem, &QComboBox::activated, this, &TChartF::chooseItem);

    EnterMovesNext::install(this);
    reload();
    setMode(Mode::Browse);
    resize(720, 380);
}

const masters::MainAccount* TChartF::currentMain() const
{
    const int i = nav_.position();
    return i >= 0 && i < mains_.size() ? &mains_[i] : nullptr;
}

void TChartF::reload(const QString& positionOn)
{
    const QString keep = !positionOn.isEmpty() ? positionOn : (currentMain() ? currentMain()->MACTNO : QString());
    try {
        mains_ = repo_.list();
    } catch (const db::DbError& e) {
        masters_ui::showDbError(this, s_, e);
    }
    QStringList keys;
    QList<QStringList> rows;
    for (const masters::MainAccount& m : mains_) {
        keys << m.MACTNO;
        rows << QStringList{m.MACTNO, m.MACTNM, m.ACCTTYPE};
    }
    nav_.setKeys(keys, keep);
    listModel_->setRows(rows);
    showCurrent();
}

void TChartF::selectItem(const QString& acctType)
{
    int item = -1;
    for (int i = 0; i < items_.size(); ++i)
        if (items_[i].ACCTTYPE == acctType)
            item = i;
    DBLCItem->setCurrentIndex(item);
}

void TChartF::setCategory(ItemCategory c)
{
    for (int i = 0; i < 4; ++i)
        if (categoryOrder[i] == c)
            RGCategory[i]->setChecked(true);
}

ItemCategory TChartF::category() const
{
    const int id = categories_->checkedId();
    return id >= 0 ? categoryOrder[id] : ItemCategory::None;
}

void TChartF::showMain(const masters::MainAccount& m)
{
    DBEMactNo->setText(m.MACTNO);
    DBEMactNm->setText(m.MACTNM);
    DBEAcctType->setText(m.ACCTTYPE);
    selectItem(m.ACCTTYPE);
    setCategory(masters::categoryOf(m.ACCTTYPE));
}

void TChartF::showCurrent()
{
    showMain(currentMain() ? *currentMain() : masters::MainAccount{});
    if (nav_.position() >= 0)
        DBGList->setCurrentIndex(listModel_->index(nav_.position(), 0));
    nav_.updateCommands();
}

void TChartF::setMode(Mode m)
{
    mode_ = m;
    const bool entry = m != Mode::Browse;
    DBEMactNo->setEnabled(entry);
    DBEMactNo->setReadOnly(false);
    DBEMactNm->setEnabled(entry);
    DBLCItem->setEnabled(entry);
    for (QRadioButton* rb : RGCategory)
        rb->setEnabled(entry);
    enableForEntry(entry, {SBSave, SBCancel}, {SBInsert, SBDelete, SBEdit});
    pages->setTabEnabled(1, !entry);
    nav_.updateCommands();
}

void TChartF::chooseCategory(ItemCategory c)
{
    if (mode_ == Mode::Browse)
        return;
    const QString chosen = DBLCItem->currentData().toString();
    const QString item = masters::itemForCategory(c, chosen);
    DBEAcctType->setText(item);
    if (c != ItemCategory::BalanceSheet)
        selectItem(item);
    setCategory(c);
}

void TChartF::chooseItem(int index)
{
    if (mode_ == Mode::Browse || index < 0 || index >= items_.size())
        return;
    // The drop-down writes the item; the category follows it.
    const QString code = items_[index].ACCTTYPE;
    DBEAcctType->setText(code);
    const ItemCategory c = masters::categoryOf(code);
    setCategory(c == ItemCategory::None ? ItemCategory::BalanceSheet : c);
}

void TChartF::insertMain()
{
    if (mode_ != Mode::Browse)
        return;
    reload();
    original_.clear();
    pages->setCurrentIndex(0);
    setMode(Mode::Insert);
    masters::MainAccount m;
    try {
        m.MACTNO = repo_.proposeNumber();
    } catch (const db::DbError& e) {
        masters_ui::showDbError(this, s_, e);
    }
    showMain(m);
    DBEMactNo->setFocus();
    DBEMactNo->selectAll();
}

void TChartF::editMain()
{
    if (mode_ != Mode::Browse || !currentMain())
        return;
    original_ = currentMain()->MACTNO;
    bool locked = false;
    try {
        locked = repo_.hasJournalLines(original_);
    } catch (const db::DbError& e) {
        masters_ui::showDbError(this, s_, e);
        return;
    }
    if (locked)
        showInformation(this, mt::mainAccountHasJournal());
    pages->setCurrentIndex(0);
    setMode(Mode::Edit);
    DBEMactNo->setReadOnly(locked);
    (locked ? DBEMactNm : DBEMactNo)->setFocus();
}

bool TChartF::saveMain()
{
    if (mode_ == Mode::Browse)
        return false;
    masters::MainAccount m{DBEMactNo->text().trimmed(), DBEMactNm->text().trimmed(), DBEAcctType->text().trimmed()};
    if (!masters_ui::saveCard(
            this, s_, [&] { return repo_.save(m, mode_ == Mode::Edit ? original_ : QString()); },
            mt::mainAccountExists(), DBEMactNo, {{QStringLiteral("MACTNM"), DBEMactNm}}))
        return false;
    setMode(Mode::Browse);
    reload(m.MACTNO);
    return true;
}

void TChartF::cancelEdit()
{
    if (mode_ == Mode::Browse)
        return;
    setMode(Mode::Browse);
    showCurrent();
}

void TChartF::deleteMain()
{
    if (mode_ != Mode::Browse)
        return;
    if (!currentMain()) {
        showInformation(this, mt::noRecords());
        return;
    }
    const QString mactNo = currentMain()->MACTNO;
    if (masters_ui::removeCard(
            this, s_,
            [&] {
                return masters::AccountRepository(s_).listByMainAccount(mactNo).isEmpty()
                           ? masters::Check::pass()
                           : masters::Check::error(mt::mainAccountInUse());
            },
            mt::confirmDeleteRecord(), [&] { return repo_.remove(mactNo); }))
        reload();
}

void TChartF::reject()
{
    cancelEdit();
    QDialog::reject();
}

} // namespace kv::ui
