#pragma once

// The files of the data tree as the readers of the day see them: a path
// relative to the data root as the tree writes it (with backslashes), read
// by the reading rule, with a record of the files found.

#include <QString>
#include <QStringList>

namespace indikt {

class TreeFiles {
public:
    explicit TreeFiles(QString data_root);

    const QString& root() const { return root_; }
    QString absolute(const QString& relative) const;
    bool exists(const QString& relative) const;

    // A reading file: each line trimmed, empty lines skipped, the lines joined
    // with nothing between them and the whole trimmed. Empty when missing.
    QString reading(const QString& relative) const;
    // The lines of a text file, trimmed, empty ones kept out.
    QStringList lines(const QString& relative) const;
    // The whole text of a file; empty when missing.
    QString text(const QString& relative) const;

private:
    QString root_;  // absolute, without a trailing separator
};

// A relative path as reported to others: '/' separators.
inline QString Portable(QString relative) { return relative.replace('\\', '/'); }

}  // namespace indikt
