#include "framework/CImageList.h"

#include <gtest/gtest.h>

#include <shellapi.h>

TEST(ImageList, CreatedListsTakeMaskedBitmaps) {
    CImageList list;
    ASSERT_TRUE(list.Create(48, 48, ILC_COLOR24 | ILC_MASK, 3, 0));
    HDC screen = GetDC(nullptr);
    HBITMAP strip = CreateCompatibleBitmap(screen, 48 * 3, 48);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(0, list.Add(strip, RGB(192, 192, 192)));
    EXPECT_EQ(3, list.GetImageCount()) << "one image per 48 pixels of width";
    DeleteObject(strip);
    EXPECT_TRUE(list.DeleteImageList());
    EXPECT_EQ(nullptr, list.GetSafeHandle());
    EXPECT_FALSE(list.DeleteImageList()) << "nothing left to delete";
}

TEST(ImageList, AttachRefusesNullAndASecondList) {
    CImageList holder;
    EXPECT_FALSE(holder.Attach(nullptr));
    HIMAGELIST a = ImageList_Create(16, 16, ILC_COLOR24, 1, 0);
    HIMAGELIST b = ImageList_Create(16, 16, ILC_COLOR24, 1, 0);
    EXPECT_TRUE(holder.Attach(a));
    EXPECT_FALSE(holder.Attach(b));
    EXPECT_EQ(a, holder.GetSafeHandle());
    EXPECT_EQ(a, holder.Detach());
    EXPECT_EQ(nullptr, holder.GetSafeHandle());
    ImageList_Destroy(a);
    ImageList_Destroy(b);
}

TEST(ImageList, ADetachedSystemListOutlivesItsHolder) {
    SHFILEINFOA sfi = {};
    HIMAGELIST hSystem = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoA("C:\\", 0, &sfi, sizeof(sfi), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    ASSERT_NE(nullptr, hSystem);
    int count = ImageList_GetImageCount(hSystem);
    ASSERT_GT(count, 0);
    {
        CImageList holder;
        ASSERT_TRUE(holder.Attach(hSystem));
        holder.Detach();
    }
    EXPECT_EQ(count, ImageList_GetImageCount(hSystem));
}
