#pragma once
// Lays out and paints a report document on a printer or a PDF file.

#include "kit/report.h"

#include <QPageLayout>
#include <QString>

class QPagedPaintDevice;

namespace ui {

// The height of the document's lines, laid out across the paper width
// between the margins, in millimetres.
double reportContentHeightMm(const kit::ReportDocument& doc);

// The page of the document: its paper width, its height (a continuous roll
// is as long as the content) and its margins.
QPageLayout reportPageLayout(const kit::ReportDocument& doc);

// Paints the document on a device whose page layout is already set; a
// further page begins where a line would not fit. False when the device
// cannot be painted on.
bool paintReport(QPagedPaintDevice& device, const kit::ReportDocument& doc);

// Writes the document as a PDF file.
bool writeReportPdf(const kit::ReportDocument& doc, const QString& path, QString* failure = nullptr);

}  // namespace ui
