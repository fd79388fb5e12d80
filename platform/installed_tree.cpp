#include "installed_tree.h"

#include "texts/data_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <unistd.h>

namespace indikt {

namespace {

constexpr const char* kCopyVersionFile = ".bundled-version";
constexpr qint64 kMaxVersionBytes = 4096;
constexpr int kInstallTimeoutMs = 5 * 60 * 1000;

bool Writable(const QString& folder)
{
    return ::access(QFile::encodeName(folder).constData(), W_OK | X_OK) == 0;
}

QByteArray VersionBytes(const QString& path) { return ReadFileBytes(path, kMaxVersionBytes).value_or(QByteArray()); }

}  // namespace

QString InstalledTreeOf(const QString& program_folder)
{
    return QDir::cleanPath(program_folder + "/../share/indikt/data");
}

QString UserTreeCopy(const QString& xdg_data_home, const QString& home)
{
    const QString base = QDir::isAbsolutePath(xdg_data_home) ? xdg_data_home : home + "/.local/share";
    return QDir::cleanPath(base + "/indikt/data");
}

DefaultDataRoot ResolveDefaultDataRoot(const InstalledLayout& layout)
{
    const QString installed = InstalledTreeOf(layout.program_folder);
    // A program folder with a tree of its own, or one the user may write to
    // beside no installed tree, is the data root as it always was.
    const bool own_tree = QFileInfo::exists(layout.program_folder + "/version.txt");
    if (!QFileInfo(installed).isDir() || (own_tree && Writable(layout.program_folder)))
        return {QDir::cleanPath(layout.program_folder), {}};

    DefaultDataRoot root{UserTreeCopy(layout.xdg_data_home, layout.home), {}};
    const QByteArray version = VersionBytes(installed + "/version.txt");
    const QString copy_version = root.path + "/" + kCopyVersionFile;
    if (QFileInfo(root.path).isDir() && !version.isEmpty() && VersionBytes(copy_version) == version)
        return root;  // made from this tree already

    const QString installer = QDir::cleanPath(layout.program_folder + "/../lib/indikt/indikt-install-data");
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(installer, {installed, root.path});
    if (!process.waitForFinished(kInstallTimeoutMs) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        root.problem = "the data tree could not be copied from " + installed + " into " + root.path + " by " +
                       installer;
        return root;
    }
    if (const WriteResult written = WriteFileAtomically(copy_version, version); !written.ok())
        root.problem = written.error;
    return root;
}

}  // namespace indikt
