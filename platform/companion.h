#pragma once

// Companion programs that live beside the program file ("Mini.exe",
// "Events.exe", "IcoDesktop.exe", "Пасхалия\Пасхалия.exe"): on Linux the same
// names without ".exe", with '/' for the separators.

#include <QString>

namespace indikt {

// The absolute path of the companion program, or empty when no executable
// file of that name is there (the command that starts it then does nothing).
// "Events" is also found as "indikt-events", the reminders companion built
// with the program.
QString CompanionProgram(const QString& program_folder, const QString& windows_name);

}  // namespace indikt
