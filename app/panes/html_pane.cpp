#include "html_pane.h"

#include "platform/link_router.h"
#include "texts/data_files.h"
#include "texts/html_pages.h"

#include <QContextMenuEvent>
#include <QDir>
#include <QMenu>
#include <QMouseEvent>
#include <QFileInfo>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <memory>

namespace indikt {

namespace {
// A style sheet of the tree is a few kilobytes.
constexpr qsizetype kMaxStyleSheetBytes = 256 * 1024;

// While a page is parsed and its headings mended, its document is not laid
// out: a document without a page size leaves its layout undone, and is laid
// out once when the size comes back. Without the pause the heading pass laid
// the whole page out a second time, and the scroll bar, gone with the old
// page and back with the new, a third.
class LayoutPause {
public:
    explicit LayoutPause(QTextDocument& document) : document_(document), page_size_(document.pageSize())
    {
        document_.setPageSize(QSizeF(0, 0));
    }
    ~LayoutPause() { document_.setPageSize(page_size_); }
    LayoutPause(const LayoutPause&) = delete;
    LayoutPause& operator=(const LayoutPause&) = delete;

private:
    QTextDocument& document_;
    const QSizeF page_size_;
};
}  // namespace

HtmlPane::HtmlPane(const QString& data_root, QWidget* parent)
    : QTextBrowser(parent), data_root_(QDir::cleanPath(data_root))
{
    setOpenLinks(false);
    setOpenExternalLinks(false);
    base_point_size_ = font().pointSizeF();
    connect(this, &QTextBrowser::anchorClicked, this, [this](const QUrl& address) {
        if (!busy_)
            emit linkClicked(address);
    });
}

void HonourStyleSheetFontSizes(QTextDocument& document)
{
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() == 0)
            continue;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextCharFormat format = fragment.charFormat();
            if (!format.hasProperty(QTextFormat::FontSizeAdjustment) ||
                !(format.hasProperty(QTextFormat::FontPointSize) || format.hasProperty(QTextFormat::FontPixelSize)))
                continue;
            format.clearProperty(QTextFormat::FontSizeAdjustment);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(format);
        }
    }
    cursor.endEditBlock();
}

QString HtmlPane::resolve(const QUrl& name) const { return LocalPathOf(name, data_root_); }

QVariant HtmlPane::loadResource(int type, const QUrl& name)
{
    const QString path = resolve(name);
    if (path.isEmpty())
        return {};  // nothing is fetched from outside the data root
    const std::optional<QByteArray> bytes = ReadFileBytes(path, kMaxDataFileBytes);
    if (!bytes)
        return {};
    if (type == QTextDocument::HtmlResource)
        return BoundPageHtml(DecodePageText(*bytes)).html;
    if (type == QTextDocument::StyleSheetResource || type == QTextDocument::MarkdownResource)
        return DecodePageText(bytes->left(kMaxStyleSheetBytes));
    return *bytes;
}

void HtmlPane::showPage(const QString& html)
{
    source_text_ = html;
    document()->setBaseUrl(QUrl::fromLocalFile(data_root_ + "/"));
    {
        const LayoutPause pause(*document());
        setHtml(BoundPageHtml(html).html);
        HonourStyleSheetFontSizes(*document());
    }
    fitScrollBar();
}

bool HtmlPane::showFile(const QString& path)
{
    const QString absolute = resolve(QDir::isAbsolutePath(path) ? QUrl::fromLocalFile(path) : QUrl(path));
    if (absolute.isEmpty() || !QFileInfo(absolute).isFile())
        return false;
    busy_ = true;
    source_text_ = ReadTextFile(absolute);
    setSource(QUrl::fromLocalFile(absolute), QTextDocument::HtmlResource);
    busy_ = false;
    fitScrollBar();
    return true;
}

void HtmlPane::doSetSource(const QUrl& name, QTextDocument::ResourceType type)
{
    {
        const LayoutPause pause(*document());
        QTextBrowser::doSetSource(name, type);
        HonourStyleSheetFontSizes(*document());
    }
    // The anchor the page was opened at is sought in the page laid out.
    if (name.hasFragment())
        scrollToAnchor(name.fragment());
}

void HtmlPane::contextMenuEvent(QContextMenuEvent* event)
{
    std::unique_ptr<QMenu> menu(createStandardContextMenu(event->pos()));
    bool separated = false;
    for (QMenu* commands : context_menus_) {
        const QList<QAction*> actions = commands->actions();
        if (std::none_of(actions.begin(), actions.end(), [](const QAction* a) { return a->isVisible(); }))
            continue;  // nothing of it applies to the text shown
        if (!separated)
            menu->addSeparator();
        separated = true;
        menu->addMenu(commands);
    }
    menu->exec(event->globalPos());
}

void HtmlPane::mouseMoveEvent(QMouseEvent* event)
{
    QTextBrowser::mouseMoveEvent(event);
    markHoveredLink(event->position().toPoint());
}

void HtmlPane::leaveEvent(QEvent* event)
{
    QTextBrowser::leaveEvent(event);
    markHoveredLink(QPoint(-1, -1));
}

void HtmlPane::markHoveredLink(const QPoint& at)
{
    const QString link = rect().contains(at) ? anchorAt(at) : QString();
    if (link == hovered_link_)
        return;
    hovered_link_ = link;
    viewport()->setCursor(link.isEmpty() ? Qt::ArrowCursor : Qt::PointingHandCursor);
    QList<QTextEdit::ExtraSelection> selections;
    if (!link.isEmpty()) {
        // The run of fragments of the block under the mouse that carry this link.
        const QTextCursor under = cursorForPosition(at);
        const int position = under.position();
        int start = -1;
        int end = -1;
        int run_start = -1;
        int run_end = -1;
        const auto take_run_if_under = [&] {
            if (start < 0 && run_start >= 0 && position >= run_start && position <= run_end) {
                start = run_start;
                end = run_end;
            }
        };
        for (auto it = under.block().begin(); !it.atEnd() && start < 0; ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().anchorHref() == link) {
                if (run_start < 0)
                    run_start = fragment.position();
                run_end = fragment.position() + fragment.length();
            } else {
                take_run_if_under();
                run_start = -1;
            }
        }
        take_run_if_under();
        if (start >= 0 && end > start) {
            QTextEdit::ExtraSelection selection;
            selection.cursor = QTextCursor(document());
            selection.cursor.setPosition(start);
            selection.cursor.setPosition(end, QTextCursor::KeepAnchor);
            selection.format.setFontUnderline(true);
            selections << selection;
        }
    }
    setExtraSelections(selections);
}

void HtmlPane::clearPage()
{
    source_text_.clear();
    clear();
    fitScrollBar();
}

void HtmlPane::setLinkColour(LinkColour colour)
{
    // A page's <body link=…> is not honoured by the text engine: the pane's
    // own style sheet colours the links.
    const char* css = colour == LinkColour::Red ? "a { color: #FF0000; }"
                      : colour == LinkColour::Black ? "a { color: #000000; }"
                                                    : "";
    document()->setDefaultStyleSheet(QString::fromLatin1(css));
}

void HtmlPane::setZoom(int percent)
{
    zoom_ = percent < 50 || percent > 200 ? 100 : percent;
    QFont scaled = font();
    if (base_point_size_ > 0)
        scaled.setPointSizeF(base_point_size_ * zoom_ / 100.0);
    setFont(scaled);
    fitScrollBar();
}

void HtmlPane::resizeEvent(QResizeEvent* event)
{
    QTextBrowser::resizeEvent(event);
    fitScrollBar();
}

// A page shorter than the pane shows no scroll bar; a longer one keeps it.
void HtmlPane::fitScrollBar()
{
    const bool fits = document()->size().height() - 20 < viewport()->height();
    setVerticalScrollBarPolicy(fits ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
}

}  // namespace indikt
