#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include <QDialog>
#include <QList>
#include <QTimer>

#include "shell/upgrade_list.h"

class QLabel;
class QPushButton;

namespace kelton {

struct AppState;

class Downloader;

// The upgrade dialog. It offers the edition the server information names
// for this version; OK hides it and downloads the upgrade list and then every
// file the list names into the upgrade folder, one after the other, while
// the user goes on working. When the last file has arrived it asks whether
// to start the file the list marks for running, starts it and closes. Any
// download that does not arrive, or a list that names nothing usable, ends
// with the failure message; files already downloaded stay.
class FUpgrade : public QDialog {
    Q_OBJECT

public:
    static constexpr int kPollInterval = 1000; // ms

    // Offers the edition of app's server information, downloading through
    // app's proxy settings; app outlives the dialog.
    explicit FUpgrade(const AppState& app, QWidget* parent = nullptr);
    ~FUpgrade() override;

    QLabel* Label4() const { return m_label4; }
    QLabel* LblCurrent() const { return m_lblCurrent; }
    QLabel* LblNew() const { return m_lblNew; }
    QPushButton* cmdOK() const { return m_cmdOK; }
    QPushButton* cmdCancel() const { return m_cmdCancel; }
    QPushButton* CmdHelp() const { return m_cmdHelp; }

    // Captions and the offered edition; OK is enabled only for a newer one.
    void Form_Load();
    // Hides the dialog (ending its modal display) and starts the upgrade.
    void cmdOK_Click();
    void cmdCancel_Click();
    void CmdHelp_Click();

    // Queues the upgrade list and starts the poll.
    void RunUpgrade();
    // One poll of the download being waited for.
    void Timer1_Timer();

    // 1 while the list is awaited, 2 while the files arrive; 0 before.
    int16_t UpgradeStep() const { return m_upgradeStep; }
    const QList<UpgradeEntry>& UpgradeFiles() const { return m_upgradeFiles; }
    int16_t UpgradeCount() const { return static_cast<int16_t>(m_upgradeFiles.size()); }
    int16_t NextUpgrade() const { return m_nextUpgrade; }
    bool IsPolling() const { return m_timer1.isActive(); }

    // Tests shorten the poll and adjust each downloader the dialog makes.
    void SetPollInterval(int ms) { m_timer1.setInterval(ms); }
    using DownloaderSetup = std::function<void(Downloader&)>;
    void SetDownloaderSetup(DownloaderSetup setup) { m_downloaderSetup = std::move(setup); }

private:
    const AppState& m_app;
    void QueueNextEntry();
    void EndWithFailure();
    void StartMarkedFile();
    void EndUpgrade();

    QLabel* m_label4 = nullptr;
    QLabel* m_lblCurrent = nullptr;
    QLabel* m_lblNew = nullptr;
    QPushButton* m_cmdOK = nullptr;
    QPushButton* m_cmdCancel = nullptr;
    QPushButton* m_cmdHelp = nullptr;
    QTimer m_timer1;

    QList<UpgradeEntry> m_upgradeFiles;
    int16_t m_nextUpgrade = 0;
    int16_t m_upgradeStep = 0;
    int32_t m_upgradeDownId = 0;
    std::unique_ptr<Downloader> m_downloader;
    DownloaderSetup m_downloaderSetup;
};

// The online-upgrade command: shows the dialog modally over the owner. After
// OK the dialog lives on hidden until the upgrade ends, then deletes itself.
void ShowUpgradeDialog(const AppState& app, QWidget* owner);

} // namespace kelton
