// The plain text of a page and the search in it: never longer than the page,
// no blank line, no blank at a line's start, and every match found is the
// text searched for, in order and not overlapping.
#include "walks/page_text.h"
#include "walks/text_match.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace indikt;
    const QString page = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString plain = PlainTextOfHtml(page);
    if (plain.size() > page.size() || plain.contains("\n\n") || plain.contains("\n ") || plain.startsWith(' ') ||
        plain.startsWith('\n'))
        std::abort();
    // The first few characters of the page are the text sought.
    for (bool match_case : {false, true}) {
        for (bool whole_word : {false, true}) {
            const MatchOptions options{page.left(3), match_case, whole_word};
            qsizetype after = 0;
            for (qsizetype at : FindAllMatches(plain, options)) {
                if (at < after ||
                    plain.mid(at, options.text.size()).compare(options.text, match_case ? Qt::CaseSensitive
                                                                                         : Qt::CaseInsensitive) != 0)
                    std::abort();
                after = at + options.text.size();
            }
        }
    }
    return 0;
}
