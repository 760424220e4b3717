// afxstr.h: CString, a growable string of code-page-936 bytes.
#pragma once
#include <windows.h>

class CString
{
public:
    CString();
    CString(LPCSTR psz);
    CString(const CString& other);
    ~CString();

    CString& operator=(LPCSTR psz);
    CString& operator=(const CString& other);

    // Attributes
    int GetLength() const { return m_nLength; }
    BOOL IsEmpty() const { return m_nLength == 0; }
    operator LPCSTR() const { return m_pchData; }

    // Operations
    BOOL LoadString(UINT nID);
    // Buffer of at least nMinLength bytes plus terminator; ReleaseBuffer
    // recounts the length after the caller has written into it.
    LPSTR GetBuffer(int nMinLength);
    void ReleaseBuffer();

private:
    void Assign(LPCSTR psz, int nLength);

    LPSTR m_pchData;
    int m_nLength;
};
