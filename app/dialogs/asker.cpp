#include "asker.h"

#include <QFontDialog>

#include <QAbstractButton>
#include <QButtonGroup>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QInputDialog>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace indikt {

// The buttons say what they do in Russian, whatever translations Qt has.
QMessageBox::StandardButton DialogAsker::ask(QWidget* parent, const QString& title, const QString& text,
                                             QMessageBox::StandardButtons buttons)
{
    QMessageBox box(QMessageBox::Question, title, text, buttons, parent);
    const std::pair<QMessageBox::StandardButton, const char*> captions[] = {
        {QMessageBox::Yes, "Да"}, {QMessageBox::No, "Нет"}, {QMessageBox::Cancel, "Отмена"}, {QMessageBox::Ok, "ОК"}};
    for (const auto& [button, caption] : captions)
        if (QAbstractButton* shown = box.button(button))
            shown->setText(QString::fromUtf8(caption));
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void DialogAsker::tell(QWidget* parent, const QString& title, const QString& text)
{
    QMessageBox::warning(parent, title, text);
}

void DialogAsker::inform(QWidget* parent, const QString& title, const QString& text)
{
    QMessageBox::information(parent, title, text);
}

void DialogAsker::about(QWidget* parent, const QString& title, const QString& rich_text)
{
    QMessageBox::about(parent, title, rich_text);
}

QString DialogAsker::openFileName(QWidget* parent, const QString& caption, const QString& folder,
                                  const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, caption, folder, filter);
}

QString DialogAsker::saveFileName(QWidget* parent, const QString& caption, const QString& folder,
                                  const QString& filter, const QString& default_suffix)
{
    QFileDialog chooser(parent, caption, folder, filter);
    chooser.setAcceptMode(QFileDialog::AcceptSave);
    chooser.setDefaultSuffix(default_suffix);  // the chooser asks before overwriting
    if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty())
        return {};
    return chooser.selectedFiles().constFirst();
}

QString DialogAsker::folderName(QWidget* parent, const QString& caption, const QString& folder)
{
    return QFileDialog::getExistingDirectory(parent, caption, folder);
}

std::optional<ImportChoices> DialogAsker::importChoices(QWidget* parent, const ImportKinds& kinds)
{
    QDialog dialog(parent);
    dialog.setObjectName("TDlgSynchrPam");
    dialog.setWindowTitle("Синхронизация данных");
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel("При открытии файла Памятки выберите действия программы", &dialog));

    const auto group = [&](const char* caption, bool present) {
        auto* box = new QGroupBox(QString::fromUtf8(caption), &dialog);
        auto* box_layout = new QVBoxLayout(box);
        auto* buttons = new QButtonGroup(box);
        const char* captions[] = {"Добавить", "Заменить", "Пропустить"};
        for (int id = 0; id < 3; ++id) {
            auto* radio = new QRadioButton(QString::fromUtf8(captions[id]), box);
            buttons->addButton(radio, id);
            box_layout->addWidget(radio);
        }
        buttons->button(0)->setChecked(true);
        box->setEnabled(present);
        layout->addWidget(box);
        return buttons;
    };
    QButtonGroup* jubilees = group("Юбилеи", kinds.jubilees);
    QButtonGroup* feasts = group("Праздники", kinds.feasts);
    QButtonGroup* events = group("События", kinds.events);

    auto* buttons = new QDialogButtonBox(&dialog);
    buttons->addButton("Да", QDialogButtonBox::AcceptRole);
    buttons->addButton("Отмена", QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;

    const auto choice = [](QButtonGroup* group) { return static_cast<ImportChoice>(group->checkedId()); };
    return ImportChoices{choice(jubilees), choice(feasts), choice(events)};
}

std::optional<QFont> DialogAsker::font(QWidget* parent, const QString& title, const QFont& initial)
{
    bool chosen = false;
    // Our own dialog: it starts from the stored font and speaks the program's language.
    const QFont font = QFontDialog::getFont(&chosen, initial, parent, title, QFontDialog::DontUseNativeDialog);
    return chosen ? std::optional<QFont>(font) : std::nullopt;
}

std::optional<int> DialogAsker::choose(QWidget* parent, const QString& title, const QString& text,
                                       const QStringList& items, int current)
{
    bool chosen = false;
    const QString item = QInputDialog::getItem(parent, title, text, items, current, false, &chosen);
    return chosen ? std::optional<int>(int(items.indexOf(item))) : std::nullopt;
}

}  // namespace indikt
