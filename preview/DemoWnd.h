// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The simulation window: the fan seen from the front, with the playing row drawn on it
// as the blade's LEDs paint it. It plays the play list one tick every 100 ms and shows
// each frame, composed off screen, in one copy.

#include "preview/Simulation.h"

#include <QBasicTimer>
#include <QFrame>

namespace tessivo {

class MessageDocument;

class CDemoWnd : public QFrame {
    Q_OBJECT
public:
    static constexpr int kControlId = 107;

    /// A window of `side` pixels square inside its one-pixel border; the dots take the
    /// document's LED colour, read at every paint.
    explicit CDemoWnd(const MessageDocument &document, QWidget *parent = nullptr,
                      int side = sim::kFrameSize);

    /// Plays the entries (a second Start restarts); false when there is nothing to play.
    bool Start(std::vector<PlayEntry> entries);
    /// Stops at once, in any phase; the next paint shows the bare picture.
    void Stop();

    /// What timer 1 does every 100 ms: one step of the animation, painted when it changed.
    void Tick();
    bool playing() const { return timer_.isActive(); }

    const Simulation &simulation() const { return simulation_; }
    /// The frame as the next paint shows it.
    QImage composeFrame();

    /// The text of the simulation's menu item that saves the animation.
    static QString saveAnimationText(bool chinese);

signals:
    /// "Save animation…" was picked in the simulation's menu.
    void saveAnimationAsked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void timerEvent(QTimerEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    const MessageDocument &document_;
    Simulation simulation_;
    /// The fan, white see-through, drawn on first use.
    const QImage &background();
    int side_;
    QImage background_;
    QImage frame_;
    QBasicTimer timer_;
};

} // namespace tessivo
