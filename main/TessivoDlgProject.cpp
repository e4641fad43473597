// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window's project commands: the save question, Open, Save and Clear.

#include "main/TessivoDlg.h"

#include "document/MessageDocument.h"
#include "document/ProjectFile.h"
#include "main/DialogTexts.h"
#include "settings/Settings.h"
#include "preview/AnimationGif.h"
#include "rows/InputChrWnd.h"
#include "rows/PictureRecords.h"
#include "rows/RowModel.h"
#include "ui/FileDialog.h"
#include "ui/MessageBox.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QTimer>
#include <QUrl>


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
    const QString path = askFilePath(this, {false, QStringLiteral("Open Led Data File"),
                                            initialPath(document_.projectPath()), settings_.LastFolder, {}});
    if (path.isEmpty())
        return;
    OpenProjectFile(path);
}

void CTessivoDlg::OpenAfterAsking(const QString &path)
{
    if (ConfirmSave())
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
    settings_.rememberProject(path);
    // Rows narrower than the project's (another 11-LED row width) keep what fits; the
    // user learns what was left out.
    if (!cut.empty())
        ShowWarning("Characters that did not fit were left out: %s", cutRowsList(cut));
    return true;
}

CTessivoDlg::SaveOutcome CTessivoDlg::OnSave()
{
    const QString path = askFilePath(this, {true, QStringLiteral("Save Led Data File"),
                                           initialPath(document_.projectPath()), settings_.LastFolder, {}});
    if (path.isEmpty())
        return SaveOutcome::Cancelled;
    if (!WriteProject(path, document_)) {
        ShowError("Write file error!");
        return SaveOutcome::Failed;
    }
    document_.setProjectPath(path);
    document_.setModified(false);
    settings_.rememberProject(path);
    return SaveOutcome::Saved;
}

namespace {

/// The project a drag carries: one local file named *.LDAT, else nothing.
QString droppedProject(const QMimeData *data)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1)
        return {};
    const QUrl url = data->urls().constFirst();
    if (!url.isLocalFile())
        return {};
    const QString path = url.toLocalFile();
    return path.endsWith(QStringLiteral(".LDAT"), Qt::CaseInsensitive) ? path : QString();
}

} // namespace

void CTessivoDlg::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedProject(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CTessivoDlg::dropEvent(QDropEvent *event)
{
    const QString path = droppedProject(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    // The drop ends before the question is asked, so the dragging program is free.
    QTimer::singleShot(0, this, [this, path] { OpenAfterAsking(path); });
}

void CTessivoDlg::fillRecentMenu(QMenu &menu)
{
    menu.clear();
    if (settings_.RecentProjects.isEmpty()) {
        menu.addAction(ownText(settings_.languages.current(), "No recent projects", u"没有最近的项目"))
            ->setEnabled(false);
        return;
    }
    int number = 0;
    for (const QString &path : settings_.RecentProjects) {
        QAction *action = menu.addAction(QStringLiteral("&%1 %2").arg(++number).arg(QFileInfo(path).fileName()));
        action->setToolTip(path);
        action->setData(path);
        connect(action, &QAction::triggered, this, [this, path] { OpenAfterAsking(path); });
    }
}

int CTessivoDlg::OnInsertPicture(int k, const QString &path)
{
    if (k < 0 || k >= kMessageRows || !document_.isRowEnabled(k))
        return -1;
    const LanguageRecord &language = settings_.languages.current();
    QString file = path;
    if (file.isEmpty()) {
        file = askFilePath(this, {false, ownText(language, "Insert Picture", u"插入图片"), QString(),
                                  settings_.LastFolder,
                                  ownText(language, "Pictures (*.png *.gif *.bmp *.jpg *.jpeg *.svg *.xpm *.pbm)",
                                          u"图片 (*.png *.gif *.bmp *.jpg *.jpeg *.svg *.xpm *.pbm)")});
        if (file.isEmpty())
            return -1;
    }
    const QImage picture = readPicture(file);
    if (picture.isNull()) {
        ShowMessage(ownText(language, "This file is no picture Tessivo can read.", u"无法读取这个图片文件。"), this,
                    mb::kOk | mb::kIconExclamation);
        return -1;
    }
    RowModel &row = document_.row(k);
    // A picture of another height is scaled to the LEDs, or cut to them if the user says so.
    bool scale = true;
    if (picture.height() != row.height()) {
        const int answer = ShowMessage(
            ownText(language, "The picture is %1 pixels high, the row %2 LEDs: scale it to them (Yes) or cut it (No)?",
                    u"图片高 %1 像素，这一行有 %2 个LED：缩放（是）还是截取（否）？")
                .arg(picture.height())
                .arg(row.height()),
            this, mb::kYesNoCancel | mb::kIconQuestion);
        if (answer == mb::kIdCancel)
            return -1;
        scale = answer == mb::kIdYes;
    }
    const int before = row.usedWidth();
    const int leftOut = row.InsertPicture(picture, scale);
    rows_[size_t(k)].input->setFocus(Qt::OtherFocusReason);
    if (leftOut < 0) {
        ShowMessage(ownText(language, "The row has no room for the picture.", u"这一行没有空间放图片。"), this,
                    mb::kOk | mb::kIconExclamation);
        return -1;
    }
    if (leftOut > 0)
        ShowMessage(ownText(language, "The picture was cut to the row's room: %1 of its columns were left out.",
                            u"图片被截短以适应这一行：有 %1 列被省略。")
                        .arg(leftOut),
                    this, mb::kOk | mb::kIconInformation);
    return row.usedWidth() - before;
}

bool CTessivoDlg::OnSaveAnimation()
{
    const LanguageRecord &language = settings_.languages.current();
    const QString file = askFilePath(this, {true, ownText(language, "Save Animation", u"保存动画"), QString(),
                                            settings_.LastFolder, QStringLiteral("GIF (*.gif)")});
    if (file.isEmpty())
        return false;
    if (!WriteAnimationGif(file, document_)) {
        ShowMessage(ownText(language, "The animation cannot be written: no row holds a character, or the file "
                                      "cannot be made.",
                            u"无法写入动画：没有一行有字符，或者无法创建文件。"),
                    this, mb::kOk | mb::kIconExclamation);
        return false;
    }
    return true;
}

void CTessivoDlg::OnClear()
{
    if (!ConfirmSave())
        return;
    document_.Clear();
}

} // namespace tessivo
