#include "TfrxFormatEditor.h"

#include "TfrxCollection.h"
#include "TfrxCustomMemoView.h"
#include "TfrxFormat.h"
#include "TfrxResources.h"
#include "zorDialogKit.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>

#include <algorithm>

using namespace zor;

namespace {

// The categories in the order of the format kinds, by their string-table keys.
const char *const categoryKeys[] = {"fkText", "fkNumber", "fkDateTime", "fkBoolean"};
constexpr int samplesPerCategory = 10;
constexpr int formatRole = Qt::UserRole;

// A sample of a category: the table holds "sample;format string" under the category's key
// followed by 1 to 10. A key the table lacks comes back as itself and is left out.
struct Sample
{
    QString text;
    QString format;
};

QList<Sample> samplesOf(int kind)
{
    QList<Sample> samples;
    for (int n = 1; n <= samplesPerCategory; ++n) {
        const QString entry = zorResources().Get(QLatin1StringView(categoryKeys[kind]) + QString::number(n));
        if (entry.contains(QLatin1StringView("fk")))
            continue;
        const qsizetype semicolon = entry.indexOf(u';');
        samples.append({entry.left(semicolon), semicolon < 0 ? QString() : entry.mid(semicolon + 1)});
    }
    return samples;
}

} // namespace

TfrxFormatEditor::TfrxFormatEditor(const TfrxCustomMemoView &memo, QWidget *parent)
    : QWidget(parent), FDelimiters(memo.ExpressionDelimiters()),
      FFormats(new TfrxCollection([](TfrxCollection *) { return new TfrxFormat; }, this))
{
    for (const TfrxCollectionItem *item : memo.Formats()->Items())
        FFormats->Add()->Assign(item);

    FExpression = new QComboBox(this);
    FExpression->setObjectName(QStringLiteral("ExpressionCB"));
    FCategory = new QListWidget(this);
    FCategory->setObjectName(QStringLiteral("CategoryLB"));
    for (const char *key : categoryKeys)
        FCategory->addItem(zorText(key));
    FSamples = new QListWidget(this);
    FSamples->setObjectName(QStringLiteral("FormatLB"));
    FFormatString = new QLineEdit(this);
    FFormatString->setObjectName(QStringLiteral("FormatE"));
    FSeparator = new QLineEdit(this);
    FSeparator->setObjectName(QStringLiteral("SeparatorE"));
    FSeparator->setMaxLength(1);

    auto *grid = new QGridLayout(this);
    auto *expressionRow = new QFormLayout;
    expressionRow->addRow(zorText("4401"), FExpression);
    grid->addLayout(expressionRow, 0, 0, 1, 2);
    grid->addWidget(new QLabel(zorText("4501"), this), 1, 0);
    grid->addWidget(new QLabel(zorText("4502"), this), 1, 1);
    grid->addWidget(FCategory, 2, 0);
    grid->addWidget(FSamples, 2, 1);
    auto *fields = new QFormLayout;
    fields->addRow(zorText("4503"), FFormatString);
    fields->addRow(zorText("4504"), FSeparator);
    grid->addLayout(fields, 3, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(2, 1);

    connect(FExpression, &QComboBox::currentIndexChanged, this, [this](int index) {
        SaveFormat(FCurrent);
        LoadFormat(std::max(index, 0));
    });
    connect(FCategory, &QListWidget::currentRowChanged, this, &TfrxFormatEditor::ShowCategory);
    connect(FSamples, &QListWidget::currentItemChanged, this, [this](QListWidgetItem *item) {
        if (item != nullptr)
            FFormatString->setText(item->data(formatRole).toString());
    });
    SetText(memo.Text());
}

TfrxFormatEditor::~TfrxFormatEditor() = default;

TfrxFormat *TfrxFormatEditor::Format(int index) const
{
    return static_cast<TfrxFormat *>(FFormats->Item(index));
}

void TfrxFormatEditor::SetText(const QString &text)
{
    SaveFormat(FCurrent);
    const QStringList expressions = FDelimiters.Find(text);
    const qsizetype wanted = std::max<qsizetype>(1, expressions.size());
    while (FFormats->Count() < wanted)
        FFormats->Add();
    while (FFormats->Count() > wanted)
        FFormats->Delete(FFormats->Count() - 1);
    {
        const QSignalBlocker blocker(FExpression);
        FExpression->clear();
        FExpression->addItems(expressions);
        FExpression->setEnabled(!expressions.isEmpty());
        FExpression->setCurrentIndex(expressions.isEmpty() ? -1 : 0);
    }
    LoadFormat(0);
}

void TfrxFormatEditor::Store(TfrxCustomMemoView &memo)
{
    SaveFormat(FCurrent);
    TfrxCollection *target = memo.Formats();
    // The object's own items are reused so that they keep their identity.
    while (target->Count() < FFormats->Count())
        target->Add();
    while (target->Count() > FFormats->Count())
        target->Delete(target->Count() - 1);
    for (qsizetype i = 0; i < FFormats->Count(); ++i)
        target->Item(i)->Assign(FFormats->Item(i));
}

void TfrxFormatEditor::LoadFormat(int index)
{
    FCurrent = index;
    const TfrxFormat *format = Format(index);
    FFormatString->setText(format->FormatStr());
    FSeparator->setText(format->DecimalSeparator());
    const QSignalBlocker blocker(FCategory);
    FCategory->setCurrentRow(int(format->Kind()));
    ShowCategory(int(format->Kind()));
}

void TfrxFormatEditor::SaveFormat(int index) const
{
    if (index < 0 || index >= FFormats->Count())
        return;
    TfrxFormat *format = Format(index);
    const auto kind = TfrxFormatKind(std::max(FCategory->currentRow(), 0));
    format->SetKind(kind);
    if (kind == fkText) {
        format->SetFormatStr(QString());
        format->SetDecimalSeparator(QString());
        format->SetThousandSeparator(QString());
        return;
    }
    format->SetFormatStr(FFormatString->text());
    format->SetDecimalSeparator(FSeparator->text().left(1));
}

// The category's samples, with the one of the current format string chosen.
void TfrxFormatEditor::ShowCategory(int kind)
{
    const QString current = FFormatString->text();
    const QSignalBlocker blocker(FSamples);
    FSamples->clear();
    for (const Sample &sample : samplesOf(std::max(kind, 0))) {
        auto *item = new QListWidgetItem(sample.text, FSamples);
        item->setData(formatRole, sample.format);
        if (sample.format == current)
            FSamples->setCurrentItem(item);
    }
    UpdateEnabled();
}

void TfrxFormatEditor::UpdateEnabled()
{
    const int kind = FCategory->currentRow();
    FFormatString->setEnabled(kind != fkText);
    FSeparator->setEnabled(kind == fkNumeric);
}
