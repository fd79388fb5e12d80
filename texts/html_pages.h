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

}  // namespace indikt
