// Page settings of the preview on a prepared report loaded from a file: the changed pages are
// written back into the store, so that they outlive the page cache and a saved report keeps them.
#include "TfrxBands.h"
#include "TfrxCustomPreviewPages.h"
#include "TfrxMemoView.h"
#include "TfrxPageSettingsForm.h"
#include "TfrxReport.h"
#include "TfrxReportOptions.h"
#include "TfrxReportPage.h"
#include "zorEngine.h"
#include "zorTemplateFormat.h"

#include <QBuffer>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace {

constexpr int kPages = 3;
constexpr int kA5 = 11;

class PageSettings : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        zorRegisterTemplateFormat();
        zorRegisterEngine();
    }

    // Three A4 portrait pages prepared, saved and loaded into `loaded`, whose cache holds one page.
    void SetUp() override
    {
        TfrxReport original;
        for (int i = 0; i < kPages; ++i) {
            auto *page = new TfrxReportPage(&original);
            page->SetName(QStringLiteral("Page%1").arg(i + 1));
            page->SetSizeAndDimensions(9, 210, 297);
            auto *title = new TfrxReportTitle(page);
            title->SetName(QStringLiteral("Title%1").arg(i + 1));
            title->SetBounds(0, 0, 300, 40);
            auto *memo = new TfrxMemoView(title);
            memo->SetName(QStringLiteral("Memo%1").arg(i + 1));
            memo->SetBounds(0, 0, 200, 20);
            memo->SetText(QStringLiteral("страница %1").arg(i + 1));
        }
        ASSERT_TRUE(original.PrepareReport()) << original.Errors().join(u'\n').toStdString();
        ASSERT_EQ(original.PreviewPages()->GetCount(), kPages);
        loaded.PreviewOptions()->PagesInCache = 1;
        load(loaded, saved(original));
        ASSERT_EQ(loaded.PreviewPages()->GetCount(), kPages);
    }

    static QByteArray saved(TfrxReport &report)
    {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        report.PreviewPages()->SaveToStream(&buffer);
        return buffer.data();
    }
    static void load(TfrxReport &report, const QByteArray &bytes)
    {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        report.PreviewPages()->LoadFromStream(&buffer);
    }

    // A5 landscape with a left margin of 2 cm, applied as the dialog's radio button says.
    void applyA5Landscape(int pageIndex, bool toAll)
    {
        TfrxPageSettingsForm form(loaded, pageIndex, nullptr, false);
        auto *paper = form.findChild<QComboBox *>(QStringLiteral("PaperCB"));
        paper->setCurrentIndex(paper->findData(kA5));
        form.findChild<QRadioButton *>(QStringLiteral("LandscapeRB"))->setChecked(true);
        form.findChild<QDoubleSpinBox *>(QStringLiteral("LeftE"))->setValue(2);
        form.findChild<QRadioButton *>(toAll ? QStringLiteral("AllRB") : QStringLiteral("CurrentRB"))
            ->setChecked(true);
        form.accept();
    }

    // Which pages of the saved and reloaded report are A5 landscape with the new margin.
    QList<bool> changedPagesAfterSaving()
    {
        TfrxReport reloaded;
        load(reloaded, saved(loaded));
        QList<bool> changed;
        for (int i = 0; i < reloaded.PreviewPages()->GetCount(); ++i) {
            const TfrxReportPage *page = reloaded.PreviewPages()->GetPage(i);
            changed << (page->PaperSize() == kA5 && page->Orientation() == zor::poLandscape &&
                        qFuzzyCompare(page->PaperWidth(), 210) && qFuzzyCompare(page->LeftMargin(), 20));
        }
        return changed;
    }

    TfrxReport loaded;
};

// Before the pages were written back, only the one page still in the cache changed, and saving
// kept none of it.
TEST_F(PageSettings, ApplyToAllChangesEverySavedPage)
{
    applyA5Landscape(0, true);
    EXPECT_EQ(changedPagesAfterSaving(), (QList<bool>{true, true, true}));
}

TEST_F(PageSettings, ApplyToTheCurrentPageChangesThatPageOnly)
{
    applyA5Landscape(1, false);
    EXPECT_EQ(changedPagesAfterSaving(), (QList<bool>{false, true, false}));
}

} // namespace
