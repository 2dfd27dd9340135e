#pragma once

#include "TfrxCollectionItem.h"
#include "zorTypes.h"

// The display format of one expression of a text object: its kind, picture or format text and
// the separators that replace the locale's.
class TfrxFormat : public TfrxCollectionItem
{
    Q_OBJECT
    Q_PROPERTY(QString DecimalSeparator READ DecimalSeparator WRITE SetDecimalSeparator)
    Q_PROPERTY(QString ThousandSeparator READ ThousandSeparator WRITE SetThousandSeparator)
    Q_PROPERTY(QString FormatStr READ FormatStr WRITE SetFormatStr)
    Q_PROPERTY(zor::TfrxFormatKind Kind READ Kind WRITE SetKind)
    Q_CLASSINFO("Default.Kind", "fkText")

public:
    explicit TfrxFormat(QObject *parent = nullptr);

    QString DecimalSeparator() const { return FDecimalSeparator; }
    void SetDecimalSeparator(const QString &value) { FDecimalSeparator = value; }
    QString ThousandSeparator() const { return FThousandSeparator; }
    void SetThousandSeparator(const QString &value) { FThousandSeparator = value; }
    QString FormatStr() const { return FFormatStr; }
    void SetFormatStr(const QString &value) { FFormatStr = value; }
    zor::TfrxFormatKind Kind() const { return FKind; }
    void SetKind(zor::TfrxFormatKind value) { FKind = value; }

    void Assign(const TfrxPersistent *source) override;
    bool Equals(const TfrxFormat &other) const;

    // A value as text under this format; a value the format cannot convert gives its plain text.
    QString FormatData(const QVariant &value) const;

    // An in-line format written after " #" in an expression: the kind letter (N numeric, D or T
    // date and time, B Boolean, anything else text) followed by the format text.
    static void ParseInline(const QString &text, TfrxFormat &format);

private:
    QString FDecimalSeparator;
    QString FThousandSeparator;
    QString FFormatStr;
    zor::TfrxFormatKind FKind = zor::fkText;
};
