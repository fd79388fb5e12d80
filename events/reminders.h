#pragma once

// The work of the reminders companion, without a window: which messages a
// start with "jp" (coming jubilees and feasts) or "s" (events due now) has to
// show for a data root at a moment, and the once-a-day rule of "jp".

#include "records/memo_messages.h"

#include <QString>

#include <optional>
#include <vector>

namespace indikt {

enum class ReminderKind { Coming, Due };

// "jp" and "s"; nothing for any other word.
std::optional<ReminderKind> ReminderKindOfArgument(const QString& argument);

// Where the companion keeps what it remembers between runs:
// $XDG_STATE_HOME/indikt, or ~/.local/state/indikt.
QString ReminderStateFolder(const QString& xdg_state_home, const QString& home);

struct ReminderRun {
    std::vector<ReminderMessage> messages;
    bool open_window = false;  // sob.ini's "OpWin": the main window opens too
    QString problem;           // what of the user's files could not be read
};

// The messages of a start. "jp" with "AutoSagrRasPam" on shows its messages
// once a day: a second start on the same day shows none (the day is kept in
// `state_folder`, per data root). "s" shows the events due at the moment.
ReminderRun RemindersToShow(ReminderKind kind, const QString& data_root, const MemoClock& now,
                            const QString& state_folder);

}  // namespace indikt
