#pragma once
// The section "Set" of the settings file: defaults, adjustments and ranges on reading,
// and the values written back on exit.

namespace tessivo {

class IniFile;
struct AppState;

namespace settings {
constexpr int kWindowMin = 100, kWindowMax = 1024;
constexpr int kSysFontChars = 159;
}

/// Reads the section "Set" into the state; also adjusts the 11-LED type entry.
void ReadSettings(const IniFile &ini, AppState &state);
/// Writes the section "Set" from the state.
void WriteSettings(IniFile &ini, const AppState &state);

} // namespace tessivo

#include <QString>

namespace tessivo {

/// Where the settings are read from and written to. Normally both are LIB/Tessivo.ini
/// beside the program; when LIB is not writable (an installed program) the file lives
/// in the user's configuration folder, first read from LIB's copy until it exists.
struct SettingsLocation {
    QString readPath;
    QString writePath;
};
SettingsLocation resolveSettingsLocation(const QString &moduleFolder);

} // namespace tessivo
