#pragma once

// "Переход": named bookmarks of days, kept in "Закладки.txt", and a date
// picker in either calendar. The dialog says where to go; the main window
// moves there.

#ifndef Q_MOC_RUN
#include "calendar/date.h"
#include "records/bookmarks.h"
#endif

#include <QDialog>

#include <functional>
#include <optional>

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;

namespace indikt {

class Asker;

class TFrmBookmark : public QDialog {
    Q_OBJECT
public:
    enum class Tab { Bookmarks = 0, Date = 1 };

    TFrmBookmark(const QString& data_root, std::function<Asker&()> asker, std::function<Date()> today,
                 QWidget* parent = nullptr);

    // Prepares the dialog for the main window's current date, the style of
    // the last choice and a tab; `Exec` then shows it modally.
    void prepare(Date current, bool old_style, Tab tab);

    // After the dialog closed with "Перейти": the date to show, and whether
    // it was picked in the old style (nothing for a bookmark).
    std::optional<Date> target() const { return target_; }
    std::optional<bool> pickedOldStyle() const { return picked_old_style_; }

    const BookmarkStore& store() const { return store_; }

    // The parts the user works with, for keyboard and tests.
    QLineEdit* nameBox() const { return name_box_; }
    QListWidget* bookmarkList() const { return list_; }
    QDateEdit* picker() const { return picker_; }
    QComboBox* styleBox() const { return style_; }
    QLabel* dateLabel() const { return label_data_; }
    QLabel* styleLabel() const { return label_stil_; }
    QPushButton* goButton() const { return go_; }
    QPushButton* addButton() const { return add_; }
    QPushButton* deleteButton() const { return delete_; }
    QTabWidget* tabs() const { return tabs_; }

    // The buttons' work.
    void DobBtnClick();
    void ButtonDelClick();
    void goClicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void done(int result) override;

private:
    void CBBookmarkChange();
    void DataChange(int index);
    void DateTimePickerChange();
    void selectBookmark(int index);
    void fillList();
    bool oldStyle() const;
    void updateGo();

    std::function<Asker&()> asker_;
    std::function<Date()> today_;
    BookmarkStore store_;
    Date current_;
    std::optional<Date> target_;
    std::optional<bool> picked_old_style_;
    bool filling_ = false;

    QTabWidget* tabs_ = nullptr;
    QLineEdit* name_box_ = nullptr;
    QListWidget* list_ = nullptr;
    QLabel* label_data_ = nullptr;
    QDateEdit* picker_ = nullptr;
    QComboBox* style_ = nullptr;
    QLabel* label_stil_ = nullptr;
    QPushButton* go_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* delete_ = nullptr;
};

// The texts of the dialog's labels, in the program's own date forms.
QString BookmarkDateText(Date date);                 // `LabelData`
QString PickedDateText(Date civil, bool old_style);  // `LabelStil`, for the civil day picked

}  // namespace indikt
