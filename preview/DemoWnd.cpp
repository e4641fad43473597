// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "preview/DemoWnd.h"

#include "document/MessageDocument.h"
#include "ui/Pictures.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QTimerEvent>

namespace tessivo {

CDemoWnd::CDemoWnd(const MessageDocument &document, QWidget *parent, int side)
    : QFrame(parent), document_(document), side_(side)
{
    setObjectName(QStringLiteral("id%1").arg(kControlId));
    setAccessibleName(QStringLiteral("Simulation"));
    setFrameShape(QFrame::Box);
    setFrameShadow(QFrame::Plain);
    setLineWidth(1);
    resize(side_ + 2 * frameWidth(), side_ + 2 * frameWidth());
    setAttribute(Qt::WA_OpaquePaintEvent);
    // A new LED colour shows at once, not only at the next tick.
    connect(&document_, &MessageDocument::ledColorChanged, this, [this] { update(); });
}

bool CDemoWnd::Start(std::vector<PlayEntry> entries)
{
    if (entries.empty())
        return false;
    simulation_.Start(std::move(entries), side_);
    timer_.start(sim::kTickMs, this);
    update();
    return true;
}

void CDemoWnd::Stop()
{
    simulation_.Stop();
    timer_.stop();
}

void CDemoWnd::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != timer_.timerId()) {
        QFrame::timerEvent(event);
        return;
    }
    Tick();
}

void CDemoWnd::Tick()
{
    if (simulation_.Tick())
        update(contentsRect());
}

const QImage &CDemoWnd::background()
{
    // The fan is drawn when it is first shown, once.
    if (background_.isNull())
        background_ = transparentWhite(pictures::fanFrontView(side_));
    return background_;
}

QImage CDemoWnd::composeFrame()
{
    ComposeFrame(frame_, background(), simulation_, document_.ledColor());
    return frame_;
}

void CDemoWnd::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    ComposeFrame(frame_, background(), simulation_, document_.ledColor());
    QPainter painter(this);
    const QRect client = contentsRect();
    painter.fillRect(client, palette().window());
    painter.drawImage(client.topLeft(), frame_);
}

QString CDemoWnd::saveAnimationText(bool chinese)
{
    return chinese ? QStringLiteral("保存动画…") : QStringLiteral("Save animation…");
}

void CDemoWnd::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    menu.setAccessibleName(QStringLiteral("Simulation menu"));
    QAction *save = menu.addAction(saveAnimationText(property("chinese").toBool()));
    save->setObjectName(QStringLiteral("saveAnimation"));
    if (menu.exec(event->globalPos()) == save)
        emit saveAnimationAsked();
}

} // namespace tessivo
