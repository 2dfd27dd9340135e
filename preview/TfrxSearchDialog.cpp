#include "TfrxSearchDialog.h"

#include "zorPrinterTexts.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

struct SearchState
{
    QString text;
    bool caseSensitive = false;
};

SearchState &lastSearch()
{
    static SearchState state;
    return state;
}

} // namespace

TfrxSearchDialog::TfrxSearchDialog(QWidget *parent, bool replace) : QDialog(parent)
{
    setObjectName(QStringLiteral("TfrxSearchDialog"));
    setWindowTitle(zorPrinterText("300"));
    TextE = new QLineEdit(lastSearch().text, this);
    TextE->setObjectName(QStringLiteral("TextE"));
    TextE->setMinimumWidth(260);
    TextE->selectAll();
    ReplaceE = new QLineEdit(this);
    ReplaceE->setObjectName(QStringLiteral("ReplaceE"));
    auto *replaceLabel = new QLabel(zorPrinterText("303"), this);
    replaceLabel->setVisible(replace);
    ReplaceE->setVisible(replace);
    auto *options = new QGroupBox(zorPrinterText("302"), this);
    CaseCB = new QCheckBox(zorPrinterText("305"), options);
    CaseCB->setObjectName(QStringLiteral("CaseCB"));
    CaseCB->setChecked(lastSearch().caseSensitive);
    TopCB = new QCheckBox(zorPrinterText("304"), options);
    TopCB->setObjectName(QStringLiteral("TopCB"));
    auto *optionsLayout = new QVBoxLayout(options);
    optionsLayout->addWidget(CaseCB);
    optionsLayout->addWidget(TopCB);
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(zorPrinterText("1"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(zorPrinterText("2"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &TfrxSearchDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TfrxSearchDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(zorPrinterText("301"), this));
    layout->addWidget(TextE);
    layout->addWidget(replaceLabel);
    layout->addWidget(ReplaceE);
    layout->addWidget(options);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString TfrxSearchDialog::Text() const
{
    return TextE->text();
}
QString TfrxSearchDialog::ReplaceText() const
{
    return ReplaceE->text();
}
void TfrxSearchDialog::SetFromTopEnabled(bool enabled)
{
    TopCB->setEnabled(enabled);
}
bool TfrxSearchDialog::CaseSensitive() const
{
    return CaseCB->isChecked();
}
bool TfrxSearchDialog::FromTop() const
{
    return TopCB->isChecked();
}

void TfrxSearchDialog::accept()
{
    lastSearch() = {TextE->text(), CaseCB->isChecked()};
    QDialog::accept();
}

QString TfrxSearchDialog::LastText()
{
    return lastSearch().text;
}
bool TfrxSearchDialog::LastCaseSensitive()
{
    return lastSearch().caseSensitive;
}
