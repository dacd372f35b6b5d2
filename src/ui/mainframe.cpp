#include "ui/mainframe.h"

#include "app/tmain.h"
#include "ui/fonts.h"
#include "ui/formwidget.h"
#include "ui/qtshell.h"
#include "ui/style.h"

#include <QAction>
#include <QCloseEvent>
#include <QDateTime>
#include <QLabel>
#include <QLocale>
#include <QMdiArea>
#include <QMenuBar>
#include <QPainter>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>

namespace ui {

namespace {

constexpr int kOperatorPaneWidth = 227;
constexpr int kSloganPaneWidth = 380;
constexpr int kClockPaneWidth = 287;
constexpr int kSloganStepMs = 20;
constexpr int kBannerPixelSize = 60;

// Toolbar pictures, by position.
const QStyle::StandardPixmap kToolIcons[] = {
    QStyle::SP_DialogYesButton,        QStyle::SP_BrowserReload,     QStyle::SP_DialogApplyButton,
    QStyle::SP_FileDialogDetailedView, QStyle::SP_FileDialogContentsView, QStyle::SP_MessageBoxWarning,
    QStyle::SP_DialogResetButton,      QStyle::SP_FileDialogInfoView, QStyle::SP_DialogHelpButton,
    QStyle::SP_MediaPause,            QStyle::SP_DialogCloseButton,
};

QColor bannerColor(const kit::Label& label) {
    const QColor c = colorByName(label.style().color);
    return c.isValid() ? c : QColor(Qt::blue);
}

}  // namespace

// The client area: child windows over the stretched background picture and
// the two banner lines.
class FrameArea : public QMdiArea {
public:
    FrameArea(MainFrame& frame, app::TMAIN& form) : frame_(frame), form_(form) {
        setBackground(QColor(0x80, 0x80, 0x80));
        bannerFont_ = namedFont(QStringLiteral("华文行楷"));
        bannerFont_.setPixelSize(kBannerPixelSize);
    }

    void pictureChanged() {
        const QString path = form_.Image1.path();
        if (path != picturePath_) {
            picturePath_ = path;
            picture_ = path.isEmpty() ? QPixmap() : QPixmap(path);
            scaled_ = QPixmap();
        }
        viewport()->update();
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter p(viewport());
        const QRect all = viewport()->rect();
        p.fillRect(event->rect(), background());
        if (form_.Image1.visible() && !picture_.isNull()) {
            if (scaled_.size() != all.size())
                scaled_ = picture_.scaled(all.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            p.drawPixmap(0, 0, scaled_);
        }
        p.setFont(bannerFont_);
        const int flags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip | Qt::TextSingleLine;
        if (form_.Label1.visible()) {
            p.setPen(bannerColor(form_.Label1));
            p.drawText(frame_.banner1Rect(), flags, form_.Label1.text());
        }
        if (form_.Label2.visible()) {
            p.setPen(bannerColor(form_.Label2));
            p.drawText(frame_.banner2Rect(), flags, form_.Label2.text());
        }
    }

private:
    MainFrame& frame_;
    app::TMAIN& form_;
    QFont bannerFont_;
    QString picturePath_;
    QPixmap picture_;
    QPixmap scaled_;
};

// A status pane whose text runs from right to left, one step at a time.
class SloganPane : public QWidget {
public:
    explicit SloganPane(QWidget* parent) : QWidget(parent) {
        timer_.setInterval(kSloganStepMs);
        connect(&timer_, &QTimer::timeout, this, [this] { step(); });
        QPalette pal = palette();
        pal.setColor(QPalette::WindowText, Qt::red);
        setPalette(pal);
    }
    void setText(const QString& text) {
        if (text == text_) return;
        text_ = text;
        offset_ = width();
        if (text_.isEmpty()) timer_.stop();
        else timer_.start();
        update();
    }
    const QString& text() const { return text_; }
    void step() {
        --offset_;
        if (offset_ < -fontMetrics().horizontalAdvance(text_)) offset_ = width();
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(QRect(offset_, 0, fontMetrics().horizontalAdvance(text_) + 4, height()),
                   Qt::AlignLeft | Qt::AlignVCenter, text_);
    }
    QSize sizeHint() const override { return {kSloganPaneWidth, fontMetrics().height() + 4}; }

private:
    QString text_;
    int offset_ = 0;
    QTimer timer_;
};

MainFrame::MainFrame(app::TMAIN& form, QtShell& shell, QWidget* parent)
    : QMainWindow(parent), form_(form), shell_(shell) {
    setWindowTitle(form.caption());
    area_ = new FrameArea(*this, form);
    area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(area_);
    buildMenus();
    buildToolbar();
    buildStatusBar();

    form.Image1.observer = [this] { area_->pictureChanged(); };
    form.Label1.observer = [this] { area_->viewport()->update(); };
    form.Label2.observer = [this] { area_->viewport()->update(); };
    form.operatorPane.observer = [this] { refreshPanes(); };
    form.sloganPane.observer = [this] { refreshPanes(); };
    form.setView(this);
    area_->pictureChanged();
    refreshPanes();
    shell.setFrameArea(area_);
    resize(1024, 740);
}

MainFrame::~MainFrame() {
    for (kit::Control* c : std::initializer_list<kit::Control*>{&form_.Image1, &form_.Label1, &form_.Label2,
                                                                &form_.operatorPane, &form_.sloganPane})
        c->observer = nullptr;
    for (const auto& menu : form_.menuBar.items()) {
        menu->observer = nullptr;
        for (const auto& item : menu->items()) item->observer = nullptr;
    }
    for (const auto& b : form_.toolbar) b->observer = nullptr;
    if (form_.view() == this) form_.setView(nullptr);
}

QMdiArea* MainFrame::mdiArea() const { return area_; }

void MainFrame::buildMenus() {
    for (const auto& menu : form_.menuBar.items()) {
        QMenu* m = menuBar()->addMenu(menu->caption());
        QAction* top = m->menuAction();
        kit::MenuItem* topItem = menu.get();
        topItem->observer = [top, topItem] { top->setEnabled(topItem->enabled()); };
        top->setEnabled(topItem->enabled());
        for (const auto& sub : menu->items()) {
            if (sub->isSeparator()) {
                m->addSeparator();
                continue;
            }
            kit::MenuItem* item = sub.get();
            QAction* action = m->addAction(item->caption());
            action->setEnabled(item->enabled());
            item->observer = [action, item] { action->setEnabled(item->enabled()); };
            connect(action, &QAction::triggered, this, [this, item] { form_.run([item] { item->click(); }); });
        }
    }
}

void MainFrame::buildToolbar() {
    QToolBar* bar = addToolBar(QString());
    bar->setObjectName(QStringLiteral("toolbar"));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    bar->setIconSize(QSize(32, 32));
    bar->toggleViewAction()->setVisible(false);
    int i = 0;
    for (const auto& b : form_.toolbar) {
        kit::ToolButton* button = b.get();
        const QIcon icon = style()->standardIcon(kToolIcons[i % std::size(kToolIcons)]);
        QAction* action = bar->addAction(icon, button->caption());
        action->setEnabled(button->enabled());
        button->observer = [action, button] { action->setEnabled(button->enabled()); };
        connect(action, &QAction::triggered, this, [this, button] { form_.run([button] { button->click(); }); });
        if (button->gapAfter()) bar->addSeparator();
        ++i;
    }
}

void MainFrame::buildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setSizeGripEnabled(true);
    operatorPane_ = new QLabel(bar);
    operatorPane_->setFixedWidth(kOperatorPaneWidth);
    operatorPane_->setAlignment(Qt::AlignCenter);
    sloganPane_ = new SloganPane(bar);
    sloganPane_->setFixedWidth(kSloganPaneWidth);
    clockPane_ = new QLabel(bar);
    clockPane_->setFixedWidth(kClockPaneWidth);
    clockPane_->setAlignment(Qt::AlignCenter);
    bar->addWidget(operatorPane_);
    bar->addWidget(sloganPane_);
    bar->addWidget(clockPane_);
    auto* clock = new QTimer(this);
    connect(clock, &QTimer::timeout, this, [this] { tickClock(); });
    clock->start(1000);
    tickClock();
}

void MainFrame::refreshPanes() {
    operatorPane_->setText(form_.operatorPane.text());
    sloganPane_->setText(form_.sloganPane.text());
}

void MainFrame::tickClock() {
    const QDateTime now = QDateTime::currentDateTime();
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    clockPane_->setText(chinese.toString(now.date(), QLocale::LongFormat) + QLatin1Char(' ') +
                        now.time().toString(QStringLiteral("HH:mm:ss")));
}

QRect MainFrame::banner1Rect() const {
    const QSize outer = frameGeometry().size();
    const auto at = app::TMAIN::banner1At(outer.width(), outer.height());
    const int clientTop = menuBar()->isVisible() ? menuBar()->height() : 0;
    const QPoint origin = area_->viewport()->mapFrom(this, QPoint(at.left, at.top + clientTop));
    return QRect(origin, QSize(app::TMAIN::kBannerWidth, app::TMAIN::kBanner1Height));
}

QRect MainFrame::banner2Rect() const {
    const QSize outer = frameGeometry().size();
    const auto at = app::TMAIN::banner2At(outer.width(), outer.height());
    const int clientTop = menuBar()->isVisible() ? menuBar()->height() : 0;
    const QPoint origin = area_->viewport()->mapFrom(this, QPoint(at.left, at.top + clientTop));
    return QRect(origin, QSize(app::TMAIN::kBannerWidth, app::TMAIN::kBanner2Height));
}

void MainFrame::captionChanged() { setWindowTitle(form_.caption()); }

void MainFrame::closeRequested() {
    if (!inCloseEvent_) close();
}

void MainFrame::closeEvent(QCloseEvent* event) {
    if (closeAccepted_ || form_.isClosing()) {
        event->accept();
        return;
    }
    inCloseEvent_ = true;
    form_.run([this] { closeAccepted_ = form_.requestClose(); });
    inCloseEvent_ = false;
    if (closeAccepted_) event->accept();
    else event->ignore();
}

void MainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shownOnce_) return;
    shownOnce_ = true;
    form_.shown();
}

void MainFrame::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    area_->viewport()->update();
}

}  // namespace ui
