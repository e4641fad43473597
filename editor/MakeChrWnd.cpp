// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "editor/MakeChrWnd.h"

#include "document/MessageDocument.h"
#include "editor/EditChrView.h"
#include "editor/EditChrWnd.h"
#include "editor/EditorPictures.h"
#include "editor/GlyphEditor.h"
#include "settings/LanguageTable.h"
#include "ui/MessageBox.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QFrame>
#include <QGridLayout>
#include <QToolButton>

namespace tessivo {

using namespace editor;

QString CMakeChrWnd::resourceText(int command)
{
    switch (command) {
    case kCmdSelect: return QStringLiteral("选择一个矩形框用来拷贝、移动或者编辑\n选择框");
    case kCmdPencil: return QStringLiteral("在图板上画点\n点");
    case kCmdLine: return QStringLiteral("在图板上画线\n线");
    case kCmdRectangle: return QStringLiteral("在图板上画矩形框\n矩形框");
    case kCmdFilledRectangle: return QStringLiteral("在图板上画填充的矩形框\n填充的矩形框");
    case kCmdEllipse: return QStringLiteral("在图板上画椭圆\n椭圆");
    case kCmdFilledEllipse: return QStringLiteral("在图板上画填充的椭圆\n填充的椭圆");
    case kCmdFill: return QStringLiteral("用当前颜色填充\n填充");
    case kCmdEraser: return QStringLiteral("擦除图板上的部分内容\n橡皮");
    case kCmdEraser2: return QStringLiteral("选择橡皮大小(2x2)\n2x2");
    case kCmdEraser4: return QStringLiteral("选择橡皮大小(4x4)\n4x4");
    case kCmdOpaque: return QStringLiteral("图形粘贴时用不透明方式粘贴\n不透明方式");
    case kCmdTransparent: return QStringLiteral("图形粘贴时用透明方式粘贴\n透明方式");
    case kCmdPenInk: return QStringLiteral("画图的颜色:黑色\n黑色");
    case kCmdPenPaper: return QStringLiteral("画图的颜色:白色\n白色");
    case kCmdBackgroundInk: return QStringLiteral("背景颜色:黑色\n黑色背景");
    case kCmdBackgroundPaper: return QStringLiteral("背景颜色:白色\n白色背景");
    default: return {};
    }
}

QString CMakeChrWnd::englishResourceText(int command)
{
    switch (command) {
    case kCmdSelect: return QStringLiteral("Select a rectangle to copy, move or change\nSelect");
    case kCmdPencil: return QStringLiteral("Draw points on the board\nPencil");
    case kCmdLine: return QStringLiteral("Draw a line on the board\nLine");
    case kCmdRectangle: return QStringLiteral("Draw a rectangle on the board\nRectangle");
    case kCmdFilledRectangle: return QStringLiteral("Draw a filled rectangle on the board\nFilled rectangle");
    case kCmdEllipse: return QStringLiteral("Draw an ellipse on the board\nEllipse");
    case kCmdFilledEllipse: return QStringLiteral("Draw a filled ellipse on the board\nFilled ellipse");
    case kCmdFill: return QStringLiteral("Fill with the current colour\nFill");
    case kCmdEraser: return QStringLiteral("Erase parts of the board\nEraser");
    case kCmdEraser2: return QStringLiteral("Eraser size (2x2)\n2x2");
    case kCmdEraser4: return QStringLiteral("Eraser size (4x4)\n4x4");
    case kCmdOpaque: return QStringLiteral("Paste pictures opaquely\nOpaque");
    case kCmdTransparent: return QStringLiteral("Paste pictures transparently\nTransparent");
    case kCmdPenInk: return QStringLiteral("Drawing colour: black\nBlack");
    case kCmdPenPaper: return QStringLiteral("Drawing colour: white\nWhite");
    case kCmdBackgroundInk: return QStringLiteral("Background colour: black\nBlack background");
    case kCmdBackgroundPaper: return QStringLiteral("Background colour: white\nWhite background");
    default: return {};
    }
}

CMakeChrWnd::CMakeChrWnd(MessageDocument &document, const LanguageTable &languages, QSize size, QWidget *owner)
    : QWidget(owner, Qt::Tool | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      document_(document),
      languages_(languages),
      outerSize_(size),
      editor_(new GlyphEditor(document.ledTypes().maxRowWidth(), this)),
      toolBar_(new QFrame(this)),
      frame_(new CEditChrWnd(*editor_, &languages, this))
{
    setObjectName(QStringLiteral("makeChrWnd"));
    setAccessibleName(QStringLiteral("Glyph editor"));
    setWindowTitle(QString());
    // The tool bar's buttons and pictures are made when the editor first shows.
    toolBar_->setObjectName(QStringLiteral("toolBar7700"));
    toolBar_->setAccessibleName(QStringLiteral("Tools"));
    resize(size);
    move(0, 0);

    connect(editor_, &GlyphEditor::titleChanged, this, &QWidget::setWindowTitle);
    connect(editor_, &GlyphEditor::toolStateChanged, this, &CMakeChrWnd::UpdateToolBar);
    connect(editor_, &GlyphEditor::layoutRefused, this, [this] {
        ShowPlatformMessage(QStringLiteral("图板扩大后，字符窗太多(>256)!\n请先设定窗口模式。"),
                            QStringLiteral("错误"), this, mb::kOk | mb::kIconExclamation);
    });
    // Hidden or shown, the board follows the row that changed last.
    connect(&document_, &MessageDocument::rowChanged, this, &CMakeChrWnd::LoadRow);
}

CMakeChrWnd::~CMakeChrWnd()
{
    document_.disconnect(this);
}

CEditChrView *CMakeChrWnd::canvas() const
{
    return frame_->canvas();
}

QToolButton *CMakeChrWnd::toolButton(int command)
{
    createToolBar();
    for (size_t i = 0; i < toolbar::kCommands.size(); ++i)
        if (toolbar::kCommands[i] == command && command != 0)
            return buttons_[i];
    return nullptr;
}

void CMakeChrWnd::createToolBar()
{
    if (toolBarMade_)
        return;
    toolBarMade_ = true;
    toolBar_->setAutoFillBackground(true);
    // Flat buttons on a bar with a border on its right side.
    toolBar_->setStyleSheet(QStringLiteral("QFrame#toolBar7700 { border: none; border-right: 1px solid #9a9ca4; }"));
    auto *grid = new QGridLayout(toolBar_);
    grid->setContentsMargins(2, 4, 4, 4);
    grid->setSpacing(1);
    // Two items a line: every item with an odd index ends its line.
    for (int i = 0; i < toolbar::kItems; ++i) {
        const int command = toolbar::kCommands[size_t(i)];
        if (command == 0)
            continue;
        auto *button = new QToolButton(toolBar_);
        button->setObjectName(QStringLiteral("id%1").arg(command));
        button->setIcon(toolIcon(command));
        button->setIconSize(toolbar::kImageSize);
        button->setAutoRaise(true);
        button->setCheckable(true);
        // Tab reaches the tools; a click leaves the focus on the board.
        button->setFocusPolicy(Qt::TabFocus);
        connect(button, &QToolButton::clicked, this, [this, command] { onCommand(command); });
        grid->addWidget(button, i / 2, i % 2);
        buttons_[size_t(i)] = button;
    }
    grid->setRowStretch(toolbar::kItems / 2, 1);
    // The buttons are shown and in their places before the bar first paints.
    toolBar_->setGeometry(0, 0, toolbar::kWidth, height());
    for (QToolButton *button : buttons_)
        if (button)
            button->show();
    grid->activate();
    RetranslateToolBar();
    UpdateToolBar();
}

void CMakeChrWnd::RetranslateToolBar()
{
    const bool chinese = speaksChinese(languages_.current());
    for (size_t i = 0; i < toolbar::kCommands.size(); ++i) {
        QToolButton *button = buttons_[i];
        if (!button)
            continue;
        const int command = toolbar::kCommands[i];
        const QString text = chinese ? resourceText(command) : englishResourceText(command);
        const QString tip = text.section(QLatin1Char('\n'), 1);
        button->setToolTip(tip);
        button->setStatusTip(text.section(QLatin1Char('\n'), 0, 0));
        button->setAccessibleName(tip);
    }
}

void CMakeChrWnd::onCommand(int command)
{
    editor_->OnCommand(command);
    UpdateToolBar();
    // A tool picked with the keyboard keeps the focus for the next Tab or Space.
    const QWidget *focus = QApplication::focusWidget();
    if (canvas() && !(focus && toolBar_->isAncestorOf(focus)))
        canvas()->setFocus();
}

void CMakeChrWnd::UpdateToolBar()
{
    for (size_t i = 0; i < toolbar::kCommands.size(); ++i) {
        if (QToolButton *button = buttons_[i]) {
            button->setChecked(editor_->isChecked(toolbar::kCommands[i]));
            button->setEnabled(editor_->isEnabled(toolbar::kCommands[i]));
        }
    }
}

bool CMakeChrWnd::LoadRow(int k)
{
    if (k < 0 || k >= MessageDocument::kRows)
        return false;
    editor_->LoadRow(&document_.row(k), k);
    // A board wider than the window shows its end, where the latest characters are.
    if (CEditChrView *view = canvas(); view && view->horizontalBarShown())
        view->ScrollToDevicePosition(QPoint(INT_MAX / 2, view->GetDeviceScrollPosition().y()));
    update();
    return true;
}

void CMakeChrWnd::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    toolBar_->setGeometry(0, 0, toolbar::kWidth, height());
    frame_->setGeometry(toolbar::kWidth, 0, width() - toolbar::kWidth, height());
}

void CMakeChrWnd::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    if (canvas())
        canvas()->setFocus();
}

void CMakeChrWnd::closeEvent(QCloseEvent *event)
{
    // The close box only hides the editor; it lives as long as the main window.
    event->ignore();
    hide();
}

bool CMakeChrWnd::event(QEvent *event)
{
    if (event->type() == QEvent::Show)
        createToolBar();
    // The window manager's frame is known once the window is shown: the inner size is
    // then the outer size asked for less the frame, so the size saved at exit (the
    // outer one) is the size restored.
    const bool result = QWidget::event(event);
    if (outerSizePending_ && isVisible() &&
        (event->type() == QEvent::Show || event->type() == QEvent::Move || event->type() == QEvent::Resize)) {
        const QSize frame = frameGeometry().size() - size();
        if (frame.width() > 0 || frame.height() > 0) {
            outerSizePending_ = false;
            resize(outerSize_ - frame);
        }
    }
    return result;
}

void CMakeChrWnd::contextMenuEvent(QContextMenuEvent *event)
{
    event->accept();  // the window itself has no menu
}

} // namespace tessivo
