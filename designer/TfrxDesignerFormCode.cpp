// The designer window's code tab: the script in its editor, the language box and the script
// files.
#include "TfrxDesignerForm.h"

#include "TfrxCodeTab.h"
#include "TfrxDesignerDialogs.h"
#include "TfrxDesignerSearch.h"
#include "TfrxReport.h"
#include "TfrxResources.h"
#include "TfrxScriptFile.h"
#include "TfrxSyntaxMemo.h"
#include "zorDialogKit.h"

#include <QAction>
#include <QFileInfo>
#include <QStackedWidget>

#include <utility>

namespace {

// The file filter offered first for a script language's files.
const std::pair<const char *, const char *> languageFilters[] = {
    {"PascalScript", "2472"},
    {"C++Script", "2473"},
    {"JScript", "2474"},
    {"BasicScript", "2476"},
};

} // namespace

void TfrxDesignerForm::CreateCodeTab()
{
    FCodeTab = new TfrxCodeTab(
        {Action(cmOpenScript), Action(cmSaveScript)},
        {Action(cmRunScript), Action(cmTraceInto), Action(cmTerminateScript), Action(cmEvaluate),
         Action(cmToggleBreakpoint), Action(cmRunToCursor)},
        {Action(cmTraceInto), Action(cmEvaluate), Action(cmToggleBreakpoint), Action(cmRunToCursor)}, FStack);
    Action(cmTraceInto)->setShortcuts({QKeySequence(Qt::Key_F7), QKeySequence(Qt::Key_F8)});
    // Run and Terminate work from every tab.
    addAction(Action(cmRunScript));
    addAction(Action(cmTerminateScript));
    connect(Memo(), &TfrxSyntaxMemo::ChangeText, this, &TfrxDesignerForm::ScriptEdited);
    connect(FCodeTab, &TfrxCodeTab::LanguageChosen, this, &TfrxDesignerForm::ChooseLanguage);
    connect(Action(cmOpenScript), &QAction::triggered, this, &TfrxDesignerForm::OpenScriptFile);
    connect(Action(cmSaveScript), &QAction::triggered, this, &TfrxDesignerForm::SaveScriptFile);
    FSearch = std::make_unique<TfrxDesignerSearch>(*this, *Memo());
    auto search = [this](bool replace) {
        CommitEdits();
        FSearch->Start(replace);
        UpdateControls();
    };
    connect(Action(cmFind), &QAction::triggered, this, [search] { search(false); });
    connect(Action(cmReplace), &QAction::triggered, this, [search] { search(true); });
    connect(Action(cmFindNext), &QAction::triggered, this, [this] { FSearch->FindNext(); });
}

TfrxSyntaxMemo *TfrxDesignerForm::Memo() const
{
    return FCodeTab->Memo();
}

// The report's script and language into the code tab.
void TfrxDesignerForm::LoadScript()
{
    FCodeTab->SetLanguage(FReport.ScriptLanguage());
    Memo()->SetLines(FReport.ScriptText());
    FScriptChanged = false;
}

// A change of the script enables Save at once; its undo step waits until the tab is left.
void TfrxDesignerForm::ScriptEdited()
{
    FScriptChanged = true;
    FModified = true;
    UpdateControls();
}

void TfrxDesignerForm::ChooseLanguage(const QString &name)
{
    FReport.SetScriptLanguage(name);
    SetModified(true);
}

QStringList TfrxDesignerForm::ScriptLines() const
{
    return Memo()->Lines();
}

void TfrxDesignerForm::SetScriptLines(const QStringList &lines)
{
    Memo()->SetLines(lines);
    StoreScript();
}

void TfrxDesignerForm::ShowScript(int line, int column)
{
    ReloadPages(-1);
    Memo()->SetPos(std::max(1, column), std::max(1, line));
    Memo()->setFocus();
}

QString TfrxDesignerForm::ScriptFileFilter() const
{
    QStringList filters;
    for (const auto &[language, key] : languageFilters)
        if (FReport.ScriptLanguage().compare(QLatin1String(language), Qt::CaseInsensitive) == 0)
            filters.append(zorFilterText(key));
    filters.append(zorText("ftAllFiles") + QStringLiteral(" (*)"));
    return filters.join(QStringLiteral(";;"));
}

void TfrxDesignerForm::OpenScriptFile()
{
    if (!TfrxDesignerCommands::Allowed(cmOpenScript))
        return;
    const QString fileName = TfrxDesignerDialogs::Current().OpenFileName(this, QString(), ScriptFileFilter());
    if (fileName.isEmpty())
        return;
    QStringList lines;
    if (!TfrxScriptFile::Read(fileName, lines)) {
        TfrxDesignerDialogs::Current().ShowError(this, zorText("dsCantLoad"));
        return;
    }
    Memo()->SetLines(lines);
    SetModified(true);
}

void TfrxDesignerForm::SaveScriptFile()
{
    const QString fileName =
        TfrxDesignerDialogs::Current().SaveFileName(this, QString(), ScriptFileFilter(), QString());
    if (fileName.isEmpty())
        return;
    if (!TfrxScriptFile::Write(fileName, Memo()->Lines()))
        TfrxDesignerDialogs::Current().ShowError(
            this, zorText("dsCantSaveFile", {QFileInfo(fileName).absoluteFilePath()}));
}
