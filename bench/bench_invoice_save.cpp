// Saving one sales invoice of 10, 100 and 1,000 lines through saveDocument: on the embedded
// engine, and on the loopback server when KV_TEST_FB_SERVER / KV_TEST_FB_DIR name one.
// Each iteration saves the same prepared invoice again under a new number.
#include "BenchFirm.h"
#include "core/Session.h"
#include "core/Startup.h"
#include "db/Connection.h"
#include "documents/DocumentKind.h"
#include "documents/SalesInvoice.h"
#include "documents/Workflow.h"
#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QUuid>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>

using namespace kv;

namespace {

struct Firm {
    std::unique_ptr<core::Session> session;
    QStringList items;
};

// A demo firm (created once per engine) with a session open on it.
Firm* firm(bool server)
{
    static std::map<bool, std::unique_ptr<Firm>> firms;
    static QTemporaryDir local(QDir::tempPath() + QStringLiteral("/kv-bench-XXXXXX"));
    if (auto it = firms.find(server); it != firms.end()) return it->second.get();

    QString dir, host;
    if (server) {
        host = qEnvironmentVariable("KV_TEST_FB_SERVER");
        const QString base = qEnvironmentVariable("KV_TEST_FB_DIR");
        if (host.isEmpty() || base.isEmpty()) return nullptr;
        dir = base + QStringLiteral("/bench") + QUuid::createUuid().toString(QUuid::Id128).left(10);
        QDir().mkpath(dir);
    } else {
        dir = local.path() + QStringLiteral("/data");
    }
    auto f = std::make_unique<Firm>();
    f->session = bench::openDemoFirm(dir, host);
    if (!f->session) return nullptr;
    core::Session& s = *f->session;
    s.gXQSel = QStringLiteral("F");
    {
        db::Transaction tr(*s.MainDB);
        db::Query q(tr, QStringLiteral("select ITEMNO from STOCK order by ITEMNO"));
        q.execute();
        while (q.next()) f->items << q.text(QStringLiteral("ITEMNO")).trimmed();
    }
    return (firms[server] = std::move(f)).get();
}

void saveInvoice(benchmark::State& state, bool server)
{
    Firm* f = firm(server);
    if (!f) {
        state.SkipWithError("no server (KV_TEST_FB_SERVER, KV_TEST_FB_DIR)");
        return;
    }
    core::Session& s = *f->session;
    documents::SalesInvoice inv(s);
    inv.header.TRDATE = QDate(2026, 12, 31);
    inv.selectCustomer(QStringLiteral("120004"));
    for (int i = 0; i < state.range(0); ++i) {
        documents::SalesLine l;
        l.ITEMNO = f->items[i % f->items.size()];
        l.UINDEX = i % 2 == 0 ? 1 : 2;
        l.QTYSOLD = core::Qty::fromInt(1 + i % 3);
        inv.postLine(int(inv.lines.size()), l, {});
    }
    if (!inv.checkSave().ok) {
        state.SkipWithError("the invoice was refused");
        return;
    }
    for (auto _ : state) {
        documents::SalesInvoiceWriter w(s, inv);
        const documents::SaveResult r = documents::saveDocument(s, documents::salesInvoiceKind(), w);
        if (!r.ok()) {
            state.SkipWithError(qPrintable(r.message));
            return;
        }
    }
    state.counters["lines/s"] = benchmark::Counter(double(state.range(0)) * state.iterations(), benchmark::Counter::kIsRate);
}

void BM_SaveInvoiceEmbedded(benchmark::State& state) { saveInvoice(state, false); }
void BM_SaveInvoiceServer(benchmark::State& state) { saveInvoice(state, true); }

} // namespace

BENCHMARK(BM_SaveInvoiceEmbedded)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_SaveInvoiceServer)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
