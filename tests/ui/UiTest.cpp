#include "UiTest.h"

#include "ui/common/Look.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTimer>

namespace kv::test {

QApplication& uiApp()
{
    static QApplication* app = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "kv_ui_tests";
        static char* argv[] = {name, nullptr};
        // The offscreen platform warns about every window it cannot resize to its hints.
        static const QtMessageHandler previous = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
                if (!message.contains(QLatin1String("propagateSizeHints")))
                    previous(type, context, message);
            });
        auto* a = new QApplication(argc, argv); // lives until the process ends
        ui::applyApplicationLook(*a);
        return a;
    }();
    return *app;
}

ModalScript::ModalScript()
    : context_(std::make_unique<QObject>())
{
    uiApp();
    QTimer::singleShot(0, context_.get(), [this] { poll(); });
}

ModalScript::~ModalScript() = default;

ModalScript& ModalScript::then(Handler handler)
{
    handlers_.push_back(std::move(handler));
    return *this;
}

void ModalScript::poll()
{
    // Each poll is a fresh single-shot timer, so polling goes on inside the nested event loop
    // of a box opened by a handler.
    QTimer::singleShot(5, context_.get(), [this] { poll(); });

    QWidget* w = QApplication::activeModalWidget();
    if (!w || w == current_ || !w->isVisible())
        return;
    current_ = w;
    SeenModal s;
    s.className = QString::fromLatin1(w->metaObject()->className());
    s.objectName = w->objectName();
    s.title = w->windowTitle();
    if (auto* box = qobject_cast<QMessageBox*>(w)) {
        s.text = box->text();
        s.icon = int(box->icon());
    }
    seen_.push_back(s);

    Handler h;
    if (!handlers_.empty()) {
        h = std::move(handlers_.front());
        handlers_.pop_front();
    }
    if (h) {
        h(w);
    } else if (auto* d = qobject_cast<QDialog*>(w)) {
        d->reject();
    } else {
        w->close();
    }
    // When the window stays up (a refused OK), it is answered again only after it has shown
    // something else in between.
}

ModalScript::Handler ModalScript::press(const QString& buttonObjectName)
{
    return [buttonObjectName](QWidget* w) {
        if (auto* b = w->findChild<QAbstractButton*>(buttonObjectName))
            b->click();
    };
}

ModalScript::Handler ModalScript::ok()
{
    return [](QWidget* w) {
        if (auto* box = qobject_cast<QMessageBox*>(w)) {
            QAbstractButton* b = box->button(QMessageBox::Ok);
            if (!b)
                b = box->button(QMessageBox::Yes);
            if (b)
                b->click();
        }
    };
}

ModalScript::Handler ModalScript::no()
{
    return [](QWidget* w) {
        if (auto* box = qobject_cast<QMessageBox*>(w))
            if (QAbstractButton* b = box->button(QMessageBox::No))
                b->click();
    };
}

void typeText(QWidget* widget, const QString& text)
{
    for (QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
    }
}

} // namespace kv::test

#include "core/Users.h"

#include <QComboBox>
#include <QLineEdit>

namespace kv::test {

void ScreenTest::SetUpTestSuite()
{
    uiApp();
    folder = makeDataFolder();
}

void ScreenTest::SetUp()
{
    publicDir = freshDir(QStringLiteral("public"));
    qputenv("KV_PUBLIC_DIR", publicDir.toUtf8());
    session = openSession(folder);
    ASSERT_TRUE(session);
    session->msg.load(0);
}

void ScreenTest::addOperator(const QString& name, const QString& password, std::initializer_list<core::Right> granted)
{
    core::User u;
    u.USERNM = name;
    u.USERID = password;
    for (auto& f : u.rights.flag)
        f = QStringLiteral("F");
    for (core::Right r : granted)
        u.rights[r] = QStringLiteral("T");
    ASSERT_EQ(core::UserStore(*session).save(u, password, true), QString());
}

ModalScript::Handler logInAs(const QString& user, const QString& password)
{
    return [user, password](QWidget* w) {
        auto* users = w->findChild<QComboBox*>(QStringLiteral("DBLCUsers"));
        auto* pw = w->findChild<QLineEdit*>(QStringLiteral("EdtPW"));
        ASSERT_TRUE(users && pw) << "not the login dialog: " << w->objectName().toStdString();
        users->setCurrentIndex(users->findText(user));
        pw->setText(password);
        ModalScript::press(QStringLiteral("BBOk"))(w);
    };
}

} // namespace kv::test
