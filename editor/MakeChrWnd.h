// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The glyph editor window: a floating tool window of the main window with the tool bar
// on its left and the rulers and canvas beside it. It binds the board to a row of the
// document and follows the rows' changes, whether it is shown or not.

#include <QWidget>
#include <array>

class QFrame;
class QToolButton;

namespace tessivo {

class CEditChrWnd;
class CEditChrView;
class GlyphEditor;
class LanguageTable;
class MessageDocument;

namespace toolbar {
constexpr int kWidth = 60;
constexpr int kItems = 18;
constexpr int kSeparator = 9;  // the tenth item is a separator
/// The tool bar's commands in order (0 for the separator).
constexpr std::array<int, kItems> kCommands = {7779, 7772, 7774, 7775, 7776, 7777, 7778, 7787, 7780,
                                               0,    7792, 7793, 7784, 7785, 7788, 7789, 7790, 7791};
}

class CMakeChrWnd : public QWidget {
    Q_OBJECT
public:
    /// A hidden tool window of `owner`, `size` outside, bound to no row yet; its menus
    /// speak the current language of `languages`.
    CMakeChrWnd(MessageDocument &document, const LanguageTable &languages, QSize size, QWidget *owner);
    ~CMakeChrWnd() override;

    GlyphEditor &editor() { return *editor_; }
    CEditChrView *canvas() const;
    /// A tool bar button (the tool bar is made on first use).
    QToolButton *toolButton(int command);

    /// Binds row k and loads it into the board; false for a row outside 0-11.
    bool LoadRow(int k);
    /// Sets the check and enable states of the tool bar from the editor.
    void UpdateToolBar();
    /// The resource text of a tool bar command: "prompt\ntool tip".
    static QString resourceText(int command);
    /// The same in English, for every language but Chinese.
    static QString englishResourceText(int command);
    /// Gives the tool bar the tool tips and names of the current language.
    void RetranslateToolBar();

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    bool event(QEvent *event) override;

private:
    void createToolBar();
    void onCommand(int command);

    MessageDocument &document_;
    const LanguageTable &languages_;
    // The size asked for is the outer one (with the window manager's frame); the inner
    // size follows once the frame is known.
    QSize outerSize_;
    bool outerSizePending_ = true;
    GlyphEditor *editor_;
    QFrame *toolBar_;
    CEditChrWnd *frame_;
    std::array<QToolButton *, toolbar::kItems> buttons_{};
    bool toolBarMade_ = false;
};

} // namespace tessivo
