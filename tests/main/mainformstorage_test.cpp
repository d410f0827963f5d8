// Protects section "Main" of the settings file: the keys and their order, the round trip of placement, log page, log height and the network picture's dock, the design values, placements from other screens, and a configuration folder that does not exist yet.
#include "main/mainformstorage.h"
#include "platform/gui/screenplacement.h"
#include "platform/inifile.h"
#include "platform/wholefile.h"
#include "tests/scopedenv.h"

#include <gtest/gtest.h>

#include <QDockWidget>
#include <QFile>
#include <QFrame>
#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QSplitter>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

#include <fstream>

namespace {

// The main window's arrangement: the device area above a splitter, the log panel below it with
// the two log pages.
struct TWindow {
    QMainWindow Window;
    QSplitter* Splitter;
    QFrame* PnlLog;
    QTabWidget* PgCtrlLog;

    TWindow()
    {
        Splitter = new QSplitter(Qt::Vertical, &Window);
        auto* devices = new QWidget(Splitter);
        PnlLog = new QFrame(Splitter);
        PnlLog->setMinimumHeight(110);
        auto* layout = new QVBoxLayout(PnlLog);
        PgCtrlLog = new QTabWidget(PnlLog);
        layout->addWidget(PgCtrlLog);
        for (const char* name : {"TbShtMsgLog", "TbShtComLog"}) {
            auto* page = new QWidget;
            page->setObjectName(name);
            PgCtrlLog->addTab(page, name);
        }
        Splitter->addWidget(devices);
        Splitter->addWidget(PnlLog);
        Splitter->setStretchFactor(0, 1);
        Splitter->setStretchFactor(1, 0);
        Window.setCentralWidget(Splitter);
    }

    void Restore(const TMainFormStorage& storage) { storage.Restore(Window, *PgCtrlLog, *PnlLog); }
    void Save(const TMainFormStorage& storage) const { storage.Save(Window, *PgCtrlLog, *PnlLog); }
    QString Page() const { return PgCtrlLog->currentWidget()->objectName(); }
};

QRect Available()
{
    return QGuiApplication::primaryScreen()->availableGeometry();
}

QString DesktopSize()
{
    const QSize size = QGuiApplication::primaryScreen()->virtualSize();
    return QString("%1x%2").arg(size.width()).arg(size.height());
}

struct TMainFormStorageTest : ::testing::Test {
    QTemporaryDir Dir;
    std::string FileName;

    void SetUp() override { FileName = Dir.filePath("TALVConfig.INI").toStdString(); }

    void WriteFile(const std::string& text) const
    {
        std::ofstream(FileName, std::ios::binary) << text;
    }
};

}  // namespace

TEST_F(TMainFormStorageTest, KeysAreWrittenInTheirOrder)
{
    TWindow w;
    w.Window.setGeometry(20, 30, 600, 400);
    w.Save(TMainFormStorage(FileName));

    const TIniFile ini(FileName);
    const std::string size = DesktopSize().toStdString();
    const std::vector<std::string> keys = {
        "FormVersion", "Flags", "ShowCmd", "PixelsPerInch", "MinMaxPos(" + size + ")", "MinMaxPos",
        "NormPos(" + size + ")", "NormPos", "Visible", "PgCtrlLog_ActivePage", "PnlLog_Height"};
    EXPECT_EQ(ini.ReadSections(), std::vector<std::string>{"Main"});
    EXPECT_EQ(ini.ReadSection("Main"), keys);
    EXPECT_EQ(ini.ReadString("Main", "FormVersion", ""), "0");
    EXPECT_EQ(ini.ReadString("Main", "ShowCmd", ""), "1");
    EXPECT_EQ(ini.ReadString("Main", "NormPos", ""), "20,30,620,430");
    EXPECT_EQ(ini.ReadString("Main", "NormPos(" + size + ")", ""), "20,30,620,430");
    EXPECT_EQ(ini.ReadString("Main", "Visible", ""), "0");  // saved after the close
    EXPECT_EQ(ini.ReadString("Main", "PgCtrlLog_ActivePage", ""), "TbShtMsgLog");
}

TEST_F(TMainFormStorageTest, PlacementPageAndLogHeightComeBack)
{
    const QRect placement = QRect(Available().topLeft() + QPoint(10, 20), QSize(500, 420));
    {
        TWindow w;
        w.Restore(TMainFormStorage(FileName));
        w.Window.setGeometry(placement);
        w.Window.show();
        w.PgCtrlLog->setCurrentIndex(1);
        w.Splitter->setSizes({w.Splitter->height() - 200, 200});
        ASSERT_EQ(w.PnlLog->height(), 200);
        w.Window.close();
        w.Save(TMainFormStorage(FileName));
    }
    const std::string written = ReadWholeFile(FileName).value_or("");

    TWindow w;
    w.Restore(TMainFormStorage(FileName));
    w.Window.show();
    EXPECT_EQ(w.Window.geometry(), placement);
    EXPECT_EQ(w.Page(), "TbShtComLog");
    EXPECT_EQ(w.PnlLog->height(), 200);
    w.Window.close();
    w.Save(TMainFormStorage(FileName));
    EXPECT_EQ(ReadWholeFile(FileName).value_or(""), written);
}

TEST_F(TMainFormStorageTest, MissingOrUnusableSettingsLeaveTheDesignValues)
{
    const std::string cases[] = {
        "",
        "[Main]\r\n",
        "[Main]\r\nFormVersion=-1\r\nNormPos=10,10,500,400\r\nPgCtrlLog_ActivePage=TbShtGibtsNicht\r\n",
        "[Main]\r\nFormVersion=0\r\nNormPos=kaputt\r\nPnlLog_Height=viel\r\n",
    };
    for (const auto& text : cases) {
        if (!text.empty())
            WriteFile(text);
        TWindow w;
        w.Restore(TMainFormStorage(FileName));
        w.Window.show();
        EXPECT_EQ(w.Window.geometry(), TMainFormStorage::DesignPlacement(Available())) << text;
        EXPECT_EQ(w.Page(), "TbShtMsgLog") << text;
        EXPECT_EQ(w.PnlLog->height(), TMainFormStorage::DesignLogHeight) << text;
        EXPECT_FALSE(w.Window.isMaximized()) << text;
    }
}

TEST_F(TMainFormStorageTest, ShowStateComesBackButNeverMinimised)
{
    const struct {
        const char* ShowCmd;
        const char* Flags;
        bool Maximised;
    } cases[] = {{"1", "0", false}, {"3", "0", true}, {"2", "0", false}, {"2", "2", true}};
    for (const auto& c : cases) {
        WriteFile(std::string("[Main]\r\nFormVersion=0\r\nFlags=") + c.Flags + "\r\nShowCmd=" + c.ShowCmd
                  + "\r\nNormPos=10,10,500,400\r\n");
        TWindow w;
        w.Restore(TMainFormStorage(FileName));
        EXPECT_EQ(w.Window.isMaximized(), c.Maximised) << c.ShowCmd << " " << c.Flags;
        EXPECT_FALSE(w.Window.isMinimized()) << c.ShowCmd << " " << c.Flags;
    }

    TWindow w;
    w.Window.setGeometry(QRect(Available().topLeft(), QSize(400, 300)));
    w.Window.showMaximized();
    w.Window.close();
    w.Save(TMainFormStorage(FileName));
    const TIniFile ini(FileName);
    EXPECT_EQ(ini.ReadString("Main", "ShowCmd", ""), "3");
    // The normal rectangle is kept for when the window is restored from maximised.
    const QRect normal = w.Window.normalGeometry();
    EXPECT_EQ(ini.ReadString("Main", "NormPos", ""),
              QString("%1,%2,%3,%4").arg(normal.left()).arg(normal.top()).arg(normal.right() + 1).arg(normal.bottom() + 1).toStdString());
}

TEST_F(TMainFormStorageTest, PlacementOfThisDesktopIsPreferredOthersAreBroughtOntoTheScreen)
{
    const QRect available = Available();
    const QRect mine(available.topLeft() + QPoint(5, 5), QSize(300, 200));
    const QString myKey = "NormPos(" + DesktopSize() + ")";
    const QString myPos = QString("%1,%2,%3,%4").arg(mine.left()).arg(mine.top()).arg(mine.right() + 1).arg(mine.bottom() + 1);
    // Made last on a large desktop: the plain key holds it.
    WriteFile("[Main]\r\nFormVersion=0\r\nNormPos(7680x4320)=5000,3000,6500,4000\r\nNormPos=5000,3000,6500,4000\r\n");
    {
        TWindow w;
        w.Restore(TMainFormStorage(FileName));
        const QRect restored = w.Window.geometry();
        EXPECT_TRUE(available.contains(restored)) << restored.x() << "," << restored.y() << " " << restored.width() << "x" << restored.height();
        EXPECT_EQ(restored.size(), QSize(1500, 1000).boundedTo(available.size()));
    }
    // With a placement for this desktop as well, that one wins.
    WriteFile("[Main]\r\nFormVersion=0\r\n" + myKey.toStdString() + "=" + myPos.toStdString()
              + "\r\nNormPos=5000,3000,6500,4000\r\n");
    TWindow w;
    w.Restore(TMainFormStorage(FileName));
    EXPECT_EQ(w.Window.geometry(), mine);
}

TEST_F(TMainFormStorageTest, NetworkDockShownAndWidthComeBackHiddenWithoutAValue)
{
    for (const bool shown : {true, false}) {
        const auto dockIn = [](TWindow& w) {
            auto* dock = new QDockWidget(&w.Window);
            dock->setWidget(new QWidget);
            w.Window.addDockWidget(Qt::RightDockWidgetArea, dock);
            return dock;
        };
        {
            TWindow w;
            QDockWidget* dock = dockIn(w);
            w.Restore(TMainFormStorage(FileName));
            TMainFormStorage(FileName).RestoreNetwork(w.Window, *dock);
            w.Window.show();
            EXPECT_TRUE(dock->isHidden()) << "a window never saved starts without the picture";
            dock->setVisible(shown);
            w.Window.resizeDocks({dock}, {260}, Qt::Horizontal);
            // The window lays its docks out when the event loop runs.
            if (shown) {
                ASSERT_TRUE(QTest::qWaitFor([dock] { return dock->width() == 260; }));
            }
            w.Window.close();
            w.Save(TMainFormStorage(FileName));
            TMainFormStorage(FileName).SaveNetwork(*dock);
        }
        TWindow w;
        QDockWidget* dock = dockIn(w);
        w.Restore(TMainFormStorage(FileName));
        TMainFormStorage(FileName).RestoreNetwork(w.Window, *dock);
        w.Window.show();
        EXPECT_EQ(dock->isVisible(), shown);
        if (shown) {
            EXPECT_TRUE(QTest::qWaitFor([dock] { return dock->width() == 260; })) << dock->width();
        }
        QFile::remove(QString::fromStdString(FileName));
    }
}

// A fresh account: neither the configuration folder nor the folder above it exists yet.
TEST_F(TMainFormStorageTest, ExitOnAFreshAccountMakesTheConfigurationFolder)
{
    TScopedEnv env;
    const std::string config = Dir.filePath("new/config").toStdString();
    env.Set("XDG_CONFIG_HOME", config.c_str());
    TWindow w;
    w.Save(TMainFormStorage());
    EXPECT_EQ(TIniFile(config + "/TALVConfig.INI").ReadInteger("Main", "FormVersion", -1), 0);
}

TEST(TMainFormStoragePlacement, DesignAndForeignPlacementsFitTheScreen)
{
    const struct {
        QRect Placement;
        QList<QRect> Screens;
        QRect Expected;
    } fits[] = {
        // Already visible: unchanged.
        {{100, 100, 800, 600}, {{0, 0, 1920, 1040}}, {100, 100, 800, 600}},
        // Hanging over the right and bottom edges: moved back.
        {{1500, 900, 800, 600}, {{0, 0, 1920, 1040}}, {1120, 440, 800, 600}},
        // Above and left of the screen: moved in.
        {{-300, -50, 800, 600}, {{0, 0, 1920, 1040}}, {0, 0, 800, 600}},
        // Larger than the screen: shrunk to it.
        {{0, 0, 2500, 1400}, {{0, 0, 1280, 1000}}, {0, 0, 1280, 1000}},
        // On the second screen: stays there.
        {{2000, 100, 800, 600}, {{0, 0, 1920, 1040}, {1920, 0, 1280, 1024}}, {2000, 100, 800, 600}},
        // That screen is gone: onto the primary one.
        {{2000, 100, 800, 600}, {{0, 0, 1920, 1040}}, {1120, 100, 800, 600}},
    };
    for (const auto& f : fits)
        EXPECT_EQ(FitOnScreen(f.Placement, f.Screens), f.Expected)
            << f.Placement.x() << "," << f.Placement.y();

    const struct {
        QRect Available;
        QRect Expected;
    } designs[] = {
        {{0, 0, 1920, 1040}, {452, 155, 1016, 729}},
        {{1920, 24, 1280, 1000}, {2052, 159, 1016, 729}},
        {{0, 0, 800, 600}, {0, 0, 800, 600}},
    };
    for (const auto& d : designs)
        EXPECT_EQ(TMainFormStorage::DesignPlacement(d.Available), d.Expected) << d.Available.width();
}
