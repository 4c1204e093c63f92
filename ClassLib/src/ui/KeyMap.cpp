// Qt keys and virtual-key codes.
#include "WndWidget.h"

#include <ClassLib/Wnd/Keys.h>

namespace {

struct KeyPair
{
    int qt;
    UINT vk;
};

const KeyPair kKeys[] = {
    {Qt::Key_Backspace, VK_BACK},   {Qt::Key_Tab, VK_TAB},         {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Clear, VK_CLEAR},      {Qt::Key_Return, VK_RETURN},   {Qt::Key_Enter, VK_RETURN},
    {Qt::Key_Shift, VK_SHIFT},      {Qt::Key_Control, VK_CONTROL}, {Qt::Key_Alt, VK_MENU},
    {Qt::Key_AltGr, VK_MENU},       {Qt::Key_Pause, VK_PAUSE},     {Qt::Key_CapsLock, VK_CAPITAL},
    {Qt::Key_Escape, VK_ESCAPE},    {Qt::Key_Space, VK_SPACE},     {Qt::Key_PageUp, VK_PRIOR},
    {Qt::Key_PageDown, VK_NEXT},    {Qt::Key_End, VK_END},         {Qt::Key_Home, VK_HOME},
    {Qt::Key_Left, VK_LEFT},        {Qt::Key_Up, VK_UP},           {Qt::Key_Right, VK_RIGHT},
    {Qt::Key_Down, VK_DOWN},        {Qt::Key_Select, VK_SELECT},   {Qt::Key_Print, VK_SNAPSHOT},
    {Qt::Key_Execute, VK_EXECUTE},  {Qt::Key_Insert, VK_INSERT},   {Qt::Key_Delete, VK_DELETE},
    {Qt::Key_Help, VK_HELP},        {Qt::Key_Meta, VK_LWIN},       {Qt::Key_Super_L, VK_LWIN},
    {Qt::Key_Super_R, VK_RWIN},     {Qt::Key_Menu, VK_APPS},       {Qt::Key_NumLock, VK_NUMLOCK},
    {Qt::Key_ScrollLock, VK_SCROLL}, {Qt::Key_Semicolon, VK_OEM_1}, {Qt::Key_Colon, VK_OEM_1},
    {Qt::Key_Equal, VK_OEM_PLUS},   {Qt::Key_Plus, VK_OEM_PLUS},   {Qt::Key_Comma, VK_OEM_COMMA},
    {Qt::Key_Less, VK_OEM_COMMA},   {Qt::Key_Minus, VK_OEM_MINUS}, {Qt::Key_Underscore, VK_OEM_MINUS},
    {Qt::Key_Period, VK_OEM_PERIOD}, {Qt::Key_Greater, VK_OEM_PERIOD}, {Qt::Key_Slash, VK_OEM_2},
    {Qt::Key_Question, VK_OEM_2},   {Qt::Key_QuoteLeft, VK_OEM_3}, {Qt::Key_AsciiTilde, VK_OEM_3},
    {Qt::Key_BracketLeft, VK_OEM_4}, {Qt::Key_BraceLeft, VK_OEM_4}, {Qt::Key_Backslash, VK_OEM_5},
    {Qt::Key_Bar, VK_OEM_5},        {Qt::Key_BracketRight, VK_OEM_6}, {Qt::Key_BraceRight, VK_OEM_6},
    {Qt::Key_Apostrophe, VK_OEM_7}, {Qt::Key_QuoteDbl, VK_OEM_7},
    {Qt::Key_Exclam, '1'},          {Qt::Key_At, '2'},             {Qt::Key_NumberSign, '3'},
    {Qt::Key_Dollar, '4'},          {Qt::Key_Percent, '5'},        {Qt::Key_AsciiCircum, '6'},
    {Qt::Key_Ampersand, '7'},       {Qt::Key_Asterisk, '8'},       {Qt::Key_ParenLeft, '9'},
    {Qt::Key_ParenRight, '0'},
};

}  // namespace

UINT AfxVirtualKeyOf(int qtKey, Qt::KeyboardModifiers mods, quint32 nativeScanCode)
{
    (void)nativeScanCode;
    if (mods & Qt::KeypadModifier) {
        if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
            return VK_NUMPAD0 + (UINT)(qtKey - Qt::Key_0);
        switch (qtKey) {
        case Qt::Key_Asterisk: return VK_MULTIPLY;
        case Qt::Key_Plus: return VK_ADD;
        case Qt::Key_Minus: return VK_SUBTRACT;
        case Qt::Key_Period: return VK_DECIMAL;
        case Qt::Key_Slash: return VK_DIVIDE;
        default: break;
        }
    }
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return 'A' + (UINT)(qtKey - Qt::Key_A);
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return '0' + (UINT)(qtKey - Qt::Key_0);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return VK_F1 + (UINT)(qtKey - Qt::Key_F1);
    for (const KeyPair& k : kKeys)
        if (k.qt == qtKey)
            return k.vk;
    return 0;
}

int AfxQtKeyOf(UINT vk)
{
    if (vk >= 'A' && vk <= 'Z')
        return Qt::Key_A + (int)(vk - 'A');
    if (vk >= '0' && vk <= '9')
        return Qt::Key_0 + (int)(vk - '0');
    if (vk >= VK_F1 && vk <= VK_F24)
        return Qt::Key_F1 + (int)(vk - VK_F1);
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9)
        return Qt::Key_0 + (int)(vk - VK_NUMPAD0);
    switch (vk) {
    case VK_MULTIPLY: return Qt::Key_Asterisk;
    case VK_ADD: return Qt::Key_Plus;
    case VK_SUBTRACT: return Qt::Key_Minus;
    case VK_DECIMAL: return Qt::Key_Period;
    case VK_DIVIDE: return Qt::Key_Slash;
    default: break;
    }
    for (const KeyPair& k : kKeys)
        if (k.vk == vk)
            return k.qt;
    return Qt::Key_unknown;
}

QString AfxKeyText(UINT vk, Qt::KeyboardModifiers mods)
{
    bool shift = mods & Qt::ShiftModifier;
    bool ctrl = mods & Qt::ControlModifier;
    if (ctrl) {
        if (vk >= 'A' && vk <= 'Z')
            return QString(QChar((ushort)(vk - 'A' + 1)));  // Ctrl+A is character 1
        if (vk == VK_RETURN)
            return QString(QChar(10));
        if (vk == VK_BACK)
            return QString(QChar(127));
        return QString();
    }
    if (vk >= 'A' && vk <= 'Z')
        return QString(QChar((ushort)(shift ? vk : vk - 'A' + 'a')));
    if (vk >= '0' && vk <= '9') {
        static const char kShifted[] = ")!@#$%^&*(";
        return QString(QChar((ushort)(shift ? kShifted[vk - '0'] : vk)));
    }
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9)
        return QString(QChar((ushort)('0' + vk - VK_NUMPAD0)));
    switch (vk) {
    case VK_SPACE: return QStringLiteral(" ");
    case VK_RETURN: return QString(QChar(13));
    case VK_TAB: return shift ? QString() : QString(QChar(9));
    case VK_BACK: return QString(QChar(8));
    case VK_ESCAPE: return QString(QChar(27));
    case VK_MULTIPLY: return QStringLiteral("*");
    case VK_ADD: return QStringLiteral("+");
    case VK_SUBTRACT: return QStringLiteral("-");
    case VK_DECIMAL: return QStringLiteral(".");
    case VK_DIVIDE: return QStringLiteral("/");
    case VK_OEM_1: return shift ? QStringLiteral(":") : QStringLiteral(";");
    case VK_OEM_PLUS: return shift ? QStringLiteral("+") : QStringLiteral("=");
    case VK_OEM_COMMA: return shift ? QStringLiteral("<") : QStringLiteral(",");
    case VK_OEM_MINUS: return shift ? QStringLiteral("_") : QStringLiteral("-");
    case VK_OEM_PERIOD: return shift ? QStringLiteral(">") : QStringLiteral(".");
    case VK_OEM_2: return shift ? QStringLiteral("?") : QStringLiteral("/");
    case VK_OEM_3: return shift ? QStringLiteral("~") : QStringLiteral("`");
    case VK_OEM_4: return shift ? QStringLiteral("{") : QStringLiteral("[");
    case VK_OEM_5: return shift ? QStringLiteral("|") : QStringLiteral("\\");
    case VK_OEM_6: return shift ? QStringLiteral("}") : QStringLiteral("]");
    case VK_OEM_7: return shift ? QStringLiteral("\"") : QStringLiteral("'");
    default: return QString();
    }
}
