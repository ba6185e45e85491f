#pragma once

#include <string>
#include <vector>

namespace vantor::res {

// Controls without an identifier of their own (labels, frames) carry this one.
constexpr int kNoId = -1;

enum class ControlKind {
    Text,           // static text
    GroupBox,       // frame with a caption
    Edit,           // single-line text field
    PushButton,     // command button
    DefaultButton,  // the button that takes Enter
    CheckBox,       // check box with its text at the right
    PushCheckBox,   // check box drawn as a push button
    RadioButton,    // radio button; groups start at a control with the Group style
    DropList,       // drop-down list; the height of its rectangle is the dropped list's
    Spin,           // up-down arrows attached to the control before it
    Icon,           // the application icon
};

// Style bits, combined with |.
enum Style : unsigned {
    kPlain = 0,
    kHidden = 1u << 0,
    kReadOnly = 1u << 1,
    kSorted = 1u << 2,    // list items sorted
    kGroup = 1u << 3,     // first control of a group
    kTwoLines = 1u << 4,  // text wraps onto a second line
    kCentred = 1u << 5,   // text centred
    kNotify = 1u << 6,    // a text that reports clicks
    kTabStop = 1u << 7,   // reachable with Tab (fields, lists and buttons are anyway)
};

// A rectangle in dialog units: top-left corner, then width and height.
struct DluRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct ControlSpec {
    int id = kNoId;
    ControlKind kind = ControlKind::Text;
    std::string text;
    DluRect rect;
    unsigned style = kPlain;
    std::vector<std::string> items;  // list items, in template order
};

// A dialog as its resource describes it: client size in dialog units and the controls in
// template order, which is also the tab order.
struct DialogTemplate {
    int id = 0;
    std::string caption;
    int width = 0;
    int height = 0;
    std::vector<ControlSpec> controls;
};

}  // namespace vantor::res
