// The generic property walk over every registered class: list, read, write back, declared
// defaults, and the order of the property tables.

#include "TfrxClassRegistry.h"
#include "TfrxComponent.h"
#include "TfrxDataBand.h"
#include "TfrxError.h"
#include "TfrxFont.h"
#include "TfrxFrame.h"
#include "TfrxFrameLine.h"
#include "TfrxProperties.h"
#include "TfrxPropertyTable.h"
#include "TfrxReport.h"
#include "TfrxReportPage.h"
#include "TfrxShapeView.h"

#include <QImage>
#include <QMetaEnum>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

using Kind = TfrxProperties::Kind;

namespace {

}  // namespace

// Readable names of QString parameters in test output.
void PrintTo(const QString &s, std::ostream *os)
{
    *os << s.toStdString();
}

namespace {

// The integer inside an enumeration or set value.
int RawInt(const QVariant &v)
{
    int raw = 0;
    std::memcpy(&raw, v.constData(), std::min<qsizetype>(sizeof raw, v.metaType().sizeOf()));
    return raw;
}

// A value of the entry's kind different from the current one; invalid when the kind is not
// written by value (references and sub-objects).
QVariant OtherValue(const TfrxProperties::Entry &e, const QVariant &current)
{
    // A new fill type replaces the fill whose properties follow in the list; it has its own test.
    if (e.Path.endsWith(QLatin1String("FillType")))
        return {};
    switch (e.PropertyKind) {
    case Kind::Integer:
        return current.toInt() + 3;
    case Kind::Float:
        return current.toDouble() + 1.5;
    case Kind::Boolean:
        return !current.toBool();
    case Kind::Enumeration: {
        const QMetaEnum en = e.Property.enumerator();
        const int raw = RawInt(current);
        for (int i = 0; i < en.keyCount(); ++i) {
            if (en.value(i) == raw)
                return QString::fromLatin1(en.key((i + 1) % en.keyCount()));
        }
        return QString::fromLatin1(en.key(0));
    }
    case Kind::Set:
        return RawInt(current) ^ e.Property.enumerator().value(0);
    case Kind::Text:
        return e.Path == QLatin1String("Name") ? QStringLiteral("Obj1") : QStringLiteral("http://t/1");
    case Kind::StringList:
        return QStringList{QStringLiteral("a"), QStringLiteral("b")};
    case Kind::Other:
        if (e.Property.metaType().id() == QMetaType::QImage) {
            QImage image(2, 3, QImage::Format_RGB32);
            image.fill(Qt::red);
            return image;
        }
        return {};
    default:
        return {};
    }
}

bool SameValue(const TfrxProperties::Entry &e, const QVariant &written, const QVariant &read)
{
    switch (e.PropertyKind) {
    case Kind::Enumeration:
        return QString::fromLatin1(e.Property.enumerator().valueToKey(RawInt(read))) == written.toString();
    case Kind::Set:
        return RawInt(read) == written.toInt();
    case Kind::Float:
        return std::abs(read.toDouble() - written.toDouble()) < 1e-9;
    default:
        return read == written;
    }
}

class EveryClass : public ::testing::TestWithParam<QString>
{
};

TEST_P(EveryClass, WritesAndReadsBackEveryProperty)
{
    std::unique_ptr<QObject> obj(TfrxClassRegistry::Instance().Create(GetParam()));
    ASSERT_NE(obj, nullptr);
    const auto entries = TfrxProperties::List(obj.get());
    int written = 0;
    for (const TfrxProperties::Entry &e : entries) {
        SCOPED_TRACE(e.Path.toStdString());
        const QVariant current = TfrxProperties::Read(obj.get(), e.Path);
        ASSERT_TRUE(current.isValid());
        if (!e.Property.isWritable())
            continue;
        const QVariant value = OtherValue(e, current);
        if (!value.isValid())
            continue;
        ASSERT_TRUE(TfrxProperties::Write(obj.get(), e.Path, value));
        EXPECT_TRUE(SameValue(e, value, TfrxProperties::Read(obj.get(), e.Path)));
        ++written;
    }
    EXPECT_GT(written, 0);
}

TEST_P(EveryClass, NewObjectHoldsTheDeclaredDefaults)
{
    std::unique_ptr<QObject> obj(TfrxClassRegistry::Instance().Create(GetParam()));
    ASSERT_NE(obj, nullptr);
    for (const TfrxProperties::Entry &e : TfrxProperties::List(obj.get())) {
        const QVariant def = TfrxProperties::DefaultValue(e.Object, e.Property);
        if (!def.isValid())
            continue;
        // A new glass fill is grey while a stored one without colour reads as white.
        if (e.Path.endsWith(QLatin1String("Fill.Color")))
            continue;
        SCOPED_TRACE(e.Path.toStdString());
        const QVariant v = e.Property.read(e.Object);
        if (e.Property.isEnumType())
            EXPECT_EQ(RawInt(v), RawInt(def));
        else
            EXPECT_EQ(v, def);
    }
}

// The class's name table against the meta-object: every property found by its name in any case,
// names that only share a beginning or an end not found.
TEST_P(EveryClass, PropertyTableFindsEveryNameInAnyCase)
{
    const QMetaObject *meta = TfrxClassRegistry::Instance().Find(GetParam());
    ASSERT_NE(meta, nullptr);
    const TfrxPropertyTable &table = TfrxPropertyTable::Of(meta);
    EXPECT_EQ(int(table.Properties().size()),
              meta->propertyCount() - QObject::staticMetaObject.propertyCount());
    for (int i = QObject::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i) {
        const QString name = QString::fromLatin1(meta->property(i).name());
        SCOPED_TRACE(name.toStdString());
        for (const QString &spelling : {name, name.toUpper(), name.toLower()}) {
            const TfrxPropertyTable::Property *found = table.Find(spelling);
            ASSERT_NE(found, nullptr);
            EXPECT_EQ(found->Index, meta->indexOfProperty(name.toLatin1().constData()));
        }
        EXPECT_EQ(table.Find(name + u'X'), nullptr);
        EXPECT_EQ(table.Find(QStringView(name).chopped(1)), nullptr);
    }
    EXPECT_EQ(table.Find(QStringView()), nullptr);
}

QStringList RegisteredClasses()
{
    return TfrxClassRegistry::Instance().ClassNames();
}

INSTANTIATE_TEST_SUITE_P(Registry, EveryClass, ::testing::ValuesIn(RegisteredClasses()),
                         [](const auto &param) { return param.param.toStdString(); });

TEST(ClassRegistry, HoldsEveryClassOfTheObjectModel)
{
    const QStringList expected = {
        QStringLiteral("TfrxChild"), QStringLiteral("TfrxColumnFooter"), QStringLiteral("TfrxColumnHeader"),
        QStringLiteral("TfrxMasterData"), QStringLiteral("TfrxDetailData"), QStringLiteral("TfrxSubdetailData"),
        QStringLiteral("TfrxDataBand4"), QStringLiteral("TfrxDataBand5"), QStringLiteral("TfrxDataBand6"),
        QStringLiteral("TfrxDialogPage"), QStringLiteral("TfrxFooter"), QStringLiteral("TfrxFrame"),
        QStringLiteral("TfrxGroupFooter"), QStringLiteral("TfrxGroupHeader"), QStringLiteral("TfrxHeader"),
        QStringLiteral("TfrxLineView"), QStringLiteral("TfrxOverlay"), QStringLiteral("TfrxPageFooter"),
        QStringLiteral("TfrxPageHeader"), QStringLiteral("TfrxPictureView"), QStringLiteral("TfrxReport"),
        QStringLiteral("TfrxReportPage"), QStringLiteral("TfrxReportSummary"), QStringLiteral("TfrxReportTitle"),
        QStringLiteral("TfrxShapeView"), QStringLiteral("TfrxSubreport"), QStringLiteral("TfrxStyleItem"),
        QStringLiteral("TfrxNullBand"), QStringLiteral("TfrxCustomLineView"), QStringLiteral("TfrxDataPage"),
        QStringLiteral("TfrxUserDataSet"),
    };
    for (const QString &name : expected) {
        SCOPED_TRACE(name.toStdString());
        std::unique_ptr<QObject> obj(TfrxClassRegistry::Instance().Create(name));
        ASSERT_NE(obj, nullptr);
        EXPECT_EQ(QString::fromLatin1(obj->metaObject()->className()), name);
    }
    EXPECT_EQ(TfrxClassRegistry::Instance().Create(QStringLiteral("TfrxNoSuchView")), nullptr);
}

QStringList Paths(QObject *obj, qsizetype count)
{
    QStringList paths;
    for (const auto &e : TfrxProperties::List(obj))
        paths.append(e.Path);
    return paths.mid(0, count);
}

TEST(PropertyWalk, TablesKeepTheirOrderBaseClassesFirst)
{
    const struct {
        const char *ClassName;
        std::vector<const char *> Head;
    } cases[] = {
        {"TfrxShapeView",
         {"Name", "Tag", "Description", "Align", "Printable", "ShiftMode", "Left", "Top", "Width", "Height",
          "GroupIndex", "Restrictions", "Visible", "OnAfterData"}},
        {"TfrxReportPage",
         {"Name", "Tag", "Font", "Font.Charset", "Font.Color", "Font.Height", "Font.Name", "Font.Orientation",
          "Font.Pitch", "Font.Size", "Font.Style", "Font.Quality", "Visible", "Orientation", "PaperWidth",
          "PaperHeight", "PaperSize", "LeftMargin"}},
        {"TfrxMasterData",
         {"Name", "Tag", "Description", "FillType", "Fill", "Fill.BackColor", "Fill.ForeColor", "Fill.Style",
          "FillGap", "FillGap.Top", "FillGap.Left", "FillGap.Bottom", "FillGap.Right", "Font"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.ClassName);
        std::unique_ptr<QObject> obj(TfrxClassRegistry::Instance().Create(QString::fromLatin1(c.ClassName)));
        QStringList head;
        for (const char *name : c.Head)
            head.append(QString::fromLatin1(name));
        EXPECT_EQ(Paths(obj.get(), head.size()), head);
    }
}

TEST(PropertyWalk, NestedPathsReachFramesLinesAndFonts)
{
    TfrxShapeView shape;
    EXPECT_TRUE(TfrxProperties::Write(&shape, u"Frame.Typ", 5));
    EXPECT_EQ(shape.Frame()->Typ(), zor::ftLeft | zor::ftTop);
    // Names match without regard to case; enumerations by identifier.
    EXPECT_TRUE(TfrxProperties::Write(&shape, u"frame.style", QStringLiteral("fsDouble")));
    EXPECT_EQ(shape.Frame()->Style(), zor::fsDouble);
    EXPECT_TRUE(TfrxProperties::Write(&shape, u"Frame.Width", 3.0));
    EXPECT_TRUE(TfrxProperties::Write(&shape, u"Frame.LeftLine.Width", 1.0));
    EXPECT_EQ(shape.Frame()->TopLine()->Width(), 3.0);
    EXPECT_EQ(shape.Frame()->LeftLine()->Width(), 1.0);
    // Only the line that differs from its frame is stored.
    EXPECT_TRUE(shape.Frame()->LeftLine()->IsPropertyStored("Width"));
    EXPECT_FALSE(shape.Frame()->TopLine()->IsPropertyStored("Width"));
    TfrxMasterData band;
    EXPECT_TRUE(TfrxProperties::Write(&band, u"Font.Name", QStringLiteral("Tahoma")));
    EXPECT_EQ(band.Font()->Name(), QStringLiteral("Tahoma"));
    EXPECT_FALSE(TfrxProperties::Write(&shape, u"Font.Name", QStringLiteral("Tahoma")));  // not published
    // Texts as templates and difference texts hold them: numbers for enumerations and sets,
    // either decimal separator for floats, "True" and "False".
    EXPECT_TRUE(TfrxProperties::Write(&shape, u"Shape", QStringLiteral("2")));
    EXPECT_EQ(shape.Shape(), zor::skEllipse);
    EXPECT_TRUE(TfrxProperties::Write(&shape, u"Left", QStringLiteral("439,65337")));
    EXPECT_DOUBLE_EQ(shape.Left(), 439.65337);
    EXPECT_TRUE(TfrxProperties::Write(&shape, u"Top", QStringLiteral("338.1107")));
    EXPECT_DOUBLE_EQ(shape.Top(), 338.1107);
    EXPECT_TRUE(TfrxProperties::Write(&shape, u"ShowHint", QStringLiteral("True")));
    EXPECT_TRUE(shape.ShowHint());
    EXPECT_TRUE(TfrxProperties::Write(&shape, u"FillType", QStringLiteral("ftGradient")));
    EXPECT_EQ(TfrxProperties::Read(&shape, u"Fill.StartColor").toInt(), zor::clWhite);
}

TEST(PropertyWalk, RefusesUnknownPathsAndBadValues)
{
    TfrxShapeView shape;
    const struct {
        const char16_t *Path;
        QVariant Value;
    } cases[] = {
        {u"NoSuchProperty", 1},
        {u"Frame.NoSuch", 1},
        {u"Left.Sub", 1.0},
        {u"Shape", QStringLiteral("skNoSuchShape")},
        {u"Shape", 99},
        {u"Curve", QStringLiteral("abc")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.Path).toStdString());
        EXPECT_FALSE(TfrxProperties::Write(&shape, c.Path, c.Value));
    }
    EXPECT_FALSE(TfrxProperties::Read(&shape, u"Frame.NoSuch").isValid());
    EXPECT_EQ(shape.Shape(), zor::skRectangle);
}

TEST(PropertyWalk, RefusingSettersReachTheCaller)
{
    TfrxReport report;
    auto *page = new TfrxReportPage(&report);
    page->SetName(QStringLiteral("Page1"));
    auto *shape = new TfrxShapeView(page);
    try {
        TfrxProperties::Write(shape, u"Name", QStringLiteral("page1"));
        ADD_FAILURE() << "no error";
    } catch (const TfrxError &e) {
        EXPECT_EQ(e.Key(), QStringLiteral("prDupl"));
    }
    EXPECT_EQ(shape->Name(), QString());
}

TEST(PropertyWalk, KindsAndStoredConditions)
{
    TfrxReportPage page;
    TfrxProperties::Entry e;
    ASSERT_TRUE(TfrxProperties::Find(&page, u"DataSet", e));
    EXPECT_EQ(e.PropertyKind, Kind::Reference);
    ASSERT_TRUE(TfrxProperties::Find(&page, u"Frame", e));
    EXPECT_EQ(e.PropertyKind, Kind::Nested);
    ASSERT_TRUE(TfrxProperties::Find(&page, u"HGuides", e));
    EXPECT_EQ(e.PropertyKind, Kind::StringList);
    ASSERT_TRUE(TfrxProperties::Find(&page, u"Name", e));
    EXPECT_FALSE(TfrxProperties::IsStored(e.Object, e.Property));
    // A page's font is stored once it no longer follows its parent.
    ASSERT_TRUE(TfrxProperties::Find(&page, u"Font", e));
    EXPECT_FALSE(TfrxProperties::IsStored(e.Object, e.Property));
    page.Font()->SetName(QStringLiteral("Times New Roman"));
    EXPECT_TRUE(TfrxProperties::IsStored(e.Object, e.Property));
}

}  // namespace
