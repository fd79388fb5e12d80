#include "rtf.h"

#include "cp1251.h"

#include <QHash>
#include <QStringDecoder>

#include <algorithm>
#include <map>
#include <set>
#include <string_view>

namespace indikt {

namespace {

constexpr char16_t kReplacement = u'\uFFFD';

// Groups deeper than this are read as nothing (and said to be lost); real
// documents nest a dozen levels.
constexpr int kMaxDepth = 256;
// The tables a file may declare.
constexpr int kMaxFonts = 4096;
constexpr int kMaxColours = 4096;
constexpr int kMaxFontNameLength = 256;
// \ucN: how many fallback characters follow a \uN.
constexpr int kMaxUnicodeSkip = 16;
constexpr int kMaxWordLength = 32;

// ---- Code pages ------------------------------------------------------------------

int CodePageOfCharset(int charset, int fallback)
{
    switch (charset) {
    case 0: return 1252;
    case 2: return 1252;  // symbol fonts: the bytes are the glyphs' places
    case 77: return 10000;
    case 128: return 932;
    case 129: return 949;
    case 130: return 1361;
    case 134: return 936;
    case 136: return 950;
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
    case 254: return 437;
    case 255: return 850;
    default: return fallback;  // 1 (default) and the unknown
    }
}

const char* NameOfCodePage(int code_page)
{
    switch (code_page) {
    case 874: return "windows-874";
    case 932: return "Shift_JIS";
    case 936: return "GBK";
    case 949: return "windows-949";
    case 950: return "Big5";
    case 1250: return "windows-1250";
    case 1252: return "windows-1252";
    case 1253: return "windows-1253";
    case 1254: return "windows-1254";
    case 1255: return "windows-1255";
    case 1256: return "windows-1256";
    case 1257: return "windows-1257";
    case 1258: return "windows-1258";
    case 1361: return "johab";
    case 437: return "IBM437";
    case 850: return "IBM850";
    case 10000: return "macintosh";
    case 65001: return "UTF-8";
    default: return nullptr;
    }
}

class Decoders {
public:
    QString decode(int code_page, QByteArrayView bytes)
    {
        if (code_page == 1251)
            return DecodeCp1251(bytes);
        auto found = decoders_.find(code_page);
        if (found == decoders_.end()) {
            const char* name = NameOfCodePage(code_page);
            QStringDecoder decoder = name ? QStringDecoder(name, QStringConverter::Flag::Stateless) : QStringDecoder();
            if (!decoder.isValid())  // an unknown code page: its ASCII half at least
                decoder = QStringDecoder(QStringConverter::Latin1, QStringConverter::Flag::Stateless);
            found = decoders_.emplace(code_page, std::move(decoder)).first;
        }
        return found->second.decode(bytes);
    }

private:
    std::map<int, QStringDecoder> decoders_;
};

// ---- The reader --------------------------------------------------------------------

enum class Destination {
    Text,         // the document's text
    Skip,         // read and dropped
    FontTable,
    ColourTable,
};

struct GroupState {
    Destination destination = Destination::Text;
    int font = -1;            // index of the font table; -1 the default font
    int half_points = 24;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int colour = 0;           // index of the colour table
    int unicode_skip = 1;     // \uc
    RtfAlignment alignment = RtfAlignment::Left;
};

struct FontEntry {
    QString name;
    int code_page = 0;        // 0: the document's
};

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool IsUnderlineWord(std::string_view word)
{
    static const std::set<std::string_view> words = {
        "ul", "uld", "uldash", "uldashd", "uldashdd", "uldb", "ulhwave", "ulldash", "ulth", "ulthd",
        "ulthdash", "ulthdashd", "ulthdashdd", "ulthldash", "ululdbwave", "ulw", "ulwave"};
    return words.contains(word);
}

// Destinations whose content is never text of the note.
bool IsSkippedDestination(std::string_view word)
{
    static const std::set<std::string_view> words = {
        "stylesheet", "info", "listtable", "listoverridetable", "revtbl", "rsidtbl", "generator", "xmlnstbl",
        "pgdsctbl", "filetbl", "themedata", "colorschememapping", "latentstyles", "datastore", "fldinst",
        "bkmkstart", "bkmkend", "txe", "xe", "tc", "template", "author", "operator", "title", "subject",
        "keywords", "comment", "doccomm", "company", "category", "userprops", "mmathPr", "pn", "pnseclvl",
        "fchars", "lchars", "background", "formfield", "private", "atnid", "atnauthor", "atrfstart", "atrfend",
        "atndate", "atnref", "docvar", "wgrffmtfilter", "ftnsep", "ftnsepc", "ftncn", "aftnsep", "aftnsepc",
        "aftncn", "panose", "falt", "fontemb", "fontfile", "ud"};
    return words.contains(word);
}

// Destinations with content the note cannot keep: the file is read, not written back.
const char* LostDestination(std::string_view word)
{
    if (word == "pict" || word == "shppict" || word == "nonshppict")
        return "рисунки";
    if (word == "object" || word == "objdata")
        return "объекты";
    if (word == "shp" || word == "shpgrp" || word == "do" || word == "shpinst")
        return "фигуры";
    if (word == "header" || word == "footer" || word == "headerl" || word == "headerr" || word == "headerf" ||
        word == "footerl" || word == "footerr" || word == "footerf")
        return "колонтитулы";
    if (word == "footnote")
        return "сноски";
    if (word == "annotation")
        return "примечания";
    return nullptr;
}

// A family name as a note keeps it: no control characters or line breaks,
// no blanks around it, of bounded length.
QString CleanFontName(QString name)
{
    name.truncate(kMaxFontNameLength);
    RtfParagraph cleaned;
    AppendRtfText(cleaned, name, {});
    QString result = cleaned.runs.empty() ? QString() : cleaned.runs[0].text;
    result.remove(QChar(u'\t'));
    result.remove(QChar(kRtfLineBreak));
    return result.trimmed();
}

class Reader {
public:
    explicit Reader(QByteArrayView input) : in_(input) {}

    RtfReadResult read()
    {
        RtfReadResult result;
        result.is_rtf = LooksLikeRtf(in_);
        if (!result.is_rtf)
            return result;
        run();
        finishParagraph(false);
        result.document = std::move(document_);
        result.lost = QStringList(lost_.begin(), lost_.end());
        return result;
    }

private:
    // ---- Tokens ----
    void run()
    {
        while (pos_ < in_.size()) {
            const char c = in_[pos_];
            if (c == '{') {
                ++pos_;
                skip_ = 0;
                openGroup();
            } else if (c == '}') {
                ++pos_;
                skip_ = 0;
                if (!closeGroup())
                    return;  // the document's group is closed: the rest is not RTF
            } else if (c == '\\') {
                ++pos_;
                controlWord();
            } else if (c == '\r' || c == '\n') {
                ++pos_;
            } else {
                ++pos_;
                if (consumeSkip())
                    continue;
                literalByte(c);
            }
        }
    }

    // One character of a \uN fallback is dropped; true when this one was.
    bool consumeSkip()
    {
        if (skip_ <= 0)
            return false;
        --skip_;
        return true;
    }

    void openGroup()
    {
        flushBytes();
        if (overflow_ > 0 || static_cast<int>(stack_.size()) >= kMaxDepth) {
            if (overflow_ == 0)
                lost_.insert("слишком глубоко вложенные группы");
            ++overflow_;
            return;
        }
        stack_.push_back(stack_.empty() ? GroupState{} : GroupState(state()));
        star_ = false;
    }

    // False when the outermost group ended.
    bool closeGroup()
    {
        flushBytes();
        if (overflow_ > 0) {
            --overflow_;
            return true;
        }
        if (stack_.empty())
            return false;
        const GroupState closing = state();
        if (stack_.size() == 1)
            last_alignment_ = closing.alignment;
        stack_.pop_back();
        if (closing.destination == Destination::FontTable)
            commitFont();
        else if (closing.destination == Destination::ColourTable &&
                 (stack_.empty() || state().destination != Destination::ColourTable) &&
                 (colour_.red >= 0 || colour_.green >= 0 || colour_.blue >= 0))
            commitColour();  // a last entry without its ';'
        star_ = false;
        return !stack_.empty();
    }

    GroupState& state() { return stack_.back(); }

    bool skipping() const { return overflow_ > 0 || stack_.empty() || stack_.back().destination == Destination::Skip; }

    void controlWord()
    {
        if (pos_ >= in_.size())
            return;
        const char c = in_[pos_];
        if (!IsLetter(c)) {
            ++pos_;
            controlSymbol(c);
            return;
        }
        char word_buffer[kMaxWordLength + 1];
        int length = 0;
        while (pos_ < in_.size() && IsLetter(in_[pos_])) {
            if (length < kMaxWordLength)
                word_buffer[length++] = in_[pos_];
            ++pos_;
        }
        const std::string_view word(word_buffer, static_cast<size_t>(length));
        bool has_parameter = false;
        bool negative = false;
        long long value = 0;
        if (pos_ < in_.size() && in_[pos_] == '-' && pos_ + 1 < in_.size() && IsDigit(in_[pos_ + 1])) {
            negative = true;
            ++pos_;
        }
        while (pos_ < in_.size() && IsDigit(in_[pos_])) {
            has_parameter = true;
            if (value < 100'000'000'000LL)
                value = value * 10 + (in_[pos_] - '0');
            ++pos_;
        }
        if (pos_ < in_.size() && in_[pos_] == ' ')
            ++pos_;
        value = std::clamp(negative ? -value : value, -2'147'483'647LL, 2'147'483'647LL);
        const int parameter = static_cast<int>(value);

        // Binary data follows \binN whatever the state.
        if (word == "bin") {
            flushBytes();
            const qsizetype length_of_data = has_parameter && parameter > 0 ? parameter : 0;
            pos_ = std::min(in_.size(), pos_ + length_of_data);
            consumeSkip();
            return;
        }
        if (consumeSkip())
            return;
        flushBytes();
        if (star_) {
            star_ = false;
            starredDestination(word);
            return;
        }
        if (skipping())
            return;
        applyWord(word, has_parameter, parameter);
    }

    void controlSymbol(char c)
    {
        if (c == '\'') {
            int high = pos_ < in_.size() ? HexValue(in_[pos_]) : -1;
            int low = pos_ + 1 < in_.size() ? HexValue(in_[pos_ + 1]) : -1;
            if (high < 0 || low < 0) {
                // A broken escape: its digits are read as text.
                consumeSkip();
                return;
            }
            pos_ += 2;
            if (consumeSkip() || skipping())
                return;
            addByte(static_cast<char>(high * 16 + low));
            return;
        }
        if (c == '\r' || c == '\n') {  // a backslash before a line end is a paragraph mark
            if (consumeSkip() || skipping())
                return;
            flushBytes();
            if (state().destination == Destination::Text)
                finishParagraph(true);
            return;
        }
        if (consumeSkip())
            return;
        if (c == '*') {
            star_ = true;
            return;
        }
        if (skipping())
            return;
        switch (c) {
        case '\\': addByte('\\'); break;
        case '{': addByte('{'); break;
        case '}': addByte('}'); break;
        case '~': addText(u"\u00A0"); break;
        case '-': addText(u"\u00AD"); break;
        case '_': addText(u"\u2011"); break;
        case '\t': addText(u"\t"); break;
        default: break;  // \| \: and the unknown
        }
    }

    // `{\*\word`: a destination a reader may skip; some of them hold what the note loses.
    void starredDestination(std::string_view word)
    {
        if (skipping())
            return;
        if (const char* lost = LostDestination(word))
            lost_.insert(QString::fromUtf8(lost));
        state().destination = Destination::Skip;
    }

    void applyWord(std::string_view word, bool has_parameter, int parameter)
    {
        GroupState& s = state();
        const bool on = !has_parameter || parameter != 0;

        // Destinations.
        if (word == "fonttbl") {
            s.destination = Destination::FontTable;
            font_index_ = -1;
            return;
        }
        if (word == "colortbl") {
            s.destination = Destination::ColourTable;
            colour_ = {};
            return;
        }
        if (const char* lost = LostDestination(word)) {
            lost_.insert(QString::fromUtf8(lost));
            s.destination = Destination::Skip;
            return;
        }
        if (IsSkippedDestination(word)) {
            s.destination = Destination::Skip;
            return;
        }

        if (s.destination == Destination::FontTable) {
            fontTableWord(word, has_parameter, parameter);
            return;
        }
        if (s.destination == Destination::ColourTable) {
            const int component = std::clamp(parameter, 0, 255);
            if (word == "red")
                colour_.red = component;
            else if (word == "green")
                colour_.green = component;
            else if (word == "blue")
                colour_.blue = component;
            return;
        }

        // The document's header.
        if (word == "ansicpg" && has_parameter && parameter > 0) {
            ansi_code_page_ = parameter;
        } else if (word == "ansi") {
            ansi_code_page_ = 1252;
        } else if (word == "mac") {
            ansi_code_page_ = 10000;
        } else if (word == "pc") {
            ansi_code_page_ = 437;
        } else if (word == "pca") {
            ansi_code_page_ = 850;
        } else if (word == "deff" && has_parameter) {
            default_font_ = parameter;
        } else if (word == "uc" && has_parameter) {
            s.unicode_skip = std::clamp(parameter, 0, kMaxUnicodeSkip);
        } else if (word == "u" && has_parameter) {
            const char16_t unit = static_cast<char16_t>(parameter < 0 ? parameter + 65536 : parameter);
            addText(QStringView(&unit, 1));
            skip_ = s.unicode_skip;
        }
        // Paragraphs.
        else if (word == "par") {
            finishParagraph(true);
        } else if (word == "pard") {
            s.alignment = RtfAlignment::Left;
        } else if (word == "ql") {
            s.alignment = RtfAlignment::Left;
        } else if (word == "qc") {
            s.alignment = RtfAlignment::Centre;
        } else if (word == "qr") {
            s.alignment = RtfAlignment::Right;
        } else if (word == "qj" || word == "qd") {
            s.alignment = RtfAlignment::Justify;
        } else if (word == "line") {
            addText(QStringView(&kRtfLineBreak, 1));
        } else if (word == "page" || word == "sect") {
            if (!paragraph_.runs.empty())
                finishParagraph(true);
        }
        // Tables: their text is kept, cells apart by tabs, rows as paragraphs.
        else if (word == "trowd" || word == "intbl" || word == "itap") {
            lost_.insert("таблицы");
        } else if (word == "cell" || word == "nestcell") {
            lost_.insert("таблицы");
            addText(u"\t");
        } else if (word == "row" || word == "nestrow") {
            lost_.insert("таблицы");
            finishParagraph(true);
        } else if (word == "field") {
            lost_.insert("поля");
        }
        // Characters.
        else if (word == "plain") {
            s.font = -1;
            s.half_points = 24;
            s.bold = s.italic = s.underline = s.strike = false;
            s.colour = 0;
        } else if (word == "f" && has_parameter) {
            s.font = parameter;
        } else if (word == "fs") {
            s.half_points = has_parameter && parameter > 0 ? std::clamp(parameter, kMinRtfHalfPoints, kMaxRtfHalfPoints)
                                                           : 24;
        } else if (word == "b") {
            s.bold = on;
        } else if (word == "i") {
            s.italic = on;
        } else if (IsUnderlineWord(word)) {
            s.underline = on;
        } else if (word == "ulnone") {
            s.underline = false;
        } else if (word == "strike" || word == "striked") {
            s.strike = on;
        } else if (word == "cf") {
            s.colour = has_parameter ? parameter : 0;
        }
        // Special characters.
        else if (word == "tab") {
            addText(u"\t");
        } else if (word == "emdash") {
            addText(u"\u2014");
        } else if (word == "endash") {
            addText(u"\u2013");
        } else if (word == "bullet") {
            addText(u"\u2022");
        } else if (word == "lquote") {
            addText(u"\u2018");
        } else if (word == "rquote") {
            addText(u"\u2019");
        } else if (word == "ldblquote") {
            addText(u"\u201C");
        } else if (word == "rdblquote") {
            addText(u"\u201D");
        } else if (word == "emspace") {
            addText(u"\u2003");
        } else if (word == "enspace") {
            addText(u"\u2002");
        } else if (word == "qmspace") {
            addText(u"\u2005");
        } else if (word == "zwj") {
            addText(u"\u200D");
        } else if (word == "zwnj") {
            addText(u"\u200C");
        }
        // Everything else changes nothing the note keeps.
    }

    void fontTableWord(std::string_view word, bool has_parameter, int parameter)
    {
        if (word == "f" && has_parameter) {
            commitFont();
            font_index_ = parameter;
            font_name_.clear();
            font_code_page_ = 0;
            font_charset_ = -1;
        } else if (word == "fcharset" && has_parameter) {
            font_charset_ = parameter;
        } else if (word == "cpg" && has_parameter && parameter > 0) {
            font_code_page_ = parameter;
        } else if (word == "u" && has_parameter) {
            const char16_t unit = static_cast<char16_t>(parameter < 0 ? parameter + 65536 : parameter);
            addText(QStringView(&unit, 1));
            skip_ = state().unicode_skip;
        } else if (word == "uc" && has_parameter) {
            state().unicode_skip = std::clamp(parameter, 0, kMaxUnicodeSkip);
        }
    }

    int codePageOfFontEntry() const
    {
        if (font_code_page_ > 0)
            return font_code_page_;
        return font_charset_ >= 0 ? CodePageOfCharset(font_charset_, ansi_code_page_) : ansi_code_page_;
    }

    void commitFont()
    {
        flushBytes();
        if (font_index_ < 0)
            return;
        if (fonts_.size() < kMaxFonts || fonts_.contains(font_index_))
            fonts_.insert(font_index_, {CleanFontName(font_name_), codePageOfFontEntry()});
        font_index_ = -1;
        font_name_.clear();
    }

    void commitColour()
    {
        if (static_cast<int>(colours_.size()) < kMaxColours) {
            if (colour_.red < 0 && colour_.green < 0 && colour_.blue < 0)
                colours_.push_back(std::nullopt);
            else
                colours_.push_back(static_cast<quint32>(std::max(colour_.red, 0) << 16 |
                                                        std::max(colour_.green, 0) << 8 | std::max(colour_.blue, 0)));
        }
        colour_ = {};
    }

    // ---- Text ----
    void literalByte(char c)
    {
        if (skipping())
            return;
        const Destination destination = state().destination;
        if (c == ';' && destination == Destination::FontTable) {
            commitFont();
            return;
        }
        if (destination == Destination::ColourTable) {
            if (c == ';')
                commitColour();
            return;
        }
        if (c == '\t') {
            addText(u"\t");
            return;
        }
        addByte(c);
    }

    int currentCodePage()
    {
        if (state().destination == Destination::FontTable)
            return codePageOfFontEntry();
        const int index = state().font >= 0 ? state().font : default_font_;
        const auto found = fonts_.constFind(index);
        if (found != fonts_.constEnd() && found->code_page > 0)
            return found->code_page;
        return ansi_code_page_;
    }

    void addByte(char byte)
    {
        if (skipping() || state().destination == Destination::ColourTable)
            return;
        const int code_page = currentCodePage();
        if (!bytes_.isEmpty() && code_page != bytes_code_page_)
            flushBytes();
        bytes_code_page_ = code_page;
        bytes_.append(byte);
    }

    void flushBytes()
    {
        if (bytes_.isEmpty())
            return;
        const QString text = decoders_.decode(bytes_code_page_, bytes_);
        bytes_.clear();
        deliver(text);
    }

    void addText(QStringView text)
    {
        flushBytes();
        deliver(text);
    }

    void deliver(QStringView text)
    {
        if (skipping())
            return;
        switch (state().destination) {
        case Destination::Text: {
            const RtfCharFormat format = resolvedFormat();
            if (!(format == text_format_))
                flushText();
            text_format_ = format;
            text_.append(text);
            break;
        }
        case Destination::FontTable:
            if (font_index_ >= 0 && font_name_.size() < kMaxFontNameLength * 2)
                font_name_.append(text);
            break;
        default: break;
        }
    }

    RtfCharFormat resolvedFormat()
    {
        const GroupState& s = state();
        RtfCharFormat format;
        const auto font = fonts_.constFind(s.font >= 0 ? s.font : default_font_);
        if (font != fonts_.constEnd())
            format.font = font->name;
        format.half_points = s.half_points;
        format.bold = s.bold;
        format.italic = s.italic;
        format.underline = s.underline;
        format.strike = s.strike;
        if (s.colour >= 0 && s.colour < static_cast<int>(colours_.size()))
            format.colour = colours_[static_cast<size_t>(s.colour)];
        return format;
    }

    void flushText()
    {
        if (!text_.isEmpty())
            AppendRtfText(paragraph_, text_, text_format_);
        text_.clear();
    }

    // `ended` is false at the end of the file: a last paragraph without a
    // mark is kept only when it has text.
    void finishParagraph(bool ended)
    {
        flushBytes();
        flushText();
        if (!ended && paragraph_.runs.empty())
            return;
        paragraph_.alignment = stack_.empty() ? last_alignment_ : state().alignment;
        document_.paragraphs.push_back(std::move(paragraph_));
        paragraph_ = {};
    }

    QByteArrayView in_;
    qsizetype pos_ = 0;
    std::vector<GroupState> stack_;
    int overflow_ = 0;         // groups opened beyond the depth bound
    bool star_ = false;        // after \*
    int skip_ = 0;             // fallback characters of \uN still to drop

    int ansi_code_page_ = 1252;
    int default_font_ = 0;
    QHash<int, FontEntry> fonts_;
    int font_index_ = -1;      // the font table's entry being read
    QString font_name_;
    int font_charset_ = -1;
    int font_code_page_ = 0;
    std::vector<std::optional<quint32>> colours_;
    struct { int red = -1, green = -1, blue = -1; } colour_;

    Decoders decoders_;
    QByteArray bytes_;         // \'hh and literal bytes not yet decoded
    int bytes_code_page_ = 1252;
    QString text_;             // decoded text of one format not yet in the paragraph
    RtfCharFormat text_format_;
    RtfParagraph paragraph_;
    RtfAlignment last_alignment_ = RtfAlignment::Left;
    RtfDocument document_;
    std::set<QString> lost_;
};

// ---- The writer --------------------------------------------------------------------

void AppendEscaped(QByteArray& out, QStringView text, bool in_font_table)
{
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c == u'\\' || c == u'{' || c == u'}') {
            out.append('\\').append(static_cast<char>(c));
        } else if (c == u';' && in_font_table) {
            out.append("\\'3b");
        } else if (c == u'\t') {
            out.append("\\tab ");
        } else if (c == kRtfLineBreak) {
            out.append("\\line ");
        } else if (c >= 0x20 && c < 0x7F) {
            out.append(static_cast<char>(c));
        } else if (c >= 0x80 && FitsCp1251(QStringView(&ch, 1))) {
            const QByteArray byte = *EncodeCp1251(QStringView(&ch, 1));
            out.append("\\'").append(QByteArray::number(static_cast<unsigned char>(byte[0]), 16).rightJustified(2, '0'));
        } else {
            out.append("\\u").append(QByteArray::number(c >= 0x8000 ? static_cast<int>(c) - 65536 : static_cast<int>(c)))
                .append('?');
        }
    }
}

const char* AlignmentWord(RtfAlignment alignment)
{
    switch (alignment) {
    case RtfAlignment::Left: return "\\ql";
    case RtfAlignment::Centre: return "\\qc";
    case RtfAlignment::Right: return "\\qr";
    case RtfAlignment::Justify: return "\\qj";
    }
    return "\\ql";
}

bool IsHeldSurrogatePair(QStringView text, qsizetype i)
{
    return i + 1 < text.size() && text[i].isHighSurrogate() && text[i + 1].isLowSurrogate();
}

}  // namespace

void AppendRtfText(RtfParagraph& paragraph, QStringView text, const RtfCharFormat& format)
{
    QString clean;
    clean.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (IsHeldSurrogatePair(text, i)) {
            clean.append(text[i]).append(text[i + 1]);
            ++i;
        } else if (QChar::isSurrogate(c)) {
            clean.append(QChar(kReplacement));
        } else if (c == u'\n' || c == u'\v' || c == u'\f' || c == u'\u2029') {
            clean.append(QChar(kRtfLineBreak));
        } else if (c < 0x20 && c != u'\t') {
            continue;
        } else if (c == u'\uFFFC' || c == u'\uFDD0' || c == u'\uFDD1') {
            clean.append(QChar(kReplacement));
        } else {
            clean.append(QChar(c));
        }
    }
    if (clean.isEmpty())
        return;
    if (!paragraph.runs.empty() && paragraph.runs.back().format == format)
        paragraph.runs.back().text += clean;
    else
        paragraph.runs.push_back({std::move(clean), format});
}

bool LooksLikeRtf(QByteArrayView bytes) { return bytes.startsWith("{\\rtf"); }

RtfReadResult ReadRtf(QByteArrayView bytes) { return Reader(bytes).read(); }

QByteArray WriteRtf(const RtfDocument& document)
{
    QStringList fonts;
    std::vector<quint32> colours;
    for (const RtfParagraph& paragraph : document.paragraphs) {
        for (const RtfRun& run : paragraph.runs) {
            if (!fonts.contains(run.format.font))
                fonts << run.format.font;
            if (run.format.colour && std::find(colours.begin(), colours.end(), *run.format.colour) == colours.end())
                colours.push_back(*run.format.colour);
        }
    }
    if (fonts.isEmpty())
        fonts << QStringLiteral("Arial");

    QByteArray out("{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1049{\\fonttbl");
    for (qsizetype i = 0; i < fonts.size(); ++i) {
        out.append("{\\f").append(QByteArray::number(i)).append("\\fnil\\fcharset204 ");
        AppendEscaped(out, fonts[i], true);
        out.append(";}");
    }
    out.append('}');
    if (!colours.empty()) {
        out.append("{\\colortbl ;");
        for (const quint32 colour : colours)
            out.append("\\red").append(QByteArray::number((colour >> 16) & 0xFF))
                .append("\\green").append(QByteArray::number((colour >> 8) & 0xFF))
                .append("\\blue").append(QByteArray::number(colour & 0xFF)).append(';');
        out.append('}');
    }
    out.append("\r\n\\viewkind4\\uc1\r\n");
    for (const RtfParagraph& paragraph : document.paragraphs) {
        out.append("\\pard").append(AlignmentWord(paragraph.alignment));
        for (const RtfRun& run : paragraph.runs) {
            const RtfCharFormat& f = run.format;
            out.append("{\\f").append(QByteArray::number(fonts.indexOf(f.font)));
            out.append("\\fs").append(QByteArray::number(std::clamp(f.half_points, kMinRtfHalfPoints, kMaxRtfHalfPoints)));
            if (f.bold)
                out.append("\\b");
            if (f.italic)
                out.append("\\i");
            if (f.underline)
                out.append("\\ul");
            if (f.strike)
                out.append("\\strike");
            if (f.colour) {
                const auto at = std::find(colours.begin(), colours.end(), *f.colour) - colours.begin();
                out.append("\\cf").append(QByteArray::number(static_cast<qsizetype>(at) + 1));
            }
            out.append(' ');
            AppendEscaped(out, run.text, false);
            out.append('}');
        }
        out.append("\\par\r\n");
    }
    out.append("}\r\n");
    return out;
}

QString PlainTextOfRtf(const RtfDocument& document)
{
    QString text;
    for (size_t i = 0; i < document.paragraphs.size(); ++i) {
        if (i > 0)
            text += u'\n';
        for (const RtfRun& run : document.paragraphs[i].runs)
            text += run.text;
    }
    text.replace(QChar(kRtfLineBreak), QChar(u'\n'));
    return text;
}

bool IsBlankRtf(const RtfDocument& document)
{
    for (const RtfParagraph& paragraph : document.paragraphs)
        for (const RtfRun& run : paragraph.runs)
            for (const QChar ch : run.text)
                if (!ch.isSpace() && ch != QChar(kRtfLineBreak))
                    return false;
    return true;
}

QString HtmlOfRtf(const RtfDocument& document)
{
    QString html;
    for (const RtfParagraph& paragraph : document.paragraphs) {
        const char* align = paragraph.alignment == RtfAlignment::Centre  ? "center"
                            : paragraph.alignment == RtfAlignment::Right ? "right"
                            : paragraph.alignment == RtfAlignment::Justify ? "justify"
                                                                           : "left";
        html += QStringLiteral("<p style=\"text-align:%1\">").arg(QLatin1String(align));
        if (paragraph.runs.empty())
            html += QStringLiteral("<br>");
        for (const RtfRun& run : paragraph.runs) {
            const RtfCharFormat& f = run.format;
            QString style;
            if (!f.font.isEmpty())
                style += "font-family:'" + QString(f.font).replace('\'', ' ').toHtmlEscaped() + "';";
            style += "font-size:" + QString::number(f.half_points / 2.0) + "pt;";
            if (f.bold)
                style += "font-weight:bold;";
            if (f.italic)
                style += "font-style:italic;";
            if (f.underline || f.strike)
                style += QStringLiteral("text-decoration:%1;")
                             .arg(f.underline && f.strike ? "underline line-through"
                                  : f.underline           ? "underline"
                                                          : "line-through");
            if (f.colour)
                style += QStringLiteral("color:#%1;").arg(*f.colour, 6, 16, QChar(u'0'));
            QString text = run.text.toHtmlEscaped();
            text.replace(QChar(kRtfLineBreak), QStringLiteral("<br>"));
            html += "<span style=\"" + style + "\">" + text + "</span>";
        }
        html += QStringLiteral("</p>\n");
    }
    return html;
}

}  // namespace indikt
