// RTF: any bytes read without fault, in work and memory bounded by their
// length. What the writer makes of a document is plain 7-bit RTF that reads
// back as the same document, without loss, and its text and HTML are built.
#include "texts/rtf.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace indikt;
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const RtfReadResult read = ReadRtf(bytes);
    if (!read.is_rtf) {
        if (!read.document.paragraphs.empty() || LooksLikeRtf(bytes))
            std::abort();
        return 0;
    }
    const QByteArray written = WriteRtf(read.document);
    if (written.size() > 64 * qsizetype(size) + 4096)
        std::abort();
    for (const char byte : written)
        if (byte <= 0)
            std::abort();
    const RtfReadResult again = ReadRtf(written);
    if (!again.lossless() || !(again.document == read.document))
        std::abort();
    if (WriteRtf(again.document) != written)
        std::abort();
    // A blank note is one whose text is only white space.
    if (IsBlankRtf(read.document) != PlainTextOfRtf(read.document).trimmed().isEmpty())
        std::abort();
    if (HtmlOfRtf(read.document).size() < PlainTextOfRtf(read.document).size())
        std::abort();
    return 0;
}
