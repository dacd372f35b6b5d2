#pragma once
// The real Shell: message boxes, file dialogs, modal dialogs and child
// windows in the frame's MDI area, timers, the desktop, pictures, printing.

#include "kit/shell.h"

#include <QPointer>
#include <QString>
#include <map>
#include <memory>

class QAbstractButton;
class QMdiArea;
class QMdiSubWindow;
class QMessageBox;
class QObject;
class QWidget;

namespace ui {

class FormWidget;

class QtShell : public kit::Shell {
public:
    QtShell();
    ~QtShell() override;

    // The frame's client area that hosts the child windows. Without one,
    // child windows are top-level windows.
    void setFrameArea(QMdiArea* area);
    QMdiArea* frameArea() const;

    kit::Answer message(const QString& text, const QString& caption, kit::Icon icon,
                        kit::Buttons buttons = kit::Buttons::Ok) override;
    std::optional<kit::FileChoice> openFile(const kit::FileDialog& dialog) override;
    std::optional<kit::FileChoice> saveFile(const kit::FileDialog& dialog) override;
    kit::ModalResult showModal(kit::Form& form) override;
    void singleShot(int ms, std::function<void()> callback) override;
    bool openWithDesktop(const QString& path) override;
    bool pictureLoads(const QString& path) override;
    bool print(const kit::ReportDocument& doc, bool preview, QString* failure = nullptr) override;
    void quit() override;

    // The message box that message() shows, built but not shown; its answer
    // for the button clicked (nullptr: closed without a button).
    static QMessageBox* makeMessageBox(const QString& text, const QString& caption, kit::Icon icon,
                                       kit::Buttons buttons, QWidget* parent = nullptr);
    static kit::Answer answerFor(kit::Buttons buttons, const QMessageBox& box, const QAbstractButton* clicked);

    // Renders a report to a PDF file, as it would be printed.
    static bool renderPdf(const kit::ReportDocument& doc, const QString& path, QString* failure = nullptr);

    // The widget that shows an open child window (nullptr if none).
    FormWidget* childWidget(const kit::Form& form) const;
    // The window a new dialog or message box belongs to.
    QWidget* dialogParent() const;

protected:
    void hostChild(kit::Form& form) override;
    void raiseChild(kit::Form& form) override;
    void unhostChild(kit::Form& form) override;
    void scheduleDestroy(kit::Form& form) override;

private:
    struct Hosted {
        QPointer<QWidget> window;   // the sub-window, or the top-level window
        QPointer<FormWidget> view;
    };
    std::optional<kit::FileChoice> runFileDialog(const kit::FileDialog& dialog, bool save);
    void formActivated(QWidget* window);

    QPointer<QMdiArea> area_;
    QPointer<QMdiSubWindow> lastActive_;
    std::map<const kit::Form*, Hosted> hosted_;
    // Timers die with the shell: their callbacks use what the shell's users own.
    std::unique_ptr<QObject> timers_;
};

}  // namespace ui
