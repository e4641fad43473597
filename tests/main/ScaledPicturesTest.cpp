// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The program's pictures at the screen's scale (this suite runs again with the scale
// factors 1.5 and 2) and in a dark palette: whole, drawn for the device pixel ratio, and
// the glyph editor's tool pictures visible on a dark tool bar.

#include "support/DialogFixture.h"

#include "editor/EditorPictures.h"
#include "editor/GlyphEditor.h"
#include "editor/MakeChrWnd.h"

#include <QPalette>
#include <QPushButton>
#include <QStyleFactory>
#include <QToolButton>

namespace tessivo::test {
namespace {

class Pictures : public DialogFixture {
protected:
    double ratio() const { return qApp->devicePixelRatio(); }
    QString scaleName() const { return QString::number(ratio()).replace(QLatin1Char('.'), QLatin1Char('_')); }
    void shoot(QWidget *w, const QString &name)
    {
        if (const QByteArray out = qgetenv("TESSIVO_SCREENSHOTS"); !out.isEmpty())
            w->grab().save(QString::fromLocal8Bit(out) + QStringLiteral("/%1-scale%2.png").arg(name, scaleName()));
    }
    static QPalette darkPalette()
    {
        QPalette dark;
        dark.setColor(QPalette::Window, QColor(40, 42, 46));
        dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
        dark.setColor(QPalette::Base, QColor(28, 30, 33));
        dark.setColor(QPalette::Text, QColor(230, 230, 230));
        dark.setColor(QPalette::Button, QColor(50, 52, 56));
        dark.setColor(QPalette::ButtonText, QColor(230, 230, 230));
        return dark;
    }
};

TEST_F(Pictures, TheTxtButtonsShowTheirWholePictureAtEveryScale)
{
    for (int k = 0; k < kMessageRows; ++k) {
        auto *txt = control<QPushButton>(dlg::kEditorButton + k);
        ASSERT_TRUE(txt);
        // The icon is as large as the button's face in logical pixels, drawn with as
        // many device pixels as the screen has.
        EXPECT_EQ(txt->iconSize().height(), 12) << k;
        EXPECT_LT(txt->iconSize().width(), txt->width()) << k;
        const QPixmap shown = txt->icon().pixmap(txt->iconSize(), ratio());
        EXPECT_EQ(shown.deviceIndependentSize().toSize(), txt->iconSize()) << k;
        EXPECT_DOUBLE_EQ(shown.devicePixelRatio(), ratio()) << k;
    }
    type(0, QStringLiteral("Scale"));
    shoot(dialog.get(), QStringLiteral("main-window"));
}

TEST_F(Pictures, EditorToolPicturesAreSharpAndHaveALightRimForDarkToolBars)
{
    for (const int command : toolbar::kCommands) {
        if (command == 0)
            continue;
        const QIcon icon = toolIcon(command);
        const QPixmap drawn = icon.pixmap(toolbar::kImageSize, ratio());
        EXPECT_DOUBLE_EQ(drawn.devicePixelRatio(), ratio()) << command;
        // Dark lines come with a light rim that shows on a dark tool bar.
        const QImage image = drawn.toImage().convertToFormat(QImage::Format_ARGB32);
        int light = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                light += qAlpha(image.pixel(x, y)) >= 128 && qGray(image.pixel(x, y)) > 200;
        EXPECT_GT(light, 0) << command;
    }
}

TEST_F(Pictures, TheWindowsInADarkPaletteAndBothLanguages)
{
    // A desktop in a dark theme: the windows are made under its palette.
    const QPalette before = QApplication::palette();
    QApplication::setPalette(darkPalette());
    makeDialog();
    type(0, QStringLiteral("Dark"));
    QTest::mouseClick(control<QWidget>(dlg::kEditorButton), Qt::LeftButton);
    for (int language : {0, 1}) {
        settings.setLanguage(language);
        const QString suffix = language == 0 ? QStringLiteral("en") : QStringLiteral("zh");
        shoot(dialog.get(), QStringLiteral("main-window-dark-") + suffix);
        shoot(dialog->editorWindow(), QStringLiteral("editor-dark-") + suffix);
    }
    // The line tool's picture on the dark tool bar has light pixels beside its dark ones.
    const QImage button = dialog->editorWindow()->toolButton(editor::kCmdLine)->grab().toImage();
    int light = 0;
    for (int y = 0; y < button.height(); ++y)
        for (int x = 0; x < button.width(); ++x)
            light += qGray(button.pixel(x, y)) > 140;
    EXPECT_GT(light, 0);
    QApplication::setPalette(before);
    makeDialog();
}

} // namespace
} // namespace tessivo::test
