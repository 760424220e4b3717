// afxwin.h: the whole framework stand-in, for the program's own files.
#pragma once
#include "afx.h"
#include "afxstr.h"
#include "afxmsg.h"
#include "afxwnd.h"
#include "afxgdi.h"
#include "afxdd.h"
#include "afxdlg.h"
#include "afxapp.h"
