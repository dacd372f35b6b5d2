#pragma once
// A Shell for tests: records every message and answers questions and file
// dialogs from a script, so a test reads like the operator's steps.

#include "kit/shell.h"
#include "qt_print.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace testing_support {

struct ShownMessage {
    QString text;
    QString caption;
    kit::Icon icon;
    kit::Buttons buttons;
};

struct PrintedReport {
    kit::ReportDocument doc;
    bool preview;
};

class FakeShell : public kit::Shell {
public:
    ~FakeShell() override;

    // --- scripts ---------------------------------------------------------------
    // Answers for the next questions, in order; when none is left a question
    // is answered with its first button (OK or Yes).
    std::deque<kit::Answer> answers;
    // Answers for the next file dialogs (nullopt = cancelled).
    std::deque<std::optional<kit::FileChoice>> fileChoices;
    // What happens while the next modal dialogs are shown: each script drives
    // the dialog as an operator would. Without a script the dialog is shown
    // (its show handler runs) and closed with Cancel.
    std::deque<std::function<void(kit::Form&)>> modalScripts;
    bool picturesLoad = true;     // pictureLoads() also needs the file to exist
    bool printerInstalled = true;

    // --- what happened ---------------------------------------------------------
    std::vector<ShownMessage> messages;
    std::vector<kit::FileDialog> fileDialogs;
    std::vector<QString> modalShown;     // class names of the dialogs shown
    std::vector<QString> opened;         // files opened with the desktop
    std::vector<PrintedReport> printed;
    std::vector<QString> raised;         // captions of child windows brought back
    bool quitCalled = false;

    QString lastMessage() const { return messages.empty() ? QString() : messages.back().text; }
    QStringList messageTexts() const;

    // Runs the timers that are due, in order of their delay (also those that
    // timers add), as the event loop would.
    void runTimers();
    std::size_t pendingTimers() const { return timers_.size(); }

    // --- Shell -----------------------------------------------------------------
    kit::Answer message(const QString& text, const QString& caption, kit::Icon icon, kit::Buttons buttons) override;
    std::optional<kit::FileChoice> openFile(const kit::FileDialog& dialog) override;
    std::optional<kit::FileChoice> saveFile(const kit::FileDialog& dialog) override;
    kit::ModalResult showModal(kit::Form& form) override;
    void singleShot(int ms, std::function<void()> callback) override;
    bool openWithDesktop(const QString& path) override;
    bool pictureLoads(const QString& path) override;
    bool print(const kit::ReportDocument& doc, bool preview, QString* failure) override;
    void quit() override { quitCalled = true; }

protected:
    void hostChild(kit::Form& form) override;
    void raiseChild(kit::Form& form) override;
    void unhostChild(kit::Form&) override {}

private:
    struct Timer {
        int ms;
        long seq;
        std::function<void()> callback;
    };
    std::vector<Timer> timers_;
    long seq_ = 0;
};

}  // namespace testing_support
