#include "ui/reportpreview.h"

#include "ui/reportpainter.h"

#include <QFileDialog>
#include <QGuiApplication>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>
#include <QToolBar>
#include <QVBoxLayout>

namespace ui {

namespace {

// A printer set up for the report's page, on the default printer when there
// is one (else Qt's PDF output, which is all a preview needs).
std::unique_ptr<QPrinter> reportPrinter(const kit::ReportDocument& doc) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (!info.isNull()) printer->setPrinterName(info.printerName());
    printer->setDocName(doc.title);
    printer->setFullPage(false);
    printer->setPageLayout(reportPageLayout(doc));
    return printer;
}

}  // namespace

ReportPreview::ReportPreview(const kit::ReportDocument& doc, QWidget* parent)
    : QDialog(parent), doc_(doc), printer_(reportPrinter(doc)), canPrint_(!QPrinterInfo::defaultPrinter().isNull()) {
    setWindowTitle(doc.title);
    view_ = new QPrintPreviewWidget(printer_.get(), this);
    connect(view_, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter* p) { paintReport(*p, doc_); });

    auto* tools = new QToolBar(this);
    tools->addAction(QStringLiteral("放大"), view_, [this] { view_->zoomIn(); });
    tools->addAction(QStringLiteral("缩小"), view_, [this] { view_->zoomOut(); });
    tools->addAction(QStringLiteral("整页"), view_, [this] { view_->fitInView(); });
    tools->addSeparator();
    QAction* print = tools->addAction(QStringLiteral("打印"), this, [this] {
        if (printDirectly()) accept();
    });
    print->setEnabled(canPrint_);
    tools->addAction(QStringLiteral("另存为PDF"), this, [this] {
        QString path = QFileDialog::getSaveFileName(this, QStringLiteral("另存为PDF"), doc_.title,
                                                    QStringLiteral("PDF (*.pdf)"));
        if (path.isEmpty()) return;
        if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) path += QStringLiteral(".pdf");
        saveAsPdf(path);
    });
    tools->addSeparator();
    tools->addAction(QStringLiteral("关闭"), this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(tools);
    layout->addWidget(view_);
    if (QScreen* screen = QGuiApplication::primaryScreen()) resize(screen->availableGeometry().size() * 3 / 4);
}

ReportPreview::~ReportPreview() = default;

bool ReportPreview::printDirectly() {
    if (!canPrint_) return false;
    auto printer = reportPrinter(doc_);
    return paintReport(*printer, doc_);
}

bool ReportPreview::saveAsPdf(const QString& path) { return writeReportPdf(doc_, path); }

}  // namespace ui
