// The shipped exe's own runtime pieces: operator new, and the byte-string
// functions.
#include <gtest/gtest.h>
#include <cstdint>
#include <cstring>

// A request the heap cannot meet ends the program instead of handing NULL
// to callers that never check.
TEST(Allocation, AnUnmeetableRequestEndsTheProgram)
{
    volatile size_t n = SIZE_MAX / 2;
    EXPECT_DEATH({ void* volatile p = ::operator new(n); (void)p; }, "");
    EXPECT_DEATH({ void* volatile p = ::operator new[](n); (void)p; }, "");
}

// framework/afxcrtstr.cpp, compiled here under these names.
extern "C" { size_t afx_strlen(const char*); int afx_strcmp(const char*, const char*); char* afx_strcpy(char*, const char*); }

TEST(Strings, CopyLengthAndCompareByByte)
{
    char buf[] = "xxxxxxxxxx";
    EXPECT_EQ(buf, afx_strcpy(buf, "VT-480QX"));
    EXPECT_EQ(0, memcmp(buf, "VT-480QX\0x", 10));  // the terminator, and no further
    EXPECT_EQ(8u, afx_strlen(buf));
    EXPECT_EQ(0u, afx_strlen(""));
    EXPECT_EQ(0, afx_strcmp(buf, "VT-480QX"));
    EXPECT_LT(afx_strcmp("VT-480QX", "VT480QX"), 0);  // '-' is a byte like any other
    EXPECT_LT(afx_strcmp("VT", "VT-480QX"), 0);       // a prefix comes first
    EXPECT_GT(afx_strcmp("\xb0\xb2", "\x7f"), 0);     // code-page-936 bytes are above ASCII
}
