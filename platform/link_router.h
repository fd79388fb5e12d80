#pragma once

// Where a click on a link of a text pane leads. The panes never follow a link
// themselves: every click comes here, and the answer is the viewer pane, a
// new viewer window or the user's browser, or nothing at all. A local address
// never leaves the data root; only web and mail addresses leave the program.

#include <QString>
#include <QUrl>

namespace indikt {

enum class LinkPane { Menaion, Lectionary, Troparia, PrayerBook, Lives, Viewer };
// Browser: the desktop's opener, the user's browser for web addresses and
// local pages, the player for a recording.
enum class LinkTarget { Ignore, Viewer, ViewerWindow, Browser };
// The readings of the home prayer rule a followed Bible link marks as read.
enum class ReadingMark { None, OldTestament, Gospel, Apostle, Psalter };

struct LinkRoute {
    LinkTarget target = LinkTarget::Ignore;
    QUrl address;      // a file inside the data root (with its fragment), or a web address
    QString caption;   // the viewer's caption; empty keeps the one it has
    ReadingMark mark = ReadingMark::None;
};

// `tip_explorer` is the setting "TipExplorer": 0 local pages in the viewer
// and web addresses in the browser, 1 a new viewer window, otherwise the
// browser for everything. A recording of the tree (audio or video) always
// goes to the desktop's opener.
LinkRoute RouteLink(LinkPane pane, const QUrl& clicked, const QString& data_root, int tip_explorer);

// A path relative to the data root, as the tree writes it ("Библия\b_slv\b_slv52.html"):
// characters 19 and 20 give the book of a Bible link.
ReadingMark ReadingMarkOf(const QString& relative_path);

// Whether a file is an audio or video recording, by its suffix.
bool IsMediaFile(const QString& path);

// Whether an address is a web or mail address (it then goes to the browser).
bool IsOutsideAddress(const QString& address);

// An address as a browser takes it: "www." gets "http://", everything encoded.
QUrl BrowserUrl(const QString& address);

// `UTFLatiniza`: the address percent-encoded for a browser (all of it, capital
// letters included).
QString UTFLatiniza(const QString& address);

// The external opener takes only web and mail addresses and files inside the
// data root of the kinds a viewer shows; never a program or a desktop entry.
bool IsSafeToOpenExternally(const QUrl& url, const QString& data_root);

// The local file a link names, inside the data root, or empty when it names
// none: relative links are taken against the data root, backslashes as '/'.
QString LocalPathOf(const QUrl& clicked, const QString& data_root);

}  // namespace indikt
