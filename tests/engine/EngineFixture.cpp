#include "EngineFixture.h"

#include "TfrxCustomMemoView.h"

namespace {

// Top-level commas split the arguments of a call.
QStringList Arguments(const QString &text)
{
    QStringList result;
    int depth = 0;
    bool quoted = false;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'"')
            quoted = !quoted;
        else if (!quoted && c == u'(')
            ++depth;
        else if (!quoted && c == u')')
            --depth;
        else if (!quoted && depth == 0 && c == u',') {
            result.append(text.mid(start, i - start).trimmed());
            start = i + 1;
        }
    }
    result.append(text.mid(start).trimmed());
    return result;
}

// What the script library does for the report's expressions, as far as these tests need it: names
// the report knows, totals, and numbers.
QVariant TestCalc(TfrxReport *report, const QString &expression)
{
    const QString expr = expression.trimmed();
    QVariant value;
    if (report->DoGetValue(expr, value))
        return value;
    const qsizetype open = expr.indexOf(u'(');
    if (open > 0 && expr.endsWith(u')')) {
        const QString name = expr.left(open).trimmed().toUpper();
        QStringList args = Arguments(expr.mid(open + 1, expr.size() - open - 2));
        if (name == QLatin1String("COUNT"))
            args.prepend(QString());
        auto *band = qobject_cast<TfrxBand *>(report->FindObject(args.value(1)));
        return report->Engine()->GetAggregateValue(name, args.value(0), band, args.value(2).toInt());
    }
    bool ok = false;
    const double number = expr.toDouble(&ok);
    return ok ? QVariant(number) : QVariant();
}

}  // namespace

void EngineFixture::SetUp()
{
    // Tables of cases start over with a new report and new data sets.
    FReport.reset();
    FDataSets.clear();
    FReport = std::make_unique<TfrxReport>();
    FReport->EngineOptions()->DestroyForms = false;
    FReport->EngineOptions()->NewSilentMode = zor::simSilent;
    TfrxReport *report = FReport.get();
    FReport->SetCalcHandler([report](const QString &expression) { return TestCalc(report, expression); });
    FPage = AddPage();
}

void EngineFixture::TearDown()
{
    FReport.reset();
    FDataSets.clear();
}

TfrxReportPage *EngineFixture::AddPage(double widthMm, double heightMm)
{
    auto *page = new TfrxReportPage(FReport.get());
    page->SetName(QStringLiteral("Page%1").arg(FReport->Objects().size()));
    page->SetSizeAndDimensions(256, widthMm, heightMm);
    return page;
}

TfrxMemoView *EngineFixture::AddMemo(TfrxComponent *parent, const QString &name, double left, double top,
                                     double width, double height, const QString &text)
{
    auto *memo = new TfrxMemoView(parent);
    memo->SetName(name);
    memo->SetBounds(left, top, width, height);
    memo->SetText(text);
    return memo;
}

CsvDataSet *EngineFixture::AddData(const QString &alias, const QStringList &fields, const QList<QStringList> &rows)
{
    auto ds = std::make_unique<CsvDataSet>();
    ds->SetUserName(alias);
    ds->SetRows(fields, rows);
    FReport->DataSets()->Add(ds.get());
    FDataSets.push_back(std::move(ds));
    return FDataSets.back().get();
}

CsvDataSet *EngineFixture::AddNumbers(const QString &alias, int n)
{
    QList<QStringList> rows;
    for (int i = 1; i <= n; ++i)
        rows.append({QString::number(i)});
    return AddData(alias, {QStringLiteral("N")}, rows);
}

CsvDataSet *EngineFixture::AddGroupedValues(const QString &alias)
{
    return AddData(alias, {QStringLiteral("G"), QStringLiteral("V")},
                   {{QStringLiteral("A"), QStringLiteral("1")},
                    {QStringLiteral("A"), QStringLiteral("2")},
                    {QStringLiteral("B"), QStringLiteral("3")},
                    {QStringLiteral("C"), QStringLiteral("4")},
                    {QStringLiteral("C"), QStringLiteral("5")},
                    {QStringLiteral("C"), QStringLiteral("6")}});
}

TfrxMasterData *EngineFixture::AddNumberRows(const QString &bandName, const QString &alias, TfrxReportPage *page,
                                             double rowLeft)
{
    auto *band = AddBand<TfrxMasterData>(bandName, 0, 20, page);
    band->SetDataSetName(alias);
    AddMemo(band, QStringLiteral("Row"), rowLeft, 0, 100, 20, QStringLiteral("[%1.\"N\"]").arg(alias));
    return band;
}

TfrxSubreport *EngineFixture::AddSubreport(TfrxComponent *parent, const QString &name, const QRectF &bounds,
                                           TfrxReportPage *page)
{
    auto *subreport = new TfrxSubreport(parent);
    subreport->SetName(name);
    subreport->SetBounds(bounds.left(), bounds.top(), bounds.width(), bounds.height());
    subreport->SetPage(page);
    return subreport;
}

bool EngineFixture::Prepare()
{
    return FReport->PrepareReport();
}

QString EngineFixture::Plain(const QString &text)
{
    QString s = text;
    s.replace(QStringLiteral("\r\n"), QStringLiteral("|"));
    while (s.endsWith(u'|'))
        s.chop(1);
    return s;
}

QStringList EngineFixture::Texts(int page)
{
    QStringList texts;
    TfrxReportPage *p = Pages()->GetPage(page);
    if (p == nullptr)
        return texts;
    for (TfrxComponent *obj : p->GetAllObjects()) {
        auto *memo = qobject_cast<TfrxCustomMemoView *>(obj);
        if (memo != nullptr && !memo->Name().isEmpty())
            texts.append(Plain(memo->Text()));
    }
    return texts;
}

QList<TfrxComponent *> EngineFixture::FindAll(int page, const QString &name)
{
    QList<TfrxComponent *> found;
    TfrxReportPage *p = Pages()->GetPage(page);
    if (p == nullptr)
        return found;
    for (TfrxComponent *obj : p->GetAllObjects()) {
        if (obj->Name() == name)
            found.append(obj);
    }
    return found;
}

TfrxComponent *EngineFixture::Find(int page, const QString &name)
{
    const QList<TfrxComponent *> found = FindAll(page, name);
    return found.isEmpty() ? nullptr : found.constFirst();
}
