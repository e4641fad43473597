// The main window's Send command and what detection and download show in it: the
// link picture, the Send button, the progress bar with its reset timer, and errors.

#include "main/TessivoDlg.h"

#include "document/MessageDocument.h"
#include "main/SendCommand.h"
#include "ui/MessageBox.h"
#include "ui/Pictures.h"
#include "ui/ShadeButton.h"

#include <QAccessible>
#include <QLabel>
#include <QProgressBar>

namespace tessivo {

void CTessivoDlg::startLink(LinkDrivers &drivers)
{
    link_ = std::make_unique<DeviceLink>(drivers, static_cast<LinkView &>(*this));
    linkPictures_[0] = pictures::picture(pictures::kNotConnected, linkPicture_->size());
    linkPictures_[1] = pictures::picture(pictures::kConnected, linkPicture_->size());
    showLinkState(false, QString());

    detectTimer_.setInterval(link::kDetectPeriodMs);
    connect(&detectTimer_, &QTimer::timeout, this, [this] { link_->OnTimer(link::kDetectTimer); });
    resetTimer_.setInterval(link::kResetPeriodMs);
    connect(&resetTimer_, &QTimer::timeout, this, [this] { link_->OnTimer(link::kResetTimer); });
    detectTimer_.start();
}

bool CTessivoDlg::OnSend()
{
    return SendDocument(document_, image_, *link_, *this);
}

void CTessivoDlg::setProgressRange(int minimum, int maximum)
{
    progress_->setRange(minimum, maximum);
}

void CTessivoDlg::setProgressPosition(int position)
{
    progress_->setValue(position);
    if (progress_->isVisible())
        progress_->repaint();
}

void CTessivoDlg::showLinkState(bool connected, const QString &toolTip)
{
    linkPicture_->setPixmap(linkPictures_[connected ? 1 : 0]);
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
    send_->setEnabled(enabled);
}

void CTessivoDlg::startProgressReset()
{
    resetTimer_.start();
}

void CTessivoDlg::stopProgressReset()
{
    resetTimer_.stop();
}

void CTessivoDlg::showError(const QString &text)
{
    ShowMessage(text, this, mb::kOk | mb::kIconStop);
}

} // namespace tessivo
