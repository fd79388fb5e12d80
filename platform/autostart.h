#pragma once

// Start with the system: XDG autostart entries (~/.config/autostart, or
// $XDG_CONFIG_HOME/autostart). An entry carries the program's full path, the
// data root and the start mode, and records the data root in a key of its own
// so that one installation never removes another's entries.

#include <QString>

namespace indikt {

// The names of the two entries, as the settings know them.
inline constexpr const char* kAutostartMain = " Индикт ";
inline constexpr const char* kAutostartPamjatka = "Памятка";

struct AutostartEntry {
    QString name;          // kAutostartMain or kAutostartPamjatka
    QString program_path;  // absolute path of the program file
    QString data_root;     // absolute path of the data root
    int start_mode = 1;    // passed as the start argument
    QString argument;      // passed instead of the start mode when not empty ("jp")
};

// The folder the desktop reads autostart entries from, for an environment
// whose XDG_CONFIG_HOME and HOME are given.
QString AutostartFolder(const QString& xdg_config_home, const QString& home);

// The file name an entry is stored under.
QString AutostartFileName(const QString& entry_name);

// The text of the .desktop file of an entry.
QString AutostartFileText(const AutostartEntry& entry);

// Writes the entry atomically; false with `error` set when it could not be saved.
bool WriteAutostartEntry(const QString& folder, const AutostartEntry& entry, QString* error);

// Removes the entry named `entry_name` when it belongs to `data_root`; an
// entry of another installation, or none at all, is left as it is.
// False with `error` set only when an entry of ours could not be removed.
bool RemoveAutostartEntry(const QString& folder, const QString& entry_name, const QString& data_root, QString* error);

// `RemAutoLoading`: removes both entries of this data root.
bool RemAutoLoading(const QString& folder, const QString& data_root, QString* error);

}  // namespace indikt
