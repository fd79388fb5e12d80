#include "json.h"

#include <charconv>

namespace indikt::cli {

void AppendJsonStringArray(std::string& out, const std::vector<std::string>& texts)
{
    out += '[';
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (i > 0)
            out += ',';
        AppendJsonString(out, texts[i]);
    }
    out += ']';
}

void AppendJsonString(std::string& out, std::string_view text)
{
    static constexpr char kHex[] = "0123456789abcdef";
    out += '"';
    std::size_t plain_from = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x20 && byte != '"' && byte != '\\')
            continue;
        out.append(text, plain_from, i - plain_from);
        plain_from = i + 1;
        switch (byte) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r':  // every line end is "\n": CR LF, LF CR and a lone CR alike
            if ((i + 1 == text.size() || text[i + 1] != '\n') && (i == 0 || text[i - 1] != '\n'))
                out += "\\n";
            break;
        case '\t': out += "\\t"; break;
        default:
            out += "\\u00";
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        }
    }
    out.append(text, plain_from, text.size() - plain_from);
    out += '"';
}

void AppendJsonInt(std::string& out, long long value)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

void AppendJsonKey(std::string& out, std::string_view key, bool first)
{
    if (!first)
        out += ',';
    AppendJsonString(out, key);
    out += ':';
}

}  // namespace indikt::cli
