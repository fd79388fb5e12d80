#pragma once

// The text of a page as a reader sees it in a pane: tags gone, character
// references decoded, blanks between words one blank, paragraphs and line
// breaks one line end. A word split by markup ("Иоанна <b>Богослова</b>")
// reads as it is shown. The head, style sheets and scripts show nothing.

#include <QString>
#include <QStringView>

namespace indikt {

QString PlainTextOfHtml(QStringView html);

}  // namespace indikt
