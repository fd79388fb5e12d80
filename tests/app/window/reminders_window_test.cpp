// The main window's reminders driven by an injected clock: the events of
// today as they fall due, the companion's start (or the window's own message
// when it cannot start), the midnight work across a night of suspend, and the
// 15:00 switch that waits for an edit to end.
#include "app/panes/note_pane.h"
#include "app/window/main_window.h"

#include "file_helpers.h"
#include "texts/cp1251.h"

#include <QFile>
#include <QLabel>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace indikt {
namespace {

Date D(int year, int month, int day) { return FromCivil(year, month, day); }
QDateTime At(int day, int hour, int minute, int second = 0) { return {QDate(2026, 12, day), QTime(hour, minute, second)}; }

// One event of "Памятка.txt".
QString Event(const char* period, const char* time, const char* date, const char* name)
{
    return QString::fromUtf8("Действие:     true\r\nПериод:       %1\r\nВремя:        %2\r\n"
                             "Дата события: %3\r\nИмя события:  %4\r\n")
        .arg(QString::fromUtf8(period), time, date, QString::fromUtf8(name));
}

struct Started {
    QString program;
    QStringList arguments;
};

class RemindersWindowTest : public ::testing::Test {
protected:
    void writeMemo(const QString& events)
    {
        ASSERT_TRUE(WriteBytes(root.filePath("Памятка.txt"),
                               *EncodeCp1251(QString::fromUtf8("Данные программы Индикт\r\n") + events)));
    }
    void writeZk(const char* text) { ASSERT_TRUE(WriteBytes(root.filePath("zk.ini"), *EncodeCp1251(QString::fromUtf8(text)))); }
    // The companion beside the program: an executable file is enough to be found.
    void installCompanion()
    {
        QFile file(programs.filePath("indikt-events"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\n");
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    std::unique_ptr<TForm1> open()
    {
        MainWindowContext context{root.path(), programs.path(), [this] { return now; }, "", "", StartMode::Saved, false};
        context.start_program = [this](const QString& program, const QStringList& arguments) {
            started.push_back({program, arguments});
            return companion_starts;
        };
        context.notify = [this](const Notification& notification) {
            notified << notification.title + "|" + notification.body;
            return notification_service;
        };
        const QDate date = now.date();
        return std::make_unique<TForm1>(context, ZkSettings::Load(root.filePath("zk.ini"), D(date.year(), date.month(), date.day())));
    }
    void tick(std::unique_ptr<TForm1>& window, const QDateTime& moment)
    {
        now = moment;
        window->onTimer1(moment);
    }
    QStringList dueStarts() const
    {
        QStringList moments;
        for (const Started& start : started)
            if (start.arguments.endsWith("s"))
                moments << start.arguments.join(' ');
        return moments;
    }

    QTemporaryDir root;
    QTemporaryDir programs;
    QDateTime now = At(8, 9, 59, 55);
    bool companion_starts = true;
    bool notification_service = true;
    std::vector<Started> started;
    QStringList notified;
};

TEST_F(RemindersWindowTest, EventsOfOneMinuteStartTheCompanionOnceAndPastMinutesOfTheHourAreDropped)
{
    installCompanion();
    writeZk("[Vid]\r\nPerSoob=0\r\n");
    writeMemo(Event("Ежедневно", "10:00", "01.12.2026", "Молитва") + Event("Однократно", "10:00", "08.12.2026", "Звонок") +
              Event("Однократно", "10:05", "08.12.2026", "Письмо") + Event("Однократно", "10:07", "08.12.2026", "Вчера") +
              Event("Однократно", "11:00", "09.12.2026", "Завтра"));
    auto window = open();
    EXPECT_EQ(window->todayEventTimes(), std::vector<int>({600, 600, 605, 607}));

    const QString data_root_argument = "--data-root " + root.path() + " s";
    struct Step { QDateTime at; int starts; std::vector<int> left; };
    const Step steps[] = {
        {At(8, 9, 59, 55), 0, {600, 600, 605, 607}},
        {At(8, 10, 0, 5), 1, {605, 607}},   // two events of 10:00, one start
        {At(8, 10, 0, 15), 1, {605, 607}},  // the same minute again: nothing
        {At(8, 10, 5, 5), 2, {607}},
        {At(8, 10, 9, 0), 2, {}},           // the machine was busy over 10:07: dropped unfired
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.at.toString().toStdString());
        tick(window, step.at);
        EXPECT_EQ(dueStarts().size(), step.starts);
        EXPECT_EQ(window->todayEventTimes(), step.left);
    }
    ASSERT_FALSE(started.empty());
    EXPECT_EQ(started.front().program, programs.filePath("indikt-events"));
    EXPECT_EQ(dueStarts().front(), data_root_argument) << "the companion reads the same data root";
    EXPECT_TRUE(notified.isEmpty()) << "the companion shows the events";
}

TEST_F(RemindersWindowTest, WithoutTheCompanionTheWindowShowsTheDueEventsItself)
{
    writeMemo(Event("Однократно", "10:00", "08.12.2026", "Звонок") + Event("Однократно", "10:01", "08.12.2026", "Письмо"));
    {
        SCOPED_TRACE("no companion beside the program: a notification");
        auto window = open();
        tick(window, At(8, 10, 0, 3));
        ASSERT_EQ(notified.size(), 1);
        EXPECT_TRUE(notified.front().startsWith(" Индикт |"));
        EXPECT_TRUE(notified.front().contains("10:00 — Звонок")) << notified.front().toStdString();
        EXPECT_FALSE(notified.front().contains("Письмо"));
        EXPECT_TRUE(started.empty());
    }
    {
        SCOPED_TRACE("the companion fails to start and no notification service answers: the status bar");
        installCompanion();
        companion_starts = false;
        notification_service = false;
        notified.clear();
        now = At(8, 10, 0, 50);
        auto window = open();
        tick(window, At(8, 10, 1, 2));
        EXPECT_EQ(dueStarts().size(), 1) << "the companion was tried first";
        EXPECT_EQ(notified.size(), 1);
        EXPECT_TRUE(window->statusBar()->currentMessage().contains("10:01 — Письмо"))
            << window->statusBar()->currentMessage().toStdString();
    }
}

TEST_F(RemindersWindowTest, TheOpeningMessagesFollowPerSoob)
{
    installCompanion();
    writeMemo(Event("Однократно", "10:00", "08.12.2026", "Звонок"));
    for (const bool per_soob : {true, false}) {
        SCOPED_TRACE(per_soob ? "PerSoob on" : "PerSoob off");
        started.clear();
        now = At(8, 9, 59, 55);
        writeZk(per_soob ? "[Vid]\r\nPerSoob=1\r\n" : "[Vid]\r\nPerSoob=0\r\n");
        auto window = open();
        window->MessageSob();
        const bool opening = !started.empty() && started.front().arguments == QStringList({"--data-root", root.path(), "jp"});
        EXPECT_EQ(opening, per_soob);
        tick(window, At(8, 10, 0, 1));
        EXPECT_EQ(dueStarts().size(), 1) << "due events are announced either way";
    }
}

TEST_F(RemindersWindowTest, MidnightAcrossASuspendRebuildsTheDayOnce)
{
    writeZk("[Vid]\r\nPerSoob=0\r\n");
    writeMemo(Event("Однократно", "23:55", "08.12.2026", "Поздно") + Event("Ежедневно", "07:00", "01.12.2026", "Утро") +
              Event("Ежедневно", "09:30", "01.12.2026", "Чтение") + Event("Однократно", "12:00", "09.12.2026", "Обед"));
    now = At(8, 23, 50);
    auto window = open();
    tick(window, now);
    EXPECT_EQ(window->todayEventTimes(), std::vector<int>({23 * 60 + 55}));
    auto* button = window->findChild<QToolButton*>("ImageKnopkaSv");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), "8");

    // The machine slept from 23:50 to 08:00 of the next day.
    tick(window, At(9, 8, 0));
    EXPECT_EQ(window->findChild<QLabel*>("LblSegodn")->text(), "Сегодня: 9.12.2026");
    EXPECT_EQ(button->text(), "9");
    EXPECT_TRUE(window->statusText().startsWith("Сегодня Среда 9 дек 2026 года")) << window->statusText().toStdString();
    EXPECT_EQ(window->todayEventTimes(), std::vector<int>({9 * 60 + 30, 12 * 60}))
        << "the new day's events only: 23:55 of the 8th is gone, 07:00 went by in the sleep";

    // Not again on the same day: a list the ticks emptied stays empty.
    tick(window, At(9, 9, 30, 4));
    tick(window, At(9, 12, 0, 4));
    EXPECT_TRUE(window->todayEventTimes().empty());
    tick(window, At(9, 12, 0, 14));
    EXPECT_TRUE(window->todayEventTimes().empty()) << "the midnight work ran once for the 9th";
    EXPECT_EQ(notified.size(), 2);
}

TEST_F(RemindersWindowTest, TheEveningSwitchWaitsForTheNoteBeingEdited)
{
    now = At(8, 14, 59, 55);
    auto window = open();
    window->show();
    window->showPane(DayPane::Notes);
    tick(window, now);
    auto* editor = window->findChild<NotesEditor*>("RichEditSapis");
    ASSERT_NE(editor, nullptr);
    editor->setFocus();
    QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, QString("ж"), Qt::NoModifier);
    ASSERT_TRUE(window->notePane()->isEditing());

    tick(window, At(8, 15, 0, 5));
    EXPECT_FALSE(window->eveningMode()) << "15:00 waits while the note is edited";
    EXPECT_TRUE(window->eveningSwitchWaiting());
    tick(window, At(8, 15, 0, 15));
    EXPECT_FALSE(window->eveningMode());

    ASSERT_TRUE(window->notePane()->ActionSaveSapisExecute());
    window->notePane()->EditSapisESC();
    ASSERT_FALSE(window->notePane()->isEditing());
    tick(window, At(8, 15, 0, 25));
    EXPECT_TRUE(window->eveningMode()) << "and comes on the first tick after the edit";
    EXPECT_FALSE(window->eveningSwitchWaiting());
    EXPECT_EQ(window->liturgicalDate(), D(2026, 12, 9));
}

}  // namespace
}  // namespace indikt
