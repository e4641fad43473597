// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A main window on the offscreen platform with the program's glyph files, the two
// built-in languages, a virtual display behind the links, and message boxes and file
// dialogs answered by the test.

#include "document/MessageDocument.h"
#include "glyphs/GlyphFiles.h"
#include "main/TessivoDlg.h"
#include "rows/InputChrWnd.h"
#include "settings/IniFile.h"
#include "settings/Settings.h"
#include "support/VirtualDisplay.h"
#include "ui/FileDialog.h"
#include "ui/MessageBox.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace tessivo::test {

class DialogFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        LoadGlyphFiles(TESSIVO_LIB_DIR);
        settings.languages.ReadLanguages(IniFile());
        settings.languages.setCurrentIndex(0);  // English
        document.ChangeLedType(ledtype::k16, true);
        setMessageBoxHandler([this](const QString &text, unsigned style) {
            messages << text;
            styles.push_back(style);
            return answer;
        });
        setFileDialogHandler([this](const FileDialogRequest &request) {
            fileRequests.push_back(request);
            return filePath;
        });
        ASSERT_TRUE(dir.isValid());
        makeDialog();
    }

    void TearDown() override
    {
        dialog.reset();
        setMessageBoxHandler({});
        setFileDialogHandler({});
        FreeGlyphFiles();
        QApplication::clipboard()->clear();
    }

    void makeDialog()
    {
        dialog.reset();
        dialog = std::make_unique<CTessivoDlg>(document, settings, links);
        dialog->show();
        QApplication::processEvents();
    }

    CInputChrWnd *rowWindow(int k) { return dialog->rowWindow(k); }
    void type(int k, const QString &text)
    {
        rowWindow(k)->setFocus();
        typeInto(rowWindow(k), text);
    }
public:
    /// Key presses that carry each character as their text, as a keyboard sends them.
    static void typeInto(QWidget *widget, const QString &text)
    {
        for (const QChar c : text) {
            const int key = c.unicode() < 0x80 ? c.toUpper().unicode() : int(Qt::Key_unknown);
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
            QApplication::sendEvent(widget, &press);
            QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
            QApplication::sendEvent(widget, &release);
        }
    }
protected:
    template <class T>
    T *control(int id)
    {
        return dialog->findChild<T *>(QStringLiteral("id%1").arg(id));
    }
    QString path(const QString &name) const { return dir.filePath(name); }

    VirtualDisplay display;
    VirtualLinks links{display};
    Settings settings;
    MessageDocument document;  // with the settings' defaults (a 160-column 11-LED row)
    std::unique_ptr<CTessivoDlg> dialog;
    QStringList messages;
    std::vector<unsigned> styles;
    int answer = mb::kIdOk;
    std::vector<FileDialogRequest> fileRequests;
    QString filePath;
    QTemporaryDir dir;
};

} // namespace tessivo::test
