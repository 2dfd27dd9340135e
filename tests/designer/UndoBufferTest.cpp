// Undo and redo as whole snapshots of the report: each step brings back exactly the state it
// recorded, pictures come back from the designer's picture store, and the file name stays.
#include "DesignerTestSupport.h"
#include "TfrxDesignerPictureCache.h"
#include "TfrxMemoView.h"
#include "TfrxPictureView.h"
#include "TfrxReportPage.h"
#include "TfrxUndoBuffer.h"

#include <QImage>

#include <gtest/gtest.h>

using namespace designertest;

namespace {

double LeftOf(const TfrxReport &report, const char *name)
{
    return report.FindObject(QLatin1String(name))->Left();
}

TEST(UndoBuffer, StepsBackAndForthThroughRecordedStates)
{
    auto report = LoadCertificate();
    TfrxDesignerPictureCache pictures;
    TfrxUndoBuffer undo(pictures);
    const QByteArray loaded = TemplateText(*report);
    undo.AddUndo(*report);
    EXPECT_FALSE(undo.Undo(*report)) << "the state after loading is the first entry: nothing to undo";

    const double start = LeftOf(*report, "Memo5");
    report->FindObject(QStringLiteral("Memo5"))->SetLeft(start + 10);
    undo.AddUndo(*report);
    report->FindObject(QStringLiteral("Memo6"))->SetLeft(50);
    undo.AddUndo(*report);
    ASSERT_EQ(undo.UndoCount(), 3);

    ASSERT_TRUE(undo.Undo(*report));
    EXPECT_DOUBLE_EQ(LeftOf(*report, "Memo5"), start + 10);
    EXPECT_NE(LeftOf(*report, "Memo6"), 50);
    ASSERT_TRUE(undo.Undo(*report));
    EXPECT_DOUBLE_EQ(LeftOf(*report, "Memo5"), start);
    EXPECT_EQ(TemplateText(*report), loaded) << "undoing every step gives the loaded template back, byte for byte";
    EXPECT_EQ(undo.RedoCount(), 2);

    ASSERT_TRUE(undo.Redo(*report));
    EXPECT_DOUBLE_EQ(LeftOf(*report, "Memo5"), start + 10);
    EXPECT_EQ(undo.RedoCount(), 1);
    // A new change after an undo drops what could be redone.
    report->FindObject(QStringLiteral("Memo7"))->SetTop(1);
    undo.AddUndo(*report);
    EXPECT_EQ(undo.RedoCount(), 0);
    EXPECT_FALSE(undo.Redo(*report));
}

TEST(UndoBuffer, KeepsTheFileNameAndTheObjectsDesigned)
{
    auto report = LoadCertificate();
    TfrxDesignerPictureCache pictures;
    TfrxUndoBuffer undo(pictures);
    undo.AddUndo(*report);
    report->FindObject(QStringLiteral("Memo1"))->SetTop(5);
    undo.AddUndo(*report);
    ASSERT_TRUE(undo.Undo(*report));
    EXPECT_EQ(report->FileName(), QStringLiteral(ZOR_TEMPLATE_FILE));
    EXPECT_NE(FirstPage(*report), nullptr);
}

TEST(UndoBuffer, SnapshotsReferToPicturesByIndexAndKeepEachOnce)
{
    auto report = EmptyReport();
    auto *view = new TfrxPictureView(FirstPage(*report));
    view->SetName(QStringLiteral("Picture1"));
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(Qt::red);
    view->SetPicture(image);
    TfrxDesignerPictureCache pictures;
    TfrxUndoBuffer undo(pictures);
    const QByteArray snapshot = undo.Snapshot(*report);
    EXPECT_TRUE(snapshot.contains("Picture.Index=\"0\""));
    EXPECT_FALSE(snapshot.contains("PropData"));
    for (int i = 0; i < 3; ++i) {
        undo.AddUndo(*report);
        report->FindObject(QStringLiteral("Picture1"))->SetLeft(10 * i);
    }
    undo.AddUndo(*report);
    ASSERT_TRUE(undo.Undo(*report));
    ASSERT_TRUE(undo.Undo(*report));
    EXPECT_EQ(pictures.Count(), 1) << "one picture, however many snapshots and reloads";
    auto *restored = qobject_cast<TfrxPictureView *>(report->FindObject(QStringLiteral("Picture1")));
    ASSERT_NE(restored, nullptr);
    EXPECT_EQ(restored->Picture().convertToFormat(QImage::Format_RGB32), image);
}

} // namespace
