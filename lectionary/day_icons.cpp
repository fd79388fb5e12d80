#include "day_icons.h"

#include "calendar/date_texts.h"
#include "lectionary/tree_files.h"
#include "texts/data_files.h"

#include <QFileInfo>

#include <algorithm>
#include <climits>

namespace indikt {

namespace {

const QString kIcons = QStringLiteral(u"Иконы\\");
const QString kGreatMovableBefore = QStringLiteral(u"Иконы\\Великие праздники\\Переходящие праздники\\До Пасхи\\");
const QString kGreatMovableAfter = QStringLiteral(u"Иконы\\Великие праздники\\Переходящие праздники\\После Пасхи\\");
const QString kGreatFixed = QStringLiteral(u"Иконы\\Великие праздники\\Непереходящие праздники\\");
const QString kOtherFeasts = QStringLiteral(u"Иконы\\Переходящие праздники\\Иные\\");
const QString kMovableBefore = QStringLiteral(u"Иконы\\Переходящие праздники\\До Пасхи\\");
const QString kMovableAfter = QStringLiteral(u"Иконы\\Переходящие праздники\\После Пасхи\\");
const QString kFixed = QStringLiteral(u"Иконы\\Непереходящие праздники\\");

QString Two(int number) { return QString::asprintf("%.2d", number); }

QString Qs(const std::string& text) { return QString::fromStdString(text); }

// The after-feast days of the Meeting end earlier the nearer Pascha comes:
// with M the days from old-style 2 February to Pascha, the icon of the feast
// stays while the day is more than `more_than` days before Pascha.
struct MeetingBand {
    int from;       // M from
    int to;         // M to
    int more_than;  // the Pascha distance must be greater
};
constexpr MeetingBand kMeetingBands[] = {
    {64, INT_MAX, -1},
    {61, 63, 57},
    {57, 60, 53},
    {55, 56, 51},
    {53, 54, 49},
    {50, 52, 48},
};

bool MeetingAfterFeast(const DayFacts& facts)
{
    const int year = YearOf(facts.old_style);
    const int meeting = facts.pascha - FromOldStyle(year, 2, 2);
    for (const MeetingBand& band : kMeetingBands)
        if (meeting >= band.from && meeting <= band.to)
            return facts.pascha_distance > band.more_than;
    return false;
}

// The great fixed feast whose icon an after-feast day shows, by the table of
// old-style days; empty when the day is none of them.
QString AfterFeastKey(const DayFacts& facts)
{
    const DayFields d = Fields(facts.old_style);
    const auto within = [&d](int month, int first, int last) {
        return d.month == month && d.day >= first && d.day <= last;
    };
    if (within(1, 7, 14))
        return QStringLiteral(u"янв06");
    if (within(2, 3, 9) && MeetingAfterFeast(facts))
        return QStringLiteral(u"фев02");
    if (within(3, 26, 26) && facts.old_style < facts.pascha - 8)
        return QStringLiteral(u"мар25");
    if (within(8, 7, 13))
        return QStringLiteral(u"авг06");
    if (within(8, 16, 23))
        return QStringLiteral(u"авг15");
    if (within(9, 8, 12))
        return QStringLiteral(u"сен08");
    if (within(9, 14, 21))
        return QStringLiteral(u"сен14");
    if (within(11, 21, 25))
        return QStringLiteral(u"ноя21");
    if (within(12, 26, 31))
        return QStringLiteral(u"дек25");
    return {};
}

// On these Sundays the feast's own icon stands first, not the Sunday's.
bool SundayIconDay(Date civil, const DayFacts& facts)
{
    if (Weekday(civil) != 1)
        return false;
    if (facts.old_style == facts.pascha + 49 || facts.old_style == facts.pascha - 7)
        return false;
    const DayFields d = Fields(facts.old_style);
    return !((d.month == 1 && d.day == 6) || (d.month == 8 && d.day == 6) || (d.month == 9 && d.day == 14) ||
             (d.month == 12 && d.day == 25));
}

QString WithoutJpg(const QString& path) { return path.chopped(4); }

class IconPicker {
public:
    IconPicker(const QString& data_root, DayIcons& icons) : files_(data_root), icons_(icons) {}

    int used() const { return static_cast<int>(icons_.filled.size()); }
    bool full() const { return used() >= kIconSlots; }

    // Takes the icon when its picture exists: into the next slot, or over
    // `replace_last` slot 6 when all are used. The hint is the caption file,
    // else `default_hint`.
    bool take(const QString& path, const QString& command, const QString& default_hint = {},
              bool replace_last = false)
    {
        if (!files_.exists(path))
            return false;
        if (full() && !replace_last)
            return false;
        QString hint = ReadSingleLine(files_.absolute(WithoutJpg(path) + ".txt"));
        if (hint.isEmpty())
            hint = default_hint;
        IconSlot slot{path, hint, command};
        if (full())
            icons_.filled.back() = slot;
        else
            icons_.filled.push_back(slot);
        if (!icons_.commands.contains(command))
            icons_.commands.append(command);
        return true;
    }

    // `stem` + ".jpg", then `stem` + "_1.jpg" to "_5.jpg" while a slot is free.
    void takeNumbered(const QString& stem, const QString& command, bool replace_last_first)
    {
        take(stem + ".jpg", command, {}, replace_last_first);
        for (int n = 1; n <= 5 && !full(); ++n)
            take(stem + '_' + QString::number(n) + ".jpg", command);
    }

private:
    TreeFiles files_;
    DayIcons& icons_;
};

QString GreatMovableFeastIcon(const QString& data_root, const DayFacts& facts)
{
    const int d = facts.pascha_distance;
    if (facts.old_style < facts.pascha)
        return kGreatMovableBefore + Two(d) + ".jpg";
    // The after-feast days of Thomas Sunday's week, of the Ascension and of Pentecost.
    QString grouped;
    if (d >= 25 && d <= 31)
        grouped = kGreatMovableAfter + "32.jpg";
    else if (d >= 40 && d <= 47)
        grouped = kGreatMovableAfter + "39.jpg";
    else if (d >= 49 && d <= 55)
        grouped = kGreatMovableAfter + "49.jpg";
    if (!grouped.isEmpty() && TreeFiles(data_root).exists(grouped))
        return grouped;
    return kGreatMovableAfter + Two(d) + ".jpg";
}

}  // namespace

int NextRotatingIcon(int counter)
{
    const int next = counter + 1;
    return next > 5 || next < 0 ? 0 : next;
}

DayIcons OpenIcon(const QString& data_root, Date civil, const DayFacts& facts, IconCounters counters)
{
    DayIcons icons;
    icons.counters = counters;
    IconPicker picker(data_root, icons);
    const QString key = Qs(TextOfMonthAndDay(facts.old_style));
    const int d = facts.pascha_distance;
    const bool before_pascha = facts.old_style < facts.pascha;

    // 1. The Paschal period, or the Sunday.
    if (facts.old_style > facts.pascha && d >= 1 && d <= 38) {
        picker.take(kGreatMovableAfter + "00.jpg", "OpenIcoVelPerehPP");
    } else if (SundayIconDay(civil, facts)) {
        icons.counters.sunday = NextRotatingIcon(counters.sunday);
        picker.take(kIcons + Two(icons.counters.sunday) + QStringLiteral(u"Вс.jpg"), "OpenIcoVos",
                    QStringLiteral(u"Воскресение Христово"));
    }

    // 2. A great movable feast.
    const bool movable_feast = picker.take(GreatMovableFeastIcon(data_root, facts),
                                           before_pascha ? "OpenIcoVelPerehDP" : "OpenIcoVelPerehPP");

    // 3. A great fixed feast, also through its after-feast days.
    bool fixed_feast = false;
    if (const QString after = AfterFeastKey(facts); !after.isEmpty())
        fixed_feast = picker.take(kGreatFixed + after + ".jpg", "OpenIcoVelNePereh");
    if (!fixed_feast)
        fixed_feast = picker.take(kGreatFixed + key + ".jpg", "OpenIcoVelNePereh");
    icons.great_feast = movable_feast || fixed_feast;

    // 4. Other feasts, by the day and the weekday.
    picker.take(kOtherFeasts + key + Qs(TextOfDayTheWeek(civil)) + ".jpg", "OpenIcoInoe");

    // 5. Old-style 30 March outside the last week before Pascha and Pascha itself.
    const DayFields day = Fields(facts.old_style);
    if (day.month == 3 && day.day == 30 && (facts.old_style < facts.pascha - 8 || facts.old_style > facts.pascha)) {
        picker.take(kOtherFeasts + QStringLiteral(u"мар30.jpg"), "OpenIcoInoe");
        if (!picker.full())
            picker.take(kOtherFeasts + QStringLiteral(u"мар30_1.jpg"), "OpenIcoInoe");
    }

    // 6. Movable commemorations: the first takes slot 6 when all are used.
    picker.takeNumbered((before_pascha ? kMovableBefore : kMovableAfter) + Two(d),
                        before_pascha ? "OpenIcoPerehDP" : "OpenIcoPerehPP", true);

    // 7. Fixed commemorations, while a slot is free.
    if (!picker.full())
        picker.takeNumbered(kFixed + key, "OpenIcoNepereh", false);

    // 8. A day without an icon shows one of the Saviour.
    if (icons.filled.empty()) {
        icons.counters.saviour = NextRotatingIcon(counters.saviour);
        picker.take(kIcons + Two(icons.counters.saviour) + ".jpg", "OpenIcoSpas",
                    QStringLiteral(u"Икона Спасителя"));
    }
    return icons;
}

bool DesktopIconDay(int den_ico_desktop, Date civil, bool feast)
{
    const bool sunday = Weekday(civil) == 1;
    const bool saturday = Weekday(civil) == 7;
    switch (den_ico_desktop) {
    case 0: return sunday;
    case 1: return sunday || saturday;
    case 2: return feast;
    case 4: return sunday || saturday || feast;
    case 5: return true;
    default: return sunday || feast;
    }
}

QString IconCommandFolder(const QString& command)
{
    static const std::pair<const char*, const char16_t*> kFolders[] = {
        {"OpenIcoSpas", u"Иконы"},
        {"OpenIcoVos", u"Иконы"},
        {"OpenIcoVelPerehDP", u"Иконы\\Великие праздники\\Переходящие праздники\\До Пасхи"},
        {"OpenIcoVelPerehPP", u"Иконы\\Великие праздники\\Переходящие праздники\\После Пасхи"},
        {"OpenIcoVelNePereh", u"Иконы\\Великие праздники\\Непереходящие праздники"},
        {"OpenIcoPerehDP", u"Иконы\\Переходящие праздники\\До Пасхи"},
        {"OpenIcoPerehPP", u"Иконы\\Переходящие праздники\\После Пасхи"},
        {"OpenIcoNepereh", u"Иконы\\Непереходящие праздники"},
        {"OpenIcoInoe", u"Иконы\\Переходящие праздники\\Иные"},
    };
    for (const auto& [name, folder] : kFolders)
        if (command == QLatin1String(name))
            return QString::fromUtf16(folder);
    return {};
}

QString LargeIconPath(const QString& path)
{
    const qsizetype cut = std::max(path.lastIndexOf('\\'), path.lastIndexOf('/')) + 1;
    return path.left(cut) + kLargeIconPrefix + path.mid(cut);
}

QString PictureCaptionPath(const QString& picture_path)
{
    const qsizetype cut = std::max(picture_path.lastIndexOf('\\'), picture_path.lastIndexOf('/')) + 1;
    QString name = picture_path.mid(cut);
    if (name.startsWith(kLargeIconPrefix))
        name.remove(0, kLargeIconPrefix.size());
    const qsizetype point = name.lastIndexOf('.');
    if (point >= 0)
        name.truncate(point + 1);
    else
        name += '.';
    return picture_path.left(cut) + name + "txt";
}

bool IsMainPictureFile(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == "bmp" || suffix == "jpg" || suffix == "jpeg" || suffix == "gif" || suffix == "ico";
}

IconStripLayout LayOutIconStrip(int width, int filled)
{
    filled = std::clamp(filled, 0, kIconSlots);
    width = std::max(width, 0);
    int height = width / 3 + 12;
    switch (filled) {
    case 6: height = width / 6 + 4; break;
    case 5: height = width / 5 + 4; break;
    case 4: height = width / 4 + 5; break;
    case 3: height = width / 3 + 6; break;
    default: break;
    }
    IconStripLayout layout;
    layout.height = std::min(130, height);
    const int image_height = std::max(layout.height - 2, 0);
    const int top = (layout.height - image_height) / 2 + 2;
    for (int slot = 0; slot < filled; ++slot)
        layout.images.emplace_back(slot * (layout.height - 4), top, layout.height, image_height);
    return layout;
}

}  // namespace indikt
