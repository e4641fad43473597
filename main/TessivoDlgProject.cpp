// The main window's project commands: the save question, Open, Save and Clear.

#include "main/TessivoDlg.h"

#include "document/MessageDocument.h"
#include "document/ProjectFile.h"
#include "main/DialogTexts.h"
#include "ui/FileDialog.h"
#include "ui/MessageBox.h"


namespace tessivo {

namespace {

/// The file dialogs start from the project's path, or from the pattern of projects.
QString initialPath(const QString &projectPath)
{
    return projectPath.isEmpty() ? QStringLiteral("*.LDAT") : projectPath;
}

} // namespace

bool CTessivoDlg::ConfirmSave()
{
    if (!document_.needsSaving())
        return true;
    const int answer = ShowMessage(QStringLiteral("Do you want to save the data(Y/N)?"), this,
                                   mb::kYesNoCancel | mb::kIconQuestion);
    if (answer == mb::kIdCancel)
        return false;
    // A save that failed or was cancelled keeps the rows: the command that asked stops.
    if (answer == mb::kIdYes)
        return OnSave() == SaveOutcome::Saved;
    return true;
}

void CTessivoDlg::OnOpen()
{
    if (!ConfirmSave())
        return;
    const QString path =
        askFilePath(this, {false, QStringLiteral("Open Led Data File"), initialPath(document_.projectPath())});
    if (path.isEmpty())
        return;
    OpenProjectFile(path);
}

bool CTessivoDlg::OpenProjectFile(const QString &path)
{
    const std::optional<Project> project = ReadProject(path);
    if (!project) {
        ShowError("Open file error!");
        return false;
    }
    const std::vector<CutRow> cut = document_.ApplyProject(*project);
    LayoutRows();
    document_.setProjectPath(path);
    document_.setModified(false);
    // Rows narrower than the project's (another 11-LED row width) keep what fits; the
    // user learns what was left out.
    if (!cut.empty())
        ShowWarning("Characters that did not fit were left out: %s", cutRowsList(cut));
    return true;
}

CTessivoDlg::SaveOutcome CTessivoDlg::OnSave()
{
    const QString path =
        askFilePath(this, {true, QStringLiteral("Save Led Data File"), initialPath(document_.projectPath())});
    if (path.isEmpty())
        return SaveOutcome::Cancelled;
    if (!WriteProject(path, document_)) {
        ShowError("Write file error!");
        return SaveOutcome::Failed;
    }
    document_.setProjectPath(path);
    document_.setModified(false);
    return SaveOutcome::Saved;
}

void CTessivoDlg::OnClear()
{
    if (!ConfirmSave())
        return;
    document_.Clear();
}

} // namespace tessivo
