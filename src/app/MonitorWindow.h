#pragma once

#include <QTimer>
#include <QWidget>

#include "app/MonitorModel.h"
#include "monitor/TrafficMonitor.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace vantor {

class CMorvikWindow;

// "Монитор обмена": the traffic of the line, a row per frame, with counters, pause, clear,
// copy, save and capture. Its own resizable window beside the main one; it watches the line
// while it is open and not otherwise, so a closed monitor costs the polling nothing.
class CMonitorWindow : public QWidget {
    Q_OBJECT
public:
    explicit CMonitorWindow(CMorvikWindow& main);
    ~CMonitorWindow() override;

    CTrafficMonitor& Monitor() { return m_monitor; }
    QTableView* View() { return m_view; }
    // Brings the view, the counters and the capture box up to date with the monitor.
    void Refresh();

    // --- Handlers of the buttons ----------------------------------------------------------
    void OnPause(bool paused);
    // Failed answers drop their cycle and polling goes on, for as long as the box is set.
    void OnKeepPolling(bool keep);
    void OnClear();
    void OnCopy();
    void OnSave();
    void OnCapture(bool on);
    void OnResetCounters();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QPushButton* AddButton(const char* text, void (CMonitorWindow::*handler)());
    void Watch(bool watching);

    CMorvikWindow& m_main;
    CTrafficMonitor m_monitor;
    CMonitorModel* m_model = nullptr;
    QTableView* m_view = nullptr;
    QLineEdit* m_counters = nullptr;
    QLabel* m_dropped = nullptr;
    QCheckBox* m_capture = nullptr;
    QCheckBox* m_keepPolling = nullptr;
    QTimer m_refresh;
};

}  // namespace vantor
