// The backup engine's scan of an archive: the input describes a folder tree
// (component folders and record files holding files, folders, links, programs
// and executable files of any name), which is made on disk and restored and
// synchronised into an empty data root. Whatever the archive holds, nothing
// that comes back is a link or a program or has an execute bit, and nothing
// is written outside the data root.
#include "backup/backup_engine.h"

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

#include <sys/stat.h>
#include <unistd.h>

namespace {

const char* const kPlaces[] = {"Записи", "Иконы", "Библия", "Богослужение", "Жития святых", "Месяцеслов",
                               "zk.ini", "Памятка.txt", "sob.ini", "Закладки.txt", "Записи/Вложенная", "."};

// Reads the input as entries: kind, place, name length, name, size, bytes.
class Input {
public:
    Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool more() const { return at_ < size_; }
    uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }
    QByteArray bytes(size_t count)
    {
        count = std::min(count, size_ - at_);
        QByteArray result(reinterpret_cast<const char*>(data_ + at_), qsizetype(count));
        at_ += count;
        return result;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

QString SafeName(QByteArray raw)
{
    raw.replace('/', '_');
    raw.replace('\0', '_');
    QString name = QString::fromUtf8(raw);
    if (name.isEmpty() || name == "." || name == "..")
        name = "f";
    return name;
}

void MakeTree(const QString& archive, Input& input, const QString& outside)
{
    for (int entry = 0; entry < 24 && input.more(); ++entry) {
        const uint8_t kind = input.byte() % 6;
        const QString place = archive + "/" + kPlaces[input.byte() % std::size(kPlaces)];
        const QString name = SafeName(input.bytes(input.byte() % 24));
        const QByteArray contents = input.bytes(input.byte() % 64);
        const bool place_is_file = place.endsWith(".txt") || place.endsWith(".ini");
        const QString path = place_is_file ? place : place + "/" + name;
        QDir().mkpath(QFileInfo(path).path());
        switch (kind) {
        case 0:  // a file
        case 1:  // a file with an execute bit
        case 2: {  // a program by its first bytes
            QFile file(path);
            if (file.open(QIODevice::WriteOnly))
                file.write(kind == 2 ? QByteArray("\x7f" "ELF") + contents : contents);
            file.close();
            if (kind == 1)
                ::chmod(QFile::encodeName(path).constData(), 0755);
            break;
        }
        case 3:  // a folder
            QDir().mkpath(path);
            break;
        case 4:  // a link out of the archive
            QFile::link(outside, path);
            break;
        case 5:  // a link to a folder of the archive
            QFile::link(archive + "/Записи", path);
            break;
        }
    }
}

void CheckRestored(const QString& root)
{
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        struct stat status {};
        if (::lstat(QFile::encodeName(info.filePath()).constData(), &status) != 0)
            continue;
        if (S_ISLNK(status.st_mode))
            std::abort();  // a link came back
        if (S_ISREG(status.st_mode) && (status.st_mode & 0111) != 0)
            std::abort();  // an executable file came back
        if (S_ISREG(status.st_mode) && status.st_size >= 4) {
            QFile file(info.filePath());
            if (file.open(QIODevice::ReadOnly) && file.read(4) == QByteArray("\x7f" "ELF"))
                std::abort();  // a program came back
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace indikt;
    // In memory where the machine has it: the engine syncs what it writes,
    // which on a disk would measure the disk, not the scan.
    QTemporaryDir temp(QFileInfo("/dev/shm").isWritable() ? "/dev/shm/indikt-fuzz-XXXXXX"
                                                           : QDir::tempPath() + "/indikt-fuzz-XXXXXX");
    if (!temp.isValid())
        return 0;
    const QString archive = temp.filePath("archive");
    const QString root = temp.filePath("root");
    const QString outside = temp.filePath("outside");
    QDir().mkpath(archive);
    QDir().mkpath(root);
    QDir().mkpath(outside);
    QFile marker(outside + "/untouched");
    if (marker.open(QIODevice::WriteOnly))
        marker.write("outside");
    marker.close();

    Input input(data, size);
    MakeTree(archive, input, outside);
    for (const BackupOperation operation : {BackupOperation::Get, BackupOperation::Sync}) {
        BackupRequest request;
        request.operation = operation;
        request.data_root = root;
        request.folder = archive;
        request.all = true;
        request.rule = operation == BackupOperation::Get ? ClashRule::Delete : ClashRule::Newer;
        request.safety_root = temp.filePath("safety");
        request.now = QDateTime(QDate(2026, 12, 9), QTime(12, 0));
        RunBackup(request);
        CheckRestored(root);
    }
    // Nothing reached through a link was written or removed.
    if (QDir(outside).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot) != QStringList{"untouched"})
        std::abort();
    return 0;
}
