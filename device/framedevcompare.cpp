// The device compared with the plan: the compare reads the device's values into a copy of their
// own, and the dialog lets the user take some of them into the plan or send the plan instead.
#include "device/framedevice.h"

#include "device/frmcomparedlg.h"
#include "documents/framedevstate.h"
#include "platform/gui/application.h"

void TFrameDev::ActDevCompareExecute()
{
    StartExchange(tDevExchange::Compare);
}

std::vector<TValueComparison> TFrameDev::CompareRows() const
{
    if (!FState->Parameters())
        return {};
    return ComparePlanWithDevice(*FState->Parameters(), FComparedDevice);
}

void TFrameDev::TakeComparedValue(std::optional<tDeviceValue> value)
{
    TKovParameters* const plan = FState->Parameters();
    if (!plan)
        return;
    // All six go in at once, as a receive takes them: one by one, a leased line still in the plan
    // would blank the numbers taken before the protocol.
    if (value)
        TakeDeviceValue(*plan, FComparedDevice, *value);
    else
        plan->AssignDeviceValues(FComparedDevice);
    FState->SetModified(true);
    emit Edited(this);
    try {
        UpdateView();
    } catch (const std::exception& error) {
        ShowError(error);
    }
}

void TFrameDev::ShowCompareDialog()
{
    const TKovParameters* const plan = FState->Parameters();
    if (!plan)
        return;
    TDlgCompare dialog(QString::fromStdString(plan->GetKovName()), *plan, FComparedDevice,
                       [this](std::optional<tDeviceValue> value) { TakeComparedValue(value); }, this);
    if (dialog.exec() == QDialog::Accepted)
        StartExchange(tDevExchange::Send);
}
