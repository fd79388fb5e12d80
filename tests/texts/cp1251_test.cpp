#include "texts/cp1251.h"

#include "qt_printers.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <QStringDecoder>

namespace indikt {
namespace {

TEST(Cp1251, AllCyrillicLettersHaveTheirBytes)
{
    const QString letters = QStringLiteral("АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдеёжзийклмнопрстуфхцчшщъыьэюя");
    ASSERT_EQ(letters.size(), 66);
    QByteArray expected;
    for (int byte = 0xC0; byte <= 0xDF; ++byte) {
        expected += char(byte);
        if (byte == 0xC5)
            expected += char(0xA8);  // Ё after Е
    }
    for (int byte = 0xE0; byte <= 0xFF; ++byte) {
        expected += char(byte);
        if (byte == 0xE5)
            expected += char(0xB8);  // ё after е
    }
    const auto bytes = EncodeCp1251(letters);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(*bytes, expected);
    EXPECT_EQ(DecodeCp1251(expected), letters);
}

TEST(Cp1251, EveryByteRoundTripsAndAgreesWithQtsCodec)
{
    QStringDecoder qt_decoder("windows-1251");
    ASSERT_TRUE(qt_decoder.isValid());
    for (int byte = 0; byte < 256; ++byte) {
        SCOPED_TRACE(byte);
        const QByteArray one(1, char(byte));
        const QString text = DecodeCp1251(one);
        ASSERT_EQ(text.size(), 1);
        EXPECT_EQ(EncodeCp1251(text), one);
        // 0x98 is unassigned; we keep it as U+0098 so that no byte is lost.
        if (byte == 0x98)
            EXPECT_EQ(text.front().unicode(), 0x98);
        else
            EXPECT_EQ(text, QString(qt_decoder.decode(one)));
    }
}

TEST(Cp1251, TextOutsideTheCodePageIsRefused)
{
    struct Case { QString text; qsizetype first_outside; };
    const Case cases[] = {
        {QStringLiteral("Индикт № 5 «ё» — €"), -1},
        {QStringLiteral("Straße ü"), 4},
        {QStringLiteral("αβ"), 0},
        {QStringLiteral("ок 🙂"), 3},          // a surrogate pair
        {QStringLiteral("ґєії"), -1},          // Ukrainian letters are held
        {QString(), -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(FirstCharOutsideCp1251(c.text), c.first_outside);
        EXPECT_EQ(FitsCp1251(c.text), c.first_outside < 0);
        EXPECT_EQ(EncodeCp1251(c.text).has_value(), c.first_outside < 0);
    }
}

TEST(DecodeFileText, Utf8IsRecognisedOnlyWhenWellFormed)
{
    const QString word = QStringLiteral("Индикт");
    const QByteArray utf8 = word.toUtf8();
    struct Case { const char* what; QByteArray bytes; QString text; };
    const Case cases[] = {
        {"Windows-1251", *EncodeCp1251(word), word},
        {"UTF-8", utf8, word},
        {"UTF-8 with a byte-order mark", "\xEF\xBB\xBF" + utf8, word},
        {"UTF-8 cut in the middle of a letter", utf8.first(utf8.size() - 1), QStringLiteral("Индик")},
        {"ASCII", "plain=1", QStringLiteral("plain=1")},
        {"overlong form is not UTF-8", "\xC0\x80", QStringLiteral("АЂ")},
        {"surrogate is not UTF-8", "\xED\xA0\x80", QStringLiteral("н\u00A0Ђ")},
        {"above U+10FFFF is not UTF-8", "\xF4\x90\x80\x80", QStringLiteral("фђЂЂ")},
        {"only a cut-off sequence", "ab\xD0", QStringLiteral("abР")},
        {"empty", "", QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(DecodeFileText(c.bytes), c.text);
    }
}

TEST(DecodeFileText, RandomBytesDecodeWithoutFault)
{
    QRandomGenerator random(1251);
    for (int round = 0; round < 200; ++round) {
        QByteArray bytes(int(random.bounded(1, 4096)), Qt::Uninitialized);
        for (char& byte : bytes)
            byte = char(random.bounded(256));
        const QString text = DecodeFileText(bytes);
        if (!LooksLikeUtf8(bytes)) {
            EXPECT_EQ(EncodeCp1251(text), bytes);  // Windows-1251 reading loses nothing
        }
    }
}

}  // namespace
TEST(EncodeFileText, WhatIsWrittenReadsBackAsTheSameText)
{
    // "Вё" is 0xC2 0xB8 in Windows-1251, a well-formed UTF-8 letter: a file of
    // such bytes alone would be read back as UTF-8, so it is written as UTF-8.
    struct Case { const char* what; QString text; bool cp1251; };
    const Case cases[] = {
        {"Russian text", "Рождество Христово, ёлка", true},
        {"only bytes that form UTF-8", "Вё", false},
        {"a letter the code page lacks", "Ἰησοῦς", false},
        {"ASCII", "OneCopy=1", true},
        // Found by fuzzing the INI reader: a line that began with U+FEFF became
        // the file's first line and was then read as the byte-order mark.
        {"a text that begins with U+FEFF", QString(QChar(0xFEFF)) + "[Windows]", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QByteArray bytes = EncodeFileText(c.text);
        EXPECT_EQ(DecodeFileText(bytes), c.text);
        EXPECT_EQ(bytes == EncodeCp1251(c.text).value_or(QByteArray("-")), c.cp1251);
    }
}

}  // namespace indikt
