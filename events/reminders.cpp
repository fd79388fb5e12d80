#include "reminders.h"

#include "calendar/date_texts.h"
#include "texts/data_files.h"
#include "texts/ini_file.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>

namespace indikt {

namespace {

// One file per data root, so two installations keep their own day.
QString ShownDayFile(const QString& state_folder, const QString& data_root)
{
    const QString canonical = QFileInfo(data_root).canonicalFilePath();
    const QByteArray key =
        QCryptographicHash::hash((canonical.isEmpty() ? data_root : canonical).toUtf8(), QCryptographicHash::Sha256)
            .toHex()
            .left(16);
    return QDir(state_folder).filePath("messages-shown-" + QString::fromLatin1(key));
}

}  // namespace

std::optional<ReminderKind> ReminderKindOfArgument(const QString& argument)
{
    if (argument == QLatin1String("jp"))
        return ReminderKind::Coming;
    if (argument == QLatin1String("s"))
        return ReminderKind::Due;
    return std::nullopt;
}

QString ReminderStateFolder(const QString& xdg_state_home, const QString& home)
{
    const QString base = QDir::isAbsolutePath(xdg_state_home) ? xdg_state_home : home + "/.local/state";
    return QDir::cleanPath(base + "/indikt");
}

ReminderRun RemindersToShow(ReminderKind kind, const QString& data_root, const MemoClock& now,
                            const QString& state_folder)
{
    ReminderRun run;
    // An event counts as gone from the minute it falls on; the events due now
    // are read as they stood a minute before.
    const MemoClock read_at = kind == ReminderKind::Due ? MemoClock{now.today, now.minute - 1} : now;
    const MemoReadResult memo = ReadMemoFile(QDir(data_root).filePath(QString::fromUtf8(kMemoFileName)), read_at);
    if (!memo.error.isEmpty())
        run.problem = memo.error;
    const IniReadResult sob = ReadIniFile(QDir(data_root).filePath(QString::fromUtf8(kSobIniFileName)), DamagedFile::Leave);
    if (!sob.error.isEmpty())
        run.problem += (run.problem.isEmpty() ? "" : " ") + sob.error;
    const SobSettings settings = ReadSobSettings(sob.file);
    run.open_window = settings.with_system;

    if (kind == ReminderKind::Due) {
        const std::vector<SobRecord> due = DueEvents(memo.lists.events, now);
        if (!due.empty())
            run.messages.push_back(DueEventsMessage(due, now));
        return run;
    }
    const QString shown_file = ShownDayFile(state_folder, data_root);
    const QString today = QString::fromStdString(TextOfDayAndMonthAndYear1(now.today));
    if (settings.once_a_day && ReadSingleLine(shown_file) == today)
        return run;  // already shown today
    run.messages = ComingMessages(memo.lists, settings);
    if (settings.once_a_day && !run.messages.empty() && QDir().mkpath(state_folder))
        WriteFileAtomically(shown_file, today.toUtf8() + "\n");
    return run;
}

}  // namespace indikt
