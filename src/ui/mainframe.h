#pragma once
// The frame of the program: menu bar, toolbar, the client area that holds
// the child windows over the background picture and the banner lines, and
// the status bar with the operator, the scrolling slogan and the clock.

#include "kit/form.h"

#include <QMainWindow>
#include <QPixmap>

class QLabel;
class QMdiArea;

namespace app {
class TMAIN;
}

namespace ui {

class QtShell;
class SloganPane;
class FrameArea;

class MainFrame : public QMainWindow, public kit::FormView {
    Q_OBJECT
public:
    MainFrame(app::TMAIN& form, QtShell& shell, QWidget* parent = nullptr);
    ~MainFrame() override;

    app::TMAIN& form() const { return form_; }
    QMdiArea* mdiArea() const;

    // Where the banner lines stand in the client area, for the current size.
    QRect banner1Rect() const;
    QRect banner2Rect() const;

    // kit::FormView
    void captionChanged() override;
    void focusChanged(kit::Control*) override {}
    void closeRequested() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildMenus();
    void buildToolbar();
    void buildStatusBar();
    void refreshPanes();
    void tickClock();

    app::TMAIN& form_;
    QtShell& shell_;
    FrameArea* area_ = nullptr;
    QLabel* operatorPane_ = nullptr;
    SloganPane* sloganPane_ = nullptr;
    QLabel* clockPane_ = nullptr;
    bool shownOnce_ = false;
    bool inCloseEvent_ = false;
    bool closeAccepted_ = false;
};

}  // namespace ui
