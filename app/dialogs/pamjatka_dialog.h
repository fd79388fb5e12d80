#pragma once

// "Памятка": the dialog of the user's jubilees, feasts and timed events, with
// the settings of the reminder messages. It shows the commemorations book and
// routes the user's actions to it; the book saves the file.

#ifndef Q_MOC_RUN
#include "app/dialogs/asker.h"
#include "records/memo_book.h"
#include "records/sob_settings.h"
#endif

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QLineEdit;
class QTreeWidget;

namespace indikt {

struct PamjatkaContext {
    QString folder;            // holds "Памятка.txt" and "sob.ini" (the data root)
    QString program_folder;    // where the companion program "Events" lives
    QString autostart_folder;  // where the entry "Памятка" is written
};

class TPamjatka : public QDialog {
    Q_OBJECT
public:
    // Tab indices, as the calendar actions pass them.
    static constexpr int kTabJubilees = 0;
    static constexpr int kTabFeasts = 1;
    static constexpr int kTabEvents = 2;
    static constexpr int kTabSettings = 3;

    TPamjatka(MemoBook& book, PamjatkaContext context, Asker& asker, QWidget* parent = nullptr);

    // Presets every date picker and the time picker to `date` (today stays the
    // clock's), reads the file anew and fills the lists.
    void OpenPamjatka(Date date, int minute);
    void showTab(int index);

    // "При открытии программы": a setting of the main window shown here.
    void setOpeningMessages(bool on);
    bool openingMessages() const;

    // Stores the message settings in sob.ini and the autostart entry.
    void PamSave(bool for_message);

    // Puts back a row being edited: closing gives up the change.
    void done(int result) override;

signals:
    // The file was written: the calendar shows the lists anew.
    void memoSaved();
    // A message for the status bar of the main window.
    void notice(const QString& text);

protected:
    void changeEvent(QEvent* event) override;

private:
    void buildJubilees();
    void buildFeasts();
    void buildEvents();
    void buildSettings();
    void OpenListView1();
    void OpenListView2();
    void OpenListViewSob();
    void fillAll();
    void updatePreviews();
    void updateButtons();
    void afterWrite(const WriteResult& result);
    void readSettings();
    void onActivated();

    void BitBtnNewClick();
    void BitBtnNewPrClick();
    void BitBtnNewSobClick();
    void editRow(MemoList list);
    void deleteRows(MemoList list);
    void BitBtnOpenClick();
    void BitBtnSaveClick();
    void BitBtnMessageClick();
    void eventItemChanged(int row, bool checked);

    QTreeWidget* listOf(MemoList list) const;
    QComboBox* nameBoxOf(MemoList list) const;
    QPushButton* addButtonOf(MemoList list) const;
    QString sobIniPath() const;
    void rememberName(QComboBox* box, const QString& name);

    MemoBook& book_;
    PamjatkaContext context_;
    Asker& asker_;
    SobSettings read_settings_;
    bool filling_ = false;

    QTabWidget* pages_ = nullptr;
    // Jubilees.
    QTreeWidget* list_jubilees_ = nullptr;
    QLabel* count_jubilees_ = nullptr;
    QLabel* preview_jubilee_ = nullptr;
    QDateEdit* picker_jubilee_ = nullptr;
    QRadioButton* jubilee_movable_ = nullptr;
    QRadioButton* jubilee_fixed_ = nullptr;
    QRadioButton* jubilee_years_shown_ = nullptr;
    QRadioButton* jubilee_years_hidden_ = nullptr;
    QComboBox* name_jubilee_ = nullptr;
    QPushButton* add_jubilee_ = nullptr;
    QPushButton* edit_jubilee_ = nullptr;
    QPushButton* delete_jubilee_ = nullptr;
    // Feasts.
    QTreeWidget* list_feasts_ = nullptr;
    QLabel* count_feasts_ = nullptr;
    QLabel* preview_feast_ = nullptr;
    QDateEdit* picker_feast_ = nullptr;
    QRadioButton* feast_fixed_ = nullptr;
    QRadioButton* feast_movable_ = nullptr;
    QRadioButton* feast_church_ = nullptr;
    QRadioButton* feast_civil_ = nullptr;
    QRadioButton* feast_other_ = nullptr;
    QComboBox* name_feast_ = nullptr;
    QPushButton* add_feast_ = nullptr;
    QPushButton* edit_feast_ = nullptr;
    QPushButton* delete_feast_ = nullptr;
    // Events.
    QTreeWidget* list_events_ = nullptr;
    QLabel* count_events_ = nullptr;
    QLabel* preview_event_ = nullptr;
    QComboBox* period_ = nullptr;
    QLineEdit* picker_time_ = nullptr;  // "чч:мм", typed freely; ParseMinute reads it
    QDateEdit* picker_event_ = nullptr;
    QComboBox* name_event_ = nullptr;
    QPushButton* add_event_ = nullptr;
    QPushButton* edit_event_ = nullptr;
    QPushButton* delete_event_ = nullptr;
    // Settings.
    QCheckBox* once_a_day_ = nullptr;
    QCheckBox* with_system_ = nullptr;
    QCheckBox* feast_messages_ = nullptr;
    QSpinBox* feast_days_ = nullptr;
    QCheckBox* jubilee_messages_ = nullptr;
    QSpinBox* jubilee_days_ = nullptr;
    QListWidget* kinds_seen_ = nullptr;
    QCheckBox* opening_messages_ = nullptr;
};

// Conversions between the calendar's dates and Qt's.
QDate ToQDate(Date date);
Date FromQDate(const QDate& date);

}  // namespace indikt
