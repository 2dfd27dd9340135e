#pragma once

#include <QDialog>
#include <QList>
#include <QString>

#include <memory>

class TfrxCustomDesigner;

// "Report Settings": the printer and copies, the engine's double pass and print-if-empty, the
// password, the report's description, and its inheritance (leave it, detach the base report, or
// inherit from a template of the template folder). OK stores the values; after a change of
// inheritance the designer reloads the report and records the change for undo.
class TfrxReportEditorForm : public QDialog
{
    Q_OBJECT

public:
    // A printer to offer: its name and, when it has one, its port.
    struct Printer
    {
        QString name;
        QString port;
    };
    // The printers of the printer layer.
    static QList<Printer> InstalledPrinters();

    TfrxReportEditorForm(TfrxCustomDesigner &designer, const QList<Printer> &printers,
                         QWidget *parent = nullptr);
    ~TfrxReportEditorForm() override;

    // Whether OK detached the report or made it inherit (the designer has then reloaded it).
    bool InheritanceChanged() const;
    void accept() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Private;
    std::unique_ptr<Private> d;
};
