// The update file of a site: any answer gives a version or none, never a
// crash; an answer that is no update file at one status is none at all.
#include "texts/update_file.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace indikt;
    const QByteArray body(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<int> version = VersionOfAnswer(200, body, 253);
    if (version && *version < 0)
        std::abort();
    if (VersionOfAnswer(404, body, 253) || VersionOfAnswer(500, body, 253))
        std::abort();
    (void)VersionNumberOf(std::string_view(body.constData(), std::size_t(body.size())));
    return 0;
}
