#include "ui/documents/QtySold.h"

#include "core/Rights.h"
#include "db/Connection.h"
#include "documents/SalesCommands.h"
#include "masters/Accounts.h"
#include "masters/Items.h"
#include "masters/Salesmen.h"
#include "ui/common/ClickableLabel.h"
#include "ui/common/EnterMovesNext.h"
#include "ui/common/Format.h"
#include "ui/common/MessageBox.h"
#include "ui/documents/SalesWindows.h"
#include "ui/masters/MasterUi.h"
#include "ui/masters/Searches.h"
#include "ui/masters/Stock.h"
#include "ui/tools/Printing.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QTableWidget>
#include <QTimer>
#include <QToolBar>

namespace kv::ui {

using core::Money;
using core::Price;
using core::Qty;
using documents::Outcome;
using documents::SalesHeader;
using documents::SalesLine;

namespace {

QString m2(const Money& m) { return format2(m.toDecimal()); }
QString m4(const core::Fixed<4>& m) { return format4(m.toDecimal()); }

QLabel* display(QWidget* parent, const QString& name, int minWidth = 90)
{
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setFrameShape(QFrame::StyledPanel);
    l->setMinimumWidth(minWidth);
    l->setAlignment(Qt::AlignCenter);
    return l;
}

QLineEdit* edit(QWidget* parent, const QString& name, int maxLength, int maxWidth = 0)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    if (maxLength > 0) e->setMaxLength(maxLength);
    if (maxWidth > 0) e->setMaximumWidth(maxWidth);
    return e;
}

template <class F>
F parsed(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty()) return F();
    if (auto v = F::parse(t)) return *v;
    return F();
}

QString numberText(int n) { return n ? QString::number(n) : QString(); }

const char* const kBlinkOn = "QLabel { background: red; color: white; }";
const char* const kBlinkOff = "QLabel { background: silver; }";

} // namespace

TQtySoldF::TQtySoldF(core::Session& session, QWidget* parent)
    : DocumentWindow(session, documents::salesInvoiceKind(), parent)
    , showsCost_(session.allowed(core::Right::R21))
{
    setWindowTitle(documents::text::salesInvoiceCaption());
    buildHeader();
    buildGrid();
    buildTotals();

    // The held invoices beside the hold button; the item file for supervisors.
    CBHeld = new QComboBox(this);
    CBHeld->setObjectName(QStringLiteral("CBHeld"));
    CBHeld->setMinimumWidth(180);
    CBHeld->setToolTip(QStringLiteral("الفواتير المعلقة"));
    bar_->addWidget(CBHeld);
    connect(CBHeld, &QComboBox::activated, this, [this](int index) { resumeHeld(index); });
    if (s_.isAdmin()) {
        bar_->addSeparator();
        SBStock = masters_ui::addCommand(bar_, QStringLiteral("الأصناف"), QStringLiteral("SBStock"), {},
                                         [this] { openItemFile(); });
    }

    const std::pair<QKeySequence, void (TQtySoldF::*)()> keys[] = {
        {QKeySequence(Qt::Key_F1), &TQtySoldF::readBarcode},
        {QKeySequence(Qt::Key_F3), &TQtySoldF::enterLineTotal},
        {QKeySequence(Qt::Key_F4), &TQtySoldF::search},
        {QKeySequence(Qt::Key_F8), &TQtySoldF::itemHistory},
        {QKeySequence(Qt::Key_F11), &TQtySoldF::clientInfo},
        {QKeySequence(Qt::SHIFT | Qt::Key_F9), &TQtySoldF::armRepair},
        {QKeySequence(Qt::CTRL | Qt::Key_Delete), &TQtySoldF::deleteLine},
    };
    for (const auto& [key, run] : keys) {
        auto* sc = new QShortcut(key, this);
        sc->setContext(Qt::WindowShortcut);
        connect(sc, &QShortcut::activated, this, run);
    }

    blink_ = new QTimer(this);
    blink_->setInterval(500);
    connect(blink_, &QTimer::timeout, this, [this] { blink(); });

    EnterMovesNext::install(this);
    resize(1180, 680);
    openWorkflow();
}

TQtySoldF::~TQtySoldF() = default;

void TQtySoldF::buildHeader()
{
    auto* g = new QGridLayout;
    const auto caption = [this](const char* t) { return new QLabel(QString::fromUtf8(t), this); };
    LblBranch = new QLabel(QStringLiteral("فرع: ") + s_.mvBrNm.trimmed(), this);
    LblBranch->setObjectName(QStringLiteral("LblBranch"));
    DBEInvSel = edit(this, QStringLiteral("DBEInvSel"), 9, 130);
    DBEDate = new QDateEdit(this);
    DBEDate->setObjectName(QStringLiteral("DBEDate"));
    prepareDateEdit(DBEDate);
    DBRGTirms = new QComboBox(this);
    DBRGTirms->setObjectName(QStringLiteral("DBRGTirms"));
    DBRGTirms->addItem(QStringLiteral("فـاتـورة نـقـديــة"), 0);
    DBRGTirms->addItem(QStringLiteral("فـاتـورة آجـلــــة"), 1);
    DBEAcctNo = edit(this, QStringLiteral("DBEAcctNo"), 9, 130);
    LblAcctName = display(this, QStringLiteral("LblAcctName"), 240);
    LblTel = display(this, QStringLiteral("LblTel"), 110);
    DBECustName = edit(this, QStringLiteral("DBECustName"), 40);
    DBLCSalRep = new QComboBox(this);
    DBLCSalRep->setObjectName(QStringLiteral("DBLCSalRep"));
    DBLCSalRep->addItem(QString(), QString());
    for (const masters::Salesman& m : masters::SalesmanRepository(s_).list())
        DBLCSalRep->addItem(m.SALRID + QStringLiteral(" - ") + m.NAME, m.SALRID);
    DBEDays = edit(this, QStringLiteral("DBEDays"), 4, 70);
    DBEDelDate = new QDateEdit(this);
    DBEDelDate->setObjectName(QStringLiteral("DBEDelDate"));
    prepareDateEdit(DBEDelDate);
    DBERefNo = edit(this, QStringLiteral("DBERefNo"), 12, 130);
    DBEQuotNo = edit(this, QStringLiteral("DBEQuotNo"), 9, 90);
    DBESalOrd = edit(this, QStringLiteral("DBESalOrd"), 9, 90);
    DBELocat = edit(this, QStringLiteral("DBELocat"), 30);
    LblTaxCode = display(this, QStringLiteral("LblTaxCode"), 150);
    LblAddTax = new ClickableLabel(QStringLiteral("+"), this);
    LblAddTax->setObjectName(QStringLiteral("LblAddTax"));
    LblAddTax->setToolTip(QStringLiteral("أدخل الرقم الضريبي"));
    LblAddTax->setCursor(Qt::PointingHandCursor);
    LblPrevBal = display(this, QStringLiteral("LblPrevBal"));
    LblPrevBal->setAutoFillBackground(true);
    LblCrLimit = new QLabel(this);
    LblCrLimit->setObjectName(QStringLiteral("LblCrLimit"));

    const auto pair = [this](QWidget* a, QWidget* b) {
        auto* w = new QWidget(this);
        auto* h = new QHBoxLayout(w);
        h->setContentsMargins(0, 0, 0, 0);
        h->addWidget(a);
        h->addWidget(b);
        return w;
    };

    g->setColumnStretch(3, 1);
    g->addWidget(caption("رقم الفاتورة"), 0, 0);
    g->addWidget(DBEInvSel, 0, 1);
    g->addWidget(caption("الـتــــاريـــخ"), 0, 2);
    g->addWidget(DBEDate, 0, 3, Qt::AlignRight);
    g->addWidget(caption("طريقة السداد"), 0, 4);
    g->addWidget(DBRGTirms, 0, 5);
    g->addWidget(LblBranch, 0, 6, 1, 2);

    g->addWidget(caption("رقم الحسـاب"), 1, 0);
    g->addWidget(DBEAcctNo, 1, 1);
    g->addWidget(pair(LblAcctName, LblTel), 1, 2, 1, 2);
    g->addWidget(caption("الرصيد السابق"), 1, 4);
    g->addWidget(LblPrevBal, 1, 5);
    g->addWidget(LblCrLimit, 1, 6, 1, 2);

    g->addWidget(caption("اسم العمـيــل"), 2, 0);
    g->addWidget(DBECustName, 2, 1, 1, 3);
    g->addWidget(caption("المنـــدوب"), 2, 4);
    g->addWidget(DBLCSalRep, 2, 5);
    g->addWidget(caption("مهلة سداد"), 2, 6);
    g->addWidget(DBEDays, 2, 7);

    g->addWidget(caption("رقم المرجع"), 3, 0);
    g->addWidget(DBERefNo, 3, 1);
    g->addWidget(caption("إسـم الجـهــة"), 3, 2);
    g->addWidget(DBELocat, 3, 3);
    g->addWidget(caption("عـرض أسعار"), 3, 4);
    g->addWidget(DBEQuotNo, 3, 5);
    g->addWidget(caption("سـند تسـليم"), 3, 6);
    g->addWidget(DBESalOrd, 3, 7);

    g->addWidget(caption("الرقم الضـريبي"), 4, 0);
    g->addWidget(pair(LblTaxCode, LblAddTax), 4, 1, 1, 2, Qt::AlignRight);
    g->addWidget(caption("تاريخ التوريد"), 4, 4);
    g->addWidget(DBEDelDate, 4, 5);
    body->addLayout(g);

    masters_ui::onLeave(DBEAcctNo, [this] { accountEntered(); });
    masters_ui::onLeave(DBEQuotNo, [this] { quotationEntered(); });
    masters_ui::onLeave(DBESalOrd, [this] { deliveryNoteEntered(); });
    connect(DBRGTirms, &QComboBox::activated, this, [this](int index) {
        if (!inv_ || index != 0) return;
        inv_->chooseCash();
        DBEAcctNo->setText(inv_->header.ACCTNO);
        accountEntered();
    });
    connect(LblAddTax, &ClickableLabel::clicked, this, [this] { addTaxCode(); });
}

void TQtySoldF::buildGrid()
{
    Grid = new QTableWidget(0, ColumnCount, this);
    Grid->setObjectName(QStringLiteral("DBGrid1"));
    Grid->setHorizontalHeaderLabels({QStringLiteral("رقم الصـنف"), QStringLiteral("الوصف"), QStringLiteral("و"),
                                     QStringLiteral("الوحدة"), QStringLiteral("الـكـمـيـة"), QStringLiteral("السـعر"),
                                     QStringLiteral("المجموع"), QStringLiteral("الخصـم"), QStringLiteral("المبلغ ق/ض"),
                                     QStringLiteral("الضريبة%"), QStringLiteral("مبلغ الضريبة"),
                                     QStringLiteral("الـمـبــلـغ")});
    Grid->horizontalHeader()->setSectionResizeMode(ColDescr, QHeaderView::Stretch);
    Grid->horizontalHeader()->setDefaultSectionSize(82);
    Grid->setColumnWidth(ColItem, 100);
    Grid->setColumnWidth(ColUIndex, 30);
    const bool oneUnit = s_.gSelUnit == QLatin1String("1");
    Grid->setColumnHidden(ColUIndex, oneUnit);
    if (oneUnit) Grid->setColumnWidth(ColValue, 82 + 30);
    Grid->installEventFilter(this);
    body->addWidget(Grid, 1);
    connect(Grid, &QTableWidget::cellChanged, this, [this](int r, int c) { cellEdited(r, c); });
    connect(Grid, &QTableWidget::currentCellChanged, this, [this] { showCurrentLine(); });

    // The current line's item, below the grid.
    auto* panel = new QHBoxLayout;
    LblDescr = display(this, QStringLiteral("LblDescr"), 260);
    LblOnHand = display(this, QStringLiteral("LblOnHand"));
    LblLocation = display(this, QStringLiteral("LblLocation"));
    LblUCost = display(this, QStringLiteral("LblUCost"));
    LblLines = new QLabel(this);
    LblLines->setObjectName(QStringLiteral("LblLines"));
    CBNote = new QCheckBox(this);
    CBNote->setObjectName(QStringLiteral("CBNote"));
    CBNote->setToolTip(s_.mGNote);
    CBRepair = new QCheckBox(QStringLiteral("إصلاح"), this);
    CBRepair->setObjectName(QStringLiteral("CBRepair"));
    CBRepair->setEnabled(false); // armed by Shift+F9 only
    panel->addWidget(LblDescr, 1);
    panel->addWidget(new QLabel(QStringLiteral("المخزون"), this));
    panel->addWidget(LblOnHand);
    panel->addWidget(new QLabel(QStringLiteral("المـوقـع"), this));
    panel->addWidget(LblLocation);
    auto* costCaption = new QLabel(QStringLiteral("التكلفة"), this);
    panel->addWidget(costCaption);
    panel->addWidget(LblUCost);
    panel->addWidget(LblLines);
    panel->addStretch(1);
    panel->addWidget(CBNote);
    panel->addWidget(CBRepair);
    body->addLayout(panel);
    costCaption->setVisible(showsCost_);
    LblUCost->setVisible(showsCost_);
}

void TQtySoldF::buildTotals()
{
    auto* t = new QGridLayout;
    LblSubAmnt = display(this, QStringLiteral("LblSubAmnt"));
    LblDisVal = display(this, QStringLiteral("LblDisVal"));
    LblDisPer = display(this, QStringLiteral("LblDisPer"));
    LblAmount = display(this, QStringLiteral("LblAmount"));
    LblVTax = display(this, QStringLiteral("LblVTax"));
    LblInvTot = display(this, QStringLiteral("LblInvTot"));
    LblCurBal = display(this, QStringLiteral("LblCurBal"));
    const std::pair<const char*, QWidget*> cells[] = {
        {"الاجـمــــــالي", LblSubAmnt}, {"مجموع الخصم", LblDisVal}, {"نسـبته الكليـة %", LblDisPer},
        {"المبـلغ قبـل الضـريـبـة", LblAmount}, {"ضريبة القيمة المضافة", LblVTax},
        {"المبلغ شامل الضريـبة", LblInvTot}, {"الرصيد الحالي", LblCurBal}};
    int col = 0;
    for (const auto& [text, w] : cells) {
        t->addWidget(new QLabel(QString::fromUtf8(text), this), 0, col, Qt::AlignCenter);
        t->addWidget(w, 1, col++);
    }
    QFont big = LblInvTot->font();
    big.setBold(true);
    LblInvTot->setFont(big);
    body->addLayout(t);

    auto* info = new QHBoxLayout;
    const auto small = [this](const QString& name) {
        auto* l = new QLabel(this);
        l->setObjectName(name);
        return l;
    };
    LblUnits = small(QStringLiteral("LblUnits"));
    LblProfit = small(QStringLiteral("LblProfit"));
    LblProfitPer = small(QStringLiteral("LblProfitPer"));
    LblUser = small(QStringLiteral("LblUser"));
    LblTime = small(QStringLiteral("LblTime"));
    LblPosted = small(QStringLiteral("LblPosted"));
    info->addWidget(LblUnits);
    info->addSpacing(16);
    info->addWidget(LblProfit);
    info->addWidget(LblProfitPer);
    info->addStretch(1);
    info->addWidget(LblUser);
    info->addSpacing(16);
    info->addWidget(LblTime);
    info->addSpacing(16);
    info->addWidget(LblPosted);
    body->addLayout(info);
    LblProfit->setVisible(showsCost_);
    LblProfitPer->setVisible(showsCost_);
}

void TQtySoldF::setEditable(bool editable)
{
    const documents::Buttons b = flow_.buttons();
    DBEInvSel->setReadOnly(!(editable && b.numberEditable));
    DBEDate->setReadOnly(!(editable && b.dateEditable));
    for (QLineEdit* e : {DBEAcctNo, DBECustName, DBEDays, DBERefNo, DBEQuotNo, DBESalOrd, DBELocat})
        e->setReadOnly(!editable);
    DBEDelDate->setReadOnly(!editable);
    DBRGTirms->setEnabled(editable);
    DBLCSalRep->setEnabled(editable);
    CBHeld->setEnabled(editable && b.heldList && CBHeld->count() > 1);
    LblAddTax->setEnabled(!editable);
    Grid->setEditTriggers(editable ? QAbstractItemView::AllEditTriggers : QAbstractItemView::NoEditTriggers);
    LblBranch->setStyleSheet(editable ? QStringLiteral("QLabel { color: red; }") : QString());
}

// --- Showing --------------------------------------------------------------------------------------

void TQtySoldF::showHeader(const SalesHeader& h, const QString& acctName, const QString& tel, Money prevBal)
{
    DBEInvSel->setText(numberText(h.INVSEL));
    DBEDate->setDate(h.TRDATE.isValid() ? h.TRDATE : QDate::currentDate());
    DBEAcctNo->setText(h.ACCTNO);
    LblAcctName->setText(acctName);
    LblTel->setText(tel);
    DBECustName->setText(h.CUSTNAME);
    DBRGTirms->setCurrentIndex(h.TIRMS == 0 ? 0 : 1);
    const int sal = DBLCSalRep->findData(h.SALRID.trimmed());
    DBLCSalRep->setCurrentIndex(sal < 0 ? 0 : sal);
    DBEDays->setText(QString::number(h.DAYS));
    DBEDelDate->setDate(h.DELDATE.isValid() ? h.DELDATE : DBEDate->date());
    DBERefNo->setText(h.REFNO);
    DBEQuotNo->setText(numberText(h.QUOTNO));
    DBESalOrd->setText(numberText(h.SALORD));
    DBELocat->setText(h.LOCAT);
    LblTaxCode->setText(h.address.TAXCODE);
    LblPrevBal->setText(m2(prevBal));
    LblUser->setText(h.USERID.trimmed());
    LblTime->setText(h.TRTIME.isValid() ? h.TRTIME.toString(QStringLiteral("hh:mm:ss")) : QString());
    LblPosted->setText(QStringLiteral("قـيـد الترحـيـل: ") + QString::number(h.POSTED));
    LblCrLimit->clear();
}

void TQtySoldF::showHeaderTotals(const SalesHeader& h, Money prevBal, Qty units)
{
    LblSubAmnt->setText(m2(h.SUBAMNT));
    LblDisVal->setText(m2(h.DISVAL));
    LblDisPer->setText(m4(h.DISPER));
    LblAmount->setText(m2(h.AMOUNT));
    LblVTax->setText(m2(h.VTAX));
    LblInvTot->setText(m2(h.INVTOT));
    LblCurBal->setText(m2(h.INVTOT + prevBal));
    LblUnits->setText(QStringLiteral("العدد: ") + m4(units));
    LblProfit->setText(QStringLiteral("الربح: ") + documents::wholeNumberText(documents::profit(h)));
    const auto pct = documents::profitPercent(h);
    LblProfitPer->setText(pct ? m2(*pct) + QStringLiteral(" %") : QString());
}

void TQtySoldF::showLine(int row, const SalesLine& l)
{
    QString descr, unit;
    if (!l.ITEMNO.trimmed().isEmpty()) {
        if (auto it = masters::ItemRepository(s_).find(l.ITEMNO.trimmed())) {
            descr = it->DESCR;
            unit = l.UINDEX == 2 ? it->SUBUNIT : it->UNIT;
        }
    }
    showLine(row, l, descr, unit);
}

void TQtySoldF::showLine(int row, const SalesLine& l, const QString& descr, const QString& unit)
{
    const bool was = filling_;
    filling_ = true;
    const bool blank = l.ITEMNO.trimmed().isEmpty();
    const QString cells[ColumnCount] = {
        l.ITEMNO, descr, QString::number(l.UINDEX), unit, m4(l.QTYSOLD), m4(l.UPRICE), m2(l.SUBAMNT),
        m2(l.DISVAL), m2(l.AMOUNT), m2(l.VATPER), m2(l.VATAMNT), m2(l.grossValue())};
    for (int c = 0; c < ColumnCount; ++c) {
        auto* item = new QTableWidgetItem(blank && c != ColItem && c != ColUIndex && c != ColQty ? QString() : cells[c]);
        const bool typed = c == ColItem || c == ColUIndex || c == ColQty || c == ColPrice || c == ColDisc;
        if (!typed) item->setFlags(item->flags() & ~Qt::ItemIsEditable);
        if (c != ColDescr && c != ColUnit) item->setTextAlignment(Qt::AlignCenter);
        Grid->setItem(row, c, item);
    }
    filling_ = was;
}

void TQtySoldF::showLines(const QList<SalesLine>& lines, const QList<documents::PrintedLine>* saved)
{
    filling_ = true;
    Grid->setRowCount(int(lines.size()));
    for (int i = 0; i < lines.size(); ++i) {
        // A saved invoice brings its items' descriptions and units along.
        if (saved) showLine(i, lines[i], (*saved)[i].description, (*saved)[i].unit);
        else showLine(i, lines[i]);
    }
    filling_ = false;
    int count = 0;
    for (const SalesLine& l : lines) count += l.ITEMNO.trimmed().isEmpty() ? 0 : 1;
    LblLines->setText(QStringLiteral("/ ") + QString::number(count));
    panelItemNo_.clear(); // another document: its stock is read afresh
    panelItem_.reset();
    if (!lines.isEmpty()) Grid->setCurrentCell(int(lines.size()) - 1, ColItem);
    showCurrentLine();
}

void TQtySoldF::showTotals()
{
    if (!inv_) return;
    showHeaderTotals(inv_->header, inv_->previousBalance(), documents::sumLines(inv_->lines).units);
    int count = 0;
    for (const SalesLine& l : inv_->lines) count += l.ITEMNO.trimmed().isEmpty() ? 0 : 1;
    LblLines->setText(QStringLiteral("/ ") + QString::number(count));
}

// The item of the grid's current line: description, stock on hand, location, the line's unit cost.
void TQtySoldF::showCurrentLine()
{
    const int row = currentRow();
    const SalesLine* line = nullptr;
    if (inv_ && row >= 0 && row < inv_->lines.size()) line = &inv_->lines[row];
    else if (!inv_ && shown_ && row >= 0 && row < shown_->lines.size()) line = &shown_->lines[row].line;
    // Moving along a line keeps its item: it is read again only when the line's item changes.
    const QString itemNo = line ? line->ITEMNO.trimmed() : QString();
    if (itemNo != panelItemNo_) {
        panelItemNo_ = itemNo;
        panelItem_.reset();
        if (!itemNo.isEmpty()) panelItem_ = masters::ItemRepository(s_).find(itemNo);
    }
    const std::optional<masters::Item>& item = panelItem_;
    LblDescr->setText(item ? item->DESCR : QString());
    LblOnHand->setText(item ? format2(item->ONHAND.toDecimal()) : QString());
    LblLocation->setText(item ? item->LOCATION : QString());
    LblUCost->setText(line && item ? m2(line->UCOST) : QString());
}

// The customer's displays after the customer selection.
void TQtySoldF::showCustomer()
{
    const SalesHeader& h = inv_->header;
    const auto& a = inv_->account();
    LblAcctName->setText(a ? a->ACCTNAME : QString());
    LblTel->setText(a ? a->TEL : QString());
    DBRGTirms->setCurrentIndex(h.TIRMS == 0 ? 0 : 1);
    const int sal = DBLCSalRep->findData(h.SALRID.trimmed());
    if (sal >= 0) DBLCSalRep->setCurrentIndex(sal);
    DBEDays->setText(QString::number(h.DAYS));
    DBECustName->setText(h.CUSTNAME);
    DBELocat->setText(h.LOCAT);
    DBERefNo->setText(h.REFNO);
    LblTaxCode->setText(h.address.TAXCODE);
    LblPrevBal->setText(m2(inv_->previousBalance()));
    LblCrLimit->setText(a && !inv_->isCashAccount()
                            ? QStringLiteral("حد إئتمان:") + documents::wholeNumberText(a->CRLIMIT2)
                            : QString());
    setBlinking(inv_->balanceBlinks());
    showTotals();
}

void TQtySoldF::showDocument(int number)
{
    shown_.reset();
    if (number > 0) shown_ = documents::loadSavedInvoice(s_, number);
    if (!shown_) {
        showHeader(SalesHeader{}, {}, {}, Money());
        DBEInvSel->clear();
        showLines({});
        showHeaderTotals(SalesHeader{}, Money(), Qty());
        return;
    }
    const SalesHeader& h = shown_->header;
    const Money prev = shown_->cashAccount || h.ACCTNO.trimmed().isEmpty() ? Money() : shown_->balanceAfter - h.INVTOT;
    showHeader(h, shown_->accountName, shown_->telephone, prev);
    if (!shown_->cashAccount && !h.ACCTNO.trimmed().isEmpty())
        LblCrLimit->setText(QStringLiteral("حد إئتمان:") + documents::wholeNumberText(shown_->creditLimit));
    QList<SalesLine> lines;
    for (const documents::PrintedLine& p : shown_->lines) lines.append(p.line);
    showLines(lines, &shown_->lines);
    showHeaderTotals(h, prev, shown_->unitCount());
}

bool TQtySoldF::blinking() const { return blink_->isActive(); }

void TQtySoldF::setBlinking(bool on)
{
    if (on && !blink_->isActive()) blink_->start();
    if (!on) {
        blink_->stop();
        blinkOn_ = false;
        LblPrevBal->setStyleSheet(QString());
    }
}

// Silver with normal text, then red with white text, every 500 ms.
void TQtySoldF::blink()
{
    blinkOn_ = !blinkOn_;
    LblPrevBal->setStyleSheet(QString::fromLatin1(blinkOn_ ? kBlinkOn : kBlinkOff));
}

// --- Entry --------------------------------------------------------------------------------------

void TQtySoldF::startEntry()
{
    inv_ = std::make_unique<documents::SalesInvoice>(s_);
    shown_.reset();
    inv_->header.INVSEL = flow_.entry().number;
    inv_->header.TRDATE = flow_.entry().date;
    inv_->header.DELDATE = flow_.entry().date;
    inv_->appendLine();
    QString name, tel;
    if (auto a = masters::AccountRepository(s_).find(inv_->header.ACCTNO)) {
        name = a->ACCTNAME;
        tel = a->TEL;
    }
    showHeader(inv_->header, name, tel, Money());
    LblUser->setText(s_.UNM);
    showLines(inv_->lines);
    showTotals();
    refreshHeld();
    setEditable(true);
    if (s_.gBCUse.trimmed() == QLatin1String("T")) {
        Grid->setFocus();
        Grid->setCurrentCell(0, ColItem);
    } else {
        DBEAcctNo->setFocus();
        DBEAcctNo->selectAll();
    }
}

void TQtySoldF::endEntry()
{
    setBlinking(false);
    inv_.reset();
    CBHeld->setEnabled(false);
}

void TQtySoldF::afterSave()
{
    if (askYesNo(this, documents::text::askPrintInvoice())) printDocument();
}

void TQtySoldF::takeHeaderEdits()
{
    SalesHeader& h = inv_->header;
    h.INVSEL = DBEInvSel->text().trimmed().toInt();
    h.TRDATE = DBEDate->date();
    h.DELDATE = DBEDelDate->date();
    h.CUSTNAME = DBECustName->text().trimmed();
    h.SALRID = DBLCSalRep->currentData().toString();
    h.DAYS = DBEDays->text().trimmed().toInt();
    h.REFNO = DBERefNo->text().trimmed();
    h.LOCAT = DBELocat->text().trimmed();
    if (DBEAcctNo->text().trimmed() != h.ACCTNO.trimmed()) h.ACCTNO = DBEAcctNo->text().trimmed();
}

void TQtySoldF::accountEntered()
{
    if (!inv_ || DBEAcctNo->isReadOnly()) return;
    const QString typed = DBEAcctNo->text().trimmed();
    if (typed == inv_->header.ACCTNO.trimmed() && inv_->account()) return;
    inv_->header.SALRID = DBLCSalRep->currentData().toString();
    const Outcome o = inv_->selectCustomer(typed);
    if (!o.ok) {
        if (!o.message.isEmpty()) showError(this, o.message);
        DBEAcctNo->setFocus();
        return;
    }
    showCustomer();
}

void TQtySoldF::quotationEntered() { sourceEntered(true); }
void TQtySoldF::deliveryNoteEntered() { sourceEntered(false); }

// Leaving the quotation or delivery-note number: the invoice is made from that document.
void TQtySoldF::sourceEntered(bool quotation)
{
    QLineEdit* field = quotation ? DBEQuotNo : DBESalOrd;
    if (!inv_ || field->isReadOnly()) return;
    const int n = field->text().trimmed().toInt();
    if (n == 0 || n == (quotation ? inv_->convertedQuotation() : inv_->convertedDeliveryNote())) return;
    const Outcome o = quotation ? inv_->convertFromQuotation(n) : inv_->convertFromDeliveryNote(n);
    showOutcome(o);
    if (!o.ok) {
        if ((quotation ? inv_->header.QUOTNO : inv_->header.SALORD) == 0) field->clear();
        return;
    }
    DBEAcctNo->setText(inv_->header.ACCTNO);
    showCustomer();
    inv_->appendLine();
    showLines(inv_->lines);
    showTotals();
}

void TQtySoldF::showOutcome(const Outcome& o)
{
    if (o.message.isEmpty()) return;
    if (o.severity == masters::Severity::Error) showError(this, o.message);
    else if (o.severity == masters::Severity::Warning) showWarning(this, o.message);
    else showInformation(this, o.message);
}

void TQtySoldF::cellEdited(int row, int column)
{
    if (filling_ || !inv_) return;
    if (column == ColItem || column == ColUIndex || column == ColQty || column == ColPrice || column == ColDisc)
        postRow(row);
}

void TQtySoldF::appendRow()
{
    const int added = inv_->appendLine();
    filling_ = true;
    Grid->setRowCount(added + 1);
    showLine(added, inv_->lines[added]);
    filling_ = false;
}

void TQtySoldF::postRow(int row)
{
    if (row < 0 || row >= inv_->lines.size()) return;
    SalesLine edited = inv_->lines[row];
    const auto cell = [&](int c) { return Grid->item(row, c) ? Grid->item(row, c)->text() : QString(); };
    edited.ITEMNO = cell(ColItem).trimmed();
    edited.UINDEX = cell(ColUIndex).trimmed() == QLatin1String("2") ? 2 : 1;
    edited.QTYSOLD = parsed<Qty>(cell(ColQty));
    edited.UPRICE = parsed<Price>(cell(ColPrice));
    edited.DISVAL = parsed<Money>(cell(ColDisc));
    const Outcome o = inv_->postLine(row, edited, inv_->lineBefore(row));
    showOutcome(o);
    if (!o.ok) return; // the typed values stay in the row under edit
    showLine(row, inv_->lines[row]);
    if (row == inv_->lines.size() - 1 && !inv_->lines[row].ITEMNO.isEmpty()) appendRow();
    showTotals();
    showCurrentLine();
}

int TQtySoldF::currentRow() const { return Grid->currentRow(); }

void TQtySoldF::deleteLine()
{
    if (!inv_) return;
    const int row = currentRow();
    if (row < 0 || row >= inv_->lines.size()) return;
    inv_->removeLine(row);
    filling_ = true;
    Grid->removeRow(row);
    filling_ = false;
    if (inv_->lines.isEmpty() || !inv_->lines.last().ITEMNO.trimmed().isEmpty()) appendRow();
    showTotals();
    showCurrentLine();
}

bool TQtySoldF::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Grid && event->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(event);
        if ((k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) && inv_) {
            moveInGrid();
            return true;
        }
    }
    return DocumentWindow::eventFilter(watched, event);
}

// Enter along a line: item, unit (when shown), quantity, price, then the item of the next line.
void TQtySoldF::moveInGrid()
{
    inv_->recomputeTotals();
    showTotals();
    const int row = Grid->currentRow(), col = Grid->currentColumn();
    int nextRow = row, nextCol = ColItem;
    if (col == ColItem) nextCol = Grid->isColumnHidden(ColUIndex) ? ColQty : ColUIndex;
    else if (col == ColUIndex) nextCol = ColQty;
    else if (col == ColQty) nextCol = ColPrice;
    else nextRow = row + 1;
    if (nextRow >= Grid->rowCount()) appendRow();
    Grid->setCurrentCell(nextRow, nextCol);
}

// --- Commands -----------------------------------------------------------------------------------

void TQtySoldF::search()
{
    if (!inv_) return;
    if (DBEAcctNo->hasFocus()) {
        TAcSrchF f(s_, this);
        f.exec();
        if (s_.mFound && f.chosenAccount()) {
            DBEAcctNo->setText(f.chosenAccount()->ACCTNO);
            accountEntered();
        }
    } else if (DBECustName->hasFocus()) {
        TTelRSrchF f(s_, this);
        f.exec();
        if (s_.mFound && f.chosenCustomer()) {
            const masters::EarlierCustomer& c = *f.chosenCustomer();
            SalesHeader& h = inv_->header;
            h.CUSTNAME = c.CUSTNAME;
            h.address = {c.BUILDNO, c.STREETNM, c.STREETNME, c.DISTRICT, c.DISTRICTE, c.CITY, c.CITYE,
                         c.COUNTRY, c.COUNTRYE, c.PCODE, c.ADDRN2, c.TAXCODE, c.OTHERID};
            DBECustName->setText(c.CUSTNAME);
            LblTaxCode->setText(c.TAXCODE);
        }
    } else if (Grid->hasFocus() || Grid->isAncestorOf(focusWidget())) {
        TItmSrchF f(s_, this);
        f.exec();
        const int row = std::max(0, Grid->currentRow());
        if (s_.mFound && f.chosenItem() && row < Grid->rowCount()) {
            filling_ = true;
            Grid->item(row, ColItem)->setText(f.chosenItem()->ITEMNO);
            filling_ = false;
            postRow(row);
        }
    }
}

void TQtySoldF::readBarcode()
{
    if (!inv_) return;
    TTrnSrchF prompt(this);
    prompt.setWindowTitle(documents::text::readBarcode());
    prompt.exec();
    const QString code = prompt.text();
    if (code.isEmpty()) return;
    const int row = std::max(0, currentRow());
    const Outcome o = inv_->enterBarcode(row, code);
    showOutcome(o);
    if (!o.ok) return;
    showLine(row, inv_->lines[row]);
    if (row == inv_->lines.size() - 1) appendRow();
    showTotals();
    showCurrentLine();
}

void TQtySoldF::enterLineTotal()
{
    if (!inv_) return;
    const int row = currentRow();
    if (row < 0 || row >= inv_->lines.size()) return;
    TTrnSrchF prompt(this);
    prompt.setWindowTitle(documents::text::enterLineTotal());
    prompt.exec();
    const QString typed = prompt.text();
    if (typed.isEmpty()) return;
    const Outcome o = inv_->setLineTotal(row, typed);
    showOutcome(o);
    if (!o.ok) return;
    showLine(row, inv_->lines[row]);
    showTotals();
}

void TQtySoldF::itemHistory()
{
    const int row = currentRow();
    QString itemNo, acctNo;
    if (inv_ && row >= 0 && row < inv_->lines.size()) {
        itemNo = inv_->lines[row].ITEMNO;
        acctNo = inv_->header.ACCTNO;
    } else if (!inv_ && shown_ && row >= 0 && row < shown_->lines.size()) {
        itemNo = shown_->lines[row].line.ITEMNO;
        acctNo = shown_->header.ACCTNO;
    }
    if (itemNo.trimmed().isEmpty()) return;
    QString descr;
    if (auto it = masters::ItemRepository(s_).find(itemNo.trimmed())) descr = it->DESCR;
    TItemHistF f(descr, documents::itemSalesHistory(s_, itemNo.trimmed(), acctNo.trimmed()), this);
    f.exec();
}

void TQtySoldF::clientInfo()
{
    if (!s_.allowed(core::Right::T05)) return;
    SalesHeader* h = inv_ ? &inv_->header : shown_ ? &shown_->header : nullptr;
    if (!h || h->ACCTNO.trimmed().isEmpty()) return;
    TClntInfoF f(h->address, this);
    if (f.exec() != QDialog::Accepted) return;
    if (f.updateFromAccount()) {
        if (inv_) {
            inv_->copyAddressFromAccount();
        } else if (auto a = masters::AccountRepository(s_).find(h->ACCTNO.trimmed())) {
            // A saved invoice keeps its stored address: the change shows here and on a print made now.
            h->address = a->address;
            h->LOCAT = a->LOCAT;
        }
    } else {
        h->address = f.address();
    }
    LblTaxCode->setText(h->address.TAXCODE);
    DBELocat->setText(h->LOCAT);
}

void TQtySoldF::addTaxCode()
{
    if (inv_ || !shown_ || !documents::canAddBuyerTaxCode(s_, shown_->header.INVSEL)) return;
    TTrnSrchF prompt(this);
    prompt.setWindowTitle(documents::text::enterTaxCode());
    prompt.exec();
    const QString code = prompt.text();
    if (code.isEmpty()) return;
    const int number = shown_->header.INVSEL;
    const Outcome o = documents::addBuyerTaxCode(s_, number, code);
    showOutcome(o);
    if (o.ok) showDocument(number);
}

void TQtySoldF::armRepair()
{
    repairArmed_ = true;
    CBRepair->setChecked(true);
}

void TQtySoldF::beforeNext()
{
    const int number = flow_.shown();
    if (number <= 0) return;
    try {
        documents::repairIfNeeded(s_, number, repairArmed_);
    } catch (const db::DbError& e) {
        masters_ui::showDbError(this, s_, e);
    }
}

void TQtySoldF::refreshHeld()
{
    CBHeld->clear();
    CBHeld->addItem(QStringLiteral("الفواتير المعلقة"), 0);
    for (const documents::HeldInvoice& h : documents::heldInvoices(s_))
        CBHeld->addItem(h.CUSTNAME.trimmed().isEmpty() ? h.ACCTNO : h.CUSTNAME, h.number);
    CBHeld->setEnabled(inv_ && CBHeld->count() > 1);
}

void TQtySoldF::resumeHeld(int index)
{
    if (!inv_ || index <= 0) return;
    const int number = CBHeld->itemData(index).toInt();
    std::optional<masters::AccountAddress> address;
    if (heldAddresses_.contains(number)) address = heldAddresses_.value(number);
    const Outcome o = inv_->resume(number, address);
    if (o.ok) heldAddresses_.remove(number);
    showOutcome(o);
    if (!o.ok) return;
    DBEAcctNo->setText(inv_->header.ACCTNO);
    showCustomer();
    DBEQuotNo->setText(numberText(inv_->header.QUOTNO));
    DBESalOrd->setText(numberText(inv_->header.SALORD));
    showLines(inv_->lines);
    showTotals();
    refreshHeld();
    CBHeld->setEnabled(false);
}

void TQtySoldF::parkEntry(db::Transaction& tr, int holdNumber)
{
    takeHeaderEdits();
    inv_->park(tr, holdNumber);
    heldAddresses_.insert(holdNumber, inv_->header.address); // a failed hold's number is held again next time
}

void TQtySoldF::openItemFile()
{
    const int row = currentRow();
    QString itemNo;
    if (inv_ && row >= 0 && row < inv_->lines.size()) itemNo = inv_->lines[row].ITEMNO;
    else if (shown_ && row >= 0 && row < shown_->lines.size()) itemNo = shown_->lines[row].line.ITEMNO;
    TStockF f(s_, this);
    if (!itemNo.trimmed().isEmpty()) f.positionOn(itemNo.trimmed());
    f.exec();
}

void TQtySoldF::printDocument()
{
    if (flow_.state() != documents::State::Browse || !shown_) return;
    const std::optional<tools::Document> doc = documents::layoutInvoice(s_, *shown_, CBNote->isChecked());
    if (!doc) return;
    printOrPreview(this, *doc);
}

void TQtySoldF::focusField(const QString& field)
{
    if (field == QLatin1String("INVSEL")) DBEInvSel->setFocus();
    else if (field == QLatin1String("TRDATE")) DBEDate->setFocus();
    else if (field == QLatin1String("CUSTNAME")) DBECustName->setFocus();
    else if (field == QLatin1String("SALRID")) DBLCSalRep->setFocus();
    else if (field == QLatin1String("ACCTNO")) DBEAcctNo->setFocus();
    else if (field == QLatin1String("QUOTNO")) DBEQuotNo->setFocus();
    else if (field == QLatin1String("SALORD")) DBESalOrd->setFocus();
    else Grid->setFocus();
}

bool TQtySoldF::saveEntry()
{
    takeHeaderEdits();
    const Outcome c = inv_->checkSave();
    DBECustName->setText(inv_->header.CUSTNAME);
    showTotals();
    if (!c.ok) {
        if (!c.message.isEmpty()) showError(this, c.message);
        focusField(c.field);
        return false;
    }
    if (!askYesNo(this, s_.msg.mUSave)) return false;
    const SalesHeader& h = inv_->header;
    flow_.entry().number = h.INVSEL;
    flow_.entry().date = h.TRDATE;
    documents::SalesInvoiceWriter writer(s_, *inv_);
    const documents::SaveResult r = flow_.save(writer);
    if (!r.ok()) {
        if (!r.message.isEmpty()) showError(this, r.message);
        focusField(r.field);
        return false;
    }
    return true;
}

} // namespace kv::ui
