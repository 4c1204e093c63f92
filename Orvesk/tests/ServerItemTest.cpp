// The project document's server item: its extent, its empty picture and what it stores.
#include <gtest/gtest.h>

#include "OrveskTestSupport.h"
#include "ProjectDoc.h"
#include "SrvrItem.h"
#include "TestProjects.h"

TEST(ServerItem, ContentExtentIsFixedAndOtherAspectsAreTheBaseItems)
{
    CProjectDoc doc;
    // The item class is the library's own: reach it through its base.
    COleServerItem* pItem = doc.GetEmbeddedItem();
    ASSERT_NE(pItem, nullptr);
    EXPECT_EQ(pItem, doc.GetEmbeddedItem()); // made once
    EXPECT_EQ(pItem->COleServerItem::GetDocument(), &doc);

    CSize size(1, 1);
    EXPECT_TRUE(pItem->OnGetExtent(DVASPECT_CONTENT, size));
    EXPECT_EQ(size, CSize(3000, 3000));
    CSize other(7, 7);
    EXPECT_FALSE(pItem->OnGetExtent(4 /* icon aspect */, other));
}

TEST(ServerItem, EmbeddedItemStoresTheWholeDocumentAndReadsItBack)
{
    CProjectDoc doc;
    doc.m_ProjectInfo.m_strName = "服务器项目";
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        static_cast<COleServerItem*>(doc.GetEmbeddedItem())->Serialize(ar);
    }
    EXPECT_GT(file.GetLength(), 0u);

    file.SeekToBegin();
    CProjectDoc copy;
    {
        CArchive ar(&file, CArchive::load);
        static_cast<COleServerItem*>(copy.GetEmbeddedItem())->Serialize(ar);
    }
    EXPECT_EQ(copy.m_ProjectInfo.m_strName, CString("服务器项目"));
}
