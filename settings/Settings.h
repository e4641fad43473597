// SPDX-FileCopyrightText: 2026 Tessivo developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The section "Set" of the settings file: what is read at start-up (with its defaults,
// adjustments and ranges) and written back at exit, and the language table that the
// same file defines. Nothing else lives here; the document takes its starting values
// from it and gives them back at exit.

#include "settings/LanguageTable.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <cstdint>

namespace tessivo {

class IniFile;

namespace settings {
constexpr int kWindowMin = 100, kWindowMax = 1024;
constexpr int kSysFontChars = 159;
constexpr uint32_t kLedColor = 0x000000FF;  // red, 0x00BBGGRR
inline const char16_t *const kSysFont = u"宋体";
constexpr int kGap11 = 2, kRowWidth11 = 160;
}

class Settings : public QObject {
    Q_OBJECT
public:
    explicit Settings(QObject *parent = nullptr);

    int32_t bUserFont = 1;   // non-zero: glyph files; 0: the installed font SysFont
    QString SysFont = QString::fromUtf16(settings::kSysFont);
    int32_t LedType = 0;     // 0 = 7LED, 1 = 11LED, 2 = 16LED
    uint32_t LedColor = settings::kLedColor;
    int32_t LedGap11 = settings::kGap11;          // as read; the LED type table clamps it
    int32_t LedScrW11 = settings::kRowWidth11;    // as read; never written
    int32_t MakeChrWndCx = 540;
    int32_t MakeChrWndCy = 360;
    // The file dialogs' folder and the projects opened or saved last, newest first.
    // Written only when they changed, so a file of a user who never opens a project
    // keeps its bytes.
    QString LastFolder;
    QStringList RecentProjects;
    static constexpr int kRecentProjects = 5;
    /// Puts a project first in the recent list (once), and its folder as the last one.
    void rememberProject(const QString &path);
    LanguageTable languages;

    /// Reads the section "Set" (after the languages, whose count the language index
    /// needs).
    void ReadSettings(const IniFile &ini);
    /// Writes the section "Set".
    void WriteSettings(IniFile &ini) const;

    /// Switches the current language; an index outside the table selects the first.
    void setLanguage(int index);

signals:
    void languageChanged(int index);

private:
    QString lastFolderRead_;
    QStringList recentRead_;
};

/// The file in LIB that marks an installed copy of the program.
inline constexpr const char *kInstalledMarker = "INSTALLED";

/// Where the settings are read from and written to. Normally both are LIB/Tessivo.ini
/// beside the program; when LIB is not writable or belongs to an installed copy (it
/// holds the file kInstalledMarker) the file lives in the user's configuration folder,
/// first read from LIB's copy until it exists.
struct SettingsLocation {
    QString readPath;
    QString writePath;
};
SettingsLocation resolveSettingsLocation(const QString &moduleFolder);

} // namespace tessivo
