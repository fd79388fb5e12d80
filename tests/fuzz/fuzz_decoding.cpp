// Decoding the tree's text files (Windows-1251, or UTF-8 when an editor
// re-saved them): any bytes decode; text the code page holds encodes back.
#include "texts/cp1251.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace indikt;
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString text = DecodeFileText(bytes);
    if (const std::optional<QByteArray> encoded = EncodeCp1251(text)) {
        if (DecodeCp1251(*encoded) != text)
            std::abort();
    } else if (FitsCp1251(text)) {
        std::abort();
    }
    return 0;
}
