#include "masters/AccountTotals.h"
#include "db/Connection.h"

// The totals are changed in place by one UPDATE with increments. The earlier design read the
// account's DR and CR into the program, added to them and wrote both back: when two
// workstations posted to the same account at the same moment, the later write carried the old
// values and one of the two amounts was lost. Here the second transaction fails at once as busy
// (no-wait) and its caller retries the whole save.

namespace kv::masters {

bool addToAccountTotals(db::Transaction& tr, const QString& acctNo, core::Money dr, core::Money cr)
{
    return tr.update(QStringLiteral("ACCT"),
                     QStringLiteral("DR = COALESCE(DR, 0) + CAST(:DR AS NUMERIC(18,2)), "
                                    "CR = COALESCE(CR, 0) + CAST(:CR AS NUMERIC(18,2))"),
                     QStringLiteral("ACCTNO = CAST(:ACCTNO AS VARCHAR(9))"),
                     {{"DR", dr.toDecimal()}, {"CR", cr.toDecimal()}, {"ACCTNO", acctNo.trimmed()}}) > 0;
}

TotalsDelta journalLineRemoval(core::Money lineDr, core::Money lineCr)
{
    if (lineDr > core::Money()) return {-lineDr, core::Money()};
    return {core::Money(), -lineCr};
}

QString balanceText(core::Money dr, core::Money cr)
{
    const core::Money bal = dr - cr;
    return bal.abs().toString() + (dr > cr ? QStringLiteral(" م") : QStringLiteral(" د"));
}

} // namespace kv::masters
