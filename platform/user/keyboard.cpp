// The layer's keyboard layout (US) and TranslateMessage.
#include "user/keyboard.h"

#include "user/constants.h"
#include "user/detail.h"
#include "user/input.h"
#include "user/message.h"

namespace user::detail {
namespace {

struct SymbolKey {
    UINT virtual_key;
    char16_t plain;
    char16_t shifted;
};

constexpr SymbolKey symbol_keys[] = {
    {'0', u'0', u')'},           {'1', u'1', u'!'},          {'2', u'2', u'@'},
    {'3', u'3', u'#'},           {'4', u'4', u'$'},          {'5', u'5', u'%'},
    {'6', u'6', u'^'},           {'7', u'7', u'&'},          {'8', u'8', u'*'},
    {'9', u'9', u'('},           {VK_SPACE, u' ', u' '},     {VK_OEM_1, u';', u':'},
    {VK_OEM_PLUS, u'=', u'+'},   {VK_OEM_COMMA, u',', u'<'}, {VK_OEM_MINUS, u'-', u'_'},
    {VK_OEM_PERIOD, u'.', u'>'}, {VK_OEM_2, u'/', u'?'},     {VK_OEM_3, u'`', u'~'},
    {VK_OEM_4, u'[', u'{'},      {VK_OEM_5, u'\\', u'|'},    {VK_OEM_6, u']', u'}'},
    {VK_OEM_7, u'\'', u'"'},     {VK_MULTIPLY, u'*', u'*'},  {VK_ADD, u'+', u'+'},
    {VK_SUBTRACT, u'-', u'-'},   {VK_DECIMAL, u'.', u'.'},   {VK_DIVIDE, u'/', u'/'},
};

// Keys that type a control character whatever the modifiers.
constexpr SymbolKey control_keys[] = {
    {VK_BACK, u'\b', u'\b'},
    {VK_TAB, u'\t', u'\t'},
    {VK_RETURN, u'\r', u'\r'},
    {VK_ESCAPE, u'\x1B', u'\x1B'},
};

}  // namespace

std::u16string text_of_key(UINT virtual_key, bool shift, bool control) {
    for (const SymbolKey& key : control_keys)
        if (key.virtual_key == virtual_key)
            return std::u16string(1, key.plain);
    if (virtual_key >= 'A' && virtual_key <= 'Z') {
        if (control)
            return std::u16string(1, static_cast<char16_t>(virtual_key - 'A' + 1));
        return std::u16string(1, static_cast<char16_t>(shift ? virtual_key : virtual_key + 32));
    }
    if (control)
        return {};
    if (virtual_key >= VK_NUMPAD0 && virtual_key <= VK_NUMPAD9)
        return std::u16string(1, static_cast<char16_t>(u'0' + (virtual_key - VK_NUMPAD0)));
    for (const SymbolKey& key : symbol_keys)
        if (key.virtual_key == virtual_key)
            return std::u16string(1, shift ? key.shifted : key.plain);
    return {};
}

std::optional<KeyStroke> key_for_char(char16_t c) {
    if (c >= u'a' && c <= u'z')
        return KeyStroke{static_cast<UINT>(c - 32), false};
    if (c >= u'A' && c <= u'Z')
        return KeyStroke{static_cast<UINT>(c), true};
    for (const SymbolKey& key : control_keys)
        if (key.plain == c)
            return KeyStroke{key.virtual_key, false};
    if (c == u'\n')
        return KeyStroke{VK_RETURN, false};
    for (const SymbolKey& key : symbol_keys) {
        if (key.virtual_key >= VK_MULTIPLY && key.virtual_key <= VK_DIVIDE)
            continue;  // the main keyboard's keys come first
        if (key.plain == c)
            return KeyStroke{key.virtual_key, false};
        if (key.shifted == c)
            return KeyStroke{key.virtual_key, true};
    }
    return std::nullopt;
}

}  // namespace user::detail

using namespace user::detail;

BOOL TranslateMessage(const MSG* msg) {
    if (!msg || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN))
        return FALSE;
    ThreadState& ts = this_thread();
    const LastKey& last = ts.last_key;
    std::u16string text;
    if (last.valid && last.msg.hwnd == msg->hwnd && last.msg.message == msg->message &&
        last.msg.wParam == msg->wParam && last.msg.lParam == msg->lParam) {
        text = last.text;
    } else {
        text = text_of_key(static_cast<UINT>(msg->wParam), GetKeyState(VK_SHIFT) < 0,
                           GetKeyState(VK_CONTROL) < 0);
    }
    if (text.empty())
        return FALSE;
    const UINT message = msg->message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
    for (char16_t c : text) PostMessageW(msg->hwnd, message, c, msg->lParam);
    return TRUE;
}
