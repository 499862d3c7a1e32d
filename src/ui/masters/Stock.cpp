#include "ui/masters/Stock.h"

#include "db/Error.h"
#include "tools/ListReport.h"
#include "tools/Table.h"
#include "ui/common/EnterMovesNext.h"
#include "ui/masters/CardFlow.h"
#include "ui/common/Format.h"
#include "ui/common/MessageBox.h"
#include "ui/masters/Searches.h"
#include "ui/tools/BCode.h"
#include "ui/tools/FieldSelection.h"
#include "ui/tools/Printing.h"

#include <QAction>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace kv::ui {

using core::Right;
using masters_ui::CardMode;
namespace mt = masters::text;

namespace {

QString money(const core::Money& m) { return format2(m.toDecimal()); }
QString qty2(const masters::StockQty& q) { return format2(q.toDecimal()); }
QString whole(const masters::StockQty& q) { return formatFixed(q.toDecimal(), 0); }

// The small barcode picture of the label button.
QIcon barcodeIcon()
{
    QPixmap pm(24, 18);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    const int bars[] = {2, 1, 1, 3, 1, 2, 1, 1, 2, 1, 3, 1, 1};
    int x = 1;
    for (int i = 0; i < int(std::size(bars)) && x < 23; ++i) {
        if (i % 2 == 0)
            p.fillRect(x, 1, bars[i], 16, Qt::black);
        x += bars[i];
    }
    return QIcon(pm);
}

QLineEdit* numberEdit(QWidget* parent, const QString& name, int maxLength = 20)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setMaxLength(maxLength);
    return e;
}

QLabel* infoValue(QWidget* parent, const QString& name)
{
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setFrameShape(QFrame::StyledPanel);
    l->setFrameShadow(QFrame::Sunken);
    l->setMinimumWidth(l->fontMetrics().horizontalAdvance(QStringLiteral("0000000000.00")));
    l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    l->setLayoutDirection(Qt::LeftToRight);
    return l;
}

} // namespace

TStockF::TStockF(core::Session& session, QWidget* parent)
    : QDialog(parent)
    , s_(session)
    , repo_(session)
    , settings_(masters::ItemSettings::from(session))
{
    setObjectName(QStringLiteral("TStockF"));
    setWindowTitle(QStringLiteral("معالجة ملـف بـيـانات الأصــنـاف"));
    costVisible_ = s_.allowed(Right::R21);

    auto* top = new QVBoxLayout(this);
    pages = new QTabWidget(this);
    pages->setObjectName(QStringLiteral("PageControl"));
    auto* card = new QWidget(pages);
    auto* list = new QWidget(pages);
    pages->addTab(card, QStringLiteral(" ملـف الأصناف"));
    pages->addTab(list, QStringLiteral(" سرد وطباعة"));
    buildCard(card);
    buildList(list);
    top->addWidget(pages, 1);
    EnterMovesNext::install(this);
    connect(pages, &QTabWidget::currentChanged, this, &TStockF::pageChanged);

    loadGroups();
    reload();
    setMode(Mode::Browse);
    applyCostVisibility();
    resize(1000, 640);
}

void TStockF::buildCard(QWidget* page)
{
    auto* layout = new QVBoxLayout(page);
    QToolBar* bar = masters_ui::commandBar(page);
    std::tie(SBInsert, SBDelete, SBEdit, SBSave, SBCancel) =
        addCardCommands(bar, this, {[this] { insertItem(); }, [this] { deleteItem(); }, [this] { editItem(); },
                                    [this] { saveItem(); }, [this] { cancelEdit(); }});
    using masters_ui::addCommand;
    SBSearch = addCommand(bar, QStringLiteral("استعلام F7"), QStringLiteral("SBSearch"), QKeySequence(Qt::Key_F7),
                          [this] { searchItem(); });
    masters_ui::addShortcut(this, SBSearch, QKeySequence(Qt::Key_F4));
    std::tie(SBFirst, SBPrior, SBNext, SBLast) = nav_.addCommands(bar, Qt::Key_F5, Qt::Key_F6);
    bar->addSeparator();
    SBBCode = addCommand(bar, QStringLiteral("BC"), QStringLiteral("SBBCode"), {}, [this] { openBarcodes(); });
    SBLabels = addCommand(bar, QStringLiteral("Barode Printing"), QStringLiteral("SBLabels"), {}, [this] { openLabels(); });
    SBLabels->setIcon(barcodeIcon());
    if (auto* b = qobject_cast<QToolButton*>(bar->widgetForAction(SBLabels)))
        b->setToolButtonStyle(Qt::ToolButtonIconOnly);
    layout->addWidget(bar);
    setMinimumWidth(bar->sizeHint().width() + 60); // every command stays on the bar

    auto* body = new QHBoxLayout;
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    int row = 0;
    const auto label = [page](const QString& caption) { return masters_ui::fieldLabel(caption, page); };
    const auto field = [this](QLineEdit* e, const QString& column) {
        fieldOf_.insert(column, e);
        fields_ << e;
        return e;
    };

    // Group number and its drop-down.
    DBEArtNo = field(numberEdit(page, QStringLiteral("DBEArtNo"), settings_.groupLength), QStringLiteral("ARTNO"));
    DBEArtNo->setMaximumWidth(DBEArtNo->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 16);
    DBLCArtNo = new QComboBox(page);
    DBLCArtNo->setObjectName(QStringLiteral("DBLCArtNo"));
    DBLCArtNo->setToolTip(QStringLiteral("ملـف البنـود الرئيسـية"));
    DBLCArtNo->setMinimumContentsLength(20);
    fields_ << DBLCArtNo;
    {
        auto* h = new QHBoxLayout;
        h->addWidget(DBEArtNo);
        h->addWidget(DBLCArtNo, 1);
        grid->addWidget(label(QStringLiteral("رقم البنـد الرئيسـي")), row, 0);
        grid->addLayout(h, row, 1, 1, 3);
        ++row;
    }
    DBEItemNo = field(numberEdit(page, QStringLiteral("DBEItemNo"), 14), QStringLiteral("ITEMNO"));
    LblLast = new QLabel(QStringLiteral("آخــر رقـم بالـبـنــد"), page);
    LblLast->setObjectName(QStringLiteral("LblLast"));
    LblLastNo = new QLabel(page);
    LblLastNo->setObjectName(QStringLiteral("LblLastNo"));
    {
        auto* h = new QHBoxLayout;
        h->addWidget(DBEItemNo, 1);
        h->addSpacing(12);
        h->addWidget(LblLast);
        h->addWidget(LblLastNo);
        h->addStretch(1);
        grid->addWidget(label(QStringLiteral("رقـــــم الـصـــنـــف")), row, 0);
        grid->addLayout(h, row, 1, 1, 3);
        ++row;
    }
    DBEDescr = field(numberEdit(page, QStringLiteral("DBEDescr"), 40), QStringLiteral("DESCR"));
    grid->addWidget(label(QStringLiteral("الــبـــيـــــــــــــــان")), row, 0);
    grid->addWidget(DBEDescr, row++, 1, 1, 3);
    DBEDescE = field(numberEdit(page, QStringLiteral("DBEDescE"), 40), QStringLiteral("DESCE"));
    DBEDescE->setLayoutDirection(Qt::LeftToRight);
    grid->addWidget(label(QStringLiteral("البيـان بالانجـليزي")), row, 0);
    grid->addWidget(DBEDescE, row++, 1, 1, 3);

    const auto pair = [&](const QString& c1, QLineEdit* e1, const QString& c2, QLineEdit* e2, QLabel** l1 = nullptr,
                          QLabel** l2 = nullptr) {
        QLabel* a = label(c1);
        QLabel* b = label(c2);
        grid->addWidget(a, row, 0);
        grid->addWidget(e1, row, 1);
        grid->addWidget(b, row, 2);
        grid->addWidget(e2, row, 3);
        if (l1) *l1 = a;
        if (l2) *l2 = b;
        ++row;
    };
    DBEUnit = field(numberEdit(page, QStringLiteral("DBEUnit"), 10), QStringLiteral("UNIT"));
    DBEUnitE = field(numberEdit(page, QStringLiteral("DBEUnitE"), 10), QStringLiteral("UNITE"));
    pair(QStringLiteral("الـــوحـــــــــــــــدة"), DBEUnit, QStringLiteral("الوحـدة بالانجـليزي"), DBEUnitE);
    DBESubUnit = field(numberEdit(page, QStringLiteral("DBESubUnit"), 10), QStringLiteral("SUBUNIT"));
    DBESubUnitE = field(numberEdit(page, QStringLiteral("DBESubUnitE"), 10), QStringLiteral("SUBUNITE"));
    pair(QStringLiteral("الوحــدة الصـغـري"), DBESubUnit, QStringLiteral("الصغرى بالانجليزي"), DBESubUnitE);
    DBEQUnits = field(numberEdit(page, QStringLiteral("DBEQUnits")), QStringLiteral("QUNITS"));
    DBEMinStock = field(numberEdit(page, QStringLiteral("DBEMinStock"), 6), QStringLiteral("MINSTOCK"));
    pair(QStringLiteral("عـدد الوحدات (الشد)"), DBEQUnits, QStringLiteral("حـد إعـادة الـطـلـب"), DBEMinStock);
    DBEUPrice = field(numberEdit(page, QStringLiteral("DBEUPrice")), QStringLiteral("UPRICE"));
    DBEUPrice2 = field(numberEdit(page, QStringLiteral("DBEUPrice2")), QStringLiteral("UPRICE2"));
    pair(QStringLiteral("سعر البيع(كبرى)"), DBEUPrice, QStringLiteral("سعر البيع(صغرى)"), DBEUPrice2);
    DBEUPriceC = field(numberEdit(page, QStringLiteral("DBEUPriceC")), QStringLiteral("UPRICEC"));
    DBEUPrice2C = field(numberEdit(page, QStringLiteral("DBEUPrice2C")), QStringLiteral("UPRICE2C"));
    pair(QStringLiteral("سعر الكبرى(آجل)"), DBEUPriceC, QStringLiteral("سعر الصغرى(آجل)"), DBEUPrice2C);
    DBEUCost = field(numberEdit(page, QStringLiteral("DBEUCost")), QStringLiteral("UCOST"));
    DBEMarkup = field(numberEdit(page, QStringLiteral("DBEMarkup")), QStringLiteral("MARKUP"));
    pair(QStringLiteral("ت/الوحدة الصغرى"), DBEUCost, QStringLiteral("نـســبــة الـربــــــح"), DBEMarkup, &LblUCost,
         &LblMarkup);
    DBELocation = field(numberEdit(page, QStringLiteral("DBELocation"), 8), QStringLiteral("LOCATION"));
    DBEEDate = field(numberEdit(page, QStringLiteral("DBEEDate"), 10), QStringLiteral("EDATE"));
    DBEEDate->setLayoutDirection(Qt::LeftToRight);
    DBEEDate->setAlignment(Qt::AlignRight);
    pair(QStringLiteral("الموقع بالمستودع"), DBELocation, QStringLiteral("إنـتهـاء الصـلاحـيـة"), DBEEDate);
    grid->setRowStretch(row, 1);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    body->addLayout(grid, 3);

    // The information panel.
    PnlInfo = new QGroupBox(page);
    PnlInfo->setObjectName(QStringLiteral("PnlInfo"));
    auto* info = new QGridLayout(PnlInfo);
    LblLQtyIn = infoValue(PnlInfo, QStringLiteral("LblLQtyIn"));
    LblLQtySold = infoValue(PnlInfo, QStringLiteral("LblLQtySold"));
    LblCost = infoValue(PnlInfo, QStringLiteral("LblCost"));
    LblCostL = infoValue(PnlInfo, QStringLiteral("LblCostL"));
    LblOnHand = infoValue(PnlInfo, QStringLiteral("LblOnHand"));
    LblQOnHnd = infoValue(PnlInfo, QStringLiteral("LblQOnHnd"));
    LblCurVal = infoValue(PnlInfo, QStringLiteral("LblCurVal"));
    int r = 0;
    const auto infoRow = [&](const QString& caption, QLabel* a, QLabel* b) {
        auto* holder = new QWidget(PnlInfo);
        auto* h = new QHBoxLayout(holder);
        h->setContentsMargins(0, 0, 0, 0);
        auto* cap = new QLabel(caption, holder);
        h->addWidget(cap, 1);
        h->addWidget(a);
        if (b)
            h->addWidget(b);
        info->addWidget(holder, r++, 0);
        return holder;
    };
    infoRow(QStringLiteral("آخـر حركـة توريـد"), LblLQtyIn, nullptr);
    infoRow(QStringLiteral("آخـر حركـة بـيـــع"), LblLQtySold, nullptr);
    RowCost = infoRow(QStringLiteral("ســـعـر الـتـكـلـفــة"), LblCost, LblCostL);
    infoRow(QStringLiteral("الكمـيـة المتـوفـرة"), LblOnHand, LblQOnHnd);
    RowCurVal = infoRow(QStringLiteral("قيـمة المخزون"), LblCurVal, nullptr);
    info->setRowStretch(r, 1);
    body->addWidget(PnlInfo, 2);
    layout->addLayout(body, 1);

    masters_ui::onLeave(DBEArtNo, [this] { groupLeft(); });
    connect(DBLCArtNo, &QComboBox::activated, this, [this](int i) {
        if (mode_ == Mode::Browse || i < 0 || i >= groups_.size())
            return;
        DBEArtNo->setText(groups_[i].ARTNO);
        groupLeft();
    });
}

void TStockF::buildList(QWidget* page)
{
    auto* layout = new QVBoxLayout(page);
    auto* filters = new QHBoxLayout;
    EdtLocation = new QLineEdit(page);
    EdtLocation->setObjectName(QStringLiteral("EdtLocation"));
    EdtLocation->setMaxLength(8);
    DBLCGroup = new QComboBox(page);
    DBLCGroup->setObjectName(QStringLiteral("DBLCGroup"));
    DBLCGroup->setMinimumContentsLength(20);
    EdtGroupNo = new QLineEdit(page);
    EdtGroupNo->setObjectName(QStringLiteral("EdtGroupNo"));
    EdtGroupNo->setReadOnly(true);
    EdtGroupNo->setFocusPolicy(Qt::NoFocus);
    EdtGroupNo->setMaximumWidth(EdtGroupNo->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 16);
    filters->addWidget(new QLabel(QStringLiteral("الموقـع"), page));
    filters->addWidget(EdtLocation);
    filters->addSpacing(20);
    filters->addWidget(new QLabel(QStringLiteral("البند الرئيسي"), page));
    filters->addWidget(DBLCGroup, 1);
    filters->addWidget(EdtGroupNo);
    filters->addStretch(1);
    auto* print = new QPushButton(QStringLiteral("طباعة"), page);
    print->setObjectName(QStringLiteral("BBPrint"));
    auto* excel = new QPushButton(QStringLiteral("إلى Excel"), page);
    excel->setObjectName(QStringLiteral("BBExcel"));
    auto* exit = new QPushButton(QStringLiteral("خروج"), page);
    exit->setObjectName(QStringLiteral("BBExit"));
    filters->addWidget(print);
    filters->addWidget(excel);
    filters->addWidget(exit);
    layout->addLayout(filters);

    listModel_ = new masters_ui::TextTableModel(
        {QStringLiteral("رقم الصـنف"), QStringLiteral("الــبـــيـــــــــــــــان"), QStringLiteral("الـكـمـيـة"),
         QStringLiteral("التكلفة"), QStringLiteral("سعر البيع"), QStringLiteral("الوحـدة"), QStringLiteral("الصغرى"),
         QStringLiteral("الشد")},
        this);
    listModel_->setNumericColumns({2, 3, 4, 7});
    DBGList = masters_ui::listGrid(listModel_, page, QStringLiteral("DBGList"), 1);
    const int cw = DBGList->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    const int widths[] = {12, 30, 10, 10, 10, 8, 8, 5};
    for (int i = 0; i < 8; ++i)
        DBGList->setColumnWidth(i, widths[i] * cw + 14);
    layout->addWidget(DBGList, 1);
    StatusBar = new QStatusBar(page);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setSizeGripEnabled(false);
    layout->addWidget(StatusBar);

    connect(EdtLocation, &QLineEdit::editingFinished, this, [this] { filterByLocation(EdtLocation->text()); });
    connect(DBLCGroup, &QComboBox::activated, this, [this](int i) {
        if (i >= 0 && i < groups_.size())
            filterByGroup(groups_[i].ARTNO);
    });
    connect(print, &QPushButton::clicked, this, &TStockF::printList);
    connect(excel, &QPushButton::clicked, this, &TStockF::exportList);
    connect(exit, &QPushButton::clicked, this, &TStockF::reject);
}

void TStockF::loadGroups()
{
    groups_ = masters::ItemGroupRepository(s_).list();
    for (QComboBox* c : {DBLCArtNo, DBLCGroup}) {
        c->clear();
        for (const masters::ItemGroup& g : groups_)
            c->addItem(g.ARTNM, g.ARTNO);
        c->setCurrentIndex(-1);
    }
}

const masters::Item* TStockF::currentItem() const
{
    const int i = nav_.position();
    return i >= 0 && i < items_.size() ? &items_[i] : nullptr;
}

void TStockF::reload(const QString& positionOnItem)
{
    const QString keep = !positionOnItem.isEmpty() ? positionOnItem : (currentItem() ? currentItem()->ITEMNO : QString());
    items_ = repo_.list();
    QStringList keys;
    for (const masters::Item& it : items_)
        keys << it.ITEMNO;
    nav_.setKeys(keys, keep);
    showCurrent();
}

void TStockF::showCurrent()
{
    static const masters::Item blank = masters::ItemRepository::newItem();
    showItem(currentItem() ? *currentItem() : blank);
}

void TStockF::showItem(const masters::Item& it)
{
    DBEArtNo->setText(it.ARTNO);
    int g = -1;
    for (int i = 0; i < groups_.size(); ++i)
        if (groups_[i].ARTNO == it.ARTNO)
            g = i;
    DBLCArtNo->setCurrentIndex(g);
    DBEItemNo->setText(it.ITEMNO);
    DBEDescr->setText(it.DESCR);
    DBEDescE->setText(it.DESCE);
    DBEUnit->setText(it.UNIT);
    DBEUnitE->setText(it.UNITE);
    DBESubUnit->setText(it.SUBUNIT);
    DBESubUnitE->setText(it.SUBUNITE);
    DBEQUnits->setText(whole(it.QUNITS));
    DBEUPrice->setText(money(it.UPRICE));
    DBEUPrice2->setText(money(it.UPRICE2));
    DBEUPriceC->setText(money(it.UPRICEC));
    DBEUPrice2C->setText(money(it.UPRICE2C));
    DBEMinStock->setText(QString::number(it.MINSTOCK));
    DBEMarkup->setText(money(it.MARKUP));
    DBELocation->setText(it.LOCATION);
    DBEEDate->setText(formatTypedDate(it.EDATE));
    DBEUCost->setText(money(it.UCOST));

    const core::ItemQuantities q = it.quantities();
    LblLQtyIn->setText(formatDate(it.LQTYIN));
    LblLQtySold->setText(formatDate(it.LQTYSOLD));
    LblCost->setText(money(it.UCOST));
    LblCostL->setText(format2(q.UCST.toDecimal()));
    LblOnHand->setText(qty2(it.ONHAND));
    LblQOnHnd->setText(format2(q.QONHND.toDecimal()));
    LblCurVal->setText(money(q.CURVAL));
    nav_.updateCommands();
}

void TStockF::setMode(Mode m)
{
    mode_ = m;
    const bool entry = m != Mode::Browse;
    for (QWidget* w : fields_)
        w->setEnabled(entry);
    DBEArtNo->setReadOnly(m == Mode::Edit);
    DBEItemNo->setReadOnly(m == Mode::Edit);
    DBEQUnits->setReadOnly(m == Mode::Insert && !repo_.unitsEditable(true));
    DBEEDate->setPlaceholderText(entry ? QStringLiteral("dd/mm/yyyy") : QString());
    enableForEntry(entry, {SBSave, SBCancel}, {SBInsert, SBDelete, SBEdit, SBSearch, SBBCode, SBLabels});
    PnlInfo->setVisible(m != Mode::Insert);
    LblLast->setVisible(m == Mode::Insert);
    LblLastNo->setVisible(m == Mode::Insert);
    nav_.updateCommands();
}

void TStockF::applyCostVisibility()
{
    for (QWidget* w : std::initializer_list<QWidget*>{DBEUCost, LblUCost, DBEMarkup, LblMarkup, RowCost, RowCurVal})
        w->setVisible(costVisible_);
    DBGList->setColumnHidden(3, !costVisible_);
}

void TStockF::focusColumn(const QString& column)
{
    if (QWidget* w = fieldOf_.value(column)) {
        pages->setCurrentIndex(0);
        w->setFocus();
    }
}

// ---- Card commands ---------------------------------------------------------------------------

void TStockF::insertItem()
{
    if (mode_ != Mode::Browse || !s_.allowed(Right::T16))
        return;
    pages->setCurrentIndex(0);
    const QString group = currentItem() ? currentItem()->ARTNO : QString();
    pending_ = masters::ItemRepository::newItem(group);
    // The blank row: running values 0 and QUNITS 1, in the group of the item that was shown.
    showItem(*pending_);
    setMode(Mode::Insert);
    try {
        LblLastNo->setText(group.isEmpty() ? QString() : repo_.lastItemNoInGroup(group));
    } catch (const db::DbError&) {
        LblLastNo->clear();
    }
    DBEArtNo->setFocus();
    DBEArtNo->selectAll();
}

void TStockF::editItem()
{
    if (mode_ != Mode::Browse || !currentItem() || !s_.allowed(Right::T18))
        return;
    pages->setCurrentIndex(0);
    pending_ = *currentItem();
    setMode(Mode::Edit);
    DBEDescr->setFocus();
}

void TStockF::groupLeft()
{
    if (mode_ == Mode::Browse || checkingGroup_)
        return;
    checkingGroup_ = true;
    const QString artNo = DBEArtNo->text().trimmed();
    int found = -1;
    for (int i = 0; i < groups_.size(); ++i)
        if (groups_[i].ARTNO == artNo)
            found = i;
    if (found < 0) {
        showError(this, mt::mainGroupNotFound());
        DBLCArtNo->setFocus();
        checkingGroup_ = false;
        return;
    }
    DBLCArtNo->setCurrentIndex(found);
    if (mode_ == Mode::Insert) {
        try {
            LblLastNo->setText(repo_.lastItemNoInGroup(artNo));
        } catch (const db::DbError&) {
            LblLastNo->clear();
        }
    }
    checkingGroup_ = false;
}

std::optional<masters::Item> TStockF::collect()
{
    masters::Item it = pending_ ? *pending_ : masters::ItemRepository::newItem();
    const auto conversionError = [this](QLineEdit* e) {
        showError(this, QStringLiteral("القيمة '%1' ليست رقما صحيحا").arg(e->text().trimmed()));
        e->setFocus();
        e->selectAll();
        return std::nullopt;
    };
    // QUNITS first: an empty text counts as 0 and is refused by the unit-count rule.
    const QString units = DBEQUnits->text().trimmed();
    if (units.isEmpty()) {
        it.QUNITS = masters::StockQty();
    } else if (auto q = masters::StockQty::parse(units)) {
        it.QUNITS = *q;
    } else {
        conversionError(DBEQUnits);
        return std::nullopt;
    }
    const std::pair<QLineEdit*, core::Money*> amounts[] = {
        {DBEUPrice, &it.UPRICE}, {DBEUPrice2, &it.UPRICE2}, {DBEUPriceC, &it.UPRICEC},
        {DBEUPrice2C, &it.UPRICE2C}, {DBEMarkup, &it.MARKUP}, {DBEUCost, &it.UCOST}};
    for (const auto& [edit, value] : amounts) {
        if (!edit->isVisible() && !costVisible_ && (edit == DBEUCost || edit == DBEMarkup))
            continue; // hidden costs keep what the row has
        const QString t = edit->text().trimmed();
        if (t.isEmpty()) {
            *value = core::Money();
        } else if (auto m = core::Money::parse(t)) {
            *value = *m;
        } else {
            conversionError(edit);
            return std::nullopt;
        }
    }
    {
        const QString t = DBEMinStock->text().trimmed();
        bool ok = true;
        it.MINSTOCK = t.isEmpty() ? 0 : t.toInt(&ok);
        if (!ok) {
            conversionError(DBEMinStock);
            return std::nullopt;
        }
    }
    {
        const QString t = DBEEDate->text().trimmed();
        it.EDATE = t.isEmpty() ? QDate() : parseTypedDate(t);
        if (!t.isEmpty() && !it.EDATE.isValid()) {
            showError(this, mt::badDate());
            DBEEDate->setFocus();
            return std::nullopt;
        }
    }
    it.ARTNO = DBEArtNo->text().trimmed();
    it.DESCR = DBEDescr->text();
    it.DESCE = DBEDescE->text();
    it.UNIT = DBEUnit->text();
    it.UNITE = DBEUnitE->text();
    it.SUBUNIT = DBESubUnit->text();
    it.SUBUNITE = DBESubUnitE->text();
    it.LOCATION = DBELocation->text();
    return it;
}

bool TStockF::saveItem()
{
    if (mode_ == Mode::Browse)
        return false;
    std::optional<masters::Item> it = collect();
    if (!it)
        return false;
    masters::Check c;
    try {
        if (mode_ == Mode::Insert)
            c = repo_.insert(*it, DBEItemNo->text());
        else
            c = repo_.update(*pending_, *it);
    } catch (const db::DbError& e) {
        if (e.isBusy())
            masters_ui::showDbError(this, s_, e);
        else
            showError(this, mt::itemExists());
        DBEItemNo->setFocus();
        return false;
    }
    if (!c.ok()) {
        masters_ui::showCheck(this, c);
        focusColumn(c.field.isEmpty() ? QStringLiteral("ITEMNO") : c.field);
        return false;
    }
    const QString saved = it->ITEMNO;
    pending_.reset();
    setMode(Mode::Browse);
    reload(saved);
    return true;
}

void TStockF::cancelEdit()
{
    if (mode_ == Mode::Browse)
        return;
    pending_.reset();
    setMode(Mode::Browse);
    showCurrent();
}

void TStockF::deleteItem()
{
    if (mode_ != Mode::Browse || !s_.allowed(Right::T17))
        return;
    if (!currentItem()) {
        showInformation(this, mt::noRecords());
        return;
    }
    const QString itemNo = currentItem()->ITEMNO;
    if (masters_ui::removeCard(this, s_, [&] { return repo_.canRemove(itemNo); }, s_.msg.mUDele,
                               [&] { return repo_.remove(itemNo); }))
        reload();
}

void TStockF::searchItem()
{
    if (mode_ != Mode::Browse)
        return;
    TItmSrchF search(s_, this);
    search.exec();
    if (s_.mFound) {
        reload(search.chosenKey());
        positionOn(search.chosenKey());
    }
}

void TStockF::openBarcodes()
{
    if (mode_ != Mode::Browse || !currentItem())
        return;
    TItemBCF f(s_, currentItem()->ITEMNO, this);
    f.exec();
}

void TStockF::openLabels()
{
    if (mode_ != Mode::Browse || !currentItem())
        return;
    TBCodeF f(this);
    f.vItmNo = currentItem()->ITEMNO;
    f.vDescr = currentItem()->DESCR;
    f.exec();
}

void TStockF::reject()
{
    cancelEdit();
    QDialog::reject();
}

// ---- List page -------------------------------------------------------------------------------

void TStockF::pageChanged(int index)
{
    if (index == 1) {
        cancelEdit();
        try {
            if (!listGroup_.isEmpty())
                fillList(repo_.listByGroup(listGroup_));
            else if (!listLocation_.isEmpty())
                fillList(repo_.listByLocation(listLocation_));
            else
                fillList(repo_.list());
        } catch (const db::DbError& e) {
            masters_ui::showDbError(this, s_, e);
        }
        DBGList->setFocus();
    } else if (shownPage_ == 1) {
        // Back on the card: show the item selected in the list.
        const int row = DBGList->currentIndex().row();
        if (row >= 0 && row < listItems_.size()) {
            reload(listItems_[row].ITEMNO);
        }
    }
    shownPage_ = index;
}

void TStockF::showListPage()
{
    pages->setCurrentIndex(1);
}

void TStockF::fillList(const QList<masters::Item>& items)
{
    listItems_ = items;
    QList<QStringList> rows;
    rows.reserve(items.size());
    for (const masters::Item& it : items)
        rows << QStringList{it.ITEMNO,      it.DESCR,       qty2(it.ONHAND),
                            money(it.UCOST), money(it.UPRICE), it.UNIT,
                            it.SUBUNIT,     whole(it.QUNITS)};
    listModel_->setRows(rows);
    if (!rows.isEmpty())
        DBGList->setCurrentIndex(listModel_->index(0, 0));
}

void TStockF::filterByLocation(const QString& location)
{
    listLocation_ = location.trimmed();
    listGroup_.clear();
    DBLCGroup->setCurrentIndex(-1);
    EdtGroupNo->clear();
    try {
        fillList(repo_.listByLocation(listLocation_));
    } catch (const db::DbError& e) {
        masters_ui::showDbError(this, s_, e);
    }
}

void TStockF::filterByGroup(const QString& artNo)
{
    listGroup_ = artNo;
    listLocation_.clear();
    EdtLocation->clear();
    EdtGroupNo->setText(artNo);
    for (int i = 0; i < groups_.size(); ++i)
        if (groups_[i].ARTNO == artNo)
            DBLCGroup->setCurrentIndex(i);
    try {
        fillList(repo_.listByGroup(artNo));
    } catch (const db::DbError& e) {
        masters_ui::showDbError(this, s_, e);
    }
}

QStringList TStockF::listedItemNumbers() const
{
    QStringList r;
    for (const masters::Item& it : listItems_)
        r << it.ITEMNO;
    return r;
}

tools::ListReport TStockF::listReport() const
{
    using tools::ColumnKind;
    tools::ListReport r;
    r.firmName = s_.mFirmN;
    r.address = s_.mAddrs;
    r.telephone = s_.mTelNo;
    r.userName = s_.UNM;
    r.title = QStringLiteral("قـائـمـة بأرقــام وأسـماء الأصــنـاف");
    if (!listGroup_.isEmpty()) {
        QString name;
        for (const masters::ItemGroup& g : groups_)
            if (g.ARTNO == listGroup_)
                name = g.ARTNM;
        r.parameters << QStringLiteral("للبند: [") + tools::isolate(listGroup_) + QStringLiteral("]  ") + name;
    } else if (!listLocation_.isEmpty()) {
        r.parameters << QStringLiteral("بالموقع:  ") + listLocation_;
    }
    r.table.columns = {{QStringLiteral("رقـم الصـنف"), ColumnKind::Text, 14},
                       {QStringLiteral("بـيــان الـصــنـف"), ColumnKind::Text, 36},
                       {QStringLiteral("الكميـة"), ColumnKind::Money, 10},
                       {QStringLiteral("الشد"), ColumnKind::Text, 6},
                       {QStringLiteral("الصغرى"), ColumnKind::Text, 9},
                       {QStringLiteral("وحدة كبرى"), ColumnKind::Text, 9}};
    if (costVisible_)
        r.table.columns.push_back({QStringLiteral("سعر التكلفة"), ColumnKind::Money, 10});
    for (const masters::Item& it : listItems_) {
        tools::Row row{it.ITEMNO, it.DESCR, it.ONHAND.toDecimal(), whole(it.QUNITS), it.SUBUNIT, it.UNIT};
        if (costVisible_)
            row.push_back(it.UCOST.toDecimal());
        r.table.rows.push_back(std::move(row));
    }
    return r;
}

void TStockF::printList()
{
    printOrPreview(this, tools::layoutList(listReport()));
    if (listModel_->rowCount() > 0)
        DBGList->setCurrentIndex(listModel_->index(0, 0));
}

tools::Table TStockF::listTable() const
{
    using tools::ColumnKind;
    tools::Table t;
    t.columns = {{QStringLiteral("رقم الصـنف"), ColumnKind::Text, 14},
                 {QStringLiteral("الــبـــيـــــــــــــــان"), ColumnKind::Text, 40},
                 {QStringLiteral("الـكـمـيـة"), ColumnKind::Money, 10}};
    if (costVisible_)
        t.columns.push_back({QStringLiteral("التكلفة"), ColumnKind::Money, 10});
    t.columns.push_back({QStringLiteral("سعر البيع"), ColumnKind::Money, 10});
    t.columns.push_back({QStringLiteral("الوحـدة"), ColumnKind::Text, 10});
    t.columns.push_back({QStringLiteral("الصغرى"), ColumnKind::Text, 10});
    t.columns.push_back({QStringLiteral("الشد"), ColumnKind::Integer, 6});
    for (const masters::Item& it : listItems_) {
        tools::Row row{it.ITEMNO, it.DESCR, it.ONHAND.toDecimal()};
        if (costVisible_)
            row.push_back(it.UCOST.toDecimal());
        row.push_back(it.UPRICE.toDecimal());
        row.push_back(it.UNIT);
        row.push_back(it.SUBUNIT);
        row.push_back(std::int64_t(it.QUNITS.round<0>().units()));
        t.rows.push_back(std::move(row));
    }
    return t;
}

void TStockF::exportList()
{
    if (pages->currentIndex() != 1)
        return;
    exportToExcel(this, listTable(), StatusBar);
}

// ---- Extra barcodes --------------------------------------------------------------------------

TItemBCF::TItemBCF(core::Session& session, const QString& itemNo, QWidget* parent)
    : QDialog(parent)
    , s_(session)
    , itemNo_(itemNo)
{
    setObjectName(QStringLiteral("TItemBCF"));
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    EdtBCode = new QLineEdit(this);
    EdtBCode->setObjectName(QStringLiteral("EdtBCode"));
    EdtBCode->setMaxLength(30);
    EdtBCode->setLayoutDirection(Qt::LeftToRight);
    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("BBOk"));
    ok->setAutoDefault(false);
    auto* exit = new QPushButton(QStringLiteral("E"), this);
    exit->setObjectName(QStringLiteral("BBExit"));
    exit->setAutoDefault(false);
    row->addWidget(EdtBCode, 1);
    row->addWidget(ok);
    row->addWidget(exit);
    layout->addLayout(row);
    model_ = new masters_ui::TextTableModel({QStringLiteral("BCODE")}, this);
    DBGCodes = masters_ui::listGrid(model_, this, QStringLiteral("DBGCodes"));
    DBGCodes->setToolTip(QStringLiteral("للحذف Double Click"));
    DBGCodes->setLayoutDirection(Qt::LeftToRight);
    layout->addWidget(DBGCodes, 1);

    connect(ok, &QPushButton::clicked, this, &TItemBCF::addBarcode);
    connect(exit, &QPushButton::clicked, this, &TItemBCF::reject);
    connect(EdtBCode, &QLineEdit::returnPressed, this, &TItemBCF::addBarcode);
    connect(DBGCodes, &QTableView::doubleClicked, this, [this](const QModelIndex& i) { removeBarcode(i.row()); });
    refresh();
    resize(420, 360);
}

void TItemBCF::refresh()
{
    try {
        codes_ = masters::BarcodeRepository(s_).list(itemNo_);
    } catch (const db::DbError& e) {
        masters_ui::showDbError(this, s_, e);
    }
    QList<QStringList> rows;
    for (const QString& c : codes_)
        rows << QStringList{c};
    model_->setRows(rows);
    setWindowTitle(QStringLiteral("Bar Code : ") + QStringLiteral("عدد السجلات: ") + QString::number(codes_.size()));
    EdtBCode->clear();
}

void TItemBCF::addBarcode()
{
    const QString code = EdtBCode->text().trimmed();
    if (code.isEmpty())
        return;
    try {
        const masters::Check c = masters::BarcodeRepository(s_).add(code, itemNo_);
        if (!c.ok()) {
            masters_ui::showCheck(this, c);
            return;
        }
    } catch (const db::DbError& e) {
        if (e.isBusy())
            masters_ui::showDbError(this, s_, e);
        else
            showError(this, mt::barcodeExists());
        return;
    }
    refresh();
}

void TItemBCF::removeBarcode(int row)
{
    if (row < 0 || row >= codes_.size())
        return;
    if (!askYesNo(this, mt::confirmDeleteRecord()))
        return;
    try {
        masters::BarcodeRepository(s_).remove(codes_[row]);
    } catch (const db::DbError& e) {
        masters_ui::showDbError(this, s_, e);
    }
    refresh();
}

} // namespace kv::ui
