// A page of kestrane-gallery: a form the gallery makes, fills and then either renders to
// <name>.png (--out) or shows in a real window (--window).
//
// Adding a page: put one source file into tools/kestrane-gallery/pages/ that defines a
// function returning a Page and registers it at start-up:
//
//   #include "tools/kestrane-gallery/page.h"
//   namespace {
//   kes::gallery::Page ButtonsPage() {
//       kes::gallery::Page p;
//       p.name = "buttons";             // written as buttons.png
//       p.title = "Buttons";
//       p.order = 40;                   // where it comes among the pages
//       p.size = {480, 320};            // client area in pixels
//       p.build = [](kes::gallery::PageContext& ctx) { ... ctx.form.Create<...>(design) ... };
//       return p;
//   }
//   }  // namespace
//   KES_GALLERY_PAGE(ButtonsPage);
//
// The gallery's CMakeLists compiles every pages/*.cpp into the program (so the registration
// runs) and includes every pages/*.cmake, where a page names the libraries it needs:
//   target_link_libraries(kestrane-gallery PRIVATE kes_button)
// Nothing shared needs editing.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/forms/control_factory.h"
#include "platform/forms/form.h"
#include "platform/gfx/geometry.h"

namespace kes::gfx {
class Canvas;
}
namespace kes::ui {
class Desktop;
}

namespace kes::gallery {

// What a page gets to fill its form with.
struct PageContext {
    ui::Desktop& desktop;
    forms::Form& form;                 // hidden until the page is built; size from Page::size
    forms::ControlFactory& factory;    // the built-in kinds; a page may register its own
};

struct Page {
    std::string name;      // file stem and --page name: lower case, no blanks
    std::string title;     // the window's caption
    int order = 100;       // pages are listed by order, then by name
    gfx::Size size{640, 480};
    std::function<void(PageContext&)> build;
};

// A design entry placed in pixels (the gallery's pages are laid out in pixels; designs keep twips).
forms::ControlDesign Placed(std::string kind, std::string name, gfx::Rect pixels, int tab_index = 0);
// Makes a control of any kind the factory knows, reads the entry's settings and puts it on
// the page's form; nullptr for an unknown kind or a missing container.
forms::Control* AddControl(PageContext& ctx, const forms::ControlDesign& design);
template <class T>
T* AddControlAs(PageContext& ctx, const forms::ControlDesign& design) {
    return dynamic_cast<T*>(AddControl(ctx, design));
}

// A page that is one drawing over the whole form: `paint` draws it in the page's pixels.
Page DrawingPage(std::string name, std::string title, int order, gfx::Size size,
                 std::function<void(gfx::Canvas&, gfx::Rect)> paint);

// Registers a page; returns true so it can initialise a static (see KES_GALLERY_PAGE).
// A second page of the same name replaces the first.
bool RegisterPage(Page page);
// Every registered page, by order and name.
std::vector<Page> Pages();

}  // namespace kes::gallery

// Registers the page `maker()` returns when the program starts.
#define KES_GALLERY_PAGE(maker) \
    [[maybe_unused]] static const bool kes_gallery_page_##maker = ::kes::gallery::RegisterPage(maker())
