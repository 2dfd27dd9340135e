#pragma once

#include "TfrxPersistent.h"
#include "zorTypes.h"

// Where a click on a view in the preview leads.
class TfrxHyperlink : public TfrxPersistent
{
    Q_OBJECT
    Q_PROPERTY(zor::TfrxHyperlinkKind Kind READ Kind WRITE SetKind)
    Q_PROPERTY(QString DetailReport READ DetailReport WRITE SetDetailReport)
    Q_PROPERTY(QString DetailPage READ DetailPage WRITE SetDetailPage)
    Q_PROPERTY(QString Expression READ Expression WRITE SetExpression)
    Q_PROPERTY(QString ReportVariable READ ReportVariable WRITE SetReportVariable)
    Q_PROPERTY(QString TabCaption READ TabCaption WRITE SetTabCaption)
    Q_PROPERTY(QString Value READ Value WRITE SetValue)
    Q_PROPERTY(QString ValuesSeparator READ ValuesSeparator WRITE SetValuesSeparator)
    Q_CLASSINFO("Default.Kind", "hkURL")

public:
    explicit TfrxHyperlink(QObject *parent = nullptr);

    zor::TfrxHyperlinkKind Kind() const { return FKind; }
    void SetKind(zor::TfrxHyperlinkKind value) { FKind = value; }
    QString DetailReport() const { return FDetailReport; }
    void SetDetailReport(const QString &value) { FDetailReport = value; }
    QString DetailPage() const { return FDetailPage; }
    void SetDetailPage(const QString &value) { FDetailPage = value; }
    QString Expression() const { return FExpression; }
    void SetExpression(const QString &value) { FExpression = value; }
    QString ReportVariable() const { return FReportVariable; }
    void SetReportVariable(const QString &value) { FReportVariable = value; }
    QString TabCaption() const { return FTabCaption; }
    void SetTabCaption(const QString &value) { FTabCaption = value; }
    QString Value() const { return FValue; }
    void SetValue(const QString &value) { FValue = value; }
    QString ValuesSeparator() const { return FValuesSeparator; }
    void SetValuesSeparator(const QString &value) { FValuesSeparator = value; }

    bool IsPropertyStored(const char *name) const override;
    QString Diff(const TfrxHyperlink &other, const QString &prefix) const;

    // A text result of a hyperlink expression quoted as a literal of the script language.
    static QString QuoteForLanguage(const QString &text, const QString &language);

private:
    zor::TfrxHyperlinkKind FKind = zor::hkURL;
    QString FDetailReport;
    QString FDetailPage;
    QString FExpression;
    QString FReportVariable;
    QString FTabCaption;
    QString FValue;
    QString FValuesSeparator = QStringLiteral(";");
};
