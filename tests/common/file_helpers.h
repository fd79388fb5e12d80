#pragma once

// Small helpers for tests that work on real files in a temporary folder.

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QString>

#include <sys/resource.h>

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

}  // namespace indikt
