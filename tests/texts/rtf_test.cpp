// The RTF reader and writer: hand-written documents for each rule of the
// format (the control words as RTF 1.9.1 defines them),
// notes written by LibreOffice Writer (rtf_samples/, see its README), the
// writer's escapes, and the round trip through LibreOffice when it is
// installed.

#include "texts/rtf.h"

#include "file_helpers.h"
#include "qt_printers.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

namespace indikt {
namespace {

QByteArray Sample(const char* name)
{
    return ReadBytes(QString::fromUtf8(INDIKT_RTF_SAMPLES) + u'/' + QString::fromUtf8(name));
}

QString Text(const RtfReadResult& read) { return PlainTextOfRtf(read.document); }

const RtfRun* RunWith(const RtfDocument& document, const QString& text)
{
    for (const RtfParagraph& paragraph : document.paragraphs)
        for (const RtfRun& run : paragraph.runs)
            if (run.text.contains(text))
                return &run;
    return nullptr;
}

TEST(RtfReader, TextOfHandWrittenDocuments)
{
    struct Case {
        const char* name;
        const char* rtf;
        const char* text;  // paragraphs joined by '\n'
    };
    const Case cases[] = {
        // \'hh by the font's \fcharset204: Windows-1251.
        {"cyrillic charset", R"({\rtf1\ansi\ansicpg1251\deff0{\fonttbl{\f0\fswiss\fcharset204 Arial;}}\f0 \'cf\'f0\'e8\'e2\'e5\'f2\par})",
         "Привет"},
        // \fcharset0 is ANSI: Windows-1252 whatever \ansicpg says.
        {"ansi charset", R"({\rtf1\ansi\ansicpg1251{\fonttbl{\f0\fcharset0 Times;}}\f0 caf\'e9\par})", "café"},
        // \fcharset238: Windows-1250.
        {"central european charset", R"({\rtf1\ansi{\fonttbl{\f0\fcharset238 Arial CE;}}\f0 \'9akola\par})", "škola"},
        // \fcharset161: Windows-1253.
        {"greek charset", R"({\rtf1\ansi{\fonttbl{\f0\fcharset161 Arial Greek;}}\f0 \'e1\'e2\par})", "αβ"},
        // A font without \fcharset, and \fcharset1 (default), take \ansicpg.
        {"no charset", R"({\rtf1\ansi\ansicpg1251{\fonttbl{\f0 Arial;}}\f0 \'e0\par})", "а"},
        {"default charset", R"({\rtf1\ansi\ansicpg1251{\fonttbl{\f0\fcharset1 Arial;}}\f0 \'e0\par})", "а"},
        // \cpgN of the font comes before its charset.
        {"font code page", R"({\rtf1\ansi{\fonttbl{\f0\fcharset0\cpg1251 Arial;}}\f0 \'e0\par})", "а"},
        // No font table at all: \ansi is 1252.
        {"bare ansi", R"({\rtf1\ansi \'e9\par})", "é"},
        // \uN with its fallback skipped: \uc1 by default, \ucN, \uc0.
        {"unicode", R"({\rtf1 \u1055?\u1088\'3f\par})", "Пр"},
        {"unicode skip two", R"({\rtf1\uc2 \u1055\'3f\'3fx\par})", "Пx"},
        {"unicode no skip", R"({\rtf1\uc0 \u1055 x\par})", "Пx"},
        // Negative values are the upper half of the 16-bit range.
        {"negative unicode", R"({\rtf1 \u-3913?\par})", "\uF0B7"},
        // A surrogate pair as two \u; a lone surrogate becomes U+FFFD.
        {"surrogate pair", R"({\rtf1 \u-10179?\u-8704?\par})", "\U0001F600"},
        {"lone surrogate", R"({\rtf1 \u-10179?x\par})", "\uFFFDx"},
        // A fallback of several units stops at a group's brace.
        {"skip ends at a brace", R"({\rtf1\uc3 \u1055?{x}\par})", "Пx"},
        // Destinations skipped with their text: {\*...}, \info, \stylesheet, \fldinst.
        {"skipped destinations",
         R"({\rtf1{\stylesheet{\s0 Normal;}}{\info{\title T}{\author A}}{\*\generator Writer;}{\*\unknownthing z}a\par})",
         "a"},
        // Unknown control words and symbols are skipped with their parameter.
        {"unknown words", R"({\rtf1 \foobar12 \barfoo-3 x\| y\par})", "x y"},
        // Escaped braces and backslash; \line, \tab and the special characters.
        {"escapes", R"({\rtf1 \\ \{ \} a\line b\tab c\emdash\endash\~\bullet\lquote\rquote\ldblquote\rdblquote\par})",
         "\\ { } a\nb\tc—–\u00A0•‘’“”"},
        // Line ends in the file are not text; a backslash before one is a paragraph mark.
        {"line ends", "{\\rtf1 a\r\nb\\\nc\\par}", "ab\nc"},
        // A last paragraph without \par is kept when it has text.
        {"last paragraph", R"({\rtf1 one\par two})", "one\ntwo"},
        {"empty paragraphs", R"({\rtf1 one\par\par two\par})", "one\n\ntwo"},
        // \binN skips N bytes, braces among them.
        {"binary data", "{\\rtf1 a{\\*\\data\\bin4 }}}}b}c}", "ac"},
        // The document ends at its closing brace; text after it is not RTF.
        {"after the end", R"({\rtf1 a\par}b)", "a"},
        // Unbalanced groups read to the end of the file.
        {"unclosed", R"({\rtf1 a{\b b)", "ab"},
        // Control characters other than tab never reach the text.
        {"control characters", "{\\rtf1 a\\'00\\'01\\'0ab\\u0?c\\par}", "a\nbc"},
        // Font names are decoded by their own charset.
        {"cyrillic font name", R"({\rtf1{\fonttbl{\f1\fcharset204 \'c0\'f0\'e8\'e0\'eb;}}\f1 x\par})", "x"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const RtfReadResult read = ReadRtf(QByteArray(c.rtf));
        EXPECT_TRUE(read.is_rtf);
        EXPECT_TRUE(read.lossless()) << read.lost.join(", ").toStdString();
        EXPECT_EQ(Text(read), QString::fromUtf8(c.text));
    }
}

TEST(RtfReader, FontNamesAlignmentAndCharacterFormats)
{
    const RtfReadResult read = ReadRtf(QByteArray(
        R"({\rtf1\ansi\ansicpg1251\deff0{\fonttbl{\f0\fswiss\fcharset204 Arial;}{\f1\froman\fcharset204 Times New Roman;})"
        R"({\f2\fcharset204{\*\panose 02020603050405020304}\'c0\'f0\'e8\'e0\'eb;}})"
        R"({\colortbl;\red255\green0\blue0;\red0\green0\blue128;})"
        R"(\pard\qc\f0\fs28 plain {\b bold} {\i italic} {\ul under}{\uldb double}{\ul0 none} {\strike struck}\par)"
        R"(\pard\qr{\cf1 red}{\cf2 navy}{\cf0 auto}{\cf9 unknown}\par)"
        R"(\pard\qj{\f1\fs20 times}{\f2 cyr}\par)"
        R"(\pard{\fs0 zero}{\fs99999 huge}{\fs-4 negative}{\b\i\plain reset}\par})"));
    ASSERT_TRUE(read.lossless());
    const RtfDocument& d = read.document;
    ASSERT_EQ(d.paragraphs.size(), 4u);
    EXPECT_EQ(d.paragraphs[0].alignment, RtfAlignment::Centre);
    EXPECT_EQ(d.paragraphs[1].alignment, RtfAlignment::Right);
    EXPECT_EQ(d.paragraphs[2].alignment, RtfAlignment::Justify);
    EXPECT_EQ(d.paragraphs[3].alignment, RtfAlignment::Left) << "\\pard resets";

    struct Expected { const char* text; const char* font; int half_points; bool bold, italic, underline, strike;
                      std::optional<quint32> colour; };
    const Expected expected[] = {
        {"plain", "Arial", 28, false, false, false, false, {}},
        {"bold", "Arial", 28, true, false, false, false, {}},
        {"italic", "Arial", 28, false, true, false, false, {}},
        {"under", "Arial", 28, false, false, true, false, {}},
        {"double", "Arial", 28, false, false, true, false, {}},
        {"none", "Arial", 28, false, false, false, false, {}},
        {"struck", "Arial", 28, false, false, false, true, {}},
        // \pard resets the paragraph, not the characters: still 14 pt.
        {"red", "Arial", 28, false, false, false, false, 0xFF0000},
        {"navy", "Arial", 28, false, false, false, false, 0x000080},
        {"auto", "Arial", 28, false, false, false, false, {}},       // entry 0 of the table is "auto"
        {"unknown", "Arial", 28, false, false, false, false, {}},    // no such entry
        {"times", "Times New Roman", 20, false, false, false, false, {}},
        {"cyr", "Ариал", 28, false, false, false, false, {}},
        {"zero", "Arial", 24, false, false, false, false, {}},        // \fs0: the default 12 pt
        {"huge", "Arial", kMaxRtfHalfPoints, false, false, false, false, {}},
        {"negative", "Arial", 24, false, false, false, false, {}},
        {"reset", "Arial", 24, false, false, false, false, {}},
    };
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.text);
        const RtfRun* run = RunWith(d, e.text);
        ASSERT_NE(run, nullptr);
        EXPECT_EQ(run->format.font, QString::fromUtf8(e.font));
        EXPECT_EQ(run->format.half_points, e.half_points);
        EXPECT_EQ(run->format.bold, e.bold);
        EXPECT_EQ(run->format.italic, e.italic);
        EXPECT_EQ(run->format.underline, e.underline);
        EXPECT_EQ(run->format.strike, e.strike);
        EXPECT_EQ(run->format.colour, e.colour);
    }
}

TEST(RtfReader, WhatANoteCannotKeepIsNamed)
{
    struct Case { const char* name; const char* rtf; const char* text; const char* lost; };
    const Case cases[] = {
        {"picture", R"({\rtf1 a{\pict\pngblip 89504e47}b\par})", "ab", "рисунки"},
        {"picture in a skippable group", R"({\rtf1 a{\*\shppict{\pict\pngblip 00}}{\nonshppict{\pict 00}}b\par})", "ab",
         "рисунки"},
        {"object", R"({\rtf1 a{\object\objemb{\*\objdata 0102}{\result r}}\par})", "a", "объекты"},
        // A field keeps the text it shows.
        {"field", R"({\rtf1 {\field{\*\fldinst HYPERLINK "http://example.org"}{\fldrslt link}}\par})", "link", "поля"},
        {"table", R"({\rtf1 \trowd\cellx1000\cellx2000\intbl a\cell b\cell\row after\par})", "a\tb\t\nafter", "таблицы"},
        {"footnote", R"({\rtf1 a{\footnote note}\par})", "a", "сноски"},
        {"header", R"({\rtf1 {\header head}a\par})", "a", "колонтитулы"},
        {"shape", R"({\rtf1 {\shp{\*\shpinst x}}a\par})", "a", "фигуры"},
        {"comment", R"({\rtf1 a{\*\annotation remark}\par})", "a", "примечания"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const RtfReadResult read = ReadRtf(QByteArray(c.rtf));
        EXPECT_FALSE(read.lossless());
        EXPECT_EQ(read.lost, QStringList{QString::fromUtf8(c.lost)});
        EXPECT_EQ(Text(read), QString::fromUtf8(c.text));
    }
}

TEST(RtfReader, NotRtfAndHostileInputs)
{
    for (const char* bytes : {"", "plain text", "\xef\xbb\xbf{\\rtf1 a}", " {\\rtf1 a}", "{\\rt", "PK\x03\x04"}) {
        SCOPED_TRACE(bytes);
        const RtfReadResult read = ReadRtf(QByteArray(bytes));
        EXPECT_FALSE(read.is_rtf);
        EXPECT_FALSE(read.lossless());
        EXPECT_TRUE(read.document.paragraphs.empty());
    }
    // Deep nesting is bounded: the text within the bound is read, the rest is named.
    const QByteArray deep = "{\\rtf1 a" + QByteArray(100000, '{') + "x" + QByteArray(100000, '}') + "b}";
    const RtfReadResult read = ReadRtf(deep);
    EXPECT_TRUE(read.is_rtf);
    EXPECT_EQ(Text(read), "ab");
    EXPECT_FALSE(read.lossless());
    const QByteArray nested = "{\\rtf1 " + QByteArray(100, '{') + "\\b x" + QByteArray(100, '}') + "y}";
    const RtfReadResult nested_read = ReadRtf(nested);
    EXPECT_TRUE(nested_read.lossless());
    EXPECT_EQ(Text(nested_read), "xy");
    // Huge numbers, endless words, a \bin longer than the file, broken escapes.
    for (const char* bytes : {"{\\rtf1 \\fs99999999999999999999 a}", "{\\rtf1 \\u99999999999? a}",
                              "{\\rtf1 \\bin999999999 a}", "{\\rtf1 \\'zz a\\'", "{\\rtf1 \\uc99999 \\u1055 abc}",
                              "{\\rtf1 \\aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa1 a}"}) {
        SCOPED_TRACE(bytes);
        const RtfReadResult hostile = ReadRtf(QByteArray(bytes));
        EXPECT_TRUE(hostile.is_rtf);
        EXPECT_EQ(ReadRtf(WriteRtf(hostile.document)).document, hostile.document);
    }
}

TEST(RtfReader, NotesWrittenByLibreOffice)
{
    const RtfReadResult formatted = ReadRtf(Sample("libreoffice_formatted.rtf"));
    ASSERT_TRUE(formatted.lossless()) << formatted.lost.join(", ").toStdString();
    const RtfDocument& d = formatted.document;
    EXPECT_EQ(Text(formatted), "Праздник Рождества Христова\n"
                               "Курсив, подчёркнутый и зачёркнутый текст.\n"
                               "Красный и синий.\n"
                               "Первая строка\nвторая строка после переноса.\n"
                               "Ελληνικά, Ÿ, € и ≈ — знаки вне кодовой страницы.");
    ASSERT_EQ(d.paragraphs.size(), 5u);
    const RtfAlignment alignments[] = {RtfAlignment::Centre, RtfAlignment::Left, RtfAlignment::Right,
                                       RtfAlignment::Justify, RtfAlignment::Left};
    for (size_t i = 0; i < 5; ++i)
        EXPECT_EQ(d.paragraphs[i].alignment, alignments[i]) << i;
    EXPECT_TRUE(RunWith(d, "Рождества")->format.bold);
    EXPECT_FALSE(RunWith(d, "Праздник")->format.bold);
    EXPECT_EQ(RunWith(d, "Праздник")->format.font, "Arial");
    EXPECT_EQ(RunWith(d, "Праздник")->format.half_points, 28);
    EXPECT_TRUE(RunWith(d, "Курсив")->format.italic);
    EXPECT_EQ(RunWith(d, "Курсив")->format.font, "Times New Roman");
    EXPECT_TRUE(RunWith(d, "подчёркнутый")->format.underline);
    EXPECT_TRUE(RunWith(d, "зачёркнутый")->format.strike);
    EXPECT_EQ(RunWith(d, "Красный")->format.colour, 0xC00000u);
    EXPECT_EQ(RunWith(d, "синий")->format.colour, 0x0000FFu);
    EXPECT_EQ(RunWith(d, "Красный")->format.half_points, 20);
    EXPECT_TRUE(d.paragraphs[3].runs[0].text.contains(QChar(kRtfLineBreak)));

    const RtfReadResult plain = ReadRtf(Sample("libreoffice_plain.rtf"));
    EXPECT_TRUE(plain.lossless());
    EXPECT_EQ(Text(plain), "Исповедь в субботу вечером.\nПричастие в воскресенье, 7 января.");

    // A note of ours saved again by Writer reads as the note we wrote.
    const RtfReadResult ours = ReadRtf(Sample("sources/note_written_by_indikt.rtf"));
    const RtfReadResult resaved = ReadRtf(Sample("libreoffice_resaved_note.rtf"));
    ASSERT_TRUE(ours.lossless());
    ASSERT_TRUE(resaved.lossless());
    EXPECT_EQ(resaved.document, ours.document);

    // What a note cannot keep: read, named, never to be written back.
    const RtfReadResult table = ReadRtf(Sample("libreoffice_table.rtf"));
    EXPECT_EQ(table.lost, QStringList{"таблицы"});
    EXPECT_TRUE(Text(table).contains("Литургия\t9:00"));
    const RtfReadResult picture = ReadRtf(Sample("libreoffice_picture.rtf"));
    EXPECT_EQ(picture.lost, QStringList{"рисунки"});
    EXPECT_TRUE(Text(picture).startsWith("Икона праздника:"));
}

RtfDocument Document(std::initializer_list<std::pair<RtfAlignment, std::vector<RtfRun>>> paragraphs)
{
    RtfDocument document;
    for (const auto& [alignment, runs] : paragraphs) {
        RtfParagraph paragraph;
        paragraph.alignment = alignment;
        for (const RtfRun& run : runs)
            AppendRtfText(paragraph, run.text, run.format);
        document.paragraphs.push_back(std::move(paragraph));
    }
    return document;
}

RtfCharFormat Arial(int half_points = 27)
{
    RtfCharFormat format;
    format.font = "Arial";
    format.half_points = half_points;
    return format;
}

TEST(RtfWriter, HeaderAndEscapes)
{
    RtfCharFormat bold = Arial();
    bold.bold = true;
    const QByteArray rtf = WriteRtf(Document({{RtfAlignment::Centre, {{"Я", Arial()}, {"!", bold}}}}));
    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1049{\\fonttbl{\\f0\\fnil\\fcharset204 Arial;}}"))
        << rtf.constData();
    EXPECT_TRUE(rtf.contains("\\pard\\qc{\\f0\\fs27 \\'df}{\\f0\\fs27\\b !}\\par")) << rtf.constData();
    EXPECT_TRUE(rtf.endsWith("}\r\n"));

    struct Case { const char* name; const char* text; const char* written; };
    const Case cases[] = {
        {"rtf's own characters", "a\\b{c}", "a\\\\b\\{c\\}"},
        {"windows-1251 letters", "Ёж €", "\\'a8\\'e6 \\'88"},
        {"outside windows-1251", "Ω", "\\u937?"},
        {"upper half, signed", "\uF0B7", "\\u-3913?"},
        {"surrogate pair as two", "\U0001F600", "\\u-10179?\\u-8704?"},
        {"tab and line break", "a\tb\u2028c", "a\\tab b\\line c"},
        {"a space after a word", "\t x", "\\tab  x"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const RtfDocument document = Document({{RtfAlignment::Left, {{QString::fromUtf8(c.text), Arial()}}}});
        const QByteArray written = WriteRtf(document);
        EXPECT_TRUE(written.contains("{\\f0\\fs27 " + QByteArray(c.written) + "}")) << written.constData();
        EXPECT_EQ(ReadRtf(written).document, document);
        for (const char byte : written)
            EXPECT_TRUE(byte > 0 && static_cast<unsigned char>(byte) < 0x80) << "7-bit RTF";
    }
}

TEST(RtfWriter, EveryDocumentReadsBackTheSame)
{
    RtfCharFormat all = Arial(40);
    all.bold = all.italic = all.underline = all.strike = true;
    all.colour = 0x123456;
    RtfCharFormat odd_font = Arial(2);
    odd_font.font = "Шрифт; со {скобками} \\ и Ω";
    RtfCharFormat no_font = Arial(kMaxRtfHalfPoints);
    no_font.font = "";
    const RtfDocument documents[] = {
        {},
        Document({{RtfAlignment::Left, {}}}),
        Document({{RtfAlignment::Centre, {{"Рождество", Arial()}, {" Христово", all}}},
                  {RtfAlignment::Right, {}},
                  {RtfAlignment::Justify, {{"строка\u2028ещё", odd_font}, {"x", no_font}}}}),
        Document({{RtfAlignment::Left, {{"   ", Arial()}}}}),
    };
    for (const RtfDocument& document : documents) {
        const RtfReadResult read = ReadRtf(WriteRtf(document));
        EXPECT_TRUE(read.lossless());
        EXPECT_EQ(read.document, document) << WriteRtf(document).constData();
    }
}

TEST(RtfText, BlankTextAndHtml)
{
    EXPECT_TRUE(IsBlankRtf({}));
    EXPECT_TRUE(IsBlankRtf(Document({{RtfAlignment::Left, {{" \t\u2028\u00A0", Arial()}}}, {RtfAlignment::Left, {}}})));
    EXPECT_FALSE(IsBlankRtf(Document({{RtfAlignment::Left, {{" .", Arial()}}}})));

    RtfCharFormat red = Arial(28);
    red.bold = true;
    red.colour = 0xC00000;
    red.underline = true;
    red.strike = true;
    const QString html =
        HtmlOfRtf(Document({{RtfAlignment::Centre, {{"a<b>", red}}}, {RtfAlignment::Left, {{"x\u2028y", Arial()}}}}));
    EXPECT_EQ(html, "<p style=\"text-align:center\"><span style=\"font-family:'Arial';font-size:14pt;font-weight:bold;"
                    "text-decoration:underline line-through;color:#c00000;\">a&lt;b&gt;</span></p>\n"
                    "<p style=\"text-align:left\"><span style=\"font-family:'Arial';font-size:13.5pt;\">x<br>y</span></p>\n");
}

// A note we write opens in LibreOffice with the same text. LibreOffice is
// not part of the build: without it the check is skipped.
TEST(RtfWriter, LibreOfficeReadsTheSameText)
{
    const QString soffice = QStandardPaths::findExecutable("soffice");
    if (soffice.isEmpty())
        GTEST_SKIP() << "soffice is not installed";
    QTemporaryDir folder;
    const RtfDocument note = ReadRtf(Sample("sources/note_written_by_indikt.rtf")).document;
    ASSERT_FALSE(note.paragraphs.empty());
    ASSERT_TRUE(WriteBytes(folder.filePath("note.rtf"), WriteRtf(note)));
    QProcess process;
    process.setWorkingDirectory(folder.path());
    process.start(soffice, {"--headless", "-env:UserInstallation=" + QUrl::fromLocalFile(folder.filePath("profile")).toString(),
                            "--convert-to", "txt:Text (encoded):UTF8", "--outdir", folder.path(), folder.filePath("note.rtf")});
    ASSERT_TRUE(process.waitForFinished(180000)) << "soffice did not finish";
    QString text = QString::fromUtf8(ReadBytes(folder.filePath("note.txt")));
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    text.replace("\r\n", "\n");
    if (text.endsWith('\n'))
        text.chop(1);
    EXPECT_EQ(text, PlainTextOfRtf(note));
}

}  // namespace
}  // namespace indikt
