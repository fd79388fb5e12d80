#include "page_text.h"

#include <QHash>

namespace indikt {

namespace {

bool IsBlank(QChar c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }

// Tags whose ends are line ends in a pane.
bool IsBlockTag(QStringView name)
{
    static const char* const kBlocks[] = {"p",  "br", "div", "h1", "h2", "h3",         "h4", "h5", "h6",
                                          "li", "tr", "table", "ul", "ol", "blockquote", "hr", "dd", "dt",
                                          "center", "pre", "title"};
    for (const char* block : kBlocks)
        if (name.compare(QLatin1StringView(block), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// Elements whose content a pane does not show.
bool IsHiddenElement(QStringView name)
{
    for (const char* hidden : {"head", "style", "script", "title"})
        if (name.compare(QLatin1StringView(hidden), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// A character reference at `at` ('&'): its character and length, or none.
bool DecodeReference(QStringView html, qsizetype at, QString* out, qsizetype* length)
{
    // The longest reference the pages use is short: look no further.
    const qsizetype semicolon = html.mid(at + 1, 10).indexOf(';');
    if (semicolon < 0)
        return false;
    const qsizetype end = at + 1 + semicolon;
    const QStringView name = html.mid(at + 1, end - at - 1);
    *length = end - at + 1;
    if (name.startsWith('#')) {
        bool ok = false;
        const uint code = name.size() > 1 && (name[1] == 'x' || name[1] == 'X') ? name.mid(2).toUInt(&ok, 16)
                                                                                   : name.mid(1).toUInt(&ok, 10);
        if (!ok || code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        *out = QString::fromUcs4(reinterpret_cast<const char32_t*>(&code), 1);
        return true;
    }
    static const QHash<QString, QChar> kNames = {
        {"amp", '&'},          {"lt", '<'},           {"gt", '>'},           {"quot", '"'},
        {"apos", '\''},        {"nbsp", QChar(0xA0)}, {"laquo", QChar(0xAB)}, {"raquo", QChar(0xBB)},
        {"mdash", QChar(0x2014)}, {"ndash", QChar(0x2013)}, {"hellip", QChar(0x2026)},
        {"copy", QChar(0xA9)}, {"shy", QChar(0xAD)},   {"bdquo", QChar(0x201E)}, {"ldquo", QChar(0x201C)},
        {"rdquo", QChar(0x201D)}, {"middot", QChar(0xB7)}};
    const auto found = kNames.constFind(name.toString());
    if (found == kNames.cend())
        return false;
    *out = *found;
    return true;
}

class PlainWriter {
public:
    explicit PlainWriter(qsizetype reserve) { text_.reserve(reserve); }
    void character(QChar c)
    {
        if (IsBlank(c)) {
            pending_blank_ = true;
            return;
        }
        if (pending_blank_ && !text_.isEmpty() && !text_.endsWith('\n'))
            text_ += ' ';
        pending_blank_ = false;
        text_ += c;
    }
    void text(const QString& decoded)
    {
        for (QChar c : decoded)
            character(c);
    }
    void lineEnd()
    {
        pending_blank_ = false;
        if (!text_.isEmpty() && !text_.endsWith('\n'))
            text_ += '\n';
    }
    QString take()
    {
        while (text_.endsWith('\n'))
            text_.chop(1);
        return std::move(text_);
    }

private:
    QString text_;
    bool pending_blank_ = false;
};

}  // namespace

QString PlainTextOfHtml(QStringView html)
{
    PlainWriter out(html.size() / 2);
    const qsizetype size = html.size();
    // Every scan forward is done once: what was not found from some place on
    // is not sought again, so the work stays linear in the page.
    qsizetype no_tag_end_from = size + 1;
    QHash<QString, qsizetype> no_end_tag_from;
    qsizetype i = 0;
    while (i < size) {
        const QChar c = html[i];
        if (c == '&') {
            QString decoded;
            qsizetype length = 0;
            if (DecodeReference(html, i, &decoded, &length)) {
                out.text(decoded);
                i += length;
            } else {
                out.character(c);
                ++i;
            }
            continue;
        }
        if (c != '<') {
            out.character(c);
            ++i;
            continue;
        }
        if (html.mid(i, 4) == u"<!--") {
            const qsizetype end = html.indexOf(u"-->", i + 4);
            i = end < 0 ? size : end + 3;
            continue;
        }
        qsizetype close = -1;
        if (i < no_tag_end_from) {
            close = html.indexOf('>', i + 1);
            if (close < 0)
                no_tag_end_from = i;
        }
        qsizetype name_start = i + 1;
        const bool closing = name_start < size && html[name_start] == '/';
        if (closing)
            ++name_start;
        qsizetype name_end = name_start;
        while (name_end < size && (html[name_end].isLetterOrNumber() || html[name_end] == '!'))
            ++name_end;
        if (close < 0 || name_end == name_start) {
            out.character(c);  // a '<' that opens no tag is shown as it is
            ++i;
            continue;
        }
        const QStringView name = html.mid(name_start, name_end - name_start);
        i = close + 1;
        if (!closing && IsHiddenElement(name)) {
            // Everything up to the element's end tag is hidden.
            const QString end_tag = "</" + name.toString().toLower();
            const auto known = no_end_tag_from.constFind(end_tag);
            const qsizetype end = known != no_end_tag_from.cend() && i >= *known
                                      ? -1
                                      : html.indexOf(end_tag, i, Qt::CaseInsensitive);
            if (end < 0)
                no_end_tag_from.insert(end_tag, i);
            if (end >= 0) {
                const qsizetype end_close = html.indexOf('>', end);
                i = end_close < 0 ? size : end_close + 1;
            }
            out.lineEnd();
            continue;
        }
        if (IsBlockTag(name))
            out.lineEnd();
        else if (name.compare(u"td", Qt::CaseInsensitive) == 0 || name.compare(u"th", Qt::CaseInsensitive) == 0)
            out.character(' ');
    }
    return out.take();
}

}  // namespace indikt
