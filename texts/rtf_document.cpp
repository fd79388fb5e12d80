#include "rtf_document.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>

#include <cmath>

namespace indikt {

namespace {

RtfAlignment AlignmentOf(Qt::Alignment alignment)
{
    const Qt::Alignment horizontal = alignment & Qt::AlignHorizontal_Mask;
    if (horizontal & Qt::AlignHCenter)
        return RtfAlignment::Centre;
    if (horizontal & Qt::AlignJustify)
        return RtfAlignment::Justify;
    if (horizontal & (Qt::AlignRight | Qt::AlignTrailing))
        return RtfAlignment::Right;
    return RtfAlignment::Left;
}

Qt::Alignment QtAlignment(RtfAlignment alignment)
{
    switch (alignment) {
    case RtfAlignment::Left: return Qt::AlignLeft | Qt::AlignAbsolute;
    case RtfAlignment::Centre: return Qt::AlignHCenter;
    case RtfAlignment::Right: return Qt::AlignRight | Qt::AlignAbsolute;
    case RtfAlignment::Justify: return Qt::AlignJustify;
    }
    return Qt::AlignLeft;
}

int HalfPoints(double points) { return std::clamp(static_cast<int>(std::lround(points * 2)), kMinRtfHalfPoints, kMaxRtfHalfPoints); }

// Pixels are taken at 96 to the inch, as the editor's defaults are meant.
double PointsOfFont(const QFont& font)
{
    return font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 0.75;
}

RtfCharFormat FormatOf(const QTextCharFormat& format, const QFont& base)
{
    RtfCharFormat result;
    if (format.hasProperty(QTextFormat::FontFamilies)) {
        const QStringList families = format.property(QTextFormat::FontFamilies).toStringList();
        result.font = families.value(0);
    } else {
        result.font = base.families().value(0, base.family());
    }
    if (format.hasProperty(QTextFormat::FontPointSize))
        result.half_points = HalfPoints(format.fontPointSize());
    else if (format.hasProperty(QTextFormat::FontPixelSize))
        result.half_points = HalfPoints(format.intProperty(QTextFormat::FontPixelSize) * 0.75);
    else
        result.half_points = HalfPoints(PointsOfFont(base));
    result.bold = format.hasProperty(QTextFormat::FontWeight) ? format.fontWeight() >= QFont::DemiBold : base.bold();
    result.italic = format.hasProperty(QTextFormat::FontItalic) ? format.fontItalic() : base.italic();
    result.underline = format.hasProperty(QTextFormat::TextUnderlineStyle) || format.hasProperty(QTextFormat::FontUnderline)
                           ? format.fontUnderline()
                           : base.underline();
    result.strike = format.hasProperty(QTextFormat::FontStrikeOut) ? format.fontStrikeOut() : base.strikeOut();
    if (format.hasProperty(QTextFormat::ForegroundBrush) && format.foreground().style() != Qt::NoBrush)
        result.colour = format.foreground().color().rgb() & 0xFFFFFFu;
    return result;
}

QTextCharFormat QtFormat(const RtfCharFormat& format)
{
    QTextCharFormat result;
    if (!format.font.isEmpty())
        result.setFontFamilies(QStringList{format.font});
    result.setFontPointSize(format.half_points / 2.0);
    result.setFontWeight(format.bold ? QFont::Bold : QFont::Normal);
    result.setFontItalic(format.italic);
    result.setFontUnderline(format.underline);
    result.setFontStrikeOut(format.strike);
    if (format.colour)
        result.setForeground(QColor::fromRgb(static_cast<QRgb>(0xFF000000u | *format.colour)));
    return result;
}

void InsertRuns(QTextCursor& cursor, const RtfParagraph& paragraph)
{
    for (const RtfRun& run : paragraph.runs)
        cursor.insertText(run.text, QtFormat(run.format));
}

}  // namespace

QFont NoteDefaultFont()
{
    QFont font(QString::fromUtf8(kNoteFontFamily));
    font.setPixelSize(kNoteFontPixels);
    return font;
}

void SetNoteDefaults(QTextDocument& document)
{
    document.setDefaultFont(NoteDefaultFont());
    QTextOption option = document.defaultTextOption();
    option.setAlignment(Qt::AlignHCenter);
    document.setDefaultTextOption(option);
}

RtfDocument RtfOfDocument(const QTextDocument& document)
{
    RtfDocument result;
    const QFont base = document.defaultFont();
    const Qt::Alignment default_alignment = document.defaultTextOption().alignment();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        RtfParagraph paragraph;
        const QTextBlockFormat block_format = block.blockFormat();
        paragraph.alignment = AlignmentOf(block_format.hasProperty(QTextFormat::BlockAlignment)
                                              ? block_format.alignment()
                                              : default_alignment);
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid() || fragment.charFormat().isImageFormat())
                continue;
            AppendRtfText(paragraph, fragment.text(), FormatOf(fragment.charFormat(), base));
        }
        result.paragraphs.push_back(std::move(paragraph));
    }
    return result;
}

void SetDocumentContent(QTextDocument& document, const RtfDocument& content)
{
    document.clear();
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    for (size_t i = 0; i < content.paragraphs.size(); ++i) {
        const RtfParagraph& paragraph = content.paragraphs[i];
        QTextBlockFormat block_format;
        block_format.setAlignment(QtAlignment(paragraph.alignment));
        if (i == 0)
            cursor.setBlockFormat(block_format);
        else
            cursor.insertBlock(block_format, QTextCharFormat());
        InsertRuns(cursor, paragraph);
    }
    cursor.endEditBlock();
}

void InsertRtfDocument(QTextCursor& cursor, const RtfDocument& content)
{
    cursor.beginEditBlock();
    for (size_t i = 0; i < content.paragraphs.size(); ++i) {
        const RtfParagraph& paragraph = content.paragraphs[i];
        if (i > 0) {
            QTextBlockFormat block_format = cursor.blockFormat();
            block_format.setAlignment(QtAlignment(paragraph.alignment));
            cursor.insertBlock(block_format, QTextCharFormat());
        }
        InsertRuns(cursor, paragraph);
    }
    cursor.endEditBlock();
}

}  // namespace indikt
