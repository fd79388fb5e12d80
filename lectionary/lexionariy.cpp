#include "lexionariy.h"

#include "lectionary/reference_markup.h"

#include "calendar/date_texts.h"
#include "calendar/paschalion.h"

#include <QFileInfo>

namespace indikt {

BibleLanguage BibleLanguageOfTag(int tag)
{
    return tag >= 2 && tag <= 5 ? static_cast<BibleLanguage>(tag) : BibleLanguage::Slavonic;
}

namespace {

QString RussianBook(const TreeFiles& files, const QString& folder, const QString& name)
{
    return files.exists(folder + name + ".htm") ? folder + name + ".htm#" : folder + name + "_rus.htm#";
}

// The link prefix of a kind in a language; for the media lists it depends on the target.
QString LinkPrefix(const TreeFiles& files, ReadingKind kind, BibleLanguage language, const RuleVersions& versions)
{
    const int column = static_cast<int>(language);
    switch (kind) {
    case ReadingKind::OldTestament:
        return column == 1   ? "Богослужение\\Паримии\\parimii_slav.htm#"
               : column == 2 ? "Богослужение\\Паримии\\parimii_gragd.htm#"
                             : RussianBook(files, "Богослужение\\Паримии\\", "parimii");
    case ReadingKind::Apostle:
        return column == 1   ? "Богослужение\\Апостол\\apostol_slav.htm#"
               : column == 2 ? "Богослужение\\Апостол\\apostol_gragd.htm#"
                             : RussianBook(files, "Богослужение\\Апостол\\", "apostol");
    case ReadingKind::Gospel:
        return column == 1   ? "Богослужение\\Евангелие\\evangelie_slav.htm#"
               : column == 2 ? "Богослужение\\Евангелие\\evangelie_gragd.htm#"
                             : RussianBook(files, "Богослужение\\Евангелие\\", "evangelie");
    case ReadingKind::RuleGospel:
    case ReadingKind::RuleApostle:
    case ReadingKind::RuleOldTestament: {
        if (column == 1)
            return "Библия\\b_slv\\b_slv";
        if (column == 2)
            return "Библия\\b_sgr\\b_sgr";
        // In Russian the Gospel and the Apostle are Kassian's translation when
        // the rule chose it (index 3), else the Synodal one.
        const int version = kind == ReadingKind::RuleGospel ? versions.gospel : versions.apostle;
        return kind != ReadingKind::RuleOldTestament && version == 3 ? "Библия\\b_cas\\b_cas" : "Библия\\b_snd\\b_snd";
    }
    case ReadingKind::RulePsalter:
        return column == 1   ? "Библия\\psalm\\ps_sl\\"
               : column == 2 ? "Библия\\psalm\\ps_sgr\\"
               : versions.psalter == 2 ? "Библия\\psalm\\ps_snd\\"
                                       : "Библия\\psalm\\ps_tmr\\";
    case ReadingKind::AudioList:
    case ReadingKind::VideoList: return {};
    }
    return {};
}

QString AttributeText(QString text)
{
    return text.replace('&', "&amp;").replace('"', "&quot;").replace('<', "&lt;").replace('>', "&gt;");
}

const char* const kEnglishMonths[] = {"jan", "feb", "mar", "apr", "may", "jun",
                                      "jul", "aug", "sep", "oct", "nov", "dec"};

QString TwoDigits(int n) { return QString::asprintf("%02d", n); }

}  // namespace

QString LexionarURL(const TreeFiles& files, const QString& text, ReadingKind kind, BibleLanguage language,
                    const RuleVersions& versions)
{
    const bool media = kind == ReadingKind::AudioList || kind == ReadingKind::VideoList;
    const QString prefix = LinkPrefix(files, kind, language, versions);
    const QString media_folder =
        kind == ReadingKind::AudioList ? "Богослужение\\Медиа\\Звук\\" : "Богослужение\\Медиа\\Видео\\";
    return ReplaceReferences(text, [&](const QString& title, const QString& target) {
        QString href = prefix + target;
        if (media)
            href = files.exists(media_folder + target) ? media_folder + target : target;
        return "<a href=\"" + AttributeText(href) + "\">" + title + "</a>";
    });
}

QString BUkasURL(const TreeFiles& files, Date civil, int source, Date today, const InstructionHosts& hosts)
{
    const CivilFields c = Fields(civil);
    const CivilFields old = Fields(OldStyle(civil));
    if (c.year <= 2006)
        return {};
    const QString& host = source == 1 ? hosts.first : source == 2 ? hosts.second : hosts.general;
    if (source != 3 && host.isEmpty())
        return {};
    switch (source) {
    case 1: {
        // In the first days of January of a past year the month is "dde".
        const bool previous_year = old.year < c.year && c.year < YearOf(today);
        const QString month = previous_year ? "dde" : kEnglishMonths[old.month - 1];
        return hosts.first + "/bu1/" + month + "-bu" + TwoDigits(old.day) + ".html";
    }
    case 2:
        return hosts.second + "/calendar/bu1/" + kEnglishMonths[old.month - 1] + "-" + QString::number(old.year) + "-bu" +
               TwoDigits(old.day) + ".html";
    case 3: return files.absolute("Богослужение\\Указания\\" + QString::number(c.year) + "\\" +
                                  kEnglishMonths[c.month - 1] + TwoDigits(c.day) + ".htm");
    default:
        return hosts.general + "/bu/" + QString::number(c.year) + "-" + TwoDigits(c.month) + "-" + TwoDigits(c.day) + "/";
    }
}

LectionaryPage Lexionariy(const TreeFiles& files, Date civil, Date today, const LectionarySettings& settings,
                          const std::function<HomeRulePortions(Date)>& home_rule)
{
    LectionaryPage page;
    const BibleLanguage language = settings.language;
    const bool media_mode = language == BibleLanguage::Audio || language == BibleLanguage::Video;
    QString media_list;
    const QString media_file =
        language == BibleLanguage::Video ? "Богослужение\\Медиа\\Видео\\видео.txt" : "Богослужение\\Медиа\\Звук\\звук.txt";
    const auto read_media = [&] {
        QString list;
        for (const QString& line : files.lines(media_file))
            list += "\r\n" + line;
        return list;
    };
    if (media_mode) {
        page.media_file = Portable(media_file);
        page.media_exists = files.exists(media_file);
        media_list = read_media();
    } else {
        page.gospel = EvangText(files, civil);
        page.apostle = ApostolText(files, civil);
        page.old_testament = ParimiiText(files, civil);
        page.apostle.text = page.apostle.text.trimmed();
        page.old_testament.text = page.old_testament.text.trimmed();
        if (page.gospel.text.isEmpty() && page.apostle.text.isEmpty() && page.old_testament.text.isEmpty())
            media_list = read_media();
    }
    for (const ReadingText* text : {&page.gospel, &page.apostle, &page.old_testament}) {
        for (const QString& address : text->addresses)
            if (!address.isEmpty())
                page.files << address;
        page.found_commands << text->found_commands;
        page.found_files << text->found_files;
    }

    // Line breaks of the reading texts show as breaks of the page.
    const auto links = [&](const QString& text, ReadingKind kind, const RuleVersions& versions = {}) {
        QString html = LexionarURL(files, text, kind, language, versions);
        return html.replace("\r\n", "<br>").replace('\r', "<br>");
    };
    QString readings;
    if (!media_mode)
        readings += "<h1>Богослужебные чтения</h1>";
    if (!page.old_testament.text.isEmpty())
        readings += "<h3>Паримии</h3><p>" + links(page.old_testament.text, ReadingKind::OldTestament) + "</p>";
    if (!page.apostle.text.isEmpty())
        readings += "<h3>Апостольские чтения</h3><p>" + links(page.apostle.text, ReadingKind::Apostle) + "</p>";
    if (!page.gospel.text.isEmpty()) {
        // A Gospel text that is only a transfer notice has no heading.
        if (page.gospel.text.startsWith("\r\n\r\n"))
            readings += "<p>" + links(page.gospel.text.mid(4), ReadingKind::Gospel) + "</p>";
        else
            readings += "<h3>Евангельские чтения</h3><p>" + links(page.gospel.text, ReadingKind::Gospel) + "</p>";
    }
    if (!media_list.isEmpty())
        readings += "<p>" + links(media_list.mid(2),
                                  language == BibleLanguage::Video ? ReadingKind::VideoList : ReadingKind::AudioList) +
                    "</p>";
    const int old_year = YearOf(OldStyle(civil));
    if (!media_mode && old_year > 2006 && old_year <= YearOf(today)) {
        const QString address = BUkasURL(files, civil, settings.instructions_source, today, settings.hosts);
        if (!address.isEmpty())
            readings += "<p style=\"margin-top: 10px\"><a href=\"" + AttributeText(address) +
                        "\">Богослужебные указания</a></p>";
    }
    const bool nothing = page.gospel.text.isEmpty() && page.apostle.text.isEmpty() &&
                         page.old_testament.text.isEmpty() && media_list.isEmpty();
    if (nothing)
        readings.clear();

    QString rule;
    if (home_rule) {
        const HomeRulePortions portions = home_rule(civil);
        const struct { const QString& text; const char* heading; ReadingKind kind; } parts[] = {
            {portions.gospel, "Евангелие", ReadingKind::RuleGospel},
            {portions.apostle, "Апостол", ReadingKind::RuleApostle},
            {portions.psalter, "Псалтирь", ReadingKind::RulePsalter},
            {portions.old_testament, "Ветхий Завет", ReadingKind::RuleOldTestament},
        };
        for (const auto& part : parts)
            if (!part.text.isEmpty())
                rule += QString("<h3>") + part.heading + "</h3><p>" + links(part.text, part.kind, portions.versions) + "</p>";
        if (!rule.isEmpty())
            rule = "<h2>Домашнее правило</h2>" + rule;
    }
    page.html = readings + rule;
    return page;
}

}  // namespace indikt
