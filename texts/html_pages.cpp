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

}  // namespace indikt
