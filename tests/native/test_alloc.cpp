// The shipped exe's operator new: a request the heap cannot meet ends the
// program instead of handing NULL to callers that never check.
#include <gtest/gtest.h>
#include <cstdint>
#include <new>

TEST(Allocation, AnUnmeetableRequestEndsTheProgram)
{
    volatile size_t n = SIZE_MAX / 2;
    EXPECT_DEATH({ void* volatile p = ::operator new(n); (void)p; }, "");
    EXPECT_DEATH({ void* volatile p = ::operator new[](n); (void)p; }, "");
}
