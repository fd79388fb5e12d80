#pragma once

// The language bar of a text pane (`PanelJasTr`, `PanelJasBeibl`,
// `PanelJasMolitv`): five exclusive choices, Church Slavonic, Slavonic in
// civil letters, Russian, audio and video (tags 1 to 5). Each button names
// the command of the table it stands for (property "command"), so the
// choice is the same whether made here or in a menu.

#include <QWidget>

#include <array>

class QButtonGroup;
class QRadioButton;

namespace indikt {

class LanguageBar : public QWidget {
    Q_OBJECT
public:
    // `name` is the bar's object name; the buttons are "RadioButtonSlav" … with
    // `suffix` ("" for the troparia, "Beibl", "Molitv"); `commands` the five
    // commands, in tag order.
    LanguageBar(const QString& name, const QString& suffix, const std::array<const char*, 5>& commands,
                QWidget* parent = nullptr);

    void setChosen(int tag);
    int chosen() const;
    // A choice whose text exists is underlined.
    void setAvailable(int tag, bool available);
    QRadioButton* button(int tag) const;

signals:
    void chosenByUser(int tag);

private:
    QButtonGroup* group_ = nullptr;
    std::array<QRadioButton*, 5> buttons_{};
};

}  // namespace indikt
