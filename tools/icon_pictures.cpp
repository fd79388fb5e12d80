#include "tools/icon_pictures.h"

#include "texts/cp1251.h"
#include "texts/data_files.h"

#include "tools/tree_names.h"

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QPainter>
#include <QPainterPath>

#include <optional>

namespace indikt {

namespace {

const QColor kGold(214, 178, 92);
const QColor kLight(250, 240, 205);

void DrawCross(QPainter& painter, QRectF area)
{
    const qreal beam = area.width() / 7;
    const qreal cx = area.center().x();
    QPainterPath cross;
    cross.addRect(cx - beam / 2, area.top(), beam, area.height());
    cross.addRect(area.left() + area.width() / 6, area.top() + area.height() * 0.28, area.width() * 2 / 3, beam);
    cross.addRect(cx - area.width() / 5, area.top() + area.height() * 0.12, area.width() * 2 / 5, beam * 0.7);
    cross.setFillRule(Qt::WindingFill);
    painter.fillPath(cross, kLight);
    painter.setPen(QPen(kGold.darker(140), qMax(1.0, area.width() / 60)));
    painter.drawPath(cross.simplified());
}

void DrawCircle(QPainter& painter, QRectF area)
{
    const qreal diameter = qMin(area.width(), area.height());
    const QRectF circle(area.center().x() - diameter / 2, area.center().y() - diameter / 2, diameter, diameter);
    QRadialGradient light(circle.center(), diameter / 2);
    light.setColorAt(0, kLight);
    light.setColorAt(1, kGold);
    painter.setBrush(light);
    painter.setPen(QPen(kGold.darker(140), qMax(1.0, diameter / 40)));
    painter.drawEllipse(circle);
}

}  // namespace

QImage DrawIconPicture(const IconPicture& picture, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(picture.field);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    const qreal width = size.width();
    const qreal height = size.height();
    const qreal margin = width / 14;
    painter.setPen(QPen(kGold, margin / 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(margin / 2, margin / 2, width - margin, height - margin));

    const QRectF motif_area(width * 0.25, height * 0.1, width * 0.5, height * 0.5);
    if (picture.motif == IconMotif::Cross)
        DrawCross(painter, motif_area);
    else
        DrawCircle(painter, motif_area);

    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPixelSize(qMax(8, int(width / 11)));
    painter.setFont(font);
    painter.setPen(kLight);
    const QRectF title_area(margin * 1.2, height * 0.64, width - margin * 2.4, height * 0.32);
    painter.drawText(title_area, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, picture.title);
    return image;
}

QString WriteIconFiles(const QString& folder, const QString& stem, const IconPicture& picture, const IconFormat& format)
{
    if (!QDir().mkpath(folder))
        return QStringLiteral("cannot create the folder %1").arg(folder);
    const QString small_path = folder + u'/' + stem + ".jpg";
    const QString large_path = folder + "/а_" + stem + ".jpg";
    if (!DrawIconPicture(picture, format.small).save(small_path, "JPG", format.quality))
        return QStringLiteral("cannot write %1").arg(small_path);
    if (!DrawIconPicture(picture, format.large).save(large_path, "JPG", format.quality))
        return QStringLiteral("cannot write %1").arg(large_path);
    const std::optional<QByteArray> caption = EncodeCp1251(picture.title + "\r\n");
    if (!caption)
        return QStringLiteral("the title \"%1\" does not fit Windows-1251").arg(picture.title);
    return WriteFileAtomically(folder + u'/' + stem + ".txt", *caption).error;
}

std::vector<FeastIcon> FeastIcons()
{
    const QColor sunday_field(150, 30, 35);
    const QColor saviour_field(40, 60, 120);
    const QColor lord_field(120, 25, 30);
    const QColor theotokos_field(30, 70, 130);
    const QColor saint_field(35, 95, 60);
    const QString root = QStringLiteral("Иконы");
    const QString movable_before = QStringLiteral("Иконы/Великие праздники/Переходящие праздники/До Пасхи");
    const QString movable_after = QStringLiteral("Иконы/Великие праздники/Переходящие праздники/После Пасхи");
    const QString fixed = QStringLiteral("Иконы/Великие праздники/Непереходящие праздники");
    const auto lord = [&](const char* title) { return IconPicture{QString::fromUtf8(title), IconMotif::Cross, lord_field}; };
    const auto theotokos = [&](const char* title) {
        return IconPicture{QString::fromUtf8(title), IconMotif::Circle, theotokos_field};
    };
    const auto saint = [&](const char* title) { return IconPicture{QString::fromUtf8(title), IconMotif::Circle, saint_field}; };
    const auto sunday = [&](const char* title) { return IconPicture{QString::fromUtf8(title), IconMotif::Cross, sunday_field}; };
    const auto saviour = [&](const char* title) {
        return IconPicture{QString::fromUtf8(title), IconMotif::Circle, saviour_field};
    };
    return {
        {root, "00Вс", sunday("Воскресение Христово")},
        {root, "01Вс", sunday("Сошествие во ад")},
        {root, "02Вс", sunday("Жены-мироносицы у Гроба Господня")},
        {root, "03Вс", sunday("Явление Воскресшего Христа ученикам")},
        {root, "04Вс", sunday("Уверение апостола Фомы")},
        {root, "05Вс", sunday("Явление Воскресшего Христа Марии Магдалине")},
        {root, "00", saviour("Господь Вседержитель")},
        {root, "01", saviour("Спас Нерукотворный")},
        {root, "02", saviour("Спас в силах")},
        {root, "03", saviour("Спас Милостивый")},
        {root, "04", saviour("Спас Эммануил")},
        {root, "05", saviour("Спас Благое Молчание")},
        {root, "001", sunday("Церковный календарь")},
        {movable_before, "07", lord("Вход Господень в Иерусалим")},
        {movable_after, "00", lord("Светлое Христово Воскресение. Пасха")},
        {movable_after, "39", lord("Вознесение Господне")},
        {movable_after, "49", lord("Сошествие Святого Духа на апостолов. Пятидесятница")},
        {fixed, "сен08", theotokos("Рождество Пресвятой Богородицы")},
        {fixed, "сен14", lord("Воздвижение Честного и Животворящего Креста Господня")},
        {fixed, "окт01", theotokos("Покров Пресвятой Богородицы")},
        {fixed, "ноя21", theotokos("Введение во храм Пресвятой Богородицы")},
        {fixed, "дек25", lord("Рождество Христово")},
        {fixed, "янв01", lord("Обрезание Господне")},
        {fixed, "янв06", lord("Святое Богоявление. Крещение Господне")},
        {fixed, "фев02", lord("Сретение Господне")},
        {fixed, "мар25", theotokos("Благовещение Пресвятой Богородицы")},
        {fixed, "июн24", saint("Рождество Иоанна Предтечи")},
        {fixed, "июн29", saint("Святые первоверховные апостолы Петр и Павел")},
        {fixed, "авг06", lord("Преображение Господне")},
        {fixed, "авг15", theotokos("Успение Пресвятой Богородицы")},
        {fixed, "авг29", saint("Усекновение главы Иоанна Предтечи")},
    };
}

namespace {

const QColor kLordField(120, 25, 30);
const QColor kTheotokosField(30, 70, 130);
const QColor kSaintField(35, 95, 60);

// A feast of the Lord, of the Theotokos, or the memory of saints, told by the title.
IconPicture PictureForTitle(const QString& title)
{
    static const QStringList theotokos = {"Богородиц", "Божией Матери", "Богоматер"};
    static const QStringList lord = {"Господ", "Креста", "Крест ", "Спаса", "Христ", "Воскресени", "Троиц", "Пятидесятниц",
                                     "Святого Духа", "Ваий", "Великий", "Великая", "Светлой седмицы", "Антипасха",
                                     "Преполовени", "Нерукотворен"};
    for (const QString& word : theotokos)
        if (title.contains(word))
            return {title, IconMotif::Circle, kTheotokosField};
    for (const QString& word : lord)
        if (title.contains(word))
            return {title, IconMotif::Cross, kLordField};
    return {title, IconMotif::Circle, kSaintField};
}

// The first link label of a record's first line, or the line itself without its sign.
QString RecordTitle(const QString& path)
{
    const DataRecord record = ReadRecord(path);
    QString line = record.first;
    const qsizetype open = line.indexOf(u'[');
    const qsizetype equals = open < 0 ? -1 : line.indexOf(u'=', open);
    if (open >= 0 && equals > open)
        return line.mid(open + 1, equals - open - 1).trimmed();
    while (line.startsWith(u'*'))
        line.remove(0, 1);
    return line.trimmed();
}

}  // namespace

std::vector<FeastIcon> DayIcons(const QString& data_root)
{
    std::vector<FeastIcon> icons;
    const QString root = data_root + u'/';
    const QString great_fixed = QStringLiteral("Иконы/Великие праздники/Непереходящие праздники/");
    for (const QString& key : AllDayKeys()) {
        const QString record = root + "Месяцеслов/Непереходящие праздники/" + key + ".txt";
        if (!QFileInfo(record).isFile() || QFileInfo(root + great_fixed + key + ".jpg").isFile())
            continue;
        if (QFileInfo(root + "Месяцеслов/Великие праздники/Непереходящие праздники/" + key + ".txt").isFile())
            continue;
        const QString title = RecordTitle(record);
        if (!title.isEmpty())
            icons.push_back({QStringLiteral("Иконы/Непереходящие праздники"), key, PictureForTitle(title)});
    }
    for (const QString& side : {QStringLiteral("До Пасхи"), QStringLiteral("После Пасхи")}) {
        for (int distance = 0; distance <= kMaxPaschaDistance; ++distance) {
            const QString stem = QString::asprintf("%02d", distance);
            const QString record = root + "Месяцеслов/Переходящие праздники/" + side + u'/' + stem + ".txt";
            if (!QFileInfo(record).isFile() ||
                QFileInfo(root + "Иконы/Великие праздники/Переходящие праздники/" + side + u'/' + stem + ".jpg").isFile())
                continue;
            const QString title = RecordTitle(record);
            if (!title.isEmpty())
                icons.push_back({"Иконы/Переходящие праздники/" + side, stem, PictureForTitle(title)});
        }
    }
    return icons;
}

}  // namespace indikt
