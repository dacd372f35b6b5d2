#include "ui/qtshell.h"

#include "ui/formwidget.h"
#include "ui/reportpainter.h"
#include "ui/reportpreview.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QImageReader>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

namespace ui {

namespace {

const QString kOk = QStringLiteral("确定");
const QString kCancel = QStringLiteral("取消");
const QString kYes = QStringLiteral("是");
const QString kNo = QStringLiteral("否");

QMessageBox::Icon boxIcon(kit::Icon icon) {
    switch (icon) {
    case kit::Icon::None: return QMessageBox::NoIcon;
    case kit::Icon::Information: return QMessageBox::Information;
    case kit::Icon::Warning: return QMessageBox::Warning;
    case kit::Icon::Error: return QMessageBox::Critical;
    case kit::Icon::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

// The answers of a button set, in the order the buttons stand.
std::vector<std::pair<kit::Answer, QString>> buttonsOf(kit::Buttons buttons) {
    switch (buttons) {
    case kit::Buttons::Ok: return {{kit::Answer::Ok, kOk}};
    case kit::Buttons::OkCancel: return {{kit::Answer::Ok, kOk}, {kit::Answer::Cancel, kCancel}};
    case kit::Buttons::YesNo: return {{kit::Answer::Yes, kYes}, {kit::Answer::No, kNo}};
    case kit::Buttons::YesNoCancel:
        return {{kit::Answer::Yes, kYes}, {kit::Answer::No, kNo}, {kit::Answer::Cancel, kCancel}};
    }
    return {{kit::Answer::Ok, kOk}};
}

QMessageBox::ButtonRole roleOf(kit::Answer a) {
    switch (a) {
    case kit::Answer::Ok: return QMessageBox::AcceptRole;
    case kit::Answer::Cancel: return QMessageBox::RejectRole;
    case kit::Answer::Yes: return QMessageBox::YesRole;
    case kit::Answer::No: return QMessageBox::NoRole;
    }
    return QMessageBox::AcceptRole;
}

// The answer when the box is closed without a button (Escape, title bar).
kit::Answer closedAnswer(kit::Buttons buttons) {
    switch (buttons) {
    case kit::Buttons::Ok: return kit::Answer::Ok;
    case kit::Buttons::OkCancel: return kit::Answer::Cancel;
    case kit::Buttons::YesNo: return kit::Answer::No;
    case kit::Buttons::YesNoCancel: return kit::Answer::Cancel;
    }
    return kit::Answer::Cancel;
}

// A modal dialog around a form. Closing it by its title bar is the form's
// own close (with Cancel); the form's close request ends it.
class FormDialog : public QDialog {
public:
    FormDialog(kit::Form& form, QWidget* parent) : QDialog(parent), form_(form) {
        setWindowTitle(form.caption());
        Qt::WindowFlags flags = Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint | Qt::WindowSystemMenuHint;
        if (form.closeButton) flags |= Qt::WindowCloseButtonHint;
        if (form.minimizeButton) flags |= Qt::WindowMinimizeButtonHint;
        setWindowFlags(flags);
        auto* layout = new QVBoxLayout(this);
        view_ = new FormWidget(form, this);
        layout->addWidget(view_);
        view_->onCaptionChanged = [this] { setWindowTitle(form_.caption()); };
        view_->onCloseRequested = [this] { QDialog::done(int(form_.modalResult)); };
        view_->hostIsActive = [this] {
            QWidget* modal = QApplication::activeModalWidget();
            return !modal || modal == this;
        };
    }
    FormWidget* view() const { return view_; }

    void reject() override {
        // Escape and the title bar's close button.
        if (form_.isClosing()) {
            QDialog::reject();
            return;
        }
        view_->call([this] { form_.close(); });
    }

protected:
    void keyPressEvent(QKeyEvent* e) override {
        if (e->key() == Qt::Key_Escape) return;   // the forms have no cancel key
        QDialog::keyPressEvent(e);
    }
    bool event(QEvent* e) override {
        if (e->type() == QEvent::WindowActivate && view_->attached()) {
            // The form hears of its activation once per showing, not each
            // time a message box of its own gives the focus back.
            if (!activatedOnce_) {
                activatedOnce_ = true;
                view_->hostActivated();
            } else {
                view_->syncFocusFromKit();
            }
        }
        return QDialog::event(e);
    }

private:
    kit::Form& form_;
    FormWidget* view_;
    bool activatedOnce_ = false;
};

// A child window in the frame. Its close button is the form's own close.
// The title-bar close of a window that holds a form: the form closes itself
// (its handlers run); the window goes once the form has gone.
void closeThroughForm(QCloseEvent* e, bool formGone, FormWidget& view, kit::Form& form) {
    if (formGone || !view.attached()) {
        e->accept();
        return;
    }
    e->ignore();
    view.call([&form] { form.close(); });
}

class ChildWindow : public QMdiSubWindow {
public:
    ChildWindow(kit::Form& form, FormWidget* view) : form_(form), view_(view) {
        setWidget(view);
        setWindowTitle(form.caption());
        setAttribute(Qt::WA_DeleteOnClose, false);
        Qt::WindowFlags flags = Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint;
        if (form.minimizeButton) flags |= Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint;
        if (form.closeButton) flags |= Qt::WindowCloseButtonHint;
        setWindowFlags(flags);
        QPixmap blank(16, 16);
        blank.fill(Qt::transparent);
        setWindowIcon(QIcon(blank));   // no toolkit logo in the title bar
    }
    FormWidget* view() const { return view_; }
    bool gone = false;   // the form closed; the window goes with it

protected:
    bool event(QEvent* e) override {
        const bool handled = QMdiSubWindow::event(e);
        // The form's content grew (a grid that got its columns): the window
        // grows with it rather than clip it.
        if (e->type() == QEvent::LayoutRequest && !isMinimized() && !isMaximized()) {
            const QSize wanted = minimumSizeHint().expandedTo(size());
            if (wanted != size()) resize(wanted);
        }
        return handled;
    }

    void closeEvent(QCloseEvent* e) override { closeThroughForm(e, gone, *view_, form_); }

private:
    kit::Form& form_;
    FormWidget* view_;
};

// A child window standing alone, when there is no frame to hold it.
class StandaloneChild : public QWidget {
public:
    StandaloneChild(kit::Form& form, FormWidget* view) : form_(form), view_(view) {
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(view);
        setWindowTitle(form.caption());
    }
    FormWidget* view() const { return view_; }
    bool gone = false;

protected:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::WindowActivate && view_->attached()) view_->hostActivated();
        return QWidget::event(e);
    }
    void closeEvent(QCloseEvent* e) override { closeThroughForm(e, gone, *view_, form_); }

private:
    kit::Form& form_;
    FormWidget* view_;
};

}  // namespace

QtShell::QtShell() : timers_(std::make_unique<QObject>()) {}

QtShell::~QtShell() {
    for (auto& [form, h] : hosted_)
        if (h.view) h.view->detach();
}

void QtShell::setFrameArea(QMdiArea* area) {
    area_ = area;
    QObject::connect(area, &QMdiArea::subWindowActivated, area, [this](QMdiSubWindow* sub) {
        // Only a change of the active child window activates a form (the
        // frame losing and regaining the focus to a message box does not).
        if (!sub || sub == lastActive_) return;
        lastActive_ = sub;
        if (auto* child = dynamic_cast<ChildWindow*>(sub); child && child->view()->attached())
            child->view()->hostActivated();
    });
}

QMdiArea* QtShell::frameArea() const { return area_.data(); }

QWidget* QtShell::dialogParent() const {
    if (QWidget* w = QApplication::activeModalWidget()) return w;
    if (QWidget* w = QApplication::activeWindow()) return w;
    if (area_ && area_->window()->isVisible()) return area_->window();
    return nullptr;
}

// --- messages ------------------------------------------------------------------

QMessageBox* QtShell::makeMessageBox(const QString& text, const QString& caption, kit::Icon icon,
                                     kit::Buttons buttons, QWidget* parent) {
    auto* box = new QMessageBox(parent);
    box->setWindowTitle(caption);
    box->setText(text);
    box->setIcon(boxIcon(icon));
    box->setTextFormat(Qt::PlainText);
    bool first = true;
    for (const auto& [answer, label] : buttonsOf(buttons)) {
        QPushButton* b = box->addButton(label, roleOf(answer));
        b->setProperty("answer", int(answer));
        if (first) box->setDefaultButton(b);
        first = false;
    }
    return box;
}

kit::Answer QtShell::answerFor(kit::Buttons buttons, const QMessageBox&, const QAbstractButton* clicked) {
    if (!clicked || !clicked->property("answer").isValid()) return closedAnswer(buttons);
    return kit::Answer(clicked->property("answer").toInt());
}

kit::Answer QtShell::message(const QString& text, const QString& caption, kit::Icon icon, kit::Buttons buttons) {
    std::unique_ptr<QMessageBox> box(makeMessageBox(text, caption, icon, buttons, dialogParent()));
    box->exec();
    return answerFor(buttons, *box, box->clickedButton());
}

// --- file dialogs ------------------------------------------------------------------

std::optional<kit::FileChoice> QtShell::runFileDialog(const kit::FileDialog& d, bool save) {
    QFileDialog dialog(dialogParent(), d.title);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (save && !d.confirmOverwrite) dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    QStringList filters;
    for (const auto& f : d.filters) filters << QStringLiteral("%1 (%2)").arg(f.name, f.pattern);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        dialog.selectNameFilter(filters.value(std::clamp(d.selectedFilter, 0, int(filters.size()) - 1)));
    }
    if (!d.defaultName.isEmpty()) dialog.selectFile(d.defaultName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    kit::FileChoice choice;
    choice.path = dialog.selectedFiles().first();
    choice.filter = std::max(0, int(filters.indexOf(dialog.selectedNameFilter())));
    return choice;
}

std::optional<kit::FileChoice> QtShell::openFile(const kit::FileDialog& dialog) { return runFileDialog(dialog, false); }

std::optional<kit::FileChoice> QtShell::saveFile(const kit::FileDialog& dialog) { return runFileDialog(dialog, true); }

// --- modal dialogs and child windows ------------------------------------------------

kit::ModalResult QtShell::showModal(kit::Form& form) {
    QWidget* parent = dialogParent();
    FormDialog dialog(form, parent);
    dialog.view()->call([&] { form.shown(); });
    if (!form.isClosing()) {
        dialog.adjustSize();
        dialog.exec();
    }
    dialog.view()->detach();
    // The window the dialog covered is uncovered again.
    if (area_) {
        if (auto* child = dynamic_cast<ChildWindow*>(area_->activeSubWindow()); child && child->view()->attached())
            child->view()->redrawn();
    }
    return form.modalResult;
}

void QtShell::hostChild(kit::Form& form) {
    auto* view = new FormWidget(form);
    if (!area_) {
        auto* window = new StandaloneChild(form, view);
        view->onCaptionChanged = [window, &form] { window->setWindowTitle(form.caption()); };
        hosted_[&form] = {window, view};
        view->call([&] { form.shown(); });
        if (!hosted_.count(&form)) return;
        window->show();
        window->activateWindow();
        view->syncFocusFromKit();
        return;
    }
    auto* sub = new ChildWindow(form, view);
    view->onCaptionChanged = [sub, &form] { sub->setWindowTitle(form.caption()); };
    QPointer<QMdiArea> area = area_;
    view->hostIsActive = [sub, area] { return area && area->activeSubWindow() == sub; };
    hosted_[&form] = {sub, view};
    area_->addSubWindow(sub);
    view->call([&] { form.shown(); });
    if (!hosted_.count(&form)) return;   // the form closed while showing
    // Sized after the show handler has filled the form (a grid's columns
    // decide how wide it wants to be).
    sub->adjustSize();
    if (form.position) {
        sub->move(form.position->first, form.position->second);
    } else {
        const QSize room = area_->viewport()->size();
        sub->move(std::max(0, (room.width() - sub->width()) / 2), std::max(0, (room.height() - sub->height()) / 2));
    }
    sub->show();
    area_->setActiveSubWindow(sub);
    view->syncFocusFromKit();
}

void QtShell::raiseChild(kit::Form& form) {
    auto it = hosted_.find(&form);
    if (it == hosted_.end() || !it->second.window) return;
    QWidget* window = it->second.window;
    window->setEnabled(true);
    window->showNormal();
    window->show();
    if (auto* sub = qobject_cast<QMdiSubWindow*>(window); sub && area_) {
        area_->setActiveSubWindow(sub);
    } else {
        window->raise();
        window->activateWindow();
    }
    window->setFocus();
    if (it->second.view) it->second.view->syncFocusFromKit();
}

void QtShell::unhostChild(kit::Form& form) {
    auto it = hosted_.find(&form);
    if (it == hosted_.end()) return;
    Hosted h = it->second;
    hosted_.erase(it);
    if (h.view) h.view->detach();
    if (auto* child = dynamic_cast<ChildWindow*>(h.window.data())) child->gone = true;
    if (auto* child = dynamic_cast<StandaloneChild*>(h.window.data())) child->gone = true;
    if (h.window) {
        h.window->hide();
        // Its handlers may still be running: the widgets go once back in the loop.
        h.window->deleteLater();
    }
}

FormWidget* QtShell::childWidget(const kit::Form& form) const {
    auto it = hosted_.find(&form);
    return it == hosted_.end() ? nullptr : it->second.view.data();
}

// --- timers, desktop, pictures -----------------------------------------------------

void QtShell::singleShot(int ms, std::function<void()> callback) {
    QTimer::singleShot(std::max(0, ms), timers_.get(), [this, callback = std::move(callback)] {
        try {
            callback();
        } catch (const std::exception& e) {
            kit::showUnhandledError(*this, e);
        } catch (...) {
        }
    });
}

bool QtShell::openWithDesktop(const QString& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); }

bool QtShell::pictureLoads(const QString& path) {
    if (path.isEmpty()) return false;
    QImageReader reader(path);
    if (!reader.canRead()) return false;
    return !reader.read().isNull();
}

void QtShell::quit() { QCoreApplication::quit(); }

// --- printing -------------------------------------------------------------------------

bool QtShell::renderPdf(const kit::ReportDocument& doc, const QString& path, QString* failure) {
    return writeReportPdf(doc, path, failure);
}

bool QtShell::print(const kit::ReportDocument& doc, bool preview, QString* failure) {
    const QPrinterInfo printerInfo = QPrinterInfo::defaultPrinter();
    if (!preview && printerInfo.isNull()) {
        if (failure) *failure = QStringLiteral("no default printer");
        return false;
    }
    QPrinter printer(QPrinter::HighResolution);
    if (!printerInfo.isNull()) printer.setPrinterName(printerInfo.printerName());
    printer.setDocName(doc.title);
    printer.setFullPage(false);
    printer.setCopyCount(std::max(1, doc.copies));
    if (!printer.setPageLayout(reportPageLayout(doc))) {
        if (failure) *failure = QStringLiteral("the printer does not accept the paper size");
        if (!preview) return false;
    }
    if (preview) {
        // Zoom, print straight to the default printer, save as PDF, close.
        ReportPreview dialog(doc, dialogParent());
        dialog.exec();
        return true;
    }
    if (!paintReport(printer, doc)) {
        if (failure) *failure = QStringLiteral("cannot print on %1").arg(printer.printerName());
        return false;
    }
    return true;
}

void QtShell::scheduleDestroy(kit::Form& form) {
    // A deferred delete runs only when the event loop it was posted in gets
    // control back, never inside a message box the closing handler shows.
    auto* token = new QObject;
    QObject::connect(token, &QObject::destroyed, timers_.get(), [this, f = &form] { destroyClosed(f); });
    token->deleteLater();
}

}  // namespace ui
