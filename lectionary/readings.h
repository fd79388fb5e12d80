#pragma once

// The readings of a day: the Gospel, the Apostle and the Old Testament, each
// a builder that takes the data tree and the civil date and returns the text
// shown in the lectionary pane (references in the markup "[title=target]"),
// the reading files it found in their fixed slots, and the commands that open
// them. Nothing is kept from one call to the next.

#include "calendar/date.h"
#include "lectionary/tree_files.h"

#include <QString>
#include <QStringList>

namespace indikt {

struct ReadingText {
    QString text;
    QStringList addresses;          // relative paths with '/', "" for a slot whose file was not found
    QStringList found_commands;  // the source-file commands to show
    QStringList found_files;     // the file each of them opens
};

// Slots: 0 matins, 1 great movable feast, 2 great fixed feast, 3 movable,
// 4 fixed, 5 other (date and weekday).
ReadingText EvangText(const TreeFiles& files, Date civil);
// Slots: 0 great movable feast, 1 great fixed feast, 2 movable, 3 fixed, 4 other.
ReadingText ApostolText(const TreeFiles& files, Date civil);
// Slots: 0 movable, 1 other, 2 fixed.
ReadingText ParimiiText(const TreeFiles& files, Date civil);

}  // namespace indikt
