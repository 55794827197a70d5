// quillon preview: label files to pictures, PNG files or half blocks on the
// terminal, drawn from the same objects that make the command text.

#include <filesystem>
#include <memory>

#include "Cli.h"
#include "LabelFields.h"
#include "quillon/Preview.h"

namespace quillon::cli {
namespace {

struct PreviewOptions {
    RenderRun run;  // its inputs and language
    std::string output, pictures;
    bool term = false;
    int scale = 1;
};

// The tables of the kinds are in the order of Kind.
const char* KindName(Kind kind) {
    return Kinds().first[static_cast<int>(kind)].name.data();
}

// OUT.png for one label, OUT-1.png, OUT-2.png ... when several are drawn.
std::string NumberedPath(const std::string& output, std::size_t number) {
    namespace fs = std::filesystem;
    const fs::path path(output);
    return (path.parent_path() /
            (path.stem().string() + "-" + std::to_string(number) + path.extension().string()))
        .string();
}

// Draws one label; `drawn` counts the labels drawn so far.
int Draw(const PreviewOptions& o, std::size_t& drawn, const std::string& name, Record& r, bool numbered) {
    LabelDescription& label = *r.label;
    // As render names a label: the input, and its number in a batch.
    const std::string where = name + ": " + (r.batch ? "label " + std::to_string(r.index) + ": " : "");
    quillon::PreviewImage image;
    try {
        quillon::Label built = BuildLabel(label);
        // A label the printer language refuses is not drawn either.
        built.render();
        quillon::PreviewOptions options;
        options.width = label.width, options.height = label.height;
        options.picturesDirectory = o.pictures;
        image = quillon::Preview(built.placement(), options);
    } catch (const std::exception& e) {
        Report(where + e.what());
        return kRenderFailed;
    }
    for (const auto& w : image.warnings) {
        const bool known = w.object < label.objects.size();
        Report("warning: " + where + "objects[" + std::to_string(w.object) + "]" +
               (known ? std::string(" (") + KindName(KindOf(label.objects[w.object])) + ")" : "") + " " +
               w.text);
    }
    ++drawn;
    if (o.term && WriteText(quillon::ToTerminal(image)) != kOk) return kRenderFailed;
    if (o.output.empty()) return kOk;
    const std::string file = numbered ? NumberedPath(o.output, drawn) : o.output;
    try {
        quillon::WritePng(image, file, o.scale);
    } catch (const std::exception& e) {
        Report(e.what());
        return kRenderFailed;
    }
    return kOk;
}

int Run(const PreviewOptions& o) {
    if (o.output.empty() && !o.term) {
        Report("preview: give -o FILE.png, --term or both");
        return kBadInput;
    }
    std::size_t drawn = 0;
    RenderRun run = o.run;
    run.each = [&](const std::string& name, Record& r) {
        return Draw(o, drawn, name, r, o.run.inputs.size() > 1 || r.batch);
    };
    return RenderInputs(run);
}

}  // namespace

void SetupPreview(CLI::App& app) {
    auto o = std::make_shared<PreviewOptions>();
    CLI::App* sub = app.add_subcommand("preview", "Draw label files as pictures at the printer's dots");
    sub->add_option("LABEL", o->run.inputs, "Label files, as for render; - or none reads standard input");
    sub->add_option("-o,--output", o->output,
                    "PNG file; with several labels OUT-1.png, OUT-2.png, ... beside it");
    sub->add_flag("--term", o->term, "Draw each label on standard output in Unicode half blocks");
    sub->add_option("--scale", o->scale, "Pixels per dot in the PNG file")->check(CLI::Range(1, 16));
    sub->add_option("--pictures", o->pictures,
                    "Directory of PNG files named as the pictures stored in the printer")
        ->check(CLI::ExistingDirectory);
    AddLanguage(sub, o->run.lang, "Printer language, vorn or kesh; overrides the files' \"language\"");
    sub->footer(
        "Texts in printer fonts are drawn in a host font scaled to the character cell, whose outline is "
        "drawn faintly; every symbol is drawn by zint at the module sizes of the command text.\n"
        "A label's \"width\" and \"height\" are the canvas; without them it is the objects' bounding box "
        "and a margin.\n\n"
        "Examples:\n"
        "  quillon preview examples/shipping.json -o shipping.png\n"
        "  quillon preview examples/qr.json --term\n"
        "  quillon preview labels.jsonl -o out/label.png --scale 2\n"
        "  quillon preview label.json --pictures images/ -o label.png");
    sub->callback([o] { Finish(Run(*o)); });
}

}  // namespace quillon::cli
