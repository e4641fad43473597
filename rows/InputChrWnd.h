// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The edit field of one message row: the row's LEDs enlarged, a caret between the
// characters, the selection inverted, and coloured marks that tell the characters
// apart. It is a view of a row model of the document: it follows the row's signals and
// turns mouse, keys and menu commands into calls on it.

#include "rows/RowModel.h"
#include "settings/LanguageTable.h"

#include <QBasicTimer>
#include <QWidget>
#include <optional>

class QMenu;

namespace tessivo {

namespace rowcmd {
constexpr int kUndo = 8028, kRedo = 8029, kCut = 8026, kCopy = 8024, kPasteGlyphs = 57637,
              kPasteText = 8007, kDelete = 8027, kSelectAll = 8040;
// Commands of our own beyond the row's menu.
constexpr int kInsertPicture = 8042;
}

class CInputChrWnd : public QWidget {
    Q_OBJECT
public:
    /// A view of `row`; its context menu takes its texts from the current language.
    CInputChrWnd(int controlId, RowModel &row, const LanguageTable &languages,
                 QWidget *parent = nullptr);

    int controlId() const { return controlId_; }
    RowModel &row() { return row_; }
    const RowModel &row() const { return row_; }

    /// Takes the text rectangle's width after the window's size or type changed.
    void syncLayout();
    /// Runs one of the commands of the context menu.
    void OnCommand(int command);
    /// Fills the context menu with its items, their texts from the current language
    /// and their enabled states.
    void fillContextMenu(QMenu &menu);
    /// The caret's place, in pixels.
    QRect caretRect() const;
    /// The row's characters as text, as a screen reader reads them.
    QString rowText() const;
    /// Makes screen readers see rows through their own interface; start-up calls it
    /// before the first widget is made, every row before it names itself.
    static void installAccessibility();
    // What a screen reader's text interface does to the row: select characters from
    // `from` to `to` (-1 for none), put the caret before character `index`.
    void selectText(int from, int to);
    void placeCaretAt(int index);
    /// Character index's face in the window's pixels; empty when it is not shown.
    QRect characterRect(int index) const;
    /// The place (0 to the row's count) nearest to a point `xPixels` from the left.
    int characterAt(int xPixels) const;
    /// The clipboard's content as a paste sees it.
    static ClipboardContent clipboardContent();
    /// The character code a key press types, 0 for none (Ctrl with a letter gives its
    /// control code, Enter 13, Escape 27).
    static uint16_t charCode(const QKeyEvent &event);

signals:
    /// The window got the focus (the document's current row).
    void focused(int controlId);
    /// "Insert picture…" was picked: the window asks for a picture file.
    void insertPictureAsked(int controlId);
    /// A picture file was dropped on the row.
    void pictureDropped(int controlId, const QString &path);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void changeEvent(QEvent *event) override;
    void timerEvent(QTimerEvent *event) override;
    bool event(QEvent *event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

private:
    RowModel::TextRect textRect() const;
    int hitTest(int xPixels) const;
    void placeCaret();
    void copy();
    /// Tells screen readers what typing or editing changed, and where the caret is.
    void announceTextChange();
    void announceCaret();

    int controlId_;
    RowModel &row_;
    const LanguageTable &languages_;
    std::optional<QString> spokenText_;  // what screen readers were last told the row holds
    bool dragPending_ = false;
    int pressCaret_ = 0;
    QPoint pressPos_;
    bool caretVisible_ = false;
    QBasicTimer caretBlink_;
};

} // namespace tessivo
