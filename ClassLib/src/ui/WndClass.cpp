// Window classes, per module, looked up by name without case.
#include "WndInternal.h"

#include <ClassLib/Wnd/Cursor.h>
#include <ClassLib/Wnd/ScrollBar.h>
#include <ClassLib/Wnd/System.h>

#include <QString>

#include <cstdio>
#include <mutex>
#include <set>

namespace {

struct ClassTable
{
    std::mutex lock;
    std::vector<std::shared_ptr<AfxWndClassData>> classes;
    std::set<std::string> generatedNames;
    ATOM nextAtom = 0xC000;
};

ClassTable& Classes()
{
    static ClassTable* t = new ClassTable;
    return *t;
}

bool SameName(const std::string& a, LPCTSTR b)
{
    return b && QString::fromLatin1(a.c_str()).compare(QString::fromLatin1(b), Qt::CaseInsensitive) == 0;
}

std::shared_ptr<AfxWndClassData> Find(HINSTANCE hInstance, LPCTSTR lpszClassName, bool exactModule)
{
    if (!lpszClassName)
        return nullptr;
    ClassTable& t = Classes();
    std::lock_guard<std::mutex> g(t.lock);
    if (IS_INTRESOURCE(lpszClassName)) {
        ATOM atom = (ATOM)reinterpret_cast<uintptr_t>(lpszClassName);
        for (auto& c : t.classes)
            if ((ATOM)(uintptr_t)c->wc.lpszClassName == atom)
                return c;
        return nullptr;
    }
    for (auto& c : t.classes)
        if (c->wc.hInstance == hInstance && SameName(c->name, lpszClassName))
            return c;
    if (exactModule) {
        // Classes registered without a module, and global classes, serve every module.
        for (auto& c : t.classes)
            if ((c->wc.hInstance == nullptr || (c->wc.style & CS_GLOBALCLASS)) && SameName(c->name, lpszClassName))
                return c;
        return nullptr;
    }
    for (auto& c : t.classes)
        if (SameName(c->name, lpszClassName))
            return c;
    return nullptr;
}

ATOM Register(const WNDCLASS& wc, AFX_WIDGET_FACTORY factory)
{
    if (!wc.lpszClassName || IS_INTRESOURCE(wc.lpszClassName) || !*wc.lpszClassName)
        return 0;
    if (Find(wc.hInstance, wc.lpszClassName, true) &&
        Find(wc.hInstance, wc.lpszClassName, true)->wc.hInstance == wc.hInstance)
        return 0;
    auto c = std::make_shared<AfxWndClassData>();
    c->wc = wc;
    c->name = wc.lpszClassName;
    if (wc.lpszMenuName && !IS_INTRESOURCE(wc.lpszMenuName))
        c->menuName = wc.lpszMenuName;
    c->factory = factory;
    ClassTable& t = Classes();
    std::lock_guard<std::mutex> g(t.lock);
    c->wc.lpszClassName = nullptr;  // the name lives in c->name
    if (!c->wc.lpfnWndProc)
        c->wc.lpfnWndProc = &DefWindowProc;
    ATOM atom = t.nextAtom++;
    c->wc.lpszClassName = reinterpret_cast<LPCTSTR>((uintptr_t)atom);
    t.classes.push_back(c);
    return atom;
}

void Fill(const AfxWndClassData& c, LPWNDCLASS out)
{
    *out = c.wc;
    out->lpszClassName = c.name.c_str();
    if (!c.menuName.empty())
        out->lpszMenuName = c.menuName.c_str();
}

}  // namespace

std::shared_ptr<AfxWndClassData> AfxFindClass(HINSTANCE hInstance, LPCTSTR lpszClassName)
{
    auto c = Find(hInstance, lpszClassName, true);
    return c ? c : Find(hInstance, lpszClassName, false);
}

ATOM RegisterClass(const WNDCLASS* lpWndClass)
{
    return lpWndClass ? Register(*lpWndClass, nullptr) : 0;
}

ATOM RegisterClassEx(const WNDCLASSEX* lpWndClass)
{
    if (!lpWndClass || lpWndClass->cbSize != sizeof(WNDCLASSEX))
        return 0;
    WNDCLASS wc{lpWndClass->style,        lpWndClass->lpfnWndProc, lpWndClass->cbClsExtra,
                lpWndClass->cbWndExtra,   lpWndClass->hInstance,   lpWndClass->hIcon,
                lpWndClass->hCursor,      lpWndClass->hbrBackground, lpWndClass->lpszMenuName,
                lpWndClass->lpszClassName};
    return Register(wc, nullptr);
}

BOOL AfxRegisterWidgetClass(HINSTANCE hInstance, LPCTSTR lpszClassName, UINT nClassStyle, WNDPROC lpfnWndProc,
                            AFX_WIDGET_FACTORY pfnFactory)
{
    WNDCLASS wc{};
    wc.style = nClassStyle;
    wc.lpfnWndProc = lpfnWndProc ? lpfnWndProc : &DefWindowProc;
    wc.hInstance = hInstance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = lpszClassName;
    return Register(wc, pfnFactory) != 0;
}

BOOL UnregisterClass(LPCTSTR lpClassName, HINSTANCE hInstance)
{
    ClassTable& t = Classes();
    std::lock_guard<std::mutex> g(t.lock);
    for (auto it = t.classes.begin(); it != t.classes.end(); ++it)
        if ((*it)->wc.hInstance == hInstance && SameName((*it)->name, lpClassName)) {
            t.classes.erase(it);  // windows of the class keep their own reference
            return TRUE;
        }
    return FALSE;
}

BOOL GetClassInfo(HINSTANCE hInstance, LPCTSTR lpClassName, LPWNDCLASS lpWndClass)
{
    auto c = Find(hInstance, lpClassName, true);
    if (!c)
        return FALSE;
    if (lpWndClass)
        Fill(*c, lpWndClass);
    return TRUE;
}

BOOL GetClassInfoEx(HINSTANCE hInstance, LPCTSTR lpClassName, LPWNDCLASSEX lpWndClass)
{
    WNDCLASS wc;
    if (!GetClassInfo(hInstance, lpClassName, &wc))
        return FALSE;
    if (lpWndClass) {
        lpWndClass->cbSize = sizeof(WNDCLASSEX);
        lpWndClass->style = wc.style;
        lpWndClass->lpfnWndProc = wc.lpfnWndProc;
        lpWndClass->cbClsExtra = wc.cbClsExtra;
        lpWndClass->cbWndExtra = wc.cbWndExtra;
        lpWndClass->hInstance = wc.hInstance;
        lpWndClass->hIcon = wc.hIcon;
        lpWndClass->hCursor = wc.hCursor;
        lpWndClass->hbrBackground = wc.hbrBackground;
        lpWndClass->lpszMenuName = wc.lpszMenuName;
        lpWndClass->lpszClassName = wc.lpszClassName;
        lpWndClass->hIconSm = wc.hIcon;
    }
    return TRUE;
}

int GetClassName(HWND hWnd, LPTSTR lpClassName, int nMaxCount)
{
    AfxWindow* w = AfxWindowOf(hWnd);
    if (!w || !w->cls || !lpClassName || nMaxCount <= 0)
        return 0;
    int n = std::min((int)w->cls->name.size(), nMaxCount - 1);
    std::memcpy(lpClassName, w->cls->name.data(), (size_t)n);
    lpClassName[n] = 0;
    return n;
}

ULONG_PTR GetClassLongPtr(HWND hWnd, int nIndex)
{
    AfxWindow* w = AfxWindowOf(hWnd);
    if (!w || !w->cls)
        return 0;
    switch (nIndex) {
    case GCL_STYLE: return w->cls->wc.style;
    case GCL_HCURSOR: return reinterpret_cast<ULONG_PTR>(w->cls->wc.hCursor);
    case GCL_HBRBACKGROUND: return reinterpret_cast<ULONG_PTR>(w->cls->wc.hbrBackground);
    case GCL_HICON: return reinterpret_cast<ULONG_PTR>(w->cls->wc.hIcon);
    case GCL_WNDPROC: return reinterpret_cast<ULONG_PTR>(w->cls->wc.lpfnWndProc);
    case GCL_HMODULE: return reinterpret_cast<ULONG_PTR>(w->cls->wc.hInstance);
    default: return 0;
    }
}

ULONG_PTR SetClassLongPtr(HWND hWnd, int nIndex, LONG_PTR dwNewLong)
{
    AfxWindow* w = AfxWindowOf(hWnd);
    if (!w || !w->cls)
        return 0;
    ULONG_PTR old = GetClassLongPtr(hWnd, nIndex);
    switch (nIndex) {
    case GCL_STYLE: w->cls->wc.style = (UINT)dwNewLong; break;
    case GCL_HCURSOR: w->cls->wc.hCursor = reinterpret_cast<HCURSOR>(dwNewLong); break;
    case GCL_HBRBACKGROUND: w->cls->wc.hbrBackground = reinterpret_cast<HBRUSH>(dwNewLong); break;
    case GCL_HICON: w->cls->wc.hIcon = reinterpret_cast<HICON>(dwNewLong); break;
    case GCL_WNDPROC: w->cls->wc.lpfnWndProc = reinterpret_cast<WNDPROC>(dwNewLong); break;
    default: return 0;
    }
    return old;
}

DWORD GetClassLong(HWND hWnd, int nIndex) { return (DWORD)GetClassLongPtr(hWnd, nIndex); }
DWORD SetClassLong(HWND hWnd, int nIndex, LONG dwNewLong) { return (DWORD)SetClassLongPtr(hWnd, nIndex, dwNewLong); }

BOOL AfxRegisterClass(WNDCLASS* lpWndClass)
{
    if (!lpWndClass)
        return FALSE;
    WNDCLASS existing;
    if (GetClassInfo(lpWndClass->hInstance, lpWndClass->lpszClassName, &existing))
        return TRUE;
    return RegisterClass(lpWndClass) != 0;
}

LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    char name[96];
    HINSTANCE hInst = AfxGetInstanceHandle();
    std::snprintf(name, sizeof(name), "Afx:%p:%x:%p:%p:%p", (void*)hInst, nClassStyle, (void*)hCursor,
                  (void*)hbrBackground, (void*)hIcon);
    ClassTable& t = Classes();
    const char* stable;
    {
        std::lock_guard<std::mutex> g(t.lock);
        stable = t.generatedNames.insert(name).first->c_str();
    }
    WNDCLASS wc{};
    if (GetClassInfo(hInst, stable, &wc))
        return stable;
    wc.style = nClassStyle;
    wc.lpfnWndProc = &DefWindowProc;
    wc.hInstance = hInst;
    wc.hIcon = hIcon;
    wc.hCursor = hCursor;
    wc.hbrBackground = hbrBackground;
    wc.lpszClassName = stable;
    RegisterClass(&wc);
    return stable;
}

void AfxEnsureDefaultClasses()
{
    WNDCLASS wc{};
    AfxRegisterScrollBarClass();
    if (GetClassInfo(nullptr, AFX_WND_CLASS, &wc))
        return;
    wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = &DefWindowProc;
    wc.hInstance = nullptr;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>((uintptr_t)(COLOR_WINDOW + 1));
    wc.lpszClassName = AFX_WND_CLASS;
    RegisterClass(&wc);
}
