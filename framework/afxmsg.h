// afxmsg.h: CCmdTarget and message maps.
//
// A class's map lists (message, notification code, control id, handler
// signature, handler) in declared order; the first matching entry wins,
// and a class without a match falls through to its base class's map.
#pragma once
#include "afx.h"

class CCmdTarget;
class CWnd;
class CDC;

typedef void (CCmdTarget::*AFX_PMSG)();

enum AfxSig
{
    AfxSig_end = 0,
    AfxSig_vv,    // void ()                       commands, WM_PAINT
    AfxSig_vwp,   // void (UINT, CPoint)           mouse messages
    AfxSig_bWww,  // BOOL (CWnd*, UINT, UINT)      WM_SETCURSOR
    AfxSig_vw,    // void (UINT)                   WM_TIMER
    AfxSig_is,    // int (LPCREATESTRUCT)          WM_CREATE
    AfxSig_bD,    // BOOL (CDC*)                   WM_ERASEBKGND
    AfxSig_vwl,   // void (UINT, LPARAM)           WM_SYSCOMMAND
    AfxSig_hv,    // HCURSOR ()                    WM_QUERYDRAGICON
    AfxSig_vW,    // void (CWnd*)                  WM_SETFOCUS (the window in wParam)
    AfxSig_vW2,   // void (CWnd*)                  WM_CAPTURECHANGED (the window in lParam)
    AfxSig_vwww,  // void (UINT, UINT, UINT)       WM_KEYDOWN
    AfxSig_lwl    // LRESULT (WPARAM, LPARAM)      ON_MESSAGE
};

struct AFX_MSGMAP_ENTRY
{
    UINT nMessage;
    UINT nCode;   // notification code, for WM_COMMAND
    UINT nID;     // control or command id, for WM_COMMAND
    UINT nSig;    // AfxSig
    AFX_PMSG pfn;
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

#define DECLARE_MESSAGE_MAP() \
protected: \
    static const AFX_MSGMAP* GetThisMessageMap(); \
    virtual const AFX_MSGMAP* GetMessageMap() const; \
private:

#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap() \
    { \
        using ThisClass [[maybe_unused]] = theClass; \
        using TheBaseClass = baseClass; \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP() \
            { 0, 0, 0, AfxSig_end, (AFX_PMSG)0 } \
        }; \
        static const AFX_MSGMAP messageMap = \
            { &TheBaseClass::GetThisMessageMap, &_messageEntries[0] }; \
        return &messageMap; \
    }

#define AFX_MSG_ENTRY(msg, sig, type, fn) \
    { msg, 0, 0, sig, reinterpret_cast<AFX_PMSG>(static_cast<type>(&ThisClass::fn)) },

// void OnCommand()
#define ON_COMMAND(id, fn) \
    { WM_COMMAND, 0, (UINT)(id), AfxSig_vv, static_cast<AFX_PMSG>(&ThisClass::fn) },
// void OnClicked()
#define ON_BN_CLICKED(id, fn) \
    { WM_COMMAND, BN_CLICKED, (UINT)(id), AfxSig_vv, static_cast<AFX_PMSG>(&ThisClass::fn) },
// void OnMouseMove(UINT nFlags, CPoint point)
#define ON_WM_MOUSEMOVE() \
    AFX_MSG_ENTRY(WM_MOUSEMOVE, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnMouseMove)
// void OnLButtonDown(UINT nFlags, CPoint point)
#define ON_WM_LBUTTONDOWN() \
    AFX_MSG_ENTRY(WM_LBUTTONDOWN, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnLButtonDown)
// void OnLButtonUp(UINT nFlags, CPoint point)
#define ON_WM_LBUTTONUP() \
    AFX_MSG_ENTRY(WM_LBUTTONUP, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnLButtonUp)
// BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
#define ON_WM_SETCURSOR() \
    AFX_MSG_ENTRY(WM_SETCURSOR, AfxSig_bWww, BOOL (CWnd::*)(CWnd*, UINT, UINT), OnSetCursor)
// void OnTimer(UINT nIDEvent)
#define ON_WM_TIMER() \
    AFX_MSG_ENTRY(WM_TIMER, AfxSig_vw, void (CWnd::*)(UINT), OnTimer)
// int OnCreate(LPCREATESTRUCT lpCreateStruct)
#define ON_WM_CREATE() \
    AFX_MSG_ENTRY(WM_CREATE, AfxSig_is, int (CWnd::*)(LPCREATESTRUCT), OnCreate)
// BOOL OnEraseBkgnd(CDC* pDC)
#define ON_WM_ERASEBKGND() \
    AFX_MSG_ENTRY(WM_ERASEBKGND, AfxSig_bD, BOOL (CWnd::*)(CDC*), OnEraseBkgnd)
// void OnSysCommand(UINT nID, LPARAM lParam)
#define ON_WM_SYSCOMMAND() \
    AFX_MSG_ENTRY(WM_SYSCOMMAND, AfxSig_vwl, void (CWnd::*)(UINT, LPARAM), OnSysCommand)
// void OnPaint()
#define ON_WM_PAINT() \
    AFX_MSG_ENTRY(WM_PAINT, AfxSig_vv, void (CWnd::*)(), OnPaint)
// void OnCaptureChanged(CWnd* pWnd)
#define ON_WM_CAPTURECHANGED() \
    AFX_MSG_ENTRY(WM_CAPTURECHANGED, AfxSig_vW2, void (CWnd::*)(CWnd*), OnCaptureChanged)
// void OnSetFocus(CWnd* pOldWnd)
#define ON_WM_SETFOCUS() \
    AFX_MSG_ENTRY(WM_SETFOCUS, AfxSig_vW, void (CWnd::*)(CWnd*), OnSetFocus)
// void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
#define ON_WM_KEYDOWN() \
    AFX_MSG_ENTRY(WM_KEYDOWN, AfxSig_vwww, void (CWnd::*)(UINT, UINT, UINT), OnKeyDown)
// LRESULT OnMessage(WPARAM wParam, LPARAM lParam)
#define ON_MESSAGE(message, fn) \
    { message, 0, 0, AfxSig_lwl, reinterpret_cast<AFX_PMSG>(static_cast<LRESULT (CWnd::*)(WPARAM, LPARAM)>(&ThisClass::fn)) },
// void OnDestroy()
#define ON_WM_DESTROY() \
    AFX_MSG_ENTRY(WM_DESTROY, AfxSig_vv, void (CWnd::*)(), OnDestroy)
// HCURSOR OnQueryDragIcon()
#define ON_WM_QUERYDRAGICON() \
    AFX_MSG_ENTRY(WM_QUERYDRAGICON, AfxSig_hv, HCURSOR (CWnd::*)(), OnQueryDragIcon)

class CCmdTarget : public CObject
{
public:
    // Runs the command handler of this object's map for (id, code), if any.
    virtual BOOL OnCmdMsg(UINT nID, int nCode);

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

    // First entry of the map chain that handles the message.
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT nMessage, UINT nCode, UINT nID) const;
};
