// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window's figures: a keystroke into a row, from the key event to the repainted
// row, and saving then opening a project of twelve full rows.

#include "document/MessageDocument.h"
#include "glyphs/GlyphFiles.h"
#include "settings/IniFile.h"
#include "settings/Settings.h"
#include "glyphs/SysFontGlyph.h"
#include "editor/EditChrView.h"
#include "editor/GlyphEditor.h"
#include "editor/MakeChrWnd.h"
#include "main/TessivoDlg.h"
#include "preview/Keyboard.h"
#include "preview/KeyWnd.h"
#include "rows/InputChrWnd.h"
#include "support/VirtualDisplay.h"
#include "ui/FileDialog.h"
#include "ui/MessageBox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTemporaryDir>
#include "app/Compose.h"
#include "preview/AnimationGif.h"

#include <QTextStream>
#include <benchmark/benchmark.h>

using namespace tessivo;

namespace {

struct Window {
    test::VirtualDisplay display;
    test::VirtualLinks links{display};
    Settings settings;
    std::unique_ptr<MessageDocument> document;
    std::unique_ptr<CTessivoDlg> dialog;

    Window()
    {
        LoadGlyphFiles(TESSIVO_LIB_DIR);
        settings.languages.ReadLanguages(IniFile());
        document = std::make_unique<MessageDocument>();
        document->ChangeLedType(ledtype::k16, true);
        setMessageBoxHandler([](const QString &, unsigned) { return mb::kIdNo; });
        dialog = std::make_unique<CTessivoDlg>(*document, settings, links);
        dialog->show();
        QApplication::processEvents();
    }
    ~Window()
    {
        dialog.reset();
        setMessageBoxHandler({});
        FreeGlyphFiles();
    }
};

void BM_KeystrokeIntoRow(benchmark::State &state)
{
    Window window;
    CInputChrWnd *row = window.dialog->rowWindow(0);
    row->setFocus();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("A"));
    for (auto _ : state) {
        QApplication::sendEvent(row, &press);
        if (row->row().usedWidth() + 8 > row->row().rowWidth()) {
            state.PauseTiming();
            row->row().ClearRow();
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_KeystrokeIntoRow)->Unit(benchmark::kMicrosecond);

// The capacity gauge's renewal after a change: the device image built once and the
// label's new text (the keystroke above only starts its timer).
void BM_CapacityGaugeRenewal(benchmark::State &state)
{
    Window window;
    RowModel &row = window.document->row(0);
    for (int i = 0; i < 16; ++i)
        if (row.AddChar(uint16_t('A' + i), false))
            row.MoveCaret(1, false);
    bool longer = false;
    for (auto _ : state) {
        state.PauseTiming();
        // Another count each time, so that the label changes as it does while typing.
        longer = !longer;
        if (longer)
            row.AddChar(u'W', false);
        else
            row.DeleteRange(0, 1, false);
        state.ResumeTiming();
        window.dialog->showCapacity();
    }
}
BENCHMARK(BM_CapacityGaugeRenewal)->Unit(benchmark::kMicrosecond);

void BM_SaveThenOpenTwelveFullRows(benchmark::State &state)
{
    Window window;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.LDAT"));
    setFileDialogHandler([&path](const FileDialogRequest &) { return path; });
    for (int k = 0; k < 12; ++k) {
        RowModel &row = window.document->row(k);
        while (row.AddChar(0x4E2D, false))
            row.MoveCaret(1, false);
        window.document->TouchRow(k);
    }
    for (auto _ : state) {
        window.dialog->OnSave();
        window.dialog->OnOpen();
    }
    setFileDialogHandler({});
}
BENCHMARK(BM_SaveThenOpenTwelveFullRows)->Unit(benchmark::kMicrosecond);

// One character rasterised from an installed font, and the 125 codes the character
// keyboard asks for.
void BM_SysFontGlyph(benchmark::State &state)
{
    const int type = int(state.range(0));
    const QString face = QStringLiteral("DejaVu Sans");
    const LedTypeTable types;
    for (auto _ : state) {
        ChrRecord record = emptyRecord();
        benchmark::DoNotOptimize(GetSysFontGlyph(face, types[type], u'W', record));
    }
}
BENCHMARK(BM_SysFontGlyph)->Arg(ledtype::k7)->Arg(ledtype::k11)->Arg(ledtype::k16)->Unit(benchmark::kMicrosecond);

void BM_SysFontKeyboardCodes(benchmark::State &state)
{
    const QString face = QStringLiteral("DejaVu Sans");
    const LedTypeTable types;
    for (auto _ : state) {
        for (uint16_t code = 1; code <= 125; ++code) {
            ChrRecord record = emptyRecord();
            benchmark::DoNotOptimize(GetSysFontGlyph(face, types[ledtype::k16], code, record));
        }
    }
}
BENCHMARK(BM_SysFontKeyboardCodes)->Unit(benchmark::kMillisecond);

// The character keyboard: filling it from the glyph files and from an installed font at
// 16 LEDs, and repainting all of it.
void BM_FillKeys(benchmark::State &state)
{
    LoadGlyphFiles(TESSIVO_LIB_DIR);
    const GlyphSource source = state.range(0) ? GlyphSource{false, QStringLiteral("DejaVu Sans")} : GlyphSource{};
    const LedTypeInfo type = LedTypeTable()[ledtype::k16];
    for (auto _ : state) {
        const std::vector<ChrRecord> keys =
            FillKeys(255, [&](uint16_t code, ChrRecord &record) { return GetGlyph(source, code, type, record); });
        benchmark::DoNotOptimize(keys.data());
    }
    state.SetLabel(state.range(0) ? "installed font" : "glyph files");
    FreeGlyphFiles();
}
BENCHMARK(BM_FillKeys)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_RepaintKeyboard(benchmark::State &state)
{
    Window window;
    CKeyWnd *keys = window.dialog->keyWindow();
    for (auto _ : state)
        keys->repaint();
}
BENCHMARK(BM_RepaintKeyboard)->Unit(benchmark::kMicrosecond);

/// Fills row 1 to capacity and opens it in the glyph editor.
CMakeChrWnd *editFullRow(Window &window)
{
    RowModel &row = window.document->row(0);
    while (row.AddChar(u'W', false))
        row.MoveCaret(1, false);
    window.dialog->OnEditorButton(0);
    return window.dialog->editorWindow();
}

// The glyph editor: a pencil drag across a 16-LED board (each move drawn, written into
// the row and its squares repainted), and a full repaint of a 180 x 16 board at cell 10.
void BM_EditorPencilMove(benchmark::State &state)
{
    Window window;
    CMakeChrWnd *editor = editFullRow(window);
    QWidget *viewport = editor->canvas()->viewport();
    const int cell = editor->editor().layout().cellSize;
    int step = 0;
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &press);
    for (auto _ : state) {
        // Twenty moves across the board and back, each a few squares on.
        const int x = (step % 20) * 3 * cell + cell / 2, y = ((step / 20) % 16) * cell + cell / 2;
        QMouseEvent move(QEvent::MouseMove, QPointF(x, y), QPointF(x, y), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &move);
        viewport->repaint(viewport->rect().intersected(QRect(x - 3 * cell, y - cell, 4 * cell, 2 * cell)));
        ++step;
    }
}
BENCHMARK(BM_EditorPencilMove)->Unit(benchmark::kMicrosecond);

// A move step of a selection of the whole 16-LED board, with the write-back into the row
// and the repaint of the board.
void BM_EditorMoveWholeSelection(benchmark::State &state)
{
    Window window;
    CMakeChrWnd *editor = editFullRow(window);
    editor->resize(1000, 300);
    QApplication::processEvents();
    GlyphEditor &model = editor->editor();
    model.OnCommand(editor::kCmdSelect);
    model.SelectAll();
    QWidget *viewport = editor->canvas()->viewport();
    const QPoint grab = model.layout().squaresOf(QRect(70, 8, 1, 1)).center();
    const auto send = [viewport](QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent event(type, QPointF(at), QPointF(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(viewport, &event);
    };
    send(QEvent::MouseMove, grab, Qt::NoButton, Qt::NoButton);
    send(QEvent::MouseButtonPress, grab, Qt::LeftButton, Qt::LeftButton);
    const int cell = model.layout().cellSize;
    int step = 0;
    for (auto _ : state) {
        send(QEvent::MouseMove, grab + QPoint((step++ % 2) * cell, 0), Qt::NoButton, Qt::LeftButton);
        viewport->repaint();
    }
    send(QEvent::MouseButtonRelease, grab, Qt::LeftButton, Qt::NoButton);
}
BENCHMARK(BM_EditorMoveWholeSelection)->Unit(benchmark::kMicrosecond);

void BM_EditorFullRepaint(benchmark::State &state)
{
    Window window;
    window.document->ChangeLedType(ledtype::k11, true);
    CMakeChrWnd *editor = editFullRow(window);
    editor->editor().ResizeBoard(180, 16, 10);
    editor->resize(1900, 300);
    QApplication::processEvents();
    for (auto _ : state)
        editor->canvas()->viewport()->repaint();
}
BENCHMARK(BM_EditorFullRepaint)->Unit(benchmark::kMicrosecond);

// Twelve rows composed from texts, as --text types them, with the glyph files.
void BM_ComposeTwelveRows(benchmark::State &state)
{
    LoadGlyphFiles(TESSIVO_LIB_DIR);
    QStringList arguments{QStringLiteral("tessivo"), QStringLiteral("--led"), QStringLiteral("16")};
    for (int k = 0; k < 12; ++k)
        arguments << QStringLiteral("--text") << QStringLiteral("Row %1: Hello, fan!").arg(k + 1);
    const ComposeRequest request = parseComposeOptions(arguments);
    QString sink;
    QTextStream messages(&sink);
    for (auto _ : state) {
        MessageDocument document;
        benchmark::DoNotOptimize(ComposeMessage(request, document, messages));
    }
    FreeGlyphFiles();
}
BENCHMARK(BM_ComposeTwelveRows)->Unit(benchmark::kMicrosecond);

// The animated GIF of a twelve-row message (every row once, a frame a tick).
void BM_AnimationGifTwelveRows(benchmark::State &state)
{
    LoadGlyphFiles(TESSIVO_LIB_DIR);
    QStringList arguments{QStringLiteral("tessivo"), QStringLiteral("--led"), QStringLiteral("16")};
    for (int k = 0; k < 12; ++k)
        arguments << QStringLiteral("--text") << QStringLiteral("Row %1 fan").arg(k + 1);
    QString sink;
    QTextStream messages(&sink);
    MessageDocument document;
    ComposeMessage(parseComposeOptions(arguments), document, messages);
    size_t frames = 0;
    for (auto _ : state) {
        const std::vector<QImage> pictures = animationFrames(document);
        frames = pictures.size();
        benchmark::DoNotOptimize(encodeAnimationGif(pictures).size());
    }
    state.counters["frames"] = double(frames);
    FreeGlyphFiles();
}
BENCHMARK(BM_AnimationGifTwelveRows)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
