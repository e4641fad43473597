#include "app/TessivoApp.h"

#include "app/AppState.h"
#include "app/Settings.h"
#include "glyphs/GlyphFiles.h"
#include "main/TessivoDlg.h"

#include <QApplication>
#include <QMessageBox>

namespace tessivo {

CTessivoApp::CTessivoApp()
{
    AppState &state = appState();
    state.languages = LanguageTable();
    state.LedColor = defaults::kLedColor;
    state.SysFont = QString::fromUtf16(defaults::kSysFont);
    state.useMiddle = 0;
}

CTessivoApp::~CTessivoApp()
{
    if (reportLibrary_.isLoaded())
        reportLibrary_.unload();
}

QString CTessivoApp::reportLibraryName() { return QStringLiteral("LIB/libMorvUSB.so"); }

bool CTessivoApp::InitInstance()
{
    AppState &state = appState();
    QCoreApplication::setOrganizationName(QStringLiteral("QorlSoft"));
    QCoreApplication::setApplicationName(QStringLiteral("Tessivo"));

    state.moduleFolder = moduleFolderOverride.isEmpty() ? QCoreApplication::applicationDirPath()
                                                        : moduleFolderOverride;
    const SettingsLocation location = resolveSettingsLocation(state.moduleFolder);
    state.settingsPath = location.writePath;
    settingsReadPath_ = location.readPath;
    started_ = true;

    loadReportLibrary();

    IniFile ini;
    ini.load(settingsReadPath_);
    state.languages.ReadLanguages(ini);
    ReadSettings(ini, state);
    fillCursorTable();
    LoadGlyphFiles(std::filesystem::path((state.moduleFolder + QStringLiteral("/LIB")).toStdString()));

    if (runMainWindow) {
        runMainWindow();
    } else {
        CTessivoDlg dialog;
        dialog.exec();
    }
    return false;
}

void CTessivoApp::loadReportLibrary()
{
    AppState &state = appState();
    state.report = ReportLibrary{};
    const auto show = [this](const QString &format) {
        const QString text = QString(format).replace(QStringLiteral("%s"), reportLibraryName());
        if (platformMessage)
            platformMessage(text, QStringLiteral("Information"));
        else
            QMessageBox::information(nullptr, QStringLiteral("Information"), text);
    };

    reportLibrary_.setFileName(state.moduleFolder + u'/' + reportLibraryName());
    if (!reportLibrary_.load())
        show(QStringLiteral("Can't Load %s"));

    ReportLibrary bound;
    if (reportLibrary_.isLoaded()) {
        bound.OpenUSBDevice = reinterpret_cast<ReportLibrary::OpenFn>(reportLibrary_.resolve("OpenUSBDevice"));
        bound.CloseUSBDevice = reinterpret_cast<ReportLibrary::CloseFn>(reportLibrary_.resolve("CloseUSBDevice"));
        bound.WriteUSB = reinterpret_cast<ReportLibrary::WriteFn>(reportLibrary_.resolve("WriteUSB"));
        bound.ReadUSB = reinterpret_cast<ReportLibrary::ReadFn>(reportLibrary_.resolve("ReadUSB"));
    }
    if (!bound.isBound()) {
        show(QStringLiteral("Load %s file error!"));
        if (reportLibrary_.isLoaded())
            reportLibrary_.unload();
        return;
    }
    state.report = bound;
}

void CTessivoApp::fillCursorTable()
{
    cursors_.fill(std::nullopt);
    const auto put = [this](std::initializer_list<int> slotNumbers, Qt::CursorShape shape) {
        for (int slot : slotNumbers)
            cursors_[size_t(slot)] = QCursor(shape);
    };
    put({0, 2}, Qt::SizeFDiagCursor);
    put({1, 3}, Qt::SizeBDiagCursor);
    put({4, 6}, Qt::SizeVerCursor);
    put({5, 7}, Qt::SizeHorCursor);
    // The glyph editor's own cursors: the move, copy and cross-hair shapes until it
    // brings pictures of its own.
    put({8, 12}, Qt::SizeAllCursor);
    put({9, 13}, Qt::DragCopyCursor);
    put({10, 14}, Qt::CrossCursor);
    put({15}, Qt::ArrowCursor);
    put({kIBeamCursor}, Qt::IBeamCursor);
    put({17, 18, 19, 20, 21}, Qt::CrossCursor);
}

const QCursor *CTessivoApp::cursor(int slot) const
{
    if (slot < 0 || slot >= kCursorSlots || !cursors_[size_t(slot)])
        return nullptr;
    return &*cursors_[size_t(slot)];
}

int CTessivoApp::ExitInstance()
{
    AppState &state = appState();
    if (started_) {
        // Values are merged into the file as it is now, so lines a user added while the
        // program ran survive; the file is replaced in one step.
        IniFile ini;
        if (!ini.load(state.settingsPath))
            ini.load(settingsReadPath_);
        WriteSettings(ini, state);
        LanguageTable::WriteLangCodePage(ini);
        state.languages.WriteLanguages(ini);
        ini.save(state.settingsPath);
    }

    cursors_.fill(std::nullopt);
    FreeGlyphFiles();
    state.report = ReportLibrary{};
    if (reportLibrary_.isLoaded())
        reportLibrary_.unload();
    state.languages = LanguageTable();
    started_ = false;
    return 0;
}

} // namespace tessivo
