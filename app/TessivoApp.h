#pragma once
// The application object: finds the program's folders, binds the report library, reads
// the languages and settings, loads the glyph files, runs the main window, and writes
// the settings back when the window has ended.

#include "app/IniFile.h"

#include <QCursor>
#include <QLibrary>
#include <QString>
#include <array>
#include <functional>
#include <optional>

namespace tessivo {

class CTessivoApp {
public:
    static constexpr int kCursorSlots = 22;
    static constexpr int kIBeamCursor = 16;  // the row input window's cursor

    CTessivoApp();
    ~CTessivoApp();
    CTessivoApp(const CTessivoApp &) = delete;
    CTessivoApp &operator=(const CTessivoApp &) = delete;

    /// The start-up sequence; runs the main window and answers false once it has ended.
    bool InitInstance();
    /// Writes the settings, releases what start-up loaded and returns the exit code.
    int ExitInstance();

    /// The cursor of a slot, or nothing for an empty slot.
    const QCursor *cursor(int slot) const;

    // What the shell does that tests replace: the folder of the executable, the
    // platform message box, and the main window's run.
    QString moduleFolderOverride;
    std::function<void(const QString &text, const QString &caption)> platformMessage;
    std::function<void()> runMainWindow;

    /// The path of the report library, relative to the program folder.
    static QString reportLibraryName();

private:
    void loadReportLibrary();
    void fillCursorTable();

    QLibrary reportLibrary_;
    std::array<std::optional<QCursor>, kCursorSlots> cursors_;
    QString settingsReadPath_;
    bool started_ = false;
};

} // namespace tessivo
