// Protects the shared image list: 39 distinct 16 x 16 pictures, and nothing outside them.
#include "device/frmressource.h"
#include "platform/exceptions.h"

#include <QImage>

#include <gtest/gtest.h>

TEST(FrmRes, ThirtyNineDistinctPicturesAndARangeErrorOutside)
{
    std::vector<QImage> images;
    for (int i = 0; i < TFrmRes::ImageCount; ++i) {
        const QIcon& icon = TFrmRes::Image(i);
        ASSERT_FALSE(icon.isNull()) << i;
        const QImage image = icon.pixmap(16, 16).toImage();
        EXPECT_EQ(image.size(), QSize(16, 16)) << i;
        EXPECT_TRUE(image.hasAlphaChannel()) << i;
        for (size_t j = 0; j < images.size(); ++j)
            EXPECT_NE(image, images[j]) << i << " looks like " << j;
        images.push_back(image);
    }
    EXPECT_EQ(TFrmRes::Image(25).cacheKey(), TFrmRes::Image(25).cacheKey());
    for (int index : {-1, 39}) {
        try {
            TFrmRes::Image(index);
            ADD_FAILURE() << index;
        } catch (const ERangeError& e) {
            EXPECT_EQ(std::string(e.what()), "TFrmRes::Image: falscher Index " + std::to_string(index));
        }
    }
}
