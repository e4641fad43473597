// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window's Send command and what detection and download show in it: the
// link picture, the Send button, the progress bar with its reset timer, and errors.

#include "main/TessivoDlg.h"

#include "document/MessageDocument.h"
#include "glyphs/FontComboBox.h"
#include "main/DialogTexts.h"
#include "main/SendCommand.h"
#include "settings/Settings.h"
#include "ui/MessageBox.h"
#include "ui/PictureLabel.h"
#include "ui/Pictures.h"
#include "ui/ShadeButton.h"

#include <QAccessible>
#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QThread>
#include <array>

namespace tessivo {

void CTessivoDlg::startLink(LinkDrivers &drivers)
{
    link_ = std::make_unique<DeviceLink>(drivers, static_cast<LinkView &>(*this));
    showLinkState(false, QString());

    detectTimer_.setInterval(link::kDetectPeriodMs);
    connect(&detectTimer_, &QTimer::timeout, this, [this] { link_->OnTimer(link::kDetectTimer); });
    resetTimer_.setInterval(link::kResetPeriodMs);
    connect(&resetTimer_, &QTimer::timeout, this, [this] { link_->OnTimer(link::kResetTimer); });
    detectTimer_.start();
}

namespace {

/// Runs `work` on the window's thread: at once there, else queued to it (and waited
/// for when `wait`). What the download shows comes from its own thread.
template <class Work>
bool onWindowThread(QObject *window, bool wait, Work work)
{
    if (QThread::currentThread() == window->thread())
        return false;
    QMetaObject::invokeMethod(window, work, wait ? Qt::BlockingQueuedConnection : Qt::QueuedConnection);
    return true;
}

} // namespace

bool CTessivoDlg::OnSend()
{
    if (sending_)
        return false;
    // The image is taken from the rows here; what is typed while it goes out is not in it.
    if (!PrepareSend(document_, image_, *link_, *this))
        return false;
    const int ledType = document_.ledType();
    sending_ = true;
    leaveAfterSend_ = false;
    // Disabling the commands moves the focus; it comes back where it was.
    const QPointer<QWidget> focus = QApplication::focusWidget();
    // The poll waits while the download holds the link, and the window's other
    // commands wait with it; the window keeps painting and answering, and Cancel
    // stops the download.
    detectTimer_.stop();
    setCommandsEnabled(false);
    cancel_->setEnabled(true);
    cancel_->show();
    cancel_->raise();
    capacity_->hide();

    bool sent = false;
    QEventLoop loop;
    QThread *worker = QThread::create([&] { sent = SendPrepared(image_, ledType, *link_, *this); });
    connect(worker, &QThread::finished, &loop, &QEventLoop::quit);
    worker->start();
    loop.exec();
    worker->wait();
    delete worker;

    cancel_->hide();
    capacity_->show();
    sending_ = false;
    setCommandsEnabled(true);
    if (focus && focus->isEnabled() && focus->isVisible())
        focus->setFocus(Qt::OtherFocusReason);
    detectTimer_.start();
    const LanguageRecord &language = settings_.languages.current();
    const bool cancelled = link_->cancelled();
    announceSendOutcome(sent ? ownText(language, "Sent to the display.", u"已发送到显示屏。")
                        : cancelled ? ownText(language, "Send was stopped.", u"发送已停止。")
                                    : ownText(language, "Send failed.", u"发送失败。"));
    if (std::exchange(leaveAfterSend_, false)) {
        // Asked to leave while it ran: the save question and the exit, as when idle.
        OnExit();
        return sent;
    }
    if (cancelled)
        ShowMessage(ownText(language, "Send was stopped: the display now holds an incomplete message.",
                            u"发送已停止：显示屏现在保存的是不完整的信息。"),
                    this, mb::kOk | mb::kIconExclamation);
    return sent;
}

void CTessivoDlg::askStopSending()
{
    const int answer = ShowMessage(
        ownText(settings_.languages.current(),
                "Stop sending and leave? The display would keep an incomplete message.",
                u"停止发送并退出吗？显示屏将保留不完整的信息。"),
        this, mb::kYesNoCancel | mb::kIconQuestion);
    // The download may have ended while the question was open; the exit follows all the same.
    if (answer != mb::kIdYes || !sending_)
        return;
    leaveAfterSend_ = true;
    OnCancelSend();
}

void CTessivoDlg::announceSendOutcome(const QString &outcome)
{
    progress_->setAccessibleDescription(outcome);
    if (QAccessible::isActive()) {
        QAccessibleEvent alert(progress_, QAccessible::Alert);
        QAccessible::updateAccessibility(&alert);
    }
}

void CTessivoDlg::OnCancelSend()
{
    if (!sending_)
        return;
    cancel_->setEnabled(false);  // once: the packet in flight ends first
    link_->RequestCancel();
}

void CTessivoDlg::setCommandsEnabled(bool enabled)
{
    const std::array<QWidget *, 10> commands = {open_,  save_,     clear_,   ledTypeButton_, colour_,
                                                start_, exit_,     userFont_, sysFont_,       languageList_};
    for (QWidget *command : commands)
        command->setEnabled(enabled);
    for (QShortcut *key : shortcuts_)
        key->setEnabled(enabled || key == quitKey_);
    if (cancelKey_)
        cancelKey_->setEnabled(!enabled);
    send_->setEnabled(enabled && link_->connected());
    fontList_->setEnabled(enabled && !document_.glyphSource().userFont);
}

void CTessivoDlg::setProgressRange(int minimum, int maximum)
{
    if (onWindowThread(this, false, [=, this] { setProgressRange(minimum, maximum); }))
        return;
    progress_->setRange(minimum, maximum);
}

void CTessivoDlg::setProgressPosition(int position)
{
    if (onWindowThread(this, false, [=, this] { setProgressPosition(position); }))
        return;
    // A position outside the range (the reset to 0 of a range from 1) empties the bar
    // rather than being ignored.
    progress_->setValue(std::clamp(position, progress_->minimum(), progress_->maximum()));
}

void CTessivoDlg::showLinkState(bool connected, const QString &toolTip)
{
    if (onWindowThread(this, false, [=, this] { showLinkState(connected, toolTip); }))
        return;
    linkPicture_->setPicture(connected ? pictures::kConnected : pictures::kNotConnected);
    const QString state = connected ? QStringLiteral("Display connected")
                                    : QStringLiteral("No display connected");
    linkPicture_->setAccessibleName(state);
    linkPicture_->setToolTip(toolTip.isEmpty() ? state : toolTip);
    if (QAccessible::isActive()) {
        QAccessibleEvent event(linkPicture_, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

void CTessivoDlg::setSendEnabled(bool enabled)
{
    if (onWindowThread(this, false, [=, this] { setSendEnabled(enabled); }))
        return;
    send_->setEnabled(enabled && !sending_);
}

void CTessivoDlg::startProgressReset()
{
    if (onWindowThread(this, false, [this] { startProgressReset(); }))
        return;
    resetTimer_.start();
}

void CTessivoDlg::stopProgressReset()
{
    if (onWindowThread(this, false, [this] { stopProgressReset(); }))
        return;
    resetTimer_.stop();
}

void CTessivoDlg::showError(const QString &text)
{
    // The download waits for the answer, as it always did.
    if (onWindowThread(this, true, [=, this] { showError(text); }))
        return;
    ShowMessage(text, this, mb::kOk | mb::kIconStop);
}

} // namespace tessivo
