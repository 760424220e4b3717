// The shipped exe's own runtime pieces, which replace the C library's in
// this program too: operator new, and the byte-string functions.
#include <gtest/gtest.h>
#include <cstdint>
#include <cstring>
#include <new>

// A request the heap cannot meet ends the program instead of handing NULL
// to callers that never check.
TEST(Allocation, AnUnmeetableRequestEndsTheProgram)
{
    volatile size_t n = SIZE_MAX / 2;
    EXPECT_DEATH({ void* volatile p = ::operator new(n); (void)p; }, "");
    EXPECT_DEATH({ void* volatile p = ::operator new[](n); (void)p; }, "");
}

// Built with -fno-builtin, so each call below is the exe's function.
TEST(Strings, CopyLengthAndCompareByByte)
{
    char buf[10];
    memset(buf, 'x', sizeof buf);
    EXPECT_EQ(buf, strcpy(buf, "VT-480QX"));
    EXPECT_EQ(0, memcmp(buf, "VT-480QX\0x", sizeof buf));  // the terminator, and no further
    EXPECT_EQ(8u, strlen(buf));
    EXPECT_EQ(0u, strlen(""));
    EXPECT_EQ(0, strcmp(buf, "VT-480QX"));
    EXPECT_LT(strcmp("VT-480QX", "VT480QX"), 0);   // '-' is a byte like any other
    EXPECT_LT(strcmp("VT", "VT-480QX"), 0);        // a prefix comes first
    EXPECT_GT(strcmp("\xb0\xb2", "\x7f"), 0);      // code-page-936 bytes are above ASCII
}
