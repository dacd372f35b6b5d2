#include "app/settings.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <optional>
#include <vector>

#include "temp_home.h"

using app::Settings;
using testing_support::TempHome;

namespace {

void writeFile(const QString& path, const QByteArray& data) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

enum class Kind { Text, Int, Flag };

struct ReadCase {
    const char* what;
    std::optional<QByteArray> file;  // nullopt: no settings file at all
    const char* key;
    Kind kind;
    QString def;       // for flags "1"/"0"
    QString expected;  // for flags "1"/"0"
};

QString read(const Settings& s, const ReadCase& c) {
    const QString key = QString::fromUtf8(c.key);
    switch (c.kind) {
    case Kind::Text: return s.readText(key, c.def);
    case Kind::Int: return QString::number(s.readInt(key, c.def.toInt()));
    case Kind::Flag: return s.readFlag(key, c.def == u"1") ? QStringLiteral("1") : QStringLiteral("0");
    }
    return {};
}

QByteArray section(const char* body) { return QByteArray("[程序参数]\n") + body; }

}  // namespace

TEST(SettingsRead, Cases) {
    const std::vector<ReadCase> cases = {
        {"flag 1", section("提醒=1\n"), "提醒", Kind::Flag, "0", "1"},
        {"flag 2 is true", section("提醒=2\n"), "提醒", Kind::Flag, "0", "1"},
        {"flag 0", section("提醒=0\n"), "提醒", Kind::Flag, "1", "0"},
        {"flag with blanks", section("提醒= 0 \n"), "提醒", Kind::Flag, "1", "0"},
        {"flag yes is the default", section("提醒=yes\n"), "提醒", Kind::Flag, "1", "1"},
        {"flag empty is the default", section("提醒=\n"), "提醒", Kind::Flag, "1", "1"},
        {"flag missing key", section("提醒1=0\n"), "提醒", Kind::Flag, "1", "1"},
        {"flag missing file", std::nullopt, "提醒", Kind::Flag, "1", "1"},
        {"flag missing section", QByteArray("[程序参数2]\n提醒=0\n"), "提醒", Kind::Flag, "1", "1"},
        {"same key in another section first", QByteArray("[其他]\n提醒=0\n[程序参数]\n提醒=1\n"), "提醒",
         Kind::Flag, "0", "1"},
        {"same key only in a later section", QByteArray("[程序参数]\n份数=2\n[其他]\n提醒=0\n"), "提醒",
         Kind::Flag, "1", "1"},
        {"text default", section("份数=2\n"), "店铺名称", Kind::Text, "无名", "无名"},
        {"text missing file", std::nullopt, "店铺名称", Kind::Text, "", ""},
        {"text empty value is not the default", section("店铺名称=\n"), "店铺名称", Kind::Text, "无名", ""},
        {"key trimmed, value from the first =", section("  店铺名称 = a=b \n"), "店铺名称", Kind::Text, "",
         " a=b "},
        {"BOM and CRLF", QByteArray("\xEF\xBB\xBF[程序参数]\r\n店铺名称=小店\r\n"), "店铺名称", Kind::Text, "",
         "小店"},
        {"plain value with backslashes is literal", section("背景=C:\\new\\001.jpg\n"), "背景", Kind::Text, "",
         "C:\\new\\001.jpg"},
        {"last line without line break", section("店铺名称=小店"), "店铺名称", Kind::Text, "", "小店"},
        {"int", section("警戒=25\n"), "警戒", Kind::Int, "10", "25"},
        {"int negative with blanks", section("警戒= -3 \n"), "警戒", Kind::Int, "10", "-3"},
        {"int not a number", section("警戒=12abc\n"), "警戒", Kind::Int, "10", "10"},
        {"int empty", section("警戒=\n"), "警戒", Kind::Int, "10", "10"},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.what);
        TempHome home;
        Settings settings(home.path());
        if (c.file)
            writeFile(settings.path(), *c.file);
        EXPECT_EQ(read(settings, c).toStdString(), c.expected.toStdString());
    }
}

TEST(SettingsWrite, AwkwardValuesComeBackAsSaved) {
    const std::vector<QString> values = {
        QStringLiteral("第一行\n第二行"),
        QStringLiteral("欢迎光临\r\n谢谢惠顾\r\n"),
        QStringLiteral("\n"),
        QStringLiteral("C:\\dir\\new"),
        QStringLiteral("ends in a backslash\\"),
        QStringLiteral("literal \\n and \\r\nthen a break"),
        QStringLiteral("  blanks around  "),
        QStringLiteral("a=b=c"),
        QStringLiteral("\"quoted\""),
        QStringLiteral("\""),
        QStringLiteral("\"\\\""),
        QStringLiteral("[程序参数]"),
        QStringLiteral(""),
    };
    TempHome home;
    Settings settings(home.path());
    for (int i = 0; i < int(values.size()); ++i)
        ASSERT_TRUE(settings.writeText(QStringLiteral("键%1").arg(i), values[i]));
    for (int i = 0; i < int(values.size()); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(settings.readText(QStringLiteral("键%1").arg(i), QStringLiteral("default")), values[i]);
    }
    // One line per key: no value broke out of its line.
    EXPECT_EQ(readFile(settings.path()).count('\n'), qsizetype(values.size()) + 1);
}

TEST(SettingsWrite, PlainValuesStayReadableAndReplaceTheOldOne) {
    TempHome home;
    Settings settings(home.path());
    ASSERT_TRUE(settings.writeText(QStringLiteral("背景"), QStringLiteral("old")));
    ASSERT_TRUE(settings.writeText(QStringLiteral("背景"), QStringLiteral("C:\\图片\\001.jpg")));
    ASSERT_TRUE(settings.writeFlag(QStringLiteral("提醒"), false));
    ASSERT_TRUE(settings.writeInt(QStringLiteral("警戒"), 7));
    EXPECT_EQ(readFile(settings.path()), QByteArray("[程序参数]\n背景=C:\\图片\\001.jpg\n提醒=0\n警戒=7\n"));
    EXPECT_FALSE(settings.readFlag(QStringLiteral("提醒"), true));
    EXPECT_EQ(settings.readInt(QStringLiteral("警戒"), 10), 7);
}

TEST(SettingsWrite, KeepsOtherKeysAndSectionsUntouched) {
    struct Case {
        const char* what;
        QByteArray before;
        QByteArray after;
    };
    const std::vector<Case> cases = {
        {"LF",
         QByteArray("; note\n[其他]\n提醒=9\n\xb5\xea=1\n\n[程序参数]\n份数=2\n提醒=0\n\n[末尾]\nx=1"),
         QByteArray("; note\n[其他]\n提醒=9\n\xb5\xea=1\n\n[程序参数]\n份数=2\n提醒=1\n宽度=76\n\n[末尾]\nx=1\n")},
        {"BOM and CRLF", QByteArray("\xEF\xBB\xBF[程序参数]\r\n提醒=0\r\n[其他]\r\n宽度=9\r\n"),
         QByteArray("\xEF\xBB\xBF[程序参数]\r\n提醒=1\r\n宽度=76\r\n[其他]\r\n宽度=9\r\n")},
        {"section missing", QByteArray("[其他]\n提醒=0\n"), QByteArray("[其他]\n提醒=0\n[程序参数]\n提醒=1\n宽度=76\n")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempHome home;
        Settings settings(home.path());
        writeFile(settings.path(), c.before);
        ASSERT_TRUE(settings.writeFlag(QStringLiteral("提醒"), true));
        ASSERT_TRUE(settings.writeText(QStringLiteral("宽度"), QStringLiteral("76")));
        EXPECT_EQ(readFile(settings.path()).toStdString(), c.after.toStdString());
    }
}

TEST(SettingsWrite, FailsWhenTheFolderIsMissing) {
    TempHome home;
    const QString missing = home.file(QStringLiteral("missing"));
    Settings settings(missing);
    EXPECT_FALSE(settings.writeText(QStringLiteral("店铺名称"), QStringLiteral("小店")));
    EXPECT_FALSE(QDir(missing).exists());
    EXPECT_EQ(settings.readText(QStringLiteral("店铺名称"), QStringLiteral("无")), QStringLiteral("无"));
}
