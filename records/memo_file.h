#pragma once

// "Памятка.txt": the three lists of the commemorations dialog in one text file
// of labelled lines. Every data line is a label of exactly 14 characters
// followed by its value; other lines are ignored. Windows-1251, CR LF.

#include "records/memo_records.h"
#include "texts/data_files.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace indikt {

inline constexpr const char* kMemoFileName = "Памятка.txt";
inline constexpr const char* kMemoBackupSuffix = ".bak";

// A file is the program's own when it begins with these characters.
inline constexpr const char* kMemoHeaderMark = "Данные программы";
inline constexpr const char* kMemoHeader = "Данные программы Индикт";

inline constexpr qsizetype kMemoLabelLength = 14;

// Ten thousand records take about a megabyte; a file over this is not read.
inline constexpr qsizetype kMaxMemoFileBytes = 16 * 1024 * 1024;

struct MemoLists {
    std::vector<YubRecord> jubilees;
    std::vector<PrasdRecord> feasts;
    std::vector<SobRecord> events;

    bool empty() const { return jubilees.empty() && feasts.empty() && events.empty(); }
    friend bool operator==(const MemoLists&, const MemoLists&) = default;
};

// The rows as the calendar places them.
std::vector<FeastEntry> FeastEntries(const MemoLists& lists);
std::vector<JubileeEntry> JubileeEntries(const MemoLists& lists);

struct MemoReadResult {
    MemoLists lists;
    bool exists = false;    // there was a file to read
    bool ours = false;      // it begins with kMemoHeaderMark
    // Lines that were not understood, values that could not be read (they
    // took their fallbacks) and records cut off before their name line.
    int damaged = 0;
    QString error;          // the file exists but could not be read
};

// Reads the text of a file. Without the header, fixed church feasts are taken
// as civil dates.
MemoReadResult ParseMemoText(const QString& text, const MemoClock& clock);

// Reads a file; a missing file gives empty lists and no error.
MemoReadResult ReadMemoFile(const QString& path, const MemoClock& clock);

// The text of the file for the lists. A one-time event that is past at the
// moment is written inactive.
QString MemoFileText(const MemoLists& lists, const MemoClock& clock);

// The file's bytes: Windows-1251, or UTF-8 where Windows-1251 would lose or
// misread a character (EncodeFileText).
QByteArray MemoFileBytes(const MemoLists& lists, const MemoClock& clock);

// The minutes of the day of the active events still due today, in the
// order of the list.
std::vector<int> TodayEventTimes(const std::vector<SobRecord>& events, const MemoClock& clock);

}  // namespace indikt
