#include "core/Services.h"
#include "core/Dates.h"
#include "db/Connection.h"

namespace kv::core {

using db::Query;
using db::Transaction;

DefaultDates SetDefDates(Session& s, const QDate& today) {
    const DefaultDates d = defaultReportDates(s.CurrYr, s.LastYr, today, s.mcHDate);
    Transaction tr(*s.FirmDB);
    if (tr.execute(QStringLiteral("update ZGT_PARAM set DATE1 = :D1, DATE2 = :D2"), {{"D1", d.date1}, {"D2", d.date2}}) == 0)
        tr.execute(QStringLiteral("insert into ZGT_PARAM (DATE1, DATE2) values (:D1, :D2)"), {{"D1", d.date1}, {"D2", d.date2}});
    tr.commit();
    return d;
}

int GetLastTrNo(Session& s) {
    Transaction tr(*s.MainDB);
    Query q(tr, QStringLiteral("select maxvalue(gen_id(TRNO_GEN, 0), coalesce((select max(TRNO) from TRANS), 0)) as N from RDB$DATABASE"));
    q.execute();
    s.mTrNo = q.next() ? int(q.integer(QStringLiteral("N"))) : 0;
    return s.mTrNo;
}

QDate defaultDocumentDate(Session& s) {
    if (s.isHijriYear()) return s.mcHDate;
    Transaction tr(*s.MainDB);
    Query q(tr, QStringLiteral("execute procedure SPCDATE"));
    q.execute();
    return q.next() ? q.date(q.columnName(0)) : QDate::currentDate();
}

} // namespace kv::core
