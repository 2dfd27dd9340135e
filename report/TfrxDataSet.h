#pragma once

#include "TfrxDialogComponent.h"

#include <QStringList>
#include <QVariant>

#include <functional>

class TfrxReport;

// The common interface of record sources: navigation over a range of records, fields by name.
// Every data set is entered in one process-wide list for its whole life.
class TfrxDataSet : public TfrxDialogComponent
{
    Q_OBJECT
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(zor::TfrxRangeBegin RangeBegin READ RangeBegin WRITE SetRangeBegin)
    Q_PROPERTY(zor::TfrxRangeEnd RangeEnd READ RangeEnd WRITE SetRangeEnd)
    Q_PROPERTY(int RangeEndCount READ RangeEndCount WRITE SetRangeEndCount)
    Q_PROPERTY(QString UserName READ UserName WRITE SetUserName)
    Q_CLASSINFO("Default.Enabled", "True")
    Q_CLASSINFO("Default.RangeBegin", "rbFirst")
    Q_CLASSINFO("Default.RangeEnd", "reLast")
    Q_CLASSINFO("Default.RangeEndCount", "0")

public:
    explicit TfrxDataSet(QObject *owner = nullptr);
    ~TfrxDataSet() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value) { FEnabled = value; }
    zor::TfrxRangeBegin RangeBegin() const { return FRangeBegin; }
    void SetRangeBegin(zor::TfrxRangeBegin value) { FRangeBegin = value; }
    zor::TfrxRangeEnd RangeEnd() const { return FRangeEnd; }
    void SetRangeEnd(zor::TfrxRangeEnd value) { FRangeEnd = value; }
    int RangeEndCount() const { return FRangeEndCount; }
    void SetRangeEndCount(int value) { FRangeEndCount = value; }
    QString UserName() const { return FUserName; }
    // Raises "Invalid property value" for a name that is empty after trimming.
    virtual void SetUserName(const QString &value);
    void SetName(const QString &value) override;

    int RecNo() const { return FRecNo; }
    TfrxReport *ReportRef() const { return FReportRef; }
    void SetReportRef(TfrxReport *value) { FReportRef = value; }

    virtual void Initialize() {}
    virtual void Finalize() {}
    virtual void Open();
    virtual void Close();
    virtual void First();
    virtual void Next();
    virtual void Prior();
    virtual bool Eof() const;
    virtual QString GetDisplayText(const QString &field) const;
    virtual int GetDisplayWidth(const QString &field) const;
    virtual QStringList GetFieldList() const { return {}; }
    virtual QVariant GetValue(const QString &field) const;
    bool HasField(const QString &field) const;
    virtual bool IsBlobField(const QString &) const { return false; }
    virtual int FieldsCount() const { return 0; }
    virtual zor::TfrxFieldType GetFieldType(const QString &) const { return zor::fftNumeric; }
    virtual int RecordCount() const;

    // Host handlers.
    std::function<void(TfrxDataSet *, bool &)> OnCheckEOF;
    std::function<void(TfrxDataSet *)> OnFirst;
    std::function<void(TfrxDataSet *)> OnNext;
    std::function<void(TfrxDataSet *)> OnPrior;
    std::function<void(TfrxDataSet *)> OnOpen;
    std::function<void(TfrxDataSet *)> OnClose;

    // The first data set of the process-wide list with this user name (without regard to case);
    // for a report, data sets owned by another report are skipped. Without a report, dataSet
    // itself is returned.
    static TfrxDataSet *FindGlobal(TfrxDataSet *dataSet, const QString &name, const TfrxReport *report);
    // The user names of the enabled data sets of the process-wide list that have one.
    static QList<TfrxDataSet *> GlobalList();

private:
    bool FEnabled = true;
    zor::TfrxRangeBegin FRangeBegin = zor::rbFirst;
    zor::TfrxRangeEnd FRangeEnd = zor::reLast;
    int FRangeEndCount = 0;
    QString FUserName;
    int FRecNo = 0;
    bool FEof = false;
    TfrxReport *FReportRef = nullptr;
};
