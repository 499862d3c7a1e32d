#include "ui/masters/Searches.h"

#include "core/Session.h"
#include "masters/Common.h"
#include "masters/Salesmen.h"
#include "tools/Table.h"
#include "ui/common/EnterMovesNext.h"
#include "ui/common/MessageBox.h"
#include "ui/tools/FieldSelection.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

namespace kv::ui {

namespace mt = masters::text;

// ---- Items -----------------------------------------------------------------------------------

TItmSrchF::TItmSrchF(core::Session& session, QWidget* parent)
    : SearchWindow(session, masters::makeItemSearch(session), parent)
{
    setObjectName(QStringLiteral("TItmSrchF"));
    auto* row = new QHBoxLayout;
    auto* label = new QLabel(QStringLiteral("الموقع بالمستودع"), this);
    EdtLocation = new QLineEdit(this);
    EdtLocation->setObjectName(QStringLiteral("EdtLocation"));
    EdtLocation->setReadOnly(true);
    EdtLocation->setFocusPolicy(Qt::NoFocus);
    EdtLocation->setMaximumWidth(EdtLocation->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 12 + 16);
    row->addWidget(label);
    row->addWidget(EdtLocation);
    row->addStretch(1);
    topLayout()->insertLayout(1, row);
    connect(list(), &SearchList::currentRowChanged, this,
            [this] { EdtLocation->setText(list()->currentOutsideValue(QStringLiteral("LOCATION"))); });
    EdtLocation->setText(list()->currentOutsideValue(QStringLiteral("LOCATION")));
    resize(820, 520);
}

bool TItmSrchF::accept(const QString& key)
{
    item_.reset();
    if (!key.isEmpty())
        item_ = masters::ItemRepository(session()).find(key);
    if (!item_) {
        showError(this, mt::itemNotFound());
        return false;
    }
    return true;
}

// ---- Accounts --------------------------------------------------------------------------------

TAcSrchF::TAcSrchF(core::Session& session, QWidget* parent)
    : SearchWindow(session, std::make_unique<masters::AccountSearch>(session), parent)
{
    setObjectName(QStringLiteral("TAcSrchF"));
    query_ = static_cast<masters::AccountSearch*>(&list()->query());
    list()->setEditVisible(false);

    auto* form = new QFormLayout;
    EdtNumber = new QLineEdit(this);
    EdtNumber->setObjectName(QStringLiteral("EdtNumber"));
    EdtNumber->setMaxLength(40);
    EdtName = new QLineEdit(this);
    EdtName->setObjectName(QStringLiteral("EdtName"));
    EdtName->setMaxLength(40);
    DBLCMact = new QComboBox(this);
    DBLCMact->setObjectName(QStringLiteral("DBLCMact"));
    for (const masters::MainAccount& m : masters::MainAccountRepository(session).list())
        DBLCMact->addItem(m.MACTNM, m.MACTNO);
    DBLCMact->setCurrentIndex(-1);
    form->addRow(QStringLiteral("الرقـم"), EdtNumber);
    form->addRow(QStringLiteral("الاسـم"), EdtName);
    form->addRow(QStringLiteral("الحساب الرئيسي"), DBLCMact);
    topLayout()->insertLayout(0, form);
    setTabOrder(EdtNumber, EdtName);
    setTabOrder(EdtName, DBLCMact);
    setTabOrder(DBLCMact, list()->grid());

    connect(EdtNumber, &QLineEdit::textEdited, this, [this](const QString& t) {
        if (query_->setNumberText(t))
            list()->reload();
    });
    connect(EdtName, &QLineEdit::textEdited, this, [this](const QString& t) {
        query_->setNameText(t);
        list()->reload();
    });
    connect(DBLCMact, &QComboBox::activated, this, [this](int i) {
        query_->setMainAccount(DBLCMact->itemData(i).toString());
        list()->reload();
    });
    EnterMovesNext::install(this);
    EdtNumber->setFocus();
}

bool TAcSrchF::accept(const QString& key)
{
    account_.reset();
    if (!key.isEmpty())
        account_ = masters::AccountRepository(session()).find(key);
    if (!account_) {
        showError(this, mt::accountNotFound());
        return false;
    }
    return true;
}

// ---- Earlier customers -----------------------------------------------------------------------

TTelRSrchF::TTelRSrchF(core::Session& session, QWidget* parent)
    : SearchWindow(session, masters::makeEarlierCustomerSearch(session), parent)
{
    setObjectName(QStringLiteral("TTelRSrchF"));
    BBXls = new QPushButton(QStringLiteral("XLS"), this);
    BBXls->setObjectName(QStringLiteral("BBXls"));
    BBXls->setAutoDefault(false);
    // The bottom row holds Esc; XLS goes beside it.
    if (auto* bottom = qobject_cast<QHBoxLayout*>(topLayout()->itemAt(topLayout()->count() - 1)->layout()))
        bottom->insertWidget(bottom->count() - 1, BBXls);
    connect(BBXls, &QPushButton::clicked, this, &TTelRSrchF::exportList);
    resize(980, 520);
}

void TTelRSrchF::exportList()
{
    if (list()->model()->rowCount() == 0)
        return;
    list()->fetchAll();
    using K = tools::ColumnKind;
    exportToExcel(this, tools::tableFromModel(*list()->model(), {K::Integer, K::Date, K::Text, K::Text, K::Text, K::Text, K::Text}));
}

bool TTelRSrchF::accept(const QString& key)
{
    customer_.reset();
    bool ok = false;
    const int invSel = key.toInt(&ok);
    if (ok)
        customer_ = masters::earlierCustomer(session(), invSel);
    return customer_.has_value();
}

// ---- Salesmen --------------------------------------------------------------------------------

TSalSrchF::TSalSrchF(core::Session& session, QWidget* parent)
    : SearchWindow(session, masters::makeSalesmanSearch(session), parent)
{
    setObjectName(QStringLiteral("TSalSrchF"));
    showCount();
    resize(520, 460);
}

bool TSalSrchF::accept(const QString& key)
{
    if (key.isEmpty() || !masters::SalesmanRepository(session()).find(key)) {
        showError(this, mt::salesmanNotFound());
        return false;
    }
    return true;
}

// ---- Cost centres ----------------------------------------------------------------------------

TCCSrchF::TCCSrchF(core::Session& session, QWidget* parent)
    : SearchWindow(session, std::make_unique<masters::CostCentreSearch>(session), parent)
{
    setObjectName(QStringLiteral("TCCSrchF"));
    query_ = static_cast<masters::CostCentreSearch*>(&list()->query());
    auto* row = new QHBoxLayout;
    DBLCGroup = new QComboBox(this);
    DBLCGroup->setObjectName(QStringLiteral("DBLCGroup"));
    DBLCGroup->addItem(QString(), QVariant());
    for (const masters::CostCentreGroup& g : masters::costCentreGroups(session))
        DBLCGroup->addItem(g.CENTGNM, g.CENTGNO);
    row->addWidget(new QLabel(QStringLiteral("مركز التكلفة الرئيسي"), this));
    row->addWidget(DBLCGroup, 1);
    topLayout()->insertLayout(0, row);
    setTabOrder(DBLCGroup, list()->edit());
    setTabOrder(list()->edit(), list()->grid());
    connect(DBLCGroup, &QComboBox::activated, this, [this](int i) {
        const QVariant v = DBLCGroup->itemData(i);
        query_->setGroup(v.isValid() ? std::optional<int>(v.toInt()) : std::nullopt);
        list()->reload();
    });
    resize(640, 480);
}

bool TCCSrchF::accept(const QString& key)
{
    centre_.reset();
    bool number = false;
    const int centNo = key.toInt(&number);
    if (number)
        centre_ = masters::findCostCentre(session(), centNo);
    if (!centre_) {
        showError(this, mt::costCentreNotFound());
        return false;
    }
    return true;
}

} // namespace kv::ui
