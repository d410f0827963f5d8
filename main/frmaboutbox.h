#pragma once
// The about box: program icon, product name, version label (main/versionlabel.h, which the main
// window's title uses as well) and legal notice, all from the program's version information. It
// is built once at start; its labels do not change afterwards.

#include "main/versioninfo.h"

#include <QDialog>

class QLabel;
class QPushButton;

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);
    // The box for other version information (the program's own by default).
    TAboutBox(const TVersionInfo& version, QWidget* parent);

    QLabel* IcnProgram = nullptr;
    QLabel* LblProduct = nullptr;
    QLabel* LblVersion = nullptr;
    QLabel* LblCopyright = nullptr;
    QPushButton* BitBtnOK = nullptr;

public slots:
    void BitBtnOKClick();

protected:
    void showEvent(QShowEvent* event) override;
};
