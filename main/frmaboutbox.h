#pragma once
// The about box: product name, version label (main/versionlabel.h, which the main window's title
// uses as well) and legal notice of the program. It is built once at start; its labels do not
// change afterwards.

#include <QDialog>

class QLabel;
class QPushButton;

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    QLabel* LblProduct = nullptr;
    QLabel* LblVersion = nullptr;
    QLabel* LblCopyright = nullptr;
    QPushButton* BitBtnOK = nullptr;

public slots:
    void BitBtnOKClick();
};
