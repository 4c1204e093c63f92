// Character formats of the rich edit control (EM_SETCHARFORMAT, EM_GETCHARFORMAT): the
// colour, the effects, the height and the face of the text, for the whole text (SCF_ALL),
// the selection (SCF_SELECTION) or the default format (SCF_DEFAULT).
#pragma once

#include <ClassLib/Controls/CommonControls.h>
#include <ClassLib/Gdi/GdiTypes.h>

#ifndef EM_GETCHARFORMAT
#define EM_GETCHARFORMAT (PC_WM_USER + 58)
#endif

#define SCF_DEFAULT 0x0000
#define SCF_SELECTION 0x0001
#define SCF_WORD 0x0002
#define SCF_ALL 0x0004

#define CFM_BOLD 0x00000001
#define CFM_ITALIC 0x00000002
#define CFM_UNDERLINE 0x00000004
#define CFM_STRIKEOUT 0x00000008
#define CFM_PROTECTED 0x00000010
#define CFM_CHARSET 0x08000000
#define CFM_FACE 0x20000000
#define CFM_COLOR 0x40000000
#define CFM_SIZE 0x80000000

#define CFE_BOLD 0x00000001
#define CFE_ITALIC 0x00000002
#define CFE_UNDERLINE 0x00000004
#define CFE_STRIKEOUT 0x00000008
#define CFE_PROTECTED 0x00000010
#define CFE_AUTOCOLOR 0x40000000

typedef struct _charformat
{
    UINT cbSize;
    DWORD dwMask;
    DWORD dwEffects;
    LONG yHeight;  // twips
    LONG yOffset;
    COLORREF crTextColor;
    BYTE bCharSet;
    BYTE bPitchAndFamily;
    char szFaceName[LF_FACESIZE];
} CHARFORMAT, CHARFORMATA;
