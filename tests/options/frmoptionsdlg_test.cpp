// Protects the options dialog: its defaults and controls, what OK, Cancel and the window frame
// keep, store and put back, the connection colours a user can reach on a small screen, the shared
// connection-colour handler with its three errors, the memo font, the remembered page and the
// COM port fields.
#include "options/colorshape.h"
#include "platform/exceptions.h"
#include "platform/inifile.h"
#include "platform/settingsfile.h"
#include "tests/options/testoptionsdlg.h"
#include "tests/scopedenv.h"
#include "tests/scopedsettings.h"
#include "tests/tempdir.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

struct TOptionsDialog : ::testing::Test {
    TScopedSettings Settings{""};
    TTestDlgOptions Dlg;

    void TearDown() override { EXPECT_EQ(Dlg.Unasked, 0) << "a chooser was opened that the test did not expect"; }

    std::string Stored(const std::string& section, const std::string& key) const
    {
        return TIniFile(SettingsFileName()).ReadString(section, key, "<missing>");
    }
    QColor FrameColour() const { return Dlg.ShpColorActiveDevice->Pen().color(); }
};

}  // namespace

TEST_F(TOptionsDialog, WithoutStoredSettingsShowsTheDefaults)
{
    Dlg.show();
    EXPECT_EQ(Dlg.windowTitle(), "Optionen");
    EXPECT_EQ(Dlg.layout()->sizeConstraint(), QLayout::SetFixedSize);
    EXPECT_EQ(Dlg.PgCtrlOptions->currentWidget(), Dlg.TbShtView);
    EXPECT_EQ(Dlg.PgCtrlOptions->tabText(0), "&Ansicht");
    EXPECT_EQ(Dlg.PgCtrlOptions->tabText(1), "&Kommunikation");

    EXPECT_EQ(Dlg.RxSpinComTimeOut->value(), 500);
    EXPECT_EQ(Dlg.RxSpinComTimeOut->minimum(), 500);
    EXPECT_EQ(Dlg.RxSpinComTimeOut->maximum(), 60000);
    EXPECT_EQ(Dlg.RxSpinComTimeOut->singleStep(), 100);

    EXPECT_EQ(FrameColour(), QColor(Qt::black));
    EXPECT_EQ(Dlg.ShpColorActiveDevice->Pen().width(), 3);
    EXPECT_EQ(Dlg.ShpColorActiveDevice->Brush().color(), QColor(232, 232, 232));
    // The frame is drawn in the pen colour around the grey sample.
    const QImage sample = Dlg.ShpColorActiveDevice->grab().toImage();
    EXPECT_EQ(sample.pixelColor(1, sample.height() / 2), QColor(Qt::black));
    EXPECT_EQ(sample.pixelColor(sample.width() / 2, sample.height() / 2), QColor(232, 232, 232));

    EXPECT_EQ(Dlg.LblMemoFont->text(), "Sample Text");
    EXPECT_EQ(Dlg.LblMemoFont->alignment(), Qt::AlignCenter);
    EXPECT_EQ(Dlg.LblMemoFont->font(), QApplication::font(Dlg.LblMemoFont));

    EXPECT_TRUE(Dlg.GrpBxColorToMsn->isVisible());
    EXPECT_EQ(Dlg.GrpBxColorToMsn->title(), "Verbindungsfarben");
    for (int d = 1; d <= 6; ++d)
        for (int m = 1; m <= 2; ++m) {
            ASSERT_NE(Dlg.ShpColorToMsn(d, m), nullptr) << d << m;
            ASSERT_NE(Dlg.BtnColorToMsn(d, m), nullptr) << d << m;
            EXPECT_EQ(Dlg.ShpColorToMsn(d, m)->Brush().color(), QColor(Qt::white)) << d << m;
            EXPECT_EQ(Dlg.ShpColorToMsn(d, m)->property(TDlgOptions::TagProperty).toInt(), 10 * d + m);
            EXPECT_EQ(Dlg.BtnColorToMsn(d, m)->property(TDlgOptions::TagProperty).toInt(), 10 * d + m);
            EXPECT_EQ(Dlg.BtnColorToMsn(d, m)->text(), QString("MSN %1").arg(m));
        }

    EXPECT_EQ(Dlg.BitBtnOk->text(), "OK");
    EXPECT_TRUE(Dlg.BitBtnOk->isDefault());
    EXPECT_EQ(Dlg.BitBtnCancel->text(), "Abbrechen");
    EXPECT_EQ(Dlg.BitBtnHelp->text(), "&Hilfe");
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(Dlg.PortMap().Path(static_cast<tCOMPorts>(i)), "/dev/ttyS" + std::to_string(i));
    Dlg.BitBtnCancel->click();
}

// Each way of closing after the same changes: what the controls hold afterwards, what the
// settings file holds, and what the next showing brings back.
TEST_F(TOptionsDialog, OkStoresCancelPutsBackTheFrameDoesNeither)
{
    enum tClose { ByOk, ByCancel, ByEscape, ByFrame };
    const struct {
        tClose Close;
        const char* Name;
        bool KeptAfterClose;
        bool Stored;
        int Result;
    } cases[] = {
        {ByOk, "OK", true, true, QDialog::Accepted},
        {ByCancel, "Cancel", false, false, QDialog::Rejected},
        {ByEscape, "Escape", false, false, QDialog::Rejected},
        {ByFrame, "frame", true, false, QDialog::Rejected},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TScopedSettings settings("[Options]\r\nRxSpinComTimeOut.Value=700\r\n");
        TTestDlgOptions dlg;
        // Every item stored once, so that the next showing has a stored value for each.
        dlg.show();
        dlg.BitBtnOk->click();
        dlg.show();
        ASSERT_EQ(dlg.RxSpinComTimeOut->value(), 700);
        const QFont font("Courier New", 17);
        dlg.RxSpinComTimeOut->setValue(2000);
        dlg.ColourAnswers = {QColor(Qt::red), QColor(Qt::green)};
        dlg.BtnColorActiveDevice->click();
        dlg.BtnColorToMsn(3, 2)->click();
        dlg.FontAnswers = {font};
        dlg.BtnMemoFont->click();
        dlg.CmbBxPort[1]->setEditText("/dev/ttyUSB7");

        switch (c.Close) {
        case ByOk: dlg.BitBtnOk->click(); break;
        case ByCancel: dlg.BitBtnCancel->click(); break;
        case ByEscape: QTest::keyClick(&dlg, Qt::Key_Escape); break;
        case ByFrame: dlg.close(); break;
        }
        EXPECT_FALSE(dlg.isVisible());
        EXPECT_EQ(dlg.result(), c.Result);

        EXPECT_EQ(dlg.RxSpinComTimeOut->value(), c.KeptAfterClose ? 2000 : 700);
        EXPECT_EQ(dlg.ShpColorActiveDevice->Pen().color(), c.KeptAfterClose ? QColor(Qt::red) : QColor(Qt::black));
        EXPECT_EQ(dlg.ShpColorToMsn(3, 2)->Brush().color(), c.KeptAfterClose ? QColor(Qt::green) : QColor(Qt::white));
        EXPECT_EQ(dlg.LblMemoFont->font() == font, c.KeptAfterClose);
        EXPECT_EQ(dlg.PortMap().Path(COM2), c.KeptAfterClose ? "/dev/ttyUSB7" : "/dev/ttyS1");

        const TIniFile stored(SettingsFileName());
        EXPECT_EQ(stored.ReadString("Options", "RxSpinComTimeOut.Value", ""), c.Stored ? "2000" : "700");
        EXPECT_EQ(stored.ReadString("Options", "ShpColorActiveDevice.Pen.Color", ""), c.Stored ? "#FF0000" : "#000000");
        EXPECT_EQ(stored.ReadString("Options", "ShpColorToMsn32.Brush.Color", ""), c.Stored ? "#00FF00" : "#FFFFFF");
        EXPECT_EQ(stored.ReadString("Ports", "COM2", ""), c.Stored ? "/dev/ttyUSB7" : "/dev/ttyS1");

        // The next showing loads what is stored, whatever the controls held.
        dlg.show();
        EXPECT_EQ(dlg.RxSpinComTimeOut->value(), c.Stored ? 2000 : 700);
        EXPECT_EQ(dlg.ShpColorActiveDevice->Pen().color(), c.Stored ? QColor(Qt::red) : QColor(Qt::black));
        EXPECT_EQ(dlg.ShpColorToMsn(3, 2)->Brush().color(), c.Stored ? QColor(Qt::green) : QColor(Qt::white));
        EXPECT_EQ(dlg.LblMemoFont->font().family(), c.Stored ? font.family() : QApplication::font(dlg.LblMemoFont).family());
        EXPECT_EQ(dlg.PortMap().Path(COM2), c.Stored ? "/dev/ttyUSB7" : "/dev/ttyS1");
        dlg.BitBtnCancel->click();
        EXPECT_EQ(dlg.Unasked, 0);
    }
}

// A fresh account has no ~/.config yet: OK makes it instead of failing.
TEST(TOptionsDialogFirstStart, OkOnAFreshAccountStoresTheSettings)
{
    TTempDir home;
    TScopedEnv env;
    env.Set("HOME", home.Path().c_str());
    env.Set("XDG_CONFIG_HOME", nullptr);
    TTestDlgOptions dlg;
    dlg.show();
    dlg.CmbBxPort[0]->setEditText("/dev/ttyUSB0");
    dlg.BitBtnOk->click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(TIniFile(home.File(".config/TALVConfig.INI")).ReadString("Ports", "COM1", ""), "/dev/ttyUSB0");
}

TEST_F(TOptionsDialog, ConnectionColourButtonsPresetTheChooserAndSetOnlyTheirOwnSample)
{
    Dlg.show();
    Dlg.ColourAnswers = {QColor(10, 20, 30), std::nullopt, QColor(40, 50, 60)};
    Dlg.BtnColorToMsn(6, 2)->click();
    // A cancelled chooser changes nothing.
    Dlg.BtnColorToMsn(6, 2)->click();
    Dlg.BtnColorToMsn(1, 1)->click();
    EXPECT_EQ(Dlg.ColourPresets, (std::vector<QColor>{Qt::white, QColor(10, 20, 30), Qt::white}));
    for (int d = 1; d <= 6; ++d)
        for (int m = 1; m <= 2; ++m) {
            const QColor expected = d == 6 && m == 2 ? QColor(10, 20, 30) : d == 1 && m == 1 ? QColor(40, 50, 60) : Qt::white;
            EXPECT_EQ(Dlg.ShpColorToMsn(d, m)->Brush().color(), expected) << d << m;
        }
    Dlg.ColourAnswers = {QColor(Qt::blue)};
    Dlg.BtnColorActiveDevice->click();
    EXPECT_EQ(Dlg.ColourPresets.back(), QColor(Qt::black));
    EXPECT_EQ(FrameColour(), QColor(Qt::blue));
    EXPECT_EQ(Dlg.ShpColorActiveDevice->Pen().width(), 3);
}

// The network view draws each link in these colours, so the user must be able to reach every
// button with the mouse, on the page that holds the other colours, on a 1024x768 screen.
TEST_F(TOptionsDialog, ConnectionColoursAreReachableOnTheViewPageOfADialogThatFitsASmallScreen)
{
    Dlg.show();
    ASSERT_EQ(Dlg.PgCtrlOptions->currentWidget(), Dlg.TbShtView);
    ASSERT_TRUE(Dlg.TbShtView->isAncestorOf(Dlg.GrpBxColorToMsn));
    // Room for a title bar and a desktop panel of about 35 pixels each.
    EXPECT_LE(Dlg.width(), 1024);
    EXPECT_LE(Dlg.height(), 768 - 70);
    for (int d = 1; d <= 6; ++d)
        for (int m = 1; m <= 2; ++m) {
            QPushButton* const button = Dlg.BtnColorToMsn(d, m);
            EXPECT_TRUE(button->isEnabled()) << d << m;
            EXPECT_EQ(Dlg.childAt(button->mapTo(&Dlg, button->rect().center())), button) << d << m;
            EXPECT_TRUE(Dlg.ShpColorToMsn(d, m)->isVisible()) << d << m;
        }

    Dlg.ColourAnswers = {QColor(200, 100, 0)};
    QTest::mouseClick(Dlg.BtnColorToMsn(4, 1), Qt::LeftButton);
    EXPECT_EQ(Dlg.ColourPresets, std::vector<QColor>{Qt::white});
    EXPECT_EQ(Dlg.ShpColorToMsn(4, 1)->Brush().color(), QColor(200, 100, 0));
    Dlg.BitBtnOk->click();
    EXPECT_EQ(Stored("Options", "ShpColorToMsn41.Brush.Color"), "#C86400");
    EXPECT_EQ(Dlg.Options().ColorToMsn[3][0].color(), QColor(200, 100, 0));
}

TEST_F(TOptionsDialog, ConnectionColourHandlerRefusesAWrongSenderTagOrControl)
{
    QObject unknownTag;
    unknownTag.setProperty(TDlgOptions::TagProperty, 99);
    auto* notAShape = new QLabel(&Dlg);
    notAShape->setObjectName("ShpColorToMsn77");
    QObject wrongKind;
    wrongKind.setProperty(TDlgOptions::TagProperty, 77);

    const struct {
        QObject* Sender;
        const char* Message;
    } cases[] = {
        {nullptr, "Sender ist nicht vom Typ TComponent."},
        {&unknownTag, "ShpColorToMsn99 nicht gefunden."},
        {&wrongKind, "ShpColorToMsn77 ist kein TShape."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Message);
        try {
            Dlg.BtnColorToMsnClick(c.Sender);
            ADD_FAILURE() << "no error";
        } catch (const Exception& e) {
            EXPECT_STREQ(e.what(), c.Message);
        }
    }
    // No chooser was opened, and no sample changed.
    EXPECT_TRUE(Dlg.ColourPresets.empty());
    for (int d = 1; d <= 6; ++d)
        for (int m = 1; m <= 2; ++m)
            EXPECT_EQ(Dlg.ShpColorToMsn(d, m)->Brush().color(), QColor(Qt::white));
}

TEST_F(TOptionsDialog, MemoFontChooserIsPresetAndAConfirmedFontBecomesTheSamplesFont)
{
    Dlg.show();
    const QFont before = Dlg.LblMemoFont->font();
    const QFont chosen("Courier New", 15, QFont::Bold);
    Dlg.FontAnswers = {std::nullopt, chosen};
    Dlg.BtnMemoFont->click();
    EXPECT_EQ(Dlg.LblMemoFont->font(), before);
    Dlg.BtnMemoFont->click();
    EXPECT_EQ(Dlg.LblMemoFont->font(), chosen);
    EXPECT_EQ(Dlg.FontPresets, (std::vector<QFont>{before, before}));
}

TEST_F(TOptionsDialog, OpeningAgainAfterOkShowsThePageActiveAtThatOk)
{
    Dlg.show();
    Dlg.PgCtrlOptions->setCurrentWidget(Dlg.TbShtCom);
    Dlg.BitBtnOk->click();
    EXPECT_EQ(Stored("Options", "PgCtrlOptions.ActivePage"), "TbShtCom");
    Dlg.show();
    EXPECT_EQ(Dlg.PgCtrlOptions->currentWidget(), Dlg.TbShtCom);
    // A page chosen and cancelled is not remembered.
    Dlg.PgCtrlOptions->setCurrentWidget(Dlg.TbShtView);
    Dlg.BitBtnCancel->click();
    Dlg.show();
    EXPECT_EQ(Dlg.PgCtrlOptions->currentWidget(), Dlg.TbShtCom);
    Dlg.BitBtnCancel->click();
}

TEST_F(TOptionsDialog, PortFieldsTakeListedLinksAndTypedPathsAndOkSavesTheMap)
{
    const struct {
        QString Shown;
        std::string Path;
    } cases[] = {
        {"/dev/serial/by-id/usb-FTDI_FT232R_A1-if00-port0 → /dev/ttyUSB0",
         "/dev/serial/by-id/usb-FTDI_FT232R_A1-if00-port0"},
        {"/dev/ttyACM0", "/dev/ttyACM0"},
        {"  /tmp/my port  ", "/tmp/my port"},
        // An emptied field means the default of its COM name.
        {"", "/dev/ttyS3"},
    };
    Dlg.show();
    for (int i = 0; i < 4; ++i)
        Dlg.CmbBxPort[i]->setEditText(cases[i].Shown);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(Dlg.PortMap().Path(static_cast<tCOMPorts>(i)), cases[i].Path) << i;
    Dlg.BitBtnOk->click();
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(Stored("Ports", "COM" + std::to_string(i + 1)), cases[i].Path) << i;
}
