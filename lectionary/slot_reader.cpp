#include "slot_reader.h"

#include "calendar/reading_cycle.h"

namespace indikt {

SlotReader::SlotReader(const TreeFiles& files, std::initializer_list<const char*> slot_commands)
    : files_(files), commands_(slot_commands)
{
    for (size_t i = 0; i < commands_.size(); ++i)
        slots_ << QString();
}

QString SlotReader::read(int slot, const QString& relative)
{
    if (relative.isEmpty() || !files_.exists(relative))
        return {};
    slots_[slot] = Portable(relative);
    return files_.reading(relative);
}

QString SlotReader::readAlong(const QString& relative) const
{
    return relative.isEmpty() || !files_.exists(relative) ? QString() : files_.reading(relative);
}

void SlotReader::forget(int slot) { slots_[slot].clear(); }

void SlotReader::mark(int slot, const QString& relative) { slots_[slot] = Portable(relative); }

ReadingText SlotReader::finish(QString text) const
{
    ReadingText result;
    result.text = std::move(text);
    result.addresses = slots_;
    for (size_t i = 0; i < commands_.size(); ++i)
        if (!slots_[static_cast<qsizetype>(i)].isEmpty())
        {
            result.found_commands << QString::fromLatin1(commands_[i]);
            result.found_files << slots_[static_cast<qsizetype>(i)];
        }
    return result;
}

bool KeyIn(const std::string& key, std::initializer_list<std::string_view> keys)
{
    for (const std::string_view k : keys)
        if (key == k)
            return true;
    return false;
}

QString Qs(const std::string& text) { return QString::fromStdString(text); }

QString MovableFile(int number) { return Qs(MovableFileName(number)); }

QString KeyFile(const std::string& key) { return key.empty() ? QString() : Qs(key) + ".txt"; }

QString Labelled(const QString& label, const QString& text, const QString& after)
{
    return text.isEmpty() ? QString() : label + text + after;
}

QString AlongForTheDay(Date day)
{
    // The weekday after "за", by the ISO number.
    static const char* const kAccusative[] = {"понедельник", "вторник", "среду", "четверг", "пятницу", "субботу",
                                              "воскресенье"};
    return QString(" И за ") + QString::fromUtf8(kAccusative[IsoWeekday(day) - 1]) + ": ";
}

QString LeftTrimmed(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    return text.mid(i);
}

QString Joined(const QString& a, const QString& b)
{
    if (a.isEmpty())
        return b;
    return b.isEmpty() ? a : a + " " + b;
}

QString FeastAndOrdinary(const QString& feast, const QString& ordinary)
{
    const QString head = feast.trimmed();
    return head.isEmpty() ? ordinary : head + Labelled(" Рядовое: ", ordinary);
}

QString RightTrimmed(const QString& text)
{
    qsizetype n = text.size();
    while (n > 0 && text[n - 1].isSpace())
        --n;
    return text.left(n);
}

}  // namespace indikt
