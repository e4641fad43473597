// The main window's figures: a keystroke into a row, from the key event to the repainted
// row, and saving then opening a project of twelve full rows.

#include "document/MessageDocument.h"
#include "glyphs/GlyphFiles.h"
#include "settings/IniFile.h"
#include "settings/Settings.h"
#include "glyphs/SysFontGlyph.h"
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
