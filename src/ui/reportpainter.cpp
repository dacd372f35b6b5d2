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

namespace ui {

namespace {

constexpr double kMmPerInch = 25.4;
constexpr int kMeasureDpi = 1200;

QFont lineFont(const kit::ReportLine& line) {
    QFont font(line.face == kit::ReportLine::Face::Hei ? heiFamily() : songFamily());
    font.setFamilies({font.family(), line.face == kit::ReportLine::Face::Hei ? songFamily() : heiFamily()});
    font.setPointSize(line.pointSize > 0 ? line.pointSize : 9);
    font.setBold(line.bold);
    return font;
}

int textFlags(const kit::ReportLine& line) {
    int flags = Qt::TextWordWrap | Qt::AlignTop;
    switch (line.align) {
    case kit::Align::Left: flags |= Qt::AlignLeft; break;
    case kit::Align::Center: flags |= Qt::AlignHCenter; break;
    case kit::Align::Right: flags |= Qt::AlignRight; break;
    }
    return flags;
}

// Height of one line in the device's pixels when laid out across the width.
qreal lineHeight(const kit::ReportLine& line, QPaintDevice* device, qreal width) {
    const QFontMetricsF fm(lineFont(line), device);
    if (line.text.isEmpty()) return fm.lineSpacing();
    const QRectF r = fm.boundingRect(QRectF(0, 0, width, 1e9), textFlags(line), line.text);
    return std::max(r.height(), fm.lineSpacing());
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
        painter.setFont(lineFont(line));
        painter.setPen(Qt::black);
        if (!line.text.isEmpty()) painter.drawText(QRectF(0, y, width, h), textFlags(line), line.text);
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
