// HoverButton.h: CHoverButton, the owner-drawn hyperlink-style button.
#pragma once
#include "../framework/afxwin.h"

class CHoverButton : public CButton
{
public:
    CHoverButton();
    virtual ~CHoverButton();

    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

protected:
    DECLARE_MESSAGE_MAP()
};
