#pragma once

// The church year and the user's commemorations as an iCalendar (RFC 5545)
// for a desktop calendar to import or subscribe to: the fasts and fast-free
// weeks as all-day spans, the great feasts and the civil holidays of the jump
// menus, the user's jubilees, feasts and events of "Памятка.txt" (events with
// their time, repetition and an alarm), and, when asked, the saints and the
// readings of each day as its description. Every event has a UID made from
// what it is and its day, so importing again updates instead of duplicating.

#include "calendar/date.h"

#include <QByteArray>
#include <QString>

namespace indikt {

struct IcalParts {
    bool fasts = true;
    bool feasts = true;
    bool holidays = true;
    bool commemorations = true;
    bool readings = false;
    bool saints = false;
};

// "fasts,feasts,holidays,commemorations,readings,saints" (any of them); false
// for a word that is none of them.
bool ParseIcalParts(const QString& list, IcalParts* parts);

struct IcalExport {
    QByteArray text;   // UTF-8, CR LF, lines folded at 75 octets
    int events = 0;
    QString problem;   // what of the user's files could not be read
};

// The calendar of the civil days from..to (inclusive). `stamp` is the day the
// file is made (its DTSTAMP), passed in so the output depends on nothing else.
IcalExport ExportIcal(const QString& data_root, Date from, Date to, const IcalParts& parts, Date stamp);

}  // namespace indikt
