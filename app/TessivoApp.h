// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The application object: finds the program's folders, binds the report library, reads
// the languages and settings, loads the glyph files, runs the main window, and writes
// the settings back when the window has ended.

#include "link/LinkDrivers.h"
#include "settings/Settings.h"

#include <QCursor>
#include <QLibrary>
#include <QString>
#include <QTextStream>
#include <array>
#include <functional>
#include <memory>
#include <optional>

class QIODevice;

namespace tessivo {

class MessageDocument;
struct CommandLine;

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
    /// Work without a window (--send, --list, --help, --version): start-up without the
    /// glyph files and cursors, the work, and no settings written. Messages go to
    /// standard error, lists and help to standard output. Answers the exit status.
    int RunCommandLine(const CommandLine &line);
    /// Writes the settings (unless the main window's exit wrote them), releases what
    /// start-up loaded and returns the exit code.
    int ExitInstance();

    enum class SettingsWrite { Written, Unreadable, Failed };
    /// Writes the settings file: the document's values into the section "Set", the
    /// code-page list and the built-in languages the file lacked, merged into the file
    /// as it is now. A file that exists but cannot be read is never replaced.
    SettingsWrite WriteSettingsFile();
    /// The message for a write that did not succeed, empty for one that did.
    static QString settingsWriteMessage(SettingsWrite result);

    /// The cursor of a slot, or nothing for an empty slot.
    const QCursor *cursor(int slot) const;

    // What start-up found and made: the folders, the report library's entry points,
    // the settings, and the message that the main window shows (from the end of the
    // start-up until the exit).
    const QString &moduleFolder() const { return moduleFolder_; }
    const QString &settingsPath() const { return settingsPath_; }
    const ReportLibrary &reportLibrary() const { return report_; }
    Settings &settings() { return settings_; }
    MessageDocument *document() { return document_.get(); }

    /// A project to open as the main window starts (named on the command line).
    QString projectToOpen;

    // What the shell does that tests replace: the folder of the executable, the
    // platform message box, the main window's run, the links and the streams of the
    // work without a window.
    QString moduleFolderOverride;
    std::function<void(const QString &text, const QString &caption)> platformMessage;
    std::function<void()> runMainWindow;
    LinkDrivers *driversOverride = nullptr;
    QTextStream *outOverride = nullptr;
    QTextStream *errOverride = nullptr;
    /// For tests: what --send - reads instead of standard input.
    QIODevice *inputOverride = nullptr;

    /// The path of the report library, relative to the program folder.
    static QString reportLibraryName();

private:
    static void setNames();
    /// Folders, settings and the report library: what both kinds of start share.
    void startCommon();
    /// Names the glyph files that are missing or damaged, on standard error.
    void reportGlyphFiles();
    /// Releases what the work without a window loaded.
    void finishCommandLine();
    /// --text: the message composed, then saved or sent.
    int composeFromCommandLine(const CommandLine &line, LinkDrivers &drivers, QTextStream &err);
    void loadReportLibrary();
    void fillCursorTable();
    /// The document starts from the settings and gives its values back at exit.
    void documentFromSettings();
    void settingsFromDocument();

    QString moduleFolder_;
    QString settingsPath_;
    Settings settings_;
    ReportLibrary report_;
    std::unique_ptr<LinkDrivers> drivers_;
    std::unique_ptr<MessageDocument> document_;
    QLibrary reportLibrary_;
    std::array<std::optional<QCursor>, kCursorSlots> cursors_;
    QString settingsReadPath_;
    bool started_ = false;
    bool settingsWritten_ = false;
};

} // namespace tessivo
