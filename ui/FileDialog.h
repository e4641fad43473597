// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The platform's open and save dialogs for project files; tests answer them instead.

#include <QString>
#include <functional>

class QWidget;

namespace tessivo {

struct FileDialogRequest {
    bool save = false;
    QString title;
    QString initial;  // initial file name
    QString folder;   // where the dialog starts without a file name, when not empty
    QString filter;   // the name filter; empty for projects
};

/// Asks for a path; empty when the user cancelled.
QString askFilePath(QWidget *parent, const FileDialogRequest &request);

using FileDialogHandler = std::function<QString(const FileDialogRequest &)>;
/// While a handler is set, askFilePath returns its answer instead of opening a dialog.
void setFileDialogHandler(FileDialogHandler handler);

} // namespace tessivo
