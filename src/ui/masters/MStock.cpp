#include "ui/masters/MStock.h"

#include "db/Error.h"
#include "ui/common/EnterMovesNext.h"
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
    using masters_ui::addCommand;
    addCommand(bar, QStringLiteral("خروج"), QStringLiteral("SBExit"), {}, [this] { reject(); });
    bar->addSeparator();
    SBInsert = addCommand(bar, QStringLiteral("اضافة Insert"), QStringLiteral("SBInsert"), QKeySequence(Qt::Key_Insert),
                          [this] { insertGroup(); });
    SBDelete = addCommand(bar, QStringLiteral("حـذف"), QStringLiteral("SBDelete"), {}, [this] { deleteGroup(); });
    SBEdit = addCommand(bar, QStringLiteral("تعديل"), QStringLiteral("SBEdit"), {}, [this] { editGroup(); });
    SBSave = addCommand(bar, QStringLiteral("حفـظ F10"), QStringLiteral("SBSave"), QKeySequence(Qt::Key_F10),
                        [this] { saveGroup(); });
    SBCancel = addCommand(bar, QStringLiteral("إلغاء التعديل Ctrl+Q"), QStringLiteral("SBCancel"),
                          QKeySequence(Qt::CTRL | Qt::Key_Q), [this] { cancelEdit(); });
    bar->addSeparator();
    SBFirst = addCommand(bar, QStringLiteral("أول سجل"), QStringLiteral("SBFirst"), {}, [this] { first(); });
    SBPrior = addCommand(bar, QStringLiteral("السابق F6"), QStringLiteral("SBPrior"), QKeySequence(Qt::Key_F6),
                         [this] { prior(); });
    SBNext = addCommand(bar, QStringLiteral("التالي F5"), QStringLiteral("SBNext"), QKeySequence(Qt::Key_F5),
                        [this] { next(); });
    SBLast = addCommand(bar, QStringLiteral("آخر سجل"), QStringLiteral("SBLast"), {}, [this] { last(); });
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
            const int row = DBGList->currentIndex().row();
            if (row >= 0 && row < groups_.size()) {
                current_ = row;
                showCurrent();
            }
        }
    });

    EnterMovesNext::install(this);
    reload();
    setMode(Mode::Browse);
    resize(560, 360);
}

const masters::ItemGroup* TMStockF::currentGroup() const
{
    return current_ >= 0 && current_ < groups_.size() ? &groups_[current_] : nullptr;
}

void TMStockF::reload(const QString& positionOn)
{
    const QString keep = !positionOn.isEmpty() ? positionOn : (currentGroup() ? currentGroup()->ARTNO : QString());
    const int was = current_;
    try {
        groups_ = repo_.list();
    } catch (const db::DbError& e) {
        masters_ui::showDbError(this, s_, e);
    }
    current_ = groups_.isEmpty() ? -1 : qBound(0, was, int(groups_.size()) - 1);
    for (int i = 0; i < groups_.size(); ++i)
        if (groups_[i].ARTNO == keep)
            current_ = i;
    QList<QStringList> rows;
    for (const masters::ItemGroup& g : groups_)
        rows << QStringList{g.ARTNO, g.ARTNM};
    listModel_->setRows(rows);
    showCurrent();
}

void TMStockF::showCurrent()
{
    const masters::ItemGroup* g = currentGroup();
    DBEArtNo->setText(g ? g->ARTNO : QString());
    DBEArtNm->setText(g ? g->ARTNM : QString());
    if (current_ >= 0)
        DBGList->setCurrentIndex(listModel_->index(current_, 0));
    const bool browse = mode_ == Mode::Browse;
    const bool atFirst = current_ <= 0;
    const bool atLast = current_ < 0 || current_ >= groups_.size() - 1;
    SBFirst->setEnabled(browse && !atFirst);
    SBPrior->setEnabled(browse && !atFirst);
    SBNext->setEnabled(browse && !atLast);
    SBLast->setEnabled(browse && !atLast);
}

void TMStockF::setMode(Mode m)
{
    mode_ = m;
    const bool entry = m != Mode::Browse;
    DBEArtNo->setEnabled(entry);
    DBEArtNm->setEnabled(entry);
    if (!entry)
        DBEArtNo->setReadOnly(false);
    SBSave->setEnabled(entry);
    SBCancel->setEnabled(entry);
    for (QAction* a : {SBInsert, SBDelete, SBEdit})
        a->setEnabled(!entry);
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
    masters::Check c;
    try {
        c = repo_.save(g, mode_ == Mode::Edit ? original_ : QString());
    } catch (const db::DbError& e) {
        if (e.isBusy())
            masters_ui::showDbError(this, s_, e);
        else
            showError(this, mt::groupExists());
        DBEArtNo->setFocus();
        return false;
    }
    if (!c.ok()) {
        masters_ui::showCheck(this, c);
        (c.field == QLatin1String("ARTNM") ? DBEArtNm : DBEArtNo)->setFocus();
        return false;
    }
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
    try {
        if (repo_.inUse(artNo)) {
            showInformation(this, mt::usedElsewhere());
            return;
        }
        if (!askYesNo(this, mt::confirmDeleteRecord()))
            return;
        const masters::Check c = repo_.remove(artNo);
        if (!c.ok())
            masters_ui::showCheck(this, c);
    } catch (const db::DbError& e) {
        masters_ui::showDbError(this, s_, e);
    }
    reload();
}

void TMStockF::first()
{
    if (mode_ == Mode::Browse && !groups_.isEmpty()) {
        current_ = 0;
        showCurrent();
    }
}

void TMStockF::prior()
{
    if (mode_ == Mode::Browse && current_ > 0) {
        --current_;
        showCurrent();
    }
}

void TMStockF::next()
{
    if (mode_ == Mode::Browse && current_ + 1 < groups_.size()) {
        ++current_;
        showCurrent();
    }
}

void TMStockF::last()
{
    if (mode_ == Mode::Browse && !groups_.isEmpty()) {
        current_ = int(groups_.size()) - 1;
        showCurrent();
    }
}

void TMStockF::reject()
{
    cancelEdit();
    QDialog::reject();
}

} // namespace kv::ui
