#include "TfrxMemoEditorForm.h"

#include "TfrxCustomDesigner.h"
#include "TfrxCustomMemoView.h"
#include "TfrxDesignerSettings.h"
#include "TfrxExpressionDelimiters.h"
#include "TfrxFont.h"
#include "TfrxFormatEditor.h"
#include "TfrxHighlightEditor.h"
#include "TfrxReport.h"
#include "zorDialogKit.h"
#include "zorEditorDialogs.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

const QString wordWrapKey = QStringLiteral("Form5.TfrxMemoEditorForm/WordWrap");
enum Page { TextPageIndex, FormatPageIndex, HighlightPageIndex };

// The text page shows the object's font in black, or the editor font of the designer's options.
QFont editorFont(const TfrxCustomMemoView &memo, const TfrxDesignerSettings &settings)
{
    if (settings.UseObjectFont)
        return memo.Font()->ToQFont();
    return QFont(settings.MemoFontName, settings.MemoFontSize);
}

} // namespace

TfrxMemoEditorForm::TfrxMemoEditorForm(TfrxCustomDesigner &designer, TfrxCustomMemoView &memo,
                                       QWidget *parent)
    : QDialog(parent), FDesigner(designer), FMemo(memo)
{
    setWindowTitle(zorText("3900"));
    FPages = new QTabWidget(this);
    FPages->setObjectName(QStringLiteral("Pages"));
    FFormat = new TfrxFormatEditor(memo, this);
    FFormat->setObjectName(QStringLiteral("FormatPage"));
    FHighlight = new TfrxHighlightEditor(designer, memo, this);
    FHighlight->setObjectName(QStringLiteral("HighlightPage"));
    FPages->addTab(TextPage(), zorText("3905"));
    FPages->addTab(FFormat, zorText("3906"));
    FPages->addTab(FHighlight, zorText("3907"));
    // The format page always matches the text as it is being edited.
    connect(FPages, &QTabWidget::currentChanged, this, [this](int index) {
        if (index == FormatPageIndex)
            FFormat->SetText(FText->toPlainText());
    });

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(FPages, 1);
    layout->addWidget(zorOkCancelButtons(this));
    zorAcceptOnCtrlEnter(this);
    resize(560, 400);
    FText->setFocus();
}

QWidget *TfrxMemoEditorForm::TextPage()
{
    auto *page = new QWidget(this);
    auto *tools = new QToolBar(page);
    tools->setObjectName(QStringLiteral("TextTools"));
    tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
    QAction *expression = tools->addAction(zorText("3901"), this, &TfrxMemoEditorForm::InsertExpression);
    expression->setObjectName(QStringLiteral("InsertExpressionA"));
    QAction *aggregate = tools->addAction(zorText("3902"), this, &TfrxMemoEditorForm::InsertAggregate);
    aggregate->setObjectName(QStringLiteral("InsertAggregateA"));
    tools->addSeparator();
    FWordWrap = tools->addAction(zorText("3904"));
    FWordWrap->setObjectName(QStringLiteral("WordWrapA"));
    FWordWrap->setCheckable(true);

    FText = new QPlainTextEdit(page);
    FText->setObjectName(QStringLiteral("MemoText"));
    FText->setFont(editorFont(FMemo, FDesigner.Settings()));
    QPalette palette = FText->palette();
    palette.setColor(QPalette::Text, Qt::black);
    palette.setColor(QPalette::Base, Qt::white);
    FText->setPalette(palette);
    FText->setPlainText(FMemo.Memo().join(u'\n'));

    const std::unique_ptr<QSettings> store = FDesigner.Report().GetIniFile();
    const bool wrap = store && store->value(wordWrapKey, false).toBool();
    FWordWrap->setChecked(wrap);
    SetWordWrap(wrap);
    connect(FWordWrap, &QAction::toggled, this, &TfrxMemoEditorForm::SetWordWrap);

    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tools);
    layout->addWidget(FText, 1);
    return page;
}

QString TfrxMemoEditorForm::ExpressionToInsert(const QString &result, const QString &delimiters)
{
    QString expression = result;
    if (expression.startsWith(u'<') && expression.endsWith(u'>') && expression.count(u'<') == 1)
        expression = expression.mid(1, expression.size() - 2);
    return TfrxExpressionDelimiters(delimiters).Wrap(expression);
}

void TfrxMemoEditorForm::InsertExpression()
{
    const QString result = FDesigner.InsertExpression(QString());
    if (!result.isEmpty())
        FText->insertPlainText(ExpressionToInsert(result, FMemo.ExpressionDelimiters()));
    FText->setFocus();
}

void TfrxMemoEditorForm::InsertAggregate()
{
    const QString aggregate = zorEditAggregate(FDesigner);
    if (!aggregate.isEmpty())
        FText->insertPlainText(aggregate);
    FText->setFocus();
}

// With word wrap only the vertical scroll bar is needed.
void TfrxMemoEditorForm::SetWordWrap(bool on)
{
    FText->setLineWrapMode(on ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    FText->setHorizontalScrollBarPolicy(on ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
}

void TfrxMemoEditorForm::accept()
{
    const QString text = FText->toPlainText();
    FMemo.SetText(text);
    FMemo.SetDataField(QString());
    FFormat->SetText(text);
    FFormat->Store(FMemo);
    FHighlight->Store(FMemo);
    QDialog::accept();
}

// The word wrap choice is kept however the editor is closed.
void TfrxMemoEditorForm::done(int result)
{
    if (const std::unique_ptr<QSettings> store = FDesigner.Report().GetIniFile())
        store->setValue(wordWrapKey, FWordWrap->isChecked());
    QDialog::done(result);
}
