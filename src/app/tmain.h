#pragma once
// The main window: the frame with its menu bar, toolbar, status bar,
// background picture and the two banner lines. The Qt layer draws it; this
// class holds its state and behaviour.

#include "app/backup.h"
#include "app/session.h"
#include "db/dm1.h"
#include "kit/controls.h"
#include "kit/form.h"
#include "kit/menu.h"

#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace app {

class TMAIN : public kit::Form {
public:
    TMAIN(kit::Shell& shell, db::TDM1& dm, QString home);

    // --- values start-up hands over for the whole run --------------------------
    bool birthdayReminderAtStart = true;   // 提醒
    bool lowStockAlertAtStart = true;      // 提醒1
    QString shopName;
    QString slogan;
    QString backgroundPath;
    QString defaultBackupName;             // yyyy-MM-dd of the start

    // Sets the shop name: caption "<shop>KorvanaV7.8" and the first banner line.
    void setShopName(const QString& name);
    void setSlogan(const QString& text);
    // Hides the picture, loads the file and shows it again; a picture that
    // cannot be loaded stays hidden, without a message.
    void setBackground(const QString& path);

    // --- what the frame shows ----------------------------------------------------
    kit::MenuItem menuBar{QStringLiteral("")};   // its items are the top-level menus
    std::vector<std::unique_ptr<kit::ToolButton>> toolbar;
    kit::PictureBox Image1;                      // background, stretched
    kit::Label Label1;                           // banner: shop name
    kit::Label Label2;                           // banner: product title, spaced
    kit::Label operatorPane;                     // "当前用户为:<operator>"
    kit::Label sloganPane;                       // scrolls right to left every 20 ms

    // The login's result; read by every screen that records who did something.
    CurrentLogin currentLogin;

    // --- behaviour -----------------------------------------------------------------
    // The operator closes the main window (退出系统, the 退出 button or the
    // title bar): asks first; on OK writes the day's automatic backup, offers
    // the manual backup and ends the program. Returns false when the window
    // stays open.
    bool requestClose();
    // Opens the help file with the desktop's handler.
    void openHelp();
    // The manual backup of 系统设置 › 数据备份.
    ManualBackup manualBackup{QString()};

    // Child windows by kind (the screen's class name): a subsystem registers
    // the factory of its screen; menu items and other screens open it by
    // kind with the caption they give it. Kinds without a screen yet open a
    // placeholder (or a plain list over their query).
    using WindowFactory = std::function<std::unique_ptr<kit::Form>(const QString& caption)>;
    void registerWindow(const QString& kind, WindowFactory factory);
    kit::Form& openWindow(const QString& kind, const QString& caption);

    // The menu item at "menu › item" by captions; nullptr if none.
    kit::MenuItem* menuItem(const QString& menu, const QString& item) const;
    kit::ToolButton* toolButton(const QString& caption) const;

    // Banner placement for a window of outer size w × h (halves cut toward zero).
    static constexpr int kBannerWidth = 1016;
    static constexpr int kBanner1Height = 57;
    static constexpr int kBanner2Height = 65;
    struct Placement {
        int left;
        int top;
    };
    static Placement banner1At(int w, int h);
    static Placement banner2At(int w, int h);

    const QString& home() const { return home_; }
    db::TDM1& DM1() const { return dm_; }

private:
    void buildMenus();
    void buildToolbar();
    void wireActions();
    void startTimers();

    db::TDM1& dm_;
    QString home_;
    std::map<QString, WindowFactory> windowKinds_;
};

// "Korvana" with a blank between its characters: "K o r v a n a".
QString spacedTitle();
// The version text of the caption.
inline const QString kVersionText = QStringLiteral("V7.8");

}  // namespace app
