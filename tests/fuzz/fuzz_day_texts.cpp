// The day record and the reading markup: any text gives a record and links
// without fault, in time that grows with the text alone.
#include "lectionary/lexionariy.h"
#include "lectionary/menaion.h"
#include "lectionary/tree_files.h"
#include "texts/cp1251.h"
#include "texts/data_files.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace indikt;
    const QString text = DecodeFileText(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    const DataRecord record = ParseRecord(text);
    (void)MesezURL(record.first);
    (void)MesezURLH3(record.second);
    (void)MesezNoURL(record.third);
    static const TreeFiles files(QStringLiteral("/nonexistent-indikt-root"));
    for (const ReadingKind kind : {ReadingKind::Gospel, ReadingKind::Apostle, ReadingKind::OldTestament})
        (void)LexionarURL(files, text, kind, BibleLanguage::Slavonic);
    return 0;
}
