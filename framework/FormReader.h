#pragma once
// Reads a form description, a readable text that lists a form's components in
// creation order with their properties in the order they are applied:
//
//   object Form1: TForm1
//     Caption = 'MOXEL Utility'
//     Font.Height = -11
//     OnCreate = FormCreate
//     object Timer1: TTimer
//       Interval = 3000
//       OnTimer = Timer1Timer
//     end
//   end
//
// Values: integers, 'text' (with '' for a quote and #nnn for a character code,
// pieces joined by +), identifiers (True/False, enumeration and colour names,
// component references, handler names), sets [a, b], string lists ( 'a' 'b' ),
// collections < item ... end >, and picture data { hex }. Comments run from //
// to the end of the line. Free of windows.h.

#include <string>

class TComponent;

// Fills root (already constructed) from the description: creates the children
// in order, applies each object's properties in stored order, binds handlers by
// name to root's published methods, fills root's published fields, resolves
// component references and then runs every component's loading-finished step.
// Raises EFormReadError naming the unknown class, property, value or handler
// and its line.
void ReadComponentFromText(TComponent* root, const std::string& text);
