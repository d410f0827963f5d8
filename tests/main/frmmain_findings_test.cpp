// Protects the way from a finding of the check to its field: double-click or Enter on the line
// focuses the field on the right panel and marks it in the line's colour, until the user edits
// it or the check runs again. Needs an active window for the focus; skips where the platform
// activates none.
#include "device/framedevice.h"
#include "terminal/kovparameters.h"
#include "tests/main/testmainwin.h"

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QTextBlock>

#include <gtest/gtest.h>

namespace {

const QColor Red(255, 0, 0);
const QColor Blue(0, 0, 255);

struct TFindingLines : ::testing::Test {
    TTestMainWin Win;

    void SetUp() override
    {
        // A plan with one mistake of each kind: device 2's MSN2 repeats device 1's MSN1 (error);
        // device 1's LWL1 calls device 2's LWL1 and both dial (error); device 1's Number2 is
        // outside the network (warning); device 3 runs a leased line among DSS1 devices
        // (warning).
        Win.PlanDevice(0, "10", "11", "20", "99", EAciomcoB1);
        Win.PlanDevice(1, "20", "10", "-", "-", EAciomcoB1B2);
        Win.Document().Parameters(2).SetIsdnDChannelProtocol(IsdnLeasedLineB1);
        Win.PlanDevice(2, "-", "-", "-", "-", EAciomcoNo);
        Win.SetDeviceCount(3);
        Win.SetModified(false);
        Win.show();
        Win.activateWindow();
        if (!QTest::qWaitForWindowActive(&Win))
            GTEST_SKIP() << "the platform activates no window";
        Win.ActCheck->trigger();
    }

    void TearDown() override { EXPECT_EQ(Win.Unasked, 0) << "the window asked something the test did not expect"; }


    // The first log line that holds text; fails the test when there is none.
    int LineWith(const QString& text) const
    {
        const QStringList lines = Win.MessageLines();
        for (int line = 0; line < lines.size(); ++line)
            if (lines[line].contains(text))
                return line;
        ADD_FAILURE() << text.toStdString() << " not in\n" << lines.join('\n').toStdString();
        return -1;
    }

    void DoubleClick(int line)
    {
        if (line < 0)
            return;
        TLogView& log = *Win.MsgLog;
        const QTextCursor at(log.document()->findBlockByNumber(line));
        log.setTextCursor(at);
        log.ensureCursorVisible();
        QTest::mouseDClick(log.viewport(), Qt::LeftButton, {}, log.cursorRect(at).center() + QPoint(4, 0));
    }

    void Enter(int line)
    {
        if (line < 0)
            return;
        TLogView& log = *Win.MsgLog;
        log.setFocus();
        log.setTextCursor(QTextCursor(log.document()->findBlockByNumber(line)));
        QTest::keyClick(&log, Qt::Key_Return);
    }

    TFrameDev& Panel(int device) const { return *Win.Devices()[device]; }
    template <typename T>
    T* Control(int device, const char* name) const
    {
        T* control = Panel(device).findChild<T*>(name);
        EXPECT_NE(control, nullptr) << name;
        return control;
    }

    // The colour of the mark where the user sees it: the control's left edge.
    static QColor EdgeOf(QWidget* control)
    {
        const QImage image = control->grab().toImage();
        return image.pixelColor(0, image.height() / 2);
    }

    bool AnyMark() const
    {
        for (const TFrameDev* panel : Win.Devices())
            for (int field = 0; field <= static_cast<int>(tFindingField::Protocol); ++field)
                if (panel->FindingMark(static_cast<tFindingField>(field)).isValid())
                    return true;
        return false;
    }
};

}  // namespace

TEST_F(TFindingLines, LeadToTheirFieldOnTheRightPanelAndMarkItInTheLinesColour)
{
    struct TRow {
        QString Line;
        bool ByEnter;
        int Device;
        tFindingField Field;
        const char* Focus;   // the control that gets the focus
        const char* Marked;  // a control that shows the mark
        QColor Colour;
    };
    const TRow rows[] = {
        {"<TALV 1>.MSN1 ist identisch mit <TALV 2>.MSN2", false, 1, tFindingField::Msn2, "EdMsn2", "EdMsn2", Red},
        {"Anrufer <TALV 1>.Number1 sind beide auf \"DIAL\"", true, 0, tFindingField::Dial1, "RdBtnDial1",
         "RdBtnAccept1", Red},
        {"<TALV 1>.Number 2 (99)", false, 0, tFindingField::Number2, "CmbBxNumber2", "CmbBxNumber2", Blue},
        {"<TALV 2> ist auf \"DSS1\" und <TALV 3>", false, 2, tFindingField::Protocol, "CmbBxIsdnDChannelProtocol",
         "CmbBxIsdnDChannelProtocol", Blue},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Line.toStdString());
        const int line = LineWith(row.Line);
        if (line < 0)
            continue;
        row.ByEnter ? Enter(line) : DoubleClick(line);
        EXPECT_EQ(QApplication::focusWidget(), Control<QWidget>(row.Device, row.Focus));
        EXPECT_EQ(Win.GetSelectedDevice(), &Panel(row.Device));
        EXPECT_EQ(Panel(row.Device).FindingMark(row.Field), row.Colour);
        EXPECT_EQ(EdgeOf(Control<QWidget>(row.Device, row.Marked)), row.Colour);
    }
    // Every mark stays until its field is edited.
    EXPECT_EQ(Panel(1).FindingMark(tFindingField::Msn2), Red);
    EXPECT_EQ(Panel(0).FindingMark(tFindingField::Dial1), Red);
    EXPECT_FALSE(Panel(0).FindingMark(tFindingField::Msn1).isValid());
    EXPECT_TRUE(Win.Errors.empty());
}

TEST_F(TFindingLines, AFieldSwitchedOffSinceLeavesTheFocusToTheProtocolThatSaysWhy)
{
    // After the check the user switches device 2 to a leased line, which locks its numbers.
    auto* protocol = Control<QComboBox>(1, "CmbBxIsdnDChannelProtocol");
    protocol->setFocus();
    QTest::keyClick(protocol, Qt::Key_Down);
    ASSERT_FALSE(Control<QLineEdit>(1, "EdMsn2")->isEnabled());

    DoubleClick(LineWith("<TALV 1>.MSN1 ist identisch mit <TALV 2>.MSN2"));
    EXPECT_EQ(QApplication::focusWidget(), protocol);
    EXPECT_EQ(Win.GetSelectedDevice(), &Panel(1));
    EXPECT_EQ(Panel(1).FindingMark(tFindingField::Msn2), Red);
    EXPECT_EQ(EdgeOf(Control<QWidget>(1, "EdMsn2")), Red);
}

TEST_F(TFindingLines, LinesThatLeadNowhereLeaveTheFocusInTheLog)
{
    const int heading = LineWith("---- Ende der Prüfungen ----");
    DoubleClick(heading);
    EXPECT_EQ(QApplication::focusWidget(), Win.MsgLog);
    EXPECT_EQ(Win.GetSelectedDevice(), nullptr);

    // Device 3 is no longer shown: its findings lead nowhere.
    Win.SetDeviceCount(2);
    DoubleClick(LineWith("<TALV 2> ist auf \"DSS1\" und <TALV 3>"));
    Enter(LineWith("<TALV 2> ist auf \"DSS1\" und <TALV 3>"));
    EXPECT_EQ(QApplication::focusWidget(), Win.MsgLog);
    EXPECT_FALSE(AnyMark());
}

TEST_F(TFindingLines, EditingAFieldTakesOnlyItsOwnMarkAway)
{
    DoubleClick(LineWith("<TALV 1>.MSN1 ist identisch mit <TALV 2>.MSN2"));
    DoubleClick(LineWith("Anrufer <TALV 1>.Number1 sind beide auf \"DIAL\""));
    DoubleClick(LineWith("<TALV 1>.Number 2 (99)"));
    DoubleClick(LineWith("<TALV 1> ist auf \"DSS1\" und <TALV 3>"));

    QTest::keyClicks(Control<QLineEdit>(1, "EdMsn2"), "5");
    EXPECT_FALSE(Panel(1).FindingMark(tFindingField::Msn2).isValid());
    EXPECT_NE(EdgeOf(Control<QWidget>(1, "EdMsn2")), Red);
    EXPECT_EQ(Panel(0).FindingMark(tFindingField::Dial1), Red);

    QTest::mouseClick(Control<QRadioButton>(0, "RdBtnAccept1"), Qt::LeftButton);
    EXPECT_FALSE(Panel(0).FindingMark(tFindingField::Dial1).isValid());
    EXPECT_EQ(Panel(0).FindingMark(tFindingField::Number2), Blue);

    QTest::keyClicks(Control<QComboBox>(0, "CmbBxNumber2")->lineEdit(), "1");
    EXPECT_FALSE(Panel(0).FindingMark(tFindingField::Number2).isValid());

    auto* protocol = Control<QComboBox>(2, "CmbBxIsdnDChannelProtocol");
    protocol->setFocus();
    QTest::keyClick(protocol, Qt::Key_Up);
    EXPECT_FALSE(Panel(2).FindingMark(tFindingField::Protocol).isValid());
    EXPECT_FALSE(AnyMark());
}

TEST_F(TFindingLines, CheckAgainOrANewDocumentTakesEveryMarkAway)
{
    for (const bool check : {true, false}) {
        SCOPED_TRACE(check ? "check" : "new document");
        Win.ActCheck->trigger();
        DoubleClick(LineWith("<TALV 1>.MSN1 ist identisch mit <TALV 2>.MSN2"));
        DoubleClick(LineWith("<TALV 1>.Number 2 (99)"));
        ASSERT_TRUE(AnyMark());
        if (check) {
            Win.ActCheck->trigger();
        } else {
            Win.SetModified(false);
            Win.ActFileNewExecute();
        }
        EXPECT_FALSE(AnyMark());
        EXPECT_NE(EdgeOf(Control<QWidget>(1, "EdMsn2")), Red);
    }
}
