#include "update_file.h"

#include "ini_file.h"

#include <charconv>

namespace indikt {

namespace {

constexpr int kDigitsPerPart = 3;

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }

}  // namespace

int VersionNumberOf(std::string_view dotted)
{
    int number = 0;
    for (int part = 0; part < kDigitsPerPart; ++part) {
        const std::size_t point = dotted.find('.');
        const std::string_view text = dotted.substr(0, point);
        int value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (error != std::errc() || end != text.data() + text.size() || value < 0 || value > 9)
            value = 0;  // each part is one digit of the number
        number = number * 10 + value;
        dotted = point == std::string_view::npos ? std::string_view() : dotted.substr(point + 1);
    }
    return number;
}

int ProgramVersionNumber() { return VersionNumberOf(INDIKT_VERSION); }

std::optional<int> VersionOfAnswer(int http_status, const QByteArray& body, int own_version)
{
    if (http_status < 200 || http_status > 299 || body.isEmpty() || body.size() > kMaxUpdateFileBytes)
        return std::nullopt;
    // An HTML page (a portal's login, a "not found" page) may hold anything
    // between brackets: it is no update file, whatever it holds.
    qsizetype first = 0;
    while (first < body.size() && IsBlankOrControl(body[first]))
        ++first;
    if (first < body.size() && body[first] == '<')
        return std::nullopt;
    const IniFile file = IniFile::parse(body);
    bool has_section = false;
    for (const QString& name : file.sectionNames())
        has_section = has_section || name.compare(u"version", Qt::CaseInsensitive) == 0;
    if (!has_section)
        return std::nullopt;
    bool ok = false;
    const int version = file.value(u"version", u"indvr", QString()).toInt(&ok);
    return ok && version >= 0 ? version : own_version;
}

}  // namespace indikt
