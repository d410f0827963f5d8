#include "device/frmcomparedlg.h"

#include "terminal/kovparameters.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

enum tColumn : int { ColParameter, ColPlan, ColDevice, ColumnCount };

// A pale shade of the blue the message log gives a difference.
const QColor DifferBackground(220, 228, 255);

}  // namespace

TDlgCompare::TDlgCompare(const QString& name, const TKovParameters& plan, const TKovParameters& device, TTake take,
                         QWidget* parent)
    : QDialog(parent), FPlan(plan), FDevice(device), FTake(std::move(take))
{
    setObjectName("DlgCompare");
    CreateControls(name);
    Refresh();
    // The first difference is where the user starts.
    for (int row = 0; row < DeviceValueCount; ++row)
        if (RowDiffers(row)) {
            GrdValues->selectRow(row);
            break;
        }
    UpdateButtons();
    GrdValues->resizeColumnsToContents();
    GrdValues->setFocus();
}

void TDlgCompare::CreateControls(const QString& name)
{
    setWindowTitle(tr("%1 mit dem Plan vergleichen").arg(name));

    LblSummary = new QLabel(this);
    LblSummary->setObjectName("LblSummary");

    GrdValues = new QTableWidget(DeviceValueCount, ColumnCount, this);
    GrdValues->setObjectName("GrdValues");
    GrdValues->setHorizontalHeaderLabels({tr("Parameter"), tr("Plan"), tr("Gerät")});
    GrdValues->verticalHeader()->hide();
    GrdValues->setEditTriggers(QAbstractItemView::NoEditTriggers);
    GrdValues->setSelectionBehavior(QAbstractItemView::SelectRows);
    GrdValues->setSelectionMode(QAbstractItemView::SingleSelection);
    GrdValues->horizontalHeader()->setStretchLastSection(true);
    GrdValues->setMinimumWidth(460);

    BtnTake = new QPushButton(tr("&Gerätewert übernehmen"), this);
    BtnTake->setObjectName("BtnTake");
    BtnTakeAll = new QPushButton(tr("&Alle Gerätewerte übernehmen"), this);
    BtnTakeAll->setObjectName("BtnTakeAll");
    BtnSend = new QPushButton(tr("Plan &senden"), this);
    BtnSend->setObjectName("BtnSend");
    BtnSend->setToolTip(tr("Sendet die Parameter des Plans an das TALV-Gerät (Sende Parameter)."));
    BtnClose = new QPushButton(tr("Schließen"), this);
    BtnClose->setObjectName("BtnClose");

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(BtnTake, QDialogButtonBox::ActionRole);
    buttons->addButton(BtnTakeAll, QDialogButtonBox::ActionRole);
    buttons->addButton(BtnSend, QDialogButtonBox::AcceptRole);
    buttons->addButton(BtnClose, QDialogButtonBox::RejectRole);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LblSummary);
    layout->addWidget(GrdValues);
    layout->addWidget(buttons);

    connect(BtnTake, &QPushButton::clicked, this, [this] {
        const int row = GrdValues->currentRow();
        if (row < 0 || !RowDiffers(row))
            return;
        FTake(static_cast<tDeviceValue>(row));
        Refresh();
    });
    connect(BtnTakeAll, &QPushButton::clicked, this, [this] {
        FTake(std::nullopt);
        Refresh();
    });
    connect(BtnSend, &QPushButton::clicked, this, &QDialog::accept);
    connect(BtnClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(GrdValues, &QTableWidget::currentCellChanged, this, &TDlgCompare::UpdateButtons);
}

bool TDlgCompare::RowDiffers(int row) const
{
    return row >= 0 && row < static_cast<int>(FRows.size()) && FRows[row].Differs();
}

void TDlgCompare::Refresh()
{
    FRows = ComparePlanWithDevice(FPlan, FDevice);
    for (int row = 0; row < DeviceValueCount; ++row) {
        const TValueComparison& r = FRows[row];
        const QString texts[ColumnCount] = {QString::fromStdString(DeviceValueLabel(r.Value)),
                                            QString::fromStdString(r.PlanText), QString::fromStdString(r.DeviceText)};
        for (int column = 0; column < ColumnCount; ++column) {
            auto* item = new QTableWidgetItem(texts[column]);
            QFont font = item->font();
            font.setBold(r.Differs());
            item->setFont(font);
            if (r.Differs()) {
                item->setBackground(DifferBackground);
                item->setToolTip(tr("Weicht vom Plan ab"));
            }
            GrdValues->setItem(row, column, item);
        }
    }
    const int differences = CountDifferences(FRows);
    LblSummary->setText(differences == 0 ? tr("Das Gerät stimmt mit dem Plan überein.")
                                         : tr("%1 Parameter weichen vom Plan ab.").arg(differences));
    UpdateButtons();
}

void TDlgCompare::UpdateButtons()
{
    BtnTake->setEnabled(RowDiffers(GrdValues->currentRow()));
    BtnTakeAll->setEnabled(CountDifferences(FRows) > 0);
}
