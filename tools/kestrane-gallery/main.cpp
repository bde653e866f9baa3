// kestrane-gallery: shows the platform layer at work.
//   kestrane-gallery --out DIR [--page NAME]... [--type TEXT] [--steady-caret]
//       renders every page (or the named ones) with the headless backend into DIR/NAME.png;
//       --type types TEXT into the focused control of each page first. The caret is
//       drawn steadily in pictures.
//   kestrane-gallery --window [--page NAME]... [--steady-caret]
//       shows each page in a real window; the program ends when the last one is closed.
//   kestrane-gallery --list
//       prints the page names.
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms/control_factory.h"
#include "platform/forms/edit_field.h"
#include "platform/forms/form.h"
#include "platform/gfx/png.h"
#include "platform/ui/desktop.h"
#include "platform/ui/headless_backend.h"
#include "platform/ui/sdl_backend.h"
#include "tools/kestrane-gallery/page.h"

namespace {

using kes::gallery::Page;

struct Options {
    std::string out;
    bool window = false;
    bool list = false;
    bool steady_caret = false;
    std::string type;
    std::vector<std::string> pages;
};

int usage(const char* why) {
    if (why) std::fprintf(stderr, "kestrane-gallery: %s\n", why);
    std::fprintf(stderr,
                 "usage: kestrane-gallery --out DIR [--page NAME]... [--type TEXT] [--steady-caret]\n"
                 "       kestrane-gallery --window [--page NAME]... [--steady-caret]\n"
                 "       kestrane-gallery --list\n");
    return 2;
}

std::vector<Page> chosen(const Options& o, std::string* unknown) {
    std::vector<Page> all = kes::gallery::Pages();
    if (o.pages.empty()) return all;
    std::vector<Page> out;
    for (const auto& name : o.pages) {
        bool found = false;
        for (const auto& p : all) {
            if (p.name == name) {
                out.push_back(p);
                found = true;
            }
        }
        if (!found && unknown) *unknown = name;
    }
    return out;
}

// One page's form, built and shown.
std::unique_ptr<kes::forms::Form> make_page(kes::ui::Desktop& desktop, kes::forms::ControlFactory& factory,
                                            const Page& page, const Options& o) {
    kes::forms::FormDesign design;
    design.name = "Gallery_" + page.name;
    design.caption = "Kestrane gallery - " + page.title;
    design.client_width = kes::forms::pixels_to_twips(page.size.width);
    design.client_height = kes::forms::pixels_to_twips(page.size.height);
    design.font = kes::forms::song_font(9);
    auto form = std::make_unique<kes::forms::Form>(desktop, design);
    kes::gallery::PageContext ctx{desktop, *form, factory};
    if (page.build) page.build(ctx);
    if (o.steady_caret) {
        for (auto* c : form->Controls())
            if (auto* e = dynamic_cast<kes::forms::EditField*>(c)) e->SetCaretBlinkTime(0);
    }
    return form;
}

int render(Options o) {
    // A picture shows the caret, whatever the blink's phase at the moment it is taken.
    o.steady_caret = true;
    std::string unknown;
    std::vector<Page> pages = chosen(o, &unknown);
    if (!unknown.empty()) return usage(("no page named " + unknown).c_str());
    auto backend = std::make_unique<kes::ui::HeadlessBackend>(kes::gfx::Size{1280, 1024});
    kes::ui::HeadlessBackend* headless = backend.get();
    kes::ui::Desktop desktop(std::move(backend));
    kes::forms::ControlFactory factory = kes::forms::ControlFactory::WithBuiltins();
    int failures = 0;
    for (const Page& page : pages) {
        auto form = make_page(desktop, factory, page, o);
        form->Show();
        // Let the page's timers run out and its first paints settle, on the virtual clock.
        desktop.RunFor(1000);
        if (!o.type.empty()) {
            headless->Type(o.type);
            desktop.RunFor(1000);
        }
        std::string path = o.out + "/" + page.name + ".png", error;
        if (!kes::gfx::write_png(form->Picture(), path, &error)) {
            std::fprintf(stderr, "kestrane-gallery: %s: %s\n", path.c_str(), error.c_str());
            ++failures;
        } else {
            std::printf("%s\n", path.c_str());
        }
        form->Unload();
    }
    return failures ? 1 : 0;
}

int show(const Options& o) {
    std::string unknown;
    std::vector<Page> pages = chosen(o, &unknown);
    if (!unknown.empty()) return usage(("no page named " + unknown).c_str());
    auto backend = std::make_unique<kes::ui::SdlBackend>();
    if (!backend->Ok()) {
        std::fprintf(stderr, "kestrane-gallery: no window system: %s\n", backend->Error().c_str());
        return 1;
    }
    kes::ui::Desktop desktop(std::move(backend));
    kes::forms::ControlFactory factory = kes::forms::ControlFactory::WithBuiltins();
    std::vector<std::unique_ptr<kes::forms::Form>> forms;
    int step = 0;
    for (const Page& page : pages) {
        auto form = make_page(desktop, factory, page, o);
        // Cascade the windows so every caption stays in reach.
        kes::gfx::Rect work = desktop.GetWorkArea(), r = form->Bounds();
        desktop.SetWindowRect(form->hwnd(), {work.x + 24 + 32 * step, work.y + 24 + 32 * step, r.width, r.height});
        form->Show();
        forms.push_back(std::move(form));
        ++step;
    }
    if (forms.empty()) return usage("no page to show");
    desktop.Run();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&](const char* what) -> const char* {
            if (i + 1 >= argc) return nullptr;
            (void)what;
            return argv[++i];
        };
        if (a == "--out") {
            const char* v = value("DIR");
            if (!v) return usage("--out needs a directory");
            o.out = v;
        } else if (a == "--window") {
            o.window = true;
        } else if (a == "--list") {
            o.list = true;
        } else if (a == "--steady-caret") {
            o.steady_caret = true;
        } else if (a == "--page") {
            const char* v = value("NAME");
            if (!v) return usage("--page needs a name");
            o.pages.push_back(v);
        } else if (a == "--type") {
            const char* v = value("TEXT");
            if (!v) return usage("--type needs a text");
            o.type = v;
        } else if (a == "--help" || a == "-h") {
            usage(nullptr);
            return 0;
        } else {
            return usage(("unknown argument " + a).c_str());
        }
    }
    if (o.list) {
        for (const auto& p : kes::gallery::Pages()) std::printf("%s\t%s\n", p.name.c_str(), p.title.c_str());
        return 0;
    }
    if (o.window == !o.out.empty()) return usage("give exactly one of --out DIR and --window");
    return o.window ? show(o) : render(o);
}
