#include <gtest/gtest.h>

#include "toolkit/portable/text/MarkupStack.h"

namespace {

using Stack = CMarkupStack<int>;

void PushChanges(Stack& stack, int count) {
    for (int i = 1; i <= count; ++i)
        EXPECT_EQ(stack.Push(i), static_cast<size_t>(i) <= Stack::kCapacity) << "change " << i;
}

TEST(MarkupStack, ResetsUndoTheNewestChangeFirst) {
    Stack stack;
    int entry = 0;
    EXPECT_FALSE(stack.Pop(entry));  // a reset with nothing to undo
    ASSERT_TRUE(stack.Push(1));
    ASSERT_TRUE(stack.Push(2));
    ASSERT_TRUE(stack.Pop(entry));
    EXPECT_EQ(entry, 2);
    ASSERT_TRUE(stack.Push(3));
    ASSERT_TRUE(stack.Pop(entry));
    EXPECT_EQ(entry, 3);
    ASSERT_TRUE(stack.Pop(entry));
    EXPECT_EQ(entry, 1);
    entry = -1;
    EXPECT_FALSE(stack.Pop(entry));
    EXPECT_EQ(entry, -1);
}

TEST(MarkupStack, ChangesBeyondTheHundredthAreCountedNotKept) {
    Stack stack;
    PushChanges(stack, 101);
    EXPECT_EQ(stack.Kept(), Stack::kCapacity);

    int entry = -1;
    EXPECT_FALSE(stack.Pop(entry));  // pairs with the 101st, which was never applied
    EXPECT_EQ(entry, -1);
    for (int expected = 100; expected >= 1; --expected) {
        ASSERT_TRUE(stack.Pop(entry));
        EXPECT_EQ(entry, expected);
    }
    EXPECT_FALSE(stack.Pop(entry));
    EXPECT_EQ(stack.Kept(), 0u);
}

TEST(MarkupStack, ResetsStayPairedWithTheirTagsAcrossAnOverflow) {
    Stack stack;
    PushChanges(stack, 150);
    int entry = 0;
    for (int i = 0; i < 50; ++i)
        EXPECT_FALSE(stack.Pop(entry)) << "reset " << i;
    // Full again after the counted changes are taken back: the next change is
    // counted too, and its reset undoes nothing.
    EXPECT_FALSE(stack.Push(151));
    EXPECT_FALSE(stack.Pop(entry));
    ASSERT_TRUE(stack.Pop(entry));
    EXPECT_EQ(entry, 100);
    EXPECT_TRUE(stack.Push(152));
    ASSERT_TRUE(stack.Pop(entry));
    EXPECT_EQ(entry, 152);
}

}  // namespace
