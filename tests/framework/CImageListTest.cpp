#include "framework/CImageList.h"

#include <gtest/gtest.h>

#include <unknwn.h>

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

// A holder destroys the list it holds as it goes, unless Detach gave the list back: the shared
// system list passes through holders and must outlive them all.
TEST(ImageList, AHolderDestroysOnlyTheListItStillHolds) {
    for (bool detach : {true, false}) {
        SCOPED_TRACE(detach);
        HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR24, 1, 0);
        // A reference of the test's own shows whether the holder dropped the list's: a list of
        // the common controls 6 is a COM object.
        IUnknown* own = reinterpret_cast<IUnknown*>(list);
        own->AddRef();
        {
            CImageList holder;
            ASSERT_TRUE(holder.Attach(list));
            if (detach)
                holder.Detach();
        }
        EXPECT_EQ(detach ? 1u : 0u, own->Release()) << "references left to the list";
        if (detach)
            ImageList_Destroy(list);
    }
}
