#pragma once

// The small text transforms the pane builders share. Each takes a text and
// returns a new one; none fails, and every one finishes in time proportional
// to the text whatever the input (no transform rescans its own output without
// bound).

#include <QList>
#include <QString>
#include <QStringView>

namespace indikt {

// Removes the characters up to and including the blank (U+0020) from both
// ends: blanks, tabs, line ends and other control characters.
QString TrimBlanks(QStringView text);

// The lines of a text; a line ends at CR LF, LF or CR.
QList<QStringView> SplitLines(QStringView text);

// Replaces every occurrence of `find` by `with` (an empty `with` deletes).
//
// A replacement shorter than `find` works as if the search started again at
// the beginning after each replacement: text joined by a deletion is searched
// too, so Replace("<<p>p>", "<p>", "") is "". A replacement as long as `find`
// or longer is never searched again, so a `with` that contains `find` cannot
// make the replacing go on for ever.
QString Replace(QStringView text, QStringView find, QStringView with);

// Makes the tree's relative links absolute: wherever a double quote is
// followed directly by "Жития святых" or "Богослужение", the data root (with
// its trailing separator) is inserted after the quote. Only quoted attribute
// values that begin with the folder name change. The root is written with
// '&', '"', '<' and '>' as character references, so any folder name stays
// inside its attribute.
QString TextVHTM(QStringView text, QStringView data_root);

// Lowers headings by one level for a narrow pane: h2 becomes h3, h4 becomes h5.
QString TextR1(QStringView text);

// Plain text for copying and printing: drops the Typikon signs ("* ", "*"),
// turns the ends of paragraphs and of headings h1..h5 into LF, drops the bare
// forms of the other tags the tree's pages use (a tag with attributes stays),
// and last replaces every anchor by its label (TextNoLink).
QString TextNoHTM(QStringView text);

// Replaces every anchor by its label, trimmed. An anchor runs from "<a" and a
// blank, through the end of its opening tag (a double quote followed by '>'),
// to the next "</a>". An "<a" whose tag end or "</a>" is missing, or whose
// tag does not end before the next "</a>", is left as it is. A label that
// itself holds an anchor is stripped too.
QString TextNoLink(QStringView text);

}  // namespace indikt
