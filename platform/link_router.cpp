#include "link_router.h"

#include <QDir>
#include <QFileInfo>

namespace indikt {

namespace {

QString ViewerCaption(LinkPane pane)
{
    switch (pane) {
    case LinkPane::Menaion: return "Жития святых";
    case LinkPane::Lectionary: return "Библия";
    case LinkPane::Troparia: return "Молитвослов";
    case LinkPane::PrayerBook: return "Молитвослов";
    case LinkPane::Lives: return "Жития святых";
    case LinkPane::Viewer: return {};
    }
    return {};
}

QString Root(const QString& data_root)
{
    QString root = QDir::cleanPath(data_root);
    return root.endsWith('/') ? root.chopped(1) : root;
}

bool Inside(const QString& path, const QString& root) { return path.startsWith(root + "/"); }

// The path with every symbolic link resolved; for a file that does not exist,
// its nearest existing folder resolved and the rest kept.
QString RealPath(const QString& path)
{
    QString existing = path;
    QString rest;
    while (!existing.isEmpty() && existing != "/") {
        const QString real = QFileInfo(existing).canonicalFilePath();
        if (!real.isEmpty())
            return rest.isEmpty() ? real : real + rest;
        const qsizetype slash = existing.lastIndexOf('/');
        if (slash < 0)
            break;
        rest.prepend(existing.mid(slash));
        existing.truncate(slash);
    }
    return path;
}

}  // namespace

// Recordings of the tree: the desktop's player opens them, a text viewer cannot.
bool IsMediaFile(const QString& path)
{
    static const QStringList kMedia = {"mp3", "ogg", "oga", "opus", "wav", "flac", "m4a", "aac", "wma", "mid", "midi",
                                       "mp4", "m4v", "webm", "ogv", "avi", "mkv", "mov", "wmv", "mpg", "mpeg", "flv", "3gp"};
    return kMedia.contains(QFileInfo(path).suffix().toLower());
}

bool IsOutsideAddress(const QString& address)
{
    const QString start = address.left(7).toLower();
    return start.startsWith("http") || start.startsWith("ftp:") || start.startsWith("www.") ||
           start.startsWith("mailto:");
}

QUrl BrowserUrl(const QString& address)
{
    const QString trimmed = address.trimmed();
    return QUrl(trimmed.startsWith("www.", Qt::CaseInsensitive) ? "http://" + trimmed : trimmed, QUrl::TolerantMode);
}

QString UTFLatiniza(const QString& address)
{
    const QUrl url = IsOutsideAddress(address) ? BrowserUrl(address) : QUrl::fromLocalFile(address);
    return QString::fromLatin1(url.toEncoded());
}

QString LocalPathOf(const QUrl& clicked, const QString& data_root)
{
    const QString root = Root(data_root);
    QString path;
    if (clicked.isLocalFile())
        path = clicked.toLocalFile();
    else if (clicked.scheme().isEmpty())
        path = clicked.path(QUrl::FullyDecoded);
    else
        return {};  // no other scheme names a file of ours
    path.replace('\\', '/');
    if (path.isEmpty())
        return {};
    if (!QDir::isAbsolutePath(path))
        path = root + "/" + path;
    path = QDir::cleanPath(path);
    if (!Inside(path, root))
        return {};
    // A link inside the tree must not lead out of it.
    const QString real_root = RealPath(root);
    if (!Inside(RealPath(path), real_root))
        return {};
    return path;
}

ReadingMark ReadingMarkOf(const QString& relative_path)
{
    QString path = relative_path;
    path.replace('/', '\\');
    if (path.startsWith("Библия\\psalm"))
        return ReadingMark::Psalter;
    if (!path.startsWith("Библия\\b_"))
        return ReadingMark::None;
    bool ok = false;
    const int book = path.mid(18, 2).toInt(&ok);
    if (!ok)
        return ReadingMark::None;
    if (book >= 1 && book <= 50)
        return ReadingMark::OldTestament;
    if (book >= 51 && book <= 54)
        return ReadingMark::Gospel;
    if (book >= 55 && book <= 77)
        return ReadingMark::Apostle;
    return ReadingMark::None;
}

LinkRoute RouteLink(LinkPane pane, const QUrl& clicked, const QString& data_root, int tip_explorer)
{
    LinkRoute route;
    const QString raw = clicked.toString();
    if (IsOutsideAddress(raw)) {
        route.target = LinkTarget::Browser;
        route.address = BrowserUrl(raw);
        return route;
    }
    const QString path = LocalPathOf(clicked, data_root);
    if (path.isEmpty())
        return route;  // nothing of ours: the click does nothing
    route.address = QUrl::fromLocalFile(path);
    if (clicked.hasFragment())
        route.address.setFragment(clicked.fragment(QUrl::FullyDecoded));
    route.caption = ViewerCaption(pane);
    if (pane == LinkPane::Lectionary)
        route.mark = ReadingMarkOf(path.mid(Root(data_root).size() + 1));
    route.target = IsMediaFile(path)                             ? LinkTarget::Browser
                   : pane == LinkPane::Viewer || tip_explorer == 0 ? LinkTarget::Viewer
                   : tip_explorer == 1                             ? LinkTarget::ViewerWindow
                                                                   : LinkTarget::Browser;
    return route;
}

bool IsSafeToOpenExternally(const QUrl& url, const QString& data_root)
{
    const QString scheme = url.scheme().toLower();
    if (scheme == "http" || scheme == "https" || scheme == "ftp" || scheme == "mailto")
        return url.isValid() && (scheme == "mailto" || !url.host().isEmpty());
    if (!url.isLocalFile())
        return false;
    // The real file, links resolved, must lie inside the real data root.
    const QFileInfo file(url.toLocalFile());
    const QString real = file.canonicalFilePath();
    const QString root = QFileInfo(Root(data_root)).canonicalFilePath();
    if (real.isEmpty() || root.isEmpty() || !Inside(real, root))
        return false;
    if (file.isDir())
        return true;  // a folder of the tree opens in the file manager
    if (!file.isFile())
        return false;
    static const QStringList kViewable = {"htm", "html", "txt", "css", "pdf", "jpg", "jpeg", "png", "gif", "bmp", "djvu", "rtf"};
    return kViewable.contains(file.suffix().toLower()) || IsMediaFile(file.fileName());
}

}  // namespace indikt
