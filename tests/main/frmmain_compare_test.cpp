// Protects the compare with the plan: the panel's compare shows plan and device side by side and
// changes the plan only through what the user takes; "Anlage prüfen" lists every ready device's
// differences and names the devices it skipped, and changes nothing.
#include "device/frmcomparedlg.h"
#include "documents/framedevstate.h"
#include "tests/device/modalwatch.h"
#include "main/logview.h"
#include "tests/main/alldevicesfixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

namespace {

struct TCompare : TAllDevices {
    // Plan i holds what simulated device i holds.
    void PlanLikeDevice(int i)
    {
        const TSimParameters s = Sims[i]->Stored();
        Plan(i).SetIsdnDChannelProtocol(s.Isdn);
        Win.PlanDevice(i, s.Msn1, s.Msn2, s.Aciomcatab1, s.Aciomcatab2, static_cast<tAciomco>(s.Aciomco));
        Win.Devices()[i]->SetModified(false);
    }
    TKovParameters& Plan(int i) { return Win.Document().Parameters(i); }
    QString Name(int i) { return QString::fromStdString(Plan(i).GetKovName()); }
};

// Runs handler on the compare dialog once it is up, and cancels anything else.
class TCompareWatch {
public:
    explicit TCompareWatch(std::function<void(TDlgCompare&)> handler)
        : FWatch([this, handler](QWidget& modal) {
              if (auto* dialog = qobject_cast<TDlgCompare*>(&modal)) {
                  ++Shown;
                  handler(*dialog);
              } else if (auto* other = qobject_cast<QDialog*>(&modal)) {
                  other->reject();
              }
          })
    {
    }
    int Shown = 0;

private:
    TModalWatch FWatch;
};

}  // namespace

TEST_F(TCompare, CompareShowsTheDifferencesAndTakesOnlyWhatTheUserPicks)
{
    ConnectAndEnterConfigMode();
    PlanLikeDevice(0);
    Plan(0).SetMsnIncoming(1, "998");
    Plan(0).SetAutomaticCallNumber(0, "999");
    Win.Devices()[0]->UpdateView();
    Win.Devices()[0]->SetModified(false);

    std::vector<bool> marked;
    std::string numberWhileOpen;
    std::string takenNumber, msn2AfterTake;
    bool modifiedAfterTake = false;
    TCompareWatch watch([&](TDlgCompare& dialog) {
        for (int row = 0; row < 6; ++row)
            marked.push_back(dialog.RowDiffers(row));
        numberWhileOpen = Plan(0).GetAutomaticCallNumber(0);
        dialog.GrdValues->selectRow(2);
        dialog.BtnTake->click();
        takenNumber = Plan(0).GetAutomaticCallNumber(0);
        msn2AfterTake = Plan(0).GetMsnIncoming(1);
        modifiedAfterTake = Win.Devices()[0]->Modified();
        dialog.BtnClose->click();
    });
    TTestMainWin::Trigger(Win.Devices()[0]->ActDevCompare);
    ASSERT_TRUE(Win.AwaitExchanges());

    ASSERT_EQ(watch.Shown, 1);
    EXPECT_EQ(marked, (std::vector<bool>{false, true, true, false, false, false}));
    EXPECT_EQ(numberWhileOpen, "999");
    EXPECT_EQ(takenNumber, "103");
    EXPECT_EQ(msn2AfterTake, "998");
    EXPECT_TRUE(modifiedAfterTake);
    EXPECT_EQ(Win.Devices()[0]->findChild<QComboBox*>("CmbBxNumber1")->currentText(), "103");
    EXPECT_EQ(Win.MessageLines(), QStringList{Name(0) + ": 2 Parameter weichen vom Plan ab."});
}

TEST_F(TCompare, TakeAllGivesTheDevicesValuesAndSendPlanWritesThePlan)
{
    ConnectAndEnterConfigMode();
    {
        TCompareWatch takeAll([](TDlgCompare& dialog) {
            dialog.BtnTakeAll->click();
            dialog.BtnClose->click();
        });
        TTestMainWin::Trigger(Win.Devices()[1]->ActDevCompare);
        ASSERT_TRUE(Win.AwaitExchanges());
    }
    EXPECT_EQ(Plan(1).GetMsnIncoming(0), "201");
    EXPECT_EQ(Plan(1).GetAutomaticCallNumber(1), "204");
    EXPECT_EQ(Plan(1).GetAutomaticCallMode(), 1);
    EXPECT_TRUE(Win.Devices()[1]->Modified());

    PlanLikeDevice(2);
    Plan(2).SetMsnIncoming(0, "777");
    Win.Devices()[2]->UpdateView();
    TCompareWatch send([](TDlgCompare& dialog) { dialog.BtnSend->click(); });
    TTestMainWin::Trigger(Win.Devices()[2]->ActDevCompare);
    ASSERT_TRUE(Win.AwaitExchanges());
    ASSERT_EQ(send.Shown, 1);
    EXPECT_EQ(Sims[2]->Stored().Msn1, "777");
    EXPECT_EQ(Sims[2]->Stored().Aciomcatab1, "303");
    EXPECT_TRUE(Win.Errors.empty());
}

TEST_F(TCompare, VerifyListsEachReadyDeviceAndNamesTheSkippedOne)
{
    ConnectAndEnterConfigMode();
    for (int i = 0; i < Count; ++i)
        PlanLikeDevice(i);
    Plan(1).SetAutomaticCallNumber(1, "-");
    Plan(1).SetAutomaticCallMode(EAciomcoB1B2);
    Win.Devices()[1]->UpdateView();
    Win.Devices()[1]->SetModified(false);
    Win.Devices()[2]->Terminal()->Close();

    TMessageBoxes boxes;
    TTestMainWin::Trigger(Win.ActVerifyInstallation);
    ASSERT_TRUE(Win.AwaitExchanges());

    const QStringList lines = Win.MessageLines();
    ASSERT_EQ(lines.size(), 7) << lines.join('\n').toStdString();
    EXPECT_EQ(lines[0], "---- Anlage prüfen ----");
    EXPECT_EQ(lines[1], Name(2) + ": übersprungen, nicht verbunden oder nicht im Konfigurationsmodus.");
    EXPECT_TRUE(lines.contains(Name(0) + ": stimmt mit dem Plan überein."));
    const int differing = lines.indexOf(Name(1) + ": 2 Parameter weichen vom Plan ab.");
    ASSERT_GE(differing, 0);
    EXPECT_EQ(lines[differing + 1], Name(1) + ": Partnernummer LWL2: Plan \"-\", Gerät \"204\".");
    EXPECT_EQ(lines[differing + 2], Name(1) + ": DIAL/ACCEPT: Plan \"LWL1 DIAL, LWL2 DIAL\", Gerät \"LWL1 DIAL, LWL2 ACCEPT\".");
    EXPECT_EQ(lines.back(), "---- Anlage geprüft: 1 von 3 Geräten stimmen mit dem Plan überein, 1 weichen ab, "
                            "1 übersprungen, 0 mit Fehler ----");
    // A difference leads to its field and marks it in the log's colour for it; an agreeing
    // device leads to its panel and marks nothing.
    emit Win.MsgLog->LineActivated(differing + 1);
    EXPECT_EQ(Win.Devices()[1]->FindingMark(tFindingField::Number2), QColor(0, 0, 255));
    emit Win.MsgLog->LineActivated(lines.indexOf(Name(0) + ": stimmt mit dem Plan überein."));
    EXPECT_FALSE(Win.Devices()[0]->FindingMark(tFindingField::Name).isValid());

    // Nothing of the plan changed, and no dialog or box came up.
    EXPECT_EQ(Plan(1).GetAutomaticCallNumber(1), "-");
    for (const TFrameDev* panel : Win.Devices())
        EXPECT_FALSE(panel->Modified());
    EXPECT_TRUE(boxes.Texts.empty() && boxes.Others.empty());
}
