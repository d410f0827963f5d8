// Protects the comment dialog: its place beside the panel, lines in and out, and that Escape
// discards while Return only breaks the line.
#include "device/frmmemodlg.h"
#include "modalwatch.h"

#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

TEST(FrmDevMemo, OpensBelowThePanelOrAboveItNearTheBottom)
{
    const QRect screen(0, 0, 1280, 1024);
    const QSize panel(329, 242);
    const struct { int y; int top; } cases[] = {
        {4, 4 + 242 + 4},
        {1024 - 2 * 242 - 4, 1024 - 242},      // exactly fits below
        {1024 - 2 * 242 - 3, 1024 - 2 * 242 - 3 - 242 - 4},
        {700, 700 - 242 - 4},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TFrmDevMemo::Placement(QPoint(337, c.y), panel, screen), QRect(QPoint(337, c.top), panel)) << c.y;
    // A second screen below the first: its own lower edge counts.
    EXPECT_EQ(TFrmDevMemo::Placement(QPoint(0, 1100), panel, QRect(0, 1024, 1280, 1024)).top(), 1100 + 242 + 4);
}

TEST(FrmDevMemo, LinesGoInAndComeBackUnlessCancelled)
{
    TFrmDevMemo memo;
    const std::vector<std::string> lines = {"eins", "", "drei Ä"};
    memo.SetLines(lines);
    EXPECT_EQ(memo.Lines(), lines);
    EXPECT_FALSE(memo.UserModified());
    memo.SetLines({});
    EXPECT_TRUE(memo.Lines().empty());

    std::function<void(TFrmDevMemo&)> user;
    TModalWatch watch([&](QWidget&) { user(memo); });
    const QRect place(10, 20, 329, 242);

    user = [](TFrmDevMemo& dialog) {
        QTest::keyClicks(dialog.MemoEdit(), "a");
        QTest::keyClick(dialog.MemoEdit(), Qt::Key_Return);  // a line break, not OK
        QTest::keyClicks(dialog.MemoEdit(), "b");
        EXPECT_TRUE(dialog.isVisible());
        dialog.BitBtnOkClick();
    };
    EXPECT_EQ(memo.Execute("Kommentar zu X", {}, place), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(memo.windowTitle(), "Kommentar zu X");
    EXPECT_EQ(memo.geometry().size(), place.size());

    user = [](TFrmDevMemo& dialog) {
        QTest::keyClicks(dialog.MemoEdit(), "weg");
        QTest::keyClick(dialog.MemoEdit(), Qt::Key_Escape);
    };
    EXPECT_EQ(memo.Execute("c", {"bleibt"}, place), std::nullopt);

    user = [](TFrmDevMemo& dialog) { dialog.BitBtnOkClick(); };
    EXPECT_EQ(memo.Execute("c", {"bleibt"}, place), std::nullopt);  // nothing changed
}
