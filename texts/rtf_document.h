#pragma once

// The notes editor's QTextDocument as an RtfDocument and back. What the
// editor can hold beyond the document (pictures, tables, lists pasted from
// elsewhere) becomes their text, so what is shown is what is saved.

#include "texts/rtf.h"

#include <QFont>

class QTextCursor;
class QTextDocument;

namespace indikt {

// A new note: Arial, 18 pixels, centred paragraphs.
inline constexpr const char* kNoteFontFamily = "Arial";
inline constexpr int kNoteFontPixels = 18;
// After a note is emptied the editor writes 14 pt, without style.
inline constexpr int kEmptiedNotePoints = 14;

QFont NoteDefaultFont();
// Sets the default font and the centred alignment of new paragraphs.
void SetNoteDefaults(QTextDocument& document);

// Every block of the document (those in table cells too) as a paragraph;
// formats the document leaves unset take its default font and alignment.
RtfDocument RtfOfDocument(const QTextDocument& document);

// Replaces the document's content; its defaults, undo history and
// modified flag are left to the caller.
void SetDocumentContent(QTextDocument& document, const RtfDocument& content);

// Inserts the paragraphs at the cursor: the first joins the cursor's block,
// each further one starts a block of its own alignment.
void InsertRtfDocument(QTextCursor& cursor, const RtfDocument& content);

}  // namespace indikt
