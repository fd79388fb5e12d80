// import-bible [--version FOLDER] [--psalter FOLDER|none] [--title TEXT] FILE DATA_ROOT:
// reads a Bible in OSIS, USFX or Zefania XML and writes the chapter pages of
// the chosen version folder of DATA_ROOT/Библия (and its Psalter by
// kathismata), which the readings and the home rule open.

#include "texts/bible_formats.h"
#include "texts/bible_pages.h"
#include "texts/data_files.h"

#include <QCoreApplication>
#include <QTextStream>

namespace {

constexpr const char* kUsage =
    "usage: import-bible [--version b_snd|b_sgr|b_cas|b_slv] [--psalter ps_snd|ps_sgr|ps_tmr|ps_sl|none]\n"
    "                    [--title TEXT] FILE DATA_ROOT\n"
    "FILE is a Bible in OSIS, USFX or Zefania XML. The books go to DATA_ROOT/Библия/VERSION\n"
    "(b_snd by default, the folder the readings link to), the Psalter by kathismata to\n"
    "DATA_ROOT/Библия/psalm/PSALTER (by default the one of the version; none for no Psalter).\n"
    "The pages are written in Windows-1251: a text in Church Slavonic letters is refused.\n";

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList arguments = app.arguments().mid(1);

    indikt::BibleImportOptions options;
    bool psalter_given = false;
    QStringList positional;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const bool takes_value = argument == "--version" || argument == "--psalter" || argument == "--title";
        if (takes_value && i + 1 == arguments.size()) {
            err << argument << " needs a value\n" << kUsage;
            return 2;
        }
        if (argument == "--version") {
            options.version_folder = arguments[++i];
        } else if (argument == "--psalter") {
            const QString value = arguments[++i];
            options.psalter_folder = value == "none" ? QString() : value;
            psalter_given = true;
        } else if (argument == "--title") {
            options.title = arguments[++i];
        } else if (argument.startsWith("--")) {
            err << "unknown option " << argument << '\n' << kUsage;
            return 2;
        } else {
            positional << argument;
        }
    }
    if (positional.size() != 2) {
        err << kUsage;
        return 2;
    }
    if (!psalter_given)
        options.psalter_folder = indikt::DefaultPsalterFolder(options.version_folder);

    const QString& file = positional[0];
    const QString& data_root = positional[1];
    const std::optional<QByteArray> bytes = indikt::ReadFileBytes(file, indikt::kMaxBibleFileBytes);
    if (!bytes) {
        err << "Не удалось прочитать файл «" << file << "» (его нет, это не файл или он больше "
            << indikt::kMaxBibleFileBytes / (1024 * 1024) << " МБ).\n";
        return 1;
    }
    const indikt::BibleParse parse = indikt::ParseBible(*bytes);
    if (!parse.bible) {
        err << parse.error << '\n';
        return 1;
    }
    const indikt::BibleImportResult result = indikt::WriteBiblePages(*parse.bible, data_root, options);
    if (!result.ok()) {
        err << result.error << '\n';
        if (!result.written.isEmpty())
            err << "Записано до ошибки страниц: " << result.written.size() << ".\n";
        return 1;
    }
    for (const QString& page : result.written)
        out << page << '\n';
    out << "Книг: " << result.books << ", глав: " << result.chapters << ", стихов: " << result.verses
        << "; страниц записано: " << result.written.size() << ".\n";
    if (!parse.bible->skipped_books.isEmpty())
        out << "Пропущены книги, которых нет в наборе: " << parse.bible->skipped_books.join(", ") << ".\n";
    return 0;
}
