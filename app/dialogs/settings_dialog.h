#pragma once

// "Параметры": the settings of the window and the month grid on three pages.
// It edits a working copy; the window reads it back on OK and applies what
// changed. Cancel leaves the copy unread.

#ifndef Q_MOC_RUN
#include "settings/program_options.h"
#endif

#include <QDialog>
#include <QStringList>

#include <array>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QListWidget;
class QPushButton;

namespace indikt {

// What the desktop offers, for the choices that need it.
struct SettingsDialogContext {
    int typikon_choices = 3;      // TypikonSourceChoices
    bool tray_available = true;   // the desktop has a system tray
    bool mini_available = true;   // the companion program "Mini" is there
    QStringList typikon_sites;    // the addresses of the three outside sources, as set
};

class TPagesDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kResetAll = 2;  // the result of "Всё по умолчанию"

    explicit TPagesDlg(QWidget* parent = nullptr);

    // Opening: the controls and the working colours from `options`.
    void load(const ProgramOptions& options, const SettingsDialogContext& context);
    // The working copy as the controls now say.
    ProgramOptions options() const;

    // The colour buttons step the working colours of the chosen class.
    void stepFontColour();
    void stepBackgroundColour();
    void stepFrameColour();
    void resetColours();
    int chosenClass() const;

private:
    QCheckBox* addCheck(QWidget* page, const char* name, const QString& caption, const QString& hint = {});
    QComboBox* addCombo(const char* name, const QStringList& items);
    void buildViewPage(QWidget* page);
    void buildMiscPage(QWidget* page);
    void buildCalendarPage(QWidget* page);
    void updateDependents();
    void showSample();
    void offerChoice(QComboBox* combo, int index, bool available, const QString& why);

    ProgramOptions working_;  // fields without a control of their own: the colours
    QCheckBox* status_bar_ = nullptr;
    QCheckBox* fast_hints_ = nullptr;
    QCheckBox* date_in_caption_ = nullptr;
    QCheckBox* splash_ = nullptr;
    QCheckBox* rule_in_lectionary_ = nullptr;
    QCheckBox* tool_bar_ = nullptr;
    QCheckBox* menu_top_ = nullptr;
    QCheckBox* large_buttons_ = nullptr;
    QCheckBox* tool_bar_in_calendar_ = nullptr;
    QCheckBox* liturgical_day_ = nullptr;
    QCheckBox* marker_unread_rule_ = nullptr;
    QCheckBox* marker_liturgical_day_ = nullptr;
    QCheckBox* under_feasts_ = nullptr;
    QCheckBox* under_jubilees_ = nullptr;
    QCheckBox* under_time_ = nullptr;
    QCheckBox* autostart_ = nullptr;
    QCheckBox* autostart_once_ = nullptr;
    QComboBox* start_mode_ = nullptr;
    QCheckBox* one_copy_ = nullptr;
    QCheckBox* desktop_icons_ = nullptr;
    QComboBox* desktop_icon_count_ = nullptr;
    QComboBox* desktop_icon_days_ = nullptr;
    QCheckBox* desktop_icons_liturgical_ = nullptr;
    QComboBox* typikon_source_ = nullptr;
    QComboBox* link_viewer_ = nullptr;
    QComboBox* minimise_to_ = nullptr;
    QListWidget* classes_shown_ = nullptr;
    QButtonGroup* class_choice_ = nullptr;
    QLabel* sample_ = nullptr;
    QFrame* frame_sample_ = nullptr;
    QComboBox* first_day_ = nullptr;
};

// The names of the seven day classes in the dialog's order.
QString CalendarClassName(int index);

}  // namespace indikt
