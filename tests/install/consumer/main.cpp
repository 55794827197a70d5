// Prints an empty label, using nothing but the installed header and library.
#include <quillon/quillon.h>

#include <iostream>
#include <string>

int main() {
    CreateLabel(0, "L1", 203.0f, ScaleEnum::Inch);
    std::string text;
    LabelToString(text);
    CloseLabel();
    std::cout << text;
    return 0;
}
