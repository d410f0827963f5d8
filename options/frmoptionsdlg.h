#pragma once
// The options dialog: it edits the user's settings (TUserOptions). Each showing loads the stored
// settings and shows a copy in the controls; OK takes the controls into the settings and stores
// them in the settings file (sections "Options" and "Ports"); Cancel shows the settings again;
// closing through the window frame does neither. The main window reads Options(), never the
// controls.

#include "options/useroptions.h"
#include "slutil/slportmap.h"

#include <QColor>
#include <QDialog>
#include <QFont>

#include <array>
#include <optional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTabWidget;
class TColorShape;

class TDlgOptions : public QDialog {
    Q_OBJECT
public:
    static constexpr int Devices = TUserOptions::Devices;
    static constexpr int Ports = 4;
    // The property that carries a connection button's or sample's tag, 10 * device + MSN.
    static constexpr const char* TagProperty = "Tag";

    // Loads the stored settings.
    explicit TDlgOptions(QWidget* parent = nullptr);
    ~TDlgOptions() override;

    // The settings as last loaded or confirmed with OK.
    const TUserOptions& Options() const { return FOptions; }

    // device 1..6, msn 1..2.
    TColorShape* ShpColorToMsn(int device, int msn) const;
    QPushButton* BtnColorToMsn(int device, int msn) const;
    // What COM1..COM4 reach, as the port fields say now.
    TslPortMap PortMap() const;

    // ---- handlers (public so that tests drive them like the user) --------------------------
    // The stored settings, shown in the controls.
    void FormShow();
    void BtnColorActiveDeviceClick();
    // Shared by the twelve "MSN" buttons: the sample with the sender's tag gets the colour.
    void BtnColorToMsnClick(QObject* sender);
    void BtnMemoFontClick();
    void BitBtnOkClick();
    void BitBtnCancelClick();
    void BitBtnHelpClick();
    // Escape is Cancel.
    void reject() override;

    // ---- controls ----------------------------------------------------------------------
    QTabWidget* PgCtrlOptions = nullptr;
    QWidget* TbShtView = nullptr;
    QWidget* TbShtCom = nullptr;
    QPushButton* BtnColorActiveDevice = nullptr;
    TColorShape* ShpColorActiveDevice = nullptr;
    QPushButton* BtnMemoFont = nullptr;
    QLabel* LblMemoFont = nullptr;
    QGroupBox* GrpBxColorToMsn = nullptr;
    QSpinBox* RxSpinComTimeOut = nullptr;
    QCheckBox* ChkBxFastTransfer = nullptr;
    // Editable: the lists offer the ports found on this machine, any other path may be typed.
    std::array<QComboBox*, Ports> CmbBxPort{};
    QPushButton* BitBtnOk = nullptr;
    QPushButton* BitBtnCancel = nullptr;
    QPushButton* BitBtnHelp = nullptr;

    // The path a port field's text stands for: a listed link is shown with its target after
    // " → ", which is not part of the path.
    static QString PortPath(const QString& shown);

protected:
    // The colour and font choosers; tests replace them. No value means cancelled.
    virtual std::optional<QColor> ChooseColor(const QColor& initial);
    virtual std::optional<QFont> ChooseFont(const QFont& initial);

    void showEvent(QShowEvent* event) override;
    // The window frame: neither OK nor Cancel.
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateViewPage();
    void CreateComPage();
    void CreateButtons();
    void FillPortLists();
    // The settings file into FOptions and the controls, with the page and the position.
    void LoadSettings();
    void ShowOptions(const TUserOptions& options);
    TUserOptions EditedOptions() const;

    TUserOptions FOptions;
};
