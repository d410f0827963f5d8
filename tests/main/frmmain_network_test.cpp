// Protects the network picture beside the panels: it follows edits at once, leads from a click to
// the panel or field, shows the check's findings until another plan comes, and writes its files
// whole or not at all. The click test needs an active window for the focus and skips where the
// platform activates none.
#include "device/framedevice.h"
#include "main/networkview.h"
#include "tests/main/testmainwin.h"

#include <QApplication>
#include <QComboBox>
#include <QDockWidget>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The error outline of the picture.
const std::string ErrorColour = "#e00000";

using TNetworkWin = TTestMainWin;

struct TNetworkPicture : ::testing::Test {
    TNetworkWin Win;

    // Two devices that do not call each other yet.
    void SetUp() override
    {
        Win.PlanDevice(0, "10", "11", "-", "-");
        Win.PlanDevice(1, "20", "21", "-", "-");
        Win.SetDeviceCount(2);
        Win.SetModified(false);
    }

    const TNetworkPlan& Shown() const { return Win.NetworkView->Plan(); }

    // The user types number into the partner field of a device's line.
    void TypeNumber(int device, int line, const QString& number)
    {
        auto* box = Win.Devices()[device]->findChild<QComboBox*>(line == 0 ? "CmbBxNumber1" : "CmbBxNumber2");
        ASSERT_NE(box, nullptr);
        box->lineEdit()->clear();
        QTest::keyClicks(box->lineEdit(), number);
    }

    // The link from one line to a device line, if the picture has one.
    const TNetworkLink* LinkFrom(TLineRef source) const
    {
        for (const TNetworkLink& link : Shown().Links)
            if (link.Source == source && !link.Head.IsOutside() && !link.Tail.IsOutside())
                return &link;
        return nullptr;
    }
};

}  // namespace

TEST_F(TNetworkPicture, FollowsEditsAndTheDeviceCountAtOnce)
{
    ASSERT_EQ(Shown().Nodes.size(), 2u);
    EXPECT_TRUE(Shown().Links.empty());

    TypeNumber(0, 1, "20");
    const TNetworkLink* link = LinkFrom({0, 1});
    ASSERT_NE(link, nullptr);
    const TLinkEnd device2Line1{{1, 0}, -1};
    EXPECT_TRUE(link->Head == device2Line1 || link->Tail == device2Line1);

    TypeNumber(0, 1, "99");
    EXPECT_EQ(LinkFrom({0, 1}), nullptr);
    ASSERT_EQ(Shown().Outside.size(), 1u);
    EXPECT_EQ(Shown().Outside[0].Label, "99");

    Win.CmbBxDevCount->setCurrentIndex(2);
    emit Win.CmbBxDevCount->activated(2);
    EXPECT_EQ(Shown().Nodes.size(), 3u);
    EXPECT_TRUE(Win.Errors.empty());
}

TEST_F(TNetworkPicture, MenuItemAndTheDocksCloseButtonAgree)
{
    Win.show();
    EXPECT_TRUE(Win.DockNetwork->isHidden());
    TTestMainWin::Trigger(Win.ActNetworkShow);
    EXPECT_TRUE(Win.DockNetwork->isVisible());
    EXPECT_TRUE(Win.ActNetworkShow->isChecked());
    Win.DockNetwork->close();
    EXPECT_FALSE(Win.ActNetworkShow->isChecked());
}

TEST_F(TNetworkPicture, ClicksLeadToThePanelAndToThePartnerNumber)
{
    TypeNumber(0, 0, "21");
    Win.ActNetworkShow->trigger();
    Win.show();
    Win.activateWindow();
    if (!QTest::qWaitForWindowActive(&Win))
        GTEST_SKIP() << "the platform activates no window";
    TNetworkView& view = *Win.NetworkView;
    // Painting places the picture, which the click positions are taken from.
    view.grab();
    const TNetworkLayout& layout = view.Layout();
    const auto click = [&view](const TNetPoint& at) {
        QTest::mouseClick(&view, Qt::LeftButton, {}, view.WidgetPoint(at).toPoint());
    };

    const TNetBox box = layout.NodeBox(1);
    click({box.Left + box.Width / 2, box.Top + box.Height / 2});
    EXPECT_EQ(Win.GetSelectedDevice(), Win.Devices()[1]);
    EXPECT_EQ(QApplication::focusWidget(), Win.Devices()[1]->findChild<QPushButton*>("BtnName"));

    const TNetworkLink* link = LinkFrom({0, 0});
    ASSERT_NE(link, nullptr);
    const std::vector<TNetPoint> path = layout.LinkPath(*link);
    click({(path[0].X + path[1].X) / 2, (path[0].Y + path[1].Y) / 2});
    EXPECT_EQ(QApplication::focusWidget(), Win.Devices()[0]->findChild<QComboBox*>("CmbBxNumber1"));

    // The margin of the picture holds nothing: the focus stays where it is.
    click({layout.Bounds.Left + 2, layout.Bounds.Top + 2});
    EXPECT_EQ(QApplication::focusWidget(), Win.Devices()[0]->findChild<QComboBox*>("CmbBxNumber1"));
}

TEST_F(TNetworkPicture, FindingsOfTheCheckStayThroughEditsUntilAnotherPlanComes)
{
    // Both lines dial each other: an error on the link.
    Win.PlanDevice(0, "10", "11", "20", "-", EAciomcoB1);
    Win.PlanDevice(1, "20", "21", "10", "-", EAciomcoB1);
    Win.SetModified(false);
    EXPECT_EQ(Win.NetworkView->Svg().find(ErrorColour), std::string::npos);

    TTestMainWin::Trigger(Win.ActCheck);
    EXPECT_NE(Win.NetworkView->Svg().find(ErrorColour), std::string::npos);
    EXPECT_GT(Win.ErrorCount(), 0);

    TypeNumber(0, 1, "77");
    EXPECT_NE(Win.NetworkView->Svg().find(ErrorColour), std::string::npos);

    Win.SaveAnswers.push_back(QMessageBox::No);
    TTestMainWin::Trigger(Win.ActFileNew);
    EXPECT_EQ(Win.NetworkView->Svg().find(ErrorColour), std::string::npos);
    EXPECT_TRUE(Win.Errors.empty());
}

TEST_F(TNetworkPicture, ExportsWriteReadableFilesOrNone)
{
    TypeNumber(0, 0, "20");
    QTemporaryDir dir;
    const QString png = dir.filePath("netz.png");
    const QString svg = dir.filePath("netz.svg");
    const QString nowhere = dir.filePath("fehlt/netz.png");
    Win.ExportAnswers = {png, svg, nowhere};
    TTestMainWin::Trigger(Win.ActNetworkExportPng);
    TTestMainWin::Trigger(Win.ActNetworkExportSvg);
    TTestMainWin::Trigger(Win.ActNetworkExportPng);
    // A cancelled dialog writes nothing and says nothing.
    TTestMainWin::Trigger(Win.ActNetworkExportSvg);

    EXPECT_EQ(Win.ExportTitles.size(), 4u);
    const QImage image(png);
    EXPECT_FALSE(image.isNull());
    EXPECT_GT(image.width(), Win.NetworkView->Layout().Bounds.Width);
    QFile text(svg);
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    EXPECT_TRUE(text.readAll().startsWith("<?xml"));

    ASSERT_EQ(Win.Errors.size(), 1u);
    EXPECT_NE(Win.Errors[0].find(nowhere.toStdString()), std::string::npos) << Win.Errors[0];
    EXPECT_FALSE(QFile::exists(nowhere));
}
