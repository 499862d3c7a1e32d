#include "ui/documents/QtySold.h"

#include "db/Connection.h"
#include "masters/Accounts.h"
#include "masters/Items.h"
#include "masters/Salesmen.h"
#include "ui/common/EnterMovesNext.h"
#include "ui/common/Format.h"
#include "ui/common/MessageBox.h"
#include "ui/masters/Searches.h"

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

namespace kv::ui {

using core::Money;
using core::Price;
using core::Qty;
using documents::SalesHeader;
using documents::SalesLine;

namespace {

QString m2(const Money& m) { return format2(m.toDecimal()); }
QString m4(const core::Fixed<4>& m) { return format4(m.toDecimal()); }

QLabel* display(QWidget* parent, const QString& name)
{
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setFrameShape(QFrame::StyledPanel);
    l->setMinimumWidth(90);
    l->setAlignment(Qt::AlignCenter);
    return l;
}

template <class F>
F parsed(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty()) return F();
    if (auto v = F::parse(t)) return *v;
    return F();
}

} // namespace

TQtySoldF::TQtySoldF(core::Session& session, QWidget* parent)
    : DocumentWindow(session, documents::salesInvoiceKind(), parent)
{
    setWindowTitle(documents::text::salesInvoiceCaption());
    buildHeader();
    buildGrid();
    auto* f4 = new QShortcut(QKeySequence(Qt::Key_F4), this);
    connect(f4, &QShortcut::activated, this, [this] { search(); });
    EnterMovesNext::install(this);
    resize(1100, 620);
    openWorkflow();
}

TQtySoldF::~TQtySoldF() = default;

void TQtySoldF::buildHeader()
{
    auto* g = new QGridLayout;
    const auto caption = [this](const char* t) { return new QLabel(QString::fromUtf8(t), this); };
    DBEInvSel = new QLineEdit(this);
    DBEInvSel->setObjectName(QStringLiteral("DBEInvSel"));
    DBEDate = new QDateEdit(this);
    DBEDate->setObjectName(QStringLiteral("DBEDate"));
    prepareDateEdit(DBEDate);
    DBRGTirms = new QComboBox(this);
    DBRGTirms->setObjectName(QStringLiteral("DBRGTirms"));
    DBRGTirms->addItem(QStringLiteral("فـاتـورة نـقـديــة"), 0);
    DBRGTirms->addItem(QStringLiteral("فـاتـورة آجـلــــة"), 1);
    DBEAcctNo = new QLineEdit(this);
    DBEAcctNo->setObjectName(QStringLiteral("DBEAcctNo"));
    LblAcctName = display(this, QStringLiteral("LblAcctName"));
    LblAcctName->setMinimumWidth(240);
    DBECustName = new QLineEdit(this);
    DBECustName->setObjectName(QStringLiteral("DBECustName"));
    DBLCSalRep = new QComboBox(this);
    DBLCSalRep->setObjectName(QStringLiteral("DBLCSalRep"));
    DBLCSalRep->addItem(QString(), QString());
    for (const masters::Salesman& m : masters::SalesmanRepository(s_).list())
        DBLCSalRep->addItem(m.SALRID + QStringLiteral(" - ") + m.NAME, m.SALRID);
    LblPrevBal = display(this, QStringLiteral("LblPrevBal"));
    LblCurBal = display(this, QStringLiteral("LblCurBal"));

    DBEInvSel->setMaximumWidth(140);
    DBEAcctNo->setMaximumWidth(140);
    g->setColumnStretch(3, 1);
    g->addWidget(caption("رقم الفاتورة"), 0, 0);
    g->addWidget(DBEInvSel, 0, 1);
    g->addWidget(caption("الـتــــاريـــخ"), 0, 2);
    g->addWidget(DBEDate, 0, 3);
    g->addWidget(caption("طريقة السداد"), 0, 4);
    g->addWidget(DBRGTirms, 0, 5);
    g->addWidget(caption("رقم الحسـاب"), 1, 0);
    g->addWidget(DBEAcctNo, 1, 1);
    g->addWidget(LblAcctName, 1, 2, 1, 2);
    g->addWidget(caption("الرصيد السابق"), 1, 4);
    g->addWidget(LblPrevBal, 1, 5);
    g->addWidget(caption("اسم العمـيــل"), 2, 0);
    g->addWidget(DBECustName, 2, 1, 1, 3);
    g->addWidget(caption("المنـــدوب"), 2, 4);
    g->addWidget(DBLCSalRep, 2, 5);
    body->addLayout(g);

    connect(DBEAcctNo, &QLineEdit::editingFinished, this, [this] { accountEntered(); });
    connect(DBRGTirms, &QComboBox::activated, this, [this](int index) {
        if (!inv_ || index != 0) return;
        inv_->chooseCash();
        DBEAcctNo->setText(inv_->header.ACCTNO);
        accountEntered();
    });
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
    Grid->setColumnHidden(ColUIndex, s_.gSelUnit == QLatin1String("1"));
    Grid->installEventFilter(this);
    body->addWidget(Grid, 1);
    connect(Grid, &QTableWidget::cellChanged, this, [this](int r, int c) { cellEdited(r, c); });

    auto* t = new QGridLayout;
    LblSubAmnt = display(this, QStringLiteral("LblSubAmnt"));
    LblDisVal = display(this, QStringLiteral("LblDisVal"));
    LblAmount = display(this, QStringLiteral("LblAmount"));
    LblVTax = display(this, QStringLiteral("LblVTax"));
    LblInvTot = display(this, QStringLiteral("LblInvTot"));
    LblUnits = new QLabel(this);
    LblUnits->setObjectName(QStringLiteral("LblUnits"));
    const std::pair<const char*, QWidget*> cells[] = {
        {"الاجـمــــــالي", LblSubAmnt}, {"مجموع الخصم", LblDisVal}, {"المبـلغ قبـل الضـريـبـة", LblAmount},
        {"ضريبة القيمة المضافة", LblVTax}, {"المبلغ شامل الضريـبة", LblInvTot}, {"الرصيد الحالي", LblCurBal}};
    int col = 0;
    for (const auto& [text, w] : cells) {
        t->addWidget(new QLabel(QString::fromUtf8(text), this), 0, col, Qt::AlignCenter);
        t->addWidget(w, 1, col++);
    }
    t->addWidget(LblUnits, 1, col);
    body->addLayout(t);
}

void TQtySoldF::setEditable(bool editable)
{
    DBEInvSel->setReadOnly(!(editable && flow_.buttons().numberEditable));
    DBEDate->setReadOnly(!(editable && flow_.buttons().dateEditable));
    DBEAcctNo->setReadOnly(!editable);
    DBECustName->setReadOnly(!editable);
    DBRGTirms->setEnabled(editable);
    DBLCSalRep->setEnabled(editable);
    Grid->setEditTriggers(editable ? QAbstractItemView::AllEditTriggers : QAbstractItemView::NoEditTriggers);
}

void TQtySoldF::showHeader(const SalesHeader& h, const QString& acctName, Money prevBal)
{
    DBEInvSel->setText(h.INVSEL ? QString::number(h.INVSEL) : QString());
    DBEDate->setDate(h.TRDATE.isValid() ? h.TRDATE : QDate::currentDate());
    DBEAcctNo->setText(h.ACCTNO);
    LblAcctName->setText(acctName);
    DBECustName->setText(h.CUSTNAME);
    DBRGTirms->setCurrentIndex(h.TIRMS == 0 ? 0 : 1);
    const int sal = DBLCSalRep->findData(h.SALRID.trimmed());
    DBLCSalRep->setCurrentIndex(sal < 0 ? 0 : sal);
    LblPrevBal->setText(m2(prevBal));
    LblSubAmnt->setText(m2(h.SUBAMNT));
    LblDisVal->setText(m2(h.DISVAL));
    LblAmount->setText(m2(h.AMOUNT));
    LblVTax->setText(m2(h.VTAX));
    LblInvTot->setText(m2(h.INVTOT));
    LblCurBal->setText(m2(h.INVTOT + prevBal));
}

void TQtySoldF::showLine(int row, const SalesLine& l)
{
    const bool was = filling_;
    filling_ = true;
    QString descr, unit;
    if (!l.ITEMNO.trimmed().isEmpty()) {
        if (auto it = masters::ItemRepository(s_).find(l.ITEMNO.trimmed())) {
            descr = it->DESCR;
            unit = l.UINDEX == 2 ? it->SUBUNIT : it->UNIT;
        }
    }
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

void TQtySoldF::showLines(const QList<SalesLine>& lines)
{
    filling_ = true;
    Grid->setRowCount(int(lines.size()));
    for (int i = 0; i < lines.size(); ++i) showLine(i, lines[i]);
    filling_ = false;
}

void TQtySoldF::showTotals()
{
    if (!inv_) return;
    const SalesHeader& h = inv_->header;
    LblSubAmnt->setText(m2(h.SUBAMNT));
    LblDisVal->setText(m2(h.DISVAL));
    LblAmount->setText(m2(h.AMOUNT));
    LblVTax->setText(m2(h.VTAX));
    LblInvTot->setText(m2(h.INVTOT));
    LblCurBal->setText(m2(inv_->currentBalance()));
    LblUnits->setText(QStringLiteral("العدد: ") + m4(documents::sumLines(inv_->lines).units));
}

void TQtySoldF::showDocument(int number)
{
    SalesHeader h;
    QList<SalesLine> lines;
    QString acctName;
    if (number > 0) {
        db::Transaction tr(*s_.MainDB);
        db::Query q(tr, QStringLiteral("select * from Trans3 where INVSEL = :sInvSel"));
        q.bind(QStringLiteral("sInvSel"), number);
        q.execute();
        if (q.next()) {
            h.INVSEL = int(q.integer(QStringLiteral("INVSEL")));
            h.TRDATE = q.date(QStringLiteral("TRDATE"));
            h.ACCTNO = q.text(QStringLiteral("ACCTNO"));
            h.CUSTNAME = q.text(QStringLiteral("CUSTNAME"));
            h.TIRMS = int(q.integer(QStringLiteral("TIRMS")));
            h.SALRID = q.text(QStringLiteral("SALRID"));
            h.SUBAMNT = Money::fromDecimal(q.decimal(QStringLiteral("SUBAMNT"), 2));
            h.DISVAL = Money::fromDecimal(q.decimal(QStringLiteral("DISVAL"), 2));
            h.AMOUNT = Money::fromDecimal(q.decimal(QStringLiteral("AMOUNT"), 2));
            h.VTAX = Money::fromDecimal(q.decimal(QStringLiteral("VTAX"), 2));
            h.INVTOT = Money::fromDecimal(q.decimal(QStringLiteral("INVTOT"), 2));
        }
        db::Query d(tr, QStringLiteral("select * from TRANS3D where (INVSEL = :INVSEL) order by LNO"));
        d.bind(QStringLiteral("INVSEL"), number);
        d.execute();
        while (d.next()) {
            SalesLine l;
            l.LNO = int(d.integer(QStringLiteral("LNO")));
            l.ITEMNO = d.text(QStringLiteral("ITEMNO"));
            l.UINDEX = int(d.integer(QStringLiteral("UINDEX")));
            l.QTYSOLD = Qty::fromDecimal(d.decimal(QStringLiteral("QTYSOLD"), 4));
            l.UPRICE = Price::fromDecimal(d.decimal(QStringLiteral("UPRICE"), 4));
            l.SUBAMNT = Money::fromDecimal(d.decimal(QStringLiteral("SUBAMNT"), 2));
            l.DISVAL = Money::fromDecimal(d.decimal(QStringLiteral("DISVAL"), 2));
            l.AMOUNT = Money::fromDecimal(d.decimal(QStringLiteral("AMOUNT"), 2));
            l.VATPER = Money::fromDecimal(d.decimal(QStringLiteral("VATPER"), 2));
            l.VATAMNT = Money::fromDecimal(d.decimal(QStringLiteral("VATAMNT"), 2));
            lines.append(l);
        }
        tr.commit();
        if (auto a = masters::AccountRepository(s_).find(h.ACCTNO.trimmed())) acctName = a->ACCTNAME;
    }
    Money prev;
    if (!h.ACCTNO.trimmed().isEmpty() && h.ACCTNO.trimmed() != s_.jAcctNo.trimmed())
        prev = documents::previousBalance(s_, h.ACCTNO.trimmed()) - h.INVTOT;
    showHeader(h, acctName, prev);
    showLines(lines);
    Money units;
    Qty u;
    for (const SalesLine& l : lines) u += l.QTYSOLD;
    LblUnits->setText(QStringLiteral("العدد: ") + m4(u));
}

void TQtySoldF::startEntry()
{
    inv_ = std::make_unique<documents::SalesInvoice>(s_);
    inv_->header.INVSEL = flow_.entry().number;
    inv_->header.TRDATE = flow_.entry().date;
    inv_->appendLine();
    QString name;
    if (auto a = masters::AccountRepository(s_).find(inv_->header.ACCTNO)) name = a->ACCTNAME;
    showHeader(inv_->header, name, Money());
    showLines(inv_->lines);
    showTotals();
    DBEAcctNo->setFocus();
    DBEAcctNo->selectAll();
}

void TQtySoldF::endEntry()
{
    inv_.reset();
}

void TQtySoldF::accountEntered()
{
    if (!inv_ || DBEAcctNo->isReadOnly()) return;
    const QString typed = DBEAcctNo->text().trimmed();
    if (typed == inv_->header.ACCTNO.trimmed() && inv_->account()) return;
    const documents::Outcome o = inv_->selectCustomer(typed);
    if (!o.ok) {
        if (!o.message.isEmpty()) showError(this, o.message);
        DBEAcctNo->setFocus();
        return;
    }
    LblAcctName->setText(inv_->account() ? inv_->account()->ACCTNAME : QString());
    DBRGTirms->setCurrentIndex(inv_->header.TIRMS == 0 ? 0 : 1);
    const int sal = DBLCSalRep->findData(inv_->header.SALRID.trimmed());
    if (sal >= 0) DBLCSalRep->setCurrentIndex(sal);
    LblPrevBal->setText(m2(inv_->previousBalance()));
    showTotals();
}

void TQtySoldF::cellEdited(int row, int column)
{
    if (filling_ || !inv_) return;
    if (column == ColItem || column == ColUIndex || column == ColQty || column == ColPrice || column == ColDisc)
        postRow(row);
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
    const documents::Outcome o = inv_->postLine(row, edited, inv_->lineBefore(row));
    if (!o.message.isEmpty()) {
        if (o.severity == masters::Severity::Error) showError(this, o.message);
        else showWarning(this, o.message);
    }
    if (!o.ok) return; // the typed values stay in the row under edit
    showLine(row, inv_->lines[row]);
    if (row == inv_->lines.size() - 1 && !inv_->lines[row].ITEMNO.isEmpty()) {
        const int added = inv_->appendLine();
        filling_ = true;
        Grid->setRowCount(added + 1);
        showLine(added, inv_->lines[added]);
        filling_ = false;
    }
    showTotals();
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
    if (nextRow >= Grid->rowCount()) {
        const int added = inv_->appendLine();
        filling_ = true;
        Grid->setRowCount(added + 1);
        showLine(added, inv_->lines[added]);
        filling_ = false;
    }
    Grid->setCurrentCell(nextRow, nextCol);
}

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

void TQtySoldF::focusField(const QString& field)
{
    if (field == QLatin1String("INVSEL")) DBEInvSel->setFocus();
    else if (field == QLatin1String("TRDATE")) DBEDate->setFocus();
    else if (field == QLatin1String("CUSTNAME")) DBECustName->setFocus();
    else if (field == QLatin1String("SALRID")) DBLCSalRep->setFocus();
    else if (field == QLatin1String("ACCTNO")) DBEAcctNo->setFocus();
    else Grid->setFocus();
}

bool TQtySoldF::saveEntry()
{
    // The header as typed.
    documents::SalesHeader& h = inv_->header;
    h.INVSEL = DBEInvSel->text().trimmed().toInt();
    h.TRDATE = DBEDate->date();
    h.CUSTNAME = DBECustName->text().trimmed();
    h.SALRID = DBLCSalRep->currentData().toString();
    if (DBEAcctNo->text().trimmed() != h.ACCTNO.trimmed()) h.ACCTNO = DBEAcctNo->text().trimmed();

    const documents::Outcome c = inv_->checkSave();
    DBECustName->setText(h.CUSTNAME);
    showTotals();
    if (!c.ok) {
        if (!c.message.isEmpty()) showError(this, c.message);
        focusField(c.field);
        return false;
    }
    if (!askYesNo(this, s_.msg.mUSave)) return false;
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
