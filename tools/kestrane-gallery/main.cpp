// kestrane-gallery: shows the platform layer at work.
//   kestrane-gallery --out DIR [--page NAME]... [--type TEXT] [--steady-caret]
//       renders every page (or the named ones) with the headless backend into DIR/NAME.png;
//       --type types TEXT into the focused control of each page first. The caret is
//       drawn steadily in pictures.
//   kestrane-gallery --window [--page NAME]... [--steady-caret]
//       shows the pages in a real window, one at a time (Ctrl+Page Down / Up turns them);
//       closing the window ends the program.
//   kestrane-gallery --list
//       prints the page names.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms/control_factory.h"
#include "platform/forms/edit_field.h"
#include "platform/forms/events.h"
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
    std::error_code made;
    std::filesystem::create_directories(o.out, made);
    if (made) {
        std::fprintf(stderr, "kestrane-gallery: cannot make %s: %s\n", o.out.c_str(), made.message().c_str());
        return 1;
    }
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
    if (pages.empty()) return usage("no page to show");
    auto backend = std::make_unique<kes::ui::SdlBackend>();
    if (!backend->Ok()) {
        std::fprintf(stderr, "kestrane-gallery: no window system: %s\n", backend->Error().c_str());
        return 1;
    }
    kes::ui::Desktop desktop(std::move(backend));
    kes::forms::ControlFactory factory = kes::forms::ControlFactory::WithBuiltins();
    // One page shows at a time, in one place: Ctrl+Page Down and Ctrl+Page Up turn the pages.
    std::vector<std::unique_ptr<kes::forms::Form>> forms;
    std::size_t current = 0;
    auto turn = [&](int by) {
        const std::size_t n = forms.size();
        const std::size_t next = (current + n + std::size_t(by < 0 ? n - 1 : 1)) % n;
        if (next == current) return;
        kes::gfx::Rect at = forms[current]->Bounds(), size = forms[next]->Bounds();
        desktop.SetWindowRect(forms[next]->hwnd(), {at.x, at.y, size.width, size.height});
        forms[next]->Show();
        forms[current]->Hide();
        current = next;
    };
    for (std::size_t i = 0; i < pages.size(); ++i) {
        auto form = make_page(desktop, factory, pages[i], o);
        if (pages.size() > 1)
            form->SetCaption(form->Caption() + "  (" + std::to_string(i + 1) + "/" + std::to_string(pages.size()) +
                             ", Ctrl+PgDn / Ctrl+PgUp)");
        form->SetKeyPreview(true);
        form->On(form->Name(), "KeyDown", [&](kes::forms::KeyArgs& k) {
            if (!(k.shift & kes::ui::kCtrlMask)) return;
            if (k.key_code == kes::ui::VK_NEXT || k.key_code == kes::ui::VK_PRIOR) {
                const int by = k.key_code == kes::ui::VK_NEXT ? 1 : -1;
                k.key_code = 0;
                turn(by);
            }
        });
        // Closing the page on show ends the program, hidden pages or not.
        form->On(form->Name(), "Unload", [&desktop] { desktop.Quit(0); });
        forms.push_back(std::move(form));
    }
    forms.front()->Show();
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
