#pragma once

// One running copy per user and data root. The first copy takes a lock file
// (which the system frees when the copy ends, however it ends) and then
// listens on a local socket; a later copy finds the lock taken, connects,
// asks the first to show itself and ends. Only the holder of the lock ever
// removes a socket, so a live copy's socket is never taken away, and two
// copies starting at the same moment cannot both become the first.

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

#include <memory>

namespace indikt {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // `key` names the user and the data root (SingleInstanceKey); the lock
    // file lies in `lock_folder` (the user's runtime folder).
    SingleInstance(QString key, const QString& lock_folder, QObject* parent = nullptr);

    // Takes the lock of the first copy; false when another live copy has it.
    bool TryBecomeFirst();
    bool isFirst() const { return first_; }

    // True when another copy answered and was asked to show itself (on
    // `iso_date`, "YYYY-MM-DD", when one is given). Tries again until
    // `timeout_ms` has passed, since the first copy may still be starting.
    bool AskRunningCopyToShow(int timeout_ms = 3000, const QString& iso_date = {});

    // Starts listening so that later copies find this one. Only the first
    // copy listens; a socket file it finds is a leftover and is replaced.
    bool Listen();

signals:
    // A later copy asked this one to come to the front, on a day when
    // `iso_date` is not empty.
    void showRequested(const QString& iso_date);

private:
    QString key_;
    QLockFile lock_;
    bool first_ = false;
    QLocalServer server_;
};

// A socket name for this user (by number) and data root (symbolic links
// resolved, so two paths to one folder are one root): short, and free of
// characters a socket name cannot hold.
QString SingleInstanceKey(const QString& user_id, const QString& data_root);

// The folder of the lock: $XDG_RUNTIME_DIR, or the temporary folder.
QString SingleInstanceLockFolder();

}  // namespace indikt
