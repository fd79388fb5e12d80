#include "menaion.h"

#include "lectionary/reference_markup.h"
#include "lectionary/slot_reader.h"
#include "texts/data_files.h"
#include "texts/html_pages.h"

#include "calendar/date_texts.h"
#include "calendar/paschalion.h"
#include "calendar/sedmiza.h"

namespace indikt {

namespace {

QString Links(const QString& text, const QString& style)
{
    return ReplaceReferences(text, [&style](const QString& label, const QString& key) {
        return style.isNull() ? label : "<a href=\"Жития святых\\Святцы\\" + key + "\"" + style + ">" + label + "</a>";
    });
}

struct Record {
    QString first, second, third;
    bool found = false;
};

Record ReadMenaionRecord(const TreeFiles& files, const QString& relative, bool first_line_only)
{
    Record record;
    if (relative.isEmpty() || !files.exists(relative))
        return record;
    record.found = true;
    if (first_line_only) {
        record.first = ReadSingleLine(files.absolute(relative));
        return record;
    }
    const DataRecord read = ReadRecord(files.absolute(relative));
    record.first = read.first;
    record.second = read.second;
    record.third = read.third;
    return record;
}

QString Distance(int days) { return QString::asprintf("%.2d", days) + ".txt"; }

void AddToThird(Record& record, const QString& bold, const QString& plain)
{
    record.third = record.third.isEmpty() ? bold : record.third + "\r\n" + plain;
}

}  // namespace

QString MesezURL(const QString& text) { return Links(text, QString("")); }
QString MesezURLH3(const QString& text) { return Links(text, QString(" style=\"color: #008080\"")); }

QString MesezNoURL(const QString& text)
{
    QString plain = Links(text, QString());
    return plain.remove("* ").remove('*');
}

QString UkasTipikon(const QString& text, const QString& data_root)
{
    struct Sign { int stars; const char* picture; int width; int height; int space; const char* alt; };
    static const Sign kSigns[] = {
        {6, "u6.gif", 14, 12, 5, "Всенощное бдение"},
        {5, "u5.gif", 14, 12, 4, "Всенощное бдение с каноном Богородицы на утрене"},
        {4, "u4.gif", 15, 13, 3, "Служба с полиелеем"},
        {3, "u3.gif", 12, 11, 3, "Славословная служба"},
        {2, "u2.gif", 12, 11, 3, "Шестиричная служба (6 стихир святому на Господи, воззвах)"},
        {1, "u1.gif", 11, 11, 3, "Вседневная служба"},
    };
    const QString root = AttributePath(data_root);
    QString out = text;
    for (const Sign& sign : kSigns) {
        const QString image = "<img border=\"0\" src=\"" + root + "Месяцеслов/im/" + sign.picture + "\" width=\"" +
                              QString::number(sign.width) + "\" height=\"" + QString::number(sign.height) +
                              "\" hspace=\"" + QString::number(sign.space) + "\" alt=\"" + QString::fromUtf8(sign.alt) +
                              "\">";
        out.replace(QString(sign.stars, '*') + ' ', image);
    }
    return out;
}

MenaionText MesezText(const TreeFiles& files, Date civil)
{
    const OldStyleDate old = OldStyle(civil);
    const DayFields o = Fields(old);
    const OldStyleDate pascha = DatePasha(o.year);
    const int distance = DaysBetween(old, pascha);
    const bool before = old < pascha;
    const QString key = Qs(TextOfMonthAndDay(old));
    const QString weekday = Qs(TextOfDayTheWeek(civil));
    const int meeting = DaysBetween(FromOldStyle(o.year, 2, 2), pascha);
    const int from = old - pascha;

    const QString side = before ? "До Пасхи\\" : "После Пасхи\\";
    const QString path1 = "Месяцеслов\\Великие праздники\\Переходящие праздники\\" + side + Distance(distance);
    const QString path2 = "Месяцеслов\\Великие праздники\\Непереходящие праздники\\" + key + ".txt";
    const QString path3 = "Месяцеслов\\Переходящие праздники\\" + side + Distance(distance);
    const QString fixed_with_weekday = "Месяцеслов\\Непереходящие праздники\\" + key + weekday + ".txt";
    // In a year with a Julian 29 February the 28th has its own record.
    const QString plain_key = key == "фев28" && IsJulianLeapYear(o.year) ? key + "в" : key;
    const QString path4 = files.exists(fixed_with_weekday) ? fixed_with_weekday
                                                           : "Месяцеслов\\Непереходящие праздники\\" + plain_key + ".txt";
    const QString path5 = "Месяцеслов\\Переходящие праздники\\Иные\\" + key + weekday + ".txt";
    const QString path6a = "Месяцеслов\\Непереходящие праздники\\Условие\\" + key + ".txt";
    const QString path6b = "Месяцеслов\\Переходящие праздники\\" + side + "Условие\\" + Distance(distance);

    const Record great_fixed = ReadMenaionRecord(files, path2, true);
    const Record great_movable = ReadMenaionRecord(files, path1, true);
    const bool great = great_fixed.found || great_movable.found;
    const Record other = ReadMenaionRecord(files, path5, false);
    const Record fixed = ReadMenaionRecord(files, path4, false);

    const bool conditional_fixed =
        ((key == "мар24" || key == "мар26") && from < -8) || ((key == "фев01" || key == "фев03") && from < -49) ||
        (key == "фев02" && from > -49) || (key == "фев09" && meeting > 63) || (key == "мар22" && from == -10) ||
        (key == "мар30" && (from < -8 || from > 0));
    Record fixed_condition = conditional_fixed ? ReadMenaionRecord(files, path6a, false) : Record{};
    if (key == "фев01" && from == -49)
        fixed_condition.first = "На этот день с понедельника первой седмицы Великого поста переносится служба "
                                "праздника СРЕТЕНИЯ ГОСПОДА НАШЕГО ИИСУСА ХРИСТА.";

    Record movable = ReadMenaionRecord(files, path3, false);
    Record movable_condition;
    if (before) {
        if (distance == 57 && key == "фев02") {
            movable.first.clear();
            movable.second.clear();
            movable.third = "<b>Cлужба Мясопустной родительской субботы переносится на " +
                            Qs(TextOfDayTheWeekAndMonth(civil - 7)) + "</b>";
        }
        if (distance == 64 && key == "янв26")
            movable.first = "* На этот день переносится Вселенская родительская (мясопустная) суббота. Память "
                            "совершаем всех от века усопших православных христиан, отцов и братьев наших.";
        if (distance == 22 || distance == 29 || distance == 36) {
            if (!KeyIn(key.toStdString(), {"фев24", "мар09", "мар24", "мар25", "мар26"}))
                AddToThird(movable, "<b>Поминовение усопших.</b>", "<b>Поминовение усопших.</b>");
            else
                AddToThird(movable, "<b>Заупокойная служба в эту субботу отменяется.</b>",
                           "Заупокойная служба в эту субботу отменяется.");
        }
        const bool read_condition = (distance == 58 && meeting >= 61 && meeting <= 63) ||
                                    (distance == 54 && meeting >= 57 && meeting <= 60) ||
                                    (distance == 52 && (meeting == 55 || meeting == 56)) ||
                                    (distance == 50 && (meeting == 53 || meeting == 54)) ||
                                    (distance == 49 && meeting >= 50 && meeting <= 52);
        if (read_condition)
            movable_condition = ReadMenaionRecord(files, path6b, false);
    } else if (o.month == 4 && o.day >= 4 && o.day <= 12) {
        movable_condition = ReadMenaionRecord(files, path6b, false);
    }

    MenaionText result;
    const auto address = [](const Record& record, const QString& path) { return record.found ? Portable(path) : QString(); };
    result.addresses = {address(great_movable, path1), address(great_fixed, path2), address(movable, path3),
                        address(fixed, path4),         address(other, path5),
                        movable_condition.found ? Portable(path6b) : address(fixed_condition, path6a)};
    const char* const commands[] = {"ActionMesVelPer", "ActionMesVelNePer", "ActionMesPer",
                                    "ActionMesNePer",  "ActionMesInoe",     "ActionMesUslovie"};
    for (int i = 0; i < 6; ++i)
        if (!result.addresses[i].isEmpty())
        {
            result.found_commands << commands[i];
            result.found_files << result.addresses[i];
        }

    const bool red = great || Weekday(civil) == kSunday;
    QString page = red ? MesezURL("<h2>" + Qs(SedmizaURL(civil)) + "</h2>")
                       : MesezURLH3("<h3>" + Qs(SedmizaURL(civil)) + "</h3>");
    for (const Record* record : {&great_movable, &great_fixed})
        if (!record->first.isEmpty())
            page += "<h1>" + MesezURL(record->first) + "</h1>";
    const QString title = fixed_condition.first + movable_condition.first + other.first + movable.first;
    const QString second_title = fixed.first;
    const QString heading = red ? "h4" : "h5";
    for (const QString& line : {title, second_title})
        if (!line.isEmpty())
            page += "<" + heading + ">" + MesezURL(line) + "</" + heading + ">";
    const QString open = red ? "<p><font color=\"#FF0000\">" : "<p>";
    const QString close = red ? "</font></p>" : "</p>";
    const Record* const order[] = {&fixed_condition, &movable_condition, &other, &fixed, &movable};
    for (const Record* record : order)
        if (!record->second.isEmpty())
            page += open + MesezURL(record->second) + close;
    for (const Record* record : order)
        if (!record->third.isEmpty())
            page += open + MesezURL(QString(record->third).replace("\r\n", "<br>")) + close;

    result.unsigned_html = page;
    result.html = UkasTipikon(page, files.root());
    result.red_links = red;
    return result;
}

}  // namespace indikt
