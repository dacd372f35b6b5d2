#include "members/membergrid.h"

#include "db/error.h"
#include "db/numtext.h"
#include "db/query.h"

namespace members {

namespace {
// Footer cells: 会员卡号, 卡类别, …, 生日, 积分.
constexpr int kCountTitleColumn = 0;
constexpr int kCountColumn = 1;
constexpr int kSumTitleColumn = 6;
constexpr int kSumColumn = 7;
}  // namespace

MemberGrid::MemberGrid(kit::DataGrid& grid, const QString& lossFlagTitle) : grid_(grid) {
    std::vector<kit::DataGrid::Column> columns;
    for (const char* field : {"会员卡号", "卡类别", "会员姓名", "性别", "身份证号", "生日类型", "生日", "积分", "地址",
                              "固定电话", "手机", "起用日期"})
        columns.push_back({QString::fromUtf8(field)});
    columns.push_back({QStringLiteral("照片"), QStringLiteral("照片路径")});
    columns.push_back({QStringLiteral("口头挂失标志"), lossFlagTitle});
    grid.setColumns(std::move(columns));
    grid.titleClick = kit::DataGrid::TitleClick::Sort;
    grid.setHint(QStringLiteral("单击列头可实现排序"));

    listenerId_ = grid_.query().addListener([this](db::Query::Change change) {
        if (change == db::Query::Change::Opened || change == db::Query::Change::Closed) refresh();
    });
    refresh();
}

MemberGrid::~MemberGrid() { grid_.query().removeListener(listenerId_); }

void MemberGrid::refresh() {
    const db::Query& q = grid_.query();
    const db::Result& r = q.result();
    const qsizetype rows = q.recordCount();
    double sum = 0;
    const int points = q.active() ? r.columnIndex(QStringLiteral("积分")) : -1;
    if (points >= 0) {
        for (qsizetype row = 0; row < rows; ++row) {
            try {
                sum += r.number(row, points);
            } catch (const db::Error&) {
                // a text that is not a number adds nothing
            }
        }
    }
    QStringList footer(int(grid_.columns().size()));
    footer[kCountTitleColumn] = QStringLiteral("合计数量");
    footer[kCountColumn] = QString::number(rows);
    footer[kSumTitleColumn] = QStringLiteral("合计积分");
    footer[kSumColumn] = db::numberText(sum);
    grid_.setFooter(footer);
}

}  // namespace members
