#pragma once

// Our own simple icon pictures: a coloured field with a cross or a circle of
// light and the title in Cyrillic, drawn with QPainter and written as JPEG
// with a caption file beside it, as the icon folders of the data tree hold
// them. Drawing text needs a QGuiApplication.

#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>

#include <vector>

namespace indikt {

enum class IconMotif { Cross, Circle };

struct IconPicture {
    QString title;
    IconMotif motif = IconMotif::Cross;
    QColor field;
};

// The size of the icons in the strip and of their large versions ("а_" + name).
inline constexpr QSize kSmallIconSize{120, 160};
inline constexpr QSize kLargeIconSize{360, 480};

QImage DrawIconPicture(const IconPicture& picture, QSize size);

// The sizes and JPEG quality of one icon and its large version.
struct IconFormat {
    QSize small = kSmallIconSize;
    QSize large = kLargeIconSize;
    int quality = 85;
};
// The icons of every day of the year are many: smaller and plainer, so the
// tree stays light.
inline const IconFormat kDayIconFormat{QSize(96, 128), QSize(180, 240), 35};

// Writes folder/stem.jpg, its large version folder/а_stem.jpg and the caption
// folder/stem.txt (the title, Windows-1251, CR LF), creating the folder. An
// empty text on success, else what failed.
QString WriteIconFiles(const QString& folder, const QString& stem, const IconPicture& picture,
                       const IconFormat& format = {});

// One icon of the great feasts or the Sunday: where it lies under the data
// root (folder with '/', file name without extension) and what it shows.
struct FeastIcon {
    QString folder;
    QString stem;
    IconPicture picture;
};

// The rotating Sunday icons, the icons of the Saviour, the default picture of
// the collapsed view, and the great movable and fixed feasts.
std::vector<FeastIcon> FeastIcons();

// One icon for the chief commemoration of every day that has a Menaion record
// under `data_root`: the fixed days into "Иконы/Непереходящие праздники" (day
// key), the movable days into "Иконы/Переходящие праздники/До Пасхи" or "После
// Пасхи" (two digits). The title is the first link label of the record's first
// line. A day whose great-feast icon exists already gets none.
std::vector<FeastIcon> DayIcons(const QString& data_root);

}  // namespace indikt
