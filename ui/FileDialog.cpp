// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/FileDialog.h"

#include <QFileDialog>

namespace tessivo {

namespace {
FileDialogHandler &handler()
{
    static FileDialogHandler h;
    return h;
}
}

void setFileDialogHandler(FileDialogHandler h)
{
    handler() = std::move(h);
}

QString askFilePath(QWidget *parent, const FileDialogRequest &request)
{
    if (handler())
        return handler()(request);
    QFileDialog dialog(parent, request.title);
    dialog.setNameFilter(request.filter.isEmpty() ? QStringLiteral("Led Data File(*.LDAT)") : request.filter);
    if (request.filter.isEmpty())
        dialog.setDefaultSuffix(QStringLiteral("LDAT"));
    if (request.save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    // "*.LDAT" is the name a first dialog starts with; only a real path preselects a file.
    if (!request.folder.isEmpty())
        dialog.setDirectory(request.folder);
    if (!request.initial.isEmpty() && !request.initial.startsWith(QLatin1Char('*')))
        dialog.selectFile(request.initial);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace tessivo
