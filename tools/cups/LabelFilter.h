#ifndef QUILLON_TOOLS_CUPS_LABELFILTER_H
#define QUILLON_TOOLS_CUPS_LABELFILTER_H

// The decisions of the quillon-label CUPS filter: which options hold, how
// the labels are rendered, and how messages read in the job log.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quillon::cups {

// A job's options as CUPS writes them for filters: name=value words apart,
// values with backslash escapes, quotes or {collections}; a name alone is
// given the value "true". In order, so that the last of a name counts.
std::vector<std::pair<std::string, std::string>> ParseOptions(std::string_view text);

// The value of the PPD line `*Default<name>: value`, or "" without one.
std::string PpdDefault(std::string_view ppd, std::string_view name);

// How the labels are rendered, from the queue's or the job's
// `LabelLanguage` (vorn, kesh) and `Resolution` (203dpi, 203x203dpi); an
// empty value leaves the label's own. `error` is set instead when a value is
// none of these.
struct Rendering {
    std::string language;
    float dpi = 0;
    std::string error;
};
Rendering ChooseRendering(const std::string& language, const std::string& resolution);

// The `copies` argument, or 0 when it is not a whole number from 1.
long ParseCopies(std::string_view text);

// A message of the renderer as a line of the job log at `level` (ERROR,
// WARNING): without the tool's "quillon: ", and with the job's title for the
// name of its input.
std::string LogLine(std::string_view level, std::string_view message, std::string_view title);

}  // namespace quillon::cups

#endif
