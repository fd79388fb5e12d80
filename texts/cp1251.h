#pragma once

// The Windows-1251 code page every text file of the data tree and the
// configuration files are written in.
//
// Every one of the 256 bytes has a character: the one byte the code page
// leaves unassigned, 0x98, stands for U+0098 as Windows itself maps it. So any
// byte string decodes and encodes back to the same bytes, and a file this
// program did not understand is written back unchanged.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

namespace indikt {

QString DecodeCp1251(QByteArrayView bytes);

// Nothing when a character of the text has no place in the code page: such a
// text is refused, never written with '?' in its place.
std::optional<QByteArray> EncodeCp1251(QStringView text);

// Whether the code page can hold every character of the text.
bool FitsCp1251(QStringView text);

// Index of the first character the code page cannot hold, or -1.
qsizetype FirstCharOutsideCp1251(QStringView text);

// Whether the bytes are well-formed UTF-8 with at least one non-ASCII
// character. A sequence cut off by the very end is allowed, so a truncated
// file that an editor saved as UTF-8 is still recognised.
bool LooksLikeUtf8(QByteArrayView bytes);

// A text file's bytes to text: UTF-8 when LooksLikeUtf8 (Linux editors
// re-save the files that way; a leading byte-order mark is dropped), else
// Windows-1251.
QString DecodeFileText(QByteArrayView bytes);

// The bytes of a user's text file that DecodeFileText reads back as `text`:
// Windows-1251, unless the text has characters the code page lacks or its
// Windows-1251 bytes would happen to form UTF-8 (then they would be misread);
// in both cases UTF-8.
QByteArray EncodeFileText(QStringView text);

}  // namespace indikt
