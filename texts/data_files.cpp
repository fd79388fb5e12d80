#include "data_files.h"

#include "cp1251.h"
#include "text_transforms.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace indikt {

QString DataPath(QStringView data_root, QStringView relative_path)
{
    QString path = data_root.toString();
    if (!path.isEmpty() && !path.endsWith(u'/'))
        path += u'/';
    QString relative = relative_path.toString();
    relative.replace(u'\\', u'/');
    return path + relative;
}

std::optional<QByteArray> ReadFileBytes(const QString& path, qsizetype max_bytes)
{
    if (path.isEmpty())
        return std::nullopt;
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > max_bytes)
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // Read one byte more than allowed: a file that grew since it was measured,
    // or one whose size the system does not know, is still held to the cap.
    QByteArray bytes = file.read(max_bytes + 1);
    if (bytes.size() > max_bytes || file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

QString ReadTextFile(const QString& path)
{
    const auto bytes = ReadFileBytes(path, kMaxDataFileBytes);
    if (!bytes || bytes->contains('\0'))
        return {};
    return DecodeFileText(*bytes);
}

QString ReadSingleLine(const QString& path)
{
    const QString text = ReadTextFile(path);
    const QList<QStringView> lines = SplitLines(text);
    return lines.isEmpty() ? QString() : TrimBlanks(lines.front());
}

DataRecord ReadRecord(const QString& path)
{
    const QString text = ReadTextFile(path);
    const QList<QStringView> lines = SplitLines(text);
    DataRecord record;
    if (lines.size() > 0)
        record.first = TrimBlanks(lines[0]);
    if (lines.size() > 1)
        record.second = TrimBlanks(lines[1]);
    if (lines.size() > 2)
        record.third = TrimBlanks(lines[2]);
    for (qsizetype i = 3; i < lines.size(); ++i) {
        const QString line = TrimBlanks(lines[i]);
        if (!line.isEmpty())
            record.third += QStringLiteral("\r\n") + line;
    }
    return record;
}

QString PagePath(const QString& path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile() || info.size() > kMaxDataFileBytes)
        return {};
    return info.absoluteFilePath();
}

WriteResult WriteFileAtomically(const QString& path, const QByteArray& bytes)
{
    const auto failure = [&path](const QString& reason) {
        return WriteResult{QStringLiteral("Не удалось сохранить файл %1: %2").arg(path, reason)};
    };
    QSaveFile file(path);
    // Unbuffered, so that a short write (a full disk, a size limit) shows in
    // the count write() returns: through the buffer, Qt may drop the rest of
    // the data on flush and still report the commit as done.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failure(file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return failure(reason);
    }
    if (!file.commit())
        return failure(file.errorString());
    return {};
}

}  // namespace indikt
