#include "fake_shell.h"

#include <QFileInfo>
#include <algorithm>

namespace testing_support {

FakeShell::~FakeShell() = default;

QStringList FakeShell::messageTexts() const {
    QStringList out;
    for (const auto& m : messages) out << m.text;
    return out;
}

kit::Answer FakeShell::message(const QString& text, const QString& caption, kit::Icon icon, kit::Buttons buttons) {
    messages.push_back({text, caption, icon, buttons});
    if (!answers.empty()) {
        kit::Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    return (buttons == kit::Buttons::YesNo || buttons == kit::Buttons::YesNoCancel) ? kit::Answer::Yes : kit::Answer::Ok;
}

std::optional<kit::FileChoice> FakeShell::openFile(const kit::FileDialog& dialog) {
    fileDialogs.push_back(dialog);
    if (fileChoices.empty()) return std::nullopt;
    const bool cancelled = !fileChoices.front().has_value();
    kit::FileChoice choice = cancelled ? kit::FileChoice{} : *fileChoices.front();
    fileChoices.pop_front();
    if (cancelled) return std::nullopt;
    return choice;
}

std::optional<kit::FileChoice> FakeShell::saveFile(const kit::FileDialog& dialog) { return openFile(dialog); }

kit::ModalResult FakeShell::showModal(kit::Form& form) {
    modalShown.push_back(form.className());
    form.shown();
    if (!form.isClosing()) {
        if (!modalScripts.empty()) {
            auto script = std::move(modalScripts.front());
            modalScripts.pop_front();
            script(form);
        }
        if (!form.isClosing()) form.close();
    }
    return form.modalResult;
}

void FakeShell::singleShot(int ms, std::function<void()> callback) {
    timers_.push_back({ms, seq_++, std::move(callback)});
}

void FakeShell::runTimers() {
    while (!timers_.empty()) {
        auto it = std::min_element(timers_.begin(), timers_.end(), [](const Timer& a, const Timer& b) {
            return a.ms != b.ms ? a.ms < b.ms : a.seq < b.seq;
        });
        auto callback = std::move(it->callback);
        timers_.erase(it);
        callback();
    }
}

bool FakeShell::openWithDesktop(const QString& path) {
    opened.push_back(path);
    return QFileInfo::exists(path);
}

bool FakeShell::pictureLoads(const QString& path) { return picturesLoad && QFileInfo(path).isFile(); }

bool FakeShell::print(const kit::ReportDocument& doc, bool preview, QString* failure) {
    if (!preview && !printerInstalled) {
        if (failure) *failure = QStringLiteral("no printer");
        return false;
    }
    printed.push_back({doc, preview});
    return true;
}

void FakeShell::hostChild(kit::Form& form) { form.shown(); }

void FakeShell::raiseChild(kit::Form& form) {
    raised.push_back(form.caption());
    form.activated();
}

}  // namespace testing_support
