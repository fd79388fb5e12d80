#pragma once

// The troparia pane (`PanelTr`): the language bar, the table of contents of
// the day's hymns (`ListViewOgl`) and the hymn shown (`WeBTr`).

#ifndef Q_MOC_RUN
#include "lectionary/tropar.h"
#endif

#include <QWidget>

class QListWidget;

namespace indikt {

class HtmlPane;
class LanguageBar;

class TroparPane : public QWidget {
    Q_OBJECT
public:
    TroparPane(const QString& data_root, QWidget* parent = nullptr);

    HtmlPane* view() const { return view_; }
    QListWidget* contents() const { return contents_; }
    const TroparDay& day() const { return day_; }

    // The day's hymns; the first row is shown. An empty table selects nothing.
    void showDay(TroparDay day, int language_tag);
    void setLanguage(int language_tag);
    int language() const { return language_; }
    // `ListViewOglClick`: the selected hymn (the last when none is) in the language.
    void showSelected();
    // The folder of the selected hymn, relative; empty without one.
    QString selectedFolder() const;
    // The media page of the selected hymn in the audio or video language, relative.
    QString mediaPage() const;

signals:
    void languageChosen(int language_tag);
    void status(const QString& text);
    // Whether the media page of the language exists (audio and video only).
    void mediaPageShown(bool exists);

private:
    QString data_root_;
    TroparDay day_;
    int language_ = 1;
    QListWidget* contents_ = nullptr;
    HtmlPane* view_ = nullptr;
    LanguageBar* languages_ = nullptr;
};

}  // namespace indikt
