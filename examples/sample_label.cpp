// Prints a small sample label in both printer languages.
#include <iostream>
#include <string>

#include "quillon/quillon.h"

int main() {
    for (int language : {0, 1}) {
        CreateLabel(language, "SAMPLE", 203.0f, ScaleEnum::Inch);
        Picture(20, 20, "LOGO.PNG");
        CreateBoxs(0.1f, 0.1f, 3.9f, 1.9f, 0.02f, ScaleEnum::Inch);
        CreateLines(0.1f, 0.6f, 3.9f, 0.6f, 0.01f, ScaleEnum::Inch);
        CreateTexts(0.3f, 0.5f, 12, 12, "SAMPLE LABEL", ScaleEnum::Inch, FontSizeUnitsEnum::Points,
                    FontStyleEnum::Normal, AlignEnum::Default, "", RotateEnum::None);
        CreateBarcode1D(0.3f, 0.8f, "SAMPLE-0001", ScaleEnum::Inch, 0.01f, 0.01f, 0.6f,
                        BarcodeTypeEnum_1D::Code_128, true, RotateEnum::None, false);
        std::string text;
        LabelToString(text);
        CloseLabel();
        std::cout << text;
    }
    return 0;
}
