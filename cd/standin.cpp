// A stand-in for the programs of the real CD (the test program and the
// three driver installers): it records that it ran, and says who it is.
//   VELTA_STANDIN_LOG   append "<full path> ran" to this file
//   VELTA_STANDIN_NOUI  set: no box, exit at once (for tests)
#include "standin_log.h"

static const struct { const char* pszFile; const char* pszRole; } s_roles[] = {
    { "news.exe", "VT打印机测试程序" },
    { "Adt210e.exe", "仿EPSON驱动程序安装 (Windows 98)" },
    { "ATM_301bE.exe", "仿EPSON驱动程序安装 (Windows 2000/XP)" },
    { "linemode_2k-xp.exe", "仿STAR驱动程序安装 (Windows 2000/XP)" },
};

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char szPath[MAX_PATH];
    DWORD n = GetModuleFileNameA(NULL, szPath, sizeof szPath);
    if (n == 0 || n >= sizeof szPath)
        lstrcpyA(szPath, "standin.exe");
    const char* pszName = szPath;
    for (const char* p = szPath; *p; p = CharNextA(p))
        if (*p == '\\' || *p == '/')
            pszName = p + 1;

    const char* pszRole = "样品光盘程序";
    for (const auto& r : s_roles)
        if (lstrcmpiA(r.pszFile, pszName) == 0)
            pszRole = r.pszRole;

    AppendStandinLog(szPath, " ran");
    if (GetEnvironmentVariableA("VELTA_STANDIN_NOUI", NULL, 0) != 0)
        return 0;

    char szText[512];
    lstrcpyA(szText, "这是样品光盘上的替身程序：\n\n");
    lstrcatA(szText, pszRole);
    lstrcatA(szText, "\n\n正式光盘上由VELTA的原程序代替。");
    MessageBoxA(NULL, szText, pszName, MB_OK | MB_ICONINFORMATION);
    return 0;
}
