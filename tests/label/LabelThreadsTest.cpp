// Labels on many threads at once share nothing: each of 8 threads renders
// 1,000 different labels, and every text and notice list must equal what
// one thread alone rendered for the same label. Run under ThreadSanitizer
// in CI, where any shared state would also show as a race.

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "quillon/LabelObject.h"

namespace {

constexpr int kThreads = 8;
constexpr int kLabelsPerThread = 1000;

// Label n: its own texts, codes and language, with notices in VORN.
std::string RenderNumbered(int n) {
    const std::string number = std::to_string(n);
    quillon::Label label(n % 2 ? quillon::Language::Kesh : quillon::Language::Vorn, 203, quillon::Unit::Inch,
                         "L" + number);
    quillon::TextOptions text;
    text.x = 0.1f, text.y = 0.1f + n % 7 * 0.1f, text.data = "ORDER " + number;
    text.fontStyle = n % 3 ? FontStyleEnum::Normal : FontStyleEnum::Bold;
    label.text(text);
    label.box({0.05f, 0.05f, 3.9f, 5.9f, 0.02f});
    quillon::Barcode1DOptions code;
    code.x = 0.2f, code.y = 2, code.data = number, code.narrowBar = 0.01f, code.wideBar = 0.02f + n % 2 * 0.01f;
    code.height = 0.5f;
    label.barcode1D(code);
    quillon::QRCodeOptions qr;
    qr.x = 2, qr.y = 3, qr.data = "https://example.com/track/" + number, qr.module = 0.02f;
    label.qr(qr);
    std::string out = label.render();
    for (const quillon::LabelNotice& notice : label.notices())
        out += std::to_string(notice.object) + ": " + notice.text + "\n";
    return out;
}

TEST(LabelThreads, EveryLabelAsOneThreadRendersIt) {
    std::vector<std::string> alone(kThreads * kLabelsPerThread);
    for (int n = 0; n < kThreads * kLabelsPerThread; ++n) alone[n] = RenderNumbered(n);

    std::vector<int> mismatches(kThreads, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            for (int k = 0; k < kLabelsPerThread; ++k) {
                const int n = t * kLabelsPerThread + k;
                if (RenderNumbered(n) != alone[n]) ++mismatches[t];
            }
        });
    for (std::thread& thread : threads) thread.join();
    for (int t = 0; t < kThreads; ++t) EXPECT_EQ(mismatches[t], 0) << "thread " << t;
    EXPECT_NE(alone[0].find("Parameter [Bold] is not supported."), std::string::npos);  // notices compared too
}

}  // namespace
