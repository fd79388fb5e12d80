// The program: start rules, the single running copy, the splash, the main
// window, and the ways it ends (closing, SIGTERM, the desktop session ending),
// each of which writes the settings back.

#include "app/window/main_window.h"
#include "backup/backup_engine.h"
#include "calendar/date_texts.h"
#include "platform/autostart.h"
#include "platform/installed_tree.h"
#include "platform/single_instance.h"
#include "platform/translations.h"
#include "settings/start_rules.h"
#include "settings/zk_settings.h"
#include "texts/data_files.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPainter>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QSplashScreen>

#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using namespace indikt;

// SIGTERM is turned into a readable socket so the window can end on the event
// loop, the only place where it is safe to save.
int g_signal_fds[2] = {-1, -1};

void OnTerminate(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_signal_fds[0], &byte, 1);
}

QPixmap SplashPicture()
{
    QPixmap picture(325, 180);
    picture.fill(QColor(0xF4, 0xEF, 0xE2));
    QPainter painter(&picture);
    painter.setPen(QColor(0x80, 0x20, 0x20));
    QFont title = painter.font();
    title.setPointSize(26);
    title.setBold(true);
    painter.setFont(title);
    painter.drawText(picture.rect().adjusted(0, 0, 0, -40), Qt::AlignCenter, "Индикт");
    QFont subtitle = painter.font();
    subtitle.setPointSize(10);
    subtitle.setBold(false);
    painter.setFont(subtitle);
    painter.drawText(picture.rect().adjusted(0, 80, 0, 0), Qt::AlignCenter, "Православный церковный календарь");
    painter.setPen(QColor(0x80, 0x20, 0x20));
    painter.drawRect(picture.rect().adjusted(0, 0, -1, -1));
    return picture;
}

// Message boxes need a screen a person looks at.
bool HasVisibleDisplay()
{
    const QString platform = QGuiApplication::platformName();
    return platform != "offscreen" && platform != "minimal";
}

Date TodayOf(const QDateTime& now) { return FromCivil(now.date().year(), now.date().month(), now.date().day()); }

}  // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    application.setApplicationName("indikt");
    application.setApplicationVersion(QStringLiteral(INDIKT_VERSION));
    InstallQtTranslations(application);

    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.emplace_back(argv[i]);
    const StartArguments start = ParseStartArguments(arguments);
    if (!start.error.empty()) {
        std::fprintf(stderr, "indikt: %s\nusage: indikt [--data-root DIR] [START_MODE]\n", start.error.c_str());
        return 2;
    }
    QString chosen_root;
    if (start.data_root) {
        chosen_root = QString::fromStdString(*start.data_root);
    } else {
        const DefaultDataRoot found = ResolveDefaultDataRoot(
            {QCoreApplication::applicationDirPath(), qEnvironmentVariable("XDG_DATA_HOME"), QDir::homePath()});
        if (!found.problem.isEmpty())
            std::fprintf(stderr, "indikt: %s\n", qPrintable(found.problem));
        chosen_root = found.path;
    }
    const QString data_root = QDir::cleanPath(QDir(chosen_root).absolutePath());
    // A mistyped folder is not made into a new, empty data root.
    if (!QFileInfo(data_root).isDir()) {
        const QString message = "Папка данных \"" + data_root + "\" не найдена.";
        std::fprintf(stderr, "indikt: %s\n", qPrintable(message));
        if (HasVisibleDisplay())
            QMessageBox::critical(nullptr, "Индикт", message);
        return 2;
    }
    // A write past a file size limit fails with an error instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);

    const auto clock = [] { return QDateTime::currentDateTime(); };
    const Date today = TodayOf(clock());

    ZkSettings settings = ZkSettings::Load(data_root + "/zk.ini", today);
    const bool has_argument = start.start_argument.has_value();
    const bool always = settings.flag(kSectionWindows, "ЗагрузкаВсегда");

    // The single copy is checked first, before anything is shown or written.
    SingleInstance single(SingleInstanceKey(QString::number(::getuid()), data_root), SingleInstanceLockFolder());
    if (!single.TryBecomeFirst() && settings.flag(kSectionWindows, "OneCopy")) {
        const QString date = start.date ? QString::fromStdString(IsoDateText(*start.date)) : QString();
        if (single.AskRunningCopyToShow(3000, date))
            return 0;
        std::fprintf(stderr, "indikt: another copy holds this data root but does not answer; starting anyway\n");
    }
    if (EndsAtOnceAsSecondStartOfTheDay(has_argument, settings.flag(kSectionWindows, kKeyAutoStartOnce),
                                        settings.flag(kSectionWindows, kKeyAutoStart),
                                        settings.date(kSectionWindows, kKeyAutoStartDay), today))
        return 0;
    single.Listen();
    // Saves that a crash or a kill cut short leave hidden temporary files; a
    // restore cut short may have left a component folder aside.
    RecoverInterruptedBackups(data_root);
    RemoveStaleTemporaryFiles(data_root);
    RemoveStaleTemporaryFiles(data_root + "/Записи");

    // The splash is painted before it is shown and kept above the window, so
    // no unpainted box ever covers the program.
    QSplashScreen splash(SplashPicture(), Qt::WindowStaysOnTopHint);
    const bool with_splash = settings.flag(kSectionWindows, "Заставка");
    if (with_splash) {
        splash.ensurePolished();
        splash.show();
        splash.repaint();
        application.processEvents(QEventLoop::ExcludeUserInputEvents);
    }

    MainWindowContext context;
    context.data_root = data_root;
    context.clock = clock;
    context.program_path = QCoreApplication::applicationFilePath();
    context.program_folder = QCoreApplication::applicationDirPath();
    context.autostart_folder = AutostartFolder(qEnvironmentVariable("XDG_CONFIG_HOME"), QDir::homePath());
    context.start_mode = StartModeInForce(start.start_argument, settings.number(kSectionWindows, "НомерЗагрузки"));
    context.start_mode_applies = StartModeApplies(has_argument, always);
    TForm1 window(context, std::move(settings));
    window.setSplash(with_splash ? &splash : nullptr);
    if (start.date)
        window.setCurrentDate(*start.date);
    window.show();
    if (with_splash) {
        splash.raise();
        splash.repaint();
    }
    window.ApplyStartMode();

    QObject::connect(&single, &SingleInstance::showRequested, &window, [&window](const QString& iso_date) {
        window.showFromOutside();
        if (const std::optional<Date> date = ParseIsoDate(iso_date.toStdString()))
            window.setCurrentDate(*date);
    });

    // The desktop session ending is this platform's "Windows is shutting down".
    QObject::connect(&application, &QGuiApplication::commitDataRequest, &window, [&window](QSessionManager&) {
        window.saveNoteForShutdown();
        const WriteResult result = window.SaveAll();
        if (!result.ok())
            std::fprintf(stderr, "indikt: the settings could not be saved: %s\n", qPrintable(result.error));
    });

    std::unique_ptr<QSocketNotifier> terminate_notifier;
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signal_fds) == 0) {
        terminate_notifier = std::make_unique<QSocketNotifier>(g_signal_fds[1], QSocketNotifier::Read);
        QObject::connect(terminate_notifier.get(), &QSocketNotifier::activated, &window, [&window] {
            char byte = 0;
            [[maybe_unused]] const ssize_t read_bytes = ::read(g_signal_fds[1], &byte, 1);
            window.closeForShutdown();
        });
        struct sigaction action {};
        action.sa_handler = OnTerminate;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        sigaction(SIGTERM, &action, nullptr);
        sigaction(SIGHUP, &action, nullptr);
        sigaction(SIGINT, &action, nullptr);
    }
    return application.exec();
}
