#include "text_transforms.h"

#include <array>
#include <vector>

namespace indikt {

namespace {

constexpr QChar kBlank = u' ';

// Leftmost-first replacing with a replacement shorter than the pattern. The
// text is consumed from a stack of pending characters; whenever the output
// ends with the pattern, the pattern is taken back and the replacement is put
// in front of the pending characters, so it is searched again together with
// what precedes and follows it, exactly as a search from the beginning would.
// Every replacement shortens output plus pending text, so this ends.
QString ReplaceShrinking(QStringView text, QStringView find, QStringView with)
{
    std::vector<QChar> pending(text.rbegin(), text.rend());
    QString out;
    out.reserve(text.size());
    while (!pending.empty()) {
        out.append(pending.back());
        pending.pop_back();
        if (out.size() >= find.size() && QStringView(out).right(find.size()) == find) {
            out.chop(find.size());
            pending.insert(pending.end(), with.rbegin(), with.rend());
        }
    }
    return out;
}

// One forward pass; inserted text is never searched again.
QString ReplaceForward(QStringView text, QStringView find, QStringView with)
{
    QString out;
    out.reserve(text.size());
    qsizetype from = 0;
    for (;;) {
        const qsizetype at = text.indexOf(find, from);
        if (at < 0)
            break;
        out.append(text.sliced(from, at - from));
        out.append(with);
        from = at + find.size();
    }
    out.append(text.sliced(from));
    return out;
}

QString EscapeForAttribute(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar ch : text) {
        switch (ch.unicode()) {
        case u'&': out += u"&amp;"; break;
        case u'"': out += u"&quot;"; break;
        case u'<': out += u"&lt;"; break;
        case u'>': out += u"&gt;"; break;
        default: out += ch;
        }
    }
    return out;
}

}  // namespace

QString TrimBlanks(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] <= kBlank)
        ++begin;
    while (end > begin && text[end - 1] <= kBlank)
        --end;
    return text.sliced(begin, end - begin).toString();
}

QList<QStringView> SplitLines(QStringView text)
{
    QList<QStringView> lines;
    qsizetype begin = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (ch != u'\r' && ch != u'\n')
            continue;
        lines.append(text.sliced(begin, i - begin));
        if (ch == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        begin = i + 1;
    }
    if (begin < text.size())
        lines.append(text.sliced(begin));
    return lines;
}

QString Replace(QStringView text, QStringView find, QStringView with)
{
    if (find.isEmpty())
        return text.toString();
    if (with.size() < find.size())
        return ReplaceShrinking(text, find, with);
    return ReplaceForward(text, find, with);
}

QString TextVHTM(QStringView text, QStringView data_root)
{
    static constexpr std::array<QStringView, 2> kFolders = {u"Жития святых", u"Богослужение"};
    const QString root = EscapeForAttribute(data_root);
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        out += text[i];
        if (text[i] != u'"')
            continue;
        const QStringView rest = text.sliced(i + 1);
        for (const QStringView folder : kFolders) {
            if (rest.startsWith(folder)) {
                out += root;
                break;
            }
        }
    }
    return out;
}

QString TextR1(QStringView text)
{
    QString out = Replace(text, u"<h2>", u"<h3>");
    out = Replace(out, u"</h2>", u"</h3>");
    out = Replace(out, u"<h4>", u"<h5>");
    return Replace(out, u"</h4>", u"</h5>");
}

QString TextNoHTM(QStringView text)
{
    struct Step {
        QStringView find;
        QStringView with;
    };
    static constexpr Step kSteps[] = {
        {u"* ", u""}, {u"*", u""},
        {u"<p>", u""}, {u"</p>", u"\n"},
        {u"<h1>", u""}, {u"<h2>", u""}, {u"<h3>", u""}, {u"<h4>", u""}, {u"<h5>", u""},
        {u"</h1>", u"\n"}, {u"</h2>", u"\n"}, {u"</h3>", u"\n"}, {u"</h4>", u"\n"}, {u"</h5>", u"\n"},
        {u"<b>", u""}, {u"</b>", u""},
        {u"<font color=\"#FF0000\">", u""}, {u"</font>", u""},
        {u"<td>", u""}, {u"</td>", u""}, {u"<tr>", u""}, {u"</tr>", u""},
        {u"<table>", u""}, {u"</table>", u""}, {u"<center>", u""}, {u"</center>", u""},
        {u"<div>", u""}, {u"</div>", u""}, {u"<body>", u""}, {u"</body>", u""},
        {u"<html>", u""}, {u"</html>", u""},
    };
    QString out = text.toString();
    for (const Step& step : kSteps)
        out = Replace(out, step.find, step.with);
    return TextNoLink(out);
}

QString TextNoLink(QStringView text)
{
    static constexpr QStringView kOpen = u"<a";
    static constexpr QStringView kTagEnd = u"\">";
    static constexpr QStringView kClose = u"</a>";

    // `work` is the text still to scan, from `at` on. A label that holds
    // another "<a" is put back in front of the rest, so it is scanned again;
    // it is shorter than the anchor it came from, so this ends. The next tag
    // end and "</a>" are remembered, so text without them is searched once.
    QString work = text.toString();
    QString out;
    out.reserve(work.size());
    qsizetype at = 0;
    struct NextOf {
        QStringView pattern;
        qsizetype found = -2;  // -2: not searched yet; -1: none after `from`
        qsizetype from = 0;
        qsizetype in(const QString& text, qsizetype start)
        {
            if (found == -2 || (found >= 0 && found < start) || (found == -1 && start < from)) {
                found = text.indexOf(pattern, start);
                from = start;
            }
            return found;
        }
    };
    NextOf next_tag_end{kTagEnd};
    NextOf next_close{kClose};
    for (;;) {
        const qsizetype open = work.indexOf(kOpen, at);
        if (open < 0)
            break;
        out += QStringView(work).sliced(at, open - at);
        const qsizetype after_open = open + kOpen.size();
        const bool blank_follows = after_open < work.size() && work[after_open] <= kBlank;
        const qsizetype tag_end = blank_follows ? next_tag_end.in(work, after_open) : -1;
        const qsizetype close = tag_end >= 0 ? next_close.in(work, after_open) : -1;
        if (tag_end < 0 || close < 0 || close < tag_end + kTagEnd.size()) {
            out += kOpen;
            at = after_open;
            continue;
        }
        const qsizetype label_begin = tag_end + kTagEnd.size();
        const QString label = TrimBlanks(QStringView(work).sliced(label_begin, close - label_begin));
        const qsizetype rest = close + kClose.size();
        if (label.contains(kOpen)) {
            work = label + work.sliced(rest);
            at = 0;
            next_tag_end = NextOf{kTagEnd};
            next_close = NextOf{kClose};
        } else {
            out += label;
            at = rest;
        }
    }
    out += QStringView(work).sliced(at);
    return out;
}

}  // namespace indikt
