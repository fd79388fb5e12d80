// The icons of the days: which records get one, what it shows, where it goes.

#include "tools/icon_pictures.h"

#include "texts/cp1251.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace indikt {
namespace {

void Write(const QTemporaryDir& root, const char* path, const char* utf8)
{
    const QString full = root.filePath(QString::fromUtf8(path));
    ASSERT_TRUE(QDir().mkpath(QFileInfo(full).path()));
    QFile file(full);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    // Pictures are raw bytes; texts are Windows-1251.
    file.write(full.endsWith(".jpg") ? QByteArray(utf8) : EncodeCp1251(QString::fromUtf8(utf8)).value());
}

TEST(DayIcons, OneForEveryRecordWithoutAGreatFeastIcon)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    Write(root, "Месяцеслов/Непереходящие праздники/янв02.txt",
          "[Святителя Сильвестра=янв02.htm#s1]. **** [Преставление преподобного Серафима=янв02.htm#s2].\r\nВторая\r\nТретья\r\n");
    Write(root, "Месяцеслов/Непереходящие праздники/мар02.txt",
          "**** [Иконы Божией Матери «Державная»=мар02.htm#s1].\r\nВторая\r\nТретья\r\n");
    Write(root, "Месяцеслов/Непереходящие праздники/авг01.txt",
          "*** [Происхождение Честных Древ Животворящего Креста Господня=авг01.htm#s1].\r\nВторая\r\nТретья\r\n");
    Write(root, "Месяцеслов/Непереходящие праздники/июн24.txt", "****** [Рождество Предтечи=июн24.htm#s1].\r\nВ\r\nТ\r\n");
    Write(root, "Иконы/Великие праздники/Непереходящие праздники/июн24.jpg", "\xFF\xD8\xFF");
    Write(root, "Месяцеслов/Непереходящие праздники/авг15.txt", "Попразднство продолжается.\r\nВ\r\nТ\r\n");
    Write(root, "Месяцеслов/Великие праздники/Непереходящие праздники/авг15.txt", "****** [Успение=авг15.htm#s1]\r\n");
    Write(root, "Месяцеслов/Непереходящие праздники/фев28в.txt", "[Преподобного Василия=фев28.htm#s1].\r\nВ\r\nТ\r\n");
    Write(root, "Месяцеслов/Переходящие праздники/До Пасхи/70.txt", "[Неделя о мытаре и фарисее=sinaksar.htm#s01].\r\nВ\r\nТ\r\n");
    Write(root, "Месяцеслов/Переходящие праздники/После Пасхи/24.txt", "** Преполовение Пятидесятницы\r\nВ\r\nТ\r\n");
    Write(root, "Месяцеслов/Переходящие праздники/После Пасхи/39.txt", "[Отдание=sinaksar.htm#s31].\r\nВ\r\nТ\r\n");
    Write(root, "Иконы/Великие праздники/Переходящие праздники/После Пасхи/39.jpg", "\xFF\xD8\xFF");

    const std::vector<FeastIcon> icons = DayIcons(root.path());
    struct Expected { const char* folder; const char* stem; const char* title; IconMotif motif; };
    // The first link of the record names the icon; the Theotokos has a circle on blue, the Cross a cross.
    const Expected expected[] = {
        {"Иконы/Непереходящие праздники", "янв02", "Святителя Сильвестра", IconMotif::Circle},
        {"Иконы/Непереходящие праздники", "мар02", "Иконы Божией Матери «Державная»", IconMotif::Circle},
        {"Иконы/Непереходящие праздники", "авг01", "Происхождение Честных Древ Животворящего Креста Господня", IconMotif::Cross},
        {"Иконы/Переходящие праздники/До Пасхи", "70", "Неделя о мытаре и фарисее", IconMotif::Circle},
        {"Иконы/Переходящие праздники/После Пасхи", "24", "Преполовение Пятидесятницы", IconMotif::Cross},
    };
    ASSERT_EQ(icons.size(), std::size(expected));
    for (size_t i = 0; i < icons.size(); ++i) {
        SCOPED_TRACE(expected[i].stem);
        EXPECT_EQ(icons[i].folder, QString::fromUtf8(expected[i].folder));
        EXPECT_EQ(icons[i].stem, QString::fromUtf8(expected[i].stem));
        EXPECT_EQ(icons[i].picture.title, QString::fromUtf8(expected[i].title));
        EXPECT_EQ(icons[i].picture.motif, expected[i].motif);
    }
    EXPECT_NE(icons[1].picture.field, icons[0].picture.field);
}

}  // namespace
}  // namespace indikt
