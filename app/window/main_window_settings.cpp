// "Параметры" in the main window: the dialog opened on the settings in
// memory, OK applying each changed setting on its own, "Всё по умолчанию",
// and the check for a newer version of the program.

#include "main_window.h"

#include "app/dialogs/settings_dialog.h"
#include "app/panes/text_viewer.h"
#include "app/window/day_widgets.h"
#include "calendar/day_status.h"
#include "platform/autostart.h"
#include "platform/companion.h"
#include "platform/update_check.h"
#include "texts/data_files.h"

#include <QAction>
#include <QDockWidget>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTextEdit>
#include <QTimer>

#include <exception>

namespace indikt {

namespace {

QString Qs(const std::string& text) { return QString::fromStdString(text); }

constexpr const char* kTitle = "Индикт";

void SetHint(QAction* action, const QString& hint)
{
    action->setToolTip(hint);
    action->setStatusTip(hint);
}

}  // namespace

void TForm1::connectSettingsCommands()
{
    CommandSet& c = *commands_;
    c.connect("ActionParam", [this] { ActionParamExecute(); });
    c.connect("ActionRenameVers", [this] { ActionRenameVersExecute(); });
    c.connect("ActionOpenSeite", [this] { ActionOpenSeiteExecute(); });

    update_check_ = new UpdateCheck(context_.data_root, this);
    update_check_->setObjectName("UpdateCheck");
    connect(update_check_, &UpdateCheck::statusChanged, this, [this](const QString& text) { statusBar()->showMessage(text); });
    connect(update_check_, &UpdateCheck::finished, this, &TForm1::updateCheckFinished);
    updateUpdateCommands();
}

// Minimising goes to the task bar, the mini window or the tray, as set; a
// choice the desktop cannot give leaves the window on the task bar.
void TForm1::followMinimiseSetting()
{
    const int to = settings_.number(kSectionVid, "ProgramSvern");
    if (to == kMinimiseToTray && !tray_ && trayAvailable()) {
        QTimer::singleShot(0, this, [this] {
            if (isMinimized() && !tray_)
                ActionSistTrExecute();
        });
    } else if (to == kMinimiseToMini && !mini_ &&
               !CompanionProgram(context_.program_folder, QStringLiteral("Mini.exe")).isEmpty()) {
        QTimer::singleShot(0, this, [this] {
            if (isMinimized() && !mini_)
                ActionChasExecute();
        });
    }
}

bool TForm1::trayAvailable() const
{
    return context_.tray_available ? context_.tray_available() : QSystemTrayIcon::isSystemTrayAvailable();
}

void TForm1::ActionParamExecute()
{
    if (!settings_dialog_) {
        settings_dialog_ = new TPagesDlg(this);
        connect(settings_dialog_, &QDialog::finished, this, &TForm1::settingsDialogClosed);
    }
    SettingsDialogContext dialog_context;
    dialog_context.typikon_choices = TypikonSourceChoices(context_.data_root);
    dialog_context.tray_available = trayAvailable();
    dialog_context.mini_available = !CompanionProgram(context_.program_folder, QStringLiteral("Mini.exe")).isEmpty();
    dialog_context.typikon_sites = TypikonSiteAddresses(settings_);
    settings_dialog_->load(ReadProgramOptions(settings_, dialog_context.typikon_choices), dialog_context);
    settings_dialog_->open();
}

void TForm1::settingsDialogClosed(int result)
{
    if (result == TPagesDlg::kResetAll) {
        resetAllSettings();
        return;
    }
    if (result != QDialog::Accepted)
        return;
    const ProgramOptions before = ReadProgramOptions(settings_, TypikonSourceChoices(context_.data_root));
    const ProgramOptions after = settings_dialog_->options();
    QStringList failures;
    if (!StoreProgramOptions(settings_, after))
        failures << "не все значения записаны в параметры программы";
    failures << applyOptions(before, after);
    if (const WriteResult saved = SaveAll(); !saved.ok())
        failures << "параметры не сохранены: " + saved.error;
    if (!failures.isEmpty())
        asker_->tell(this, kTitle, "Не все параметры применены:\n" + failures.join("\n"));
}

void TForm1::applyCaption()
{
    setWindowTitle(settings_.flag(kSectionVid, "CaptData") && !mini_
                       ? QString(kCaption) + "-  " + Qs(LongDateText(current_date_))
                       : QString(kCaption));
}

// In the fixed order of the dialog; a step that fails is listed and the next
// one runs all the same.
QStringList TForm1::applyOptions(const ProgramOptions& before, const ProgramOptions& after)
{
    QStringList failures;
    const auto step = [&failures](const char* what, const std::function<QString()>& apply) {
        QString error;
        try {
            error = apply();
        } catch (const std::exception& failure) {
            error = QString::fromLocal8Bit(failure.what());
        }
        if (!error.isEmpty())
            failures << QString::fromUtf8(what) + ": " + error;
    };

    // Minimising, the liturgical day at start, the start mode, the single
    // copy, the link viewer and the once-a-day start act when they are next
    // needed; the settings in memory are all they need. The marker of the
    // liturgical day stands in the status bar.
    step("Литургического дня", [this] {
        updateEveningCue();
        return QString();
    });
    step("При входе в систему", [this, &before, &after] {
        if (before.autostart == after.autostart || context_.autostart_folder.isEmpty() || context_.program_path.isEmpty())
            return QString();
        QString error;
        const QString name = QString::fromUtf8(kAutostartMain);
        const bool ok = after.autostart
                            ? WriteAutostartEntry(context_.autostart_folder,
                                                  {name, context_.program_path, context_.data_root, after.start_mode, {}},
                                                  &error)
                            : RemoveAutostartEntry(context_.autostart_folder, name, context_.data_root, &error);
        if (!ok)  // the setting says what the desktop does
            settings_.setFlag(kSectionWindows, kKeyAutoStart, before.autostart);
        return ok ? QString() : error;
    });
    step("Первый день недели", [this, &before, &after] {
        if (before.first_day != after.first_day)
            CalendarVid();
        return QString();
    });
    step("Указания о постных днях", [this, &before, &after] {
        if (before.fast_hints != after.fast_hints) {
            label_post_->setVisible(after.fast_hints);
            Vid(current_date_);
        }
        return QString();
    });
    step("Строку состояния", [this, &before, &after] {
        if (before.status_bar != after.status_bar)
            statusBar()->setVisible(after.status_bar);
        commands_->action("StrokaSostojania")->setChecked(after.status_bar);
        return QString();
    });
    step("Дату в заголовке", [this] {
        applyCaption();
        return QString();
    });
    step("Панель инструментов", [this, &before, &after] {
        if (before.tool_bar != after.tool_bar || before.large_buttons != after.large_buttons ||
            before.tool_bar_in_calendar != after.tool_bar_in_calendar || before.menu_top != after.menu_top)
            applyPanelSettings();
        return QString();
    });
    // The home rule in the lectionary and the source of the instructions are
    // read by the lectionary page, which the day view builds anew.
    step("Обновление дня", [this] {
        // The note being edited is saved (or kept, as the user says) first.
        if (!endNoteEdit())
            return QString("день не обновлён, пока редактируется запись");
        showDay();
        return QString();
    });
    step("Время", [this, &after] {
        updateClockLabel(context_.clock().time());
        label_time_->setVisible(after.under_time);
        return QString();
    });
    step("Под календарем", [this] {
        ListJubPr();
        return QString();
    });
    step("Календарь", [this] {
        if (!calendarCollapsed())
            CalendarVid();
        return QString();
    });
    return failures;
}

void TForm1::resetAllSettings()
{
    const QString question =
        "Вернуть все параметры программы к первоначальным?\n"
        "Будут забыты положение чтения домашнего правила, папки резервного копирования и расположение окна.\n"
        "Прежние параметры останутся в файле «zk.ini.bak» в папке данных.";
    if (asker_->ask(this, kTitle, question, QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    // The settings as they are now go to the backup, so renaming it back
    // undoes the reset.
    if (const WriteResult saved = SaveAll(); !saved.ok()) {
        asker_->tell(this, kTitle, "Параметры не сброшены: " + saved.error);
        return;
    }
    const std::optional<QByteArray> old_file = ReadFileBytes(zkIniPath(), kMaxIniFileBytes);
    const WriteResult backup = old_file ? WriteFileAtomically(zkIniPath() + ".bak", *old_file)
                                        : WriteResult{"файл «" + zkIniPath() + "» не прочитан"};
    if (!backup.ok()) {
        asker_->tell(this, kTitle, "Параметры не сброшены: " + backup.error);
        return;
    }
    if (!context_.autostart_folder.isEmpty()) {
        QString error;
        if (!RemAutoLoading(context_.autostart_folder, context_.data_root, &error))
            statusBar()->showMessage(error);
    }
    settings_ = ZkSettings(today());
    if (tray_)
        SysTrRestore();
    else
        showNormal();
    ReaderAll();
    updateUpdateCommands();
    applyCaption();
    if (const WriteResult saved = SaveAll(); !saved.ok())
        asker_->tell(this, kTitle, "Параметры по умолчанию не сохранены: " + saved.error);
    showPane(DayPane::Menaion);
}

// Both commands need a site; without one they stand greyed, saying why.
void TForm1::updateUpdateCommands()
{
    const bool sites = UpdateSitesOf(settings_).any();
    for (const char* name : {"ActionRenameVers", "ActionOpenSeite"}) {
        QAction* action = commands_->action(name);
        action->setEnabled(sites && !(update_check_->running() && QString(name) == "ActionRenameVers"));
        SetHint(action, sites ? action->text()
                              : action->text() + ": адрес сайта программы не задан (UpdateHost1, UpdateHost2 в zk.ini)");
    }
}

void TForm1::ActionRenameVersExecute()
{
    const UpdateSites sites = UpdateSitesOf(settings_);
    if (update_check_->running() || !sites.any())
        return;
    update_site_ = -1;
    commands_->action("ActionRenameVers")->setEnabled(false);
    update_check_->start(sites.primary, sites.fallback, ProgramVersionNumber());
}

void TForm1::updateCheckFinished(const UpdateOutcome& outcome)
{
    updateUpdateCommands();
    update_site_ = outcome.site;
    const QString kept = outcome.save_error.isEmpty() ? QString() : "\n" + outcome.save_error;
    switch (outcome.kind) {
    case UpdateOutcome::Kind::Failed:
        statusBar()->showMessage("Не удалось проверить обновление.");
        asker_->tell(this, kTitle, "Не удалось проверить обновление...  \nПроверьте соединение с интернетом.  ");
        break;
    case UpdateOutcome::Kind::Latest:
        statusBar()->showMessage("У вас установлена самая последняя версия программы.");
        asker_->tell(this, kTitle, "У вас установлена самая последняя версия программы." + kept);
        break;
    case UpdateOutcome::Kind::Newer: {
        const QString text = "На сайте '" + outcome.site_address + "' имеется новая версия программы.";
        statusBar()->showMessage(text);
        if (asker_->ask(this, kTitle, text + "\nОткрыть страницу программы в интернете?" + kept,
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel) == QMessageBox::Yes)
            openOutside(QUrl(ProgramPage(outcome.site_address)));
        break;
    }
    }
}

// The site that answered the last check; before any answer, the first site set.
void TForm1::ActionOpenSeiteExecute()
{
    const UpdateSites sites = UpdateSitesOf(settings_);
    QString site = update_site_ == 0 ? sites.primary : update_site_ == 1 ? sites.fallback : QString();
    if (site.trimmed().isEmpty())
        site = sites.primary.trimmed().isEmpty() ? sites.fallback : sites.primary;
    if (!site.trimmed().isEmpty())
        openOutside(QUrl(ProgramPage(site)));
}

}  // namespace indikt
