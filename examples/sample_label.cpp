// Prints a small sample label in both printer languages.
#include <iostream>
#include <string>

#include "quillon/quillon.h"

int main() {
    for (int language : {0, 1}) {
        CreateLabel(language, "SAMPLE", 203.0f, ScaleEnum::Inch);
        Picture(20, 20, "LOGO.PNG");
        std::string text;
        LabelToString(text);
        CloseLabel();
        std::cout << text;
    }
    return 0;
}
