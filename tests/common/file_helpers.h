#pragma once

// Small helpers for tests that work on real files in a temporary folder.

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QString>

#include <QDirIterator>
#include <QStringList>

#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>

namespace indikt {

inline bool WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The content.xml of an ODF package, unpacked with unzip (which the set-up
// script installs); empty when it cannot be read.
inline QString OdfContentXml(const QString& package)
{
    const QString unzip = QStandardPaths::findExecutable("unzip");
    if (unzip.isEmpty())
        return {};
    QProcess process;
    process.start(unzip, {"-p", package, "content.xml"});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Makes every write that would take a file past `bytes` fail, as a full disk
// does, for the life of the object. Works for root too, unlike permissions.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &old_limit_);
        old_handler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = old_limit_;
        limit.rlim_cur = bytes;
        set_ = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &old_limit_);
        std::signal(SIGXFSZ, old_handler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    bool isSet() const { return set_; }

private:
    rlimit old_limit_{};
    void (*old_handler_)(int) = nullptr;
    bool set_ = false;
};

// Makes a folder and everything under it read-only for the life of the
// object, as a read-only medium is: for root, whom permissions do not bind, a
// read-only bind mount of the folder over itself (isSet() is false where the
// machine allows no mounts); for anyone else the permissions of its folders.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const QString& folder) : path_(QFile::encodeName(folder))
    {
        if (geteuid() == 0) {
            mounted_ = ::mount(path_.constData(), path_.constData(), nullptr, MS_BIND, nullptr) == 0;
            if (mounted_ &&
                ::mount(nullptr, path_.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0) {
                ::umount2(path_.constData(), MNT_DETACH);
                mounted_ = false;
            }
            set_ = mounted_;
            return;
        }
        folders_ << QString::fromLocal8Bit(path_);
        QDirIterator it(folder, QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext())
            folders_ << it.next();
        set_ = true;
        for (const QString& each : folders_)
            set_ = ::chmod(QFile::encodeName(each).constData(), 0555) == 0 && set_;
    }
    ~ReadOnlyFolder()
    {
        if (mounted_)
            ::umount2(path_.constData(), MNT_DETACH);
        for (const QString& each : folders_)
            ::chmod(QFile::encodeName(each).constData(), 0755);
    }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    bool isSet() const { return set_; }
    // True when writes fail as on a read-only medium (EROFS), not by permissions.
    bool isMount() const { return mounted_; }

private:
    QByteArray path_;
    QStringList folders_;
    bool mounted_ = false;
    bool set_ = false;
};

}  // namespace indikt
