#pragma once
// The wait dialog shown while the technician presses the device's reset key. The request thread
// reports through it (TConfigModeView); every call is handed to the GUI thread, and the thread
// waits for it there unless the request is being stopped.

#include "terminal/configmodeview.h"

#include <QColor>
#include <QDialog>

class QLabel;
class QPushButton;

class TDlgPressReset : public QDialog, public TConfigModeView {
    Q_OBJECT
public:
    explicit TDlgPressReset(QWidget* parent = nullptr);

    // TConfigModeView, run on the GUI thread.
    void ShowStatus(tConfigModeStatus status, const std::string& reason) override;
    void CloseOk() override;
    void Repaint() override;
    // Queues the call to the GUI thread.
    void Post(std::function<void()> call) override;

    // The background of LblStatus for a status.
    static QColor StatusColor(tConfigModeStatus status);

    QLabel* LblStatus() const { return FLblStatus; }
    QPushButton* BitBtnCancel() const { return FBitBtnCancel; }
    QPushButton* BitBtnHelp() const { return FBitBtnHelp; }

public slots:
    void BitBtnCancelClick();
    void BtnCancelClick();
    void BitBtnHelpClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ClearStatus();

    QLabel* FLblStatus = nullptr;
    QPushButton* FBitBtnCancel = nullptr;
    QPushButton* FBitBtnHelp = nullptr;
};
