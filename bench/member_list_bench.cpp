// The member list at scale: a million members read into the shared query and
// sorted by a title click, against a plain SQLite read of the same rows in
// the same run. Reports times, the ratios and the memory the result holds.
//   member_list_bench [members]   (default 1000000)

#include "db/dm1.h"
#include "db/schema.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <sqlite3.h>

namespace {

void generate(db::Connection& conn, int members) {
    db::Transaction tx(conn);
    const char* categories[] = {"普通卡", "银卡", "金卡", "钻石卡"};
    for (int i = 0; i < members; ++i) {
        conn.exec(QStringLiteral("insert into 会员卡信息 (会员卡号, 卡类别, 会员姓名, 性别, 身份证号, 生日类型, 生日, 会员生日, 积分, "
                                 "地址, 固定电话, 手机, 起用日期, 照片, 口头挂失标志) "
                                 "values (?, ?, ?, ?, ?, '公历', '1990-03-07', '3-7', ?, ?, '010-12345678', ?, '2025-01-02', '', 0)"),
                  {QStringLiteral("8%1").arg(i, 9, 10, QLatin1Char('0')), QString::fromUtf8(categories[i % 4]),
                   QStringLiteral("会员%1").arg((i * 7919) % members), i % 2 ? QStringLiteral("男") : QStringLiteral("女"),
                   QStringLiteral("11010119900307%1").arg(i % 10000, 4, 10, QLatin1Char('0')), double(i % 5000) + 0.5,
                   QStringLiteral("北京市东城区和平里大街%1号").arg(i % 300), QStringLiteral("138%1").arg(i, 8, 10, QLatin1Char('0'))});
    }
    tx.commit();
}

// The baseline: step through every row with the plain C interface, touching
// each column as a list would.
double rawRead(sqlite3* handle, qint64& rows) {
    QElapsedTimer t;
    t.start();
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(handle, "select * from 会员卡信息", -1, &stmt, nullptr);
    rows = 0;
    std::size_t bytes = 0;
    const int columns = sqlite3_column_count(stmt);
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        for (int c = 0; c < columns; ++c) bytes += std::size_t(sqlite3_column_bytes(stmt, c));
        ++rows;
    }
    sqlite3_finalize(stmt);
    if (bytes == 0) std::printf("(no data)\n");
    return t.nsecsElapsed() / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int members = argc > 1 ? std::atoi(argv[1]) : 1000000;
    QTemporaryDir home;
    db::createInstallationIfMissing(home.path());
    db::TDM1 dm;
    dm.openDatabase(home.path());

    QElapsedTimer t;
    t.start();
    generate(dm.ADOConnection1, members);
    std::printf("generated %d members in %.0f ms\n", members, t.nsecsElapsed() / 1e6);

    qint64 rawRows = 0;
    const double raw = rawRead(dm.ADOConnection1.handle(), rawRows);

    t.restart();
    dm.ADOQuery5.openWith(QStringLiteral("select * from 会员卡信息"));
    const double open = t.nsecsElapsed() / 1e6;

    t.restart();
    const int nameColumn = dm.ADOQuery5.result().columnIndex(QStringLiteral("会员姓名"));
    dm.ADOQuery5.sortBy(nameColumn, true);
    const double sort = t.nsecsElapsed() / 1e6;

    t.restart();
    double sum = 0;
    for (dm.ADOQuery5.first(); !dm.ADOQuery5.eof(); dm.ADOQuery5.next())
        sum += dm.ADOQuery5.fieldByName(QStringLiteral("积分")).asFloat();
    const double walk = t.nsecsElapsed() / 1e6;

    const double mb = dm.ADOQuery5.result().byteSize() / (1024.0 * 1024.0);
    std::printf("rows: raw %lld, query %lld\n", static_cast<long long>(rawRows),
                static_cast<long long>(dm.ADOQuery5.recordCount()));
    std::printf("raw SQLite read        %8.0f ms\n", raw);
    std::printf("query open (fetch all) %8.0f ms   ratio %.2f\n", open, open / raw);
    std::printf("sort by name           %8.0f ms   ratio %.2f\n", sort, sort / raw);
    std::printf("walk, sum of points    %8.0f ms   ratio %.2f   (sum %.1f)\n", walk, walk / raw, sum);
    std::printf("result memory          %8.1f MB   (%.0f bytes a member)\n", mb, mb * 1024 * 1024 / members);
    return 0;
}
