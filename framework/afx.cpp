#include "afx.h"

static CObject* s_pTempHead = NULL;

void AfxAddTempObject(CObject* pObject)
{
    pObject->m_pNextTemp = s_pTempHead;
    s_pTempHead = pObject;
}

void AfxFreeTempObjects()
{
    while (s_pTempHead != NULL) {
        CObject* p = s_pTempHead;
        s_pTempHead = p->m_pNextTemp;
        delete p;
    }
}
