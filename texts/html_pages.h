#pragma once

// The pages the text panes show: the two wrappers that turn a built text into
// a whole page (the style sheet named by its path under the data root), and
// the decoding of a page of the tree.

#include <QByteArrayView>
#include <QString>

namespace indikt {

// The data root as it goes into an attribute of a page: with its trailing
// separator, the characters a URL or an attribute would misread ('%', '#',
// '?', '"', '&', '<', '>') escaped, so a root holding them still works.
QString AttributePath(const QString& data_root);

// The lectionary page around the text of the day.
QString LectionaryPage(const QString& data_root, const QString& text);

// The Menaion page around the text of the day, with red or black links.
QString MenaionPage(const QString& data_root, const QString& text, bool red_links);

// A page of the tree to text: its own charset line decides (UTF-8 or
// Windows-1251); without one, as every text file of the tree is read.
QString DecodePageText(QByteArrayView bytes);

// What a pane lays out of one page. The text engine's time grows with the
// length of a page, its count of tags and table cells, and very steeply with
// nested tables (twice for every level: sixteen took a second, twenty took
// thirteen), so a page beyond any of these is cut where it passes the limit,
// with a notice at the end. The limits keep the worst page under a second of
// layout and far above any page of the tree (the longest book of the Bible is
// about 60,000 tags deep in nothing).
struct PageLimits {
    qsizetype characters = 400'000;
    int tags = 20'000;
    int depth = 500;          // elements open inside each other
    int table_depth = 6;      // tables inside tables
    int table_cells = 4'000;
};

struct BoundedPage {
    QString html;
    bool cut = false;
};
BoundedPage BoundPageHtml(const QString& html, const PageLimits& limits = {});

// The notice that ends a page cut by BoundPageHtml.
inline constexpr const char* kPageCutNotice =
    "<p><i>[Страница слишком велика: показано её начало.]</i></p>";

}  // namespace indikt
