#include "text_match.h"

namespace indikt {

namespace {

bool IsWordCharacter(QChar c) { return c.isLetterOrNumber() || c == '_' || c.isMark(); }

bool IsWholeWord(QStringView plain, qsizetype position, qsizetype length)
{
    if (position > 0 && IsWordCharacter(plain[position - 1]))
        return false;
    const qsizetype end = position + length;
    return end >= plain.size() || !IsWordCharacter(plain[end]);
}

}  // namespace

qsizetype FindMatch(QStringView plain, const MatchOptions& options, qsizetype from)
{
    if (options.text.isEmpty())
        return -1;
    const Qt::CaseSensitivity sensitivity = options.match_case ? Qt::CaseSensitive : Qt::CaseInsensitive;
    qsizetype at = std::max<qsizetype>(0, from);
    while (at <= plain.size()) {
        const qsizetype found = plain.indexOf(options.text, at, sensitivity);
        if (found < 0)
            return -1;
        if (!options.whole_word || IsWholeWord(plain, found, options.text.size()))
            return found;
        at = found + 1;
    }
    return -1;
}

QList<qsizetype> FindAllMatches(QStringView plain, const MatchOptions& options)
{
    QList<qsizetype> found;
    qsizetype at = 0;
    while ((at = FindMatch(plain, options, at)) >= 0) {
        found << at;
        at += options.text.size();
    }
    return found;
}

QString ExcerptAround(QStringView plain, qsizetype position, qsizetype length, qsizetype context)
{
    qsizetype start = std::max<qsizetype>(0, position - context);
    qsizetype end = std::min(plain.size(), position + length + context);
    // Never a half of a surrogate pair at either end.
    if (start > 0 && plain[start].isLowSurrogate())
        --start;
    if (end < plain.size() && end > 0 && plain[end - 1].isHighSurrogate())
        ++end;
    QString excerpt = plain.mid(start, end - start).toString();
    excerpt.replace('\n', ' ');
    return (start > 0 ? "…" : "") + excerpt.trimmed() + (end < plain.size() ? "…" : "");
}

}  // namespace indikt
