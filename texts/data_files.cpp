#include "data_files.h"

#include "cp1251.h"
#include "text_transforms.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <limits>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

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
    // Read piece by piece up to one byte more than allowed: a file that grew
    // since it was measured, or one whose size the system does not know, is
    // still held to the cap, and the memory taken follows what the file holds,
    // not the cap.
    QByteArray bytes;
    bytes.reserve(qsizetype(std::min<qint64>(info.size(), max_bytes)) + 1);
    constexpr qint64 kPiece = 1024 * 1024;
    while (bytes.size() <= max_bytes) {
        const QByteArray piece = file.read(std::min<qint64>(kPiece, max_bytes + 1 - bytes.size()));
        if (piece.isEmpty())
            break;
        bytes += piece;
    }
    if (bytes.size() > max_bytes || file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

QString ReadTextFile(const QString& path, qsizetype max_bytes)
{
    const auto bytes = ReadFileBytes(path, max_bytes);
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

DataRecord ReadRecord(const QString& path) { return ParseRecord(ReadTextFile(path)); }

DataRecord ParseRecord(const QString& text)
{
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

QString SystemErrorText(int error_number)
{
    switch (error_number) {
    case ENOSPC: return QStringLiteral("недостаточно места на диске");
    case EDQUOT: return QStringLiteral("превышена дисковая квота");
    case EFBIG: return QStringLiteral("превышен допустимый размер файла");
    case EROFS: return QStringLiteral("диск доступен только для чтения");
    case EACCES:
    case EPERM: return QStringLiteral("нет прав на запись");
    case ENOENT: return QStringLiteral("папка не найдена");
    case ENOTDIR: return QStringLiteral("часть пути не является папкой");
    case EISDIR: return QStringLiteral("на этом месте папка, а не файл");
    case ELOOP: return QStringLiteral("символические ссылки образуют петлю");
    case EIO: return QStringLiteral("ошибка ввода-вывода");
    case ENAMETOOLONG: return QStringLiteral("слишком длинное имя файла");
    case EMFILE:
    case ENFILE: return QStringLiteral("открыто слишком много файлов");
    case EBUSY:
    case ETXTBSY: return QStringLiteral("файл занят");
    default: return QStringLiteral("системная ошибка %1").arg(error_number);
    }
}

namespace {

QByteArray Native(const QString& path) { return QFile::encodeName(path); }

QString SaveFailure(const QString& path, const QString& reason)
{
    return QStringLiteral("Не удалось сохранить файл \"%1\": %2.").arg(path, reason);
}

// The temporary files of a save: hidden, beside the target, named by the
// writing process so that a later start can tell a leftover from a save in
// progress.
const QRegularExpression& TemporaryName()
{
    static const QRegularExpression name(QStringLiteral(R"(^\..+\.(\d+)\.\d+\.indikt-tmp$)"));
    return name;
}

QString TemporaryPathFor(const QString& target)
{
    static std::atomic<unsigned> counter{0};
    const QFileInfo info(target);
    return info.absolutePath() + QStringLiteral("/.%1.%2.%3.indikt-tmp")
                                     .arg(info.fileName())
                                     .arg(::getpid())
                                     .arg(counter.fetch_add(1));
}

// Writes all bytes, going on after a signal interrupts the call.
bool WriteAll(int fd, const QByteArray& bytes)
{
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, size_t(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (written == 0) {
            errno = ENOSPC;
            return false;
        }
        data += written;
        left -= written;
    }
    return true;
}

// Closes a descriptor, keeping the errno of what went wrong before.
void CloseKeepingError(int fd)
{
    const int saved = errno;
    ::close(fd);
    errno = saved;
}

}  // namespace

QString WritableTarget(const QString& path, QString* error)
{
    const auto refuse = [&](const QString& reason) {
        if (error)
            *error = SaveFailure(path, reason);
        return QString();
    };
    if (path.isEmpty())
        return refuse(QStringLiteral("не указано имя файла"));
    struct stat link_info {};
    if (::lstat(Native(path).constData(), &link_info) != 0) {
        if (errno != ENOENT)
            return refuse(SystemErrorText(errno));
        // A new file: its folder must be there.
        struct stat folder {};
        const QString parent = QFileInfo(path).absolutePath();
        if (::stat(Native(parent).constData(), &folder) != 0)
            return refuse(SystemErrorText(errno));
        if (!S_ISDIR(folder.st_mode))
            return refuse(SystemErrorText(ENOTDIR));
        return QFileInfo(path).absoluteFilePath();
    }
    if (S_ISREG(link_info.st_mode))
        return QFileInfo(path).absoluteFilePath();
    if (!S_ISLNK(link_info.st_mode))
        return refuse(S_ISDIR(link_info.st_mode) ? SystemErrorText(EISDIR)
                                                 : QStringLiteral("это не обычный файл (устройство, канал или сокет)"));
    char resolved[PATH_MAX];
    if (!::realpath(Native(path).constData(), resolved)) {
        return refuse(errno == ELOOP ? SystemErrorText(ELOOP)
                                     : QStringLiteral("символическая ссылка указывает на несуществующий файл"));
    }
    struct stat target {};
    if (::stat(resolved, &target) != 0)
        return refuse(SystemErrorText(errno));
    if (!S_ISREG(target.st_mode))
        return refuse(QStringLiteral("символическая ссылка указывает не на обычный файл"));
    if (::access(resolved, W_OK) != 0)
        return refuse(SystemErrorText(errno));
    return QFile::decodeName(resolved);
}

AtomicFileWriter::AtomicFileWriter(const QString& path) : path_(path) {}

AtomicFileWriter::~AtomicFileWriter() { discard(); }

bool AtomicFileWriter::begin()
{
    if (fd_ >= 0 || committed_)
        return false;
    QString error;
    target_ = WritableTarget(path_, &error);
    if (target_.isEmpty()) {
        failure_ = error;
        return false;
    }
    struct stat existing {};
    const bool existed = ::stat(Native(target_).constData(), &existing) == 0;
    temporary_ = TemporaryPathFor(target_);
    fd_ = ::open(Native(temporary_).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd_ < 0) {
        failure_ = SaveFailure(path_, SystemErrorText(errno));
        return false;
    }
    // The new file keeps the old one's permissions; a new file has the umask's.
    if (existed && ::fchmod(fd_, existing.st_mode & 07777) != 0) {
        failure_ = SaveFailure(path_, SystemErrorText(errno));
        discard();
        return false;
    }
    write_errno_ = 0;
    return QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

qint64 AtomicFileWriter::writeData(const char* data, qint64 size)
{
    if (fd_ < 0 || write_errno_ != 0)
        return -1;
    if (!WriteAll(fd_, QByteArray::fromRawData(data, qsizetype(size)))) {
        write_errno_ = errno;
        return -1;
    }
    return size;
}

WriteResult AtomicFileWriter::commit()
{
    if (fd_ < 0)
        return {failure_.isEmpty() ? SaveFailure(path_, QStringLiteral("файл не открыт для записи")) : failure_};
    QIODevice::close();
    const QByteArray temporary_name = Native(temporary_);
    const auto fail = [this](int error_number) {
        failure_ = SaveFailure(path_, SystemErrorText(error_number));
        discard();
        return WriteResult{failure_};
    };
    if (write_errno_ != 0)
        return fail(write_errno_);
    if (::fsync(fd_) != 0)
        return fail(errno);
    const int closed = ::close(fd_);
    fd_ = -1;
    if (closed != 0 || ::rename(temporary_name.constData(), Native(target_).constData()) != 0)
        return fail(errno);
    committed_ = true;
    // The rename itself is made durable with the folder.
    const int folder = ::open(Native(QFileInfo(target_).absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return {};
}

void AtomicFileWriter::discard()
{
    if (isOpen())
        QIODevice::close();
    if (fd_ >= 0) {
        CloseKeepingError(fd_);
        fd_ = -1;
    }
    if (!committed_ && !temporary_.isEmpty())
        ::unlink(Native(temporary_).constData());
    temporary_.clear();
}

WriteResult WriteStagedFile(const QString& path, const QByteArray& bytes)
{
    const QByteArray name = Native(path);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0)
        return {SaveFailure(path, SystemErrorText(errno))};
    if (!WriteAll(fd, bytes)) {
        const int reason = errno;
        CloseKeepingError(fd);
        return {SaveFailure(path, SystemErrorText(reason))};
    }
    if (::close(fd) != 0)
        return {SaveFailure(path, SystemErrorText(errno))};
    return {};
}

WriteResult WriteFileAtomically(const QString& path, const QByteArray& bytes)
{
    AtomicFileWriter writer(path);
    if (!writer.begin())
        return {writer.failure()};
    writer.write(bytes);
    return writer.commit();
}

int RemoveStaleTemporaryFiles(const QString& folder)
{
    int removed = 0;
    const QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        const QRegularExpressionMatch match = TemporaryName().match(name);
        if (!match.hasMatch())
            continue;
        bool ok = false;
        const qlonglong pid = match.captured(1).toLongLong(&ok);
        const bool writer_gone = ok && pid > 0 && pid <= std::numeric_limits<pid_t>::max() &&
                                 ::kill(pid_t(pid), 0) != 0 && errno == ESRCH;
        if (writer_gone && ::unlink(Native(folder + u'/' + name).constData()) == 0)
            ++removed;
    }
    return removed;
}

FileStamp StampOfBytes(const QString& path, const QByteArray& bytes)
{
    FileStamp stamp;
    const QFileInfo info(path);
    if (!info.exists())
        return stamp;
    stamp.exists = true;
    stamp.size = info.size();
    stamp.modified_ms = info.lastModified().toMSecsSinceEpoch();
    stamp.sha256 = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
    return stamp;
}

FileStamp StampOfFile(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    const std::optional<QByteArray> bytes = ReadFileBytes(path, kMaxDamagedCopyBytes);
    FileStamp stamp = StampOfBytes(path, bytes.value_or(QByteArray()));
    if (!bytes)
        stamp.sha256.clear();  // unreadable: size and time alone tell a change
    return stamp;
}

QString KeepDamagedCopy(const QString& path, const QByteArray& bytes, QString* error)
{
    QString name;
    for (int number = 1; number <= 9; ++number) {
        name = path + QStringLiteral(".bad") + (number > 1 ? QString::number(number) : QString());
        if (!QFileInfo::exists(name))
            break;
        const std::optional<QByteArray> kept = ReadFileBytes(name, kMaxDamagedCopyBytes);
        if (kept && *kept == bytes)
            return name;  // already kept
    }
    const WriteResult written = WriteFileAtomically(name, bytes);
    if (!written.ok()) {
        if (error)
            *error = written.error;
        return {};
    }
    return name;
}

}  // namespace indikt
