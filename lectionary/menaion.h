#pragma once

// The Menaion of a day: up to six records of the "Месяцеслов" folder (the
// great movable and fixed feasts, the movable, fixed, other and conditional
// commemorations), the notes of transferred services, the links to the lives
// and the signs of the Typikon, in one page.

#include "calendar/date.h"
#include "lectionary/tree_files.h"

#include <QString>
#include <QStringList>

namespace indikt {

// Every "[label=key]" becomes a link to the life "Жития святых\Святцы\" + key;
// the scan moves forward only, a "[" without "=" or "]" is copied as it is.
QString MesezURL(const QString& text);
// The same with teal links (the heading of an ordinary day).
QString MesezURLH3(const QString& text);
// The labels alone, and the signs "* " and "*" taken out.
QString MesezNoURL(const QString& text);
// The signs of the Typikon ("****** " … "* ") as their pictures.
QString UkasTipikon(const QString& text, const QString& data_root);

struct MenaionText {
    QString html;              // the page's text, signs as pictures
    QString unsigned_html;     // the same before the signs became pictures (the plain-text forms start here)
    bool red_links = false;    // a great feast or a Sunday
    QStringList addresses;     // six entries: '/'-separated relative paths, "" when not found
    QStringList found_commands;
    QStringList found_files;  // what each found command opens
};

MenaionText MesezText(const TreeFiles& files, Date civil);

}  // namespace indikt
