// quillon usb-list: attached printers of the known brands.

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "Cli.h"
#include "quillon/Comm.h"

namespace quillon::cli {
namespace {

int Run(bool asJson) {
    Tuple_c* devices = nullptr;
    int count = 0;
    GetAvailableDevices(&devices, &count);
    std::string text = asJson ? "[" : "";
    for (int i = 0; i < count && devices; ++i) {
        const auto vendor = static_cast<std::uint16_t>(devices[i].Item1);
        const auto product = static_cast<std::uint16_t>(devices[i].Item2);
        char uri[16];
        std::snprintf(uri, sizeof uri, "usb:%04x:%04x", vendor, product);
        text += !asJson ? uri + std::string("\n")
                        : std::string(i ? "," : "") + "\n  {\"vendor_id\": " + std::to_string(vendor) +
                              ", \"product_id\": " + std::to_string(product) + ", \"uri\": \"" + uri + "\"}";
    }
    std::free(devices);
    if (asJson) text += count > 0 ? "\n]\n" : "]\n";
    return WriteText(text);
}

}  // namespace

void SetupUsbList(CLI::App& app) {
    auto asJson = std::make_shared<bool>(false);
    CLI::App* sub = app.add_subcommand("usb-list", "List attached printers of the known brands");
    sub->add_flag("--json", *asJson, "Print a JSON array");
    sub->footer(
        "Each printer is printed as the --to URI that reaches it.\n\nExamples:\n  quillon usb-list\n"
        "  quillon usb-list --json");
    sub->callback([asJson] { Finish(Run(*asJson)); });
}

}  // namespace quillon::cli
