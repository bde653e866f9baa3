#include "tools/kestrane-gallery/page.h"

#include <algorithm>

#include "platform/forms/picture_box.h"

namespace kes::gallery {
namespace {

// The pages registered by the files of pages/, filled before main runs.
std::vector<Page>& registry() {
    static std::vector<Page> pages;
    return pages;
}

}  // namespace

forms::ControlDesign Placed(std::string kind, std::string name, gfx::Rect px, int tab_index) {
    forms::ControlDesign d;
    d.kind = std::move(kind);
    d.name = std::move(name);
    d.rect = {forms::pixels_to_twips(px.x), forms::pixels_to_twips(px.y), forms::pixels_to_twips(px.width),
              forms::pixels_to_twips(px.height)};
    d.tab_index = tab_index;
    return d;
}

forms::Control* AddControl(PageContext& ctx, const forms::ControlDesign& design) {
    forms::ControlSite site = ctx.form.SiteFor(design);
    if (!site.parent) return nullptr;
    auto control = ctx.factory.Make(design.kind, site);
    if (!control) return nullptr;
    control->ReadProperties(design.settings);
    return ctx.form.Add(std::move(control));
}

Page DrawingPage(std::string name, std::string title, int order, gfx::Size size,
                 std::function<void(gfx::Canvas&, gfx::Rect)> paint) {
    Page p;
    p.name = std::move(name);
    p.title = std::move(title);
    p.order = order;
    p.size = size;
    p.build = [size, paint = std::move(paint)](PageContext& ctx) {
        forms::ControlDesign d = Placed("PictureBox", "Canvas", {0, 0, size.width, size.height});
        d.settings.set("BorderStyle", std::int64_t(0));
        if (auto* box = AddControlAs<forms::PictureBox>(ctx, d)) box->SetPainter(paint);
    };
    return p;
}

bool RegisterPage(Page page) {
    auto& pages = registry();
    auto same = std::find_if(pages.begin(), pages.end(), [&](const Page& p) { return p.name == page.name; });
    if (same != pages.end())
        *same = std::move(page);
    else
        pages.push_back(std::move(page));
    return true;
}

std::vector<Page> Pages() {
    std::vector<Page> pages = registry();
    std::sort(pages.begin(), pages.end(),
              [](const Page& a, const Page& b) { return a.order != b.order ? a.order < b.order : a.name < b.name; });
    return pages;
}

}  // namespace kes::gallery
