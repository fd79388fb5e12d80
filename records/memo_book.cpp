#include "memo_book.h"

#include "texts/cp1251.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <tuple>

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

// What makes two rows the same record: what the file keeps, not the columns
// computed for the moment.
auto RowKey(const YubRecord& row) { return std::make_tuple(row.name, row.stored.serial(), row.pascha_offset.value_or(INT_MIN), row.show_years); }
auto RowKey(const PrasdRecord& row)
{
    return std::make_tuple(row.name, row.movable, int(row.status), row.movable ? row.pascha_offset : 0,
                           row.movable ? 0 : row.stored.serial(), row.stored_is_old_style);
}
auto RowKey(const SobRecord& row)
{
    return std::make_tuple(row.name, row.active, int(row.period), row.minute, row.stored.serial());
}

template <typename Row>
bool Holds(const std::vector<Row>& rows, const Row& row)
{
    return std::any_of(rows.begin(), rows.end(), [&](const Row& other) { return RowKey(other) == RowKey(row); });
}

template <typename Row>
bool HoldsName(const std::vector<Row>& rows, const std::vector<Row>& base, const QString& name)
{
    return std::any_of(rows.begin(), rows.end(),
                       [&](const Row& other) { return other.name == name && !Holds(base, other); });
}

template <typename Row>
std::vector<Row> MergeRows(const std::vector<Row>& base, const std::vector<Row>& ours, const std::vector<Row>& theirs,
                           MemoMerge& merge)
{
    std::vector<Row> rows;
    for (const Row& row : ours) {
        if (Holds(base, row) && !Holds(theirs, row)) {
            ++merge.removed_elsewhere;  // removed or changed by the other side
            continue;
        }
        rows.push_back(row);
    }
    for (const Row& row : theirs) {
        if (!Holds(base, row) && !Holds(rows, row)) {
            rows.push_back(row);
            ++merge.added_elsewhere;
        }
    }
    for (const Row& row : base)
        if (!Holds(ours, row) && !Holds(theirs, row) && HoldsName(ours, base, row.name) &&
            HoldsName(theirs, base, row.name))
            ++merge.conflicts;
    return rows;
}

}  // namespace

MemoMerge MergeMemoLists(const MemoLists& base, const MemoLists& ours, const MemoLists& theirs)
{
    MemoMerge merge;
    merge.lists.jubilees = MergeRows(base.jubilees, ours.jubilees, theirs.jubilees, merge);
    merge.lists.feasts = MergeRows(base.feasts, ours.feasts, theirs.feasts, merge);
    merge.lists.events = MergeRows(base.events, ours.events, theirs.events, merge);
    return merge;
}

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
QString MemoBook::backupPath(int number) const { return filePath() + kMemoBackupSuffix + QString::number(number); }

void MemoBook::open()
{
    clock_ = now_();
    cancelEdits();
    const QString path = filePath();
    MemoReadResult read = ReadMemoFile(path, clock_);
    lists_ = std::move(read.lists);
    base_ = lists_;
    load_error_ = read.error;
    damaged_on_load_ = read.damaged + (read.error.isEmpty() ? 0 : 1);
    damaged_copy_.clear();
    damaged_copy_error_.clear();
    const std::optional<QByteArray> bytes = ReadFileBytes(path, kMaxDamagedCopyBytes);
    stamp_ = StampOfBytes(path, bytes.value_or(QByteArray()));
    if (damaged_on_load_ > 0) {
        // Kept before anything can be written over it, and never rotated away.
        damaged_copy_ = bytes ? KeepDamagedCopy(path, *bytes, &damaged_copy_error_) : QString();
        if (damaged_copy_.isEmpty() && damaged_copy_error_.isEmpty())
            damaged_copy_error_ = "файл слишком велик, чтобы сохранить его копию";
    }
}

QString MemoBook::loadMessage() const
{
    if (damaged_on_load_ == 0)
        return {};
    const QString name = QString::fromUtf8(kMemoFileName);
    const QString what = !load_error_.isEmpty()
                             ? load_error_
                             : "В файле \"" + name + "\" не прочитано строк и записей: " +
                                   QString::number(damaged_on_load_) + ".";
    if (!damaged_copy_.isEmpty())
        return what + " Прежний файл сохранён как \"" + QFileInfo(damaged_copy_).fileName() + "\".";
    return what + " Копию прежнего файла сохранить не удалось (" + damaged_copy_error_ +
           "), поэтому изменения Памятки не будут записаны.";
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

void MemoBook::rotateBackups(const QByteArray& current)
{
    for (int number = kMemoBackupCount; number > 1; --number) {
        const QByteArray older = QFile::encodeName(backupPath(number - 1));
        if (QFileInfo::exists(backupPath(number - 1)))
            ::rename(older.constData(), QFile::encodeName(backupPath(number)).constData());
    }
    // A backup that cannot be written is no reason to refuse the save itself.
    WriteFileAtomically(backupPath(1), current);
}

// The file differs from what this book last read or wrote: merge the other
// version, or, when it cannot be read, keep it beside the file.
bool MemoBook::mergeChangesFromElsewhere(const QByteArray& found, QString* error)
{
    const QString name = QString::fromUtf8(kMemoFileName);
    MemoReadResult theirs = ParseMemoText(DecodeFileText(found), clock_);
    if (found.contains('\0') || !theirs.ours || theirs.damaged > 0) {
        const QString kept = KeepDamagedCopy(filePath(), found, error);
        if (kept.isEmpty())
            return false;
        last_notice_ = "Файл \"" + name + "\" был изменён другой программой и прочитан не полностью; та версия сохранена в \"" +
                       QFileInfo(kept).fileName() + "\".";
        if (!theirs.ours)
            return true;  // nothing of it to merge
    }
    const MemoMerge merge = MergeMemoLists(base_, lists_, theirs.lists);
    cancelEdits();
    lists_ = merge.lists;
    QString notice = "Файл \"" + name + "\" был изменён другой программой; изменения объединены (добавлено: " +
                     QString::number(merge.added_elsewhere) + ", удалено: " + QString::number(merge.removed_elsewhere) + ").";
    if (merge.conflicts > 0)
        notice += " Записей, изменённых и там, и здесь: " + QString::number(merge.conflicts) + "; сохранены обе версии.";
    last_notice_ = last_notice_.isEmpty() ? notice : last_notice_ + " " + notice;
    return true;
}

WriteResult MemoBook::save()
{
    refreshMoment();
    last_notice_.clear();
    const QString path = filePath();
    if (!damaged_copy_error_.isEmpty())
        return {"Файл \"" + path + "\" не записан: копию повреждённого файла сохранить не удалось (" +
                damaged_copy_error_ + ")."};
    const std::optional<QByteArray> found = ReadFileBytes(path, kMaxDamagedCopyBytes);
    if (!found && QFileInfo::exists(path))
        return {"Файл \"" + path + "\" не записан: прежний файл не удалось прочитать."};
    if (found) {
        if (!stamp_.exists || StampOfBytes(path, *found).sha256 != stamp_.sha256) {
            QString error;
            if (!mergeChangesFromElsewhere(*found, &error))
                return {"Файл \"" + path + "\" не записан: " + error};
        }
        rotateBackups(*found);
    }
    const QByteArray bytes = MemoFileBytes(lists_, clock_);
    WriteResult written = WriteFileAtomically(path, bytes);
    if (written.ok()) {
        base_ = lists_;
        stamp_ = StampOfBytes(path, bytes);
    }
    return written;
}

WriteResult MemoBook::addGreatFeasts()
{
    refreshMoment();
    struct GreatFeast { const char* name; int offset; int old_month; int old_day; };
    // Fixed ones by their old-style day; movable ones by their days from Pascha.
    static constexpr GreatFeast kGreatFeasts[] = {
        {"Рождество Пресвятой Богородицы", 0, 9, 8},
        {"Воздвижение Креста Господня", 0, 9, 14},
        {"Введение во храм Пресвятой Богородицы", 0, 11, 21},
        {"Рождество Христово", 0, 12, 25},
        {"Крещение Господне", 0, 1, 6},
        {"Сретение Господне", 0, 2, 2},
        {"Благовещение Пресвятой Богородицы", 0, 3, 25},
        {"Вход Господень в Иерусалим", -7, 0, 0},
        {"Пасха", 0, 0, 0},
        {"Вознесение Господне", 39, 0, 0},
        {"День Святой Троицы", 49, 0, 0},
        {"Преображение Господне", 0, 8, 6},
        {"Успение Пресвятой Богородицы", 0, 8, 15},
    };
    const int year = YearOf(clock_.today);
    for (const GreatFeast& feast : kGreatFeasts) {
        const bool movable = feast.old_month == 0;
        const Date stored = movable ? clock_.today : FromCivil(year, feast.old_month, feast.old_day);
        lists_.feasts.push_back(MakeFeast(QString::fromUtf8(feast.name), movable, FeastStatus::Church, feast.offset,
                                          stored, !movable, clock_));
    }
    sortByWaiting();
    return save();
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
