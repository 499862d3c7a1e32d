#include "ui/core/SUsers.h"

#include "db/Error.h"
#include "ui/common/EnterMovesNext.h"
#include "ui/common/Look.h"
#include "ui/common/MessageBox.h"

#include <QAction>
#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolBar>
#include <QVBoxLayout>

namespace kv::ui {

using core::Right;

namespace {

// The check boxes of the screen: page, group, row within the group (empty for a plain list)
// and caption of each flag. Flags without a check box (T15, T23, R16..R20, R23..R30) are kept
// as stored.
struct FlagBoxDef {
    int page;
    const char* group;
    const char* row;
    Right flag;
    const char* caption;
};

const char* const add = "  إضافة ";
const char* const del = "  إلـغــاء";

const FlagBoxDef flagBoxes[] = {
    {0, " المعاملات ", "سـندات التـوريـد", Right::T01, add},
    {0, " المعاملات ", "سـندات التـوريـد", Right::T02, del},
    {0, " المعاملات ", "سـندات الاصـدار", Right::T03, add},
    {0, " المعاملات ", "سـندات الاصـدار", Right::T04, del},
    {0, " المعاملات ", "فواتير المبيعات", Right::T05, add},
    {0, " المعاملات ", "فواتير المبيعات", Right::T06, del},
    {0, " المعاملات ", "سـندات الارجاع", Right::T07, add},
    {0, " المعاملات ", "سـندات الارجاع", Right::T08, del},
    {0, " السـندات ", "سـندات الـقـبـض", Right::T13, add},
    {0, " السـندات ", "سـندات الـقـبـض", Right::T14, del},
    {0, " السـندات ", "سـندات الـصـرف", Right::T21, add},
    {0, " السـندات ", "سـندات الـصـرف", Right::T22, del},
    {0, " السـندات ", "إسـعارات القـيـد", Right::T26, add},
    {0, " السـندات ", "إسـعارات القـيـد", Right::T27, del},
    {1, " الملفات ", "ملـف الاصـناف", Right::T16, " إضافة"},
    {1, " الملفات ", "ملـف الاصـناف", Right::T17, " إلغاء"},
    {1, " الملفات ", "ملـف الاصـناف", Right::T18, " تعديل"},
    {1, " الملفات ", "ملـف الـعـمــلاء", Right::T19, " إضافة"},
    {1, " الملفات ", "ملـف الـعـمــلاء", Right::T20, " إلغاء"},
    {1, " الملفات ", "ملـف الـعـمــلاء", Right::T24, " تعديل"},
    {1, " الإجـــراءات ", "", Right::T09, " معالجة الأرصـدة الافتتاحية"},
    {1, " الإجـــراءات ", "", Right::T10, " فتـح سـنـة مالـيـة جــديـدة"},
    {1, " الإجـــراءات ", "", Right::T11, " صيانة قواعد البيانات"},
    {1, " الإجـــراءات ", "", Right::T12, " إعــدادات الـطـبــاعـة"},
    {1, " معاملات وإعدادات أخرى ", "", Right::T25, " معالجة ملـف بنـود الأصـناف"},
    {1, " معاملات وإعدادات أخرى ", "", Right::T28, " طـلـبـات الـعـمـــلاء"},
    {1, " معاملات وإعدادات أخرى ", "", Right::T29, " عـــروض الأسـعار"},
    {1, " معاملات وإعدادات أخرى ", "", Right::T30, " أوامــر الـشــــــراء"},
    {1, " معاملات وإعدادات أخرى ", "", Right::R21, " معـالـجـة أسـعـار التـكـلفـة"},
    {1, " معاملات وإعدادات أخرى ", "", Right::R22, " تجاوز أسعار البيع المحددة"},
    {2, " الحسابات ", "", Right::R01, " قائمة الدخل اليومي"},
    {2, " الحسابات ", "", Right::R02, " قائمة الدخل لفترة"},
    {2, " الحسابات ", "", Right::R03, " بيان حركة النقدية"},
    {2, " الحسابات ", "", Right::R04, " سرد فواتير المبيعات"},
    {2, " الحسابات ", "", Right::R05, " سرد سندات الارجاع"},
    {2, " الحسابات ", "", Right::R06, " سرد سندات التوريد"},
    {2, " الحسابات ", "", Right::R07, " سرد سندات الاصدار"},
    {2, " الحسابات ", "", Right::R08, " بيان معاملات صـنف"},
    {2, " الحسابات ", "", Right::R09, " قوائم السندات المالية"},
    {2, " الحسابات ", "", Right::R10, " حركة مبيعات مندوب"},
    {2, " الحسابات ", "", Right::R11, " حركة تحصيل مندوب"},
    {2, " الحسابات ", "", Right::R12, " بيان عمولة مندوب"},
    {2, " الحسابات ", "", Right::R13, " تجاوز مبالغ الائتمان"},
    {2, " الحسابات ", "", Right::R14, " كشف حساب عميل"},
    {2, " الحسابات ", "", Right::R15, " ملخص حسابات العملاء"},
};

const QString granted = QStringLiteral("T");
const QString refused = QStringLiteral("F");

QString u8(const char* s) { return QString::fromUtf8(s); }

} // namespace

TSUsersF::TSUsersF(core::Session& session, QWidget* parent)
    : QDialog(parent)
    , s_(session)
    , store_(session)
{
    setObjectName(QStringLiteral("TSUsersF"));
    setWindowTitle(QStringLiteral("ملـف المشـغلين وتحديد الصلاحيات"));

    auto* top = new QVBoxLayout(this);
    auto* bar = new QToolBar(this);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    std::tie(SBAdd, SBDelete, SBEdit, SBSave, SBCancel) = addCardCommands(
        bar, this,
        {[this] { addUser(); }, [this] { deleteUser(); }, [this] { editUser(); }, [this] { saveUser(); },
         [this] { cancelEdit(); }},
        QStringLiteral("SBAdd"));
    std::tie(SBFirst, SBPrior, SBNext, SBLast) = nav_.addCommands(bar, Qt::Key_F6, Qt::Key_F5);
    top->addWidget(bar);

    buildPages();
    top->addWidget(pages, 1);
    EnterMovesNext::install(this);

    reload();
    setMode(Mode::Browse);
    pages->setCurrentIndex(0);
}

void TSUsersF::buildPages()
{
    pages = new QTabWidget(this);
    pages->setObjectName(QStringLiteral("PageControl"));
    QWidget* page[3];
    QVBoxLayout* pageLayout[3];
    const char* pageCaption[3] = {"   ملف المشغلين", " الملفات ", "التقـارير"};
    for (int i = 0; i < 3; ++i) {
        page[i] = new QWidget(pages);
        pageLayout[i] = new QVBoxLayout(page[i]);
        pages->addTab(page[i], u8(pageCaption[i]));
    }

    // Name and passwords on the first page.
    auto* form = new QFormLayout;
    DBEName = new QLineEdit(page[0]);
    DBEName->setObjectName(QStringLiteral("DBEName"));
    DBEName->setMaxLength(12);
    DBEPass = new QLineEdit(page[0]);
    DBEPass->setObjectName(QStringLiteral("DBEPass"));
    DBEPass->setMaxLength(6);
    DBEPass->setEchoMode(QLineEdit::Password);
    DBEPass->setLayoutDirection(Qt::LeftToRight);
    EdtConfirm = new QLineEdit(page[0]);
    EdtConfirm->setObjectName(QStringLiteral("EdtConfirm"));
    EdtConfirm->setMaxLength(6);
    EdtConfirm->setEchoMode(QLineEdit::Password);
    EdtConfirm->setLayoutDirection(Qt::LeftToRight);
    LblConfirm = new QLabel(QStringLiteral("تأكيد الرقم"), page[0]);
    form->addRow(QStringLiteral("اسـم الموظـف"), DBEName);
    form->addRow(QStringLiteral("الرقـم السـري"), DBEPass);
    form->addRow(LblConfirm, EdtConfirm);
    pageLayout[0]->addLayout(form);

    // The check-box groups, in the order of the table.
    QGroupBox* group = nullptr;
    QGridLayout* grid = nullptr;
    QString groupName, rowName;
    int row = -1, col = 0;
    for (const FlagBoxDef& d : flagBoxes) {
        if (!group || groupName != u8(d.group)) {
            groupName = u8(d.group);
            group = new QGroupBox(groupName, page[d.page]);
            group->setObjectName(QStringLiteral("Group%1").arg(groups_.size()));
            grid = new QGridLayout(group);
            groups_.push_back(group);
            pageLayout[d.page]->addWidget(group);
            row = -1;
            rowName.clear();
        }
        auto* box = new QCheckBox(u8(d.caption), group);
        box->setObjectName(core::rightColumn(d.flag));
        boxes_.emplace_back(d.flag, box);
        if (*d.row) {
            if (u8(d.row) != rowName || row < 0) {
                rowName = u8(d.row);
                ++row;
                grid->addWidget(new QLabel(rowName, group), row, 0);
                col = 1;
            }
            grid->addWidget(box, row, col++);
        } else {
            // Plain lists: two columns.
            const int n = grid->count();
            grid->addWidget(box, n / 2, n % 2);
        }
    }
    // Keep each group's check boxes together on the right.
    for (QGroupBox* g : groups_) {
        auto* gl = static_cast<QGridLayout*>(g->layout());
        gl->setColumnStretch(gl->columnCount(), 1);
    }
    for (auto* layout : pageLayout)
        layout->addStretch(1);

    // The list of names.
    auto* listPage = new QWidget(pages);
    auto* listLayout = new QVBoxLayout(listPage);
    DBGUsers = new QTableWidget(0, 1, listPage);
    DBGUsers->setObjectName(QStringLiteral("DBGUsers"));
    DBGUsers->setHorizontalHeaderLabels({QStringLiteral("إسـم المشـغل")});
    DBGUsers->horizontalHeader()->setStretchLastSection(true);
    DBGUsers->verticalHeader()->hide();
    DBGUsers->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGUsers->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGUsers->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(DBGUsers, &QTableWidget::currentCellChanged, this, [this](int r, int, int, int) {
        if (mode_ == Mode::Browse && r != nav_.position())
            nav_.showRow(r);
    });
    listLayout->addWidget(DBGUsers);
    pages->addTab(listPage, QStringLiteral("سرد "));
    resize(860, 600);
}

const core::User* TSUsersF::currentUser() const
{
    const int i = nav_.position();
    return i >= 0 && i < int(users_.size()) ? &users_[i] : nullptr;
}

QCheckBox* TSUsersF::flagBox(Right r) const
{
    for (const auto& [flag, box] : boxes_)
        if (flag == r)
            return box;
    return nullptr;
}

void TSUsersF::reload(const QString& positionOn)
{
    const QString keep = positionOn.isEmpty() && currentUser() ? currentUser()->USERNM : positionOn;
    users_ = store_.all();
    QStringList names;
    for (const core::User& u : users_)
        names << u.USERNM;
    // A user not listed any more (deleted) leaves the card on the row that took its place.
    nav_.setKeys(names, keep);
    DBGUsers->setRowCount(int(users_.size()));
    for (int i = 0; i < int(users_.size()); ++i)
        DBGUsers->setItem(i, 0, new QTableWidgetItem(users_[i].USERNM));
    showCurrent();
}

void TSUsersF::showCurrent()
{
    const core::User* u = currentUser();
    DBEName->setText(u ? u->USERNM : QString());
    DBEPass->setText(u ? u->USERID : QString());
    for (const auto& [flag, box] : boxes_)
        box->setChecked(u && (*u).rights[flag] == granted);
    if (nav_.position() >= 0 && DBGUsers->currentRow() != nav_.position())
        DBGUsers->setCurrentCell(nav_.position(), 0);
}

void TSUsersF::setMode(Mode m)
{
    mode_ = m;
    const bool editing = m != Mode::Browse;
    DBEName->setEnabled(editing);
    DBEName->setReadOnly(m == Mode::Editing);
    DBEPass->setEnabled(editing);
    EdtConfirm->setEnabled(editing);
    EdtConfirm->setVisible(editing);
    LblConfirm->setVisible(editing);
    const bool flagsEditable = m == Mode::Adding
        || (m == Mode::Editing && currentUser() && !core::UserStore::isReserved(currentUser()->USERNM));
    for (QGroupBox* g : groups_)
        g->setEnabled(flagsEditable);
    enableForEntry(editing, {SBSave, SBCancel}, {SBAdd, SBDelete, SBEdit, SBFirst, SBPrior, SBNext, SBLast});
    pages->setTabEnabled(3, !editing);
}

void TSUsersF::addUser()
{
    if (mode_ != Mode::Browse)
        return;
    nav_.setPosition(-1);
    pages->setCurrentIndex(0);
    DBEName->clear();
    DBEPass->clear();
    EdtConfirm->clear();
    for (const auto& [flag, box] : boxes_)
        box->setChecked(false);
    setMode(Mode::Adding);
    DBEName->setFocus();
}

void TSUsersF::editUser()
{
    if (mode_ != Mode::Browse || !currentUser())
        return;
    setMode(Mode::Editing);
    EdtConfirm->setText(currentUser()->USERID);
    DBEPass->setFocus();
}

core::User TSUsersF::collect() const
{
    core::User u;
    if (mode_ == Mode::Editing && currentUser())
        u = *currentUser(); // keeps the flags that have no check box
    u.USERNM = DBEName->text();
    u.USERID = DBEPass->text();
    for (const auto& [flag, box] : boxes_) {
        QString& f = u.rights[flag];
        if (box->isChecked())
            f = granted;
        else if (f == granted)
            f = refused;
    }
    return u;
}

void TSUsersF::saveUser()
{
    if (mode_ == Mode::Browse)
        return;
    const core::User u = collect();
    QString message;
    try {
        message = store_.save(u, EdtConfirm->text(), mode_ == Mode::Adding);
    } catch (const db::DbError& e) {
        message = e.text();
    }
    if (!message.isEmpty()) {
        showError(this, message);
        return;
    }
    setMode(Mode::Browse);
    reload(u.USERNM);
}

void TSUsersF::cancelEdit()
{
    if (mode_ == Mode::Browse)
        return;
    EdtConfirm->clear();
    setMode(Mode::Browse);
    if (!currentUser())
        nav_.setPosition(0);
    showCurrent();
}

void TSUsersF::deleteUser()
{
    if (mode_ != Mode::Browse)
        return;
    const core::User* u = currentUser();
    if (u && core::UserStore::isReserved(u->USERNM)) {
        showInformation(this, QStringLiteral("لا يمكن إلغاء اسم المشرف"));
        return;
    }
    if (!u) {
        showInformation(this, s_.msg.mNoEnt);
        return;
    }
    if (!askYesNo(this, s_.msg.mUDele))
        return;
    QString message;
    try {
        message = store_.remove(u->USERNM);
    } catch (const db::DbError& e) {
        message = e.text();
    }
    if (!message.isEmpty())
        showInformation(this, message);
    reload();
}

void TSUsersF::reject()
{
    cancelEdit();
    QDialog::reject();
}

} // namespace kv::ui
