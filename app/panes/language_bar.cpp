#include "language_bar.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QRadioButton>

namespace indikt {

LanguageBar::LanguageBar(const QString& name, const QString& suffix, const std::array<const char*, 5>& commands,
                         QWidget* parent)
    : QWidget(parent), group_(new QButtonGroup(this))
{
    setObjectName(name);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 0, 2, 0);
    const char* const names[] = {"RadioButtonSlav", "RadioButtonGragd", "RadioButtonRus", "RadioButtonSvuk",
                                 "RadioButtonVideo"};
    // The captions of a narrow bar; the full names are the hints.
    const char* const captions[] = {"Ц-сл", "Гражд", "Рус", "Звук", "Видео"};
    const char* const hints[] = {"На славянском", "На слав. гражданским шрифтом", "На русском", "Звукозаписи",
                                 "Видеозаписи"};
    for (int i = 0; i < 5; ++i) {
        auto* button = new QRadioButton(QString::fromUtf8(captions[i]), this);
        button->setObjectName(QString::fromUtf8(names[i]) + suffix);
        button->setToolTip(QString::fromUtf8(hints[i]));
        button->setProperty("command", QString::fromUtf8(commands[static_cast<size_t>(i)]));
        group_->addButton(button, i + 1);
        layout->addWidget(button);
        buttons_[static_cast<size_t>(i)] = button;
    }
    layout->addStretch(1);
    connect(group_, &QButtonGroup::idClicked, this, &LanguageBar::chosenByUser);
}

void LanguageBar::setChosen(int tag)
{
    if (QRadioButton* chosen = button(tag))
        chosen->setChecked(true);
}

int LanguageBar::chosen() const { return group_->checkedId() < 1 ? 1 : group_->checkedId(); }

void LanguageBar::setAvailable(int tag, bool available)
{
    if (QRadioButton* shown = button(tag)) {
        QFont font = shown->font();
        font.setUnderline(available);
        shown->setFont(font);
    }
}

QRadioButton* LanguageBar::button(int tag) const
{
    return tag >= 1 && tag <= 5 ? buttons_[static_cast<size_t>(tag - 1)] : nullptr;
}

}  // namespace indikt
