#pragma once

// Finding a text in the plain text of a page, as the search's two options
// ask: match case, and whole word (no letter, digit or '_' on either side).
// The text is taken literally: "(", "+" and "\" are characters like others.
// Without match case, letters compare by their case folding only, so "ё"
// and "е" stay different letters.

#include <QList>
#include <QString>
#include <QStringView>

namespace indikt {

struct MatchOptions {
    QString text;
    bool match_case = false;
    bool whole_word = false;
};

// The first match starting at or after `from`; -1 when there is none.
qsizetype FindMatch(QStringView plain, const MatchOptions& options, qsizetype from = 0);

// Every match, left to right and not overlapping.
QList<qsizetype> FindAllMatches(QStringView plain, const MatchOptions& options);

// A short piece of the text around a match, on one line.
QString ExcerptAround(QStringView plain, qsizetype position, qsizetype length, qsizetype context = 40);

}  // namespace indikt
