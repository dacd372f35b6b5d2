#include "points/tdayinshezhi.h"

#include "app/home.h"
#include "app/settings.h"
#include "kit/shell.h"
#include "points/receipt.h"

namespace points {

namespace {

const QString kCaption = QStringLiteral("提示");

const QString kHelpText = QStringLiteral(
    "1、请填写店铺名称，店铺名称会打印在每张小票上。\n"
    "2、如需打印小票，请先安装热敏或针式小票打印机及其驱动程序，并把它设为默认打印机。\n"
    "3、请选择您使用的打印纸张的宽度，并使用该宽度的连续打印纸。\n"
    "4、请填写小票尾的内容和小票同时打印的份数。\n"
    "5、填写完成后请点击“保存”，然后点击“小票打印测试”检查打印是否正常。");

}  // namespace

Tdayinshezhi::Tdayinshezhi(kit::Shell& shell, QString home, app::TMAIN& main)
    : kit::Form(shell, QStringLiteral("Tdayinshezhi"), QStringLiteral("小票打印及店铺名称设置"), Kind::Dialog),
      Edit1(*this, QStringLiteral("Edit1")),
      Memo1(*this, QStringLiteral("Memo1")),
      Edit2(*this, QStringLiteral("Edit2")),
      Button1(*this, QStringLiteral("Button1"), QStringLiteral("...")),
      RadioGroup1(*this, QStringLiteral("RadioGroup1"), QStringLiteral("请选择您使用的打印纸张的宽度"),
                  {QStringLiteral("58 毫米"), QStringLiteral("76 毫米"), QStringLiteral("120 毫米"),
                   QStringLiteral("241 毫米")},
                  2),
      Memo2(*this, QStringLiteral("Memo2")),
      RadioGroup2(*this, QStringLiteral("RadioGroup2"), QStringLiteral("打印是否预览"),
                  {QStringLiteral("预览后打印"), QStringLiteral("不预览直接打印")}),
      Edit3(*this, QStringLiteral("Edit3")),
      CheckBox1(*this, QStringLiteral("CheckBox1"), QStringLiteral("打印小票")),
      BitBtn1(*this, QStringLiteral("BitBtn1"), QStringLiteral("保存")),
      BitBtn2(*this, QStringLiteral("BitBtn2"), QStringLiteral("小票打印测试")),
      BitBtn3(*this, QStringLiteral("BitBtn3"), QStringLiteral("退出")),
      GroupBox1(*this, QStringLiteral("GroupBox1"), QStringLiteral("说明")),
      Memo3(*this, QStringLiteral("Memo3")),
      home_(std::move(home)),
      main_(main) {
    kit::Box& columns = layout().box(kit::Box::Kind::Row);
    kit::Box& left = columns.box(kit::Box::Kind::Column);
    left.box(kit::Box::Kind::Fields)
        .add(Edit1, QStringLiteral("店铺名称"))
        .add(Memo1, QStringLiteral("滚动字幕"));
    left.box(kit::Box::Kind::Row).add(Edit2, QStringLiteral("背景图片")).add(Button1);
    left.add(RadioGroup1);
    left.box(kit::Box::Kind::Fields).add(Memo2, QStringLiteral("小票尾"));
    left.add(RadioGroup2);
    left.box(kit::Box::Kind::Row)
        .text(QStringLiteral("小票同时打印"))
        .add(Edit3)
        .text(QStringLiteral("份"))
        .stretch()
        .add(CheckBox1);
    GroupBox1.content().add(Memo3);
    columns.add(GroupBox1);
    layout().box(kit::Box::Kind::Row).stretch().add(BitBtn1).add(BitBtn2).add(BitBtn3).stretch();

    Memo1.setMultiLine(true);
    Memo2.setMultiLine(true);
    Memo3.setMultiLine(true);
    Memo3.setReadOnly(true);
    Memo3.setText(kHelpText);
    Edit3.setKeyFilter(kit::KeyFilter::Numeric);
    for (kit::Edit* memo : {&Memo1, &Memo2}) {
        memo->onChange = [memo] {
            if (memo->text().size() > kMaxTextLength) memo->setText(memo->text().left(kMaxTextLength));
        };
    }

    // Enter moves on through the fields to the save button, also out of the
    // two text boxes.
    setEnterOrder({&Edit1, &Memo1, &Edit2, &RadioGroup1, &Memo2, &Edit3, &BitBtn1});
    Memo1.onEnter = [this] { Edit2.setFocus(); };
    Memo2.onEnter = [this] { Edit3.setFocus(); };

    onShow = [this] { load(); };
    Button1.onClick = [this] { chooseBackground(); };
    BitBtn1.onClick = [this] { save(); };
    BitBtn2.onClick = [this] { testPrint(); };
    BitBtn3.onClick = [this] { close(); };
}

void Tdayinshezhi::load() {
    const app::Settings settings(home_);
    Edit1.setText(settings.readText(kShopNameKey));
    Memo1.setText(settings.readText(kSloganKey));
    Memo2.setText(settings.readText(kTailKey));
    Edit2.setText(settings.readText(kBackgroundKey));
    Edit3.setText(settings.readText(kCopiesKey, QStringLiteral("1")));
    CheckBox1.setChecked(settings.readFlag(kPrintKey, false));
    RadioGroup2.setItemIndex(settings.readText(kPreviewKey, QStringLiteral("是")) == QStringLiteral("是") ? 0 : 1);
    const int width = kReceiptWidths.indexOf(settings.readText(kWidthKey, QStringLiteral("58")));
    RadioGroup1.setItemIndex(width >= 0 ? width : 1);
    Edit1.setFocus();
}

void Tdayinshezhi::refuse(const QString& text, kit::Edit& field) {
    shell().message(text, kCaption, kit::Icon::Error);
    field.setFocus();
    field.selectAll();
}

void Tdayinshezhi::save() {
    if (Edit1.text().trimmed().isEmpty()) {
        refuse(QStringLiteral("店铺名称不能为空！"), Edit1);
        return;
    }
    if (Edit3.text().isEmpty()) Edit3.setText(QStringLiteral("1"));
    // Receipts print as many copies as this says: only a whole number is kept.
    if (!receiptCopies(Edit3.text())) {
        refuse(QStringLiteral("小票同时打印的份数必须是整数，“%1”不是整数！").arg(Edit3.text()), Edit3);
        return;
    }

    app::Settings settings(home_);
    bool written = settings.writeText(kShopNameKey, Edit1.text()) && settings.writeText(kSloganKey, Memo1.text()) &&
                   settings.writeText(kBackgroundKey, Edit2.text()) && settings.writeText(kTailKey, Memo2.text()) &&
                   settings.writeText(kCopiesKey, Edit3.text()) && settings.writeFlag(kPrintKey, CheckBox1.checked());
    const int width = RadioGroup1.itemIndex();
    if (written && width >= 0 && width < kReceiptWidths.size())
        written = settings.writeText(kWidthKey, kReceiptWidths[width]);
    if (written)
        written = settings.writeText(kPreviewKey, RadioGroup2.itemIndex() == 1 ? QStringLiteral("否") : QStringLiteral("是"));
    if (!written) {
        shell().message(QStringLiteral("保存失败！"), kCaption, kit::Icon::Error);
        return;
    }
    shell().message(QStringLiteral("保存成功,修改后的软件界面效果重新启动软件后体现！"), kCaption, kit::Icon::Information);
}

void Tdayinshezhi::chooseBackground() {
    kit::FileDialog dialog;
    dialog.title = QStringLiteral("选择背景图片");
    dialog.filters = {{QStringLiteral("图片文件"), QStringLiteral("*.jpg *.jpeg *.bmp *.png *.gif")},
                      {QStringLiteral("所有文件"), QStringLiteral("*")}};
    if (const auto choice = shell().openFile(dialog)) Edit2.setText(choice->path);
    // Whether or not a picture was chosen, the field is kept and shown at once;
    // an empty field shows the picture the main window starts with.
    app::Settings(home_).writeText(kBackgroundKey, Edit2.text());
    main_.setBackground(Edit2.text().isEmpty() ? app::defaultBackgroundPath(home_) : Edit2.text());
}

void Tdayinshezhi::testPrint() {
    const int width = RadioGroup1.itemIndex();
    if (width < 0 || width >= kReceiptWidths.size()) return;
    const std::optional<kit::ReportDocument> doc = buildTestReceipt(kReceiptWidths[width], Edit1.text());
    QString failure;
    if (doc && !shell().print(*doc, true, &failure))
        shell().message(QStringLiteral("小票打印测试没有完成：%1").arg(failure), kCaption, kit::Icon::Error);
}

}  // namespace points
