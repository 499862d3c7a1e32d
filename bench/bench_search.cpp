// One keystroke in the item search over 100,000 items: the rebuilt query and its first page of
// 50 rows, for an item-number prefix and for a description containment (a common word, a word
// found in one item only, no match at all, and one typed letter: found in every item, and found
// in two items of five that all sort after thousands without it), plus the second page of a
// common word. The items are generated inside the database by one EXECUTE BLOCK; the trigger on
// STOCK fills the search table as they are inserted.
#include "core/Session.h"
#include "db/Connection.h"
#include "db/Script.h"
#include "masters/Search.h"
#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int kItems = 100000;

kv::core::Session& session()
{
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/kv-bench-search-XXXXXX"));
    static std::unique_ptr<kv::core::Session> s;
    if (!s) {
        s = std::make_unique<kv::core::Session>();
        s->MainDB = kv::db::Connection::create({QString(), dir.path() + QStringLiteral("/AC2026.FDB"), {}, {}});
        kv::db::runScript(*s->MainDB, kv::db::schemaScript(QStringLiteral("year.sql")));
        kv::db::Transaction tr(*s->MainDB);
        // Twenty description words, item numbers 1..100000, one item with a word of its own.
        tr.execute(QStringLiteral(
            "EXECUTE BLOCK AS "
            "DECLARE I INTEGER = 1; "
            "DECLARE W VARCHAR(20); "
            "BEGIN "
            "  WHILE (I <= %1) DO BEGIN "
            "    W = DECODE(MOD(I, 20), 0, 'قلم', 1, 'دفتر', 2, 'ممحاة', 3, 'مسطرة', 4, 'حبر', 5, 'ورق', "
            "        6, 'ملف', 7, 'مشبك', 8, 'لاصق', 9, 'مقص', 10, 'Pen', 11, 'Paper', 12, 'Folder', "
            "        13, 'Stapler', 14, 'Glue', 15, 'Marker', 16, 'Ruler', 17, 'Eraser', 18, 'Ink', 'Clip'); "
            "    INSERT INTO STOCK (ITEMNO, DESCR, ARTNO, QUNITS, ONHAND, UPRICE, MINSTOCK, LOCATION) "
            "    VALUES (:I, :W || ' ' || MOD(:I * 7919, 1000) || ' صنف ' || :I, LPAD(MOD(:I, 50), 2, '0'), "
            "            1 + MOD(:I, 12), MOD(:I, 300), MOD(:I, 97) + 0.5, MOD(:I, 10), 'L' || MOD(:I, 40)); "
            "    I = I + 1; "
            "  END "
            "  UPDATE STOCK SET DESCR = 'زعفران فاخر' WHERE ITEMNO = '77777'; "
            "END").arg(kItems));
        tr.commit();
        s->MainDB->executeImmediate(QStringLiteral("SET STATISTICS INDEX IX_STOCK_DESCR"));
        s->MainDB->executeImmediate(QStringLiteral("SET STATISTICS INDEX IX_ITEMSRCH_DESCR"));
    }
    return *s;
}

void keystroke(benchmark::State& state, const char* typed, int offset = 0)
{
    auto q = kv::masters::makeItemSearch(session());
    const QString text = QString::fromUtf8(typed);
    int rows = 0;
    for (auto _ : state) {
        q->setText(text);
        const auto page = q->fetch(offset, 50);
        rows = int(page.size());
        benchmark::DoNotOptimize(page);
    }
    state.counters["rows"] = rows;
}

void BM_ItemNumberPrefix(benchmark::State& state) { keystroke(state, "123"); }
void BM_DescriptionCommonWord(benchmark::State& state) { keystroke(state, "قلم"); }
void BM_DescriptionLatinAnyCase(benchmark::State& state) { keystroke(state, "stapler"); }
void BM_DescriptionInOneItem(benchmark::State& state) { keystroke(state, "زعفران"); }
void BM_DescriptionNoMatch(benchmark::State& state) { keystroke(state, "غير موجود"); }
void BM_AllItems(benchmark::State& state) { keystroke(state, ""); }
void BM_OneLetterInEveryItem(benchmark::State& state) { keystroke(state, "ص"); }
void BM_OneLetterSortedLate(benchmark::State& state) { keystroke(state, "e"); }
void BM_CommonWordSecondPage(benchmark::State& state) { keystroke(state, "قلم", 50); }

BENCHMARK(BM_ItemNumberPrefix)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DescriptionCommonWord)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DescriptionLatinAnyCase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DescriptionInOneItem)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DescriptionNoMatch)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AllItems)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OneLetterInEveryItem)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OneLetterSortedLate)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CommonWordSecondPage)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
