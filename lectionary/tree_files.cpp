#include "tree_files.h"

#include "texts/data_files.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace indikt {

TreeFiles::TreeFiles(QString data_root)
    : root_(data_root.isEmpty() ? QString() : QDir::cleanPath(QFileInfo(data_root).absoluteFilePath()))
{
}

QString TreeFiles::absolute(const QString& relative) const { return DataPath(root_ + "/", relative); }

bool TreeFiles::exists(const QString& relative) const
{
    return !relative.isEmpty() && QFileInfo(absolute(relative)).isFile();
}

QString TreeFiles::text(const QString& relative) const
{
    return relative.isEmpty() ? QString() : ReadTextFile(absolute(relative));
}

QStringList TreeFiles::lines(const QString& relative) const
{
    QStringList result;
    const QString content = text(relative);
    for (const QStringView line : QStringView(content).split(QRegularExpression(QStringLiteral("\r\n|\n|\r")))) {
        const QString trimmed = line.trimmed().toString();
        if (!trimmed.isEmpty())
            result << trimmed;
    }
    return result;
}

QString TreeFiles::reading(const QString& relative) const { return lines(relative).join(QString()).trimmed(); }

}  // namespace indikt
