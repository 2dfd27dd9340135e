// Writes the certificate's print template "shablon.ze3": a data page and one A5 landscape page
// with a text object for every place of the blank that the program fills. Positions are in
// report units from the top-left margin corner; font heights in pixels.
//
//   make_template <output.ze3>

#include "TfrxDataPage.h"
#include "TfrxFont.h"
#include "TfrxMemoView.h"
#include "TfrxReport.h"
#include "TfrxReportOptions.h"
#include "TfrxReportPage.h"
#include "zorTemplateFormat.h"

#include <QGuiApplication>
#include <QLocale>

#include <cstdio>
#include <iterator>

namespace {

enum Look { Plain, Italic, Bold };

struct MemoPlace {
    const char *name;
    double left, top, width, height;
    int pixels;
    Look look;
};

constexpr int cyrillicCharset = 204;
constexpr double rowTops[] = {105.83, 132.28, 154.96, 183.69, 241.89, 279.69,
                              321.64, 366.61, 396.85, 418.53, 434.65};
// The mark column's rows differ a little from the hours column's.
constexpr double markLefts[] = {645.30, 645.30, 646.30, 644.30, 643.30, 643.30,
                                643.30, 646.30, 646.30, 644.30, 644.30};
constexpr double markTops[] = {105.83, 132.28, 154.96, 183.31, 241.89, 279.69,
                               321.64, 366.61, 396.85, 418.53, 434.65};

const MemoPlace leftPage[] = {
    {"Memo1", 3.78, 33.02, 328.82, 26.46, 11, Italic},
    {"Memo2", 3.78, 58.47, 328.82, 15.12, 11, Italic},
    {"Memo3", 34.02, 85.93, 283.46, 15.12, 11, Italic},
    {"Memo4", 45.35, 200.31, 49.13, 15.12, 13, Bold},
    {"Memo5", 11.34, 262.57, 321.26, 15.12, 13, Italic},
    {"Memo6", 15.12, 305.36, 22.68, 15.12, 11, Italic},
    {"Memo7", 41.57, 305.36, 64.25, 15.12, 11, Italic},
    {"Memo8", 113.39, 305.36, 49.13, 15.12, 11, Italic},
    {"Memo9", 181.42, 305.36, 22.68, 15.12, 11, Italic},
    {"Memo10", 210.43, 305.36, 68.03, 15.12, 11, Italic},
    {"Memo11", 279.69, 305.36, 52.91, 15.12, 11, Italic},
    {"Memo12", 7.56, 364.75, 332.60, 15.12, 11, Italic},
};

const MemoPlace issuePlaces[] = {
    {"Memo24", 139.84, 429.09, 22.68, 15.12, 11, Plain},
    {"Memo25", 166.30, 429.09, 64.25, 15.12, 11, Plain},
    {"Memo26", 264.57, 429.09, 45.35, 15.12, 11, Plain},
    {"Memo27", 219.21, 457.54, 117.17, 15.12, 11, Plain},
};

const MemoPlace tablePlaces[] = {
    {"Memo39", 440.31, 246.67, 30.24, 15.12, 11, Plain},
    {"Memo40", 483.78, 286.46, 26.46, 15.12, 11, Plain},
    {"Memo41", 536.69, 313.92, 26.46, 15.12, 11, Plain},
    {"Memo42", 385.51, 326.93, 147.40, 15.12, 11, Plain},
    {"Memo_kval", 132.28, 396.85, 188.98, 15.12, 11, Italic},
    {"Memo_cat", 85.04, 411.97, 147.40, 15.12, 11, Italic},
    {"Memo_prot", 578.27, 7.56, 158.74, 15.12, 11, Italic},
    {"Memo_day", 410.08, 21.68, 22.68, 15.12, 11, Italic},
    {"Memo_month", 434.27, 21.68, 64.25, 15.12, 11, Italic},
    {"Memo_year", 510.24, 21.68, 56.69, 15.12, 11, Italic},
};

void setFont(TfrxFont *font, int pixels, Look look)
{
    font->SetName(QStringLiteral("Times New Roman"));
    font->SetColor(0);
    font->SetHeight(-pixels);
    font->SetCharset(cyrillicCharset);
    font->SetStyle(look == Italic ? zor::TFontStyles(zor::fsItalic)
                   : look == Bold ? zor::TFontStyles(zor::fsBold)
                                  : zor::TFontStyles());
}

void addMemo(TfrxReportPage *page, const QString &name, double left, double top, double width, double height,
             int pixels, Look look)
{
    auto *memo = new TfrxMemoView(page);
    memo->SetParent(page);
    memo->SetName(name);
    memo->SetBounds(left, top, width, height);
    memo->SetParentFont(false);
    setFont(memo->Font(), pixels, look);
    memo->SetHAlign(name == QLatin1String("Memo_prot") ? zorTextAlign::haLeft : zorTextAlign::haCenter);
}

void addMemos(TfrxReportPage *page, const MemoPlace *places, qsizetype count)
{
    for (qsizetype i = 0; i < count; ++i) {
        const MemoPlace &p = places[i];
        addMemo(page, QString::fromLatin1(p.name), p.left, p.top, p.width, p.height, p.pixels, p.look);
    }
}

void build(TfrxReport &report)
{
    // A fixed moment instead of now, so that remaking the template gives the same file.
    report.ReportOptions()->CreateDate = report.ReportOptions()->LastChange = 46366.5; // 2026-12-09 12:00
    report.ReportOptions()->Name = QStringLiteral("Свидетельство о профессии водителя");

    auto *data = new TfrxDataPage(&report);
    data->SetParent(&report);
    data->SetName(QStringLiteral("Data"));

    auto *page = new TfrxReportPage(&report);
    page->SetParent(&report);
    page->SetName(QStringLiteral("Page1"));
    page->SetOrientation(zor::poLandscape);
    page->SetSizeAndDimensions(11, 210, 148);
    page->SetLeftMargin(10);
    page->SetRightMargin(10);
    page->SetTopMargin(10);
    page->SetBottomMargin(10);
    setFont(page->Font(), 11, Plain);

    addMemos(page, leftPage, std::size(leftPage));
    for (int row = 0; row < 11; ++row)
        addMemo(page, QStringLiteral("Memo%1").arg(13 + row), 604.72, rowTops[row], 37.80, 15.12, 11, Plain);
    addMemos(page, issuePlaces, std::size(issuePlaces));
    for (int row = 0; row < 11; ++row)
        addMemo(page, QStringLiteral("Memo%1").arg(28 + row), markLefts[row], markTops[row], 68.03, 15.12, 11,
                Plain);
    addMemos(page, tablePlaces, std::size(tablePlaces));
}

}  // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_template <output.ze3>\n");
        return 2;
    }
    // Floats are written as the program writes them on the operators' Russian systems, so that
    // the template saved again from the designer keeps the same bytes.
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    zorRegisterTemplateFormat();
    TfrxReport report;
    build(report);
    if (!report.SaveToFile(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "make_template: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
