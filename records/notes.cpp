#include "notes.h"

#include "calendar/date_texts.h"
#include "calendar/paschalion.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <array>

namespace indikt {

namespace {

QString Qs(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// A whole field of decimal digits, with an optional sign; nothing otherwise.
std::optional<int> WholeNumber(QStringView text)
{
    if (text.isEmpty())
        return std::nullopt;
    qsizetype at = 0;
    bool negative = false;
    if (text[0] == u'-' || text[0] == u'+') {
        negative = text[0] == u'-';
        at = 1;
    }
    if (at == text.size())
        return std::nullopt;
    int value = 0;
    for (; at < text.size(); ++at) {
        const char16_t c = text[at].unicode();
        if (c < u'0' || c > u'9' || value > 100000)
            return std::nullopt;
        value = value * 10 + (c - u'0');
    }
    return negative ? -value : value;
}

QString FileName(const QString& path) { return QFileInfo(path).fileName(); }

QString LostNotice(const QString& path, const QStringList& lost)
{
    return "В записи «" + FileName(path) + "» есть то, что программа показать не может (" + lost.join(", ") +
           "). Она открыта только для чтения; изменить её можно в редакторе.";
}

// The shown file as another program left it, copied beside it under a name
// the listing does not take, before this save replaces or removes it.
QString KeepOtherVersion(const QString& path, QString* error)
{
    const QFileInfo info(path);
    const QString aside = info.absolutePath() + "/" + info.completeBaseName() + " (другая версия " +
                          QDateTime::currentDateTime().toString("yyyy-MM-dd hh-mm-ss") + ")." + info.suffix();
    const std::optional<QByteArray> bytes = ReadFileBytes(path, kMaxDamagedCopyBytes);
    if (!bytes) {
        *error = "Не удалось прочитать файл «" + info.fileName() + "», изменённый другой программой.";
        return {};
    }
    const WriteResult written = WriteFileAtomically(aside, *bytes);
    if (!written.ok()) {
        *error = written.error;
        return {};
    }
    return aside;
}

QString RemovalText(Removal removal, const QString& path)
{
    return removal == Removal::Trashed ? "Файл «" + FileName(path) + "» перемещён в корзину."
                                       : "Файл «" + FileName(path) + "» удалён.";
}

NoteSaveResult Failure(QString message)
{
    NoteSaveResult result;
    result.outcome = NoteSaveResult::Outcome::Failed;
    result.message = std::move(message);
    return result;
}

NoteSaveResult OutcomeOnly(NoteSaveResult::Outcome outcome, QString message = {})
{
    NoteSaveResult result;
    result.outcome = outcome;
    result.message = std::move(message);
    return result;
}

WriteResult WriteNoteFile(const QString& path, const QByteArray& bytes)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QFileInfo(folder).isDir() && !QDir().mkpath(folder))
        return {"Не удалось создать папку «" + folder + "»."};
    return WriteFileAtomically(path, bytes);
}

}  // namespace

QString NotesFolderPath(const QString& data_root) { return data_root + "/" + QString::fromUtf8(kNotesFolderName); }

OldStyleDate NoteKeyOfDate(Date civil_date) { return OldStyle(civil_date); }

Date CivilDateOfNoteKey(OldStyleDate key) { return NewStyle(key); }

NoteFileNames NoteFilesOfKey(const QString& data_root, OldStyleDate key)
{
    const QString folder = NotesFolderPath(data_root) + "/";
    const QString yearly = folder + QString::fromStdString(TextOfMonthAndDay(key));
    const QString dated = folder + QString::fromStdString(TextOfDayAndMonthAndYear2(key));
    return {yearly + ".rtf", dated + ".rtf", yearly + ".doc", dated + ".doc"};
}

bool IsYearlyNoteFile(const QString& path) { return FileName(path).size() == 9; }

StoredNote ReadNote(const QString& data_root, Date civil_date)
{
    StoredNote note;
    note.date = civil_date;
    note.key = NoteKeyOfDate(civil_date);
    const NoteFileNames names = NoteFilesOfKey(data_root, note.key);
    const QString order[] = {names.yearly_rtf, names.dated_rtf, names.yearly_doc, names.dated_doc};
    for (const QString& path : order) {
        if (!QFileInfo::exists(path))
            continue;
        if (note.path.isEmpty())
            note.path = path;
        else if (!(path == names.yearly_doc && QFileInfo::exists(names.yearly_rtf)) &&
                 !(path == names.dated_doc && QFileInfo::exists(names.dated_rtf)))
            note.hidden << path;  // a .doc beside its .rtf is a leftover, not a note
    }
    if (note.path.isEmpty())
        return note;
    note.yearly = IsYearlyNoteFile(note.path);

    const QFileInfo info(note.path);
    const std::optional<QByteArray> bytes = ReadFileBytes(note.path, kMaxNoteBytes);
    if (!bytes) {
        note.editable = false;
        note.stamp = StampOfFile(note.path);
        note.notice = info.isFile() && info.size() > kMaxNoteBytes
                          ? "Запись «" + info.fileName() + "» слишком велика для показа (" +
                                QString::number(info.size() / (1024 * 1024)) + " МБ). Откройте её в редакторе."
                          : "Запись «" + info.fileName() + "» не удалось прочитать.";
        return note;
    }
    note.stamp = StampOfBytes(note.path, *bytes);
    if (!LooksLikeRtf(*bytes)) {
        note.editable = false;
        note.notice = "Файл «" + info.fileName() +
                      "» не в формате RTF. Программа его не показывает и не изменяет; откройте его в редакторе.";
        return note;
    }
    RtfReadResult read = ReadRtf(*bytes);
    note.content = std::move(read.document);
    if (!read.lost.isEmpty()) {
        note.editable = false;
        note.notice = LostNotice(note.path, read.lost);
    }
    return note;
}

std::optional<ListedNote> ParseNoteFileName(const QString& file_name, int today_year)
{
    if (file_name.size() < 9 || file_name.size() > 13 || !file_name.endsWith(QStringLiteral(".rtf")))
        return std::nullopt;
    static const std::array<QString, 12> abbreviations = [] {
        std::array<QString, 12> names;
        for (int m = 1; m <= 12; ++m)
            names[static_cast<size_t>(m - 1)] = Qs(MonthAbbreviation(m));
        return names;
    }();
    int month = 12;  // any letters but the first eleven abbreviations
    for (int m = 1; m <= 11; ++m)
        if (QStringView(file_name).left(3) == abbreviations[static_cast<size_t>(m - 1)])
            month = m;
    const int day = WholeNumber(QStringView(file_name).mid(3, 2)).value_or(32);
    const int year = file_name.size() == 9 ? today_year
                                           : WholeNumber(QStringView(file_name).mid(5, 4)).value_or(today_year);
    if (year < 1 || !IsValidJulian(year, month, day))
        return std::nullopt;
    const OldStyleDate key = FromOldStyle(year, month, day);
    if (!IsAcceptedDate(CivilDateOfNoteKey(key)))
        return std::nullopt;  // no shown day has this note
    return ListedNote{key, file_name.size() == 9, file_name};
}

NoteListing ListNotes(const QString& data_root, Date today)
{
    NoteListing listing;
    const QDir folder(NotesFolderPath(data_root));
    const QStringList names = folder.entryList({QStringLiteral("*.rtf")},
                                               QDir::Files | QDir::Hidden | QDir::System | QDir::CaseSensitive,
                                               QDir::Unsorted);
    listing.examined = static_cast<int>(names.size());
    const int year = YearOf(OldStyle(today));
    for (const QString& name : names)
        if (const std::optional<ListedNote> note = ParseNoteFileName(name, year))
            listing.notes.push_back(*note);
    std::sort(listing.notes.begin(), listing.notes.end(), [](const ListedNote& a, const ListedNote& b) {
        return a.key != b.key ? a.key < b.key : a.file_name < b.file_name;
    });
    return listing;
}

QStringList SpisokSapis(const NoteListing& listing, int mode, OldStyleDate shown_key)
{
    QStringList dates;
    for (const ListedNote& note : listing.notes)
        if (mode == 0 || (mode == 1 && note.key < shown_key) || (mode == 2 && note.key > shown_key))
            dates << QString::fromStdString(TextOfDayAndMonthAndYear9(note.key));
    return dates;
}

std::optional<Date> PreviousNoteDate(const NoteListing& listing, OldStyleDate shown_key)
{
    for (auto it = listing.notes.rbegin(); it != listing.notes.rend(); ++it)
        if (it->key < shown_key)
            return CivilDateOfNoteKey(it->key);
    return std::nullopt;
}

std::optional<Date> NextNoteDate(const NoteListing& listing, OldStyleDate shown_key)
{
    for (const ListedNote& note : listing.notes)
        if (note.key > shown_key)
            return CivilDateOfNoteKey(note.key);
    return std::nullopt;
}

Removal RemoveToTrash(const QString& path)
{
    // The desktop's trash lies in the user's data folder ($XDG_DATA_HOME);
    // where that folder is missing, Qt's trash would take the current folder
    // for it and scatter "files" and "info" there. It is made first.
    const QString data_home = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (!data_home.isEmpty() && QDir().mkpath(data_home) && QFile::moveToTrash(path))
        return Removal::Trashed;
    // A desktop without a trash: the note goes as the user asked.
    if (QFileInfo(path).isFile() && QFile::remove(path))
        return Removal::Deleted;
    return Removal::Failed;
}

QStringList CleanUpLegacyNotes(const QString& data_root, OldStyleDate key, const NoteRemover& remover)
{
    QStringList moved;
    const NoteFileNames names = NoteFilesOfKey(data_root, key);
    for (const auto& [doc, rtf] : {std::pair{names.yearly_doc, names.yearly_rtf}, std::pair{names.dated_doc, names.dated_rtf}}) {
        if (!QFileInfo(doc).isFile() || !QFileInfo::exists(rtf))
            continue;
        const std::optional<QByteArray> bytes = ReadFileBytes(doc, kMaxNoteBytes);
        if (!bytes || !LooksLikeRtf(*bytes))
            continue;  // not a copy of the note: kept
        if (remover(doc) == Removal::Trashed)
            moved << doc;
    }
    return moved;
}

NoteSaveResult SaveNote(const QString& data_root, const NoteSave& save, const NoteQuestions& ask,
                        const NoteRemover& remover)
{
    using Outcome = NoteSaveResult::Outcome;
    const auto answer_to = [&ask](NoteQuestion question, const QString& file) {
        return ask ? ask(question, file) : NoteAnswer::Cancel;
    };
    const NoteFileNames names = NoteFilesOfKey(data_root, save.key);
    const QString& loaded = save.loaded_path;
    QStringList notes;  // what the status bar is told besides

    // Another program changed the shown file since it was read.
    if (!loaded.isEmpty() && StampOfFile(loaded) != save.loaded_stamp) {
        if (!save.modified)
            return OutcomeOnly(Outcome::Reload, "Запись «" + FileName(loaded) +
                                                    "» изменена другой программой; показана её новая версия.");
        switch (answer_to(NoteQuestion::ChangedElsewhere, FileName(loaded))) {
        case NoteAnswer::Cancel: return OutcomeOnly(Outcome::Cancelled);
        case NoteAnswer::No: return OutcomeOnly(Outcome::Reload);
        case NoteAnswer::Yes: break;
        }
        if (QFileInfo::exists(loaded)) {
            QString error;
            const QString aside = KeepOtherVersion(loaded, &error);
            if (aside.isEmpty())
                return Failure(error);
            notes << "Версия другой программы сохранена как «" + FileName(aside) + "».";
        }
    }

    // Blank text: the shown note goes, and nothing else.
    if (IsBlankRtf(save.content)) {
        NoteSaveResult result = OutcomeOnly(Outcome::Deleted);
        if (!loaded.isEmpty() && QFileInfo::exists(loaded)) {
            const Removal removal = remover(loaded);
            if (removal == Removal::Failed)
                return Failure("Не удалось удалить файл записи «" + loaded + "».");
            notes.prepend(RemovalText(removal, loaded));
        }
        result.message = notes.join(' ');
        return result;
    }

    QString target = save.yearly ? names.yearly_rtf : names.dated_rtf;
    RtfDocument content = save.content;
    if (target != loaded && QFileInfo::exists(target)) {
        // A note the editor did not load is there: never written over without asking.
        const std::optional<QByteArray> bytes = ReadFileBytes(target, kMaxNoteBytes);
        const RtfReadResult other = bytes ? ReadRtf(*bytes) : RtfReadResult{};
        const bool can_append = other.lossless();
        const bool can_keep = !loaded.isEmpty();
        if (!can_append && !can_keep)
            return Failure("Файл «" + FileName(target) +
                           "» уже есть, и прочитать его целиком программа не может. Запись не сохранена.");
        const NoteQuestion question = can_append && can_keep ? NoteQuestion::NameTaken
                                      : can_append           ? NoteQuestion::NameTakenNoKeep
                                                             : NoteQuestion::NameTakenNoAppend;
        const NoteAnswer answer = answer_to(question, FileName(target));
        if (answer == NoteAnswer::Cancel || (answer == NoteAnswer::Yes && !can_append) ||
            (answer == NoteAnswer::No && !can_keep))
            return OutcomeOnly(Outcome::Cancelled);
        if (answer == NoteAnswer::Yes) {
            for (const RtfParagraph& paragraph : other.document.paragraphs)
                content.paragraphs.push_back(paragraph);
            notes << "Текст записи «" + FileName(target) + "» добавлен к этой записи.";
        } else {
            // Both kept: this note stays under the name it was shown with.
            const QString taken = target;
            target = IsYearlyNoteFile(loaded) ? names.yearly_rtf : names.dated_rtf;
            if (target != loaded && QFileInfo::exists(target))
                return Failure("Файл «" + FileName(target) + "» уже есть. Запись не сохранена.");
            notes << "Запись «" + FileName(taken) + "» оставлена как была.";
        }
    }

    const QByteArray bytes = WriteRtf(content);
    const WriteResult written = WriteNoteFile(target, bytes);
    if (!written.ok())
        return Failure(written.error);

    NoteSaveResult result;
    result.outcome = Outcome::Saved;
    result.path = target;
    result.stamp = StampOfBytes(target, bytes);
    result.yearly = IsYearlyNoteFile(target);
    // Only now the name the note was shown under goes.
    if (!loaded.isEmpty() && loaded != target && QFileInfo::exists(loaded)) {
        const Removal removal = remover(loaded);
        if (removal == Removal::Failed)
            notes << "Старый файл записи «" + FileName(loaded) + "» удалить не удалось.";
        else
            notes << RemovalText(removal, loaded);
    }
    result.message = notes.join(' ');
    return result;
}

}  // namespace indikt
