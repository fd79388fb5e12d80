#include "cli.h"

#include "books_json.h"
#include "backup_json.h"
#include "day_json.h"
#include "feasts_json.h"
#include "icons_json.h"
#include "notes_json.h"
#include "options_json.h"
#include "readings_json.h"
#include "rule_json.h"
#include "search_json.h"

#include "texts/data_files.h"
#include "walks/ical_export.h"
#include "walks/period_report.h"
#include "walks/report_odf.h"
#include "texts_json.h"

#include "lectionary/tree_files.h"

#include "calendar/date_texts.h"
#include "calendar/paschalion.h"

#include <QDir>
#include <QFileInfo>
#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdio>
#include <algorithm>
#include <optional>
#include <string_view>

namespace indikt::cli {

namespace {

constexpr std::string_view kUsage =
    "usage: indikt-cli day YYYY-MM-DD [--today YYYY-MM-DD]\n"
    "       indikt-cli range FROM TO [--readings] [--data-root DIR] [--today YYYY-MM-DD]\n"
    "       indikt-cli jumps YYYY-MM-DD\n"
    "       indikt-cli feasts YYYY-MM-DD [--data-root DIR] [--today YYYY-MM-DD]\n"
    "       indikt-cli readings YYYY-MM-DD [--data-root DIR]\n"
    "       indikt-cli menaion YYYY-MM-DD [--data-root DIR]\n"
    "       indikt-cli tropar YYYY-MM-DD [--data-root DIR]\n"
    "       indikt-cli rule YYYY-MM-DD [--data-root DIR] [--today YYYY-MM-DD]\n"
    "       indikt-cli note YYYY-MM-DD [--data-root DIR]\n"
    "       indikt-cli notes [--data-root DIR] [--today YYYY-MM-DD]\n"
    "       indikt-cli lives YYYY-MM-DD [--data-root DIR]\n"
    "       indikt-cli prayerbook YYYY-MM-DD [--language 1-5] [--data-root DIR]\n"
    "       indikt-cli bookmarks [--data-root DIR]\n"
    "       indikt-cli backup copy|get|sync DIR [--components LIST | --all] [--rule RULE] [--data-root DIR]\n"
    "       indikt-cli search TEXT --scope menaion|lectionary|tropar|notes [--year Y] [--case] [--word]\n"
    "                  [--data-root DIR] [--today YYYY-MM-DD]\n"
    "       indikt-cli report FROM TO --data menaion,lectionary,tropar,notes --format html|odt|txt\n"
    "                  [--old-style] -o FILE [--data-root DIR] [--today YYYY-MM-DD]\n"
    "       indikt-cli options [--data-root DIR]\n"
    "       indikt-cli icons YYYY-MM-DD [--data-root DIR]\n"
    "       indikt-cli ical FROM TO [--what fasts,feasts,holidays,commemorations,readings,saints]\n"
    "                  [-o FILE] [--data-root DIR]\n"
    "Dates are civil (new style), from 1752-01-01 to 3000-12-31.\n"
    "day    prints the calendar facts of one day as a JSON object\n"
    "range  prints them for every day from FROM to TO, one object per line\n"
    "jumps  prints where every fast and feast command goes from that day\n"
    "feasts prints the user's feasts and jubilees of that day from the data root's\n"
    "       Памятка.txt, with the display switches of its zk.ini\n"
    "readings prints the Gospel, Apostle and Old Testament readings of that day from\n"
    "       the data tree, with the reading files found; range --readings prints\n"
    "       them for every day of the range, one object per line\n"
    "menaion prints the Menaion page of that day: its HTML, its plain text and\n"
    "       the records read\n"
    "tropar prints the troparia and kontakia of that day in civil script\n"
    "rule   prints the portion of that day of every plan of the home prayer rule that\n"
    "       is on in the data root's zk.ini; the reading position there is not moved\n"
    "note   prints the user's note of that day (the file under its old-style date):\n"
    "       its file, whether it is yearly, its text and its HTML\n"
    "notes  prints the dates of every note, old style and civil; a yearly note is\n"
    "       dated in today's year\n"
    "lives  prints the lives page of that day (its old-style day key): the page\n"
    "       wanted, the page found (null when missing) and its plain text\n"
    "prayerbook prints the prayer-book page of that day's season in a language\n"
    "       (1 Slavonic, the default, 2 civil script, 3 Russian, 4 audio, 5 video),\n"
    "       the languages whose page exists, and its plain text\n"
    "bookmarks prints the bookmarks of the data root's Закладки.txt\n"
    "backup copies the user's records (and, when asked, the tree's folders) to an\n"
    "       archive folder, gets them back or synchronises both ways (backup --help)\n"
    "search prints every page of the civil year (default: today's) where TEXT occurs,\n"
    "       one object a line: its civil and old-style date, language variant (1-5),\n"
    "       contents entry, count and a piece of text around the first match; the\n"
    "       notes scope searches every note; --case matches case, --word whole words\n"
    "report writes the texts of every day from FROM to TO (either order) as a web\n"
    "       page, an ODF text document or a UTF-8 text file; with --old-style FROM and\n"
    "       TO are old-style dates\n"
    "options prints the settings the Параметры dialog shows for the data root's\n"
    "       zk.ini, with the update sites and the program's version number\n"
    "icons  prints the icons of that day as the icon strip shows them: each picture's\n"
    "       path, caption, large version and folder command; the rotating Sunday and\n"
    "       Saviour icons are taken as zk.ini left them and not moved on\n"
    "ical   writes an iCalendar (RFC 5545) of the days from FROM to TO for a desktop\n"
    "       calendar: fasts and fast-free weeks as all-day spans, the great feasts, the\n"
    "       civil holidays, the user's jubilees, feasts and events (with their time and\n"
    "       an alarm), and with readings or saints the day's texts as its description;\n"
    "       without -o on standard output\n"
    "--today fixes today's date for every rule that reads it.\n"
    "A data root that does not exist or is not a readable folder is refused (exit 2);\n"
    "what of the user's files could not be read is said on standard error and in\n"
    "the object's \"warnings\".\n";

// `COMMAND --help`: the usage lines of the command and its paragraph of the
// usage text; empty for a command there is none of.
std::string CommandHelp(std::string_view command)
{
    std::string usage;
    std::string paragraph;
    bool in_paragraph = false;
    bool in_usage = false;
    std::string_view rest = kUsage;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        const std::string_view line = rest.substr(0, end == std::string_view::npos ? rest.size() : end + 1);
        rest.remove_prefix(line.size());
        const std::string_view trimmed = line.substr(std::min(line.find_first_not_of(' '), line.size()));
        const bool usage_line = trimmed.starts_with("usage: ") || trimmed.starts_with("indikt-cli ");
        if (usage_line) {
            const std::string_view call = trimmed.substr(trimmed.find("indikt-cli ") + 11);
            in_usage = call.starts_with(command) && (call.size() == command.size() || call[command.size()] == ' ');
            if (in_usage)
                usage += "usage: indikt-cli " + std::string(call);
            continue;
        }
        if (in_usage && line.starts_with("                  ")) {
            usage += line;  // the continuation of a long usage line
            continue;
        }
        in_usage = false;
        if (line.starts_with(' ')) {
            if (in_paragraph)
                paragraph += line;
            continue;
        }
        in_paragraph = line.starts_with(command) && line.size() > command.size() && line[command.size()] == ' ';
        if (in_paragraph)
            paragraph += line;
    }
    if (usage.empty())
        return {};
    return usage + paragraph + "Dates are civil (new style), from 1752-01-01 to 3000-12-31.\n";
}

// Output is gathered in blocks so a range of centuries is not one huge string.
constexpr std::size_t kFlushSize = 1 << 20;

struct Invocation {
    std::string command;
    std::vector<std::string> dates;
    std::optional<Date> today;
    std::optional<std::string> data_root;
    bool readings = false;
    std::optional<int> language;
    std::optional<std::string> scope;
    std::optional<int> year;
    bool match_case = false;
    bool whole_word = false;
    std::optional<std::string> data;
    std::optional<std::string> format;
    std::optional<std::string> output;
    bool old_style = false;
    std::optional<std::string> what;
};

class UsageError {
public:
    explicit UsageError(std::string message) : message_(std::move(message)) {}
    const std::string& message() const { return message_; }

private:
    std::string message_;
};

Date ParseAcceptedDate(const std::string& text, std::string_view what)
{
    const std::optional<Date> date = ParseIsoDate(text);
    if (!date)
        throw UsageError(std::string(what) + " '" + text + "' is not a date of the form YYYY-MM-DD");
    if (!IsAcceptedDate(*date))
        throw UsageError(std::string(what) + " " + text + " is outside the accepted range 1752-01-01 to 3000-12-31");
    return *date;
}

Invocation ParseArguments(const std::vector<std::string>& arguments)
{
    Invocation invocation;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--today") {
            if (i + 1 == arguments.size())
                throw UsageError("--today needs a date YYYY-MM-DD");
            invocation.today = ParseAcceptedDate(arguments[++i], "--today");
        } else if (argument == "--data-root") {
            if (i + 1 == arguments.size() || arguments[i + 1].empty())
                throw UsageError("--data-root needs a folder");
            invocation.data_root = arguments[++i];
        } else if (argument == "--language") {
            if (i + 1 == arguments.size())
                throw UsageError("--language needs a number 1 to 5");
            const std::string& value = arguments[++i];
            if (value.size() != 1 || value[0] < '1' || value[0] > '5')
                throw UsageError("--language '" + value + "' is not a number 1 to 5");
            invocation.language = value[0] - '0';
        } else if (argument == "--readings") {
            invocation.readings = true;
        } else if (argument == "--scope") {
            if (i + 1 == arguments.size())
                throw UsageError("--scope needs menaion, lectionary, tropar or notes");
            invocation.scope = arguments[++i];
        } else if (argument == "--year") {
            if (i + 1 == arguments.size())
                throw UsageError("--year needs a year");
            const std::string& year = arguments[++i];
            if (year.empty() || year.size() > 4 || year.find_first_not_of("0123456789") != std::string::npos ||
                std::stoi(year) < 1752 || std::stoi(year) > 3000)
                throw UsageError("--year '" + year + "' is not a year from 1752 to 3000");
            invocation.year = std::stoi(year);
        } else if (argument == "--data" || argument == "--format" || argument == "-o") {
            if (i + 1 == arguments.size() || arguments[i + 1].empty())
                throw UsageError(argument + " needs a value");
            (argument == "--data" ? invocation.data : argument == "--format" ? invocation.format : invocation.output) =
                arguments[++i];
        } else if (argument == "--what") {
            if (i + 1 == arguments.size() || arguments[i + 1].empty())
                throw UsageError("--what needs a list");
            invocation.what = arguments[++i];
        } else if (argument == "--old-style") {
            invocation.old_style = true;
        } else if (argument == "--case") {
            invocation.match_case = true;
        } else if (argument == "--word") {
            invocation.whole_word = true;
        } else if (argument.starts_with("--")) {
            throw UsageError("unknown option " + argument);
        } else if (invocation.command.empty()) {
            invocation.command = argument;
        } else {
            invocation.dates.push_back(argument);
        }
    }
    return invocation;
}

void ExpectDateCount(const Invocation& invocation, std::size_t count)
{
    if (invocation.dates.size() != count)
        throw UsageError(invocation.command + " takes " + (count == 1 ? "one date" : "two dates") + " YYYY-MM-DD");
}

void WriteRange(Date from, Date to, const TreeFiles* readings, std::ostream& out)
{
    std::string block;
    block.reserve(kFlushSize + (64 << 10));
    for (Date date = from; date <= to; date = date + 1) {
        if (readings)
            AppendReadingsJson(block, date, *readings);
        else
            AppendDayJson(block, date);
        if (block.size() >= kFlushSize) {
            out.write(block.data(), static_cast<std::streamsize>(block.size()));
            block.clear();
        }
    }
    out.write(block.data(), static_cast<std::streamsize>(block.size()));
}

// The commands that read the data root refuse one that is not a readable folder:
// an answer from nothing would look like a day without texts.
void ExpectDataRoot(const std::string& data_root)
{
    const QFileInfo folder(QString::fromStdString(data_root));
    if (!folder.exists())
        throw UsageError("data root '" + data_root + "' does not exist");
    if (!folder.isDir() || !folder.isReadable() || !folder.isExecutable())
        throw UsageError("data root '" + data_root + "' is not a readable folder");
}

// The commands that read the texts of the tree refuse a folder that holds
// none of its folders: a mistyped root would answer days without texts.
void ExpectDataTree(const std::string& data_root)
{
    const QDir root(QString::fromStdString(data_root));
    for (const char* folder : {"Месяцеслов", "Богослужение", "Библия", "Жития святых", "Иконы"})
        if (root.exists(QString::fromUtf8(folder)))
            return;
    throw UsageError("data root '" + data_root + "' holds no data tree (no folder Месяцеслов, Богослужение, Библия, "
                     "Жития святых or Иконы)");
}

bool ReadsDataTree(const Invocation& invocation)
{
    const std::string& command = invocation.command;
    return command == "readings" || command == "menaion" || command == "tropar" ||
           (command == "range" && invocation.readings);
}

// A date of the period: civil, or with --old-style a Julian date, each turned
// into the civil day with the difference of its own year.
Date ReportDate(const std::string& text, bool old_style, std::string_view what)
{
    if (!old_style)
        return ParseAcceptedDate(text, what);
    int year = 0, month = 0, day = 0;
    char tail = 0;
    if (text.size() != 10 || std::sscanf(text.c_str(), "%4d-%2d-%2d%c", &year, &month, &day, &tail) != 3 ||
        !IsValidJulian(year, month, day))
        throw UsageError(std::string(what) + " '" + text + "' is not an old-style date of the form YYYY-MM-DD");
    const Date civil = NewStyle(FromOldStyle(year, month, day));
    if (!IsAcceptedDate(civil))
        throw UsageError(std::string(what) + " " + text + " is outside the accepted range");
    return civil;
}

// The ODF writer lays the document out with fonts, which takes a Qt Gui
// application: indikt-cli starts an offscreen one for it, needing no display.
class OffscreenGui {
public:
    OffscreenGui()
    {
        if (QCoreApplication::instance() == nullptr)
            application_.emplace(argc_, arguments_);
    }
    bool ready() const { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr; }

private:
    char name_[11] = "indikt-cli";
    char platform_option_[10] = "-platform";
    char platform_[10] = "offscreen";
    char* arguments_[4] = {name_, platform_option_, platform_, nullptr};
    int argc_ = 3;
    std::optional<QGuiApplication> application_;
};

// Writes the report file; an empty answer when it was written, else why not.
std::string WriteReportFile(const Invocation& invocation, const std::string& data_root, Date today)
{
    ReportData data;
    data.calendar = false;
    const std::string list = invocation.data.value_or("");
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        const std::string item = list.substr(start, comma - start);
        if (item == "menaion")
            data.calendar = true;
        else if (item == "lectionary")
            data.lectionary = true;
        else if (item == "tropar")
            data.troparia = true;
        else if (item == "notes")
            data.notes = true;
        else
            throw UsageError("--data takes menaion, lectionary, tropar and notes, separated by commas");
        start = comma + 1;
    }
    const std::string format = invocation.format.value_or("");
    if (format != "html" && format != "txt" && format != "odt")
        throw UsageError("report needs --format html, odt or txt");
    if (!invocation.output)
        throw UsageError("report needs -o FILE");
    const ReportPeriod period = MakeReportPeriod(ReportDate(invocation.dates[0], invocation.old_style, "FROM"),
                                                 ReportDate(invocation.dates[1], invocation.old_style, "TO"));
    const QString path = QString::fromStdString(*invocation.output);
    const QString root = QString::fromStdString(data_root);
    if (format == "odt") {
        const OffscreenGui gui;
        if (!gui.ready())
            return "an ODF document needs a Qt Gui application";
        const OdfReportResult written = WriteOdfReport(path, root, period, data, today);
        return written.failure.toStdString();
    }
    AtomicFileWriter file(path);
    if (!file.begin())
        return file.failure().toStdString();
    const WalkOutcome outcome =
        WriteReport(file, root, period, data, format == "html" ? ReportFormat::Html : ReportFormat::Text, today);
    if (outcome != WalkOutcome::Finished)
        return "the report was not finished";
    return file.commit().error.toStdString();
}

bool ReadsDataRoot(const Invocation& invocation)
{
    const std::string& command = invocation.command;
    return command == "feasts" || command == "readings" || command == "menaion" || command == "tropar" ||
           command == "note" || command == "notes" || command == "lives" || command == "prayerbook" ||
           command == "bookmarks" || command == "rule" || command == "search" || command == "report" ||
           command == "options" || command == "icons" || command == "ical" ||
           (command == "range" && invocation.readings);
}

int Run(const Invocation& invocation, Date today, const std::string& data_root, std::ostream& out,
        std::ostream& err)
{
    if (ReadsDataRoot(invocation))
        ExpectDataRoot(data_root);
    if (ReadsDataTree(invocation))
        ExpectDataTree(data_root);
    std::string text;
    if (invocation.command == "day") {
        ExpectDateCount(invocation, 1);
        AppendDayJson(text, ParseAcceptedDate(invocation.dates[0], "date"));
    } else if (invocation.command == "jumps") {
        ExpectDateCount(invocation, 1);
        AppendJumpsJson(text, ParseAcceptedDate(invocation.dates[0], "date"));
    } else if (invocation.command == "feasts") {
        ExpectDateCount(invocation, 1);
        std::vector<std::string> warnings;
        AppendFeastsJson(text, ParseAcceptedDate(invocation.dates[0], "date"), today, data_root, warnings);
        for (const std::string& warning : warnings)
            err << "indikt-cli: warning: " << warning << '\n';
    } else if (invocation.command == "readings") {
        ExpectDateCount(invocation, 1);
        AppendReadingsJson(text, ParseAcceptedDate(invocation.dates[0], "date"),
                           TreeFiles(QString::fromStdString(data_root)));
    } else if (invocation.command == "menaion") {
        ExpectDateCount(invocation, 1);
        AppendMenaionJson(text, ParseAcceptedDate(invocation.dates[0], "date"), TreeFiles(QString::fromStdString(data_root)));
    } else if (invocation.command == "tropar") {
        ExpectDateCount(invocation, 1);
        AppendTroparJson(text, ParseAcceptedDate(invocation.dates[0], "date"), TreeFiles(QString::fromStdString(data_root)));
    } else if (invocation.command == "rule") {
        ExpectDateCount(invocation, 1);
        std::vector<std::string> warnings;
        AppendRuleJson(text, ParseAcceptedDate(invocation.dates[0], "date"), today, data_root, warnings);
        for (const std::string& warning : warnings)
            err << "indikt-cli: warning: " << warning << '\n';
    } else if (invocation.command == "note") {
        ExpectDateCount(invocation, 1);
        AppendNoteJson(text, ParseAcceptedDate(invocation.dates[0], "date"), QString::fromStdString(data_root));
    } else if (invocation.command == "icons") {
        ExpectDateCount(invocation, 1);
        std::vector<std::string> warnings;
        AppendIconsJson(text, ParseAcceptedDate(invocation.dates[0], "date"), today, data_root, warnings);
        for (const std::string& warning : warnings)
            err << "indikt-cli: warning: " << warning << '\n';
    } else if (invocation.command == "notes") {
        if (!invocation.dates.empty())
            throw UsageError("notes takes no date");
        AppendNotesJson(text, QString::fromStdString(data_root), today);
    } else if (invocation.command == "lives") {
        ExpectDateCount(invocation, 1);
        AppendLivesJson(text, ParseAcceptedDate(invocation.dates[0], "date"), QString::fromStdString(data_root));
    } else if (invocation.command == "prayerbook") {
        ExpectDateCount(invocation, 1);
        AppendPrayerBookJson(text, ParseAcceptedDate(invocation.dates[0], "date"), QString::fromStdString(data_root),
                             invocation.language.value_or(1));
    } else if (invocation.command == "bookmarks") {
        if (!invocation.dates.empty())
            throw UsageError("bookmarks takes no date");
        std::vector<std::string> warnings;
        AppendBookmarksJson(text, QString::fromStdString(data_root), warnings);
        for (const std::string& warning : warnings)
            err << "indikt-cli: warning: " << warning << '\n';
    } else if (invocation.command == "search") {
        if (invocation.dates.size() != 1 || invocation.dates[0].empty())
            throw UsageError("search takes one text");
        SearchRequest request;
        request.text = QString::fromStdString(invocation.dates[0]);
        const std::string scope = invocation.scope.value_or("");
        if (scope == "menaion")
            request.scope = SearchScope::Menaion;
        else if (scope == "lectionary")
            request.scope = SearchScope::Lectionary;
        else if (scope == "tropar")
            request.scope = SearchScope::Troparia;
        else if (scope == "notes")
            request.scope = SearchScope::Notes;
        else
            throw UsageError("search needs --scope menaion, lectionary, tropar or notes");
        request.year = invocation.year.value_or(YearOf(today));
        request.match_case = invocation.match_case;
        request.whole_word = invocation.whole_word;
        WriteSearchJsonLines(out, request, QString::fromStdString(data_root), today);
    } else if (invocation.command == "report") {
        ExpectDateCount(invocation, 2);
        if (const std::string failure = WriteReportFile(invocation, data_root, today); !failure.empty()) {
            err << "indikt-cli: " << failure << '\n';
            return kExitOutputFailed;
        }
    } else if (invocation.command == "ical") {
        ExpectDateCount(invocation, 2);
        const Date from = ParseAcceptedDate(invocation.dates[0], "FROM");
        const Date to = ParseAcceptedDate(invocation.dates[1], "TO");
        IcalParts parts;
        if (invocation.what && !ParseIcalParts(QString::fromStdString(*invocation.what), &parts))
            throw UsageError("--what takes fasts, feasts, holidays, commemorations, readings and saints, "
                             "separated by commas");
        const IcalExport calendar = ExportIcal(QString::fromStdString(data_root), from, to, parts, today);
        if (!calendar.problem.isEmpty())
            err << "indikt-cli: warning: " << calendar.problem.toStdString() << '\n';
        if (!invocation.output) {
            text = calendar.text.toStdString();
        } else if (const WriteResult written =
                       WriteFileAtomically(QString::fromStdString(*invocation.output), calendar.text);
                   !written.ok()) {
            err << "indikt-cli: " << written.error.toStdString() << '\n';
            return kExitOutputFailed;
        }
    } else if (invocation.command == "options") {
        if (!invocation.dates.empty())
            throw UsageError("options takes no date");
        std::vector<std::string> warnings;
        AppendOptionsJson(text, data_root, today, warnings);
        for (const std::string& warning : warnings)
            err << "indikt-cli: warning: " << warning << '\n';
    } else if (invocation.command == "range") {
        ExpectDateCount(invocation, 2);
        const Date from = ParseAcceptedDate(invocation.dates[0], "FROM");
        const Date to = ParseAcceptedDate(invocation.dates[1], "TO");
        if (to < from)
            throw UsageError("TO " + invocation.dates[1] + " is earlier than FROM " + invocation.dates[0]);
        const TreeFiles files(QString::fromStdString(data_root));
        WriteRange(from, to, invocation.readings ? &files : nullptr, out);
    } else if (invocation.command.empty()) {
        throw UsageError("no command given");
    } else {
        throw UsageError("unknown command '" + invocation.command + "'");
    }
    out << text;
    out.flush();
    return out ? kExitOk : kExitOutputFailed;
}

}  // namespace

int RunCli(const std::vector<std::string>& arguments, Date clock_today, std::ostream& out, std::ostream& err,
           const std::string& default_data_root)
{
    if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h")) {
        out << kUsage;
        return kExitOk;
    }
    if (arguments.size() == 2 && arguments[0] != "backup" && (arguments[1] == "--help" || arguments[1] == "-h")) {
        const std::string help = CommandHelp(arguments[0]);
        if (help.empty()) {
            err << "indikt-cli: unknown command '" << arguments[0] << "'\n" << kUsage;
            return kExitBadArgument;
        }
        out << help;
        return kExitOk;
    }
    if (!arguments.empty() && arguments[0] == "backup") {
        if (arguments.size() == 2 && (arguments[1] == "--help" || arguments[1] == "-h")) {
            out << kBackupUsage;
            return kExitOk;
        }
        return RunBackupCommand({arguments.begin() + 1, arguments.end()}, default_data_root, out, err);
    }
    try {
        const Invocation invocation = ParseArguments(arguments);
        const int code = Run(invocation, invocation.today.value_or(clock_today),
                             invocation.data_root.value_or(default_data_root), out, err);
        if (code == kExitOutputFailed)
            err << "indikt-cli: the output could not be written\n";
        return code;
    } catch (const UsageError& error) {
        err << "indikt-cli: " << error.message() << '\n' << kUsage;
        return kExitBadArgument;
    }
}

}  // namespace indikt::cli
