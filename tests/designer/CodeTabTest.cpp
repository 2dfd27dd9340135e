// The designer's code tab: the script in the syntax editor, coloured for the language chosen in
// the language box, marking the template modified, the script files, and compile errors shown in
// the editor at their place.
#include "CodeTabFixture.h"

#include "TfrxDesignerSettings.h"
#include "TfrxScriptFile.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>

namespace {

// Codes: 1 text, 3 space or comment, 4 keyword, 5 string, 6 number.
struct LanguageCase
{
    const char *language;
    const char *typed;   // one line typed into an empty script
    const char *keyword; // a word of the line coloured 4
    const char *string;  // ... 5
    const char *number;  // ... 6
    const char *comment; // ... 3
};

const LanguageCase languageCases[] = {
    {"PascalScript", "procedure P; begin S := 'ab' + 12; { note } end;", "procedure", "'ab'", "12",
     "{ note }"},
    {"C++Script", "void P() { return \"ab\" + 12; /* note */ }", "return", "\"ab\"", "12", "/* note */"},
    {"BasicScript", "sub P : S = \"ab\" + 12 ' note", "sub", "\"ab\"", "12", "' note"},
    {"JScript", "function P() { S = \"ab\" + 12; // note", "function", "\"ab\"", "12", "// note"},
};

class CodeTab : public CodeTabFixture, public ::testing::WithParamInterface<LanguageCase>
{
protected:
    QComboBox *LanguageBox() const { return form->findChild<QComboBox *>(QStringLiteral("LanguageBox")); }
    void ChooseLanguage(const QString &name)
    {
        QComboBox *box = LanguageBox();
        box->setCurrentIndex(box->findText(name));
        emit box->textActivated(name);
    }
    // The code of every character of a part of line 1, as one string of digits.
    QString CodesOf(const QString &part)
    {
        const QString line = Memo()->Lines().front();
        const qsizetype at = line.indexOf(part);
        EXPECT_GE(at, 0) << part.toStdString();
        const QByteArray codes = Memo()->Codes(1).mid(at, part.size());
        QString digits;
        for (char code : codes)
            digits.append(QChar(u'0' + code));
        return digits;
    }
};

class CodeTabLanguages : public CodeTab
{
};

TEST_P(CodeTabLanguages, TypedScriptIsColouredForTheChosenLanguage)
{
    const LanguageCase &c = GetParam();
    Open();
    SetScript({QString()});
    ChooseLanguage(QLatin1String(c.language));
    EXPECT_EQ(report->ScriptLanguage(), QLatin1String(c.language));
    EXPECT_TRUE(form->Modified());
    QTest::keyClicks(Memo(), QLatin1String(c.typed));
    ASSERT_EQ(Memo()->Lines().front(), QLatin1String(c.typed));
    auto all = [](char digit, qsizetype count) { return QString(count, QChar(u'0' + digit - '0')); };
    EXPECT_EQ(CodesOf(QLatin1String(c.keyword)), all('4', qstrlen(c.keyword)));
    EXPECT_EQ(CodesOf(QLatin1String(c.string)), all('5', qstrlen(c.string)));
    EXPECT_EQ(CodesOf(QLatin1String(c.number)), all('6', qstrlen(c.number)));
    EXPECT_EQ(CodesOf(QLatin1String(c.comment)), all('3', qstrlen(c.comment)));
}

INSTANTIATE_TEST_SUITE_P(, CodeTabLanguages, ::testing::ValuesIn(languageCases),
                         [](const ::testing::TestParamInfo<LanguageCase> &c) {
                             return QString::fromLatin1(c.param.language).remove(u'+').toStdString();
                         });

TEST_F(CodeTab, ShowsTheReportsScriptAndEditsMarkItModified)
{
    report->SetScriptLanguage(QStringLiteral("C++Script"));
    report->SetScriptText({QStringLiteral("{"), QStringLiteral("}")});
    Open();
    ShowCode();
    EXPECT_EQ(Memo()->Lines(), QStringList({QStringLiteral("{"), QStringLiteral("}")}));
    EXPECT_EQ(Memo()->Syntax(), u"C++Script");
    EXPECT_EQ(LanguageBox()->currentText(), u"C++Script");
    EXPECT_FALSE(form->Modified());
    QTest::keyClicks(Memo(), QStringLiteral("x"));
    EXPECT_TRUE(form->Modified());
    EXPECT_TRUE(form->Action(cmSave)->isEnabled());
    // Leaving the tab makes the edit one undo step of the report.
    form->ReloadPages(-2);
    EXPECT_EQ(report->ScriptText().front(), u"x{");
}

TEST_F(CodeTab, TakesTheScriptFontFromTheSettings)
{
    Open();
    TfrxDesignerSettings settings = form->Settings();
    settings.ScriptFontName = QStringLiteral("DejaVu Sans Mono");
    settings.ScriptFontSize = 14;
    form->ApplySettings(settings);
    EXPECT_EQ(Memo()->font().family(), u"DejaVu Sans Mono");
    EXPECT_EQ(Memo()->font().pointSize(), 14);
}

TEST_F(CodeTab, ShowScriptPutsTheCaretThere)
{
    Open();
    Memo()->SetLines({QStringLiteral("begin"), QStringLiteral("  x := 1;"), QStringLiteral("end.")});
    form->ShowScript(2, 3);
    EXPECT_EQ(form->CurrentTab(), 0);
    EXPECT_EQ(Memo()->Pos(), QPoint(3, 2));
}

TEST_F(CodeTab, ScriptWithSyntaxErrorShowsItAtItsPlaceAndRunsNothing)
{
    report->SetScriptText({QStringLiteral("begin"), QStringLiteral("  x := ;"), QStringLiteral("end.")});
    Open();
    form->ReloadPages(-2);
    form->Action(cmPreview)->trigger();
    EXPECT_EQ(form->CurrentTab(), 0);
    EXPECT_EQ(Memo()->Pos().y(), 2);
    EXPECT_TRUE(QApplication::topLevelWidgets().contains(form));
    const auto *message = Memo()->findChild<QLabel *>();
    ASSERT_NE(message, nullptr);
    EXPECT_TRUE(message->isVisible());
    EXPECT_FALSE(message->text().isEmpty());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// Files: UTF-8 with and without a byte-order mark, and the Russian code page of old files.
TEST_F(CodeTab, OpensScriptFilesInEveryEncodingAndSavesUtf8)
{
    const QString text = QStringLiteral("// Привет\nbegin\nend.\n");
    const std::pair<const char *, QByteArray> files[] = {
        {"plain.pas", text.toUtf8()},
        {"bom.pas", QByteArray("\xEF\xBB\xBF") + text.toUtf8()},
        {"old.pas", QByteArray("// \xCF\xF0\xE8\xE2\xE5\xF2\r\nbegin\r\nend.\r\n")},
    };
    Open();
    ShowCode();
    for (const auto &[name, bytes] : files) {
        const QString path = folder.filePath(QLatin1String(name));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        dialogs.fileNames = {path};
        form->Action(cmOpenScript)->trigger();
        EXPECT_EQ(Memo()->Lines(),
                  QStringList({QStringLiteral("// Привет"), QStringLiteral("begin"), QStringLiteral("end.")}))
            << name;
    }
    EXPECT_TRUE(form->Modified());
    const QString saved = folder.filePath(QStringLiteral("saved.pas"));
    dialogs.fileNames = {saved};
    form->Action(cmSaveScript)->trigger();
    QFile file(saved);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), text.toUtf8());
}

} // namespace
