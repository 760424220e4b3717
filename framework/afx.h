// afx.h: CObject, the temporary-object list, CPoint and CRect.
#pragma once
#include <windows.h>

// Base of every framework object that can be handed out as a temporary
// wrapper (FromHandle on a handle nobody owns).
class CObject
{
public:
    CObject() : m_pNextTemp(NULL) {}
    virtual ~CObject() {}

private:
    CObject(const CObject&);
    CObject& operator=(const CObject&);

    friend void AfxAddTempObject(CObject* pObject);
    friend void AfxFreeTempObjects();
    CObject* m_pNextTemp;
};

// Temporaries live until the outermost window message being handled
// returns (or until AfxFreeTempObjects is called outside any message).
void AfxAddTempObject(CObject* pObject);
void AfxFreeTempObjects();

class CPoint : public POINT
{
public:
    CPoint() { x = 0; y = 0; }
    CPoint(int nX, int nY) { x = nX; y = nY; }
    // Mouse messages pack signed 16-bit coordinates.
    explicit CPoint(LPARAM lParam) { x = (short)LOWORD(lParam); y = (short)HIWORD(lParam); }
};

class CRect : public RECT
{
public:
    CRect() { left = top = right = bottom = 0; }
    CRect(const RECT& rc) { *(RECT*)this = rc; }
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    void DeflateRect(int x, int y) { left += x; top += y; right -= x; bottom -= y; }
    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }
};
