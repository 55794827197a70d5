// quillon demo: the built-in shipping label, the text of
// examples/shipping.json read as any label file is.

#include <memory>

#include "Cli.h"
#include "Label.h"
#include "Notices.h"
#include "ShippingJson.h"
#include "Target.h"

namespace quillon::cli {
namespace {

struct DemoOptions {
    std::string lang, output;
};

int Run(const DemoOptions& o) {
    rapidjson::Document doc;
    doc.Parse(kShippingJson);
    const LabelDescription label = ParseLabel(doc, {LanguageOption(o.lang), 0});
    NoticeReport notices;
    std::vector<quillon::LabelNotice> found;
    try {
        TextFile out(o.output, TextFd());
        out.Append(RenderLabel(label, &found));
        out.Flush();
    } catch (const std::exception& e) {
        Report(e.what());
        return kRenderFailed;
    }
    CollectNotices(label, found, 0, notices);
    notices.Print("quillon: demo: ", false);
    return kOk;
}

}  // namespace

void SetupDemo(CLI::App& app) {
    auto o = std::make_shared<DemoOptions>();
    CLI::App* sub = app.add_subcommand("demo", "Print the built-in 4 x 6 inch shipping label (203 dpi)");
    AddLanguage(sub, o->lang, "Printer language, vorn or kesh");
    sub->add_option("-o,--output", o->output, "Write to FILE instead of standard output");
    sub->footer("Examples:\n  quillon demo\n  quillon demo --lang kesh -o ship.txt");
    sub->callback([o] { Finish(Run(*o)); });
}

}  // namespace quillon::cli
