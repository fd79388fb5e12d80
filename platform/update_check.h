#pragma once

// The on-demand check for a newer version: "/update.ini" of the program's
// site (a fallback site when the first cannot answer), section "version",
// key "indvr", the newest version as three digits without points.

#include "texts/update_file.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>


class QNetworkAccessManager;
class QNetworkReply;

namespace indikt {

// "https://" goes before an address written without a scheme; blanks and
// trailing slashes go. Empty stays empty.
QString SiteBase(const QString& host);

// The page the program's site shows it on.
QString ProgramPage(const QString& host);

inline constexpr int kUpdateTransferTimeoutMs = 20000;

struct UpdateOutcome {
    enum class Kind { Failed, Latest, Newer };
    Kind kind = Kind::Failed;
    int site = -1;         // 0 the primary, 1 the fallback: the site that answered
    QString site_address;  // as the settings write it
    int version = 0;       // the number found
    QString save_error;    // "update.ini" could not be written (the answer still counts)
};

class UpdateCheck : public QObject {
    Q_OBJECT
public:
    // "update.ini" of a valid answer is kept in `data_root`.
    explicit UpdateCheck(QString data_root, QObject* parent = nullptr);
    ~UpdateCheck() override;

    void setTransferTimeout(int milliseconds) { timeout_ms_ = milliseconds; }
    bool running() const { return running_; }

    // Asks the primary site, then the fallback; an empty address is a site
    // that cannot answer. Ignored while a check runs.
    void start(const QString& primary, const QString& fallback, int own_version);

signals:
    void statusChanged(const QString& text);
    void finished(const indikt::UpdateOutcome& outcome);

private:
    void ask(int site);
    void answered(int site, QNetworkReply* reply);
    void finish(UpdateOutcome outcome);

    QString data_root_;
    QNetworkAccessManager* network_ = nullptr;
    QPointer<QNetworkReply> reply_;
    QString sites_[2];
    int own_version_ = 0;
    int timeout_ms_ = kUpdateTransferTimeoutMs;
    bool running_ = false;
};

}  // namespace indikt

Q_DECLARE_METATYPE(indikt::UpdateOutcome)
