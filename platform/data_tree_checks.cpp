#include "data_tree_checks.h"

#include "platform/companion.h"

#include <QDir>
#include <QFileInfo>

namespace indikt {

DataTreePresence CheckDataTree(const QString& data_root)
{
    const QDir root(data_root);
    auto folder = [&](const char* relative) { return QFileInfo(root.filePath(QString::fromUtf8(relative))).isDir(); };

    DataTreePresence presence;
    presence.notes = folder("Записи") || root.mkpath(QStringLiteral("Записи"));
    if (!presence.notes)
        presence.error = "Не удалось создать папку " + root.filePath(QStringLiteral("Записи"));
    presence.paschalion = !CompanionProgram(data_root, QStringLiteral("Пасхалия\\Пасхалия.exe")).isEmpty();
    presence.lectionary = folder("Богослужение/Апостол");
    presence.troparia = folder("Богослужение/Тропари и кондаки");
    presence.icons = folder("Иконы");
    presence.prayer_book = folder("Богослужение/Молитвослов");
    presence.lives = folder("Жития святых");
    return presence;
}

}  // namespace indikt
