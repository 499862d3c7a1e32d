#include "ui/common/SearchList.h"

#include "core/Session.h"
#include "db/Error.h"
#include "ui/common/MessageBox.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace kv::ui {

namespace {

bool isEnter(const QKeyEvent* k)
{
    return (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter)
        && (k->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

// Keys the grid keeps: moving between rows and leaving it.
bool isNavigation(int key)
{
    switch (key) {
    case Qt::Key_Up: case Qt::Key_Down: case Qt::Key_Left: case Qt::Key_Right:
    case Qt::Key_PageUp: case Qt::Key_PageDown: case Qt::Key_Home: case Qt::Key_End:
    case Qt::Key_Tab: case Qt::Key_Backtab:
        return true;
    default:
        return false;
    }
}

} // namespace

SearchList::SearchList(std::unique_ptr<masters::SearchQuery> query, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("SearchList"));
    const QString boxCaption = query->boxCaption();
    const int maxText = query->maxTextLength();
    model_ = new masters::SearchModel(std::move(query), this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* row = new QHBoxLayout;
    LblSearch = new QLabel(boxCaption, this);
    LblSearch->setObjectName(QStringLiteral("LblSearch"));
    EdtSearch = new QLineEdit(this);
    EdtSearch->setObjectName(QStringLiteral("EdtSearch"));
    if (maxText > 0)
        EdtSearch->setMaxLength(maxText);
    LblSearch->setBuddy(EdtSearch);
    LblSearch->setVisible(!boxCaption.isEmpty());
    row->addWidget(LblSearch);
    row->addWidget(EdtSearch, 1);
    layout->addLayout(row);

    DBGrid = new QTableView(this);
    DBGrid->setObjectName(QStringLiteral("DBGrid"));
    DBGrid->setModel(model_);
    DBGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGrid->setTabKeyNavigation(false);
    DBGrid->verticalHeader()->hide();
    DBGrid->verticalHeader()->setMinimumSectionSize(DBGrid->fontMetrics().height());
    DBGrid->verticalHeader()->setDefaultSectionSize(DBGrid->fontMetrics().height() + 2);
    DBGrid->horizontalHeader()->setHighlightSections(false);
    DBGrid->setWordWrap(false);
    // Column widths from the query's hints (characters); the widest column (the name) takes what
    // is left of the window.
    {
        const int charWidth = DBGrid->fontMetrics().horizontalAdvance(QLatin1Char('0'));
        int gridColumn = 0, widest = 0, widestWidth = 0;
        for (const masters::SearchColumn& c : model_->query().columns()) {
            if (!c.inGrid)
                continue;
            const int header = DBGrid->fontMetrics().horizontalAdvance(c.caption) + 16;
            const int width = qMax(header, qMin(c.width, 14) * charWidth + 12);
            if (c.width > widestWidth) {
                widest = gridColumn;
                widestWidth = c.width;
            }
            DBGrid->setColumnWidth(gridColumn++, width);
        }
        DBGrid->horizontalHeader()->setSectionResizeMode(widest, QHeaderView::Stretch);
    }
    layout->addWidget(DBGrid, 1);

    EdtSearch->installEventFilter(this);
    DBGrid->installEventFilter(this);

    connect(EdtSearch, &QLineEdit::textChanged, this, [this](const QString& t) {
        model_->setText(t);
        afterReset();
    });
    connect(DBGrid, &QTableView::clicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            chooseCurrent();
    });
    connect(DBGrid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { emit currentRowChanged(); });
    afterReset();
}

void SearchList::setEditVisible(bool on)
{
    EdtSearch->setVisible(on);
    LblSearch->setVisible(on && !LblSearch->text().isEmpty());
}

void SearchList::reload()
{
    model_->reload();
    afterReset();
}

void SearchList::afterReset()
{
    if (model_->rowCount() > 0)
        DBGrid->setCurrentIndex(model_->index(0, 0));
    emit currentRowChanged();
    emit reloaded();
}

int SearchList::count() const
{
    return model_->totalCount();
}

QString SearchList::currentKey() const
{
    return model_->key(DBGrid->currentIndex().row());
}

QString SearchList::currentOutsideValue(const QString& column) const
{
    return model_->outsideValue(DBGrid->currentIndex().row(), column);
}

void SearchList::fetchAll()
{
    while (model_->canFetchMore({}))
        model_->fetchMore({});
}

void SearchList::chooseCurrent()
{
    emit chosen(currentKey());
}

bool SearchList::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (watched == EdtSearch) {
        if (isEnter(key)) {
            DBGrid->setFocus(Qt::TabFocusReason);
            if (!DBGrid->currentIndex().isValid() && model_->rowCount() > 0)
                DBGrid->setCurrentIndex(model_->index(0, 0));
            return true;
        }
        // Up and down in the box walk the grid, as they do in the grid itself.
        if ((key->key() == Qt::Key_Down || key->key() == Qt::Key_Up) && model_->rowCount() > 0) {
            DBGrid->setFocus(Qt::TabFocusReason);
            return false;
        }
        return false;
    }
    if (watched == DBGrid) {
        if (isEnter(key)) {
            chooseCurrent();
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            emit escaped();
            return true;
        }
        if (isNavigation(key->key()))
            return false;
        // Any other key typed in the grid is ignored.
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------------

SearchWindow::SearchWindow(core::Session& session, std::unique_ptr<masters::SearchQuery> query, QWidget* parent)
    : QDialog(parent)
    , s_(session)
{
    s_.mFound = false;
    setWindowTitle(query->caption());
    top_ = new QVBoxLayout(this);
    list_ = new SearchList(std::move(query), this);
    top_->addWidget(list_, 1);

    auto* bottom = new QHBoxLayout;
    LblCount = new QLabel(this);
    LblCount->setObjectName(QStringLiteral("LblCount"));
    LblCount->hide();
    BBEsc = new QPushButton(QStringLiteral("Esc"), this);
    BBEsc->setObjectName(QStringLiteral("BBEsc"));
    BBEsc->setAutoDefault(false);
    bottom->addWidget(LblCount);
    bottom->addStretch(1);
    bottom->addWidget(BBEsc);
    top_->addLayout(bottom);

    connect(BBEsc, &QPushButton::clicked, this, &SearchWindow::reject);
    connect(list_, &SearchList::escaped, this, &SearchWindow::reject);
    connect(list_, &SearchList::chosen, this, &SearchWindow::choose);
    resize(720, 480);
    list_->edit()->setFocus();
}

void SearchWindow::showCount()
{
    const auto update = [this] {
        LblCount->setText(QStringLiteral("عدد السجلات: ") + QString::number(list_->count()));
    };
    connect(list_, &SearchList::reloaded, this, update);
    update();
    LblCount->show();
}

void SearchWindow::choose(const QString& key)
{
    bool found = false;
    try {
        found = accept(key);
    } catch (const db::DbError& e) {
        showError(this, e.isBusy() ? s_.msg.mInUse : e.text());
    }
    s_.mFound = found;
    chosen_ = found ? key : QString();
    if (found)
        QDialog::accept();
    else
        QDialog::reject();
}

void SearchWindow::reject()
{
    s_.mFound = false;
    chosen_.clear();
    QDialog::reject();
}

} // namespace kv::ui
