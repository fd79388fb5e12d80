// The notes editor's document as RTF and back: the editor's defaults, every
// format a note keeps surviving document → RTF → document, and what a
// document holds beyond a note (tables, pictures) reduced to its text.

#include "texts/rtf_document.h"

#include "qt_printers.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

#include <gtest/gtest.h>

namespace indikt {
namespace {

RtfCharFormat Format(const char* font, int half_points)
{
    RtfCharFormat format;
    format.font = QString::fromUtf8(font);
    format.half_points = half_points;
    return format;
}

TEST(RtfDocument, ANewNoteIsArialOf18PixelsCentred)
{
    QTextDocument document;
    SetNoteDefaults(document);
    QTextCursor cursor(&document);
    cursor.insertText("Первая строка");
    cursor.insertBlock();
    cursor.insertText("вторая");
    const RtfDocument note = RtfOfDocument(document);
    ASSERT_EQ(note.paragraphs.size(), 2u);
    for (const RtfParagraph& paragraph : note.paragraphs) {
        EXPECT_EQ(paragraph.alignment, RtfAlignment::Centre);
        ASSERT_EQ(paragraph.runs.size(), 1u);
        // 18 pixels at 96 to the inch are 13.5 points.
        EXPECT_EQ(paragraph.runs[0].format, Format("Arial", 27));
    }
    EXPECT_EQ(PlainTextOfRtf(note), "Первая строка\nвторая");
}

TEST(RtfDocument, EveryFormatOfANoteSurvivesTheRoundTrip)
{
    RtfCharFormat all = Format("Times New Roman", 40);
    all.bold = all.italic = all.underline = all.strike = true;
    all.colour = 0xC00000;
    RtfCharFormat blue = Format("Arial", 20);
    blue.colour = 0x0000FF;
    RtfDocument note;
    const auto add = [&note](RtfAlignment alignment, std::vector<RtfRun> runs) {
        RtfParagraph paragraph;
        paragraph.alignment = alignment;
        for (const RtfRun& run : runs)
            AppendRtfText(paragraph, run.text, run.format);
        note.paragraphs.push_back(paragraph);
    };
    add(RtfAlignment::Centre, {{"Рождество ", Format("Arial", 27)}, {"Христово", all}});
    add(RtfAlignment::Left, {});
    add(RtfAlignment::Right, {{"строка\u2028после переноса\tи таб", blue}});
    add(RtfAlignment::Justify, {{"Ω 😀 €", Format("Arial", 24)}});

    QTextDocument first;
    SetNoteDefaults(first);
    SetDocumentContent(first, note);
    EXPECT_EQ(RtfOfDocument(first), note);

    // Written, read and shown again: the same document.
    const RtfReadResult read = ReadRtf(WriteRtf(RtfOfDocument(first)));
    ASSERT_TRUE(read.lossless());
    QTextDocument second;
    SetNoteDefaults(second);
    SetDocumentContent(second, read.document);
    EXPECT_EQ(RtfOfDocument(second), note);
    EXPECT_EQ(second.toHtml(), first.toHtml());
    EXPECT_EQ(second.blockCount(), 4);
    EXPECT_EQ(second.findBlockByNumber(2).blockFormat().alignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignRight | Qt::AlignAbsolute);
}

TEST(RtfDocument, WhatANoteCannotHoldBecomesText)
{
    QTextDocument pasted;
    pasted.setHtml("<p>до</p><table><tr><td>Утреня</td><td>6:00</td></tr></table>"
                   "<p>икона <img src=\"data:image/png;base64,iVBORw0KGgo=\"> <b>после</b></p>"
                   "<ul><li>пункт</li></ul>");
    const RtfDocument note = RtfOfDocument(pasted);
    const QString text = PlainTextOfRtf(note);
    EXPECT_TRUE(text.contains("Утреня")) << text.toStdString();
    EXPECT_TRUE(text.contains("6:00"));
    EXPECT_TRUE(text.contains("икона  после"));
    EXPECT_TRUE(text.contains("пункт"));
    EXPECT_FALSE(text.contains(QChar(0xFFFC))) << "no picture marker is kept";
    EXPECT_TRUE(ReadRtf(WriteRtf(note)).lossless());

    // Inserted at a cursor: the first paragraph joins the cursor's block.
    QTextDocument editor;
    SetNoteDefaults(editor);
    QTextCursor cursor(&editor);
    cursor.insertText("начало: ");
    InsertRtfDocument(cursor, RtfOfDocument(pasted));
    EXPECT_TRUE(editor.firstBlock().text().startsWith("начало: до"));
}

TEST(RtfDocument, SizesInPixelsAndPointsAndUnsetFormats)
{
    QTextDocument document;
    QFont base("Arial");
    base.setPointSize(14);
    document.setDefaultFont(base);
    QTextCursor cursor(&document);
    QTextCharFormat pixels;
    pixels.setProperty(QTextFormat::FontPixelSize, 32);  // 24 pt
    cursor.insertText("px", pixels);
    QTextCharFormat points;
    points.setFontPointSize(9.5);
    cursor.insertText("pt", points);
    cursor.insertText("base", QTextCharFormat());
    const RtfDocument note = RtfOfDocument(document);
    ASSERT_EQ(note.paragraphs.size(), 1u);
    ASSERT_EQ(note.paragraphs[0].runs.size(), 3u);
    EXPECT_EQ(note.paragraphs[0].runs[0].format.half_points, 48);
    EXPECT_EQ(note.paragraphs[0].runs[1].format.half_points, 19);
    EXPECT_EQ(note.paragraphs[0].runs[2].format.half_points, 28);
    EXPECT_EQ(note.paragraphs[0].runs[2].format.font, "Arial");
    EXPECT_EQ(note.paragraphs[0].alignment, RtfAlignment::Left);
}

}  // namespace
}  // namespace indikt
