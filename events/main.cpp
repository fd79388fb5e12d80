// indikt-events: the reminders companion. "jp" shows the coming jubilees and
// feasts as "sob.ini" asks, "s" the events due at the present minute, as
// desktop notifications, or in a small window of its own where no
// notification service answers. Its action opens the program on the day.
//   indikt-events [--data-root DIR] [--now YYYY-MM-DDTHH:MM] jp|s

#include "events/reminders.h"
#include "calendar/date_texts.h"
#include "platform/notifications.h"
#include "platform/translations.h"

#include <QApplication>
#include <QDateTime>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMap>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdio>

namespace {

using namespace indikt;

// How long the companion waits for the user to act on its notifications.
constexpr int kWaitForActionMs = 15 * 60 * 1000;

int Usage(const char* problem)
{
    std::fprintf(stderr, "indikt-events: %s\nusage: indikt-events [--data-root DIR] [--now YYYY-MM-DDTHH:MM] jp|s\n",
                 problem);
    return 2;
}

// The main program beside this one, opened on a day.
void OpenProgram(const QString& data_root, const std::optional<Date>& day)
{
    QStringList arguments{"--data-root", data_root};
    if (day)
        arguments << "--date" << QString::fromStdString(IsoDateText(*day));
    QProcess::startDetached(QCoreApplication::applicationDirPath() + "/indikt", arguments);
}

// Where no notification service answers: the messages in a window the user closes.
void ShowInAWindow(const std::vector<ReminderMessage>& messages, const QString& data_root)
{
    QDialog window;
    window.setObjectName("EventsWindow");
    window.setWindowTitle(" Индикт ");
    auto* layout = new QVBoxLayout(&window);
    for (const ReminderMessage& message : messages) {
        auto* text = new QLabel("<b>" + message.heading.toHtmlEscaped() + "</b><br>" +
                                    message.lines.join('\n').toHtmlEscaped().replace('\n', "<br>"),
                                &window);
        text->setTextFormat(Qt::RichText);
        layout->addWidget(text);
    }
    auto* buttons = new QDialogButtonBox(&window);
    QPushButton* open = buttons->addButton("Открыть календарь", QDialogButtonBox::ActionRole);
    buttons->addButton(QDialogButtonBox::Close);
    QObject::connect(open, &QPushButton::clicked, &window, [&] {
        OpenProgram(data_root, messages.front().open_date);
        window.accept();
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, &window, &QDialog::reject);
    layout->addWidget(buttons);
    window.exec();
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    application.setApplicationName("indikt-events");
    InstallQtTranslations(application);

    QString data_root = QCoreApplication::applicationDirPath();
    QDateTime now = QDateTime::currentDateTime();
    std::optional<ReminderKind> kind;
    const QStringList arguments = application.arguments().mid(1);
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--data-root" && i + 1 < arguments.size()) {
            data_root = arguments[++i];
        } else if (arguments[i] == "--now" && i + 1 < arguments.size()) {
            now = QDateTime::fromString(arguments[++i], Qt::ISODate);
            if (!now.isValid())
                return Usage("--now needs a moment YYYY-MM-DDTHH:MM");
        } else if (!kind) {
            kind = ReminderKindOfArgument(arguments[i]);
            if (!kind)
                return Usage("the messages to show are \"jp\" or \"s\"");
        } else {
            return Usage("too many arguments");
        }
    }
    if (!kind)
        return Usage("the messages to show are \"jp\" or \"s\"");
    if (!QFileInfo(data_root).isDir())
        return Usage(qPrintable("data root '" + data_root + "' does not exist"));

    const MemoClock clock{FromCivil(now.date().year(), now.date().month(), now.date().day()),
                          now.time().hour() * 60 + now.time().minute()};
    const QString state = ReminderStateFolder(qEnvironmentVariable("XDG_STATE_HOME"), QDir::homePath());
    const ReminderRun run = RemindersToShow(*kind, data_root, clock, state);
    if (!run.problem.isEmpty())
        std::fprintf(stderr, "indikt-events: %s\n", qPrintable(run.problem));
    if (run.messages.empty())
        return 0;
    if (run.open_window && *kind == ReminderKind::Coming)
        OpenProgram(data_root, std::nullopt);

    DesktopNotifier notifier;
    QMap<uint, Date> open_dates;
    for (const ReminderMessage& message : run.messages) {
        const std::optional<uint> id = notifier.show({" Индикт ", MessageText(message), "Открыть календарь"});
        if (!id) {
            ShowInAWindow(run.messages, data_root);
            return 0;
        }
        open_dates.insert(*id, message.open_date);
    }
    // Waits for the user's answer to the notifications, then ends.
    QObject::connect(&notifier, &Notifier::actionInvoked, &application, [&](uint id) {
        if (open_dates.contains(id))
            OpenProgram(data_root, open_dates.value(id));
    });
    QObject::connect(&notifier, &Notifier::closed, &application, [&](uint id) {
        open_dates.remove(id);
        if (open_dates.isEmpty())
            QCoreApplication::quit();
    });
    QTimer::singleShot(kWaitForActionMs, &application, &QCoreApplication::quit);
    return application.exec();
}
