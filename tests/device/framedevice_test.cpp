// Protects what the user edits in a device panel: own numbers refused and taken back, the
// leased-line round trip, the partner-number lists, DIAL/ACCEPT, clearing, and that what the
// panel sets itself never counts as an edit.
#include "device/framedevice.h"
#include "documents/framedevstate.h"
#include "panelfixture.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPushButton>

#include <array>

namespace {

using TPanel = TPanelFixture;

}  // namespace

TEST_F(TPanel, TypedOwnNumbersAreStoredOrTakenBack)
{
    // keys: "\b" is a backspace. field: what the field shows afterwards; the parameters hold it.
    const struct { int line; const char* before; const char* keys; const char* field; } cases[] = {
        {0, "", "12a", "12"},
        {0, "", "-", "-"},
        {0, "", "-5", "-"},
        {1, "7", "\b", ""},
        {0, "", "0049", "0049"},
        {1, "", "9223372036854775807", "9223372036854775807"},
        {0, "", "92233720368547758079", "9223372036854775807"},
        {0, "", "12345678901234567890", "1234567890123456789"},
        {1, "", "1 2", "12"},
        {0, "", "+1", "1"},
        {1, "55", "x", "55"},
    };
    for (const auto& c : cases) {
        Parameters.SetMsnIncoming(c.line, c.before);
        Panel->UpdateView();
        Panel->SetModified(false);
        QTest::keyClicks(EdMsn(c.line), QString::fromUtf8(c.keys));
        EXPECT_EQ(EdMsn(c.line)->text().toStdString(), c.field) << c.keys;
        EXPECT_EQ(Parameters.GetMsnIncoming(c.line), c.field) << c.keys;
        // Modified also after a refused change; the undo memory is gone either way.
        EXPECT_TRUE(Panel->Modified()) << c.keys;
        EXPECT_FALSE(EdMsn(c.line)->isUndoAvailable()) << c.keys;
    }
}

TEST_F(TPanel, APasteIsTakenBackWholeAndDisabledTextStoresNoNumber)
{
    Parameters.SetMsnIncoming(0, "5");
    Panel->UpdateView();
    QLineEdit* edit = EdMsn(0);

    QApplication::clipboard()->setText("12a");
    edit->selectAll();
    edit->paste();
    EXPECT_EQ(edit->text(), "5");
    EXPECT_EQ(Parameters.GetMsnIncoming(0), "5");

    QApplication::clipboard()->setText("<disabled>");
    edit->selectAll();
    edit->paste();
    EXPECT_EQ(edit->text(), "<disabled>");
    EXPECT_EQ(Parameters.GetMsnIncoming(0), "-");
}

TEST_F(TPanel, WhatThePanelShowsItselfIsNoEdit)
{
    Parameters.SetKovName("Ost");
    Parameters.SetMsnIncoming(0, "12a");  // the parameters may hold what the user could not type
    Parameters.SetAutomaticCallNumber(1, "999");
    Panel->UpdateView();
    EXPECT_EQ(EdMsn(0)->text(), "12a");
    EXPECT_EQ(CmbBxNumber(1)->currentText(), "999");
    EXPECT_EQ(Get<QPushButton>("BtnName")->text(), "Ost");
    EXPECT_FALSE(Panel->Modified());
    EXPECT_EQ(Parameters.GetMsnIncoming(0), "12a");

    // Without parameters bound the edit handlers do nothing.
    TFrameDev unbound;
    QTest::keyClicks(EdMsn(&unbound, 0), "x");
    EXPECT_FALSE(unbound.Modified());
}

TEST_F(TPanel, LeasedLineAndBackToDss1RestoresTheControlsAndTheParameters)
{
    Parameters.SetMsnIncoming(0, "301");
    Parameters.SetMsnIncoming(1, "302");
    Parameters.SetAutomaticCallNumber(0, "401");
    Parameters.SetAutomaticCallNumber(1, "402");
    Parameters.SetAutomaticCallMode(EAciomcoB2);
    Panel->UpdateView();
    Panel->SetModified(false);
    auto* protocol = Get<QComboBox>("CmbBxIsdnDChannelProtocol");
    std::vector<QWidget*> numberControls;
    for (int line = 0; line < 2; ++line)
        numberControls.insert(numberControls.end(), {EdMsn(line), CmbBxNumber(line), RdBtnDial(line), RdBtnAccept(line)});

    Pick(protocol, 2);  // "Standleitung B2"
    EXPECT_EQ(Parameters.GetIsdnDChannelProtocol(), IsdnLeasedLineB2);
    EXPECT_EQ(EdMsn(0)->text(), "<disabled>");
    EXPECT_EQ(EdMsn(1)->text(), "Standleitung B2");
    EXPECT_EQ(CmbBxNumber(0)->currentText(), "<disabled>");
    EXPECT_EQ(CmbBxNumber(1)->currentText(), "Standleitung B2");
    EXPECT_TRUE(RdBtnAccept(0)->isChecked());
    EXPECT_TRUE(RdBtnDial(1)->isChecked());
    for (QWidget* control : numberControls)
        EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
    for (int line = 0; line < 2; ++line) {
        EXPECT_EQ(Parameters.GetMsnIncoming(line), "-");
        EXPECT_EQ(Parameters.GetAutomaticCallNumber(line), "-");
    }
    EXPECT_TRUE(Panel->Modified());

    Pick(protocol, 3);  // B1+B2: both lines dial
    EXPECT_TRUE(RdBtnDial(0)->isChecked());
    EXPECT_EQ(Parameters.GetAutomaticCallMode(), EAciomcoB1B2);

    Pick(protocol, 0);
    EXPECT_EQ(Parameters.GetIsdnDChannelProtocol(), IsdnDss1);
    const char* texts[2][2] = {{"301", "401"}, {"302", "402"}};
    for (int line = 0; line < 2; ++line) {
        EXPECT_EQ(EdMsn(line)->text().toStdString(), texts[line][0]);
        EXPECT_EQ(CmbBxNumber(line)->currentText().toStdString(), texts[line][1]);
        EXPECT_EQ(Parameters.GetMsnIncoming(line), texts[line][0]);
        EXPECT_EQ(Parameters.GetAutomaticCallNumber(line), texts[line][1]);
    }
    EXPECT_TRUE(RdBtnAccept(0)->isChecked());
    EXPECT_TRUE(RdBtnDial(1)->isChecked());
    EXPECT_EQ(Parameters.GetAutomaticCallMode(), EAciomcoB2);
    for (QWidget* control : numberControls)
        EXPECT_TRUE(control->isEnabled()) << control->objectName().toStdString();
}

TEST_F(TPanel, DialAndAcceptSetTheCallMode)
{
    const struct { QRadioButton* button; tAciomco mode; } clicks[] = {
        {RdBtnAccept(0), EAciomcoB2}, {RdBtnDial(0), EAciomcoB1B2}, {RdBtnAccept(1), EAciomcoB1},
        {RdBtnAccept(0), EAciomcoNo}, {RdBtnDial(1), EAciomcoB2}};
    for (const auto& c : clicks) {
        Panel->SetModified(false);
        c.button->click();
        EXPECT_EQ(Parameters.GetAutomaticCallMode(), c.mode) << c.button->objectName().toStdString();
        EXPECT_TRUE(Panel->Modified());
    }
}

TEST_F(TPanel, PartnerNumbersAndPortAreStoredAsPicked)
{
    CmbBxNumber(0)->addItems({"11", "12"});
    Pick(CmbBxNumber(0), 1);
    EXPECT_EQ(Parameters.GetAutomaticCallNumber(0), "12");
    EXPECT_TRUE(Panel->Modified());

    CmbBxNumber(1)->lineEdit()->selectAll();
    QTest::keyClicks(CmbBxNumber(1)->lineEdit(), "0049 x");
    EXPECT_EQ(Parameters.GetAutomaticCallNumber(1), "0049 x");
    QTest::keyClick(CmbBxNumber(1)->lineEdit(), Qt::Key_Return);  // never added to the list
    EXPECT_EQ(CmbBxNumber(1)->count(), 0);

    Panel->SetModified(false);
    Pick(Get<QComboBox>("CmbBxComPort"), 2);
    EXPECT_EQ(Parameters.GetCOMPort(), COM3);
    EXPECT_TRUE(Panel->Modified());
}

TEST_F(TPanel, ClearingEmptiesTheControlsAndLeavesThePanelUnmodified)
{
    Parameters.SetMsnIncoming(0, "1");
    Parameters.SetAutomaticCallNumber(0, "2");
    Parameters.SetCOMPort(COM2);
    Parameters.SetAutomaticCallMode(EAciomcoNo);
    Panel->UpdateView();
    CmbBxNumber(0)->addItems({"11", "12"});
    Panel->State()->Memo() = {"Kommentar"};

    Panel->ActClear->trigger();
    EXPECT_EQ(Get<QPushButton>("BtnName")->text(), "");
    for (int line = 0; line < 2; ++line) {
        EXPECT_EQ(EdMsn(line)->text(), "");
        EXPECT_EQ(CmbBxNumber(line)->count(), 0);
        EXPECT_EQ(CmbBxNumber(line)->currentText(), "");
        EXPECT_TRUE(RdBtnDial(line)->isChecked());
    }
    EXPECT_EQ(Get<QComboBox>("CmbBxComPort")->currentIndex(), 0);
    EXPECT_EQ(Get<QComboBox>("CmbBxIsdnDChannelProtocol")->currentIndex(), 0);
    EXPECT_TRUE(Panel->State()->Memo().empty());
    EXPECT_EQ(Parameters.GetMsnIncoming(0), "");
    EXPECT_EQ(Parameters.GetCOMPort(), COM1);
    EXPECT_FALSE(Panel->Modified());
}

TEST_F(TPanel, AValueThePanelCannotShowStopsTheRefreshAfterTheName)
{
    Parameters.SetKovName("Nord");
    Parameters.SetIsdnDChannelProtocol(5);
    EXPECT_EQ(ErrorOf([&] { Panel->UpdateView(); }), "TFrameDev::UpdateView: falsches IsdnDChannelProtocol 5");
    EXPECT_EQ(Get<QPushButton>("BtnName")->text(), "Nord");
}

// ---- partner-number lists ----------------------------------------------------------------

namespace {

// Four devices on the screen, a fifth hidden beyond the device count.
struct TPartnerLists : ::testing::Test {
    TKovParameters Parameters[5];
    TFrameDevState States[5];
    QWidget Window;
    std::array<TFrameDev*, 6> Panels{};

    void SetUp() override
    {
        const char* msns[5][2] = {{"11", "12"}, {"21", "-"}, {"31", ""}, {"41", "42"}, {"51", "52"}};
        for (int i = 0; i < 5; ++i) {
            Panels[i] = new TFrameDev(&Window);
            Panels[i]->move((i % 3) * 333, (i / 3) * 246);
            Panels[i]->SetFrameList(&Panels);
            Parameters[i].SetMsnIncoming(0, msns[i][0]);
            Parameters[i].SetMsnIncoming(1, msns[i][1]);
            States[i].SetParameters(&Parameters[i]);
            Panels[i]->SetState(&States[i]);
            Panels[i]->SetModified(false);
        }
        Panels[4]->hide();
        Window.show();
        Window.activateWindow();
        if (!QTest::qWaitForWindowActive(&Window))
            GTEST_SKIP() << "no active window on this platform";
    }

    QComboBox* Box(int device, int line) { return TPanelFixture::CmbBxNumber(Panels[device], line); }
    // Focus into the field (which builds its list) and out again.
    QComboBox* Enter(int device, int line)
    {
        Box(device, line)->setFocus();
        TPanelFixture::EdMsn(Panels[device], 0)->setFocus();
        return Box(device, line);
    }
};

}  // namespace

TEST_F(TPartnerLists, ALineIsOfferedEveryShownNumberButItsOwn)
{
    using TList = std::vector<std::string>;
    EXPECT_EQ(TPanelFixture::Items(Enter(1, 0)), (TList{"11", "12", "-", "31", "41", "42"}));
    EXPECT_EQ(TPanelFixture::Items(Enter(1, 1)), (TList{"11", "12", "21", "31", "41", "42"}));
    Parameters[3].SetMsnIncoming(1, "12");
    EXPECT_EQ(TPanelFixture::Items(Enter(0, 0)), (TList{"12", "21", "-", "31", "41", "12"}));
    // Building the list is not an edit.
    for (int device = 0; device < 2; ++device) {
        EXPECT_FALSE(Panels[device]->Modified());
        EXPECT_EQ(Parameters[device].GetAutomaticCallNumber(0), "");
    }
}

TEST_F(TPartnerLists, TheSelectedPositionIsKeptWithoutTouchingTheParameters)
{
    QComboBox* box = Enter(1, 0);
    TPanelFixture::Pick(box, 1);  // "12"
    EXPECT_EQ(Parameters[1].GetAutomaticCallNumber(0), "12");

    Parameters[0].SetMsnIncoming(1, "13");
    Panels[1]->SetModified(false);
    Enter(1, 0);
    EXPECT_EQ(box->currentIndex(), 1);
    EXPECT_EQ(box->currentText(), "13");
    EXPECT_EQ(Parameters[1].GetAutomaticCallNumber(0), "12");
    EXPECT_FALSE(Panels[1]->Modified());

    // A typed number selects nothing and stays.
    box->lineEdit()->selectAll();
    QTest::keyClicks(box->lineEdit(), "777");
    Enter(1, 0);
    EXPECT_EQ(box->currentText(), "777");

    // A list that became too short for the old position selects nothing; the text stays.
    TPanelFixture::Pick(box, 5);  // "42"
    Panels[3]->hide();
    Enter(1, 0);
    EXPECT_EQ(box->count(), 4);
    EXPECT_EQ(box->currentIndex(), -1);
    EXPECT_EQ(box->currentText(), "42");
}
