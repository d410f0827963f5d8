#include "main/mainoptions.h"

#include "options/colorshape.h"
#include "options/frmoptionsdlg.h"

#include <QLabel>
#include <QSpinBox>

TMainOptions OptionsOf(const TDlgOptions& dialog)
{
    TMainOptions options;
    options.ComTimeOut = dialog.RxSpinComTimeOut->value();
    options.ActiveDeviceColor = dialog.ShpColorActiveDevice->Pen().color();
    for (int d = 1; d <= TMainOptions::Devices; ++d)
        for (int m = 1; m <= 2; ++m)
            options.ColorToMsn[d - 1][m - 1] = dialog.ShpColorToMsn(d, m)->Brush().color();
    options.MemoFont = dialog.LblMemoFont->font();
    return options;
}
