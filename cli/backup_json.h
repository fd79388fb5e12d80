#pragma once

// indikt-cli backup: the archive copy engine for scripts and scheduled backups.
//   indikt-cli backup copy|get|sync DIR [--components LIST | --all]
//                     [--rule delete|replace|newer] [--data-root ROOT]
// Prints the outcome as one JSON object; exit 0 when everything was copied,
// 3 when something failed or the folders were refused, 2 on a bad argument.

#include <ostream>
#include <string>
#include <vector>

namespace indikt::cli {

inline constexpr int kExitBackupFailed = 3;

extern const char* const kBackupUsage;

// `arguments` follow the word "backup".
int RunBackupCommand(const std::vector<std::string>& arguments, const std::string& default_data_root,
                     std::ostream& out, std::ostream& err);

}  // namespace indikt::cli
