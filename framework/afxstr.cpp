#include "afxstr.h"
#include "afxapp.h"

#include <stdlib.h>
#include <string.h>

static char s_chNil = '\0';

CString::CString() : m_pchData(&s_chNil), m_nLength(0) {}

CString::CString(LPCSTR psz) : m_pchData(&s_chNil), m_nLength(0)
{
    *this = psz;
}

CString::CString(const CString& other) : m_pchData(&s_chNil), m_nLength(0)
{
    Assign(other.m_pchData, other.m_nLength);
}

CString::~CString()
{
    if (m_pchData != &s_chNil)
        free(m_pchData);
}

CString& CString::operator=(LPCSTR psz)
{
    Assign(psz, psz ? (int)strlen(psz) : 0);
    return *this;
}

CString& CString::operator=(const CString& other)
{
    if (this != &other)
        Assign(other.m_pchData, other.m_nLength);
    return *this;
}

void CString::Assign(LPCSTR psz, int nLength)
{
    // Copy first: psz may point into our own buffer.
    LPSTR pNew = &s_chNil;
    if (nLength > 0) {
        pNew = (LPSTR)malloc(nLength + 1);
        if (pNew == NULL)
            nLength = 0, pNew = &s_chNil;
        else {
            memcpy(pNew, psz, nLength);
            pNew[nLength] = '\0';
        }
    }
    if (m_pchData != &s_chNil)
        free(m_pchData);
    m_pchData = pNew;
    m_nLength = nLength;
}

LPSTR CString::GetBuffer(int nMinLength)
{
    if (nMinLength <= m_nLength && m_pchData != &s_chNil)
        return m_pchData;
    LPSTR pNew = (LPSTR)malloc(nMinLength + 1);
    if (pNew == NULL)
        return NULL;
    memcpy(pNew, m_pchData, m_nLength + 1);
    if (m_pchData != &s_chNil)
        free(m_pchData);
    m_pchData = pNew;
    return m_pchData;
}

void CString::ReleaseBuffer()
{
    m_nLength = (int)strlen(m_pchData);
}

BOOL CString::LoadString(UINT nID)
{
    // Resource strings are short; 256 bytes is MFC's own limit as well.
    char szBuf[256];
    int n = AfxLoadString(AfxGetResourceHandle(), nID, szBuf, sizeof szBuf);
    Assign(szBuf, n > 0 ? n : 0);
    return n > 0;
}
