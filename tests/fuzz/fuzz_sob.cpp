// "sob.ini": any file gives settings within their ranges.
#include "records/sob_settings.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace indikt;
    const IniFile file = IniFile::parse(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    const SobSettings settings = ReadSobSettings(file);
    if (settings.feast_days < 0 || settings.feast_days > kMaxMessageDays || settings.jubilee_days < 0 ||
        settings.jubilee_days > kMaxMessageDays)
        std::abort();
    IniFile written;
    WriteSobSettings(written, settings);
    const SobSettings again = ReadSobSettings(IniFile::parse(written.toBytes()));
    if (again.feast_days != settings.feast_days && settings.feast_messages)
        std::abort();
    return 0;
}
