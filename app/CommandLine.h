// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The program's command line: a project to open at start, or work without a window for
// scripts and cron jobs. --send sends a project to the display with the Send button's
// code and messages, --list names the links on which a display answers now.

#include "link/DeviceLink.h"

#include <QString>
#include <QStringList>

class QIODevice;
class QTextStream;

namespace tessivo {

class MessageDocument;

namespace cli {
/// Exit statuses: one for each way the work without a window can end.
enum Status : int {
    kOk = 0,
    kFailed = 1,          // a failure without a message of its own
    kUsage = 2,           // the arguments were wrong
    kOpenError = 3,       // "Open file error!"
    kNoData = 4,          // "No Data Send!"
    kNoDisplay = 5,       // no link answers
    kTooLarge = 6,        // "IC ROM Over"
    kConnectFailure = 7,  // "USB Device Connect Failure!!!"
    kWriteError = 8,      // "USB Write Data Error"
    kReadError = 9,       // "USB Read Data Error"
    kDeviceStatus = 10,   // the display answered with an error status
    kWriteFailure = 11,   // "USB Write Data Failure!"
};
Status statusOf(SendFailure failure);
}

struct CommandLine {
    enum class Mode { Window, Send, List, Dump, Compose, Help, Version, Error };
    Mode mode = Mode::Window;
    QString project;  // the project to open (Window), to send (Send; "-" standard input) or to dump
    QString error;    // what is wrong with the arguments (Error)
    bool quiet = false;  // --quiet: no progress, only errors
    bool json = false;   // --list --json
    // Compose: the arguments in their order, and where the message goes.
    QStringList composeArguments;
    QString saveTo;        // --save FILE
    QString animationTo;   // --animation FILE.gif
    bool sendComposed = false;  // --send
};

/// The line that says why the window cannot open (no display server), or empty.
QString windowSystemProblem();

/// Whether the arguments ask for work without a window: then the program makes no
/// QApplication (none could start without a display), and Qt's window options mean
/// nothing. A first look that tolerates what it does not know.
bool runsWithoutWindow(const QStringList &arguments);
/// The arguments, the program's name first, read strictly.
CommandLine parseCommandLine(const QStringList &arguments);
QString commandLineHelp();
QString versionText();

/// Opens the project into the document, builds the device image and sends it over the
/// first link that answers, as the Send button does; messages and progress go to
/// `messages`, a line each. `interactive` redraws the progress in place (a terminal).
/// Errors start with "tessivo:" and say what went wrong before the program's message;
/// `quiet` leaves out everything else. The path "-" reads the project from `input`.
int SendProjectFile(const QString &path, MessageDocument &document, LinkDrivers &drivers,
                    QTextStream &messages, bool interactive = false, bool quiet = false,
                    QIODevice *input = nullptr);
/// Prints a line for each display: its link, its USB identity, its device node and
/// whether it answers, or why it cannot be opened and how to fix that; as a JSON array
/// with `json`. kOk when one answers.
int ListLinks(LinkDrivers &drivers, QTextStream &out, bool json = false);
/// Prints what a project holds: its LED type and middle option, and for each row its
/// effects by name, its characters (as text where printable, U+XXXX otherwise) and its
/// width in columns; as a JSON object with `json`. Errors go to `errors`.
/// Sends a message already in the document, as --send does once the project is open.
int SendDocumentFromScript(MessageDocument &document, LinkDrivers &drivers, QTextStream &messages,
                           bool interactive = false, bool quiet = false);
int DumpProjectFile(const QString &path, MessageDocument &document, QTextStream &out, QTextStream &errors,
                    bool json = false);

} // namespace tessivo
