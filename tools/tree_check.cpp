#include "tools/tree_check.h"

#include "tools/tree_names.h"

#include "texts/cp1251.h"
#include "texts/data_files.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <optional>

namespace indikt {

namespace {

// What the names of the files in one folder may be.
enum class FileNames {
    None,              // the folder holds only subfolders
    Any,               // the folder and everything below it are free
    Exact,             // one of the listed names
    MenaionFixed,      // day key, day key + weekday key, or "фев28в"; ".txt"
    DayKeyText,        // day key + ".txt"
    DayKeyWeekdayText, // day key + weekday key + ".txt"
    Distance2Text,     // "%.2d" + ".txt"
    Distance3Text,     // "%.3d" + ".txt"
    SundayMatins,      // 1.txt ... 11.txt
    TypikonSigns,      // u1.gif ... u6.gif
    HymnSet,           // folder name + ".txt", N_слав.htm, N_гражд.htm, N_рус.htm, звук.htm, видео.htm
    BibleBook,         // folder name + "01" ... "77" + ".html", or the folder name + ".html"/".htm"
    PsalterBook,       // psalm01.html ... psalm20.html, index.html
    Instructions,      // "jan01.htm" ... "dec31.htm"
    Notes,             // day key [+ year] + ".rtf" or ".doc"
    IconsRoot,         // NNВс and NN for NN 00-05, "iсо", "001"
    IconsDistance,     // "%.2d"
    IconsDayKey,       // day key
    IconsOther,        // day key + weekday key, "мар30", "мар30_1"
    IconsMovable,      // "%.2d", then "_1" ... "_5"
    IconsFixed,        // day key, then "_1" ... "_5"
};

// A folder of the tree: its path from the root, one pattern per level. A
// level is a literal name, alternatives joined by '|', or a class of names:
// <key> a day key, <keywd> a day key with a weekday key, <nn> a distance from
// Pascha "%.2d", <tone> 1-8, <daily> 1-7, <year> a four-digit year.
struct FolderRule {
    QString pattern;
    FileNames files;
    QStringList names = {};
};

// Which folders hold which files; a folder on the way to one of these holds
// only subfolders.
const std::vector<FolderRule>& FolderRules()
{
    static const std::vector<FolderRule> rules = {
        {"", FileNames::Exact,
         {"zk.ini", "sob.ini", "Памятка.txt", "Памятка.txt.bak1", "Памятка.txt.bak2", "Памятка.txt.bak3",
          "Закладки.txt", "update.ini", "Help.chm",
          "index.html", "Mini", "Mini.exe", "Events", "Events.exe", "IcoDesktop", "IcoDesktop.exe", "README.md",
          "version.txt"}},

        {"Месяцеслов/Непереходящие праздники", FileNames::MenaionFixed},
        {"Месяцеслов/Непереходящие праздники/Условие", FileNames::DayKeyText},
        {"Месяцеслов/Великие праздники/Непереходящие праздники", FileNames::DayKeyText},
        {"Месяцеслов/Великие праздники/Переходящие праздники/До Пасхи|После Пасхи", FileNames::Distance2Text},
        {"Месяцеслов/Переходящие праздники/До Пасхи|После Пасхи", FileNames::Distance2Text},
        {"Месяцеслов/Переходящие праздники/До Пасхи|После Пасхи/Условие", FileNames::Distance2Text},
        {"Месяцеслов/Переходящие праздники/Иные", FileNames::DayKeyWeekdayText},
        {"Месяцеслов/im", FileNames::TypikonSigns},

        {"Богослужение", FileNames::Exact, {"index.html"}},
        {"Богослужение/_css", FileNames::Any},
        {"Богослужение/Евангелие", FileNames::Exact,
         {"evangelie.htm", "evangelie_slav.htm", "evangelie_gragd.htm", "evangelie_rus.htm"}},
        {"Богослужение/Евангелие/Воскресные", FileNames::SundayMatins},
        {"Богослужение/Евангелие/Переходящие чтения/До Пасхи|После Пасхи/Утреня|Литургия", FileNames::Distance3Text},
        {"Богослужение/Евангелие/Переходящие чтения/Иные/Литургия", FileNames::DayKeyWeekdayText},
        {"Богослужение/Евангелие/Непереходящие чтения/Утреня|Литургия", FileNames::DayKeyText},
        {"Богослужение/Евангелие/Великие праздники/Переходящие чтения/До Пасхи|После Пасхи/Утреня|Литургия",
         FileNames::Distance3Text},
        {"Богослужение/Евангелие/Великие праздники/Непереходящие чтения/Утреня|Литургия", FileNames::DayKeyText},
        {"Богослужение/Апостол", FileNames::Exact,
         {"apostol.htm", "apostol_slav.htm", "apostol_gragd.htm", "apostol_rus.htm"}},
        {"Богослужение/Апостол/Переходящие чтения/До Пасхи|После Пасхи", FileNames::Distance3Text},
        {"Богослужение/Апостол/Переходящие чтения/Иные", FileNames::DayKeyWeekdayText},
        {"Богослужение/Апостол/Непереходящие чтения", FileNames::DayKeyText},
        {"Богослужение/Апостол/Великие праздники/Переходящие чтения/До Пасхи|После Пасхи", FileNames::Distance3Text},
        {"Богослужение/Апостол/Великие праздники/Непереходящие чтения", FileNames::DayKeyText},
        {"Богослужение/Паримии", FileNames::Exact,
         {"parimii.htm", "parimii_slav.htm", "parimii_gragd.htm", "parimii_rus.htm"}},
        {"Богослужение/Паримии/Переходящие чтения/До Пасхи|После Пасхи", FileNames::Distance3Text},
        {"Богослужение/Паримии/Переходящие чтения/Иные", FileNames::DayKeyWeekdayText},
        {"Богослужение/Паримии/Непереходящие чтения", FileNames::DayKeyText},
        {"Богослужение/Тропари и кондаки/Воскресные/<tone>", FileNames::HymnSet},
        {"Богослужение/Тропари и кондаки/Воскресные/Великим постом/<tone>", FileNames::HymnSet},
        {"Богослужение/Тропари и кондаки/Великие праздники/Переходящие праздники/До Пасхи|После Пасхи/<nn>",
         FileNames::HymnSet},
        {"Богослужение/Тропари и кондаки/Великие праздники/Непереходящие праздники/<key>", FileNames::HymnSet},
        {"Богослужение/Тропари и кондаки/Переходящие праздники/До Пасхи|После Пасхи/<nn>", FileNames::HymnSet},
        {"Богослужение/Тропари и кондаки/Переходящие праздники/Иные/<keywd>", FileNames::HymnSet},
        {"Богослужение/Тропари и кондаки/Непереходящие праздники/<key>", FileNames::HymnSet},
        {"Богослужение/Тропари и кондаки/Дневные/<daily>", FileNames::HymnSet},
        {"Богослужение/Тропари и кондаки/Звук|Видео", FileNames::Any},
        {"Богослужение/Медиа/Звук|Видео", FileNames::Any},
        {"Богослужение/Указания/<year>", FileNames::Instructions},
        {"Богослужение/Молитвослов", FileNames::Any},

        {"Библия", FileNames::Exact, {"index.html"}},
        {"Библия/b_slv|b_sgr|b_snd|b_cas", FileNames::BibleBook},
        {"Библия/psalm", FileNames::Exact, {"index.html"}},
        {"Библия/psalm/ps_sl|ps_sgr|ps_snd|ps_tmr", FileNames::PsalterBook},

        {"Жития святых/Святцы", FileNames::Any},

        {"Иконы", FileNames::IconsRoot},
        {"Иконы/Великие праздники/Переходящие праздники/До Пасхи|После Пасхи", FileNames::IconsDistance},
        {"Иконы/Великие праздники/Непереходящие праздники", FileNames::IconsDayKey},
        {"Иконы/Переходящие праздники/Иные", FileNames::IconsOther},
        {"Иконы/Переходящие праздники/До Пасхи|После Пасхи", FileNames::IconsMovable},
        {"Иконы/Непереходящие праздники", FileNames::IconsFixed},

        {"Записи", FileNames::Notes},
        {"Пасхалия", FileNames::Any},
    };
    return rules;
}

QStringList Levels(const QString& pattern)
{
    return pattern.isEmpty() ? QStringList() : pattern.split(u'/');
}

bool LevelMatches(const QString& level, const QString& name)
{
    if (level == "<key>")
        return IsDayKey(name);
    if (level == "<keywd>")
        return IsDayKeyWithWeekday(name);
    if (level == "<nn>")
        return ParsePaddedNumber(name, 2, kMaxPaschaDistance).has_value();
    if (level == "<tone>")
        return ParsePlainNumber(name, 1, 8).has_value();
    if (level == "<daily>")
        return ParsePlainNumber(name, 1, 7).has_value();
    if (level == "<year>")
        return ParsePaddedNumber(name, 4, 9999).has_value() && name.size() == 4;
    return level.split(u'|').contains(name);
}

// How the checker treats one folder.
struct FolderKind {
    enum { Unknown, Passage, Ruled, Free } kind = Unknown;
    const FolderRule* rule = nullptr;
};

FolderKind KindOfFolder(const QStringList& folder)
{
    bool on_the_way = false;
    for (const FolderRule& rule : FolderRules()) {
        const QStringList levels = Levels(rule.pattern);
        const qsizetype common = std::min(levels.size(), folder.size());
        bool matches = true;
        for (qsizetype i = 0; i < common && matches; ++i)
            matches = LevelMatches(levels[i], folder[i]);
        if (!matches)
            continue;
        if (levels.size() == folder.size())
            return {rule.files == FileNames::Any ? FolderKind::Free : FolderKind::Ruled, &rule};
        if (levels.size() < folder.size() && rule.files == FileNames::Any)
            return {FolderKind::Free, &rule};
        if (levels.size() > folder.size())
            on_the_way = true;
    }
    return {on_the_way ? FolderKind::Passage : FolderKind::Unknown, nullptr};
}

struct NameParts {
    QString stem;
    QString extension;  // without the point, as written
};

NameParts SplitName(const QString& file_name)
{
    const qsizetype point = file_name.lastIndexOf(u'.');
    if (point <= 0)
        return {file_name, QString()};
    return {file_name.first(point), file_name.sliced(point + 1)};
}

bool IsNumberedName(QStringView stem, bool (*base_matches)(QStringView))
{
    if (base_matches(stem))
        return true;
    const qsizetype underscore = stem.lastIndexOf(u'_');
    return underscore > 0 && base_matches(stem.first(underscore)) &&
           ParsePlainNumber(stem.sliced(underscore + 1), 1, 5).has_value();
}

bool IsDistance2(QStringView stem)
{
    return ParsePaddedNumber(stem, 2, kMaxPaschaDistance).has_value();
}

bool IsDayKeyView(QStringView stem)
{
    return IsDayKey(stem);
}

bool IconStemAllowed(FileNames files, const QString& stem)
{
    switch (files) {
    case FileNames::IconsRoot: {
        const QString sunday = QStringLiteral("Вс");
        const QStringView number = stem.endsWith(sunday) ? QStringView(stem).chopped(sunday.size()) : QStringView(stem);
        return ParsePaddedNumber(number, 2, 5).has_value() || stem == "iсо" || stem == "001";
    }
    case FileNames::IconsDistance:
        return IsDistance2(stem);
    case FileNames::IconsDayKey:
        return IsDayKey(stem);
    case FileNames::IconsOther:
        return IsDayKeyWithWeekday(stem) || stem == "мар30" || stem == "мар30_1";
    case FileNames::IconsMovable:
        return IsNumberedName(stem, IsDistance2);
    case FileNames::IconsFixed:
        return IsNumberedName(stem, IsDayKeyView);
    default:
        return false;
    }
}

// An icon "X.jpg", its large version "а_X.jpg" (Cyrillic а) and its caption "X.txt".
QString IconNameProblem(FileNames files, const QString& file_name)
{
    const NameParts parts = SplitName(file_name);
    QString stem = parts.stem;
    const QString large_prefix = QStringLiteral("а_");
    if (parts.extension == "jpg" && stem.startsWith(large_prefix))
        stem = stem.sliced(large_prefix.size());
    if ((parts.extension != "jpg" && parts.extension != "txt") || !IconStemAllowed(files, stem))
        return QStringLiteral("not an icon name of this folder");
    return {};
}

QString HymnSetNameProblem(const QString& file_name, const QString& folder_name)
{
    if (file_name == folder_name + ".txt" || file_name == "звук.htm" || file_name == "видео.htm")
        return {};
    static const QRegularExpression hymn(QStringLiteral("^([1-9][0-9]*)_(слав|гражд|рус)\\.htm$"));
    if (hymn.match(file_name).hasMatch())
        return {};
    return QStringLiteral("not a file of a hymn set (\"%1.txt\", N_слав.htm, N_гражд.htm, N_рус.htm, звук.htm, видео.htm)")
        .arg(folder_name);
}

QString BibleBookNameProblem(const QString& file_name, const QString& folder_name)
{
    const NameParts parts = SplitName(file_name);
    if (!parts.stem.startsWith(folder_name))
        return QStringLiteral("a book file name begins with \"%1\"").arg(folder_name);
    const QString number = parts.stem.sliced(folder_name.size());
    if (number.isEmpty() && (parts.extension == "html" || parts.extension == "htm"))
        return {};
    if (ParsePaddedNumber(number, 2, 77).value_or(0) >= 1 && parts.extension == "html")
        return {};
    return QStringLiteral("not a book of the Bible: \"%1\" + 01 to 77 + \".html\"").arg(folder_name);
}

QString FileNameProblem(const FolderRule& rule, const QString& file_name, const QString& folder_name)
{
    const NameParts parts = SplitName(file_name);
    const bool text = parts.extension == "txt";
    switch (rule.files) {
    case FileNames::None:
        return QStringLiteral("no file belongs in this folder");
    case FileNames::Any:
        return {};
    case FileNames::Exact:
        return rule.names.contains(file_name) ? QString() : QStringLiteral("not a file of this folder");
    case FileNames::MenaionFixed:
        return text && (IsDayKey(parts.stem) || IsDayKeyWithWeekday(parts.stem) || parts.stem == "фев28в")
                   ? QString()
                   : QStringLiteral("not a day key, day key + weekday key or \"фев28в\" with \".txt\"");
    case FileNames::DayKeyText:
        return text && IsDayKey(parts.stem) ? QString() : QStringLiteral("not a day key with \".txt\"");
    case FileNames::DayKeyWeekdayText:
        return text && IsDayKeyWithWeekday(parts.stem) ? QString()
                                                       : QStringLiteral("not a day key + weekday key with \".txt\"");
    case FileNames::Distance2Text:
        return text && IsDistance2(parts.stem) ? QString()
                                               : QStringLiteral("not a day count from Pascha \"%.2d\" with \".txt\"");
    case FileNames::Distance3Text:
        return text && ParsePaddedNumber(parts.stem, 3, kMaxPaschaDistance)
                   ? QString()
                   : QStringLiteral("not a day count from Pascha \"%.3d\" with \".txt\"");
    case FileNames::SundayMatins:
        return text && ParsePlainNumber(parts.stem, 1, 11) ? QString()
                                                            : QStringLiteral("not a Sunday matins number 1 to 11 with \".txt\"");
    case FileNames::TypikonSigns:
        return parts.extension == "gif" && parts.stem.size() == 2 && parts.stem.front() == u'u' &&
                       ParsePlainNumber(parts.stem.sliced(1), 1, 6)
                   ? QString()
                   : QStringLiteral("not a Typikon sign u1.gif to u6.gif");
    case FileNames::HymnSet:
        return HymnSetNameProblem(file_name, folder_name);
    case FileNames::BibleBook:
        return BibleBookNameProblem(file_name, folder_name);
    case FileNames::PsalterBook: {
        const bool kathisma = parts.extension == "html" && parts.stem.startsWith("psalm") &&
                              ParsePaddedNumber(parts.stem.sliced(5), 2, 20).value_or(0) >= 1;
        return kathisma || file_name == "index.html" ? QString()
                                                      : QStringLiteral("not a kathisma psalm01.html to psalm20.html");
    }
    case FileNames::Instructions: {
        static const QRegularExpression day(
            QStringLiteral("^(jan|feb|mar|apr|may|jun|jul|aug|sep|oct|nov|dec)(0[1-9]|[12][0-9]|3[01])\\.htm$"));
        return day.match(file_name).hasMatch() ? QString()
                                               : QStringLiteral("not an English month abbreviation + two-digit day + \".htm\"");
    }
    case FileNames::Notes: {
        const bool note_extension = parts.extension == "rtf" || parts.extension == "doc";
        const bool yearly = parts.stem.size() == 5 && IsDayKey(parts.stem);
        const bool one_time = parts.stem.size() > 5 && IsDayKey(QStringView(parts.stem).first(5)) &&
                              ParsePlainNumber(QStringView(parts.stem).sliced(5), 1, 9999);
        return note_extension && (yearly || one_time)
                   ? QString()
                   : QStringLiteral("not a note name: day key [+ year] with \".rtf\" or \".doc\"");
    }
    case FileNames::IconsRoot:
    case FileNames::IconsDistance:
    case FileNames::IconsDayKey:
    case FileNames::IconsOther:
    case FileNames::IconsMovable:
    case FileNames::IconsFixed:
        return IconNameProblem(rule.files, file_name);
    }
    return {};
}

bool IsTextFile(const QString& file_name)
{
    static const QStringList extensions = {"txt", "htm", "html", "css", "ini"};
    return extensions.contains(SplitName(file_name).extension.toLower());
}

// The first fault of the bytes as a Windows-1251 text with CR LF line ends.
QString TextProblem(const QByteArray& bytes)
{
    if (bytes.contains('\0'))
        return QStringLiteral("holds a NUL byte: not a text");
    if (LooksLikeUtf8(bytes))
        return QStringLiteral("is UTF-8, not Windows-1251");
    const qsizetype undefined = bytes.indexOf('\x98');
    if (undefined >= 0)
        return QStringLiteral("byte 0x98 at offset %1 has no character in Windows-1251").arg(undefined);
    int line = 1;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const bool cr = bytes[i] == '\r';
        const bool lf = bytes[i] == '\n';
        if (cr && (i + 1 == bytes.size() || bytes[i + 1] != '\n'))
            return QStringLiteral("line %1 ends with a bare CR").arg(line);
        if (lf && (i == 0 || bytes[i - 1] != '\r'))
            return QStringLiteral("line %1 ends with a bare LF").arg(line);
        if (lf)
            ++line;
    }
    return {};
}

struct MarkupLink {
    QString title;
    QString target;
};

struct Markup {
    std::vector<MarkupLink> links;
    QString error;  // the first bracket that is not a whole link
};

// "[" title "=" target "]", scanned left to right as the pane builders do.
Markup ParseMarkup(const QString& text)
{
    Markup markup;
    qsizetype from = 0;
    while (true) {
        const qsizetype open = text.indexOf(u'[', from);
        if (open < 0)
            return markup;
        const qsizetype equals = text.indexOf(u'=', open);
        const qsizetype close = text.indexOf(u']', open);
        if (equals < 0 || close < 0 || close < equals) {
            markup.error = QStringLiteral("link markup \"%1\" is not [title=target]").arg(text.mid(open, 40));
            return markup;
        }
        markup.links.push_back({text.mid(open + 1, equals - open - 1), text.mid(equals + 1, close - equals - 1).trimmed()});
        from = close + 1;
    }
}

enum class TextRole { Other, MenaionRecord, MenaionTitle, Reading };

struct Book {
    QString folder;
    QStringList pages;
};

const std::vector<Book>& ReadingBooks()
{
    static const std::vector<Book> books = {
        {"Богослужение/Евангелие", {"evangelie.htm", "evangelie_slav.htm", "evangelie_gragd.htm", "evangelie_rus.htm"}},
        {"Богослужение/Апостол", {"apostol.htm", "apostol_slav.htm", "apostol_gragd.htm", "apostol_rus.htm"}},
        {"Богослужение/Паримии", {"parimii.htm", "parimii_slav.htm", "parimii_gragd.htm", "parimii_rus.htm"}},
    };
    return books;
}

const Book* ReadingBookOf(const QString& relative_path)
{
    for (const Book& book : ReadingBooks())
        if (relative_path.startsWith(book.folder + u'/') && relative_path.indexOf(u'/', book.folder.size() + 1) > 0)
            return &book;
    return nullptr;
}

TextRole RoleOf(const QString& relative_path)
{
    if (!relative_path.endsWith(".txt"))
        return TextRole::Other;
    if (relative_path.startsWith("Месяцеслов/Великие праздники/"))
        return TextRole::MenaionTitle;
    if (relative_path.startsWith("Месяцеслов/Непереходящие праздники/") ||
        relative_path.startsWith("Месяцеслов/Переходящие праздники/"))
        return TextRole::MenaionRecord;
    if (ReadingBookOf(relative_path) != nullptr)
        return TextRole::Reading;
    return TextRole::Other;
}

class TreeChecker {
public:
    explicit TreeChecker(QString root) : root_(QDir(root).absolutePath() + u'/') {}

    std::vector<TreeProblem> Run()
    {
        if (!QFileInfo(root_).isDir()) {
            Report(".", QStringLiteral("the data tree's folder does not exist"));
            return problems_;
        }
        WalkFolder({}, KindOfFolder({}));
        std::stable_sort(problems_.begin(), problems_.end(),
                         [](const TreeProblem& a, const TreeProblem& b) { return a.path < b.path; });
        return problems_;
    }

private:
    void Report(const QString& path, const QString& text) { problems_.push_back({path, text}); }

    QString Absolute(const QString& relative) const { return root_ + relative; }

    static QString Joined(const QStringList& folder, const QString& name)
    {
        return folder.isEmpty() ? name : folder.join(u'/') + u'/' + name;
    }

    void WalkFolder(const QStringList& folder, FolderKind kind)
    {
        const QDir dir(Absolute(folder.join(u'/')));
        const QFileInfoList entries = dir.entryInfoList(QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot | QDir::System,
                                                        QDir::Name);
        for (const QFileInfo& entry : entries) {
            const QString name = entry.fileName();
            const QString relative = Joined(folder, name);
            if (entry.isDir()) {
                QStringList child = folder;
                child.append(name);
                const FolderKind child_kind = kind.kind == FolderKind::Free ? kind : KindOfFolder(child);
                if (child_kind.kind == FolderKind::Unknown)
                    Report(relative, QStringLiteral("folder is not part of the data tree"));
                else
                    WalkFolder(child, child_kind);
                continue;
            }
            CheckFile(folder, kind, name, relative);
        }
        if (kind.kind == FolderKind::Ruled && kind.rule->files == FileNames::HymnSet)
            CheckHymnContents(folder);
    }

    void CheckFile(const QStringList& folder, FolderKind kind, const QString& name, const QString& relative)
    {
        const QString folder_name = folder.isEmpty() ? QString() : folder.back();
        if (kind.kind == FolderKind::Passage)
            Report(relative, QStringLiteral("no file belongs in this folder"));
        else if (kind.kind == FolderKind::Ruled) {
            const QString problem = FileNameProblem(*kind.rule, name, folder_name);
            if (!problem.isEmpty())
                Report(relative, problem);
        }

        if (name.endsWith(".jpg")) {
            CheckJpeg(relative);
            return;
        }
        if (!IsTextFile(name))
            return;
        const std::optional<QByteArray> bytes = ReadFileBytes(Absolute(relative), kMaxDataFileBytes);
        if (!bytes) {
            Report(relative, QStringLiteral("cannot be read"));
            return;
        }
        const QString text_problem = TextProblem(*bytes);
        if (!text_problem.isEmpty())
            Report(relative, text_problem);
        const QString text = DecodeFileText(*bytes);
        if (name.endsWith(".htm") || name.endsWith(".html")) {
            if (!bytes->toLower().contains("charset=windows-1251"))
                Report(relative, QStringLiteral("does not declare charset=windows-1251"));
            CheckPageLinks(relative, text);
        }
        CheckContent(relative, text);
    }

    void CheckJpeg(const QString& relative)
    {
        const std::optional<QByteArray> bytes = ReadFileBytes(Absolute(relative), kMaxDataFileBytes);
        if (!bytes || !bytes->startsWith("\xFF\xD8\xFF"))
            Report(relative, QStringLiteral("is not a JPEG picture"));
    }

    void CheckContent(const QString& relative, const QString& text)
    {
        const TextRole role = RoleOf(relative);
        if (role == TextRole::Other)
            return;
        if (role == TextRole::MenaionRecord)
            CheckRecordFields(relative);
        if (role == TextRole::MenaionTitle && ReadSingleLine(Absolute(relative)).isEmpty())
            Report(relative, QStringLiteral("the title line is empty"));
        const Markup markup = ParseMarkup(text);
        if (!markup.error.isEmpty())
            Report(relative, markup.error);
        for (const MarkupLink& link : markup.links) {
            if (role == TextRole::Reading)
                CheckReadingLink(relative, *ReadingBookOf(relative), link);
            else
                CheckLivesLink(relative, link);
        }
    }

    void CheckRecordFields(const QString& relative)
    {
        const DataRecord record = ReadRecord(Absolute(relative));
        if (record.first.isEmpty())
            Report(relative, QStringLiteral("record field 1 (the title, line 1) is empty"));
        if (record.second.isEmpty())
            Report(relative, QStringLiteral("record field 2 (line 2) is empty"));
        if (record.third.isEmpty())
            Report(relative, QStringLiteral("record field 3 (the text, line 3 on) is empty"));
    }

    void CheckReadingLink(const QString& relative, const Book& book, const MarkupLink& link)
    {
        bool any_page = false;
        for (const QString& page : book.pages) {
            const QString page_path = book.folder + u'/' + page;
            const std::optional<QSet<QString>>& anchors = AnchorsOf(page_path);
            if (!anchors)
                continue;
            any_page = true;
            if (!anchors->contains(link.target))
                Report(relative, QStringLiteral("reading link [%1=%2]: no anchor \"%2\" in %3")
                                     .arg(link.title, link.target, page_path));
        }
        if (!any_page)
            Report(relative, QStringLiteral("reading link [%1=%2]: none of the pages %3/%4 exists")
                                 .arg(link.title, link.target, book.folder, book.pages.join(", ")));
    }

    // A Menaion link names a page of the lives, "Жития святых\Святцы\" + key,
    // with an optional anchor after '#'.
    void CheckLivesLink(const QString& relative, const MarkupLink& link)
    {
        QString key = link.target;
        key.replace(u'\\', u'/');
        const qsizetype hash = key.indexOf(u'#');
        const QString page_path = "Жития святых/Святцы/" + (hash >= 0 ? key.first(hash) : key);
        const std::optional<QSet<QString>>& anchors = AnchorsOf(page_path);
        if (!anchors)
            Report(relative, QStringLiteral("link [%1=%2]: the page %3 does not exist").arg(link.title, link.target, page_path));
        else if (hash >= 0 && !anchors->contains(key.sliced(hash + 1)))
            Report(relative, QStringLiteral("link [%1=%2]: no anchor \"%3\" in %4")
                                 .arg(link.title, link.target, key.sliced(hash + 1), page_path));
    }

    // Every href and src of a page of the tree names a file of the tree, and an
    // anchor of that page when it has a '#'. Addresses with a scheme lead out of
    // the tree and are not followed.
    void CheckPageLinks(const QString& relative, const QString& text)
    {
        static const QRegularExpression attribute(
            QStringLiteral("\\b(?:href|src)\\s*=\\s*(?:\"([^\"]*)\"|'([^']*)')"),
            QRegularExpression::CaseInsensitiveOption);
        static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*:"));
        const qsizetype slash = relative.lastIndexOf(u'/');
        const QString folder = slash < 0 ? QString() : relative.first(slash);
        for (auto it = attribute.globalMatch(text); it.hasNext();) {
            const QRegularExpressionMatch match = it.next();
            const QString target = (match.capturedLength(1) > 0 ? match.captured(1) : match.captured(2)).trimmed();
            if (target.isEmpty() || scheme.match(target).hasMatch())
                continue;
            const qsizetype hash = target.indexOf(u'#');
            QString path = hash < 0 ? target : target.first(hash);
            const QString anchor = hash < 0 ? QString() : target.sliced(hash + 1);
            path.replace(u'\\', u'/');
            QString resolved = relative;
            if (!path.isEmpty()) {
                resolved = QDir::cleanPath(folder.isEmpty() ? path : folder + u'/' + path);
                if (path.startsWith(u'/') || resolved == ".." || resolved.startsWith("../")) {
                    Report(relative, QStringLiteral("link \"%1\" leaves the data tree").arg(target));
                    continue;
                }
                if (!QFileInfo(Absolute(resolved)).isFile()) {
                    Report(relative, QStringLiteral("link \"%1\": the file %2 does not exist").arg(target, resolved));
                    continue;
                }
            }
            if (anchor.isEmpty() || !(resolved.endsWith(".htm") || resolved.endsWith(".html")))
                continue;
            const std::optional<QSet<QString>>& anchors = AnchorsOf(resolved);
            if (anchors && !anchors->contains(anchor))
                Report(relative, QStringLiteral("link \"%1\": no anchor \"%2\" in %3").arg(target, anchor, resolved));
        }
    }

    // The names and ids of a page; nothing when the page is missing. Read
    // once per page, since thousands of readings point into the same books.
    const std::optional<QSet<QString>>& AnchorsOf(const QString& page_path)
    {
        const auto found = anchors_.constFind(page_path);
        if (found != anchors_.constEnd())
            return *found;
        std::optional<QSet<QString>> anchors;
        if (QFileInfo(Absolute(page_path)).isFile()) {
            anchors.emplace();
            static const QRegularExpression attribute(
                QStringLiteral("\\b(?:name|id)\\s*=\\s*(?:\"([^\"]*)\"|'([^']*)'|([^\\s>]+))"),
                QRegularExpression::CaseInsensitiveOption);
            const QString text = ReadTextFile(Absolute(page_path));
            for (auto it = attribute.globalMatch(text); it.hasNext();) {
                const QRegularExpressionMatch match = it.next();
                for (int group = 1; group <= 3; ++group)
                    if (match.capturedLength(group) > 0)
                        anchors->insert(match.captured(group));
            }
        }
        return *anchors_.insert(page_path, std::move(anchors));
    }

    // A hymn set lists its hymns in the contents file named after the folder;
    // every hymn page needs its line there.
    void CheckHymnContents(const QStringList& folder)
    {
        const QString folder_path = folder.join(u'/');
        const QString contents = folder_path + u'/' + folder.back() + ".txt";
        const QDir dir(Absolute(folder_path));
        const QStringList pages = dir.entryList({"*_слав.htm", "*_гражд.htm", "*_рус.htm"}, QDir::Files, QDir::Name);
        if (!QFileInfo(Absolute(contents)).isFile()) {
            if (!pages.isEmpty())
                Report(folder_path, QStringLiteral("the contents file %1.txt of the hymn set is missing").arg(folder.back()));
            return;
        }
        QString titles_text = ReadTextFile(Absolute(contents));
        if (titles_text.endsWith("\r\n"))
            titles_text.chop(2);
        const qsizetype titles = titles_text.split("\r\n").size();
        for (const QString& page : pages) {
            const int number = page.first(page.indexOf(u'_')).toInt();
            if (number > titles)
                Report(folder_path + u'/' + page,
                       QStringLiteral("hymn %1 has no title line in %2.txt").arg(number).arg(folder.back()));
        }
    }

    QString root_;
    std::vector<TreeProblem> problems_;
    QHash<QString, std::optional<QSet<QString>>> anchors_;
};

}  // namespace

std::vector<TreeProblem> CheckTree(const QString& root)
{
    return TreeChecker(root).Run();
}

}  // namespace indikt
