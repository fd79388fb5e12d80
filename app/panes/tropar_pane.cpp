#include "tropar_pane.h"

#include "app/panes/html_pane.h"
#include "app/panes/language_bar.h"

#include <QFileInfo>
#include <QListWidget>
#include <QVBoxLayout>

namespace indikt {

TroparPane::TroparPane(const QString& data_root, QWidget* parent) : QWidget(parent), data_root_(data_root)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    languages_ = new LanguageBar("PanelJasTr", "",
                                 {"ActionSlavTr", "ActionGragdTr", "ActionRusTr", "ActionSvukTr", "ActionVideoTr"}, this);
    connect(languages_, &LanguageBar::chosenByUser, this, [this](int tag) {
        setLanguage(tag);
        emit languageChosen(tag);
    });
    layout->addWidget(languages_);
    contents_ = new QListWidget(this);
    contents_->setObjectName("ListViewOgl");
    layout->addWidget(contents_);
    view_ = new HtmlPane(data_root, this);
    view_->setObjectName("WeBTr");
    layout->addWidget(view_, 1);
    connect(contents_, &QListWidget::itemClicked, this, [this] { showSelected(); });
    connect(contents_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            showSelected();
    });
}

void TroparPane::showDay(TroparDay day, int language_tag)
{
    day_ = std::move(day);
    language_ = language_tag >= 2 && language_tag <= 5 ? language_tag : 1;
    {
        const QSignalBlocker blocker(contents_);
        contents_->clear();
        for (const HymnRow& row : day_.rows)
            contents_->addItem(row.title);
        // The table is one line a row while short, a few rows high otherwise.
        contents_->setFixedHeight(day_.rows.size() < 5 ? 18 * std::max<qsizetype>(1, day_.rows.size()) + 6 : 68);
        contents_->setVisible(!day_.rows.isEmpty());
    }
    if (day_.rows.isEmpty()) {
        view_->clearPage();  // nothing to choose, nothing selected
        return;
    }
    contents_->setCurrentRow(0);
    showSelected();
}

void TroparPane::setLanguage(int language_tag)
{
    language_ = language_tag >= 2 && language_tag <= 5 ? language_tag : 1;
    showSelected();
}

QString TroparPane::selectedFolder() const
{
    const int row = contents_->currentRow();
    return row < 0 || row >= day_.rows.size() ? QString() : day_.rows[row].civil.section('/', 0, -2);
}

QString TroparPane::mediaPage() const
{
    const QString folder = selectedFolder();
    if (folder.isEmpty() || language_ < 4)
        return {};
    return folder + (language_ == 4 ? "/звук.htm" : "/видео.htm");
}

void TroparPane::showSelected()
{
    if (day_.rows.isEmpty())
        return;
    if (contents_->currentRow() < 0) {
        const QSignalBlocker blocker(contents_);
        contents_->setCurrentRow(static_cast<int>(day_.rows.size() - 1));
    }
    const HymnRow& row = day_.rows[contents_->currentRow()];
    languages_->setChosen(language_);
    emit status("Тропари и кондаки: " + row.title);
    const QString texts[] = {row.slavonic, row.civil, row.russian, mediaPage(), mediaPage()};
    for (int i = 0; i < 5; ++i) {
        const QString file = i < 3 ? texts[i] : row.civil.section('/', 0, -2) + (i == 3 ? "/звук.htm" : "/видео.htm");
        languages_->setAvailable(i + 1, QFileInfo(data_root_ + "/" + file).isFile());
    }
    const QString shown = texts[language_ - 1];
    if (shown.isEmpty() || !view_->showFile(shown))
        view_->clearPage();
    if (language_ >= 4)
        emit mediaPageShown(QFileInfo(data_root_ + "/" + shown).isFile());
}

}  // namespace indikt
