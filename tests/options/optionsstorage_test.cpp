// Protects section "Options" of the settings file: every stored item round-trips with its
// component values under its documented key, through the settings and through the dialog,
// missing or unreadable values change nothing, and a position off every screen comes onto the
// primary one.
#include "options/optionsstorage.h"

#include "options/colorshape.h"
#include "options/useroptions.h"
#include "platform/inifile.h"
#include "platform/settingsfile.h"
#include "tests/options/testoptionsdlg.h"
#include "tests/scopedsettings.h"
#include "tests/tempdir.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

// Values no default has, in every stored item.
TUserOptions UnusualOptions()
{
    TUserOptions options;
    options.ActivePage = "TbShtCom";
    for (int d = 1; d <= 6; ++d)
        for (int m = 1; m <= 2; ++m)
            options.ColorToMsn[d - 1][m - 1] = QBrush(QColor(d * 40, m * 100, 7), m == 1 ? Qt::SolidPattern : Qt::Dense4Pattern);
    options.ComTimeOut = 12300;
    options.FastTransfer = true;
    QFont font("Courier New", 13);
    font.setBold(true);
    font.setItalic(true);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    options.MemoFont = font;
    options.MemoFontColor = QColor(0x12, 0x34, 0x56);
    options.ActiveDevicePen = QPen(QBrush(QColor(200, 0, 100)), 5, Qt::DashLine);
    options.ActiveDevicePenMode = QPainter::RasterOp_SourceXorDestination;
    options.Position = QPoint(123, 45);
    options.Ports.SetPath(COM2, "/dev/ttyUSB7");
    return options;
}

std::set<std::string> Keys(const TIniFile& ini)
{
    const std::vector<std::string> keys = ini.ReadSection("Options");
    return {keys.begin(), keys.end()};
}

struct TOptionsStorageTest : ::testing::Test {
    TScopedSettings Settings{""};
    TTempDir Dir;
};

}  // namespace

TEST_F(TOptionsStorageTest, EveryItemRoundTripsAndWritesTheSameBytesAgain)
{
    const TUserOptions written = UnusualOptions();
    TIniFile file(Dir.File("settings.ini"));
    TOptionsStorage::Save(written, file);
    file.UpdateFile();

    TUserOptions read;
    TOptionsStorage::Load(read, TIniFile(Dir.File("settings.ini")));
    EXPECT_EQ(read.ActivePage, "TbShtCom");
    for (int d = 1; d <= 6; ++d)
        for (int m = 1; m <= 2; ++m)
            EXPECT_EQ(read.ColorToMsn[d - 1][m - 1], written.ColorToMsn[d - 1][m - 1]) << d << m;
    EXPECT_EQ(read.ComTimeOut, 12300);
    EXPECT_TRUE(read.FastTransfer);
    const QFont font = read.MemoFont;
    EXPECT_EQ(font.family(), written.MemoFont.family());
    EXPECT_EQ(font.pointSize(), 13);
    EXPECT_TRUE(font.bold());
    EXPECT_TRUE(font.italic());
    EXPECT_FALSE(font.underline());
    EXPECT_TRUE(font.fixedPitch());
    EXPECT_EQ(read.MemoFontColor, QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(read.ActiveDevicePen, written.ActiveDevicePen);
    EXPECT_EQ(read.ActiveDevicePenMode, QPainter::RasterOp_SourceXorDestination);
    EXPECT_EQ(read.Position, QPoint(123, 45));
    EXPECT_EQ(read.Ports.Path(COM2), "/dev/ttyUSB7");

    TIniFile again(Dir.File("again.ini"));
    TOptionsStorage::Save(read, again);
    EXPECT_EQ(again.Encoded(), file.Encoded());

    // The dialog shows every item as stored: OK without a change writes the same bytes.
    const TScopedSettings stored(file.Encoded());
    TTestDlgOptions dlg;
    dlg.BitBtnOk->click();
    EXPECT_EQ(TIniFile(SettingsFileName()).Encoded(), file.Encoded());
}

// A position stored on a screen that has gone since (a projector, a docking station).
TEST_F(TOptionsStorageTest, PositionOffEveryScreenComesOntoThePrimaryScreen)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    for (const QPoint stored : {QPoint(5000, 3000), QPoint(-5000, -3000), QPoint(screen.right(), 10)}) {
        const TScopedSettings far("[Options]\r\nLeft=" + std::to_string(stored.x()) + "\r\nTop=" + std::to_string(stored.y()) + "\r\n");
        TTestDlgOptions dlg;
        EXPECT_TRUE(screen.contains(QRect(dlg.pos(), dlg.sizeHint())))
            << stored.x() << "," << stored.y() << " -> " << dlg.pos().x() << "," << dlg.pos().y();
    }
}

TEST_F(TOptionsStorageTest, KeysAndEncodingsAreTheDocumentedOnes)
{
    TIniFile file(Dir.File("settings.ini"));
    TOptionsStorage::Save(UnusualOptions(), file);

    std::set<std::string> expected = {
        "PgCtrlOptions.ActivePage",
        "RxSpinComTimeOut.Value",
        "ChkBxFastTransfer.Checked",
        "LblMemoFont.Font.Charset", "LblMemoFont.Font.Color", "LblMemoFont.Font.Height", "LblMemoFont.Font.Name",
        "LblMemoFont.Font.Pitch", "LblMemoFont.Font.Size", "LblMemoFont.Font.Style",
        "ShpColorActiveDevice.Pen.Color", "ShpColorActiveDevice.Pen.Mode", "ShpColorActiveDevice.Pen.Style",
        "ShpColorActiveDevice.Pen.Width",
        "Left", "Top",
    };
    for (const char* shape : {"11", "12", "21", "22", "31", "32", "41", "42", "51", "52", "61", "62"}) {
        expected.insert(std::string("ShpColorToMsn") + shape + ".Brush.Color");
        expected.insert(std::string("ShpColorToMsn") + shape + ".Brush.Style");
    }
    EXPECT_EQ(Keys(file), expected);

    const struct {
        const char* Key;
        const char* Value;
    } values[] = {
        {"PgCtrlOptions.ActivePage", "TbShtCom"},
        {"ChkBxFastTransfer.Checked", "1"},
        {"ShpColorToMsn62.Brush.Color", "#F0C807"},
        {"ShpColorToMsn62.Brush.Style", "5"},
        {"LblMemoFont.Font.Charset", "0"},
        {"LblMemoFont.Font.Pitch", "Fixed"},
        {"LblMemoFont.Font.Style", "Bold,Italic"},
        {"ShpColorActiveDevice.Pen.Color", "#C80064"},
    };
    for (const auto& v : values)
        EXPECT_EQ(file.ReadString("Options", v.Key, ""), v.Value) << v.Key;
}

// One key at a time holds a value that does not read as what the key holds; the control keeps
// what it had, and the other keys still load.
TEST_F(TOptionsStorageTest, UnreadableOrMissingValuesLeaveTheControls)
{
    const struct {
        const char* Key;
        const char* Value;
    } garbled[] = {
        {"PgCtrlOptions.ActivePage", "TbShtNone"},
        {"PgCtrlOptions.ActivePage", "BitBtnOk"},
        {"RxSpinComTimeOut.Value", "zwei"},
        {"RxSpinComTimeOut.Value", "499"},
        {"RxSpinComTimeOut.Value", "60001"},
        {"ChkBxFastTransfer.Checked", "2"},
        {"ChkBxFastTransfer.Checked", "ja"},
        {"ShpColorToMsn11.Brush.Color", "red"},
        {"ShpColorToMsn11.Brush.Color", "#12345"},
        {"ShpColorToMsn11.Brush.Color", "#GG0000"},
        {"ShpColorToMsn11.Brush.Style", "99"},
        {"ShpColorActiveDevice.Pen.Color", ""},
        {"ShpColorActiveDevice.Pen.Width", "-1"},
        {"ShpColorActiveDevice.Pen.Style", "x"},
        {"ShpColorActiveDevice.Pen.Mode", "1000"},
        {"LblMemoFont.Font.Size", "0"},
        {"LblMemoFont.Font.Pitch", "Wobbly"},
        {"LblMemoFont.Font.Style", "Bold,Blinking"},
        {"LblMemoFont.Font.Color", "#1234567"},
        {"Left", "links"},
    };
    TTestDlgOptions reference;
    for (const auto& g : garbled) {
        SCOPED_TRACE(std::string(g.Key) + "=" + g.Value);
        const TScopedSettings garbledFile(std::string("[Options]\r\nTop=77\r\n") + g.Key + "=" + g.Value + "\r\n");
        TTestDlgOptions dlg;
        EXPECT_EQ(dlg.PgCtrlOptions->currentWidget(), dlg.TbShtView);
        EXPECT_EQ(dlg.RxSpinComTimeOut->value(), 500);
        EXPECT_FALSE(dlg.ChkBxFastTransfer->isChecked());
        EXPECT_EQ(dlg.ShpColorToMsn(1, 1)->Brush(), reference.ShpColorToMsn(1, 1)->Brush());
        EXPECT_EQ(dlg.ShpColorActiveDevice->Pen(), reference.ShpColorActiveDevice->Pen());
        EXPECT_EQ(dlg.ShpColorActiveDevice->PenMode(), reference.ShpColorActiveDevice->PenMode());
        EXPECT_EQ(dlg.LblMemoFont->font(), reference.LblMemoFont->font());
        EXPECT_EQ(dlg.LblMemoFont->palette().color(QPalette::WindowText), QColor(Qt::black));
        // A position needs both keys.
        EXPECT_EQ(dlg.pos(), reference.pos());
    }

    // An empty file and one without the section leave everything as well.
    for (const char* text : {"", "[Main]\r\nRxSpinComTimeOut.Value=900\r\n"}) {
        const TScopedSettings other(text);
        TTestDlgOptions dlg;
        EXPECT_EQ(dlg.RxSpinComTimeOut->value(), 500);
    }
}

TEST_F(TOptionsStorageTest, AHeightStandsInForAMissingSize)
{
    Dir.Write("height.ini", "[Options]\r\nLblMemoFont.Font.Height=21\r\nLblMemoFont.Font.Name=Courier New\r\n");
    TUserOptions options;
    TOptionsStorage::Load(options, TIniFile(Dir.File("height.ini")));
    EXPECT_EQ(options.MemoFont.pixelSize(), 21);
    EXPECT_EQ(options.MemoFont.family(), QFont("Courier New").family());
}
