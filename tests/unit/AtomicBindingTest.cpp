#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "toolkit/portable/core/AtomicBinding.h"

namespace {

using Callback = int (*)(void*);
int First(void*) { return 1; }
int Second(void*) { return 2; }

struct Binding {
    Callback callback = nullptr;
    void* user = nullptr;
};

TEST(AtomicBinding, EmptyUntilSetThenTheLatestRecord) {
    CAtomicBinding<Binding> binding;
    EXPECT_EQ(binding.Get().callback, nullptr);
    EXPECT_EQ(binding.Get().user, nullptr);
    int value = 0;
    binding.Set({First, &value});
    EXPECT_EQ(binding.Get().callback, First);
    EXPECT_EQ(binding.Get().user, &value);
    binding.Set({});
    EXPECT_EQ(binding.Get().callback, nullptr);
}

// A reader on another thread never sees one Set's callback with another
// Set's user value, as it would with the two stored one after the other.
TEST(AtomicBinding, ReadersSeeCallbackAndUserValueOfTheSameSet) {
    CAtomicBinding<Binding> binding;
    int firstUser = 0, secondUser = 0;
    binding.Set({First, &firstUser});
    std::atomic<bool> done{false};
    std::atomic<int> mismatches{0};
    std::thread reader([&] {
        while (!done) {
            const Binding b = binding.Get();
            if ((b.callback == First) != (b.user == &firstUser))
                ++mismatches;
        }
    });
    for (int i = 0; i < 20000; ++i) {
        binding.Set({Second, &secondUser});
        binding.Set({First, &firstUser});
    }
    done = true;
    reader.join();
    EXPECT_EQ(mismatches.load(), 0);
}

}  // namespace
