// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The program's own message box: one look for every question and report, the program
// name as title, fixed size. ShowMessage shows a ready text; ShowWarning and ShowError
// format their arguments first and show an OK box with a fixed icon.

#include "ui/Format.h"

#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;
class QWidget;

namespace tessivo {

namespace mb {
// Style: button set in the low four bits, icon in bits 4-7 (the platform's values).
constexpr unsigned kOk = 0x0, kYesNoCancel = 0x3;
constexpr unsigned kIconStop = 0x10, kIconQuestion = 0x20, kIconExclamation = 0x30,
                   kIconInformation = 0x40;
// Answers.
constexpr int kIdOk = 1, kIdCancel = 2, kIdYes = 6, kIdNo = 7;
}

class CMessageBox : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTextId = 1051, kIconId = 1050, kFirstId = 1048, kMiddleId = 1049,
                         kThirdId = 3;

    explicit CMessageBox(QWidget *parent = nullptr);

    void setText(const QString &text) { text_ = text; }
    void setStyle(unsigned style) { style_ = uint16_t(style); }
    /// Lays the box out for its text and style, once; exec() does this itself.
    void prepare();
    int exec() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void reject() override;

private:
    unsigned buttonSet() const { return style_ & 0x0F; }

    QString text_;
    uint16_t style_ = mb::kIconInformation;
    bool prepared_ = false;
    QLabel *icon_;
    QLabel *label_;
    QPushButton *first_, *middle_, *third_;
};

/// Shows a text and returns the answer (1 OK, 2 Cancel, 6 Yes, 7 No).
int ShowMessage(const QString &text, QWidget *parent, unsigned style);

/// Formats and shows an OK box with the exclamation icon.
template <class... Args>
int ShowWarning(const char *format, const Args &...args)
{
    return ShowMessage(formatText(QString::fromUtf8(format), {formatArg(args)...}), nullptr,
                       mb::kOk | mb::kIconExclamation);
}

/// Formats and shows an OK box with the stop icon.
template <class... Args>
int ShowError(const char *format, const Args &...args)
{
    return ShowMessage(formatText(QString::fromUtf8(format), {formatArg(args)...}), nullptr,
                       mb::kOk | mb::kIconStop);
}

/// The platform's own message box (a few messages use it instead of the program's):
/// an OK box with the style's icon, a caption and a text. Tests answer it through the
/// same handler as ShowMessage.
int ShowPlatformMessage(const QString &text, const QString &caption, QWidget *parent, unsigned style);

/// Enables or disables the parent's child controls with these identifiers, touching
/// only those whose state differs.
void EnableControls(QWidget *parent, const int (&ids)[6], bool enable);

/// Tests answer message boxes themselves: while a handler is set, ShowMessage hands it
/// the text and style and returns its answer instead of opening the box.
using MessageBoxHandler = std::function<int(const QString &text, unsigned style)>;
void setMessageBoxHandler(MessageBoxHandler handler);

} // namespace tessivo
