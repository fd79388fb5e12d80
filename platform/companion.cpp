#include "companion.h"

#include <QDir>
#include <QFileInfo>

namespace indikt {

QString CompanionProgram(const QString& program_folder, const QString& windows_name)
{
    QString name = windows_name;
    name.replace('\\', '/');
    if (name.endsWith(".exe", Qt::CaseInsensitive))
        name.chop(4);
    if (name.isEmpty() || QDir::isAbsolutePath(name) || name.split('/').contains(".."))
        return {};
    const QFileInfo program(QDir(program_folder).filePath(name));
    return program.isFile() && program.isExecutable() ? program.absoluteFilePath() : QString();
}

}  // namespace indikt
