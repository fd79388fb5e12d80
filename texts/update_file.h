#pragma once

// The update file a program site publishes ("/update.ini"): an INI file with
// section "version" and key "indvr", the newest version written as three
// digits without points.

#include <QByteArray>

#include <optional>
#include <string_view>

namespace indikt {

// A larger update file is not an update file.
inline constexpr qsizetype kMaxUpdateFileBytes = 64 * 1024;

// The version written as the site writes it: "2.5.3" is 253, "0.1.0" is 10.
// Parts beyond the third are ignored; a part that is not a number counts 0.
int VersionNumberOf(std::string_view dotted);
// This program's own number, from the project version.
int ProgramVersionNumber();

// What one site answered: the version it publishes, or nothing when the
// answer is not a valid update file (no 2xx status, an empty body, a page
// that is not an INI file with section "version"). A valid section without
// "indvr" (or with a value that is no number) stands for `own_version`.
std::optional<int> VersionOfAnswer(int http_status, const QByteArray& body, int own_version);

}  // namespace indikt
