// Printing a long item list: laying out and rendering about 50 A4 pages of generated rows with
// Arabic names, to PDF and to preview images.
#include "tools/ListReport.h"
#include "tools/ReportRenderer.h"

#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

using namespace kv::tools;

ListReport itemList(int rows)
{
    static const char* names[] = {"قلم حبر أزرق", "دفتر مدرسي مقاس كبير", "مسطرة بلاستيك شفافة", "ممحاة بيضاء",
                                  "حقيبة ظهر للطلاب", "آلة حاسبة علمية"};
    ListReport r;
    r.firmName = QStringLiteral("مؤسسة النور التجارية");
    r.address = QStringLiteral("الرياض - شارع الملك فهد");
    r.telephone = QStringLiteral("011-4567890");
    r.title = QStringLiteral("قائمة الأصناف");
    r.parameters = {QStringLiteral("جميع المجموعات")};
    r.userName = QStringLiteral("ADMIN");
    r.table.columns = {{QStringLiteral("رقم الصنف"), ColumnKind::Text, 12},
                       {QStringLiteral("اسم الصنف"), ColumnKind::Text, 40},
                       {QStringLiteral("الكمية"), ColumnKind::Qty, 12, {}, true},
                       {QStringLiteral("سعر البيع"), ColumnKind::Money, 12},
                       {QStringLiteral("التكلفة"), ColumnKind::Money, 12, {}, true},
                       {QStringLiteral("آخر شراء"), ColumnKind::Date, 10}};
    for (int i = 0; i < rows; ++i)
        r.table.rows.push_back({QStringLiteral("IT-%1").arg(100000 + i),
                                QString::fromUtf8(names[i % 6]) + QStringLiteral(" رقم ") + QString::number(i),
                                kv::db::Decimal(std::int64_t(i) * 12345 % 9999999, 4),
                                kv::db::Decimal(std::int64_t(i) * 731 % 999999, 2),
                                kv::db::Decimal(std::int64_t(i) * 617 % 999999, 2), QDate(2024, 1, 1).addDays(i % 365)});
    return r;
}

// Rows for about 50 pages (34 rows fit an A4 page at the default size).
constexpr int kRows = 50 * 34;

void BM_LayoutList50Pages(benchmark::State& state)
{
    const ListReport r = itemList(kRows);
    int pages = 0;
    for (auto _ : state) {
        const Document doc = layoutList(r);
        pages = doc.pageCount();
        benchmark::DoNotOptimize(pages);
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_LayoutList50Pages)->Unit(benchmark::kMillisecond);

void BM_ListToPdf50Pages(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("list.pdf"));
    const ListReport r = itemList(kRows);
    int pages = 0;
    for (auto _ : state) {
        const Document doc = layoutList(r);
        pages = doc.pageCount();
        if (!ReportRenderer::writePdf(doc, path).isEmpty()) {
            state.SkipWithError("PDF not written");
            break;
        }
    }
    state.counters["pages"] = pages;
    state.counters["bytes"] = double(QFileInfo(path).size());
}
BENCHMARK(BM_ListToPdf50Pages)->Unit(benchmark::kMillisecond);

void BM_PreviewImage(benchmark::State& state)
{
    const Document doc = layoutList(itemList(kRows));
    for (auto _ : state)
        benchmark::DoNotOptimize(ReportRenderer::pageImage(doc, 0, 96));
}
BENCHMARK(BM_PreviewImage)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv); // fonts
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
