#pragma once

// Bibles in the open XML formats found online — OSIS, USFX and Zefania XML —
// read into books, chapters and verses, with the books numbered as the data
// tree numbers its book files ("b_snd51.html" is Matthew, 22 the Psalter).
//
// Reading is a plain function of the file's bytes: no file is opened, nothing
// is written, and the work and memory one file can cost are bounded by the
// caps below, so a damaged or hostile file only gives an error.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace indikt {

// The books of the tree: number 1-77 (1-50 the Old Testament in the order of
// the Russian Bible with 22 the Psalter, 51-77 the New Testament in the order
// of the Slavonic Apostle), its short and full Russian names and its chapters.
struct BibleBookInfo {
    int number = 0;
    const char* short_name = "";  // UTF-8: "Мф"
    const char* full_name = "";   // UTF-8: "Евангелие от Матфея"
    int chapters = 0;             // in the Russian versification (151 psalms)
};

// Every book of the tree, by number; an empty optional outside 1-77.
std::optional<BibleBookInfo> TreeBibleBook(int number);
const std::vector<BibleBookInfo>& TreeBibleBooks();

// The tree's number of a book named by its OSIS identifier ("Matt", "1Sam")
// or its USFM/USFX code ("MAT", "1SA"), in any letter case; 0 when unknown.
int TreeBookNumberOfCode(const QString& code);

struct BibleVerse {
    int number = 0;
    QString text;  // one line, runs of white space made single blanks
};

struct BibleChapter {
    int number = 0;
    std::vector<BibleVerse> verses;
};

struct BibleBookText {
    int number = 0;       // the tree's book number
    QString source_name;  // how the file names the book, for messages
    std::vector<BibleChapter> chapters;
};

enum class BibleFormat { Osis, Usfx, Zefania };

struct Bible {
    BibleFormat format = BibleFormat::Osis;
    QString title;  // the file's own title of the translation, when it has one
    std::vector<BibleBookText> books;  // in the tree's order of book numbers
    QStringList skipped_books;         // books the tree has no number for
};

struct BibleParse {
    std::optional<Bible> bible;
    QString error;  // in Russian, for the user; empty exactly when `bible` is set
};

// Caps on what one file may hold.
inline constexpr qsizetype kMaxBibleFileBytes = 64 * 1024 * 1024;
inline constexpr int kMaxBibleChapter = 200;   // Psalm 151 is the highest chapter of any book
inline constexpr int kMaxBibleVerse = 200;     // Psalm 118 (119) has 176 verses
inline constexpr int kMaxBibleVerses = 60000;  // a whole Bible with its deuterocanon has about 37 000
inline constexpr qsizetype kMaxBibleVerseChars = 20000;

// Reads a Bible in OSIS, USFX or Zefania XML. The format is told by the
// root element. Verses outside the caps, books the tree does not number and
// notes, headings and cross-references are left out; a file that is not
// well-formed XML, of another format, too large, or that holds no verse of a
// known book gives an error.
BibleParse ParseBible(const QByteArray& bytes);

}  // namespace indikt
