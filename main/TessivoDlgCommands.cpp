// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window's commands: the LED type and colour, the glyph source and font, the
// language and the middle option, the rows' editor buttons and focus, the keyboard's
// picks, the exit and the keys.

#include "main/TessivoDlg.h"

#include "document/MessageDocument.h"
#include "glyphs/FontComboBox.h"
#include "editor/GlyphEditor.h"
#include "editor/MakeChrWnd.h"
#include "main/AboutBox.h"
#include "preview/DemoWnd.h"
#include "rows/InputChrWnd.h"
#include "settings/Settings.h"
#include "ui/MessageBox.h"
#include "ui/PictureLabel.h"
#include "ui/ShadeButton.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>

namespace tessivo {

void CTessivoDlg::OnStart()
{
    if (!document_.hasContent()) {
        ShowWarning("   No - data!");
        return;
    }
    demo_->Start(BuildPlayList(document_));
    stop_->setEnabled(true);
}

void CTessivoDlg::OnStop()
{
    demo_->Stop();
    stop_->setEnabled(false);
}

void CTessivoDlg::OnCommand(int command)
{
    switch (command) {
    case dlg::kLedType7:
    case dlg::kLedType11:
    case dlg::kLedType16:
        if (!ConfirmSave())
            return;
        document_.ChangeLedType(command - dlg::kLedType7, true);
        LayoutRows();
        return;
    case dlg::kRed:
    case dlg::kGreen:
    case dlg::kBlue:
    case dlg::kYellow:
        document_.setLedColor(dlg::kLedColours[command - dlg::kRed]);
        return;
    default:
        if (command >= dlg::kAbout && command <= dlg::kLastAbout)
            OnAbout();
        return;
    }
}

void CTessivoDlg::OnLanguageChanged(int index)
{
    if (index >= 0)
        settings_.setLanguage(index);
}

void CTessivoDlg::OnGlyphSource()
{
    // Rows keep the glyphs they hold; only what is typed from now on comes from the
    // other source.
    GlyphSource source = document_.glyphSource();
    source.userFont = userFont_->isChecked();
    document_.setGlyphSource(source);
    fontList_->setEnabled(!source.userFont);
}

void CTessivoDlg::OnSysFontChanged()
{
    if (fontList_->currentIndex() < 0)
        return;
    GlyphSource source = document_.glyphSource();
    source.face = fontList_->currentText();
    document_.setGlyphSource(source);
}

void CTessivoDlg::OnMiddleOption(bool checked)
{
    document_.setUseMiddle(checked);
}

void CTessivoDlg::OnEditorButton(int k)
{
    if (k < 0 || k >= kMessageRows)
        return;
    if (editor_->isHidden()) {
        // Beside the clicked button, at the top of this window's client area.
        const QPushButton *button = rows_[size_t(k)].editor;
        const QPoint right = button->mapToGlobal(QPoint(button->width(), 0));
        editor_->move(right.x() + 8, mapToGlobal(QPoint(0, 0)).y());
    }
    const LedTypeInfo &type = document_.row(k).typeInfo();
    editor_->editor().setRequestedCharSize(type.glyphWidth + type.gap, type.ledCount);
    editor_->LoadRow(k);
    document_.TouchRow(k);
    if (editor_->isHidden())
        editor_->show();
    editor_->activateWindow();
    editor_->setFocus();
}

void CTessivoDlg::OnCurrentRow(int controlId)
{
    const int k = controlId - dlg::kRowInput;
    if (k >= 0 && k < kMessageRows)
        document_.setCurrentRow(k);
}

void CTessivoDlg::InsertKeyboardGlyph(const ChrRecord *record)
{
    if (!record)
        return;
    const ChrRecord copy = *record;
    const int k = document_.currentRow();
    rows_[size_t(k)].input->setFocus(Qt::OtherFocusReason);
    document_.row(k).InsertRecords(&copy, 1);
}

void CTessivoDlg::OnExit()
{
    if (inExit_)
        return;
    // While Send runs the question is whether to stop it; the exit follows its end.
    if (sending_) {
        if (!leaveAfterSend_) {
            inExit_ = true;
            askStopSending();
            inExit_ = false;
        }
        return;
    }
    inExit_ = true;
    const bool leave = ConfirmSave();
    inExit_ = false;
    if (!leave)
        return;
    // The editor opens as large as it was at the next start.
    settings_.MakeChrWndCx = editor_->frameGeometry().width();
    settings_.MakeChrWndCy = editor_->frameGeometry().height();
    detectTimer_.stop();
    resetTimer_.stop();
    emit exiting();
    QDialog::done(QDialog::Accepted);
}

void CTessivoDlg::reject()
{
    // Escape while Send runs stops the download; the window stays.
    if (sending_) {
        OnCancelSend();
        return;
    }
    OnExit();
}

void CTessivoDlg::closeEvent(QCloseEvent *event)
{
    event->ignore();
    OnExit();
}

bool CTessivoDlg::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == logo_ && event->type() == QEvent::MouseButtonRelease) {
        OnAbout();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void CTessivoDlg::OnAbout()
{
    ShowAboutBox(this);
}

void CTessivoDlg::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // The first key a user types goes into row 1, never to a button.
    if (!event->spontaneous() && !shownOnce_) {
        shownOnce_ = true;
        rows_[0].input->setFocus(Qt::ActiveWindowFocusReason);
    }
    // For measuring start-up: the window closes itself as soon as it is up.
    if (qEnvironmentVariableIsSet("TESSIVO_EXIT_WHEN_SHOWN"))
        QTimer::singleShot(0, this, [this] { QDialog::done(QDialog::Accepted); });
}

} // namespace tessivo
