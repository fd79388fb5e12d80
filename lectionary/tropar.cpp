#include "tropar.h"

#include "lectionary/slot_reader.h"

#include "calendar/date_texts.h"
#include "calendar/paschalion.h"
#include "calendar/reading_cycle.h"
#include "calendar/sedmiza.h"

#include <QRegularExpression>

namespace indikt {

namespace {

const QString kHymns = "Богослужение\\Тропари и кондаки\\";

QString TwoDigits(int n) { return QString::asprintf("%.2d", n); }

// A set applies when its contents file, named after the folder, exists.
bool SetExists(const TreeFiles& files, const QString& folder)
{
    const QString name = folder.section('\\', -1);
    return files.exists(folder + "\\" + name + ".txt");
}

// The afterfeast of Pascha and the feasts of the Pentecostarion: the folder of
// the feast whose hymns are sung on day w after Pascha.
int AfterfeastOf(int w)
{
    if (w >= 1 && w <= 6) return 0;
    if (w >= 8 && w <= 13) return 7;
    if (w >= 15 && w <= 20) return 14;
    if (w == 22 || w == 23) return 21;
    if ((w >= 25 && w <= 27) || (w >= 29 && w <= 31)) return 24;
    if (w == 28 || (w >= 32 && w <= 34)) return 28;
    if (w >= 36 && w <= 38) return 35;
    if ((w >= 40 && w <= 41) || (w >= 43 && w <= 47)) return 39;
    if (w == 42) return 42;
    if (w >= 49 && w <= 55) return 49;
    return w;
}

bool Between(int day, int first, int last) { return day >= first && day <= last; }

}  // namespace

// The tone of the Sunday, as the week of the church year names it.
int ToneOfWeek(Date civil)
{
    return Weekday(civil) == kSunday ? CountFromPentecost(civil).tone : 0;
}

QString MediaPageTemplate(bool video)
{
    return QString("<html><head>\r\n") + "<meta http-equiv=\"Content-Language\" content=\"ru\">\r\n" +
           "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">\r\n" +
           (video ? "<title>Видео тропари и кондаки</title>\r\n" : "<title>Аудио тропари и кондаки</title>\r\n") +
           "<link href=\"../../../../_css/ru.css\" rel=\"stylesheet\" type=\"text/css\">\r\n" +
           "</head><body><div class=Section1 align=\"center\"><center>\r\n" +
           "<table border=\"1\" style=\"border-width: 0px\">\r\n<tr><td><img src=\"../../../../images/" +
           (video ? "wm.jpg" : "audio.jpg") + "\"></td><td><a href=\"https://example.org/" +
           (video ? "video" : "audio") + "/tropar\">Запись (впишите свою ссылку)</a></td></tr>\r\n" +
           "</table></center></div></body></html>\r\n";
}

TroparDay Tropar(const TreeFiles& files, Date civil)
{
    const ReadingCycle c = MakeReadingCycle(civil);
    TroparDay day;
    day.tone = ToneOfWeek(civil);
    const bool before = c.d < c.pascha;
    const int w = c.w;
    QString sets[7];

    // 0: the Sunday of the tone, in Lent its Lenten set.
    if (c.isSunday()) {
        const Date before_publican = NewStyle(c.pascha - 71);
        const bool feast = (c.old_month == 1 && c.old_day == 6) || (c.old_month == 8 && c.old_day == 6) ||
                           (c.old_month == 9 && c.old_day == 14) || (c.old_month == 12 && c.old_day == 25);
        if ((civil <= before_publican || civil >= NewStyle(c.pascha + 65)) && !feast)
            sets[0] = kHymns + "Воскресные\\" + QString::number(day.tone);
        else if (civil > before_publican && civil < NewStyle(c.pascha - 8))
            sets[0] = kHymns + "Воскресные\\Великим постом\\" + QString::number(day.tone);
    }
    // 1: the great movable feast, or its afterfeast.
    const QString great_movable = kHymns + "Великие праздники\\Переходящие праздники\\";
    if (before) {
        sets[1] = great_movable + "До Пасхи\\" + TwoDigits(w);
    } else {
        sets[1] = great_movable + "После Пасхи\\" + TwoDigits(AfterfeastOf(w));
        if (!SetExists(files, sets[1]))
            sets[1] = great_movable + "После Пасхи\\" + TwoDigits(w);
    }
    // 2: the great fixed feast, its forefeast or afterfeast.
    const int m = c.old_month;
    const int d = c.old_day;
    const int from = c.fromPascha();
    const int meeting = DaysBetween(FromOldStyle(c.old_year, 2, 2), c.pascha);
    const bool meeting_afterfeast = meeting > 63 || (w > 57 && Between(meeting, 61, 63)) ||
                                    (w > 53 && Between(meeting, 57, 60)) || (w > 51 && Between(meeting, 55, 56)) ||
                                    (w > 49 && Between(meeting, 53, 54)) || (w > 48 && Between(meeting, 50, 52));
    QString feast;
    if (m == 1 && Between(d, 7, 14)) feast = "янв06";
    else if (m == 2 && Between(d, 3, 9) && before && meeting_afterfeast) feast = "фев02";
    else if ((m == 3 && d == 24 && from < -8) || (m == 3 && d == 22 && from == -10)) feast = "мар24";
    else if (m == 3 && d == 26 && from < -8) feast = "мар25";
    else if (m == 8 && Between(d, 7, 13)) feast = "авг06";
    else if (m == 8 && Between(d, 16, 23)) feast = "авг15";
    else if (m == 9 && Between(d, 8, 12)) feast = "сен08";
    else if (m == 9 && Between(d, 14, 21)) feast = "сен14";
    else if (m == 11 && Between(d, 21, 25)) feast = "ноя21";
    else if (m == 12 && Between(d, 26, 31)) feast = "дек25";
    else if (m == 6 && d == 25 && from == 64) feast = "июн24";
    const QString great_fixed = kHymns + "Великие праздники\\Непереходящие праздники\\";
    if (!feast.isEmpty() && SetExists(files, great_fixed + feast))
        sets[2] = great_fixed + feast;
    else if (c.key != "мар24")
        sets[2] = great_fixed + Qs(c.key);
    // 3: the other commemoration of the date and weekday; 4: the movable day.
    sets[5] = kHymns + "Переходящие праздники\\Иные\\" + Qs(c.key + c.weekday_key);
    sets[3] = kHymns + "Переходящие праздники\\" + (before ? "До Пасхи\\" : "После Пасхи\\") + TwoDigits(w);
    // 4: the Menaion, with the spring transfers and the 29th of February.
    QString fixed_key = Qs(c.key);
    const MovedFeast received = FeastReceivedOn(c);
    if (received == MovedFeast::FirstFinding)
        fixed_key = "фев24";
    else if (received == MovedFeast::ThirdFinding)
        fixed_key = "май25";
    else if (c.key == "фев28" && c.old_year % 4 != 0)
        fixed_key = "фев29";
    sets[4] = kHymns + "Непереходящие праздники\\" + fixed_key;

    for (QString& set : sets)
        if (!set.isEmpty() && !SetExists(files, set))
            set.clear();
    // 6: the daily set, when no great feast applies.
    if (sets[1].isEmpty() && sets[2].isEmpty() &&
        !KeyIn(c.key, {"фев24", "мар09", "май08", "май09", "май25", "июн19", "июл15", "июл19", "июл20", "авг01", "сен01"})) {
        sets[6] = kHymns + "Дневные\\" + QString::number(IsoWeekday(civil));
        if (!SetExists(files, sets[6]))
            sets[6].clear();
    }

    const char* const commands[] = {"ActionTrVos", "ActionTrVelPer", "ActionTrVelNePer", "ActionTrPer",
                                    "ActionTrNePer", "ActionTrInoe", "ActionTrDnja"};
    for (const QString& set : sets)
        day.sets << Portable(set);
    // The table of contents in the order the sets are collected: Sunday, great
    // movable, great fixed, other, movable, fixed, daily.
    for (int slot : {0, 1, 2, 5, 3, 4, 6}) {
        if (sets[slot].isEmpty())
            continue;
        day.found_commands << commands[slot];
        day.found_files << Portable(sets[slot]);
        const QString folder = sets[slot];
        const QString contents = files.text(folder + "\\" + folder.section('\\', -1) + ".txt");
        const QStringList titles = HymnTitles(contents);
        for (qsizetype i = 0; i < titles.size(); ++i) {
            const QString number = QString::number(i + 1);
            day.rows.push_back({titles[i], slot, Portable(folder + "\\" + number + "_слав.htm"),
                                Portable(folder + "\\" + number + "_гражд.htm"),
                                Portable(folder + "\\" + number + "_рус.htm")});
        }
        if (files.exists(folder + "\\звук.htm"))
            day.audio_pages << Portable(folder + "\\звук.htm");
        if (files.exists(folder + "\\видео.htm"))
            day.video_pages << Portable(folder + "\\видео.htm");
    }
    return day;
}

QStringList HymnTitles(const QString& contents)
{
    QStringList titles;
    const QList<QStringView> lines = QStringView(contents).split(QRegularExpression("\r\n|\n|\r"));
    // A set holds a handful of hymns; a longer list is not a contents file.
    for (qsizetype i = 0; i < lines.size() && titles.size() < kMaxHymnsOfASet; ++i) {
        if (i == lines.size() - 1 && lines[i].isEmpty() && i > 0)
            break;  // the line end of the last title
        titles << lines[i].trimmed().left(kMaxHymnTitleLength).toString();
    }
    return titles;
}

}  // namespace indikt
