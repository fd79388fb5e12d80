#include "update_check.h"

#include "texts/data_files.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>


namespace indikt {

QString SiteBase(const QString& host)
{
    QString base = host.trimmed();
    while (base.endsWith('/'))
        base.chop(1);
    if (!base.isEmpty() && !base.contains("://"))
        base = "https://" + base;
    return base;
}

QString ProgramPage(const QString& host) { return SiteBase(host) + "/calendar.htm"; }

UpdateCheck::UpdateCheck(QString data_root, QObject* parent)
    : QObject(parent), data_root_(std::move(data_root)), network_(new QNetworkAccessManager(this))
{
}

UpdateCheck::~UpdateCheck()
{
    if (reply_) {
        reply_->disconnect(this);
        reply_->abort();
    }
}

void UpdateCheck::start(const QString& primary, const QString& fallback, int own_version)
{
    if (running_)
        return;
    running_ = true;
    sites_[0] = primary.trimmed();
    sites_[1] = fallback.trimmed();
    own_version_ = own_version;
    ask(0);
}

void UpdateCheck::ask(int site)
{
    if (site > 1) {
        // Always after `start` has returned, as an answer from the network would.
        QMetaObject::invokeMethod(this, [this] { finish({}); }, Qt::QueuedConnection);
        return;
    }
    const QString base = SiteBase(sites_[site]);
    const QUrl address(base + "/update.ini");
    if (base.isEmpty() || !address.isValid() || (address.scheme() != "http" && address.scheme() != "https")) {
        ask(site + 1);
        return;
    }
    emit statusChanged("Соединяемся с сайтом " + sites_[site] + "... ");
    QNetworkRequest request(address);
    request.setTransferTimeout(timeout_ms_);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    QNetworkReply* reply = network_->get(request);
    reply_ = reply;
    connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64) {
        if (received > kMaxUpdateFileBytes)
            reply->abort();
    });
    connect(reply, &QNetworkReply::finished, this, [this, site, reply] { answered(site, reply); });
}

void UpdateCheck::answered(int site, QNetworkReply* reply)
{
    reply->deleteLater();
    reply_ = nullptr;
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QByteArray body = reply->error() == QNetworkReply::NoError ? reply->read(kMaxUpdateFileBytes + 1) : QByteArray();
    const std::optional<int> version = VersionOfAnswer(status, body, own_version_);
    if (!version) {
        ask(site + 1);
        return;
    }
    emit statusChanged("Проверка версии...");
    UpdateOutcome outcome;
    outcome.site = site;
    outcome.site_address = sites_[site];
    outcome.version = *version;
    outcome.kind = *version > own_version_ ? UpdateOutcome::Kind::Newer : UpdateOutcome::Kind::Latest;
    outcome.save_error = WriteFileAtomically(data_root_ + "/update.ini", body).error;
    finish(outcome);
}

void UpdateCheck::finish(UpdateOutcome outcome)
{
    running_ = false;
    emit finished(outcome);
}

}  // namespace indikt
