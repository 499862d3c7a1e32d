#include "core/StartupRules.h"

namespace kv::core {

bool isLocalhostName(const QString& server)
{
    return server.trimmed().compare(QLatin1String("LOCALHOST"), Qt::CaseInsensitive) == 0;
}

QString makeSysId(quint32 random)
{
    quint32 r = random % 2256256u;
    if (r < 1000)
        r += 1000;
    return QString::number(r);
}

QDate latestDocumentDate(const std::array<std::optional<QDate>, 6>& maxDates, const QDate& mcHDate)
{
    QDate latest = maxDates[0] ? *maxDates[0] : mcHDate;
    for (std::size_t i = 1; i < maxDates.size(); ++i) {
        const std::optional<QDate>& d = maxDates[i];
        if (d && d->isValid() && (!latest.isValid() || *d > latest))
            latest = *d;
    }
    return latest;
}

Qty ItemQuantities::largeUnits(Qty smallUnits, Qty qUnits, StockFlavour flavour)
{
    const bool none = flavour == StockFlavour::StockZ ? smallUnits <= Qty() : smallUnits.isZero();
    if (none || qUnits <= Qty())
        return Qty();
    return div<4>(smallUnits, qUnits);
}

ItemQuantities ItemQuantities::compute(const StockAmounts& row, StockFlavour flavour)
{
    ItemQuantities q;
    q.QIN = largeUnits(row.QTYIN, row.QUNITS, flavour);
    q.QOUT = largeUnits(row.QTYOUT, row.QUNITS, flavour);
    q.QSOLD = largeUnits(row.QTYSOLD, row.QUNITS, flavour);
    q.QRET = largeUnits(row.QTYRET, row.QUNITS, flavour);
    q.QONHND = largeUnits(row.ONHAND, row.QUNITS, flavour);
    q.UCST = mul<4>(row.QUNITS, row.UCOST);
    q.CURVAL = flavour == StockFlavour::StockZ ? mul<2>(row.ONHAND, q.UCST) : mul<2>(row.ONHAND, row.UCOST);
    return q;
}

} // namespace kv::core
