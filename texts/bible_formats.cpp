#include "bible_formats.h"

#include <QXmlStreamReader>

#include <map>

namespace indikt {

namespace {

struct BookCodes {
    int number;
    const char* osis;
    const char* usfx;
    int zefania;  // the number Zefania XML gives the book, 0 when it has none of its own
};

// The identifiers of each book of the tree in the three formats. Zefania
// numbers the books of the Protestant canon 1-66; the others are found by name.
constexpr BookCodes kBookCodes[] = {
    {1, "Gen", "GEN", 1},      {2, "Exod", "EXO", 2},     {3, "Lev", "LEV", 3},      {4, "Num", "NUM", 4},
    {5, "Deut", "DEU", 5},     {6, "Josh", "JOS", 6},     {7, "Judg", "JDG", 7},     {8, "Ruth", "RUT", 8},
    {9, "1Sam", "1SA", 9},     {10, "2Sam", "2SA", 10},   {11, "1Kgs", "1KI", 11},   {12, "2Kgs", "2KI", 12},
    {13, "1Chr", "1CH", 13},   {14, "2Chr", "2CH", 14},   {15, "Ezra", "EZR", 15},   {16, "Neh", "NEH", 16},
    {17, "1Esd", "1ES", 0},    {18, "Tob", "TOB", 0},     {19, "Jdt", "JDT", 0},     {20, "Esth", "EST", 17},
    {21, "Job", "JOB", 18},    {22, "Ps", "PSA", 19},     {23, "Prov", "PRO", 20},   {24, "Eccl", "ECC", 21},
    {25, "Song", "SNG", 22},   {26, "Wis", "WIS", 0},     {27, "Sir", "SIR", 0},     {28, "Isa", "ISA", 23},
    {29, "Jer", "JER", 24},    {30, "Lam", "LAM", 25},    {31, "EpJer", "LJE", 0},   {32, "Bar", "BAR", 0},
    {33, "Ezek", "EZK", 26},   {34, "Dan", "DAN", 27},    {35, "Hos", "HOS", 28},    {36, "Joel", "JOL", 29},
    {37, "Amos", "AMO", 30},   {38, "Obad", "OBA", 31},   {39, "Jonah", "JON", 32},  {40, "Mic", "MIC", 33},
    {41, "Nah", "NAM", 34},    {42, "Hab", "HAB", 35},    {43, "Zeph", "ZEP", 36},   {44, "Hag", "HAG", 37},
    {45, "Zech", "ZEC", 38},   {46, "Mal", "MAL", 39},    {47, "1Macc", "1MA", 0},   {48, "2Macc", "2MA", 0},
    {49, "3Macc", "3MA", 0},   {50, "2Esd", "2ES", 0},    {51, "Matt", "MAT", 40},   {52, "Mark", "MRK", 41},
    {53, "Luke", "LUK", 42},   {54, "John", "JHN", 43},   {55, "Acts", "ACT", 44},   {56, "Jas", "JAS", 59},
    {57, "1Pet", "1PE", 60},   {58, "2Pet", "2PE", 61},   {59, "1John", "1JN", 62},  {60, "2John", "2JN", 63},
    {61, "3John", "3JN", 64},  {62, "Jude", "JUD", 65},   {63, "Rom", "ROM", 45},    {64, "1Cor", "1CO", 46},
    {65, "2Cor", "2CO", 47},   {66, "Gal", "GAL", 48},    {67, "Eph", "EPH", 49},    {68, "Phil", "PHP", 50},
    {69, "Col", "COL", 51},    {70, "1Thess", "1TH", 52}, {71, "2Thess", "2TH", 53}, {72, "1Tim", "1TI", 54},
    {73, "2Tim", "2TI", 55},   {74, "Titus", "TIT", 56},  {75, "Phlm", "PHM", 57},   {76, "Heb", "HEB", 58},
    {77, "Rev", "REV", 66},
};

// Other identifiers in use for the same books.
struct Alias {
    const char* code;
    int number;
};
constexpr Alias kAliases[] = {
    {"Pss", 22}, {"Psa", 22}, {"Psalm", 22}, {"Psalms", 22}, {"EsthGr", 20}, {"AddEsth", 20}, {"ESG", 20},
    {"DanGr", 34}, {"DAG", 34}, {"AddDan", 34}, {"Sus", 34}, {"Bel", 34}, {"PrAzar", 34}, {"1Esdr", 17},
    {"2Esdr", 50}, {"4Ezra", 50}, {"Tobit", 18}, {"Judith", 19}, {"Sirach", 27}, {"Ecclus", 27},
    {"Wisd", 26}, {"LetJer", 31}, {"Jdg", 7}, {"Phm", 75}, {"Jn", 54}, {"Mt", 51}, {"Mk", 52}, {"Lk", 53},
};

// Russian and English names of the books Zefania numbers only by name.
struct NamedBook {
    const char* words;  // lower case, UTF-8; every word must occur in the name
    int number;
};
constexpr NamedBook kNamedBooks[] = {
    {"послание иерем", 31}, {"letter of jeremiah", 31}, {"epistle of jeremiah", 31},
    {"товит", 18}, {"tobit", 18}, {"tobias", 18}, {"иудиф", 19}, {"judith", 19},
    {"премудрост соломон", 26}, {"wisdom", 26}, {"сирах", 27}, {"sirach", 27}, {"ecclesiasticus", 27},
    {"варух", 32}, {"baruch", 32},
    {"1 макк", 47}, {"первая макк", 47}, {"1 macc", 47}, {"i macc", 47},
    {"2 макк", 48}, {"вторая макк", 48}, {"2 macc", 48}, {"ii macc", 48},
    {"3 макк", 49}, {"третья макк", 49}, {"3 macc", 49}, {"iii macc", 49},
    {"2 ездр", 17}, {"вторая ездр", 17}, {"1 esdras", 17}, {"i esdras", 17},
    {"3 ездр", 50}, {"третья ездр", 50}, {"2 esdras", 50}, {"ii esdras", 50}, {"4 ezra", 50},
};

// Zefania's numbers of the first deuterocanonical books, used when the name says nothing.
constexpr Alias kZefaniaDeuterocanon[] = {
    {"67", 19}, {"68", 26}, {"69", 18}, {"70", 27}, {"71", 32}, {"72", 47}, {"73", 48},
};

int ZefaniaBookNumber(int bnumber, const QString& short_name, const QString& name)
{
    if (bnumber >= 1 && bnumber <= 66)
        for (const BookCodes& codes : kBookCodes)
            if (codes.zefania == bnumber)
                return codes.number;
    if (const int by_code = TreeBookNumberOfCode(short_name))
        return by_code;
    const QString lower = name.toLower().simplified();
    for (const NamedBook& named : kNamedBooks) {
        bool all = true;
        for (const QString& word : QString::fromUtf8(named.words).split(u' '))
            all = all && lower.contains(word);
        if (all)
            return named.number;
    }
    for (const Alias& alias : kZefaniaDeuterocanon)
        if (QString::number(bnumber) == QLatin1String(alias.code))
            return alias.number;
    return 0;
}

// "Gen.1.1", "KJV:Gen.1.1", "Gen.1.1 Gen.1.2", "Gen.1.1-Gen.1.3": the first reference.
struct OsisRef {
    QString book;
    int chapter = 0;
    int verse = 0;
};

std::optional<OsisRef> ParseOsisRef(QStringView id)
{
    id = id.trimmed();
    const qsizetype blank = id.indexOf(u' ');
    if (blank >= 0)
        id = id.first(blank);
    const qsizetype dash = id.indexOf(u'-');
    if (dash >= 0)
        id = id.first(dash);
    const qsizetype colon = id.indexOf(u':');
    if (colon >= 0)
        id = id.sliced(colon + 1);
    const QList<QStringView> parts = id.split(u'.');
    if (parts.size() < 2)
        return std::nullopt;
    OsisRef ref;
    ref.book = parts[0].toString();
    bool ok = false;
    ref.chapter = parts[1].toInt(&ok);
    if (!ok)
        return std::nullopt;
    if (parts.size() >= 3) {
        ref.verse = parts[2].toInt(&ok);
        if (!ok)
            return std::nullopt;
    }
    return ref;
}

// The leading number of "5", "5-6", "5a": 0 when there is none.
int LeadingNumber(QStringView text)
{
    text = text.trimmed();
    qsizetype digits = 0;
    while (digits < text.size() && digits < 6 && text[digits].isDigit())
        ++digits;
    return digits == 0 ? 0 : text.first(digits).toInt();
}

// Gathers the verses of one file within the caps.
class VerseCollector {
public:
    // Starts a verse; a verse already open is closed first.
    void begin(int book, const QString& source_name, int chapter, int verse)
    {
        end();
        if (book == 0) {
            if (!source_name.isEmpty() && !skipped_.contains(source_name))
                skipped_.append(source_name);
            return;
        }
        if (chapter < 1 || chapter > kMaxBibleChapter || verse < 1 || verse > kMaxBibleVerse)
            return;
        QString& text = books_[book].chapters[chapter][verse];
        if (text.isNull()) {
            text = QStringLiteral("");
            if (++verses_ > kMaxBibleVerses)
                error_ = QStringLiteral("В файле больше %1 стихов: это не Библия или файл поврежден.").arg(kMaxBibleVerses);
        }
        if (books_[book].source_name.isEmpty())
            books_[book].source_name = source_name;
        open_ = &text;
        open_name_ = QStringLiteral("%1 %2:%3").arg(source_name).arg(chapter).arg(verse);
    }

    void end() { open_ = nullptr; }
    bool isOpen() const { return open_ != nullptr; }

    void append(QStringView characters)
    {
        if (open_ == nullptr || !error_.isEmpty())
            return;
        if (open_->size() + characters.size() > kMaxBibleVerseChars) {
            error_ = QStringLiteral("Стих %1 длиннее %2 знаков: вероятно, в файле не закрыт стих.")
                         .arg(open_name_)
                         .arg(kMaxBibleVerseChars);
            return;
        }
        open_->append(characters);
    }

    const QString& error() const { return error_; }

    Bible finish(BibleFormat format, const QString& title)
    {
        end();
        Bible bible;
        bible.format = format;
        bible.title = title.simplified();
        bible.skipped_books = skipped_;
        for (auto& [number, book] : books_) {
            BibleBookText out;
            out.number = number;
            out.source_name = book.source_name;
            for (auto& [chapter_number, verses] : book.chapters) {
                BibleChapter chapter;
                chapter.number = chapter_number;
                for (auto& [verse_number, text] : verses) {
                    const QString simple = text.simplified();
                    if (!simple.isEmpty())
                        chapter.verses.push_back({verse_number, simple});
                }
                if (!chapter.verses.empty())
                    out.chapters.push_back(std::move(chapter));
            }
            if (!out.chapters.empty())
                bible.books.push_back(std::move(out));
        }
        return bible;
    }

private:
    struct Book {
        QString source_name;
        std::map<int, std::map<int, QString>> chapters;
    };
    std::map<int, Book> books_;
    QStringList skipped_;
    QString* open_ = nullptr;
    QString open_name_;
    int verses_ = 0;
    QString error_;
};

bool NameIs(const QXmlStreamReader& xml, const char* name)
{
    return xml.name().compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
}

bool NameIn(const QXmlStreamReader& xml, std::initializer_list<const char*> names)
{
    for (const char* name : names)
        if (NameIs(xml, name))
            return true;
    return false;
}

QString Attribute(const QXmlStreamReader& xml, const char* name)
{
    for (const QXmlStreamAttribute& attribute : xml.attributes())
        if (attribute.name().compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return attribute.value().toString();
    return {};
}

// Elements whose text is not the text of the verses: notes, headings,
// cross-references, alternative readings.
bool IsOsisSkipped(const QXmlStreamReader& xml)
{
    return NameIn(xml, {"note", "title", "rdg", "figure", "reference", "catchWord"});
}

bool IsUsfxSkipped(const QXmlStreamReader& xml)
{
    return NameIn(xml, {"f", "x", "fe", "h", "toc", "id", "ide", "rem", "s", "ms", "mt", "mr", "sr", "r", "fig",
                        "periph", "cl", "cp", "ca", "va", "vp", "rq", "languageCode"});
}

bool IsZefaniaSkipped(const QXmlStreamReader& xml)
{
    return NameIn(xml, {"NOTE", "XREF", "CAPTION", "REMARK", "PROLOG", "INFORMATION", "MEDIA"});
}

// Elements that separate words without a blank in the text: lines and paragraphs.
bool IsBreak(const QXmlStreamReader& xml)
{
    return NameIn(xml, {"lb", "l", "p", "q", "q1", "q2", "br", "lg", "div", "milestone"});
}

QString XmlError(const QXmlStreamReader& xml)
{
    QString reason = xml.errorString();
    while (reason.endsWith(u'.'))
        reason.chop(1);
    return QStringLiteral("Файл не является правильным XML (строка %1): %2.").arg(xml.lineNumber()).arg(reason);
}

struct ReadState {
    QXmlStreamReader xml;
    VerseCollector verses;
    int skip_depth = 0;  // > 0 inside a skipped element
};

// The common walk: skipped elements are counted, breaks become blanks, text
// goes to the open verse. `on_start` and `on_end` see every element outside
// the skipped ones.
template <typename OnStart, typename OnEnd, typename IsSkipped>
void Walk(ReadState& state, OnStart on_start, OnEnd on_end, IsSkipped is_skipped)
{
    QXmlStreamReader& xml = state.xml;
    while (!xml.atEnd() && state.verses.error().isEmpty()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement:
            if (state.skip_depth > 0 || is_skipped(xml)) {
                ++state.skip_depth;
                break;
            }
            if (IsBreak(xml))
                state.verses.append(u" ");
            on_start(xml);
            break;
        case QXmlStreamReader::EndElement:
            if (state.skip_depth > 0) {
                --state.skip_depth;
                break;
            }
            if (IsBreak(xml))
                state.verses.append(u" ");
            on_end(xml);
            break;
        case QXmlStreamReader::Characters:
            if (state.skip_depth == 0)
                state.verses.append(xml.text());
            break;
        default:
            break;
        }
    }
}

void ReadOsis(ReadState& state, QString& title)
{
    // A milestone verse (sID) is an empty element: its own end tag does not end it.
    bool milestone_start = false;
    auto on_start = [&](QXmlStreamReader& xml) {
        if (NameIs(xml, "header")) {
            // The title of the translation; the rest of the header is not text.
            while (!xml.atEnd()) {
                const QXmlStreamReader::TokenType token = xml.readNext();
                if (token == QXmlStreamReader::StartElement && NameIs(xml, "title") && title.isEmpty())
                    title = xml.readElementText(QXmlStreamReader::IncludeChildElements);
                else if (token == QXmlStreamReader::EndElement && NameIs(xml, "header"))
                    break;
            }
            return;
        }
        if (!NameIs(xml, "verse"))
            return;
        // A milestone verse ends at the element that carries its eID.
        if (!Attribute(xml, "eID").isEmpty()) {
            state.verses.end();
            return;
        }
        milestone_start = !Attribute(xml, "sID").isEmpty();
        const QString osis_id = Attribute(xml, "osisID");
        const std::optional<OsisRef> ref = ParseOsisRef(osis_id.isEmpty() ? Attribute(xml, "sID") : osis_id);
        if (!ref || ref->verse == 0) {
            state.verses.end();
            return;
        }
        state.verses.begin(TreeBookNumberOfCode(ref->book), ref->book, ref->chapter, ref->verse);
    };
    auto on_end = [&](QXmlStreamReader& xml) {
        if (NameIs(xml, "verse") && milestone_start)
            milestone_start = false;
        else if (NameIn(xml, {"verse", "chapter"}))
            state.verses.end();
    };
    Walk(state, on_start, on_end, [](QXmlStreamReader& xml) { return IsOsisSkipped(xml); });
}

void ReadUsfx(ReadState& state)
{
    int book = 0;
    QString book_name;
    int chapter = 0;
    auto on_start = [&](QXmlStreamReader& xml) {
        if (NameIs(xml, "book")) {
            state.verses.end();
            book_name = Attribute(xml, "id");
            book = TreeBookNumberOfCode(book_name);
            chapter = 0;
        } else if (NameIs(xml, "c")) {
            state.verses.end();
            chapter = LeadingNumber(Attribute(xml, "id"));
        } else if (NameIs(xml, "v")) {
            state.verses.begin(book, book_name, chapter, LeadingNumber(Attribute(xml, "id")));
        } else if (NameIs(xml, "ve")) {
            state.verses.end();
        }
    };
    auto on_end = [&](QXmlStreamReader& xml) {
        if (NameIs(xml, "book"))
            state.verses.end();
    };
    Walk(state, on_start, on_end, [](QXmlStreamReader& xml) { return IsUsfxSkipped(xml); });
}

void ReadZefania(ReadState& state)
{
    int book = 0;
    QString book_name;
    int chapter = 0;
    auto on_start = [&](QXmlStreamReader& xml) {
        if (NameIs(xml, "BIBLEBOOK")) {
            state.verses.end();
            const QString short_name = Attribute(xml, "bsname");
            const QString name = Attribute(xml, "bname");
            book_name = !name.isEmpty() ? name : !short_name.isEmpty() ? short_name : Attribute(xml, "bnumber");
            book = ZefaniaBookNumber(LeadingNumber(Attribute(xml, "bnumber")), short_name, name);
            chapter = 0;
        } else if (NameIs(xml, "CHAPTER")) {
            state.verses.end();
            chapter = LeadingNumber(Attribute(xml, "cnumber"));
        } else if (NameIs(xml, "VERS")) {
            state.verses.begin(book, book_name, chapter, LeadingNumber(Attribute(xml, "vnumber")));
        }
    };
    auto on_end = [&](QXmlStreamReader& xml) {
        if (NameIn(xml, {"VERS", "CHAPTER", "BIBLEBOOK"}))
            state.verses.end();
    };
    Walk(state, on_start, on_end, [](QXmlStreamReader& xml) { return IsZefaniaSkipped(xml); });
}

}  // namespace

const std::vector<BibleBookInfo>& TreeBibleBooks()
{
    static const std::vector<BibleBookInfo> books = {
        {1, "Быт", "Первая книга Моисеева. Бытие", 50},
        {2, "Исх", "Вторая книга Моисеева. Исход", 40},
        {3, "Лев", "Третья книга Моисеева. Левит", 27},
        {4, "Чис", "Четвертая книга Моисеева. Числа", 36},
        {5, "Втор", "Пятая книга Моисеева. Второзаконие", 34},
        {6, "Нав", "Книга Иисуса Навина", 24},
        {7, "Суд", "Книга Судей Израилевых", 21},
        {8, "Руф", "Книга Руфи", 4},
        {9, "1 Цар", "Первая книга Царств", 31},
        {10, "2 Цар", "Вторая книга Царств", 24},
        {11, "3 Цар", "Третья книга Царств", 22},
        {12, "4 Цар", "Четвертая книга Царств", 25},
        {13, "1 Пар", "Первая книга Паралипоменон", 29},
        {14, "2 Пар", "Вторая книга Паралипоменон", 36},
        {15, "Езд", "Книга Ездры", 10},
        {16, "Неем", "Книга Неемии", 13},
        {17, "2 Езд", "Вторая книга Ездры", 9},
        {18, "Тов", "Книга Товита", 14},
        {19, "Иудифь", "Книга Иудифи", 16},
        {20, "Есф", "Книга Есфири", 10},
        {21, "Иов", "Книга Иова", 42},
        {22, "Пс", "Псалтирь", 151},
        {23, "Притч", "Книга Притчей Соломоновых", 31},
        {24, "Еккл", "Книга Екклесиаста, или Проповедника", 12},
        {25, "Песн", "Книга Песни Песней Соломона", 8},
        {26, "Прем", "Книга Премудрости Соломона", 19},
        {27, "Сир", "Книга Премудрости Иисуса, сына Сирахова", 51},
        {28, "Ис", "Книга пророка Исаии", 66},
        {29, "Иер", "Книга пророка Иеремии", 52},
        {30, "Плач", "Книга Плач Иеремии", 5},
        {31, "Посл Иер", "Послание Иеремии", 1},
        {32, "Вар", "Книга пророка Варуха", 5},
        {33, "Иез", "Книга пророка Иезекииля", 48},
        {34, "Дан", "Книга пророка Даниила", 14},
        {35, "Ос", "Книга пророка Осии", 14},
        {36, "Иоил", "Книга пророка Иоиля", 3},
        {37, "Ам", "Книга пророка Амоса", 9},
        {38, "Авд", "Книга пророка Авдия", 1},
        {39, "Иона", "Книга пророка Ионы", 4},
        {40, "Мих", "Книга пророка Михея", 7},
        {41, "Наум", "Книга пророка Наума", 3},
        {42, "Авв", "Книга пророка Аввакума", 3},
        {43, "Соф", "Книга пророка Софонии", 3},
        {44, "Агг", "Книга пророка Аггея", 2},
        {45, "Зах", "Книга пророка Захарии", 14},
        {46, "Мал", "Книга пророка Малахии", 4},
        {47, "1 Мак", "Первая книга Маккавейская", 16},
        {48, "2 Мак", "Вторая книга Маккавейская", 15},
        {49, "3 Мак", "Третья книга Маккавейская", 7},
        {50, "3 Езд", "Третья книга Ездры", 16},
        {51, "Мф", "Евангелие от Матфея", 28},
        {52, "Мк", "Евангелие от Марка", 16},
        {53, "Лк", "Евангелие от Луки", 24},
        {54, "Ин", "Евангелие от Иоанна", 21},
        {55, "Деян", "Деяния святых Апостолов", 28},
        {56, "Иак", "Послание святого Апостола Иакова", 5},
        {57, "1 Пет", "Первое послание святого Апостола Петра", 5},
        {58, "2 Пет", "Второе послание святого Апостола Петра", 3},
        {59, "1 Ин", "Первое послание святого Апостола Иоанна Богослова", 5},
        {60, "2 Ин", "Второе послание святого Апостола Иоанна Богослова", 1},
        {61, "3 Ин", "Третье послание святого Апостола Иоанна Богослова", 1},
        {62, "Иуд", "Послание святого Апостола Иуды", 1},
        {63, "Рим", "Послание к римлянам святого Апостола Павла", 16},
        {64, "1 Кор", "Первое послание к коринфянам святого Апостола Павла", 16},
        {65, "2 Кор", "Второе послание к коринфянам святого Апостола Павла", 13},
        {66, "Гал", "Послание к галатам святого Апостола Павла", 6},
        {67, "Еф", "Послание к ефесянам святого Апостола Павла", 6},
        {68, "Флп", "Послание к филиппийцам святого Апостола Павла", 4},
        {69, "Кол", "Послание к колоссянам святого Апостола Павла", 4},
        {70, "1 Фес", "Первое послание к фессалоникийцам святого Апостола Павла", 5},
        {71, "2 Фес", "Второе послание к фессалоникийцам святого Апостола Павла", 3},
        {72, "1 Тим", "Первое послание к Тимофею святого Апостола Павла", 6},
        {73, "2 Тим", "Второе послание к Тимофею святого Апостола Павла", 4},
        {74, "Тит", "Послание к Титу святого Апостола Павла", 3},
        {75, "Флм", "Послание к Филимону святого Апостола Павла", 1},
        {76, "Евр", "Послание к евреям святого Апостола Павла", 13},
        {77, "Откр", "Откровение святого Иоанна Богослова", 22},
    };
    return books;
}

std::optional<BibleBookInfo> TreeBibleBook(int number)
{
    if (number < 1 || number > 77)
        return std::nullopt;
    return TreeBibleBooks()[number - 1];
}

int TreeBookNumberOfCode(const QString& code)
{
    const QString trimmed = code.trimmed();
    if (trimmed.isEmpty())
        return 0;
    for (const BookCodes& codes : kBookCodes)
        if (trimmed.compare(QLatin1String(codes.osis), Qt::CaseInsensitive) == 0 ||
            trimmed.compare(QLatin1String(codes.usfx), Qt::CaseInsensitive) == 0)
            return codes.number;
    for (const Alias& alias : kAliases)
        if (trimmed.compare(QLatin1String(alias.code), Qt::CaseInsensitive) == 0)
            return alias.number;
    return 0;
}

BibleParse ParseBible(const QByteArray& bytes)
{
    if (bytes.size() > kMaxBibleFileBytes)
        return {std::nullopt, QStringLiteral("Файл больше %1 МБ: это не Библия в формате XML.")
                                  .arg(kMaxBibleFileBytes / (1024 * 1024))};
    if (bytes.trimmed().isEmpty())
        return {std::nullopt, QStringLiteral("Файл пуст: в нем нет ни одного элемента XML.")};
    ReadState state;
    state.xml.addData(bytes);
    // The root element tells the format.
    while (!state.xml.atEnd() && state.xml.readNext() != QXmlStreamReader::StartElement) {
    }
    if (state.xml.hasError())
        return {std::nullopt, XmlError(state.xml)};
    if (state.xml.tokenType() != QXmlStreamReader::StartElement)
        return {std::nullopt, QStringLiteral("Файл пуст: в нем нет ни одного элемента XML.")};

    BibleFormat format;
    QString title;
    if (NameIs(state.xml, "osis")) {
        format = BibleFormat::Osis;
        ReadOsis(state, title);
    } else if (NameIs(state.xml, "usfx")) {
        format = BibleFormat::Usfx;
        ReadUsfx(state);
    } else if (NameIs(state.xml, "XMLBIBLE")) {
        format = BibleFormat::Zefania;
        title = Attribute(state.xml, "biblename");
        ReadZefania(state);
    } else {
        return {std::nullopt, QStringLiteral("Формат файла не распознан: корневой элемент <%1>, а ожидается "
                                             "OSIS (<osis>), USFX (<usfx>) или Zefania XML (<XMLBIBLE>).")
                                  .arg(state.xml.name().toString())};
    }
    if (!state.verses.error().isEmpty())
        return {std::nullopt, state.verses.error()};
    if (state.xml.hasError())
        return {std::nullopt, XmlError(state.xml)};
    Bible bible = state.verses.finish(format, title);
    if (bible.books.empty())
        return {std::nullopt, QStringLiteral("В файле не найдено ни одного стиха известной книги Библии.")};
    return {std::move(bible), QString()};
}

}  // namespace indikt
