#include "memo_book.h"

#include "texts/cp1251.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace indikt {

namespace {

template <typename Row>
std::optional<int> IndexOf(const std::vector<Row>& rows, const std::optional<Row>& row)
{
    if (!row)
        return std::nullopt;
    const auto found = std::find(rows.begin(), rows.end(), *row);
    return found == rows.end() ? std::nullopt : std::optional<int>(int(found - rows.begin()));
}

template <typename Row>
void Apply(std::vector<Row>& rows, const std::vector<Row>& imported, ImportChoice choice)
{
    if (choice == ImportChoice::Replace)
        rows = imported;
    else if (choice == ImportChoice::Add)
        rows.insert(rows.end(), imported.begin(), imported.end());
}

}  // namespace

QString NameProblem(const QString& name)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return "Введите название.";
    for (const QChar c : trimmed)
        if (c.category() == QChar::Other_Control)
            return "Название должно быть одной строкой.";
    const qsizetype outside = FirstCharOutsideCp1251(trimmed);
    if (outside >= 0) {
        const int length = trimmed.at(outside).isHighSurrogate() ? 2 : 1;
        return "Знак \"" + trimmed.mid(outside, length) +
               "\" нельзя сохранить в файле Памятки (кодировка Windows-1251). Замените его.";
    }
    return {};
}

MemoBook::MemoBook(QString folder, std::function<MemoClock()> now) : folder_(std::move(folder)), now_(std::move(now))
{
    clock_ = now_();
}

QString MemoBook::filePath() const { return QDir(folder_).filePath(QString::fromUtf8(kMemoFileName)); }
QString MemoBook::backupPath() const { return filePath() + kMemoBackupSuffix; }

void MemoBook::open()
{
    clock_ = now_();
    cancelEdits();
    MemoReadResult read = ReadMemoFile(filePath(), clock_);
    lists_ = std::move(read.lists);
    load_error_ = read.error;
    damaged_on_load_ = read.damaged + (read.error.isEmpty() ? 0 : 1);
    stamp_ = stampNow();
}

QString MemoBook::loadMessage() const
{
    if (!load_error_.isEmpty())
        return load_error_ + " При сохранении прежний файл останется в \"" + QFileInfo(backupPath()).fileName() + "\".";
    if (damaged_on_load_ == 0)
        return {};
    return "В файле \"" + QString::fromUtf8(kMemoFileName) +
           "\" не прочитано строк и записей: " + QString::number(damaged_on_load_) +
           ". При сохранении прежний файл останется в \"" + QFileInfo(backupPath()).fileName() + "\".";
}

// The columns depend on today: when the day has changed since they were
// computed, every row is computed anew for the new day, exactly as a save and
// a new read would do.
void MemoBook::refreshMoment()
{
    const MemoClock now = now_();
    if (now.today != clock_.today) {
        const QString text = MemoFileText(lists_, clock_);
        cancelEdits();
        lists_ = ParseMemoText(text, now).lists;
    }
    clock_ = now;
}

template <typename Row>
void MemoBook::putOnTop(std::vector<Row>& rows, std::optional<Row>& edited, Row row)
{
    if (const std::optional<int> index = IndexOf(rows, edited))
        rows.erase(rows.begin() + *index);
    edited.reset();
    rows.insert(rows.begin(), std::move(row));
}

WriteResult MemoBook::addJubilee(const JubileeInput& input)
{
    if (QString problem = NameProblem(input.name); !problem.isEmpty())
        return {problem};
    refreshMoment();
    YubRecord jubilee;
    jubilee.name = input.name.trimmed();
    jubilee.stored = ClampToCalendarRange(input.picked);
    if (input.movable)
        jubilee.pascha_offset = OffsetFromPascha(jubilee.stored);
    jubilee.show_years = input.show_years;
    ComputeJubilee(jubilee, clock_);
    orders_[std::size_t(MemoList::Jubilees)] = {};
    putOnTop(lists_.jubilees, edited_jubilee_, std::move(jubilee));
    return save();
}

WriteResult MemoBook::addFeast(const FeastInput& input)
{
    if (QString problem = NameProblem(input.name); !problem.isEmpty())
        return {problem};
    refreshMoment();
    const Date picked = ClampToCalendarRange(input.picked);
    PrasdRecord feast;
    if (input.movable) {
        feast = MakeFeast(input.name.trimmed(), true, input.status, OffsetFromPascha(picked), picked, false,
                          clock_);
    } else if (input.status == FeastStatus::Church) {
        // A fixed church feast keeps the old-style day and month of the date picked.
        feast = MakeFeast(input.name.trimmed(), false, input.status, 0, KeptOldStyleDay(picked), true, clock_);
    } else {
        feast = MakeFeast(input.name.trimmed(), false, input.status, 0, picked, false, clock_);
    }
    orders_[std::size_t(MemoList::Feasts)] = {};
    putOnTop(lists_.feasts, edited_feast_, std::move(feast));
    return save();
}

WriteResult MemoBook::addEvent(const EventInput& input)
{
    if (QString problem = NameProblem(input.name); !problem.isEmpty())
        return {problem};
    refreshMoment();
    SobRecord event;
    event.name = input.name.trimmed();
    event.active = true;
    event.period = input.period;
    event.minute = std::clamp(input.minute, 0, kMinutesPerDay - 1);
    event.stored = ClampToCalendarRange(input.date);
    ComputeEvent(event, clock_);
    orders_[std::size_t(MemoList::Events)] = {};
    putOnTop(lists_.events, edited_event_, std::move(event));
    return save();
}

void MemoBook::beginEdit(MemoList list, int row)
{
    switch (list) {
    case MemoList::Jubilees:
        if (row >= 0 && row < int(lists_.jubilees.size()))
            edited_jubilee_ = lists_.jubilees[std::size_t(row)];
        break;
    case MemoList::Feasts:
        if (row >= 0 && row < int(lists_.feasts.size()))
            edited_feast_ = lists_.feasts[std::size_t(row)];
        break;
    case MemoList::Events:
        if (row >= 0 && row < int(lists_.events.size()))
            edited_event_ = lists_.events[std::size_t(row)];
        break;
    }
}

std::optional<int> MemoBook::editedRow(MemoList list) const
{
    switch (list) {
    case MemoList::Jubilees: return IndexOf(lists_.jubilees, edited_jubilee_);
    case MemoList::Feasts: return IndexOf(lists_.feasts, edited_feast_);
    case MemoList::Events: return IndexOf(lists_.events, edited_event_);
    }
    return std::nullopt;
}

void MemoBook::cancelEdit(MemoList list)
{
    switch (list) {
    case MemoList::Jubilees: edited_jubilee_.reset(); break;
    case MemoList::Feasts: edited_feast_.reset(); break;
    case MemoList::Events: edited_event_.reset(); break;
    }
}

void MemoBook::cancelEdits()
{
    edited_jubilee_.reset();
    edited_feast_.reset();
    edited_event_.reset();
}

WriteResult MemoBook::remove(MemoList list, std::vector<int> rows)
{
    const std::optional<int> edited = editedRow(list);
    std::sort(rows.begin(), rows.end(), std::greater<>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    const auto erase = [&](auto& vector) {
        for (const int row : rows)
            if (row >= 0 && row < int(vector.size()))
                vector.erase(vector.begin() + row);
    };
    switch (list) {
    case MemoList::Jubilees: erase(lists_.jubilees); break;
    case MemoList::Feasts: erase(lists_.feasts); break;
    case MemoList::Events: erase(lists_.events); break;
    }
    if (edited && std::find(rows.begin(), rows.end(), *edited) != rows.end())
        cancelEdit(list);
    return save();
}

WriteResult MemoBook::setEventActive(int row, bool active)
{
    if (row < 0 || row >= int(lists_.events.size()))
        return {};
    const bool edited = editedRow(MemoList::Events) == row;
    lists_.events[std::size_t(row)].active = active;
    if (edited)
        edited_event_ = lists_.events[std::size_t(row)];
    return save();
}

void MemoBook::sort(MemoList list, SortOrder order)
{
    orders_[std::size_t(list)] = order;
    switch (list) {
    case MemoList::Jubilees: SortJubilees(lists_.jubilees, order); break;
    case MemoList::Feasts: SortFeasts(lists_.feasts, order); break;
    case MemoList::Events: SortEvents(lists_.events, order); break;
    }
}

void MemoBook::sortByWaiting()
{
    const auto direction = [this](MemoList list) { return orders_[std::size_t(list)].ascending; };
    sort(MemoList::Jubilees, {jubilee_column::kWaiting, direction(MemoList::Jubilees)});
    sort(MemoList::Feasts, {feast_column::kWaiting, direction(MemoList::Feasts)});
    sort(MemoList::Events, {event_column::kWaiting, direction(MemoList::Events)});
}

MemoBook::FileStamp MemoBook::stampNow() const
{
    const QFileInfo info(filePath());
    if (!info.exists())
        return {};
    return {true, info.size(), info.lastModified()};
}

WriteResult MemoBook::save()
{
    refreshMoment();
    last_notice_.clear();
    const QString path = filePath();
    const FileStamp current = stampNow();
    if (current.exists) {
        const bool changed_elsewhere = current != stamp_;
        if (!damaged_backup_kept_ || changed_elsewhere) {
            const std::optional<QByteArray> previous = ReadFileBytes(path, kMaxDataFileBytes);
            const WriteResult backup = previous ? WriteFileAtomically(backupPath(), *previous)
                                                : WriteResult{"файл не удалось прочитать"};
            if (!backup.ok())
                return {"Файл \"" + path + "\" не записан: не удалось сохранить прежний в \"" + backupPath() +
                        "\" (" + backup.error + ")."};
            if (damaged_on_load_ > 0)
                damaged_backup_kept_ = true;
        }
        if (changed_elsewhere)
            last_notice_ = "Файл \"" + QString::fromUtf8(kMemoFileName) +
                           "\" был изменён другой программой; та версия сохранена в \"" +
                           QFileInfo(backupPath()).fileName() + "\".";
    }
    WriteResult written = WriteFileAtomically(path, MemoFileBytes(lists_, clock_));
    if (written.ok())
        stamp_ = stampNow();
    return written;
}

WriteResult MemoBook::exportTo(const QString& path) const
{
    return WriteFileAtomically(path, MemoFileBytes(lists_, clock_));
}

MemoBook::ImportFile MemoBook::readImport(const QString& path) const
{
    MemoReadResult read = ReadMemoFile(path, clock_);
    const QString name = QFileInfo(path).fileName();
    if (!read.exists)
        return {{}, "Файл \"" + name + "\" не найден."};
    if (!read.error.isEmpty())
        return {{}, read.error};
    if (!read.ours)
        return {{}, "Файл \"" + name + "\" не является файлом Памятки: он не начинается словами \"" +
                        QString::fromUtf8(kMemoHeaderMark) + "\". Данные не изменены."};
    return {std::move(read.lists), {}};
}

WriteResult MemoBook::applyImport(const MemoLists& imported, const ImportChoices& choices)
{
    cancelEdits();
    Apply(lists_.jubilees, imported.jubilees, choices.jubilees);
    Apply(lists_.feasts, imported.feasts, choices.feasts);
    Apply(lists_.events, imported.events, choices.events);
    sortByWaiting();
    return save();
}

}  // namespace indikt
