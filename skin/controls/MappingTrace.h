#pragma once
// What the control mapping decided, step by step: which rule matched for a
// control or bare window, and which painter it asked the factory for, with
// the variant and the way of attaching. The product runs without a trace;
// tests and the skin gallery read it to see the decisions even for painter
// kinds the engine does not have yet.

#include "skin/controls/PainterFactory.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace ui {
class Component;
}

namespace skin {

// Which list of rules a step belongs to.
enum class RuleSet : uint8_t {
    Control,    // the steps before the table: 1 tag, 2 already skinned, 3 no handle, 4 event, 6 excluded class
    Table,      // the class table, rows 1 to 41
    Skin3rd,    // a foreign-class line of the skin data (the kind in MappingStep::kind)
    RawWindow,  // the bare-window rules, 1 to 10 (0: empty or already painted)
};

// How a painter is attached once made.
enum class AttachWay : uint8_t {
    Attach,            // to the toolkit control
    AttachWindow,      // to the window handle
    AttachScrollBars,  // scroll-bar painters: overlays on the control's bars
    OwnSetUp,          // window-less and scrolling-panel painters set themselves up
};

// The variant a painter is made in, set before it attaches.
struct PainterRequest {
    PainterKind kind{};
    AttachWay way = AttachWay::Attach;
    bool ownBackground = false;
    int32_t mode = 0;               // FMode
    int32_t imageKind = 0;          // TSkinObjImage: 1 check box, 2 radio button, 3 the third family
    bool extendedCombo = false;     // TSkinComBox in extended mode
    std::string glyphProperty;      // "PngImage" for the picture-glyph buttons
};

struct MappingStep {
    RuleSet set = RuleSet::Control;
    int rule = 0;
    std::string kind;                        // Skin3rd: the kind the line gave
    const ui::Component* control = nullptr;  // the toolkit control, if any
    HWND window = nullptr;                   // the bare window, if any
    std::optional<PainterRequest> painter;   // set when the step asks for a painter
    bool made = false;                       // the factory made one
};

using MappingTrace = std::function<void(const MappingStep& step)>;

} // namespace skin
