// The main window's reminders: the clock tick with its midnight work and the
// 15:00 switch, the events of today as they fall due, and the companion that
// shows the messages.

#include "app/panes/note_pane.h"
#include "app/window/main_window.h"
#include "app/window/month_grid_widget.h"
#include "platform/companion.h"
#include "records/memo_messages.h"

#include <QProcess>
#include <QStatusBar>
#include <QToolButton>

namespace indikt {

void TForm1::onTimer1(const QDateTime& now)
{
    updateClockLabel(now.time());
    // A walk over many days runs its own loop: the clock's work waits for
    // its end, and the crossings it brings are seen on the first tick after.
    if (batch_walk_)
        return;
    const MemoClock moment{FromCivil(now.date().year(), now.date().month(), now.date().day()),
                           now.time().hour() * 60 + now.time().minute()};
    const ClockEvents events = clock_watch_.Tick({moment.today, moment.minute});
    if (events.midnight)
        MidnightWork();
    if (events.afternoon)
        evening_switch_waiting_ = true;
    if (evening_switch_waiting_)
        switchToEveningWhenFree();
    if (!list_box_mes_sob_.empty() && PrSob(list_box_mes_sob_, moment.minute))
        announceDueEvents(moment);
    IcoDeskExe();  // the icons of a new day on the desktop, when asked for
}

// Everything that depends on which day is today, for a new today.
void TForm1::MidnightWork()
{
    updateToday();
    updateImagePravilo();  // a new day may bring a portion of the home rule still to read
    image_knopka_sv_->setText(QString::number(Fields(today()).day));
    CalendarVid();  // the grid marks today ("Сегодня - " in its hint)
    ListJubPr();
    // The commemorations as they stand for the new day: the events of the
    // day before are gone, the new day's are to come.
    memo_book_->refreshMoment();
    list_box_mes_sob_ = memo_book_->todayEventTimes();
}

// The evening view waits while a note is edited or a search or report walks
// through dates; it comes on the first tick after.
void TForm1::switchToEveningWhenFree()
{
    if (batch_walk_ || (note_editing_ && note_editing_->isEditing()))
        return;
    evening_switch_waiting_ = false;
    ActionVezherExecute();
}

// The companion shows the events of the minute; where it cannot be started,
// the window says them itself.
void TForm1::announceDueEvents(const MemoClock& now)
{
    if (startCompanion(QStringLiteral("Events.exe"), {"s"}))
        return;
    const std::vector<SobRecord> due = DueEvents(memo_book_->lists().events, now);
    if (due.empty())
        return;
    const ReminderMessage message = DueEventsMessage(due, now);
    if (!notify({" Индикт ", MessageText(message), {}}))
        statusBar()->showMessage(MessageText(message).replace('\n', "  "));
}

void TForm1::MessageSob()
{
    if (!settings_.flag(kSectionVid, "PerSoob"))
        return;
    // A missing companion means no opening messages; nothing to say about it.
    startCompanion(QStringLiteral("Events.exe"), {"jp"});
}

bool TForm1::startCompanion(const QString& windows_name, const QStringList& arguments)
{
    const QString program = CompanionProgram(context_.program_folder, windows_name);
    if (program.isEmpty())
        return false;
    const QStringList all = QStringList{"--data-root", context_.data_root} + arguments;
    if (context_.start_program)
        return context_.start_program(program, all);
    return QProcess::startDetached(program, all);
}

bool TForm1::notify(const Notification& notification)
{
    if (context_.notify)
        return context_.notify(notification);
    if (!notifier_)
        notifier_ = new DesktopNotifier(QDBusConnection::sessionBus(), this);
    return notifier_->show(notification).has_value();
}

}  // namespace indikt
