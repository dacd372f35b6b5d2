#include "db/dm1.h"

#include "db/schema.h"

namespace db {

TDM1::TDM1()
    : ADOall(ADOConnection1, QStringLiteral("ADOall")),
      ADO123(ADOConnection1, QStringLiteral("ADO123")),
      ADOQuery3(ADOConnection1, QStringLiteral("ADOQuery3"), QStringLiteral("select * from 会员卡信息")),
      ADOQuery4(ADOConnection1, QStringLiteral("ADOQuery4"), QStringLiteral("select * from 卡类别")),
      ADOQuery5(ADOConnection1, QStringLiteral("ADOQuery5"), QStringLiteral("select * from 会员卡信息")),
      ADOQuery7(ADOConnection1, QStringLiteral("ADOQuery7")),
      ADOQuery8(ADOConnection1, QStringLiteral("ADOQuery8"), QStringLiteral("select * from 流水记录")),
      ADOQuery9(ADOConnection1, QStringLiteral("ADOQuery9")),
      ADOQuery10(ADOConnection1, QStringLiteral("ADOQuery10"), QStringLiteral("select * from 口头挂失记录")),
      ADOQuery12(ADOConnection1, QStringLiteral("ADOQuery12"), QStringLiteral("select * from 消费记录")),
      ADOQuery13(ADOConnection1, QStringLiteral("ADOQuery13"), QStringLiteral("select * from 流水记录")),
      ADOQuery14(ADOConnection1, QStringLiteral("ADOQuery14"), QStringLiteral("select * from 消费记录")),
      ADOQuery15(ADOConnection1, QStringLiteral("ADOQuery15"), QStringLiteral("select  * from 会员卡信息")),
      ADOQuery16(ADOConnection1, QStringLiteral("ADOQuery16"), QStringLiteral("select count(*) from 流水记录")),
      ADOQuery17(ADOConnection1, QStringLiteral("ADOQuery17"), QStringLiteral("select sum(消费金额) from 消费记录")),
      ADOQuery18(ADOConnection1, QStringLiteral("ADOQuery18")),
      ADOQuery19(ADOConnection1, QStringLiteral("ADOQuery19")),
      ADOQuery20(ADOConnection1, QStringLiteral("ADOQuery20")),
      ADOQuery21(ADOConnection1, QStringLiteral("ADOQuery21")),
      ADOQuery22(ADOConnection1, QStringLiteral("ADOQuery22")),
      ADOQuery23(ADOConnection1, QStringLiteral("ADOQuery23"), QStringLiteral("select * from 礼品使用记录")),
      ADOQuery24(ADOConnection1, QStringLiteral("ADOQuery24")),
      queries_{&ADOall,     &ADO123,     &ADOQuery3,  &ADOQuery4,  &ADOQuery5,  &ADOQuery7,
               &ADOQuery8,  &ADOQuery9,  &ADOQuery10, &ADOQuery12, &ADOQuery13, &ADOQuery14,
               &ADOQuery15, &ADOQuery16, &ADOQuery17, &ADOQuery18, &ADOQuery19, &ADOQuery20,
               &ADOQuery21, &ADOQuery22, &ADOQuery23, &ADOQuery24}
{
}

void TDM1::openDatabase(const QString& home)
{
    for (Query* q : queries_)
        q->close();
    ADOConnection1.close();
    ADOConnection1.open(databasePath(home), databaseKey(), false);
}

Query* TDM1::queryByName(const QString& name) const
{
    for (Query* q : queries_)
        if (q->name() == name)
            return q;
    return nullptr;
}

}  // namespace db
