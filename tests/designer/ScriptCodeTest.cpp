// The script as the event editor sees it in each language: handlers found by their parameters,
// comments skipped, and new handlers placed before the main block.

#include "TfrxScriptCode.h"

#include <gtest/gtest.h>

namespace {

QStringList Lines(std::initializer_list<const char *> lines)
{
    QStringList list;
    for (const char *line : lines)
        list << QString::fromUtf8(line);
    return list;
}

struct NewHandler
{
    const char *Language;
    QStringList Script;
    QStringList Expected;
    int EmptyLine;
};

class ScriptCodeNewHandler : public ::testing::TestWithParam<NewHandler>
{
};

TEST_P(ScriptCodeNewHandler, GoesBeforeTheMainBlockOrAtTheEnd)
{
    const TfrxScriptCode code(QLatin1String(GetParam().Language));
    QStringList script = GetParam().Script;
    const int line = code.AddHandler(script, QStringLiteral("Memo1OnBeforePrint"),
                                     code.EventParams(QStringLiteral("TfrxNotifyEvent")));
    EXPECT_EQ(script, GetParam().Expected);
    EXPECT_EQ(line, GetParam().EmptyLine);
    EXPECT_EQ(code.Locate(script, QStringLiteral("memo1onbeforeprint")), line - 2);
}

INSTANTIATE_TEST_SUITE_P(
    Languages, ScriptCodeNewHandler,
    ::testing::Values(
        // The main block is found past a nested begin ... end and a procedure before it.
        NewHandler{"PascalScript",
                   Lines({"procedure A;", "begin", "end;", "", "begin", "  if True then", "  begin", "  end;",
                          "end."}),
                   Lines({"procedure A;", "begin", "end;", "",
                          "procedure Memo1OnBeforePrint(Sender: TfrxComponent);", "begin", "", "end;", "",
                          "begin", "  if True then", "  begin", "  end;", "end."}),
                   6},
        NewHandler{"C++Script", Lines({"{", "", "}"}),
                   Lines({"void Memo1OnBeforePrint(TfrxComponent Sender)", "{", "", "}", "", "{", "", "}"}),
                   2},
        NewHandler{"BasicScript", Lines({"dim x"}),
                   Lines({"dim x", "sub Memo1OnBeforePrint(Sender)", "", "", "end sub", ""}), 3},
        NewHandler{"JScript", {}, Lines({"function Memo1OnBeforePrint(Sender)", "{", "", "}", ""}), 2}),
    [](const ::testing::TestParamInfo<NewHandler> &language) {
        return QString::fromLatin1(language.param.Language).remove(QLatin1Char('+')).toStdString();
    });

TEST(ScriptCode, EmptyProgramsAreTheMainBlockAlone)
{
    EXPECT_EQ(TfrxScriptCode(QStringLiteral("PascalScript")).EmptyProgram(), Lines({"begin", "", "end."}));
    EXPECT_EQ(TfrxScriptCode(QStringLiteral("C++Script")).EmptyProgram(), Lines({"{", "", "}"}));
    EXPECT_TRUE(TfrxScriptCode(QStringLiteral("JScript")).EmptyProgram().isEmpty());
}

TEST(ScriptCode, WithoutAMainBlockNothingIsInserted)
{
    const TfrxScriptCode code(QStringLiteral("PascalScript"));
    for (QStringList script : {Lines({"procedure A;", "begin", "end;"}), Lines({"{ begin", "end. }"})}) {
        const QStringList before = script;
        EXPECT_EQ(code.AddHandler(script, QStringLiteral("B"), QStringLiteral("(Sender: TfrxComponent);")),
                  -1);
        EXPECT_EQ(script, before);
    }
}

TEST(ScriptCode, HandlersAreFoundByTheirParametersOutsideComments)
{
    const TfrxScriptCode pascal(QStringLiteral("PascalScript"));
    const QStringList script = Lines({
        "procedure First(Sender: TfrxComponent);", // fits
        "{ procedure Commented(Sender: TfrxComponent);",
        "  procedure AlsoCommented(Sender: TfrxComponent); }",
        "  PROCEDURE Indented (sender: tfrxcomponent);", // case and spaces do not matter
        "procedure Other(Sender: TfrxComponent; X: Integer);",
        "{ a one-line comment } procedure AfterComment(Sender: TfrxComponent);",
        "procedurex Wrong(Sender: TfrxComponent);",
    });
    EXPECT_EQ(pascal.HandlerNames(script, QStringLiteral("(Sender: TfrxComponent);")),
              Lines({"First", "Indented"}));
    EXPECT_EQ(pascal.Locate(script, QStringLiteral("indented")), 3);
    EXPECT_EQ(pascal.Locate(script, QStringLiteral("Commented")), -1);

    // BasicScript's identical marks switch comments on and off.
    const TfrxScriptCode basic(QStringLiteral("BasicScript"));
    const QStringList basicScript = Lines({"/\\", "sub Hidden(Sender)", "/\\", "sub Shown(Sender)"});
    EXPECT_EQ(basic.HandlerNames(basicScript, QStringLiteral("(Sender)")), Lines({"Shown"}));
}

TEST(ScriptCode, EveryEventTypeHasParametersInEveryLanguage)
{
    const char *types[] = {"TfrxNotifyEvent",       "TfrxCloseQueryEvent",     "TfrxKeyEvent",
                           "TfrxKeyPressEvent",     "TfrxMouseEvent",          "TfrxMouseMoveEvent",
                           "TfrxPreviewClickEvent", "TfrxMouseEnterViewEvent", "TfrxMouseLeaveViewEvent",
                           "TfrxRunDialogsEvent"};
    for (const char *language : {"PascalScript", "C++Script", "BasicScript", "JScript"}) {
        for (const char *type : types)
            EXPECT_TRUE(
                TfrxScriptCode(QLatin1String(language)).EventParams(QLatin1String(type)).startsWith(u'('))
                << language << " " << type;
    }
    // By-reference parameters in each language's own form.
    EXPECT_EQ(
        TfrxScriptCode(QStringLiteral("PascalScript")).EventParams(QStringLiteral("TfrxRunDialogsEvent")),
        QStringLiteral("(var Result: Boolean);"));
    EXPECT_EQ(TfrxScriptCode(QStringLiteral("C++Script")).EventParams(QStringLiteral("TfrxKeyPressEvent")),
              QStringLiteral("(TfrxComponent Sender, char &Key)"));
    EXPECT_EQ(
        TfrxScriptCode(QStringLiteral("BasicScript")).EventParams(QStringLiteral("TfrxCloseQueryEvent")),
        QStringLiteral("(Sender, byref CanClose)"));
}

TEST(ScriptCode, AttributesMatchAtTheStartOrAfterASpace)
{
    const QString text = QStringLiteral("xend=\"no\" END=\"yes\" lastend=\"other\"");
    EXPECT_EQ(TfrxScriptCode::Attribute(text, QStringLiteral("end")), QStringLiteral("yes"));
    EXPECT_EQ(TfrxScriptCode::Attribute(text, QStringLiteral("xend")), QStringLiteral("no"));
    EXPECT_EQ(TfrxScriptCode::Attribute(text, QStringLiteral("missing")), QString());
}

} // namespace
