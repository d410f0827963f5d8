#pragma once
// The device name button of a panel. The panel's width is fixed, so a long name is shortened
// with "…" where it is drawn; text() stays the whole name.

#include <QPushButton>

class TNameButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;

    // The caption as drawn in the button's current width.
    QString ShownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};
