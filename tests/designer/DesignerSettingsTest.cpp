// The designer's settings in the settings store: what is written, what a first start or an
// unusable store gives, and what values from another machine or a damaged file become.
#include "TfrxDesignerSettings.h"

#include "TfrxReport.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

class DesignerSettingsTest : public ::testing::Test
{
protected:
    QString path() const { return folder.filePath(QStringLiteral("designer%1.ini").arg(generation)); }

    // A new file each time: QSettings keeps what it read of a file until its time or size changes.
    void writeFile(const QByteArray &text)
    {
        ++generation;
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
    }

    QByteArray fileText() const
    {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    TfrxDesignerSettings read(bool *usedDefaults = nullptr) const
    {
        QSettings store(path(), QSettings::IniFormat);
        return TfrxDesignerSettings::Read(store, usedDefaults);
    }

    void write(const TfrxDesignerSettings &settings) const
    {
        QSettings store(path(), QSettings::IniFormat);
        settings.Write(store);
    }

    QTemporaryDir folder;
    int generation = 0;
};

// Every value away from its default, so that a value written or read under the wrong key shows.
TfrxDesignerSettings changedSettings()
{
    TfrxDesignerSettings s;
    s.Scale = 1.5;
    s.ShowGrid = false;
    s.GridAlign = false;
    s.ShowRulers = false;
    s.ShowGuides = false;
    s.Grid1 = 0.25;
    s.Grid2 = 0.125;
    s.Grid3 = 8;
    s.Grid4 = 2.5;
    s.Units = duInches;
    s.ScriptFontName = QStringLiteral("DejaVu Sans Mono");
    s.ScriptFontSize = 12;
    s.MemoFontName = QStringLiteral("Liberation Serif");
    s.MemoFontSize = 14;
    s.UseObjectFont = false;
    s.WorkspaceColor = QColor(0x11, 0x22, 0x33);
    s.ToolsColor = QColor(0xFF, 0xFF, 0xFF);
    s.GridLCD = true;
    s.EditAfterInsert = true;
    s.RecentFiles = {QStringLiteral("/home/школа/шаблон, копия.ze3"), QStringLiteral("/tmp/shablon.ze3")};
    s.FreeBands = true;
    s.BandsGap = 0;
    s.ShowBandCaptions = false;
    s.DropFields = false;
    s.ShowStartup = false;
    s.WatchList = {QStringLiteral("Memo1.Text"), QStringLiteral("Copy(Name, 1, 3)")};
    s.InspectorSplitPos = 90;
    s.InspectorSplit1Pos = 40;
    s.WindowGeometry = QByteArray("\x01\xD9\xD0\xCB\x00\x03", 6);
    s.WindowState = QByteArray("\x00\x00\x00\xFF", 4);
    s.Maximized = false;
    return s;
}

TEST_F(DesignerSettingsTest, WhatIsWrittenReadsBackTheSame)
{
    const TfrxDesignerSettings written = changedSettings();
    write(written);
    bool usedDefaults = true;
    EXPECT_EQ(read(&usedDefaults), written);
    EXPECT_FALSE(usedDefaults);
}

TEST_F(DesignerSettingsTest, StoreKeepsTheSectionsNumbersAndColoursOfItsFormat)
{
    TfrxDesignerSettings s = changedSettings();
    s.LocalizedOI = true;
    write(s);
    const QString text = QString::fromUtf8(fileText());
    for (const char *line :
         {"[Form5.TfrxDesignerForm]", "[Form5.TfrxObjectInspector]", "[Dock5.TfrxDesignerForm]",
          // Floats with a point under the Russian locale, so any machine reads them.
          "Grid1=0.25", "Scale=1.5", "Units=1",
          // 0x00BBGGRR: blue 0x33, green 0x22, red 0x11.
          "WorkspaceColor=3351057", "ToolsColor=16777215", "SplitPos=90", "Split1Pos=40", "LocalizedOI=true"})
        EXPECT_TRUE(text.contains(QLatin1String(line))) << line << "\n" << text.toStdString();
    EXPECT_FALSE(read().LocalizedOI) << "LocalizedOI is written only";
}

// The designer keeps its settings in the report's store; an INI file in a folder not made yet
// gets its folder.
TEST_F(DesignerSettingsTest, ReportsStoreKeepsTheSettings)
{
    TfrxReport report;
    report.SetIniFile(folder.filePath(QStringLiteral("новая папка/designer.ini")));
    const TfrxDesignerSettings written = changedSettings();
    written.Write(*report.GetIniFile());
    EXPECT_TRUE(QFile::exists(report.IniFile()));
    EXPECT_EQ(TfrxDesignerSettings::Read(*report.GetIniFile()), written);
}

TEST_F(DesignerSettingsTest, SystemColoursAreKeptAsTheSystemWindowColour)
{
    TfrxDesignerSettings s = changedSettings();
    s.WorkspaceColor = QColor();
    write(s);
    // The platform's code of the system window colour, 0xFF000005, as a signed number.
    EXPECT_TRUE(QString::fromUtf8(fileText()).contains(QLatin1String("WorkspaceColor=-16777211")));
    EXPECT_FALSE(read().WorkspaceColor.isValid());
}

TEST_F(DesignerSettingsTest, BuiltInLayoutWhenTheStoreCannotBeUsed)
{
    struct Case
    {
        const char *what;
        const char *text;
    };
    const Case cases[] = {
        {"no file: a first start", nullptr},
        {"no Scale", "[Form5.TfrxDesignerForm]\nShowGrid=false\n"},
        {"a workspace colour of 0", "[Form5.TfrxDesignerForm]\nScale=1.5\nWorkspaceColor=0\n"},
        {"a section header without its bracket", "[Form5.TfrxDesignerForm\nScale=1.5\n"},
    };
    for (const Case &c : cases) {
        ++generation;
        if (c.text != nullptr)
            writeFile(c.text);
        bool usedDefaults = false;
        const TfrxDesignerSettings s = read(&usedDefaults);
        EXPECT_TRUE(usedDefaults) << c.what;
        EXPECT_EQ(s, TfrxDesignerSettings::Defaults()) << c.what;
    }
    const TfrxDesignerSettings defaults = TfrxDesignerSettings::Defaults();
    EXPECT_TRUE(defaults.EditAfterInsert);
    EXPECT_TRUE(defaults.Maximized);
    EXPECT_EQ(defaults.InspectorSplitPos, 0) << "half the inspector's width";
    EXPECT_EQ(defaults.InspectorSplit1Pos, 65);
    EXPECT_TRUE(defaults.WindowState.isEmpty());
}

TEST_F(DesignerSettingsTest, MissingKeysTakeTheirReadDefaults)
{
    writeFile("[Form5.TfrxDesignerForm]\nScale=1.5\n");
    bool usedDefaults = true;
    TfrxDesignerSettings expected;
    expected.Scale = 1.5;
    EXPECT_EQ(read(&usedDefaults), expected);
    EXPECT_FALSE(usedDefaults);
    EXPECT_FALSE(expected.EditAfterInsert) << "unlike the built-in layout";
}

// One unusable or foreign value at a time, amid good ones that must survive it. Before values
// were checked, a grid step of 0 reached snapping and divided by zero.
TEST_F(DesignerSettingsTest, ValuesFromElsewhereAreCheckedOneByOne)
{
    using Field = std::function<QVariant(const TfrxDesignerSettings &)>;
    const Field grid1 = [](const auto &s) { return s.Grid1; };
    const Field grid2 = [](const auto &s) { return s.Grid2; };
    const Field grid3 = [](const auto &s) { return s.Grid3; };
    const Field grid4 = [](const auto &s) { return s.Grid4; };
    const Field scale = [](const auto &s) { return s.Scale; };
    const Field units = [](const auto &s) { return int(s.Units); };
    const Field gap = [](const auto &s) { return s.BandsGap; };
    const Field memoSize = [](const auto &s) { return s.MemoFontSize; };
    const Field scriptSize = [](const auto &s) { return s.ScriptFontSize; };
    const Field scriptFont = [](const auto &s) { return s.ScriptFontName; };
    const Field showGrid = [](const auto &s) { return s.ShowGrid; };
    const Field tools = [](const auto &s) { return s.ToolsColor; };
    const Field split = [](const auto &s) { return s.InspectorSplitPos; };
    const Field split1 = [](const auto &s) { return s.InspectorSplit1Pos; };
    const Field recent = [](const auto &s) { return s.RecentFiles; };
    const Field watch = [](const auto &s) { return s.WatchList; };
    const Field geometry = [](const auto &s) { return s.WindowGeometry; };
    struct Case
    {
        const char *line; // in the designer's section, or "[section]" and a line
        Field field;
        QVariant expected;
    };
    const QStringList twoFiles{QStringLiteral("/a/1.ze3"), QStringLiteral("/a/2.ze3")};
    const Case cases[] = {
        {"Grid1=0", grid1, 0.1},
        {"Grid1=-0.5", grid1, 0.1},
        {"Grid1=0.5", grid1, 0.5},
        // An INI file splits an unquoted decimal comma into a list.
        {"Grid1=0,25", grid1, 0.25},
        {"Grid1=\"0,25\"", grid1, 0.25},
        {"Grid1=1e-320", grid1, 0.1},
        {"Grid2=nan", grid2, 0.1},
        {"Grid2=inf", grid2, 0.1},
        {"Grid3=1e308", grid3, 4.0},
        {"Grid3=abc", grid3, 4.0},
        {"Grid4=0", grid4, 4.0},
        {"Grid4=2.5", grid4, 2.5},
        {"Scale=0", scale, 1.0},
        {"Scale=-2", scale, 1.0},
        {"Scale=1000", scale, 1.0},
        {"Scale=0,75", scale, 0.75},
        {"Units=2", units, int(duPixels)},
        {"Units=4", units, int(duCM)},
        {"Units=-1", units, int(duCM)},
        {"Units=1.5", units, int(duCM)},
        {"BandsGap=-3", gap, 4},
        {"BandsGap=0", gap, 0},
        {"BandsGap=99999999999", gap, 4},
        {"MemoFontSize=0", memoSize, 10},
        {"ScriptFontSize=100000", scriptSize, 10},
        {"ScriptFontName=", scriptFont, QStringLiteral("Courier New")},
        {"ShowGrid=maybe", showGrid, true},
        {"ShowGrid=0", showGrid, false},
        {"ShowGrid=False", showGrid, false},
        {"ToolsColor=255", tools, QColor(Qt::red)},
        {"ToolsColor=16777216", tools, QColor()},
        {"ToolsColor=-1", tools, QColor()},
        {"ToolsColor=red", tools, QColor()},
        {"[Form5.TfrxObjectInspector]\nSplitPos=-1", split, 0},
        {"[Form5.TfrxObjectInspector]\nSplit1Pos=5", split1, 65},
        {"[Form5.TfrxObjectInspector]\nSplit1Pos=120", split1, 120},
        // The older plain form, quoted whole as the older stores wrote it, and unquoted.
        {"RecentFiles=\"/a/1.ze3,/a/2.ze3\"", recent, twoFiles},
        {"RecentFiles=/a/1.ze3,/a/2.ze3", recent, twoFiles},
        {"RecentFiles=\"/a/1.ze3\",,\"/a/2.ze3\"", recent, twoFiles},
        {"WatchList=\"a\\nb, c\\r\\n\\nd\"", watch,
         QStringList{QStringLiteral("a"), QStringLiteral("b, c"), QStringLiteral("d")}},
        {"[Dock5.TfrxDesignerForm]\nGeometry=not hex", geometry, QByteArray()},
        {"[Dock5.TfrxDesignerForm]\nGeometry=01d", geometry, QByteArray()},
        {"[Dock5.TfrxDesignerForm]\nGeometry=01D9", geometry, QByteArray("\x01\xD9", 2)},
    };
    for (const Case &c : cases) {
        writeFile(QByteArray("[Form5.TfrxDesignerForm]\nScale=1.5\nShowRulers=false\nGrid3=8\n") + c.line +
                  '\n');
        const TfrxDesignerSettings s = read();
        EXPECT_EQ(c.field(s), c.expected) << c.line;
        EXPECT_FALSE(s.ShowRulers) << c.line;
        const QByteArray line(c.line);
        EXPECT_TRUE(line.startsWith("Scale=") || s.Scale == 1.5) << c.line;
        EXPECT_TRUE(line.startsWith("Grid3=") || s.Grid3 == 8) << c.line;
    }
}

TEST_F(DesignerSettingsTest, GridStepIsInReportPixels)
{
    TfrxDesignerSettings s;
    s.Grid1 = 0.5;
    s.Grid2 = 0.25;
    s.Grid3 = 6;
    EXPECT_DOUBLE_EQ(s.GridStep(duCM), 0.5 * 37.7953);
    EXPECT_DOUBLE_EQ(s.GridStep(duInches), 24);
    EXPECT_DOUBLE_EQ(s.GridStep(duPixels), 6);
    EXPECT_DOUBLE_EQ(s.GridStep(duChars), 9.6);
    EXPECT_DOUBLE_EQ(s.GridStep(duChars, true), 17);
}

} // namespace
