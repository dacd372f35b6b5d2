#pragma once
// Everything a screen needs from the desktop: message boxes, file dialogs,
// child windows and modal dialogs, timers, opening a file with the desktop,
// pictures, printing, ending the program. The Qt layer implements it for the
// real program; tests use a fake that records and answers from a script.

#include "kit/form.h"
#include "kit/report.h"
#include "kit/types.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace kit {

struct FileFilter {
    QString name;      // "XLS"
    QString pattern;   // "*.XLS"
};

struct FileDialog {
    QString title;
    QString defaultName;
    std::vector<FileFilter> filters;
    int selectedFilter = 0;
    bool confirmOverwrite = true;   // save dialogs ask before replacing a file
};

struct FileChoice {
    QString path;
    int filter = 0;   // index of the chosen file type
};

class Shell {
public:
    virtual ~Shell();

    virtual Answer message(const QString& text, const QString& caption, Icon icon,
                           Buttons buttons = Buttons::Ok) = 0;
    virtual std::optional<FileChoice> openFile(const FileDialog& dialog) = 0;
    virtual std::optional<FileChoice> saveFile(const FileDialog& dialog) = 0;

    // Shows a dialog form modally and returns its result when it closes.
    virtual ModalResult showModal(Form& form) = 0;

    // Runs the callback once after the delay, on the user-interface thread.
    virtual void singleShot(int ms, std::function<void()> callback) = 0;
    // Asks the desktop to open a file with its default program.
    virtual bool openWithDesktop(const QString& path) = 0;
    // Whether the file is a picture that can be shown.
    virtual bool pictureLoads(const QString& path) = 0;
    // Prints a report to the default printer, or shows it in a preview
    // window first. Returns false with a reason when nothing could be printed.
    virtual bool print(const ReportDocument& doc, bool preview, QString* failure = nullptr) = 0;
    // Ends the program (the message loop ends).
    virtual void quit() = 0;

    // --- child windows, kept here for both shells ----------------------------
    // Brings the open child window with exactly this caption to the front, or
    // creates one with the factory, gives it the caption and shows it.
    Form& openChildWindow(const QString& caption, const std::function<std::unique_ptr<Form>()>& factory);
    // The open child windows, oldest first.
    std::vector<Form*> childWindows() const;
    Form* childWindow(const QString& caption) const;
    // A child window closed itself: it leaves the frame and is destroyed once
    // its handlers have returned.
    void childClosed(Form& form);
    // Destroys the child windows that have closed (called when it is safe).
    void collectClosed();
    // Destroys one child window that has closed.
    void destroyClosed(const Form* form);
    // Destroys every child window at once, open or closed (the program ends).
    void destroyAllChildren();

protected:
    // The renderer hosts a new child window in the frame and shows it.
    virtual void hostChild(Form& form) = 0;
    // The renderer brings a child window to the front.
    virtual void raiseChild(Form& form) = 0;
    // The renderer removes a closed child window's widgets.
    virtual void unhostChild(Form& form) = 0;
    // Arranges for destroyClosed(&form) once the handler that closed the
    // window has returned to the event loop it ran in (a nested loop, such
    // as a message box shown by that handler, must not destroy it).
    virtual void scheduleDestroy(Form& form);

private:
    std::vector<std::unique_ptr<Form>> children_;
    std::vector<std::unique_ptr<Form>> closed_;
};

}  // namespace kit
