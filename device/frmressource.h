#pragma once
// The shared image list: 39 pictures of 16 x 16 pixels used by the actions and buttons of the main
// window and the device panels, drawn by the program itself.

#include <QIcon>

#include <array>

class TFrmRes {
public:
    static constexpr int ImageCount = 39;
    // Picture `index` (0..38) of the image list; an index outside raises ERangeError.
    static const QIcon& Image(int index);

    // The compare button's picture, which the shared list does not hold: the device beside a
    // plan, with a tick between them. Its number comes after the list's, so that a control can
    // name it like any other picture.
    static constexpr int CompareImage = ImageCount;
    static const QIcon& ComparePicture();
};
