// Bibles in OSIS, USFX and Zefania XML: any bytes give a Bible within the caps
// or an error, never both and never a fault.
#include "texts/bible_formats.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace indikt;
    const BibleParse parse = ParseBible(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (parse.bible.has_value() == !parse.error.isEmpty())
        std::abort();
    if (!parse.bible)
        return 0;
    int verses = 0;
    for (const BibleBookText& book : parse.bible->books) {
        if (!TreeBibleBook(book.number))
            std::abort();
        for (const BibleChapter& chapter : book.chapters) {
            if (chapter.number < 1 || chapter.number > kMaxBibleChapter)
                std::abort();
            for (const BibleVerse& verse : chapter.verses) {
                if (verse.number < 1 || verse.number > kMaxBibleVerse || verse.text.size() > kMaxBibleVerseChars)
                    std::abort();
                ++verses;
            }
        }
    }
    if (verses > kMaxBibleVerses)
        std::abort();
    return 0;
}
