#include "ui/masters/MasterUi.h"

#include "core/Session.h"
#include "db/Error.h"
#include "ui/common/MessageBox.h"

#include <QAction>
#include <QFocusEvent>
#include <QHeaderView>
#include <QLabel>
#include <QShortcut>
#include <QTableView>
#include <QToolBar>

namespace kv::ui::masters_ui {

QToolBar* commandBar(QWidget* parent)
{
    auto* bar = new QToolBar(parent);
    bar->setObjectName(QStringLiteral("CommandBar"));
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return bar;
}

void addShortcut(QWidget* window, QAction* command, const QKeySequence& key)
{
    auto* sc = new QShortcut(key, window);
    sc->setContext(Qt::WindowShortcut);
    QObject::connect(sc, &QShortcut::activated, command, [command] {
        if (command->isEnabled())
            command->trigger();
    });
}

void showCheck(QWidget* parent, const masters::Check& check)
{
    if (check.ok())
        return;
    switch (check.severity) {
    case masters::Severity::Information: showInformation(parent, check.message); break;
    case masters::Severity::Warning: showWarning(parent, check.message); break;
    case masters::Severity::Error: showError(parent, check.message); break;
    }
}

void showDbError(QWidget* parent, const core::Session& s, const db::DbError& e)
{
    showError(parent, e.isBusy() ? s.msg.mInUse : e.text());
}

namespace {

class LeaveFilter : public QObject {
public:
    LeaveFilter(QObject* parent, std::function<void()> run) : QObject(parent), run_(std::move(run)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusOut) {
            const Qt::FocusReason r = static_cast<QFocusEvent*>(event)->reason();
            if (r != Qt::PopupFocusReason && r != Qt::ActiveWindowFocusReason)
                run_();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> run_;
};

} // namespace

void onLeave(QWidget* field, std::function<void()> run)
{
    field->installEventFilter(new LeaveFilter(field, std::move(run)));
}

QLabel* fieldLabel(const QString& caption, QWidget* parent)
{
    auto* l = new QLabel(caption, parent);
    return l;
}

TextTableModel::TextTableModel(QStringList headers, QObject* parent)
    : QAbstractTableModel(parent)
    , headers_(std::move(headers))
{
}

void TextTableModel::setRows(QList<QStringList> rows)
{
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

int TextTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(rows_.size()); }
int TextTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(headers_.size()); }

QVariant TextTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return cell(index.row(), index.column());
    if (role == Qt::TextAlignmentRole)
        return int((numeric_.contains(index.column()) ? Qt::AlignTrailing : Qt::AlignLeading) | Qt::AlignVCenter);
    return {};
}

QVariant TextTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return headers_.value(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

QTableView* listGrid(QAbstractItemModel* model, QWidget* parent, const QString& objectName, int stretchColumn)
{
    auto* v = new QTableView(parent);
    v->setObjectName(objectName);
    v->setModel(model);
    v->setEditTriggers(QAbstractItemView::NoEditTriggers);
    v->setSelectionBehavior(QAbstractItemView::SelectRows);
    v->setSelectionMode(QAbstractItemView::SingleSelection);
    v->setTabKeyNavigation(false);
    v->setWordWrap(false);
    v->verticalHeader()->hide();
    v->verticalHeader()->setMinimumSectionSize(v->fontMetrics().height());
    v->verticalHeader()->setDefaultSectionSize(v->fontMetrics().height() + 2);
    v->horizontalHeader()->setHighlightSections(false);
    v->horizontalHeader()->setStretchLastSection(stretchColumn < 0);
    if (stretchColumn >= 0)
        v->horizontalHeader()->setSectionResizeMode(stretchColumn, QHeaderView::Stretch);
    return v;
}

int rowOfKey(const TextTableModel& model, const QString& key)
{
    for (int i = 0; i < model.rowCount(); ++i)
        if (model.cell(i, 0) == key)
            return i;
    return -1;
}

} // namespace kv::ui::masters_ui
