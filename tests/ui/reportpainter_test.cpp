// Report lines with cells side by side and lines with a least height, as
// the painter lays them out.

#include "ui/qtshell.h"
#include "ui/reportpainter.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

kit::ReportDocument roll(std::vector<kit::ReportLine> lines) {
    kit::ReportDocument doc;
    doc.paperWidthMm = 58;
    doc.marginLeftMm = doc.marginRightMm = 5.5;
    doc.lines = std::move(lines);
    return doc;
}

}  // namespace

TEST(ReportCells, EachCellWrapsWithinItsShareOfTheWidth) {
    const QString name = QStringLiteral("进口红富士苹果礼盒装");   // fits the width once, not a third of it
    kit::ReportLine whole{name};
    kit::ReportLine narrow;
    narrow.cells = {{QStringLiteral("1"), 1}, {name, 1}, {QStringLiteral("128.8"), 1, kit::Align::Right}};
    kit::ReportLine wide;
    wide.cells = {{QStringLiteral("1"), 1}, {name, 10}, {QStringLiteral("128.8"), 3, kit::Align::Right}};

    const double oneLine = ui::reportContentHeightMm(roll({whole}));
    EXPECT_NEAR(ui::reportContentHeightMm(roll({wide})), oneLine, 0.01) << "a wide cell keeps the name on one line";
    EXPECT_GT(ui::reportContentHeightMm(roll({narrow})), 2.5 * oneLine) << "a third of 47 mm holds a few characters a line";

    kit::ReportLine blank;
    blank.cells = {{QString(), 1}, {QString(), 1}};
    EXPECT_NEAR(ui::reportContentHeightMm(roll({blank})), oneLine, 0.01) << "empty cells still take one line";
}

TEST(ReportCells, ALineIsAtLeastItsLeastHeightAndPrints) {
    kit::ReportLine box;
    box.minHeightMm = 8;
    kit::ReportLine text{QStringLiteral("谢谢惠顾")};
    text.minHeightMm = 0.5;   // shorter than its text: the text wins
    const double textHeight = ui::reportContentHeightMm(roll({kit::ReportLine{QStringLiteral("谢谢惠顾")}}));
    EXPECT_NEAR(ui::reportContentHeightMm(roll({box})), 8, 0.05);
    EXPECT_NEAR(ui::reportContentHeightMm(roll({text})), textHeight, 0.01);

    kit::ReportLine detail;
    detail.cells = {{QStringLiteral("序"), 1}, {QStringLiteral("商品名"), 4}, {QStringLiteral("金额"), 2, kit::Align::Right, true}};
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cells.pdf"));
    ASSERT_TRUE(ui::QtShell::renderPdf(roll({detail, text, box}), path));
    EXPECT_GT(QFileInfo(path).size(), 0);
}
