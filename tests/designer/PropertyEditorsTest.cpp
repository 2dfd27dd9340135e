// The property editor registry and the value formats of the standard editors, through the lists
// the inspector builds.

#include "DesignedPage.h"
#include "FakeDesigner.h"
#include "TfrxColorProperty.h"
#include "TfrxError.h"
#include "TfrxFont.h"
#include "TfrxFrame.h"
#include "TfrxLineView.h"
#include "TfrxPropertyEditor.h"
#include "TfrxPropertyEditorCollection.h"
#include "TfrxPropertyEditors.h"
#include "TfrxPropertyList.h"
#include "TfrxReportPage.h"
#include "TfrxReportPropertyEditors.h"
#include "zorPropertyTypes.h"

#include <gtest/gtest.h>

using namespace zor;

namespace {

class PropertyEditors : public ::testing::Test
{
protected:
    void SetUp() override
    {
        zorRegisterPropertyEditors();
        Memo = Page.Add(Page.Page, "Memo1", 10, 10, 100, 20);
        Page.Add(Page.Page, "Memo2", 10, 40, 100, 20);
        Line = Page.Add<TfrxLineView>(Page.Page, "Line1", 10, 100, 100, 0);
    }

    // The editor of a property path ("Font.Name") for the objects.
    TfrxPropertyEditor *Editor(const QList<QObject *> &objects, const QString &path)
    {
        Lists.push_back(TfrxPropertyList::Build(Designer, objects));
        TfrxPropertyList *list = Lists.back().get();
        TfrxPropertyItem *item = nullptr;
        for (const QString &name : path.split(QLatin1Char('.'))) {
            if (item != nullptr)
                list = item->SubProperty();
            item = list != nullptr ? list->Find(name) : nullptr;
            if (item == nullptr)
                return nullptr;
        }
        return item->Editor();
    }
    TfrxPropertyEditor *Editor(const QString &path) { return Editor({Memo}, path); }

    DesignedPage Page;
    FakeDesigner Designer{Page.Report, Page.Page};
    TfrxMemoView *Memo = nullptr;
    TfrxLineView *Line = nullptr;
    std::vector<std::unique_ptr<TfrxPropertyList>> Lists;
};

TEST_F(PropertyEditors, ValuesAreShownInTheFormOfTheirKind)
{
    Memo->Frame()->SetTyp(ftLeft | ftTop);
    Memo->Font()->SetColor(0x123456);
    Memo->SetGapX(2.5);
    struct Case
    {
        const char *Path;
        const char *Shown;
    };
    const Case cases[] = {
        {"HAlign", "haLeft"},
        {"Frame.Typ", "[ftLeft,ftTop]"},
        {"Frame.Typ.ftTop", "True"},
        {"Frame.Typ.ftRight", "False"},
        {"Font", "(TfrxFont)"},
        {"Font.Color", "$00123456"},
        {"Color", "clTransparent"},
        {"Font.Charset", "DEFAULT_CHARSET"},
        {"GapX", "2,5"},
        {"Visible", "True"},
        {"Cursor", "crDefault"},
        {"Hyperlink", "(TfrxHyperlink)"},
        {"Memo", ""},
        {"Name", "Memo1"},
        {"Left", "0,26"},
    };
    for (const Case &c : cases) {
        const TfrxPropertyEditor *editor = Editor(QLatin1String(c.Path));
        ASSERT_NE(editor, nullptr) << c.Path;
        EXPECT_EQ(editor->GetValue(), QString::fromUtf8(c.Shown)) << c.Path;
    }
}

TEST_F(PropertyEditors, TypedValuesAreReadByTheirKindOrRefused)
{
    struct Case
    {
        const char *Path;
        const char *Typed;
        const char *Shown; // nullptr: refused
    };
    const Case cases[] = {
        {"HAlign", "haRight", "haRight"},
        {"HAlign", "xyz", nullptr},
        {"Visible", "false", "False"},
        {"Visible", "maybe", nullptr},
        {"Color", "clRed", "clRed"},
        {"Color", "$00FF8000", "$00FF8000"},
        {"Color", "255", "clRed"},
        {"Color", "blue-ish", nullptr},
        {"Font.Charset", "204", "RUSSIAN_CHARSET"},
        {"Cursor", "crHandPoint", "crHandPoint"},
        {"GapX", " 1.25 ", "1,25"},
        {"GapX", "1e999", nullptr},
        {"Rotation", "90", "90"},
        {"Frame.Typ.ftBottom", "TRUE", "True"},
        {"Frame.Typ.ftBottom", "yes", nullptr},
        {"FlowTo", "Memo2", "Memo2"},
        {"FlowTo", "", ""},
        {"FlowTo", "Nothing", nullptr},
        {"Font.Name", "Liberation Serif", "Liberation Serif"},
    };
    for (const Case &c : cases) {
        TfrxPropertyEditor *editor = Editor(QLatin1String(c.Path));
        ASSERT_NE(editor, nullptr) << c.Path;
        const QString before = editor->GetValue();
        if (c.Shown == nullptr) {
            EXPECT_THROW(editor->SetValue(QLatin1String(c.Typed)), TfrxError) << c.Path << " " << c.Typed;
            EXPECT_EQ(editor->GetValue(), before);
            EXPECT_FALSE(editor->Written());
            continue;
        }
        editor->SetValue(QLatin1String(c.Typed));
        EXPECT_EQ(editor->GetValue(), QLatin1String(c.Shown)) << c.Path << " " << c.Typed;
    }
}

TEST_F(PropertyEditors, PaperSizesAreMillimetresShownInUnits)
{
    auto *page = Page.Page;
    page->SetPaperWidth(210);
    struct Case
    {
        TfrxDesignerUnits Units;
        const char *Shown;
        const char *Typed;
        double Millimetres;
    };
    const Case cases[] = {
        {duCM, "21", "2,5", 25},
        {duInches, "8,27", "1", 25.4},
        {duPixels, "793,70", "96", 25.4},
    };
    for (const Case &c : cases) {
        Designer.Settings_.Units = c.Units;
        page->SetPaperWidth(210);
        TfrxPropertyEditor *editor = Editor({page}, QStringLiteral("PaperWidth"));
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->GetValue(), QLatin1String(c.Shown));
        editor->SetValue(QLatin1String(c.Typed));
        EXPECT_NEAR(page->PaperWidth(), c.Millimetres, 1e-9);
    }
}

TEST_F(PropertyEditors, ListsOfferTheirValues)
{
    TfrxPropertyEditor *align = Editor(QStringLiteral("HAlign"));
    align->GetValues();
    EXPECT_EQ(align->Values, (QStringList{QStringLiteral("haLeft"), QStringLiteral("haRight"),
                                          QStringLiteral("haCenter"), QStringLiteral("haBlock")}));
    TfrxPropertyEditor *flowTo = Editor(QStringLiteral("FlowTo"));
    flowTo->GetValues();
    // Only text objects can take the flowing text; the object itself is no candidate.
    EXPECT_EQ(flowTo->Values, QStringList{QStringLiteral("Memo2")});
    TfrxPropertyEditor *fontName = Editor(QStringLiteral("Font.Name"));
    fontName->GetValues();
    EXPECT_FALSE(fontName->Values.isEmpty());
}

TEST_F(PropertyEditors, SeveralObjectsAreConvertedOnceAndWrittenTogether)
{
    TfrxPropertyEditor *width = Editor({Memo, Line}, QStringLiteral("Width"));
    ASSERT_NE(width, nullptr);
    EXPECT_EQ(width->Targets().size(), 2);
    EXPECT_THROW(width->SetValue(QStringLiteral("wide")), TfrxError);
    EXPECT_EQ(Memo->Width(), 100);
    EXPECT_EQ(Line->Width(), 100);
    width->SetValue(QStringLiteral("1"));
    EXPECT_NEAR(Memo->Width(), 96 / 2.54, 1e-9);
    EXPECT_NEAR(Line->Width(), 96 / 2.54, 1e-9);
    // A sub-object shared by both objects is expanded over both objects' sub-objects.
    TfrxPropertyEditor *frameWidth = Editor({Memo, Line}, QStringLiteral("Frame.Width"));
    ASSERT_NE(frameWidth, nullptr);
    frameWidth->SetValue(QStringLiteral("3"));
    EXPECT_EQ(Memo->Frame()->Width(), 3);
    EXPECT_EQ(Line->Frame()->Width(), 3);
}

TEST_F(PropertyEditors, EventsGoToTheirOwnList)
{
    std::unique_ptr<TfrxPropertyList> properties = TfrxPropertyList::Build(Designer, {Memo});
    std::unique_ptr<TfrxPropertyList> events = properties->TakeEvents();
    EXPECT_NE(events->Find(QStringLiteral("OnBeforePrint")), nullptr);
    EXPECT_EQ(events->Find(QStringLiteral("OnMouseDown"))->TypeName(), QStringLiteral("TfrxMouseEvent"));
    EXPECT_EQ(properties->Find(QStringLiteral("OnBeforePrint")), nullptr);
    for (qsizetype i = 1; i < properties->Count(); ++i)
        EXPECT_LT(properties->Items(i - 1)->Editor()->GetName().compare(
                      properties->Items(i)->Editor()->GetName(), Qt::CaseInsensitive),
                  0);
}

// ---- The registry -----------------------------------------------------------------------------

class First : public TfrxStringProperty
{
public:
    using TfrxStringProperty::TfrxStringProperty;
};
class Second : public TfrxStringProperty
{
public:
    using TfrxStringProperty::TfrxStringProperty;
};

TEST(PropertyEditorCollection, LaterRegistrationsWinAndClassesCoverTheirDescendants)
{
    TfrxPropertyEditorCollection editors;
    TfrxMemoView memo;
    TfrxLineView line;
    const auto editorOf = [&](const char *type, const QObject *object, const char *name) {
        const int index = editors.GetPropertyEditor(QLatin1String(type), object, QLatin1String(name));
        return index < 0 ? nullptr : editors.Items(index).EditorClass;
    };
    editors.Register(QStringLiteral("String"), nullptr, &zorEditorClass<First>);
    EXPECT_EQ(editorOf("String", &memo, "Hint"), &zorEditorClass<First>);
    editors.Register(QStringLiteral("string"), nullptr, &zorEditorClass<Second>);
    EXPECT_EQ(editorOf("String", &memo, "Hint"), &zorEditorClass<Second>);
    editors.Register(QStringLiteral("String"), nullptr, &zorEditorClass<First>, QStringLiteral("TagStr"));
    EXPECT_EQ(editorOf("String", &memo, "tagstr"), &zorEditorClass<First>);
    EXPECT_EQ(editorOf("Integer", &memo, "TagStr"), nullptr);

    // By class and name whatever the type, for the class and what descends from it.
    editors.Register(QString(), &TfrxView::staticMetaObject, &zorEditorClass<Second>, QStringLiteral("Tag"));
    EXPECT_EQ(editorOf("Integer", &memo, "Tag"), &zorEditorClass<Second>);
    TfrxReportPage page;
    EXPECT_EQ(editorOf("Integer", &page, "Tag"), nullptr);

    // An entry without editor, as zorHideProperties makes, hides for every descendant.
    editors.Register(QString(), &TfrxView::staticMetaObject, nullptr, QStringLiteral("Hint"));
    EXPECT_GE(editors.GetPropertyEditor(QStringLiteral("String"), &line, QStringLiteral("Hint")), 0);
    EXPECT_EQ(editorOf("String", &line, "Hint"), nullptr);

    // Script events go to the event editor, whatever else is registered.
    editors.RegisterEventEditor(&zorEditorClass<First>);
    editors.Register(QStringLiteral("TfrxNotifyEvent"), nullptr, &zorEditorClass<Second>);
    EXPECT_EQ(editorOf("TfrxNotifyEvent", &memo, "OnBeforePrint"), &zorEditorClass<First>);

    editors.UnRegister(&zorEditorClass<Second>);
    EXPECT_EQ(editorOf("String", &memo, "Description"), &zorEditorClass<First>);
    EXPECT_EQ(editorOf("Integer", &memo, "Tag"), nullptr);
}

} // namespace
