#pragma once

// Rich Text Format as far as the user's notes use it: paragraphs with their
// alignment and line breaks, and runs of text with font, size, bold,
// italic, underline, strike-through and colour.
//
// The reader takes any bytes and never fails: what it cannot represent
// (pictures, objects, tables, fields, footnotes, headers, shapes) is named
// in `lost`, so that a caller never writes such a file back. The writer
// writes what any RTF reader takes: Windows-1251 letters as \'hh, every
// other character as \uN?, and reads back to the same document.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>
#include <vector>

namespace indikt {

enum class RtfAlignment { Left, Centre, Right, Justify };

struct RtfCharFormat {
    QString font;                     // the family as the font table names it; "" for none
    int half_points = 24;             // \fs: 24 is 12 pt
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    std::optional<quint32> colour;    // 0xRRGGBB; none is the reader's own text colour
    friend bool operator==(const RtfCharFormat&, const RtfCharFormat&) = default;
};

struct RtfRun {
    QString text;
    RtfCharFormat format;
    friend bool operator==(const RtfRun&, const RtfRun&) = default;
};

// A line break inside a paragraph (\line) is this character in a run's text;
// a tab is '\t'. No other control character is ever held.
inline constexpr char16_t kRtfLineBreak = u'\u2028';

struct RtfParagraph {
    RtfAlignment alignment = RtfAlignment::Left;
    std::vector<RtfRun> runs;   // never empty texts, never two neighbours of one format
    friend bool operator==(const RtfParagraph&, const RtfParagraph&) = default;
};

struct RtfDocument {
    std::vector<RtfParagraph> paragraphs;
    friend bool operator==(const RtfDocument&, const RtfDocument&) = default;
};

// Sizes are held to what a word processor offers (1 to 1638 pt).
inline constexpr int kMinRtfHalfPoints = 2;
inline constexpr int kMaxRtfHalfPoints = 3276;

// Appends text to a paragraph in the one form documents hold: characters an
// editor cannot keep are replaced (control characters other than tab and
// the line break dropped, CR/LF/VT/FF and U+2029 made line breaks, lone
// surrogates and the editor's own markers made U+FFFD), and a run of the
// same format as the last one is joined to it.
void AppendRtfText(RtfParagraph& paragraph, QStringView text, const RtfCharFormat& format);

struct RtfReadResult {
    bool is_rtf = false;      // the bytes begin with "{\rtf"
    RtfDocument document;
    QStringList lost;         // what the file holds that is not kept, in Russian ("рисунки", "таблицы" ...)
    bool lossless() const { return is_rtf && lost.isEmpty(); }
};

// Whether the bytes begin with "{\rtf".
bool LooksLikeRtf(QByteArrayView bytes);

// Bytes \'hh are decoded by the code page of the current font's \fcharsetN
// (or \cpgN), else of \ansicpgN (\ansi, \mac, \pc, \pca); \uN is read with
// its \ucN fallback skipped. Groups nest to a bounded depth; the work is
// linear in the input.
RtfReadResult ReadRtf(QByteArrayView bytes);

// {\rtf1\ansi\ansicpg1251\deff0\deflang1049{\fonttbl…}{\colortbl…}…}
QByteArray WriteRtf(const RtfDocument& document);

// Paragraphs joined by '\n', line breaks as '\n'.
QString PlainTextOfRtf(const RtfDocument& document);

// Whether the document holds no text but blanks.
bool IsBlankRtf(const RtfDocument& document);

// The document as an HTML fragment of paragraphs and styled spans, for
// scripts and pages.
QString HtmlOfRtf(const RtfDocument& document);

}  // namespace indikt
