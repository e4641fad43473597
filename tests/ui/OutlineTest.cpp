// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The painted outlines: the rows' frame black in any palette, the note's card with its
// rounded corners, and a main window that starts without any style sheet.

#include "support/DialogFixture.h"

#include "ui/Outline.h"

#include <QImage>

namespace tessivo::test {
namespace {

/// A window in a dark palette for one widget of `Widget` at `place`.
template <typename Widget>
Widget *inDarkWindow(QWidget &window, QSize size, QRect place)
{
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(40, 42, 46));
    dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
    window.setPalette(dark);
    window.resize(size);
    auto *widget = new Widget(&window);
    widget->setGeometry(place);
    return widget;
}

TEST(Outline, TheFrameIsABlackLineInsideItsEdgesInADarkPalette)
{
    QWidget parent;
    auto *frame = inDarkWindow<COutlineFrame>(parent, {60, 40}, {5, 5, 50, 30});
    const QImage image = frame->grab().toImage();
    for (const QPoint edge : {QPoint(0, 0), QPoint(49, 0), QPoint(0, 29), QPoint(49, 29), QPoint(25, 0),
                              QPoint(25, 29), QPoint(0, 15), QPoint(49, 15)})
        EXPECT_EQ(image.pixelColor(edge), QColor(Qt::black)) << edge.x() << "," << edge.y();
    EXPECT_NE(image.pixelColor(25, 15), QColor(Qt::black)) << "the inside is the window's";
    EXPECT_NE(image.pixelColor(1, 1), QColor(Qt::black));
}

TEST(Outline, TheNoteIsACardWithRoundedCornersAndItsOwnTextColour)
{
    QWidget parent;
    auto *note = inDarkWindow<CNoteLabel>(parent, {120, 80}, {10, 10, 100, 60});
    note->setText(QStringLiteral("Note"));
    const QImage image = parent.grab().toImage();
    const QPoint origin(10, 10);
    EXPECT_EQ(image.pixelColor(origin + QPoint(50, 40)), QColor(0xff, 0xfd, 0xf2)) << "the card";
    EXPECT_EQ(image.pixelColor(origin + QPoint(50, 0)), QColor(0xd8, 0xcf, 0xa8)) << "the top edge";
    EXPECT_EQ(image.pixelColor(origin + QPoint(99, 30)), QColor(0xd8, 0xcf, 0xa8)) << "the right edge";
    // A rounded corner leaves the window's own colour in the very corner pixel.
    EXPECT_EQ(image.pixelColor(origin), QColor(40, 42, 46));
    EXPECT_EQ(image.pixelColor(origin + QPoint(99, 59)), QColor(40, 42, 46));
    EXPECT_EQ(note->palette().color(QPalette::WindowText), QColor(0x3a, 0x34, 0x24));
    EXPECT_EQ(note->contentsRect(), note->rect().adjusted(1, 1, -1, -1));
}

class StartWithoutStyleSheets : public DialogFixture {};

TEST_F(StartWithoutStyleSheets, NoWidgetOfTheMainWindowCarriesAStyleSheet)
{
    EXPECT_TRUE(qApp->styleSheet().isEmpty());
    EXPECT_TRUE(dialog->styleSheet().isEmpty());
    for (const QWidget *widget : dialog->findChildren<QWidget *>())
        EXPECT_TRUE(widget->styleSheet().isEmpty()) << widget->objectName().toStdString();
}

} // namespace
} // namespace tessivo::test
