#include "DesignerTestSupport.h"

#include "TfrxDataPage.h"
#include "TfrxMemoView.h"
#include "TfrxReportPage.h"
#include "zorDesignerObjects.h"
#include "zorTemplateFormat.h"

#include <QBuffer>

namespace designertest {

std::unique_ptr<TfrxReport> LoadCertificate()
{
    zorRegisterTemplateFormat();
    auto report = std::make_unique<TfrxReport>();
    report->LoadFromFile(QStringLiteral(ZOR_TEMPLATE_FILE));
    zorSetDesigning(report.get(), true);
    return report;
}

std::unique_ptr<TfrxReport> EmptyReport()
{
    zorRegisterTemplateFormat();
    auto report = std::make_unique<TfrxReport>();
    report->CheckDataPage();
    auto *page = new TfrxReportPage(report.get());
    page->SetName(QStringLiteral("Page1"));
    page->SetDefaults();
    zorSetDesigning(report.get(), true);
    return report;
}

TfrxReportPage *FirstPage(const TfrxReport &report)
{
    for (TfrxComponent *child : report.Objects())
        if (auto *page = qobject_cast<TfrxReportPage *>(child))
            return page;
    return nullptr;
}

TfrxMemoView *AddMemo(TfrxComponent *parent, const QString &name, double left, double top, double width,
                      double height)
{
    auto *memo = new TfrxMemoView(parent);
    memo->SetName(name);
    memo->SetBounds(left, top, width, height);
    memo->SetIsDesigning(true);
    return memo;
}

QByteArray TemplateText(TfrxReport &report)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    report.SaveToStream(&buffer);
    return buffer.data();
}

} // namespace designertest
