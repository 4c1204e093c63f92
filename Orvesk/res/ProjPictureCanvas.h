// A character picture made in code, for the project dialogs' bitmaps that are too large or
// too regular to write out row by row. The rows live as long as the canvas; a canvas held
// in a function-local static serves the module's registration.
#pragma once

#include <ClassLib/Gdi/ResourceImages.h>

#include <string>
#include <vector>

class CProjPictureCanvas
{
public:
    CProjPictureCanvas(int nWidth, int nHeight, char chFill)
        : m_nWidth(nWidth), m_rows(nHeight, std::string(nWidth, chFill))
    {
    }

    void Set(int x, int y, char ch)
    {
        if (y >= 0 && y < (int)m_rows.size() && x >= 0 && x < m_nWidth)
            m_rows[y][x] = ch;
    }
    void Fill(int x, int y, int cx, int cy, char ch)
    {
        for (int j = y; j < y + cy; ++j)
            for (int i = x; i < x + cx; ++i)
                Set(i, j, ch);
    }
    void Frame(int x, int y, int cx, int cy, char ch)
    {
        Fill(x, y, cx, 1, ch);
        Fill(x, y + cy - 1, cx, 1, ch);
        Fill(x, y, 1, cy, ch);
        Fill(x + cx - 1, y, 1, cy, ch);
    }
    // Copies rows of text at (x, y); '.' in the text leaves the canvas as it is.
    void Draw(int x, int y, std::initializer_list<const char*> rows)
    {
        int j = y;
        for (const char* row : rows) {
            for (int i = 0; row[i] != '\0'; ++i)
                if (row[i] != '.')
                    Set(x + i, j, row[i]);
            ++j;
        }
    }

    // The resource record over the rows (valid while the canvas lives and is not changed).
    AFX_BITMAP_RESOURCE Resource(const AFX_PALETTE_CHAR* pPalette, int nPaletteSize)
    {
        m_pointers.clear();
        for (const std::string& row : m_rows)
            m_pointers.push_back(row.c_str());
        return AFX_BITMAP_RESOURCE{m_nWidth, (int)m_rows.size(), m_pointers.data(), pPalette, nPaletteSize,
                                   nullptr, 0, 4};
    }

private:
    int m_nWidth;
    std::vector<std::string> m_rows;
    std::vector<const char*> m_pointers;
};
