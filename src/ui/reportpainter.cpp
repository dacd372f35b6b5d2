#include "ui/reportpainter.h"

#include "ui/fonts.h"
#include "ui/style.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <vector>

namespace ui {

namespace {

constexpr double kMmPerInch = 25.4;
constexpr int kMeasureDpi = 1200;

QFont lineFont(const kit::ReportLine& line, bool bold = false) {
    QFont font(line.face == kit::ReportLine::Face::Hei ? heiFamily() : songFamily());
    font.setFamilies({font.family(), line.face == kit::ReportLine::Face::Hei ? songFamily() : heiFamily()});
    font.setPointSize(line.pointSize > 0 ? line.pointSize : 9);
    font.setBold(line.bold || bold);
    return font;
}

int alignFlags(kit::Align align) {
    switch (align) {
    case kit::Align::Left: return Qt::AlignLeft;
    case kit::Align::Center: return Qt::AlignHCenter;
    case kit::Align::Right: return Qt::AlignRight;
    }
    return Qt::AlignLeft;
}

int textFlags(kit::Align align) { return Qt::TextWordWrap | Qt::AlignTop | alignFlags(align); }

// One piece of text placed within a line: its font, its horizontal extent
// (in the device's pixels, from the left edge of the printable width) and
// its alignment.
struct Piece {
    QString text;
    QFont font;
    qreal left;
    qreal width;
    kit::Align align;
};

// The pieces of a line laid out across the width: the line's own text, or
// its cells side by side, each taking its share of the width less a small
// gap towards the next cell.
std::vector<Piece> pieces(const kit::ReportLine& line, QPaintDevice* device, qreal width) {
    std::vector<Piece> out;
    if (line.cells.empty()) {
        out.push_back({line.text, lineFont(line), 0, width, line.align});
        return out;
    }
    // A cell without a width of its own counts as 1.
    auto weight = [](const kit::ReportCell& cell) { return cell.width > 0 ? cell.width : 1.0; };
    double total = 0;
    for (const auto& cell : line.cells) total += weight(cell);
    const qreal gap = std::min<qreal>(1.0 / kMmPerInch * device->logicalDpiX(), width / 50);
    qreal left = 0;
    for (std::size_t i = 0; i < line.cells.size(); ++i) {
        const auto& cell = line.cells[i];
        const qreal cellWidth = width * weight(cell) / total;
        const bool last = i + 1 == line.cells.size();
        out.push_back({cell.text, lineFont(line, cell.bold), left, std::max<qreal>(1, cellWidth - (last ? 0 : gap)),
                       cell.align});
        left += cellWidth;
    }
    return out;
}

// Height of one line in the device's pixels when laid out across the width.
qreal lineHeight(const kit::ReportLine& line, QPaintDevice* device, qreal width) {
    qreal height = line.minHeightMm > 0 ? line.minHeightMm / kMmPerInch * device->logicalDpiY() : 0;
    for (const Piece& p : pieces(line, device, width)) {
        const QFontMetricsF fm(p.font, device);
        height = std::max(height, fm.lineSpacing());
        if (!p.text.isEmpty())
            height = std::max(height, fm.boundingRect(QRectF(0, 0, p.width, 1e9), textFlags(p.align), p.text).height());
    }
    return height;
}

double printableWidthMm(const kit::ReportDocument& doc) {
    return std::max(1.0, doc.paperWidthMm - doc.marginLeftMm - doc.marginRightMm);
}

}  // namespace

double reportContentHeightMm(const kit::ReportDocument& doc) {
    QImage measure(1, 1, QImage::Format_RGB32);
    const int dpm = int(kMeasureDpi / kMmPerInch * 1000.0);
    measure.setDotsPerMeterX(dpm);
    measure.setDotsPerMeterY(dpm);
    const qreal width = printableWidthMm(doc) / kMmPerInch * kMeasureDpi;
    qreal total = 0;
    for (const auto& line : doc.lines) total += lineHeight(line, &measure, width);
    return total / kMeasureDpi * kMmPerInch;
}

QPageLayout reportPageLayout(const kit::ReportDocument& doc) {
    const double height = doc.paperHeightMm > 0
                              ? doc.paperHeightMm
                              : reportContentHeightMm(doc) + doc.marginTopMm + doc.marginBottomMm + 1.0;
    const QPageSize size(QSizeF(doc.paperWidthMm, height), QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
    return QPageLayout(size, QPageLayout::Portrait,
                       QMarginsF(doc.marginLeftMm, doc.marginTopMm, doc.marginRightMm, doc.marginBottomMm),
                       QPageLayout::Millimeter, QMarginsF(0, 0, 0, 0));
}

bool paintReport(QPagedPaintDevice& device, const kit::ReportDocument& doc) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    // The painter's origin is the top-left corner inside the margins.
    const QRect paintRect = device.pageLayout().paintRectPixels(device.logicalDpiX());
    const qreal width = paintRect.width();
    const qreal pageHeight = paintRect.height();
    qreal y = 0;
    for (const auto& line : doc.lines) {
        const qreal h = lineHeight(line, &device, width);
        if (y > 0 && y + h > pageHeight + 0.5) {
            device.newPage();
            y = 0;
        }
        painter.setPen(Qt::black);
        for (const Piece& p : pieces(line, &device, width)) {
            if (p.text.isEmpty()) continue;
            painter.setFont(p.font);
            painter.drawText(QRectF(p.left, y, p.width, h), textFlags(p.align), p.text);
        }
        y += h;
    }
    painter.end();
    return true;
}

bool writeReportPdf(const kit::ReportDocument& doc, const QString& path, QString* failure) {
    QPdfWriter writer(path);
    writer.setTitle(doc.title);
    writer.setCreator(kit::kProductTitle);
    writer.setResolution(kMeasureDpi);
    if (!writer.setPageLayout(reportPageLayout(doc))) {
        if (failure) *failure = QStringLiteral("page size not accepted");
        return false;
    }
    if (!paintReport(writer, doc) || !QFileInfo(path).isFile()) {
        if (failure) *failure = QStringLiteral("cannot write %1").arg(path);
        return false;
    }
    return true;
}

}  // namespace ui
