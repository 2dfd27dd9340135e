// The workspace as the operator sees it, drawn to PNG files (in the temporary folder's
// "zelta-workspace") to be looked at: the certificate's page over the picture of its blank, and
// a page with bands.

#include "WorkspaceFixture.h"

#include "TfrxDataBand.h"
#include "TfrxDesignerPageArea.h"
#include "TfrxFont.h"
#include "TfrxFrame.h"
#include "TfrxLineView.h"
#include "TfrxWorkspacePainter.h"
#include "zorTemplateFormat.h"

#include <QDir>
#include <QFileInfo>

using namespace zor;

namespace {

void Keep(const QImage &picture, const QString &name)
{
    const QDir folder(QDir::temp().filePath(QStringLiteral("zelta-workspace")));
    folder.mkpath(QStringLiteral("."));
    picture.save(folder.filePath(name));
}

QImage Blank()
{
    const QDir templates = QFileInfo(QStringLiteral(ZOR_TEMPLATE_FILE)).dir();
    return QImage(templates.filePath(QStringLiteral("../blank/blank.png")));
}

TEST(WorkspacePicture, TheCertificateLiesOverItsBlank)
{
    zorRegisterTemplateFormat();
    TfrxReport report;
    ASSERT_TRUE(report.LoadFromFile(QStringLiteral(ZOR_TEMPLATE_FILE), false));
    auto *page = qobject_cast<TfrxReportPage *>(report.FindObject(QStringLiteral("Page1")));
    ASSERT_NE(page, nullptr);
    for (TfrxComponent *object : report.GetAllObjects())
        object->SetIsDesigning(true);
    auto *memo = qobject_cast<TfrxMemoView *>(report.FindObject(QStringLiteral("Memo5")));
    memo->SetText(QStringLiteral("Иванов Иван Иванович"));
    QList<TfrxComponent *> objects = page->GetAllObjects();
    objects << &report << page;
    QList<TfrxComponent *> selected = {memo};

    TfrxDesignerPageArea area;
    area.resize(900, 680);
    TfrxDesignerWorkspace *workspace = area.Workspace();
    workspace->SetLists(&objects, &selected);
    workspace->SetPage(page);
    workspace->SetGridType(gt1cm);
    workspace->SetGrid(0.1 * fr1cm, 0.1 * fr1cm);
    const QImage blank = Blank();
    ASSERT_FALSE(blank.isNull());
    workspace->SetBackdrop(blank, QRectF(0, 0, 210, 148));
    area.show();
    const QImage withBlank = area.grab().toImage();
    Keep(withBlank, QStringLiteral("certificate.png"));

    // A point of the paper inside the margins, clear of the grid's lines and the objects.
    const QPoint probe = workspace->mapTo(&area, workspace->ReportToWidget({292, 7.5}).toPoint());
    EXPECT_NE(withBlank.pixelColor(probe), QColor(Qt::white));
    workspace->SetBackdropVisible(false);
    const QImage plain = area.grab().toImage();
    Keep(plain, QStringLiteral("certificate-plain.png"));
    EXPECT_EQ(plain.pixelColor(probe), QColor(Qt::white));

    // Another zoom in other units: the rulers leave out what would crowd.
    area.SetUnits(duPixels);
    workspace->SetGridType(gt1pt);
    workspace->SetGrid(4, 4);
    workspace->SetScale(0.6);
    Keep(area.grab().toImage(), QStringLiteral("certificate-pixels.png"));
    area.SetUnits(duInches);
    workspace->SetGridType(gt1in);
    workspace->SetGrid(fr01in, fr01in);
    workspace->SetScale(2);
    Keep(area.grab().toImage(), QStringLiteral("certificate-inches.png"));
}

using BandsPicture = WorkspaceFixture;

TEST_F(BandsPicture, BandsShowTheirCaptions)
{
    page->SetLeftMargin(10);
    page->SetRightMargin(10);
    page->SetTopMargin(10);
    page->SetBottomMargin(10);
    auto *header = AddBand<TfrxPageHeader>(0, 40);
    auto *data = AddBand<TfrxMasterData>(100, 24);
    auto *footer = AddBand<TfrxPageFooter>(200, 30);
    for (TfrxBand *band : std::initializer_list<TfrxBand *>{header, data, footer})
        band->SetWidth(page->Width() - 2 * 10 * fr01cm);
    TfrxMemoView *title = AddMemo(header, {10, 8, 300, 24});
    title->SetText(QStringLiteral("Список учащихся"));
    title->Font()->SetSize(14);
    title->Frame()->SetTyp(ftLeft | ftRight | ftTop | ftBottom);
    TfrxMemoView *name = AddMemo(data, {10, 2, 200, 20});
    name->SetText(QStringLiteral("[Students.\"Name\"]"));
    TfrxMemoView *hours = AddMemo(data, {220, 2, 80, 20});
    hours->SetText(QStringLiteral("[Students.\"Hours\"]"));
    auto *line = new TfrxLineView(footer);
    line->DesignCreate(0);
    line->SetBounds(10, 4, 500, 0);
    TfrxMemoView *number = AddMemo(footer, {500, 8, 200, 20});
    number->SetText(QStringLiteral("[Page#]"));
    workspace.SetGridType(gt1cm);
    workspace.SetGrid(0.1 * fr1cm, 0.1 * fr1cm);
    Refresh();
    selected = {name, hours};
    page->SetHGuides({QStringLiteral("400")});
    const QImage picture = workspace.grab(QRect(0, 0, workspace.width(), 420)).toImage();
    Keep(picture, QStringLiteral("bands.png"));

    const QPoint strip = workspace.ReportToWidget({300, data->Top() - 8}).toPoint();
    EXPECT_NE(picture.pixelColor(strip), QColor(Qt::white));
    const QColor kind = TfrxWorkspacePainter::BandColor(data);
    const QColor seen = picture.pixelColor(workspace.ReportToWidget({1, data->Top() - 8}).toPoint());
    EXPECT_EQ(seen, kind); // the strip's accent on its left

    // Halfway through a drag: the object's left edge lines up with the title's.
    Click({100, data->Top() + 10});
    Press({100, data->Top() + 10});
    MoveTo({100, data->Top() + 60});
    Keep(workspace.grab(QRect(0, 0, workspace.width(), 420)).toImage(), QStringLiteral("dragging.png"));
    Release({100, data->Top() + 60});
}

} // namespace
