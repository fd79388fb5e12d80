#pragma once

// A plain text editor for one page of the data tree. The tree's files are
// Windows-1251 with CR LF line ends; a desktop editor would open them as
// UTF-8 and might save them so. This one reads and writes the code page,
// keeps the file's line ends, saves atomically, refuses characters the code
// page has no place for, and asks before changes are lost.

#ifndef Q_MOC_RUN
#include "texts/data_files.h"
#endif

#include <QByteArray>
#include <QString>
#include <QWidget>

#include <functional>
#include <optional>

class QPlainTextEdit;
class QLabel;

namespace indikt {

class Asker;

// The text of a file's bytes for the editor, and the bytes of an edited
// text: lines joined by the line end the file had (CR LF unless it used LF
// alone). Nothing, with `problem` set, when a character has no place in
// Windows-1251.
struct TreeFileText {
    QString text;              // lines separated by '\n'
    bool crlf = true;
};
TreeFileText DecodeTreeFile(const QByteArray& bytes);
std::optional<QByteArray> EncodeTreeFile(const QString& text, bool crlf, QString* problem);

class TreeFileEditor : public QWidget {
    Q_OBJECT
public:
    // `path` is absolute; `title` names the page in the window caption.
    TreeFileEditor(const QString& path, std::function<Asker&()> asker, QWidget* parent = nullptr);

    const QString& path() const { return path_; }
    QPlainTextEdit* editor() const { return editor_; }
    bool loaded() const { return loaded_; }
    bool isModified() const;
    // Writes the file; false (and the user told why) when nothing was written.
    bool save();

signals:
    void saved(const QString& path);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void load();
    void updateCaption();

    QString path_;
    std::function<Asker&()> asker_;
    QPlainTextEdit* editor_ = nullptr;
    QLabel* state_ = nullptr;
    bool crlf_ = true;
    bool loaded_ = false;
    FileStamp stamp_;  // the file as read or last saved, to notice another program's change
};

}  // namespace indikt
