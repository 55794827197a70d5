// Draws placed objects with cairo: first every object is measured in label
// dots, so that the canvas can be chosen, then each is drawn in its own
// frame, turned as the printer turns it.
#include "quillon/Preview.h"

#include <cairo.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>

#include "preview/Gray.h"
#include "preview/Symbols.h"

namespace quillon {

namespace {

using preview::EncodeSymbol;
using preview::Symbol;

// A stored picture without its file: a frame with its name, this big.
constexpr int kPlaceholderWidth = 200;
constexpr int kPlaceholderHeight = 100;
// The faint gray of a text's character cell and a placeholder's frame.
constexpr double kFaint = 0.75;
constexpr int kMarkerFontDots = 14;

const char* KindName(PlacedKind kind) {
    static const char* const kNames[] = {"text",       "line",  "box",      "barcode1d", "qr",     "pdf417",
                                         "datamatrix", "aztec", "maxicode", "rfid",      "picture"};
    return kNames[static_cast<int>(kind)];
}

std::string ObjectName(const Placed& p) {
    return "object " + std::to_string(p.object) + " (" + KindName(p.kind) + ")";
}

template <typename T, void (*Free)(T*)>
struct Freer {
    void operator()(T* p) const { Free(p); }
};
using SurfacePtr = std::unique_ptr<cairo_surface_t, Freer<cairo_surface_t, cairo_surface_destroy>>;
using ContextPtr = std::unique_ptr<cairo_t, Freer<cairo_t, cairo_destroy>>;
void UnrefLayout(PangoLayout* layout) {
    g_object_unref(layout);
}
using LayoutPtr = std::unique_ptr<PangoLayout, Freer<PangoLayout, UnrefLayout>>;
using FontPtr =
    std::unique_ptr<PangoFontDescription, Freer<PangoFontDescription, pango_font_description_free>>;

// The frame of an object turned by `rotation` (RotateEnum) about (x, y):
// quarter turns are exact, so module edges stay on whole dots.
cairo_matrix_t Turn(int rotation, double x, double y) {
    cairo_matrix_t m;
    switch (rotation) {
        case 1:  // clockwise: the local x axis points down the page
            cairo_matrix_init(&m, 0, 1, -1, 0, x, y);
            break;
        case 2:
            cairo_matrix_init(&m, 0, -1, 1, 0, x, y);
            break;
        case 3:
            cairo_matrix_init(&m, -1, 0, 0, -1, x, y);
            break;
        default:
            cairo_matrix_init(&m, 1, 0, 0, 1, x, y);
            break;
    }
    return m;
}

// A symbol of `width` x `height` turned so that its box still starts at
// (x, y), as the command text moves a turned symbol's anchor.
cairo_matrix_t TurnInBox(int rotation, int x, int y, int width, int height) {
    switch (rotation) {
        case 1:
            return Turn(1, x + height, y);
        case 2:
            return Turn(2, x, y + width);
        case 3:
            return Turn(3, x + width, y + height);
        default:
            return Turn(0, x, y);
    }
}

struct Bounds {
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    bool Empty() const { return left >= right || top >= bottom; }
    void Add(const Bounds& b) {
        if (b.Empty()) return;
        left = std::min(left, b.left), top = std::min(top, b.top);
        right = std::max(right, b.right), bottom = std::max(bottom, b.bottom);
    }
};

// The label-dot box of a local rectangle seen through `m`.
Bounds Through(const cairo_matrix_t& m, double x, double y, double width, double height) {
    Bounds b;
    const double xs[] = {x, x + width}, ys[] = {y, y + height};
    double left = 1e18, top = 1e18, right = -1e18, bottom = -1e18;
    for (double px : xs)
        for (double py : ys) {
            double tx = px, ty = py;
            cairo_matrix_transform_point(&m, &tx, &ty);
            left = std::min(left, tx), right = std::max(right, tx);
            top = std::min(top, ty), bottom = std::max(bottom, ty);
        }
    b.left = static_cast<int>(std::floor(left));
    b.top = static_cast<int>(std::floor(top));
    b.right = static_cast<int>(std::ceil(right));
    b.bottom = static_cast<int>(std::ceil(bottom));
    return b;
}

// The host font standing in for a printer font: monospaced for the
// typewriter and OCR faces, else sans; bold when asked or named so.
FontPtr HostFont(const Placed& p, double pixelSize) {
    const bool mono = p.font.find("Courier") != std::string::npos || p.font.find("OCR") != std::string::npos;
    FontPtr font(pango_font_description_from_string(mono ? "DejaVu Sans Mono" : "DejaVu Sans"));
    const bool bold = (p.style & 1) != 0 || p.font.find("Bold") != std::string::npos;
    if (bold) pango_font_description_set_weight(font.get(), PANGO_WEIGHT_BOLD);
    if ((p.style & 2) != 0) pango_font_description_set_style(font.get(), PANGO_STYLE_ITALIC);
    pango_font_description_set_absolute_size(font.get(), std::max(pixelSize, 1.0) * PANGO_SCALE);
    return font;
}

// Label texts are bytes in the printer's code page; what is not UTF-8 is
// shown as Latin-1, which is what the printers' fonts hold.
std::string Displayable(const std::string& text) {
    if (g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr)) return text;
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out += c;
        } else {
            out += static_cast<char>(0xC0 | byte >> 6);
            out += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return out;
}

LayoutPtr Layout(cairo_t* cr, const std::string& text, const PangoFontDescription* font) {
    LayoutPtr layout(pango_cairo_create_layout(cr));
    pango_layout_set_font_description(layout.get(), font);
    const std::string shown = Displayable(text);
    pango_layout_set_text(layout.get(), shown.data(), static_cast<int>(shown.size()));
    return layout;
}

bool Across(const Placed& line) {
    return std::abs(line.x2 - line.x) >= std::abs(line.y2 - line.y);
}

// One object ready to draw: its frame, its local size and its box.
struct Item {
    const Placed* placed;
    cairo_matrix_t frame;
    double width = 0, height = 0, top = 0;  // local box from (0, top)
    double scaleX = 1, baseline = 0;        // texts
    FontPtr font;
    LayoutPtr layout;  // texts, laid out once when measured
    Symbol symbol;
    SurfacePtr picture;
    Bounds bounds;
};

class Drawing {
  public:
    explicit Drawing(const PreviewOptions& options) : _options(options) {
        _measure.reset(cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1));
        _measureContext.reset(cairo_create(_measure.get()));
    }

    Item Measure(const Placed& p) {
        Item item{&p, Turn(0, 0, 0), 0, 0, 0, 1, 0, nullptr, nullptr, {}, nullptr, {}};
        switch (p.kind) {
            case PlacedKind::Line:
            case PlacedKind::Box:
                MeasureShape(item);
                break;
            case PlacedKind::Text:
                MeasureText(item);
                break;
            case PlacedKind::Picture:
                MeasurePicture(item);
                break;
            case PlacedKind::Rfid:
                break;  // a marker in the canvas corner, placed once the canvas is known
            default:
                try {
                    item.symbol = EncodeSymbol(p);
                } catch (const std::exception& e) {
                    throw std::runtime_error(ObjectName(p) + ": " + e.what());
                }
                item.width = item.symbol.width, item.height = item.symbol.height;
                item.frame = TurnInBox(p.rotation, p.x, p.y, item.symbol.width, item.symbol.height);
                item.bounds = Through(item.frame, 0, 0, item.width, item.height);
                break;
        }
        return item;
    }

    void Draw(cairo_t* cr, const Item& item) {
        const Placed& p = *item.placed;
        if (p.kind == PlacedKind::Rfid) return;
        cairo_save(cr);
        cairo_transform(cr, &item.frame);
        switch (p.kind) {
            case PlacedKind::Line:
            case PlacedKind::Box:
                DrawShape(cr, p);
                break;
            case PlacedKind::Text:
                DrawText(cr, item);
                break;
            case PlacedKind::Picture:
                DrawPicture(cr, item);
                break;
            default:
                DrawSymbol(cr, item.symbol);
                break;
        }
        cairo_restore(cr);
    }

    // RFID writes are no marks on paper: a small note in the top right
    // corner lists each one's bank and data.
    void DrawMarkers(cairo_t* cr, const std::vector<Item>& items, int right, int top) {
        int y = top + 2;
        for (const Item& item : items) {
            const Placed& p = *item.placed;
            if (p.kind != PlacedKind::Rfid) continue;
            static const char* const kBanks[] = {"?",      "EPC",  "TID", "USER",
                                                 "ACCESS", "KILL", "PC",  "RESERVE"};
            const std::string text =
                std::string("RFID ") + (p.bank >= 0 && p.bank <= 7 ? kBanks[p.bank] : "?") + " " + p.data;
            FontPtr font(pango_font_description_from_string("DejaVu Sans Mono"));
            pango_font_description_set_absolute_size(font.get(), kMarkerFontDots * PANGO_SCALE);
            LayoutPtr layout = Layout(cr, text, font.get());
            int w = 0, h = 0;
            pango_layout_get_pixel_size(layout.get(), &w, &h);
            const int x = right - w - 4;
            cairo_set_source_rgb(cr, kFaint, kFaint, kFaint);
            cairo_set_line_width(cr, 1);
            cairo_rectangle(cr, x - 2.5, y + 0.5, w + 4, h + 2);
            cairo_stroke(cr);
            cairo_set_source_rgb(cr, 0, 0, 0);
            cairo_move_to(cr, x, y + 1);
            pango_cairo_show_layout(cr, layout.get());
            y += h + 6;
        }
    }

  private:
    void MeasureShape(Item& item) {
        const Placed& p = *item.placed;
        cairo_matrix_init_identity(&item.frame);
        const int t = std::max(p.thickness, 0);
        Bounds b;
        b.left = std::min(p.x, p.x2), b.right = std::max(p.x, p.x2);
        b.top = std::min(p.y, p.y2), b.bottom = std::max(p.y, p.y2);
        // A line is as thick as it says: below a line that runs more across
        // than down, right of any other.
        if (p.kind == PlacedKind::Line) (Across(p) ? b.bottom : b.right) += t;
        item.bounds = b;
    }

    void DrawShape(cairo_t* cr, const Placed& p) {
        const int t = std::max(p.thickness, 0);
        cairo_set_source_rgb(cr, 0, 0, 0);
        if (p.kind == PlacedKind::Line) {
            const bool across = Across(p);
            cairo_move_to(cr, p.x, p.y);
            cairo_line_to(cr, p.x2, p.y2);
            cairo_line_to(cr, p.x2 + (across ? 0 : t), p.y2 + (across ? t : 0));
            cairo_line_to(cr, p.x + (across ? 0 : t), p.y + (across ? t : 0));
            cairo_close_path(cr);
            cairo_fill(cr);
            return;
        }
        // A box's frame lies inside its corners.
        const int left = std::min(p.x, p.x2), top = std::min(p.y, p.y2);
        const int width = std::abs(p.x2 - p.x), height = std::abs(p.y2 - p.y);
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
        cairo_rectangle(cr, left, top, width, height);
        if (2 * t < width && 2 * t < height)
            cairo_rectangle(cr, left + t, top + t, width - 2 * t, height - 2 * t);
        cairo_fill(cr);
    }

    void MeasureText(Item& item) {
        const Placed& p = *item.placed;
        const int cell = std::max(p.cellHeight, 1);
        // The cell holds capitals from the baseline up; a host font's
        // capitals are about 0.73 of its size.
        item.font = HostFont(p, cell / 0.73);
        item.layout = Layout(_measureContext.get(), p.data, item.font.get());
        PangoLayout* layout = item.layout.get();
        PangoRectangle ink, logical;
        pango_layout_get_pixel_extents(layout, &ink, &logical);
        item.baseline = pango_layout_get_baseline(layout) / static_cast<double>(PANGO_SCALE);
        // The cell's width over its height stretches the host font.
        item.scaleX = p.cellWidth > 0 ? static_cast<double>(p.cellWidth) / cell : 1.0;
        item.width = logical.width * item.scaleX;
        item.top = -cell;
        item.height = cell + (logical.height - item.baseline);
        const double shift = p.alignment == 2 ? -item.width / 2 : p.alignment == 3 ? -item.width : 0;
        item.frame = Turn(p.rotation, p.x, p.y);
        cairo_matrix_translate(&item.frame, shift, 0);
        item.bounds = Through(item.frame, 0, item.top, item.width, item.height);
    }

    void DrawText(cairo_t* cr, const Item& item) {
        const Placed& p = *item.placed;
        const int cell = std::max(p.cellHeight, 1);
        cairo_set_source_rgb(cr, kFaint, kFaint, kFaint);
        cairo_set_line_width(cr, 1);
        cairo_rectangle(cr, 0.5, 0.5 - cell, std::max(item.width - 1, 0.0), cell - 1);
        cairo_stroke(cr);
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_scale(cr, item.scaleX, 1);
        // Both surfaces have the same font options, so the measured layout
        // keeps its shape on the drawing one.
        pango_cairo_update_layout(cr, item.layout.get());
        cairo_move_to(cr, 0, -item.baseline);
        pango_cairo_show_layout(cr, item.layout.get());
    }

    void MeasurePicture(Item& item) {
        const Placed& p = *item.placed;
        item.width = kPlaceholderWidth, item.height = kPlaceholderHeight;
        namespace fs = std::filesystem;
        // Only a plain name inside the pictures directory is looked up.
        const bool plain =
            !p.data.empty() && p.data.find('/') == std::string::npos && p.data != "." && p.data != "..";
        std::error_code error;
        if (!_options.picturesDirectory.empty() && plain) {
            const fs::path file = fs::path(_options.picturesDirectory) / p.data;
            if (fs::is_regular_file(file, error)) {
                SurfacePtr image(cairo_image_surface_create_from_png(file.c_str()));
                if (cairo_surface_status(image.get()) != CAIRO_STATUS_SUCCESS)
                    throw std::runtime_error(ObjectName(p) + ": " + file.string() + " is not a PNG file");
                item.width = cairo_image_surface_get_width(image.get());
                item.height = cairo_image_surface_get_height(image.get());
                item.picture = std::move(image);
            }
        }
        item.frame = Turn(0, p.x, p.y);
        item.bounds = Through(item.frame, 0, 0, item.width, item.height);
    }

    void DrawPicture(cairo_t* cr, const Item& item) {
        if (item.picture) {
            cairo_set_source_surface(cr, item.picture.get(), 0, 0);
            cairo_paint(cr);
            return;
        }
        cairo_set_source_rgb(cr, kFaint, kFaint, kFaint);
        cairo_set_line_width(cr, 2);
        cairo_rectangle(cr, 1, 1, item.width - 2, item.height - 2);
        cairo_move_to(cr, 1, 1);
        cairo_line_to(cr, item.width - 1, item.height - 1);
        cairo_move_to(cr, item.width - 1, 1);
        cairo_line_to(cr, 1, item.height - 1);
        cairo_stroke(cr);
        FontPtr font(pango_font_description_from_string("DejaVu Sans"));
        pango_font_description_set_absolute_size(font.get(), kMarkerFontDots * PANGO_SCALE);
        LayoutPtr layout = Layout(cr, item.placed->data, font.get());
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_move_to(cr, 6, 4);
        pango_cairo_show_layout(cr, layout.get());
    }

    void DrawSymbol(cairo_t* cr, const Symbol& s) {
        if (!s.raster.empty()) {
            const int stride = cairo_format_stride_for_width(CAIRO_FORMAT_A8, s.width);
            std::vector<unsigned char> alpha(static_cast<size_t>(stride) * s.height);
            for (int y = 0; y < s.height; ++y)
                for (int x = 0; x < s.width; ++x)
                    alpha[static_cast<size_t>(y) * stride + x] =
                        255 - s.raster[static_cast<size_t>(y) * s.width + x];
            SurfacePtr mask(cairo_image_surface_create_for_data(alpha.data(), CAIRO_FORMAT_A8, s.width,
                                                                s.height, stride));
            cairo_set_source_rgb(cr, 0, 0, 0);
            cairo_mask_surface(cr, mask.get(), 0, 0);
            return;
        }
        cairo_set_source_rgb(cr, 0, 0, 0);
        for (const preview::Rect& r : s.dark) cairo_rectangle(cr, r.x, r.y, r.width, r.height);
        cairo_fill(cr);
        if (s.readable.empty()) return;
        cairo_set_antialias(cr, CAIRO_ANTIALIAS_DEFAULT);
        FontPtr font(pango_font_description_from_string("DejaVu Sans Mono"));
        // Digits about ten bars high, within the space the printer leaves.
        const double size = std::min(s.readableHeight * 0.6, 10.0 * s.narrow);
        pango_font_description_set_absolute_size(font.get(), std::max(size, 1.0) * PANGO_SCALE);
        LayoutPtr layout = Layout(cr, s.readable, font.get());
        int w = 0, h = 0;
        pango_layout_get_pixel_size(layout.get(), &w, &h);
        cairo_move_to(cr, (s.width - w) / 2.0, s.readableTop);
        pango_cairo_show_layout(cr, layout.get());
    }

    const PreviewOptions& _options;
    SurfacePtr _measure;
    ContextPtr _measureContext;
};

PreviewImage::Drawn DrawnOf(const Item& item) {
    const Placed& p = *item.placed;
    return {p.object,           p.kind, item.bounds.left, item.bounds.top, item.bounds.right,
            item.bounds.bottom, p.data};
}

bool IsSymbol(PlacedKind kind) {
    return kind != PlacedKind::Text && kind != PlacedKind::Line && kind != PlacedKind::Box &&
           kind != PlacedKind::Rfid && kind != PlacedKind::Picture;
}

}  // namespace

PreviewImage Preview(const std::vector<Placed>& objects, const PreviewOptions& options) {
    Drawing drawing(options);
    std::vector<Item> items;
    items.reserve(objects.size());
    Bounds all;
    for (const Placed& p : objects) {
        items.push_back(drawing.Measure(p));
        all.Add(items.back().bounds);
    }

    PreviewImage image;
    if (options.width > 0 && options.height > 0) {
        image.width = options.width, image.height = options.height;
        for (const Item& item : items)
            if (!item.bounds.Empty() &&
                (item.bounds.left < 0 || item.bounds.top < 0 || item.bounds.right > image.width ||
                 item.bounds.bottom > image.height))
                image.warnings.push_back(
                    {item.placed->object, "lies outside the " + std::to_string(image.width) + " x " +
                                              std::to_string(image.height) + " dot label"});
    } else {
        if (all.Empty()) all = {0, 0, 1, 1};
        const int margin = std::max(options.margin, 0);
        image.originX = all.left - margin, image.originY = all.top - margin;
        image.width = all.right - all.left + 2 * margin;
        image.height = all.bottom - all.top + 2 * margin;
    }
    // cairo draws on at most 32767 dots a side.
    if (image.width > 32767 || image.height > 32767)
        throw std::runtime_error("the label is larger than 32767 dots on a side");

    SurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, image.width, image.height));
    ContextPtr cr(cairo_create(surface.get()));
    if (cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("out of memory for the picture");
    cairo_set_source_rgb(cr.get(), 1, 1, 1);
    cairo_paint(cr.get());
    cairo_translate(cr.get(), -image.originX, -image.originY);
    // Edges on whole dots, as a thermal head prints them.
    cairo_set_antialias(cr.get(), CAIRO_ANTIALIAS_NONE);
    for (const Item& item : items) {
        drawing.Draw(cr.get(), item);
        if (IsSymbol(item.placed->kind)) image.symbols.push_back(DrawnOf(item));
    }
    cairo_identity_matrix(cr.get());
    drawing.DrawMarkers(cr.get(), items, image.width, 0);
    if (cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error(std::string("drawing failed: ") +
                                 cairo_status_to_string(cairo_status(cr.get())));
    preview::ReadGray(surface.get(), image);
    return image;
}

PreviewImage Label::preview() const {
    return Preview(placement());
}

PreviewImage Label::preview(const PreviewOptions& options) const {
    return Preview(placement(), options);
}

}  // namespace quillon
