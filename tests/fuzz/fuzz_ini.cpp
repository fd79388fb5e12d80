// The INI reader and writer: any bytes parse; what is written parses back to
// the same values; a value set reads back as set.
#include "texts/ini_file.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace indikt;
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    IniFile file = IniFile::parse(bytes);
    const QByteArray written = file.toBytes();
    const IniFile again = IniFile::parse(written);
    for (const QString& section : file.sectionNames())
        for (const QString& key : file.keyNames(section))
            if (file.value(section, key) != again.value(section, key))
                std::abort();
    if (file.setValue(u"Windows", u"OneCopy", u"1") && IniFile::parse(file.toBytes()).value(u"Windows", u"OneCopy") != u"1")
        std::abort();
    return 0;
}
