// The shipped exe's resources, field for field: both dialog templates,
// the string, the images and the version block, all in language 0x0804.
// Reads the exe given on the command line as a data file (or this
// program's own resources when none is given).
#include <windows.h>
#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include <vector>

namespace {

HMODULE g_hExe = NULL;
const WORD kLang = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);

struct Blob { const BYTE* p = nullptr; DWORD cb = 0; };

Blob Resource(LPCSTR type, WORD id)
{
    Blob b;
    HRSRC h = ::FindResourceExA(g_hExe, type, MAKEINTRESOURCEA(id), kLang);
    if (h == NULL)
        return b;
    b.p = (const BYTE*)::LockResource(::LoadResource(g_hExe, h));
    b.cb = ::SizeofResource(g_hExe, h);
    return b;
}

// Walks a dialog template.
class Reader
{
public:
    Reader(const BYTE* p) : m_base(p), m_p(p) {}
    WORD Word() { WORD w; std::memcpy(&w, m_p, 2); m_p += 2; return w; }
    DWORD Dword() { DWORD d; std::memcpy(&d, m_p, 4); m_p += 4; return d; }
    short Short() { return (short)Word(); }
    BYTE Byte() { return *m_p++; }
    // A string, or "#n" for an ordinal, or "" for none.
    std::wstring SzOrOrd()
    {
        WORD w = Word();
        if (w == 0)
            return L"";
        if (w == 0xFFFF)
            return L"#" + std::to_wstring(Word());
        std::wstring s(1, (wchar_t)w);
        while ((w = Word()) != 0)
            s += (wchar_t)w;
        return s;
    }
    void AlignDword() { m_p += (4 - ((m_p - m_base) & 3)) & 3; }

private:
    const BYTE* m_base;
    const BYTE* m_p;
};

struct Item
{
    DWORD dwStyle, dwExStyle;
    short x, y, cx, cy;
    int nID;
    std::wstring strClass, strText;
};

std::string Describe(const Item& i)
{
    char sz[160];
    std::snprintf(sz, sizeof sz, "id %d class %ls style %08lX ex %08lX at %d,%d %dx%d", i.nID,
                  i.strClass.c_str(), (unsigned long)i.dwStyle, (unsigned long)i.dwExStyle, i.x, i.y,
                  i.cx, i.cy);
    return sz;
}

void ExpectItem(const Item& want, const Item& got, size_t n)
{
    EXPECT_EQ(Describe(want), Describe(got)) << "control " << n + 1;
    EXPECT_EQ(want.strText, got.strText) << "control " << n + 1;
}

// Predefined classes are stored as ordinals.
const wchar_t* const kButton = L"#128";
const wchar_t* const kStatic = L"#130";

const Item kMenuControls[19] = {
    { 0x5001000B, 0, 40, 193, 100, 25, 1, kButton, L"访问VELTA网站" },
    { 0x5001000B, 0, 32, 237, 115, 17, 2, kButton, L"退 出" },
    { 0x5001000B, 0, 40, 35, 100, 25, 1002, kButton, L"安装驱动程序" },
    { 0x50000007, 0, 15, 10, 160, 260, -1, kButton, L"请选择执行项目" },
    { 0x5001000B, 0, 40, 85, 100, 25, 1003, kButton, L"打印机控制指令" },
    { 0x5001000B, 0, 40, 140, 100, 25, 1005, kButton, L"VT打印机测试程序" },
    { 0x50020000, 0, 215, 60, 170, 110, 1007, kStatic, L"" },
    { 0x50020000, 0, 250, 290, 129, 8, -1, kStatic, L"*" },  // legal notice: ours to word
    { 0x50010000, 0, 270, 180, 70, 17, 1000, kButton, L"VT针打指令" },
    { 0x50010000, 0, 225, 210, 70, 17, 1008, kButton, L"EPSON参考指令" },
    { 0x50010000, 0, 310, 180, 69, 19, 1015, kButton, L"常规驱动程序" },
    { 0x50010000, 0, 225, 180, 70, 20, 1017, kButton, L"安装必读" },
    { 0x5000000E, 0, 219, 13, 47, 11, -1, kStatic, L"#133" },
    { 0x50020000, 0, 285, 15, 81, 8, -1, kStatic, L"VELTA 微型票据打印机" },
    { 0x50020000, 0, 55, 285, 75, 10, -1, kStatic, L"专业专注  值得信赖" },
    { 0x50020000, 0, 260, 275, 100, 10, -1, kStatic, L"*" },  // web address as text
    { 0x50010000, 0, 225, 210, 69, 19, 1016, kButton, L"仿EPSON驱动程序" },
    { 0x50010000, 0, 310, 210, 69, 19, 1018, kButton, L"仿STAR驱动程序" },
    { 0x50010000, 0, 310, 210, 70, 17, 1009, kButton, L"STAR参考指令" },
};

const Item kAboutControls[5] = {
    { 0x50000003, 0, 7, 25, 21, 21, -1, kStatic, L"#132" },
    { 0x50020080, 0, 40, 15, 65, 8, -1, kStatic, L"Menurix 1.0 版" },
    { 0x50020000, 0, 39, 33, 95, 8, -1, kStatic, L"*" },
    { 0x50030001, 0, 178, 7, 50, 14, 1, kButton, L"确定" },
    { 0x50020000, 0, 40, 50, 139, 9, -1, kStatic, L"*" },
};

// Width of a one-line text in the dialogs' font, 宋体 9 pt at 96 dpi:
// 12 px a double-byte character, 6 px a single-byte one.
int TextPixels(const std::wstring& s)
{
    int px = 0;
    for (wchar_t c : s) {
        char buf[4];
        BOOL bDefault = FALSE;
        int n = ::WideCharToMultiByte(936, 0, &c, 1, buf, sizeof buf, NULL, &bDefault);
        EXPECT_FALSE(bDefault) << "not in code page 936: U+" << std::hex << (unsigned)c;
        px += n == 2 ? 12 : 6;
    }
    return px;
}

void ExpectControls(const Item* want, const std::vector<Item>& got)
{
    for (size_t n = 0; n < got.size(); ++n) {
        // Every text but an image's ordinal is one line; 1.5 px a dialog unit.
        if (got[n].strText.compare(0, 1, L"#") != 0) {
            EXPECT_LE(TextPixels(got[n].strText) * 2, got[n].cx * 3)
                << "control " << n + 1 << " is too narrow for its text";
        }
        Item w = want[n];
        if (w.strText == L"*") {  // free text: must be there and not empty
            EXPECT_FALSE(got[n].strText.empty()) << "control " << n + 1;
            w.strText = got[n].strText;
        }
        ExpectItem(w, got[n], n);
    }
}

// Position, size, no menu, the dialog class, and the caption.
void ExpectFrame(Reader& r, short cx, short cy, const wchar_t* pszCaption)
{
    EXPECT_EQ(0, r.Short());
    EXPECT_EQ(0, r.Short());
    EXPECT_EQ(cx, r.Short());
    EXPECT_EQ(cy, r.Short());
    EXPECT_EQ(L"", r.SzOrOrd());  // menu
    EXPECT_EQ(L"", r.SzOrOrd());  // class
    EXPECT_EQ(pszCaption, r.SzOrOrd());
}

// The control records: an extended one has a help id first, its extended
// style before its style, and a 32-bit id.
std::vector<Item> ReadItems(Reader& r, WORD n, bool bExtended)
{
    std::vector<Item> items;
    for (WORD i = 0; i < n; ++i) {
        r.AlignDword();
        Item it;
        if (bExtended) {
            EXPECT_EQ(0u, r.Dword());  // help id
            it.dwExStyle = r.Dword();
            it.dwStyle = r.Dword();
        } else {
            it.dwStyle = r.Dword();
            it.dwExStyle = r.Dword();
        }
        it.x = r.Short(); it.y = r.Short(); it.cx = r.Short(); it.cy = r.Short();
        it.nID = bExtended ? (int)r.Dword() : (short)r.Word();
        it.strClass = r.SzOrOrd();
        it.strText = r.SzOrOrd();
        EXPECT_EQ(0, r.Word());  // no creation data
        items.push_back(it);
    }
    return items;
}

TEST(Resources, MainMenuTemplate102)
{
    Blob b = Resource(RT_DIALOG, 102);
    ASSERT_NE(nullptr, b.p) << "dialog 102 in language 0x0804";
    Reader r(b.p);
    EXPECT_EQ(1, r.Word());
    EXPECT_EQ(0xFFFF, r.Word());  // extended template
    EXPECT_EQ(0u, r.Dword());      // help id
    EXPECT_EQ(0x00040000u, r.Dword());
    EXPECT_EQ(0x90CA00C4u, r.Dword());
    WORD n = r.Word();
    ASSERT_EQ(19, n);
    ExpectFrame(r, 416, 311, L"VELTA · 票据打印专家");
    EXPECT_EQ(9, r.Word());
    EXPECT_EQ(0, r.Word());   // weight
    EXPECT_EQ(0, r.Byte());   // italic
    EXPECT_EQ(1, r.Byte());   // charset
    EXPECT_EQ(L"宋体", r.SzOrOrd());
    std::vector<Item> items = ReadItems(r, n, true);
    ExpectControls(kMenuControls, items);
    // No control is a default button, so Enter means IDOK.
    for (const Item& it : items) {
        if (it.strClass == kButton) {
            EXPECT_NE(1u, it.dwStyle & 0xF) << Describe(it);
        }
    }
}

TEST(Resources, AboutTemplate100)
{
    Blob b = Resource(RT_DIALOG, 100);
    ASSERT_NE(nullptr, b.p) << "dialog 100 in language 0x0804";
    Reader r(b.p);
    EXPECT_EQ(0x80C800C0u, r.Dword());
    EXPECT_EQ(0u, r.Dword());
    WORD n = r.Word();
    ASSERT_EQ(5, n);
    ExpectFrame(r, 235, 71, L"关于MENURIX");
    EXPECT_EQ(9, r.Word());
    EXPECT_EQ(L"宋体", r.SzOrOrd());
    std::vector<Item> items = ReadItems(r, n, false);
    ExpectControls(kAboutControls, items);
}

TEST(Resources, AboutMenuString101)
{
    // String 101 is entry 5 of block 7 (ids 96 to 111).
    Blob b = Resource(RT_STRING, 101 / 16 + 1);
    ASSERT_NE(nullptr, b.p);
    const WCHAR* p = (const WCHAR*)b.p;
    for (int i = 0; i < 101 % 16; ++i)
        p += 1 + *p;
    EXPECT_EQ(L"关于 Tovrana(&A)...", std::wstring(p + 1, *p));
}

TEST(Resources, IconIs32By32In16Colours)
{
    Blob g = Resource(RT_GROUP_ICON, 132);
    ASSERT_NE(nullptr, g.p);
    const WORD* w = (const WORD*)g.p;
    EXPECT_EQ(1, w[1]);  // icons
    ASSERT_EQ(1, w[2]);  // one image
    const BYTE* e = g.p + 6;
    EXPECT_EQ(32, e[0]);
    EXPECT_EQ(32, e[1]);
    EXPECT_EQ(16, e[2]);
    WORD nBits;
    std::memcpy(&nBits, e + 6, 2);
    EXPECT_EQ(4, nBits);
    EXPECT_NE(nullptr, ::LoadImageA(g_hExe, MAKEINTRESOURCEA(132), IMAGE_ICON, 32, 32, 0));
}

TEST(Resources, HandCursorIs32By32MonochromeWithHotSpot6_0)
{
    Blob g = Resource(RT_GROUP_CURSOR, 130);
    ASSERT_NE(nullptr, g.p);
    const WORD* w = (const WORD*)g.p;
    EXPECT_EQ(2, w[1]);
    ASSERT_EQ(1, w[2]);
    WORD nImage;
    std::memcpy(&nImage, g.p + 6 + 12, 2);
    Blob c = Resource(RT_CURSOR, nImage);
    ASSERT_NE(nullptr, c.p);
    const WORD* hot = (const WORD*)c.p;
    EXPECT_EQ(6, hot[0]);
    EXPECT_EQ(0, hot[1]);
    BITMAPINFOHEADER bih;
    std::memcpy(&bih, c.p + 4, sizeof bih);
    EXPECT_EQ(32, bih.biWidth);
    EXPECT_EQ(64, bih.biHeight);  // image and mask
    EXPECT_EQ(1, bih.biBitCount);
}

TEST(Resources, LogoIs71By17In24Bits)
{
    Blob b = Resource(RT_BITMAP, 133);
    ASSERT_NE(nullptr, b.p);
    BITMAPINFOHEADER bih;
    std::memcpy(&bih, b.p, sizeof bih);
    EXPECT_EQ(71, bih.biWidth);
    EXPECT_EQ(17, bih.biHeight);
    EXPECT_EQ(24, bih.biBitCount);
}

TEST(Resources, VersionIs1_0_0_1WithChinesePrcStrings)
{
    Blob b = Resource(RT_VERSION, 1);
    ASSERT_NE(nullptr, b.p);
    std::string bytes((const char*)b.p, b.cb);
    const DWORD sig = 0xFEEF04BD;
    size_t at = bytes.find(std::string((const char*)&sig, 4));
    ASSERT_NE(std::string::npos, at);
    VS_FIXEDFILEINFO ffi;
    std::memcpy(&ffi, b.p + at, sizeof ffi);
    EXPECT_EQ(0x00010000u, ffi.dwFileVersionMS);
    EXPECT_EQ(0x00000001u, ffi.dwFileVersionLS);
    EXPECT_EQ(0x00010000u, ffi.dwProductVersionMS);
    EXPECT_EQ(0x00000001u, ffi.dwProductVersionLS);
    const wchar_t block[] = L"080404B0";
    EXPECT_NE(std::string::npos, bytes.find(std::string((const char*)block, 16)));
}

} // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (argc > 1) {
        g_hExe = ::LoadLibraryExA(argv[1], NULL, LOAD_LIBRARY_AS_DATAFILE);
        if (g_hExe == NULL) {
            std::fprintf(stderr, "cannot load %s\n", argv[1]);
            return 1;
        }
    } else {
        g_hExe = ::GetModuleHandleA(NULL);
    }
    return RUN_ALL_TESTS();
}
