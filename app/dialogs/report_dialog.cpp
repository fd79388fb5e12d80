#include "report_dialog.h"

#include <QCalendar>
#include <QCheckBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace indikt {

TPagesPrint::TPagesPrint(QWidget* parent) : QDialog(parent)
{
    setObjectName("TPagesPrint");
    setWindowTitle("Отчет");
    auto* layout = new QVBoxLayout(this);
    auto* period = new QGridLayout;
    layout->addLayout(period);
    from_ = new QDateEdit(this);
    from_->setObjectName("DateTimePicker1");
    to_ = new QDateEdit(this);
    to_->setObjectName("DateTimePicker2");
    for (QDateEdit* picker : {from_, to_}) {
        picker->setCalendarPopup(true);
        picker->setDisplayFormat("dd.MM.yyyy");
        picker->setDateRange(QDate(1752, 1, 1), QDate(3000, 12, 31));
    }
    auto* from_label = new QLabel("&с", this);
    from_label->setBuddy(from_);
    auto* to_label = new QLabel("&по", this);
    to_label->setBuddy(to_);
    period->addWidget(from_label, 0, 0);
    period->addWidget(from_, 0, 1);
    period->addWidget(to_label, 0, 2);
    period->addWidget(to_, 0, 3);
    auto* style_button = new QToolButton(this);
    style_button->setObjectName("LabelSt");
    style_button->setPopupMode(QToolButton::InstantPopup);
    auto* style_menu = new QMenu(style_button);
    style_menu->addAction("нового стиля", this, [this] { setOldStyle(false); });
    style_menu->addAction("старого стиля", this, [this] { setOldStyle(true); });
    style_button->setMenu(style_menu);
    period->addWidget(style_button, 0, 4);
    style_button->setText("нов. ст.");

    auto* where = new QGroupBox("Передать данные в", this);
    where->setObjectName("RadioGroupIst");
    auto* where_layout = new QVBoxLayout(where);
    const char* const kDestinations[] = {"&Веб-страница", "Те&кстовый редактор", "&Текстовый файл", "&Буфер обмена"};
    for (int i = 0; i < 4; ++i) {
        destinations_[i] = new QRadioButton(kDestinations[i], where);
        destinations_[i]->setObjectName(QString("RadioIst%1").arg(i));
        where_layout->addWidget(destinations_[i]);
    }
    destinations_[0]->setChecked(true);
    layout->addWidget(where);

    auto* data = new QGroupBox("Данные", this);
    data->setObjectName("GroupBoxDan");
    auto* data_layout = new QVBoxLayout(data);
    calendar_ = new QCheckBox("Церковный &календарь", data);
    calendar_->setObjectName("CheckBoxZK");
    calendar_->setChecked(true);
    notes_ = new QCheckBox("&Записи", data);
    notes_->setObjectName("CheckBoxSap");
    lectionary_ = new QCheckBox("&Лекционарий", data);
    lectionary_->setObjectName("CheckBoxLex");
    troparia_ = new QCheckBox("Тропари и к&ондаки", data);
    troparia_->setObjectName("CheckBoxTrop");
    for (QCheckBox* box : {calendar_, notes_, lectionary_, troparia_}) {
        data_layout->addWidget(box);
        connect(box, &QCheckBox::toggled, this, [this] { updateOk(); });
    }
    layout->addWidget(data);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    ok_->setObjectName("OKBtn");
    buttons->button(QDialogButtonBox::Cancel)->setText("Отмена");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    updateOk();
}

void TPagesPrint::updateOk() { ok_->setEnabled(calendar() || notes() || lectionary() || troparia()); }

void TPagesPrint::setDay(QDate civil)
{
    from_->setDate(civil);
    to_->setDate(civil);
}

void TPagesPrint::setOldStyle(bool old_style)
{
    // The pickers keep their days and show them in the other calendar.
    const QDate first = firstDay();
    const QDate last = lastDay();
    old_style_ = old_style;
    const QCalendar calendar(old_style ? QCalendar::System::Julian : QCalendar::System::Gregorian);
    for (QDateEdit* picker : {from_, to_})
        picker->setCalendar(calendar);
    from_->setDate(first);
    to_->setDate(last);
    findChild<QToolButton*>("LabelSt")->setText(old_style ? "ст. ст." : "нов. ст.");
}

// A date edit keeps the day itself; its calendar only decides how it is shown.
QDate TPagesPrint::firstDay() const { return from_->date(); }
QDate TPagesPrint::lastDay() const { return to_->date(); }

TPagesPrint::Destination TPagesPrint::destination() const
{
    for (int i = 0; i < 4; ++i)
        if (destinations_[i]->isChecked())
            return static_cast<Destination>(i);
    return WebPage;
}

bool TPagesPrint::calendar() const { return calendar_->isChecked(); }
bool TPagesPrint::notes() const { return notes_->isChecked(); }
bool TPagesPrint::lectionary() const { return lectionary_->isChecked(); }
bool TPagesPrint::troparia() const { return troparia_->isChecked(); }

}  // namespace indikt
