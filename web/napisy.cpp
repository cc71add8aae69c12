// Writes the main window's caption table as JSON, so the page shows the same captions as
// the window: {"Menu_Symulator": ["&Symulator", "&Simulator"], ...} in table order.

#include <iostream>
#include <string>
#include <string_view>

#include "TLanguages.h"

namespace {

std::string Json(std::string_view s) {
    std::string w = "\"";
    for (const char z : s) {
        if (z == '"' || z == '\\') w += '\\';
        w += z;
    }
    return w + "\"";
}

} // namespace

int main() {
    std::cout << "{";
    bool pierwszy = true;
    for (const TNapis& n : Napisy) {
        std::cout << (pierwszy ? "\n  " : ",\n  ") << Json(n.Skladnik) << ": [" << Json(n.Polski)
                  << ", " << Json(n.Angielski) << "]";
        pierwszy = false;
    }
    std::cout << "\n}\n";
    return std::cout ? 0 : 1;
}
