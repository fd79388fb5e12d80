// "Закладки.txt": any file gives unique names with dates of the calendar,
// and the list written back reads as the same list.
#include "calendar/paschalion.h"
#include "records/bookmarks.h"
#include "texts/cp1251.h"

#include <QSet>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace indikt;
    const QString text = DecodeFileText(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    const BookmarksReadResult read = ParseBookmarksText(text);
    QSet<QString> names;
    for (const Bookmark& bookmark : read.list.items()) {
        if (!IsAcceptedDate(bookmark.date) || !BookmarkNameProblem(bookmark.name).isEmpty())
            std::abort();
        names.insert(bookmark.name);
    }
    if (names.size() != read.list.size() || read.list.size() > kMaxBookmarks)
        std::abort();
    const BookmarksReadResult again = ParseBookmarksText(BookmarksFileText(read.list, kFirstDate));
    if (!(again.list == read.list) || !again.clean())
        std::abort();
    return 0;
}
