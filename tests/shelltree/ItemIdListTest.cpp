#include "shelltree/ItemIdList.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Elements of the given sizes (each at least 2 bytes), then the closing zero count.
std::vector<BYTE> MakeList(std::initializer_list<USHORT> sizes) {
    std::vector<BYTE> bytes;
    for (USHORT cb : sizes) {
        bytes.push_back(static_cast<BYTE>(cb & 0xFF));
        bytes.push_back(static_cast<BYTE>(cb >> 8));
        bytes.insert(bytes.end(), cb - 2, static_cast<BYTE>(cb));
    }
    bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
}

LPCITEMIDLIST AsList(const std::vector<BYTE>& bytes) {
    return reinterpret_cast<LPCITEMIDLIST>(bytes.data());
}

} // namespace

TEST(ItemIdList, SizeCountsElementsWithoutTheClosingZero) {
    EXPECT_EQ(0u, itemidlist::GetSize(nullptr));
    std::vector<BYTE> empty = MakeList({});
    EXPECT_EQ(0u, itemidlist::GetSize(AsList(empty)));
    std::vector<BYTE> three = MakeList({20, 300, 6});
    EXPECT_EQ(326u, itemidlist::GetSize(AsList(three)));
}

TEST(ItemIdList, LastElementIsFoundByStepping) {
    std::vector<BYTE> three = MakeList({20, 300, 6});
    EXPECT_EQ(reinterpret_cast<LPCITEMIDLIST>(three.data() + 320),
              itemidlist::GetLastItem(AsList(three)));
    std::vector<BYTE> one = MakeList({14});
    EXPECT_EQ(AsList(one), itemidlist::GetLastItem(AsList(one)));
    std::vector<BYTE> empty = MakeList({});
    EXPECT_EQ(AsList(empty), itemidlist::GetLastItem(AsList(empty))) << "the empty list itself";
    EXPECT_EQ(nullptr, itemidlist::GetLastItem(nullptr));
}
