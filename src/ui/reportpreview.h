#pragma once
// The preview window of a report: zoom, print straight to the default
// printer, save as PDF, close.

#include "kit/report.h"

#include <QDialog>

class QPrintPreviewWidget;
class QPrinter;

namespace ui {

class ReportPreview : public QDialog {
public:
    ReportPreview(const kit::ReportDocument& doc, QWidget* parent = nullptr);
    ~ReportPreview() override;

    // Whether a default printer exists (printing is offered only then).
    bool canPrint() const { return canPrint_; }
    // Prints the report to the default printer, without a print dialog.
    bool printDirectly();
    // Writes the report as a PDF file.
    bool saveAsPdf(const QString& path);

private:
    const kit::ReportDocument& doc_;
    std::unique_ptr<QPrinter> printer_;
    QPrintPreviewWidget* view_ = nullptr;
    bool canPrint_ = false;
};

}  // namespace ui
