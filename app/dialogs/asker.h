#pragma once

// The questions a window puts to the user: message boxes, file choosers and
// small choice dialogs. Windows ask through this interface so that tests can
// answer with a script instead of a person.

#ifndef Q_MOC_RUN
#include "records/memo_book.h"
#endif

#include <QFont>
#include <QMessageBox>
#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

namespace indikt {

// Which lists an imported file holds; the choice groups of absent ones are off.
struct ImportKinds {
    bool jubilees = false;
    bool feasts = false;
    bool events = false;
};

class Asker {
public:
    virtual ~Asker() = default;

    // A question with a question icon; the button pressed (Cancel when closed).
    virtual QMessageBox::StandardButton ask(QWidget* parent, const QString& title, const QString& text,
                                            QMessageBox::StandardButtons buttons) = 0;
    // A message the user only acknowledges.
    virtual void tell(QWidget* parent, const QString& title, const QString& text) = 0;
    // The same for news of a success, with the information icon.
    virtual void inform(QWidget* parent, const QString& title, const QString& text) { tell(parent, title, text); }
    // "О программе": rich text beside the program's icon.
    virtual void about(QWidget* parent, const QString& title, const QString& rich_text)
    {
        tell(parent, title, rich_text);
    }
    // File choosers; empty when cancelled.
    virtual QString openFileName(QWidget* parent, const QString& caption, const QString& folder,
                                 const QString& filter) = 0;
    virtual QString saveFileName(QWidget* parent, const QString& caption, const QString& folder,
                                 const QString& filter, const QString& default_suffix) = 0;
    // A folder chooser opened at `folder`; empty when cancelled.
    virtual QString folderName(QWidget* parent, const QString& caption, const QString& folder)
    {
        (void)parent, (void)caption, (void)folder;
        return {};
    }
    // `TDlgSynchrPam`: what to do with each list on import; nothing when cancelled.
    virtual std::optional<ImportChoices> importChoices(QWidget* parent, const ImportKinds& kinds) = 0;
    // One of `items`, `current` chosen first; its index, nothing when cancelled.
    virtual std::optional<int> choose(QWidget* parent, const QString& title, const QString& text,
                                      const QStringList& items, int current)
    {
        (void)parent, (void)title, (void)text, (void)items, (void)current;
        return std::nullopt;
    }
    // A font chooser preset with `initial`; nothing when cancelled.
    virtual std::optional<QFont> font(QWidget* parent, const QString& title, const QFont& initial)
    {
        (void)parent, (void)title, (void)initial;
        return std::nullopt;
    }
};

// The real dialogs.
class DialogAsker : public Asker {
public:
    QMessageBox::StandardButton ask(QWidget* parent, const QString& title, const QString& text,
                                    QMessageBox::StandardButtons buttons) override;
    void tell(QWidget* parent, const QString& title, const QString& text) override;
    void inform(QWidget* parent, const QString& title, const QString& text) override;
    void about(QWidget* parent, const QString& title, const QString& rich_text) override;
    QString openFileName(QWidget* parent, const QString& caption, const QString& folder,
                         const QString& filter) override;
    QString saveFileName(QWidget* parent, const QString& caption, const QString& folder, const QString& filter,
                         const QString& default_suffix) override;
    QString folderName(QWidget* parent, const QString& caption, const QString& folder) override;
    std::optional<ImportChoices> importChoices(QWidget* parent, const ImportKinds& kinds) override;
    std::optional<QFont> font(QWidget* parent, const QString& title, const QFont& initial) override;
    std::optional<int> choose(QWidget* parent, const QString& title, const QString& text, const QStringList& items,
                              int current) override;
};

}  // namespace indikt
