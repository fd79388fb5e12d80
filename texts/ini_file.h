#pragma once

// Configuration files in the Windows private-profile form ("zk.ini",
// "sob.ini"): "[Section]" lines, "key=value" lines, Windows-1251, CR LF.
//
// The file is kept as its lines, in file order. Lines this program does not
// understand (comments, blank lines, text before the first section, sections
// and keys of other programs) stay as they were, byte for byte. Setting a
// value changes its line or adds one; nothing ever removes a key.
//
// Sections and keys are matched without regard to case, as Windows does; the
// first section and the first key of a name count. Keys "AвтоЗагрузка" (Latin
// A) and "АвтоЗагрузка" (Cyrillic А) are different keys.
//
// Values are read trimmed of surrounding blanks, and a value enclosed in a
// pair of matching quotes loses them. A value written with surrounding blanks
// or surrounding quotes is therefore written quoted, so it reads back as set.

#include "data_files.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>
#include <vector>

namespace indikt {

// A configuration file larger than this is not a configuration file.
inline constexpr qsizetype kMaxIniFileBytes = 1024 * 1024;

class IniFile {
public:
    IniFile();  // an empty file

    // Parses a file's bytes (DecodeFileText: Windows-1251, or UTF-8 when an
    // editor re-saved it so). Never fails: any bytes give some lines. Lines
    // holding a NUL byte are dropped and counted in `dropped_lines`.
    static IniFile parse(QByteArrayView bytes, int* dropped_lines = nullptr);

    // The file's bytes: the lines joined by CR LF, in Windows-1251 (or UTF-8
    // where Windows-1251 would lose or misread a character: EncodeFileText).
    QByteArray toBytes() const;

    std::optional<QString> value(QStringView section, QStringView key) const;
    QString value(QStringView section, QStringView key, const QString& fallback) const;
    bool contains(QStringView section, QStringView key) const;

    // Sets a value, adding the section or key when missing (a new key goes
    // after the last key of its section, a new section at the end). Line
    // breaks and other control characters of the value become blanks, so a
    // value can never break the file into other lines. Refused, with nothing
    // changed, when a character of the section, key or value has no place in
    // Windows-1251, the key is empty or holds '=', or the section is empty or
    // holds ']'.
    bool setValue(QStringView section, QStringView key, QStringView value);

    // Names as spelt in the file, in file order, each name once.
    QStringList sectionNames() const;
    QStringList keyNames(QStringView section) const;

    bool isEmpty() const;

private:
    struct Line {
        QString text;   // the line as found, or as last written
        QString key;    // trimmed key; empty for a line that is not a key
        QString value;  // as read: trimmed, quotes removed
    };
    struct Section {
        QString name;              // empty for the lines before the first section
        QString header;            // the "[name]" line as found
        std::vector<Line> lines;   // the header line is not among them
        QHash<QString, qsizetype> key_index;  // case-folded key -> first line of it
        qsizetype last_key = -1;   // index of the last key line
    };

    const Line* findLine(QStringView section, QStringView key) const;
    void addLine(Section& section, QString text);

    std::vector<Section> sections_;  // sections_[0]: lines before the first section
    QHash<QString, qsizetype> section_index_;  // case-folded name -> first section of it
};

// Reading a configuration file: a missing file is an empty one and no error.
// A damaged file is read as far as it can be: lines holding a NUL byte are
// dropped, and of a file over the cap only its first kMaxIniFileBytes are
// read. `error` then says so for the user; a reader that may save over the
// file keeps the file as found beside it first (KeepDamagedCopy), while one
// that only reads leaves the folder alone. Something that is not a file at
// all gives an empty file and an error.
enum class DamagedFile { Keep, Leave };
struct IniReadResult {
    IniFile file;
    QString error;
    bool damaged = false;   // not read whole
    QString kept_copy;      // where the damaged file was kept, when it was
};
IniReadResult ReadIniFile(const QString& path, DamagedFile damaged = DamagedFile::Keep);

// Saves atomically (WriteFileAtomically): a failed save leaves the old file.
WriteResult SaveIniFile(const IniFile& file, const QString& path);

}  // namespace indikt
