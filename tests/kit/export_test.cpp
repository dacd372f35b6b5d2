// Grid export: the five file writers read back, big workbooks, the
// extension rule and the export button's flow.

#include "db/dm1.h"
#include "db/schema.h"
#include "fake_shell.h"
#include "kit/datagrid.h"
#include "kit/form.h"
#include "kit/gridexport.h"
#include "temp_home.h"

#include <freexl.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <stdexcept>

using namespace kit;
using testing_support::FakeShell;
using testing_support::TempHome;

namespace {

using Rows = std::vector<QStringList>;

// A table over rows held by the test.
ExportTable tableOf(const QStringList& titles, const Rows& rows) {
    return ExportTable{titles, qsizetype(rows.size()), [&rows](qsizetype r, int c) { return rows[size_t(r)][c]; }};
}

// Chinese text, a comma, quotes, line breaks, markup characters, a
// character outside the BMP and an empty cell.
const QStringList kTitles = {QStringLiteral("卡号"), QStringLiteral("姓名"), QStringLiteral("备注")};
const Rows kRows = {
    {QStringLiteral("A001"), QStringLiteral("张三"), QStringLiteral("逗号,在此")},
    {QStringLiteral("A002"), QStringLiteral("李\"四\""), QStringLiteral("第一行\n第二行")},
    {QStringLiteral("A003"), QStringLiteral("𠀀王 <b>&</b>"), QString()},
    {QStringLiteral("A004"), QStringLiteral("{a\\b}"), QStringLiteral("tab\there")},
};

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// --- readers for the written files ---------------------------------------------

Rows parseHtml(const QString& html) {
    Rows rows;
    static const QRegularExpression rowRe(QStringLiteral("<tr>(.*?)</tr>"));
    static const QRegularExpression cellRe(QStringLiteral("<t[hd]>(.*?)</t[hd]>"));
    for (auto r = rowRe.globalMatch(html); r.hasNext();) {
        QStringList cells;
        const QString row = r.next().captured(1);
        for (auto c = cellRe.globalMatch(row); c.hasNext();) {
            QString t = c.next().captured(1);
            t.replace(QStringLiteral("<br>"), QStringLiteral("\n"));
            t.replace(QStringLiteral("&lt;"), QStringLiteral("<")).replace(QStringLiteral("&gt;"), QStringLiteral(">"));
            t.replace(QStringLiteral("&quot;"), QStringLiteral("\"")).replace(QStringLiteral("&amp;"), QStringLiteral("&"));
            cells << t;
        }
        rows.push_back(cells);
    }
    return rows;
}

// Reads the cells of RTF table rows: \uN? escapes, escaped \ { }, \line and
// \tab; the text of a cell starts at \intbl and ends at \cell.
Rows parseRtf(const QByteArray& rtf) {
    Rows rows;
    QStringList cells;
    QString text;
    for (qsizetype i = 0; i < rtf.size();) {
        const char ch = rtf[i];
        if (ch == '\\' && i + 1 < rtf.size() && !QChar::isLetter(uchar(rtf[i + 1]))) {
            text += QChar(uchar(rtf[i + 1]));
            i += 2;
        } else if (ch == '\\') {
            qsizetype j = i + 1;
            while (j < rtf.size() && QChar::isLetter(uchar(rtf[j]))) ++j;
            const QByteArray word = rtf.mid(i + 1, j - i - 1);
            qsizetype k = j;
            if (k < rtf.size() && rtf[k] == '-') ++k;
            while (k < rtf.size() && QChar::isDigit(uchar(rtf[k]))) ++k;
            const int param = rtf.mid(j, k - j).toInt();
            if (k < rtf.size() && rtf[k] == ' ') ++k;
            if (word == "u") {
                text += QChar(char16_t(param < 0 ? param + 65536 : param));
                ++k;   // the replacement character
            } else if (word == "intbl") text.clear();
            else if (word == "line") text += QLatin1Char('\n');
            else if (word == "tab") text += QLatin1Char('\t');
            else if (word == "cell") cells << std::exchange(text, QString());
            else if (word == "row") rows.push_back(std::exchange(cells, QStringList()));
            i = k;
        } else {
            if (ch != '{' && ch != '}' && ch != '\r' && ch != '\n') text += QLatin1Char(ch);
            ++i;
        }
    }
    return rows;
}

// A workbook opened with FreeXL.
class XlsReader {
public:
    explicit XlsReader(const QString& path) {
        const int opened = freexl_open(QFile::encodeName(path).constData(), &h_);
        EXPECT_EQ(opened, FREEXL_OK) << "freexl_open " << opened;
        EXPECT_NE(h_, nullptr) << "FreeXL refused the file";
    }
    ~XlsReader() { freexl_close(h_); }
    bool ok() const { return h_ != nullptr; }
    unsigned info(unsigned short what) const {
        unsigned value = 0;
        EXPECT_EQ(freexl_get_info(h_, what, &value), FREEXL_OK);
        return value;
    }
    QString sheetName(unsigned s) const {
        const char* name = nullptr;
        EXPECT_EQ(freexl_get_worksheet_name(h_, s, &name), FREEXL_OK);
        return QString::fromUtf8(name);
    }
    // Selects a worksheet; its row and column counts.
    std::pair<unsigned, unsigned> select(unsigned s) const {
        EXPECT_EQ(freexl_select_active_worksheet(h_, s), FREEXL_OK);
        unsigned rows = 0;
        unsigned short cols = 0;
        EXPECT_EQ(freexl_worksheet_dimensions(h_, &rows, &cols), FREEXL_OK);
        return {rows, cols};
    }
    // A text cell's text; an empty cell reads as "".
    QString text(unsigned r, unsigned c) const {
        FreeXL_CellValue v;
        EXPECT_EQ(freexl_get_cell_value(h_, r, (unsigned short)c, &v), FREEXL_OK);
        if (v.type == FREEXL_CELL_SST_TEXT || v.type == FREEXL_CELL_TEXT) return QString::fromUtf8(v.value.text_value);
        EXPECT_EQ(v.type, FREEXL_CELL_NULL) << "row " << r << " col " << c;
        return QString();
    }

private:
    const void* h_ = nullptr;
};

// A workbook's worksheets with their names and every cell.
struct Sheet {
    QString name;
    Rows rows;
};

std::vector<Sheet> readXls(const QString& path, unsigned* fatEntries = nullptr) {
    XlsReader xls(path);
    std::vector<Sheet> sheets;
    if (!xls.ok()) return sheets;
    EXPECT_EQ(xls.info(FREEXL_BIFF_VERSION), unsigned(FREEXL_BIFF_VER_8));
    EXPECT_EQ(xls.info(FREEXL_BIFF_CODEPAGE), unsigned(FREEXL_BIFF_UTF16LE));
    if (fatEntries) *fatEntries = xls.info(FREEXL_CFBF_FAT_COUNT);
    for (unsigned s = 0, n = xls.info(FREEXL_BIFF_SHEET_COUNT); s < n; ++s) {
        Sheet sheet{xls.sheetName(s), {}};
        const auto [rows, cols] = xls.select(s);
        for (unsigned r = 0; r < rows; ++r) {
            QStringList cells;
            for (unsigned c = 0; c < cols; ++c) cells << xls.text(r, c);
            sheet.rows.push_back(cells);
        }
        sheets.push_back(std::move(sheet));
    }
    return sheets;
}

Rows withTitles(const QStringList& titles, const Rows& rows) {
    Rows out{titles};
    out.insert(out.end(), rows.begin(), rows.end());
    return out;
}

struct ExportFiles : ::testing::Test {
    TempHome dir;
    QString path(const QString& name) const { return dir.file(name); }
};

}  // namespace

// --- the writers ------------------------------------------------------------------

TEST_F(ExportFiles, TextIsTabSeparatedUtf8WithOneLinePerRow) {
    const Rows rows = {kRows[1], kRows[3]};
    writeTextFile(tableOf(kTitles, rows), path("t.txt"));
    EXPECT_EQ(readAll(path("t.txt")), QStringLiteral("\uFEFF卡号\t姓名\t备注\r\n"
                                                     "A002\t李\"四\"\t第一行 第二行\r\n"
                                                     "A004\t{a\\b}\ttab here\r\n")
                                          .toUtf8());
}

TEST_F(ExportFiles, CsvQuotesOnlyTheFieldsThatNeedIt) {
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("plain 中文"), QStringLiteral("plain 中文")},
        {QStringLiteral("a,b"), QStringLiteral("\"a,b\"")},
        {QStringLiteral("say \"hi\""), QStringLiteral("\"say \"\"hi\"\"\"")},
        {QStringLiteral("two\nlines"), QStringLiteral("\"two\nlines\"")},
        {QStringLiteral("two\r\nlines"), QStringLiteral("\"two\r\nlines\"")},
        {QString(), QString()},
    };
    for (const auto& [field, written] : cases) {
        const Rows rows = {{field, QStringLiteral("x")}};
        writeCsvFile(tableOf({QStringLiteral("标题,一"), QStringLiteral("二")}, rows), path("c.csv"));
        EXPECT_EQ(readAll(path("c.csv")),
                  (QStringLiteral("\uFEFF\"标题,一\",二\r\n") + written + QStringLiteral(",x\r\n")).toUtf8())
            << field.toStdString();
    }
}

TEST_F(ExportFiles, HtmlTableReadsBack) {
    writeHtmlFile(tableOf(kTitles, kRows), path("会员.htm"));
    const QString html = QString::fromUtf8(readAll(path("会员.htm")));
    EXPECT_TRUE(html.contains(QStringLiteral("charset=utf-8")));
    EXPECT_TRUE(html.contains(QStringLiteral("<title>会员</title>")));
    EXPECT_TRUE(html.contains(QStringLiteral("<th>卡号</th>")));
    EXPECT_EQ(parseHtml(html), withTitles(kTitles, kRows));
}

TEST_F(ExportFiles, RtfIsAsciiWithUnicodeEscapesAndReadsBack) {
    writeRtfFile(tableOf(kTitles, kRows), path("r.rtf"));
    const QByteArray rtf = readAll(path("r.rtf"));
    EXPECT_TRUE(rtf.startsWith("{\\rtf1"));
    EXPECT_TRUE(rtf.trimmed().endsWith('}'));
    EXPECT_TRUE(std::all_of(rtf.begin(), rtf.end(), [](char c) { return uchar(c) < 0x80; }));
    EXPECT_TRUE(rtf.contains("\\u24352?\\u19977?")) << "张三";
    EXPECT_TRUE(rtf.contains("\\u-10176?\\u-9216?")) << "U+20000 as a surrogate pair of negative escapes";
    EXPECT_TRUE(rtf.contains("\\{a\\\\b\\}"));
    Rows expected = withTitles(kTitles, kRows);
    EXPECT_EQ(parseRtf(rtf), expected);
}

TEST_F(ExportFiles, WorkbookReadsBackCellByCell) {
    writeXlsFile(tableOf(kTitles, kRows), path("w.xls"));
    const auto sheets = readXls(path("w.xls"));
    ASSERT_EQ(sheets.size(), 1u);
    EXPECT_EQ(sheets[0].name, "Sheet1");
    EXPECT_EQ(sheets[0].rows, withTitles(kTitles, kRows));

    writeXlsFile(tableOf(kTitles, {}), path("empty.xls"));
    const auto empty = readXls(path("empty.xls"));
    ASSERT_EQ(empty.size(), 1u);
    EXPECT_EQ(empty[0].rows, Rows{kTitles}) << "no rows: the title row alone";
}

TEST_F(ExportFiles, WorkbookContinuesOnFurtherSheetsWithoutLosingARow) {
    const qsizetype n = 70000;
    auto card = [](qsizetype r) { return QStringLiteral("K%1").arg(r, 6, 10, QLatin1Char('0')); };
    auto name = [](qsizetype r) { return QStringLiteral("会员%1号").arg(r); };
    const ExportTable table{{QStringLiteral("卡号"), QStringLiteral("姓名"), QStringLiteral("等级")}, n,
                            [&](qsizetype r, int c) {
                                return c == 0 ? card(r) : c == 1 ? name(r) : QStringLiteral("金卡%1").arg(r % 3);
                            }};
    writeXlsFile(table, path("big.xls"));
    const auto sheets = readXls(path("big.xls"));
    ASSERT_EQ(sheets.size(), 2u);
    EXPECT_EQ(sheets[1].name, "Sheet2");
    ASSERT_EQ(sheets[0].rows.size(), 65536u);
    ASSERT_EQ(sheets[1].rows.size(), size_t(1 + n - 65535));
    qsizetype next = 0;
    for (const Sheet& s : sheets) {
        EXPECT_EQ(s.rows.front(), table.titles) << "each sheet starts with the title row";
        for (size_t r = 1; r < s.rows.size(); ++r, ++next)
            ASSERT_EQ(s.rows[r][0], card(next)) << s.name.toStdString() << " row " << r;
    }
    EXPECT_EQ(next, n);
    EXPECT_EQ(sheets[0].rows[1], QStringList({card(0), name(0), QStringLiteral("金卡0")}));
    EXPECT_EQ(sheets[0].rows.back(), QStringList({card(65534), name(65534), QStringLiteral("金卡2")}));
    EXPECT_EQ(sheets[1].rows[1], QStringList({card(65535), name(65535), QStringLiteral("金卡0")}));
    EXPECT_EQ(sheets[1].rows.back(), QStringList({card(n - 1), name(n - 1), QStringLiteral("金卡0")}));
}

TEST_F(ExportFiles, WorkbookSheetSplitsAtExactlyTheRowLimit) {
    const std::pair<qsizetype, std::vector<size_t>> cases[] = {{65535, {65536}}, {65536, {65536, 2}}};
    for (const auto& [rows, sheetRows] : cases) {
        const ExportTable table{{QStringLiteral("n")}, rows, [](qsizetype r, int) { return QString::number(r); }};
        writeXlsFile(table, path("edge.xls"));
        const auto sheets = readXls(path("edge.xls"));
        ASSERT_EQ(sheets.size(), sheetRows.size()) << rows;
        for (size_t s = 0; s < sheets.size(); ++s) EXPECT_EQ(sheets[s].rows.size(), sheetRows[s]) << rows;
        EXPECT_EQ(sheets.back().rows.back(), QStringList{QString::number(rows - 1)});
    }
}

// Some 20 MB of long texts: strings continued in the next record at every
// offset, in 8-bit and 16-bit form, and more FAT sectors than the header's
// 109 entries can list.
TEST_F(ExportFiles, WorkbookOfLongTextsNeedsContinuedStringsAndDifat) {
    const qsizetype n = 3000;
    auto text = [](qsizetype r) {
        const QString unit = r % 2 ? QStringLiteral("会员资料") : QStringLiteral("member;");
        return QString::number(r) + unit.repeated(1000).left(3000 + r % 997);
    };
    const ExportTable table{{QStringLiteral("资料")}, n, [&](qsizetype r, int) { return text(r); }};
    writeXlsFile(table, path("long.xls"));
    unsigned fatEntries = 0;
    const auto sheets = readXls(path("long.xls"), &fatEntries);
    EXPECT_GT(fatEntries, 109u * 128u);
    ASSERT_EQ(sheets.size(), 1u);
    ASSERT_EQ(sheets[0].rows.size(), size_t(n + 1));
    for (qsizetype r = 0; r < n; ++r) ASSERT_EQ(sheets[0].rows[r + 1][0], text(r)) << "row " << r;
}

// Beyond 1,048,576 distinct texts (more than FreeXL takes in the shared
// string table) the further texts are written in their cells.
TEST_F(ExportFiles, WorkbookOfMoreDistinctTextsThanTheSharedTableTakes) {
    const qsizetype n = 1100000;
    auto text = [](qsizetype r) { return QStringLiteral("会员%1").arg(r); };
    writeXlsFile(ExportTable{{QStringLiteral("姓名")}, n, [&](qsizetype r, int) { return text(r); }}, path("many.xls"));
    XlsReader xls(path("many.xls"));
    ASSERT_TRUE(xls.ok());
    const unsigned sheets = xls.info(FREEXL_BIFF_SHEET_COUNT);
    ASSERT_EQ(sheets, 17u);
    qsizetype next = 0;
    for (unsigned s = 0; s < sheets; ++s) {
        const auto [rows, cols] = xls.select(s);
        ASSERT_EQ(cols, 1u);
        ASSERT_EQ(xls.text(0, 0), "姓名");
        for (unsigned r = 1; r < rows; ++r, ++next) ASSERT_EQ(xls.text(r, 0), text(next)) << "sheet " << s << " row " << r;
    }
    EXPECT_EQ(next, n);
}

TEST_F(ExportFiles, FailureLeavesTheTargetAsItWas) {
    using Writer = void (*)(const ExportTable&, const QString&);
    const Writer writers[] = {writeTextFile, writeCsvFile, writeHtmlFile, writeRtfFile, writeXlsFile};
    const ExportTable failing{kTitles, 10, [](qsizetype r, int) -> QString {
                                  if (r == 5) throw std::runtime_error("read error");
                                  return QStringLiteral("行");
                              }};
    for (Writer write : writers) {
        QFile old(path("out"));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old");
        old.close();
        EXPECT_THROW(write(failing, path("out")), std::runtime_error);
        EXPECT_EQ(readAll(path("out")), "old");
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"out"}) << "no temporary file left";
    }
}

TEST_F(ExportFiles, UnwritablePlaceIsReportedWithTheReason) {
    const QString target = path("无此目录/会员.csv");
    try {
        writeExportFile(ExportFormat::Csv, tableOf(kTitles, kRows), target);
        FAIL() << "no error";
    } catch (const ExportError& e) {
        EXPECT_EQ(e.path(), target);
        EXPECT_FALSE(e.reason().isEmpty());
    }
    EXPECT_FALSE(QFile::exists(target));
}

// --- the extension rule --------------------------------------------------------------

TEST(ExportExtension, AddedWhenTheLastThreeCharactersDiffer) {
    const struct {
        const char* name;
        int type;
        const char* result;
    } cases[] = {
        {"会员档案", 4, "会员档案.xls"},
        {"会员档案.XLS", 4, "会员档案.XLS"},
        {"list.Txt", 0, "list.Txt"},
        {"list.xls", 0, "list.xls.txt"},
        {"list", 1, "list.csv"},
        {"page.html", 2, "page.html.htm"},   // only the last three characters count
        {"page.htm", 2, "page.htm"},
        {"notes", 3, "notes.rtf"},
        {"datacsv", 1, "datacsv"},           // no dot needed
        {"/tmp/a.b/c", 4, "/tmp/a.b/c.xls"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(withExportExtension(QString::fromUtf8(c.name), c.type), QString::fromUtf8(c.result))
            << c.name << " type " << c.type;
}

// --- the export button ---------------------------------------------------------------

namespace {

struct GridExport : ::testing::Test {
    TempHome home, out;
    FakeShell shell;
    db::TDM1 dm;
    struct ListForm : Form {
        ListForm(Shell& s, db::Query& q) : Form(s, "Tlist", "列表", Kind::Child), grid(*this, "DBGridEh1", q) {
            grid.setColumns({{"会员卡号", "卡号"}, {"会员姓名"}, {"积分"}});
        }
        DataGrid grid;
    };
    std::unique_ptr<ListForm> form;

    void SetUp() override {
        db::createInstallationIfMissing(home.path());
        dm.openDatabase(home.path());
        const std::tuple<const char*, const char*, double> rows[] = {
            {"A001", "张三", 20}, {"A002", "李,四", 5}, {"A003", "王\"五\"", 12.5}};
        for (const auto& [card, name, points] : rows)
            dm.ADOConnection1.exec("insert into 会员卡信息 (会员卡号, 会员姓名, 积分) values (?, ?, ?)",
                                   {card, name, points});
        form = std::make_unique<ListForm>(shell, dm.ADOQuery5);
        dm.ADOQuery5.openWith("select * from 会员卡信息 order by 会员卡号");
    }
    QStringList outFiles() const { return QDir(out.path()).entryList(QDir::Files); }
};

}  // namespace

TEST_F(GridExport, DialogOffersTheFiveTypesAndCancelWritesNothing) {
    shell.fileChoices = {std::nullopt};
    exportGrid(shell, form->grid, QStringLiteral("会员资料"));
    ASSERT_EQ(shell.fileDialogs.size(), 1u);
    const FileDialog& d = shell.fileDialogs[0];
    EXPECT_EQ(d.defaultName, "会员资料");
    QStringList filters;
    for (const FileFilter& f : d.filters) filters << f.name + " " + f.pattern;
    EXPECT_EQ(filters, QStringList({"文本 *.TXT", "CSV *.CSV", "HTLM *.HTM", "RTF *.RTF", "XLS *.XLS"}));
    EXPECT_EQ(d.selectedFilter, 4);
    EXPECT_TRUE(d.confirmOverwrite);
    EXPECT_TRUE(shell.messages.empty());
    EXPECT_TRUE(outFiles().isEmpty());
}

TEST_F(GridExport, WritesTheShownColumnsInTheGridsOrderAndAddsTheExtension) {
    form->grid.clickTitle(2);   // sorted by 积分
    shell.fileChoices = {FileChoice{out.file("会员"), 1}};
    exportGrid(shell, form->grid, QStringLiteral("会员资料"));
    EXPECT_EQ(readAll(out.file("会员.csv")), QStringLiteral("\uFEFF卡号,会员姓名,积分\r\n"
                                                           "A002,\"李,四\",5\r\n"
                                                           "A003,\"王\"\"五\"\"\",12.5\r\n"
                                                           "A001,张三,20\r\n")
                                                .toUtf8());
    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_EQ(shell.messages[0].text, "导出数据成功！");
    EXPECT_EQ(shell.messages[0].caption, "提示");
    EXPECT_EQ(shell.messages[0].icon, Icon::Information);
}

TEST_F(GridExport, WorkbookOfTheGridWithTheScreensOwnMessage) {
    shell.fileChoices = {FileChoice{out.file("list.XLS"), 4}};
    exportGrid(shell, form->grid, QStringLiteral("会员资料"), QStringLiteral("导出成功"), QStringLiteral("系统提示"));
    EXPECT_EQ(outFiles(), QStringList{"list.XLS"});
    const auto sheets = readXls(out.file("list.XLS"));
    ASSERT_EQ(sheets.size(), 1u);
    EXPECT_EQ(sheets[0].rows, Rows({{"卡号", "会员姓名", "积分"},
                                    {"A001", "张三", "20"},
                                    {"A002", "李,四", "5"},
                                    {"A003", "王\"五\"", "12.5"}}));
    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_EQ(shell.messages[0].text, "导出成功");
    EXPECT_EQ(shell.messages[0].caption, "系统提示");
}

TEST_F(GridExport, AFileThatCannotBeWrittenIsReported) {
    const QString target = out.file("无此目录/会员.xls");
    shell.fileChoices = {FileChoice{target, 4}};
    exportGrid(shell, form->grid, QStringLiteral("会员资料"));
    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_EQ(shell.messages[0].caption, "错误");
    EXPECT_EQ(shell.messages[0].icon, Icon::Error);
    EXPECT_TRUE(shell.messages[0].text.contains(QDir::toNativeSeparators(target)));
    EXPECT_FALSE(QFile::exists(target));
}
