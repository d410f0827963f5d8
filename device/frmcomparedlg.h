#pragma once
// The dialog of a compare: the six values of the plan beside those the device holds, the rows
// that differ marked. The user takes the device's value of one row or of all rows into the plan,
// sends the plan to the device, or closes; the plan changes only through a take.

#include "documents/plancompare.h"

#include <QDialog>

#include <functional>
#include <optional>

class QLabel;
class QPushButton;
class QTableWidget;
class TKovParameters;

class TDlgCompare : public QDialog {
    Q_OBJECT
public:
    // Takes the device's value of one row, or of all rows for none, into the plan.
    using TTake = std::function<void(std::optional<tDeviceValue>)>;

    // plan is read again after every take; both must outlive the dialog.
    TDlgCompare(const QString& name, const TKovParameters& plan, const TKovParameters& device, TTake take,
                QWidget* parent = nullptr);

    // Whether row (a tDeviceValue) is marked as differing.
    bool RowDiffers(int row) const;

    QTableWidget* GrdValues = nullptr;
    QLabel* LblSummary = nullptr;
    QPushButton* BtnTake = nullptr;
    QPushButton* BtnTakeAll = nullptr;
    // Ends the dialog with Accepted: the panel sends the plan.
    QPushButton* BtnSend = nullptr;
    QPushButton* BtnClose = nullptr;

private:
    void CreateControls(const QString& name);
    void Refresh();
    void UpdateButtons();

    const TKovParameters& FPlan;
    const TKovParameters& FDevice;
    TTake FTake;
    std::vector<TValueComparison> FRows;
};
