// The contents file of a hymn set: any text gives at most a set of short titles.
#include "lectionary/tropar.h"
#include "texts/cp1251.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace indikt;
    const QStringList titles = HymnTitles(DecodeFileText(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size))));
    if (titles.isEmpty() || titles.size() > kMaxHymnsOfASet)
        std::abort();
    for (const QString& title : titles)
        if (title.size() > kMaxHymnTitleLength)
            std::abort();
    return 0;
}
