#pragma once

// One running copy per user and data root. The first copy listens on a local
// socket; a later copy connects, asks it to show itself and exits at once.
// A socket left behind by a copy that crashed is removed, so it never blocks
// later starts.

#include <QLocalServer>
#include <QObject>
#include <QString>

namespace indikt {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // `key` names the user and the data root; see SingleInstanceKey.
    explicit SingleInstance(QString key, QObject* parent = nullptr);

    // True when another copy answered and was asked to show itself: this copy
    // should end. False when this copy is now the first one (or nothing could
    // be reached, in which case it runs on as the first).
    bool AskRunningCopyToShow(int timeout_ms = 1000);

    // Starts listening so that later copies find this one.
    bool Listen();

signals:
    // A later copy asked this one to come to the front.
    void showRequested();

private:
    QString key_;
    QLocalServer server_;
};

// A socket name for this user and data root: short, and free of characters
// a socket name cannot hold.
QString SingleInstanceKey(const QString& user, const QString& data_root);

}  // namespace indikt
