#include "cp1251.h"

#include <QStringDecoder>

#include <array>

namespace indikt {

namespace {

// Bytes 0x80..0xBF. Bytes below 0x80 are ASCII; 0xC0..0xFF are А..я in
// alphabetical order (U+0410..U+044F).
constexpr std::array<char16_t, 64> kUpperHalf = {
    u'\u0402', u'\u0403', u'\u201A', u'\u0453', u'\u201E', u'\u2026', u'\u2020', u'\u2021',  // 0x80
    u'\u20AC', u'\u2030', u'\u0409', u'\u2039', u'\u040A', u'\u040C', u'\u040B', u'\u040F',  // 0x88
    u'\u0452', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',  // 0x90
    u'\u0098', u'\u2122', u'\u0459', u'\u203A', u'\u045A', u'\u045C', u'\u045B', u'\u045F',  // 0x98
    u'\u00A0', u'\u040E', u'\u045E', u'\u0408', u'\u00A4', u'\u0490', u'\u00A6', u'\u00A7',  // 0xA0
    u'\u0401', u'\u00A9', u'\u0404', u'\u00AB', u'\u00AC', u'\u00AD', u'\u00AE', u'\u0407',  // 0xA8
    u'\u00B0', u'\u00B1', u'\u0406', u'\u0456', u'\u0491', u'\u00B5', u'\u00B6', u'\u00B7',  // 0xB0
    u'\u0451', u'\u2116', u'\u0454', u'\u00BB', u'\u0458', u'\u0405', u'\u0455', u'\u0457',  // 0xB8
};

constexpr char16_t kCapitalA = u'\u0410';
constexpr char16_t kSmallYa = u'\u044F';

constexpr char16_t CharOfByte(unsigned char byte)
{
    if (byte < 0x80)
        return byte;
    if (byte < 0xC0)
        return kUpperHalf[byte - 0x80];
    return static_cast<char16_t>(kCapitalA + (byte - 0xC0));
}

std::optional<unsigned char> ByteOfChar(char16_t ch)
{
    if (ch < 0x80)
        return static_cast<unsigned char>(ch);
    if (ch >= kCapitalA && ch <= kSmallYa)
        return static_cast<unsigned char>(0xC0 + (ch - kCapitalA));
    for (std::size_t i = 0; i < kUpperHalf.size(); ++i) {
        if (kUpperHalf[i] == ch)
            return static_cast<unsigned char>(0x80 + i);
    }
    return std::nullopt;
}

// Length of the well-formed UTF-8 sequence at `at`: 0 when it is malformed,
// -1 when it is well-formed so far but cut off by the end of the bytes.
// Overlong forms, surrogates and values above U+10FFFF are malformed.
int Utf8SequenceLength(QByteArrayView bytes, qsizetype at)
{
    const auto lead = static_cast<unsigned char>(bytes[at]);
    int length = 0;
    unsigned char low = 0x80;   // range of the second byte
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0;
        if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        if (lead == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    for (int i = 1; i < length; ++i) {
        if (at + i >= bytes.size())
            return -1;
        const auto byte = static_cast<unsigned char>(bytes[at + i]);
        const unsigned char min = i == 1 ? low : 0x80;
        const unsigned char max = i == 1 ? high : 0xBF;
        if (byte < min || byte > max)
            return 0;
    }
    return length;
}

struct Utf8Scan {
    bool well_formed = true;
    bool non_ascii = false;
    qsizetype complete_length = 0;  // bytes before a sequence cut off by the end
};

Utf8Scan ScanUtf8(QByteArrayView bytes)
{
    Utf8Scan scan;
    qsizetype at = 0;
    while (at < bytes.size()) {
        if (static_cast<unsigned char>(bytes[at]) < 0x80) {
            ++at;
            continue;
        }
        const int length = Utf8SequenceLength(bytes, at);
        if (length == 0) {
            scan.well_formed = false;
            return scan;
        }
        if (length < 0)
            break;
        scan.non_ascii = true;
        at += length;
    }
    scan.complete_length = at;
    return scan;
}

}  // namespace

QString DecodeCp1251(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = QChar(CharOfByte(static_cast<unsigned char>(bytes[i])));
    return text;
}

std::optional<QByteArray> EncodeCp1251(QStringView text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const auto byte = ByteOfChar(text[i].unicode());
        if (!byte)
            return std::nullopt;
        bytes[i] = static_cast<char>(*byte);
    }
    return bytes;
}

qsizetype FirstCharOutsideCp1251(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!ByteOfChar(text[i].unicode()))
            return i;
    }
    return -1;
}

bool FitsCp1251(QStringView text)
{
    return FirstCharOutsideCp1251(text) < 0;
}

bool LooksLikeUtf8(QByteArrayView bytes)
{
    const Utf8Scan scan = ScanUtf8(bytes);
    return scan.well_formed && scan.non_ascii;
}

QString DecodeFileText(QByteArrayView bytes)
{
    const Utf8Scan scan = ScanUtf8(bytes);
    if (!scan.well_formed || !scan.non_ascii)
        return DecodeCp1251(bytes);
    // A sequence cut off by the end of a truncated file is dropped.
    bytes = bytes.first(scan.complete_length);
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    // Exactly one mark is dropped: a U+FEFF after it belongs to the text.
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    return utf8.decode(bytes);
}

QByteArray EncodeFileText(QStringView text)
{
    std::optional<QByteArray> bytes = EncodeCp1251(text);
    if (bytes && !LooksLikeUtf8(*bytes))
        return *std::move(bytes);
    // The reader takes a leading U+FEFF for the byte-order mark and drops it:
    // a text that begins with one gets a mark before it, so that it survives.
    if (text.startsWith(QChar(0xFEFF)))
        return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
    return text.toUtf8();
}

}  // namespace indikt
