#include "ToolsTest.h"

#include <QGuiApplication>
#include <QProcess>

namespace kv::test {

QGuiApplication& guiApp()
{
    static QGuiApplication* app = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "kv_tools_tests";
        static char* argv[] = {name, nullptr};
        return new QGuiApplication(argc, argv); // lives until the process ends
    }();
    return *app;
}

QByteArray runTool(const QString& program, const QStringList& args, bool* ok)
{
    QProcess p;
    p.start(program, args);
    const bool done = p.waitForFinished(60000);
    const bool good = done && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    if (ok)
        *ok = good;
    return good ? p.readAllStandardOutput() : QByteArray();
}

tools::Table itemTable(int n)
{
    using tools::Column;
    using tools::ColumnKind;
    static const char* names[] = {"قلم حبر أزرق", "دفتر مدرسي مقاس كبير", "مسطرة بلاستيك", "ممحاة بيضاء",
                                  "حقيبة ظهر للطلاب"};
    tools::Table t;
    t.columns = {{QStringLiteral("رقم الصنف"), ColumnKind::Text, 12},
                 {QStringLiteral("اسم الصنف"), ColumnKind::Text, 40},
                 {QStringLiteral("المجموعة"), ColumnKind::Text, 8},
                 {QStringLiteral("الكمية"), ColumnKind::Qty, 12},
                 {QStringLiteral("التكلفة"), ColumnKind::Money, 12},
                 {QStringLiteral("آخر شراء"), ColumnKind::Date, 10}};
    for (int i = 0; i < n; ++i) {
        tools::Row r;
        r.emplace_back(QStringLiteral("A-%1").arg(1000 + i));
        r.emplace_back(QString::fromUtf8(names[i % 5]) + QStringLiteral(" ") + QString::number(i + 1));
        r.emplace_back(QStringLiteral("G%1").arg(i / 25 + 1));
        r.emplace_back(db::Decimal(std::int64_t(i + 1) * 12500, 4)); // 1.25 each step
        r.emplace_back(db::Decimal(std::int64_t(i % 7) * 1000 + 10, 2));
        r.emplace_back(QDate(2024, 3, 5).addDays(i));
        t.rows.push_back(std::move(r));
    }
    return t;
}

} // namespace kv::test
