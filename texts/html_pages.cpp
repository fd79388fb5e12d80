#include "html_pages.h"

#include "cp1251.h"

#include <QRegularExpression>

namespace indikt {

namespace {

// Each piece is one literal, as the pages have always been written.
constexpr char kHeadStart[] =
    "<head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\"><link href=\"";
constexpr char kLectionaryHeadEnd[] =
    "Богослужение\\_css\\lz.css\" rel=\"stylesheet\" type=\"text/css\"></head><body><div align=\"center\"><center>"
    "<table border=\"0\"><tr><td>";
constexpr char kMenaionRedHeadEnd[] =
    "Богослужение\\_css\\ms.css\" rel=\"stylesheet\" type=\"text/css\"></head><body link=\"#FF0000\" "
    "vlink=\"#FF0000\" alink=\"#FF0000\"><div class=Section1 align=\"center\"><center><table border=\"0\"><tr><td>";
constexpr char kMenaionBlackHeadEnd[] =
    "Богослужение\\_css\\ms.css\" rel=\"stylesheet\" type=\"text/css\"></head><body link=\"##000000\" "
    "vlink=\"##000000\" alink=\"##000000\"><div class=Section1 align=\"center\"><center><table border=\"0\"><tr><td>";
constexpr char kBodyEnd[] = "</td></tr></table></center></div></body>";

}  // namespace

QString AttributePath(const QString& data_root)
{
    QString root = data_root;
    if (!root.endsWith('/'))
        root += '/';
    QString escaped;
    escaped.reserve(root.size());
    for (const QChar c : root) {
        switch (c.unicode()) {
        case '%': escaped += "%25"; break;
        case '#': escaped += "%23"; break;
        case '?': escaped += "%3F"; break;
        case '"': escaped += "&quot;"; break;
        case '&': escaped += "&amp;"; break;
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        default: escaped += c;
        }
    }
    return escaped;
}

QString LectionaryPage(const QString& data_root, const QString& text)
{
    return "<html>" + QString::fromUtf8(kHeadStart) + AttributePath(data_root) + QString::fromUtf8(kLectionaryHeadEnd) +
           text + QString::fromUtf8(kBodyEnd) + "</html>";
}

QString MenaionPage(const QString& data_root, const QString& text, bool red_links)
{
    return "<html>" + QString::fromUtf8(kHeadStart) + AttributePath(data_root) +
           QString::fromUtf8(red_links ? kMenaionRedHeadEnd : kMenaionBlackHeadEnd) + text +
           QString::fromUtf8(kBodyEnd) + "</html>";
}

QString DecodePageText(QByteArrayView bytes)
{
    static const QRegularExpression charset(QStringLiteral("charset\\s*=\\s*[\"']?([A-Za-z0-9_-]+)"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QString head = QString::fromLatin1(bytes.first(std::min<qsizetype>(bytes.size(), 2048)));
    const QRegularExpressionMatch match = charset.match(head);
    if (match.hasMatch()) {
        const QString name = match.captured(1).toLower();
        if (name == "utf-8" || name == "utf8") {
            QByteArrayView body = bytes;
            if (body.startsWith("\xEF\xBB\xBF"))
                body = body.sliced(3);
            return QString::fromUtf8(body);
        }
        if (name == "windows-1251" || name == "cp1251")
            return DecodeCp1251(bytes);
    }
    return DecodeFileText(bytes);
}

namespace {

// Elements that never hold others.
bool IsVoidElement(QStringView name)
{
    static const char* const kVoid[] = {"area", "base", "br", "col", "embed", "hr", "img", "input",
                                        "link", "meta", "param", "source", "track", "wbr"};
    for (const char* element : kVoid)
        if (name.compare(QLatin1String(element), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

}  // namespace

BoundedPage BoundPageHtml(const QString& html, const PageLimits& limits)
{
    int tags = 0;
    int depth = 0;
    int table_depth = 0;
    int cells = 0;
    qsizetype cut_at = -1;
    const qsizetype size = html.size();
    for (qsizetype i = 0; i < size;) {
        if (i >= limits.characters) {
            cut_at = i;
            break;
        }
        if (html[i] != u'<') {
            ++i;
            continue;
        }
        const qsizetype start = i;
        if (QStringView(html).sliced(i).startsWith(u"<!--")) {
            const qsizetype end = html.indexOf(QStringLiteral("-->"), i + 4);
            i = end < 0 ? size : end + 3;
            continue;
        }
        qsizetype j = i + 1;
        const bool closing = j < size && html[j] == u'/';
        if (closing)
            ++j;
        const qsizetype name_start = j;
        while (j < size && (html[j].isLetterOrNumber() || html[j] == u'-' || html[j] == u':'))
            ++j;
        const QStringView name = QStringView(html).sliced(name_start, j - name_start);
        const qsizetype end = html.indexOf(u'>', j);
        i = end < 0 ? size : end + 1;
        if (name.isEmpty())
            continue;  // "<" as text, "<!DOCTYPE", "<?xml"
        const bool self_closing = end > 0 && html[end - 1] == u'/';
        const bool table = name.compare(u"table", Qt::CaseInsensitive) == 0;
        const bool cell = name.compare(u"td", Qt::CaseInsensitive) == 0 || name.compare(u"th", Qt::CaseInsensitive) == 0;
        if (closing) {
            depth = qMax(0, depth - 1);
            if (table)
                table_depth = qMax(0, table_depth - 1);
            continue;
        }
        ++tags;
        if (!self_closing && !IsVoidElement(name))
            ++depth;
        table_depth += table;
        cells += cell;
        if (tags > limits.tags || depth > limits.depth || table_depth > limits.table_depth ||
            cells > limits.table_cells) {
            cut_at = start;
            break;
        }
    }
    if (cut_at < 0)
        return {html, false};
    // Cut before a tag, never inside one.
    qsizetype at = cut_at;
    const qsizetype open = html.lastIndexOf(u'<', at > 0 ? at - 1 : 0);
    if (open >= 0 && html.indexOf(u'>', open) >= at)
        at = open;
    return {html.left(at) + QString::fromUtf8(kPageCutNotice), true};
}

}  // namespace indikt
