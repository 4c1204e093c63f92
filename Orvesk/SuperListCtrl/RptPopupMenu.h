// CRptPopupMenu: an owner-drawn popup menu that shows toolbar images beside its commands,
// a tab-split text (command left, shortcut right) and embossed disabled items.
#pragma once

#include <ClassLib/AfxWin.h>

#include <vector>

// Item kinds kept in a record's image field (negative).
#define RPTMENU_SUBMENU -2
#define RPTMENU_SEPARATOR -3
#define RPTMENU_TOPTITLE -4

class CRptPopupMenu : public CMenu
{
public:
    struct CItem
    {
        int nImage;   // image index, or the item's kind when negative
        UINT nCmd;    // command id, or the kind
        char szText[128];
    };

    CRptPopupMenu();
    ~CRptPopupMenu() override;

    BOOL LoadToolBar(UINT nIDResource);
    BOOL AddToolBar(UINT nIDResource);
    int FindImage(UINT nCmd) const;
    void ConvertMenu(CMenu* pMenu) { ConvertMenu(pMenu, 1); }
    void UpdateMenuState(CMenu* pMenu, CCmdTarget* pTarget);
    void SetMenuFont(CFont* pFont) { m_pChosenFont = pFont; }

    void MeasureItem(LPMEASUREITEMSTRUCT lpMIS) override;
    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;

    CSize GetImageSize() const { return m_sizeImage; }
    CImageList& GetImageList() { return m_images; }

protected:
    CImageList m_images;
    CSize m_sizeImage = CSize(20, 20);
    std::vector<std::pair<int, UINT>> m_imageMap;  // (image index, command id)
    std::vector<CItem*> m_items;
    CFont m_fontMenu, m_fontBold;
    CFont* m_pChosenFont = nullptr;
    COLORREF m_clrText, m_clrHiText, m_clrFace, m_clrMenu, m_clrHighlight, m_clr3dHi, m_clr3dShadow, m_clrGray;

    void ConvertMenu(CMenu* pMenu, int nDepth);
    CItem* NewItem(int nImage, UINT nCmd, LPCTSTR lpszText);
    CFont* TextFont();
    BOOL AddImages(UINT nIDResource, BOOL bFirst);
};
