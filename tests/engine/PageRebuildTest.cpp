// Rebuilt prepared pages, property by property: every object of every page compared with what the
// store gave back when the page format was last changed on purpose (tests/engine/data), so that work
// on the store, the difference texts or the property tables cannot change a page unnoticed.
#include "EngineFixture.h"

#include "TfrxClassRegistry.h"
#include "TfrxCustomMemoView.h"
#include "TfrxLineView.h"
#include "TfrxPictureView.h"
#include "TfrxProperties.h"
#include "TfrxShapeView.h"

#include <QBuffer>
#include <QFile>
#include <QImage>

#include <cstring>
#include <memory>

namespace {

using Kind = TfrxProperties::Kind;

QString ValueText(const TfrxProperties::Entry &e)
{
    const QVariant v = e.Property.read(e.Object);
    switch (e.PropertyKind) {
    case Kind::Reference: {
        const auto *target = qobject_cast<const TfrxComponent *>(v.value<QObject *>());
        return target != nullptr ? target->Name() : QStringLiteral("nil");
    }
    case Kind::Enumeration:
    case Kind::Set: {
        int raw = 0;
        std::memcpy(&raw, v.constData(), std::min<qsizetype>(sizeof raw, v.metaType().sizeOf()));
        return QString::number(raw);
    }
    case Kind::Float:
        return QString::number(v.toDouble(), 'g', 12);
    case Kind::StringList:
        return v.toStringList().join(QLatin1String("\\n"));
    default:
        return v.toString().replace(QLatin1String("\r\n"), QLatin1String("\\n"));
    }
}

// The properties of an object that differ from a new object of its class, one "path=value" a line.
QStringList Changed(QObject *obj)
{
    std::unique_ptr<QObject> fresh(
        TfrxClassRegistry::Instance().Create(QString::fromLatin1(obj->metaObject()->className())));
    QStringList lines;
    for (const TfrxProperties::Entry &e : TfrxProperties::List(obj)) {
        if (e.PropertyKind == Kind::Nested || !e.Property.isReadable())
            continue;
        const QString value = ValueText(e);
        TfrxProperties::Entry base;
        if (fresh != nullptr && TfrxProperties::Find(fresh.get(), e.Path, base) && ValueText(base) == value)
            continue;
        lines.append(e.Path + u'=' + value);
    }
    if (auto *picture = qobject_cast<TfrxPictureView *>(obj))
        lines.append(QStringLiteral("picture=%1x%2 #%3")
                         .arg(picture->Picture().width())
                         .arg(picture->Picture().height())
                         .arg(picture->Picture().isNull() ? 0 : picture->Picture().pixel(0, 0), 0, 16));
    return lines;
}

// A rebuilt page as text: the page, then each object depth first, indented by its level.
QString Dump(TfrxReportPage *page)
{
    QString out;
    const auto object = [&out](TfrxComponent *obj, int level) {
        const QString indent(level * 2, u' ');
        out += indent + QString::fromLatin1(obj->metaObject()->className()) + u' ' + obj->Name() + u'\n';
        for (const QString &line : Changed(obj))
            out += indent + QStringLiteral("  ") + line + u'\n';
    };
    object(page, 0);
    for (TfrxComponent *obj : page->GetAllObjects()) {
        int level = 0;
        for (const TfrxComponent *p = obj; p != page; p = p->Parent())
            ++level;
        object(obj, level);
    }
    return out;
}

QString DumpPages(TfrxCustomPreviewPages *pages)
{
    QString out;
    for (int i = 0; i < pages->GetCount(); ++i)
        out += QStringLiteral("== page %1\n").arg(i + 1) + Dump(pages->GetPage(i));
    return out;
}

// Compares with the expected file; ZOR_UPDATE_EXPECTED=1 writes the file instead.
void ExpectSameAsFile(const QString &actual, const QString &name)
{
    const QString path = QStringLiteral(ZOR_ENGINE_TEST_DATA "/") + name;
    if (qEnvironmentVariableIntValue("ZOR_UPDATE_EXPECTED") == 1) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(actual.toUtf8());
        return;
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    const QStringList expected = QString::fromUtf8(file.readAll()).split(u'\n');
    const QStringList lines = actual.split(u'\n');
    for (qsizetype i = 0; i < std::max(expected.size(), lines.size()); ++i)
        ASSERT_EQ(lines.value(i).toStdString(), expected.value(i).toStdString())
            << name.toStdString() << ":" << i + 1;
}

class PageRebuildTest : public EngineFixture
{
protected:
    // Three pages of a list with every kind of view: texts that differ from their template in
    // text, font, frame, fill and size, a shape, a line, a picture, loose objects, a page header,
    // a page footer with the page count of a double pass and a summary with a total.
    void PrepareList()
    {
        FReport->EngineOptions()->DoublePass = true;
        FPage->SetSizeAndDimensions(256, 100, 120);
        AddNumbers(QStringLiteral("Data"), 40);
        auto *header = AddBand<TfrxPageHeader>(QStringLiteral("PageHeader1"), 0, 40);
        AddMemo(header, QStringLiteral("Title"), 0, 0, 200, 20, QStringLiteral("List, page [Page#]"));
        QImage blue(6, 4, QImage::Format_RGB32);
        blue.fill(Qt::blue);
        auto *picture = new TfrxPictureView(header);
        picture->SetName(QStringLiteral("Logo"));
        picture->SetBounds(210, 0, 6, 4);
        picture->SetPicture(blue);
        auto *line = new TfrxLineView(header);
        line->SetName(QStringLiteral("Rule"));
        line->SetBounds(0, 30, 300, 0);

        auto *band = AddBand<TfrxMasterData>(QStringLiteral("MasterData1"), 50, 24);
        band->SetDataSetName(QStringLiteral("Data"));
        AddMemo(band, QStringLiteral("Number"), 0, 0, 40, 20, QStringLiteral("[Data.\"N\"]"));
        TfrxMemoView *bold =
            AddMemo(band, QStringLiteral("Bold"), 40, 0, 80, 20, QStringLiteral("No. [Data.\"N\"]"));
        for (const auto &[path, value] : std::initializer_list<std::pair<const char *, const char *>>{
                 {"Font.Style", "1"},
                 {"Font.Name", "Times New Roman"},
                 {"Font.Color", "255"},
                 {"Frame.Typ", "15"},
                 {"Frame.Width", "2"},
                 {"Fill.BackColor", "65280"},
                 {"HAlign", "haRight"},
                 {"GapX", "4"},
                 {"Highlight.Condition", "Value > 3"},
                 {"Highlight.ApplyFill", "True"}})
            ASSERT_TRUE(TfrxProperties::Write(bold, QString::fromLatin1(path), QString::fromLatin1(value)))
                << path;
        TfrxMemoView *wide =
            AddMemo(band, QStringLiteral("Wide"), 120, 0, 20, 20, QStringLiteral("[Data.\"N\"][Data.\"N\"]"));
        wide->SetAutoWidth(true);
        auto *shape = new TfrxShapeView(band);
        shape->SetName(QStringLiteral("Box"));
        shape->SetBounds(250, 2, 16, 16);
        shape->SetShape(zor::skEllipse);

        auto *footer = AddBand<TfrxPageFooter>(QStringLiteral("PageFooter1"), 200, 20);
        AddMemo(footer, QStringLiteral("Count"), 0, 0, 200, 20,
                QStringLiteral("Page [Page#] of [TotalPages#]"));
        auto *summary = AddBand<TfrxReportSummary>(QStringLiteral("ReportSummary1"), 150, 20);
        AddMemo(summary, QStringLiteral("Total"), 0, 0, 200, 20, QStringLiteral("Total [SUM(Data.\"N\")]"));
        AddMemo(FPage, QStringLiteral("Loose"), 300, 10, 60, 20, QStringLiteral("loose [Page#]"));
        ASSERT_TRUE(Prepare()) << FReport->Errors().join(u'\n').toStdString();
        ASSERT_EQ(Pages()->GetCount(), 3);
    }
};

TEST_F(PageRebuildTest, AListRebuildsPageByPageAsBefore)
{
    PrepareList();
    ExpectSameAsFile(DumpPages(Pages()), QStringLiteral("RebuiltList.txt"));
}

TEST_F(PageRebuildTest, TheCertificateRebuildsAsBefore)
{
    ASSERT_TRUE(FReport->LoadFromFile(QStringLiteral(ZOR_CERTIFICATE_TEMPLATE)));
    FReport->EngineOptions()->DestroyForms = true;
    int n = 0;
    for (TfrxComponent *obj : FReport->GetAllObjects()) {
        if (auto *memo = qobject_cast<TfrxMemoView *>(obj))
            memo->SetText(QStringLiteral("Value %1").arg(++n));
    }
    ASSERT_TRUE(Prepare()) << FReport->Errors().join(u'\n').toStdString();
    ExpectSameAsFile(DumpPages(Pages()), QStringLiteral("RebuiltCertificate.txt"));
}

// The same pages through a saved prepared report, and a page stored as a whole tree.
TEST_F(PageRebuildTest, SavedPagesAndWholeTreePagesRebuildTheSame)
{
    PrepareList();
    const QString expected = DumpPages(Pages());
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    Pages()->SaveToStream(&buffer);
    buffer.seek(0);
    TfrxReport other;
    other.PreviewPages()->LoadFromStream(&buffer);
    EXPECT_EQ(DumpPages(other.PreviewPages()).toStdString(), expected.toStdString());

    Pages()->ModifyPage(1, Pages()->GetPage(1));
    EXPECT_EQ(DumpPages(Pages()).toStdString(), expected.toStdString());
}

} // namespace
