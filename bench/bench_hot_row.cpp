// Several workstations incrementing the same rows at once, each in short read-committed no-wait
// transactions with retries, the way document saves change an item's running figures. Reports the
// throughput, the retries, how often an UPDATE passed over its row without an error (caught by
// Query::executeUpdate, or with --raw counted as lost increments) and whether the totals agree.
//
//   bench_hot_row SERVER FOLDER [WORKERS [TRANSACTIONS]] [--raw]
//
// SERVER is host/port of a running server, FOLDER a folder of that server's machine where a
// scratch database may be created (and is dropped afterwards).
#include "db/Connection.h"
#include "db/Error.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QUuid>
#include <atomic>
#include <cstdio>
#include <random>
#include <thread>
#include <vector>

using namespace kv::db;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    const bool raw = args.removeAll(QStringLiteral("--raw")) > 0;
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: bench_hot_row SERVER FOLDER [WORKERS [TRANSACTIONS]] [--raw]\n");
        return 1;
    }
    const QString server = args[1];
    const QString path = args[2] + QStringLiteral("/hot") + QUuid::createUuid().toString(QUuid::Id128).left(8) +
                         QStringLiteral(".fdb");
    const int workers = args.size() > 3 ? args[3].toInt() : 4;
    const int each = args.size() > 4 ? args[4].toInt() : 500;
    constexpr int kRows = 3;
    {
        auto c = Connection::create({server, path, {}, {}});
        c->executeImmediate(QStringLiteral("create table ROWS_ (ID integer not null primary key, V numeric(18,2))"));
        c->executeImmediate(QStringLiteral("create table LOG_ (W integer, K integer)"));
        Transaction tr(*c);
        for (int i = 1; i <= kRows; ++i) tr.execute(QStringLiteral("insert into ROWS_ values (:I, 0)"), {{"I", std::int64_t(i)}});
        tr.commit();
    }

    std::atomic<int> retries{0}, caught{0}, failed{0};
    QElapsedTimer clock;
    clock.start();
    std::vector<std::thread> threads;
    for (int w = 0; w < workers; ++w) {
        threads.emplace_back([&, w] {
            try {
                auto c = Connection::open({server, path, {}, {}});
                std::mt19937 rng(unsigned(w) * 7919u + 1u);
                for (int k = 0; k < each; ++k) {
                    for (;;) {
                        try {
                            Transaction tr(*c);
                            tr.execute(QStringLiteral("insert into LOG_ values (:W, :K)"),
                                       {{"W", std::int64_t(w)}, {"K", std::int64_t(k)}});
                            for (int i = 1; i <= kRows; ++i) {
                                Query u(tr, QStringLiteral("update ROWS_ set V = V + 1 where ID = :I"));
                                u.bind(QStringLiteral("I"), i);
                                if (raw) u.execute();
                                else u.executeUpdate(QStringLiteral("ROWS_"), QStringLiteral("ID = :I"));
                            }
                            tr.commit();
                            break;
                        } catch (const DbError& e) {
                            if (!e.isBusy()) throw;
                            ++retries;
                            if (e.text().contains(QStringLiteral("passed over"))) ++caught;
                            std::this_thread::sleep_for(std::chrono::microseconds(rng() % 3000));
                        }
                    }
                }
            } catch (const std::exception& e) {
                std::fprintf(stderr, "worker %d: %s\n", w, e.what());
                ++failed;
            }
        });
    }
    for (auto& t : threads) t.join();
    const double seconds = double(clock.elapsed()) / 1000.0;

    auto c = Connection::open({server, path, {}, {}});
    Transaction tr(*c);
    const Value logged = scalar(tr, QStringLiteral("select count(*) from LOG_"));
    const std::int64_t n = std::get<std::int64_t>(logged);
    int lost = 0;
    for (int i = 1; i <= kRows; ++i) {
        const Value v = scalar(tr, QStringLiteral("select cast(V as integer) from ROWS_ where ID = :I"), {{"I", std::int64_t(i)}});
        lost += int(n - std::get<std::int64_t>(v));
    }
    tr.commit();
    c->drop();
    std::printf("%d workers x %d transactions (%s): %.0f transactions/s, %d retries, %d passed-over rows caught, "
                "%d increments lost%s\n",
                workers, each, raw ? "plain UPDATE" : "executeUpdate", seconds > 0 ? double(n) / seconds : 0.0,
                retries.load(), caught.load(), lost, failed ? ", a worker failed" : "");
    return failed || lost ? 2 : 0;
}
