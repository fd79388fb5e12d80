// "Памятка.txt": any text reads without fault; what the program writes of it
// reads back without damage, and from then on reading and writing change
// nothing. (A file of another form, such as one without the header, is
// normalised by its first save: its computed columns may move once.)
#include "records/memo_file.h"

#include "texts/cp1251.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace indikt;
    const MemoClock clock{FromCivil(2025, 3, 1), 10 * 60};
    const QString text = DecodeFileText(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    const QString written = MemoFileText(ParseMemoText(text, clock).lists, clock);
    const MemoReadResult again = ParseMemoText(written, clock);
    if (again.damaged != 0)
        std::abort();
    const QString normalised = MemoFileText(again.lists, clock);
    if (MemoFileText(ParseMemoText(normalised, clock).lists, clock) != normalised)
        std::abort();
    // The bytes on disk read back as the same text.
    if (DecodeFileText(EncodeFileText(normalised)) != normalised)
        std::abort();
    return 0;
}
