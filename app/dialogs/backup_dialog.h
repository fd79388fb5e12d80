#pragma once

// `TOKRightDlg`, "Резервное копирование": copy chosen components of the data
// root to an archive folder, get them back, or synchronise both ways. The
// copy runs on a worker thread; the window and its timers keep running, and
// "Прервать" stops it between files. The page's folder, components and
// option live in section "Backup" of zk.ini: read when the dialog is made,
// written when it closes with OK.

#ifndef Q_MOC_RUN
#include "app/dialogs/asker.h"
#include "backup/backup_engine.h"
#include "settings/zk_settings.h"
#endif

#include <QDateTime>
#include <QDialog>
#include <QTimer>

#include <array>
#include <atomic>
#include <functional>

class QCheckBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace indikt {

struct BackupDialogContext {
    QString data_root;
    QString safety_root;                  // where safety copies go before a restore
    std::function<QDateTime()> clock;
};

class TOKRightDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kPageCopy = 0;
    static constexpr int kPageGet = 1;
    static constexpr int kPageSync = 2;

    TOKRightDlg(ZkSettings& settings, BackupDialogContext context, Asker& asker, QWidget* parent = nullptr);

    void showPage(int page);
    int currentPage() const;

    // Called after an operation that reached the data root, with its report,
    // before the summary is shown.
    void setFinishedHook(std::function<void(const BackupReport&)> hook) { finished_hook_ = std::move(hook); }

    bool running() const { return busy_.load(); }
    const BackupReport& lastReport() const { return last_report_; }

    // OK: runs the page shown, then stores the values and closes. A folder
    // that is refused leaves the dialog open with its field focused.
    void accept() override;
    // While an operation runs, Esc and "Прервать" stop it instead.
    void reject() override;

private:
    struct Page {
        QString kind;                         // "Kop", "Vost", "Sin"
        QLineEdit* folder = nullptr;
        std::array<QCheckBox*, 9> boxes{};    // in the order of kBoxKeys
        std::vector<QRadioButton*> rules;     // in the order of their keys
    };
    QWidget* buildPage(Page& page, const char* kind, const char* group, const char* field, const char* prompt);
    void readSettings();
    bool storeSettings();
    void chooseFolder(Page& page, const QString& prompt);
    BackupRequest requestOf(const Page& page) const;
    BackupReport runOnWorker(const BackupRequest& request);
    ClashAnswer askClash(const QString& path);
    void setRunning(bool running);

    ZkSettings& settings_;
    BackupDialogContext context_;
    Asker& asker_;
    std::array<Page, 3> pages_;
    QTabWidget* tabs_ = nullptr;
    QLabel* progress_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
    QPushButton* cancel_button_ = nullptr;
    QTimer progress_timer_;
    std::atomic<bool> busy_ = false;
    std::atomic<bool> cancel_ = false;
    std::atomic<int> files_done_ = 0;
    BackupReport last_report_;
    std::function<void(const BackupReport&)> finished_hook_;
};

}  // namespace indikt
