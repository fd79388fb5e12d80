#include "autostart.h"

#include "texts/data_files.h"

#include <QDir>
#include <QFile>

#include <cerrno>

#include <unistd.h>

namespace indikt {

namespace {

constexpr const char* kDataRootKey = "X-Indikt-DataRoot=";

// One argument of an Exec line: quoted, with the characters the desktop entry
// format reserves inside quotes escaped, and '%' doubled (field codes).
QString ExecArgument(const QString& argument)
{
    QString quoted = "\"";
    for (const QChar c : argument) {
        // Escaped for the quoting rule with a backslash, which the string rule
        // then writes as two: a literal backslash becomes four.
        if (c == '\\')
            quoted += "\\\\\\";
        else if (c == '"' || c == '`' || c == '$')
            quoted += "\\\\";
        if (c == '%')
            quoted += '%';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

// Values of the keys that take a plain string: no line breaks.
QString SingleLine(QString value)
{
    value.replace('\n', ' ');
    value.replace('\r', ' ');
    return value;
}

QString RecordedDataRoot(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    constexpr qint64 kMaxEntrySize = 64 * 1024;
    const QString text = QString::fromUtf8(file.read(kMaxEntrySize));
    for (const QString& line : text.split('\n')) {
        if (line.startsWith(kDataRootKey))
            return line.mid(int(qstrlen(kDataRootKey))).trimmed();
    }
    return {};
}

}  // namespace

QString AutostartFolder(const QString& xdg_config_home, const QString& home)
{
    const QString config = QDir::isAbsolutePath(xdg_config_home) ? xdg_config_home : home + "/.config";
    return QDir::cleanPath(config + "/autostart");
}

QString AutostartFileName(const QString& entry_name)
{
    return entry_name == QString::fromUtf8(kAutostartPamjatka) ? QStringLiteral("indikt-pamjatka.desktop")
                                                               : QStringLiteral("indikt.desktop");
}

QString AutostartFileText(const AutostartEntry& entry)
{
    QString text;
    text += "[Desktop Entry]\n";
    text += "Type=Application\n";
    text += "Name=" + SingleLine(entry.name) + "\n";
    const QString argument = entry.argument.isEmpty() ? QString::number(entry.start_mode) : ExecArgument(entry.argument);
    text += "Exec=" + ExecArgument(entry.program_path) + " --data-root " + ExecArgument(entry.data_root) + " " +
            argument + "\n";
    text += "Terminal=false\n";
    text += "X-GNOME-Autostart-enabled=true\n";
    text += kDataRootKey + SingleLine(entry.data_root) + "\n";
    return text;
}

bool WriteAutostartEntry(const QString& folder, const AutostartEntry& entry, QString* error)
{
    if (!QDir().mkpath(folder)) {
        *error = "Не удалось создать папку " + folder;
        return false;
    }
    const WriteResult written =
        WriteFileAtomically(folder + "/" + AutostartFileName(entry.name), AutostartFileText(entry).toUtf8());
    if (!written.ok()) {
        *error = written.error;
        return false;
    }
    return true;
}

bool RemoveAutostartEntry(const QString& folder, const QString& entry_name, const QString& data_root, QString* error)
{
    const QString path = folder + "/" + AutostartFileName(entry_name);
    if (!QFile::exists(path))
        return true;
    if (QDir::cleanPath(RecordedDataRoot(path)) != QDir::cleanPath(SingleLine(data_root)))
        return true;
    if (::unlink(QFile::encodeName(path).constData()) != 0) {
        *error = "Не удалось удалить файл \"" + path + "\": " + SystemErrorText(errno) + ".";
        return false;
    }
    return true;
}

bool RemAutoLoading(const QString& folder, const QString& data_root, QString* error)
{
    const bool pamjatka = RemoveAutostartEntry(folder, QString::fromUtf8(kAutostartPamjatka), data_root, error);
    const bool main = RemoveAutostartEntry(folder, QString::fromUtf8(kAutostartMain), data_root, error);
    return pamjatka && main;
}

}  // namespace indikt
