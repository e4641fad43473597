// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A push button with a shaded face and a picture beside its caption; with a menu it
// opens the menu and shows an arrow. Style 5 is the tool bar's soft face, style 6 the
// raised face of the command buttons.

#include <QPixmap>
#include <QPushButton>

namespace tessivo {

class CShadeButtonST : public QPushButton {
    Q_OBJECT
public:
    static constexpr int kSoftBump = 5, kHardBump = 6;

    explicit CShadeButtonST(QWidget *parent = nullptr);

    void SetShade(int style) { shade_ = style; update(); }
    void SetPicture(int pictureId)
    {
        pictureId_ = pictureId;
        picture_ = QPixmap();
        update();
    }
    int shade() const { return shade_; }
    int pictureId() const { return pictureId_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int shade_ = kSoftBump;
    int pictureId_ = 0;
    QPixmap picture_;  // drawn once for its size, not at every hover repaint
};

} // namespace tessivo
