#pragma once

// The icons of the day: up to six pictures of the "Иконы" subtree chosen by
// the day's place in the church year, the layout of the strip that shows
// them, and the names of the large versions and of the wallpaper picture.
//
// `OpenIcon` is a plain function: it returns the counters of the rotating
// Sunday and Saviour icons as they stand after the day, and only the day
// view stores them back. Walks over many days and indikt-cli call it and
// drop the counters.

#include "calendar/date.h"
#include "calendar/paschalion.h"

#include <QRect>
#include <QString>
#include <QStringList>

#include <vector>

namespace indikt {

inline constexpr int kIconSlots = 6;

// The large version of an icon: "а_" (Cyrillic а) before the file name.
inline const QString kLargeIconPrefix = QStringLiteral(u"\u0430_");
// The picture written for the desktop, "Иконы\iсо.jpg": a Latin i, then a
// Cyrillic с and о.
inline const QString kDesktopPictureName = QStringLiteral(u"i\u0441\u043e.jpg");
inline const QString kDesktopPicturePath = QStringLiteral(u"Иконы\\") + kDesktopPictureName;
// The default picture of the collapsed day view.
inline const QString kDefaultMainPicture = QStringLiteral(u"Иконы\\001.jpg");

struct IconSlot {
    QString path;     // relative to the data root, with backslashes as the tree writes it
    QString hint;     // the caption of the icon, or empty
    QString command;  // the folder command of its kind
    friend bool operator==(const IconSlot&, const IconSlot&) = default;
};

// "NumIcoVoskresenie" and "NumIcoSpas": the last used Sunday and Saviour icon.
struct IconCounters {
    int sunday = 0;
    int saviour = 0;
    friend bool operator==(const IconCounters&, const IconCounters&) = default;
};

struct DayIcons {
    std::vector<IconSlot> filled;  // the filled slots, at most six, in order
    QStringList commands;         // the folder commands to show, each once
    IconCounters counters;        // the counters after the day
    bool great_feast = false;     // a great feast's own icon was found
};

// The next number of a rotating icon: one more, and after 5 (or from a
// negative value) back to 0.
int NextRotatingIcon(int counter);

// The icons of a day. `civil` gives only the weekday; `facts` are the day
// facts of the day shown (the next day's in the evening mode).
DayIcons OpenIcon(const QString& data_root, Date civil, const DayFacts& facts, IconCounters counters);

// Whether the desktop shows the icons of a day, by "DenIcoDesktop": 0 on
// Sundays, 1 on Saturdays and Sundays, 2 on feasts, 3 on Sundays and feasts,
// 4 on Saturdays, Sundays and feasts, 5 every day; a value out of range is
// read as the default 3. A feast is a day that shows a great feast's own
// icon (`DayIcons::great_feast`): the twelve great feasts, Pascha and
// their after-feast days.
bool DesktopIconDay(int den_ico_desktop, Date civil, bool feast);

// The folder a folder command opens, relative to the data root; empty for
// another name.
QString IconCommandFolder(const QString& command);

// The large version of an icon: the same folder, "а_" before the name.
QString LargeIconPath(const QString& path);

// The caption of a picture chosen for the collapsed view: the folder, the
// file name without a leading "а_" and without its extension, then "txt"
// (the name keeps its final point).
QString PictureCaptionPath(const QString& picture_path);

// Whether a file may be shown as the collapsed-view picture, by extension
// (".bmp", ".jpg", ".jpeg", ".gif", ".ico", in any case).
bool IsMainPictureFile(const QString& path);

// The strip of small icons: its height and the place of each filled slot,
// for a strip `width` pixels wide.
struct IconStripLayout {
    int height = 0;
    std::vector<QRect> images;
};
IconStripLayout LayOutIconStrip(int width, int filled);

}  // namespace indikt
