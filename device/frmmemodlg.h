#pragma once
// The comment dialog: one instance serves all device panels. Each opening loads the caption, the
// text, the position and the size anew, so nothing of one device's comment stays for the next.

#include <QDialog>

#include <optional>
#include <string>
#include <vector>

class QFrame;
class QPlainTextEdit;
class QPushButton;

class TFrmDevMemo : public QDialog {
    Q_OBJECT
public:
    explicit TFrmDevMemo(QWidget* parent = nullptr);

    // The comment, one entry a line; loading it leaves the text unmodified.
    void SetLines(const std::vector<std::string>& lines);
    std::vector<std::string> Lines() const;
    // Whether the user changed the text since it was loaded.
    bool UserModified() const;

    // Where the dialog goes for a panel whose client area starts at `panelTopLeft` and is
    // `panelSize` large (screen coordinates): the panel's size, 4 pixels below the panel, or 4
    // pixels above it when there is no room for it below on `screen`.
    static QRect Placement(const QPoint& panelTopLeft, const QSize& panelSize, const QRect& screen);

    // Shows the comment modally with the caption at the geometry. Returns the edited lines when
    // the user confirmed a change, nothing when the dialog was cancelled or nothing was changed.
    std::optional<std::vector<std::string>> Execute(const QString& caption, const std::vector<std::string>& lines,
                                                    const QRect& geometry);

    QPlainTextEdit* MemoEdit() const { return FMemoEdit; }

public slots:
    void BitBtnOkClick();
    void BitBtnCancelClick();

protected:
    // FormShow: the editor takes the focus.
    void showEvent(QShowEvent* event) override;
    // MemoEditKeyPress: Escape in the editor cancels.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QFrame* FPnlClient = nullptr;
    QPlainTextEdit* FMemoEdit = nullptr;
    QFrame* FPnlButtons = nullptr;
    QPushButton* FBitBtnOk = nullptr;
    QPushButton* FBitBtnCancel = nullptr;
};
