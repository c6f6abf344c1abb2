#pragma once
// Form descriptions: a form and everything it owns, as readable text.
//
//   MainForm1: TMainForm1 {
//       Left = 20
//       Caption = "ティロラ - (右クリックでポップアップメニュー)"
//       Color = clWhite
//       Font.Name = "ＭＳ Ｐゴシック"
//       Font.Style = [fsBold]
//       PopupMenu = PopupMenu1
//       Shape1: TShape {
//           Brush.Color = 0xBFD5FF
//           Pen.Style = psClear
//       }
//       Glyph = bitmap 2 1 pf24bit {
//           0000FFFFFFFF
//       }
//       OnDblClick = Image1DblClick
//   }
//
// One value per line, in published order; only values that differ from the declared default
// (and every value of a property without one). Texts are UTF-8 in the file and code page 932
// in the program; a byte that has no UTF-8 form is written as \xHH. Numbers are decimal or
// 0x hexadecimal; colours and character sets by name where they have one. "#" starts a comment.
#include <string>
#include <string_view>

#include "platform/classes/Component.h"
#include "platform/core/Exception.h"

// A form description that does not fit the classes it names; the message carries the line.
class EReadError : public Exception {
    using Exception::Exception;
};

// The description of root, its properties and the components written inside it.
std::string WriteFormDescription(TComponent* root);

// Reads a description into an existing root (its header must name root's class, an ancestor
// of it, or a class unknown to the registry: a derived form without class information of its
// own): values go through the setters in the order given, nested values through the
// owned objects' setters; components are created by class name with root as their owner;
// events are bound through root->Methods(); references are resolved once everything is read;
// then Loaded is called on root and on every created component, in that order.
void ReadFormDescription(TComponent* root, std::string_view text);

// Creates the root by the class its header names (owned by owner) and reads the description.
TComponent* CreateFromDescription(std::string_view text, TComponent* owner);
