// Browsing the sales invoices of a busy year on the embedded engine: 30,000 invoices of 5 lines
// (150,000 lines) for 20 customers, generated once. Measures what the sales screen reads when it
// shows an invoice (header, lines, names, the customer's balance), the previous balance alone,
// a step to the next invoice, opening the screen, and the item's sales history for a customer (F8).
#include "BenchFirm.h"
#include "core/Session.h"
#include "core/Startup.h"
#include "db/Connection.h"
#include "documents/DocumentKind.h"
#include "documents/InvoicePrint.h"
#include "documents/SalesCommands.h"
#include "documents/SalesInvoice.h"
#include "documents/Workflow.h"
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>
#include <random>

using namespace kv;

namespace {

constexpr int kFirst = 1000, kInvoices = 30000, kLines = 5, kCustomers = 20;

struct Year {
    std::unique_ptr<core::Session> session;
    QString busyItem;
};

Year* year()
{
    static std::unique_ptr<Year> y;
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/kv-bench-XXXXXX"));
    if (y) return y.get();

    auto f = std::make_unique<Year>();
    f->session = bench::openDemoFirm(dir.path() + QStringLiteral("/data"));
    if (!f->session) return nullptr;
    core::Session& s = *f->session;

    QElapsedTimer t;
    t.start();
    {
        db::Transaction tr(*s.MainDB);
        // Lines take the items in turn; customers 120001..120020 in turn.
        tr.execute(QStringLiteral(
            "EXECUTE BLOCK AS\n"
            "DECLARE I INTEGER = %1; DECLARE L INTEGER; DECLARE N INTEGER; DECLARE K INTEGER = 0;\n"
            "DECLARE A VARCHAR(9); DECLARE D DATE; DECLARE IT VARCHAR(14);\n"
            "BEGIN\n"
            "  SELECT COUNT(*) FROM STOCK INTO :N;\n"
            "  WHILE (I < %2) DO BEGIN\n"
            "    A = '12' || LPAD(MOD(I, %3) + 1, 4, '0');\n"
            "    D = DATEADD(MOD(I, 365) DAY TO DATE '2026-01-01');\n"
            "    INSERT INTO TRANS3 (INVSEL, TRDATE, ACCTNO, TIRMS, SUBAMNT, DISVAL, AMOUNT, VTAX, INVTOT, TOTCOST,\n"
            "                        USERID, POSTED, RVNO, DISFLG, VATPER)\n"
            "      VALUES (:I, :D, :A, 1, 100, 0, 100, 15, 115, 50, 'bench', 0, 0, 0, 15);\n"
            "    L = 1;\n"
            "    WHILE (L <= %4) DO BEGIN\n"
            "      SELECT FIRST 1 SKIP (:K) ITEMNO FROM STOCK ORDER BY ITEMNO INTO :IT;\n"
            "      K = MOD(K + 1, N);\n"
            "      INSERT INTO TRANS3D (INVSEL, LNO, TRDATE, ITEMNO, UINDEX, QTYSOLD, QSOLD, UPRICE, UCOST, SUBAMNT,\n"
            "                           DISVAL, AMOUNT, VATPER, VATAMNT, ACCTNO)\n"
            "        VALUES (:I, :L, :D, :IT, 2, 2, 2, 10, 5, 20, 0, 20, 15, 3, :A);\n"
            "      L = L + 1;\n"
            "    END\n"
            "    I = I + 1;\n"
            "  END\n"
            "END")
                       .arg(kFirst)
                       .arg(kFirst + kInvoices)
                       .arg(kCustomers)
                       .arg(kLines));
        tr.execute(QStringLiteral("SET GENERATOR INVSEL_GEN TO %1").arg(kFirst + kInvoices));
        f->busyItem = std::get<QString>(db::scalar(tr, QStringLiteral("select first 1 ITEMNO from STOCK order by ITEMNO")))
                          .trimmed();
        tr.commit();
    }
    std::fprintf(stderr, "generated %d invoices of %d lines in %.1f s\n", kInvoices, kLines, t.elapsed() / 1000.0);
    return (y = std::move(f)).get();
}

int randomInvoice()
{
    static std::mt19937 rng(7);
    return kFirst + int(rng() % kInvoices);
}

void BM_ShowInvoice(benchmark::State& state)
{
    Year* y = year();
    if (!y) return state.SkipWithError("no year");
    for (auto _ : state) benchmark::DoNotOptimize(documents::loadSavedInvoice(*y->session, randomInvoice()));
}

void BM_PreviousBalance(benchmark::State& state)
{
    Year* y = year();
    if (!y) return state.SkipWithError("no year");
    for (auto _ : state) benchmark::DoNotOptimize(documents::previousBalance(*y->session, QStringLiteral("120007")));
}

void BM_NextInvoice(benchmark::State& state)
{
    Year* y = year();
    if (!y) return state.SkipWithError("no year");
    documents::Workflow flow(*y->session, documents::salesInvoiceKind());
    flow.open();
    flow.first();
    for (auto _ : state) {
        if (flow.next() >= kFirst + kInvoices - 1) flow.first();
    }
}

// Opening the screen's workflow: the latest date, the hold tables emptied, the bounds.
void BM_OpenScreen(benchmark::State& state)
{
    Year* y = year();
    if (!y) return state.SkipWithError("no year");
    documents::Workflow flow(*y->session, documents::salesInvoiceKind());
    for (auto _ : state) flow.open();
}

void BM_ItemHistory(benchmark::State& state)
{
    Year* y = year();
    if (!y) return state.SkipWithError("no year");
    for (auto _ : state)
        benchmark::DoNotOptimize(documents::itemSalesHistory(*y->session, y->busyItem, QStringLiteral("120007")));
}

} // namespace

BENCHMARK(BM_ShowInvoice)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_PreviousBalance)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_NextInvoice)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_OpenScreen)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_ItemHistory)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
