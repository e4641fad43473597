// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A label that shows one of the program's pictures, drawn at its own size when it is
// first painted (and again only when that size changes), so a window's start does not
// wait for pictures it has not shown yet.

#include <QLabel>
#include <QPixmap>

namespace tessivo {

class CPictureLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

    /// The picture to show (a pictures:: identifier).
    void setPicture(int id);
    int picture() const { return id_; }
    /// The picture as painted now, drawn if it was not yet.
    const QPixmap &shown();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int id_ = -1;
    QPixmap drawn_;
    int drawnId_ = -1;
};

} // namespace tessivo
