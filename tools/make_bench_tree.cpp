// make-bench-tree [--notes-years N] [--memo-records N] DIR: writes a
// full-size synthetic data tree into DIR for benchmarks and load tests. Every day key in every fixed folder, every
// distance from Pascha in every movable folder, the date-and-weekday files,
// the troparia in their three languages, 77 books of the Bible in four forms,
// the lives and the icons of every day, daily notes for ten years (or N) and
// a "Памятка.txt" of 500 records (or N). The texts are filler of realistic length in
// Windows-1251 with CR LF; the same run always writes the same tree.

#include "tools/bench_texts.h"
#include "tools/icon_pictures.h"
#include "tools/tree_names.h"

#include "calendar/date.h"
#include "records/memo_file.h"
#include "records/memo_records.h"
#include "texts/cp1251.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSet>
#include <QTextStream>

#include <optional>

namespace indikt {

namespace {

// The distances from Pascha the readers look up. The Menaion, the hymns and
// the icons count within the old-style year (Pascha at the earliest on 22
// March leaves 284 days to its end); the readings of January and February
// count from the previous Pascha.
constexpr int kDaysBeforePascha = 70;
constexpr int kYearDaysAfterPascha = 284;
constexpr int kReadingDaysAfterPascha = 350;

constexpr int kFirstNoteYear = 2016;
constexpr int kFirstInstructionYear = 2020;
constexpr int kInstructionYears = 10;

const QStringList kGreatFixedKeys = {"сен08", "сен14", "окт01", "ноя21", "дек25", "янв01", "янв06",
                                     "фев02", "мар25", "июн24", "июн29", "авг06", "авг15", "авг29"};
const QList<int> kGreatMovableBefore = {7};
const QList<int> kGreatMovableAfter = {0, 39, 49};

// Writes the files and keeps count; after the first failure it writes nothing
// more and keeps the failure for the report.
class TreeWriter {
public:
    explicit TreeWriter(QString root) : root_(std::move(root)) {}

    void Text(const QString& relative, const QString& text)
    {
        const std::optional<QByteArray> bytes = EncodeCp1251(text);
        if (!bytes) {
            Fail(QStringLiteral("%1: the text does not fit Windows-1251").arg(relative));
            return;
        }
        Bytes(relative, *bytes);
    }

    void Bytes(const QString& relative, const QByteArray& bytes)
    {
        if (!error_.isEmpty())
            return;
        const QString path = root_ + u'/' + relative;
        if (!MakeFolderOf(path))
            return;
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
            Fail(QStringLiteral("%1: %2").arg(path, file.errorString()));
            return;
        }
        ++files_;
        bytes_ += bytes.size();
    }

    void Icon(const QString& folder, const QString& stem, const IconPicture& picture)
    {
        if (!error_.isEmpty())
            return;
        const QString problem = WriteIconFiles(root_ + u'/' + folder, stem, picture);
        if (!problem.isEmpty()) {
            Fail(problem);
            return;
        }
        for (const QString& name : {stem + ".jpg", "а_" + stem + ".jpg", stem + ".txt"}) {
            files_ += 1;
            bytes_ += QFileInfo(root_ + u'/' + folder + u'/' + name).size();
        }
    }

    const QString& error() const { return error_; }
    qint64 files() const { return files_; }
    qint64 bytes() const { return bytes_; }

private:
    bool MakeFolderOf(const QString& path)
    {
        const QString folder = path.first(path.lastIndexOf(u'/'));
        if (made_folders_.contains(folder))
            return true;
        if (!QDir().mkpath(folder)) {
            Fail(QStringLiteral("cannot create the folder %1").arg(folder));
            return false;
        }
        made_folders_.insert(folder);
        return true;
    }

    void Fail(const QString& error)
    {
        if (error_.isEmpty())
            error_ = error;
    }

    QString root_;
    QSet<QString> made_folders_;
    QString error_;
    qint64 files_ = 0;
    qint64 bytes_ = 0;
};

QString Page(const QString& title, const QString& body)
{
    return "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">\r\n"
           "<title>" + title + "</title></head>\r\n<body>\r\n" + body + "</body></html>\r\n";
}

QString Paragraph(const QString& text)
{
    return "<p>" + text + "</p>\r\n";
}

QString Distance2(int days) { return PaddedNumber(days, 2); }
QString Distance3(int days) { return PaddedNumber(days, 3); }

// The keys of the days whose readings and hymns depend on the weekday too:
// the Sundays and Saturdays that fall within a range of dates.
QStringList DayKeysWithWeekday()
{
    struct Range {
        const char* month;
        int first_day;
        int last_day;
        const char* weekday;
    };
    const Range ranges[] = {
        {"сен", 7, 13, "Сб"}, {"сен", 7, 13, "Вс"}, {"сен", 15, 21, "Сб"}, {"сен", 15, 21, "Вс"},
        {"окт", 11, 17, "Вс"}, {"окт", 18, 25, "Сб"}, {"дек", 11, 17, "Вс"}, {"дек", 18, 24, "Сб"},
        {"дек", 18, 24, "Вс"}, {"дек", 26, 31, "Сб"}, {"дек", 26, 31, "Вс"}, {"янв", 1, 5, "Сб"},
        {"янв", 1, 5, "Вс"},  {"янв", 7, 13, "Сб"},  {"янв", 7, 13, "Вс"},  {"янв", 25, 31, "Вс"},
        {"мар", 25, 25, "Вс"}, {"июл", 13, 19, "Вс"},
    };
    QStringList keys;
    for (const Range& range : ranges)
        for (int day = range.first_day; day <= range.last_day; ++day)
            keys.append(QString::fromUtf8(range.month) + PaddedNumber(day, 2) + QString::fromUtf8(range.weekday));
    return keys;
}

class BenchTree {
public:
    BenchTree(TreeWriter& writer, FillerText& filler, int note_years, int memo_records)
        : out_(writer), filler_(filler), note_years_(note_years), memo_records_(memo_records)
    {
    }

    void WriteAll()
    {
        WriteMenaion();
        WriteLives();
        WriteGospel();
        WriteApostle();
        WriteParimii();
        WriteTroparia();
        WriteServiceBooks();
        WriteBible();
        WriteIcons();
        WriteNotes();
        WriteMemo();
    }

private:
    // ---- Menaion ----------------------------------------------------------

    // A record of three fields: the title with a Typikon sign and a link to
    // the life of the day, a short paragraph, and the text of 2 to 6 KB.
    QString MenaionRecord(const QString& lives_page, int anchor_digits = 1)
    {
        static const char* const signs[] = {"", "* ", "** ", "*** ", "**** ", "***** ", "****** "};
        const int section = filler_.Between(1, 3);
        QString record = QString::fromUtf8(signs[filler_.Below(7)]) + "Память преподобного [" + filler_.Name() +
                         "=" + lives_page + "#s" + PaddedNumber(section, anchor_digits) + "] и мученика " + filler_.Name() +
                         " (" + QString::number(filler_.Between(3, 19)) + " в.).\r\n";
        record += filler_.Text(filler_.Between(200, 500)) + "\r\n";
        const int text_chars = filler_.Between(1800, 5600);
        int written = 0;
        while (written < text_chars) {
            const QString paragraph = filler_.Text(filler_.Between(300, 900));
            record += paragraph + "\r\n";
            written += int(paragraph.size());
        }
        return record;
    }

    QString SynaxarionPage() { return QStringLiteral("sinaksar.htm"); }

    void WriteMenaion()
    {
        const QString fixed = QStringLiteral("Месяцеслов/Непереходящие праздники/");
        for (const QString& key : AllDayKeys())
            out_.Text(fixed + key + ".txt", MenaionRecord(key + ".htm"));
        out_.Text(fixed + "фев28в.txt", MenaionRecord(QStringLiteral("фев28.htm")));
        for (const char* key : {"янв05Сб", "янв05Вс", "дек24Сб", "дек24Вс"})
            out_.Text(fixed + QString::fromUtf8(key) + ".txt", MenaionRecord(QString::fromUtf8(key).first(5) + ".htm"));
        for (const char* key : {"мар24", "мар26", "фев01", "фев02", "фев03", "фев09", "мар22", "мар30"})
            out_.Text(fixed + "Условие/" + QString::fromUtf8(key) + ".txt",
                      MenaionRecord(QString::fromUtf8(key) + ".htm"));

        const QString great = QStringLiteral("Месяцеслов/Великие праздники/");
        for (const QString& key : kGreatFixedKeys)
            out_.Text(great + "Непереходящие праздники/" + key + ".txt",
                      "[Праздник " + key + "=" + key + ".htm#s1]\r\n");
        for (int days : kGreatMovableBefore)
            out_.Text(great + "Переходящие праздники/До Пасхи/" + Distance2(days) + ".txt",
                      QStringLiteral("[Вход Господень в Иерусалим=sinaksar.htm#s16]\r\n"));
        for (int days : kGreatMovableAfter)
            out_.Text(great + "Переходящие праздники/После Пасхи/" + Distance2(days) + ".txt",
                      "[Великий праздник=sinaksar.htm#s" + Distance2(23 + days % 10) + "]\r\n");

        const QString movable = QStringLiteral("Месяцеслов/Переходящие праздники/");
        for (int days = 1; days <= kDaysBeforePascha; ++days)
            out_.Text(movable + "До Пасхи/" + Distance2(days) + ".txt", MenaionRecord(SynaxarionPage(), 2));
        for (int days = 0; days <= kYearDaysAfterPascha; ++days)
            out_.Text(movable + "После Пасхи/" + Distance2(days) + ".txt", MenaionRecord(SynaxarionPage(), 2));
        for (int days : {49, 50, 52, 54, 58})
            out_.Text(movable + "До Пасхи/Условие/" + Distance2(days) + ".txt", MenaionRecord(SynaxarionPage(), 2));
        for (int days = 0; days <= 20; ++days)
            out_.Text(movable + "После Пасхи/Условие/" + Distance2(days) + ".txt", MenaionRecord(SynaxarionPage(), 2));
        for (const QString& key : DayKeysWithWeekday())
            out_.Text(movable + "Иные/" + key + ".txt", MenaionRecord(key.first(5) + ".htm"));

        for (int sign = 1; sign <= 6; ++sign)
            out_.Bytes("Месяцеслов/im/u" + QString::number(sign) + ".gif", TypikonSignGif(sign));
    }

    // A two-colour GIF of 14 by 12 pixels: a red bar whose length shows the
    // rank. The image data is LZW with a clear code before every second
    // pixel, so every code keeps the width of three bits.
    static QByteArray TypikonSignGif(int sign)
    {
        constexpr int width = 14;
        constexpr int height = 12;
        QByteArray gif("GIF89a");
        gif.append(char(width)).append('\0').append(char(height)).append('\0');
        gif.append('\x80').append('\0').append('\0');                    // global table of 2 colours
        gif.append("\xFF\xFF\xFF\xC0\x10\x10", 6);                       // white, red
        gif.append(',').append(QByteArray(4, '\0'));                     // image at 0,0
        gif.append(char(width)).append('\0').append(char(height)).append('\0').append('\0');
        gif.append('\x02');                                              // minimum code size
        QByteArray data;
        quint32 bits = 0;
        int bit_count = 0;
        const auto put = [&](int code) {
            bits |= quint32(code) << bit_count;
            bit_count += 3;
            while (bit_count >= 8) {
                data.append(char(bits & 0xFF));
                bits >>= 8;
                bit_count -= 8;
            }
        };
        constexpr int clear = 4;
        constexpr int end = 5;
        for (int pixel = 0; pixel < width * height; ++pixel) {
            if (pixel % 2 == 0)
                put(clear);
            const int x = pixel % width;
            const int y = pixel / width;
            put(y >= 4 && y < 8 && x >= 1 && x < 1 + 2 * sign ? 1 : 0);
        }
        put(end);
        if (bit_count > 0)
            data.append(char(bits & 0xFF));
        for (qsizetype at = 0; at < data.size(); at += 255) {
            const QByteArray block = data.mid(at, 255);
            gif.append(char(block.size())).append(block);
        }
        gif.append('\0').append(';');
        return gif;
    }

    // ---- Lives ------------------------------------------------------------

    void WriteLives()
    {
        const QString folder = QStringLiteral("Жития святых/Святцы/");
        for (const QString& key : AllDayKeys()) {
            QString body;
            for (int section = 1; section <= 3; ++section) {
                body += "<h2><a name=\"s" + QString::number(section) + "\"></a>Житие преподобного " + filler_.Name() +
                        "</h2>\r\n";
                for (int i = 0; i < 4; ++i)
                    body += Paragraph(filler_.Text(filler_.Between(500, 1500)));
            }
            out_.Text(folder + key + ".htm", Page("Жития святых " + key, body));
        }
        QString synaxarion;
        for (int section = 1; section <= 40; ++section) {
            synaxarion += "<h2><a name=\"s" + Distance2(section) + "\"></a>Синаксарь " + QString::number(section) +
                          "</h2>\r\n" + Paragraph(filler_.Text(1500));
        }
        out_.Text(folder + "sinaksar.htm", Page(QStringLiteral("Синаксари Триоди"), synaxarion));
        for (const char* index : {"svyatcy.htm", "svyat_m.htm", "svyat_g.htm", "ikona.htm"}) {
            QString body;
            for (const QString& key : AllDayKeys())
                body += "<a href=\"" + key + ".htm\">" + key + "</a><br>\r\n";
            out_.Text(folder + QString::fromUtf8(index), Page(QStringLiteral("Святцы"), body));
        }
    }

    // ---- Readings -----------------------------------------------------------

    struct ReadingBook {
        QString folder;
        QString page_stem;            // "evangelie": evangelie.htm is the Russian page of the four
        std::vector<QString> anchors; // every reading points at one of them
        std::vector<QString> titles;  // the title of each anchor's reading
    };

    static ReadingBook GospelBook()
    {
        ReadingBook book{QStringLiteral("Богослужение/Евангелие"), QStringLiteral("evangelie"), {}, {}};
        struct Evangelist {
            const char* anchor;
            const char* genitive;
            const char* abbreviation;
            int pericopes;
        };
        const Evangelist evangelists[] = {
            {"mf", "от Матфея", "Мф", 116}, {"mk", "от Марка", "Мк", 71}, {"lk", "от Луки", "Лк", 114},
            {"in", "от Иоанна", "Ин", 67}};
        for (const Evangelist& evangelist : evangelists)
            for (int pericope = 1; pericope <= evangelist.pericopes; ++pericope) {
                book.anchors.push_back(QString::fromUtf8(evangelist.anchor) + QString::number(pericope));
                book.titles.push_back(QString::fromUtf8(evangelist.genitive) + ", зачало " + QString::number(pericope) +
                                      ", " + QString::fromUtf8(evangelist.abbreviation) + u' ' +
                                      QString::number(1 + pericope / 5) + ":1-12");
            }
        return book;
    }

    static ReadingBook ApostleBook()
    {
        ReadingBook book{QStringLiteral("Богослужение/Апостол"), QStringLiteral("apostol"), {}, {}};
        for (int pericope = 1; pericope <= 335; ++pericope) {
            book.anchors.push_back(QString::number(pericope));
            book.titles.push_back("зачало " + QString::number(pericope) + ", Деян " + QString::number(1 + pericope / 12) +
                                  ":1-10");
        }
        return book;
    }

    static ReadingBook ParimiiBook()
    {
        ReadingBook book{QStringLiteral("Богослужение/Паримии"), QStringLiteral("parimii"), {}, {}};
        for (int reading = 1; reading <= 250; ++reading) {
            book.anchors.push_back("par" + QString::number(reading));
            book.titles.push_back("Быт " + QString::number(1 + reading / 5) + ":1-13");
        }
        return book;
    }

    // One line of reading markup with one or two references.
    QString Reading(const ReadingBook& book, const QString& label)
    {
        QString text = label;
        const int count = filler_.Between(1, 2);
        for (int i = 0; i < count; ++i) {
            const int at = filler_.Below(int(book.anchors.size()));
            text += (i > 0 ? " " : "") + QStringLiteral("[%1=%2].").arg(book.titles[at], book.anchors[at]);
        }
        return text + "\r\n";
    }

    void WriteBookPages(const ReadingBook& book)
    {
        QString body;
        for (size_t i = 0; i < book.anchors.size(); ++i)
            body += "<h3><a name=\"" + book.anchors[i] + "\"></a>" + book.titles[i] + "</h3>\r\n" +
                    Paragraph(filler_.Text(filler_.Between(400, 900)));
        for (const char* suffix : {"", "_slav", "_gragd", "_rus"})
            out_.Text(book.folder + u'/' + book.page_stem + QString::fromUtf8(suffix) + ".htm", Page(book.page_stem, body));
    }

    void WriteMovableReadings(const ReadingBook& book, const QString& folder, const QString& service)
    {
        const QString tail = service.isEmpty() ? QString() : u'/' + service;
        for (int days = 1; days <= kDaysBeforePascha; ++days)
            out_.Text(folder + "/До Пасхи" + tail + u'/' + Distance3(days) + ".txt", Reading(book, QString()));
        for (int days = 0; days <= kReadingDaysAfterPascha; ++days)
            out_.Text(folder + "/После Пасхи" + tail + u'/' + Distance3(days) + ".txt", Reading(book, QString()));
    }

    void WriteGreatFeastReadings(const ReadingBook& book, const QString& service)
    {
        const QString tail = service.isEmpty() ? QString() : u'/' + service;
        const QString folder = book.folder + "/Великие праздники";
        for (int days : kGreatMovableBefore)
            out_.Text(folder + "/Переходящие чтения/До Пасхи" + tail + u'/' + Distance3(days) + ".txt",
                      Reading(book, QString()));
        for (int days : kGreatMovableAfter)
            out_.Text(folder + "/Переходящие чтения/После Пасхи" + tail + u'/' + Distance3(days) + ".txt",
                      Reading(book, QString()));
        for (const QString& key : kGreatFixedKeys)
            out_.Text(folder + "/Непереходящие чтения" + tail + u'/' + key + ".txt", Reading(book, QString()));
    }

    void WriteFixedReadings(const ReadingBook& book, const QString& folder)
    {
        for (const QString& key : AllDayKeys())
            out_.Text(folder + u'/' + key + ".txt", Reading(book, QString()));
    }

    void WriteOtherReadings(const ReadingBook& book, const QString& folder)
    {
        for (const QString& key : DayKeysWithWeekday())
            out_.Text(folder + u'/' + key + ".txt", Reading(book, QString()));
    }

    void WriteGospel()
    {
        const ReadingBook book = GospelBook();
        WriteBookPages(book);
        for (int eothinon = 1; eothinon <= 11; ++eothinon)
            out_.Text(book.folder + "/Воскресные/" + QString::number(eothinon) + ".txt", Reading(book, QString()));
        for (const char* service : {"Утреня", "Литургия"}) {
            const QString name = QString::fromUtf8(service);
            WriteMovableReadings(book, book.folder + "/Переходящие чтения", name);
            WriteFixedReadings(book, book.folder + "/Непереходящие чтения/" + name);
            WriteGreatFeastReadings(book, name);
        }
        WriteOtherReadings(book, book.folder + "/Переходящие чтения/Иные/Литургия");
    }

    void WriteApostle()
    {
        const ReadingBook book = ApostleBook();
        WriteBookPages(book);
        WriteMovableReadings(book, book.folder + "/Переходящие чтения", QString());
        WriteFixedReadings(book, book.folder + "/Непереходящие чтения");
        WriteGreatFeastReadings(book, QString());
        WriteOtherReadings(book, book.folder + "/Переходящие чтения/Иные");
    }

    void WriteParimii()
    {
        const ReadingBook book = ParimiiBook();
        WriteBookPages(book);
        WriteMovableReadings(book, book.folder + "/Переходящие чтения", QString());
        WriteFixedReadings(book, book.folder + "/Непереходящие чтения");
        WriteOtherReadings(book, book.folder + "/Переходящие чтения/Иные");
    }

    // ---- Troparia and kontakia --------------------------------------------------

    // A hymn set: the contents file named after the folder, and a troparion
    // and a kontakion in the three languages.
    void HymnSet(const QString& folder)
    {
        const QString name = folder.sliced(folder.lastIndexOf(u'/') + 1);
        const int tone = filler_.Between(1, 8);
        const QStringList titles = {"Тропарь, глас " + QString::number(tone), "Кондак, глас " + QString::number(tone)};
        out_.Text(folder + u'/' + name + ".txt", titles.join("\r\n") + "\r\n");
        for (int hymn = 1; hymn <= titles.size(); ++hymn)
            for (const char* language : {"_слав.htm", "_гражд.htm", "_рус.htm"})
                out_.Text(folder + u'/' + QString::number(hymn) + QString::fromUtf8(language),
                          Page(titles[hymn - 1], "<h3>" + titles[hymn - 1] + "</h3>\r\n" +
                                                     Paragraph(filler_.Text(filler_.Between(400, 1000)))));
    }

    void WriteTroparia()
    {
        const QString folder = QStringLiteral("Богослужение/Тропари и кондаки/");
        for (int tone = 1; tone <= 8; ++tone) {
            HymnSet(folder + "Воскресные/" + QString::number(tone));
            HymnSet(folder + "Воскресные/Великим постом/" + QString::number(tone));
        }
        for (int days : kGreatMovableBefore)
            HymnSet(folder + "Великие праздники/Переходящие праздники/До Пасхи/" + Distance2(days));
        for (int days : {0, 7, 14, 21, 24, 28, 35, 39, 42, 49})
            HymnSet(folder + "Великие праздники/Переходящие праздники/После Пасхи/" + Distance2(days));
        for (const QString& key : kGreatFixedKeys)
            HymnSet(folder + "Великие праздники/Непереходящие праздники/" + key);
        for (int days = 1; days <= kDaysBeforePascha; ++days)
            HymnSet(folder + "Переходящие праздники/До Пасхи/" + Distance2(days));
        for (int days = 0; days <= kYearDaysAfterPascha; ++days)
            HymnSet(folder + "Переходящие праздники/После Пасхи/" + Distance2(days));
        for (const QString& key : DayKeysWithWeekday())
            HymnSet(folder + "Переходящие праздники/Иные/" + key);
        for (const QString& key : AllDayKeys())
            HymnSet(folder + "Непереходящие праздники/" + key);
        for (int weekday = 1; weekday <= 7; ++weekday)
            HymnSet(folder + "Дневные/" + QString::number(weekday));
    }

    // ---- Prayer book, style sheets, media lists, directions ---------------------

    QString LongPage(const QString& title, int sections)
    {
        QString body;
        for (int section = 1; section <= sections; ++section)
            body += "<h2><a name=\"m" + QString::number(section) + "\"></a>" + filler_.Sentence() + "</h2>\r\n" +
                    Paragraph(filler_.Text(filler_.Between(1500, 3000)));
        return Page(title, body);
    }

    void WriteServiceBooks()
    {
        const QString folder = QStringLiteral("Богослужение/");
        out_.Text(folder + "index.html", LongPage(QStringLiteral("Богослужебные тексты"), 3));
        out_.Text(folder + "_css/lz.css", QStringLiteral("body { font-family: serif; font-size: 12pt; }\r\n"
                                                          "h3 { color: #800000; }\r\n"));
        out_.Text(folder + "_css/ms.css", QStringLiteral("body { font-family: serif; font-size: 12pt; }\r\n"
                                                          "h1, h2 { color: #FF0000; }\r\n"));
        const QString prayers = folder + "Молитвослов/";
        out_.Text(prayers + "index.htm", LongPage(QStringLiteral("Молитвослов"), 2));
        struct Language {
            const char* folder;
            const char* stem;
        };
        for (const Language& language : {Language{"Слав", "sl"}, Language{"Гражд", "sgr"}, Language{"Рус", "tmr"}})
            for (const char* season : {"", "_00", "_07", "_40"})
                out_.Text(prayers + QString::fromUtf8(language.folder) + u'/' + QString::fromUtf8(language.stem) +
                              QString::fromUtf8(season) + ".htm",
                          LongPage(QStringLiteral("Молитвослов"), 20));
        out_.Text(prayers + "Звук/sv.htm", LongPage(QStringLiteral("Звукозаписи"), 2));
        out_.Text(prayers + "Видео/vd.htm", LongPage(QStringLiteral("Видеозаписи"), 2));

        QString audio;
        QString video;
        for (int item = 1; item <= 20; ++item) {
            audio += QStringLiteral("[Запись %1=https://audio.example/%1.mp3]\r\n").arg(item);
            video += QStringLiteral("[Запись %1=https://video.example/%1.mp4]\r\n").arg(item);
        }
        out_.Text(folder + "Медиа/Звук/звук.txt", audio);
        out_.Text(folder + "Медиа/Видео/видео.txt", video);

        static const char* const months[] = {"jan", "feb", "mar", "apr", "may", "jun",
                                             "jul", "aug", "sep", "oct", "nov", "dec"};
        for (int year = kFirstInstructionYear; year < kFirstInstructionYear + kInstructionYears; ++year)
            for (int month = 1; month <= 12; ++month)
                for (int day = 1; day <= DaysInMonth(year, month); ++day)
                    out_.Text(folder + "Указания/" + QString::number(year) + u'/' + QString::fromUtf8(months[month - 1]) +
                                  PaddedNumber(day, 2) + ".htm",
                              Page(QStringLiteral("Богослужебные указания"), Paragraph(filler_.Text(filler_.Between(800, 2000)))));
    }

    // ---- Bible --------------------------------------------------------------------

    void WriteBible()
    {
        // Chapters of the 77 books in the order of their file numbers; 22 is the Psalter.
        static const int chapters[77] = {50, 40, 27, 36, 34, 24, 21, 4,  31, 24, 22, 25, 29, 36, 10, 13,
                                         9,  14, 16, 10, 42, 151, 31, 12, 8,  19, 51, 66, 52, 5,  1,  5,
                                         48, 14, 14, 3,  9,  1,  4,  7,  3,  3,  3,  2,  14, 4,  16, 15,
                                         7,  16, 28, 16, 24, 21, 28, 5,  5,  3,  5,  1,  1,  1,  16, 16,
                                         13, 6,  6,  4,  4,  5,  3,  6,  4,  3,  1,  13, 22};
        out_.Text(QStringLiteral("Библия/index.html"), LongPage(QStringLiteral("Библия"), 2));
        for (const char* version : {"b_slv", "b_sgr", "b_snd", "b_cas"}) {
            const QString name = QString::fromUtf8(version);
            for (int book = 1; book <= 77; ++book) {
                QString body;
                for (int chapter = 1; chapter <= chapters[book - 1]; ++chapter)
                    body += "<h3><a name=\"g" + QString::number(chapter) + "\"></a>Глава " + QString::number(chapter) +
                            "</h3>\r\n" + Paragraph(filler_.Text(filler_.Between(1200, 2400)));
                out_.Text("Библия/" + name + u'/' + name + PaddedNumber(book, 2) + ".html",
                          Page("Книга " + QString::number(book), body));
            }
        }
        out_.Text(QStringLiteral("Библия/psalm/index.html"), LongPage(QStringLiteral("Псалтирь"), 2));
        for (const char* version : {"ps_sl", "ps_sgr", "ps_snd", "ps_tmr"})
            for (int kathisma = 1; kathisma <= 20; ++kathisma)
                out_.Text("Библия/psalm/" + QString::fromUtf8(version) + "/psalm" + PaddedNumber(kathisma, 2) + ".html",
                          LongPage("Кафизма " + QString::number(kathisma), 8));
    }

    // ---- Icons --------------------------------------------------------------------

    IconPicture DayIcon(const QString& title)
    {
        static const QColor fields[] = {QColor(110, 30, 35), QColor(30, 70, 130), QColor(35, 95, 60), QColor(90, 60, 20)};
        return {title, filler_.Below(2) == 0 ? IconMotif::Cross : IconMotif::Circle, fields[filler_.Below(4)]};
    }

    void WriteIcons()
    {
        for (const FeastIcon& icon : FeastIcons())
            out_.Icon(icon.folder, icon.stem, icon.picture);
        const QString fixed = QStringLiteral("Иконы/Непереходящие праздники");
        for (const QString& key : AllDayKeys()) {
            out_.Icon(fixed, key, DayIcon("Преподобный " + filler_.Name()));
            if (filler_.Below(4) == 0)
                out_.Icon(fixed, key + "_1", DayIcon("Мученик " + filler_.Name()));
        }
        const QString movable = QStringLiteral("Иконы/Переходящие праздники/");
        for (int days = 1; days <= kDaysBeforePascha; ++days)
            out_.Icon(movable + "До Пасхи", Distance2(days), DayIcon("Седмица Триоди " + QString::number(days)));
        for (int days = 0; days <= kYearDaysAfterPascha; ++days)
            out_.Icon(movable + "После Пасхи", Distance2(days), DayIcon("Попразднство " + QString::number(days)));
        for (const QString& key : DayKeysWithWeekday())
            out_.Icon(movable + "Иные", key, DayIcon("Собор святых " + key));
        out_.Icon(movable + "Иные", QStringLiteral("мар30"), DayIcon(QStringLiteral("Преподобный Иоанн Лествичник")));
        out_.Icon(movable + "Иные", QStringLiteral("мар30_1"), DayIcon(QStringLiteral("Лествица")));
    }

    // ---- Notes and the commemorations --------------------------------------------

    // A short RTF note as the editor writes it: Arial in the Cyrillic
    // character set, centred, the letters as \'hh escapes of Windows-1251.
    static QByteArray NoteRtf(const QString& text)
    {
        QByteArray rtf("{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset204 Arial;}}\r\n"
                       "\\viewkind4\\uc1\\pard\\qc\\f0\\fs28 ");
        const QByteArray bytes = EncodeCp1251(text).value_or(QByteArray());
        for (char byte : bytes) {
            const auto value = static_cast<unsigned char>(byte);
            if (value < 0x80 && byte != '\\' && byte != '{' && byte != '}')
                rtf.append(byte);
            else
                rtf.append("\\'").append(QByteArray::number(value, 16).rightJustified(2, '0'));
        }
        return rtf + "\\par\r\n}\r\n";
    }

    void WriteNotes()
    {
        const QString folder = QStringLiteral("Записи/");
        const QStringList& keys = AllDayKeys();
        for (int year = kFirstNoteYear; year < kFirstNoteYear + note_years_; ++year) {
            const bool julian_leap = year % 4 == 0;
            for (const QString& key : keys) {
                if (key == "фев29" && !julian_leap)
                    continue;
                out_.Bytes(folder + key + QString::number(year) + ".rtf", NoteRtf(filler_.Text(filler_.Between(100, 600))));
            }
        }
        for (qsizetype i = 0; i < keys.size(); i += 10)
            out_.Bytes(folder + keys[i] + ".rtf", NoteRtf(filler_.Text(200)));
    }

    // By default 200 jubilees, 200 feasts of every kind and status and 100
    // events, the commemorations of a busy user, as the records benchmarks
    // use them; a larger number keeps those shares.
    void WriteMemo()
    {
        const MemoClock clock{FromCivil(2026, 12, 8), 12 * 60};
        const int jubilees = memo_records_ * 2 / 5;
        const int feasts = memo_records_ * 2 / 5;
        const int events = memo_records_ - jubilees - feasts;
        MemoLists lists;
        for (int i = 0; i < jubilees; ++i) {
            YubRecord jubilee;
            jubilee.name = "Юбилей раба Божия " + QString::number(i);
            jubilee.stored = FromCivil(1950 + i % 70, 1 + i % 12, 1 + i % 28);
            if (i % 5 == 0)
                jubilee.pascha_offset = i % 60 - 30;
            jubilee.show_years = i % 2 == 0;
            ComputeJubilee(jubilee, clock);
            lists.jubilees.push_back(jubilee);
        }
        for (int i = 0; i < feasts; ++i) {
            const FeastStatus status = FeastStatus(i % 3);
            lists.feasts.push_back(MakeFeast("Праздник " + QString::number(i), i % 4 == 0, status, i % 100 - 50,
                                             FromCivil(2026, 1 + i % 12, 1 + i % 28), true, clock));
        }
        for (int i = 0; i < events; ++i) {
            SobRecord event{.name = "Событие " + QString::number(i), .active = true, .period = EventPeriod(i % 4),
                            .minute = (i * 37) % kMinutesPerDay, .stored = FromCivil(2027, 1 + i % 12, 1 + i % 28),
                            .occurrence = {}, .waiting = 0};
            ComputeEvent(event, clock);
            lists.events.push_back(event);
        }
        out_.Bytes(QString::fromUtf8(kMemoFileName), MemoFileBytes(lists, clock));
    }

    TreeWriter& out_;
    FillerText& filler_;
    int note_years_;
    int memo_records_;
};

constexpr unsigned kSeed = 20251;

}  // namespace

}  // namespace indikt

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    QTextStream out(stdout);
    QTextStream err(stderr);
    int note_years = 10;
    int memo_records = 500;
    QString folder;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        bool ok = true;
        if (arguments[i] == "--notes-years" && i + 1 < arguments.size())
            note_years = arguments[++i].toInt(&ok);
        else if (arguments[i] == "--memo-records" && i + 1 < arguments.size())
            memo_records = arguments[++i].toInt(&ok);
        else if (folder.isEmpty() && !arguments[i].startsWith("--"))
            folder = arguments[i];
        else
            ok = false;
        if (!ok || note_years < 0 || note_years > 100 || memo_records < 0 || memo_records > 100000) {
            folder.clear();
            break;
        }
    }
    if (folder.isEmpty()) {
        err << "usage: make-bench-tree [--notes-years 0-100] [--memo-records 0-100000] DIR\n";
        return 2;
    }
    QElapsedTimer timer;
    timer.start();
    indikt::TreeWriter writer(QDir(folder).absolutePath());
    indikt::FillerText filler(indikt::kSeed);
    indikt::BenchTree(writer, filler, note_years, memo_records).WriteAll();
    if (!writer.error().isEmpty()) {
        err << writer.error() << '\n';
        return 1;
    }
    out << writer.files() << " files, " << writer.bytes() << " bytes (" << QString::number(writer.bytes() / 1048576.0, 'f', 1)
        << " MiB) written into " << folder << " in " << QString::number(timer.elapsed() / 1000.0, 'f', 1)
        << " s\n";
    return 0;
}
