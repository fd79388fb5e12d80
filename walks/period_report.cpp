#include "period_report.h"

#include "calendar/date_texts.h"
#include "calendar/sedmiza.h"
#include "lectionary/lexionariy.h"
#include "lectionary/menaion.h"
#include "lectionary/tree_files.h"
#include "lectionary/tropar.h"
#include "records/notes.h"
#include "texts/data_files.h"
#include "texts/rtf.h"
#include "texts/text_transforms.h"
#include "walks/page_text.h"

#include <QFileInfo>
#include <QStringConverter>

namespace indikt {

namespace {

QString Qs(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

constexpr const char* kSeparator = "________________________";
constexpr const char* kLanguageTitles[] = {"На церковно-славянском:", "На церковно-славянском гражданским шрифтом:",
                                           "На русском:"};

QString ShortDate(Date civil) { return Qs(TextOfDayAndMonthAndYear1(civil)); }

QString Title(const ReportPeriod& period)
{
    return period.first == period.last
               ? "Церковный календарь на " + ShortDate(period.first)
               : "Церковный календарь с " + ShortDate(period.first) + " по " + ShortDate(period.last);
}

// The body of a page of the tree, without its head.
QString BodyOf(const QString& page)
{
    const qsizetype open = page.indexOf("<body", 0, Qt::CaseInsensitive);
    const qsizetype start = open < 0 ? 0 : page.indexOf('>', open) + 1;
    const qsizetype end = page.indexOf("</body>", start, Qt::CaseInsensitive);
    return page.mid(start, end < 0 ? -1 : end - start).trimmed();
}

// The three text languages of a hymn, those that have text.
struct HymnTexts {
    QString title;
    QString pages[3];
};

QList<HymnTexts> HymnsOfTheDay(const TreeFiles& files, Date civil)
{
    QList<HymnTexts> hymns;
    const TroparDay day = Tropar(files, civil);
    for (const HymnRow& row : day.rows) {
        HymnTexts hymn;
        hymn.title = row.title;
        const QString paths[] = {row.slavonic, row.civil, row.russian};
        for (int i = 0; i < 3; ++i)
            if (!paths[i].isEmpty() && QFileInfo(files.root() + "/" + paths[i]).isFile())
                hymn.pages[i] = ReadTextFile(files.root() + "/" + paths[i]);
        hymns << hymn;
    }
    return hymns;
}

QString NoteTextOf(const QString& data_root, Date civil)
{
    const StoredNote note = ReadNote(data_root, civil);
    return note.exists() ? TrimBlanks(PlainTextOfRtf(note.content)) : QString();
}

const char* const kHtmlHead =
    "<html>\n<body lang=RU>\n<head>\n"
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\n"
    "<title>Церковный календарь</title>\n"
    "<style>\n"
    "p { text-align: justify; text-indent: 20px; font-size: 12pt; }\n"
    "h1 { color: red; font-size: 18pt; text-align: center; }\n"
    "h2 { font-weight: bold; color: red; font-size: 12pt; text-align: left; margin-top: 40px; }\n"
    "h3 { font-weight: bold; color: red; text-align: center; }\n"
    "h4 { color: red; font-size: 14pt; text-align: center; font-family: \"Irmologion ieUcs\", \"Irmologion Ucs\", "
    "\"Triodion ieUcs\", \"Triodion Ucs\", \"Orthodox.tt ieUcs8\", \"Orthodox.tt Ucs8\"; }\n"
    "h5 { font-weight: bold; color: teal; font-size: 12pt; }\n"
    "h6 { font-weight: bold; color: green; font-size: 12pt; text-align: center; }\n"
    ".s, .k, .ks, .z, #sl { font-family: \"Irmologion ieUcs\", \"Irmologion Ucs\", \"Triodion ieUcs\", "
    "\"Triodion Ucs\", \"Orthodox.tt ieUcs8\", \"Orthodox.tt Ucs8\"; font-size: 15pt; }\n"
    "</style>\n</head>\n";

class ReportOutput {
public:
    explicit ReportOutput(QIODevice& device) : device_(device) {}
    void line(const QString& text = {}) { write(text + "\r\n"); }
    void write(const QString& text) { ok_ = ok_ && device_.write(text.toUtf8()) >= 0; }
    bool ok() const { return ok_; }

private:
    QIODevice& device_;
    bool ok_ = true;
};

void WriteTextDay(ReportOutput& out, const TreeFiles& files, Date civil, const ReportData& data, Date today)
{
    out.line();
    if (data.notes || data.calendar || data.troparia)
        out.line(ReportDayHeading(civil));
    if (data.calendar)
        out.line(TrimBlanks(PlainTextOfHtml(MesezText(files, civil).html)));  // what the pane shows, signs left out
    if (data.lectionary) {
        out.line(kSeparator);
        out.line();
        out.line(TrimBlanks(PlainTextOfHtml(Lexionariy(files, civil, today, {}).html)));
        out.line();
        out.line(kSeparator);
    }
    if (data.troparia) {
        out.line("Тропари и кондаки");
        for (const HymnTexts& hymn : HymnsOfTheDay(files, civil)) {
            out.line(hymn.title);
            for (int i = 0; i < 3; ++i) {
                const QString text = TrimBlanks(PlainTextOfHtml(hymn.pages[i]));
                if (text.isEmpty())
                    continue;
                out.line(kLanguageTitles[i]);
                out.line(text);
            }
        }
    }
    if (data.notes) {
        const QString note = NoteTextOf(files.root(), civil);
        if (!note.isEmpty()) {
            out.line("Записи");
            out.line();
            out.line(note);
            out.line();
        }
    }
}

void WriteHtmlDay(ReportOutput& out, const TreeFiles& files, Date civil, const ReportData& data, Date today)
{
    out.line("<h2> " + ReportDayHeading(civil).toHtmlEscaped() + "</h2>");
    if (data.calendar) {
        out.line(TextVHTM(TextR1(MesezText(files, civil).html), files.root() + "/"));
        out.line("<p>&nbsp;</p>");
    }
    if (data.lectionary) {
        out.line("<hr>");
        out.line("<h6>Богослужебные чтения</h6>");
        out.line(TextVHTM(Lexionariy(files, civil, today, {}).html, files.root() + "/"));
    }
    if (data.troparia) {
        out.line("<hr>");
        out.line("<h6>Тропари и кондаки</h6>");
        for (const HymnTexts& hymn : HymnsOfTheDay(files, civil)) {
            out.line("<h3>" + hymn.title.toHtmlEscaped() + "</h3> ");
            for (int i = 0; i < 3; ++i) {
                if (hymn.pages[i].isEmpty())
                    continue;
                const QString block = "<h5>" + QString::fromUtf8(kLanguageTitles[i]) + "</h5>" + BodyOf(hymn.pages[i]);
                out.line(i == 0 ? "<div id=\"sl\">" + block + "</div>" : block);
            }
        }
    }
    if (data.notes) {
        const QString note = NoteTextOf(files.root(), civil);
        if (!note.isEmpty()) {
            QString escaped = note.toHtmlEscaped();
            escaped.replace("\n", "<br>");
            out.line("<h6>Записи</h6>");
            out.line("<p><font color=\"#0000FF\"> " + escaped + "</font></p>");
        }
    }
}

}  // namespace

ReportPeriod MakeReportPeriod(Date a, Date b) { return a <= b ? ReportPeriod{a, b} : ReportPeriod{b, a}; }

int DayCount(const ReportPeriod& period) { return period.last - period.first + 1; }

QString ReportDayHeading(Date civil)
{
    const CivilFields day = Fields(civil);
    const DayFields old_style = Fields(OldStyle(civil));
    return Qs(TextOfDayTheWeek0(civil)) + " " + QString::number(day.day) + " " + Qs(MonthNameGenitive(day.month)) +
           " (" + QString::number(old_style.day) + " " + Qs(MonthNameGenitive(old_style.month)) + " по ст.ст.) " +
           Qs(Sedmiza(civil));
}

WalkOutcome WriteReport(QIODevice& device, const QString& data_root, const ReportPeriod& given, const ReportData& data,
                        ReportFormat format, Date today, const ProgressCallback& progress)
{
    const ReportPeriod period = MakeReportPeriod(given.first, given.last);
    ReportOutput out(device);
    const TreeFiles files(data_root);
    WalkProgress done;
    done.units_total = DayCount(period);
    if (format == ReportFormat::Text) {
        out.write(QString(QChar(0xFEFF)));  // UTF-8 with its byte-order mark, as editors on every system read it
        out.line(Title(period));
        out.line();
    } else {
        out.write(QString::fromUtf8(kHtmlHead));
        out.line("<h1>" + Title(period) + "</h1>");
        out.line("<div align=\"center\"><table border=\"1\" width=\"700\" cellpadding=\"20\"><tr><td width=\"906\">");
    }
    for (Date day = period.first; day <= period.last && out.ok(); day = day + 1) {
        if (format == ReportFormat::Text)
            WriteTextDay(out, files, day, data, today);
        else
            WriteHtmlDay(out, files, day, data, today);
        ++done.units_done;
        ++done.pages;
        if (progress && !progress(done))
            return WalkOutcome::Cancelled;
    }
    if (format == ReportFormat::Html) {
        out.line("</td></tr></table></div>");
        out.line("<p style=\"font-size: 8pt; text-align: center;\">Индикт</p>");
        out.line("</body>\n</html>");
    }
    return out.ok() ? WalkOutcome::Finished : WalkOutcome::Cancelled;
}

}  // namespace indikt
