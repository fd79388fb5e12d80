#pragma once

// The asker of the window tests: it records every question and message and
// answers from a script (Cancel when the script has run out), as a person at
// the keyboard would, without a dialog ever opening.

#include "app/dialogs/asker.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <optional>

namespace indikt {

class ScriptedAsker : public Asker {
public:
    std::deque<QMessageBox::StandardButton> answers;  // for ask(), in order
    std::deque<QString> files;                        // for the file dialogs, in order
    QString chosen_folder;                            // for folderName()
    std::optional<ImportChoices> choices;             // for importChoices()

    QStringList questions;  // the texts asked, and the captions of folder dialogs
    QStringList told;       // the texts told
    QStringList titles;     // the titles of both, in order
    std::optional<ImportKinds> kinds_asked;

    QMessageBox::StandardButton ask(QWidget*, const QString& title, const QString& text,
                                    QMessageBox::StandardButtons) override
    {
        titles << title;
        questions << text;
        if (answers.empty())
            return QMessageBox::Cancel;
        const QMessageBox::StandardButton answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void tell(QWidget*, const QString& title, const QString& text) override
    {
        titles << title;
        told << text;
    }
    QString openFileName(QWidget*, const QString&, const QString&, const QString&) override { return nextFile(); }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&, const QString&) override
    {
        return nextFile();
    }
    QString folderName(QWidget*, const QString& caption, const QString&) override
    {
        questions << caption;
        return chosen_folder;
    }
    std::optional<ImportChoices> importChoices(QWidget*, const ImportKinds& kinds) override
    {
        kinds_asked = kinds;
        return choices;
    }

private:
    QString nextFile()
    {
        if (files.empty())
            return {};
        QString file = files.front();
        files.pop_front();
        return file;
    }
};

}  // namespace indikt
