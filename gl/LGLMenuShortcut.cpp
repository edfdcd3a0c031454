// Reading the bracketed shortcut out of a menu item's label.
#include <cctype>
#include <cstdlib>

#include "core/LString.h"
#include "gl/LGLMenu.h"

namespace {

struct NamedKey {
    const char* name;
    int code;
    bool special;
};

// Compared case-sensitively, as written in labels.
const NamedKey NAMED_KEYS[] = {
    {"esc", 27, false},     {"tab", 9, false},     {"enter", 13, false}, {"space", 32, false},
    {"delete", 127, false}, {"insert", 108, true}, {"up", 101, true},    {"down", 103, true},
    {"right", 102, true},   {"left", 100, true},
};

const int LARGEST_CODE = 255;

int modifierOf(const std::string& word) {
    const std::string w = LString::LowerCase(word);
    if (w == "ctrl")
        return LGLMenu::CTRL;
    if (w == "alt")
        return LGLMenu::ALT;
    if (w == "shift")
        return LGLMenu::SHIFT;
    return 0;
}

// A code outside 1 ... 255 gives no key.
unsigned char keyCode(long code) {
    return (code > 0 && code <= LARGEST_CODE) ? (unsigned char)code : 0;
}

void readKeyText(const std::string& text, menuItem& item) {
    item.key = 0;
    item.isSpecialKey = false;
    if (text.size() == 1) {
        item.key = (unsigned char)std::tolower((unsigned char)text[0]);
        return;
    }
    if (text.size() > 1 && text[0] == 'F') {
        item.key = keyCode(std::atol(text.c_str() + 1));
        item.isSpecialKey = item.key != 0;
    }
    for (const NamedKey& k : NAMED_KEYS) {
        if (item.key == 0 && text == k.name) {
            item.key = (unsigned char)k.code;
            item.isSpecialKey = k.special;
        }
    }
    if (item.key == 0 && text.size() > 1)
        item.key = keyCode(std::atol(text.c_str()));
}

} // namespace

void LGLMenu::parseShortcut(const std::string& source, menuItem& item) {
    item.label = source;
    item.shortcutText.clear();
    item.key = 0;
    item.isSpecialKey = false;
    item.modifiers = 0;
    const size_t open = source.rfind('[');
    if (open == std::string::npos)
        return;
    const size_t close = source.rfind(']');
    const size_t end = (close == std::string::npos || close < open) ? source.size() : close;
    const std::string shortcut = source.substr(open + 1, end - open - 1);
    const std::string before = source.substr(0, open);
    item.label = LString::trimSpaces(before.empty() ? before : before.substr(0, before.size() - 1));

    std::string keyText = shortcut;
    if (shortcut.find('-') != std::string::npos) {
        // Modifiers, then the key: "Ctrl-S", "Ctrl-Shift-S".
        const std::vector<std::string> parts = LString::split(shortcut, "-");
        const size_t last = parts.size() > 1 ? parts.size() - 1 : 1;
        item.shortcutText.clear();
        for (size_t i = 0; i < last && i < parts.size(); ++i) {
            item.modifiers |= modifierOf(parts[i]);
            item.shortcutText += parts[i] + "-";
        }
        keyText = parts.size() > 1 ? parts[last] : std::string();
        item.shortcutText += keyText;
    } else {
        item.shortcutText = keyText;
    }
    readKeyText(keyText, item);
}
