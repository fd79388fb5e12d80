#pragma once

// The files one reader found for a day, in the fixed slots of its address
// list, with the command that opens each.

#include "lectionary/readings.h"
#include "lectionary/tree_files.h"

#include <QString>

#include <initializer_list>
#include <string_view>
#include <vector>

namespace indikt {

class SlotReader {
public:
    SlotReader(const TreeFiles& files, std::initializer_list<const char*> slot_commands);

    // Reads a reading file into `slot` (a later file of the same slot wins);
    // empty, and the slot untouched, when there is no such file.
    QString read(int slot, const QString& relative);
    // A reading shown along with another of its slot, which keeps the other's file.
    QString readAlong(const QString& relative) const;
    // A piece that is not shown in the end leaves its slot empty.
    void forget(int slot);
    // The slot filled by a text that is not a file of its own.
    void mark(int slot, const QString& relative);
    ReadingText finish(QString text) const;

private:
    const TreeFiles& files_;
    std::vector<const char*> commands_;
    QStringList slots_;
};

bool KeyIn(const std::string& key, std::initializer_list<std::string_view> keys);
QString Qs(const std::string& text);

// The pieces of the readers' texts.
QString MovableFile(int number);                 // "007.txt"
QString KeyFile(const std::string& key);         // "май25.txt", empty for no key
QString Labelled(const QString& label, const QString& text, const QString& after = {});  // empty stays empty
QString LeftTrimmed(const QString& text);
// Two pieces with one space between them; either may be empty.
QString Joined(const QString& a, const QString& b);
// The readings of a feast followed by the ordinary reading, " Рядовое: " and
// the reading; with no reading of the feast the ordinary one stands alone.
QString FeastAndOrdinary(const QString& feast, const QString& ordinary);
// " И за субботу: ": the label of the ordinary reading of another day read
// along with the day's own.
QString AlongForTheDay(Date day);
QString RightTrimmed(const QString& text);

}  // namespace indikt
