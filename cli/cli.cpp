#include "cli.h"

#include "day_json.h"
#include "feasts_json.h"
#include "icons_json.h"
#include "notes_json.h"
#include "readings_json.h"
#include "texts_json.h"

#include "lectionary/tree_files.h"

#include "calendar/date_texts.h"
#include "calendar/paschalion.h"

#include <QFileInfo>

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
    "       indikt-cli note YYYY-MM-DD [--data-root DIR]\n"
    "       indikt-cli notes [--data-root DIR] [--today YYYY-MM-DD]\n"
    "       indikt-cli icons YYYY-MM-DD [--data-root DIR]\n"
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
    "note   prints the user's note of that day (the file under its old-style date):\n"
    "       its file, whether it is yearly, its text and its HTML\n"
    "notes  prints the dates of every note, old style and civil; a yearly note is\n"
    "       dated in today's year\n"
    "icons  prints the icons of that day as the icon strip shows them: each picture's\n"
    "       path, caption, large version and folder command; the rotating Sunday and\n"
    "       Saviour icons are taken as zk.ini left them and not moved on\n"
    "--today fixes today's date for every rule that reads it.\n"
    "A data root that does not exist or is not a readable folder is refused (exit 2);\n"
    "what of the user's files could not be read is said on standard error and in\n"
    "the object's \"warnings\".\n";

// Output is gathered in blocks so a range of centuries is not one huge string.
constexpr std::size_t kFlushSize = 1 << 20;

struct Invocation {
    std::string command;
    std::vector<std::string> dates;
    std::optional<Date> today;
    std::optional<std::string> data_root;
    bool readings = false;
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
        } else if (argument == "--readings") {
            invocation.readings = true;
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

bool ReadsDataRoot(const Invocation& invocation)
{
    const std::string& command = invocation.command;
    return command == "feasts" || command == "readings" || command == "menaion" || command == "tropar" ||
           command == "note" || command == "notes" || command == "icons" ||
           (command == "range" && invocation.readings);
}

int Run(const Invocation& invocation, Date today, const std::string& data_root, std::ostream& out,
        std::ostream& err)
{
    if (ReadsDataRoot(invocation))
        ExpectDataRoot(data_root);
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
