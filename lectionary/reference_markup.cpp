#include "reference_markup.h"

namespace indikt {

QString ReplaceReferences(const QString& text, const std::function<QString(const QString&, const QString&)>& link)
{
    QString out;
    qsizetype at = 0;
    while (at < text.size()) {
        const qsizetype open = text.indexOf('[', at);
        const qsizetype equals = open < 0 ? -1 : text.indexOf('=', open + 1);
        const qsizetype close = equals < 0 ? -1 : text.indexOf(']', equals + 1);
        if (open < 0 || equals < 0 || close < 0) {
            out += text.mid(at);
            break;
        }
        out += text.mid(at, open - at);
        out += link(text.mid(open + 1, equals - open - 1), text.mid(equals + 1, close - equals - 1).trimmed());
        at = close + 1;
    }
    return out;
}

}  // namespace indikt
