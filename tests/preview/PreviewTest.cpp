// The preview window and control over a small store of prepared pages: layout, zoom, paging,
// search, the window's buttons and texts, preparation inside the window, and PDF export.
#include "FakePreviewPages.h"
#include "PdfText.h"
#include "QtPrinters.h"
#include "TfrxError.h"
#include "TfrxHyperlink.h"
#include "TfrxMemoView.h"
#include "TfrxPageList.h"
#include "TfrxPageSettingsForm.h"
#include "TfrxSearchDialog.h"
#include "TfrxPreview.h"
#include "TfrxPreviewForm.h"
#include "TfrxPreviewWorkspace.h"
#include "TfrxReport.h"
#include "TfrxReportOptions.h"
#include "TfrxReportPage.h"
#include "TfrxReportServices.h"
#include "TfrxTextFinder.h"
#include "zorPdfExport.h"
#include "zorPreview.h"
#include "zorTemplateFormat.h"
#include "zorPrinterTexts.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cmath>

using namespace zor;

namespace {

// The certificate's paper: A5 landscape, 210 x 148 mm, margins 10 mm.
constexpr QSizeF a5Landscape(210, 148);

// Where the test writes the pictures it makes, for a person to look at.
QString picturePath(const QString &name)
{
    const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/pictures");
    QDir().mkpath(folder);
    return folder + u'/' + name;
}

struct Environment
{
    Environment()
    {
        zorRegisterTemplateFormat();
        registerFakeEngine();
        zorRegisterPreview();
        zorSetPrinterErrorHandler([this](const QString &message) { errors << message; });
    }
    QStringList errors;
};

Environment &environment()
{
    static Environment instance;
    return instance;
}

class PreviewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        environment().errors.clear();
        pages = static_cast<FakePreviewPages *>(report.PreviewPages());
        report.PreviewOptions()->Maximized = false;
    }

    // Pages of the certificate's paper, each with one text naming it.
    void addPages(int count)
    {
        for (int i = 1; i <= count; ++i) {
            TfrxReportPage *page = pages->AddPage(a5Landscape, true, 11);
            FakePreviewPages::AddText(page, QStringLiteral("Страница %1").arg(i), QRectF(100, 50, 300, 30));
        }
    }

    TfrxReport report;
    FakePreviewPages *pages = nullptr;
};

TEST(PageList, RowsAreCentredInTheUsableWidth)
{
    const struct
    {
        QList<QSize> pages;
        int usable;
        QList<QPoint> expected;
    } cases[] = {
        // One certificate page wider area: centred; narrower area: 10 from the left.
        {{{794, 559}}, 1000, {{((1000 - 794) / 2) + 10, 10}}},
        {{{794, 559}}, 700, {{10, 10}}},
        // Two small pages share a row; the third goes below the taller of them.
        {{{100, 50}, {100, 80}, {100, 50}}, 215, {{12, 10}, {122, 10}, {67, 100}}},
        {{{100, 50}, {100, 50}}, 150, {{35, 10}, {35, 70}}},
    };
    for (const auto &c : cases) {
        TfrxPageList list;
        for (QSize size : c.pages)
            list.AddPage(size.width(), size.height());
        list.CalcBounds(c.usable);
        for (qsizetype i = 0; i < c.expected.size(); ++i)
            EXPECT_EQ(list.GetPageBounds(int(i), 0, 1).topLeft(), c.expected[i])
                << "page " << i << " in " << c.usable;
    }
}

TEST(PageList, CurrentPageFollowsTheScrollPosition)
{
    TfrxPageList list;
    for (int i = 0; i < 4; ++i)
        list.AddPage(100, 100);
    list.CalcBounds(100);
    // Tops at 10, 120, 230, 340: a page is current once its top is within a fifth of its height.
    const std::pair<int, int> cases[] = {{0, 0}, {99, 0}, {100, 1}, {210, 2}, {1000, 3}};
    for (auto [scroll, page] : cases)
        EXPECT_EQ(list.FindCurrentPage(scroll), page) << scroll;
    EXPECT_EQ(list.GetPageBounds(7, 1000, 0.5), QRect(302, 5, 397, 562)) << "out of range: an A4 page";
    EXPECT_EQ(list.FindPageAt(QPoint(50, 130)), 1);
    EXPECT_EQ(list.FindPageAt(QPoint(50, 115)), -1);
}

TEST(FillText, MarksTakeTheirValuesInOrder)
{
    const struct
    {
        const char16_t *pattern;
        QStringList values;
        const char16_t *expected;
    } cases[] = {
        {u"Page %d of %d", {QStringLiteral("2"), QStringLiteral("5")}, u"Page 2 of 5"},
        {u"%s: %d%%", {QStringLiteral("a"), QStringLiteral("7")}, u"a: 7%"},
        {u"%d and %d", {QStringLiteral("1")}, u"1 and %d"},
        {u"%x %n %5d %", {QStringLiteral("1")}, u"%x %n %5d %"},
        {u"of %d", {QStringLiteral("3"), QStringLiteral("4")}, u"of 3"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(zorFillText(QString::fromUtf16(c.pattern), c.values), QString::fromUtf16(c.expected));
}

TEST_F(PreviewTest, ZoomStaysWithinItsLimits)
{
    addPages(2);
    TfrxPreview preview;
    preview.resize(900, 700);
    preview.Init(&report);
    const struct
    {
        double set;
        double expected;
    } cases[] = {{0.1, 0.25}, {1.5, 1.5}, {20, 8}, {-3, 0.25}, {std::nan(""), 1}};
    for (const auto &c : cases) {
        preview.SetZoom(c.set);
        EXPECT_DOUBLE_EQ(preview.Zoom(), c.expected) << c.set;
        EXPECT_EQ(preview.ZoomMode(), zmDefault);
    }
    preview.SetZoom(0.35);
    preview.WheelZoom(-1);
    EXPECT_DOUBLE_EQ(preview.Zoom(), 0.3);
    preview.WheelZoom(-1);
    EXPECT_DOUBLE_EQ(preview.Zoom(), 0.3);
    preview.WheelZoom(2);
    EXPECT_NEAR(preview.Zoom(), 0.5, 1e-9);
    // The workspace lays the certificate's page out at 794 x 559 at zoom 1.
    preview.SetZoom(1);
    EXPECT_EQ(preview.Workspace()->PageList().GetPageBounds(0, 0, 1).size(), QSize(794, 559));
}

TEST_F(PreviewTest, WholePageFitsByWidthInATallAreaAndByHeightInAWideOne)
{
    addPages(1);
    TfrxPreview preview;
    preview.Init(&report);
    preview.resize(500, 1200);
    preview.show();
    QApplication::processEvents();
    preview.SetZoomMode(zmWholePage);
    const int usable = preview.Workspace()->UsableWidth();
    EXPECT_NEAR(preview.Zoom(), usable / 794.0, 1e-9) << "tall: by width";
    preview.resize(1600, 500);
    QApplication::processEvents();
    preview.SetZoomMode(zmWholePage);
    EXPECT_NEAR(preview.Zoom(), (preview.Workspace()->height() - 26) / 559.0, 1e-9) << "wide: by height";
    preview.SetZoomMode(zmPageWidth);
    EXPECT_NEAR(preview.Zoom(), preview.Workspace()->UsableWidth() / 794.0, 1e-9);
    EXPECT_EQ(preview.ZoomMode(), zmPageWidth);
}

TEST_F(PreviewTest, KeysMoveBetweenPages)
{
    addPages(4);
    TfrxPreview preview;
    preview.resize(900, 600);
    preview.Init(&report);
    preview.show();
    const struct
    {
        int key;
        Qt::KeyboardModifiers modifiers;
        int expected;
    } steps[] = {
        {Qt::Key_PageUp, Qt::ControlModifier, 1}, {Qt::Key_PageDown, Qt::ControlModifier, 2},
        {Qt::Key_End, Qt::NoModifier, 4},         {Qt::Key_PageDown, Qt::ControlModifier, 4},
        {Qt::Key_Home, Qt::NoModifier, 1},
    };
    for (const auto &step : steps) {
        QTest::keyClick(preview.Workspace(), Qt::Key(step.key), step.modifiers);
        EXPECT_EQ(preview.PageNo(), step.expected) << step.key;
    }
    // Scrolling down far enough makes the next page current.
    const int secondTop = preview.Workspace()->PageList().GetPageBounds(1, 0, 1).top();
    preview.Workspace()->verticalScrollBar()->setValue(secondTop);
    EXPECT_EQ(preview.PageNo(), 2);
}

TEST_F(PreviewTest, SearchFindsRunsInDrawingOrderAndGoesOn)
{
    TfrxReportPage *first = pages->AddPage(a5Landscape, true, 11);
    FakePreviewPages::AddText(first, QStringLiteral("Иванов Иван"), QRectF(20, 20, 300, 25));
    FakePreviewPages::AddText(first, QStringLiteral("ПРОТОКОЛ № 7"), QRectF(20, 200, 300, 25));
    FakePreviewPages::AddText(first, QStringLiteral("протокол экзамена"), QRectF(20, 300, 300, 25));
    TfrxReportPage *second = pages->AddPage(a5Landscape, true, 11);
    FakePreviewPages::AddText(second, QStringLiteral("Протокол на второй странице"), QRectF(50, 100, 400, 25));

    const QList<TfrxTextRun> runs = TfrxTextFinder::PageRuns(*pages, 0);
    ASSERT_EQ(runs.size(), 3);
    EXPECT_EQ(runs[1].Text, QStringLiteral("ПРОТОКОЛ № 7"));
    // A run lies in its object, shifted by the page's 10 mm margins.
    const double margin = 10 * fr01cm;
    EXPECT_GE(runs[1].Bounds.left(), 20 + margin - 1);
    EXPECT_GE(runs[1].Bounds.top(), 200 + margin - 1);
    EXPECT_LE(runs[1].Bounds.bottom(), 225 + margin + 1);

    TfrxPreview preview;
    preview.resize(900, 600);
    preview.Init(&report);
    const struct
    {
        bool fromTop;
        bool caseSensitive;
        int page;
        double top;
    } hits[] = {
        {true, false, 1, 200}, // the first run in drawing order
        {false, false, 1, 300}, // the next occurrence on the same page
        {false, false, 2, 100}, // then the next page
    };
    for (const auto &hit : hits) {
        ASSERT_TRUE(preview.FindText(QStringLiteral("протокол"), hit.fromTop, hit.caseSensitive));
        EXPECT_EQ(preview.PageNo(), hit.page);
        EXPECT_EQ(preview.Workspace()->FoundPage(), hit.page - 1);
        EXPECT_GE(preview.Workspace()->FoundBounds().top(), hit.top + margin);
        EXPECT_LE(preview.Workspace()->FoundBounds().bottom(), hit.top + 25 + margin + 1);
    }
    EXPECT_FALSE(preview.FindText(QStringLiteral("протокол"), false, false)) << "nothing after the last hit";
    EXPECT_TRUE(preview.FindText(QStringLiteral("Протокол"), true, true));
    EXPECT_EQ(preview.PageNo(), 2) << "case-sensitive: only the second page's text";
    EXPECT_FALSE(preview.FindText(QStringLiteral("нет такого"), true, false));
}

// Ink bounds of the dark pixels in a rectangle of an image.
QRect inkBounds(const QImage &image, QRect area)
{
    QRect ink;
    area &= image.rect();
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

TEST_F(PreviewTest, APageDrawnAtZoomTwoHasItsTextWhereZoomOneHasItScaled)
{
    TfrxReportPage *page = pages->AddPage(a5Landscape, true, 11);
    const QList<QRectF> places = {QRectF(0, 0, 250, 25), QRectF(300, 100, 300, 25), QRectF(40, 400, 500, 30)};
    const QStringList texts = {QStringLiteral("ООО «Ромашка»"), QStringLiteral("Иванов Иван Иванович"),
                               QStringLiteral("Категория B, протокол № 17 от 5 мая 2026 г.")};
    for (qsizetype i = 0; i < places.size(); ++i)
        FakePreviewPages::AddText(page, texts[i], places[i]);

    QImage images[2];
    for (int zoom = 1; zoom <= 2; ++zoom) {
        const QSize size = pages->GetPageSize(0) * zoom;
        QImage &image = images[zoom - 1];
        image = QImage(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        pages->DrawPage(0, &painter, zoom, zoom, 0, 0);
        painter.end();
        image.save(picturePath(QStringLiteral("page-zoom%1.png").arg(zoom)));
    }
    const double margin = 10 * fr01cm;
    for (const QRectF &place : places) {
        const QRect area = place.translated(margin, margin).toAlignedRect().adjusted(-2, -2, 2, 2);
        const QRect one = inkBounds(images[0], area);
        const QRect two = inkBounds(images[1], QRect(area.topLeft() * 2, area.size() * 2));
        ASSERT_FALSE(one.isEmpty());
        EXPECT_NEAR(two.left() / 2.0, one.left(), 1) << place.top();
        EXPECT_NEAR(two.top() / 2.0, one.top(), 1) << place.top();
        EXPECT_NEAR((two.right() + 1) / 2.0, one.right() + 1, 1) << place.top();
        EXPECT_NEAR((two.bottom() + 1) / 2.0, one.bottom() + 1, 1) << place.top();
    }
}

TEST_F(PreviewTest, TheWindowShowsTheButtonsTheOptionsAskFor)
{
    addPages(3);
    const struct
    {
        TfrxPreviewButtons buttons;
        QStringList shown;
        QStringList hidden;
    } cases[] = {
        {TfrxPreviewOptions::DefaultButtons,
         {QStringLiteral("PrintB"), QStringLiteral("PdfB"), QStringLiteral("FindB"), QStringLiteral("FullScreenB"),
          QStringLiteral("NextB"), QStringLiteral("CloseBAction")},
         {}},
        {TfrxPreviewButtons(pbPrint | pbNavigator | pbNoClose),
         {QStringLiteral("PrintB"), QStringLiteral("PageEAction"), QStringLiteral("Sep4")},
         {QStringLiteral("SaveB"), QStringLiteral("FindB"), QStringLiteral("Sep1"), QStringLiteral("Sep2"),
          QStringLiteral("ZoomCBAction"), QStringLiteral("CloseBAction")}},
        {TfrxPreviewButtons(pbZoom | pbNoFullScreen | pbSave),
         {QStringLiteral("ZoomInB"), QStringLiteral("SaveB")},
         {QStringLiteral("FullScreenB"), QStringLiteral("PdfB"), QStringLiteral("Sep4")}},
    };
    for (const auto &c : cases) {
        report.PreviewOptions()->Buttons = c.buttons;
        TfrxPreviewForm form(report);
        for (const QString &name : c.shown)
            EXPECT_TRUE(form.Button(name) != nullptr && form.Button(name)->isVisible()) << name.toStdString();
        for (const QString &name : c.hidden)
            EXPECT_TRUE(form.Button(name) != nullptr && !form.Button(name)->isVisible()) << name.toStdString();
    }
}

TEST_F(PreviewTest, TheWindowNamesItsPagesAndZoom)
{
    addPages(3);
    TfrxPreviewForm form(report);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Preview"));
    EXPECT_EQ(form.StatusText(0), QStringLiteral("Page 1 of 3"));
    form.Preview()->Next();
    EXPECT_EQ(form.StatusText(0), QStringLiteral("Page 2 of 3"));
    EXPECT_EQ(form.PageBox()->text(), QStringLiteral("2"));
    EXPECT_EQ(form.findChild<QLabel *>(QStringLiteral("OfNL"))->text(), QStringLiteral("of 3"));
    form.PageBox()->setText(QStringLiteral("3"));
    emit form.PageBox()->returnPressed();
    EXPECT_EQ(form.Preview()->PageNo(), 3);

    const struct
    {
        const char *typed;
        const char *shown;
    } zooms[] = {{"150 %", "150%"}, {"abc", "150%"}, {"5", "25%"}, {"99,6", "100%"}};
    for (const auto &zoom : zooms) {
        form.ZoomBox()->setEditText(QLatin1String(zoom.typed));
        emit form.ZoomBox()->lineEdit()->returnPressed();
        EXPECT_EQ(form.ZoomBox()->currentText(), QLatin1String(zoom.shown)) << zoom.typed;
    }
    report.ReportOptions()->Name = QStringLiteral("Свидетельство");
    EXPECT_EQ(TfrxPreviewForm(report).windowTitle(), QStringLiteral("Свидетельство"));
}

TEST_F(PreviewTest, ShowReportOpensTheWindowFirstAndFillsItWhilePreparing)
{
    for (int i = 1; i <= 3; ++i) {
        auto *page = new TfrxReportPage(&report);
        page->SetParent(&report);
        page->SetOrientation(poLandscape);
        page->SetPaperSize(11);
        FakePreviewPages::AddText(page, QStringLiteral("Лист %1").arg(i), QRectF(10, 10, 200, 25));
    }
    QStringList seen;
    pages->OnPagePrepared = [&](int index) {
        auto *form = qobject_cast<TfrxPreviewForm *>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr) << "the window is on screen while the report prepares";
        seen << QStringLiteral("%1:%2").arg(index).arg(form->CloseButton()->text());
        form->reject(); // refused while preparing
        if (index == 2) {
            // Closes the window once the preparation has ended.
            auto *closer = new QTimer(form);
            QObject::connect(closer, &QTimer::timeout, form, [form] {
                if (!form->Preview()->Running())
                    form->CloseButton()->click();
            });
            closer->start(10);
        }
    };
    report.ShowReport();
    EXPECT_EQ(seen, (QStringList{QStringLiteral("0:Cancel"), QStringLiteral("1:Cancel"), QStringLiteral("2:Cancel")}));
    EXPECT_EQ(pages->GetCount(), 3);
    EXPECT_TRUE(environment().errors.isEmpty()) << environment().errors.join(u'\n').toStdString();
}

// Closes the window as soon as it has finished preparing (it cannot be closed before).
void closeOncePrepared(TfrxPreviewForm *form)
{
    auto *closer = new QTimer(form);
    QObject::connect(closer, &QTimer::timeout, form, [form] {
        if (!form->Preparing())
            form->CloseButton()->click();
    });
    closer->start(10);
}

// Template pages of the certificate's paper, each with one text.
void addTemplatePages(TfrxReport &report, int count)
{
    for (int i = 1; i <= count; ++i) {
        auto *page = new TfrxReportPage(&report);
        page->SetParent(&report);
        page->SetOrientation(poLandscape);
        page->SetPaperSize(11);
        FakePreviewPages::AddText(page, QStringLiteral("Лист %1").arg(i), QRectF(10, 10, 200, 25));
    }
}

// Many slow pages: each joins the layout while there are few, later only every fifth; the
// status bar names the page being prepared; Cancel stops the run and the pages so far stay.
TEST_F(PreviewTest, LivePreparationShowsPagesAsTheyComeAndCancelStopsIt)
{
    addTemplatePages(report, 70);
    struct Seen {
        int laidOut;
        QString message;
        QString button;
        bool visibleAfterClose;
    };
    QMap<int, Seen> seen;
    pages->OnPagePrepared = [&](int index) {
        auto *form = qobject_cast<TfrxPreviewForm *>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        if (index == 0)
            QTest::qWait(15); // a slow first page: the update interval becomes 5 pages
        form->close();
        seen[index] = {form->Preview()->Workspace()->PageList().Count(), form->StatusText(1),
                       form->CloseButton()->text(), form->isVisible()};
        if (index == 57) {
            form->CloseButton()->click(); // Cancel
            closeOncePrepared(form);
        }
    };
    report.ShowReport();
    ASSERT_EQ(seen.size(), 58) << "preparation stops after the cancelled page";
    EXPECT_EQ(pages->GetCount(), 58);
    const struct {
        int index;
        int laidOut;
    } expected[] = {{0, 1}, {1, 2}, {49, 50}, {50, 51}, {52, 51}, {54, 51}, {55, 56}, {57, 56}};
    for (const auto &e : expected) {
        SCOPED_TRACE(e.index);
        EXPECT_EQ(seen[e.index].laidOut, e.laidOut);
        EXPECT_EQ(seen[e.index].message, QStringLiteral("Preparing page %1").arg(e.index + 1));
        EXPECT_EQ(seen[e.index].button, QStringLiteral("Cancel"));
        EXPECT_TRUE(seen[e.index].visibleAfterClose) << "the window cannot be closed while preparing";
    }
    EXPECT_TRUE(environment().errors.isEmpty()) << environment().errors.join(u'\n').toStdString();
}

TEST_F(PreviewTest, AfterPreparationTheWindowShowsEveryPageAndClosesAgain)
{
    addTemplatePages(report, 3);
    report.PreviewOptions()->Modal = false;
    report.ShowReport();
    QPointer<TfrxPreviewForm> window;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *f = qobject_cast<TfrxPreviewForm *>(w); f != nullptr && f->isVisible())
            window = f;
    ASSERT_FALSE(window.isNull());
    QTRY_VERIFY_WITH_TIMEOUT(!window->Preparing() && pages->GetCount() == 3, 5000);
    EXPECT_EQ(window->CloseButton()->text(), QStringLiteral("Close"));
    EXPECT_EQ(window->StatusText(0), QStringLiteral("Page 1 of 3"));
    EXPECT_TRUE(window->StatusText(1).isEmpty());
    EXPECT_EQ(window->Preview()->Workspace()->PageList().Count(), 3);
    EXPECT_EQ(report.Preview(), window->Preview()) << "the open window's preview is attached";

    // Showing again while the window is open prepares into the same window.
    pages->Clear();
    report.ShowReport();
    QTRY_VERIFY_WITH_TIMEOUT(pages->GetCount() == 3 && !window->Preparing(), 5000);
    int windows = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        windows += qobject_cast<TfrxPreviewForm *>(w) != nullptr && w->isVisible();
    EXPECT_EQ(windows, 1);

    window->CloseButton()->click();
    QTRY_VERIFY_WITH_TIMEOUT(window.isNull(), 5000);
    EXPECT_EQ(report.Preview(), nullptr) << "a closed window leaves no preview attached";
}

TEST_F(PreviewTest, FirstPassOfADoublePassReportCountsPagesInTheStatusBar)
{
    addTemplatePages(report, 3);
    report.EngineOptions()->DoublePass = true;
    QStringList seen;
    pages->OnPagePrepared = [&](int index) {
        auto *form = qobject_cast<TfrxPreviewForm *>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        seen << QStringLiteral("%1 | %2 | %3").arg(index).arg(form->StatusText(0), form->StatusText(1));
        if (report.Engine()->FinalPass() && index == 2) {
            closeOncePrepared(form);
        }
    };
    report.ShowReport();
    ASSERT_EQ(seen.size(), 6);
    EXPECT_EQ(seen[1], QStringLiteral("1 | First pass: page 2 | First pass: page 2"));
    EXPECT_EQ(seen[4], QStringLiteral("1 | Page 1 of 2 | Preparing page 2"));
}

TEST_F(PreviewTest, AFailedPreparationClosesTheWindowAndReachesTheCaller)
{
    auto *page = new TfrxReportPage(&report);
    page->SetParent(&report);
    FakePreviewPages::AddText(page, QStringLiteral("[bad]"), QRectF(10, 10, 200, 25))->SetName(QStringLiteral("Memo7"));
    const struct
    {
        TfrxSilentMode mode;
        bool raises;
        int boxes;
    } cases[] = {{simReThrow, true, 0}, {simMessageBoxes, false, 1}, {simSilent, false, 0}};
    for (const auto &c : cases) {
        environment().errors.clear();
        report.EngineOptions()->NewSilentMode = c.mode;
        bool raised = false;
        try {
            report.ShowReport();
        } catch (const TfrxError &error) {
            raised = true;
            EXPECT_TRUE(error.Message().contains(QStringLiteral("Memo7: Undeclared identifier: 'bad'")))
                << error.Message().toStdString();
        }
        EXPECT_EQ(raised, c.raises);
        EXPECT_EQ(environment().errors.size(), c.boxes);
        if (c.boxes > 0) {
            EXPECT_EQ(environment().errors[0], QStringLiteral("The following error(s) have occured:\r\n"
                                                              "Memo7: Undeclared identifier: 'bad'"));
        }
        EXPECT_EQ(pages->GetCount(), 0) << "the window closes without pages";
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
}

TEST_F(PreviewTest, TheWindowLooksTidy)
{
    addPages(2);
    report.PreviewOptions()->ShowCaptions = false;
    TfrxPreviewForm form(report);
    form.resize(1100, 760);
    form.show();
    QApplication::processEvents();
    EXPECT_TRUE(form.grab().save(picturePath(QStringLiteral("preview-window.png"))));
    // Every caption fits its control.
    for (QLabel *label : form.findChildren<QLabel *>()) {
        if (label->isVisible() && !label->text().isEmpty()) {
            EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()))
                << label->objectName().toStdString();
        }
    }
    EXPECT_GE(form.CloseButton()->width(), form.CloseButton()->sizeHint().width());

    // The dialogs of the window, for a person to look at.
    TfrxSearchDialog search;
    search.show();
    EXPECT_TRUE(search.grab().save(picturePath(QStringLiteral("search-dialog.png"))));
    TfrxPageSettingsForm settings(report, 0);
    settings.show();
    EXPECT_TRUE(settings.grab().save(picturePath(QStringLiteral("page-settings.png"))));
}

TEST_F(PreviewTest, PdfExportWritesSelectableTextOnThePagesPaper)
{
    addPages(2);
    TfrxReportPage *portrait = pages->AddPage(QSizeF(100, 150));
    FakePreviewPages::AddText(portrait, QStringLiteral("узкая"), QRectF(0, 0, 200, 30));
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("out.pdf"));
    QString error;
    ASSERT_TRUE(zorExportPdf(report, file, error)) << error.toStdString();
    const QList<PdfPage> pdf = readPdfText(file);
    ASSERT_EQ(pdf.size(), 3);
    constexpr double pointsPerMm = 72 / 25.4;
    EXPECT_NEAR(pdf[0].size.width() / pointsPerMm, 210, 0.5);
    EXPECT_NEAR(pdf[0].size.height() / pointsPerMm, 148, 0.5);
    EXPECT_NEAR(pdf[2].size.width() / pointsPerMm, 100, 0.5);
    EXPECT_NEAR(pdf[2].size.height() / pointsPerMm, 150, 0.5);
    ASSERT_FALSE(pdf[1].words.isEmpty());
    EXPECT_EQ(pdf[1].words[0].text, QStringLiteral("Страница"));
    EXPECT_EQ(pdf[1].words[1].text, QStringLiteral("2"));
    // The text object stands at 100 report pixels right of the 10 mm margin.
    EXPECT_NEAR(pdf[1].words[0].box.left() / pointsPerMm, 10 + 100 / fr01cm, 1);

    EXPECT_FALSE(zorExportPdf(report, dir.filePath(QStringLiteral("missing/out.pdf")), error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Cannot write"))) << error.toStdString();
}

TEST_F(PreviewTest, SavedPagesGetTheirExtensionAndLoadBack)
{
    addPages(2);
    QTemporaryDir dir;
    TfrxPreview preview;
    preview.Init(&report);
    ASSERT_TRUE(preview.SaveToFile(dir.filePath(QStringLiteral("certificate"))));
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("certificate.zi3"))));
    pages->Clear();
    ASSERT_TRUE(preview.LoadFromFile(dir.filePath(QStringLiteral("certificate.zi3"))));
    EXPECT_EQ(preview.PageCount(), 2);
    EXPECT_EQ(preview.PageNo(), 1);
    EXPECT_FALSE(preview.LoadFromFile(dir.filePath(QStringLiteral("none.zi3"))));
    EXPECT_EQ(environment().errors.value(0), QStringLiteral("Cannot open file \"%1\"").arg(dir.filePath(QStringLiteral("none.zi3"))));
}

} // namespace

namespace {

TEST_F(PreviewTest, OnlyWebAndMailLinksOpenWithoutAsking)
{
    addPages(3);
    TfrxMemoView *memo = FakePreviewPages::AddText(pages->GetPage(0), QStringLiteral("ссылка"), QRectF(40, 40, 100, 20));
    QStringList opened;
    TfrxPreview::SetUrlOpener([&opened](const QUrl &url) {
        opened << url.toString();
        return true;
    });
    TfrxPreview preview;
    preview.resize(900, 600);
    preview.Init(&report);
    const QPointF inside(10 * fr01cm + 45, 10 * fr01cm + 45);
    ASSERT_EQ(preview.ViewAt(0, inside), memo);
    EXPECT_EQ(preview.ViewAt(0, QPointF(2, 2)), nullptr) << "the page's margin holds no object";
    const struct
    {
        const char *link;
        QMessageBox::StandardButton answer; // NoButton: no question is asked
        bool opens;
    } cases[] = {
        {"https://example.org/a?b=1", QMessageBox::NoButton, true},
        {"mailto:school@example.org", QMessageBox::NoButton, true},
        {"file:///etc/passwd", QMessageBox::No, false},
        {"smb://server/share", QMessageBox::Yes, true},
    };
    for (const auto &c : cases) {
        opened.clear();
        memo->Hyperlink()->SetKind(hkURL);
        memo->Hyperlink()->SetValue(QLatin1String(c.link));
        bool asked = false;
        if (c.answer != QMessageBox::NoButton) {
            QTimer::singleShot(0, [&asked, &c] {
                auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                ASSERT_NE(box, nullptr);
                EXPECT_TRUE(box->text().contains(QLatin1String(c.link)));
                asked = true;
                box->button(c.answer)->click();
            });
        }
        preview.FollowHyperlink(memo);
        EXPECT_EQ(asked, c.answer != QMessageBox::NoButton) << c.link;
        EXPECT_EQ(opened.size(), c.opens ? 1 : 0) << c.link;
    }
    memo->Hyperlink()->SetKind(hkPageNumber);
    memo->Hyperlink()->SetValue(QStringLiteral("3"));
    preview.FollowHyperlink(memo);
    EXPECT_EQ(preview.PageNo(), 3);
    TfrxPreview::SetUrlOpener([](const QUrl &) { return false; });
}

} // namespace

namespace {

FakeEngine &fakeEngine(TfrxReport &report) { return *static_cast<FakeEngine *>(report.Engine()); }

TEST_F(PreviewTest, PreparationTellsTheHostAroundTheScript)
{
    addTemplatePages(report, 1);
    QStringList events;
    report.SetOnBeginDoc([&events](TfrxReport &) { events << QStringLiteral("begin"); });
    report.SetOnAfterScriptCompile([&events](TfrxReport &) { events << QStringLiteral("compiled"); });
    report.SetOnEndDoc([&events](TfrxReport &) { events << QStringLiteral("end"); });
    report.EngineOptions()->NewSilentMode = simSilent;
    ASSERT_TRUE(report.PrepareReport());
    EXPECT_EQ(events, (QStringList{QStringLiteral("begin"), QStringLiteral("compiled"), QStringLiteral("end")}));
    events.clear();
    report.SetScriptText({QStringLiteral("begin"), QStringLiteral("  x := ;"), QStringLiteral("end.")});
    EXPECT_FALSE(report.PrepareReport());
    EXPECT_EQ(events, QStringList{QStringLiteral("begin")}) << "a script that does not compile runs nothing";
}

TEST_F(PreviewTest, TheHostHearsTheWindowOpenAndClose)
{
    addPages(1);
    QStringList events;
    report.SetOnPreview([&events](TfrxReport &r) {
        events << QStringLiteral("preview");
        EXPECT_NE(r.Preview(), nullptr) << "the window's preview is bound before the handler runs";
        QTimer::singleShot(0, [] {
            if (auto *form = qobject_cast<TfrxPreviewForm *>(QApplication::activeModalWidget()))
                form->CloseButton()->click();
        });
    });
    report.SetOnClosePreview([&events](TfrxReport &) { events << QStringLiteral("closed"); });
    report.ShowPreparedReport();
    EXPECT_EQ(events, (QStringList{QStringLiteral("preview"), QStringLiteral("closed")}));
    EXPECT_EQ(report.Preview(), nullptr);
}

// The mouse over and on a page's objects, through the page area's own events.
class PreviewMouseTest : public PreviewTest
{
protected:
    void SetUp() override
    {
        PreviewTest::SetUp();
        addPages(2);
        memo = FakePreviewPages::AddText(pages->GetPage(0), QStringLiteral("ссылка"), QRectF(40, 40, 100, 20));
        memo->SetName(QStringLiteral("Link"));
        memo->SetHint(QStringLiteral("подсказка"));
        report.SetScriptText({QStringLiteral("var Seen: String;"),
                              QStringLiteral("procedure Click(Sender: Variant; Button, Shift: Integer; var Modified: Boolean);"),
                              QStringLiteral("begin Seen := Seen + 'c'; Modified := Button = 1; end;"),
                              QStringLiteral("procedure Enter(Sender: Variant; var Refresh: Boolean);"),
                              QStringLiteral("begin Seen := Seen + 'e'; end;"), QStringLiteral("begin"),
                              QStringLiteral("end.")});
        ASSERT_TRUE(report.PrepareScript());
        memo->SetOnPreviewClick(QStringLiteral("Click"));
        memo->SetOnMouseEnter(QStringLiteral("Enter"));
        preview.resize(900, 700);
        preview.Init(&report);
        preview.show();
        QApplication::processEvents();
    }
    // A point in report pixels from the first page's corner, on the page area's viewport.
    QPoint onScreen(QPointF point) const
    {
        const TfrxPreviewWorkspace *area = preview.Workspace();
        const QRect page = area->PageList().GetPageBounds(0, area->viewport()->width(), area->Zoom());
        return page.topLeft() + (point * area->Zoom()).toPoint() - area->Offset();
    }
    QString seen()
    {
        QVariant v;
        report.DoGetValue(QStringLiteral("Seen"), v);
        return v.toString();
    }

    TfrxMemoView *memo = nullptr;
    TfrxPreview preview;
    const QPointF inside{10 * fr01cm + 45, 10 * fr01cm + 45};
};

TEST_F(PreviewMouseTest, OverAViewTheLinkShowsAndTheViewHearsEnterAndLeave)
{
    memo->Hyperlink()->SetKind(hkPageNumber);
    memo->Hyperlink()->SetValue(QStringLiteral("2"));
    QStringList host;
    report.SetOnMouseEnter([&host](TfrxView *view) { host << QStringLiteral("enter ") + view->Name(); });
    report.SetOnMouseLeave([&host](TfrxView *view) { host << QStringLiteral("leave ") + view->Name(); });
    QString message;
    QObject::connect(&preview, &TfrxPreview::Message, [&message](const QString &text) { message = text; });
    QWidget *viewport = preview.Workspace()->viewport();

    QTest::mouseMove(viewport, onScreen(inside));
    EXPECT_EQ(preview.ViewUnderMouse(), memo);
    EXPECT_EQ(message, QStringLiteral("2"));
    EXPECT_EQ(viewport->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseMove(viewport, onScreen(inside + QPointF(5, 0)));
    QTest::mouseMove(viewport, onScreen(QPointF(5, 5)));
    EXPECT_EQ(preview.ViewUnderMouse(), nullptr);
    EXPECT_TRUE(message.isEmpty());
    EXPECT_EQ(viewport->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(host, (QStringList{QStringLiteral("enter Link"), QStringLiteral("leave Link")}));
    EXPECT_EQ(seen(), QStringLiteral("e")) << "the view's script event runs once per entry";
}

TEST_F(PreviewMouseTest, AClickRunsTheClickEventsFollowsTheLinkAndAModifiedReportPreparesAgain)
{
    memo->Hyperlink()->SetKind(hkPageNumber);
    memo->Hyperlink()->SetValue(QStringLiteral("2"));
    QStringList host;
    report.SetOnClickObject([&host](TfrxView *view, int button, int shift, bool &modified) {
        host << QStringLiteral("click %1 %2 %3 %4").arg(view->Name()).arg(button).arg(shift).arg(modified);
    });
    report.SetOnDblClickObject([&host](TfrxView *view, int button, int shift, bool &) {
        host << QStringLiteral("double %1 %2 %3").arg(view->Name()).arg(button).arg(shift);
    });
    QWidget *viewport = preview.Workspace()->viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::ShiftModifier, onScreen(inside));
    EXPECT_EQ(preview.PageNo(), 2) << "the page-number link is followed";
    EXPECT_EQ(fakeEngine(report).Runs, 0);
    memo->Hyperlink()->SetValue(QString());
    preview.SetPageNo(1);
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    // The platform's order: press, release, a second press that is the double click, release.
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, onScreen(inside));
    QTest::mouseDClick(viewport, Qt::LeftButton, Qt::NoModifier, onScreen(inside));
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, onScreen(inside));
    EXPECT_EQ(host, (QStringList{QStringLiteral("click Link 0 9 0"), QStringLiteral("click Link 0 8 0"),
                                 QStringLiteral("double Link 0 72")}));
    EXPECT_EQ(seen().count(u'c'), 2) << "the view names no double-click event";

    // The right button makes the script mark the report modified: it is prepared again.
    QTest::mouseClick(viewport, Qt::RightButton, Qt::NoModifier, onScreen(inside));
    EXPECT_EQ(host.last(), QStringLiteral("click Link 1 16 1"));
    EXPECT_EQ(fakeEngine(report).Runs, 1);
}

} // namespace

