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
    // Our own companions are built beside the program under names of their own.
    QStringList names{name};
    if (name == QLatin1String("Events"))
        names << QStringLiteral("indikt-events");
    for (const QString& candidate : names) {
        const QFileInfo program(QDir(program_folder).filePath(candidate));
        if (program.isFile() && program.isExecutable())
            return program.absoluteFilePath();
    }
    return {};
}

}  // namespace indikt
