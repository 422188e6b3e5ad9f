// The main window as data: its frame, its 30 controls with their containers, captions,
// positions in twips, tab indexes, alignment, tooltips, fonts and colours. The Qt and the
// Win32 window are both built from this table.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "platform/form.h"

namespace brask {

enum class ControlKind { Label, GroupBox, TextBox, OptionButton, CheckBox, PushButton };
enum class Alignment { Left, Centre, Right };

struct Rgb {
  int red;
  int green;
  int blue;
};

struct FontSpec {
  const wchar_t* face;
  double points;
  int weight;  // 400 regular, 700 bold
};

struct ControlSpec {
  ControlId id;
  const wchar_t* name;
  ControlKind kind;
  std::optional<ControlId> container;  // a group box; none for the window itself
  const wchar_t* caption;              // nullptr for text boxes; "&" marks the access key
  int left;                            // twips, from the container's outer top-left corner
  int top;
  int width;
  int height;
  int tabIndex;
  Alignment alignment;
  const wchar_t* tooltip;  // nullptr for none
  bool titleFont;          // kTitleFont instead of the dialog font
  std::optional<Rgb> textColour;
};

struct WindowSpec {
  const wchar_t* name;
  const wchar_t* caption;
  int clientWidth;  // twips
  int clientHeight;
};

inline constexpr WindowSpec kWindow{L"frmMain", L"BRASK - Zelvo's Event Viewer", 4440, 4335};
inline constexpr FontSpec kTitleFont{L"MS Sans Serif", 13.5, 700};
inline constexpr FontSpec kDialogFont{L"MS Sans Serif", 8, 400};

// All 30 controls, in the order of the ControlId enumeration.
const std::array<ControlSpec, 30>& controlTable();
const ControlSpec& controlSpec(ControlId id);

// The control's Left and Top in the window: its own plus its group box's.
int windowLeft(const ControlSpec& row);
int windowTop(const ControlSpec& row);

// What a screen reader announces for a control. A text box has no caption: its name is
// the table's wording for it (the number field says its range, a date field which date
// and part it is). Every other control is named by its caption, without the "&" that
// marks an access key.
std::wstring accessibleName(const ControlSpec& row);
// What says more of the control: the picture a date field is typed in ("dd", "mm",
// "yyyy"), a label's tooltip; else empty.
std::wstring accessibleDescription(const ControlSpec& row);
// The name followed by the description, for a platform that carries a name only.
std::wstring accessibleNameWithDescription(const ControlSpec& row);

}  // namespace brask
