#include "utility/Arrays.h"

#include <gtest/gtest.h>

namespace {

TEST(IntArray, AddAppendsAndReturnsTheIndex) {
    TIntArray array;
    EXPECT_EQ(IntArrayAdd(array, 7), 0);
    EXPECT_EQ(IntArrayAdd(array, 7), 1);
    EXPECT_EQ(IntArrayAdd(array, -3), 2);
    EXPECT_EQ(array, (TIntArray{7, 7, -3}));
}

TEST(IntArray, IndexOfFindsTheFirstEqualElement) {
    EXPECT_EQ(IntArrayIndexOf({}, 1), -1);
    EXPECT_EQ(IntArrayIndexOf({4, 5, 5}, 5), 1);
    EXPECT_EQ(IntArrayIndexOf({4, 5, 5}, 6), -1);
}

struct DeleteCase {
    TIntArray before;
    std::int32_t index;
    TIntArray after;
};

class IntArrayDeletion : public testing::TestWithParam<DeleteCase> {};

TEST_P(IntArrayDeletion, KeepsTheOrderAndIgnoresIndexesOutside) {
    TIntArray array = GetParam().before;
    IntArrayDelete(array, GetParam().index);
    EXPECT_EQ(array, GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(Cases, IntArrayDeletion,
                         testing::Values(DeleteCase{{1, 2, 3}, 0, {2, 3}},
                                         DeleteCase{{1, 2, 3}, 1, {1, 3}},
                                         DeleteCase{{1, 2, 3}, 2, {1, 2}}, DeleteCase{{1}, 0, {}},
                                         DeleteCase{{1, 2}, 2, {1, 2}},
                                         DeleteCase{{1, 2}, -1, {1, 2}}, DeleteCase{{}, 0, {}}));

TEST(IntArray, RemoveTakesOutTheFirstEqualElementOnly) {
    TIntArray array{3, 8, 5, 8};
    EXPECT_EQ(IntArrayRemove(array, 8), 1);
    EXPECT_EQ(array, (TIntArray{3, 5, 8}));
    EXPECT_EQ(IntArrayRemove(array, 9), -1);
    EXPECT_EQ(array, (TIntArray{3, 5, 8}));
}

TEST(PointerArray, RegistersAndUnregistersObjects) {
    int first = 0;
    int second = 0;
    std::vector<int*> registry;
    EXPECT_EQ(ArrayAdd(registry, &first), 0);
    EXPECT_EQ(ArrayAdd(registry, &second), 1);
    EXPECT_EQ(ArrayRemove(registry, &first), 0);
    EXPECT_EQ(ArrayIndexOf(registry, &second), 0);
    EXPECT_EQ(ArrayRemove(registry, &first), -1);
    EXPECT_EQ(registry, std::vector<int*>{&second});
}

} // namespace
