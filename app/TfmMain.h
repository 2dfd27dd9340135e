#pragma once

#include "DataLocations.h"

#include <QMainWindow>

#include <memory>
#include <optional>

class QAction;
class QPushButton;
class QScrollArea;
class TBlankArea;
class TOperatorDialogs;
class TfrxDesigner;
class TfrxReport;

// The certificate window: the blank with its fields, the menu, the buttons, and the commands that
// check, clear, open, save and print a certificate.
class TfmMain : public QMainWindow
{
    Q_OBJECT

public:
    static constexpr QSize clientSize{1005, 671};

    explicit TfmMain(TOperatorDialogs &dialogs, QWidget *parent = nullptr);
    ~TfmMain() override;

    TBlankArea *blank() const { return FBlank; }
    // The report that holds the print template last loaded.
    TfrxReport *report() const { return FReport.get(); }
    TfrxDesigner *designer() const { return FDesigner.get(); }
    // The certificate file last opened; "Сохранить" writes to it.
    QString fileOpenName() const { return FileOpenName; }

    // True when the certificate may be printed; otherwise shows the first problem.
    bool CorrectAll();
    // Loads a certificate file into the window as "Открыть" does with the chosen file (the file
    // named on the command line); false after the message when it is no certificate file.
    bool openCertificate(const QString &fileName);

public slots:
    void N10Click(); // "Открыть"
    void N2Click();  // "Сохранить как..."
    void N3Click();  // "Сохранить"
    void N6Click();  // "Очистить форму"
    void N7Click();  // "Печать свидетельства"
    void printerSetupClick(); // "Настройка принтера..."
    void Button3Click(); // "НАСТРОЙКА"
    void aboutClick();   // "О программе"
    // Rewrites all ten hours cells in the "0.#" form and the total; false (after a message) when a
    // cell is not a number.
    bool edt_1Change();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void createMenus();
    QWidget *createButtonColumn();
    QWidget *createBottomStrip();
    void setTabOrder();
    void recomputeTotal();
    void writeCertificate(const QString &path);
    QString dialogFolder() const;
    DataLocations locations() const;
    enum class TemplateUse { Printing, Designing };
    // Loads the first template found; where it was found, or nothing after the message.
    std::optional<DataLocations::Location> loadTemplate(TemplateUse use);
    void configureDesigner();

    TOperatorDialogs &FDialogs;
    TBlankArea *FBlank = nullptr;
    QScrollArea *FPictureArea = nullptr;
    QWidget *FBottomStrip = nullptr;
    QPushButton *FExitButton = nullptr;
    QList<QPushButton *> FColumnButtons;
    QAction *FSaveAction = nullptr;
    QAction *FPrintAction = nullptr;
    QString FileOpenName;
    bool FNormalising = false;
    std::unique_ptr<TfrxReport> FReport;
    // The designer component: the defaults of new reports and, for the template, the blank's
    // picture under its page.
    std::unique_ptr<TfrxDesigner> FDesigner;
};
