#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace drawbook {

// A control without an ID of its own (labels, group boxes, icons).
inline constexpr int IDC_STATIC = -1;

enum class ControlKind {
    PushButton,
    DefPushButton,
    Edit,
    Label,
    GroupBox,
    RadioButton,
    CheckBox,
    ListView,
    Icon,
};

// Control and dialog styles, as the templates give them.
namespace style {
inline constexpr std::uint32_t TabStop = 1U << 0;
inline constexpr std::uint32_t Group = 1U << 1;
inline constexpr std::uint32_t Border = 1U << 2;
inline constexpr std::uint32_t ReadOnly = 1U << 3;
inline constexpr std::uint32_t Center = 1U << 4;   // centred text (group box: centred caption)
inline constexpr std::uint32_t NoPrefix = 1U << 5; // "&" is shown as it is
inline constexpr std::uint32_t Flat = 1U << 6;
inline constexpr std::uint32_t LeftText = 1U << 7;  // button text left-aligned and vertically centred
inline constexpr std::uint32_t SingleSel = 1U << 8; // list: one row at a time
inline constexpr std::uint32_t ShowSelAlways = 1U << 9;
inline constexpr std::uint32_t AppWindow = 1U << 10; // dialog: has a taskbar button
inline constexpr std::uint32_t PushLike = 1U << 11;  // check box drawn as a button that stays pressed
inline constexpr std::uint32_t Hidden = 1U << 12;
// dialog: can be resized and maximised, never below the template's size
inline constexpr std::uint32_t Resizable = 1U << 13;
// control of a resizable dialog: takes the room the dialog gains across and down
inline constexpr std::uint32_t GrowRight = 1U << 14;
inline constexpr std::uint32_t GrowDown = 1U << 15;
// control of a resizable dialog: keeps its distance to the right and bottom edges
inline constexpr std::uint32_t StickRight = 1U << 16;
inline constexpr std::uint32_t StickBottom = 1U << 17;
} // namespace style

// Position and size in dialog units.
struct DialogRect {
    int x;
    int y;
    int width;
    int height;
};

struct ControlTemplate {
    int id;
    ControlKind kind;
    std::string caption;
    DialogRect rect;
    std::uint32_t styles = 0;
};

struct DialogTemplate {
    int id;
    std::string caption;
    int width;
    int height;
    std::string fontFace;
    int pointSize;
    std::uint32_t styles;
    std::vector<ControlTemplate> controls; // in tab order
};

// The templates by ID: 100, 102, 129, 130, 131, 132, 133, 134. Throws std::out_of_range for any other.
const DialogTemplate& FindDialogTemplate(int id);
std::span<const int> DialogTemplateIds();

// The string table.
std::string LoadString(int id);

} // namespace drawbook
