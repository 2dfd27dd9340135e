#include "TfrxCodeTab.h"

#include "TfrxResources.h"
#include "TfrxSyntaxMemo.h"
#include "fsLanguages.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QSplitter>
#include <QToolBar>
#include <QVBoxLayout>

TfrxCodeTab::TfrxCodeTab(const QList<QAction *> &fileActions, const QList<QAction *> &debugActions,
                         const QList<QAction *> &localActions, QWidget *parent)
    : QWidget(parent), FMemo(new TfrxSyntaxMemo), FToolBar(new QToolBar(this)),
      FLanguageBox(new QComboBox(this)), FSplitter(new QSplitter(Qt::Vertical, this))
{
    setObjectName(QStringLiteral("CodeTab"));
    FMemo->setObjectName(QStringLiteral("ScriptEdit"));
    FToolBar->setObjectName(QStringLiteral("CodeToolBar"));
    FToolBar->setIconSize(QSize(16, 16));
    FToolBar->addActions(fileActions);
    FToolBar->addSeparator();
    auto *label = new QLabel(zorGet(2306), FToolBar);
    label->setContentsMargins(4, 0, 4, 0);
    FToolBar->addWidget(label);
    FLanguageBox->setObjectName(QStringLiteral("LanguageBox"));
    FLanguageBox->setToolTip(zorGet(2475));
    QStringList languages;
    fsGetLanguageList(languages);
    FLanguageBox->addItems(languages);
    FLanguageBox->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    FToolBar->addWidget(FLanguageBox);
    FToolBar->addSeparator();
    FToolBar->addActions(debugActions);
    for (QAction *action : localActions)
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addActions(localActions);
    FSplitter->addWidget(FMemo);
    FSplitter->setChildrenCollapsible(false);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(FToolBar);
    layout->addWidget(FSplitter, 1);
    connect(FLanguageBox, &QComboBox::textActivated, this, [this](const QString &name) {
        FMemo->SetSyntax(name);
        emit LanguageChosen(name);
    });
}

void TfrxCodeTab::SetLanguage(const QString &name)
{
    const QSignalBlocker blocker(FLanguageBox);
    const int index = FLanguageBox->findText(name, Qt::MatchFixedString);
    if (index >= 0)
        FLanguageBox->setCurrentIndex(index);
    FMemo->SetSyntax(name);
}

QString TfrxCodeTab::Language() const
{
    return FLanguageBox->currentText();
}

void TfrxCodeTab::SetBottomWidget(QWidget *widget, int height)
{
    FSplitter->addWidget(widget);
    FSplitter->setSizes({std::max(FSplitter->height() - height, height), height});
    FSplitter->setStretchFactor(0, 1);
}
