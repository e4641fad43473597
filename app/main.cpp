// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/CommandLine.h"
#include "app/Compose.h"
#include "app/TessivoApp.h"

#include <QApplication>
#include <QGuiApplication>
#include <QTextStream>
#include <memory>

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    // A message composed from texts needs fonts and pictures, not a display.
    if (tessivo::asksToCompose(arguments)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication application(argc, argv);
        return std::make_unique<tessivo::CTessivoApp>()->RunCommandLine(
            tessivo::parseCommandLine(QCoreApplication::arguments()));
    }

    // Work for scripts starts no window system: it runs where no display is.
    if (tessivo::runsWithoutWindow(arguments)) {
        QCoreApplication application(argc, argv);
        return std::make_unique<tessivo::CTessivoApp>()->RunCommandLine(
            tessivo::parseCommandLine(QCoreApplication::arguments()));
    }

    // Without a display server the window cannot open: say so, without Qt's abort.
    const bool platformGiven = arguments.contains(QStringLiteral("-platform")) ||
                               arguments.contains(QStringLiteral("--platform"));
    if (const QString problem = tessivo::windowSystemProblem(); !problem.isEmpty() && !platformGiven) {
        QTextStream(stderr) << problem << '\n';
        return tessivo::cli::kFailed;
    }

    // Qt takes its own options (-platform, -style) before the program reads the rest.
    QApplication application(argc, argv);
    const tessivo::CommandLine line = tessivo::parseCommandLine(QCoreApplication::arguments());
    // The application object is large; on the heap it costs no stack pages.
    const auto app = std::make_unique<tessivo::CTessivoApp>();
    if (line.mode != tessivo::CommandLine::Mode::Window)
        return app->RunCommandLine(line);
    app->projectToOpen = line.project;
    app->InitInstance();
    return app->ExitInstance();
}
