#pragma once

// The report dialog (`TPagesPrint`, "Отчет"): the period with its style, the
// destination and the data to pass. It only asks; the window writes.

#include <QDate>
#include <QDialog>

class QCheckBox;
class QDateEdit;
class QPushButton;
class QRadioButton;

namespace indikt {

class TPagesPrint : public QDialog {
    Q_OBJECT
public:
    explicit TPagesPrint(QWidget* parent = nullptr);

    enum Destination { WebPage = 0, Document = 1, TextFile = 2, Clipboard = 3 };

    // Both pickers show `civil` in the style chosen.
    void setDay(QDate civil);
    // The ends as civil days: an old-style picker reads the Julian calendar,
    // each end with the difference of its own year.
    QDate firstDay() const;
    QDate lastDay() const;
    bool oldStyle() const { return old_style_; }
    void setOldStyle(bool old_style);
    Destination destination() const;
    bool calendar() const;
    bool notes() const;
    bool lectionary() const;
    bool troparia() const;

private:
    void updateOk();

    bool old_style_ = false;
    QDateEdit* from_ = nullptr;
    QDateEdit* to_ = nullptr;
    QRadioButton* destinations_[4] = {};  // `RadioGroupIst`
    QCheckBox* calendar_ = nullptr;      // `CheckBoxZK`
    QCheckBox* notes_ = nullptr;         // `CheckBoxSap`
    QCheckBox* lectionary_ = nullptr;    // `CheckBoxLex`
    QCheckBox* troparia_ = nullptr;      // `CheckBoxTrop`
    QPushButton* ok_ = nullptr;
};

}  // namespace indikt
