#include "db/schema.h"

#include "db/error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <cstdio>

namespace db {

namespace {

const int kPermissionFlags = 27;

QString operatorTableSql()
{
    QString sql = QStringLiteral("CREATE TABLE 操作员 (\n"
                                 "  操作员 TEXT,\n"
                                 "  姓名 TEXT,\n"
                                 "  密码 TEXT");
    for (int i = 1; i <= kPermissionFlags; ++i)
        sql += QStringLiteral(",\n  \"%1\" INTEGER DEFAULT 0").arg(i);
    return sql + QStringLiteral("\n);\n");
}

// Yes/no columns hold 0/1; numbers are REAL; dates 'yyyy-MM-dd' and
// times 'HH:mm:ss' are TEXT, so text order is time order.
const char* const kTablesSql = R"sql(
CREATE TABLE 卡类别 (
  卡类别 TEXT,
  积分比例 REAL,
  允许兑换礼品 INTEGER DEFAULT 0,
  允许返现金 INTEGER DEFAULT 0,
  自动变卡下限 REAL,
  自动变卡上限 REAL
);
CREATE TABLE 自动变卡 (
  自动变卡 TEXT,
  方式 INTEGER
);
CREATE TABLE 会员卡信息 (
  会员卡号 TEXT,
  卡类别 TEXT,
  会员姓名 TEXT,
  性别 TEXT,
  身份证号 TEXT,
  生日类型 TEXT,
  生日 TEXT,
  会员生日 TEXT,
  积分 REAL,
  地址 TEXT,
  固定电话 TEXT,
  手机 TEXT,
  起用日期 TEXT,
  照片 TEXT,
  口头挂失标志 INTEGER DEFAULT 0
);
CREATE TABLE 流水记录 (
  编号 TEXT,
  会员卡号 TEXT,
  会员姓名 TEXT,
  增减积分 REAL,
  增减原因 TEXT,
  兑换礼品 TEXT,
  返现金 REAL,
  日期 TEXT,
  时间 TEXT,
  经手人 TEXT
);
CREATE TABLE 消费记录 (
  编号 TEXT,
  会员卡号 TEXT,
  会员姓名 TEXT,
  商品 TEXT,
  消费金额 REAL,
  增减原因 TEXT,
  日期 TEXT,
  时间 TEXT,
  经手人 TEXT
);
CREATE TABLE 挂失记录 (
  旧卡号 TEXT,
  新卡号 TEXT,
  会员姓名 TEXT,
  原有积分 REAL,
  日期 TEXT,
  时间 TEXT,
  经手人 TEXT
);
CREATE TABLE 口头挂失记录 (
  会员卡号 TEXT,
  会员姓名 TEXT,
  口头挂失日期 TEXT,
  口头挂失时间 TEXT,
  挂失经手人 TEXT,
  取消挂失日期 TEXT,
  取消挂失时间 TEXT,
  取消挂失经手人 TEXT
);
CREATE TABLE 礼品 (
  礼品名称 TEXT,
  单位 TEXT,
  数量 REAL,
  需要积分 REAL
);
CREATE TABLE 礼品入库记录 (
  礼品名称 TEXT,
  单位 TEXT,
  数量 REAL,
  备注 TEXT,
  日期 TEXT,
  需要积分 REAL,
  经手人 TEXT
);
CREATE TABLE 礼品使用记录 (
  单据号 TEXT,
  会员卡号 TEXT,
  会员姓名 TEXT,
  礼品名称 TEXT,
  单位 TEXT,
  数量 REAL,
  日期 TEXT,
  经手人 TEXT
);

CREATE UNIQUE INDEX 会员卡信息_会员卡号 ON 会员卡信息(会员卡号);
CREATE INDEX 会员卡信息_会员姓名 ON 会员卡信息(会员姓名);
CREATE INDEX 会员卡信息_会员生日 ON 会员卡信息(会员生日);
CREATE INDEX 流水记录_会员卡号 ON 流水记录(会员卡号);
CREATE INDEX 流水记录_编号 ON 流水记录(编号);
CREATE INDEX 流水记录_日期 ON 流水记录(日期);
CREATE INDEX 消费记录_会员卡号 ON 消费记录(会员卡号);
CREATE INDEX 消费记录_编号 ON 消费记录(编号);
CREATE INDEX 消费记录_商品 ON 消费记录(商品);
CREATE INDEX 消费记录_日期 ON 消费记录(日期);
CREATE INDEX 挂失记录_旧卡号 ON 挂失记录(旧卡号);
CREATE INDEX 挂失记录_新卡号 ON 挂失记录(新卡号);
CREATE INDEX 口头挂失记录_会员卡号 ON 口头挂失记录(会员卡号);
CREATE INDEX 礼品_礼品名称_单位 ON 礼品(礼品名称, 单位);
CREATE INDEX 礼品使用记录_单据号 ON 礼品使用记录(单据号);
CREATE INDEX 礼品使用记录_日期 ON 礼品使用记录(日期);
CREATE INDEX 礼品入库记录_日期 ON 礼品入库记录(日期);

PRAGMA user_version = 1;
)sql";

void removeDatabaseFiles(const QString& path)
{
    for (const char* suffix : {"", "-journal", "-wal", "-shm"})
        QFile::remove(path + QLatin1String(suffix));
}

}  // namespace

QByteArray databaseKey()
{
    return QByteArrayLiteral("qorvexmundaplik");
}

QStringList tableNames()
{
    return {
        QStringLiteral("操作员"),   QStringLiteral("卡类别"),       QStringLiteral("自动变卡"),
        QStringLiteral("会员卡信息"), QStringLiteral("流水记录"),     QStringLiteral("消费记录"),
        QStringLiteral("挂失记录"),   QStringLiteral("口头挂失记录"), QStringLiteral("礼品"),
        QStringLiteral("礼品入库记录"), QStringLiteral("礼品使用记录"),
    };
}

void createSchema(Connection& conn)
{
    const bool own = sqlite3_get_autocommit(conn.handle()) != 0;
    if (own) {
        Transaction tx(conn);
        conn.execScript(operatorTableSql() + QString::fromUtf8(kTablesSql));
        tx.commit();
    } else {
        conn.execScript(operatorTableSql() + QString::fromUtf8(kTablesSql));
    }
}

void initialiseData(Connection& conn)
{
    auto fill = [&conn] {
        for (const QString& table : tableNames())
            conn.exec(QStringLiteral("DELETE FROM %1").arg(table));

        QString columns = QStringLiteral("操作员, 姓名, 密码");
        QString marks = QStringLiteral("?, ?, ?");
        Params params{QStringLiteral("0001"), QStringLiteral("系统管理员"), QStringLiteral("")};
        for (int i = 1; i <= kPermissionFlags; ++i) {
            columns += QStringLiteral(", \"%1\"").arg(i);
            marks += QStringLiteral(", ?");
            params.emplace_back(true);
        }
        conn.exec(QStringLiteral("INSERT INTO 操作员 (%1) VALUES (%2)").arg(columns, marks), params);
        conn.exec(QStringLiteral("INSERT INTO 自动变卡 (自动变卡, 方式) VALUES (?, ?)"),
                  {QStringLiteral("否"), 1});
    };
    if (sqlite3_get_autocommit(conn.handle()) != 0) {
        Transaction tx(conn);
        fill();
        tx.commit();
    } else {
        fill();
    }
}

QString databasePath(const QString& home)
{
    return QDir(home).filePath(QStringLiteral("database/database.db"));
}

bool createInstallationIfMissing(const QString& home)
{
    const QString path = databasePath(home);
    if (QFileInfo::exists(path))
        return false;

    QDir dir(home);
    for (const char* folder : {"database", "backup", "image"})
        if (!dir.mkpath(QLatin1String(folder)))
            throw Error(QStringLiteral("无法创建文件夹 %1")
                            .arg(QDir::toNativeSeparators(dir.filePath(QLatin1String(folder)))));

    // Built under another name and renamed when complete, so an interrupted
    // creation never leaves a half database where the program looks for one.
    const QString temp = path + QStringLiteral(".new");
    removeDatabaseFiles(temp);
    try {
        Connection conn;
        conn.open(temp, databaseKey(), true);
        createSchema(conn);
        initialiseData(conn);
        // One self-contained file: fold the write-ahead log back in.
        conn.execScript(QStringLiteral("PRAGMA journal_mode=DELETE;"));
        conn.close();
        if (std::rename(QFile::encodeName(temp).constData(), QFile::encodeName(path).constData()) != 0)
            throw Error(QStringLiteral("无法创建数据库文件 %1").arg(QDir::toNativeSeparators(path)));
    } catch (...) {
        removeDatabaseFiles(temp);
        throw;
    }
    return true;
}

bool isYesNoColumn(const QString& column) {
    if (column == QStringLiteral("允许兑换礼品") || column == QStringLiteral("允许返现金") ||
        column == QStringLiteral("口头挂失标志"))
        return true;
    bool isNumber = false;
    const int flag = column.toInt(&isNumber);
    return isNumber && flag >= 1 && flag <= 27 && QString::number(flag) == column;   // the permission flags
}

}  // namespace db
