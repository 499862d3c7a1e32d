#include "ui/masters/MStock.h"

#include "db/Error.h"
#include "ui/common/EnterMovesNext.h"
#include "ui/masters/CardFlow.h"
#include "ui/common/MessageBox.h"

#include <QAction>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

namespace kv::ui {

namespace mt = masters::text;

TMStockF::TMStockF(core::Session& session, QWidget* parent)
    : QDialog(parent)
    , s_(session)
    , repo_(session)
{
    setObjectName(QStringLiteral("TMStockF"));
    setWindowTitle(QStringLiteral("ملـف الـبـنــود الرئـيـســيـة"));
    auto* top = new QVBoxLayout(this);
    pages = new QTabWidget(this);
    pages->setObjectName(QStringLiteral("PageControl"));
    auto* card = new QWidget(pages);
    auto* list = new QWidget(pages);
    pages->addTab(card, QStringLiteral("ملف البـنـود"));
    pages->addTab(list, QStringLiteral(" سرد وطباعة "));
    top->addWidget(pages, 1);

    auto* cl = new QVBoxLayout(card);
    QToolBar* bar = masters_ui::commandBar(card);
    std::tie(SBInsert, SBDelete, SBEdit, SBSave, SBCancel) =
        addCardCommands(bar, this, {[this] { insertGroup(); }, [this] { deleteGroup(); }, [this] { editGroup(); },
                                    [this] { saveGroup(); }, [this] { cancelEdit(); }});
    std::tie(SBFirst, SBPrior, SBNext, SBLast) = nav_.addCommands(bar, Qt::Key_F6, Qt::Key_F5);
    cl->addWidget(bar);
    setMinimumWidth(bar->sizeHint().width() + 60); // every command stays on the bar

    auto* form = new QFormLayout;
    DBEArtNo = new QLineEdit(card);
    DBEArtNo->setObjectName(QStringLiteral("DBEArtNo"));
    DBEArtNo->setMaxLength(masters::ItemSettings::from(session).groupLength);
    DBEArtNo->setMaximumWidth(DBEArtNo->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16);
    DBEArtNm = new QLineEdit(card);
    DBEArtNm->setObjectName(QStringLiteral("DBEArtNm"));
    DBEArtNm->setMaxLength(30);
    DBEArtNm->setMinimumWidth(DBEArtNm->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 24);
    form->addRow(QStringLiteral("رقـم الـبـنــد الرئيسي"), DBEArtNo);
    form->addRow(QStringLiteral("إسـم الـبـنــد الرئيسي"), DBEArtNm);
    cl->addLayout(form);
    cl->addStretch(1);

    auto* ll = new QVBoxLayout(list);
    listModel_ = new masters_ui::TextTableModel({QStringLiteral("رقـم الـبـنــد الرئيسي"), QStringLiteral("إسـم الـبـنــد الرئيسي")}, this);
    DBGList = masters_ui::listGrid(listModel_, list, QStringLiteral("DBGList"), 1);
    DBGList->setColumnWidth(0, DBGList->fontMetrics().horizontalAdvance(QStringLiteral("رقـم الـبـنــد الرئيسي")) + 24);
    ll->addWidget(DBGList, 1);
    connect(pages, &QTabWidget::currentChanged, this, [this](int i) {
        if (i == 1) {
            cancelEdit();
            DBGList->setFocus();
        } else {
            nav_.showRow(DBGList->currentIndex().row());
        }
    });

    EnterMovesNext::install(this);
    reload();
    setMode(Mode::Browse);
    resize(560, 360);
}

const masters::ItemGroup* TMStockF::currentGroup() const
{
    const int i = nav_.position();
    return i >= 0 && i < groups_.size() ? &groups_[i] : nullptr;
}

void TMStockF::reload(const QString& positionOn)
{
    const QString keep = !positionOn.isEmpty() ? positionOn : (currentGroup() ? currentGroup()->ARTNO : QString());
    try {
        groups_ = repo_.list();
    } catch (const db::DbError& e) {
        masters_ui::showDbError(this, s_, e);
    }
    QStringList keys;
    QList<QStringList> rows;
    for (const masters::ItemGroup& g : groups_) {
        keys << g.ARTNO;
        rows << QStringList{g.ARTNO, g.ARTNM};
    }
    nav_.setKeys(keys, keep);
    listModel_->setRows(rows);
    showCurrent();
}

void TMStockF::showCurrent()
{
    const masters::ItemGroup* g = currentGroup();
    DBEArtNo->setText(g ? g->ARTNO : QString());
    DBEArtNm->setText(g ? g->ARTNM : QString());
    if (nav_.position() >= 0)
        DBGList->setCurrentIndex(listModel_->index(nav_.position(), 0));
    nav_.updateCommands();
}

void TMStockF::setMode(Mode m)
{
    mode_ = m;
    const bool entry = m != Mode::Browse;
    DBEArtNo->setEnabled(entry);
    DBEArtNm->setEnabled(entry);
    if (!entry)
        DBEArtNo->setReadOnly(false);
    enableForEntry(entry, {SBSave, SBCancel}, {SBInsert, SBDelete, SBEdit});
    pages->setTabEnabled(1, !entry);
    showCurrent();
}

void TMStockF::insertGroup()
{
    if (mode_ != Mode::Browse)
        return;
    reload();
    original_.clear();
    pages->setCurrentIndex(0);
    setMode(Mode::Insert);
    DBEArtNo->clear();
    DBEArtNm->clear();
    DBEArtNo->setFocus();
}

void TMStockF::editGroup()
{
    if (mode_ != Mode::Browse || !currentGroup())
        return;
    original_ = currentGroup()->ARTNO;
    bool used = false;
    try {
        used = repo_.inUse(original_);
    } catch (const db::DbError& e) {
        masters_ui::showDbError(this, s_, e);
        return;
    }
    if (used)
        showInformation(this, mt::usedElsewhere());
    pages->setCurrentIndex(0);
    setMode(Mode::Edit);
    DBEArtNo->setReadOnly(used);
    DBEArtNo->setFocus();
}

bool TMStockF::saveGroup()
{
    if (mode_ == Mode::Browse)
        return false;
    masters::ItemGroup g{DBEArtNo->text().trimmed(), DBEArtNm->text().trimmed()};
    if (!masters_ui::saveCard(
            this, s_, [&] { return repo_.save(g, mode_ == Mode::Edit ? original_ : QString()); },
            mt::groupExists(), DBEArtNo, {{QStringLiteral("ARTNM"), DBEArtNm}}))
        return false;
    setMode(Mode::Browse);
    reload(g.ARTNO);
    return true;
}

void TMStockF::cancelEdit()
{
    if (mode_ == Mode::Browse)
        return;
    setMode(Mode::Browse);
    showCurrent();
}

void TMStockF::deleteGroup()
{
    if (mode_ != Mode::Browse)
        return;
    if (!currentGroup()) {
        showInformation(this, mt::noRecordsNoDot());
        return;
    }
    const QString artNo = currentGroup()->ARTNO;
    if (masters_ui::removeCard(
            this, s_,
            [&] { return repo_.inUse(artNo) ? masters::Check::info(mt::usedElsewhere()) : masters::Check::pass(); },
            mt::confirmDeleteRecord(), [&] { return repo_.remove(artNo); }))
        reload();
}

void TMStockF::reject()
{
    cancelEdit();
    QDialog::reject();
}

} // namespace kv::ui
