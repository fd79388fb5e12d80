#include "bible_pages.h"

#include "cp1251.h"
#include "data_files.h"

#include <QDir>
#include <QFileInfo>

#include <map>

namespace indikt {

namespace {

constexpr int kPsalterBook = 22;

// The first psalm of each kathisma 1-20; the twentieth runs to Psalm 151.
constexpr int kKathismaStart[] = {1, 9, 17, 24, 32, 37, 46, 55, 64, 70, 77, 85, 91, 101, 105, 109, 118, 119, 134, 143};
constexpr int kLastPsalm = 151;

QString Escaped(const QString& text)
{
    QString out = text;
    out.replace(u'&', QStringLiteral("&amp;")).replace(u'<', QStringLiteral("&lt;")).replace(u'>', QStringLiteral("&gt;"));
    return out;
}

struct Page {
    QString relative;  // with '/'
    QStringList lines;
};

QStringList PageHead(const QString& title, const QString& css)
{
    return {"<html>",
            "<head>",
            "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">",
            "<meta http-equiv=\"Content-Language\" content=\"ru\">",
            "<title>" + Escaped(title) + "</title>",
            "<link href=\"" + css + "\" rel=\"stylesheet\" type=\"text/css\">",
            "</head>",
            "<body>"};
}

void AddVerses(QStringList& lines, const BibleChapter* chapter, const QString& missing_note)
{
    if (chapter == nullptr) {
        lines << "<p class=\"note\">" + missing_note + "</p>";
        return;
    }
    for (const BibleVerse& verse : chapter->verses)
        lines << "<p><sup>" + QString::number(verse.number) + "</sup> " + Escaped(verse.text) + "</p>";
}

Page BookPage(const BibleBookText& book, const QString& folder, const QString& version_name)
{
    const BibleBookInfo info = *TreeBibleBook(book.number);
    const QString name = QString::fromUtf8(info.full_name);
    std::map<int, const BibleChapter*> by_number;
    for (const BibleChapter& chapter : book.chapters)
        by_number[chapter.number] = &chapter;
    const int last = std::max(info.chapters, by_number.empty() ? 0 : by_number.rbegin()->first);

    Page page;
    page.relative = "Библия/" + folder + u'/' + folder + QString::asprintf("%02d", book.number) + ".html";
    page.lines = PageHead(name, "../../Богослужение/_css/lz.css");
    page.lines << "<h1>" + Escaped(name) + "</h1>";
    page.lines << "<p class=\"note\">" + Escaped(version_name) + ".</p>";
    QStringList contents;
    for (int chapter = 1; chapter <= last; ++chapter)
        contents << QStringLiteral("<a href=\"#g%1\">%1</a>").arg(chapter);
    page.lines << "<p>" + contents.join(u' ') + "</p>";
    const QString heading = book.number == kPsalterBook ? QStringLiteral("Псалом") : QStringLiteral("Глава");
    for (int chapter = 1; chapter <= last; ++chapter) {
        page.lines << QStringLiteral("<h2><a name=\"g%1\"></a>%2 %1</h2>").arg(chapter).arg(heading);
        const auto found = by_number.find(chapter);
        AddVerses(page.lines, found == by_number.end() ? nullptr : found->second,
                  QStringLiteral("Этой главы нет в загруженном файле."));
    }
    page.lines << "</body>" << "</html>";
    return page;
}

std::vector<Page> PsalterPages(const BibleBookText& psalter, const QString& folder, const QString& version_name)
{
    std::map<int, const BibleChapter*> psalms;
    for (const BibleChapter& chapter : psalter.chapters)
        psalms[chapter.number] = &chapter;
    std::vector<Page> pages;
    for (int kathisma = 1; kathisma <= 20; ++kathisma) {
        const int first = kKathismaStart[kathisma - 1];
        const int last = kathisma == 20 ? kLastPsalm : kKathismaStart[kathisma] - 1;
        Page page;
        page.relative = "Библия/psalm/" + folder + QString::asprintf("/psalm%02d.html", kathisma);
        const QString title = QStringLiteral("Кафизма %1").arg(kathisma);
        page.lines = PageHead(title, "../../../Богослужение/_css/lz.css");
        page.lines << "<h1>" + title + "</h1>";
        const QString range = first == last ? QStringLiteral("Псалом %1").arg(first)
                                            : QStringLiteral("Псалмы %1-%2").arg(first).arg(last);
        page.lines << "<p class=\"note\">" + Escaped(version_name) + ". " + range + ".</p>";
        for (int psalm = first; psalm <= last; ++psalm) {
            page.lines << QStringLiteral("<h2><a name=\"p%1\"></a>Псалом %1</h2>").arg(psalm);
            const auto found = psalms.find(psalm);
            AddVerses(page.lines, found == psalms.end() ? nullptr : found->second,
                      QStringLiteral("Этого псалма нет в загруженном файле."));
        }
        page.lines << "</body>" << "</html>";
        pages.push_back(std::move(page));
    }
    return pages;
}

Page ContentsPage(const Bible& bible, const QString& folder, const QString& version_name)
{
    Page page;
    page.relative = "Библия/" + folder + u'/' + folder + ".html";
    page.lines = PageHead(version_name, "../../Богослужение/_css/lz.css");
    page.lines << "<h1>" + Escaped(version_name) + "</h1>";
    page.lines << "<ul>";
    for (const BibleBookText& book : bible.books)
        page.lines << QStringLiteral("<li><a href=\"%1%2.html\">%3</a></li>")
                          .arg(folder, QString::asprintf("%02d", book.number),
                               Escaped(QString::fromUtf8(TreeBibleBook(book.number)->full_name)));
    page.lines << "</ul>" << "</body>" << "</html>";
    return page;
}

QString BookLabel(int number)
{
    return QString::fromUtf8(TreeBibleBook(number)->short_name);
}

// The first character of the Bible's texts that Windows-1251 cannot hold,
// named with its place; empty when every text fits.
QString FirstUnfitCharacter(const Bible& bible, const QString& version_name)
{
    auto describe = [](const QString& text, qsizetype at, const QString& where) {
        const char32_t code = text.at(at).isHighSurrogate() && at + 1 < text.size()
                                  ? QChar::surrogateToUcs4(text.at(at), text.at(at + 1))
                                  : text.at(at).unicode();
        const qsizetype length = text.at(at).isHighSurrogate() && at + 1 < text.size() ? 2 : 1;
        return QStringLiteral("%1: знак «%2» (U+%3)")
            .arg(where, text.mid(at, length), QString::number(code, 16).toUpper().rightJustified(4, u'0'));
    };
    const qsizetype in_title = FirstCharOutsideCp1251(version_name);
    if (in_title >= 0)
        return describe(version_name, in_title, QStringLiteral("название перевода"));
    for (const BibleBookText& book : bible.books)
        for (const BibleChapter& chapter : book.chapters)
            for (const BibleVerse& verse : chapter.verses) {
                const qsizetype at = FirstCharOutsideCp1251(verse.text);
                if (at >= 0)
                    return describe(verse.text, at,
                                    QStringLiteral("%1 %2:%3").arg(BookLabel(book.number)).arg(chapter.number).arg(verse.number));
            }
    return {};
}

}  // namespace

const QStringList& BibleVersionFolders()
{
    static const QStringList folders = {"b_snd", "b_sgr", "b_cas", "b_slv"};
    return folders;
}

const QStringList& PsalterFolders()
{
    static const QStringList folders = {"ps_snd", "ps_sgr", "ps_tmr", "ps_sl"};
    return folders;
}

QString DefaultPsalterFolder(const QString& version_folder)
{
    if (version_folder == "b_snd")
        return QStringLiteral("ps_snd");
    if (version_folder == "b_sgr")
        return QStringLiteral("ps_sgr");
    if (version_folder == "b_slv")
        return QStringLiteral("ps_sl");
    return {};
}

int KathismaOfPsalm(int psalm)
{
    if (psalm < 1 || psalm > kLastPsalm)
        return 0;
    int kathisma = 0;
    while (kathisma < 20 && kKathismaStart[kathisma] <= psalm)
        ++kathisma;
    return kathisma;
}

BibleImportResult WriteBiblePages(const Bible& bible, const QString& data_root, const BibleImportOptions& options)
{
    BibleImportResult result;
    if (!BibleVersionFolders().contains(options.version_folder)) {
        result.error = QStringLiteral("Неизвестная папка версии «%1»: допустимы %2.")
                           .arg(options.version_folder, BibleVersionFolders().join(", "));
        return result;
    }
    if (!options.psalter_folder.isEmpty() && !PsalterFolders().contains(options.psalter_folder)) {
        result.error = QStringLiteral("Неизвестная папка Псалтири «%1»: допустимы %2.")
                           .arg(options.psalter_folder, PsalterFolders().join(", "));
        return result;
    }
    if (!QFileInfo(data_root).isDir()) {
        result.error = QStringLiteral("Папка данных «%1» не найдена.").arg(data_root);
        return result;
    }
    const QString version_name = !options.title.trimmed().isEmpty() ? options.title.simplified()
                                 : !bible.title.isEmpty()           ? bible.title
                                                                    : BibleVersionName(options.version_folder);
    const QString unfit = FirstUnfitCharacter(bible, version_name);
    if (!unfit.isEmpty()) {
        result.error = QStringLiteral("Текст нельзя сохранить в кодировке Windows-1251, в которой записаны файлы "
                                      "данных (%1). Выберите перевод в русской или гражданской графике; ничего не "
                                      "записано.")
                           .arg(unfit);
        return result;
    }

    std::vector<Page> pages;
    for (const BibleBookText& book : bible.books) {
        if (!TreeBibleBook(book.number))
            continue;
        pages.push_back(BookPage(book, options.version_folder, version_name));
        if (book.number == kPsalterBook && !options.psalter_folder.isEmpty())
            for (Page& page : PsalterPages(book, options.psalter_folder, version_name))
                pages.push_back(std::move(page));
        ++result.books;
        result.chapters += int(book.chapters.size());
        for (const BibleChapter& chapter : book.chapters)
            result.verses += int(chapter.verses.size());
    }
    pages.push_back(ContentsPage(bible, options.version_folder, version_name));

    for (const Page& page : pages) {
        const QString path = DataPath(data_root, page.relative);
        if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
            result.error = QStringLiteral("Не удалось создать папку «%1».").arg(QFileInfo(path).absolutePath());
            return result;
        }
        const std::optional<QByteArray> bytes = EncodeCp1251(page.lines.join("\r\n") + "\r\n");
        if (!bytes) {  // every text was checked above; the fixed parts are Cyrillic and ASCII
            result.error = QStringLiteral("Страницу «%1» нельзя записать в кодировке Windows-1251.").arg(page.relative);
            return result;
        }
        const WriteResult written = WriteFileAtomically(path, *bytes);
        if (!written.ok()) {
            result.error = QStringLiteral("Не удалось записать «%1»: %2").arg(page.relative, written.error);
            return result;
        }
        result.written << page.relative;
    }
    return result;
}

QString BibleVersionName(const QString& folder)
{
    if (folder == "b_snd")
        return QStringLiteral("Синодальный перевод");
    if (folder == "b_sgr")
        return QStringLiteral("Церковнославянский текст гражданским шрифтом");
    if (folder == "b_slv")
        return QStringLiteral("Церковнославянский текст");
    return QStringLiteral("Перевод Нового Завета еп. Кассиана (Безобразова)");
}

}  // namespace indikt
