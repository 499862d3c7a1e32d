#include "ui/common/Browse.h"

#include <QAction>
#include <QDialog>
#include <QToolBar>

namespace kv::ui {

QAction* addCommand(QToolBar* bar, const QString& caption, const QString& objectName, const QKeySequence& key,
                    std::function<void()> run)
{
    QAction* a = bar->addAction(caption);
    a->setObjectName(objectName);
    a->setToolTip(caption);
    if (!key.isEmpty()) {
        a->setShortcut(key);
        a->setShortcutContext(Qt::WindowShortcut);
    }
    QObject::connect(a, &QAction::triggered, bar, [run = std::move(run)] { run(); });
    return a;
}

BrowseCursor::BrowseCursor(std::function<bool()> browsing, std::function<void()> show)
    : browsing_(std::move(browsing))
    , show_(std::move(show))
{
}

void BrowseCursor::setKeys(QStringList keys, const QString& keep)
{
    keys_ = std::move(keys);
    const int k = int(keys_.indexOf(keep));
    pos_ = k >= 0 ? k : keys_.isEmpty() ? -1 : qBound(0, pos_, count() - 1);
}

void BrowseCursor::setPosition(int row)
{
    pos_ = row >= 0 && row < count() ? row : -1;
}

bool BrowseCursor::moveTo(int row)
{
    if (row < 0 || row >= count())
        return false;
    pos_ = row;
    show_();
    return true;
}

bool BrowseCursor::first() { return browsing_() && moveTo(0); }
bool BrowseCursor::prior() { return browsing_() && pos_ > 0 && moveTo(pos_ - 1); }
bool BrowseCursor::next() { return browsing_() && moveTo(pos_ + 1); }
bool BrowseCursor::last() { return browsing_() && moveTo(count() - 1); }
bool BrowseCursor::seek(const QString& key) { return moveTo(int(keys_.indexOf(key))); }
bool BrowseCursor::showRow(int row) { return moveTo(row); }

std::tuple<QAction*, QAction*, QAction*, QAction*> BrowseCursor::addCommands(QToolBar* bar, Qt::Key priorKey,
                                                                             Qt::Key nextKey)
{
    const auto caption = [](const char* text, Qt::Key key) {
        return QString::fromUtf8(text) + QKeySequence(key).toString();
    };
    bar->addSeparator();
    first_ = addCommand(bar, QStringLiteral("أول سجل"), QStringLiteral("SBFirst"), {}, [this] { first(); });
    prior_ = addCommand(bar, caption("السابق ", priorKey), QStringLiteral("SBPrior"), QKeySequence(priorKey),
                        [this] { prior(); });
    next_ = addCommand(bar, caption("التالي ", nextKey), QStringLiteral("SBNext"), QKeySequence(nextKey),
                       [this] { next(); });
    last_ = addCommand(bar, QStringLiteral("آخر سجل"), QStringLiteral("SBLast"), {}, [this] { last(); });
    return {first_, prior_, next_, last_};
}

void BrowseCursor::updateCommands() const
{
    if (!first_)
        return;
    const bool browse = browsing_();
    first_->setEnabled(browse && !atFirst());
    prior_->setEnabled(browse && !atFirst());
    next_->setEnabled(browse && !atLast());
    last_->setEnabled(browse && !atLast());
}

std::tuple<QAction*, QAction*, QAction*, QAction*, QAction*>
addCardCommands(QToolBar* bar, QDialog* window, CardHandlers run, const QString& insertName)
{
    addCommand(bar, QStringLiteral("خروج"), QStringLiteral("SBExit"), {}, [window] { window->reject(); });
    bar->addSeparator();
    return {addCommand(bar, QStringLiteral("اضافة Insert"), insertName, QKeySequence(Qt::Key_Insert), std::move(run.insert)),
            addCommand(bar, QStringLiteral("حـذف"), QStringLiteral("SBDelete"), {}, std::move(run.remove)),
            addCommand(bar, QStringLiteral("تعديل"), QStringLiteral("SBEdit"), {}, std::move(run.edit)),
            addCommand(bar, QStringLiteral("حفـظ F10"), QStringLiteral("SBSave"), QKeySequence(Qt::Key_F10),
                       std::move(run.save)),
            addCommand(bar, QStringLiteral("إلغاء التعديل Ctrl+Q"), QStringLiteral("SBCancel"),
                       QKeySequence(Qt::CTRL | Qt::Key_Q), std::move(run.cancel))};
}

void enableForEntry(bool entry, std::initializer_list<QAction*> entryOnly, std::initializer_list<QAction*> browseOnly)
{
    for (QAction* a : entryOnly)
        a->setEnabled(entry);
    for (QAction* a : browseOnly)
        a->setEnabled(!entry);
}

} // namespace kv::ui
