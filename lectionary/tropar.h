#pragma once

// The hymns of a day: the sets of troparia and kontakia that apply (the
// Sunday of the tone, the great movable and fixed feasts with their
// afterfeasts, the other, movable and fixed commemorations, the daily set),
// each a folder whose contents file lists its hymns.

#include "calendar/date.h"
#include "lectionary/tree_files.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace indikt {

// What a contents file of a hymn set can give: a set holds a few hymns with
// short titles, so more entries or longer titles are cut.
inline constexpr qsizetype kMaxHymnsOfASet = 100;
inline constexpr qsizetype kMaxHymnTitleLength = 500;

// The titles of a contents file, one a line, within those bounds; a file with
// nothing in it still gives one empty title.
QStringList HymnTitles(const QString& contents);

// The tone of the week on Sundays (1..8), 0 on other days.
int ToneOfWeek(Date civil);

struct HymnRow {
    QString title;
    int set = 0;          // the slot of its set, 0..6
    QString slavonic;     // "i_слав.htm", "i_гражд.htm", "i_рус.htm" in the set's folder,
    QString civil;        // relative paths with '/', whether they exist or not
    QString russian;
};

struct TroparDay {
    QList<HymnRow> rows;         // the table of contents
    QStringList sets;            // seven folders in slot order, "" for a set that does not apply
    QStringList audio_pages;     // "звук.htm" of the sets that have one
    QStringList video_pages;
    QStringList found_commands;  // the commands of the sets found
    QStringList found_files;     // the folder each of them opens
    int tone = 0;
};

TroparDay Tropar(const TreeFiles& files, Date civil);

// The media page of a set ("звук.htm" or "видео.htm") from its template.
QString MediaPageTemplate(bool video);

}  // namespace indikt
