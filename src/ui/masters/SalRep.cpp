#include "ui/masters/SalRep.h"

#include "db/Error.h"
#include "ui/common/EnterMovesNext.h"
#include "ui/masters/CardFlow.h"
#include "ui/common/Format.h"
#include "ui/common/MessageBox.h"
#include "ui/masters/Searches.h"
#include "ui/masters/Transfers.h"
#include "ui/tools/Printing.h"

#include <QAction>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

namespace kv::ui {

using core::Right;
namespace mt = masters::text;

namespace {
QString money(const core::Money& m) { return format2(m.toDecimal()); }
} // namespace

TSalRepF::TSalRepF(core::Session& session, QWidget* parent)
    : QDialog(parent)
    , s_(session)
    , repo_(session)
{
    setObjectName(QStringLiteral("TSalRepF"));
    setWindowTitle(QStringLiteral("بيانات وتقارير مناديب المبيعات"));
    auto* top = new QVBoxLayout(this);
    pages = new QTabWidget(this);
    pages->setObjectName(QStringLiteral("PageControl"));
    auto* card = new QWidget(pages);
    auto* list = new QWidget(pages);
    pages->addTab(card, QStringLiteral(" بيانات المناديب "));
    pages->addTab(list, QStringLiteral(" سرد وطباعة "));
    top->addWidget(pages, 1);

    auto* cl = new QVBoxLayout(card);
    QToolBar* bar = masters_ui::commandBar(card);
    std::tie(SBInsert, SBDelete, SBEdit, SBSave, SBCancel) =
        addCardCommands(bar, this, {[this] { insertSalesman(); }, [this] { deleteSalesman(); },
                                    [this] { editSalesman(); }, [this] { saveSalesman(); }, [this] { cancelEdit(); }});
    SBSearch = masters_ui::addCommand(bar, QStringLiteral("استعلام F7"), QStringLiteral("SBSearch"),
                                      QKeySequence(Qt::Key_F7), [this] { searchSalesman(); });
    masters_ui::addShortcut(this, SBSearch, QKeySequence(Qt::Key_F4));
    std::tie(SBFirst, SBPrior, SBNext, SBLast) = nav_.addCommands(bar, Qt::Key_F5, Qt::Key_F6);
    cl->addWidget(bar);
    setMinimumWidth(bar->sizeHint().width() + 60); // every command stays on the bar

    auto* body = new QHBoxLayout;
    auto* form = new QFormLayout;
    DBESalrId = new QLineEdit(card);
    DBESalrId->setObjectName(QStringLiteral("DBESalrId"));
    DBESalrId->setMaxLength(2);
    DBESalrId->setMaximumWidth(DBESalrId->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16);
    DBEName = new QLineEdit(card);
    DBEName->setObjectName(QStringLiteral("DBEName"));
    DBEName->setMaxLength(25);
    DBEName->setMinimumWidth(DBEName->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 20);
    DBEPerc = new QLineEdit(card);
    DBEPerc->setObjectName(QStringLiteral("DBEPerc"));
    DBEPerc->setMaxLength(10);
    DBEPerc->setMaximumWidth(DBEPerc->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")) + 16);
    form->addRow(QStringLiteral("رقـــم الـمـنـــدوب"), DBESalrId);
    form->addRow(QStringLiteral("إســـم الـمـنـــدوب"), DBEName);
    form->addRow(QStringLiteral("نســبـة العـمــولـة"), DBEPerc);
    body->addLayout(form, 1);

    auto* reports = new QVBoxLayout;
    const char* const captions[] = {"مديونية ودائنية المندوبين", "مديونية ودائنية العمـلاء", "حركـة تحصيل المندوبين",
                                    "ملخـص تحصيل المندوبين", "بيان عملاء مندوب معين", "بيان بالعـمـلاء الـجـــدد",
                                    "تحويـل عـمـلاء منــدوب"};
    int i = 0;
    for (const char* c : captions) {
        auto* b = new QPushButton(QString::fromUtf8(c), card);
        b->setObjectName(QStringLiteral("BBReport%1").arg(++i));
        reports->addWidget(b);
        reportButtons << b;
    }
    reports->addStretch(1);
    for (int k = 0; k < 5; ++k)
        connect(reportButtons[k], &QPushButton::clicked, this, [this, k] { openReport(reportButtons[k], false); });
    connect(reportButtons[5], &QPushButton::clicked, this, [this] { openReport(reportButtons[5], true); });
    connect(reportButtons[6], &QPushButton::clicked, this, &TSalRepF::transferCustomers);
    body->addLayout(reports);
    cl->addLayout(body, 1);

    auto* ll = new QVBoxLayout(list);
    listModel_ = new masters_ui::TextTableModel({QStringLiteral("الرقم"), QStringLiteral("إســم المـنــدوب"),
                                                 QStringLiteral("العمولة / خ"), QStringLiteral("العمولة / بلك"),
                                                 QStringLiteral("النسبة %  خ"), QStringLiteral("النسبة % بلك")},
                                                this);
    listModel_->setNumericColumns({2, 3, 4, 5});
    DBGList = masters_ui::listGrid(listModel_, list, QStringLiteral("DBGList"), 1);
    DBGList->setColumnWidth(1, DBGList->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 18);
    ll->addWidget(DBGList, 1);
    auto* buttons = new QHBoxLayout;
    auto* print = new QPushButton(QStringLiteral("طباعة"), list);
    print->setObjectName(QStringLiteral("BBPrint"));
    auto* exit = new QPushButton(QStringLiteral("خروج"), list);
    exit->setObjectName(QStringLiteral("BBExit2"));
    buttons->addStretch(1);
    buttons->addWidget(print);
    buttons->addWidget(exit);
    ll->addLayout(buttons);
    connect(print, &QPushButton::clicked, this, &TSalRepF::printList);
    connect(exit, &QPushButton::clicked, this, &TSalRepF::reject);
    connect(pages, &QTabWidget::currentChanged, this, [this](int p) {
        if (p == 1) {
            DBGList->setFocus();
        } else {
            nav_.showRow(DBGList->currentIndex().row());
        }
    });

    EnterMovesNext::install(this);
    reload();
    setMode(Mode::Browse);
    resize(760, 420);
}

bool TSalRepF::refused(Right r) const
{
    return s_.vAdmin == QLatin1String("OP") && s_.rights[r] == QLatin1String("F");
}

const masters::Salesman* TSalRepF::currentSalesman() const
{
    const int i = nav_.position();
    return i >= 0 && i < reps_.size() ? &reps_[i] : nullptr;
}

void TSalRepF::reload(const QString& positionOn)
{
    const QString keep = !positionOn.isEmpty() ? positionOn : (currentSalesman() ? currentSalesman()->SALRID : QString());
    try {
        reps_ = repo_.list();
    } catch (const db::DbError& e) {
        masters_ui::showDbError(this, s_, e);
    }
    QStringList keys;
    QList<QStringList> rows;
    for (const masters::Salesman& r : reps_) {
        keys << r.SALRID;
        rows << QStringList{r.SALRID, r.NAME, money(r.CMSN), money(r.CMSNB), money(r.PERC), money(r.PERCB)};
    }
    nav_.setKeys(keys, keep);
    listModel_->setRows(rows);
    showCurrent();
}

void TSalRepF::showCurrent()
{
    const masters::Salesman* r = currentSalesman();
    DBESalrId->setText(r ? r->SALRID : QString());
    DBEName->setText(r ? r->NAME : QString());
    DBEPerc->setText(r ? money(r->PERC) : QString());
    if (nav_.position() >= 0)
        DBGList->setCurrentIndex(listModel_->index(nav_.position(), 0));
    nav_.updateCommands();
}

void TSalRepF::setMode(Mode m)
{
    mode_ = m;
    const bool entry = m != Mode::Browse;
    for (QLineEdit* e : {DBESalrId, DBEName, DBEPerc})
        e->setEnabled(entry);
    DBESalrId->setReadOnly(m == Mode::Edit);
    enableForEntry(entry, {SBSave, SBCancel}, {SBInsert, SBDelete, SBEdit, SBSearch});
    pages->setTabEnabled(1, !entry);
    showCurrent();
}

void TSalRepF::insertSalesman()
{
    if (mode_ != Mode::Browse || refused(Right::T04))
        return;
    reload();
    original_.clear();
    setMode(Mode::Insert);
    for (QLineEdit* e : {DBESalrId, DBEName, DBEPerc})
        e->clear();
    DBESalrId->setFocus();
}

void TSalRepF::editSalesman()
{
    if (mode_ != Mode::Browse || refused(Right::T06) || !currentSalesman())
        return;
    original_ = currentSalesman()->SALRID;
    setMode(Mode::Edit);
    DBEName->setFocus();
}

bool TSalRepF::saveSalesman()
{
    if (mode_ == Mode::Browse)
        return false;
    masters::Salesman r = mode_ == Mode::Edit && currentSalesman() ? *currentSalesman() : masters::Salesman{};
    r.SALRID = DBESalrId->text().trimmed();
    r.NAME = DBEName->text().trimmed();
    const QString perc = DBEPerc->text().trimmed();
    if (perc.isEmpty()) {
        r.PERC = core::Money();
    } else if (auto p = core::Money::parse(perc)) {
        r.PERC = *p;
    } else {
        showError(this, QStringLiteral("القيمة '%1' ليست رقما صحيحا").arg(perc));
        DBEPerc->setFocus();
        return false;
    }
    if (!masters_ui::saveCard(this, s_, [&] { return repo_.save(r, original_); }, mt::salesmanExists(), DBESalrId,
                              {{QStringLiteral("NAME"), DBEName}}))
        return false;
    setMode(Mode::Browse);
    reload(r.SALRID);
    return true;
}

void TSalRepF::cancelEdit()
{
    if (mode_ == Mode::Browse)
        return;
    setMode(Mode::Browse);
}

void TSalRepF::deleteSalesman()
{
    if (mode_ != Mode::Browse || refused(Right::T05))
        return;
    if (!currentSalesman()) {
        showInformation(this, mt::noRecords());
        return;
    }
    const QString id = currentSalesman()->SALRID;
    if (masters_ui::removeCard(
            this, s_,
            [&] { return repo_.inUse(id) ? masters::Check::info(mt::salesmanInUse()) : masters::Check::pass(); },
            mt::confirmDeleteRecord(), [&] { return repo_.remove(id); }))
        reload();
}

void TSalRepF::searchSalesman()
{
    if (mode_ != Mode::Browse)
        return;
    TSalSrchF search(s_, this);
    search.exec();
    if (s_.mFound) {
        reload();
        positionOn(search.chosenKey());
    }
}

void TSalRepF::openReport(QPushButton* button, bool anyState)
{
    if (!anyState && mode_ != Mode::Browse)
        return;
    showNotAvailableYet(this, button->text());
}

void TSalRepF::transferCustomers()
{
    if (mode_ != Mode::Browse)
        return;
    TMovCustF f(s_, this);
    f.exec();
    reload();
}

tools::ListReport TSalRepF::listReport() const
{
    using tools::ColumnKind;
    tools::ListReport r;
    r.firmName = s_.mFirmN;
    r.address = s_.mAddrs;
    r.telephone = s_.mTelNo;
    r.userName = s_.UNM;
    r.title = QStringLiteral("قـائـمـة بأرقــام أسـماء منـاديـب المبـيـعات");
    r.table.columns = {{QStringLiteral("الرقـم"), ColumnKind::Text, 6},
                       {QStringLiteral("اســم الـمـنــدوب"), ColumnKind::Text, 25},
                       {QStringLiteral("العمولة / خ"), ColumnKind::Money, 10},
                       {QStringLiteral("العمولة / بلك"), ColumnKind::Money, 10},
                       {QStringLiteral("النسبة / خ"), ColumnKind::Money, 10},
                       {QStringLiteral("النسبة / بلك"), ColumnKind::Money, 10}};
    for (const masters::Salesman& m : reps_)
        r.table.rows.push_back({m.SALRID, m.NAME, m.CMSN.toDecimal(), m.CMSNB.toDecimal(), m.PERC.toDecimal(),
                                m.PERCB.toDecimal()});
    return r;
}

void TSalRepF::printList()
{
    const QString error = printOn(tools::layoutList(listReport()), QString());
    if (!error.isEmpty())
        showError(this, error);
    first();
}

void TSalRepF::reject()
{
    cancelEdit();
    QDialog::reject();
}

} // namespace kv::ui
