#pragma once

// The one pane class of every HTML text of the program: the Menaion,
// lectionary, troparia, prayer-book and lives panes, the viewer and the
// hidden print pane. It reads the tree's pages itself (backslashes as '/',
// Windows-1251 or the page's own charset, resources only from inside the
// data root), never follows a link (every click is reported for the router),
// and hides its scroll bar when the page fits.

#include <QList>
#include <QTextBrowser>

class QMenu;

namespace indikt {

// The text engine scales headings by their level even when the page's style
// sheet gives them a size, so an h5 of 12pt came out at 7pt. Headings whose
// size the page sets are shown at that size; the engine's own scaling stays
// for headings of pages that set no size at all.
void HonourStyleSheetFontSizes(QTextDocument& document);

class HtmlPane : public QTextBrowser {
    Q_OBJECT
public:
    HtmlPane(const QString& data_root, QWidget* parent = nullptr);

    // A built page; its relative addresses are taken against the data root.
    void showPage(const QString& html);
    // A page of the tree, by absolute path or relative to the data root;
    // false (and the pane left as it was) when the file is missing or outside
    // the root. The busy flag is set meanwhile.
    bool showFile(const QString& path);
    void clearPage();
    bool busy() const { return busy_; }

    // Links red (the Menaion's choice) or black; blue otherwise.
    enum class LinkColour { Default, Red, Black };
    void setLinkColour(LinkColour colour);

    // The zoom of the viewer, 50 to 200 per cent.
    void setZoom(int percent);
    int zoom() const { return zoom_; }

    // The source of the page shown: the file's text, or the built page.
    QString pageSource() const { return source_text_; }

    QVariant loadResource(int type, const QUrl& name) override;

    // Menus of the window's commands that the pane's context menu offers
    // after the pane's own copy and select commands (owned by the window).
    void setContextMenus(QList<QMenu*> menus) { context_menus_ = std::move(menus); }

signals:
    // A link was clicked; the pane did not follow it.
    void linkClicked(const QUrl& address);

protected:
    void doSetSource(const QUrl& name, QTextDocument::ResourceType type) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QString resolve(const QUrl& name) const;
    // The link under the mouse is underlined, whatever colour the page gives it.
    void markHoveredLink(const QPoint& at);
    void fitScrollBar();

    QString data_root_;
    QString source_text_;
    bool busy_ = false;
    int zoom_ = 100;
    qreal base_point_size_ = 0;
    QList<QMenu*> context_menus_;
    QString hovered_link_;
};

}  // namespace indikt
